// The remaining seams over Win32: window timers, the named settings block,
// the registry value Path, the log file, the converter plug-in and the hook
// chain.
#pragma once

#include <windows.h>

#include "HookEngine.h"

namespace tarvok {

class Win32Timers final : public TimerSeam {
 public:
  constexpr explicit Win32Timers(TIMERPROC procedure) noexcept : procedure_(procedure) {}
  std::uintptr_t SetTimer(WindowRef window, std::uintptr_t id, unsigned milliseconds) noexcept override;
  void KillTimer(WindowRef window, std::uintptr_t id) noexcept override;
  bool WindowExists(WindowRef window) noexcept override;

 private:
  TIMERPROC procedure_;
};

class Win32SharedBlock final : public SharedBlockSeam {
 public:
  constexpr Win32SharedBlock() noexcept = default;
  bool ReadSharedBlock(GlobalHookData& out) noexcept override;
  bool ReadHookOptions(HookOptionsData& out) noexcept override;
};

class Win32Registry final : public RegistrySeam {
 public:
  constexpr Win32Registry() noexcept = default;
  std::string ReadPathSetting() override;
};

class Win32LogFile final : public LogFileSeam {
 public:
  constexpr Win32LogFile() noexcept = default;
  LocalTime Now() noexcept override;
  std::string FormatShortDate(const LocalTime& time) override;
  std::string FormatLongTime(const LocalTime& time) override;
  bool AppendToFile(const std::string& fileName, std::string_view bytes) noexcept override;
};

class Win32Plugin final : public PluginSeam {
 public:
  constexpr Win32Plugin() noexcept = default;
  bool Load(const std::string& fileName) noexcept override;
  const char* Convert(long double value) noexcept override;
  void Unload() noexcept override;

 private:
#if defined(_WIN64)
  // convert64.dll: a pointer to the value's 10 bytes (the x87 extended
  // format), then the layout. x64 code has no way to pass the 80-bit type by
  // value that other compilers share.
  using ConvertValueFunction = const char* (*)(const unsigned char* value, HKL layout);
#else
  // Value in three 32-bit stack slots, then the layout; the callee pops.
  using ConvertValueFunction = char*(__stdcall*)(long double value, HKL layout);
#endif
  HMODULE module_ = nullptr;
  ConvertValueFunction convert_ = nullptr;
};

class Win32HookChain final : public HookChainSeam {
 public:
  constexpr Win32HookChain() noexcept = default;
  std::intptr_t CallNextHook(std::uint32_t hook, int code, std::uintptr_t wParam,
                             std::intptr_t lParam) noexcept override;
};

}  // namespace tarvok

// The test program playing both parts: the controller's (settings block,
// Path, calc.dll loaded and its two hooks installed) and a program with a
// text field that the library calculates in. The hooks are installed for
// the calling thread only, so nothing else on the desktop sees them, and
// everything is put back when the object goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ScopedHandle.h"
#include "SharedBlock.h"

namespace tarvok::resident {

struct HostOptions {
  bool withLibrary = true;  // false: the same window without calc.dll, the control
  std::uint8_t hotKeyModifiers = kModCtrl;  // with the key "="
};

class HookedHost {
 public:
  HookedHost(const std::string& libraryPath, const std::string& logFolder, HostOptions options = {});
  ~HookedHost();
  HookedHost(const HookedHost&) = delete;
  HookedHost& operator=(const HookedHost&) = delete;

  // Empty when all is in place; otherwise what failed.
  [[nodiscard]] const std::string& Problem() const { return problem_; }
  [[nodiscard]] HWND Field() const { return field_; }
  [[nodiscard]] HWND Window() const { return window_; }

 private:
  bool WriteSettingsBlock(std::uint8_t hotKeyModifiers);
  bool InstallHooks(const std::string& libraryPath);
  bool CreateTargetWindow();

  std::string problem_;
  std::string previousPath_;
  bool pathWritten_ = false;
  ScopedHandle mapping_;
  ScopedModule library_;
  HHOOK keyboardHook_ = nullptr;
  HHOOK messageHook_ = nullptr;
  HWND window_ = nullptr;
  HWND field_ = nullptr;
};

}  // namespace tarvok::resident

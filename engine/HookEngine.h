// Everything one process's copy of the library does, independent of Win32:
// load, the four hook procedures with their chaining, the delivery timers
// and unload. calc.dll holds one of these with the Win32 seams; the native
// tests hold one with fakes.
#pragma once

#include <atomic>
#include <cstdint>

#include "ClipboardSeam.h"
#include "HotKeySequence.h"
#include "KeyboardSeam.h"
#include "LineForm.h"
#include "LogLine.h"
#include "ProgramFolder.h"
#include "ResultDelivery.h"
#include "SettingsCopy.h"
#include "TimerSeam.h"
#include "TypedText.h"
#include "TypingCapture.h"

namespace tarvok {

inline constexpr int kHcAction = 0;
// The message hook's wParam when the message is taken from the queue, not
// only looked at.
inline constexpr std::uintptr_t kPmRemove = 1;

class HookChainSeam {
 public:
  // CallNextHookEx with the given hook handle.
  virtual std::intptr_t CallNextHook(std::uint32_t hook, int code, std::uintptr_t wParam,
                                     std::intptr_t lParam) noexcept = 0;

 protected:
  ~HookChainSeam() = default;
};

struct EngineSeams {
  KeyboardSeam& keyboard;
  ClipboardSeam& clipboard;
  TimerSeam& timers;
  SharedBlockSeam& block;
  RegistrySeam& registry;
  LogFileSeam& log;
  PluginSeam& plugin;
  HookChainSeam& chain;
};

// The fields of a queued message the message hook looks at.
struct QueuedMessage {
  unsigned message;
  std::uintptr_t wParam;
};

class HookEngine {
 public:
  constexpr explicit HookEngine(const EngineSeams& seams) noexcept
      : seams_(seams), delivery_(seams.clipboard, seams.keyboard, seams.timers) {}

  // Process attach: defaults, an empty buffer, then the shared settings.
  void Load(unsigned optionsUpdateMessage) noexcept;
  // Process detach (not at process end): nothing pending may outlive us.
  void Unload() noexcept;

  std::intptr_t KeyboardProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept;
  // `message` is the decoded MSG, null when lParam carried none.
  std::intptr_t GetMessageProc(int code, std::uintptr_t wParam, std::intptr_t lParam,
                               const QueuedMessage* message) noexcept;
  std::intptr_t CallWndProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept;
  std::intptr_t ShellHookProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept;
  void TimerFired(WindowRef window, std::uintptr_t id) noexcept;

  [[nodiscard]] const SettingsCopy& settings() const noexcept { return settings_; }
  [[nodiscard]] const TypedTextBuffer& typedText() const noexcept { return typed_; }

 private:
  // True when the event is to be kept from the program.
  bool OnKeyEvent(std::uintptr_t wParam, std::intptr_t lParam, bool passwordField) noexcept;
  void OnQueuedMessage(const QueuedMessage& message, bool removed) noexcept;
  void RunHotKey() noexcept;

  EngineSeams seams_;
  SettingsCopy settings_{};
  TypedTextBuffer typed_{};
  DeadKeyState deadKey_{};
  unsigned optionsUpdateMessage_ = 0;
  // The key whose calculating press was kept from the program: its release
  // is kept as well. 0 for none.
  unsigned heldBackKey_ = 0;
  ResultDelivery delivery_;
  // Set while one thread of the process works on the delivery; another
  // thread's hot key or timer does not wait for it (a hook must not block).
  std::atomic_flag deliveryBusy_;
};

}  // namespace tarvok

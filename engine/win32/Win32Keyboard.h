// The keyboard seam over user32: the calling thread's keyboard state,
// layout and focus, and injected key events.
#pragma once

#include <atomic>
#include <cstdint>

#include "KeyboardSeam.h"

namespace tarvok {

class Win32Keyboard final : public KeyboardSeam {
 public:
  constexpr Win32Keyboard() noexcept = default;
  unsigned ScanCodeOf(unsigned virtualKey) noexcept override;
  bool GetKeyboardState(KeyboardState& state) noexcept override;
  bool SetKeyboardState(const KeyboardState& state) noexcept override;
  int ToAscii(unsigned virtualKey, unsigned scanCode, const KeyboardState& state,
              std::uint16_t& out) noexcept override;
  std::int16_t GetKeyState(unsigned virtualKey) noexcept override;
  std::int16_t GetAsyncKeyState(unsigned virtualKey) noexcept override;
  void SendKeyEvent(std::uint8_t virtualKey, std::uint32_t flags) noexcept override;
  WindowRef FocusedWindow() noexcept override;
  KeyFocus FocusOfKey() noexcept override;

 private:
  bool IsPasswordField(void* window) noexcept;
  bool IsEditControl(void* window) noexcept;

  // The last windows found to be of the Edit class and of another class. A
  // window's class never changes, so it is asked once per window that gets
  // the focus. Each word is a whole answer on its own: threads of one
  // program that race here at most ask once more.
  std::atomic<std::uintptr_t> lastEdit_{0};
  std::atomic<std::uintptr_t> lastOther_{0};
};

}  // namespace tarvok

// The keyboard seam over user32: the calling thread's keyboard state,
// layout and focus, and injected key events.
#pragma once

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
  bool FocusInOtherProcess() noexcept override;
  bool FocusIsPasswordField() noexcept override;
};

}  // namespace tarvok

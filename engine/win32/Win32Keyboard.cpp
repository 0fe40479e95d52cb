// Thin calls into user32; every one acts on the calling thread only.
#include "Win32Keyboard.h"

#include <windows.h>

namespace tarvok {

unsigned Win32Keyboard::ScanCodeOf(unsigned virtualKey) noexcept { return MapVirtualKeyA(virtualKey, 0); }

bool Win32Keyboard::GetKeyboardState(KeyboardState& state) noexcept {
  return ::GetKeyboardState(state.data()) != FALSE;
}

bool Win32Keyboard::SetKeyboardState(const KeyboardState& state) noexcept {
  KeyboardState copy = state;  // the call takes a non-const pointer
  return ::SetKeyboardState(copy.data()) != FALSE;
}

int Win32Keyboard::ToAscii(unsigned virtualKey, unsigned scanCode, const KeyboardState& state,
                           std::uint16_t& out) noexcept {
  WORD translated = 0;
  const int count = ::ToAscii(virtualKey, scanCode, state.data(), &translated, 0);
  out = translated;
  return count;
}

std::int16_t Win32Keyboard::GetKeyState(unsigned virtualKey) noexcept {
  return ::GetKeyState(static_cast<int>(virtualKey));
}

std::int16_t Win32Keyboard::GetAsyncKeyState(unsigned virtualKey) noexcept {
  return ::GetAsyncKeyState(static_cast<int>(virtualKey));
}

void Win32Keyboard::SendKeyEvent(std::uint8_t virtualKey, std::uint32_t flags) noexcept {
  keybd_event(virtualKey, 0, flags, 0);
}

WindowRef Win32Keyboard::FocusedWindow() noexcept { return GetFocus(); }

bool Win32Keyboard::FocusInOtherProcess() noexcept {
  GUITHREADINFO foreground{};
  foreground.cbSize = sizeof foreground;
  if (!GetGUIThreadInfo(0, &foreground)) return false;
  HWND window = foreground.hwndFocus != nullptr ? foreground.hwndFocus : foreground.hwndActive;
  if (window == nullptr) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != 0 && process != GetCurrentProcessId();
}

// The style bit means something else in other classes, so the class is
// asked first. RealGetWindowClass names the system class a program's own
// edit class is built on, so those count as well. A buffer one longer than
// "Edit" tells "Edit" from longer names that start alike.
bool Win32Keyboard::FocusIsPasswordField() noexcept {
  HWND focus = GetFocus();
  if (focus == nullptr) return false;
  char className[6] = {};
  if (RealGetWindowClassA(focus, className, sizeof className) != 4 || lstrcmpiA(className, "Edit") != 0) return false;
  return (GetWindowLongA(focus, GWL_STYLE) & ES_PASSWORD) != 0;
}

}  // namespace tarvok

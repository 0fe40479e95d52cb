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

// The foreground thread's focus is the focus of the thread the key came to,
// unless another thread of this program is in the foreground (attached
// input): only then is the thread's own focus asked for.
KeyboardSeam::KeyFocus Win32Keyboard::FocusOfKey() noexcept {
  GUITHREADINFO foreground{};
  foreground.cbSize = sizeof foreground;
  if (!GetGUIThreadInfo(0, &foreground)) return {false, IsPasswordField(GetFocus())};
  HWND window = foreground.hwndFocus != nullptr ? foreground.hwndFocus : foreground.hwndActive;
  if (window == nullptr) return {false, IsPasswordField(GetFocus())};
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  if (process != 0 && process != GetCurrentProcessId()) return {true, false};
  return {false, IsPasswordField(thread == GetCurrentThreadId() ? foreground.hwndFocus : GetFocus())};
}

// The style bit means something else in other classes, so the class is
// asked first. The style is asked at every key: a program may give its
// field the password style after the field has the focus.
bool Win32Keyboard::IsPasswordField(void* window) noexcept {
  if (window == nullptr || !IsEditControl(window)) return false;
  return (GetWindowLongA(static_cast<HWND>(window), GWL_STYLE) & ES_PASSWORD) != 0;
}

// RealGetWindowClass names the system class a program's own edit class is
// built on, so those count as well. A buffer one longer than "Edit" tells
// "Edit" from longer names that start alike. A handle names one window
// until that window is gone, and Windows gives the same value to a new
// window only after many others.
bool Win32Keyboard::IsEditControl(void* window) noexcept {
  const auto handle = reinterpret_cast<std::uintptr_t>(window);
  if (lastEdit_.load(std::memory_order_relaxed) == handle) return true;
  if (lastOther_.load(std::memory_order_relaxed) == handle) return false;
  char className[6] = {};
  const bool edit = RealGetWindowClassA(static_cast<HWND>(window), className, sizeof className) == 4 &&
                    lstrcmpiA(className, "Edit") == 0;
  (edit ? lastEdit_ : lastOther_).store(handle, std::memory_order_relaxed);
  return edit;
}

}  // namespace tarvok

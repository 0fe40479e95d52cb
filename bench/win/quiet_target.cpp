// tarvok-bench-quiet: a window that takes typing without drawing it. It
// counts the characters it receives and answers WM_GETTEXTLENGTH with that
// count (see QuietTarget.h), so the typing benchmark can time what a keystroke costs the input
// path (and what the hooks add to it) without the Edit control repainting a
// growing line, which under Wine and Xvfb takes milliseconds per key and
// hides a difference of microseconds.
//
//   tarvok-bench-quiet [caption]
#include <windows.h>

#include "QuietTarget.h"

namespace {

using tarvok::bench::kQuietTargetClass;
constexpr char kDefaultCaption[] = "Tarvok Bench Quiet";

UINT countMessage = 0;
LRESULT characters = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == countMessage && countMessage != 0) return characters;
  switch (message) {
    case WM_CHAR:
      ++characters;
      return 0;
    case WM_SETTEXT:  // emptying the "field"; the caption stays, as the benchmark finds the window by it
      characters = 0;
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  countMessage = RegisterWindowMessageA(tarvok::bench::kQuietTargetCountMessage);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kQuietTargetClass;
  if (!RegisterClassA(&windowClass)) return 1;
  const char* caption = __argc > 1 ? __argv[1] : kDefaultCaption;
  HWND window = CreateWindowExA(0, kQuietTargetClass, caption, WS_OVERLAPPEDWINDOW, 480, 40, 200, 100, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

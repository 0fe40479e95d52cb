// A plain program for the end-to-end tests to type into: one top-level window
// whose caption comes from the command line, filled by a single multi-line
// Edit control that holds the keyboard focus. It has nothing else, so what a
// test reads back from the field is exactly what the hook library pasted.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr char kClassName[] = "TarvokTestTarget";
constexpr char kDefaultCaption[] = "Tarvok Test Target";
constexpr int kEditId = 1;

HWND EditOf(HWND window) { return GetDlgItem(window, kEditId); }

void OnCreate(HWND window) {
  CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                  0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                  GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      MoveWindow(EditOf(window), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:  // the field, never the frame, takes the keys
      SetFocus(EditOf(window));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* caption = __argc > 1 ? __argv[1] : kDefaultCaption;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, kClassName, caption, WS_OVERLAPPEDWINDOW, 40, 40, 420, 200,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(EditOf(window));

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

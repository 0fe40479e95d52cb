// A plain program for the end-to-end tests to type into: one top-level window
// whose caption comes from the command line, filled by a single multi-line
// Edit control that holds the keyboard focus. It has nothing else, so what a
// test reads back from the field is exactly what the hook library pasted.
//
// A test can make it stop pumping messages, as a busy program does, by
// posting to its window: kStallOnHotKey (wParam: milliseconds) makes its UI
// thread sleep right after it has taken the next Ctrl+= from its queue, which
// is when the hook library has just set its timers; kSleepNow sleeps at once.
// kReplaceFieldOnKey (wParam: a virtual key) destroys the field right after
// the next press of that key with Ctrl and puts a new empty one in its
// place, as a program closing a box would.
//
// It counts the = key's WM_KEYDOWN and WM_KEYUP messages it takes from its
// queue; kHotKeyCounts answers with the downs in the low and the ups in the
// high word. Started with "password" after the caption, its field is a
// one-line password field; kSetPasswordChar (wParam: the character, 0 for
// none) changes that while it runs.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kClassName[] = "TarvokTestTarget";
constexpr char kDefaultCaption[] = "Tarvok Test Target";
constexpr int kEditId = 1;
constexpr UINT kStallOnHotKey = WM_APP + 1;
constexpr UINT kSleepNow = WM_APP + 2;
constexpr UINT kReplaceFieldOnKey = WM_APP + 3;
constexpr UINT kHotKeyCounts = WM_APP + 4;
constexpr UINT kSetPasswordChar = WM_APP + 5;
constexpr WPARAM kVkEquals = 0xBB;  // VK_OEM_PLUS, the = key of a US layout

DWORD stallOnHotKeyMs = 0;
WPARAM replaceFieldOnKey = 0;
bool passwordField = false;
WORD hotKeyDowns = 0;
WORD hotKeyUps = 0;

HWND EditOf(HWND window) { return GetDlgItem(window, kEditId); }

void CreateField(HWND window) {
  const DWORD kind = passwordField ? ES_PASSWORD : WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | kind,
                  0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                  GetModuleHandleA(nullptr), nullptr);
  // The default limit (about 32,000 characters) would cut long pastes short;
  // lines are not wrapped, as wrapping a very long one takes Wine's edit
  // control minutes.
  SendMessageA(EditOf(window), EM_SETLIMITTEXT, 0, 0);
}

void OnCreate(HWND window) { CreateField(window); }

void ReplaceField(HWND window) {
  DestroyWindow(EditOf(window));
  CreateField(window);
  RECT client;
  GetClientRect(window, &client);
  MoveWindow(EditOf(window), 0, 0, client.right, client.bottom, TRUE);
  SetFocus(EditOf(window));
}

bool IsCtrlKey(const MSG& message, WPARAM key) {
  return message.message == WM_KEYDOWN && message.wParam == key && (GetKeyState(VK_CONTROL) & 0x8000) != 0;
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
    case kStallOnHotKey:
      stallOnHotKeyMs = static_cast<DWORD>(wParam);
      return 0;
    case kReplaceFieldOnKey:
      replaceFieldOnKey = wParam;
      return 0;
    case kSleepNow:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case kHotKeyCounts:
      return MAKELRESULT(hotKeyDowns, hotKeyUps);
    case kSetPasswordChar:
      SendMessageA(EditOf(window), EM_SETPASSWORDCHAR, wParam, 0);
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
  passwordField = __argc > 2 && std::strcmp(__argv[2], "password") == 0;

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
    if (message.wParam == kVkEquals) {
      if (message.message == WM_KEYDOWN) ++hotKeyDowns;
      if (message.message == WM_KEYUP) ++hotKeyUps;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (stallOnHotKeyMs != 0 && IsCtrlKey(message, kVkEquals)) {
      Sleep(stallOnHotKeyMs);
      stallOnHotKeyMs = 0;
    }
    if (replaceFieldOnKey != 0 && IsCtrlKey(message, replaceFieldOnKey)) {
      replaceFieldOnKey = 0;
      ReplaceField(message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr);
    }
  }
  return static_cast<int>(message.wParam);
}

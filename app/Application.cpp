// The hidden application window and the message loop.
#include "Application.h"

#include "RunningCopyNames.h"

namespace tarvok {

Application::~Application() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window carries the title and class another copy searches for;
  // "WM_Start2tarvok" from such a copy needs no action, the exit request does.
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* application = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (application != nullptr && message == application->exitMessage_ && message != 0) {
    if (application->exitRequestHandler_) application->exitRequestHandler_();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Application::Initialize() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Application::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, "MAINICON");
  windowClass.lpszClassName = kApplicationClass;
  RegisterClassA(&windowClass);
  exitMessage_ = RegisterWindowMessageA(kExitMessageName);
  // Zero-sized, so that when shown it is only a taskbar button for the
  // options window.
  window_ = CreateWindowExA(0, kApplicationClass, kApplicationTitle,
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                            nullptr, instance_, this);
  return window_ != nullptr;
}

std::string Application::ExeName() const {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

void Application::TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

int Application::Run(HWND dialog) {
  MSG message;
  // W throughout: the options window and its controls are Unicode windows,
  // and an A loop would hand their typed characters over in the ANSI code page.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tarvok

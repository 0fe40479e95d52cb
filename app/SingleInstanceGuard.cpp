// The single-instance guard.
#include "SingleInstanceGuard.h"

namespace tarvok {

bool SingleInstanceGuard::AnotherInstanceRunning() {
  const std::string base = MutexBaseName();
  SetLastError(ERROR_SUCCESS);
  HANDLE lock = CreateMutexA(nullptr, TRUE, (base + "CriticalSection").c_str());
  if (GetLastError() != ERROR_SUCCESS || lock == nullptr) {
    lock_ = lock;
    return true;
  }
  instance_ = CreateMutexA(nullptr, FALSE, (base + "Default").c_str());
  const bool running = WaitForSingleObject(instance_, 0) == WAIT_TIMEOUT;
  ReleaseMutex(lock);
  CloseHandle(lock);
  return running;
}

bool SingleInstanceGuard::GiveWayToRunningCopy() {
  if (!AnotherInstanceRunning()) return false;
  ActivateRunningCopy();
  host_.Terminate();
  return true;
}

HWND SingleInstanceGuard::FindRunningCopyWindow() const {
  const std::string className = host_.ApplicationClassName();
  const std::string title = host_.Title();
  HWND window = nullptr;
  do {
    window = FindWindowExA(nullptr, window, className.c_str(), title.c_str());
  } while (window != nullptr && window == host_.ApplicationWindow());
  return window;
}

void SingleInstanceGuard::ActivateRunningCopy() const {
  HWND window = FindRunningCopyWindow();
  if (!IsWindow(window)) return;
  if (IsIconic(window)) {
    OpenIcon(window);
  } else {
    SetForegroundWindow(window);
  }
  PostMessageA(window, RegisterWindowMessageA(kStartMessageName), 0, 0);
}

}  // namespace tarvok

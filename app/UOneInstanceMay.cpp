// The single-instance guard.
#include "UOneInstanceMay.h"

#include <algorithm>
#include <cctype>

#include "TextConversion.h"

namespace tarvok {

std::string MutexBaseName(const std::string& titleOrPath, bool exeNameAsIdentifier,
                          const std::string& identifier) {
  std::string name = titleOrPath;
  if (exeNameAsIdentifier) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  }
  name += identifier;
  name += ".OneInstance.";
  std::replace(name.begin(), name.end(), '\\', '/');  // not allowed in a mutex name
  return name;
}

TMOneInstance::~TMOneInstance() {
  // The instance mutex must stay owned until the process ends, and the lock
  // of a copy that gave way is simply left for Windows to close with it; the
  // handles are deliberately not closed here.
}

std::string TMOneInstance::BaseName() const {
  return MutexBaseName(ExeNameAsIdentifier ? host_.ExeName() : host_.Title(), ExeNameAsIdentifier, Identifier);
}

bool TMOneInstance::AnotherInstanceRunning() {
  const std::string base = BaseName();
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

bool TMOneInstance::ProcessInstance() {
  if (!AnotherInstanceRunning()) return false;
  terminate_ = true;
  const bool showMainForm = host_.ShowMainForm();
  host_.SetShowMainForm(false);
  if (ShowMessage) DoShowMessage();
  if (ActivatePrevInstance) DoActivatePrevInstance();
  if (terminate_) {
    host_.Terminate();
  } else {
    host_.SetShowMainForm(showMainForm);
  }
  return true;
}

void TMOneInstance::DoShowMessage() {
  if (OnShowMessage) {
    OnShowMessage(*this, terminate_);
    return;
  }
  MessageBoxExW(host_.ApplicationWindow(), ToUtf16(Message, CP_ACP).c_str(), ToUtf16(host_.Title(), CP_ACP).c_str(),
                MB_ICONEXCLAMATION | MB_OK, 0);
}

HWND TMOneInstance::FindPrevInstanceWindow() const {
  const std::string className = host_.ApplicationClassName();
  const std::string title = host_.Title();
  HWND window = nullptr;
  do {
    window = FindWindowExA(nullptr, window, className.c_str(), title.c_str());
  } while (window != nullptr && window == host_.ApplicationWindow());
  return window;
}

void TMOneInstance::DoActivatePrevInstance() {
  HWND window = FindPrevInstanceWindow();
  if (!IsWindow(window)) return;
  if (IsIconic(window)) {
    OpenIcon(window);
  } else {
    SetForegroundWindow(window);
  }
  PostMessageA(window, RegisterWindowMessageA(kStartMessageName), 0, 0);
}

}  // namespace tarvok

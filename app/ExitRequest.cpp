// Finds the running copy the way the single-instance guard does, by its
// application window, and waits on its process rather than on the window:
// the window goes before the process has let go of its files.
#include "ExitRequest.h"

#include <vector>

#include "RunningCopyNames.h"
#include "ScopedHandle.h"

namespace tarvok {
namespace {

// Every application window of Tarvok: normally one, but a second copy that
// is just starting shows its own for a moment before it gives way.
std::vector<HWND> RunningApplicationWindows() {
  std::vector<HWND> windows;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kApplicationClass, kApplicationTitle)) != nullptr) {
    windows.push_back(window);
  }
  return windows;
}

ScopedHandle OpenToWait(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return ScopedHandle{};
  return ScopedHandle{OpenProcess(SYNCHRONIZE, FALSE, processId)};
}

}  // namespace

ExitRequestResult AskRunningCopyToExit(DWORD waitMs) {
  const std::vector<HWND> windows = RunningApplicationWindows();
  if (windows.empty()) return ExitRequestResult::NotRunning;

  const UINT exitMessage = RegisterWindowMessageA(kExitMessageName);
  std::vector<ScopedHandle> processes;
  bool everyOneAsked = true;
  for (HWND window : windows) {
    // Opened before asking, so that the process cannot end and its id be
    // given to another one in between.
    ScopedHandle process = OpenToWait(window);
    if (!process || !PostMessageA(window, exitMessage, 0, 0)) {
      if (IsWindow(window)) everyOneAsked = false;  // a window gone meanwhile had nothing left to ask
      continue;
    }
    processes.push_back(std::move(process));
  }

  const DWORD deadline = GetTickCount() + waitMs;
  for (const ScopedHandle& process : processes) {
    const DWORD now = GetTickCount();
    const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
    if (WaitForSingleObject(process.get(), left) != WAIT_OBJECT_0) return ExitRequestResult::StillRunning;
  }
  return everyOneAsked ? ExitRequestResult::Ended : ExitRequestResult::StillRunning;
}

}  // namespace tarvok

// The helper of tarvok.exe: on 64-bit Windows it installs the hook library
// of its own bitness for the programs of that bitness, which the
// controller's library cannot reach (tarvok64.exe with calc64.dll beside a
// 32-bit tarvok.exe, tarvok32.exe with calc.dll beside a 64-bit one). It
// shows no window and keeps its message queue moving at all times: Windows
// runs the other bitness's calls of its hooks in this thread. It ends,
// removing its hooks, when the controller sets the stop event or when the
// controller's process ends for any reason.
#include <windows.h>

#include <string>
#include <string_view>

#include "HelperContract.h"
#include "PathText.h"
#include "ScopedHandle.h"
#include "SharedBlock.h"
#include "SystemHooks.h"

namespace tarvok {
namespace {

// A helper left over from a controller that ended a moment ago is still
// taking its hooks out; it is waited for this long before giving up.
constexpr DWORD kPreviousHelperWaitMs = 3000;

std::string OwnFolder() {
  char path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return FolderOf(std::string_view(path, length < sizeof path ? length : 0));
}

// Handles what is queued now; false once WM_QUIT came.
bool PumpQueuedMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

// Sleeps until the controller asks for the end or is gone, handling every
// message as it arrives.
void PumpUntilStopped(HANDLE controller, HANDLE stop) {
  const HANDLE ends[] = {controller, stop};
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(2, ends, FALSE, INFINITE, QS_ALLINPUT);
    if (woken != WAIT_OBJECT_0 + 2) return;  // an end, or the wait itself failed
    if (!PumpQueuedMessages()) return;
  }
}

int RunHelper(const char* commandLine) {
  const auto controllerId = ParseControllerProcessId(commandLine);
  if (!controllerId) return kHelperBadCommandLine;
  const ScopedHandle controller(OpenProcess(SYNCHRONIZE, FALSE, *controllerId));
  const ScopedHandle stop(OpenEventA(SYNCHRONIZE, FALSE, HelperEventName(kHelperStopEventPrefix, *controllerId).c_str()));
  const ScopedHandle ready(
      OpenEventA(EVENT_MODIFY_STATE, FALSE, HelperEventName(kHelperReadyEventPrefix, *controllerId).c_str()));
  if (!controller || !stop || !ready) return kHelperControllerGone;

  const ScopedHandle running(CreateMutexA(nullptr, FALSE, kHelperMutexName));
  if (!running) return kHelperAlreadyRunning;
  const DWORD owned = WaitForSingleObject(running.get(), kPreviousHelperWaitMs);
  if (owned != WAIT_OBJECT_0 && owned != WAIT_ABANDONED) return kHelperAlreadyRunning;

  // By full path from this program's folder only: a bare name would be
  // looked up along a search path that others control.
  SystemHooks hooks;
  if (hooks.Load(OwnFolder() + kHookLibraryFileName) != SystemHooks::LoadOutcome::Loaded) return kHelperNoLibrary;
  // The message queue exists before the first hook: calls of the hooks from
  // programs of the other bitness are queued to this thread as soon as it
  // is installed.
  MSG peek;
  PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE);
  if (!hooks.InstallGetMessageHook() || !hooks.InstallKeyboardHook()) return kHelperNoHooks;
  SetEvent(ready.get());

  PumpUntilStopped(controller.get(), stop.get());

  hooks.RemoveKeyboardHook();
  hooks.RemoveGetMessageHook();
  // Windows lets go of the library in a program only when one of its
  // threads passes its message loop after the hooks are gone.
  PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
  ReleaseMutex(running.get());
  return kHelperStopped;
}

}  // namespace
}  // namespace tarvok

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return tarvok::RunHelper(commandLine); }

// "tarvok.exe /exit": asks the copy of Tarvok that runs in this session to
// run its own Exit (tray icon removed, hooks removed, as when the user picks
// Exit from the menu) and waits until its process has ended. It never ends a
// process by force: a copy that does not end in time, for example because
// one of its message boxes waits for the user, is reported, not killed.
#pragma once

#include <windows.h>

#include "RunningCopyNames.h"  // kExitMessageName: the request a running copy takes

namespace tarvok {

// The exit codes of "tarvok.exe /exit", chosen so that a script can tell
// whether Tarvok was running (and so should be started again afterwards).
enum class ExitRequestResult : int {
  Ended = 0,         // a running copy was asked and has ended
  NotRunning = 1,    // no copy was running
  StillRunning = 2,  // a copy was asked but had not ended when the wait ran out
};

inline constexpr DWORD kExitWaitMs = 30000;

[[nodiscard]] ExitRequestResult AskRunningCopyToExit(DWORD waitMs);

}  // namespace tarvok

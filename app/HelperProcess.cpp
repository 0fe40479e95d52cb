// Starting and stopping the helper. The two events are created here,
// before the helper starts, under names that carry this process's id: the
// helper opens them by name, sets "ready" once its hooks are in and waits
// for "stop".
#include "HelperProcess.h"

#include "ExistingFile.h"
#include "HelperContract.h"

namespace tarvok {
namespace {

// Starting a process and loading its hook library takes well under a
// second; on a loaded machine it can take longer, and a helper still
// starting is left to finish rather than reported.
constexpr DWORD kReadyWaitMs = 5000;
// The helper ends within this time after "stop" unless it hangs; then it
// is ended by force, so that Disable never leaves one behind.
constexpr DWORD kStopWaitMs = 2000;

HANDLE NewEvent(const char* prefix) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, HelperEventName(prefix, GetCurrentProcessId()).c_str());
  // Left set by a helper of an earlier start that ended without our Stop.
  if (event != nullptr) ResetEvent(event);
  return event;
}

}  // namespace

bool SystemIs64Bit() {
#if defined(_WIN64)
  return true;
#else
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

HelperProcess::Outcome HelperProcess::Start(const std::string& folder) {
  Stop();
  outcome_ = Launch(folder);
  return outcome_;
}

HelperProcess::Outcome HelperProcess::Launch(const std::string& folder) {
  // Only by full path: a bare name would be looked up along the search path.
  if (folder.find_first_of("\\/") == std::string::npos) return Outcome::Missing;
  const std::string helperPath = folder + kOtherHelperFileName;
  if (!IsExistingFile(helperPath) || !IsExistingFile(folder + kOtherHookLibraryFileName)) return Outcome::Missing;
  stop_.reset(NewEvent(kHelperStopEventPrefix));
  ready_.reset(NewEvent(kHelperReadyEventPrefix));
  if (!stop_ || !ready_) return Outcome::Failed;

  std::string commandLine = "\"" + helperPath + "\" " + std::to_string(GetCurrentProcessId());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // The helper's working folder is its own: it holds nothing open elsewhere.
  if (!CreateProcessA(helperPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &started)) {
    return Outcome::Failed;
  }
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  processId_ = started.dwProcessId;

  const HANDLE outcomes[] = {ready_.get(), process_.get()};
  const DWORD woken = WaitForMultipleObjects(2, outcomes, FALSE, kReadyWaitMs);
  if (woken == WAIT_OBJECT_0 + 1) {
    process_.reset();
    processId_ = 0;
    return Outcome::Failed;
  }
  return Outcome::Running;
}

void HelperProcess::Stop() {
  if (process_) {
    SetEvent(stop_.get());
    if (WaitForSingleObject(process_.get(), kStopWaitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), kStopWaitMs);
    }
  }
  process_.reset();
  stop_.reset();
  ready_.reset();
  processId_ = 0;
  outcome_ = Outcome::NotStarted;
}

}  // namespace tarvok

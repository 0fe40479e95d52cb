// The helper of this build, started for real with this test as its
// controller: one runs per session and bitness, and a second one, started by
// hand or by a second controller in a race, ends without installing hooks.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HelperContract.h"
#include "PathText.h"
#include "ScopedHandle.h"

namespace tarvok {
namespace {

constexpr DWORD kReadyLimitMs = 20000;
// The second helper waits out a helper that is still ending before it gives
// up; beyond that it must be gone.
constexpr DWORD kSecondHelperLimitMs = 10000;

std::string HelperPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(path) + "..\\bin\\" TARVOK_HELPER_FILE_NAME;
}

ScopedHandle StartHelper(DWORD controllerId) {
  std::string commandLine = "\"" + HelperPath() + "\" " + std::to_string(controllerId);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return ScopedHandle();
  }
  CloseHandle(started.hThread);
  return ScopedHandle(started.hProcess);
}

DWORD ExitCodeOf(HANDLE process) {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process, &code);
  return code;
}

class HelperGuardTest : public ::testing::Test {
 protected:
  // The events a controller creates before it starts its helper.
  const DWORD controllerId = GetCurrentProcessId();
  const ScopedHandle ready{
      CreateEventA(nullptr, TRUE, FALSE, HelperEventName(kHelperReadyEventPrefix, controllerId).c_str())};
  const ScopedHandle stop{
      CreateEventA(nullptr, TRUE, FALSE, HelperEventName(kHelperStopEventPrefix, controllerId).c_str())};
};

TEST_F(HelperGuardTest, SecondHelperEndsWithoutHooksWhileTheFirstRuns) {
  ASSERT_TRUE(ready && stop);
  const ScopedHandle first = StartHelper(controllerId);
  ASSERT_TRUE(first) << "cannot start " << HelperPath();
  ASSERT_EQ(WaitForSingleObject(ready.get(), kReadyLimitMs), WAIT_OBJECT_0) << "exit code " << ExitCodeOf(first.get());
  ResetEvent(ready.get());

  const ScopedHandle second = StartHelper(controllerId);
  ASSERT_TRUE(second);
  ASSERT_EQ(WaitForSingleObject(second.get(), kSecondHelperLimitMs), WAIT_OBJECT_0) << "the second helper stays";
  EXPECT_EQ(ExitCodeOf(second.get()), static_cast<DWORD>(kHelperAlreadyRunning));
  EXPECT_EQ(WaitForSingleObject(ready.get(), 0), WAIT_TIMEOUT) << "the second helper said its hooks are in";
  EXPECT_EQ(WaitForSingleObject(first.get(), 0), WAIT_TIMEOUT) << "the first helper ended";

  SetEvent(stop.get());
  ASSERT_EQ(WaitForSingleObject(first.get(), kReadyLimitMs), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCodeOf(first.get()), static_cast<DWORD>(kHelperStopped));
}

}  // namespace
}  // namespace tarvok

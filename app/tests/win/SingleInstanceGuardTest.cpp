// The single-instance guard with real mutexes and windows. Mutexes belong to
// threads, so "another instance" is played by another thread; each test
// uses its own title so the mutex names never meet.
#include <gtest/gtest.h>

#include <thread>

#include "SingleInstanceGuard.h"

namespace tarvok {
namespace {

class FakeHost final : public SingleInstanceHost {
 public:
  explicit FakeHost(std::string title, HWND window = nullptr) : title_(std::move(title)), window_(window) {}
  std::string Title() const override { return title_; }
  HWND ApplicationWindow() const override { return window_; }
  std::string ApplicationClassName() const override { return "TarvokTestApplication"; }
  void Terminate() override { ++terminated; }
  int terminated = 0;

 private:
  std::string title_;
  HWND window_;
};

std::string UniqueTitle(const char* name) {
  return std::string("TarvokTest.") + name + "." + std::to_string(GetCurrentProcessId());
}

// Runs `body` on a thread of its own and waits for it.
template <typename Body>
void OnOtherThread(Body body) {
  std::thread thread(body);
  thread.join();
}

TEST(SingleInstanceGuard, FirstInstanceRunsAndSecondGivesWayAndEnds) {
  const std::string title = UniqueTitle("second");
  FakeHost first(title);
  SingleInstanceGuard firstGuard(first);
  EXPECT_FALSE(firstGuard.GiveWayToRunningCopy());
  EXPECT_EQ(first.terminated, 0);

  OnOtherThread([&] {
    FakeHost second(title);
    SingleInstanceGuard guard(second);
    EXPECT_TRUE(guard.GiveWayToRunningCopy());
    EXPECT_EQ(second.terminated, 1);
  });
}

TEST(SingleInstanceGuard, CheckRunningOnAnotherThreadRightNowCountsAsRunning) {
  const std::string title = UniqueTitle("lock");
  HANDLE lock = CreateMutexA(nullptr, TRUE, (title + ".OneInstance.CriticalSection").c_str());
  OnOtherThread([&] {
    FakeHost host(title);
    SingleInstanceGuard guard(host);
    EXPECT_TRUE(guard.AnotherInstanceRunning());
  });
  ReleaseMutex(lock);
  CloseHandle(lock);
}

TEST(SingleInstanceGuard, AbandonedInstanceMutexCountsAsFree) {
  const std::string title = UniqueTitle("abandoned");
  OnOtherThread([&] {
    // A "crashed" instance: owns the mutex and ends without releasing it.
    CreateMutexA(nullptr, TRUE, (title + ".OneInstance.Default").c_str());
  });
  OnOtherThread([&] {
    FakeHost host(title);
    SingleInstanceGuard guard(host);
    EXPECT_FALSE(guard.GiveWayToRunningCopy());
    EXPECT_EQ(host.terminated, 0);
  });
}

class TestWindows {
 public:
  TestWindows() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvokTestApplication";
    RegisterClassA(&windowClass);
  }
  HWND Make(const std::string& title) {
    return CreateWindowExA(0, "TarvokTestApplication", title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
};

TEST(SingleInstanceGuard, FindsTheOtherApplicationWindowAndPostsTheStartMessage) {
  const std::string title = UniqueTitle("window");
  TestWindows windows;
  HWND other = windows.Make(title);
  HWND own = windows.Make(title);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(own, nullptr);

  FakeHost firstHost(title, other);
  SingleInstanceGuard firstGuard(firstHost);
  ASSERT_FALSE(firstGuard.GiveWayToRunningCopy());

  FakeHost ownHost(title, own);
  SingleInstanceGuard lookup(ownHost);
  EXPECT_EQ(lookup.FindRunningCopyWindow(), other);

  OnOtherThread([&] {
    SingleInstanceGuard guard(ownHost);
    EXPECT_TRUE(guard.GiveWayToRunningCopy());
  });
  MSG message;
  const UINT start = RegisterWindowMessageA(kStartMessageName);
  EXPECT_TRUE(PeekMessageA(&message, other, start, start, PM_REMOVE));
  DestroyWindow(own);
  DestroyWindow(other);
}

}  // namespace
}  // namespace tarvok

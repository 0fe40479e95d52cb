// The single-instance guard with real mutexes and windows. Mutexes belong to
// threads, so "another instance" is played by another thread; each test
// uses its own title so the mutex names never meet.
#include <gtest/gtest.h>

#include <thread>

#include "UOneInstanceMay.h"

namespace tarvok {
namespace {

class FakeHost final : public OneInstanceHost {
 public:
  explicit FakeHost(std::string title, HWND window = nullptr) : title_(std::move(title)), window_(window) {}
  std::string Title() const override { return title_; }
  std::string ExeName() const override { return "C:\\Some\\Folder\\tarvok.exe"; }
  HWND ApplicationWindow() const override { return window_; }
  std::string ApplicationClassName() const override { return "TarvokTestApplication"; }
  bool ShowMainForm() const override { return showMainForm; }
  void SetShowMainForm(bool show) override { showMainForm = show; }
  void Terminate() override { ++terminated; }
  bool showMainForm = true;
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

TEST(MutexBaseName, FollowsTitleOrUpperCasedPath) {
  EXPECT_EQ(MutexBaseName("Tarvok", false, ""), "Tarvok.OneInstance.");
  EXPECT_EQ(MutexBaseName("C:\\Apps\\tarvok.exe", true, "x"), "C:/APPS/TARVOK.EXEx.OneInstance.");
}

TEST(OneInstance, FirstInstanceRunsAndSecondGivesWayAndEnds) {
  const std::string title = UniqueTitle("second");
  FakeHost first(title);
  TMOneInstance firstGuard(first);
  EXPECT_FALSE(firstGuard.ProcessInstance());
  EXPECT_EQ(first.terminated, 0);
  EXPECT_TRUE(first.showMainForm);

  OnOtherThread([&] {
    FakeHost second(title);
    TMOneInstance guard(second);
    EXPECT_TRUE(guard.ProcessInstance());
    EXPECT_EQ(second.terminated, 1);
    EXPECT_FALSE(second.showMainForm);
  });
}

TEST(OneInstance, CheckRunningOnAnotherThreadRightNowCountsAsRunning) {
  const std::string title = UniqueTitle("lock");
  HANDLE lock = CreateMutexA(nullptr, TRUE, (title + ".OneInstance.CriticalSection").c_str());
  OnOtherThread([&] {
    FakeHost host(title);
    TMOneInstance guard(host);
    EXPECT_TRUE(guard.AnotherInstanceRunning());
  });
  ReleaseMutex(lock);
  CloseHandle(lock);
}

TEST(OneInstance, AbandonedInstanceMutexCountsAsFree) {
  const std::string title = UniqueTitle("abandoned");
  OnOtherThread([&] {
    // A "crashed" instance: owns the mutex and ends without releasing it.
    CreateMutexA(nullptr, TRUE, (title + ".OneInstance.Default").c_str());
  });
  OnOtherThread([&] {
    FakeHost host(title);
    TMOneInstance guard(host);
    EXPECT_FALSE(guard.ProcessInstance());
    EXPECT_EQ(host.terminated, 0);
  });
}

TEST(OneInstance, MessageHandlerThatKeepsRunningRestoresShowFlag) {
  const std::string title = UniqueTitle("handler");
  FakeHost first(title);
  TMOneInstance firstGuard(first);
  ASSERT_FALSE(firstGuard.ProcessInstance());
  OnOtherThread([&] {
    FakeHost second(title);
    second.showMainForm = true;
    TMOneInstance guard(second);
    guard.ShowMessage = true;
    guard.ActivatePrevInstance = false;
    int calls = 0;
    guard.OnShowMessage = [&](TMOneInstance&, bool& terminate) {
      ++calls;
      terminate = false;
    };
    EXPECT_TRUE(guard.ProcessInstance());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(second.terminated, 0);
    EXPECT_TRUE(second.showMainForm);
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

TEST(OneInstance, FindsTheOtherApplicationWindowAndPostsTheStartMessage) {
  const std::string title = UniqueTitle("window");
  TestWindows windows;
  HWND other = windows.Make(title);
  HWND own = windows.Make(title);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(own, nullptr);

  FakeHost firstHost(title, other);
  TMOneInstance firstGuard(firstHost);
  ASSERT_FALSE(firstGuard.ProcessInstance());

  FakeHost ownHost(title, own);
  TMOneInstance lookup(ownHost);
  EXPECT_EQ(lookup.FindPrevInstanceWindow(), other);

  OnOtherThread([&] {
    TMOneInstance guard(ownHost);
    EXPECT_TRUE(guard.ProcessInstance());
  });
  MSG message;
  const UINT start = RegisterWindowMessageA(kStartMessageName);
  EXPECT_TRUE(PeekMessageA(&message, other, start, start, PM_REMOVE));
  DestroyWindow(own);
  DestroyWindow(other);
}

}  // namespace
}  // namespace tarvok

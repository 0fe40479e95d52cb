// The resident benchmark's leak verdicts rest on these counters: a handle
// opened or closed must show in the count, and memory must read as non-zero.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "ProcessCounters.h"
#include "ScopedHandle.h"

namespace tarvok::bench {
namespace {

class OwnWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExA(0, "STATIC", "counters", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }
  HWND window_ = nullptr;
};

TEST_F(OwnWindow, HandleCountFollowsOpenAndClose) {
  ProcessCounters before;
  ASSERT_TRUE(ReadProcessCounters(window_, 0, before));
  ASSERT_GT(before.handles, 0u);
  {
    std::vector<ScopedHandle> events;
    for (int i = 0; i < 25; ++i) events.emplace_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ProcessCounters during;
    ASSERT_TRUE(ReadProcessCounters(window_, 0, during));
    EXPECT_EQ(during.handles, before.handles + 25);
  }
  ProcessCounters after;
  ASSERT_TRUE(ReadProcessCounters(window_, 0, after));
  EXPECT_EQ(after.handles, before.handles);
}

TEST_F(OwnWindow, MemoryIsReadAndLinuxFiguresNeedAProcessId) {
  ProcessCounters counters;
  ASSERT_TRUE(ReadProcessCounters(window_, 0, counters));
  EXPECT_GT(counters.workingSetKb, 0u);
  EXPECT_GE(counters.peakWorkingSetKb, counters.workingSetKb);
  EXPECT_EQ(counters.linuxResidentKb, 0u);
  EXPECT_EQ(counters.linuxPrivateKb, 0u);
}

// Under Wine the Linux side of a process is read through Z:\proc; a Windows
// run has no such drive and skips this.
TEST_F(OwnWindow, LinuxMemoryOfItsOwnProcessUnderWine) {
  ScopedHandle stat(CreateFileA("Z:\\proc\\self\\stat", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  if (!stat) GTEST_SKIP() << "not under Wine";
  char text[64] = "";
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(stat.get(), text, sizeof text - 1, &read, nullptr));
  const unsigned long linuxPid = std::strtoul(text, nullptr, 10);
  ASSERT_GT(linuxPid, 0u);
  ProcessCounters counters;
  ASSERT_TRUE(ReadProcessCounters(window_, linuxPid, counters));
  EXPECT_GT(counters.linuxResidentKb, 0u);
  EXPECT_GT(counters.linuxPrivateKb, 0u);
  EXPECT_LE(counters.linuxPrivateKb, counters.linuxResidentKb);
}

TEST(ProcessCounters, AWindowThatIsGoneIsReported) {
  HWND window = CreateWindowExA(0, "STATIC", "gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  ProcessCounters counters;
  EXPECT_FALSE(ReadProcessCounters(window, 0, counters));
}

}  // namespace
}  // namespace tarvok::bench

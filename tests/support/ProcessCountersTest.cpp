// The resident benchmark's leak verdicts rest on these counters: a handle
// opened or closed must show in the count, and memory must read as non-zero.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "LinuxProc.h"
#include "ProcessCounters.h"
#include "ScopedHandle.h"

namespace tarvok::counters {
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
// run has no such drive and skips this. The figures must be this process's
// own (Z:\proc\self would be the wineserver's): 8 MiB touched here show.
TEST_F(OwnWindow, LinuxMemoryOfItsOwnProcessUnderWine) {
  if (OwnLinuxProcessId() == 0) GTEST_SKIP() << "not under Wine";
  ProcessCounters before;
  ASSERT_TRUE(ReadOwnCounters(before));
  EXPECT_GT(before.linuxResidentKb, 0u);
  EXPECT_GT(before.linuxPrivateKb, 0u);
  EXPECT_LE(before.linuxPrivateKb, before.linuxResidentKb);
  constexpr std::size_t kTouchedKb = 8 * 1024;
  std::vector<char> touched(kTouchedKb * 1024, 1);
  ProcessCounters after;
  ASSERT_TRUE(ReadOwnCounters(after));
  EXPECT_GE(after.linuxPrivateKb, before.linuxPrivateKb + kTouchedKb * 9 / 10) << touched[kTouchedKb];
  std::string status = ReadLinuxProcFile(OwnLinuxProcessId(), "status");
  EXPECT_EQ(status.find("wineserver"), std::string::npos);
}

// The resident test's leak verdict is taken in heap bytes: a block that is
// not freed must show to the byte, one that is freed must not.
TEST(ProcessCounters, HeapBytesFollowAllocationAndFree) {
  ProcessCounters before, during, after;
  ASSERT_TRUE(ReadOwnCounters(before));
  ASSERT_GT(before.heapBusyBytes, 0u);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 1000);
  ASSERT_NE(block, nullptr);
  ASSERT_TRUE(ReadOwnCounters(during));
  GlobalFree(block);
  ASSERT_TRUE(ReadOwnCounters(after));
  EXPECT_GE(during.heapBusyBytes, before.heapBusyBytes + 1000);
  EXPECT_EQ(after.heapBusyBytes, before.heapBusyBytes);
}

TEST(ProcessCounters, AWindowThatIsGoneIsReported) {
  HWND window = CreateWindowExA(0, "STATIC", "gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  ProcessCounters counters;
  EXPECT_FALSE(ReadProcessCounters(window, 0, counters));
}

}  // namespace
}  // namespace tarvok::counters

// The typing benchmark reads the quiet window's character count from
// another process. Wine converts WM_GETTEXTLENGTH between character sets
// across processes by fetching the window text, so a count answered through
// that message arrived as the caption's length; the count message must
// come through unchanged, and emptying the field must reset it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "QuietTarget.h"
#include "ScopedHandle.h"
#include "TargetField.h"

namespace tarvok::bench {
namespace {

class QuietTargetProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string command = std::string("\"") + TARVOK_BENCH_BIN_DIR + "/tarvok-bench-quiet.exe\" \"Quiet Under Test\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started))
        << command;
    process_.reset(started.hProcess);
    CloseHandle(started.hThread);
    for (int attempt = 0; attempt < 300 && !window_; ++attempt) {
      window_ = FindWindowA(kQuietTargetClass, "Quiet Under Test");
      if (!window_) Sleep(50);
    }
    ASSERT_NE(window_, nullptr) << "the quiet window did not appear";
  }
  void TearDown() override {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (process_ && WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
  }

  bool WaitForLength(const TargetField& field, long expected) {
    for (int attempt = 0; attempt < 200; ++attempt) {
      if (field.TextLength() == expected) return true;
      Sleep(10);
    }
    return false;
  }

  ScopedHandle process_;
  HWND window_ = nullptr;
};

TEST_F(QuietTargetProcess, CountsCharactersAcrossProcessesAndEmpties) {
  const TargetField field("Quiet Under Test");
  ASSERT_TRUE(field.Found());
  EXPECT_TRUE(WaitForLength(field, 0)) << field.TextLength();
  for (const char c : std::string("1234567")) PostMessageA(window_, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_TRUE(WaitForLength(field, 7)) << field.TextLength();
  EXPECT_TRUE(field.Clear());
  EXPECT_TRUE(WaitForLength(field, 0)) << field.TextLength();
}

}  // namespace
}  // namespace tarvok::bench

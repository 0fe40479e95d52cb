// The log line's shape and its timestamp rule.
#include <gtest/gtest.h>

#include <utility>

#include "EngineFakes.h"
#include "LogLine.h"

namespace tarvok {
namespace {

using testing::FakeLogFile;

struct StampCase {
  const char* name;
  LocalTime time;
  const char* expected;
};

class TimestampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(TimestampTest, DateThenTimeUnlessMidnight) {
  FakeLogFile log;
  EXPECT_EQ(FormatLogTimestamp(log, GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Times, TimestampTest,
                         ::testing::Values(StampCase{"Midnight", {2026, 1, 2, 0, 0, 0}, "2.1.2026"},
                                           StampCase{"OneSecondPast", {2026, 1, 2, 0, 0, 1}, "2.1.2026 0:0:1"},
                                           StampCase{"Noon", {2026, 1, 2, 12, 0, 0}, "2.1.2026 12:0:0"}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(LogLine, ExpressionWrittenAsTypedWithCrLf) {
  FakeLogFile log;
  AppendLogLine(log, "D:\\x\\", std::string_view("2*3\0\xE9", 5), "6.00");
  AppendLogLine(log, "D:\\x\\", "2*", "");
  EXPECT_EQ(log.files.at("D:\\x\\log.txt"),
            std::string("[8.12.2026 1:2:3] 2*3") + '\0' + "\xE9=6.00\r\n[8.12.2026 1:2:3] 2*=\r\n");
}

TEST(LogLine, ClosingEqualsTypedByTheUserIsNotDoubled) {
  const std::pair<const char*, const char*> cases[] = {
      {"Price 12*3=", "Price 12*3=36.00"},
      {"Price 12*3= \t", "Price 12*3= \t36.00"},
      {"Price 12*3", "Price 12*3=36.00"},
      {"1=2+3", "1=2+3=36.00"},
      {"=", "=36.00"},
      {" ", " =36.00"},
  };
  for (const auto& [typed, logged] : cases) {
    FakeLogFile log;
    AppendLogLine(log, "D:\\", typed, "36.00");
    EXPECT_EQ(log.files.at("D:\\log.txt"), std::string("[8.12.2026 1:2:3] ") + logged + "\r\n") << typed;
  }
}

TEST(LogLine, FileErrorRaises) {
  FakeLogFile log;
  log.fails = true;
  EXPECT_THROW(AppendLogLine(log, "D:\\", "1", "1.00"), LogFileError);
}

TEST(ProgramFolder, OnlyAbsoluteFoldersCount) {
  EXPECT_TRUE(IsAbsoluteFolder("C:\\Program Files\\Tarvok\\"));
  EXPECT_TRUE(IsAbsoluteFolder("z:\\"));
  EXPECT_TRUE(IsAbsoluteFolder("\\\\server\\share\\"));
  for (const char* relative : {"0", "", "C:", "C:x\\", "tarvok\\", "\\tarvok\\", "\\\\\\x", "1:\\"}) {
    EXPECT_FALSE(IsAbsoluteFolder(relative)) << relative;
  }
}

}  // namespace
}  // namespace tarvok

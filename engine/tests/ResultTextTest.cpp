// Result production for a hot key: the blank is appended, failures give an
// empty text, and nothing escapes as an exception.
#include <gtest/gtest.h>

#include <string>

#include "ResultText.h"

namespace tarvok {
namespace {

struct ResultCase {
  std::string expression;
  int precision;
  bool failed;
  std::string text;
};

const ResultCase kResults[] = {
    {"2*3", 2, false, "6.00"},
    {"5", 2, false, "5.00"},
    {"2.5", 0, false, "3"},
    {"-1/3", 3, false, "-0.333"},
    {"Total", 2, true, ""},
    {"", 2, true, ""},
    {std::string("2+\0" "3", 4), 2, false, "5.00"},
    {"1/0", 2, true, ""},
    {"ARTH(1)", 2, false, "INF"},
    {std::string(600, ' ') + "7", 1, false, "7.0"},
    {std::string(600, '(') + "7", 1, true, ""},
};

TEST(ResultTextTest, TextAndFailureMark) {
  for (const ResultCase& c : kResults) {
    const ResultText result = MakeResultText(c.expression, c.precision);
    EXPECT_EQ(result.failed, c.failed) << c.expression;
    EXPECT_EQ(result.text, c.text) << c.expression;
  }
}

TEST(ResultTextTest, ValueComesWithTheText) {
  EXPECT_EQ(MakeResultText("2*3", 2).value, 6);
  EXPECT_EQ(MakeResultText("Total 1/4", 1).value, 0.25);
}

}  // namespace
}  // namespace tarvok

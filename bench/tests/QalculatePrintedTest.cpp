// libqalculate prints what it computes; only a text that is one number may
// count as its value, else a refusal would pass for an agreement.
#include <gtest/gtest.h>

#include "QalculatePrinted.h"

namespace tarvok::bench {
namespace {

TEST(ReadQalculatePrinted, NumbersInTheFormsItPrints) {
  struct Case {
    const char* printed;
    long double value;
  };
  const Case cases[] = {
      {"10", 10},
      {"-6", -6},
      {"\xE2\x88\x92" "6", -6},             // Unicode minus
      {"\xE2\x89\x88 0.5", 0.5L},           // approximately
      {"\xE2\x89\x88" "1981.1", 1981.1L},
      {"40030.173592041145444", 40030.173592041145444L},
      {"1.5E20", 1.5e20L},
      {" 12 ", 12},
  };
  for (const Case& c : cases) {
    long double value = -1;
    EXPECT_TRUE(ReadQalculatePrinted(c.printed, value)) << c.printed;
    EXPECT_EQ(value, c.value) << c.printed;
  }
}

TEST(ReadQalculatePrinted, AnythingElseIsRefused) {
  for (const char* printed : {"", "sin()", "interval(5.41, 5.42)", "1 + x", "sqrt(2)", "12 m", "[1  0  2]",
                              "\xE2\x89\x88"}) {
    long double value = 0;
    EXPECT_FALSE(ReadQalculatePrinted(printed, value)) << printed;
  }
}

}  // namespace
}  // namespace tarvok::bench

// The median and the 10-decimal agreement rule the peer report rests on.
#include <gtest/gtest.h>

#include <limits>

#include "Statistics.h"

namespace tarvok::bench {
namespace {

TEST(Median, OddEvenEmptyAndUnsorted) {
  struct Case {
    std::vector<double> samples;
    double median;
  };
  const Case cases[] = {
      {{}, 0},
      {{7}, 7},
      {{3, 1, 2}, 2},
      {{4, 1, 3, 2}, 2.5},
      {{9, 1, 1, 1, 9}, 1},  // outliers from a busy machine do not move it
      {{5, 5, 1, 100}, 5},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Median(c.samples), c.median) << ::testing::PrintToString(c.samples);
}

TEST(AgreeToTenDecimals, Table) {
  constexpr long double inf = std::numeric_limits<long double>::infinity();
  constexpr long double nan = std::numeric_limits<long double>::quiet_NaN();
  struct Case {
    long double ours, theirs;
    bool agree;
  };
  const Case cases[] = {
      {0.1L, 0.1, true},                      // double against extended rounding
      {2.5L, 2.5L + 2e-11L, true},
      {2.5L, 2.5L + 2e-10L, false},
      {9999.5L, 9999.5L + 0.9e-10L, true},
      {9999.5L, 9999.5L + 1.1e-10L, false},
      {0, 1e-11L, true},
      {0, 1e-9L, false},
      {-3, 3, false},
      {40030.173592041L, 40030.173592041L + 3e-10L, true},  // 14 digits
      {40030.173592041L, 40030.173592041L + 1e-9L, false},
      {1e12L, 1e12L + 0.005L, true},
      {1e12L, 1e12L + 0.05L, false},
      {inf, inf, true},
      {inf, -inf, false},
      {inf, 1e300L, false},
      {nan, nan, false},
      {1, nan, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AgreeToTenDecimals(c.ours, c.theirs), c.agree) << static_cast<double>(c.ours) << " vs "
                                                               << static_cast<double>(c.theirs);
  }
}

}  // namespace
}  // namespace tarvok::bench

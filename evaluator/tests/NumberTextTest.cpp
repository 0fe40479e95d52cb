// The result's number text: decimal rounding in two steps, the sign of
// zero, the exponent form and the special values.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "NumberText.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

struct TextCase {
  long double value;
  int precision;
  const char* text;
};

const TextCase kTexts[] = {
    {5, 2, "5.00"},
    {2.5L, 0, "3"},
    {-2.5L, 0, "-3"},
    {3.5L, 0, "4"},
    {0.5L, 0, "1"},
    {0.49L, 0, "0"},
    {-1.0L / 3, 3, "-0.333"},
    {2.0L / 3, 10, "0.6666666667"},
    {2.675L, 2, "2.68"},
    {1.005L, 2, "1.01"},
    {1.0049999L, 2, "1.00"},
    {0.125L, 2, "0.13"},
    {-0.125L, 2, "-0.13"},
    {-0.001L, 2, "0.00"},
    {-0.0L, 2, "0.00"},
    {0, 0, "0"},
    {-0.4L, 0, "0"},
    {0.006L, 2, "0.01"},
    {0.0006L, 2, "0.00"},
    {9.995L, 2, "10.00"},
    {99.96L, 1, "100.0"},
    {1234567.5L, 2, "1234567.50"},
    {123456789012345678.0L, 2, "123456789012345678.00"},
    {1234567890123456.789L, 3, "1234567890123456.790"},
    {0.1L, 10, "0.1000000000"},
    {1e-10L, 10, "0.0000000001"},
    {4.9e-11L, 10, "0.0000000000"},
    {5e-11L, 10, "0.0000000001"},
    {999999999999999999.4L, 0, "999999999999999999"},
    {999999999999999999.5L, 0, "1E+18"},
    {1e17L, 2, "100000000000000000.00"},
    {1e18L, 2, "1E+18"},
    {1e19L, 2, "1E+19"},
    {-1.5e20L, 2, "-1.5E+20"},
    {18446744073709551615.0L, 2, "1.84467440737095516E+19"},
    {1.18973149535723176502e+4932L, 2, "1.18973149535723177E+4932"},
    {std::numeric_limits<long double>::denorm_min(), 10, "0.0000000000"},
    {-9e-13L, 10, "0.0000000000"},
    {4e-11L, 10, "0.0000000000"},
    {std::numeric_limits<long double>::infinity(), 2, "INF"},
    {-std::numeric_limits<long double>::infinity(), 2, "-INF"},
    {std::numeric_limits<long double>::quiet_NaN(), 2, "NAN"},
    {7, -3, "7"},
    {7, 99, "7.0000000000"},
};

TEST(NumberTextTest, FormatsByTheRules) {
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberText(c.value, c.precision), c.text);
  }
}

TEST(NumberTextTest, BufferFormMatchesAndIsTerminated) {
  std::array<char, kNumberTextCapacity> buffer;
  buffer.fill('#');
  const std::size_t length = WriteNumberText(-1.5e20L, 2, buffer);
  EXPECT_EQ(length, std::strlen(buffer.data()));
  EXPECT_EQ(std::string(buffer.data(), length), "-1.5E+20");
}

// The longest texts (negative, all digits, widest exponent) fit the buffer.
TEST(NumberTextTest, LongestTextsFit) {
  const long double extremes[] = {-123456789012345678.123L,
                                  -std::numeric_limits<long double>::max(),
                                  -std::numeric_limits<long double>::denorm_min(),
                                  -1.23456789012345678e-5L};
  for (const long double value : extremes) {
    const std::string text = NumberText(value, kMaxPrecision);
    EXPECT_LT(text.size(), kNumberTextCapacity - 1) << text;
  }
}

// The exponent form reads back as the same value, to 18 digits.
TEST(NumberTextTest, ExponentFormReadsBack) {
  for (long double value = 1.234567e19L; value < 1e4000L; value *= 1.7e37L) {
    const std::string text = NumberText(value, 2);
    EXPECT_EQ(NumberText(EvaluateText(text + " "), 2), text);
  }
}

// Every value with up to 18 significant digits comes out as written.
TEST(NumberTextTest, ShortDecimalsRoundTrip) {
  const char* texts[] = {"0.01", "3.14", "123456.78", "0.30", "99999999.99", "17.05",
                         "1000000000000.01", "2.50", "4503599627370495.50",
                         "9999999999999999.99"};
  for (const char* text : texts) {
    EXPECT_EQ(NumberText(EvaluateText(std::string(text) + " "), 2), text);
  }
}

}  // namespace
}  // namespace tarvok

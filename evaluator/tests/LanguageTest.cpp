// The language as a user meets it: typed texts (the caller's blank is added
// here, as the hot key does) and the value or the error they give.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "EvaluatorTestSupport.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

using testing::Evaluate;
using testing::ExpectValues;
using testing::kInf;
using testing::kPi;
using testing::ValueCase;

// Exact results: compared bit for bit.
const ValueCase kValues[] = {
    {"2*3+4", 10}, {"2 * 3 + 4", 10}, {"2 - 3 + 4", 3}, {"8-3-2", 3}, {"10 / 2 * 5", 25},
    {"- 3 + 4", 1}, {"-2*3", -6}, {"2*-3", -6}, {"2--3", 5}, {"--3", 3}, {"(2+3)*4", 20},
    {"( 2 + 3 )", 5}, {"5)", 5}, {"2^3", 2}, {"2(3)", 2}, {"50%", 50}, {"2 apples", 2},
    {"7 DIV 2", 3}, {"7.5 div 2", 4}, {"6.5 DIV 1", 6}, {"-7 DIV 2", -3}, {"-7 MOD 3", -1},
    {"7 mod -3", 1}, {"7DIV2", 3}, {"2*3 div 4", 1}, {"5 dollars", 5}, {"3 mm", 3},
    {"2 MAX(3,4)", 2}, {"Price 12*3", 36}, {"Total: 5+3", 8}, {"2+abc 3", 5}, {"abc+2", 2},
    {"\xC8\xF2\xEE\xE3\xEE 2+2", 4}, {"2\t+\x01 2", 4}, {"2{+}3", 5}, {"pi*2", 2 * kPi},
    {"Pi", kPi}, {"[3.7]", 3}, {"[-2.5]", -2}, {"[ 2 ]", 2}, {"12.50", 12.5}, {"12,5", 12},
    {"1.5.2", 1.5}, {"5.", 5}, {"1e3", 1000}, {"2E+3", 2000}, {"25e-1", 2.5}, {"2.5E", 2.5},
    {"1e+", 1}, {"1e-x", 1}, {"3EUR", 3}, {"1e-5000", 0}, {"0e99999", 0},
    {"18446744073709551615", 18446744073709551615.0L}, {"0.1", 0.1L}, {"0.3", 0.3L},
    {"123.456", 123.456L}, {"1e27", 1e27L}, {"9223372036854775807 div 1", 9223372036854775807.0L},
    {"-9223372036854775808 div -1", 9223372036854775808.0L},
    {"-9223372036854775808 mod -1", 0}, {"ARTH(1)+1", kInf}, {"-ARTH(1)", -kInf},
    {"ARTH(1)*ARTH(1)", kInf}, {"1/ARTH(1)", 0},
    // The help's first example and its page of what the language ignores.
    {"Price 12*3=", 36}, {"Price 12*3 = ", 36}, {"2^10", 2}, {"200*15%", 3000}, {"12,5*2", 12},
    {"1 000+1", 1}, {"2(3+4)", 2}, {"POWER(2,10)", 1024}, {"200*15/100", 30}, {"12.5*2", 25},
    {"1000+1", 1001}, {"2*(3+4)", 14},
};

TEST(LanguageTest, ValuesOfTypedTexts) { ExpectValues(kValues); }

struct ErrorCase {
  const char* typed;
  const char* errorClass;
  const char* message;  // Windows-1251, position included
};

#define BRACKET "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ')' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 "
#define SQUARE "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ']' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 "
#define COMMA "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ',' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 "
#define SYNTAX \
  "\xD1\xE8\xED\xF2\xE0\xEA\xF1\xE8\xF7\xE5\xF1\xEA\xE0\xFF \xEE\xF8\xE8\xE1\xEA\xE0 \xE2 " \
  "\xEF\xEE\xE7\xE8\xF6\xE8\xE8 "

const ErrorCase kErrors[] = {
    {"+3", "ESyntaxErr", SYNTAX "1"},
    {"(2+3", "EBracket", BRACKET "7"},
    {"((1)", "EBracket", BRACKET "7"},
    {"Price (2+3", "EBracket", BRACKET "7"},  // positions count from after the word
    {"x = 5", "EBracket", BRACKET "2"},
    {"sum = 5", "ESyntaxErr", SYNTAX "1"},
    {"", "ESyntaxErr", SYNTAX "3"},
    {"Total", "ESyntaxErr", SYNTAX "2"},
    {"PI2", "ESyntaxErr", SYNTAX "2"},
    {"[3.7", "EBracket", SQUARE "7"},
    {".5", "ESyntaxErr", SYNTAX "1"},
    {"2*", "ESyntaxErr", SYNTAX "5"},
    {"2/)", "ESyntaxErr", SYNTAX "3"},
    {"_1", "ESyntaxErr", SYNTAX "1"},
    {"1/0", "EZeroDivide", "Floating point division by zero"},
    {"0/0", "EInvalidOp", "Invalid floating point operation"},
    {"-1/0", "EZeroDivide", "Floating point division by zero"},
    {"7 MOD 0", "EDivByZero", "Division by zero"},
    {"7 DIV 0.4", "EDivByZero", "Division by zero"},
    {"1e19 DIV 2", "EInvalidOp", "Invalid floating point operation"},
    {"2 DIV 1e19", "EInvalidOp", "Invalid floating point operation"},
    {"1e30 DIV 0", "EInvalidOp", "Invalid floating point operation"},
    {"1e5000", "EOverflow", "Floating point overflow"},
    {"1e4000*1e4000", "EOverflow", "Floating point overflow"},
    {"1e4932+1e4932", "EOverflow", "Floating point overflow"},
    {"ARTH(1)-ARTH(1)", "EInvalidOp", "Invalid floating point operation"},
    {"ARTH(1)*0", "EInvalidOp", "Invalid floating point operation"},
};

TEST(LanguageTest, ErrorsOfTypedTexts) {
  for (const ErrorCase& c : kErrors) {
    SCOPED_TRACE(c.typed);
    try {
      Evaluate(c.typed);
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
      EXPECT_STREQ(error.ClassName(), c.errorClass);
      EXPECT_EQ(error.Message(), c.message);
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(LanguageTest, ErrorFamiliesDeriveAsDeclared) {
  EXPECT_THROW(Evaluate("(1"), ECalcError);
  EXPECT_THROW(Evaluate("+1"), ECalcError);
  EXPECT_THROW(Evaluate("IF(1"), ECalcError);
  EXPECT_THROW(Evaluate("LOG(2 8)"), ECalcError);
  EXPECT_THROW(Evaluate("1/0"), Exception);
  EXPECT_THROW(Evaluate("0/0"), Exception);
  EXPECT_THROW(Evaluate("1 mod 0"), Exception);
  EXPECT_FALSE(dynamic_cast<const ECalcError*>(&static_cast<const Exception&>(EZeroDivide("x"))));
}

TEST(LanguageTest, InputIsTakenAsBytesWithoutATerminator) {
  const std::string withNul("2+\0" "3 ", 5);
  EXPECT_EQ(EvaluateText(withNul), 5);
  EXPECT_EQ(EvaluateText(std::string_view("4*5 junk", 3)), 20);
}

// Texts far longer than a typed line, and pathological nesting, end in a
// value or an error, never in a crash or a hang.
TEST(LanguageTest, BoundsOnNestingAndRepetition) {
  const std::string deep = std::string(2000, '(') + "1" + std::string(2000, ')');
  EXPECT_THROW(Evaluate(deep), ECalcError);
  EXPECT_THROW(Evaluate(std::string(5000, '-') + "1"), ECalcError);
  EXPECT_THROW(Evaluate(std::string(300, '(') + "1"), EBracket);  // within the bound
  std::string words;
  for (int i = 0; i < 3000; ++i) words += "ab ";
  EXPECT_THROW(Evaluate(words + "1"), ECalcError);
  EXPECT_EQ(Evaluate(std::string(100, '-') + "1"), 1);

  EXPECT_THROW(Evaluate("SUM(1,2000000,1)"), ECalcError);
  EXPECT_THROW(Evaluate("SUM(1,1000,SUM(1,1000,SUM(1,1000,1)))"), ECalcError);
  EXPECT_EQ(Evaluate("SUM(1,100000,1)"), 100000);
  // A long term costs its length on every pass.
  EXPECT_EQ(Evaluate("SUM(1,1000," + std::string(280, ' ') + "1)"), 1000);
  EXPECT_THROW(Evaluate("SUM(1,10000," + std::string(280, ' ') + "1)"), ECalcError);
  EXPECT_EQ(Evaluate(std::string(100000, ' ') + "7"), 7);
  EXPECT_NEAR(Evaluate(std::string(5000, '1') + "e-4990"), 1.1111111111111111111e9L, 1e-6L);
}

}  // namespace
}  // namespace tarvok

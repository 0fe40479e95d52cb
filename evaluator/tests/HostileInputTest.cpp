// Texts no one types but a program can hand over (a pasted file, a stuck key,
// a script): each must end in a value or one of the evaluator's errors, with
// the caller's x87 control word back, and quickly, whatever its size or shape.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>

#include "EvaluatorTestSupport.h"
#include "FpuEnvironment.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::string Nested(int depth, const std::string& open, const std::string& inner, const std::string& close) {
  return Repeat(open, depth) + inner + Repeat(close, depth);
}

enum class Outcome { kValue, kError };

struct HostileCase {
  const char* name;
  std::function<std::string()> make;
  Outcome outcome;
};

const HostileCase kHostileCases[] = {
    {"a million digits", [] { return std::string(1'000'000, '7'); }, Outcome::kError},
    {"a million blanks then a number", [] { return std::string(1'000'000, ' ') + "7"; }, Outcome::kValue},
    {"a million letters", [] { return std::string(1'000'000, 'x'); }, Outcome::kError},
    {"a million bytes above the language", [] { return std::string(1'000'000, '\xFF'); }, Outcome::kError},
    {"a million NULs", [] { return std::string(1'000'000, '\0'); }, Outcome::kError},
    {"500,000 additions", [] { return Repeat("1+", 500'000) + "1"; }, Outcome::kValue},
    {"5,000,000 additions", [] { return Repeat("1+", 5'000'000) + "1"; }, Outcome::kError},
    {"a million minus signs", [] { return std::string(1'000'000, '-') + "1"; }, Outcome::kError},
    {"100,000 nested brackets", [] { return Nested(100'000, "(", "1", ")"); }, Outcome::kError},
    {"100,000 open brackets", [] { return std::string(100'000, '(') + "1"; }, Outcome::kError},
    {"100,000 close brackets", [] { return "1" + std::string(100'000, ')'); }, Outcome::kValue},
    {"100,000 nested square brackets", [] { return Nested(100'000, "[", "1", "]"); }, Outcome::kError},
    {"100,000 nested functions", [] { return Nested(100'000, "SIN(", "1", ")"); }, Outcome::kError},
    {"100,000 nested IFs", [] { return Nested(100'000, "IF(1>0,", "1", ",0)"); }, Outcome::kError},
    {"100,000 powers", [] { return Repeat("2^", 100'000) + "2"; }, Outcome::kValue},
    {"nested SUMs of a million passes each", [] { return Nested(3, "SUM(1,1000000,", "1", ")"); }, Outcome::kError},
    {"100 nested SUMs", [] { return Nested(100, "SUM(1,10,", "1", ")"); }, Outcome::kError},
    {"a SUM with the widest bounds", [] { return std::string("SUM(-2147483648,2147483647,1)"); }, Outcome::kError},
    {"a SUM beyond 32 bits", [] { return std::string("SUM(1,1e30,1)"); }, Outcome::kError},
    {"a SUM counting down", [] { return std::string("SUM(1000000,1,1)"); }, Outcome::kError},
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileInputTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputTest, EndsInAValueOrAnErrorWithTheControlWordBack) {
  const HostileCase& c = GetParam();
  const std::string text = c.make();
  constexpr std::uint16_t kCallerControl = 0x0E7F;  // 53-bit, toward zero, traps masked
  WriteX87ControlWord(kCallerControl);
  const std::uint16_t expected = ReadX87ControlWord();
  bool valued = false;
  try {
    (void)testing::Evaluate(text);
    valued = true;
  } catch (const ECalcError& error) {
    EXPECT_FALSE(error.Message().empty());
  } catch (const Exception&) {
    // Arithmetic errors are fine as long as they are ours.
  }
  EXPECT_EQ(ReadX87ControlWord(), expected);
  WriteX87ControlWord(0x037F);
  EXPECT_EQ(valued, c.outcome == Outcome::kValue);
}

std::string CaseName(const ::testing::TestParamInfo<HostileCase>& param) {
  std::string name;
  for (const char* p = param.param.name; *p != '\0'; ++p) {
    if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileInputTest, ::testing::ValuesIn(kHostileCases), CaseName);

}  // namespace
}  // namespace tarvok

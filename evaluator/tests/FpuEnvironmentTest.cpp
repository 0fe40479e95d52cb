// The caller's x87 state survives every evaluation: its control word
// (precision, rounding, unmasked traps) and its exception flags come back
// unchanged after a value and after each kind of error.
#include <gtest/gtest.h>

#include <cstdint>

#include "FpuEnvironment.h"
#include "NumberText.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

constexpr std::uint16_t kStatusFlags = 0x00FF;

class CallerControlWord {
 public:
  explicit CallerControlWord(std::uint16_t control) : saved_(ReadX87ControlWord()) {
    WriteX87ControlWord(control);
  }
  ~CallerControlWord() { WriteX87ControlWord(saved_); }

 private:
  std::uint16_t saved_;
};

const char* const kTexts[] = {"2*3+4 ",      "1/0 ",      "0/0 ",        "1e4000*1e4000 ",
                              "7 mod 0 ",    "(1 ",       "SQRT(-1) ",   "ARTH(1)-ARTH(1) ",
                              "1/3 ",        "EXP(-20000) ", "1e-4940/3 ", "SUM(1,3,LN(0)) "};

// Control words of real callers: Windows' default (53-bit), the 0x1332 of
// runtimes that trap invalid, zero-divide and overflow, round-down, 24-bit.
const std::uint16_t kCallerControlWords[] = {0x027F, 0x037F, 0x1332, 0x077F, 0x007F, 0x1372};

TEST(FpuEnvironmentTest, CallerStateComesBackAfterEveryOutcome) {
  for (const std::uint16_t control : kCallerControlWords) {
    const CallerControlWord caller(control);
    const std::uint16_t expected = ReadX87ControlWord();  // reserved bit 6 reads as 1
    for (const char* text : kTexts) {
      SCOPED_TRACE(text);
      const std::uint16_t statusBefore = ReadX87StatusWord() & kStatusFlags;
      try {
        EvaluateText(text);
      } catch (const Exception&) {
      }
      EXPECT_EQ(ReadX87ControlWord(), expected);
      EXPECT_EQ(ReadX87StatusWord() & kStatusFlags, statusBefore);
    }
  }
}

// Both ways back: a caller with no flags pending gets none of ours, and a
// caller's own pending flags (here inexact and zero-divide) survive intact.
TEST(FpuEnvironmentTest, CallerFlagsComeBackExactlyWithOrWithoutPendingFlags) {
  const CallerControlWord caller(0x037F);
  for (const bool callerHasFlags : {false, true}) {
    asm volatile("fnclex");
    if (callerHasFlags) {
      volatile long double one = 1, zero = 0;
      volatile long double third = one / 3, infinite = one / zero;  // raise PE and ZE, masked
      (void)third;
      (void)infinite;
    }
    const std::uint16_t statusBefore = ReadX87StatusWord() & kStatusFlags;
    ASSERT_EQ(statusBefore != 0, callerHasFlags);
    for (const char* text : kTexts) {
      SCOPED_TRACE(text);
      try {
        EvaluateText(text);
      } catch (const Exception&) {
      }
      EXPECT_EQ(ReadX87StatusWord() & kStatusFlags, statusBefore);
    }
  }
  asm volatile("fnclex");
}

// The caller's precision does not leak into the evaluation: 1/3 has its
// 64-bit significand even when the caller runs at 24 or 53 bits.
TEST(FpuEnvironmentTest, EvaluationUsesExtendedPrecision) {
  const long double reference = EvaluateText("1/3 ");
  for (const std::uint16_t control : {std::uint16_t{0x027F}, std::uint16_t{0x007F},
                                      std::uint16_t{0x0F7F}}) {
    const CallerControlWord caller(control);
    const long double value = EvaluateText("1/3 ");
    WriteX87ControlWord(kEvaluationControlWord);
    const bool same = value == reference;
    const std::string text = NumberText(value, 10);
    WriteX87ControlWord(control);
    EXPECT_TRUE(same);
    EXPECT_EQ(text, "0.3333333333");
  }
}

}  // namespace
}  // namespace tarvok

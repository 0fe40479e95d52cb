// What the evaluator's test tables share: the constants they are written in,
// the typed-text entry (with the blank the hot key appends) and the value
// table check.
#pragma once

#include <gtest/gtest.h>

#include <limits>
#include <span>
#include <string>

#include "SafeCalc.h"

namespace tarvok::testing {

inline constexpr long double kPi = 3.14159265358979323846264338327950288L;
inline constexpr long double kInf = std::numeric_limits<long double>::infinity();

// Evaluates as the hot key does: the typed text with one blank appended.
inline long double Evaluate(const std::string& typed) { return EvaluateText(typed + " "); }

struct ValueCase {
  const char* typed;
  long double value;
};

// Exact results: compared bit for bit.
inline void ExpectValues(std::span<const ValueCase> cases) {
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(Evaluate(c.typed), c.value);
  }
}

}  // namespace tarvok::testing

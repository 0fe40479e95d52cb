// Fault reporting and the integer operations behind DIV and MOD.
#include "CheckedArithmetic.h"

#include <limits>

namespace tarvok {
namespace {

constexpr long double kTwoPower63 = 9223372036854775808.0L;

struct RoundedPair {
  std::int64_t dividend;
  std::int64_t divisor;
};

// The right operand is rounded first, as the language reads it.
RoundedPair RoundOperands(long double dividend, long double divisor) {
  const std::int64_t right = RoundToInt64(divisor);
  const std::int64_t left = RoundToInt64(dividend);
  if (right == 0) throw EDivByZero(messages::kDivByZero);
  return {left, right};
}

}  // namespace

void RaiseInvalidOp() { throw EInvalidOp(messages::kInvalidOp); }
void RaiseZeroDivide() { throw EZeroDivide(messages::kZeroDivide); }
void RaiseOverflow() { throw EOverflow(messages::kOverflow); }

std::int64_t RoundToInt64(long double x) {
  // Runs under the evaluation's control word, so nearbyint rounds ties to even.
  const long double rounded = std::nearbyint(x);
  if (!(rounded >= -kTwoPower63 && rounded < kTwoPower63)) RaiseInvalidOp();
  return static_cast<std::int64_t>(rounded);
}

long double IntegerDivide(long double dividend, long double divisor) {
  const RoundedPair pair = RoundOperands(dividend, divisor);
  // The one quotient that does not fit 64 bits is exact as a value.
  if (pair.dividend == std::numeric_limits<std::int64_t>::min() && pair.divisor == -1) {
    return kTwoPower63;
  }
  return static_cast<long double>(pair.dividend / pair.divisor);
}

long double IntegerModulo(long double dividend, long double divisor) {
  const RoundedPair pair = RoundOperands(dividend, divisor);
  if (pair.divisor == -1) return 0;
  return static_cast<long double>(pair.dividend % pair.divisor);
}

}  // namespace tarvok

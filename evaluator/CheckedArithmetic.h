// Arithmetic that turns floating-point faults into the evaluator's errors.
// Traps stay masked (the evaluator runs inside other programs), so each
// operation looks at its own result instead: a NaN from numbers is an
// invalid operation, an infinity from finite numbers an overflow. NaNs never
// travel further than the operation that made them; infinities come only
// from ARTH and pass on where the arithmetic on them is exact.
#pragma once

#include <cmath>
#include <cstdint>

#include "CalcErrors.h"

namespace tarvok {

[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseOverflow();

// Checks the result of an operation on the given operands.
inline long double Checked(long double result, long double a, long double b) {
  if (std::isnan(result)) RaiseInvalidOp();
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) RaiseOverflow();
  return result;
}

inline long double Checked(long double result, long double a) { return Checked(result, a, 0); }

inline long double Add(long double a, long double b) { return Checked(a + b, a, b); }
inline long double Subtract(long double a, long double b) { return Checked(a - b, a, b); }
inline long double Multiply(long double a, long double b) { return Checked(a * b, a, b); }

inline long double Divide(long double a, long double b) {
  if (b == 0 && !std::isinf(a)) {
    if (a == 0) RaiseInvalidOp();
    RaiseZeroDivide();
  }
  return Checked(a / b, a, b);
}

// Round to the nearest 64-bit signed integer, ties to even; values outside
// that range are an invalid operation.
std::int64_t RoundToInt64(long double x);

// Integer quotient (truncated) and remainder (sign of the dividend) of two
// rounded operands; a zero divisor raises EDivByZero.
long double IntegerDivide(long double dividend, long double divisor);
long double IntegerModulo(long double dividend, long double divisor);

}  // namespace tarvok

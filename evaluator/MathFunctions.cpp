// Function values on the x87 instructions. Exponentials split the argument
// into a whole power of two and a small remainder so that large arguments
// keep full precision (a plain x * log2(e) would lose the low digits).
#include "MathFunctions.h"

#include <cmath>
#include <limits>

#include "CheckedArithmetic.h"
#include "X87Instructions.h"

namespace tarvok::math {
namespace {

constexpr long double kTwoPower63 = 9223372036854775808.0L;
constexpr long double kTwoPower32 = 4294967296.0L;
constexpr long double kLog2E = 1.44269504088896340735992468100189214L;
// ln 2 in two parts; the first has few enough bits that n * kLn2High is
// exact for every n an extended exponent can need.
constexpr long double kLn2High = 0.69314718036912381649017333984375L;
constexpr long double kLn2Low = 1.9082149292705878161442656807550013e-10L;
constexpr long double kNearZero = 1e-16L;
// tanh is 1 to the last bit of an extended value from here on.
constexpr long double kTanhSaturation = 64;
constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

long double Scale(long double fraction, long double power) {
  long double result;
  asm("fscale" : "=t"(result) : "0"(fraction), "u"(power));
  return result;
}

// 2^t; overflow is an error, underflow quietly gives a denormal or zero.
long double Exp2(long double t) {
  if (t == kInfinity) return kInfinity;
  if (t == -kInfinity) return 0;
  if (t > 20000) RaiseOverflow();
  if (t < -20000) return 0;
  const long double whole = std::nearbyint(t);
  const long double result = Scale(x87::TwoPowerMinusOne(t - whole) + 1, whole);
  if (std::isinf(result)) RaiseOverflow();
  return result;
}

// log2(x) scaled by `factor`, with the logarithm's domain errors.
long double ScaledLog2(long double factor, long double x) {
  if (x == 0) RaiseZeroDivide();
  if (x < 0) RaiseInvalidOp();
  if (std::isinf(x)) return kInfinity;
  return x87::ScaledLog2(factor, x);
}

bool CountsAsZero(long double x) { return std::fabs(x) <= kNearZero; }

bool NearlyEqual(long double a, long double b) {
  const long double tolerance =
      std::fmax(kNearZero, kNearZero * std::fmin(std::fabs(a), std::fabs(b)));
  return std::fabs(a - b) <= tolerance;
}

// sqrt(1 - x*x) for |x| <= 1; the factored form keeps precision near 1.
long double Cofunction(long double x) {
  if (std::fabs(x) > 1) RaiseInvalidOp();
  return std::sqrt((1 - x) * (1 + x));
}

}  // namespace

long double Cos(long double x) { return std::fabs(x) >= kTwoPower63 ? 0 : x87::Cosine(x); }

long double Sin(long double x) { return std::fabs(x) >= kTwoPower63 ? 0 : x87::Sine(x); }

long double Sqrt(long double x) {
  if (x < 0) RaiseInvalidOp();
  return std::sqrt(x);
}

long double Tg(long double x) {
  if (!(std::fabs(x) < kTwoPower63)) RaiseInvalidOp();
  return x87::Tangent(x);
}

long double Ctg(long double x) {
  if (x == 0) RaiseZeroDivide();
  return Divide(1, Tg(x));
}

long double ArcCos(long double x) { return x87::PartialArctangent(Cofunction(x), x); }

long double ArcSin(long double x) { return x87::PartialArctangent(x, Cofunction(x)); }

long double ArcTg(long double x) { return x87::PartialArctangent(x, 1); }

long double Exp(long double x) {
  if (std::isinf(x)) return x > 0 ? kInfinity : 0;
  if (x > 12000) RaiseOverflow();
  if (x < -12000) return 0;
  // x = n ln2 + r with |r| <= ln2 / 2, r computed almost exactly.
  const long double n = std::nearbyint(x * kLog2E);
  const long double r = (x - n * kLn2High) - n * kLn2Low;
  const long double result = Scale(x87::TwoPowerMinusOne(r * kLog2E) + 1, n);
  if (std::isinf(result)) RaiseOverflow();
  return result;
}

long double Ln(long double x) { return ScaledLog2(x87::Ln2(), x); }

long double Lg(long double x) { return ScaledLog2(x87::Log2Of2Base10(), x); }

long double Sqr(long double x) { return Multiply(x, x); }

long double Log(long double base, long double x) {
  const long double numerator = ScaledLog2(1, x);
  return Divide(numerator, ScaledLog2(1, base));
}

long double Power(long double x, long double y) {
  if (y == 0) return 1;
  if (x == 0 && y > 0) return 0;
  if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L) {
    const long long n = static_cast<long long>(y);
    const unsigned long long exponentBits = static_cast<unsigned long long>(n < 0 ? -n : n);
    unsigned long long bits = exponentBits;  // consumed from the lowest
    long double result = 1;
    long double base = x;
    for (; bits != 0; bits >>= 1) {
      if (bits & 1) result *= base;
      if (bits > 1) base *= base;
    }
    // When the repeated products leave the range although the power itself
    // may not (a large negative exponent, or a whole power of a huge or tiny
    // base), the power is worked out through the logarithm instead.
    if ((std::isinf(result) || result == 0) && std::isfinite(x) && x != 0) {
      const long double magnitude = Exp2(x87::ScaledLog2(y, std::fabs(x)));
      return (x < 0 && (exponentBits & 1)) ? -magnitude : magnitude;
    }
    return n < 0 ? Divide(1, result) : result;
  }
  if (x < 0) RaiseInvalidOp();
  if (x == 0) RaiseZeroDivide();
  return Exp2(Checked(x87::ScaledLog2(y, x), x, y));
}

long double Abs(long double x) { return std::fabs(x); }

long double Sh(long double x) {
  if (CountsAsZero(x)) return 0;
  return Divide(Subtract(Exp(x), Exp(-x)), 2);
}

long double Ch(long double x) {
  if (CountsAsZero(x)) return 1;
  return Divide(Add(Exp(x), Exp(-x)), 2);
}

long double Th(long double x) {
  if (CountsAsZero(x)) return 0;
  // Beyond this the exponentials would overflow although the value is +-1.
  if (std::fabs(x) >= kTanhSaturation) return x > 0 ? 1 : -1;
  return Divide(Sh(x), Ch(x));
}

// Odd function: computed on |x| so that negative arguments do not cancel to
// ln(0), and as ln(2|x|) where x*x would overflow.
long double Arsh(long double x) {
  const long double magnitude = std::fabs(x);
  long double result;
  if (std::isinf(magnitude)) {
    result = kInfinity;
  } else if (magnitude > kTwoPower32) {
    result = Add(x87::Ln2(), Ln(magnitude));
  } else {
    result = Ln(magnitude + std::sqrt(magnitude * magnitude + 1));
  }
  return x < 0 ? -result : result;
}

long double Arch(long double x) {
  const long double ratio = Divide(Subtract(x, 1), Add(x, 1));
  return Ln(Add(x, Multiply(Add(x, 1), Sqrt(ratio))));
}

long double Arth(long double x) {
  if (NearlyEqual(x, 1)) return kInfinity;
  if (NearlyEqual(x, -1)) return -kInfinity;
  return Multiply(0.5L, Ln(Divide(Add(x, 1), Subtract(1, x))));
}

long double Sgn(long double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

}  // namespace tarvok::math

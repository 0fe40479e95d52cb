// The x87 transcendental instructions, used directly rather than through the
// C library: glibc and the mingw runtime compute sinl, atan2l and the like
// differently, and both builds must give the same digits. The callers check
// the operand ranges these instructions need.
#pragma once

namespace tarvok::x87 {

inline long double Sine(long double x) noexcept {
  asm("fsin" : "+t"(x));
  return x;
}

inline long double Cosine(long double x) noexcept {
  asm("fcos" : "+t"(x));
  return x;
}

inline long double Tangent(long double x) noexcept {
  // FPTAN pushes 1.0 after the result; drop it.
  asm("fptan\n\tfstp %%st(0)" : "+t"(x));
  return x;
}

// The angle of the point (x, y), -pi to pi.
inline long double PartialArctangent(long double y, long double x) noexcept {
  long double result;
  asm("fpatan" : "=t"(result) : "0"(x), "u"(y) : "st(1)");
  return result;
}

// y * log2(x).
inline long double ScaledLog2(long double y, long double x) noexcept {
  long double result;
  asm("fyl2x" : "=t"(result) : "0"(x), "u"(y) : "st(1)");
  return result;
}

// 2^x - 1 for |x| <= 1.
inline long double TwoPowerMinusOne(long double x) noexcept {
  asm("f2xm1" : "+t"(x));
  return x;
}

inline long double Log2Of2Base10() noexcept {  // log10(2)
  long double result;
  asm("fldlg2" : "=t"(result));
  return result;
}

inline long double Ln2() noexcept {
  long double result;
  asm("fldln2" : "=t"(result));
  return result;
}

inline long double Pi() noexcept {
  long double result;
  asm("fldpi" : "=t"(result));
  return result;
}

}  // namespace tarvok::x87

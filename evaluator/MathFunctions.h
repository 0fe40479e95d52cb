// The values of the named functions, each with the domain checks that turn
// a fault into the evaluator's error instead of a NaN or an infinity.
#pragma once

namespace tarvok::math {

long double Cos(long double x);
long double Sqrt(long double x);
long double Sin(long double x);
long double Tg(long double x);
long double ArcCos(long double x);
long double ArcSin(long double x);
long double ArcTg(long double x);
long double Exp(long double x);
long double Ln(long double x);
long double Lg(long double x);
long double Ctg(long double x);
long double Sqr(long double x);
long double Log(long double base, long double x);
long double Power(long double x, long double y);
long double Abs(long double x);
long double Sh(long double x);
long double Ch(long double x);
long double Th(long double x);
long double Arsh(long double x);
long double Arch(long double x);
long double Arth(long double x);
long double Sgn(long double x);

}  // namespace tarvok::math

// The expressions every evaluator of the comparison reads the same way: the
// four operators, brackets, unary minus, decimal and exponent literals, pi
// and the functions all four languages name alike (lower case, because two
// of the peers match names exactly). What a user types before a hot key is
// short, so most are short; the last is as long as the typed-text buffer
// allows.
#pragma once

#include <array>
#include <string_view>

namespace tarvok::bench {

struct CommonExpression {
  std::string_view group;  // short, brackets, functions, long
  std::string_view text;
};

inline constexpr std::string_view kLongSum =
    "1.7+2.4+3.1+4.8+5.5+6.2+7.9+8.6+9.3+10.0+11.7+12.4+13.1+14.8+15.5+16.2+17.9+18.6+19.3+"
    "20.0+21.7+22.4+23.1+24.8+25.5+26.2+27.9+28.6+29.3+30.0+31.7+32.4+33.1+34.8+35.5+36.2+"
    "37.9+38.6+39.3+40.0+41.7+42.4+43.1+44.8+45.5+46.2+47.9+48.6+49.3+50.0+51.7+52.4+53.1+"
    "54.8+55.5+56.2+57.9+58.6+59.3+60.0+61.7+62.4";
static_assert(kLongSum.size() == 300, "the typed-text buffer holds 300 characters in its first pass");

inline constexpr std::array<CommonExpression, 26> kCommonExpressions{{
    {"short", "2*3+4"},
    {"short", "10/4"},
    {"short", "1+2*3-4/5"},
    {"short", "-2*3"},
    {"short", "2*-3"},
    {"short", "12.5*4-0.25"},
    {"short", "1e3/7"},
    {"short", "1/3+1/6"},
    {"short", "19.99*3*1.2"},
    {"brackets", "(2+3)*4"},
    {"brackets", "((1+2)*(3+4))/(5-6)"},
    {"brackets", "100*(1+0.05)*(1+0.05)*(1+0.05)"},
    {"brackets", "(1.5-(2.5-(3.5-(4.5-5.5))))*2"},
    {"functions", "sqrt(16)+sqrt(2)"},
    {"functions", "sin(1)"},
    {"functions", "cos(0.5)*2"},
    {"functions", "sin(pi/6)"},
    {"functions", "2*pi*6371"},
    {"functions", "exp(1.5)"},
    {"functions", "ln(10)"},
    {"functions", "abs(-7.25)+1"},
    {"functions", "max(3,7.5)-min(4,-1)"},
    {"functions", "(1+sqrt(5))/2"},
    {"functions", "sin(1)*sin(1)+cos(1)*cos(1)"},
    {"functions", "exp(ln(2)*10)"},
    {"long", kLongSum},
}};

}  // namespace tarvok::bench

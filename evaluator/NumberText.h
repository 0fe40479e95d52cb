// The number text of a result, the same in every build and every locale:
// "." as decimal separator, no thousands separators, exactly `precision`
// digits after the point (none and no point at 0), "INF", "-INF", "NAN".
//
// Rounding is decimal and exact: the value is first rounded to 18
// significant digits, then to `precision` digits after the point, both half
// away from zero (2.675 -> "2.68", 1.005 -> "1.01", 2.5 at 0 -> "3"). A value
// that rounds to zero has no minus sign. A value with more than 18 digits
// before the point is written as a mantissa with its significant digits
// (trailing zeros dropped) and a decimal exponent: 1.5E+20, -1E+25. That form
// reads back as a number literal of the language.
//
// The digits are worked out with integer arithmetic on the exact binary
// value, never with printf, whose rounding differs between C libraries.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace tarvok {

// The digits after the point a result may have; the settings keep to them.
inline constexpr int kMinPrecision = 0;
inline constexpr int kMaxPrecision = 10;
// Longest text plus its terminating NUL, with room to spare.
inline constexpr std::size_t kNumberTextCapacity = 48;

// Writes the text and a terminating NUL; returns the length. A precision
// outside 0..10 is taken as the nearest of the two. Does not allocate.
std::size_t WriteNumberText(long double value, int precision,
                            std::span<char, kNumberTextCapacity> buffer) noexcept;

std::string NumberText(long double value, int precision);

}  // namespace tarvok

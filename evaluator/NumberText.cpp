// Exact binary-to-decimal conversion of an 80-bit extended value. The value
// m * 2^e becomes the integer N = m * 2^e (e >= 0) or N = m * 5^-e with the
// decimal point -e places from the right (e < 0); only the leading 19
// decimal digits of N are kept, which is all that rounding half away from
// zero to 18 digits needs.
#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tarvok {
namespace {

constexpr int kSignificantDigits = 18;
constexpr std::uint32_t kChunk = 1000000000;  // nine decimal digits
constexpr int kChunkDigits = 9;
constexpr int kExponentBias = 16383;
constexpr int kMantissaBits = 63;  // below the explicit integer bit

// Values below 2^-40 (about 9e-13) are 0 at every precision up to 10, so
// tiny values skip the long exact conversion.
constexpr int kZeroBelowPowerOfTwo = -40;
static_assert(kMaxPrecision <= 11);

// Enough 32-bit words for the smallest denormal: 64 + 16445 * log2(5) bits.
constexpr int kMaxWords = 1200;

class BigNumber {
 public:
  explicit BigNumber(std::uint64_t value) {
    words_[0] = static_cast<std::uint32_t>(value);
    words_[1] = static_cast<std::uint32_t>(value >> 32);
    size_ = words_[1] ? 2 : 1;
  }

  void ShiftLeft(int bits) {
    const int wordShift = bits / 32;
    const int bitShift = bits % 32;
    if (bitShift) {
      std::uint32_t carry = 0;
      for (int i = 0; i < size_; ++i) {
        const std::uint32_t word = words_[i];
        words_[i] = (word << bitShift) | carry;
        carry = word >> (32 - bitShift);
      }
      if (carry) words_[size_++] = carry;
    }
    if (wordShift) {
      std::memmove(&words_[wordShift], &words_[0], sizeof(std::uint32_t) * size_);
      std::fill_n(&words_[0], wordShift, 0u);
      size_ += wordShift;
    }
  }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      const std::uint64_t product = std::uint64_t{words_[i]} * factor + carry;
      words_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry) words_[size_++] = static_cast<std::uint32_t>(carry);
  }

  void MultiplyByPowerOfFive(int exponent) {
    constexpr int kStep = 13;  // 5^13 is the largest power of five below 2^32
    constexpr std::uint32_t kFiveToStep = 1220703125;
    for (; exponent >= kStep; exponent -= kStep) Multiply(kFiveToStep);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    Multiply(rest);
  }

  // Divides in place and returns the remainder.
  std::uint32_t DivideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t current = (remainder << 32) | words_[i];
      words_[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    while (size_ > 0 && words_[size_ - 1] == 0) --size_;
    return static_cast<std::uint32_t>(remainder);
  }

  bool IsZero() const { return size_ == 0; }

 private:
  std::array<std::uint32_t, kMaxWords> words_;
  int size_;
};

// Leading digits of a positive value: digits[0..count) with the decimal
// point after `pointPosition` of them (negative: that many zeros first).
struct LeadingDigits {
  char digits[kSignificantDigits + 2];
  int count;
  int pointPosition;
};

int WriteChunk(std::uint32_t chunk, bool padded, char* out) {
  char reversed[kChunkDigits];
  int length = 0;
  do {
    reversed[length++] = static_cast<char>('0' + chunk % 10);
    chunk /= 10;
  } while (chunk != 0);
  if (padded) {
    while (length < kChunkDigits) reversed[length++] = '0';
  }
  for (int i = 0; i < length; ++i) out[i] = reversed[length - 1 - i];
  return length;
}

LeadingDigits ExtractDigits(std::uint64_t mantissa, int binaryExponent) {
  const int trailingZeros = __builtin_ctzll(mantissa);
  mantissa >>= trailingZeros;
  binaryExponent += trailingZeros;

  BigNumber number(mantissa);
  int decimalShift = 0;
  if (binaryExponent >= 0) {
    number.ShiftLeft(binaryExponent);
  } else {
    number.MultiplyByPowerOfFive(-binaryExponent);
    decimalShift = -binaryExponent;
  }

  // Nine-digit chunks come out lowest first; keep the last four produced.
  constexpr int kKept = 4;
  std::uint32_t chunks[kKept] = {};
  int produced = 0;
  while (!number.IsZero()) chunks[produced++ % kKept] = number.DivideBy(kChunk);

  char text[kKept * kChunkDigits];
  int length = 0;
  for (int i = produced - 1; i >= 0 && i >= produced - kKept; --i) {
    length += WriteChunk(chunks[i % kKept], i != produced - 1, text + length);
  }
  const int topDigits = length - kChunkDigits * std::min(produced - 1, kKept - 1);

  LeadingDigits result{};
  result.count = std::min(length, kSignificantDigits + 1);
  std::memcpy(result.digits, text, static_cast<std::size_t>(result.count));
  result.pointPosition = topDigits + kChunkDigits * (produced - 1) - decimalShift;
  return result;
}

// Adds one unit at digits[count - 1]; on a carry out of the first digit the
// digits become 1 followed by zeros and the point moves right.
void RoundUp(LeadingDigits& value, int count) {
  for (int i = count - 1; i >= 0; --i) {
    if (value.digits[i] != '9') {
      ++value.digits[i];
      return;
    }
    value.digits[i] = '0';
  }
  value.digits[0] = '1';
  std::fill(value.digits + 1, value.digits + std::max(count, 1), '0');
  ++value.pointPosition;
}

// Keeps `count` digits (count may be 0 or less: then only a carry can
// remain), rounding half away from zero on the first dropped digit.
void RoundToDigits(LeadingDigits& value, int count) {
  if (count >= value.count) return;
  const bool up = count >= 0 && value.digits[count] >= '5';
  const int kept = std::max(count, 0);
  value.count = kept;
  if (up) {
    if (kept == 0) {
      value.digits[0] = '1';
      value.count = 1;
      ++value.pointPosition;
    } else {
      RoundUp(value, kept);
    }
  }
}

char DigitAt(const LeadingDigits& value, int index) {
  return (index >= 0 && index < value.count) ? value.digits[index] : '0';
}

class TextWriter {
 public:
  explicit TextWriter(std::span<char, kNumberTextCapacity> buffer) : buffer_(buffer) {}
  void Put(char c) {
    if (length_ + 1 < buffer_.size()) buffer_[length_++] = c;
  }
  void Put(const char* text) {
    while (*text) Put(*text++);
  }
  void PutNumber(int number) {
    char digits[12];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + number % 10);
      number /= 10;
    } while (number != 0);
    while (count > 0) Put(digits[--count]);
  }
  std::size_t Finish() {
    buffer_[length_] = '\0';
    return length_;
  }

 private:
  std::span<char, kNumberTextCapacity> buffer_;
  std::size_t length_ = 0;
};

void WriteExponentForm(const LeadingDigits& value, bool negative, TextWriter& out) {
  if (negative) out.Put('-');
  out.Put(value.digits[0]);
  int last = value.count - 1;
  while (last > 0 && value.digits[last] == '0') --last;
  if (last > 0) {
    out.Put('.');
    for (int i = 1; i <= last; ++i) out.Put(value.digits[i]);
  }
  out.Put("E+");
  out.PutNumber(value.pointPosition - 1);
}

void WriteFixedForm(LeadingDigits& value, bool negative, int precision, TextWriter& out) {
  RoundToDigits(value, value.pointPosition + precision);
  const bool allZero =
      std::all_of(value.digits, value.digits + value.count, [](char c) { return c == '0'; });
  if (negative && !allZero) out.Put('-');
  if (value.pointPosition <= 0) {
    out.Put('0');
  } else {
    for (int i = 0; i < value.pointPosition; ++i) out.Put(DigitAt(value, i));
  }
  if (precision > 0) {
    out.Put('.');
    for (int i = 0; i < precision; ++i) out.Put(DigitAt(value, value.pointPosition + i));
  }
}

}  // namespace

std::size_t WriteNumberText(long double value, int precision,
                            std::span<char, kNumberTextCapacity> buffer) noexcept {
  precision = std::clamp(precision, kMinPrecision, kMaxPrecision);
  TextWriter out(buffer);

  // The 80-bit layout: 64-bit significand with explicit integer bit, then
  // sign and 15-bit biased exponent.
  std::uint64_t mantissa;
  std::uint16_t signAndExponent;
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof value);
  std::memcpy(&mantissa, bytes, sizeof mantissa);
  std::memcpy(&signAndExponent, bytes + 8, sizeof signAndExponent);
  const bool negative = (signAndExponent & 0x8000) != 0;
  const int biasedExponent = signAndExponent & 0x7FFF;

  if (biasedExponent == 0x7FFF) {
    if ((mantissa << 1) != 0) {
      out.Put("NAN");
    } else {
      if (negative) out.Put('-');
      out.Put("INF");
    }
    return out.Finish();
  }

  const int exponent = (biasedExponent == 0 ? 1 : biasedExponent) - kExponentBias - kMantissaBits;
  LeadingDigits digits{};
  if (mantissa == 0 || exponent + 64 < kZeroBelowPowerOfTwo) {
    digits.count = 0;
    digits.pointPosition = 1;
  } else {
    digits = ExtractDigits(mantissa, exponent);
    RoundToDigits(digits, kSignificantDigits);
  }

  if (digits.pointPosition > kSignificantDigits) {
    WriteExponentForm(digits, negative, out);
  } else {
    WriteFixedForm(digits, negative, precision, out);
  }
  return out.Finish();
}

std::string NumberText(long double value, int precision) {
  std::array<char, kNumberTextCapacity> buffer;
  const std::size_t length = WriteNumberText(value, precision, buffer);
  return std::string(buffer.data(), length);
}

}  // namespace tarvok

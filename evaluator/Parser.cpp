// The grammar levels of the language around the named functions: sums,
// products with DIV and MOD, operands, number literals and names.
#include "Parser.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "CalcErrors.h"
#include "CheckedArithmetic.h"

namespace tarvok {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

// Literals beyond this many digits stop growing the mantissa and move the
// scale instead; only absurdly long digit runs get there.
constexpr long double kMantissaCeiling = 1e4000L;
// Larger literal exponents all overflow or underflow anyway.
constexpr int kExponentCeiling = 100000;
constexpr int kScaleStep = 4000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// 10^n from the correctly rounded powers 10^(2^k); exact up to 10^27
// (5^27 still fits 64 bits), within a few units in the last place beyond.
long double PowerOfTen(int n) {
  static constexpr long double kBinaryPowers[] = {1e1L,   1e2L,    1e4L,    1e8L,  1e16L,
                                                  1e32L,  1e64L,   1e128L,  1e256L, 1e512L,
                                                  1e1024L, 1e2048L, 1e4096L};
  constexpr int kCount = static_cast<int>(std::size(kBinaryPowers));
  long double result = 1;
  for (int k = 0; n > 0 && k < kCount; ++k, n >>= 1) {
    if (n & 1) result *= kBinaryPowers[k];
  }
  if (n > 0) result *= kBinaryPowers[kCount - 1] * kBinaryPowers[kCount - 1];  // overflows
  return result;
}

// mantissa x 10^exponent. Dividing by an exact power of ten, rather than
// multiplying by an inexact negative one, gives the nearest value for short
// fractions (0.1, 12.5).
long double ScaleByPowerOfTen(long double mantissa, long long exponent) {
  if (mantissa == 0) return 0;
  if (exponent >= 0) {
    const int capped = static_cast<int>(std::min<long long>(exponent, 2 * kScaleStep + 1000));
    const long double scaled = mantissa * PowerOfTen(capped);
    if (std::isinf(scaled)) RaiseOverflow();
    return scaled;
  }
  long long remaining = -exponent;
  while (remaining > kScaleStep && mantissa != 0) {
    mantissa /= PowerOfTen(kScaleStep);
    remaining -= kScaleStep;
  }
  return mantissa / PowerOfTen(static_cast<int>(std::min<long long>(remaining, kScaleStep)));
}

}  // namespace

class Parser::DepthGuard {
 public:
  explicit DepthGuard(Parser& parser) : parser_(parser) {
    if (++parser_.depth_ > kMaxNestingDepth) {
      --parser_.depth_;
      RaiseAt<ECalcError>(messages::kTooDeep, parser_.position_);
    }
  }
  ~DepthGuard() { --parser_.depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  Parser& parser_;
};

char Parser::At(int position) const noexcept {
  const long long index = static_cast<long long>(cut_) + position - 1;
  if (position < 1 || index >= static_cast<long long>(text_.size())) return 0;
  return text_[static_cast<std::size_t>(index)];
}

char Parser::CurrentUpper() const noexcept { return ToUpper(Current()); }

// The two letters after the current one spell the rest of DIV or MOD.
bool Parser::HasMatchedWord(char second, char third) const noexcept {
  return ToUpper(At(position_ + 1)) == second && ToUpper(At(position_ + 2)) == third;
}

void Parser::ExpectComma() {
  if (Current() != ',') RaiseAt<EComma>(messages::kExpectedComma, position_);
  ++position_;
}

void Parser::ExpectClosingBracket() {
  if (Current() != ')') RaiseAt<EBracket>(messages::kExpectedBracket, position_);
  ++position_;
}

void Parser::CountSteps(std::int64_t steps) {
  steps_ += steps;
  if (steps_ > kMaxReadingSteps) {
    RaiseAt<ECalcError>(messages::kTooManyReadings, position_);
  }
}

// Expression := Term { " " | "+" Term | "-" Term }
long double Parser::ParseExpression() {
  DepthGuard guard(*this);
  long double value = ParseTerm();
  for (;;) {
    switch (Current()) {
      case ' ':
        ++position_;
        break;
      case '+':
        ++position_;
        value = Add(value, ParseTerm());
        break;
      case '-':
        ++position_;
        value = Subtract(value, ParseTerm());
        break;
      default:
        return value;
    }
  }
}

// Term := Factor { " " | "*" Factor | "/" Factor | "DIV" Factor | "MOD" Factor }
long double Parser::ParseTerm() {
  long double value = ParseFactor();
  for (;;) {
    switch (CurrentUpper()) {
      case ' ':
        ++position_;
        break;
      case '*':
        ++position_;
        value = Multiply(value, ParseFactor());
        break;
      case '/':
        ++position_;
        value = Divide(value, ParseFactor());
        break;
      case 'D':
        if (!HasMatchedWord('I', 'V')) return value;
        position_ += 3;
        value = IntegerDivide(value, ParseFactor());
        break;
      case 'M':
        if (!HasMatchedWord('O', 'D')) return value;
        position_ += 3;
        value = IntegerModulo(value, ParseFactor());
        break;
      default:
        return value;
    }
  }
}

// Factor := " " Factor | "(" Expression ")" | "-" Factor | Number | Name
//         | "[" Expression "]"
long double Parser::ParseFactor() {
  CountSteps(1);
  while (Current() == ' ') ++position_;
  const char c = CurrentUpper();
  if (c == '(') return ParseBracketed();
  if (c == '-') {
    ++position_;
    DepthGuard guard(*this);
    return -ParseFactor();
  }
  if (IsDigit(c)) return ParseNumber();
  if (c >= 'A' && c <= 'Z') return ParseName();
  if (c == '[') return ParseIntegerPart();
  RaiseAt<ESyntaxErr>(messages::kSyntaxError, position_);
}

long double Parser::ParseBracketed() {
  ++position_;
  const long double value = ParseExpression();
  ExpectClosingBracket();
  return value;
}

// [x] truncates toward zero for either sign.
long double Parser::ParseIntegerPart() {
  ++position_;
  const long double value = std::trunc(ParseExpression());
  if (Current() != ']') RaiseAt<EBracket>(messages::kExpectedSquareBracket, position_);
  ++position_;
  return value;
}

// Number := digits [ "." digits ] [ ("E"|"e") [ "+" | "-" ] digits ]
// A dangling exponent marker ("2.5E", "1e+") is consumed and counts as
// exponent 0.
long double Parser::ParseNumber() {
  long double mantissa = 0;
  long long scale = 0;
  auto addDigit = [&](char digit, bool fraction) {
    if (mantissa < kMantissaCeiling) {
      mantissa = mantissa * 10 + (digit - '0');
      if (fraction) --scale;
    } else if (!fraction) {
      ++scale;
    }
  };
  for (; IsDigit(Current()); ++position_) addDigit(Current(), false);
  if (Current() == '.') {
    for (++position_; IsDigit(Current()); ++position_) addDigit(Current(), true);
  }
  if (CurrentUpper() == 'E') {
    ++position_;
    bool negative = false;
    if (Current() == '+' || Current() == '-') {
      negative = Current() == '-';
      ++position_;
    }
    long long exponent = 0;
    for (; IsDigit(Current()); ++position_) {
      exponent = std::min<long long>(exponent * 10 + (Current() - '0'), kExponentCeiling);
    }
    scale += negative ? -exponent : exponent;
  }
  return ScaleByPowerOfTen(mantissa, scale);
}

// Name := letter { letter | digit }, then "(" for a function call.
long double Parser::ParseName() {
  const int start = position_;
  for (++position_; IsLetter(Current()) || IsDigit(Current()); ++position_) {
  }
  const std::string_view name = text_.substr(static_cast<std::size_t>(cut_ + start - 1),
                                             static_cast<std::size_t>(position_ - start));
  if (Current() == '(') {
    ++position_;
    return ParseFunction(name);
  }
  if (name.size() == 1) RaiseAt<EBracket>(messages::kExpectedBracket, position_);
  if (name.size() == 2 && ToUpper(name[0]) == 'P' && ToUpper(name[1]) == 'I') return kPi;
  // Unknown word: drop everything up to and including the character after
  // it, and read what is left as a fresh expression.
  cut_ += std::min(position_, Length());
  position_ = 1;
  return ParseExpression();
}

}  // namespace tarvok

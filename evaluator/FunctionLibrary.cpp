// Calls of the named functions: argument reading, the comma and bracket
// rules, SUM's repeated passes and IF's condition.
#include <array>
#include <cmath>
#include <cstdint>

#include "CalcErrors.h"
#include "CheckedArithmetic.h"
#include "MathFunctions.h"
#include "Parser.h"

namespace tarvok {
namespace {

struct UnaryFunction {
  std::string_view name;
  long double (*compute)(long double);
};

constexpr std::array<UnaryFunction, 20> kUnaryFunctions{{
    {"COS", math::Cos},     {"SQRT", math::Sqrt},     {"SIN", math::Sin},
    {"TG", math::Tg},       {"ARCCOS", math::ArcCos}, {"ARCSIN", math::ArcSin},
    {"ARCTG", math::ArcTg}, {"EXP", math::Exp},       {"LN", math::Ln},
    {"LG", math::Lg},       {"CTG", math::Ctg},       {"SQR", math::Sqr},
    {"ABS", math::Abs},     {"SH", math::Sh},         {"CH", math::Ch},
    {"TH", math::Th},       {"ARSH", math::Arsh},     {"ARCH", math::Arch},
    {"ARTH", math::Arth},   {"SGN", math::Sgn},
}};

// `name` as typed, `upper` an upper-case table entry.
bool SameName(std::string_view name, std::string_view upper) {
  if (name.size() != upper.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != upper[i]) return false;
  }
  return true;
}

int FindUnaryFunction(std::string_view name) {
  for (std::size_t i = 0; i < kUnaryFunctions.size(); ++i) {
    if (SameName(name, kUnaryFunctions[i].name)) return static_cast<int>(i);
  }
  return -1;
}

// SUM's bounds: truncated toward zero; a bound outside the 32-bit range is
// refused rather than cut to its low bits.
std::int32_t TruncateBound(long double x) {
  const long double whole = std::trunc(x);
  if (!(whole >= -2147483648.0L && whole <= 2147483647.0L)) RaiseInvalidOp();
  return static_cast<std::int32_t>(whole);
}

enum class Relation { kEqual, kNotEqual, kLess, kLessOrEqual, kGreater, kGreaterOrEqual };

bool Holds(long double a, Relation relation, long double b) {
  switch (relation) {
    case Relation::kEqual: return a == b;
    case Relation::kNotEqual: return a != b;
    case Relation::kLess: return a < b;
    case Relation::kLessOrEqual: return a <= b;
    case Relation::kGreater: return a > b;
    case Relation::kGreaterOrEqual: return a >= b;
  }
  return false;
}

}  // namespace

// Function := Name "(" Arguments ")"; the position is just after "(".
long double Parser::ParseFunction(std::string_view name) {
  long double value = 0;
  if (const int index = FindUnaryFunction(name); index >= 0) {
    value = ParseSingleArgumentFunction(index);
  } else if (SameName(name, "LOG") || SameName(name, "POWER")) {
    const long double first = ParseExpression();
    ExpectComma();
    const long double second = ParseExpression();
    value = SameName(name, "LOG") ? math::Log(first, second) : math::Power(first, second);
  } else if (SameName(name, "SUM")) {
    value = ParseSum();
  } else if (SameName(name, "MAX") || SameName(name, "MIN")) {
    value = ParseMaxMin(SameName(name, "MAX"));
  } else if (SameName(name, "IF")) {
    value = ParseIf();
  }
  // An unknown name reads no argument: its value is 0 and ")" must follow.
  ExpectClosingBracket();
  return value;
}

long double Parser::ParseSingleArgumentFunction(int index) {
  return kUnaryFunctions[static_cast<std::size_t>(index)].compute(ParseExpression());
}

// MAX and MIN take one or more arguments.
long double Parser::ParseMaxMin(bool wantMax) {
  long double value = ParseExpression();
  while (Current() == ',') {
    ++position_;
    const long double next = ParseExpression();
    if (wantMax ? next > value : next < value) value = next;
  }
  return value;
}

// SUM(lo, hi, term): the term's text is read once per whole number from lo
// to hi. If a reading drops a word (which cuts the text the term stood in),
// that reading's value stands for the remaining passes.
long double Parser::ParseSum() {
  const std::int32_t low = TruncateBound(ParseExpression());
  ExpectComma();
  const std::int32_t high = TruncateBound(ParseExpression());
  if (Current() != ',') RaiseAt<EComma>(messages::kExpectedComma, position_);
  if (low > high) throw EInvalidOp(messages::kBoundsReversed);
  ++position_;

  const int termStart = position_;
  const int cutBefore = cut_;
  const std::int64_t passes = static_cast<std::int64_t>(high) - low + 1;
  long double total = 0;
  for (std::int64_t pass = 0; pass < passes; ++pass) {
    position_ = termStart;
    const long double value = ParseExpression();
    total = Add(value, total);
    if (cut_ != cutBefore) {
      for (++pass; pass < passes; ++pass) {
        CountSteps(1);
        total = Add(value, total);
      }
    } else {
      CountSteps(position_ - termStart);
    }
  }
  return total;
}

// IF(condition, a, b): both alternatives are always evaluated.
long double Parser::ParseIf() {
  const bool condition = ParseCondition();
  ExpectComma();
  const long double whenTrue = ParseExpression();
  ExpectComma();
  const long double whenFalse = ParseExpression();
  return condition ? whenTrue : whenFalse;
}

// Condition := Expression Relation Expression [ ("<" | "<=") Expression ]
// where the between form follows only "<" or "<=".
bool Parser::ParseCondition() {
  const long double first = ParseExpression();
  if (position_ > Length()) throw EUnexpectedEnd(messages::kUnexpectedEnd);

  Relation relation;
  const char next = At(position_ + 1);
  switch (Current()) {
    case '=':
      relation = Relation::kEqual;
      break;
    case '<':
      relation = next == '=' ? Relation::kLessOrEqual
                 : next == '>' ? Relation::kNotEqual
                               : Relation::kLess;
      break;
    case '>':
      relation = next == '=' ? Relation::kGreaterOrEqual : Relation::kGreater;
      break;
    default:
      RaiseAt<ESyntaxErr>(messages::kSyntaxError, position_);
  }
  const bool twoCharacters = relation == Relation::kLessOrEqual ||
                             relation == Relation::kNotEqual ||
                             relation == Relation::kGreaterOrEqual;
  position_ += twoCharacters ? 2 : 1;

  const long double second = ParseExpression();
  const bool opensRange = relation == Relation::kLess || relation == Relation::kLessOrEqual;
  if (!opensRange || Current() != '<') return Holds(first, relation, second);

  const Relation upper = At(position_ + 1) == '=' ? Relation::kLessOrEqual : Relation::kLess;
  position_ += upper == Relation::kLessOrEqual ? 2 : 1;
  const long double third = ParseExpression();
  return Holds(first, relation, second) && Holds(second, upper, third);
}

}  // namespace tarvok

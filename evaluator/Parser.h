// The recursive-descent reader of the expression language. It computes while
// it reads: each level returns the value of what it consumed and leaves the
// shared position on the first character it did not consume. There is no
// token list and no tree, so nothing here allocates except error messages.
//
// Positions are 1-based within the working text. The unknown-word rule cuts
// the text from the front; that is done by moving the start of the visible
// text (`cut_`), so positions in messages count from the current start.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvok {

// Nesting deeper than any 301 typed characters can produce is refused before
// it can exhaust the host thread's stack.
inline constexpr int kMaxNestingDepth = 512;
// Reading steps of one evaluation: one per operand read, plus one per
// character of every pass over SUM's term, so that a long term costs its
// length on each pass. Keeps the worst evaluation well under a tenth of a
// second.
inline constexpr std::int64_t kMaxReadingSteps = 1'000'000;

class Parser {
 public:
  // `text` is the filtered working text, ending in the evaluator's blank.
  explicit Parser(std::string_view text) noexcept : text_(text) {}

  long double ParseExpression();

 private:
  long double ParseTerm();
  long double ParseFactor();
  long double ParseName();
  long double ParseNumber();
  long double ParseBracketed();
  long double ParseIntegerPart();
  long double ParseFunction(std::string_view name);
  bool ParseCondition();

  long double ParseSingleArgumentFunction(int index);
  long double ParseMaxMin(bool wantMax);
  long double ParseSum();
  long double ParseIf();

  // The character at `position` of the current text; 0 past either end.
  char At(int position) const noexcept;
  char Current() const noexcept { return At(position_); }
  char CurrentUpper() const noexcept;
  bool HasMatchedWord(char second, char third) const noexcept;
  int Length() const noexcept { return static_cast<int>(text_.size()) - cut_; }
  void ExpectComma();
  void ExpectClosingBracket();
  void CountSteps(std::int64_t steps);

  class DepthGuard;

  std::string_view text_;
  int cut_ = 0;  // characters removed from the front by the unknown-word rule
  int position_ = 1;
  int depth_ = 0;
  std::int64_t steps_ = 0;
};

}  // namespace tarvok

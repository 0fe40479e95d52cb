// The typed text goes to the evaluator with one blank appended; the value is
// written with the configured count of decimals.
#include "ResultText.h"

#include <array>

#include "NumberText.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

// Typed lines are short; the blank is appended without touching the heap.
constexpr std::size_t kTypedCapacity = 512;

}  // namespace

long double EvaluateTypedText(std::string_view expression) {
  if (expression.size() < kTypedCapacity) {
    std::array<char, kTypedCapacity> text;
    expression.copy(text.data(), expression.size());
    text[expression.size()] = ' ';
    return EvaluateText(std::string_view(text.data(), expression.size() + 1));
  }
  std::string text(expression);
  text += ' ';
  return EvaluateText(text);
}

ResultText MakeResultText(std::string_view expression, int precision) noexcept {
  try {
    const long double value = EvaluateTypedText(expression);
    std::array<char, kNumberTextCapacity> digits;
    const std::size_t length = WriteNumberText(value, precision, digits);
    return ResultText{value, std::string(digits.data(), length), false};
  } catch (...) {
    // Any failure, out of memory included, is the absence of a result.
    return ResultText{0, std::string(), true};
  }
}

}  // namespace tarvok

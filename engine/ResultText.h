// Result production for one hot key: the typed expression becomes a value
// and the number text that is pasted. Never throws: a failed evaluation is a
// result with `failed` set and an empty text.
#pragma once

#include <string>
#include <string_view>

namespace tarvok {

struct ResultText {
  long double value;
  std::string text;
  bool failed;
};

ResultText MakeResultText(std::string_view expression, int precision) noexcept;

// The value of a typed expression, evaluated as the hot key evaluates it
// (with a blank after it). Throws the evaluator's exceptions.
long double EvaluateTypedText(std::string_view expression);

}  // namespace tarvok

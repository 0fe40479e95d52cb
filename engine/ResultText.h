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

}  // namespace tarvok

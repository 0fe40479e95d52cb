// Windows-1251 to UTF-8, for showing the evaluator's messages on a UTF-8
// terminal.
#pragma once

#include <string>
#include <string_view>

namespace tarvok {

std::string Cp1251ToUtf8(std::string_view text);

}  // namespace tarvok

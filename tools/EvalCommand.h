// The command-line evaluator: each typed text goes the hot key's way (one
// blank appended, evaluation, number text) and gives one output line, the
// result text or "ERROR <Class>: <message>" with the message in UTF-8.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tarvok {

inline constexpr int kExitAllSucceeded = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

// One typed text -> its output line (without line end); `failed` tells
// whether it was an error.
std::string EvaluateLine(std::string_view typed, int precision, bool& failed);

// tarvok-eval [-p N] [EXPR ...]: arguments after the options are joined with
// single blanks into one typed text; without any, each input line is one.
int RunEvalCommand(const std::vector<std::string>& arguments, std::istream& input,
                   std::ostream& output, std::ostream& errors);

}  // namespace tarvok

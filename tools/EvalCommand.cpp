// Argument handling and the per-line loop of tarvok-eval.
#include "EvalCommand.h"

#include <charconv>
#include <istream>
#include <ostream>

#include "Cp1251.h"
#include "NumberText.h"
#include "ResultText.h"
#include "SafeCalc.h"

namespace tarvok {
namespace {

constexpr int kDefaultPrecision = 2;

constexpr char kUsage[] =
    "usage: tarvok-eval [-p N] [EXPR ...]\n"
    "  Evaluates EXPR (the arguments joined with blanks) or, without EXPR,\n"
    "  every line of standard input, and prints one result per input.\n"
    "  -p N   digits after the decimal point, 0 to 10 (default 2)\n"
    "  --     ends the options (for an expression that starts with -p)\n"
    "exit status: 0 all inputs evaluated, 1 some failed, 2 usage error\n";

bool ParsePrecision(const std::string& text, int& precision) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, precision);
  return error == std::errc() && stop == end && precision >= kMinPrecision &&
         precision <= kMaxPrecision;
}

}  // namespace

std::string EvaluateLine(std::string_view typed, int precision, bool& failed) {
  try {
    const long double value = EvaluateTypedText(typed);
    failed = false;
    return NumberText(value, precision);
  } catch (const Exception& error) {
    failed = true;
    return std::string("ERROR ") + error.ClassName() + ": " + Cp1251ToUtf8(error.Message());
  }
}

int RunEvalCommand(const std::vector<std::string>& arguments, std::istream& input,
                   std::ostream& output, std::ostream& errors) {
  int precision = kDefaultPrecision;
  std::size_t next = 0;
  while (next < arguments.size()) {
    if (arguments[next] == "--") {
      ++next;
      break;
    }
    if (arguments[next] != "-p") break;
    if (next + 1 >= arguments.size() || !ParsePrecision(arguments[next + 1], precision)) {
      errors << kUsage;
      return kExitUsage;
    }
    next += 2;
  }

  bool anyFailed = false;
  auto evaluate = [&](std::string_view typed) {
    bool failed = false;
    output << EvaluateLine(typed, precision, failed) << '\n';
    anyFailed = anyFailed || failed;
  };

  if (next < arguments.size()) {
    std::string typed;
    for (std::size_t i = next; i < arguments.size(); ++i) {
      if (i > next) typed += ' ';
      typed += arguments[i];
    }
    evaluate(typed);
  } else {
    std::string line;
    while (std::getline(input, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      evaluate(line);
    }
  }
  output.flush();
  return anyFailed ? kExitSomeFailed : kExitAllSucceeded;
}

}  // namespace tarvok

// Building and writing the log line. The expression is written as typed,
// zero bytes and all: the log is the record of what the user typed.
#include "LogLine.h"

namespace tarvok {
namespace {

// "Price 12*3=" (the evaluator ignores a closing "=") is how the help teaches
// to type a calculation; its line must not read "Price 12*3==36.00".
bool EndsWithEquals(std::string_view expression) {
  const auto last = expression.find_last_not_of(" \t");
  return last != std::string_view::npos && expression[last] == '=';
}

}  // namespace

std::string FormatLogTimestamp(LogFileSeam& log, const LocalTime& time) {
  std::string stamp = log.FormatShortDate(time);
  if (time.hour != 0 || time.minute != 0 || time.second != 0) {
    stamp += ' ';
    stamp += log.FormatLongTime(time);
  }
  return stamp;
}

void AppendLogLine(LogFileSeam& log, std::string_view folder, std::string_view expression,
                   std::string_view resultText) {
  std::string line = "[";
  line += FormatLogTimestamp(log, log.Now());
  line += "] ";
  line += expression;
  if (!EndsWithEquals(expression)) line += '=';
  line += resultText;
  line += "\r\n";
  std::string fileName(folder);
  fileName += kLogFileName;
  if (!log.AppendToFile(fileName, line)) throw LogFileError("cannot append to the log file");
}

}  // namespace tarvok

// The command line of tarvok.exe: the arguments after the program name.
#include "CommandLine.h"

#include <cctype>

namespace tarvok {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

StartRequest ParseCommandLine(std::string_view arguments) {
  // Windows switches are case-blind, and "-exit" is what many users type.
  std::string_view argument = Trimmed(arguments);
  // A launcher may quote each argument, as the shell's own parsing allows.
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
    argument = Trimmed(argument.substr(1, argument.size() - 2));
  }
  if (EqualIgnoringCase(argument, "/exit") || EqualIgnoringCase(argument, "-exit")) {
    return StartRequest::ExitRunningCopy;
  }
  return StartRequest::RunResident;
}

}  // namespace tarvok

// tarvok-eval's command line: options, joining of arguments, one line per
// input, error lines in UTF-8 and the exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Cp1251.h"
#include "EvalCommand.h"

namespace tarvok {
namespace {

struct CommandRun {
  int status;
  std::string output;
  std::string errors;
};

CommandRun RunWith(const std::vector<std::string>& arguments, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunEvalCommand(arguments, in, out, err);
  return {status, out.str(), err.str()};
}

struct CommandCase {
  std::vector<std::string> arguments;
  std::string input;
  int status;
  std::string output;
};

const CommandCase kCommands[] = {
    {{"2*3"}, "", 0, "6.00\n"},
    {{"-p", "0", "2.5"}, "", 0, "3\n"},
    {{"-p", "10", "1/3"}, "", 0, "0.3333333333\n"},
    {{"Price", "12*3"}, "", 0, "36.00\n"},
    {{"--", "-p"}, "", 1, "ERROR EBracket: \xD0\x9E\xD0\xB6\xD0\xB8\xD0\xB4\xD0\xB0\xD0\xB5\xD1\x82"
                           "\xD1\x81\xD1\x8F ')' \xD0\xB2 \xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86"
                           "\xD0\xB8\xD0\xB8 3\n"},
    {{"-3+4"}, "", 0, "1.00\n"},
    {{"1/0"}, "", 1, "ERROR EZeroDivide: Floating point division by zero\n"},
    {{}, "2+2\r\n1/0\n\n7\n", 1,
     "4.00\nERROR EZeroDivide: Floating point division by zero\n"
     "ERROR ESyntaxErr: \xD0\xA1\xD0\xB8\xD0\xBD\xD1\x82\xD0\xB0\xD0\xBA\xD1\x81\xD0\xB8\xD1\x87"
     "\xD0\xB5\xD1\x81\xD0\xBA\xD0\xB0\xD1\x8F \xD0\xBE\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 "
     "\xD0\xB2 \xD0\xBF\xD0\xBE\xD0\xB7\xD0\xB8\xD1\x86\xD0\xB8\xD0\xB8 3\n7.00\n"},
    {{"-p", "1"}, "1.25\n", 0, "1.3\n"},
    {{}, "", 0, ""},
};

TEST(EvalCommandTest, EvaluatesArgumentsAndLines) {
  for (const CommandCase& c : kCommands) {
    const CommandRun run = RunWith(c.arguments, c.input);
    EXPECT_EQ(run.status, c.status) << c.output;
    EXPECT_EQ(run.output, c.output);
  }
}

TEST(EvalCommandTest, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"-p"}, {"-p", "11", "1"}, {"-p", "-1", "1"}, {"-p", "x", "1"}, {"-p", "2x", "1"}};
  for (const auto& arguments : bad) {
    const CommandRun run = RunWith(arguments);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find("usage: tarvok-eval"), std::string::npos);
  }
}

TEST(EvalCommandTest, Cp1251BecomesUtf8) {
  EXPECT_EQ(Cp1251ToUtf8("a\xC0\xFF\xA8\xB8\x88\x98"),
            "a\xD0\x90\xD1\x8F\xD0\x81\xD1\x91\xE2\x82\xAC\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tarvok

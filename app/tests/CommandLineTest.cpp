// Only "/exit" (in any case, blanks around it allowed) changes what
// tarvok.exe does; every other command line starts the resident program as
// a start without arguments does.
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace tarvok {
namespace {

struct CommandLineCase {
  const char* arguments;
  StartRequest expected;
};

class ParseCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseCommandLineTest, ChoosesWhatToDo) {
  EXPECT_EQ(ParseCommandLine(GetParam().arguments), GetParam().expected) << '"' << GetParam().arguments << '"';
}

constexpr auto kRun = StartRequest::RunResident;
constexpr auto kExit = StartRequest::ExitRunningCopy;

INSTANTIATE_TEST_SUITE_P(Table, ParseCommandLineTest,
                         ::testing::Values(CommandLineCase{"", kRun}, CommandLineCase{"   ", kRun},
                                           CommandLineCase{"/exit", kExit}, CommandLineCase{"/EXIT", kExit},
                                           CommandLineCase{"-Exit", kExit}, CommandLineCase{" \t/exit  ", kExit},
                                           CommandLineCase{"/exit now", kRun}, CommandLineCase{"/exits", kRun},
                                           CommandLineCase{"exit", kRun}, CommandLineCase{"/x", kRun},
                                           CommandLineCase{"\"/exit\"", kExit}, CommandLineCase{"\"\"", kRun}));

}  // namespace
}  // namespace tarvok

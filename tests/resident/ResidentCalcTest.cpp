// calc.dll resident in a program through many calculations: every result
// arrives, every log line is written, the user's clipboard comes back each
// time, the program's x87 control word, exception flags, MXCSR and keyboard
// state are as it left them after every calculation, and its handles and
// memory do not grow. The program runs with an unusual control word
// (HostStateCapture.h) so that a calculation that used or changed it shows.
//
// 300 calculations by default (each delivery takes 300 ms by design);
// TARVOK_SOAK=1 makes 1,000, TARVOK_RESIDENT_ROUNDS any count.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "HookedHost.h"
#include "HostStateCapture.h"
#include "HotKeyRounds.h"
#include "ProcessCounters.h"

namespace tarvok::resident {
namespace {

using counters::ProcessCounters;
using counters::ReadOwnCounters;

constexpr int kWarmUpRounds = 20;
constexpr char kUserText[] = "the user's own clipboard text";

int RoundCount() {
  if (const char* count = std::getenv("TARVOK_RESIDENT_ROUNDS")) return std::max(2 * kWarmUpRounds, std::atoi(count));
  if (const char* soak = std::getenv("TARVOK_SOAK"); soak != nullptr && std::string(soak) == "1") return 1000;
  return 300;
}

std::string FormatResult(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2Lf", value);
  return text;
}

// Successful and failing evaluations, with Ctrl let go at each moment a
// user may let go of it.
Round MakeRound(int n) {
  switch (n % 4) {
    case 0: return {std::to_string(n) + "+1", FormatResult(n + 1), CtrlRelease::AtOnce};
    case 1: return {std::to_string(n) + "*3", FormatResult(n * 3), CtrlRelease::DuringPaste};
    case 2: return {"1/0", "", CtrlRelease::AtOnce};
    default: return {"7-" + std::to_string(n), FormatResult(7 - n), CtrlRelease::AfterDelivery};
  }
}

std::string LogFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tarvok-resident\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA((folder + "log.txt").c_str());
  return folder;
}

std::vector<std::string> ReadLines(const std::string& fileName) {
  std::vector<std::string> lines;
  std::ifstream file(fileName, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void Print(const char* checkpoint, const ProcessCounters& c) {
  std::printf("resident.%s: handles=%lu gdi=%lu user=%lu linux_private_kb=%lu working_set_kb=%lu\n", checkpoint,
              c.handles, c.gdiObjects, c.userObjects, c.linuxPrivateKb, c.workingSetKb);
  std::fflush(stdout);
}

TEST(ResidentCalculations, NothingLostNothingChangedNothingGrows) {
  const int rounds = RoundCount();
  const std::string folder = LogFolder();
  HookedHost host(std::string(TARVOK_BIN_DIR) + "/calc.dll", folder);
  ASSERT_EQ(host.Problem(), "");
  HotKeyRounds driver(host.Window(), host.Field(), kUserText);
  ASSERT_EQ(driver.Prepare(), "");

  // Made beforehand: formatting the expected results sets x87 flags of its own.
  std::vector<Round> table;
  for (int n = 1; n <= rounds; ++n) table.push_back(MakeRound(n));

  SetFpuControl(kUnusualFpuControl);
  const HostState baseline = CaptureHostState();
  ProcessCounters warm, middle, end;
  for (int n = 1; n <= rounds; ++n) {
    // The counters and the comparison do arithmetic too; each calculation
    // starts with no flag pending.
    SetFpuControl(kUnusualFpuControl);
    const std::string problem = driver.Run(table[static_cast<std::size_t>(n - 1)], baseline);
    ASSERT_EQ(problem, "") << "calculation " << n << " of " << rounds;
    if (n == kWarmUpRounds) {
      ASSERT_TRUE(ReadOwnCounters(warm));
    }
    if (n == (rounds + kWarmUpRounds) / 2) {
      ASSERT_TRUE(ReadOwnCounters(middle));
    }
  }
  ASSERT_TRUE(ReadOwnCounters(end));
  SetFpuControl(0x037F);
  Print("warm", warm);
  Print("middle", middle);
  Print("end", end);

  const std::vector<std::string> lines = ReadLines(folder + "log.txt");
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(rounds));
  for (int n = 1; n <= rounds; ++n) {
    const Round& round = table[static_cast<std::size_t>(n - 1)];
    const std::string ending = "] " + round.typed + "=" + round.pasted;
    const std::string& line = lines[static_cast<std::size_t>(n - 1)];
    ASSERT_TRUE(line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
        << "log line " << n << ": " << line;
  }

  EXPECT_LE(end.handles, warm.handles);
  // Zero under Wine, which does not count GDI and USER objects.
  EXPECT_LE(end.gdiObjects, warm.gdiObjects);
  EXPECT_LE(end.userObjects, warm.userObjects);
  const double perRound = (static_cast<double>(end.linuxPrivateKb) - static_cast<double>(middle.linuxPrivateKb)) /
                          ((rounds - kWarmUpRounds) / 2.0);
  std::printf("resident.private_kb_per_calculation=%.2f (second half)\n", perRound);
}

}  // namespace
}  // namespace tarvok::resident

// calc.dll resident in a program through many calculations: every result
// arrives, every log line is written, the user's clipboard (a text and a
// picture) comes back each time, the program's x87 control word, trapping
// exception flags, MXCSR and keyboard state are as it left them after every
// calculation, and its handles do not grow. The program runs with an
// unusual control word (HostStateCapture.h) so that a calculation that used
// or changed it shows.
//
// Memory: under Wine a program keeps some memory for every clipboard format
// it reads after a change of the clipboard, with or without calc.dll
// (tarvok-clipboard-growth shows it in a plain program). So the same rounds
// are first made by the test program itself without the library
// (ControlDelivery), and the library may add next to nothing to that growth:
// heap bytes in use (exact) and private memory (whole pages).
//
// 150 calculations by default, each kind of round 30 times (each delivery
// holds the clipboard for 300 ms, so about a minute), 50 for calc64.dll,
// whose build shares everything else; TARVOK_SOAK=1 makes 5,000,
// TARVOK_RESIDENT_ROUNDS any count.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ControlDelivery.h"
#include "HookedHost.h"
#include "HostStateCapture.h"
#include "HotKeyRounds.h"
#include "ProcessCounters.h"

namespace tarvok::resident {
namespace {

using counters::ProcessCounters;
using counters::ReadOwnCounters;

constexpr int kWarmUpRounds = 20;
constexpr int kControlRounds = 120;
// What calc.dll may add per calculation beyond the control: less than the
// smallest copy it could keep (the saved 30-byte text). The two have been
// within a byte of each other per calculation.
constexpr double kHeapMarginBytes = 8;
// RssAnon moves in 4 KiB pages and also holds what Wine keeps outside the
// heaps.
constexpr double kPrivateMarginKb = 1.0;
constexpr char kUserText[] = "the user's own clipboard text";

int RoundCount() {
  if (const char* count = std::getenv("TARVOK_RESIDENT_ROUNDS")) return std::max(2 * kWarmUpRounds, std::atoi(count));
  if (const char* soak = std::getenv("TARVOK_SOAK"); soak != nullptr && std::string(soak) == "1") return 5000;
  return TARVOK_RESIDENT_ROUNDS;
}

std::string FormatResult(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2Lf", value);
  return text;
}

// Successful and failing evaluations, with Ctrl let go at each moment a
// user may let go of it. 2^53 + 1 needs the 64-bit significand: evaluated
// with the program's 53-bit precision it would come out one less.
Round MakeRound(int n) {
  switch (n % 5) {
    case 0: return {std::to_string(n) + "+1", FormatResult(n + 1), CtrlRelease::AtOnce};
    case 1: return {std::to_string(n) + "*3", FormatResult(n * 3), CtrlRelease::DuringPaste};
    case 2: return {"1/0", "", CtrlRelease::AtOnce};
    case 3: return {"9007199254740993+" + std::to_string(n % 10), FormatResult(9007199254740993.0L + n % 10),
                    CtrlRelease::AtOnce};
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
  std::printf("resident.%s: handles=%lu gdi=%lu user=%lu heap_busy_bytes=%lu linux_private_kb=%lu\n", checkpoint,
              c.handles, c.gdiObjects, c.userObjects, c.heapBusyBytes, c.linuxPrivateKb);
  std::fflush(stdout);
}

struct Growth {
  ProcessCounters warm, end;
  int measuredRounds = 0;
  [[nodiscard]] double HeapBytesPerRound() const {
    return (static_cast<double>(end.heapBusyBytes) - warm.heapBusyBytes) / measuredRounds;
  }
  [[nodiscard]] double PrivateKbPerRound() const {
    return (static_cast<double>(end.linuxPrivateKb) - warm.linuxPrivateKb) / measuredRounds;
  }
};

// Runs the rounds and checks each; the first problem ends the run.
std::string RunRounds(HotKeyRounds& driver, const std::vector<Round>& table, int rounds, Growth& growth) {
  if (std::string problem = driver.Prepare(); !problem.empty()) return problem;
  SetFpuControl(kUnusualFpuControl);
  const HostState baseline = CaptureHostState();
  for (int n = 1; n <= rounds; ++n) {
    // The counters and the comparison do arithmetic of their own; each
    // calculation starts with no flag pending.
    SetFpuControl(kUnusualFpuControl);
    if (std::string problem = driver.Run(table[static_cast<std::size_t>(n - 1)], baseline); !problem.empty())
      return "calculation " + std::to_string(n) + ": " + problem;
    if (n == kWarmUpRounds && !ReadOwnCounters(growth.warm)) return "counters not read";
  }
  SetFpuControl(0x037F);
  if (!ReadOwnCounters(growth.end)) return "counters not read";
  growth.measuredRounds = rounds - kWarmUpRounds;
  return {};
}

void ExpectLogged(const std::string& logFile, const std::vector<Round>& table, int rounds) {
  const std::vector<std::string> lines = ReadLines(logFile);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(rounds));
  for (int n = 1; n <= rounds; ++n) {
    const Round& round = table[static_cast<std::size_t>(n - 1)];
    const std::string ending = "] " + round.typed + "=" + round.pasted;
    const std::string& line = lines[static_cast<std::size_t>(n - 1)];
    EXPECT_TRUE(line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
        << "log line " << n << ": " << line;
  }
}

TEST(ResidentCalculations, NothingLostNothingChangedNothingGrows) {
  const int rounds = RoundCount();
  // Made beforehand: formatting the expected results sets x87 flags of its own.
  std::vector<Round> table;
  for (int n = 1; n <= rounds; ++n) table.push_back(MakeRound(n));
  const std::string folder = LogFolder();

  // The same deliveries made by the test program itself, without calc.dll:
  // what grows here is the system's.
  Growth control;
  {
    HookedHost host({}, folder, {.withLibrary = false});
    ASSERT_EQ(host.Problem(), "");
    HotKeyRounds driver(host.Window(), host.Field(), kUserText);
    ControlDelivery delivery;
    driver.DeliverWithoutLibrary(delivery);
    ASSERT_EQ(RunRounds(driver, table, std::min(rounds, kControlRounds), control), "");
  }
  Growth library;
  {
    HookedHost host(std::string(TARVOK_BIN_DIR) + "/" TARVOK_HOOK_LIBRARY, folder);
    ASSERT_EQ(host.Problem(), "");
    HotKeyRounds driver(host.Window(), host.Field(), kUserText);
    ASSERT_EQ(RunRounds(driver, table, rounds, library), "");
  }
  Print("control.warm", control.warm);
  Print("control.end", control.end);
  Print("library.warm", library.warm);
  Print("library.end", library.end);
  std::printf("resident.per_calculation: library %.1f heap bytes %.2f private KiB; control %.1f heap bytes %.2f private KiB\n",
              library.HeapBytesPerRound(), library.PrivateKbPerRound(), control.HeapBytesPerRound(),
              control.PrivateKbPerRound());

  ExpectLogged(folder + "log.txt", table, rounds);
  EXPECT_LE(library.end.handles, library.warm.handles);
  // Zero under Wine, which does not count GDI and USER objects.
  EXPECT_LE(library.end.gdiObjects, library.warm.gdiObjects);
  EXPECT_LE(library.end.userObjects, library.warm.userObjects);
  EXPECT_LE(library.HeapBytesPerRound(), control.HeapBytesPerRound() + kHeapMarginBytes);
  EXPECT_LE(library.PrivateKbPerRound(), control.PrivateKbPerRound() + kPrivateMarginKb);
}

// A hot key with Shift, let go while the simulated Ctrl+V is down: when the
// paste puts back the keyboard state saved before it, Shift must come back
// up, as nothing injected releases it later; held, the user's next letters
// would arrive shifted.
TEST(ResidentCalculations, ModifiersLetGoDuringThePasteStayUp) {
  const std::string folder = LogFolder();
  HookedHost host(std::string(TARVOK_BIN_DIR) + "/" TARVOK_HOOK_LIBRARY, folder, {.hotKeyModifiers = kModCtrl | kModShift});
  ASSERT_EQ(host.Problem(), "");
  HotKeyRounds driver(host.Window(), host.Field(), kUserText);
  ASSERT_EQ(driver.Prepare(), "");
  const HostState baseline = CaptureHostState();
  for (const CtrlRelease release : {CtrlRelease::AtOnce, CtrlRelease::AfterDelivery, CtrlRelease::DuringPaste}) {
    EXPECT_EQ(driver.Run({"2+3", "5.00", release, true}, baseline), "") << "released " << static_cast<int>(release);
  }
}

}  // namespace
}  // namespace tarvok::resident

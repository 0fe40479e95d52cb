// tarvok-bench-resident: the running controller's resources over a long
// session, and those of a program calc.dll calculates in. With tarvok.exe
// running and the target window in front, it
//   1. reads tarvok.exe's counters after its start-up (which ends with the
//      working-set trim; the peak working set tells the size before it),
//   2. makes calculations in the target window: types "<n>+1", presses
//      Ctrl+= and waits for the pasted result and the end of the delivery,
//   3. opens the options window with a double click on the tray icon's
//      message and closes it from the title bar, again and again,
// and prints both processes' counters at each checkpoint, and a trend line
// every 100 calculations and every 10 openings ("trend.<phase>.<n>=" the
// controller's private KiB and handles, then the target's).
//
// Every calculation starts after Escape, a break, so that what was typed in
// the target before (other benchmarks type there too) is not part of it.
//
//   tarvok-bench-resident <target window> [calculations] [openings]
//                         [Linux pid of tarvok.exe] [Linux pid of the target]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "PerfClock.h"
#include "ProcessCounters.h"
#include "TargetField.h"

namespace tarvok::bench {

using counters::PrintCounters;
using counters::ProcessCounters;
using counters::ReadProcessCounters;

namespace {

constexpr char kControllerClass[] = "TMainForm";
constexpr UINT kTrayIconMessage = WM_USER + 20;
constexpr int kWarmUpRounds = 10;
constexpr int kTrendSteps = 100;  // calculations between trend lines; a tenth of it for openings
// A delivery holds the clipboard for 300 ms.
constexpr DWORD kDeliveryMs = 300;
constexpr DWORD kWaitLimitMs = 10000;

template <typename Condition>
bool WaitFor(Condition condition) {
  const ULONGLONG deadline = GetTickCount64() + kWaitLimitMs;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(5);
  }
  return true;
}

bool KeysUp() {
  for (const int key : {VK_CONTROL, VK_SHIFT, VK_MENU, int{'V'}})
    if (GetAsyncKeyState(key) & 0x8000) return false;
  return true;
}

bool TypeDigits(const TargetField& target, const std::string& digits, const PerfClock& clock) {
  for (const char digit : digits) {
    if (target.TypeKey(static_cast<BYTE>(digit), clock) < 0) return false;
  }
  return true;
}

// "<n>+1", the hot key, the pasted "<n+1>.00", the end of the delivery.
bool Calculate(const TargetField& target, int n, const PerfClock& clock) {
  if (!target.Clear()) return false;
  keybd_event(VK_ESCAPE, 0, 0, 0);
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  const std::string number = std::to_string(n);
  if (!TypeDigits(target, number, clock) || target.TypeKey(VK_ADD, clock) < 0 || !TypeDigits(target, "1", clock))
    return false;
  const std::string expected = number + "+1" + std::to_string(n + 1) + ".00";
  const ULONGLONG pressed = GetTickCount64();
  TargetField::PressWithCtrl(VK_OEM_PLUS);
  std::string text;
  if (!WaitFor([&] { return target.ReadText(text) && text == expected; })) {
    std::fprintf(stderr, "calculation %d: the field holds '%s', expected '%s'\n", n, text.c_str(), expected.c_str());
    return false;
  }
  return WaitFor([&] { return GetTickCount64() >= pressed + kDeliveryMs + 50 && KeysUp(); });
}

bool OpenAndCloseOptions(HWND controller) {
  PostMessageA(controller, kTrayIconMessage, 1, WM_LBUTTONDBLCLK);
  if (!WaitFor([&] { return IsWindowVisible(controller) != FALSE; })) return false;
  PostMessageA(controller, WM_CLOSE, 0, 0);
  return WaitFor([&] { return IsWindowVisible(controller) == FALSE; });
}

unsigned long controllerLinuxPid = 0, targetLinuxPid = 0;

void Checkpoint(const char* name, HWND controller, HWND target) {
  ProcessCounters counters;
  if (ReadProcessCounters(controller, controllerLinuxPid, counters)) PrintCounters(name, "tarvok", counters);
  counters = {};
  if (ReadProcessCounters(target, targetLinuxPid, counters)) PrintCounters(name, "target", counters);
  std::fflush(stdout);
}

// Private memory and handles of both processes along the way, so that a
// steady climb (a leak) can be told from one step (a heap growing once).
void Trend(const char* phase, int n, HWND controller, HWND target) {
  ProcessCounters ours, theirs;
  if (!ReadProcessCounters(controller, controllerLinuxPid, ours) || !ReadProcessCounters(target, targetLinuxPid, theirs))
    return;
  std::printf("trend.%s.%d=%lu %lu %lu %lu\n", phase, n, ours.linuxPrivateKb, ours.handles, theirs.linuxPrivateKb,
              theirs.handles);
  std::fflush(stdout);
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: tarvok-bench-resident <target window> [calculations] [openings]\n", stderr);
    return 2;
  }
  const int calculations = argc > 2 ? std::max(kWarmUpRounds + 1, std::atoi(argv[2])) : 1000;
  const int openings = argc > 3 ? std::max(kWarmUpRounds + 1, std::atoi(argv[3])) : 100;
  if (argc > 4) controllerLinuxPid = std::strtoul(argv[4], nullptr, 10);
  if (argc > 5) targetLinuxPid = std::strtoul(argv[5], nullptr, 10);
  HWND controller = FindWindowA(kControllerClass, nullptr);
  const TargetField target(argv[1]);
  if (!controller || !target.Found()) {
    std::fprintf(stderr, "tarvok.exe (%s) or the window '%s' is not there\n", kControllerClass, argv[1]);
    return 1;
  }
  Checkpoint("startup", controller, target.Window());
  if (!target.MakeForeground()) {
    std::fprintf(stderr, "'%s' did not become the foreground window\n", argv[1]);
    return 1;
  }
  const PerfClock clock;
  const double calculationsStart = clock.NowMicroseconds();
  for (int n = 1; n <= calculations; ++n) {
    if (!Calculate(target, n, clock)) return 1;
    if (n == kWarmUpRounds) Checkpoint("calculations_warm", controller, target.Window());
    if (n % kTrendSteps == 0 || n == calculations) Trend("calculations", n, controller, target.Window());
  }
  Checkpoint("calculations_done", controller, target.Window());
  const double openingsStart = clock.NowMicroseconds();
  for (int n = 1; n <= openings; ++n) {
    if (!OpenAndCloseOptions(controller)) {
      std::fprintf(stderr, "opening %d of the options window did not open or close it\n", n);
      return 1;
    }
    if (n == kWarmUpRounds) Checkpoint("openings_warm", controller, target.Window());
    if (n % (kTrendSteps / 10) == 0 || n == openings) Trend("openings", n, controller, target.Window());
  }
  const double openingsEnd = clock.NowMicroseconds();
  Checkpoint("openings_done", controller, target.Window());
  std::printf("calculations=%d\nopenings=%d\ncalculation_ms=%.0f\nopening_ms=%.0f\n", calculations, openings,
              (openingsStart - calculationsStart) / 1000 / calculations, (openingsEnd - openingsStart) / 1000 / openings);
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

// tarvok-bench-typing: what the hooks add to a keystroke in a real program.
// Types digits into a running window, emptied before every block, in
// blocks that rotate through three states: no hooks; the empty DLL's keyboard and message hooks, which only
// pass every event on (the cost of any such hook); and calc.dll's two hooks,
// installed for the whole desktop as the controller installs them. Each key
// is timed alone, from its injection until the window has the character,
// and each block is also typed in one go, timed per key. The first keys
// after a change of state are not counted: they carry the loading or
// unloading of the library in the target program.
//
// Given the Linux process id of the target (under Wine), the CPU time its
// main thread spends per counted key is added: unlike the delays, it does
// not grow when other programs hold the machine's cores.
//
//   tarvok-bench-typing <calc.dll> <empty.dll> <window class or title>
//                       [keys per state] [keys per block] [Linux pid of the target]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "LinuxProc.h"
#include "PerfClock.h"
#include "ScopedHandle.h"
#include "SettingsBlockForBench.h"
#include "SharedBlock.h"
#include "Statistics.h"
#include "TargetField.h"

namespace tarvok::bench {

using counters::LinuxMainThreadCpuMicroseconds;

namespace {

constexpr int kWarmUpKeys = 5;

struct Hooks {
  HHOOK keyboard = nullptr;
  HHOOK getMessage = nullptr;
};

class HookInstaller {
 public:
  explicit HookInstaller(const char* libraryPath) : module_(LoadLibraryA(libraryPath)) {
    if (!module_) return;
    keyboardProc_ = ProcedureOf(kKeyboardProcName);
    getMessageProc_ = ProcedureOf(kGetMessageProcName);
  }
  bool Ready() const { return keyboardProc_ && getMessageProc_; }

  Hooks Install() const {
    return {SetWindowsHookExA(WH_KEYBOARD, keyboardProc_, module_.get(), 0),
            SetWindowsHookExA(WH_GETMESSAGE, getMessageProc_, module_.get(), 0)};
  }
  static void Remove(Hooks& hooks) {
    if (hooks.keyboard) UnhookWindowsHookEx(hooks.keyboard);
    if (hooks.getMessage) UnhookWindowsHookEx(hooks.getMessage);
    hooks = {};
    // Programs let the library go on their next message, as after Stop.
    PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
  }

 private:
  // GetProcAddress's FARPROC has no parameters; a detour through void*
  // keeps the compiler's function-type cast check quiet.
  HOOKPROC ProcedureOf(const char* name) const {
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
  }

  ScopedModule module_;
  HOOKPROC keyboardProc_ = nullptr;
  HOOKPROC getMessageProc_ = nullptr;
};

struct Samples {
  std::vector<double> alone;  // one key, from injection to the character
  std::vector<double> burst;  // a block typed at once, per key
  double targetCpuMicros = 0;  // the target's main thread, counted keys only
  int countedKeys = 0;
};

unsigned long targetLinuxPid = 0;

bool TypeBlock(const TargetField& target, int keys, const PerfClock& clock, Samples& samples) {
  double cpuStart = 0;
  for (int i = 0; i < kWarmUpKeys + keys; ++i) {
    if (i == kWarmUpKeys) cpuStart = LinuxMainThreadCpuMicroseconds(targetLinuxPid);
    const double micros = target.TypeKey(static_cast<BYTE>('0' + i % 10), clock);
    if (micros < 0) return false;
    if (i >= kWarmUpKeys) samples.alone.push_back(micros);
  }
  std::string digits;
  for (int i = 0; i < keys; ++i) digits += static_cast<char>('0' + i % 10);
  const double micros = target.TypeBurst(digits, clock);
  if (micros < 0) return false;
  samples.burst.push_back(micros / keys);
  const double cpuEnd = LinuxMainThreadCpuMicroseconds(targetLinuxPid);
  if (cpuStart >= 0 && cpuEnd >= 0) {
    samples.targetCpuMicros += cpuEnd - cpuStart;
    samples.countedKeys += 2 * keys;
  }
  return true;
}

bool TypeWithHooks(const HookInstaller& installer, SettingsBlockForBench& settings, const TargetField& target,
                   int keys, const PerfClock& clock, Samples& samples) {
  Hooks hooks = installer.Install();
  if (!hooks.keyboard || !hooks.getMessage) {
    HookInstaller::Remove(hooks);
    return false;
  }
  settings.SetHooks(hooks.keyboard, hooks.getMessage);
  const bool typed = TypeBlock(target, keys, clock, samples);
  HookInstaller::Remove(hooks);
  return typed;
}

void PrintState(const char* state, const Samples& samples) {
  std::printf("%s.alone_median_us=%.1f\n%s.alone_mean_us=%.1f\n%s.burst_median_us=%.1f\n", state,
              Median(samples.alone), state, Mean(samples.alone), state, Median(samples.burst));
  if (samples.countedKeys > 0)
    std::printf("%s.target_cpu_us_per_key=%.1f\n", state, samples.targetCpuMicros / samples.countedKeys);
}

int Run(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: tarvok-bench-typing <calc.dll> <empty.dll> <window> [keys per state] [keys per block]\n",
               stderr);
    return 2;
  }
  const int keys = argc > 4 ? std::max(1, std::atoi(argv[4])) : 1000;
  const int block = argc > 5 ? std::max(1, std::atoi(argv[5])) : 100;
  if (argc > 6) targetLinuxPid = std::strtoul(argv[6], nullptr, 10);
  SettingsBlockForBench settings;
  const HookInstaller calc(argv[1]);
  const HookInstaller empty(argv[2]);
  const TargetField target(argv[3]);
  if (!settings.Ready() || !calc.Ready() || !empty.Ready() || !target.Found()) {
    std::fprintf(stderr, "no settings block, no hook procedures in %s or %s, or no window '%s'\n", argv[1], argv[2],
                 argv[3]);
    return 1;
  }
  if (!target.MakeForeground()) {
    std::fprintf(stderr, "'%s' did not become the foreground window\n", argv[3]);
    return 1;
  }
  const PerfClock clock;
  Samples none, passing, ours;
  for (int typed = 0, round = 0; typed < keys; typed += block, ++round) {
    const int count = std::min(block, keys - typed);
    // Each round starts its states in another order, so that a drift over
    // the run (a cache, another build starting) falls on all three alike.
    for (int step = 0; step < 3; ++step) {
      const int state = (round + step) % 3;
      const bool typedBlock =
          target.Clear() && (state == 0   ? TypeBlock(target, count, clock, none)
                             : state == 1 ? TypeWithHooks(empty, settings, target, count, clock, passing)
                                          : TypeWithHooks(calc, settings, target, count, clock, ours));
      if (!typedBlock) {
        std::fputs("a key did not reach the window, or the hooks could not be installed\n", stderr);
        return 1;
      }
    }
  }
  std::printf("keys_per_state=%d\nblock=%d\n", keys, block);
  PrintState("none", none);
  PrintState("passing", passing);
  PrintState("calc", ours);
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

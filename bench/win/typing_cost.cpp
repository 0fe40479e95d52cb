// tarvok-bench-typing: what the hooks add to a keystroke in a real program.
// Types digits into the Edit field of an already running window, in blocks
// that alternate between no hooks and calc.dll's two hooks installed for the
// whole desktop (as the controller installs them), and times each key from
// its injection until the field holds one more character. The first keys of
// every block are not counted: they carry the loading or unloading of the
// library in the target program.
//
//   tarvok-bench-typing <calc.dll> <window class or title> [keys per mode] [keys per block]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "PerfClock.h"
#include "ScopedHandle.h"
#include "SettingsBlockForBench.h"
#include "Statistics.h"
#include "TargetField.h"
#include "TypeUnit.h"

namespace tarvok::bench {
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
    // Programs let the library go on their next message, as after StopWork.
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

bool TypeBlock(const TargetField& target, int keys, const PerfClock& clock, std::vector<double>& samples) {
  for (int i = 0; i < kWarmUpKeys + keys; ++i) {
    const double micros = target.TypeKey(static_cast<BYTE>('0' + i % 10), clock);
    if (micros < 0) return false;
    if (i >= kWarmUpKeys) samples.push_back(micros);
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: tarvok-bench-typing <calc.dll> <window> [keys per mode] [keys per block]\n", stderr);
    return 2;
  }
  const int keys = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1000;
  const int block = argc > 4 ? std::max(1, std::atoi(argv[4])) : 100;
  SettingsBlockForBench settings;
  const HookInstaller installer(argv[1]);
  const TargetField target(argv[2]);
  if (!settings.Ready() || !installer.Ready() || !target.Found()) {
    std::fprintf(stderr, "no settings block, no hook procedures in %s, or no window '%s'\n", argv[1], argv[2]);
    return 1;
  }
  if (!target.MakeForeground()) {
    std::fprintf(stderr, "'%s' did not become the foreground window\n", argv[2]);
    return 1;
  }
  const PerfClock clock;
  std::vector<double> without, with;
  for (int typed = 0; typed < keys; typed += block) {
    const int count = std::min(block, keys - typed);
    if (!TypeBlock(target, count, clock, without)) {
      std::fputs("a key did not reach the field (no hooks)\n", stderr);
      return 1;
    }
    Hooks hooks = installer.Install();
    if (!hooks.keyboard || !hooks.getMessage) {
      std::fprintf(stderr, "SetWindowsHookExA failed (error %lu)\n", GetLastError());
      HookInstaller::Remove(hooks);
      return 1;
    }
    settings.SetHooks(hooks.keyboard, hooks.getMessage);
    const bool typedWith = TypeBlock(target, count, clock, with);
    HookInstaller::Remove(hooks);
    if (!typedWith) {
      std::fputs("a key did not reach the field (hooks installed)\n", stderr);
      return 1;
    }
  }
  std::printf("keys_per_mode=%d\nblock=%d\nwithout_median_us=%.1f\nwith_median_us=%.1f\nadded_median_us=%.1f\n"
              "without_mean_us=%.1f\nwith_mean_us=%.1f\nadded_mean_us=%.1f\n",
              keys, block, Median(without), Median(with), Median(with) - Median(without), Mean(without), Mean(with),
              Mean(with) - Mean(without));
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

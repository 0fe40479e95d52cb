// tarvok-bench-paste: the control for the resident benchmark's memory
// figures. Does what a calculation round does to the target window, but
// without calc.dll: empties the field, types "<n>+1", puts "<n+1>.00" on the
// clipboard itself and presses Ctrl+V. Growth of the target here is the
// system's (the Edit control's paste, the clipboard), not the hook
// library's. Prints "paste.<n>=<private KiB>" every 100 rounds.
//
//   tarvok-bench-paste <target window> [rounds] [Linux pid of the target]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LinuxProc.h"
#include "PerfClock.h"
#include "TargetField.h"

namespace tarvok::bench {

using counters::ReadLinuxProcFile;

namespace {

constexpr DWORD kWaitLimitMs = 10000;

bool PutText(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!set) GlobalFree(block);
  CloseClipboard();
  return set;
}

unsigned long PrivateKb(unsigned long linuxPid) {
  const std::string status = ReadLinuxProcFile(linuxPid, "status");
  const std::size_t at = status.find("RssAnon:");
  return at == std::string::npos ? 0 : std::strtoul(status.c_str() + at + 8, nullptr, 10);
}

bool Round(const TargetField& target, int n, const PerfClock& clock) {
  if (!target.Clear()) return false;
  for (const char digit : std::to_string(n))
    if (target.TypeKey(static_cast<BYTE>(digit), clock) < 0) return false;
  if (target.TypeKey(VK_ADD, clock) < 0 || target.TypeKey('1', clock) < 0) return false;
  const std::string result = std::to_string(n + 1) + ".00";
  if (!PutText(result)) return false;
  TargetField::PressWithCtrl('V');
  const std::string expected = std::to_string(n) + "+1" + result;
  const ULONGLONG deadline = GetTickCount64() + kWaitLimitMs;
  std::string text;
  while (!target.ReadText(text) || text != expected) {
    if (GetTickCount64() > deadline) {
      std::fprintf(stderr, "round %d: the field holds '%s', expected '%s'\n", n, text.c_str(), expected.c_str());
      return false;
    }
    Sleep(2);
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: tarvok-bench-paste <target window> [rounds] [Linux pid of the target]\n", stderr);
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
  const unsigned long linuxPid = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 0;
  const TargetField target(argv[1]);
  if (!target.Found() || !target.MakeForeground()) {
    std::fprintf(stderr, "no window '%s' in front\n", argv[1]);
    return 1;
  }
  const PerfClock clock;
  for (int n = 1; n <= rounds; ++n) {
    if (!Round(target, n, clock)) return 1;
    if (n % 100 == 0 || n == rounds) {
      std::printf("paste.%d=%lu\n", n, PrivateKb(linuxPid));
      std::fflush(stdout);
    }
  }
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

// tarvok-clipboard-growth: how much memory the system keeps per clipboard
// round in a plain program, without calc.dll and without hooks. Each round
// changes the clipboard (empties it and sets the text) and then, depending
// on the mode, reads or saves and restores it the way the hook library's
// delivery does. Prints the heap bytes in use and the private memory per
// round after a warm-up. Under Wine 8.0 every read of a format after a
// change keeps about 1 KiB; on Windows nothing should stay.
//
//   tarvok-clipboard-growth <mode> [rounds] [window]
//     change        only change the clipboard (the yardstick)
//     read-text     ... and read CF_TEXT once
//     read-unicode  ... and read CF_UNICODETEXT once (synthesized by the system)
//     save-restore  ... and copy every format, empty, put the copies back
//   "window": the clipboard is opened with a window of the program, as
//   calc.dll opens it with the focused window; else with none.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ProcessCounters.h"

namespace tarvok::resident {
namespace {

constexpr int kWarmUpRounds = 20;
constexpr char kText[] = "the user's own clipboard text";

HWND owner = nullptr;

HGLOBAL NewBlock(const void* bytes, SIZE_T size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

void Change() {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, NewBlock(kText, sizeof kText));
  CloseClipboard();
}

void Read(UINT format) {
  if (!OpenClipboard(owner)) return;
  GetClipboardData(format);
  CloseClipboard();
}

void SaveAndRestore() {
  struct Saved {
    UINT format;
    HGLOBAL copy;
  };
  std::vector<Saved> saved;
  if (!OpenClipboard(owner)) return;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    HANDLE data = GetClipboardData(format);
    const void* bytes = data != nullptr ? GlobalLock(data) : nullptr;
    if (bytes == nullptr) continue;
    saved.push_back({format, NewBlock(bytes, GlobalSize(data))});
    GlobalUnlock(data);
  }
  EmptyClipboard();
  for (const Saved& entry : saved) {
    if (SetClipboardData(entry.format, entry.copy) == nullptr) GlobalFree(entry.copy);
  }
  CloseClipboard();
}

int Run(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int rounds = argc > 2 ? std::max(kWarmUpRounds + 1, std::atoi(argv[2])) : 500;
  void (*step)() = nullptr;
  if (mode == "change") step = [] {};
  if (mode == "read-text") step = [] { Read(CF_TEXT); };
  if (mode == "read-unicode") step = [] { Read(CF_UNICODETEXT); };
  if (mode == "save-restore") step = SaveAndRestore;
  if (step == nullptr) {
    std::fputs("usage: tarvok-clipboard-growth change|read-text|read-unicode|save-restore [rounds]\n", stderr);
    return 2;
  }
  if (argc > 3 && std::string(argv[3]) == "window")
    owner = CreateWindowExA(0, "STATIC", "clipboard growth", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  counters::ProcessCounters warm, end;
  for (int n = 1; n <= rounds; ++n) {
    Change();
    step();
    if (n == kWarmUpRounds) counters::ReadOwnCounters(warm);
  }
  counters::ReadOwnCounters(end);
  const double measured = rounds - kWarmUpRounds;
  std::printf("%s%s: %.1f heap bytes and %.2f KiB private memory per round over %d rounds\n", mode.c_str(),
              owner != nullptr ? " (window)" : "",
              (static_cast<double>(end.heapBusyBytes) - warm.heapBusyBytes) / measured,
              (static_cast<double>(end.linuxPrivateKb) - warm.linuxPrivateKb) / measured, rounds - kWarmUpRounds);
  return 0;
}

}  // namespace
}  // namespace tarvok::resident

int main(int argc, char** argv) { return tarvok::resident::Run(argc, argv); }

// Probe commands that play the part of other programs getting in the hook
// library's way (holding the clipboard open, holding a file with no sharing),
// and one that checks a whole calculation round in a single run, so that a
// long series of hot keys is not slowed down by starting a probe per check.
#include <cstdio>
#include <cstdlib>

#include "ProbeCommands.h"
#include "ScopedHandle.h"

namespace probe {

namespace {

constexpr int kOpenAttempts = 500;
constexpr DWORD kOpenRetryMs = 2;
constexpr ULONGLONG kAwaitFormatMs = 20000;
constexpr UINT kClearTimeoutMs = 10000;

// The script starts the holder in the background and waits for this line
// before it presses the hot key.
void AnnounceHeld(const char* what) {
  std::printf("%s\n", what);
  std::fflush(stdout);
}

}  // namespace

// With a format name, the clipboard is taken only once that format is on
// it: the moment a delivery has put its result there and before its restore.
int ClipHold(int argc, Args argv) {
  unsigned long holdMs = 0;
  if (!ParseNumber(argv[0], holdMs)) return 2;
  if (argc > 1) {
    const UINT format = RegisterClipboardFormatA(argv[1]);
    AnnounceHeld("ready");
    const ULONGLONG deadline = NowMs() + kAwaitFormatMs;
    while (!IsClipboardFormatAvailable(format)) {
      if (NowMs() > deadline) {
        std::fprintf(stderr, "no %s on the clipboard\n", argv[1]);
        return 1;
      }
      Sleep(1);
    }
  }
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    tarvok::ScopedClipboard clipboard(nullptr);
    if (!clipboard.isOpen()) {
      Sleep(kOpenRetryMs);
      continue;
    }
    AnnounceHeld("held");
    Sleep(holdMs);
    return 0;
  }
  std::fputs("the clipboard stays busy\n", stderr);
  return 1;
}

int FileLock(int, Args argv) {
  unsigned long holdMs = 0;
  if (!ParseNumber(argv[1], holdMs)) return 2;
  const tarvok::ScopedHandle file(
      CreateFileA(argv[0], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    std::fprintf(stderr, "cannot open %s: error %lu\n", argv[0], GetLastError());
    return 1;
  }
  AnnounceHeld("locked");
  Sleep(holdMs);
  return 0;
}

// A field holding a very long paste is emptied before the test goes on, so
// that later checks need not carry its text on a command line.
int ClearField(int, Args argv) {
  HWND window = FindNamedWindow(argv[0]);
  if (!window) return 1;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(FieldOf(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG,
                             kClearTimeoutMs, &result) && result
             ? 0
             : 1;
}

int RoundDone(int, Args argv) {
  const char* const text[] = {argv[0], argv[1], argv[3]};
  const char* const clipboard[] = {argv[2], argv[3]};
  const char* const keys[] = {argv[3]};
  if (WaitText(3, text) != 0 || WaitClipBack(2, clipboard) != 0 || WaitKeysUp(1, keys) != 0) return 1;
  if (ClipDump(0, nullptr) != 0) return 1;
  std::printf("sequence %lu\n", static_cast<unsigned long>(GetClipboardSequenceNumber()));
  return 0;
}

}  // namespace probe

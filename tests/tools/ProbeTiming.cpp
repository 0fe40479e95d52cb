// Times one calculation as the user sees it: the probe presses Ctrl+= itself
// (so the clock starts at the key, not at a script's process start), then
// watches the focused field until it shows the expected text and the
// clipboard until the user's own formats are back. The clipboard is only
// watched through IsClipboardFormatAvailable: opening it would compete with
// the delivery being measured.
#include <cstdio>
#include <string>

#include "ProbeCommands.h"

namespace probe {

namespace {

constexpr DWORD kPollMs = 2;

double ElapsedMs(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PressCtrlEquals() {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(VK_OEM_PLUS, 0, 0, 0);
  keybd_event(VK_OEM_PLUS, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

int HotKeyTiming(int, Args argv) {
  HWND window = FindNamedWindow(argv[0]);
  unsigned long limitMs = 0;
  if (!window || !ParseNumber(argv[2], limitMs)) return 2;
  const UINT userFormat = RegisterClipboardFormatA(kProbeFormatName);
  if (!IsClipboardFormatAvailable(userFormat)) {
    std::fputs("put the probe's clipboard set first (clip-put-set)\n", stderr);
    return 2;
  }
  const std::string expected = argv[1];
  HWND field = FieldOf(window);

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  PressCtrlEquals();

  double fieldMs = -1, clipboardMs = -1;
  bool userClipboardLeft = false;
  std::string text;
  while (ElapsedMs(start) < static_cast<double>(limitMs) && (fieldMs < 0 || clipboardMs < 0)) {
    if (fieldMs < 0 && ReadWindowText(field, text) && Escape(text) == expected) fieldMs = ElapsedMs(start);
    const bool userClipboardThere = IsClipboardFormatAvailable(userFormat) != FALSE;
    if (!userClipboardThere) userClipboardLeft = true;
    if (userClipboardLeft && userClipboardThere && clipboardMs < 0) clipboardMs = ElapsedMs(start);
    Sleep(kPollMs);
  }
  std::printf("field_ms=%.1f clipboard_ms=%.1f\n", fieldMs, clipboardMs);
  if (fieldMs < 0) std::fprintf(stderr, "field holds '%s', expected '%s'\n", Escape(text).c_str(), expected.c_str());
  return fieldMs >= 0 && clipboardMs >= 0 ? 0 : 1;
}

}  // namespace probe

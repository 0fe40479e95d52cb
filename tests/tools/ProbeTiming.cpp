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

void PressKey(BYTE virtualKey) {
  keybd_event(virtualKey, 0, 0, 0);
  keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
}

// Milliseconds since `start` at which the field showed the text; -1 when it
// did not within the limit.
double WaitForFieldText(HWND field, const std::string& expected, const LARGE_INTEGER& start, double limitMs) {
  std::string text;
  while (ElapsedMs(start) < limitMs) {
    if (ReadWindowText(field, text) && Escape(text) == expected) return ElapsedMs(start);
    Sleep(kPollMs);
  }
  std::fprintf(stderr, "field holds '%s', expected '%s'\n", Escape(text).c_str(), expected.c_str());
  return -1;
}

}  // namespace

// A quick typist goes on right after the result: the letter, pressed
// <after> ms after the hot key (or at once when the result came later),
// must reach the field as that letter, not as a Ctrl shortcut.
int LetterAfterHotKey(int, Args argv) {
  HWND window = FindNamedWindow(argv[0]);
  unsigned long afterMs = 0, limitMs = 0;
  const char letter = argv[3][0];
  if (!window || !ParseNumber(argv[2], afterMs) || !ParseNumber(argv[4], limitMs) || letter < 'a' || letter > 'z')
    return 2;
  HWND field = FieldOf(window);
  const std::string withResult = argv[1];

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  PressCtrlEquals();
  const double resultMs = WaitForFieldText(field, withResult, start, static_cast<double>(limitMs));
  if (resultMs < 0) return 1;
  while (ElapsedMs(start) < static_cast<double>(afterMs)) Sleep(1);
  const double typedMs = ElapsedMs(start);
  PressKey(static_cast<BYTE>(letter - 'a' + 'A'));
  const double letterMs = WaitForFieldText(field, withResult + letter, start, typedMs + static_cast<double>(limitMs));
  std::printf("result_ms=%.1f typed_ms=%.1f letter_ms=%.1f\n", resultMs, typedMs, letterMs);
  return letterMs >= 0 ? 0 : 1;
}

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

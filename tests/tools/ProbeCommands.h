// The commands of tarvok-probe, one function each. Every command takes the
// words after its name and returns the process exit code: 0 when it did what
// was asked (or the awaited condition came true), 1 when not, 2 on bad usage.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

using Args = const char* const*;

// Windows and fields.
int Text(int argc, Args argv);
int WaitText(int argc, Args argv);
int WaitWindow(int argc, Args argv);
int WaitVisible(int argc, Args argv);
int WaitHidden(int argc, Args argv);
int WaitGone(int argc, Args argv);
int Title(int argc, Args argv);
int Activate(int argc, Args argv);
int Foreground(int argc, Args argv);
int WatchForeground(int argc, Args argv);
int WaitKeysUp(int argc, Args argv);
int Post(int argc, Args argv);
int Send(int argc, Args argv);
int ChildRect(int argc, Args argv);
int WindowRect(int argc, Args argv);
int WorkingSet(int argc, Args argv);
int Handles(int argc, Args argv);

// Clipboard.
int ClipPutText(int argc, Args argv);
int ClipPutSet(int argc, Args argv);
int ClipDump(int argc, Args argv);
int ClipText(int argc, Args argv);
int ClipSequence(int argc, Args argv);
int WaitClipBack(int argc, Args argv);

// Shared block and registry.
int MappingDump(int argc, Args argv);
int RegGet(int argc, Args argv);
int RegSet(int argc, Args argv);
int RegClear(int argc, Args argv);

// Other programs in the way, and one whole calculation round checked.
int ClipHold(int argc, Args argv);
int FileLock(int argc, Args argv);
int RoundDone(int argc, Args argv);
int ClearField(int argc, Args argv);

// Timing of one calculation, driven by the probe itself.
int HotKeyTiming(int argc, Args argv);
int LetterAfterHotKey(int argc, Args argv);

// Helpers shared by the command files.

// A window named by its class or, failing that, by its exact title.
HWND FindNamedWindow(const char* classOrTitle);
// The field whose text a test reads: the window's Edit child, else its first
// child, else the window itself.
HWND FieldOf(HWND window);
// The text of a window of another process, through WM_GETTEXT.
bool ReadWindowText(HWND window, std::string& text);
// Control characters written as \n (for CR LF), \r, \t or \xHH, so that a
// field's text is one line that a shell script can compare.
std::string Escape(const std::string& text);
// Milliseconds since an arbitrary start, for waits with a limit.
ULONGLONG NowMs();
// A number as a command argument: decimal, or hex with 0x.
bool ParseNumber(const char* text, unsigned long& value);
// Name of the well-known clipboard formats we meet in tests.
inline constexpr char kProbeFormatName[] = "Tarvok Probe Bytes";

}  // namespace probe

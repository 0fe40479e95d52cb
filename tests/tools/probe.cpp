// tarvok-probe: a small command-line tool with which the end-to-end scripts
// look into the Windows side of a running system (fields, windows, clipboard,
// the shared settings block, the registry) and wait for conditions with a
// time limit instead of sleeping. Usage: tarvok-probe <command> [words...].
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ProbeCommands.h"

namespace {

struct Command {
  const char* name;
  int minArgs;
  int (*run)(int, probe::Args);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"text", 1, probe::Text, "text <window>                       field text (escaped)"},
    {"wait-text", 3, probe::WaitText, "wait-text <window> <expected> <ms>  until the field text is equal"},
    {"wait-window", 2, probe::WaitWindow, "wait-window <class-or-title> <ms>   until the window exists"},
    {"wait-visible", 2, probe::WaitVisible, "wait-visible <class-or-title> <ms>  until it exists and is visible"},
    {"wait-hidden", 2, probe::WaitHidden, "wait-hidden <class-or-title> <ms>   until it is hidden or gone"},
    {"wait-gone", 2, probe::WaitGone, "wait-gone <class-or-title> <ms>     until no such window exists"},
    {"title", 1, probe::Title, "title <window>                      its caption"},
    {"activate", 2, probe::Activate, "activate <window> <ms>              make it the foreground window"},
    {"foreground", 0, probe::Foreground, "foreground                          the foreground and focus windows"},
    {"watch-foreground", 1, probe::WatchForeground, "watch-foreground <ms>               print their every change until then"},
    {"wait-keys-up", 1, probe::WaitKeysUp, "wait-keys-up <ms>                   until Ctrl, Shift, Alt and V are up"},
    {"post", 4, probe::Post, "post <window> <msg|name> <wp> <lp>  PostMessage"},
    {"send", 4, probe::Send, "send <window> <msg|name> <wp> <lp>  SendMessage, prints the result"},
    {"child-rect", 2, probe::ChildRect, "child-rect <window> <class> [text]  screen rectangle of a child"},
    {"window-rect", 1, probe::WindowRect, "window-rect <window>                screen rectangle"},
    {"working-set", 1, probe::WorkingSet, "working-set <window>                bytes of its process"},
    {"handles", 1, probe::Handles, "handles <window | program.exe>      kernel handles of its process"},
    {"clip-put-text", 1, probe::ClipPutText, "clip-put-text <text>                CF_TEXT only"},
    {"clip-put-set", 0, probe::ClipPutSet, "clip-put-set                        text, Unicode, custom, bitmap"},
    {"clip-dump", 0, probe::ClipDump, "clip-dump                           every format with a digest"},
    {"clip-text", 0, probe::ClipText, "clip-text                           CF_TEXT (escaped)"},
    {"clip-seq", 0, probe::ClipSequence, "clip-seq                            the clipboard sequence number"},
    {"wait-clip-back", 2, probe::WaitClipBack,
     "wait-clip-back <seq> <ms>           until the clipboard changed since <seq> and\n"
     "                                      the probe's own set is back"},
    {"mapping-dump", 0, probe::MappingDump, "mapping-dump                        the settings block fields"},
    {"reg-get", 1, probe::RegGet, "reg-get <value>                     a value of the settings key"},
    {"reg-set", 1, probe::RegSet, "reg-set <value> [text]              set a text value, or delete it"},
    {"reg-clear", 0, probe::RegClear, "reg-clear                           delete the settings key"},
    {"clip-hold", 1, probe::ClipHold,
     "clip-hold <ms> [format]             open the clipboard, say \"held\", keep it;\n"
     "                                      with a format: say \"ready\", hold once it is there"},
    {"file-lock", 2, probe::FileLock, "file-lock <file> <ms>               open a file unshared, say \"locked\", keep it"},
    {"clear-field", 1, probe::ClearField, "clear-field <window>                empty the window's field"},
    {"round-done", 4, probe::RoundDone,
     "round-done <window> <text> <seq> <ms>  field text, clipboard back since <seq>,\n"
     "                                      keys up; then clip-dump and \"sequence <n>\""},
    {"hotkey-timing", 3, probe::HotKeyTiming,
     "hotkey-timing <window> <expected> <ms>  press Ctrl+=, time field and clipboard"},
    {"letter-after-hotkey", 5, probe::LetterAfterHotKey,
     "letter-after-hotkey <window> <expected> <after ms> <a-z> <ms>  press Ctrl+=, wait for the\n"
     "                                      result, press the letter <after ms> after the hot key"},
};

// With TARVOK_PROBE_TRACE naming a file, every run adds a line to it: the
// command, its words and its status. A script that got no answer can then
// tell a probe that never ran from one that ran and said nothing.
void Trace(int argc, char** argv, int status) {
  const char* path = std::getenv("TARVOK_PROBE_TRACE");
  if (path == nullptr || *path == '\0') return;
  std::FILE* trace = std::fopen(path, "ab");
  if (trace == nullptr) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::fprintf(trace, "%02u:%02u:%02u.%03u %lu", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
               static_cast<unsigned long>(GetCurrentProcessId()));
  for (int i = 1; i < argc; ++i) std::fprintf(trace, " %s", argv[i]);
  std::fprintf(trace, " -> %d\n", status);
  std::fclose(trace);
}

int Usage() {
  std::fputs("usage: tarvok-probe <command> [arguments]\n", stderr);
  for (const Command& command : kCommands) std::fprintf(stderr, "  %s\n", command.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Plain LF line ends: the scripts compare the output as it comes.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) return Usage();
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) != 0) continue;
    if (argc - 2 < command.minArgs) return Usage();
    const int status = command.run(argc - 2, argv + 2);
    std::fflush(stdout);
    Trace(argc, argv, status);
    return status;
  }
  return Usage();
}

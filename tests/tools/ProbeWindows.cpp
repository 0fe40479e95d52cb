// Probe commands about windows: reading a field's text, waiting for windows
// to appear, show or go away, posting messages and finding where a control
// sits on the screen so that a script can click it for real.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "ProbeCommands.h"
#include "ProcessCounters.h"
#include "ScopedHandle.h"

namespace probe {

namespace {

constexpr ULONGLONG kPollMs = 10;
constexpr UINT kSendTimeoutMs = 2000;  // a hung target must not hang the probe

// Waits until `condition` holds or `limitMs` passes; the condition is tried
// once more at the end so that a late success is not reported as a failure.
template <typename Condition>
bool WaitFor(unsigned long limitMs, Condition condition) {
  const ULONGLONG deadline = NowMs() + limitMs;
  while (NowMs() < deadline) {
    if (condition()) return true;
    Sleep(kPollMs);
  }
  return condition();
}

bool ParseLimit(const char* text, unsigned long& limitMs) {
  if (ParseNumber(text, limitMs)) return true;
  std::fprintf(stderr, "not a time limit: %s\n", text);
  return false;
}

std::string WithoutAmpersands(const char* text) {
  std::string plain;
  for (; *text; ++text)
    if (*text != '&') plain += *text;
  return plain;
}

struct ChildSearch {
  const char* className;
  const char* text;  // null: any text
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM context) {
  auto& search = *reinterpret_cast<ChildSearch*>(context);
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, search.className) != 0) return TRUE;
  if (search.text) {
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(WithoutAmpersands(text).c_str(), WithoutAmpersands(search.text).c_str()) != 0)
      return TRUE;
  }
  search.found = child;
  return FALSE;
}

void PrintRect(const RECT& rect) {
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

HWND FindOrComplain(const char* name) {
  HWND window = FindNamedWindow(name);
  if (!window) std::fprintf(stderr, "no window: %s\n", name);
  return window;
}

}  // namespace

HWND FindNamedWindow(const char* classOrTitle) {
  if (HWND byClass = FindWindowA(classOrTitle, nullptr)) return byClass;
  return FindWindowA(nullptr, classOrTitle);
}

HWND FieldOf(HWND window) {
  if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr)) return edit;
  if (HWND child = GetWindow(window, GW_CHILD)) return child;
  return window;
}

bool ReadWindowText(HWND window, std::string& text) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
    return false;
  std::string buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
    return false;
  buffer.resize(copied < buffer.size() ? copied : buffer.size() - 1);
  text = buffer;
  return true;
}

std::string Escape(const std::string& text) {
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      escaped += "\\n";
      ++i;
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      escaped += hex;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

ULONGLONG NowMs() { return GetTickCount64(); }

bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  return end != text && *end == '\0';
}

int Text(int, Args argv) {
  HWND window = FindOrComplain(argv[0]);
  std::string text;
  if (!window) return 1;
  if (!ReadWindowText(FieldOf(window), text)) {
    std::fprintf(stderr, "the field of '%s' did not answer within %u ms\n", argv[0], kSendTimeoutMs);
    return 1;
  }
  std::printf("%s\n", Escape(text).c_str());
  return 0;
}

int WaitText(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[2], limitMs)) return 2;
  const std::string expected = argv[1];
  std::string last;
  const bool equal = WaitFor(limitMs, [&] {
    HWND window = FindNamedWindow(argv[0]);
    std::string text;
    if (!window || !ReadWindowText(FieldOf(window), text)) return false;
    last = Escape(text);
    return last == expected;
  });
  if (!equal)
    std::fprintf(stderr, "after %lu ms the field of '%s' holds '%s', expected '%s'\n", limitMs, argv[0],
                 last.c_str(), expected.c_str());
  return equal ? 0 : 1;
}

int WaitWindow(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[1], limitMs)) return 2;
  HWND window = nullptr;
  if (!WaitFor(limitMs, [&] { return (window = FindNamedWindow(argv[0])) != nullptr; })) {
    std::fprintf(stderr, "no window '%s' within %lu ms\n", argv[0], limitMs);
    return 1;
  }
  std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  return 0;
}

int WaitVisible(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[1], limitMs)) return 2;
  if (WaitFor(limitMs, [&] {
        HWND window = FindNamedWindow(argv[0]);
        return window && IsWindowVisible(window);
      }))
    return 0;
  std::fprintf(stderr, "window '%s' not visible within %lu ms\n", argv[0], limitMs);
  return 1;
}

int WaitHidden(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[1], limitMs)) return 2;
  if (WaitFor(limitMs, [&] {
        HWND window = FindNamedWindow(argv[0]);
        return !window || !IsWindowVisible(window);
      }))
    return 0;
  std::fprintf(stderr, "window '%s' still visible after %lu ms\n", argv[0], limitMs);
  return 1;
}

int Title(int, Args argv) {
  HWND window = FindOrComplain(argv[0]);
  char title[512] = {};
  if (!window) return 1;
  GetWindowTextA(window, title, sizeof title);
  std::printf("%s\n", title);
  return 0;
}

// Without a window manager Wine can keep a hidden window (or its own tray
// window) as the foreground window after X has moved the keyboard focus, and
// then the keys go nowhere. A user would click the window; this asks for it.
// The window counts as active only once its thread has also given the
// keyboard focus to it or one of its children: Wine reports the new
// foreground window while that thread is still handling the activation, and
// keys arriving in between go to no field.
bool HasKeyboardFocus(HWND window) {
  if (GetForegroundWindow() != window) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
  return info.hwndFocus == window || IsChild(window, info.hwndFocus);
}

namespace {

// The foreground thread's active window and focus; none without such a thread.
using ForegroundWindows = std::optional<std::pair<HWND, HWND>>;

ForegroundWindows ReadForeground() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(0, &info)) return std::nullopt;
  return std::pair{info.hwndActive, info.hwndFocus};
}

// "active <hwnd> class '...' title '...' process N|focus ...", or
// "no foreground thread".
std::string DescribeForeground(const ForegroundWindows& windows) {
  if (!windows) return "no foreground thread";
  std::string description;
  const std::pair<const char*, HWND> roles[] = {{"active", windows->first}, {"focus", windows->second}};
  for (const auto& [role, window] : roles) {
    char title[256] = {};
    char className[128] = {};
    DWORD process = 0;
    if (window != nullptr) {
      GetWindowTextA(window, title, sizeof title);
      GetClassNameA(window, className, sizeof className);
      GetWindowThreadProcessId(window, &process);
    }
    char line[512];
    std::snprintf(line, sizeof line, "%s%s %p class '%s' title '%s' process %lu", description.empty() ? "" : "|",
                  role, static_cast<void*>(window), className, title, process);
    description += line;
  }
  return description;
}

}  // namespace

// What Wine takes for the foreground window and its focus, which the hook
// library asks before it records a key; a failed scenario prints it.
int Foreground(int, Args) {
  std::printf("%s\n", DescribeForeground(ReadForeground()).c_str());
  return 0;
}

// Every change of the foreground window or its focus, with the time, until
// the limit: a scenario runs it beside its steps, so that a failure shows
// which window took the keys away and when. Only the two handles are read at
// each poll; the windows are described when they change.
int WatchForeground(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[0], limitMs)) return 2;
  std::optional<ForegroundWindows> last;
  WaitFor(limitMs, [&] {
    const ForegroundWindows now = ReadForeground();
    if (now != last) {
      SYSTEMTIME time{};
      GetLocalTime(&time);
      std::printf("%02u:%02u:%02u.%03u %s\n", time.wHour, time.wMinute, time.wSecond, time.wMilliseconds,
                  DescribeForeground(now).c_str());
      std::fflush(stdout);
      last = now;
    }
    return false;
  });
  return 0;
}

int Activate(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[1], limitMs)) return 2;
  HWND window = FindOrComplain(argv[0]);
  if (!window) return 1;
  if (WaitFor(limitMs, [&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return HasKeyboardFocus(window);
      }))
    return 0;
  std::fprintf(stderr, "'%s' did not take the keyboard focus within %lu ms\n", argv[0], limitMs);
  return 1;
}

// The paste holds Ctrl and V down until the program has taken the V; keys
// typed meanwhile would arrive as Ctrl+key.
int WaitKeysUp(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[0], limitMs)) return 2;
  if (WaitFor(limitMs, [] {
        for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU, int{'V'}})
          if (GetAsyncKeyState(key) & 0x8000) return false;
        return true;
      }))
    return 0;
  std::fprintf(stderr, "keys still down after %lu ms\n", limitMs);
  return 1;
}

int WaitGone(int, Args argv) {
  unsigned long limitMs = 0;
  if (!ParseLimit(argv[1], limitMs)) return 2;
  if (WaitFor(limitMs, [&] { return FindNamedWindow(argv[0]) == nullptr; })) return 0;
  std::fprintf(stderr, "window '%s' still there after %lu ms\n", argv[0], limitMs);
  return 1;
}

namespace {

struct MessageToSend {
  HWND window = nullptr;
  unsigned long message = 0, wParam = 0, lParam = 0;
};

// <window> <msg|registered name> <wParam> <lParam>: 0 when all is there, 1
// without the window, 2 on bad usage.
int ParseMessage(Args argv, MessageToSend& out) {
  out.window = FindOrComplain(argv[0]);
  if (!out.window) return 1;
  if (!ParseNumber(argv[1], out.message)) out.message = RegisterWindowMessageA(argv[1]);
  if (!out.message || !ParseNumber(argv[2], out.wParam) || !ParseNumber(argv[3], out.lParam)) return 2;
  return 0;
}

}  // namespace

int Post(int, Args argv) {
  MessageToSend m;
  if (const int bad = ParseMessage(argv, m)) return bad;
  return PostMessageA(m.window, m.message, m.wParam, static_cast<LPARAM>(m.lParam)) ? 0 : 1;
}

int Send(int, Args argv) {
  MessageToSend m;
  if (const int bad = ParseMessage(argv, m)) return bad;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(m.window, m.message, m.wParam, static_cast<LPARAM>(m.lParam), SMTO_ABORTIFHUNG, 5000,
                           &result))
    return 1;
  std::printf("%lu\n", static_cast<unsigned long>(result));
  return 0;
}

int ChildRect(int argc, Args argv) {
  HWND window = FindOrComplain(argv[0]);
  if (!window) return 1;
  ChildSearch search{argv[1], argc > 2 ? argv[2] : nullptr, nullptr};
  EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
  RECT rect;
  if (!search.found || !GetWindowRect(search.found, &rect)) {
    std::fprintf(stderr, "no child of class '%s' in '%s'\n", argv[1], argv[0]);
    return 1;
  }
  PrintRect(rect);
  return 0;
}

int WindowRect(int, Args argv) {
  HWND window = FindOrComplain(argv[0]);
  RECT rect;
  if (!window || !GetWindowRect(window, &rect)) return 1;
  PrintRect(rect);
  return 0;
}

int WorkingSet(int, Args argv) {
  HWND window = FindOrComplain(argv[0]);
  if (!window) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  tarvok::ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!process || !GetProcessMemoryInfo(process.get(), &counters, sizeof counters)) return 1;
  std::printf("%lu\n", static_cast<unsigned long>(counters.WorkingSetSize));
  return 0;
}

namespace {

// The first process whose program file has this name (a helper shows no
// window to find it by).
DWORD ProcessIdOfProgram(const char* exeName) {
  tarvok::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
    if (_stricmp(entry.szExeFile, exeName) == 0) return entry.th32ProcessID;
  }
  return 0;
}

}  // namespace

int Handles(int, Args argv) {
  DWORD processId = 0;
  const std::size_t length = std::strlen(argv[0]);
  if (length > 4 && _stricmp(argv[0] + length - 4, ".exe") == 0) {
    processId = ProcessIdOfProgram(argv[0]);
  } else if (HWND window = FindOrComplain(argv[0])) {
    GetWindowThreadProcessId(window, &processId);
  }
  if (processId == 0) return 1;
  std::printf("%lu\n", tarvok::counters::CountProcessHandles(processId));
  return 0;
}

}  // namespace probe

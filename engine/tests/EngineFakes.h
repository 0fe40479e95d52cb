// Stateful fakes of the engine's seams for the native tests: a keyboard with
// a key state table and a layout, a clipboard with formats, handles and a
// sequence number, timers that the test fires by hand, and the rest.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "HookEngine.h"

namespace tarvok::testing {

// Keys map to characters as a US layout would, modifiers from the state.
class FakeKeyboard final : public KeyboardSeam {
 public:
  unsigned ScanCodeOf(unsigned virtualKey) noexcept override {
    return noScanCode.count(virtualKey) ? 0u : virtualKey + 0x100u;
  }
  bool GetKeyboardState(KeyboardState& out) noexcept override {
    if (stateFails) return false;
    out = state;
    return true;
  }
  bool SetKeyboardState(const KeyboardState& in) noexcept override {
    state = in;
    stateWrites.push_back(in);
    return true;
  }
  int ToAscii(unsigned virtualKey, unsigned, const KeyboardState& keys, std::uint16_t& out) noexcept override {
    ++translateCalls[virtualKey];
    if (deadKeys.count(virtualKey)) {
      // The layout's pending accent: set by the first press, ended by a second.
      layoutAccent = !layoutAccent;
      out = '^';
      return layoutAccent ? -1 : 2;
    }
    const auto found = translations.find(virtualKey);
    if (found == translations.end()) return 0;
    // With Ctrl, letters give control codes and other keys nothing, as in
    // the US layout.
    if (keys[kVkControl] & 0x80) {
      if (virtualKey < 'A' || virtualKey > 'Z') return 0;
      out = static_cast<std::uint16_t>(virtualKey - 'A' + 1);
      return translateCount;
    }
    out = found->second;
    return translateCount;
  }
  std::int16_t GetKeyState(unsigned virtualKey) noexcept override {
    ++keyStateCalls;
    return (state[virtualKey] & 0x80) ? static_cast<std::int16_t>(-128) : 0;
  }
  std::int16_t GetAsyncKeyState(unsigned virtualKey) noexcept override {
    return (live[virtualKey] & 0x80) ? static_cast<std::int16_t>(-32768) : 0;
  }
  // The injected key changes the live state at once; the thread's state
  // only when the program takes the message, which the fake never does.
  void SendKeyEvent(std::uint8_t virtualKey, std::uint32_t flags) noexcept override {
    sent.push_back({virtualKey, flags});
    live[virtualKey] = (flags & kKeyEventKeyUp) ? 0 : 0x80;
  }
  WindowRef FocusedWindow() noexcept override { return focus; }
  KeyFocus FocusOfKey() noexcept override { return {focusElsewhere, !focusElsewhere && passwordField}; }

  // The user presses or lets go of a key and the program has taken the
  // message: the live and the thread's state agree. The toggle bit stays.
  void Hold(unsigned virtualKey, bool down = true) {
    state[virtualKey] = static_cast<std::uint8_t>((state[virtualKey] & 0x01) | (down ? 0x80 : 0));
    live[virtualKey] = down ? 0x80 : 0;
  }

  struct Sent {
    std::uint8_t key;
    std::uint32_t flags;
    bool operator==(const Sent&) const = default;
  };
  KeyboardState state{};  // the thread's, as the program has seen its input
  KeyboardState live{};   // as the user holds the keys now
  std::map<unsigned, std::uint16_t> translations = DefaultTranslations();
  std::map<unsigned, bool> noScanCode;
  std::map<unsigned, bool> deadKeys;
  std::map<unsigned, int> translateCalls;
  bool layoutAccent = false;  // a dead key waits in the layout
  int translateCount = 1;
  bool stateFails = false;
  int keyStateCalls = 0;
  std::vector<KeyboardState> stateWrites;
  std::vector<Sent> sent;
  WindowRef focus = reinterpret_cast<WindowRef>(0x1234);
  bool focusElsewhere = false;
  bool passwordField = false;

 private:
  static std::map<unsigned, std::uint16_t> DefaultTranslations() {
    std::map<unsigned, std::uint16_t> table;
    for (unsigned digit = '0'; digit <= '9'; ++digit) table[digit] = static_cast<std::uint16_t>(digit);
    for (unsigned letter = 'A'; letter <= 'Z'; ++letter) table[letter] = static_cast<std::uint16_t>(letter + 32);
    table[0xBB] = '=';
    table[0x6A] = '*';
    table[0x6B] = '+';
    table[0x0D] = '\r';
    table[0x1B] = 0x1B;
    table[0x09] = '\t';
    table[0x20] = ' ';
    return table;
  }
};

// Clipboard data are numbered handles holding bytes; each handle knows
// whether it is still ours, the clipboard's, or freed.
class FakeClipboard final : public ClipboardSeam {
 public:
  struct Entry {
    unsigned format;
    ClipboardData data;
  };

  bool Open(WindowRef window) noexcept override {
    ++openAttempts;
    if (onOpen) onOpen();
    if (busyOpens > 0) {
      --busyOpens;
      return false;
    }
    if (open) return false;
    open = true;
    owner = window;
    return true;
  }
  bool Close() noexcept override {
    if (!open) return false;
    open = false;
    return !closeFails;
  }
  bool Empty() noexcept override {
    if (!open) return false;
    // As on Windows: emptied while open without a window, it takes no data.
    ownerless = owner == nullptr;
    for (const Entry& entry : contents) FreeData(entry.format, entry.data);
    contents.clear();
    ++sequence;
    return true;
  }
  unsigned EnumFormats(unsigned after) noexcept override {
    if (!open) return 0;
    auto it = contents.begin();
    if (after != 0) {
      it = std::find_if(contents.begin(), contents.end(), [&](const Entry& e) { return e.format == after; });
      if (it == contents.end()) return 0;
      ++it;
    }
    return it == contents.end() ? 0 : it->format;
  }
  ClipboardData GetData(unsigned format) noexcept override {
    if (!open) return nullptr;
    for (const Entry& entry : contents)
      if (entry.format == format) return entry.data;
    return nullptr;
  }
  bool SetData(unsigned format, ClipboardData data) noexcept override {
    if (!open || ownerless || refusedFormats.count(format)) return false;
    for (const Entry& entry : contents)
      if (entry.format == format) FreeData(format, entry.data);
    std::erase_if(contents, [&](const Entry& e) { return e.format == format; });
    contents.push_back({format, data});
    ++sequence;
    return true;
  }
  std::uint32_t SequenceNumber() noexcept override { return sequence; }
  unsigned RegisterFormat(const char* name) noexcept override {
    const auto found = registered.find(name);
    if (found != registered.end()) return found->second;
    const unsigned format = 0xC000u + static_cast<unsigned>(registered.size());
    registered[name] = format;
    return format;
  }
  ClipboardData CopyData(unsigned format, ClipboardData data) noexcept override {
    if (uncopyableFormats.count(format)) return nullptr;
    return NewHandle(bytes.at(Id(data)));
  }
  void FreeData(unsigned, ClipboardData data) noexcept override {
    if (data == nullptr) return;
    ++freed;
    bytes.erase(Id(data));
  }
  ClipboardData NewBlock(const void* from, std::size_t size, std::size_t zeroBytes) noexcept override {
    if (allocationFails) return nullptr;
    std::string block(static_cast<const char*>(from), size);
    block.append(zeroBytes, '\0');
    return NewHandle(block);
  }
  std::u16string WidenText(std::string_view text) override {
    std::u16string wide;
    for (const char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
  }
  void Beep() noexcept override { ++beeps; }
  void Pause(unsigned milliseconds) noexcept override { pausedMs += milliseconds; }

  // What another program does: put data on the clipboard.
  void UserCopies(unsigned format, const std::string& data) {
    open = true;
    ownerless = false;
    SetData(format, NewHandle(data));
    open = false;
  }
  void UserEmpties() {
    open = true;
    Empty();
    ownerless = false;
    open = false;
  }
  std::optional<std::string> Read(unsigned format) const {
    for (const Entry& entry : contents)
      if (entry.format == format) return bytes.at(Id(entry.data));
    return std::nullopt;
  }
  std::vector<unsigned> Formats() const {
    std::vector<unsigned> formats;
    for (const Entry& entry : contents) formats.push_back(entry.format);
    return formats;
  }
  // Every handle that exists is on the clipboard: nothing leaked.
  [[nodiscard]] bool NoLooseHandles() const { return bytes.size() == contents.size(); }

  std::vector<Entry> contents;
  std::map<std::uintptr_t, std::string> bytes;
  std::map<std::string, unsigned> registered;
  std::map<unsigned, bool> uncopyableFormats, refusedFormats;
  std::function<void()> onOpen;  // stands for another thread acting meanwhile
  std::uint32_t sequence = 1;
  bool open = false, closeFails = false, allocationFails = false, ownerless = false;
  int busyOpens = 0, openAttempts = 0, beeps = 0, freed = 0;
  unsigned pausedMs = 0;
  WindowRef owner = nullptr;

 private:
  static std::uintptr_t Id(ClipboardData data) { return reinterpret_cast<std::uintptr_t>(data); }
  ClipboardData NewHandle(const std::string& data) {
    const std::uintptr_t id = nextHandle++;
    bytes[id] = data;
    return reinterpret_cast<ClipboardData>(id);
  }
  std::uintptr_t nextHandle = 0x10;
};

// Timers are kept in a list; the test advances a clock that fires them in
// due order, each through the engine as Windows would.
class FakeTimers final : public TimerSeam {
 public:
  struct Timer {
    WindowRef window;
    std::uintptr_t id;
    unsigned due;
  };
  std::uintptr_t SetTimer(WindowRef window, std::uintptr_t id, unsigned milliseconds) noexcept override {
    if (failing) return 0;
    if (window == nullptr) id = nextNullWindowId++;
    std::erase_if(timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    timers.push_back({window, id, now + milliseconds});
    setLog.push_back(id);
    return id;
  }
  void KillTimer(WindowRef window, std::uintptr_t id) noexcept override {
    std::erase_if(timers, [&](const Timer& t) { return t.window == window && t.id == id; });
  }
  bool WindowExists(WindowRef window) noexcept override { return !destroyed.count(window); }
  // As Windows does: the window's timers go with it.
  void Destroy(WindowRef window) {
    destroyed[window] = true;
    std::erase_if(timers, [&](const Timer& t) { return t.window == window; });
  }
  // Runs every timer due up to `until`, oldest first; a timer that is not
  // killed fires again one period later, as Windows timers do.
  template <typename Fire>
  void AdvanceTo(unsigned until, Fire fire) {
    for (int guard = 0; guard < 1000; ++guard) {
      auto next = std::min_element(timers.begin(), timers.end(),
                                   [](const Timer& a, const Timer& b) { return a.due < b.due; });
      if (next == timers.end() || next->due > until) break;
      const Timer timer = *next;
      now = timer.due;
      next->due += 1000;  // a periodic timer nobody kills shows up as a repeat
      fire(timer.window, timer.id);
    }
    now = until;
  }
  std::vector<Timer> timers;
  std::map<WindowRef, bool> destroyed;
  std::vector<std::uintptr_t> setLog;
  unsigned now = 0;
  bool failing = false;
  std::uintptr_t nextNullWindowId = 1;
};

class FakeSharedBlock final : public SharedBlockSeam {
 public:
  bool ReadSharedBlock(GlobalHookData& out) noexcept override {
    ++reads;
    if (!exists) return false;
    out = block;
    return true;
  }
  bool ReadHookOptions(HookOptionsData& out) noexcept override {
    if (!optionsExist) return false;
    out = options;
    return true;
  }
  GlobalHookData block{};
  HookOptionsData options{};
  bool exists = false;
  bool optionsExist = false;
  int reads = 0;
};

class FakeRegistry final : public RegistrySeam {
 public:
  std::string ReadPathSetting() override {
    ++reads;
    return path;
  }
  std::string path = "C:\\Tarvok\\";
  int reads = 0;
};

class FakeLogFile final : public LogFileSeam {
 public:
  LocalTime Now() noexcept override { return now; }
  std::string FormatShortDate(const LocalTime& t) override {
    return std::to_string(t.day) + "." + std::to_string(t.month) + "." + std::to_string(t.year);
  }
  std::string FormatLongTime(const LocalTime& t) override {
    return std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
  }
  bool AppendToFile(const std::string& fileName, std::string_view data) noexcept override {
    if (fails) return false;
    files[fileName] += data;
    return true;
  }
  LocalTime now{2026, 12, 8, 1, 2, 3};
  std::map<std::string, std::string> files;
  bool fails = false;
};

class FakePlugin final : public PluginSeam {
 public:
  bool Load(const std::string& fileName) noexcept override {
    loadedNames.push_back(fileName);
    loaded = available;
    return loaded;
  }
  const char* Convert(long double value) noexcept override {
    values.push_back(value);
    if (replies.empty()) return nullptr;
    reply = replies.front();
    if (replies.size() > 1) replies.erase(replies.begin());
    return reply.c_str();
  }
  void Unload() noexcept override {
    ++unloads;
    loaded = false;
  }
  bool available = true, loaded = false;
  std::vector<std::string> replies{"six"};
  std::string reply;
  std::vector<std::string> loadedNames;
  std::vector<long double> values;
  int unloads = 0;
};

class FakeHookChain final : public HookChainSeam {
 public:
  struct Call {
    std::uint32_t hook;
    int code;
    bool operator==(const Call&) const = default;
  };
  std::intptr_t CallNextHook(std::uint32_t hook, int code, std::uintptr_t, std::intptr_t) noexcept override {
    calls.push_back({hook, code});
    return 77;
  }
  std::vector<Call> calls;
};

}  // namespace tarvok::testing

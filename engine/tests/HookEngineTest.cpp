// One process's engine with every seam faked: load and refresh of the
// settings copy, chaining, and whole hot keys from typing to the restored
// clipboard in both result forms.
#include <gtest/gtest.h>

#include "EngineFakes.h"
#include "HookEngine.h"
#include "TypingCapture.h"

namespace tarvok {
namespace {

using namespace tarvok::testing;

constexpr unsigned kUpdateMessage = 0xC123;
constexpr unsigned kVkOemPlus = 0xBB;
constexpr std::uint32_t kPress = 1;
const std::string kUserText("user\0", 5);

GlobalHookData FilledBlock() {
  GlobalHookData block{};
  block.GetMessageHook = 0x1001;
  block.CallWndProcHook = 0x1002;
  block.ShellHook = 0x1003;
  block.KeyboardHook = 0x1004;
  block.Precision = 2;
  block.ResultForm = kResultFormNumber;
  block.HotKeyVirtualKey = kVkOemPlus;
  block.HotKeyModifiers = kModCtrl;
  return block;
}

class HookEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sharedBlock.block = FilledBlock();
    sharedBlock.exists = true;
    clipboard.UserCopies(kCfText, kUserText);
  }
  void Load() { engine.Load(kUpdateMessage); }
  void Type(const std::string& keys) {
    for (const char c : keys) {
      const auto vk = c == '*' ? 0x6Au : static_cast<unsigned>(static_cast<unsigned char>(c));
      engine.KeyboardProc(kHcAction, vk, kPress);
    }
  }
  void PressHotKey() {
    keyboard.Hold(kVkControl);
    engine.KeyboardProc(kHcAction, kVkOemPlus, kPress);
    keyboard.Hold(kVkControl, false);
  }
  void Message(unsigned message, std::uintptr_t wParam = 0, int code = kHcAction,
               std::uintptr_t removal = kPmRemove) {
    const QueuedMessage queued{message, wParam};
    engine.GetMessageProc(code, removal, 0, &queued);
  }
  void AdvanceTo(unsigned ms) {
    timers.AdvanceTo(ms, [&](WindowRef w, std::uintptr_t id) { engine.TimerFired(w, id); });
  }
  std::string LogText() { return logFile.files["C:\\Tarvok\\log.txt"]; }
  bool UserClipboardIsBack() const {
    return clipboard.Formats() == std::vector<unsigned>{kCfText} && clipboard.Read(kCfText) == kUserText;
  }

  FakeKeyboard keyboard;
  FakeClipboard clipboard;
  FakeTimers timers;
  FakeSharedBlock sharedBlock;
  FakeRegistry registry;
  FakeLogFile logFile;
  FakePlugin plugin;
  FakeHookChain chain;
  HookEngine engine{EngineSeams{keyboard, clipboard, timers, sharedBlock, registry, logFile, plugin, chain}};
};

TEST_F(HookEngineTest, WithoutControllerTheDefaultsStayAndTheHotKeyNeverMatches) {
  sharedBlock.exists = false;
  Load();
  EXPECT_EQ(engine.settings().Precision, 2);
  EXPECT_EQ(engine.settings().ResultForm, 0);
  EXPECT_EQ(engine.settings().HotKeyVirtualKey, 0);
  EXPECT_EQ(engine.settings().KeyboardHook, 0u);
  Type("2*3");
  EXPECT_EQ(ReadTypedText(engine.typedText()), "2*3");
  PressHotKey();
  EXPECT_TRUE(logFile.files.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(HookEngineTest, LoadCopiesTheBlockAndEveryProcedureChainsOnceWithItsHandle) {
  Load();
  for (const int code : {kHcAction, -1, 3}) {
    chain.calls.clear();
    EXPECT_EQ(engine.KeyboardProc(code, '1', kPress), 77);
    const QueuedMessage message{kWmKeyDown, '1'};
    EXPECT_EQ(engine.GetMessageProc(code, 0, 0, &message), 77);
    EXPECT_EQ(engine.CallWndProc(code, 0, 0), 77);
    EXPECT_EQ(engine.ShellHookProc(code, 0, 0), 77);
    EXPECT_EQ(chain.calls, (std::vector<FakeHookChain::Call>{{0x1004, code}, {0x1001, code}, {0x1002, code},
                                                              {0x1003, code}}));
  }
}

TEST_F(HookEngineTest, OnlyHcActionRecordsOrBreaks) {
  Load();
  for (const int code : {-1, 3}) engine.KeyboardProc(code, '1', kPress);
  EXPECT_EQ(ReadTypedText(engine.typedText()), "");
  Type("12");
  Message(kWmKeyDown, 13, 3);
  Message(kWmLButtonDown, 0, -1);
  EXPECT_EQ(ReadTypedText(engine.typedText()), "12");
}

TEST_F(HookEngineTest, UpdateMessageRefreshesTheSettingsButNotTheHooks) {
  Load();
  GlobalHookData changed = FilledBlock();
  changed.KeyboardHook = 0x9999;
  changed.Precision = 5;
  changed.ResultForm = kResultFormLine;
  changed.HotKeyModifiers = kModCtrl | kModShift;
  changed.HotKeyVirtualKey = 'K';
  sharedBlock.block = changed;

  Message(0x0401);
  EXPECT_EQ(engine.settings().Precision, 2);  // only the registered message refreshes
  Message(kUpdateMessage);
  EXPECT_EQ(engine.settings().Precision, 5);
  EXPECT_EQ(engine.settings().ResultForm, kResultFormLine);
  EXPECT_EQ(engine.settings().HotKeyModifiers, kModCtrl | kModShift);
  EXPECT_EQ(engine.settings().HotKeyVirtualKey, 'K');
  EXPECT_EQ(engine.settings().KeyboardHook, 0x1004u);

  sharedBlock.exists = false;
  Message(kUpdateMessage);
  EXPECT_EQ(engine.settings().Precision, 5);
}

TEST_F(HookEngineTest, HotKeyPastesLogsAndGivesTheClipboardBack) {
  Load();
  Type("2*3");
  PressHotKey();
  EXPECT_EQ(ReadTypedText(engine.typedText()), "");
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 2*3=6.00\r\n");
  EXPECT_EQ(clipboard.Read(kCfText), std::string("6.00\0", 5));
  AdvanceTo(100);
  // Only messages taken from the queue count; a peek at our V does not.
  Message(kWmKeyDown, kVkV, kHcAction, 0);
  Message(kWmKeyDown, kVkV);
  Message(0x0102, 0x16, kHcAction, 0);
  EXPECT_EQ(keyboard.sent.size(), 2u);
  Message(0x0102, 0x16);  // WM_CHAR of our Ctrl+V: the keys go up
  EXPECT_EQ(keyboard.sent.size(), 4u);
  AdvanceTo(300);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
}

// Keys that Windows hands to the installing process's hook (the other
// bitness's program has the focus) are that program's: nothing is recorded,
// calculated, logged or pasted here, and every call still chains.
TEST_F(HookEngineTest, KeysForAProgramOfAnotherProcessOnlyChain) {
  Load();
  Type("7*");
  keyboard.focusElsewhere = true;
  chain.calls.clear();
  Type("2*3");
  PressHotKey();
  EXPECT_EQ(chain.calls.size(), 4u);
  EXPECT_TRUE(logFile.files.empty());
  EXPECT_TRUE(keyboard.sent.empty());
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  keyboard.focusElsewhere = false;
  Type("4");
  PressHotKey();
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 7*4=28.00\r\n");
}

struct PrecisionCase {
  const char* name;
  std::uint8_t precision;
  const char* typed;
  const char* expected;
};

class PrecisionTest : public HookEngineTest, public ::testing::WithParamInterface<PrecisionCase> {};

TEST_P(PrecisionTest, NumberText) {
  sharedBlock.block.Precision = GetParam().precision;
  Load();
  Type(GetParam().typed);
  PressHotKey();
  EXPECT_EQ(clipboard.Read(kCfText), std::string(GetParam().expected) + '\0');
}

INSTANTIATE_TEST_SUITE_P(Precisions, PrecisionTest,
                         ::testing::Values(PrecisionCase{"Zero", 0, "2*3", "6"},
                                           PrecisionCase{"Ten", 10, "2*3", "6.0000000000"},
                                           PrecisionCase{"TwoOfFive", 2, "5", "5.00"}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(HookEngineTest, EvaluationErrorLogsAndPastesNothing) {
  Load();
  Type("2*");
  PressHotKey();
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 2*=\r\n");
  EXPECT_TRUE(clipboard.contents.empty());
  AdvanceTo(300);
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(HookEngineTest, LogFileErrorEndsTheSequenceButTheKeyPasses) {
  Load();
  logFile.fails = true;
  Type("2*3");
  chain.calls.clear();
  PressHotKey();
  EXPECT_EQ(chain.calls.size(), 1u);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
}

TEST_F(HookEngineTest, RelativePathWritesNoLogAndLoadsNoPlugin) {
  registry.path = "0";
  Load();
  Type("2*3");
  PressHotKey();
  EXPECT_TRUE(logFile.files.empty());
  EXPECT_EQ(clipboard.Read(kCfText), std::string("6.00\0", 5));  // the number form still pastes

  AdvanceTo(1000);
  sharedBlock.block.ResultForm = kResultFormLine;
  Message(kUpdateMessage);
  Type("2*3");
  PressHotKey();
  EXPECT_TRUE(plugin.loadedNames.empty());
}

// What KeyboardProc answers for the hot key's press and release: 77 is the
// next hook's answer (passed on), 1 keeps the message from the program.
struct KeepCase {
  const char* name;
  bool keep;
  bool passwordField;
  bool calculates;
  std::intptr_t press;
  std::intptr_t release;
};

class KeepHotKeyTest : public HookEngineTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepHotKeyTest, OnlyACalculatingPressAndItsReleaseAreKept) {
  const KeepCase& c = GetParam();
  sharedBlock.optionsExist = true;
  sharedBlock.options.KeepHotKeyFromProgram = c.keep ? 1 : 0;
  Load();
  keyboard.passwordField = c.passwordField;
  Type("2*3");
  chain.calls.clear();
  keyboard.Hold(kVkControl);
  EXPECT_EQ(engine.KeyboardProc(kHcAction, kVkOemPlus, kPress), c.press);
  EXPECT_EQ(engine.KeyboardProc(kHcAction, '1', kPress), 77);  // another key with Ctrl held
  EXPECT_EQ(engine.KeyboardProc(kHcAction, kVkOemPlus, kPress | 0xC0000000u), c.release);
  keyboard.Hold(kVkControl, false);
  EXPECT_EQ(engine.KeyboardProc(kHcAction, kVkOemPlus, kPress | 0xC0000000u), 77);  // no second release
  EXPECT_EQ(chain.calls.size(), 4u);  // the hooks after ours see every event
  EXPECT_EQ(!logFile.files.empty(), c.calculates);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepHotKeyTest,
    ::testing::Values(KeepCase{"OptionSet", true, false, true, 1, 1},
                      KeepCase{"OptionClear", false, false, true, 77, 77},
                      KeepCase{"OptionSetInAPasswordField", true, true, false, 77, 77}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(HookEngineTest, KeepOptionFollowsTheUpdateMessage) {
  sharedBlock.optionsExist = true;
  Load();
  EXPECT_FALSE(engine.settings().KeepHotKeyFromProgram);
  sharedBlock.options.KeepHotKeyFromProgram = 1;
  Message(kUpdateMessage);
  EXPECT_TRUE(engine.settings().KeepHotKeyFromProgram);
  sharedBlock.optionsExist = false;  // a failed read keeps what was read last
  Message(kUpdateMessage);
  EXPECT_TRUE(engine.settings().KeepHotKeyFromProgram);
}

TEST_F(HookEngineTest, PasswordFieldKeepsNothingAndItsHotKeyOnlyPassesOn) {
  Load();
  Type("12");
  keyboard.passwordField = true;
  Type("2*3");
  EXPECT_EQ(ReadTypedText(engine.typedText()), "");
  chain.calls.clear();
  PressHotKey();
  EXPECT_EQ(chain.calls.size(), 1u);
  EXPECT_TRUE(logFile.files.empty());
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  keyboard.passwordField = false;
  Type("4");
  PressHotKey();
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 4=4.00\r\n");
}

TEST_F(HookEngineTest, NextMessageAfterTheFieldWentEndsTheDelivery) {
  Load();
  Type("2*3");
  PressHotKey();
  AdvanceTo(150);
  timers.Destroy(keyboard.focus);
  keyboard.focus = reinterpret_cast<WindowRef>(0x5678);
  Message(0x0200);  // WM_MOUSEMOVE, as any message would
  EXPECT_EQ(keyboard.sent.size(), 4u);  // Ctrl and V down and up again
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
}

// Where the log and the converter are looked for, by the Path value: only
// in the folder it names, never relative to the program's own folders.
struct PathCase {
  const char* path;
  const char* folder;  // null: no log, no converter
};

class PathValueTest : public HookEngineTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(PathValueTest, LogAndConverterOnlyInTheNamedFolder) {
  registry.path = GetParam().path;
  sharedBlock.block.ResultForm = kResultFormLine;
  Load();
  Type("2*3");
  PressHotKey();
  if (GetParam().folder == nullptr) {
    EXPECT_TRUE(logFile.files.empty());
    EXPECT_TRUE(plugin.loadedNames.empty());
    return;
  }
  const std::string folder = GetParam().folder;
  ASSERT_EQ(logFile.files.size(), 1u);
  EXPECT_EQ(logFile.files.begin()->first, folder + "log.txt");
  EXPECT_EQ(plugin.loadedNames, std::vector<std::string>{folder + kConverterFileName});
}

INSTANTIATE_TEST_SUITE_P(
    Values, PathValueTest,
    ::testing::Values(PathCase{"C:\\Tarvok\\", "C:\\Tarvok\\"}, PathCase{"C:\\Tarvok", "C:\\Tarvok\\"},
                      PathCase{"C:\\Tarvok/", "C:\\Tarvok/"},
                      PathCase{"\\\\server\\share\\Tarvok", "\\\\server\\share\\Tarvok\\"},
                      PathCase{"0", nullptr}, PathCase{"", nullptr}, PathCase{"Tarvok\\", nullptr},
                      PathCase{"C:Tarvok\\", nullptr}, PathCase{"C:", nullptr}, PathCase{"\\Tarvok\\", nullptr},
                      PathCase{"\\\\\\Tarvok\\", nullptr}));

TEST_F(HookEngineTest, LineFormCallsTheConverterTwiceAndReleasesItBeforeThePaste) {
  sharedBlock.block.ResultForm = kResultFormLine;
  plugin.replies = {"six", "SIX"};
  Load();
  Type("2*3");
  PressHotKey();
  EXPECT_EQ(plugin.loadedNames, std::vector<std::string>{std::string("C:\\Tarvok\\") + kConverterFileName});
  EXPECT_EQ(plugin.values, (std::vector<long double>{6.0L, 6.0L}));
  EXPECT_EQ(plugin.unloads, 1);
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 2*3=6.00\r\n");
  EXPECT_EQ(clipboard.Read(kCfText), std::string("six\0", 4));
  EXPECT_EQ(clipboard.Read(kCfUnicodeText), std::string("S\0I\0X\0\0\0", 8));
  AdvanceTo(300);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
}

struct LineFormSkipCase {
  const char* name;
  bool pluginAvailable;
  const char* typed;
  bool expectLoad;
};

class LineFormSkipTest : public HookEngineTest, public ::testing::WithParamInterface<LineFormSkipCase> {};

TEST_P(LineFormSkipTest, LogsButTouchesNoClipboard) {
  sharedBlock.block.ResultForm = 0;  // any value but 1 is the line form
  plugin.available = GetParam().pluginAvailable;
  Load();
  Type(GetParam().typed);
  PressHotKey();
  EXPECT_FALSE(LogText().empty());
  EXPECT_EQ(plugin.loadedNames.size(), GetParam().expectLoad ? 1u : 0u);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_FALSE(plugin.loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineFormSkipTest,
                         ::testing::Values(LineFormSkipCase{"NoPlugin", false, "2*3", true},
                                           LineFormSkipCase{"EvaluationError", true, "2*", false}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(HookEngineTest, ConverterWithoutTextPastesNothing) {
  sharedBlock.block.ResultForm = kResultFormLine;
  plugin.replies.clear();
  Load();
  Type("1");
  PressHotKey();
  EXPECT_TRUE(clipboard.contents.empty());
  AdvanceTo(300);
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(HookEngineTest, TypingMidwayBreaksAndErases) {
  Load();
  Type("99");
  Message(kWmKeyDown, 13);  // Enter: start over
  Type("12");
  Message(kWmKeyDown, 8);  // Backspace
  Type("*3");
  PressHotKey();
  EXPECT_EQ(LogText(), "[8.12.2026 1:2:3] 1*3=3.00\r\n");
}

TEST_F(HookEngineTest, PeekedMessagesCountOnceWhenTaken) {
  Load();
  Type("123");
  Message(kWmKeyDown, 8, kHcAction, 0);  // PeekMessage with PM_NOREMOVE
  Message(kWmKeyDown, 8);                // then taken
  EXPECT_EQ(ReadTypedText(engine.typedText()), "12");

  sharedBlock.block.Precision = 9;
  Message(kUpdateMessage, 0, kHcAction, 0);  // re-reading is harmless either way
  EXPECT_EQ(engine.settings().Precision, 9);
}

TEST_F(HookEngineTest, StaleTimerIsKilledWhenItFires) {
  Load();
  WindowRef other = reinterpret_cast<WindowRef>(0x777);
  timers.SetTimer(other, kClipboardRestoreTimerId, 300);
  AdvanceTo(300);
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(HookEngineTest, TimerOfAnotherThreadWaitsWhileADeliveryRuns) {
  Load();
  WindowRef other = reinterpret_cast<WindowRef>(0x777);
  timers.SetTimer(other, kKeysDownTimerId, 100);
  clipboard.onOpen = [&] { engine.TimerFired(other, kKeysDownTimerId); };
  Type("2*3");
  PressHotKey();
  clipboard.onOpen = nullptr;
  EXPECT_EQ(timers.timers.size(), 3u);  // left to fire again, next to our two
  engine.TimerFired(other, kKeysDownTimerId);
  EXPECT_EQ(timers.timers.size(), 2u);
}

TEST_F(HookEngineTest, SecondHotKeyAtOnceReadsAnEmptyExpression) {
  Load();
  Type("2*3");
  PressHotKey();
  PressHotKey();
  const std::string log = LogText();
  EXPECT_EQ(log.substr(log.find('\n') + 1, 19), "[8.12.2026 1:2:3] =");
  AdvanceTo(2000);
  EXPECT_TRUE(UserClipboardIsBack());
}

}  // namespace
}  // namespace tarvok

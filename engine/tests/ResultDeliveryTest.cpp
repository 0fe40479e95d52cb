// The delivery's time line with fake clipboard, keyboard and timers: what the
// clipboard holds and which keys are sent at each step, and how overlapping
// hot keys, a busy clipboard and a newer copy are handled.
#include <gtest/gtest.h>

#include "EngineFakes.h"
#include "ResultDelivery.h"

namespace tarvok {
namespace {

using testing::FakeClipboard;
using testing::FakeKeyboard;
using testing::FakeTimers;
using Sent = FakeKeyboard::Sent;

const std::string kUserText("user\0", 5);
constexpr unsigned kWmChar = 0x0102;

class ResultDeliveryTest : public ::testing::Test {
 protected:
  void SetUp() override { clipboard.UserCopies(kCfText, kUserText); }
  void AdvanceTo(unsigned ms) {
    timers.AdvanceTo(ms, [&](WindowRef w, std::uintptr_t id) { delivery.OnTimer(w, id); });
  }
  // The program takes our Ctrl and V from its queue, then the V's character,
  // which TranslateMessage posted while the program handled the V.
  void ProgramTakesThePaste() {
    delivery.MessageTaken(kWmKeyDown, kVkControl);
    delivery.MessageTaken(kWmKeyDown, kVkV);
    delivery.MessageTaken(kWmChar, 0x16);
  }
  bool UserClipboardIsBack() const {
    return clipboard.Formats() == std::vector<unsigned>{kCfText} && clipboard.Read(kCfText) == kUserText;
  }
  FakeClipboard clipboard;
  FakeKeyboard keyboard;
  FakeTimers timers;
  ResultDelivery delivery{clipboard, keyboard, timers};
};

TEST_F(ResultDeliveryTest, TimeLineOfOneDelivery) {
  keyboard.Hold(kVkControl);
  keyboard.Hold(kVkShift);
  keyboard.state[kVkCapital] = 1;
  ASSERT_TRUE(delivery.PasteResultText("6.00"));

  // t = 0: only the result (two texts and the three skip marks).
  EXPECT_EQ(clipboard.Read(kCfText), std::string("6.00\0", 5));
  EXPECT_EQ(clipboard.Read(kCfUnicodeText), std::string("6\0.\0" "0\0" "0\0\0\0", 10));
  EXPECT_EQ(clipboard.contents.size(), 5u);
  EXPECT_TRUE(keyboard.sent.empty());

  AdvanceTo(99);
  EXPECT_TRUE(keyboard.sent.empty());
  AdvanceTo(100);
  EXPECT_EQ(keyboard.sent, (std::vector<Sent>{{kVkControl, 0}, {kVkV, 0}}));
  ASSERT_EQ(keyboard.stateWrites.size(), 1u);
  for (const unsigned key : {kVkControl, kVkShift, kVkMenu, kVkCapital}) EXPECT_EQ(keyboard.stateWrites[0][key], 0);

  // While the program handles our V, nothing changes under it.
  delivery.MessageTaken(kWmKeyDown, kVkControl);
  delivery.MessageTaken(kWmKeyDown, kVkV);
  EXPECT_EQ(keyboard.sent.size(), 2u);
  EXPECT_EQ(keyboard.stateWrites.size(), 1u);
  // Its next message: the keys go up and the user's state is back.
  delivery.MessageTaken(kWmChar, 0x16);
  EXPECT_EQ(keyboard.sent, (std::vector<Sent>{{kVkControl, 0}, {kVkV, 0}, {kVkV, 2}, {kVkControl, 2}}));
  EXPECT_EQ(keyboard.state[kVkControl], 0x80);
  EXPECT_EQ(keyboard.state[kVkCapital], 1);

  AdvanceTo(299);
  EXPECT_EQ(clipboard.Read(kCfText), std::string("6.00\0", 5));
  AdvanceTo(300);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ResultDeliveryTest, KeysGoUpAtTheLatestSoonAfterWhenTheVNeverArrives) {
  delivery.PasteResultText("6.00");
  AdvanceTo(100 + kKeysUpLatestMs - 1);
  EXPECT_EQ(keyboard.sent.size(), 2u);
  AdvanceTo(100 + kKeysUpLatestMs);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  delivery.MessageTaken(kWmKeyDown, kVkV);  // a V of the user's own, later
  delivery.MessageTaken(kWmChar, 'v');
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_FALSE(UserClipboardIsBack());
  AdvanceTo(300);
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, RightCtrlGivesExtendedCtrlEvents) {
  keyboard.Hold(kVkRControl);
  delivery.PasteResultText("1");
  AdvanceTo(300);
  EXPECT_EQ(keyboard.sent, (std::vector<Sent>{{kVkControl, 1}, {kVkV, 0}, {kVkV, 2}, {kVkControl, 3}}));
}

TEST_F(ResultDeliveryTest, WithoutFocusWindowNothingIsDelivered) {
  keyboard.focus = nullptr;
  EXPECT_FALSE(delivery.PasteResultText("1"));
  AdvanceTo(10000);
  EXPECT_TRUE(keyboard.sent.empty());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, FocusLostMidwayStillEndsTheDelivery) {
  delivery.PasteResultText("1");
  keyboard.focus = nullptr;
  AdvanceTo(10000);
  EXPECT_EQ(keyboard.sent.size(), 4u);  // one paste, not one per period
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, EmptyResultPastesAnEmptyClipboard) {
  delivery.PasteResultText("");
  EXPECT_TRUE(clipboard.contents.empty());
  AdvanceTo(300);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, BusyClipboardSkipsTheDelivery) {
  clipboard.busyOpens = 1000;
  EXPECT_FALSE(delivery.PasteResultText("6.00"));
  clipboard.busyOpens = 0;
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, OverlappingHotKeysGiveBackTheFirstSavedClipboard) {
  delivery.PasteResultText("1");
  AdvanceTo(150);
  delivery.PasteResultText("2");
  EXPECT_EQ(clipboard.Read(kCfText), std::string("2\0", 2));
  AdvanceTo(449);
  EXPECT_FALSE(UserClipboardIsBack());  // the restore waits for the second paste
  AdvanceTo(2000);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_EQ(std::count(keyboard.sent.begin(), keyboard.sent.end(), Sent{kVkV, 0}), 2);
  EXPECT_EQ(std::count(keyboard.sent.begin(), keyboard.sent.end(), Sent{kVkV, 2}), 2);
  EXPECT_EQ(keyboard.state, KeyboardState{});
}

TEST_F(ResultDeliveryTest, CopyBetweenOverlappingHotKeysIsWhatComesBack) {
  delivery.PasteResultText("1");
  AdvanceTo(150);
  clipboard.UserEmpties();
  clipboard.UserCopies(kCfText, std::string("newer\0", 6));
  delivery.PasteResultText("2");
  AdvanceTo(2000);
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{kCfText});
  EXPECT_EQ(clipboard.Read(kCfText), std::string("newer\0", 6));
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ResultDeliveryTest, NewerCopyIsNotOverwritten) {
  delivery.PasteResultText("6.00");
  AdvanceTo(200);
  clipboard.UserCopies(kCfText, std::string("newer\0", 6));
  AdvanceTo(300);
  EXPECT_EQ(clipboard.Read(kCfText), std::string("newer\0", 6));
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ResultDeliveryTest, BusyRestoreIsTriedAgain) {
  delivery.PasteResultText("6.00");
  AdvanceTo(299);
  clipboard.busyOpens = 7;  // more than one restore's quick retries
  AdvanceTo(300);
  EXPECT_FALSE(UserClipboardIsBack());
  AdvanceTo(400);
  EXPECT_TRUE(UserClipboardIsBack());
}

TEST_F(ResultDeliveryTest, FailedUnicodeTextGivesTheClipboardBackAtOnce) {
  clipboard.refusedFormats[kCfUnicodeText] = true;
  EXPECT_THROW(delivery.PasteResultText("6.00"), ClipboardWriteError);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ResultDeliveryTest, NoRestoreTimerMeansNoPasteAndTheClipboardBack) {
  timers.failing = true;
  delivery.PasteResultText("6.00");
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(keyboard.sent.empty());
}

TEST_F(ResultDeliveryTest, ShutdownMidwayReleasesKeysAndRestores) {
  delivery.PasteResultText("6.00");
  AdvanceTo(150);
  delivery.Shutdown();
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(UserClipboardIsBack());
}

// Whatever order a program that stopped pumping gets the overdue timers in,
// the clipboard holds the result until the paste has been handled. 0 stands
// for the program taking our Ctrl+V and its next message.
class OverdueTimersTest : public ResultDeliveryTest, public ::testing::WithParamInterface<std::vector<std::uintptr_t>> {};

TEST_P(OverdueTimersTest, UserClipboardComesBackOnlyAfterThePaste) {
  delivery.PasteResultText("6.00");
  for (const std::uintptr_t id : GetParam()) {
    if (id == 0) {
      ProgramTakesThePaste();
    } else {
      delivery.OnTimer(keyboard.focus, id);
    }
    // Overdue, the restore waits for a timer of its own: the paste's
    // character is still in the program's queue.
    if (id != kClipboardRestoreTimerId) {
      EXPECT_FALSE(UserClipboardIsBack());
    }
  }
  AdvanceTo(1000);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OverdueTimersTest,
    ::testing::Values(std::vector<std::uintptr_t>{kClipboardRestoreTimerId, kKeysDownTimerId, 0},
                      std::vector<std::uintptr_t>{kKeysDownTimerId, kClipboardRestoreTimerId, 0},
                      std::vector<std::uintptr_t>{kClipboardRestoreTimerId, kKeysDownTimerId, kKeysUpTimerId},
                      std::vector<std::uintptr_t>{kKeysDownTimerId, kClipboardRestoreTimerId, kKeysUpTimerId}));

// The focused window destroyed during the delivery takes our timers with
// it; the next message the thread takes ends the delivery instead.
class WindowDestroyedTest : public ResultDeliveryTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(WindowDestroyedTest, KeysComeUpAndTheClipboardComesBack) {
  keyboard.Hold(kVkControl);
  const KeyboardState userState = keyboard.state;
  delivery.PasteResultText("6.00");
  AdvanceTo(GetParam());
  timers.Destroy(keyboard.focus);
  keyboard.focus = reinterpret_cast<WindowRef>(0x5678);
  delivery.CheckTimerWindow();
  EXPECT_FALSE(delivery.InProgress());
  EXPECT_EQ(std::count(keyboard.sent.begin(), keyboard.sent.end(), Sent{kVkV, 0}),
            std::count(keyboard.sent.begin(), keyboard.sent.end(), Sent{kVkV, 2}));
  EXPECT_EQ(keyboard.state, userState);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
}

INSTANTIATE_TEST_SUITE_P(Moments, WindowDestroyedTest, ::testing::Values(50u, 150u, 299u));

TEST_F(ResultDeliveryTest, LiveTimerWindowLeavesTheDeliveryAlone) {
  delivery.PasteResultText("6.00");
  AdvanceTo(150);
  delivery.CheckTimerWindow();
  EXPECT_TRUE(delivery.InProgress());
  AdvanceTo(300);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
}

// A second press with nothing typed, at any moment of the first delivery.
class PressedAgainTest : public ResultDeliveryTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(PressedAgainTest, EmptyResultLeavesTheEarlierDeliveryAlone) {
  delivery.PasteResultText("42.00");
  AdvanceTo(GetParam());
  EXPECT_FALSE(delivery.PasteResultText(""));
  AdvanceTo(100);
  EXPECT_EQ(clipboard.Read(kCfText), std::string("42.00\0", 6));  // what the Ctrl+V reads
  AdvanceTo(2000);
  EXPECT_EQ(keyboard.sent.size(), 4u);
  EXPECT_TRUE(UserClipboardIsBack());
  EXPECT_TRUE(timers.timers.empty());
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

INSTANTIATE_TEST_SUITE_P(Moments, PressedAgainTest, ::testing::Values(0u, 20u, 150u, 299u));

TEST_F(ResultDeliveryTest, EmptyResultAfterTheDeliveryStillPastesNothing) {
  delivery.PasteResultText("42.00");
  AdvanceTo(300);
  EXPECT_TRUE(delivery.PasteResultText(""));
  EXPECT_TRUE(clipboard.contents.empty());
  AdvanceTo(600);
  EXPECT_EQ(keyboard.sent.size(), 8u);
  EXPECT_TRUE(UserClipboardIsBack());
}

// The clipboard held by another program for longer than the restore's
// retries: the copy is kept, and the next delivery ends with it, unless the
// user has copied something newer meanwhile.
struct LongHoldCase {
  const char* name;
  bool userCopiesMeanwhile;
};

class LongHoldTest : public ResultDeliveryTest, public ::testing::WithParamInterface<LongHoldCase> {};

TEST_P(LongHoldTest, KeptCopyComesBackWithTheNextDelivery) {
  delivery.PasteResultText("6.00");
  clipboard.busyOpens = 100000;
  AdvanceTo(10000);
  EXPECT_TRUE(timers.timers.empty());  // it stops trying
  clipboard.busyOpens = 0;
  EXPECT_EQ(clipboard.Read(kCfText), std::string("6.00\0", 5));
  const std::string newer("newer\0", 6);
  if (GetParam().userCopiesMeanwhile) {
    clipboard.UserEmpties();
    clipboard.UserCopies(kCfText, newer);
  }
  delivery.PasteResultText("7.00");
  AdvanceTo(20000);
  if (GetParam().userCopiesMeanwhile) {
    EXPECT_EQ(clipboard.Read(kCfText), newer);
  } else {
    EXPECT_TRUE(UserClipboardIsBack());
  }
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

INSTANTIATE_TEST_SUITE_P(Cases, LongHoldTest,
                         ::testing::Values(LongHoldCase{"Untouched", false}, LongHoldCase{"NewerCopy", true}),
                         [](const auto& param) { return std::string(param.param.name); });

// A hot key with Shift or Alt: at keys-up the thread's state is put back
// with those keys as the user holds them then, whether or not the program
// has taken the user's key message yet. Everything else, toggle bits and
// the saved Ctrl included, comes back as saved.
enum class Moment { Never, BeforeKeysDown, DuringPaste };

struct ModifierCase {
  const char* name;
  unsigned key;
  unsigned sideKey;
  bool heldAtStart;
  Moment change;
  bool messageTaken;  // the program has seen the user's key event
  bool heldAfter;
};

void PrintTo(const ModifierCase& c, std::ostream* out) { *out << c.name; }

class ModifierRestoreTest : public ResultDeliveryTest, public ::testing::WithParamInterface<ModifierCase> {
 protected:
  void UserSets(bool down) {
    for (const unsigned key : {GetParam().key, GetParam().sideKey}) {
      if (GetParam().messageTaken) {
        keyboard.Hold(key, down);
      } else {
        keyboard.live[key] = down ? 0x80 : 0;
      }
    }
  }
  void ChangeAt(Moment moment) {
    if (GetParam().change == moment) UserSets(!GetParam().heldAtStart);
  }
};

TEST_P(ModifierRestoreTest, PutBackAsTheUserHoldsItAtKeysUp) {
  const ModifierCase& c = GetParam();
  keyboard.Hold(kVkControl);
  keyboard.state[kVkCapital] = 0x01;
  keyboard.state[c.key] = 0x01;
  keyboard.state[c.sideKey] = 0x01;
  if (c.heldAtStart) {
    keyboard.Hold(c.key);
    keyboard.Hold(c.sideKey);
  }
  KeyboardState expected = keyboard.state;
  const auto heldBits = static_cast<std::uint8_t>(0x01 | (c.heldAfter ? 0x80 : 0));
  expected[c.key] = heldBits;
  expected[c.sideKey] = heldBits;

  ASSERT_TRUE(delivery.PasteResultText("5.00"));
  AdvanceTo(50);
  ChangeAt(Moment::BeforeKeysDown);
  AdvanceTo(100);
  ASSERT_EQ(keyboard.sent.size(), 2u);  // Ctrl+V is down
  ChangeAt(Moment::DuringPaste);
  ProgramTakesThePaste();
  ASSERT_EQ(keyboard.sent.size(), 4u);
  EXPECT_EQ(keyboard.state, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModifierRestoreTest,
    ::testing::Values(
        ModifierCase{"LeftShiftHeldThrough", kVkShift, kVkLShift, true, Moment::Never, true, true},
        ModifierCase{"LeftShiftLetGoDuringPaste", kVkShift, kVkLShift, true, Moment::DuringPaste, true, false},
        ModifierCase{"RightShiftLetGoDuringPasteNotYetTaken", kVkShift, kVkRShift, true, Moment::DuringPaste, false,
                     false},
        ModifierCase{"LeftShiftLetGoBeforeKeysDown", kVkShift, kVkLShift, true, Moment::BeforeKeysDown, true, false},
        ModifierCase{"RightShiftLetGoBeforeKeysDownNotYetTaken", kVkShift, kVkRShift, true, Moment::BeforeKeysDown,
                     false, false},
        ModifierCase{"LeftShiftPressedDuringPaste", kVkShift, kVkLShift, false, Moment::DuringPaste, true, true},
        ModifierCase{"LeftAltHeldThrough", kVkMenu, kVkLMenu, true, Moment::Never, true, true},
        ModifierCase{"LeftAltLetGoDuringPaste", kVkMenu, kVkLMenu, true, Moment::DuringPaste, true, false},
        ModifierCase{"RightAltLetGoDuringPasteNotYetTaken", kVkMenu, kVkRMenu, true, Moment::DuringPaste, false,
                     false},
        ModifierCase{"RightAltHeldThrough", kVkMenu, kVkRMenu, true, Moment::Never, true, true}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvok

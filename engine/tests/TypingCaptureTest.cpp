// Key events and queued messages against a fake keyboard: which keys record,
// which break, and when the hot key triggers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineFakes.h"
#include "TypingCapture.h"

namespace tarvok {
namespace {

using testing::FakeKeyboard;

constexpr std::uint32_t kPress = 0x00000001;
constexpr std::uint32_t kRepeat = 0x40000001;
constexpr std::uint32_t kRelease = 0xC0000001;
constexpr unsigned kVkOemPlus = 0xBB;

class TypingCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTypedText(buffer);
    settings.HotKeyVirtualKey = kVkOemPlus;
    settings.HotKeyModifiers = kModCtrl;
  }
  bool Press(unsigned vk, std::uint32_t data = kPress) {
    return HandleKeyEvent(buffer, deadKey, settings, keyboard, vk, data, keyboard.passwordField);
  }
  void Type(const std::string& keys) {
    for (const char c : keys) Press(static_cast<unsigned char>(c));
  }
  TypedTextBuffer buffer;
  DeadKeyState deadKey;
  SettingsCopy settings;
  FakeKeyboard keyboard;
};

TEST_F(TypingCaptureTest, RecordsTranslatedCharacters) {
  Type("2");
  Press(0x6A);
  Type("3");
  EXPECT_EQ(ReadTypedText(buffer), "2*3");
}

struct ModifierCase {
  const char* name;
  std::uint8_t hotKey;
  std::vector<unsigned> held;
  bool matches;
};

class ModifierMatchTest : public ::testing::TestWithParam<ModifierCase> {};

TEST_P(ModifierMatchTest, MatchIsExact) {
  FakeKeyboard keyboard;
  for (const unsigned key : GetParam().held) keyboard.Hold(key);
  EXPECT_EQ(HotKeyModifiersMatch(keyboard, GetParam().hotKey), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ModifierMatchTest,
    ::testing::Values(ModifierCase{"CtrlHeld", kModCtrl, {kVkControl}, true},
                      ModifierCase{"ExtraShift", kModCtrl, {kVkControl, kVkShift}, false},
                      ModifierCase{"ExtraAlt", kModCtrl, {kVkControl, kVkMenu}, false},
                      ModifierCase{"MissingCtrl", kModCtrl, {}, false},
                      ModifierCase{"ShiftCtrl", kModCtrl | kModShift, {kVkControl, kVkShift}, true},
                      ModifierCase{"AllThree", kModCtrl | kModShift | kModAlt, {kVkControl, kVkShift, kVkMenu}, true},
                      ModifierCase{"AltOnly", kModAlt, {kVkMenu}, true},
                      ModifierCase{"NoneWanted", 0, {}, true},
                      ModifierCase{"NoneWantedCtrlHeld", 0, {kVkControl}, false}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct TriggerCase {
  const char* name;
  unsigned vk;
  std::uint32_t data;
  std::vector<unsigned> held;
  bool triggers;
};

class TriggerTest : public TypingCaptureTest, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(TriggerTest, Triggers) {
  for (const unsigned key : GetParam().held) keyboard.Hold(key);
  EXPECT_EQ(Press(GetParam().vk, GetParam().data), GetParam().triggers);
}

INSTANTIATE_TEST_SUITE_P(
    Events, TriggerTest,
    ::testing::Values(TriggerCase{"HotKey", kVkOemPlus, kPress, {kVkControl}, true},
                      TriggerCase{"AutoRepeat", kVkOemPlus, kRepeat, {kVkControl}, true},
                      TriggerCase{"Release", kVkOemPlus, kRelease, {kVkControl}, false},
                      TriggerCase{"WithoutCtrl", kVkOemPlus, kPress, {}, false},
                      TriggerCase{"ExtraShift", kVkOemPlus, kPress, {kVkControl, kVkShift}, false},
                      TriggerCase{"OtherKey", '2', kPress, {kVkControl}, false}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(TypingCaptureTest, EmptyBlockMatchesNoKey) {
  settings = SettingsCopy{};
  EXPECT_FALSE(Press(0));
  EXPECT_FALSE(Press(kVkOemPlus));
}

TEST_F(TypingCaptureTest, ModifiersAreAskedOnlyForTheHotKey) {
  Type("2");
  EXPECT_EQ(keyboard.keyStateCalls, 0);
}

struct HotKeyPressCase {
  const char* name;
  unsigned vk;
  std::uint8_t modifiers;
  std::vector<unsigned> held;
};

class HotKeyPressTest : public TypingCaptureTest, public ::testing::WithParamInterface<HotKeyPressCase> {};

// Whatever the hot key's press would translate to (a character, a control
// character that empties the text, nothing), the read-out is what was typed.
TEST_P(HotKeyPressTest, PressRecordsNothing) {
  settings.HotKeyVirtualKey = static_cast<std::uint16_t>(GetParam().vk);
  settings.HotKeyModifiers = GetParam().modifiers;
  Type("2");
  for (const unsigned key : GetParam().held) keyboard.Hold(key);
  EXPECT_TRUE(Press(GetParam().vk));
  EXPECT_EQ(ReadTypedText(buffer), "2");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HotKeyPressTest,
    ::testing::Values(HotKeyPressCase{"CtrlLetter", 'K', kModCtrl, {kVkControl}},  // code 11
                      HotKeyPressCase{"ShiftCtrlLetter", 'Q', kModShift | kModCtrl, {kVkShift, kVkControl}},
                      HotKeyPressCase{"ShiftPrintable", kVkOemPlus, kModShift, {kVkShift}},
                      HotKeyPressCase{"CtrlEquals", kVkOemPlus, kModCtrl, {kVkControl}},
                      HotKeyPressCase{"FunctionKey", 0x78, 0, {}}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct KeyEffectCase {
  const char* name;
  unsigned vk;
  int translateCount;
  bool noScanCode;
  const char* expected;  // after typing "12" and this key
};

class KeyEffectTest : public TypingCaptureTest, public ::testing::WithParamInterface<KeyEffectCase> {};

TEST_P(KeyEffectTest, KeyboardHookEffect) {
  Type("12");
  keyboard.translateCount = GetParam().translateCount;
  if (GetParam().noScanCode) keyboard.noScanCode[GetParam().vk] = true;
  Press(GetParam().vk);
  EXPECT_EQ(ReadTypedText(buffer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyEffectTest,
    ::testing::Values(KeyEffectCase{"Enter", 0x0D, 1, false, ""},
                      KeyEffectCase{"Tab", 0x09, 1, false, ""},
                      KeyEffectCase{"Escape", 0x1B, 1, false, ""},
                      KeyEffectCase{"Printable", '3', 1, false, "123"},
                      KeyEffectCase{"NoCharacterHome", 0x24, 1, false, "12"},
                      KeyEffectCase{"DeadKey", '3', -1, false, "12"},
                      KeyEffectCase{"TwoCharacters", '3', 2, false, "12"},
                      KeyEffectCase{"NoScanCode", '3', 1, true, "12"},
                      // Backspace is the message hook's: the keyboard hook ignores it.
                      KeyEffectCase{"BackspaceIgnoredHere", kVkBack, 1, false, "12"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(TypingCaptureTest, DeadKeyIsLeftToTheProgram) {
  constexpr unsigned kVkAccent = 0xDD;
  keyboard.deadKeys[kVkAccent] = true;
  Type("2");
  Press(kVkAccent);
  EXPECT_FALSE(keyboard.layoutAccent);  // the layout is as the program expects it
  EXPECT_EQ(keyboard.translateCalls[kVkAccent], 2);
  Press(kVkShift);  // Shift for a capital keeps the accent waiting
  Press('E');       // the program combines this key: not translated here
  EXPECT_EQ(keyboard.translateCalls['E'], 0);
  Type("3");
  EXPECT_EQ(ReadTypedText(buffer), "23");
}

TEST_F(TypingCaptureTest, FailingKeyboardStateRecordsNothing) {
  keyboard.stateFails = true;
  Type("12");
  EXPECT_EQ(ReadTypedText(buffer), "");
}

TEST_F(TypingCaptureTest, HighCharactersAreKept) {
  keyboard.translations['E'] = 0xE9;
  Press('E');
  EXPECT_EQ(ReadTypedText(buffer), "\xE9");
}

struct MessageCase {
  const char* name;
  unsigned message;
  std::uintptr_t wParam;
  const char* expected;  // after typing "12"
};

class MessageTest : public TypingCaptureTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MessageTest, MessageHookEffect) {
  Type("12");
  HandleQueuedMessage(buffer, GetParam().message, GetParam().wParam);
  EXPECT_EQ(ReadTypedText(buffer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageTest,
    ::testing::Values(MessageCase{"Escape", kWmKeyDown, 27, ""}, MessageCase{"Enter", kWmKeyDown, 13, ""},
                      MessageCase{"Left", kWmKeyDown, 37, ""}, MessageCase{"Up", kWmKeyDown, 38, ""},
                      MessageCase{"Right", kWmKeyDown, 39, ""}, MessageCase{"Down", kWmKeyDown, 40, ""},
                      MessageCase{"Backspace", kWmKeyDown, 8, "1"},
                      MessageCase{"Home", kWmKeyDown, 0x24, ""}, MessageCase{"End", kWmKeyDown, 0x23, ""},
                      MessageCase{"PageUp", kWmKeyDown, 0x21, ""}, MessageCase{"PageDown", kWmKeyDown, 0x22, ""},
                      MessageCase{"Delete", kWmKeyDown, 0x2E, "12"}, MessageCase{"Insert", kWmKeyDown, 0x2D, "12"},
                      MessageCase{"LeftButton", kWmLButtonDown, 0, ""},
                      MessageCase{"RightButton", kWmRButtonDown, 0, ""},
                      MessageCase{"MiddleButton", kWmMButtonDown, 0, ""},
                      MessageCase{"ButtonUp", 0x0202, 0, "12"}, MessageCase{"DoubleClick", 0x0203, 0, "12"},
                      MessageCase{"Wheel", 0x020A, 0, "12"},
                      MessageCase{"SysKeyDownEnter", 0x0104, 13, "12"}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace tarvok

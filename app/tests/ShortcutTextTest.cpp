// Hot-key text both ways: the fixed name table, the layout's names, prefix
// order and case, and the round trip over every key and modifier set.
#include <gtest/gtest.h>

#include "FakeKeyNames.h"
#include "HotKeyRules.h"
#include "SharedBlock.h"
#include "ShortcutText.h"

namespace tarvok {
namespace {

const testing::FakeKeyNames kLayout;

struct WriteCase {
  std::uint16_t shortcut;
  const char* text;
};

class ShortcutToTextTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ShortcutToTextTest, WritesPrefixesInFixedOrderThenName) {
  EXPECT_EQ(ShortcutToText(GetParam().shortcut, kLayout), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, ShortcutToTextTest,
                         ::testing::Values(WriteCase{0x40BB, "Ctrl+="}, WriteCase{0x60BB, "Shift+Ctrl+="},
                                           WriteCase{0xE041, "Shift+Ctrl+Alt+A"}, WriteCase{0x8030, "Alt+0"},
                                           WriteCase{0x4060, "Ctrl+0"}, WriteCase{0x4069, "Ctrl+9"},
                                           WriteCase{0x0070, "F1"}, WriteCase{0x2087, "Shift+F24"},
                                           WriteCase{0x0008, "BkSp"}, WriteCase{0x0009, "Tab"},
                                           WriteCase{0x000D, "Enter"}, WriteCase{0x001B, "Esc"},
                                           WriteCase{0x0020, "Space"}, WriteCase{0x0021, "PgUp"},
                                           WriteCase{0x0028, "Down"}, WriteCase{0x002D, "Ins"},
                                           WriteCase{0x002E, "Del"}, WriteCase{0x406A, "Ctrl+Num *"},
                                           // no name: no text at all, not a bare prefix
                                           WriteCase{0x4007, ""}, WriteCase{0x40FF, ""},
                                           WriteCase{0x0000, ""}, WriteCase{0x4000, ""}));

struct ReadCase {
  const char* text;
  std::uint16_t shortcut;
};

class TextToShortcutTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToShortcutTest, ReadsPrefixesInAnyOrderAndCase) {
  EXPECT_EQ(TextToShortcut(GetParam().text, kLayout), GetParam().shortcut) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToShortcutTest,
    // the layout's typing key wins over the keypad "=" at 0x92
    ::testing::Values(ReadCase{"Ctrl+=", 0x40BB}, ReadCase{"Ctrl+-", 0x40BD}, ReadCase{"ctrl+shift+a", 0x6041}, ReadCase{"^A", 0x4041},
                      ReadCase{"^a", 0x4041}, ReadCase{"ALT+f12", 0x807B}, ReadCase{"Shift+Shift+A", 0x2041},
                      ReadCase{"alt+^shift+pgdn", 0xE022}, ReadCase{"Ctrl+Num *", 0x406A},
                      // a keypad digit is written like the top-row digit and read back as it
                      ReadCase{"Ctrl+0", 0x4030},
                      // the first code with a matching name wins over a layout duplicate
                      ReadCase{"Tab", 0x0009},
                      ReadCase{"", 0}, ReadCase{"Ctrl+", 0}, ReadCase{"Ctrl+Nonsense", 0},
                      ReadCase{"Ctrl+= ", 0}, ReadCase{"Ctrl-A", 0}, ReadCase{"0", 0x30}));

// Every key and every modifier set: what is written reads back as the same
// modifiers and a key of the same name (top-row digit for the keypad).
TEST(ShortcutRoundTrip, EveryNamedKeyWithEveryModifierSetComesBack) {
  const std::uint16_t modifierSets[] = {0, kShortcutShift, kShortcutCtrl, kShortcutAlt,
                                        kShortcutShift | kShortcutCtrl | kShortcutAlt};
  int named = 0;
  for (unsigned vk = 0x01; vk <= 0xFF; ++vk) {
    for (std::uint16_t modifiers : modifierSets) {
      const auto shortcut = static_cast<std::uint16_t>(modifiers | vk);
      const std::string text = ShortcutToText(shortcut, kLayout);
      if (text.empty()) continue;
      ++named;
      const std::uint16_t back = TextToShortcut(text, kLayout);
      EXPECT_EQ(back & 0xE000, modifiers) << text;
      EXPECT_EQ(KeyName(static_cast<std::uint8_t>(back & 0xFF), kLayout),
                KeyName(static_cast<std::uint8_t>(vk), kLayout))
          << text;
    }
  }
  EXPECT_GT(named, 5 * 80);  // the fixed table alone names 81 keys
}

struct ControlCase {
  std::uint16_t control;  // the hot-key control's value
  std::uint16_t shortcut;
};

class HotKeyControlTest : public ::testing::TestWithParam<ControlCase> {};

TEST_P(HotKeyControlTest, ConvertsModifierBitsBothWays) {
  EXPECT_EQ(ShortcutFromHotKeyControl(GetParam().control), GetParam().shortcut);
  if (GetParam().shortcut != 0 && (GetParam().control & 0x0800) == 0) {
    EXPECT_EQ(HotKeyControlFromShortcut(GetParam().shortcut), GetParam().control);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, HotKeyControlTest,
                         ::testing::Values(ControlCase{0x02BB, 0x40BB}, ControlCase{0x03BB, 0x60BB},
                                           ControlCase{0x0441, 0x8041}, ControlCase{0x0741, 0xE041},
                                           ControlCase{0x0170, 0x2070},
                                           // the extended-key flag is dropped
                                           ControlCase{0x0A2E, 0x402E},
                                           // modifiers without a key are no hot key
                                           ControlCase{0x0200, 0x0000}));

struct AcceptCase {
  std::uint16_t shortcut;
  bool accepted;
};

class HotKeyRuleTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(HotKeyRuleTest, TakesOnlyKeysThatCannotOccurInTyping) {
  EXPECT_EQ(IsAcceptedHotKey(GetParam().shortcut), GetParam().accepted) << std::hex << GetParam().shortcut;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HotKeyRuleTest,
    ::testing::Values(AcceptCase{0x40BB, true}, AcceptCase{0x60BB, true}, AcceptCase{0x404B, true},
                      AcceptCase{0x804B, true}, AcceptCase{0xC04B, true}, AcceptCase{0x0078, true},
                      AcceptCase{0x2078, true}, AcceptCase{0x0087, true}, AcceptCase{0x0013, true},
                      AcceptCase{0x002D, true}, AcceptCase{0x0000, true},
                      // typing keys alone or with Shift
                      AcceptCase{0x0041, false}, AcceptCase{0x2041, false}, AcceptCase{0x0035, false},
                      AcceptCase{0x0065, false}, AcceptCase{0x00BB, false}, AcceptCase{0x20BB, false},
                      AcceptCase{0x0020, false}, AcceptCase{0x000D, false}, AcceptCase{0x0009, false},
                      AcceptCase{0x0008, false},
                      // keys that edit or move the caret
                      AcceptCase{0x002E, false}, AcceptCase{0x0024, false}, AcceptCase{0x2025, false}));

}  // namespace
}  // namespace tarvok

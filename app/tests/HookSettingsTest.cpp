// The rules between the controls and the shared block: typed precision,
// the result form's two encodings, the hot key's split, and the fields a
// fill must leave alone.
#include <gtest/gtest.h>

#include <cstring>

#include "HookSettings.h"

namespace tarvok {
namespace {

struct PrecisionCase {
  const char* text;
  int fallback;
  int expected;
};

class PrecisionFromTextTest : public ::testing::TestWithParam<PrecisionCase> {};

TEST_P(PrecisionFromTextTest, StaysWithinZeroToTen) {
  EXPECT_EQ(PrecisionFromText(GetParam().text, GetParam().fallback), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, PrecisionFromTextTest,
                         ::testing::Values(PrecisionCase{"5", 2, 5}, PrecisionCase{"0", 2, 0},
                                           PrecisionCase{"10", 2, 10}, PrecisionCase{"11", 2, 10},
                                           PrecisionCase{"-1", 2, 0}, PrecisionCase{" 4", 2, 4},
                                           PrecisionCase{"3x", 2, 3},
                                           PrecisionCase{"99999999999999999999999", 2, 10},
                                           PrecisionCase{"-99999999999999999999999", 2, 0},
                                           PrecisionCase{"abc", 7, 7}, PrecisionCase{"", 3, 3},
                                           PrecisionCase{"abc", 42, 10}));

TEST(ToHookSettings, ConvertsResultFormAndClampsPrecision) {
  const HookSettings number = ToHookSettings({false, false, 4, 0x40BB}, 0x1234);
  EXPECT_EQ(number.resultForm, kResultFormNumber);
  EXPECT_EQ(number.precision, 4);
  EXPECT_EQ(number.controllerWindow, 0x1234u);
  const HookSettings line = ToHookSettings({false, true, 300, 0x40BB}, 0);
  EXPECT_EQ(line.resultForm, kResultFormLine);
  EXPECT_EQ(line.precision, 10);
}

struct FillCase {
  std::uint16_t shortcut;
  std::uint16_t virtualKey;
  std::uint8_t modifiers;
};

class FillBlockTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillBlockTest, WritesSettingsFieldsOnly) {
  GlobalHookData block;
  std::memset(&block, 0, sizeof block);
  block.GetMessageHook = 0x1111;
  block.KeyboardHook = 0x2222;
  HookSettings settings;
  settings.precision = 200;  // never reaches the block unclamped
  settings.resultForm = kResultFormLine;
  settings.controllerWindow = 0xABCD;
  settings.shortcut = GetParam().shortcut;
  FillBlockSettings(block, settings);

  EXPECT_EQ(block.HotKeyVirtualKey, GetParam().virtualKey);
  EXPECT_EQ(block.HotKeyModifiers, GetParam().modifiers);
  EXPECT_EQ(block.Precision, 10);
  EXPECT_EQ(block.ResultForm, kResultFormLine);
  EXPECT_EQ(block.ControllerWindow, 0xABCDu);
  EXPECT_EQ(block.GetMessageHook, 0x1111u);
  EXPECT_EQ(block.KeyboardHook, 0x2222u);
  EXPECT_EQ(block.CallWndProcHook, 0u);
  EXPECT_EQ(block.ShellHook, 0u);
  EXPECT_EQ(block.Reserved, 0u);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  for (std::size_t padding : {17u, 18u, 19u, 25u, 26u, 27u, 33u}) EXPECT_EQ(bytes[padding], 0) << padding;
}

INSTANTIATE_TEST_SUITE_P(Table, FillBlockTest,
                         ::testing::Values(FillCase{0x40BB, 0xBB, kModCtrl},
                                           FillCase{0x60BB, 0xBB, kModCtrl | kModShift},
                                           FillCase{0x8041, 0x41, kModAlt},
                                           FillCase{0xE070, 0x70, kModShift | kModAlt | kModCtrl},
                                           FillCase{0x0000, 0x00, 0}));

}  // namespace
}  // namespace tarvok

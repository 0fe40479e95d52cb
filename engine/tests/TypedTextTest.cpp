// The ring buffer's read-out in every state: empty, first pass, wrapped,
// and Backspace across the wrap.
#include <gtest/gtest.h>

#include <string>

#include "TypedText.h"

namespace tarvok {
namespace {

std::string Typed(int count, char first = 'a') {
  std::string text;
  for (int i = 0; i < count; ++i) text += static_cast<char>(first + i % 26);
  return text;
}

struct BufferCase {
  const char* name;
  std::string typed;   // '\b' stands for Backspace
  std::string expected;
};

class TypedTextTest : public ::testing::TestWithParam<BufferCase> {};

TEST_P(TypedTextTest, ReadsWhatWasTyped) {
  TypedTextBuffer buffer;
  ResetTypedText(buffer);
  for (const char c : GetParam().typed) {
    if (c == '\b') {
      EraseTypedChar(buffer);
    } else {
      AppendTypedChar(buffer, c);
    }
  }
  EXPECT_EQ(ReadTypedText(buffer), GetParam().expected);
}

const std::string k300 = Typed(300);
const std::string k301 = Typed(301);
const std::string k350 = Typed(350);

INSTANTIATE_TEST_SUITE_P(
    States, TypedTextTest,
    ::testing::Values(
        BufferCase{"Empty", "", ""},
        BufferCase{"FirstPass", "2+3", "2+3"},
        BufferCase{"BackspaceMidway", "12\b3", "13"},
        BufferCase{"BackspaceOnEmptyStaysEmpty", "\b\b7", "7"},
        BufferCase{"BackspaceEverything", "12\b\b", ""},
        // 300 characters fill cells 1..300: wrapped, cell 0 still zero.
        BufferCase{"Exactly300", k300, std::string(1, '\0') + k300},
        BufferCase{"Exactly301", k301, k301},
        BufferCase{"Beyond301KeepsTheLast301", k350, k350.substr(49)},
        // Erasing cell 300 returns the buffer to the first-pass reading.
        BufferCase{"BackspaceUnwrapsAt300", k300 + "\b", k300.substr(0, 299)},
        // Erasing cell 0 leaves the ring wrapped, the erased cell reading 0.
        BufferCase{"BackspaceInWrapped", k301 + "\b", std::string(1, '\0') + k300},
        BufferCase{"SecondBackspaceUnwraps", k301 + "\b\b", k300.substr(0, 299)}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(TypedText, ResetEmptiesEveryState) {
  TypedTextBuffer buffer;
  for (const char c : k350) AppendTypedChar(buffer, c);
  ResetTypedText(buffer);
  EXPECT_FALSE(IsTypedTextWrapped(buffer));
  EXPECT_EQ(ReadTypedText(buffer), "");
  AppendTypedChar(buffer, 'x');
  EXPECT_EQ(buffer.position, 1);
}

}  // namespace
}  // namespace tarvok

// Which stored registry types count as text and number, and how a text
// stored where a number belongs is read.
#include <gtest/gtest.h>

#include <limits>

#include "RegistryValueKind.h"

namespace tarvok {
namespace {

TEST(KindOfRegistryType, SortsTheWin32TypeCodes) {
  const struct {
    std::uint32_t type;
    RegistryValueKind kind;
  } cases[] = {
      {0, RegistryValueKind::Bytes},   // REG_NONE
      {1, RegistryValueKind::Text},    // REG_SZ
      {2, RegistryValueKind::Text},    // REG_EXPAND_SZ
      {3, RegistryValueKind::Bytes},   // REG_BINARY
      {4, RegistryValueKind::Number},  // REG_DWORD
      {5, RegistryValueKind::Number},  // REG_DWORD_BIG_ENDIAN
      {7, RegistryValueKind::Text},    // REG_MULTI_SZ
      {11, RegistryValueKind::Number}, // REG_QWORD
      {0x7FFF, RegistryValueKind::Bytes},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOfRegistryType(c.type), c.kind) << c.type;
}

struct TextCase {
  const char* text;
  std::optional<std::int32_t> value;
};

class IntegerFromTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(IntegerFromTextTest, ReadsOnlyWholeDecimalNumbers) {
  EXPECT_EQ(IntegerFromText(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerFromTextTest,
    ::testing::Values(TextCase{"7", 7}, TextCase{"0", 0}, TextCase{" 12\t", 12}, TextCase{"-3", -3},
                      TextCase{"+4", 4}, TextCase{"200", 200}, TextCase{"2147483647", kMax},
                      TextCase{"99999999999999999999", kMax}, TextCase{"-2147483648", kMin},
                      TextCase{"-99999999999999999999", kMin}, TextCase{"", std::nullopt},
                      TextCase{"  ", std::nullopt}, TextCase{"-", std::nullopt}, TextCase{"3x", std::nullopt},
                      TextCase{"0x10", std::nullopt}, TextCase{"1 2", std::nullopt},
                      TextCase{"Ctrl+=", std::nullopt}));

}  // namespace
}  // namespace tarvok

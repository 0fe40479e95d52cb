// The registry routines against Wine's real registry, under a scratch key so
// the user's settings are never touched.
#include <gtest/gtest.h>

#include <string>

#include "RegistryAccess.h"
#include "RegistryNames.h"

namespace tarvok {
namespace {

constexpr char kScratchKey[] = "Software\\Quorvane\\TarvokTest\\RegistryAccess";

class RegistryAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }

  static void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static DWORD StoredSize(const char* name) {
    DWORD size = 0;
    RegGetValueA(HKEY_CURRENT_USER, kScratchKey, name, RRF_RT_ANY, nullptr, nullptr, &size);
    return size;
  }
};

TEST_F(RegistryAccessTest, MissingKeyAndValueReadAsAbsent) {
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "Nothing"), "0");
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kScratchKey, "Nothing"), 0);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kScratchKey, "Nothing"));
  DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, "Nothing");  // not an error
}

TEST_F(RegistryAccessTest, TextsAreStoredAsTwoHundredBytesAndReadBack) {
  for (const std::size_t length : {0u, 1u, 50u, 199u}) {
    const std::string text(length, 'x');
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kScratchKey, "Text", text)) << length;
    EXPECT_EQ(StoredSize("Text"), kRegTextBytes) << length;
    const std::string read = ReadRegString(HKEY_CURRENT_USER, kScratchKey, "Text");
    EXPECT_EQ(read, length == 0 ? std::string() : text) << length;
  }
}

TEST_F(RegistryAccessTest, TextOfTwoHundredCharactersIsRefusedNotCut) {
  ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kScratchKey, "Text", "kept"));
  EXPECT_FALSE(WriteRegString(HKEY_CURRENT_USER, kScratchKey, "Text", std::string(200, 'y')));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "Text"), "kept");
}

TEST_F(RegistryAccessTest, ForeignValuesOf199To201BytesAreReadByTheTwoHundredByteRule) {
  const std::string t199(199, 'a');
  SetRaw("V199", REG_SZ, t199.c_str(), 199);  // no terminating zero stored
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "V199"), t199);
  const std::string t200(200, 'b');
  SetRaw("V200", REG_BINARY, t200.data(), 200);  // fills the buffer without a zero
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "V200"), t200);
  const std::string t201(201, 'c');
  SetRaw("V201", REG_SZ, t201.data(), 201);  // too long: counts as absent
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "V201"), "0");
}

TEST_F(RegistryAccessTest, IntegersRoundTripAndOversizeCountsAsAbsent) {
  for (const std::int32_t value : {0, 1, 10, -1, 2147483647}) {
    WriteRegInteger(HKEY_CURRENT_USER, kScratchKey, "Int", value);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kScratchKey, "Int"));
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kScratchKey, "Int"), value);
  }
  const unsigned char eight[8] = {7, 0, 0, 0, 0, 0, 0, 0};
  SetRaw("Wide", REG_QWORD, eight, sizeof eight);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kScratchKey, "Wide"));
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kScratchKey, "Wide"), 0);
}

TEST_F(RegistryAccessTest, DeleteRemovesOnlyTheNamedValue) {
  WriteRegInteger(HKEY_CURRENT_USER, kScratchKey, "A", 1);
  WriteRegInteger(HKEY_CURRENT_USER, kScratchKey, "B", 2);
  DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, "A");
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kScratchKey, "A"));
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kScratchKey, "B"), 2);
}

}  // namespace
}  // namespace tarvok

// The settings store against Wine's real registry: LoadValues/SaveValues
// round trips through the routines of RegistryAccess.h, the autorun entry, the 200-byte
// text rule, and key names from the real (US) keyboard layout.
#include <gtest/gtest.h>

#include "RawRegistry.h"
#include "RegistryNames.h"
#include "SystemRegistry.h"
#include "UserSettingsStore.h"

namespace tarvok {
namespace {

using testing::Dword;
using testing::StoreRaw;
using testing::Sz;

constexpr char kProgram[] = "C:\\Program Files\\Tarvok\\tarvok.exe";

// Starts from an empty settings key and autorun entry, and leaves them so.
class SettingsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRegValue(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue);
  }
  SystemRegistry registry;
  LayoutKeyNames layout;
};

TEST_F(SettingsRegistryTest, UsLayoutNamesEqualsAsTheKey0xBB) {
  EXPECT_EQ(KeyName(0xBB, layout), "=");
  EXPECT_EQ(TextToShortcut("Ctrl+=", layout), 0x40BB);
  EXPECT_EQ(ShortcutToText(0x40BB, layout), "Ctrl+=");
}

TEST_F(SettingsRegistryTest, MissingKeyGivesDefaults) {
  const UserSettings settings = ReadUserSettings(registry, layout, kProgram);
  EXPECT_FALSE(settings.autorun);
  EXPECT_FALSE(settings.resultAsLine);
  EXPECT_EQ(settings.precision, 2);
  EXPECT_EQ(settings.shortcut, 0x40BB);
}

TEST_F(SettingsRegistryTest, SaveThenLoadGivesTheSameSettings) {
  const UserSettings saved{true, true, 9, 0xE070};  // Shift+Ctrl+Alt+F1
  WriteUserSettings(registry, saved, kProgram, layout);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), AutorunText(kProgram));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueShortCut), "Shift+Ctrl+Alt+F1");
  const UserSettings loaded = ReadUserSettings(registry, layout, kProgram);
  EXPECT_TRUE(loaded.autorun);
  EXPECT_TRUE(loaded.resultAsLine);
  EXPECT_EQ(loaded.precision, 9);
  EXPECT_EQ(loaded.shortcut, 0xE070);

  WriteUserSettings(registry, {false, false, 2, 0x40BB}, kProgram, layout);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), kAbsentText);
  EXPECT_FALSE(ReadUserSettings(registry, layout, kProgram).autorun);
}

TEST_F(SettingsRegistryTest, TextValuesAreStoredAsExactly200Bytes) {
  WriteUserSettings(registry, {true, false, 2, 0x40BB}, kProgram, layout);
  for (const auto& [subkey, name] : {std::pair{kSettingsKey, kValueShortCut}, std::pair{kAutorunKey, kAutorunValue}}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(size, 200u) << name;
    RegCloseKey(key);
  }
}

TEST_F(SettingsRegistryTest, OddStoredValuesReadAsDocumented) {
  WriteRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueType, 7);
  WriteRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValuePrecision, 1000);
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValueShortCut, "0");
  UserSettings settings = ReadUserSettings(registry, layout, kProgram);
  EXPECT_TRUE(settings.resultAsLine);
  EXPECT_EQ(settings.precision, 10);
  EXPECT_EQ(settings.shortcut, 0x40BB);

  // A precision with more than 4 bytes of data is no precision at all.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const unsigned long long eight = 5;
  RegSetValueExA(key, kValuePrecision, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&eight), sizeof eight);
  RegCloseKey(key);
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValueShortCut, "");
  settings = ReadUserSettings(registry, layout, kProgram);
  EXPECT_EQ(settings.precision, 2);
  EXPECT_EQ(settings.shortcut, 0);
}

struct TypedCase {
  const char* what;
  const char* subkey;
  const char* name;
  DWORD type;
  std::string data;
  UserSettings expected;  // autorun, line, precision, shortcut
};

class TypedValueTest : public SettingsRegistryTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedValueTest, WrongTypesGiveDefaultsOrTheNumberTheTextSpells) {
  const TypedCase& c = GetParam();
  ASSERT_TRUE(StoreRaw(c.subkey, c.name, c.type, c.data));
  const UserSettings got = ReadUserSettings(registry, layout, kProgram);
  EXPECT_EQ(got.autorun, c.expected.autorun) << c.what;
  EXPECT_EQ(got.resultAsLine, c.expected.resultAsLine) << c.what;
  EXPECT_EQ(got.precision, c.expected.precision) << c.what;
  EXPECT_EQ(got.shortcut, c.expected.shortcut) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedValueTest,
    ::testing::Values(
        TypedCase{"ShortCut as DWORD '=' is absent, not a bare '='", kSettingsKey, kValueShortCut, REG_DWORD,
                  Dword(0x3D), {false, false, 2, 0x40BB}},
        TypedCase{"ShortCut as binary text reads as text", kSettingsKey, kValueShortCut, REG_BINARY, "Ctrl+A",
                  {false, false, 2, 0x4041}},
        TypedCase{"ShortCut of 1000 characters is absent", kSettingsKey, kValueShortCut, REG_SZ,
                  Sz(std::string(1000, 'A')), {false, false, 2, 0x40BB}},
        TypedCase{"ShortCut garbage is the default", kSettingsKey, kValueShortCut, REG_SZ, Sz("\x01\x7f#garbage"),
                  {false, false, 2, 0x40BB}},
        TypedCase{"precision as text 5", kSettingsKey, kValuePrecision, REG_SZ, Sz("5"), {false, false, 5, 0x40BB}},
        TypedCase{"precision as 200-byte text 0", kSettingsKey, kValuePrecision, REG_SZ,
                  "0" + std::string(199, '\0'), {false, false, 0, 0x40BB}},
        TypedCase{"precision as text 200 is clamped", kSettingsKey, kValuePrecision, REG_SZ, Sz("200"),
                  {false, false, 10, 0x40BB}},
        TypedCase{"precision as DWORD 200 is clamped", kSettingsKey, kValuePrecision, REG_DWORD, Dword(200),
                  {false, false, 10, 0x40BB}},
        TypedCase{"precision as 4-byte binary", kSettingsKey, kValuePrecision, REG_BINARY, Dword(7),
                  {false, false, 7, 0x40BB}},
        TypedCase{"precision as 1000-byte binary is absent", kSettingsKey, kValuePrecision, REG_BINARY,
                  std::string(1000, '\x05'), {false, false, 2, 0x40BB}},
        TypedCase{"Type as text 0 is the number form", kSettingsKey, kValueType, REG_SZ, Sz("0"),
                  {false, false, 2, 0x40BB}},
        TypedCase{"Type as text 1 is the line form", kSettingsKey, kValueType, REG_SZ, Sz("1"),
                  {false, true, 2, 0x40BB}},
        TypedCase{"Type 7 is the line form", kSettingsKey, kValueType, REG_DWORD, Dword(7), {false, true, 2, 0x40BB}},
        TypedCase{"autorun as DWORD is off", kAutorunKey, kAutorunValue, REG_DWORD, Dword(1),
                  {false, false, 2, 0x40BB}},
        TypedCase{"autorun of this program as expandable text is on", kAutorunKey, kAutorunValue, REG_EXPAND_SZ,
                  Sz(AutorunText(kProgram)), {true, false, 2, 0x40BB}}));

TEST_F(SettingsRegistryTest, ProgramFoldersAreRecordedAndLongOnesRefused) {
  EXPECT_TRUE(RecordProgramFolders(registry, "C:\\Tarvok\\"));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath), "C:\\Tarvok\\");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueGlobalPathLanguage), "C:\\Tarvok\\language\\");
  const std::string longFolder = "C:\\" + std::string(220, 'x') + "\\";
  EXPECT_FALSE(RecordProgramFolders(registry, longFolder));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath), kAbsentText);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueGlobalPathLanguage), kAbsentText);
}

TEST_F(SettingsRegistryTest, FirstRunMarkerIsSetOnce) {
  EXPECT_TRUE(TakeFirstRun(registry));
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueFirstRun), 1);
  EXPECT_FALSE(TakeFirstRun(registry));
}

}  // namespace
}  // namespace tarvok

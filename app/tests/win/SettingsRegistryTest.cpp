// The settings store against Wine's real registry: LoadValues/SaveValues
// round trips through the Rozadar routines, the autorun entry, the 200-byte
// text rule, and key names from the real (US) keyboard layout.
#include <gtest/gtest.h>

#include "RegistryNames.h"
#include "RozadarRegistry.h"
#include "UserSettingsStore.h"

namespace tarvok {
namespace {

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
  RozadarRegistry registry;
  LayoutKeyNames layout;
};

TEST_F(SettingsRegistryTest, UsLayoutNamesEqualsAsTheKey0xBB) {
  EXPECT_EQ(KeyName(0xBB, layout), "=");
  EXPECT_EQ(TextToShortcut("Ctrl+=", layout), 0x40BB);
  EXPECT_EQ(ShortcutToText(0x40BB, layout), "Ctrl+=");
}

TEST_F(SettingsRegistryTest, MissingKeyGivesDefaults) {
  const UserSettings settings = ReadUserSettings(registry, layout);
  EXPECT_FALSE(settings.autorun);
  EXPECT_FALSE(settings.resultAsLine);
  EXPECT_EQ(settings.precision, 2);
  EXPECT_EQ(settings.shortcut, 0x40BB);
}

TEST_F(SettingsRegistryTest, SaveThenLoadGivesTheSameSettings) {
  const UserSettings saved{true, true, 9, 0xE070};  // Shift+Ctrl+Alt+F1
  WriteUserSettings(registry, saved, kProgram, layout);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), kProgram);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueShortCut), "Shift+Ctrl+Alt+F1");
  const UserSettings loaded = ReadUserSettings(registry, layout);
  EXPECT_TRUE(loaded.autorun);
  EXPECT_TRUE(loaded.resultAsLine);
  EXPECT_EQ(loaded.precision, 9);
  EXPECT_EQ(loaded.shortcut, 0xE070);

  WriteUserSettings(registry, {false, false, 2, 0x40BB}, kProgram, layout);
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), kAbsentText);
  EXPECT_FALSE(ReadUserSettings(registry, layout).autorun);
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
  UserSettings settings = ReadUserSettings(registry, layout);
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
  settings = ReadUserSettings(registry, layout);
  EXPECT_EQ(settings.precision, 2);
  EXPECT_EQ(settings.shortcut, 0);
}

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

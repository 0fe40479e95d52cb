// Settings between the registry and the controls: defaults, odd stored
// values, what is written back, and the values start-up records.
#include <gtest/gtest.h>

#include "FakeKeyNames.h"
#include "FakeRegistry.h"
#include "RegistryNames.h"
#include "UserSettingsStore.h"

namespace tarvok {
namespace {

using testing::FakeRegistry;
const testing::FakeKeyNames kLayout;
constexpr char kProgram[] = "C:\\Program Files\\Tarvok\\tarvok.exe";

TEST(ReadUserSettings, EmptyRegistryGivesDefaults) {
  FakeRegistry registry;
  const UserSettings settings = ReadUserSettings(registry, kLayout, kProgram);
  EXPECT_FALSE(settings.autorun);
  EXPECT_FALSE(settings.resultAsLine);
  EXPECT_EQ(settings.precision, 2);
  EXPECT_EQ(settings.shortcut, 0x40BB);  // Ctrl+= on a US layout
}

struct StoredCase {
  const char* what;
  const char* subkey;
  const char* name;
  FakeRegistry::Value stored;
  UserSettings expected;  // autorun, line, precision, shortcut
};

class ReadOddValuesTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(ReadOddValuesTest, GivesTheDocumentedSetting) {
  FakeRegistry registry;
  registry.values[{GetParam().subkey, GetParam().name}] = GetParam().stored;
  const UserSettings got = ReadUserSettings(registry, kLayout, kProgram);
  const UserSettings& want = GetParam().expected;
  EXPECT_EQ(got.autorun, want.autorun) << GetParam().what;
  EXPECT_EQ(got.resultAsLine, want.resultAsLine) << GetParam().what;
  EXPECT_EQ(got.precision, want.precision) << GetParam().what;
  EXPECT_EQ(got.shortcut, want.shortcut) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadOddValuesTest,
    ::testing::Values(
        StoredCase{"Type 7 is the line form", kSettingsKey, kValueType, 7, {false, true, 2, 0x40BB}},
        StoredCase{"Type 1 is the line form", kSettingsKey, kValueType, 1, {false, true, 2, 0x40BB}},
        StoredCase{"precision 0 is kept", kSettingsKey, kValuePrecision, 0, {false, false, 0, 0x40BB}},
        StoredCase{"precision above 10 is clamped", kSettingsKey, kValuePrecision, 25, {false, false, 10, 0x40BB}},
        StoredCase{"negative precision is clamped", kSettingsKey, kValuePrecision, -3, {false, false, 0, 0x40BB}},
        StoredCase{"oversize precision is absent", kSettingsKey, kValuePrecision, FakeRegistry::Oversize{},
                   {false, false, 2, 0x40BB}},
        StoredCase{"ShortCut \"0\" is absent", kSettingsKey, kValueShortCut, std::string("0"),
                   {false, false, 2, 0x40BB}},
        StoredCase{"empty ShortCut is no hot key", kSettingsKey, kValueShortCut, std::string(""),
                   {false, false, 2, 0}},
        StoredCase{"unknown key name is the default hot key", kSettingsKey, kValueShortCut,
                   std::string("Ctrl+Foo"), {false, false, 2, 0x40BB}},
        StoredCase{"modifiers without a key are the default hot key", kSettingsKey, kValueShortCut,
                   std::string("Ctrl+Alt+"), {false, false, 2, 0x40BB}},
        StoredCase{"a long garbage text is the default hot key", kSettingsKey, kValueShortCut,
                   std::string(199, '#'), {false, false, 2, 0x40BB}},
        StoredCase{"a number for ShortCut is absent", kSettingsKey, kValueShortCut, 0x3D,
                   {false, false, 2, 0x40BB}},
        StoredCase{"a number for autorun is off", kAutorunKey, kAutorunValue, 1, {false, false, 2, 0x40BB}},
        StoredCase{"precision as text is its number", kSettingsKey, kValuePrecision, std::string(" 5 "),
                   {false, false, 5, 0x40BB}},
        StoredCase{"precision text 200 is clamped", kSettingsKey, kValuePrecision, std::string("200"),
                   {false, false, 10, 0x40BB}},
        StoredCase{"precision text without a number is absent", kSettingsKey, kValuePrecision,
                   std::string("two"), {false, false, 2, 0x40BB}},
        StoredCase{"Type as text \"0\" is the number form", kSettingsKey, kValueType, std::string("0"),
                   {false, false, 2, 0x40BB}},
        StoredCase{"Type as text \"1\" is the line form", kSettingsKey, kValueType, std::string("1"),
                   {false, true, 2, 0x40BB}},
        StoredCase{"lower case, Ctrl first", kSettingsKey, kValueShortCut, std::string("ctrl+shift+a"),
                   {false, false, 2, 0x6041}},
        StoredCase{"this program quoted is on", kAutorunKey, kAutorunValue,
                   std::string("\"C:\\Program Files\\Tarvok\\tarvok.exe\""), {true, false, 2, 0x40BB}},
        StoredCase{"this program bare, other letter case, is on", kAutorunKey, kAutorunValue,
                   std::string("c:\\program files\\tarvok\\TARVOK.EXE"), {true, false, 2, 0x40BB}},
        StoredCase{"a copy in another folder is off", kAutorunKey, kAutorunValue,
                   std::string("\"D:\\Tarvok\\tarvok.exe\""), {false, false, 2, 0x40BB}},
        StoredCase{"this program with an argument is off", kAutorunKey, kAutorunValue,
                   std::string("\"C:\\Program Files\\Tarvok\\tarvok.exe\" /x"), {false, false, 2, 0x40BB}},
        StoredCase{"oversize autorun text means off", kAutorunKey, kAutorunValue, FakeRegistry::Oversize{},
                   {false, false, 2, 0x40BB}}));

TEST(WriteUserSettings, WritesEveryValueInItsStoredForm) {
  FakeRegistry registry;
  WriteUserSettings(registry, {true, true, 7, 0x6041}, kProgram, kLayout);
  EXPECT_EQ(registry.ReadString(kAutorunKey, kAutorunValue), "\"C:\\Program Files\\Tarvok\\tarvok.exe\"");
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValueType), 1);
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValuePrecision), 7);
  EXPECT_EQ(registry.ReadString(kSettingsKey, kValueShortCut), "Shift+Ctrl+A");
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValueKeepHotKey), 0);
}

TEST(UserSettingsStore, KeepHotKeyRoundTripsAndIsOffWhenAbsent) {
  FakeRegistry registry;
  EXPECT_FALSE(ReadUserSettings(registry, kLayout, kProgram).keepHotKey);
  UserSettings settings;
  settings.keepHotKey = true;
  WriteUserSettings(registry, settings, kProgram, kLayout);
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValueKeepHotKey), 1);
  EXPECT_TRUE(ReadUserSettings(registry, kLayout, kProgram).keepHotKey);
}

TEST(WriteUserSettings, AutorunOffDeletesTheEntryAndNoEntryIsFine) {
  FakeRegistry registry;
  WriteUserSettings(registry, {false, false, 2, 0x40BB}, kProgram, kLayout);
  EXPECT_FALSE(registry.Has(kAutorunKey, kAutorunValue));
  registry.WriteString(kAutorunKey, kAutorunValue, kProgram);
  WriteUserSettings(registry, {false, false, 2, 0x40BB}, kProgram, kLayout);
  EXPECT_FALSE(registry.Has(kAutorunKey, kAutorunValue));
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValueType), 0);
}

TEST(WriteUserSettings, AutorunOffLeavesAnotherCopysEntryAndOnReplacesIt) {
  FakeRegistry registry;
  const std::string other = "\"D:\\Tarvok\\tarvok.exe\"";
  registry.WriteString(kAutorunKey, kAutorunValue, other);
  WriteUserSettings(registry, {false, false, 2, 0x40BB}, kProgram, kLayout);
  EXPECT_EQ(registry.ReadString(kAutorunKey, kAutorunValue), other);
  WriteUserSettings(registry, {true, false, 2, 0x40BB}, kProgram, kLayout);
  EXPECT_EQ(registry.ReadString(kAutorunKey, kAutorunValue), AutorunText(kProgram));
}

TEST(Autorun, OwnBareEntryIsQuotedAndNothingElseIsTouched) {
  FakeRegistry registry;
  EXPECT_FALSE(QuoteOwnAutorunEntry(registry, kProgram));
  EXPECT_FALSE(registry.Has(kAutorunKey, kAutorunValue));
  for (const std::string other : {"D:\\Tarvok\\tarvok.exe", "\"C:\\Program Files\\Tarvok\\tarvok.exe\""}) {
    registry.WriteString(kAutorunKey, kAutorunValue, other);
    EXPECT_FALSE(QuoteOwnAutorunEntry(registry, kProgram)) << other;
    EXPECT_EQ(registry.ReadString(kAutorunKey, kAutorunValue), other);
  }
  registry.WriteString(kAutorunKey, kAutorunValue, kProgram);
  EXPECT_TRUE(QuoteOwnAutorunEntry(registry, kProgram));
  EXPECT_EQ(registry.ReadString(kAutorunKey, kAutorunValue), AutorunText(kProgram));
}

TEST(WriteUserSettings, OutOfRangePrecisionIsStoredClamped) {
  FakeRegistry registry;
  WriteUserSettings(registry, {false, false, 99, 0x40BB}, kProgram, kLayout);
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValuePrecision), 10);
}

TEST(UserSettingsRoundTrip, KeypadDigitComesBackAsTopRowDigitAndRestStays) {
  FakeRegistry registry;
  WriteUserSettings(registry, {false, true, 0, 0x6061}, kProgram, kLayout);  // Shift+Ctrl+keypad 1
  const UserSettings back = ReadUserSettings(registry, kLayout, kProgram);
  EXPECT_EQ(back.shortcut, 0x6031);
  EXPECT_TRUE(back.resultAsLine);
  EXPECT_EQ(back.precision, 0);
}

TEST(UserSettingsRoundTrip, NoHotKeyIsStoredEmptyAndStaysNone) {
  FakeRegistry registry;
  WriteUserSettings(registry, {false, false, 2, 0}, kProgram, kLayout);
  EXPECT_EQ(registry.ReadString(kSettingsKey, kValueShortCut), "");
  EXPECT_EQ(ReadUserSettings(registry, kLayout, kProgram).shortcut, 0);
}

TEST(ProgramFolders, FolderOfAFullPathKeepsItsBackslash) {
  EXPECT_EQ(FolderOf("C:\\Program Files\\Tarvok\\tarvok.exe"), "C:\\Program Files\\Tarvok\\");
  EXPECT_EQ(FolderOf("tarvok.exe"), "");
  EXPECT_EQ(LanguageFolderOf("C:\\T\\"), "C:\\T\\language\\");
}

TEST(ProgramFolders, RecordsPathAndLanguageFolder) {
  FakeRegistry registry;
  EXPECT_TRUE(RecordProgramFolders(registry, "C:\\Tarvok\\"));
  EXPECT_EQ(registry.ReadString(kSettingsKey, kValuePath), "C:\\Tarvok\\");
  EXPECT_EQ(registry.ReadString(kSettingsKey, kValueGlobalPathLanguage), "C:\\Tarvok\\language\\");
}

TEST(ProgramFolders, TooLongFolderIsRefusedAndStaleValuesRemoved) {
  FakeRegistry registry;
  RecordProgramFolders(registry, "C:\\Old\\");
  const std::string longFolder = "C:\\" + std::string(200, 'x') + "\\";
  EXPECT_FALSE(RecordProgramFolders(registry, longFolder));
  EXPECT_FALSE(registry.Has(kSettingsKey, kValuePath));
  EXPECT_FALSE(registry.Has(kSettingsKey, kValueGlobalPathLanguage));
}

TEST(ProgramFolders, FolderThatFitsButWhoseLanguageFolderDoesNotKeepsPath) {
  FakeRegistry registry;
  const std::string folder = "C:\\" + std::string(194, 'x') + "\\";  // 198 characters
  EXPECT_FALSE(RecordProgramFolders(registry, folder));
  EXPECT_EQ(registry.ReadString(kSettingsKey, kValuePath), folder);
  EXPECT_FALSE(registry.Has(kSettingsKey, kValueGlobalPathLanguage));
}

TEST(FirstRun, IsTakenOnceAndOnlyWhenTheMarkerIsZero) {
  FakeRegistry registry;
  EXPECT_TRUE(TakeFirstRun(registry));
  EXPECT_EQ(registry.ReadInteger(kSettingsKey, kValueFirstRun), 1);
  EXPECT_FALSE(TakeFirstRun(registry));
  registry.WriteInteger(kSettingsKey, kValueFirstRun, 5);
  EXPECT_FALSE(TakeFirstRun(registry));
}

}  // namespace
}  // namespace tarvok

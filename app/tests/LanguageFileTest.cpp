// Language-file logic against an in-memory folder: which text each key
// reaches, the fallbacks, the order of application, the credits lines and
// the refusal of files that are not text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeLanguageFolder.h"
#include "LanguageFile.h"

namespace tarvok {
namespace {

using testing::FakeLanguageFolder;
using namespace std::string_literals;

constexpr char kFolder[] = "C:\\Tarvok\\language\\";

std::string Path(const std::string& name) { return kFolder + name; }

// Records what LoadLanguage does, in order.
class RecordingTarget final : public LanguageTarget {
 public:
  explicit RecordingTarget(bool aboutExists = true) : aboutExists_(aboutExists) {}
  void RememberLanguage(const std::string& fileName) override { steps.push_back("remember " + fileName); }
  void ApplyMessages(const LanguageTexts& texts) override { Record("messages", texts); }
  void ApplyMenu(const LanguageTexts& texts) override { Record("menu", texts); }
  void ApplyMainWindow(const LanguageTexts& texts) override { Record("window", texts); }
  bool ApplyAbout(const LanguageTexts& texts) override {
    if (!aboutExists_) return false;
    Record("about", texts);
    return true;
  }
  std::vector<std::string> steps;
  LanguageTexts last;

 private:
  void Record(const char* step, const LanguageTexts& texts) {
    steps.emplace_back(step);
    last = texts;
  }
  bool aboutExists_;
};

struct TextCase {
  const char* name;
  std::string file;
  std::vector<std::pair<TextId, std::string>> changed;  // every other text stays built in
};

class ReadLanguageTextsTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadLanguageTextsTest, ChangesExactlyTheListedTexts) {
  FakeLanguageFolder folder;
  folder.Put(Path("x.ini"), GetParam().file);
  LanguageTexts expected;
  for (const auto& [id, text] : GetParam().changed) expected[id] = text;
  const LanguageTexts read = ReadLanguageTexts(folder, Path("x.ini"));
  for (const LanguageKey& row : LanguageKeys()) {
    EXPECT_EQ(read[row.id], expected[row.id]) << "[" << row.section << "] " << row.key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLanguageTextsTest,
    ::testing::Values(
        TextCase{"Empty", "", {}},
        TextCase{"OnlyMenu",
                 "[Menu]\n1=Optionen...\n2=Aus\n3=An\n4=Sprache\n6=Info...\n7=Ende\n8=Hilfe...\n",
                 {{TextId::MenuOptions, "Optionen..."},
                  {TextId::MenuDisable, "Aus"},
                  {TextId::MenuEnable, "An"},
                  {TextId::MenuLanguage, "Sprache"},
                  {TextId::MenuAbout, "Info..."},
                  {TextId::MenuExit, "Ende"},
                  {TextId::MenuHelp, "Hilfe..."}}},
        TextCase{"EmptyValueEmptiesItsTarget",
                 "[MainWindow]\n7=\n[About]\n3=\n",
                 {{TextId::ButtonCancel, ""}, {TextId::CreditsLabel, ""}}},
        TextCase{"UnusedKeysAndInfoChangeNothing",
                 "[Info]\nLanguage=X\n[Menu]\n5=five\n9=nine\n[Messages]\n1=a\n2=b\n",
                 {}},
        TextCase{"AboutOkComesFromMainWindow", "[MainWindow]\n6=Ja\n[About]\n6=Nein\n",
                 {{TextId::ButtonOK, "Ja"}}},
        TextCase{"LongValueIsCut", "[Messages]\n4=" + std::string(3000, 'w') + "\n",
                 {{TextId::FirstRunText, std::string(kLanguageValueMaxLength, 'w')}}},
        TextCase{"BinaryGarbageReadsAsNoSections",
                 "[Menu]\n1=\x01\x02\x03\n2=\0x\n"s,
                 {}},
        TextCase{"HugeFileReadsAsNoSections",
                 "[Menu]\n1=Huge\n" + std::string(kLanguageFileMaxBytes, ';'), {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(IsLanguageFileText, AcceptsTextInAnyAnsiCodePageAndRefusesControlBytes) {
  struct Case {
    std::string bytes;
    bool accepted;
  };
  const Case cases[] = {
      {"", true},
      {"[Menu]\r\n1=Options...\r\n", true},
      {"[Menu]\n1=\t\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\n\x1A", true},  // Windows-1251, tab, EOF mark
      {"[Menu]\n1=a\0b\n"s, false},
      {"[Menu]\n1=\x1B[31m\n", false},
      {"\xFF\xFE[\0M\0"s, false},  // UTF-16 starts with a zero byte soon enough
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLanguageFileText(c.bytes, c.bytes.size()), c.accepted) << c.bytes;
  }
  EXPECT_TRUE(IsLanguageFileText("", kLanguageFileMaxBytes));
  EXPECT_FALSE(IsLanguageFileText("", kLanguageFileMaxBytes + 1));
}

TEST(HasIniExtension, OnlyTheLongNameCounts) {
  const std::pair<const char*, bool> cases[] = {
      {"rus.ini", true}, {"RUS.INI", true}, {"Deu.Ini", true},   {".ini", true},
      {"rus.ini_old", false}, {"x.inix", false}, {"ini", false}, {"rus.ini.bak", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(HasIniExtension(name), expected) << name;
}

TEST(LoadLanguage, MissingFileChangesNothingAndIsNotRemembered) {
  FakeLanguageFolder folder;
  folder.Put(Path("eng.ini"), "[Menu]\n1=Options...\n");
  for (const char* name : {"deleted.ini", ""}) {
    RecordingTarget target;
    EXPECT_EQ(LoadLanguage(folder, kFolder, name, target), LanguageLoad::FileMissing) << name;
    EXPECT_TRUE(target.steps.empty()) << name;
  }
}

TEST(LoadLanguage, RemembersFirstThenAppliesInOrder) {
  FakeLanguageFolder folder;
  folder.Put(Path("deu.ini"), "[Menu]\n2=Aus\n");
  RecordingTarget target;
  EXPECT_EQ(LoadLanguage(folder, kFolder, "deu.ini", target), LanguageLoad::Applied);
  EXPECT_EQ(target.steps,
            (std::vector<std::string>{"remember deu.ini", "messages", "menu", "window", "about"}));
  EXPECT_EQ(target.last[TextId::MenuDisable], "Aus");
}

TEST(LoadLanguage, StartUpApplicationStopsBeforeTheMissingAboutBox) {
  FakeLanguageFolder folder;
  folder.Put(Path("deu.ini"), "[About]\n1=Uber\n");
  RecordingTarget target(/*aboutExists=*/false);
  EXPECT_EQ(LoadLanguage(folder, kFolder, "deu.ini", target), LanguageLoad::AppliedWithoutAbout);
  EXPECT_EQ(target.steps,
            (std::vector<std::string>{"remember deu.ini", "messages", "menu", "window"}));
}

TEST(LoadLanguage, KeysTheNewFileLacksFallBackToEnglishNotToThePreviousLanguage) {
  FakeLanguageFolder folder;
  folder.Put(Path("full.ini"), "[Menu]\n1=Einstellungen\n7=Beenden\n");
  folder.Put(Path("part.ini"), "[Menu]\n7=Sortir\n");
  RecordingTarget target;
  LoadLanguage(folder, kFolder, "full.ini", target);
  LoadLanguage(folder, kFolder, "part.ini", target);
  EXPECT_EQ(target.last[TextId::MenuOptions], "Options...");
  EXPECT_EQ(target.last[TextId::MenuExit], "Sortir");
}

TEST(LoadLanguage, GarbageFileIsAppliedAsTheBuiltInTexts) {
  FakeLanguageFolder folder;
  folder.Put(Path("junk.ini"), "\x7F" "ELF\x01\x01\x01\0\0\0[Menu]\n1=x\n"s);
  RecordingTarget target;
  EXPECT_EQ(LoadLanguage(folder, kFolder, "junk.ini", target), LanguageLoad::Applied);
  EXPECT_EQ(target.last, LanguageTexts());
  EXPECT_EQ(folder.valueReads, 0);
}


TEST(Credits, OneLinePerFileInFolderOrder) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> files;
    std::string credits;
  };
  const Case cases[] = {
      {{}, ""},
      {{{"eng.ini", "[Info]\nLanguage=English\nTranslator=Team\nVersion=1.50\n"}},
       "English  Translate version 1.50; Team"},
      {{{"z.ini", "[Info]\nLanguage=Z\nVersion=2\n"},
        {"noinfo.ini", "[Menu]\n1=x\n"},
        {"a.ini", "[info]\nlanguage=A\ntranslator=Ann\nversion=3\n"}},
       "Z  Translate version 2; \r\n  Translate version ; \r\nA  Translate version 3; Ann"},
      {{{"junk.ini", "[Info]\nLanguage=\x01\x02"s}}, "  Translate version ; "},
  };
  for (const Case& c : cases) {
    FakeLanguageFolder folder;
    for (const auto& [name, bytes] : c.files) folder.Put(Path(name), bytes);
    folder.Put(std::string(kFolder) + "readme.txt", "[Info]\nLanguage=not listed\n");
    EXPECT_EQ(BuildCreditsText(folder, kFolder), c.credits);
  }
}

TEST(LanguageMenu, ListsEveryFileByItsOwnNameEvenWhenEmpty) {
  FakeLanguageFolder folder;
  folder.Put(Path("rus.ini"), "[Info]\nLanguage=Russian\n");
  folder.Put(Path("noname.ini"), "[Menu]\n1=x\n");
  const std::vector<LanguageMenuEntry> entries = ListLanguageMenu(folder, kFolder);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].fileName, "rus.ini");
  EXPECT_EQ(entries[0].caption, "Russian");
  EXPECT_EQ(entries[1].fileName, "noname.ini");
  EXPECT_EQ(entries[1].caption, "");
}

}  // namespace
}  // namespace tarvok

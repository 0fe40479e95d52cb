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
  std::vector<std::pair<TextId, std::wstring>> changed;  // every other text stays built in
};

class ReadLanguageTextsTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadLanguageTextsTest, ChangesExactlyTheListedTexts) {
  FakeLanguageFolder folder;
  folder.Put(Path("x.ini"), GetParam().file);
  LanguageTexts expected;
  for (const auto& [id, text] : GetParam().changed) expected[id] = text;  // on a 1252 system
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
                 {{TextId::MenuOptions, L"Optionen..."},
                  {TextId::MenuDisable, L"Aus"},
                  {TextId::MenuEnable, L"An"},
                  {TextId::MenuLanguage, L"Sprache"},
                  {TextId::MenuAbout, L"Info..."},
                  {TextId::MenuExit, L"Ende"},
                  {TextId::MenuHelp, L"Hilfe..."}}},
        TextCase{"EmptyValueEmptiesItsTarget",
                 "[MainWindow]\n7=\n[About]\n3=\n",
                 {{TextId::ButtonCancel, L""}, {TextId::CreditsLabel, L""}}},
        TextCase{"UnusedKeysAndInfoChangeNothing",
                 "[Info]\nLanguage=X\n[Menu]\n5=five\n9=nine\n[Messages]\n1=a\n2=b\n",
                 {}},
        TextCase{"AboutOkComesFromMainWindow", "[MainWindow]\n6=Ja\n[About]\n6=Nein\n",
                 {{TextId::ButtonOK, L"Ja"}}},
        TextCase{"LongValueIsCut", "[Messages]\n4=" + std::string(3000, 'w') + "\n",
                 {{TextId::FirstRunText, std::wstring(kLanguageValueMaxLength, L'w')}}},
        TextCase{"BinaryGarbageReadsAsNoSections",
                 "[Menu]\n1=\x01\x02\x03\n2=\0x\n"s,
                 {}},
        TextCase{"NamedCodePageWinsOverTheSystems",
                 "[Info]\nCodePage=1251\n[Menu]\n7=\xC2\xFB\xF5\xEE\xE4\n[About]\n3=\xC1\xEB\xE0\xE3\xEE\n",
                 {{TextId::MenuExit, L"Выход"}, {TextId::CreditsLabel, L"Благо"}}},
        TextCase{"WithoutCodePageTheSystemsIsUsed", "[Menu]\n7=\xC2\xFB\xF5\xEE\xE4\n",
                 {{TextId::MenuExit, L"\u00C2\u00FB\u00F5\u00EE\u00E4"}}},
        TextCase{"UnreadableCodePageIsTheSystems", "[Info]\nCodePage=cp1251\n[Menu]\n7=\xDC\n",
                 {{TextId::MenuExit, L"\u00DC"}}},
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
  EXPECT_EQ(target.last[TextId::MenuDisable], L"Aus");
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
  EXPECT_EQ(target.last[TextId::MenuOptions], L"Options...");
  EXPECT_EQ(target.last[TextId::MenuExit], L"Sortir");
}

TEST(LoadLanguage, GarbageFileIsAppliedAsTheBuiltInTexts) {
  FakeLanguageFolder folder;
  folder.Put(Path("junk.ini"), "\x7F" "ELF\x01\x01\x01\0\0\0[Menu]\n1=x\n"s);
  RecordingTarget target;
  EXPECT_EQ(LoadLanguage(folder, kFolder, "junk.ini", target), LanguageLoad::Applied);
  EXPECT_EQ(target.last, LanguageTexts());
  EXPECT_EQ(folder.valueReads, 0);
}


TEST(CodePageFromText, OnlyAPlainNumberInRangeNamesACodePage) {
  const std::pair<const char*, unsigned> cases[] = {
      {"1251", 1251}, {" 1252\t", 1252}, {"65001", 65001}, {"65535", 65535}, {"", kSystemCodePage},
      {"65536", kSystemCodePage}, {"4294968547", kSystemCodePage}, {"-1251", kSystemCodePage},
      {"+1251", kSystemCodePage}, {"12 51", kSystemCodePage}, {"cp1251", kSystemCodePage},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(CodePageFromText(text), expected) << text;
}

TEST(Credits, OneLinePerFileInFolderOrder) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> files;
    std::wstring credits;
  };
  const Case cases[] = {
      {{}, L""},
      {{{"eng.ini", "[Info]\nLanguage=English\nTranslator=Team\nVersion=1.50\n"}},
       L"English  Translate version 1.50; Team"},
      {{{"z.ini", "[Info]\nLanguage=Z\nVersion=2\n"},
        {"noinfo.ini", "[Menu]\n1=x\n"},
        {"a.ini", "[info]\nlanguage=A\ntranslator=Ann\nversion=3\n"}},
       L"Z  Translate version 2; \r\n  Translate version ; \r\nA  Translate version 3; Ann"},
      {{{"junk.ini", "[Info]\nLanguage=\x01\x02"s}}, L"  Translate version ; "},
      // Each line in its own file's code page, on a system of neither.
      {{{"rus.ini", "[Info]\nCodePage=1251\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\nTranslator=\xA8\xE6\n"},
        {"deu.ini", "[Info]\nCodePage=1252\nLanguage=Deutsch\nTranslator=J\xFCrgen\n"}},
       L"Русский  Translate version ; Ёж\r\nDeutsch  Translate version ; J\u00FCrgen"},
  };
  for (const Case& c : cases) {
    FakeLanguageFolder folder;
    folder.systemCodePage = 1250;
    for (const auto& [name, bytes] : c.files) folder.Put(Path(name), bytes);
    folder.Put(std::string(kFolder) + "readme.txt", "[Info]\nLanguage=not listed\n");
    EXPECT_EQ(BuildCreditsText(folder, kFolder), c.credits);
  }
}

TEST(LanguageMenu, ListsEveryFileByItsOwnNameEvenWhenEmpty) {
  FakeLanguageFolder folder;
  folder.Put(Path("rus.ini"), "[Info]\nCodePage=1251\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n");
  folder.Put(Path("noname.ini"), "[Menu]\n1=x\n");
  const std::vector<LanguageMenuEntry> entries = ListLanguageMenu(folder, kFolder);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].fileName, "rus.ini");
  EXPECT_EQ(entries[0].caption, L"Русский");
  EXPECT_EQ(entries[1].fileName, "noname.ini");
  EXPECT_EQ(entries[1].caption, L"");
}

// The 64-bit program names its own converter in the note, whichever
// language file gave the text; a text that names no file stays as it is.
TEST(LineFormNote, NamesTheConverterOfTheProgramsOwnBitness) {
  const struct {
    const wchar_t* note;
    const char* converter;
    const wchar_t* shown;
  } cases[] = {
      {L"The line form needs convert.dll in the program folder.", "convert64.dll",
       L"The line form needs convert64.dll in the program folder."},
      {L"Нужен convert.dll; convert.dll!", "convert64.dll", L"Нужен convert64.dll; convert64.dll!"},
      {L"The line form needs convert.dll.", "convert.dll", L"The line form needs convert.dll."},
      {L"Kein Konverter", "convert64.dll", L"Kein Konverter"},
  };
  for (const auto& c : cases) EXPECT_EQ(NameOwnConverter(c.note, c.converter), c.shown) << c.converter;
}

}  // namespace
}  // namespace tarvok

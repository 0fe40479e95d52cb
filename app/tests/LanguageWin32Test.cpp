// The language files through Windows' own profile reader and file search,
// in a scratch folder: what real files of every kind read as, that each is
// read in its own code page, and that the shipped files hold what they must.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LanguageFile.h"
#include "LanguageFileWin32.h"
#include "ScratchFolder.h"
#include "ShippedLanguageFolder.h"
#include "TextConversion.h"

namespace tarvok {
namespace {

using namespace std::string_literals;
using testing::ScratchFolder;
using testing::ShippedLanguageFolder;

struct FileCase {
  const char* name;
  std::string bytes;
  TextId id;
  std::wstring expected;  // the text `id` reads as
};

class RealLanguageFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(RealLanguageFileTest, ReadsAsExpected) {
  ScratchFolder folder;
  folder.Write("x.ini", GetParam().bytes);
  const Win32LanguageFileSystem files;
  const LanguageTexts texts = ReadLanguageTexts(files, folder.path() + "x.ini");
  EXPECT_EQ(texts[GetParam().id], GetParam().expected);
  // Whatever the file holds, the texts it does not name stay built in.
  EXPECT_EQ(texts[TextId::HotKeyLabel], LanguageTexts()[TextId::HotKeyLabel]);
}

const std::string kLong(3000, 'L');

INSTANTIATE_TEST_SUITE_P(
    Files, RealLanguageFileTest,
    ::testing::Values(
        FileCase{"OnlyMenuChangesTheMenu", "[Menu]\r\n7=Beenden\r\n", TextId::MenuExit, L"Beenden"},
        FileCase{"OnlyMenuLeavesOthersBuiltIn", "[Menu]\r\n7=Beenden\r\n", TextId::ButtonOK, L"OK"},
        FileCase{"SectionAndKeyIgnoreCase", "[menu]\r\n 7 = Beenden \r\n", TextId::MenuExit,
                 L"Beenden"},
        FileCase{"EmptyValue", "[MainWindow]\r\n8=\r\n", TextId::ButtonApply, L""},
        FileCase{"ValueBeyond2047IsCut", "[Messages]\r\n4=" + kLong + "\r\n", TextId::FirstRunText,
                 std::wstring(kLanguageValueMaxLength, L'L')},
        FileCase{"NamedCodePage", "[About]\r\n3=\xC1\xEB\xE0\xE3\xEE\r\n[info]\r\ncodepage=1251\r\n",
                 TextId::CreditsLabel, L"Благо"},
        FileCase{"NamedUtf8", "[Info]\r\nCodePage=65001\r\n[Menu]\r\n6=\xC3\x9C" "ber...\r\n",
                 TextId::MenuAbout, L"Über..."},
        FileCase{"ProseIsNoIniFile", "Dear user,\r\nthis is a letter = not a language.\r\n",
                 TextId::MenuOptions, L"Options..."},
        FileCase{"BinaryGarbage", "MZ\x90\0\x03\0\0\0[Menu]\r\n1=Garbage\r\n"s,
                 TextId::MenuOptions, L"Options..."},
        FileCase{"Utf16", "\xFF\xFE[\0M\0e\0n\0u\0]\0\r\0\n\0001\0=\0U\0\r\0\n\0"s,
                 TextId::MenuOptions, L"Options..."},
        FileCase{"HugeFile",
                 "[Menu]\r\n1=Huge\r\n" + std::string(kLanguageFileMaxBytes, ';'),
                 TextId::MenuOptions, L"Options..."}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ToUtf16, ReadsEachCodePageAndUnknownOnesAsTheSystems) {
  struct Case {
    std::string bytes;
    unsigned codePage;
    std::wstring expected;
  };
  const Case cases[] = {
      {"\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8 \xA8", 1251, L"Настройки Ё"},
      {"\xDC" "bernehmen \xE4\xF6\xDF", 1252, L"Übernehmen äöß"},
      {"\xD0\x9E\xC3\xA4", 65001, L"Оä"},
      {"", 1251, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ToUtf16(c.bytes, c.codePage), c.expected) << c.codePage;
  // Not a code page, or one MultiByteToWideChar cannot read from: the
  // system's, as for a file that names none.
  for (const unsigned unknown : {99999u, 1200u, 12000u, 1u, 2u}) {
    EXPECT_EQ(ToUtf16("\xC0\xFF", unknown), ToUtf16("\xC0\xFF", CP_ACP)) << unknown;
  }
  EXPECT_EQ(ToUtf16("\xC0\xFF", CP_ACP).size(), 2u);
}

// The profile reader goes through the system's code page and back; a file
// in another code page must still arrive byte for byte, or its letters
// could not be read in the code page it names.
TEST(RealLanguageFile, EveryByteAboveAsciiPassesTheProfileReaderUnchanged) {
  testing::ExpectSystemCodePageOfThisRun();
  std::string high;
  for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
  ScratchFolder folder;
  folder.Write("x.ini", "[Menu]\r\n7=" + high + "\r\n");
  const Win32LanguageFileSystem files;
  const std::string read = files.ReadValue(folder.path() + "x.ini", "Menu", "7", "");
  ASSERT_EQ(read.size(), high.size());
  for (std::size_t i = 0; i < high.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(read[i]), static_cast<unsigned char>(high[i])) << i;
  }
}

TEST(RealLanguageFolder, ListsIniFilesOnlyWhateverTheirAttributes) {
  ScratchFolder folder;
  folder.Write("eng.ini", "[Info]\r\nLanguage=English\r\n");
  folder.Write("hidden.ini", "[Info]\r\nLanguage=Hidden\r\n");
  SetFileAttributesA((folder.path() + "hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  folder.Write("notes.txt", "[Info]\r\nLanguage=Text\r\n");
  folder.Write("rus.ini_old", "[Info]\r\nLanguage=Backup\r\n");  // short name RUS~1.INI
  folder.Write("x.inix", "[Info]\r\nLanguage=X\r\n");
  CreateDirectoryA((folder.path() + "folder.ini").c_str(), nullptr);

  const Win32LanguageFileSystem files;
  std::vector<std::string> names = files.ListIniFiles(folder.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"eng.ini", "hidden.ini"}));
  EXPECT_TRUE(files.FileExists(folder.path() + "eng.ini"));
  EXPECT_FALSE(files.FileExists(folder.path() + "folder.ini"));
  EXPECT_FALSE(files.FileExists(folder.path() + "gone.ini"));
  EXPECT_TRUE(files.ListIniFiles(folder.path() + "missing\\").empty());
}

// ---- The files the build ships ----

std::string ShippedFolder() { return ShippedLanguageFolder(); }

TEST(ShippedLanguageFiles, EnglishHoldsExactlyTheBuiltInTexts) {
  const Win32LanguageFileSystem files;
  const std::string path = ShippedFolder() + kDefaultLanguageFile;
  ASSERT_TRUE(files.FileExists(path)) << path;
  for (const LanguageKey& row : LanguageKeys()) {
    EXPECT_EQ(files.ReadValue(path, row.section, row.key, "<missing>"), row.builtIn)
        << "[" << row.section << "] " << row.key;
  }
}

TEST(ShippedLanguageFiles, TranslationsAreCompleteAndDescribeThemselves) {
  const Win32LanguageFileSystem files;
  struct Shipped {
    const char* file;
    const wchar_t* language;
    unsigned codePage;  // the one it names, its language's ANSI code page
  };
  for (const Shipped& shipped : {Shipped{"rus.ini", L"Русский", 1251}, Shipped{"deu.ini", L"Deutsch", 1252},
                                 Shipped{"eng.ini", L"English", 1252}}) {
    const std::string path = ShippedFolder() + shipped.file;
    ASSERT_TRUE(files.IsReadableLanguageFile(path)) << path;
    EXPECT_EQ(LanguageFileCodePage(files, path), shipped.codePage) << shipped.file;
    const LanguageInfo info = ReadLanguageInfo(files, path);
    EXPECT_EQ(info.language, shipped.language);
    EXPECT_FALSE(info.translator.empty()) << shipped.file;
    EXPECT_EQ(info.version, L"1.50") << shipped.file;
    for (const LanguageKey& row : LanguageKeys()) {
      EXPECT_NE(files.ReadValue(path, row.section, row.key, ""), "")
          << shipped.file << " [" << row.section << "] " << row.key;
    }
  }
  // Spot checks that the code pages are the right ones.
  EXPECT_EQ(files.ReadValue(ShippedFolder() + "deu.ini", "MainWindow", "8", ""), "\xDC" "bernehmen");
  EXPECT_EQ(files.ReadValue(ShippedFolder() + "rus.ini", "Menu", "4", ""), "\xDF\xE7\xFB\xEA");
}

// Run on a Western and on a Russian system code page by the test command.
TEST(ShippedLanguageFiles, ReadTheSameOnEverySystemCodePage) {
  testing::ExpectSystemCodePageOfThisRun();
  const Win32LanguageFileSystem files;
  const LanguageTexts russian = ReadLanguageTexts(files, ShippedFolder() + "rus.ini");
  EXPECT_EQ(russian[TextId::WindowCaption], L"Настройки Tarvok");
  EXPECT_EQ(russian[TextId::MenuLanguage], L"Язык");
  EXPECT_EQ(russian[TextId::FirstRunTitle], L"Новая программа - Tarvok");
  const LanguageTexts german = ReadLanguageTexts(files, ShippedFolder() + "deu.ini");
  EXPECT_EQ(german[TextId::ButtonApply], L"Übernehmen");
  EXPECT_EQ(german[TextId::FirstRunText],
            L"Doppelklicken Sie auf das Symbol, um die Optionen zu öffnen. Klicken Sie mit der rechten "
            L"Maustaste auf das Symbol, um das Menü zu öffnen.");
}

}  // namespace
}  // namespace tarvok

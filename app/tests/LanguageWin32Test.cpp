// The language files through Windows' own profile reader and file search,
// in a scratch folder: what real files of every kind read as, and that the
// shipped files hold what they must.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LanguageFile.h"
#include "LanguageFileWin32.h"
#include "ScratchFolder.h"

namespace tarvok {
namespace {

using namespace std::string_literals;
using testing::ScratchFolder;

struct FileCase {
  const char* name;
  std::string bytes;
  TextId id;
  std::string expected;  // the text `id` reads as
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
        FileCase{"OnlyMenuChangesTheMenu", "[Menu]\r\n7=Beenden\r\n", TextId::MenuExit, "Beenden"},
        FileCase{"OnlyMenuLeavesOthersBuiltIn", "[Menu]\r\n7=Beenden\r\n", TextId::ButtonOK, "OK"},
        FileCase{"SectionAndKeyIgnoreCase", "[menu]\r\n 7 = Beenden \r\n", TextId::MenuExit,
                 "Beenden"},
        FileCase{"EmptyValue", "[MainWindow]\r\n8=\r\n", TextId::ButtonApply, ""},
        FileCase{"ValueBeyond2047IsCut", "[Messages]\r\n4=" + kLong + "\r\n", TextId::FirstRunText,
                 std::string(kLanguageValueMaxLength, 'L')},
        FileCase{"AnsiBytesPassUnchanged", "[About]\r\n3=\xC1\xEB\xE0\xE3\xEE\xE4\xE0\xF0\r\n",
                 TextId::CreditsLabel, "\xC1\xEB\xE0\xE3\xEE\xE4\xE0\xF0"},
        FileCase{"ProseIsNoIniFile", "Dear user,\r\nthis is a letter = not a language.\r\n",
                 TextId::MenuOptions, "Options..."},
        FileCase{"BinaryGarbage", "MZ\x90\0\x03\0\0\0[Menu]\r\n1=Garbage\r\n"s,
                 TextId::MenuOptions, "Options..."},
        FileCase{"Utf16", "\xFF\xFE[\0M\0e\0n\0u\0]\0\r\0\n\0001\0=\0U\0\r\0\n\0"s,
                 TextId::MenuOptions, "Options..."},
        FileCase{"HugeFile",
                 "[Menu]\r\n1=Huge\r\n" + std::string(kLanguageFileMaxBytes, ';'),
                 TextId::MenuOptions, "Options..."}),
    [](const auto& param) { return std::string(param.param.name); });

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

std::string ShippedFolder() {
  // The build passes its own (Unix) path; Wine shows the root as drive Z:.
  std::string path = TARVOK_SHIPPED_LANGUAGE_DIR;
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

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
    const char* language;  // in the file's own code page
  };
  for (const Shipped& shipped : {Shipped{"rus.ini", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"},
                                 Shipped{"deu.ini", "Deutsch"}}) {
    const std::string path = ShippedFolder() + shipped.file;
    ASSERT_TRUE(files.IsReadableLanguageFile(path)) << path;
    const LanguageInfo info = ReadLanguageInfo(files, path);
    EXPECT_EQ(info.language, shipped.language);
    EXPECT_FALSE(info.translator.empty()) << shipped.file;
    EXPECT_EQ(info.version, "1.50") << shipped.file;
    for (const LanguageKey& row : LanguageKeys()) {
      EXPECT_NE(files.ReadValue(path, row.section, row.key, ""), "")
          << shipped.file << " [" << row.section << "] " << row.key;
    }
  }
  // Spot checks that the code pages are the right ones.
  EXPECT_EQ(files.ReadValue(ShippedFolder() + "deu.ini", "MainWindow", "8", ""), "\xDC" "bernehmen");
  EXPECT_EQ(files.ReadValue(ShippedFolder() + "rus.ini", "Menu", "4", ""), "\xDF\xE7\xFB\xEA");
}

}  // namespace
}  // namespace tarvok

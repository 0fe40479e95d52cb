// The options window with its tray menu and About box, created in this
// process under Wine, taking its language files from a scratch folder: the
// Language submenu, what choosing an item changes, and the odd files; and
// the shipped translations exactly as the windows show them, whatever the
// system's code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Application.h"
#include "FakeRegistry.h"
#include "MessageReporter.h"
#include "RegistryNames.h"
#include "ScratchFolder.h"
#include "ShippedLanguageFolder.h"
#include "UAbout.h"
#include "UMainForm.h"

namespace {

using tarvok::testing::FakeRegistry;
using tarvok::testing::ScratchFolder;

class LastMessageReporter final : public tarvok::MessageReporter {
 public:
  void Show(const std::string& text) override { last = text; }
  std::string last;
};

const char kGerman[] =
    "[Info]\r\nLanguage=Deutsch\r\nTranslator=Anna\r\nVersion=2\r\n"
    "[Messages]\r\n3=Neues Programm\r\n5=Fehler beim Laden der Bibliothek\r\n"
    "[Menu]\r\n1=Optionen...\r\n2=Deaktivieren\r\n3=Aktivieren\r\n4=Sprache\r\n6=Info...\r\n"
    "7=Beenden\r\n8=Hilfe...\r\n"
    "[MainWindow]\r\n1=Optionen\r\n6=Ja\r\n7=Abbrechen\r\n9=Starten mit:\r\n"
    "[About]\r\n1=Uber Tarvok\r\n3=Mitwirkende:\r\n";

std::string Text(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string MenuText(HMENU menu, UINT item, UINT flag) {
  char text[256] = {};
  GetMenuStringA(menu, item, text, sizeof text, flag);
  return text;
}

std::wstring WideText(HWND window) {
  wchar_t text[4096] = {};
  GetWindowTextW(window, text, 4096);
  return text;
}

std::wstring WideMenuText(HMENU menu, UINT item, UINT flag) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, item, text, 256, flag);
  return text;
}

class LanguageMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(application_.Initialize());
    ASSERT_TRUE(form_.Create());
    // As the start sequence does, but with the scratch folder.
    form_.LanguageFolder = folder_.path();
    folder_.Write("deu.ini", kGerman);
    folder_.Write("noname.ini", "[Menu]\r\n7=Sortir\r\n");
    form_.BuildLanguageMenu();
    form_.CreateAboutBox();
    ASSERT_NE(form_.About, nullptr);
  }
  void TearDown() override {
    form_.DestroyAboutBox();
    if (form_.HooksActive()) SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  }

  void Choose(const std::string& fileName) {
    for (std::size_t tag = 0; tag < form_.LanguageFiles.size(); ++tag) {
      if (form_.LanguageFiles[tag] == fileName) {
        SendMessageA(form_.Handle, WM_COMMAND, kLanguageItemBase + tag, 0);
        return;
      }
    }
    FAIL() << fileName << " is not in the submenu";
  }
  std::string TrayItem(UINT command) { return MenuText(form_.PopupMenu1, command, MF_BYCOMMAND); }
  std::string StoredLanguage() { return registry_.ReadString(tarvok::kSettingsKey, tarvok::kValueLanguage); }
  // "About..." from the tray menu; the box is closed as soon as it runs.
  std::wstring CreditsShown() {
    aboutToClose_ = form_.About->Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CloseAboutBox);
    form_.N5Click();
    KillTimer(nullptr, timer);
    return form_.About->CreditsText();
  }
  static void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(aboutToClose_, WM_COMMAND, IDOK, 0);
  }
  static inline HWND aboutToClose_ = nullptr;

  ScratchFolder folder_{"languagemenu"};
  FakeRegistry registry_;
  LastMessageReporter reporter_;
  tarvok::TApplication application_{GetModuleHandleA(nullptr)};
  TMainForm form_{application_, registry_, reporter_};
};

TEST_F(LanguageMenuTest, SubmenuListsEveryFileByItsOwnName) {
  ASSERT_EQ(form_.LanguageFiles.size(), 2u);
  ASSERT_EQ(GetMenuItemCount(form_.language1), 2);
  for (int i = 0; i < 2; ++i) {
    const std::string expected = form_.LanguageFiles[i] == "deu.ini" ? "Deutsch" : "";
    EXPECT_EQ(MenuText(form_.language1, i, MF_BYPOSITION), expected) << form_.LanguageFiles[i];
  }
}

TEST_F(LanguageMenuTest, ChoosingALanguageTranslatesEverythingAtOnceAndIsRemembered) {
  Choose("deu.ini");
  EXPECT_EQ(StoredLanguage(), "deu.ini");
  EXPECT_EQ(TrayItem(kCmdOptions), "Optionen...");
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Deaktivieren");  // the hooks count as running
  EXPECT_EQ(TrayItem(kCmdExit), "Beenden");
  EXPECT_EQ(TrayItem(kCmdInfo), "Info");  // never translated
  EXPECT_EQ(MenuText(form_.PopupMenu1, 3, MF_BYPOSITION), "Sprache");
  EXPECT_EQ(Text(form_.Handle), "Optionen");
  EXPECT_EQ(Text(form_.Button1), "Ja");
  EXPECT_EQ(Text(form_.Button2), "Abbrechen");
  EXPECT_EQ(Text(form_.Button3), "Apply");  // missing key: the built-in English text
  EXPECT_EQ(Text(form_.Label2), "Starten mit:");
  EXPECT_EQ(Text(form_.CheckBox2), "Start with Windows");
  EXPECT_EQ(form_.FirstRunTitle, L"Neues Programm");
  EXPECT_EQ(Text(form_.About->Handle()), "Uber Tarvok");
  EXPECT_EQ(Text(form_.About->Label7), "Mitwirkende:");
  EXPECT_EQ(Text(form_.About->Button1), "Ja");
}

TEST_F(LanguageMenuTest, HookLibraryBoxesSpeakTheChosenLanguage) {
  Choose("deu.ini");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  form_.Work().SetLibraryPath(form_.ProgramFolder + "no-such-calc.dll");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_EQ(reporter_.last, "Fehler beim Laden der Bibliothek - 126");
}

TEST_F(LanguageMenuTest, FileWithOnlyAMenuSectionSetsTheRestToEnglish) {
  Choose("deu.ini");
  Choose("noname.ini");
  EXPECT_EQ(TrayItem(kCmdExit), "Sortir");
  EXPECT_EQ(TrayItem(kCmdOptions), "Options...");
  EXPECT_EQ(Text(form_.Handle), "Tarvok Options");
  EXPECT_EQ(Text(form_.Button1), "OK");
  EXPECT_EQ(Text(form_.About->Handle()), "About Tarvok");
  EXPECT_EQ(Text(form_.About->Label7), "Credits:");
  EXPECT_EQ(StoredLanguage(), "noname.ini");
}

TEST_F(LanguageMenuTest, ChoosingWhileStoppedShowsTheFilesEnableText) {
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  ASSERT_FALSE(form_.HooksActive());
  Choose("deu.ini");
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Aktivieren");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Deaktivieren");
}

TEST_F(LanguageMenuTest, ItemWhoseFileWasDeletedChangesNothing) {
  Choose("noname.ini");
  folder_.Remove("deu.ini");
  Choose("deu.ini");
  EXPECT_EQ(StoredLanguage(), "noname.ini");
  EXPECT_EQ(TrayItem(kCmdExit), "Sortir");
  // A tag beyond the list (no such item) is ignored as well.
  form_.MayMenuClick(99);
  form_.MayMenuClick(-1);
  EXPECT_EQ(StoredLanguage(), "noname.ini");
}

TEST_F(LanguageMenuTest, EmptyAndOverlongValuesReachTheirTargets) {
  folder_.Write("odd.ini", "[MainWindow]\r\n7=\r\n[Messages]\r\n4=" + std::string(5000, 'x') + "\r\n");
  form_.BuildLanguageMenu();
  Choose("odd.ini");
  EXPECT_EQ(Text(form_.Button2), "");
  EXPECT_EQ(form_.FirstRunText, std::wstring(2047, L'x'));
}

TEST_F(LanguageMenuTest, BinaryOrHugeFilesGiveTheBuiltInTexts) {
  std::string binary(70000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919u) >> 3);
  binary.insert(1000, "\r\n[Menu]\r\n7=Garbage\r\n");
  folder_.Write("binary.ini", binary);
  folder_.Write("huge.ini", "[Menu]\r\n7=Huge\r\n" + std::string(3u << 20, ';'));
  form_.BuildLanguageMenu();
  for (const char* name : {"binary.ini", "huge.ini"}) {
    Choose("deu.ini");
    Choose(name);
    EXPECT_EQ(TrayItem(kCmdExit), "Exit") << name;
    EXPECT_EQ(Text(form_.Button1), "OK") << name;
  }
  EXPECT_EQ(MenuText(form_.language1, 2, MF_BYPOSITION), "");
}

TEST_F(LanguageMenuTest, FileAddedWhileRunningIsCreditedButNotInTheSubmenu) {
  EXPECT_EQ(CreditsShown().find(L"Latviesu"), std::wstring::npos);
  folder_.Write("lav.ini", "[Info]\r\nLanguage=Latviesu\r\nTranslator=Ilze\r\nVersion=1\r\n");
  EXPECT_NE(CreditsShown().find(L"Latviesu  Translate version 1; Ilze"), std::wstring::npos);
  EXPECT_EQ(GetMenuItemCount(form_.language1), 2);
}

TEST_F(LanguageMenuTest, StartUpApplicationReachesTheAboutBoxOnlyOnceItExists) {
  form_.DestroyAboutBox();
  form_.LoadLanguageFile("deu.ini");  // as FormCreate does, before the About box
  EXPECT_EQ(TrayItem(kCmdExit), "Beenden");
  form_.CreateAboutBox();
  EXPECT_EQ(Text(form_.About->Handle()), "About Tarvok");
  form_.LoadLanguageFile("deu.ini");  // the start sequence's second application
  EXPECT_EQ(Text(form_.About->Handle()), "Uber Tarvok");
}

// The test command runs this on a Western (1252) and on a Russian (1251)
// system code page: each file shows its own letters on both.
TEST_F(LanguageMenuTest, ShippedLanguagesShowTheirOwnLettersOnAnySystemCodePage) {
  tarvok::testing::ExpectSystemCodePageOfThisRun();
  form_.DestroyAboutBox();
  form_.LanguageFolder = tarvok::testing::ShippedLanguageFolder();
  form_.BuildLanguageMenu();
  form_.CreateAboutBox();
  ASSERT_NE(form_.About, nullptr);

  Choose("rus.ini");
  EXPECT_EQ(WideText(form_.Handle), L"Настройки Tarvok");
  EXPECT_EQ(WideMenuText(form_.PopupMenu1, kCmdOptions, MF_BYCOMMAND), L"Настройки...");
  EXPECT_EQ(WideText(form_.Button3), L"Применить");
  EXPECT_EQ(form_.FirstRunTitle, L"Новая программа - Tarvok");
  EXPECT_EQ(WideText(form_.About->Handle()), L"О программе Tarvok");
  EXPECT_EQ(WideText(form_.About->Label7), L"Благодарности:");
  std::vector<std::wstring> submenu;
  for (int i = 0; i < GetMenuItemCount(form_.language1); ++i) {
    submenu.push_back(WideMenuText(form_.language1, static_cast<UINT>(i), MF_BYPOSITION));
  }
  std::sort(submenu.begin(), submenu.end());
  EXPECT_EQ(submenu, (std::vector<std::wstring>{L"Deutsch", L"English", L"Русский"}));

  // Every file's credit in its own letters, whichever language is shown.
  const std::wstring credits = CreditsShown();
  for (const wchar_t* line : {L"English  Translate version 1.50; Tarvok team",
                              L"Русский  Translate version 1.50; Команда Tarvok",
                              L"Deutsch  Translate version 1.50; Tarvok-Team"}) {
    EXPECT_NE(credits.find(line), std::wstring::npos) << credits.size();
  }

  Choose("deu.ini");
  EXPECT_EQ(WideMenuText(form_.PopupMenu1, kCmdAbout, MF_BYCOMMAND), L"Über...");
  EXPECT_EQ(WideText(form_.Button3), L"Übernehmen");
  EXPECT_EQ(WideText(form_.About->Handle()), L"Über Tarvok");
}

}  // namespace

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

#include "AboutBox.h"
#include "Application.h"
#include "CommandIds.h"
#include "Controller.h"
#include "FakeRegistry.h"
#include "MessageReporter.h"
#include "RegistryNames.h"
#include "ScratchFolder.h"
#include "ShippedLanguageFolder.h"

namespace tarvok {
namespace {

using testing::FakeRegistry;
using testing::ScratchFolder;

class LastMessageReporter final : public MessageReporter {
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
    ASSERT_TRUE(controller_.Create());
    // As the start sequence does, but with the scratch folder.
    controller_.SetLanguageFolder(folder_.path());
    folder_.Write("deu.ini", kGerman);
    folder_.Write("noname.ini", "[Menu]\r\n7=Sortir\r\n");
    controller_.ListLanguages();
    controller_.CreateAboutBox();
    ASSERT_NE(controller_.About(), nullptr);
  }
  HWND Window() const { return controller_.Window().Handle(); }
  HWND Control(int id) const { return GetDlgItem(Window(), id); }
  void TearDown() override {
    controller_.DestroyAboutBox();
    if (controller_.Calculation().On()) SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  }

  void Choose(const std::string& fileName) {
    for (std::size_t tag = 0; tag < controller_.Menu().LanguageFiles().size(); ++tag) {
      if (controller_.Menu().LanguageFiles()[tag] == fileName) {
        SendMessageA(Window(), WM_COMMAND, kLanguageItemBase + tag, 0);
        return;
      }
    }
    FAIL() << fileName << " is not in the submenu";
  }
  std::string TrayItem(UINT command) { return MenuText(controller_.Menu().Handle(), command, MF_BYCOMMAND); }
  std::string StoredLanguage() { return registry_.ReadString(kSettingsKey, kValueLanguage); }
  // "About..." from the tray menu; the box is closed as soon as it runs.
  std::wstring CreditsShown() {
    aboutToClose_ = controller_.About()->Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CloseAboutBox);
    SendMessageA(Window(), WM_COMMAND, kCmdAbout, 0);
    KillTimer(nullptr, timer);
    return controller_.About()->CreditsText();
  }
  static void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(aboutToClose_, WM_COMMAND, IDOK, 0);
  }
  static inline HWND aboutToClose_ = nullptr;

  ScratchFolder folder_{"languagemenu"};
  FakeRegistry registry_;
  LastMessageReporter reporter_;
  Application application_{GetModuleHandleA(nullptr)};
  Controller controller_{application_, registry_, reporter_};
};

TEST_F(LanguageMenuTest, SubmenuListsEveryFileByItsOwnName) {
  ASSERT_EQ(controller_.Menu().LanguageFiles().size(), 2u);
  ASSERT_EQ(GetMenuItemCount(controller_.Menu().LanguageSubmenu()), 2);
  for (int i = 0; i < 2; ++i) {
    const std::string expected = controller_.Menu().LanguageFiles()[i] == "deu.ini" ? "Deutsch" : "";
    EXPECT_EQ(MenuText(controller_.Menu().LanguageSubmenu(), i, MF_BYPOSITION), expected) << controller_.Menu().LanguageFiles()[i];
  }
}

TEST_F(LanguageMenuTest, ChoosingALanguageTranslatesEverythingAtOnceAndIsRemembered) {
  Choose("deu.ini");
  EXPECT_EQ(StoredLanguage(), "deu.ini");
  EXPECT_EQ(TrayItem(kCmdOptions), "Optionen...");
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Deaktivieren");  // the hooks count as running
  EXPECT_EQ(TrayItem(kCmdExit), "Beenden");
  EXPECT_EQ(TrayItem(kCmdInfo), "Info");  // never translated
  EXPECT_EQ(MenuText(controller_.Menu().Handle(), 3, MF_BYPOSITION), "Sprache");
  EXPECT_EQ(Text(Window()), "Optionen");
  EXPECT_EQ(Text(Control(kCmdOK)), "Ja");
  EXPECT_EQ(Text(Control(kCmdCancel)), "Abbrechen");
  EXPECT_EQ(Text(Control(kCmdApply)), "Apply");  // missing key: the built-in English text
  EXPECT_EQ(Text(Control(kLabelHotKey)), "Starten mit:");
  EXPECT_EQ(Text(Control(kCmdAutorun)), "Start with Windows");
  EXPECT_EQ(controller_.FirstRunTitle(), L"Neues Programm");
  EXPECT_EQ(Text(controller_.About()->Handle()), "Uber Tarvok");
  EXPECT_EQ(Text(GetDlgItem(controller_.About()->Handle(), AboutBox::kCreditsLabelId)), "Mitwirkende:");
  EXPECT_EQ(Text(GetDlgItem(controller_.About()->Handle(), IDOK)), "Ja");
}

TEST_F(LanguageMenuTest, HookLibraryBoxesSpeakTheChosenLanguage) {
  Choose("deu.ini");
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  controller_.Calculation().Installer().SetLibraryPath(controller_.ProgramFolder() + "no-such-calc.dll");
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_EQ(reporter_.last, "Fehler beim Laden der Bibliothek - 126");
}

TEST_F(LanguageMenuTest, FileWithOnlyAMenuSectionSetsTheRestToEnglish) {
  Choose("deu.ini");
  Choose("noname.ini");
  EXPECT_EQ(TrayItem(kCmdExit), "Sortir");
  EXPECT_EQ(TrayItem(kCmdOptions), "Options...");
  EXPECT_EQ(Text(Window()), "Tarvok Options");
  EXPECT_EQ(Text(Control(kCmdOK)), "OK");
  EXPECT_EQ(Text(controller_.About()->Handle()), "About Tarvok");
  EXPECT_EQ(Text(GetDlgItem(controller_.About()->Handle(), AboutBox::kCreditsLabelId)), "Credits:");
  EXPECT_EQ(StoredLanguage(), "noname.ini");
}

TEST_F(LanguageMenuTest, ChoosingWhileStoppedShowsTheFilesEnableText) {
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  ASSERT_FALSE(controller_.Calculation().On());
  Choose("deu.ini");
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Aktivieren");
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_EQ(TrayItem(kCmdDisableEnable), "Deaktivieren");
}

TEST_F(LanguageMenuTest, ItemWhoseFileWasDeletedChangesNothing) {
  Choose("noname.ini");
  folder_.Remove("deu.ini");
  Choose("deu.ini");
  EXPECT_EQ(StoredLanguage(), "noname.ini");
  EXPECT_EQ(TrayItem(kCmdExit), "Sortir");
  // An item beyond the list, or past the last one there can be, is ignored as well.
  SendMessageA(Window(), WM_COMMAND, kLanguageItemBase + 99, 0);
  SendMessageA(Window(), WM_COMMAND, kLanguageItemLimit, 0);
  EXPECT_EQ(StoredLanguage(), "noname.ini");
}

TEST_F(LanguageMenuTest, EmptyAndOverlongValuesReachTheirTargets) {
  folder_.Write("odd.ini", "[MainWindow]\r\n7=\r\n[Messages]\r\n4=" + std::string(5000, 'x') + "\r\n");
  controller_.ListLanguages();
  Choose("odd.ini");
  EXPECT_EQ(Text(Control(kCmdCancel)), "");
  EXPECT_EQ(controller_.FirstRunText(), std::wstring(2047, L'x'));
}

TEST_F(LanguageMenuTest, BinaryOrHugeFilesGiveTheBuiltInTexts) {
  std::string binary(70000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919u) >> 3);
  binary.insert(1000, "\r\n[Menu]\r\n7=Garbage\r\n");
  folder_.Write("binary.ini", binary);
  folder_.Write("huge.ini", "[Menu]\r\n7=Huge\r\n" + std::string(3u << 20, ';'));
  controller_.ListLanguages();
  for (const char* name : {"binary.ini", "huge.ini"}) {
    Choose("deu.ini");
    Choose(name);
    EXPECT_EQ(TrayItem(kCmdExit), "Exit") << name;
    EXPECT_EQ(Text(Control(kCmdOK)), "OK") << name;
  }
  EXPECT_EQ(MenuText(controller_.Menu().LanguageSubmenu(), 2, MF_BYPOSITION), "");
}

TEST_F(LanguageMenuTest, FileAddedWhileRunningIsCreditedButNotInTheSubmenu) {
  EXPECT_EQ(CreditsShown().find(L"Latviesu"), std::wstring::npos);
  folder_.Write("lav.ini", "[Info]\r\nLanguage=Latviesu\r\nTranslator=Ilze\r\nVersion=1\r\n");
  EXPECT_NE(CreditsShown().find(L"Latviesu  Translate version 1; Ilze"), std::wstring::npos);
  EXPECT_EQ(GetMenuItemCount(controller_.Menu().LanguageSubmenu()), 2);
}

TEST_F(LanguageMenuTest, StartUpApplicationReachesTheAboutBoxOnlyOnceItExists) {
  controller_.DestroyAboutBox();
  controller_.LoadLanguageFile("deu.ini");  // as the start does, before the About box
  EXPECT_EQ(TrayItem(kCmdExit), "Beenden");
  controller_.CreateAboutBox();
  EXPECT_EQ(Text(controller_.About()->Handle()), "About Tarvok");
  controller_.LoadLanguageFile("deu.ini");  // the start sequence's second application
  EXPECT_EQ(Text(controller_.About()->Handle()), "Uber Tarvok");
}

// The test command runs this on a Western (1252) and on a Russian (1251)
// system code page: each file shows its own letters on both.
TEST_F(LanguageMenuTest, ShippedLanguagesShowTheirOwnLettersOnAnySystemCodePage) {
  tarvok::testing::ExpectSystemCodePageOfThisRun();
  controller_.DestroyAboutBox();
  controller_.SetLanguageFolder(tarvok::testing::ShippedLanguageFolder());
  controller_.ListLanguages();
  controller_.CreateAboutBox();
  ASSERT_NE(controller_.About(), nullptr);

  Choose("rus.ini");
  EXPECT_EQ(WideText(Window()), L"Настройки Tarvok");
  EXPECT_EQ(WideMenuText(controller_.Menu().Handle(), kCmdOptions, MF_BYCOMMAND), L"Настройки...");
  EXPECT_EQ(WideText(Control(kCmdApply)), L"Применить");
  EXPECT_EQ(controller_.FirstRunTitle(), L"Новая программа - Tarvok");
  EXPECT_EQ(WideText(controller_.About()->Handle()), L"О программе Tarvok");
  EXPECT_EQ(WideText(GetDlgItem(controller_.About()->Handle(), AboutBox::kCreditsLabelId)), L"Благодарности:");
  std::vector<std::wstring> submenu;
  for (int i = 0; i < GetMenuItemCount(controller_.Menu().LanguageSubmenu()); ++i) {
    submenu.push_back(WideMenuText(controller_.Menu().LanguageSubmenu(), static_cast<UINT>(i), MF_BYPOSITION));
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
  EXPECT_EQ(WideMenuText(controller_.Menu().Handle(), kCmdAbout, MF_BYCOMMAND), L"Über...");
  EXPECT_EQ(WideText(Control(kCmdApply)), L"Übernehmen");
  EXPECT_EQ(WideText(controller_.About()->Handle()), L"Über Tarvok");
}

}  // namespace
}  // namespace tarvok

// The options window created in this process under Wine, with the stub hook
// library beside this test as calc.dll: what the window shows about the hot
// key and the line form, and the state it shows when calculation could not
// start.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "Application.h"
#include "FakeRegistry.h"
#include "MessageReporter.h"
#include "RegistryNames.h"
#include "ScratchFolder.h"
#include "UMainForm.h"

namespace {

using tarvok::testing::FakeRegistry;
using tarvok::testing::ScratchFolder;

class CountingReporter final : public tarvok::MessageReporter {
 public:
  void Show(const std::string& text) override { messages += text + "\n"; }
  std::string messages;
};

// The window stays hidden, so IsWindowVisible is false for every control;
// the style says whether the control itself is shown.
bool Shown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string MenuText(HMENU menu, UINT command) {
  char text[256] = {};
  GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
  return text;
}

class OptionsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(application_.Initialize());
    ASSERT_TRUE(form_.Create());
  }
  void TearDown() override {
    if (form_.HooksActive()) SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  }
  void SetHotKey(WORD controlValue) {
    SendMessageA(form_.HotKey1, HKM_SETHOTKEY, controlValue, 0);
    SendMessageA(form_.Handle, WM_COMMAND, MAKEWPARAM(kCmdHotKey, EN_CHANGE), reinterpret_cast<LPARAM>(form_.HotKey1));
  }
  WORD HotKey() { return static_cast<WORD>(SendMessageA(form_.HotKey1, HKM_GETHOTKEY, 0, 0)); }
  bool ApplyEnabled() { return IsWindowEnabled(form_.Button3) != FALSE; }

  FakeRegistry registry_;
  CountingReporter reporter_;
  tarvok::TApplication application_{GetModuleHandleA(nullptr)};
  TMainForm form_{application_, registry_, reporter_};
};

TEST_F(OptionsWindowTest, StoredKeyThatOccursInTypingIsUsedAndWarnedAbout) {
  EXPECT_FALSE(Shown(form_.HotKeyWarning));
  registry_.WriteString(tarvok::kSettingsKey, tarvok::kValueShortCut, "Shift+A");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdCancel, 0);  // Cancel loads the stored values
  EXPECT_TRUE(Shown(form_.HotKeyWarning));
  EXPECT_EQ(HotKey(), MAKEWORD('A', HOTKEYF_SHIFT));
  EXPECT_EQ(form_.CurrentSettings().shortcut, 0x2041);

  // Refusing another typing key keeps the stored one; a sound key is taken.
  SetHotKey('B');
  EXPECT_EQ(HotKey(), MAKEWORD('A', HOTKEYF_SHIFT));
  EXPECT_FALSE(ApplyEnabled());
  SetHotKey(VK_F9);
  EXPECT_FALSE(Shown(form_.HotKeyWarning));
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(OptionsWindowTest, LineFormNoteShowsOnlyWhileTheConverterIsMissing) {
  ScratchFolder folder("optionswindow");
  form_.ProgramFolder = folder.path();
  EXPECT_FALSE(Shown(form_.LineFormNote));
  SendMessageA(form_.RadioButton2, BM_CLICK, 0, 0);
  EXPECT_TRUE(Shown(form_.LineFormNote));
  folder.Write(tarvok::kConverterFileName, "MZ");
  SendMessageA(form_.RadioButton2, BM_CLICK, 0, 0);
  EXPECT_FALSE(Shown(form_.LineFormNote));
  folder.Remove(tarvok::kConverterFileName);
  SendMessageA(form_.RadioButton1, BM_CLICK, 0, 0);
  EXPECT_FALSE(Shown(form_.LineFormNote));
}

TEST_F(OptionsWindowTest, EnableThatCannotLoadTheLibraryShowsCalculationOff) {
  ASSERT_TRUE(form_.HooksActive()) << reporter_.messages;
  EXPECT_EQ(form_.Tray().CurrentIconName(), "MAINICON");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  form_.Work().SetLibraryPath(form_.ProgramFolder + "no-such-calc.dll");
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_NE(reporter_.messages.find("Error Load Library - 126"), std::string::npos) << reporter_.messages;
  EXPECT_FALSE(form_.HooksActive());
  EXPECT_EQ(MenuText(form_.PopupMenu1, kCmdDisableEnable), "Enable");
  EXPECT_EQ(form_.Tray().CurrentIconName(), "YELLOW");
  EXPECT_FALSE(form_.Work().BlockMapped());  // the retry starts afresh

  form_.Work().SetLibraryPath(form_.ProgramFolder + tarvok::kHookLibraryFileName);
  SendMessageA(form_.Handle, WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_TRUE(form_.HooksActive());
  EXPECT_EQ(MenuText(form_.PopupMenu1, kCmdDisableEnable), "Disable");
  EXPECT_EQ(form_.Tray().CurrentIconName(), "MAINICON");
}

}  // namespace

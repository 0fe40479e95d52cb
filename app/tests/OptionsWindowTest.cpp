// The options window created in this process under Wine, with the stub hook
// library beside this test as calc.dll: what the window shows about the hot
// key and the line form, and the state it shows when calculation could not
// start.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "Application.h"
#include "CommandIds.h"
#include "Controller.h"
#include "FakeRegistry.h"
#include "MessageReporter.h"
#include "RegistryNames.h"
#include "ScratchFolder.h"

namespace tarvok {
namespace {

using testing::FakeRegistry;
using testing::ScratchFolder;

class CountingReporter final : public MessageReporter {
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
    ASSERT_TRUE(controller_.Create());
  }
  HWND Window() const { return controller_.Window().Handle(); }
  HWND Control(int id) const { return GetDlgItem(Window(), id); }
  void TearDown() override {
    if (controller_.Calculation().On()) SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  }
  void SetHotKey(WORD controlValue) {
    SendMessageA(Control(kCmdHotKey), HKM_SETHOTKEY, controlValue, 0);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(kCmdHotKey, EN_CHANGE), reinterpret_cast<LPARAM>(Control(kCmdHotKey)));
  }
  WORD HotKey() { return static_cast<WORD>(SendMessageA(Control(kCmdHotKey), HKM_GETHOTKEY, 0, 0)); }
  bool ApplyEnabled() { return IsWindowEnabled(Control(kCmdApply)) != FALSE; }

  FakeRegistry registry_;
  CountingReporter reporter_;
  Application application_{GetModuleHandleA(nullptr)};
  Controller controller_{application_, registry_, reporter_};
};

TEST_F(OptionsWindowTest, StoredKeyThatOccursInTypingIsUsedAndWarnedAbout) {
  EXPECT_FALSE(Shown(Control(kLabelHotKeyWarning)));
  registry_.WriteString(kSettingsKey, kValueShortCut, "Shift+A");
  SendMessageA(Window(), WM_COMMAND, kCmdCancel, 0);  // Cancel loads the stored values
  EXPECT_TRUE(Shown(Control(kLabelHotKeyWarning)));
  EXPECT_EQ(HotKey(), MAKEWORD('A', HOTKEYF_SHIFT));
  EXPECT_EQ(controller_.Window().Settings().shortcut, 0x2041);

  // Refusing another typing key keeps the stored one; a sound key is taken.
  SetHotKey('B');
  EXPECT_EQ(HotKey(), MAKEWORD('A', HOTKEYF_SHIFT));
  EXPECT_FALSE(ApplyEnabled());
  SetHotKey(VK_F9);
  EXPECT_FALSE(Shown(Control(kLabelHotKeyWarning)));
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(OptionsWindowTest, LineFormNoteShowsOnlyWhileTheConverterIsMissing) {
  ScratchFolder folder("optionswindow");
  controller_.SetProgramFolder(folder.path());
  EXPECT_FALSE(Shown(Control(kLabelLineFormNote)));
  SendMessageA(Control(kCmdRadioLine), BM_CLICK, 0, 0);
  EXPECT_TRUE(Shown(Control(kLabelLineFormNote)));
  folder.Write(kConverterFileName, "MZ");
  SendMessageA(Control(kCmdRadioLine), BM_CLICK, 0, 0);
  EXPECT_FALSE(Shown(Control(kLabelLineFormNote)));
  folder.Remove(kConverterFileName);
  SendMessageA(Control(kCmdRadioNumber), BM_CLICK, 0, 0);
  EXPECT_FALSE(Shown(Control(kLabelLineFormNote)));
}

TEST_F(OptionsWindowTest, EnableThatCannotLoadTheLibraryShowsCalculationOff) {
  ASSERT_TRUE(controller_.Calculation().On()) << reporter_.messages;
  EXPECT_EQ(controller_.Tray().CurrentIconName(), "MAINICON");
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  controller_.Calculation().Installer().SetLibraryPath(controller_.ProgramFolder() + "no-such-calc.dll");
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_NE(reporter_.messages.find("Error Load Library - 126"), std::string::npos) << reporter_.messages;
  EXPECT_FALSE(controller_.Calculation().On());
  EXPECT_EQ(MenuText(controller_.Menu().Handle(), kCmdDisableEnable), "Enable");
  EXPECT_EQ(controller_.Tray().CurrentIconName(), "YELLOW");
  EXPECT_FALSE(controller_.Calculation().Installer().BlockMapped());  // the retry starts afresh

  controller_.Calculation().Installer().SetLibraryPath(controller_.ProgramFolder() + kHookLibraryFileName);
  SendMessageA(Window(), WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_TRUE(controller_.Calculation().On());
  EXPECT_EQ(MenuText(controller_.Menu().Handle(), kCmdDisableEnable), "Disable");
  EXPECT_EQ(controller_.Tray().CurrentIconName(), "MAINICON");
}

}  // namespace
}  // namespace tarvok

// tarvok.exe driven for real under Wine, the way the shell and a user reach
// it: the tray callback message, clicks on its controls (BM_CLICK) and its
// menu commands. Each test installs the program into a folder of its own,
// with the stub hook library as calc.dll (or the real one named by
// TARVOK_CALC_DLL), and reads the results from the shared block, the
// registry and the windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "CommandIds.h"
#include "ExitRequest.h"
#include "InstalledController.h"
#include "OptionsWindow.h"
#include "RegistryAccess.h"
#include "RegistryNames.h"
#include "SharedBlock.h"
#include "WineTestSupport.h"

namespace tarvok {
namespace {

using testing::Installation;
using testing::ReadBlock;
using testing::ReadHookOptions;
using testing::Text;
using testing::TrayIconShown;
using testing::WaitFor;
using testing::FindWindowOf;
using testing::kWaitMs;

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRegValue(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue);
  }
  // Waits until the running copy has started its hooks.
  static bool HooksStarted() {
    GlobalHookData block{};
    return ReadBlock(block) && block.KeyboardHook != 0;
  }
  static bool NoMessageBox() { return FindWindowA(nullptr, kMessageCaption) == nullptr; }
};

TEST_F(ControllerTest, StartUpRecordsFolderFillsBlockAndInstallsHooks) {
  Installation installation("tarvok-start", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitFor(HooksStarted));

  GlobalHookData block{};
  ASSERT_TRUE(ReadBlock(block));
  EXPECT_NE(block.GetMessageHook, 0u);
  EXPECT_EQ(block.Precision, 2);
  EXPECT_EQ(block.ResultForm, kResultFormNumber);
  EXPECT_EQ(block.ControllerWindow, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(form)));
  EXPECT_EQ(block.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(block.HotKeyModifiers, kModCtrl);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath), installation.Folder());
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueGlobalPathLanguage),
            installation.Folder() + "language\\");
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueFirstRun), 1);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_TRUE(NoMessageBox());

  // Exit removes the hooks and the block and ends the program.
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
  GlobalHookData gone{};
  EXPECT_FALSE(ReadBlock(gone));
}

TEST_F(ControllerTest, DisableRemovesTheBlockAndEnableBringsItBackQuietly) {
  Installation installation("tarvok-toggle", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  for (int cycle = 0; cycle < 2; ++cycle) {
    SendMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
    GlobalHookData block{};
    EXPECT_FALSE(ReadBlock(block));
    SendMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
    EXPECT_TRUE(WaitFor(HooksStarted));
    EXPECT_TRUE(NoMessageBox()) << "Enable complained";
  }
  // Exit while disabled does not stop twice and still ends the program.
  SendMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
  EXPECT_TRUE(NoMessageBox());
}

TEST_F(ControllerTest, ApplyReachesTheBlockTheRegistryAndRunningPrograms) {
  Installation installation("tarvok-apply", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  HWND apply = GetDlgItem(form, kCmdApply);
  EXPECT_FALSE(IsWindowEnabled(apply));

  // A number typed into the precision box is a change like the arrows.
  SendMessageA(GetDlgItem(form, kCmdPrecisionEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25"));
  EXPECT_TRUE(IsWindowEnabled(apply));

  SendMessageA(GetDlgItem(form, kCmdRadioLine), BM_CLICK, 0, 0);
  HWND hotKey = GetDlgItem(form, kCmdHotKey);
  SendMessageA(hotKey, HKM_SETHOTKEY, MAKEWORD(0xBB, HOTKEYF_SHIFT | HOTKEYF_CONTROL), 0);
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(kCmdHotKey, EN_CHANGE), reinterpret_cast<LPARAM>(hotKey));
  EXPECT_TRUE(IsWindowEnabled(apply));
  SendMessageA(apply, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(apply));

  GlobalHookData block{};
  ASSERT_TRUE(ReadBlock(block));
  EXPECT_EQ(block.Precision, 10);  // 25 typed, clamped
  EXPECT_EQ(block.ResultForm, kResultFormLine);
  EXPECT_EQ(block.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(block.HotKeyModifiers, kModCtrl | kModShift);
  EXPECT_NE(block.KeyboardHook, 0u);
  EXPECT_EQ(Text(GetDlgItem(form, kCmdPrecisionEdit)), "10");
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueType), 1);
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValuePrecision), 10);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueShortCut), "Shift+Ctrl+=");

  // Cancel brings back the stored values after an unsaved change.
  SendMessageA(GetDlgItem(form, kCmdRadioNumber), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdCancel), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(GetDlgItem(form, kCmdRadioLine), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(apply));
}

TEST_F(ControllerTest, AutorunEntryFollowsTheCheckBoxAndNamesThisProgramQuoted) {
  Installation installation("tarvok autorun", true);  // a blank in the folder, as in "Program Files"
  const std::string bare = installation.Folder() + "tarvok.exe";
  const std::string quoted = "\"" + bare + "\"";
  // An entry written bare by an older version is quoted at start-up.
  WriteRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue, bare);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  HWND box = GetDlgItem(form, kCmdAutorun);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), quoted);

  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdApply), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), kAbsentText);

  // Another copy's entry leaves the box unticked; ticking it starts this one.
  WriteRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue, "\"C:\\Old Tarvok\\tarvok.exe\"");
  SendMessageA(GetDlgItem(form, kCmdCancel), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdOK), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), quoted);
}

TEST_F(ControllerTest, KeepHotKeyOptionIsStoredShownAndReachesTheOptionsBlock) {
  Installation installation("tarvok-keep", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  HookOptionsData options{1};
  ASSERT_TRUE(ReadHookOptions(options));
  EXPECT_EQ(options.KeepHotKeyFromProgram, 0u);
  HWND box = GetDlgItem(form, kCmdKeepHotKey);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdApply), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueKeepHotKey), 1);
  ASSERT_TRUE(ReadHookOptions(options));
  EXPECT_EQ(options.KeepHotKeyFromProgram, 1u);

  // Shown from the registry at the next start, and Disable/Enable keeps it.
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  ASSERT_TRUE(installation.Ended(0, kWaitMs));
  form = installation.Form(installation.Start());
  ASSERT_TRUE(WaitFor(HooksStarted));
  EXPECT_EQ(SendMessageA(GetDlgItem(form, kCmdKeepHotKey), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
  EXPECT_FALSE(ReadHookOptions(options));
  SendMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
  ASSERT_TRUE(WaitFor(HooksStarted));
  ASSERT_TRUE(ReadHookOptions(options));
  EXPECT_EQ(options.KeepHotKeyFromProgram, 1u);
}

TEST_F(ControllerTest, TrayDoubleClickShowsOptionsAndTitleBarCloseOnlyHides) {
  Installation installation("tarvok-show", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_EQ(Text(form), OptionsWindow::kBuiltInCaption);

  // An unapplied change survives closing from the title bar.
  SendMessageA(GetDlgItem(form, kCmdRadioLine), BM_CLICK, 0, 0);
  PostMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) == FALSE; }));
  EXPECT_TRUE(IsWindow(form));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(form, kCmdApply)));
  EXPECT_EQ(SendMessageA(GetDlgItem(form, kCmdRadioLine), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kValueCurrentPage));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kValueType));
  EXPECT_FALSE(installation.Ended(0, 0));
}

TEST_F(ControllerTest, IconComesBackWhenTheTaskbarIsRecreated) {
  Installation installation("tarvok-taskbar", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  ASSERT_TRUE(WaitFor([&] { return TrayIconShown(form); }));

  // What a shell restart does to every icon: it forgets them.
  NOTIFYICONDATAW record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = form;
  record.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &record);
  ASSERT_FALSE(TrayIconShown(form));

  PostMessageA(form, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TrayIconShown(form); }));

  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
}

TEST_F(ControllerTest, SecondCopyEndsAtOnceAndTheFirstKeepsWorking) {
  Installation installation("tarvok-twice", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  GlobalHookData before{};
  ASSERT_TRUE(ReadBlock(before));
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath, "marker");

  installation.Start();
  ASSERT_TRUE(installation.Ended(1, kWaitMs));
  EXPECT_EQ(installation.ExitCode(1), 0u);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath), "marker");  // wrote nothing
  GlobalHookData after{};
  ASSERT_TRUE(ReadBlock(after));
  EXPECT_EQ(after.KeyboardHook, before.KeyboardHook);
  EXPECT_TRUE(IsWindow(form));
  EXPECT_FALSE(installation.Ended(0, 0));
  EXPECT_TRUE(NoMessageBox());
}

TEST_F(ControllerTest, MissingHookLibraryIsReportedAndTheProgramKeepsRunning) {
  Installation installation("tarvok-nocalc", false);
  installation.Start();
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindWindowOf(installation.ProcessId(0), nullptr, kMessageCaption)) != nullptr; }));
  HWND label = FindWindowExA(box, nullptr, "Static", nullptr);
  std::string message;
  while (label != nullptr && (message = Text(label)).empty()) label = FindWindowExA(box, label, "Static", nullptr);
  EXPECT_EQ(message, "Error Load Library - 126");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));

  HWND form = installation.Form();
  ASSERT_NE(form, nullptr);
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_FALSE(installation.Ended(0, 0));
}

TEST_F(ControllerTest, ExitRequestEndsTheRunningCopyAndWaitsForIt) {
  Installation installation("tarvok-exit", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  ASSERT_TRUE(WaitFor([&] { return TrayIconShown(form); }));

  const std::size_t request = installation.Start({}, "/exit");
  ASSERT_TRUE(installation.Ended(request, kWaitMs));
  EXPECT_EQ(installation.ExitCode(request), static_cast<DWORD>(ExitRequestResult::Ended));
  // It returned only once the copy had ended, having run its own Exit.
  EXPECT_TRUE(installation.Ended(0, 0));
  EXPECT_EQ(installation.ExitCode(0), 0u);
  GlobalHookData gone{};
  EXPECT_FALSE(ReadBlock(gone));
  EXPECT_FALSE(TrayIconShown(form));

  const std::size_t again = installation.Start({}, "/exit");
  ASSERT_TRUE(installation.Ended(again, kWaitMs));
  EXPECT_EQ(installation.ExitCode(again), static_cast<DWORD>(ExitRequestResult::NotRunning));
}

TEST_F(ControllerTest, ExitRequestWaitsWhileAMessageBoxHoldsTheCopy) {
  Installation installation("tarvok-exit-box", false);
  installation.Start();
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindWindowOf(installation.ProcessId(0), nullptr, kMessageCaption)) != nullptr; }));

  // The box is the user's to answer: the request neither closes it nor ends
  // the copy behind it; the copy ends once the box is answered.
  const std::size_t request = installation.Start({}, "/exit");
  EXPECT_FALSE(installation.Ended(request, 2000));
  EXPECT_TRUE(IsWindow(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(installation.Ended(request, kWaitMs));
  EXPECT_EQ(installation.ExitCode(request), static_cast<DWORD>(ExitRequestResult::Ended));
  EXPECT_TRUE(installation.Ended(0, 0));
}

}  // namespace
}  // namespace tarvok

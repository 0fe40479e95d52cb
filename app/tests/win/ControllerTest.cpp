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

#include "RegistryNames.h"
#include "Rozadar.h"
#include "TypeUnit.h"
#include "UMainForm.h"
#include "WineTestSupport.h"

namespace tarvok {
namespace {

using testing::TempFolder;
using testing::TestProgramFolder;

constexpr DWORD kWaitMs = 15000;

std::string HookLibraryToInstall() {
  const char* real = std::getenv("TARVOK_CALC_DLL");
  return real != nullptr && *real != '\0' ? std::string(real) : TestProgramFolder() + "stubcalc.dll";
}

bool ReadBlock(GlobalHookData& out) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kGlobalHookDataName);
  if (mapping == nullptr) return false;
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kGlobalHookDataSize);
  if (view != nullptr) {
    std::memcpy(&out, view, sizeof out);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return view != nullptr;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = kWaitMs) {
  const DWORD end = GetTickCount() + ms;
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    testing::PumpMessages(20);
  }
  return true;
}

std::string Text(HWND window) {
  char text[512] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND FindWindowOf(DWORD processId, const char* className, const char* title) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

// One installed copy of tarvok.exe.
class Installation {
 public:
  Installation(const char* name, bool withHookLibrary) : folder_(name) {
    CopyFileA((TestProgramFolder() + "..\\bin\\tarvok.exe").c_str(), (folder_.path() + "tarvok.exe").c_str(), FALSE);
    if (withHookLibrary) CopyFileA(HookLibraryToInstall().c_str(), (folder_.path() + "calc.dll").c_str(), FALSE);
  }
  ~Installation() {
    for (auto& process : processes_) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        PostMessageA(FindWindowOf(process.dwProcessId, TMainForm::kWindowClass, nullptr), WM_COMMAND, kCmdExit, 0);
        if (WaitForSingleObject(process.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      }
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    Sleep(300);  // let the files go before the folder is removed
  }
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // Starts a copy and returns its index.
  std::size_t Start() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + folder_.path() + "tarvok.exe\"";
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.path().c_str(),
                               &startup, &process));
    processes_.push_back(process);
    return processes_.size() - 1;
  }
  // The options window of a started copy, once it exists.
  HWND Form(std::size_t index = 0) {
    HWND form = nullptr;
    WaitFor([&] { return (form = FindWindowOf(processes_[index].dwProcessId, TMainForm::kWindowClass, nullptr)) != nullptr; });
    return form;
  }
  bool Ended(std::size_t index, DWORD ms) { return WaitForSingleObject(processes_[index].hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode(std::size_t index) {
    DWORD code = 0;
    GetExitCodeProcess(processes_[index].hProcess, &code);
    return code;
  }
  DWORD ProcessId(std::size_t index) const { return processes_[index].dwProcessId; }
  const std::string& Folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
  std::vector<PROCESS_INFORMATION> processes_;
};

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

  // Typing into the precision box alone is not a change: Apply stays off.
  SendMessageA(GetDlgItem(form, kCmdPrecisionEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25"));
  EXPECT_FALSE(IsWindowEnabled(apply));

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

TEST_F(ControllerTest, AutorunEntryFollowsTheCheckBox) {
  Installation installation("tarvok-autorun", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  SendMessageA(GetDlgItem(form, kCmdAutorun), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdOK), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), installation.Folder() + "tarvok.exe");
  SendMessageA(GetDlgItem(form, kCmdAutorun), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(form, kCmdApply), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue), kAbsentText);
}

TEST_F(ControllerTest, TrayDoubleClickShowsOptionsAndTitleBarCloseOnlyHides) {
  Installation installation("tarvok-show", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_EQ(Text(form), TMainForm::kDesignCaption);

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

// Whether the shell shows an icon of this window: modifying only its tip
// succeeds exactly when the icon exists.
bool TrayIconShown(HWND form) {
  NOTIFYICONDATAA record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = form;
  record.uID = kTrayIconId;
  record.uFlags = NIF_TIP;
  std::strcpy(record.szTip, kTrayTip);
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

TEST_F(ControllerTest, IconComesBackWhenTheTaskbarIsRecreated) {
  Installation installation("tarvok-taskbar", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  ASSERT_TRUE(WaitFor([&] { return TrayIconShown(form); }));

  // What a shell restart does to every icon: it forgets them.
  NOTIFYICONDATAA record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = form;
  record.uID = kTrayIconId;
  Shell_NotifyIconA(NIM_DELETE, &record);
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
  EXPECT_EQ(message, "Error Load Libray - 126");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));

  HWND form = installation.Form();
  ASSERT_NE(form, nullptr);
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_FALSE(installation.Ended(0, 0));
}

}  // namespace
}  // namespace tarvok

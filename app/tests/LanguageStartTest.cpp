// The stored language at the next start, with the real tarvok.exe under
// Wine: a copy is installed into a scratch folder with a stand-in hook
// library and a language folder, started with the settings key prepared, and
// its windows' captions are read from this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "RegistryAccess.h"
#include "RegistryNames.h"
#include "ScratchFolder.h"
#include "SharedBlock.h"

namespace tarvok {
namespace {

using testing::ScratchFolder;

constexpr DWORD kWaitMs = 20000;
constexpr UINT kCmdExit = 106;  // the tray menu's Exit

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string text(path);
  return text.substr(0, text.find_last_of('\\') + 1);
}

HWND WindowOf(DWORD processId, const char* className) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

std::string Caption(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// One installed and started copy; ended through its Exit command.
class RunningCopy {
 public:
  explicit RunningCopy(const ScratchFolder& folder) {
    const std::string built = TestProgramFolder() + "..\\";
    CopyFileA((built + "bin\\tarvok.exe").c_str(), (folder.path() + "tarvok.exe").c_str(), FALSE);
    CopyFileA((built + "app\\stubcalc.dll").c_str(), (folder.path() + kHookLibraryFileName).c_str(), FALSE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + folder.path() + "tarvok.exe\"";
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.path().c_str(), &startup, &process_) != FALSE;
  }
  ~RunningCopy() {
    if (!started_) return;
    if (HWND form = WindowOf(process_.dwProcessId, "TMainForm")) {
      PostMessageA(form, WM_COMMAND, kCmdExit, 0);
    }
    if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    // Windows unloads the hook library from this process too, once its
    // queue has been looked at; only then can the folder be removed.
    const DWORD end = GetTickCount() + 500;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(20);
    }
  }
  RunningCopy(const RunningCopy&) = delete;
  RunningCopy& operator=(const RunningCopy&) = delete;

  // The caption of the copy's window of `className` once it reads
  // `expected`, or whatever it reads when the wait runs out.
  std::string CaptionOnceItIs(const char* className, const std::string& expected) const {
    const DWORD end = GetTickCount() + kWaitMs;
    std::string caption;
    while (started_ && static_cast<LONG>(end - GetTickCount()) > 0) {
      caption = Caption(WindowOf(process_.dwProcessId, className));
      if (caption == expected) break;
      Sleep(50);
    }
    return caption;
  }
  // Whether the start sequence is through: the About box exists.
  bool Started() const { return CaptionOnceItIs("#32770", "About Tarvok") == "About Tarvok"; }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

class LanguageStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    WriteRegInteger(HKEY_CURRENT_USER, kSettingsKey, kValueFirstRun, 1);  // no balloon
    CreateDirectoryA((folder_.path() + "language").c_str(), nullptr);
    folder_.Write("language\\deu.ini",
                  "[Info]\r\nLanguage=Deutsch\r\n[MainWindow]\r\n1=Optionen\r\n[About]\r\n1=\xDC" "ber Tarvok\r\n");
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

  ScratchFolder folder_{"languagestart"};
};

TEST_F(LanguageStartTest, StoredLanguageReachesEveryWindowIncludingTheAboutBox) {
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValueLanguage, "deu.ini");
  RunningCopy copy(folder_);
  EXPECT_EQ(copy.CaptionOnceItIs("#32770", "\xDC" "ber Tarvok"), "\xDC" "ber Tarvok");
  EXPECT_EQ(copy.CaptionOnceItIs("TMainForm", "Optionen"), "Optionen");
}

TEST_F(LanguageStartTest, StoredLanguageWhoseFileIsGoneLeavesTheBuiltInTexts) {
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValueLanguage, "gone.ini");
  RunningCopy copy(folder_);
  ASSERT_TRUE(copy.Started());
  Sleep(500);  // past the second application of the stored language
  EXPECT_EQ(copy.CaptionOnceItIs("#32770", "About Tarvok"), "About Tarvok");
  EXPECT_EQ(copy.CaptionOnceItIs("TMainForm", "Tarvok Options "), "Tarvok Options ");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValueLanguage), "gone.ini");
}

}  // namespace
}  // namespace tarvok

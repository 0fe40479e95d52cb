// tarvok.exe installed into a folder of its own and started for real under
// Wine, for the controller tests: the copy's folder, its processes, its
// windows and message boxes, the shared block it fills and the tray icon
// it shows. Copies still running when a test ends are asked to exit and
// ended if they do not.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "CommandIds.h"
#include "MessageReporter.h"
#include "OptionsWindow.h"
#include "SharedBlock.h"
#include "TrayIcon.h"
#include "WineTestSupport.h"

namespace tarvok::testing {

inline constexpr DWORD kWaitMs = 15000;

inline std::string HookLibraryToInstall() {
  const char* real = std::getenv("TARVOK_CALC_DLL");
  return real != nullptr && *real != '\0' ? std::string(real) : TestProgramFolder() + "stubcalc.dll";
}

template <typename Block>
bool ReadMapping(const char* name, Block& out) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
  if (mapping == nullptr) return false;
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof out);
  if (view != nullptr) {
    std::memcpy(&out, view, sizeof out);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return view != nullptr;
}

inline bool ReadBlock(GlobalHookData& out) { return ReadMapping(kGlobalHookDataName, out); }
inline bool ReadHookOptions(HookOptionsData& out) { return ReadMapping(kHookOptionsName, out); }

// The running copy has installed its hooks.
inline bool HooksStarted() {
  GlobalHookData block{};
  return ReadBlock(block) && block.KeyboardHook != 0;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD ms = kWaitMs) {
  const DWORD end = GetTickCount() + ms;
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    PumpMessages(20);
  }
  return true;
}

inline std::string Text(HWND window) {
  char text[512] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

inline HWND FindWindowOf(DWORD processId, const char* className, const char* title) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

// The boxes "Message from tarvok.exe" that a process shows now.
inline std::vector<HWND> MessageBoxesOf(DWORD processId) {
  std::vector<HWND> boxes;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, nullptr, kMessageCaption)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) boxes.push_back(window);
  }
  return boxes;
}

// The text of a message box: its first non-empty static control.
inline std::string MessageBoxText(HWND box) {
  std::string message;
  HWND label = FindWindowExA(box, nullptr, "Static", nullptr);
  while (label != nullptr && (message = Text(label)).empty()) label = FindWindowExA(box, label, "Static", nullptr);
  return message;
}

// Whether the shell shows an icon of this window: modifying only its tip
// succeeds exactly when the icon exists.
inline bool TrayIconShown(HWND form) {
  NOTIFYICONDATAW record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = form;
  record.uID = kTrayIconId;
  record.uFlags = NIF_TIP;
  std::wcscpy(record.szTip, kTrayTip);
  return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

// One installed copy of tarvok.exe.
class Installation {
 public:
  Installation(const char* name, bool withHookLibrary) : folder_(name) {
    CopyFileA((TestProgramFolder() + "..\\bin\\tarvok.exe").c_str(), (folder_.path() + "tarvok.exe").c_str(), FALSE);
    if (withHookLibrary) InstallHookLibrary(HookLibraryToInstall());
  }
  ~Installation() {
    for (auto& process : processes_) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        // A box of this copy would hold the Exit command back.
        for (HWND box : MessageBoxesOf(process.dwProcessId)) PostMessageA(box, WM_COMMAND, IDOK, 0);
        PostMessageA(FindWindowOf(process.dwProcessId, OptionsWindow::kWindowClass, nullptr), WM_COMMAND, kCmdExit, 0);
        if (WaitForSingleObject(process.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      }
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    Sleep(300);  // let the files go before the folder is removed
  }
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  void InstallHookLibrary(const std::string& source) {
    CopyFileA(source.c_str(), (folder_.path() + kHookLibraryFileName).c_str(), FALSE);
  }

  // Starts a copy, in `currentFolder` when given, and returns its index.
  std::size_t Start(const std::string& currentFolder = {}, const std::string& arguments = {}) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + folder_.path() + "tarvok.exe\"" + (arguments.empty() ? "" : " " + arguments);
    const std::string& folder = currentFolder.empty() ? folder_.path() : currentFolder;
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process));
    processes_.push_back(process);
    return processes_.size() - 1;
  }
  // The options window of a started copy, once it exists.
  HWND Form(std::size_t index = 0) {
    HWND form = nullptr;
    WaitFor([&] { return (form = FindWindowOf(processes_[index].dwProcessId, OptionsWindow::kWindowClass, nullptr)) != nullptr; });
    return form;
  }
  bool Ended(std::size_t index, DWORD ms) { return WaitForSingleObject(processes_[index].hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode(std::size_t index) {
    DWORD code = 0;
    GetExitCodeProcess(processes_[index].hProcess, &code);
    return code;
  }
  DWORD ProcessId(std::size_t index = 0) const { return processes_[index].dwProcessId; }
  HANDLE Process(std::size_t index = 0) const { return processes_[index].hProcess; }
  const std::string& Folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
  std::vector<PROCESS_INFORMATION> processes_;
};

}  // namespace tarvok::testing

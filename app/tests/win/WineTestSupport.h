// Helpers for the controller's tests under Wine: a reporter that records
// instead of showing boxes, temporary folders, and where the stub libraries
// and tarvok.exe were built.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "MessageReporter.h"

namespace tarvok::testing {

class RecordingReporter final : public MessageReporter {
 public:
  void Show(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// The folder of the running test program, with a trailing backslash.
inline std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.find_last_of('\\') + 1);
}

// A new empty folder under the temporary folder; removed with its files.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  [[nodiscard]] const std::string& path() const { return path_; }

 private:
  // Removes a folder with everything in it; `folder` ends in a backslash.
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(folder + name + "\\");
        } else {
          SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA((folder + name).c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};

// Runs the thread's message queue for about `ms` milliseconds.
inline void PumpMessages(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG message;
  do {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

}  // namespace tarvok::testing

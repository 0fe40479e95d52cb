// A scratch folder for the Windows-side tests of the language files and the
// About box: fresh and empty at construction, removed with its contents at
// the end, so a test never sees another test's files.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace tarvok::testing {

// A fresh, empty folder under %TEMP%, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* tag = "language") {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tarvok-" + std::string(tag) + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    Clear();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    Clear();
    RemoveDirectoryA(path_.c_str());
  }
  [[nodiscard]] const std::string& path() const { return path_; }

  void Write(const std::string& name, const std::string& bytes) const {
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  void Remove(const std::string& name) const { DeleteFileA((path_ + name).c_str()); }

 private:
  void Clear() const { RemoveContents(path_); }
  // Deletes everything below `folder` (with trailing backslash), read-only
  // files and sub-folders included.
  static void RemoveContents(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = folder + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveContents(full + "\\");
        RemoveDirectoryA(full.c_str());
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  std::string path_;
};

}  // namespace tarvok::testing

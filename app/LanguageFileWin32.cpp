// Win32 side of the language files. The values come from
// GetPrivateProfileStringA, which matches sections and keys without regard
// to letter case and cuts a value to the buffer; the file is checked for
// plain text first, so that a binary or huge file reads as one without
// sections.
#include "LanguageFileWin32.h"

#include <windows.h>

#include "ExistingFile.h"
#include "ScopedHandle.h"
#include "TextConversion.h"

namespace tarvok {

bool Win32LanguageFileSystem::FileExists(const std::string& path) const { return IsExistingFile(path); }

std::vector<std::string> Win32LanguageFileSystem::ListIniFiles(const std::string& folder) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry{};
  // Hidden, system and read-only files count as well; folders whose name
  // happens to end in ".ini" and files matched only through their short
  // name are left out.
  ScopedFindFile search(FindFirstFileA((folder + "*.ini").c_str(), &entry));
  if (!search) return names;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && HasIniExtension(entry.cFileName)) {
      names.emplace_back(entry.cFileName);
    }
  } while (FindNextFileA(search.get(), &entry));
  return names;
}

bool Win32LanguageFileSystem::IsReadableLanguageFile(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.nFileSizeHigh != 0 || data.nFileSizeLow > kLanguageFileMaxBytes) return false;
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char chunk[4096];
  DWORD read = 0;
  std::size_t total = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
    total += read;
    if (!IsLanguageFileText(std::string_view(chunk, read), total)) return false;
  }
  return true;
}

std::string Win32LanguageFileSystem::ReadValue(const std::string& path, const char* section,
                                               const char* key, const char* defaultText) const {
  char buffer[kLanguageValueBufferSize];
  const DWORD length = GetPrivateProfileStringA(section, key, defaultText, buffer,
                                                sizeof buffer, path.c_str());
  return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

std::wstring Win32LanguageFileSystem::Decode(std::string_view bytes, unsigned codePage) const {
  return ToUtf16(bytes, codePage);
}

}  // namespace tarvok

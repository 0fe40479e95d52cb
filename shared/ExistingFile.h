// Whether a path names an existing file, not a folder.
#pragma once

#include <windows.h>

#include <string>

namespace tarvok {

[[nodiscard]] inline bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace tarvok

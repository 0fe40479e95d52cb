// The program's folder as the controller records it in the registry value
// Path. The library loads code and writes files only from there, and only
// when it is an absolute path: a relative name would be looked up in the
// folders of whatever program received the hot key.
#pragma once

#include <string>
#include <string_view>

namespace tarvok {

class RegistrySeam {
 public:
  // The Path value, or "0" when it is missing or unreadable.
  virtual std::string ReadPathSetting() = 0;

 protected:
  ~RegistrySeam() = default;
};

// "C:\..." or "\\server\...".
constexpr bool IsAbsoluteFolder(std::string_view folder) noexcept {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\') return true;
  return folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\' && folder[2] != '\\';
}

// File names are appended to the folder as they are. A Path written without
// its closing backslash would put them beside the folder under a glued name
// ("C:\Tarvoklog.txt") and load a library from the folder above.
inline std::string WithClosingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

}  // namespace tarvok

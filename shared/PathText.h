// Paths as text, without asking the file system.
#pragma once

#include <string>
#include <string_view>

namespace tarvok {

// The folder of a path with its closing separator; empty for a bare name.
[[nodiscard]] inline std::string FolderOf(std::string_view path) {
  const auto separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string() : std::string(path.substr(0, separator + 1));
}

}  // namespace tarvok

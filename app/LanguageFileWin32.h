// The language folder as Windows shows it: FindFirstFileA for the "*.ini"
// files, the private-profile reader for the values and MultiByteToWideChar
// for their code page.
#pragma once

#include "LanguageFile.h"

namespace tarvok {

class Win32LanguageFileSystem final : public LanguageFileSystem {
 public:
  [[nodiscard]] bool FileExists(const std::string& path) const override;
  [[nodiscard]] std::vector<std::string> ListIniFiles(const std::string& folder) const override;
  [[nodiscard]] bool IsReadableLanguageFile(const std::string& path) const override;
  [[nodiscard]] std::string ReadValue(const std::string& path, const char* section,
                                      const char* key, const char* defaultText) const override;
  [[nodiscard]] std::wstring Decode(std::string_view bytes, unsigned codePage) const override;
};

}  // namespace tarvok

// A language folder in memory for the native tests: files are byte strings
// kept in the order they were added (the order a file system returns them),
// and values are looked up the way the Windows profile reader does it:
// section and key without regard to letter case, blanks around key and
// value dropped, the value cut to the reader's buffer. It knows two code
// pages, enough to tell them apart: 1252 (the letters above 0xBF are
// Latin-1's) and 1251 (the letters above 0xBF are Cyrillic, plus Ё and ё);
// any other reads as the system's, which a test may set.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "LanguageFile.h"

namespace tarvok::testing {

class FakeLanguageFolder final : public LanguageFileSystem {
 public:
  void Put(const std::string& path, std::string bytes);
  void Remove(const std::string& path);

  [[nodiscard]] bool FileExists(const std::string& path) const override;
  [[nodiscard]] std::vector<std::string> ListIniFiles(const std::string& folder) const override;
  [[nodiscard]] bool IsReadableLanguageFile(const std::string& path) const override;
  [[nodiscard]] std::string ReadValue(const std::string& path, const char* section,
                                      const char* key, const char* defaultText) const override;
  [[nodiscard]] std::wstring Decode(std::string_view bytes, unsigned codePage) const override;

  mutable int valueReads = 0;
  unsigned systemCodePage = 1252;

 private:
  [[nodiscard]] const std::string* Find(const std::string& path) const;
  std::vector<std::pair<std::string, std::string>> files_;
};

}  // namespace tarvok::testing

// The in-memory language folder of the native tests.
#include "FakeLanguageFolder.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace tarvok::testing {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

void FakeLanguageFolder::Put(const std::string& path, std::string bytes) {
  Remove(path);
  files_.emplace_back(path, std::move(bytes));
}

void FakeLanguageFolder::Remove(const std::string& path) {
  std::erase_if(files_, [&](const auto& file) { return file.first == path; });
}

const std::string* FakeLanguageFolder::Find(const std::string& path) const {
  for (const auto& [name, bytes] : files_) {
    if (Lower(name) == Lower(path)) return &bytes;
  }
  return nullptr;
}

bool FakeLanguageFolder::FileExists(const std::string& path) const { return Find(path) != nullptr; }

std::vector<std::string> FakeLanguageFolder::ListIniFiles(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& file : files_) {
    const std::string& path = file.first;
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size());
    if (name.find('\\') == std::string::npos && name.size() > 4 &&
        Lower(name.substr(name.size() - 4)) == ".ini") {
      names.push_back(name);
    }
  }
  return names;
}

bool FakeLanguageFolder::IsReadableLanguageFile(const std::string& path) const {
  const std::string* bytes = Find(path);
  return bytes != nullptr && IsLanguageFileText(*bytes, bytes->size());
}

std::string FakeLanguageFolder::ReadValue(const std::string& path, const char* section,
                                          const char* key, const char* defaultText) const {
  ++valueReads;
  const std::string* bytes = Find(path);
  if (bytes == nullptr) return defaultText;
  std::istringstream lines(*bytes);
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (!line.empty() && line.front() == '[') {
      inSection = Lower(line.substr(1, line.find(']') - 1)) == Lower(section);
      continue;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string::npos) continue;
    if (Lower(Trim(line.substr(0, equals))) != Lower(key)) continue;
    std::string value = Trim(line.substr(equals + 1));
    if (value.size() > kLanguageValueMaxLength) value.resize(kLanguageValueMaxLength);
    return value;
  }
  return defaultText;
}

std::wstring FakeLanguageFolder::Decode(std::string_view bytes, unsigned codePage) const {
  if (codePage != 1251 && codePage != 1252) codePage = systemCodePage;
  std::wstring text;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (codePage == 1251 && c >= 0xC0) {
      text += static_cast<wchar_t>(0x0410 + (c - 0xC0));
    } else if (codePage == 1251 && (c == 0xA8 || c == 0xB8)) {
      text += static_cast<wchar_t>(c == 0xA8 ? 0x0401 : 0x0451);
    } else {
      text += static_cast<wchar_t>(c);
    }
  }
  return text;
}

}  // namespace tarvok::testing

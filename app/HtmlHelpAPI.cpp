// Binding the HTML Help control at run time: the registry names its library,
// GetProcAddress finds the entry points.
#include "HtmlHelpAPI.h"

#include <string>

#include "ExistingFile.h"

namespace tarvok {
namespace {

// The default value of the key: the library's path, with environment
// variables expanded when the value is stored as REG_EXPAND_SZ (as newer
// Windows versions do). Empty on any failure.
std::string ReadLibraryPath(HKEY root, const char* subkey) {
  HKEY rawKey = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &rawKey) != ERROR_SUCCESS) return {};
  ScopedRegKey key(rawKey);
  char stored[MAX_PATH * 2] = {};
  DWORD size = sizeof stored - 1;  // keep room for a terminator the data may lack
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(stored),
                       &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  if (type == REG_SZ) return stored;
  char expanded[MAX_PATH * 2] = {};
  const DWORD needed = ExpandEnvironmentStringsA(stored, expanded, sizeof expanded);
  return needed != 0 && needed <= sizeof expanded ? std::string(expanded) : std::string();
}

}  // namespace

bool HtmlHelpAPI::Bind(HKEY root, const char* subkey) {
  Unbind();
  const std::string path = ReadLibraryPath(root, subkey);
  if (path.empty() || !IsExistingFile(path)) return false;
  library_.reset(LoadLibraryA(path.c_str()));
  if (!library_) return false;
  htmlHelp_ = reinterpret_cast<HtmlHelpAFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_.get(), "HtmlHelpA")));
  if (htmlHelp_ == nullptr) library_.reset();
  return library_.valid();
}

void HtmlHelpAPI::Unbind() {
  // Help windows run on the library's code: close them before it goes.
  if (opened_ && htmlHelp_ != nullptr) htmlHelp_(nullptr, nullptr, kHhCloseAll, 0);
  opened_ = false;
  htmlHelp_ = nullptr;
  library_.reset();
}

HWND HtmlHelpAPI::HtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data) {
  if (htmlHelp_ == nullptr) return nullptr;
  opened_ = true;
  return htmlHelp_(caller, file, command, data);
}

HtmlHelpAPI& ProcessHtmlHelp() {
  static HtmlHelpAPI binding;
  static const bool bound = binding.Bind();
  (void)bound;
  return binding;
}

}  // namespace tarvok

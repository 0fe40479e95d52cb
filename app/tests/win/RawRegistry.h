// Registry values of any type and size, written and read as a registry
// editor would: how the tests poison the settings key and check what the
// controller wrote back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvok::testing {

inline bool StoreRaw(const char* subkey, const char* name, DWORD type, const std::string& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const bool stored = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  RegCloseKey(key);
  return stored;
}

struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
  bool operator==(const RawValue&) const = default;
};

// Type and data of a value; type REG_NONE and no data when it is missing.
inline RawValue ReadRaw(const char* subkey, const char* name) {
  RawValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.resize(size);
    RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.data.data()), &size);
  }
  RegCloseKey(key);
  return value;
}

inline std::string Dword(std::uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
inline std::string Sz(const std::string& text) { return text + '\0'; }
// A text as this program stores it: the characters, then zeros up to 200 bytes.
inline std::string Sz200(const std::string& text) { return text + std::string(200 - text.size(), '\0'); }

}  // namespace tarvok::testing

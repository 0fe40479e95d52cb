// Registry routines: open, do one thing, flush, close. Nothing is cached, so
// calc.dll in another process always reads what the controller last wrote.
#include "RegistryAccess.h"

#include <cstring>

#include "RegistryNames.h"
#include "ScopedHandle.h"

namespace tarvok {
namespace {

ScopedRegKey OpenKey(HKEY root, const char* subkey, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, access, &key) != ERROR_SUCCESS) return ScopedRegKey{};
  return ScopedRegKey{key};
}

// Opens with full access, creating the key when it does not exist yet.
ScopedRegKey OpenOrCreateKey(HKEY root, const char* subkey) {
  ScopedRegKey key = OpenKey(root, subkey, KEY_ALL_ACCESS);
  if (key) return key;
  HKEY created = nullptr;
  if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &created, nullptr) != ERROR_SUCCESS) {
    return ScopedRegKey{};
  }
  return ScopedRegKey{created};
}

// Reads at most 4 data bytes; false when the value is missing or longer.
bool QueryInteger(HKEY root, const char* subkey, const char* valueName, std::int32_t& out) {
  const ScopedRegKey key = OpenKey(root, subkey, KEY_READ);
  if (!key) return false;
  BYTE data[4] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(key.get(), valueName, nullptr, nullptr, data, &size) != ERROR_SUCCESS) {
    return false;
  }
  out = static_cast<std::int32_t>(static_cast<std::uint32_t>(data[0]) |
                                   static_cast<std::uint32_t>(data[1]) << 8 |
                                   static_cast<std::uint32_t>(data[2]) << 16 |
                                   static_cast<std::uint32_t>(data[3]) << 24);
  return true;
}

}  // namespace

std::string ReadRegString(HKEY root, const char* subkey, const char* valueName) {
  const ScopedRegKey key = OpenKey(root, subkey, KEY_READ);
  if (!key) return kAbsentText;
  char buffer[kRegTextBytes + 1] = {};  // one spare zero: 200 bytes without a zero still end
  DWORD size = kRegTextBytes;
  if (RegQueryValueExA(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS) {
    return kAbsentText;
  }
  return std::string(buffer, strnlen(buffer, kRegTextBytes));
}

bool WriteRegString(HKEY root, const char* subkey, const char* valueName, const std::string& text) {
  if (text.size() >= kRegTextBytes) return false;
  BYTE buffer[kRegTextBytes] = {};
  std::memcpy(buffer, text.data(), text.size());
  const ScopedRegKey key = OpenOrCreateKey(root, subkey);
  if (!key) return false;
  const bool written =
      RegSetValueExA(key.get(), valueName, 0, REG_SZ, buffer, kRegTextBytes) == ERROR_SUCCESS;
  RegFlushKey(key.get());
  return written;
}

std::int32_t ReadRegInteger(HKEY root, const char* subkey, const char* valueName) {
  std::int32_t value = 0;
  return QueryInteger(root, subkey, valueName, value) ? value : 0;
}

bool RegValueExists(HKEY root, const char* subkey, const char* valueName) {
  std::int32_t ignored = 0;
  return QueryInteger(root, subkey, valueName, ignored);
}

void WriteRegInteger(HKEY root, const char* subkey, const char* valueName, std::int32_t value) {
  const ScopedRegKey key = OpenOrCreateKey(root, subkey);
  if (!key) return;
  const DWORD data = static_cast<DWORD>(value);
  RegSetValueExA(key.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                 sizeof data);
  RegFlushKey(key.get());
}

void DeleteRegValue(HKEY root, const char* subkey, const char* valueName) {
  const ScopedRegKey key = OpenKey(root, subkey, KEY_ALL_ACCESS);
  if (key) RegDeleteValueA(key.get(), valueName);
}

}  // namespace tarvok

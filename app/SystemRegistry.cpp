// Typed reads over the routines of RegistryAccess.h: the stored type is looked up
// first, and only data of a fitting kind is read the way those routines read it.
#include "SystemRegistry.h"

#include <cstring>

#include "RegistryNames.h"
#include "ScopedHandle.h"

namespace tarvok {

RegistryValueKind SystemRegistry::StoredKind(const char* subkey, const char* name) const {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root_, subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return RegistryValueKind::Missing;
  const ScopedRegKey key(opened);
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
    return RegistryValueKind::Missing;
  }
  return KindOfRegistryType(type);
}

std::optional<std::int32_t> SystemRegistry::NumberFromStoredText(const char* subkey, const char* name) const {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root_, subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
  const ScopedRegKey key(opened);
  // The same 200-byte limit as every text read: a longer text is no number.
  char text[kRegTextBytes + 1] = {};
  DWORD size = kRegTextBytes;
  if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return IntegerFromText(std::string_view(text, strnlen(text, kRegTextBytes)));
}

std::string SystemRegistry::ReadString(const char* subkey, const char* name) {
  if (StoredKind(subkey, name) == RegistryValueKind::Number) return kAbsentText;
  return ReadRegString(root_, subkey, name);
}

std::int32_t SystemRegistry::ReadInteger(const char* subkey, const char* name) {
  if (StoredKind(subkey, name) == RegistryValueKind::Text) return NumberFromStoredText(subkey, name).value_or(0);
  return ReadRegInteger(root_, subkey, name);
}

bool SystemRegistry::ValueExists(const char* subkey, const char* name) {
  if (StoredKind(subkey, name) == RegistryValueKind::Text) return NumberFromStoredText(subkey, name).has_value();
  return RegValueExists(root_, subkey, name);
}

}  // namespace tarvok

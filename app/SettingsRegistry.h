// The registry as the settings store uses it: the six routines of RegistryAccess.h,
// always under HKEY_CURRENT_USER. An interface so LoadValues/SaveValues logic
// runs natively against a fake; SystemRegistry is the real one.
#pragma once

#include <cstdint>
#include <string>

namespace tarvok {

class SettingsRegistry {
 public:
  virtual ~SettingsRegistry() = default;
  // "0" when missing or unreadable, like ReadRegString.
  [[nodiscard]] virtual std::string ReadString(const char* subkey, const char* name) = 0;
  // False when the text was refused (200+ characters) or could not be written.
  virtual bool WriteString(const char* subkey, const char* name, const std::string& text) = 0;
  [[nodiscard]] virtual std::int32_t ReadInteger(const char* subkey, const char* name) = 0;
  [[nodiscard]] virtual bool ValueExists(const char* subkey, const char* name) = 0;
  virtual void WriteInteger(const char* subkey, const char* name, std::int32_t value) = 0;
  virtual void DeleteValue(const char* subkey, const char* name) = 0;
};

}  // namespace tarvok

// The real registry behind SettingsRegistry, and the keyboard layout behind
// KeyNameSource: forwarding to RegistryAccess.h and to the layout's key names. Reads
// look at the stored type first (RegistryValueKind.h says why).
#pragma once

#include <windows.h>

#include <optional>

#include "RegistryAccess.h"
#include "RegistryValueKind.h"
#include "SettingsRegistry.h"
#include "ShortcutText.h"

namespace tarvok {

class SystemRegistry final : public SettingsRegistry {
 public:
  explicit SystemRegistry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
  // A value stored as a number reads as absent ("0").
  std::string ReadString(const char* subkey, const char* name) override;
  bool WriteString(const char* subkey, const char* name, const std::string& text) override {
    return WriteRegString(root_, subkey, name, text);
  }
  // A value stored as text reads as the decimal number it spells, or as
  // absent (0) when it spells none.
  std::int32_t ReadInteger(const char* subkey, const char* name) override;
  bool ValueExists(const char* subkey, const char* name) override;
  void WriteInteger(const char* subkey, const char* name, std::int32_t value) override {
    WriteRegInteger(root_, subkey, name, value);
  }
  void DeleteValue(const char* subkey, const char* name) override { DeleteRegValue(root_, subkey, name); }

 private:
  [[nodiscard]] RegistryValueKind StoredKind(const char* subkey, const char* name) const;
  [[nodiscard]] std::optional<std::int32_t> NumberFromStoredText(const char* subkey, const char* name) const;

  HKEY root_;
};

// Names from the active keyboard layout: on a US layout the key 0xBB is "=".
// Only keys the layout really produces are named (the scan code maps back
// to the same virtual key).
class LayoutKeyNames final : public KeyNameSource {
 public:
  std::string LayoutKeyName(std::uint8_t virtualKey) const override {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0 || MapVirtualKeyA(scanCode, MAPVK_VSC_TO_VK) != virtualKey) return {};
    char name[64] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, sizeof name);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
  }
  std::uint8_t KeyTyping(const std::string& name) const override {
    if (name.size() != 1) return 0;
    const SHORT typing = VkKeyScanA(name[0]);
    return typing == -1 ? 0 : static_cast<std::uint8_t>(typing & 0xFF);
  }
};

}  // namespace tarvok

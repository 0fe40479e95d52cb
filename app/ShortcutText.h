// The hot key's registry text ("Shift+Ctrl+=") and its 16-bit shortcut code,
// both ways. Names of keys outside the fixed table come from the active
// keyboard layout, reached through the small KeyNameSource seam so the whole
// table can be tested natively.
#pragma once

#include <cstdint>
#include <string>

namespace tarvok {

class KeyNameSource {
 public:
  virtual ~KeyNameSource() = default;
  // The layout's name for a virtual key; empty when the layout has none.
  [[nodiscard]] virtual std::string LayoutKeyName(std::uint8_t virtualKey) const = 0;
  // The key the layout types a one-character name with (VkKeyScan), or 0.
  [[nodiscard]] virtual std::uint8_t KeyTyping(const std::string& /*name*/) const { return 0; }
};

// The name of a virtual key: the fixed table first, the layout otherwise.
[[nodiscard]] std::string KeyName(std::uint8_t virtualKey, const KeyNameSource& layout);

// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; empty when
// the key has no name or the code is 0.
[[nodiscard]] std::string ShortcutToText(std::uint16_t shortcut, const KeyNameSource& layout);

// Modifier prefixes in any order and case ("^" counts as Ctrl), then a key
// name matched without regard to case, lowest virtual-key code first.
// 0 when nothing is left after the prefixes or no key has that name.
// When the first match is a name from the layout and the layout types that
// character with another key of the same name, that key wins: some layouts
// also name a rare key "=" (a keypad "=" at 0x92), which would otherwise
// turn the default Ctrl+= into a key the user cannot press.
[[nodiscard]] std::uint16_t TextToShortcut(const std::string& text, const KeyNameSource& layout);

}  // namespace tarvok

namespace tarvok {

// The Windows hot-key control's value (virtual key in the low byte,
// HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8 in the high
// byte) and the shortcut code. The extended-key flag is not carried.
[[nodiscard]] std::uint16_t ShortcutFromHotKeyControl(std::uint16_t value);
[[nodiscard]] std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut);

}  // namespace tarvok

// Shortcut text <-> shortcut code, with the fixed key-name table.
#include "ShortcutText.h"

#include <array>
#include <cctype>
#include <string_view>

#include "SharedBlock.h"

namespace tarvok {
namespace {

constexpr std::array<std::string_view, 9> kNavigationNames = {
    "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};

struct Prefix {
  std::string_view text;
  std::uint16_t bit;
};
constexpr std::array<Prefix, 4> kPrefixes = {{
    {"Shift+", kShortcutShift},
    {"Ctrl+", kShortcutCtrl},
    {"^", kShortcutCtrl},
    {"Alt+", kShortcutAlt},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

// Whether the fixed table (and not the layout) names this key.
bool HasFixedName(std::uint8_t vk) {
  switch (vk) {
    case 0x08: case 0x09: case 0x0D: case 0x1B: case 0x2D: case 0x2E: return true;
    default: break;
  }
  return (vk >= 0x20 && vk <= 0x28) || (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
         (vk >= 0x60 && vk <= 0x69) || (vk >= 0x70 && vk <= 0x87);
}

std::string KeyName(std::uint8_t vk, const KeyNameSource& layout) {
  switch (vk) {
    case 0x08: return "BkSp";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    default: break;
  }
  if (vk >= 0x20 && vk <= 0x28) return std::string(kNavigationNames[vk - 0x20]);
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + (vk - 0x60)));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  return layout.LayoutKeyName(vk);
}

std::string ShortcutToText(std::uint16_t shortcut, const KeyNameSource& layout) {
  const std::string name = KeyName(static_cast<std::uint8_t>(shortcut & 0xFF), layout);
  if (shortcut == 0 || name.empty()) return {};
  std::string text;
  if (shortcut & kShortcutShift) text += "Shift+";
  if (shortcut & kShortcutCtrl) text += "Ctrl+";
  if (shortcut & kShortcutAlt) text += "Alt+";
  return text + name;
}

std::uint16_t TextToShortcut(const std::string& text, const KeyNameSource& layout) {
  std::string_view rest = text;
  std::uint16_t modifiers = 0;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const Prefix& prefix : kPrefixes) {
      if (StartsWithIgnoringCase(rest, prefix.text)) {
        modifiers |= prefix.bit;
        rest.remove_prefix(prefix.text.size());
        stripped = true;
      }
    }
  }
  if (rest.empty()) return 0;
  for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
    if (!EqualsIgnoringCase(KeyName(static_cast<std::uint8_t>(vk), layout), rest)) continue;
    unsigned key = vk;
    if (!HasFixedName(static_cast<std::uint8_t>(vk))) {
      const std::uint8_t typing = layout.KeyTyping(std::string(rest));
      if (typing != 0 && EqualsIgnoringCase(KeyName(typing, layout), rest)) key = typing;
    }
    return static_cast<std::uint16_t>(modifiers | key);
  }
  return 0;
}

}  // namespace tarvok

namespace tarvok {
namespace {
constexpr std::uint8_t kControlShift = 1, kControlCtrl = 2, kControlAlt = 4;
}

std::uint16_t ShortcutFromHotKeyControl(std::uint16_t value) {
  const std::uint8_t flags = static_cast<std::uint8_t>(value >> 8);
  std::uint16_t shortcut = value & 0xFF;
  if (shortcut == 0) return 0;
  if (flags & kControlShift) shortcut |= kShortcutShift;
  if (flags & kControlCtrl) shortcut |= kShortcutCtrl;
  if (flags & kControlAlt) shortcut |= kShortcutAlt;
  return shortcut;
}

std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut) {
  std::uint8_t flags = 0;
  if (shortcut & kShortcutShift) flags |= kControlShift;
  if (shortcut & kShortcutCtrl) flags |= kControlCtrl;
  if (shortcut & kShortcutAlt) flags |= kControlAlt;
  return static_cast<std::uint16_t>((flags << 8) | (shortcut & 0xFF));
}

}  // namespace tarvok

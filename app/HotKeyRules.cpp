// The rule that keeps typing keys from becoming the hot key.
#include "HotKeyRules.h"

#include "SharedBlock.h"

namespace tarvok {
namespace {

// Keys that neither type a character nor move the caret or edit the text.
// Delete, Backspace, Home, the arrows and the like are left out: editing
// text uses them all the time.
bool TypesNothing(std::uint8_t virtualKey) {
  switch (virtualKey) {
    case 0x13:  // Pause
    case 0x2C:  // Print Screen
    case 0x2D:  // Insert
    case 0x2F:  // Help
    case 0x5D:  // Applications (context menu)
    case 0x91:  // Scroll Lock
      return true;
    default:
      break;
  }
  return (virtualKey >= 0x70 && virtualKey <= 0x87) ||  // F1 to F24
         (virtualKey >= 0xA6 && virtualKey <= 0xB7);    // browser, volume, media and launch keys
}

}  // namespace

bool IsAcceptedHotKey(std::uint16_t shortcut) {
  const auto virtualKey = static_cast<std::uint8_t>(shortcut & 0xFF);
  if (virtualKey == 0) return true;
  if (shortcut & (kShortcutCtrl | kShortcutAlt)) return true;
  return TypesNothing(virtualKey);
}

}  // namespace tarvok

// Key presses become characters through the thread's own keyboard state and
// layout, exactly as the focused program will see them.
#include "TypingCapture.h"

namespace tarvok {
namespace {

// Keys that move the caret away from the end of what was typed: the text
// typed next is no longer the continuation of the recorded expression.
constexpr unsigned kBreakKeys[] = {0x1B /*Esc*/, 0x0D /*Enter*/, 0x21, 0x22, 0x23, 0x24 /*PgUp PgDn End Home*/,
                                   0x25, 0x26, 0x27, 0x28 /*arrows*/};

bool IsDown(KeyboardSeam& keyboard, unsigned virtualKey) noexcept {
  return (static_cast<std::uint16_t>(keyboard.GetKeyState(virtualKey)) & 0x8000u) != 0;
}

bool IsHotKey(const SettingsCopy& settings, KeyboardSeam& keyboard, unsigned virtualKey) noexcept {
  return settings.HotKeyVirtualKey != 0 && virtualKey == settings.HotKeyVirtualKey &&
         HotKeyModifiersMatch(keyboard, settings.HotKeyModifiers);
}

bool IsModifierKey(unsigned virtualKey) noexcept {
  return (virtualKey >= kVkShift && virtualKey <= kVkMenu) || virtualKey == kVkCapital ||
         (virtualKey >= 0xA0 && virtualKey <= 0xA5);  // left and right Shift, Ctrl, Alt
}

void CaptureCharacter(TypedTextBuffer& buffer, DeadKeyState& deadKey, KeyboardSeam& keyboard,
                      unsigned virtualKey) noexcept {
  if (virtualKey == kVkBack) return;  // the message hook erases on Backspace
  if (deadKey.pending) {
    // Translating this key here would take the accent the program is about
    // to combine with it. Modifiers (Shift for a capital) do not end it.
    if (!IsModifierKey(virtualKey)) deadKey.pending = false;
    return;
  }
  const unsigned scanCode = keyboard.ScanCodeOf(virtualKey);
  if (scanCode == 0) return;
  KeyboardState state{};
  if (!keyboard.GetKeyboardState(state)) return;
  std::uint16_t translated = 0;
  const int count = keyboard.ToAscii(virtualKey, scanCode, state, translated);
  if (count < 0) {
    // Our translation started the dead key in the layout; a second one ends
    // it again, so that the program's own translation starts it afresh.
    keyboard.ToAscii(virtualKey, scanCode, state, translated);
    deadKey.pending = true;
    return;
  }
  if (count != 1) return;
  const auto ch = static_cast<unsigned char>(translated & 0xFF);
  if (ch < 32) {
    ResetTypedText(buffer);
  } else {
    AppendTypedChar(buffer, static_cast<char>(ch));
  }
}

}  // namespace

bool HotKeyModifiersMatch(KeyboardSeam& keyboard, std::uint8_t modifiers) noexcept {
  return IsDown(keyboard, kVkShift) == ((modifiers & kModShift) != 0) &&
         IsDown(keyboard, kVkMenu) == ((modifiers & kModAlt) != 0) &&
         IsDown(keyboard, kVkControl) == ((modifiers & kModCtrl) != 0);
}

bool HandleKeyEvent(TypedTextBuffer& buffer, DeadKeyState& deadKey, const SettingsCopy& settings,
                    KeyboardSeam& keyboard, unsigned virtualKey, std::uint32_t keyData,
                    bool passwordField) noexcept {
  if (keyData & kKeyReleasedBit) return false;
  if (passwordField) {
    // Nothing typed there is kept, and nothing kept from before it is
    // calculated with what comes after; its hot key only passes on.
    ResetTypedText(buffer);
    return false;
  }
  // The hot key's own press is not typing. Captured, Ctrl with a letter
  // would translate to a control character and empty the text just before
  // the hot-key sequence reads it.
  if (IsHotKey(settings, keyboard, virtualKey)) return true;
  CaptureCharacter(buffer, deadKey, keyboard, virtualKey);
  return false;
}

void HandleQueuedMessage(TypedTextBuffer& buffer, unsigned message, std::uintptr_t wParam) noexcept {
  switch (message) {
    case kWmKeyDown:
      for (const unsigned breakKey : kBreakKeys) {
        if (wParam == breakKey) ResetTypedText(buffer);
      }
      if (wParam == kVkBack) EraseTypedChar(buffer);
      break;
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
      ResetTypedText(buffer);
      break;
    default:
      break;
  }
}

}  // namespace tarvok

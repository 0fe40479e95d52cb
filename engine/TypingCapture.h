// What the keyboard and message hooks do with typing: record characters,
// empty the record on breaks, erase on Backspace, and recognise the hot key.
// Everything here runs for every key press in every program, so it only
// compares, copies into the fixed buffer and asks the keyboard seam.
#pragma once

#include <cstdint>

#include "KeyboardSeam.h"
#include "SettingsCopy.h"
#include "TypedText.h"

namespace tarvok {

inline constexpr unsigned kWmLButtonDown = 0x0201;
inline constexpr unsigned kWmRButtonDown = 0x0204;
inline constexpr unsigned kWmMButtonDown = 0x0207;

// The transition bit of a keyboard-hook event's key data: set for a release.
inline constexpr std::uint32_t kKeyReleasedBit = 0x80000000u;

// True when exactly the modifiers in `modifiers` (kModShift, kModAlt,
// kModCtrl) are held, no more and no fewer.
bool HotKeyModifiersMatch(KeyboardSeam& keyboard, std::uint8_t modifiers) noexcept;

// ToAscii keeps a pending dead key (an accent waiting for its letter) in the
// thread's keyboard layout, the same state the program's own translation
// uses. The capture must leave that state as it found it.
struct DeadKeyState {
  bool pending = false;  // the program is composing: its next key is left alone
};

// One keyboard-hook event (HC_ACTION only). Returns whether the event is the
// hot key, whose press records nothing; the caller then runs the hot-key
// sequence. Any other press records its character. In a password field
// (the key's focus, asked by the caller) nothing is recorded and no key is
// the hot key.
bool HandleKeyEvent(TypedTextBuffer& buffer, DeadKeyState& deadKey, const SettingsCopy& settings,
                    KeyboardSeam& keyboard, unsigned virtualKey, std::uint32_t keyData,
                    bool passwordField) noexcept;

// One message seen by the message hook (HC_ACTION only).
void HandleQueuedMessage(TypedTextBuffer& buffer, unsigned message, std::uintptr_t wParam) noexcept;

}  // namespace tarvok

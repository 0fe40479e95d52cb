// The user may still hold the hot key's modifiers when the paste is
// injected; the thread's keyboard state is cleared of them for the paste and
// put back afterwards, so the program sees a plain Ctrl+V. Shift and Alt
// are put back as the user holds them by then: one let go meanwhile must not
// come back held.
#include "SimulatedPaste.h"

namespace tarvok {

void SimulatedPaste::StartSimulatedPaste(WindowRef window, bool extended) noexcept {
  extended_ = extended;
  keysDown_.Set(timers_, window, kKeysDownTimerId, kKeysDownDelayMs);
}

bool SimulatedPaste::OnTimer(WindowRef window, std::uintptr_t id) noexcept {
  if (keysDown_.is(window, id)) {
    keysDown_.Kill(timers_);
    PasteKeysDownTimer(window);
    return true;
  }
  if (keysUp_.is(window, id)) {
    keysUp_.Kill(timers_);
    ReleaseKeys();
    return true;
  }
  return false;
}

void SimulatedPaste::MessageTaken(unsigned message, std::uintptr_t wParam) noexcept {
  if (!keysHeld_) return;
  if (!vTaken_) {
    vTaken_ = message == kWmKeyDown && wParam == kVkV;
    return;
  }
  keysUp_.Kill(timers_);
  ReleaseKeys();
}

void SimulatedPaste::PasteKeysDownTimer(WindowRef window) noexcept {
  // A paste that overlaps an earlier one keeps the state saved before the
  // first: the present state has our own Ctrl in it.
  if (!keysHeld_) stateSaved_ = keyboard_.GetKeyboardState(saved_);
  vTaken_ = false;
  if (stateSaved_) {
    working_ = saved_;
    for (const unsigned key : {kVkControl, kVkMenu, kVkCapital, kVkShift}) working_[key] = 0;
    keyboard_.SetKeyboardState(working_);
  }
  keyboard_.SendKeyEvent(static_cast<std::uint8_t>(kVkControl), ctrlFlags());
  keyboard_.SendKeyEvent(static_cast<std::uint8_t>(kVkV), 0);
  keysHeld_ = true;
  keysUp_.Set(timers_, window, kKeysUpTimerId, kKeysUpLatestMs);
}

void SimulatedPaste::ReleaseKeys() noexcept {
  if (!keysHeld_) return;
  keyboard_.SendKeyEvent(static_cast<std::uint8_t>(kVkV), kKeyEventKeyUp);
  keyboard_.SendKeyEvent(static_cast<std::uint8_t>(kVkControl), ctrlFlags() | kKeyEventKeyUp);
  if (stateSaved_) keyboard_.SetKeyboardState(SavedWithLiveShiftAndAlt());
  keysHeld_ = false;
  vTaken_ = false;
  stateSaved_ = false;
}

// The user's release of Shift or Alt during the paste was taken into the
// thread's state and would be undone by the saved state, and no later key-up
// comes to mend it. Ctrl keeps the saved bit: the live Ctrl is our own
// injected one, and our Ctrl up, still queued, follows the restore anyway.
// Toggle bits and Caps Lock stay as saved.
const KeyboardState& SimulatedPaste::SavedWithLiveShiftAndAlt() noexcept {
  working_ = saved_;
  for (const unsigned key : {kVkShift, kVkLShift, kVkRShift, kVkMenu, kVkLMenu, kVkRMenu}) {
    const bool held = keyboard_.GetAsyncKeyState(key) < 0;
    working_[key] = static_cast<std::uint8_t>((working_[key] & ~0x80u) | (held ? 0x80u : 0u));
  }
  return working_;
}

void SimulatedPaste::Abort() noexcept {
  keysDown_.Kill(timers_);
  keysUp_.Kill(timers_);
  ReleaseKeys();
}

}  // namespace tarvok

// The injected Ctrl+V: keys down 100 ms after the hot key, keys up 200 ms
// later, each in a window timer on the focused window so that the focused
// program has handled the hot key itself before it sees the paste.
#pragma once

#include <cstdint>

#include "KeyboardSeam.h"
#include "TimerSeam.h"

namespace tarvok {

inline constexpr unsigned kKeysDownDelayMs = 100;
inline constexpr unsigned kKeysUpDelayMs = 200;

class SimulatedPaste {
 public:
  constexpr SimulatedPaste(KeyboardSeam& keyboard, TimerSeam& timers) noexcept
      : keyboard_(keyboard), timers_(timers) {}

  // `extended`: the right Ctrl key was used, so the injected Ctrl is the
  // right one as well.
  void StartSimulatedPaste(WindowRef window, bool extended) noexcept;
  // Runs the timer's step when the timer is one of ours; false otherwise.
  bool OnTimer(WindowRef window, std::uintptr_t id) noexcept;
  // From the start until the keys are up again: the program may not have
  // read the clipboard yet.
  [[nodiscard]] bool InProgress() const noexcept { return keysDown_.pending() || keysHeld_; }
  // The library is leaving the process: nothing may stay pressed and no
  // timer may fire into code that is gone.
  void Abort() noexcept;
  // A timer of the paste went with its window.
  [[nodiscard]] bool TimerLost() noexcept { return keysDown_.lost(timers_) || keysUp_.lost(timers_); }

 private:
  void PasteKeysDownTimer(WindowRef window) noexcept;
  void PasteKeysUpTimer() noexcept;
  void ReleaseKeys() noexcept;
  [[nodiscard]] const KeyboardState& SavedWithLiveShiftAndAlt() noexcept;
  [[nodiscard]] std::uint32_t ctrlFlags() const noexcept { return extended_ ? kKeyEventExtended : 0; }

  KeyboardSeam& keyboard_;
  TimerSeam& timers_;
  KeyboardState saved_{};
  KeyboardState working_{};
  bool extended_ = false;
  bool keysHeld_ = false;
  bool stateSaved_ = false;
  PendingTimer keysDown_{};
  PendingTimer keysUp_{};
};

}  // namespace tarvok

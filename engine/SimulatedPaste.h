// The injected Ctrl+V: keys down 100 ms after the hot key, in a window timer
// on the focused window so that the focused program has handled the hot key
// itself before it sees the paste. The keys go up again as soon as the
// program has taken our V: every key the user types while our Ctrl is down
// would reach the program as a Ctrl shortcut.
#pragma once

#include <cstdint>

#include "KeyboardSeam.h"
#include "TimerSeam.h"

namespace tarvok {

inline constexpr unsigned kKeysDownDelayMs = 100;
// The latest moment the keys go up when our V never reaches this thread
// (the focus went to another program in between). A window timer fires only
// when the thread's queue holds no input, so a V that did arrive is taken
// before it.
inline constexpr unsigned kKeysUpLatestMs = 20;

class SimulatedPaste {
 public:
  constexpr SimulatedPaste(KeyboardSeam& keyboard, TimerSeam& timers) noexcept
      : keyboard_(keyboard), timers_(timers) {}

  // `extended`: the right Ctrl key was used, so the injected Ctrl is the
  // right one as well.
  void StartSimulatedPaste(WindowRef window, bool extended) noexcept;
  // Runs the timer's step when the timer is one of ours; false otherwise.
  bool OnTimer(WindowRef window, std::uintptr_t id) noexcept;
  // Each message a thread of the program takes from its queue while the
  // keys are down. Our V key press is handled by the program before it
  // takes its next message (the V's own character included, which
  // TranslateMessage posts ahead of any input): that is when the keys go up
  // and the thread's keyboard state is put back, so the program reads Ctrl
  // down all through its handling of the V.
  void MessageTaken(unsigned message, std::uintptr_t wParam) noexcept;
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
  void ReleaseKeys() noexcept;
  [[nodiscard]] const KeyboardState& SavedWithLiveShiftAndAlt() noexcept;
  [[nodiscard]] std::uint32_t ctrlFlags() const noexcept { return extended_ ? kKeyEventExtended : 0; }

  KeyboardSeam& keyboard_;
  TimerSeam& timers_;
  KeyboardState saved_{};
  KeyboardState working_{};
  bool extended_ = false;
  bool keysHeld_ = false;
  bool vTaken_ = false;
  bool stateSaved_ = false;
  PendingTimer keysDown_{};
  PendingTimer keysUp_{};
};

}  // namespace tarvok

// Window timers. SetTimer on a null window ignores the identifier it is
// given and makes up its own, so the seam returns the identifier to kill.
#pragma once

#include <cstdint>

#include "KeyboardSeam.h"

namespace tarvok {

inline constexpr std::uintptr_t kKeysDownTimerId = 699000699;
inline constexpr std::uintptr_t kKeysUpTimerId = 698000698;
inline constexpr std::uintptr_t kClipboardRestoreTimerId = 111000111;

class TimerSeam {
 public:
  // The identifier the timer will fire with and must be killed with; 0 when
  // no timer was set.
  virtual std::uintptr_t SetTimer(WindowRef window, std::uintptr_t id, unsigned milliseconds) noexcept = 0;
  virtual void KillTimer(WindowRef window, std::uintptr_t id) noexcept = 0;
  // False once the window is destroyed, which takes its timers with it.
  virtual bool WindowExists(WindowRef window) noexcept = 0;

 protected:
  ~TimerSeam() = default;
};

// A timer that is set, remembered so that only its own firing is acted on
// and so that it can be killed on the window it was set on.
struct PendingTimer {
  WindowRef window = nullptr;
  std::uintptr_t id = 0;

  [[nodiscard]] bool pending() const noexcept { return id != 0; }
  [[nodiscard]] bool is(WindowRef firedWindow, std::uintptr_t firedId) const noexcept {
    return id != 0 && id == firedId && window == firedWindow;
  }
  void Set(TimerSeam& timers, WindowRef on, std::uintptr_t wanted, unsigned milliseconds) noexcept {
    Kill(timers);
    window = on;
    id = timers.SetTimer(on, wanted, milliseconds);
  }
  // Set on a window that has been destroyed since: it will never fire.
  [[nodiscard]] bool lost(TimerSeam& timers) const noexcept {
    return id != 0 && window != nullptr && !timers.WindowExists(window);
  }
  void Kill(TimerSeam& timers) noexcept {
    if (id != 0) timers.KillTimer(window, id);
    window = nullptr;
    id = 0;
  }
};

}  // namespace tarvok

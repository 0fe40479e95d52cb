// Delivering a result into the focused program: the user's clipboard is
// saved, the result put there, Ctrl+V injected 100 ms after the hot key and
// let go once the program has taken it, and the user's clipboard given back
// 300 ms after the hot key. The steps are public so that the line
// form can call the converter between them.
#pragma once

#include <cstdint>
#include <string_view>

#include "ClipboardExchange.h"
#include "SimulatedPaste.h"

namespace tarvok {

inline constexpr unsigned kClipboardRestoreDelayMs = 300;
// How often a restore that found the clipboard busy is tried again.
inline constexpr unsigned kRestoreRetryDelayMs = 100;
inline constexpr int kRestoreAttempts = 20;

class ResultDelivery {
 public:
  constexpr ResultDelivery(ClipboardSeam& clipboard, KeyboardSeam& keyboard, TimerSeam& timers) noexcept
      : clipboard_(clipboard), keyboard_(keyboard), timers_(timers), exchange_(clipboard),
        paste_(keyboard, timers) {}

  // The whole delivery of a number text. False when nothing was delivered:
  // the clipboard stayed busy, or an empty text came while an earlier
  // delivery was still under way.
  bool PasteResultText(std::string_view text);

  // Saves the user's clipboard and leaves it empty. A delivery whose restore
  // is still due keeps the clipboard saved before it. False: no window has
  // the focus, or the clipboard stayed busy; deliver nothing.
  bool BeginDelivery();
  bool PutText(std::string_view text) noexcept;
  // The 8-bit text converted with the system code page; raises
  // ClipboardWriteError.
  void PutUnicodeText(std::string_view text);
  // Starts the paste and the restore. Until it is called, an ended delivery
  // gives the user's clipboard back at once (see DeliveryScope).
  void FinishDelivery() noexcept;
  void AbandonDelivery() noexcept;

  bool OnTimer(WindowRef window, std::uintptr_t id) noexcept;
  // Called while InProgress for each message a thread takes from its queue:
  // the paste's keys go up once the program has taken our V.
  void MessageTaken(unsigned message, std::uintptr_t wParam) noexcept { paste_.MessageTaken(message, wParam); }
  // Called while InProgress for each message the thread takes: when the
  // window that holds our timers has been destroyed, the delivery is ended
  // here, or the keys would stay down and the user's clipboard away.
  void CheckTimerWindow() noexcept;
  // Between the hot key and the user's clipboard coming back.
  [[nodiscard]] bool InProgress() const noexcept { return restore_.pending(); }
  // The library leaves the process: keys released, timers killed, the
  // user's clipboard given back.
  void Shutdown() noexcept;

 private:
  void ClipboardRestoreTimer(WindowRef window) noexcept;

  ClipboardSeam& clipboard_;
  KeyboardSeam& keyboard_;
  TimerSeam& timers_;
  ClipboardExchange exchange_;
  SimulatedPaste paste_;
  PendingTimer restore_{};
  int restoreAttempts_ = 0;
  bool textPut_ = false;
};

// Abandons a begun delivery that is left before FinishDelivery, so an
// error on the way never leaves the user with an empty clipboard.
class DeliveryScope {
 public:
  explicit DeliveryScope(ResultDelivery& delivery) noexcept : delivery_(delivery) {}
  ~DeliveryScope() {
    if (!finished_) delivery_.AbandonDelivery();
  }
  DeliveryScope(const DeliveryScope&) = delete;
  DeliveryScope& operator=(const DeliveryScope&) = delete;
  void Finish() noexcept {
    finished_ = true;
    delivery_.FinishDelivery();
  }

 private:
  ResultDelivery& delivery_;
  bool finished_ = false;
};

}  // namespace tarvok

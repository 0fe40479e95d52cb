// The order of the delivery steps and the restore timer. The window of each
// step is the focused one, asked anew, as the focus may move meanwhile.
#include "ResultDelivery.h"

namespace tarvok {

bool ResultDelivery::PasteResultText(std::string_view text) {
  // A hot key pressed again at once (a double press, an auto-repeat) has
  // nothing typed before it. Its empty paste would take the place of the
  // earlier result before that one reached the program.
  if (text.empty() && InProgress()) return false;
  if (!BeginDelivery()) return false;
  DeliveryScope scope(*this);
  PutText(text);
  PutUnicodeText(text);
  scope.Finish();
  return true;
}

bool ResultDelivery::BeginDelivery() {
  textPut_ = false;
  const WindowRef window = keyboard_.FocusedWindow();
  // Without a focused window there is nothing to paste into, and a clipboard
  // opened without a window and emptied refuses all data on Windows: the
  // result could not be put there, nor the user's formats put back.
  if (window == nullptr) return false;
  if (exchange_.HoldsSavedClipboard()) {
    restore_.Kill(timers_);
    if (!exchange_.ChangedSinceOwnWrites()) {
      // Overlapping hot keys: the clipboard holds the earlier result, not
      // the user's data, so it must not be saved over the user's copy.
      exchange_.EmptyClipboard(window);
      return true;
    }
    // The user copied something since: that is what comes back now.
    exchange_.DiscardSavedClipboard();
  }
  return exchange_.SaveClipboard(window);
}

bool ResultDelivery::PutText(std::string_view text) noexcept {
  textPut_ = exchange_.PutClipboardText(keyboard_.FocusedWindow(), text, true);
  return textPut_;
}

void ResultDelivery::PutUnicodeText(std::string_view text) {
  exchange_.PutClipboardUnicodeText(keyboard_.FocusedWindow(), clipboard_.WidenText(text), false);
}

void ResultDelivery::FinishDelivery() noexcept {
  if (textPut_) exchange_.MarkAsTemporary(keyboard_.FocusedWindow());
  exchange_.NoteOwnWrites();
  restoreAttempts_ = 0;
  restore_.Set(timers_, keyboard_.FocusedWindow(), kClipboardRestoreTimerId, kClipboardRestoreDelayMs);
  if (!restore_.pending()) {
    // Without a restore timer the user's clipboard would never come back:
    // give it back now and paste nothing.
    AbandonDelivery();
    return;
  }
  const bool rightCtrl = (static_cast<std::uint16_t>(keyboard_.GetKeyState(kVkRControl)) & 0x8000u) != 0;
  paste_.StartSimulatedPaste(keyboard_.FocusedWindow(), rightCtrl);
}

void ResultDelivery::AbandonDelivery() noexcept {
  restore_.Kill(timers_);
  exchange_.NoteOwnWrites();
  restoreAttempts_ = 0;
  ClipboardRestoreTimer(keyboard_.FocusedWindow());
}

bool ResultDelivery::OnTimer(WindowRef window, std::uintptr_t id) noexcept {
  if (paste_.OnTimer(window, id)) return true;
  if (!restore_.is(window, id)) return false;
  restore_.Kill(timers_);
  // A program that did not pump messages for a while gets all our overdue
  // timers at once, in an order Windows does not promise; the user's
  // clipboard must not be back before Ctrl+V has been read, or it would be
  // pasted in place of the result. The restore waits for a later timer: a
  // timer fires only once the thread's queue is empty, so the paste's own
  // messages have been handled by then.
  if (paste_.InProgress()) {
    restore_.Set(timers_, window, kClipboardRestoreTimerId, kRestoreRetryDelayMs);
    // Without a timer the user's clipboard would never come back.
    if (!restore_.pending()) ClipboardRestoreTimer(window);
    return true;
  }
  ClipboardRestoreTimer(window);
  return true;
}

void ResultDelivery::ClipboardRestoreTimer(WindowRef window) noexcept {
  if (exchange_.RestoreClipboard(window) != RestoreOutcome::Busy) return;
  if (++restoreAttempts_ < kRestoreAttempts) {
    restore_.Set(timers_, window, kClipboardRestoreTimerId, kRestoreRetryDelayMs);
  }
  // Given up for now, the copy is kept: the next delivery in this program
  // ends with it, unless the user has copied something else by then.
}

void ResultDelivery::CheckTimerWindow() noexcept {
  if (!paste_.TimerLost() && !restore_.lost(timers_)) return;
  paste_.Abort();
  restore_.Kill(timers_);
  const WindowRef window = keyboard_.FocusedWindow();
  // Opened without a window the clipboard would take no data back; the copy
  // then waits for the next delivery.
  if (window != nullptr) ClipboardRestoreTimer(window);
}

void ResultDelivery::Shutdown() noexcept {
  paste_.Abort();
  restore_.Kill(timers_);
  if (exchange_.RestoreClipboard(keyboard_.FocusedWindow()) == RestoreOutcome::Busy) {
    exchange_.DiscardSavedClipboard();
  }
}

}  // namespace tarvok

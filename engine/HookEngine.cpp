// The hook procedures' logic. Each ends by calling the next hook exactly
// once, whatever its own work did. The program gets every event, except the
// calculating press of the hot key (and its release) when the user asked
// for them to be kept from it.
#include "HookEngine.h"

#include <array>
#include <string>

#include "TypingCapture.h"

namespace tarvok {
namespace {

class DeliveryClaim {
 public:
  explicit DeliveryClaim(std::atomic_flag& busy) noexcept
      : busy_(busy), claimed_(!busy.test_and_set(std::memory_order_acquire)) {}
  ~DeliveryClaim() {
    if (claimed_) busy_.clear(std::memory_order_release);
  }
  DeliveryClaim(const DeliveryClaim&) = delete;
  DeliveryClaim& operator=(const DeliveryClaim&) = delete;
  explicit operator bool() const noexcept { return claimed_; }

 private:
  std::atomic_flag& busy_;
  bool claimed_;
};

}  // namespace

void HookEngine::Load(unsigned optionsUpdateMessage) noexcept {
  settings_ = SettingsCopy{};
  ResetTypedText(typed_);
  deadKey_ = DeadKeyState{};
  optionsUpdateMessage_ = optionsUpdateMessage;
  LoadSharedSettings(seams_.block, settings_);
}

void HookEngine::Unload() noexcept {
  const DeliveryClaim claim(deliveryBusy_);
  if (claim) delivery_.Shutdown();
}

std::intptr_t HookEngine::KeyboardProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept {
  // On 64-bit Windows a hook of the other bitness runs in the thread that
  // installed it (tarvok.exe, or the helper for the 64-bit library), for a
  // key typed into another program. That program's own copy of the other
  // library records and calculates; this call only chains, or the result
  // would be logged twice and could be pasted into the installer's window.
  bool kept = false;
  if (code == kHcAction) {
    const KeyboardSeam::KeyFocus focus = seams_.keyboard.FocusOfKey();
    kept = !focus.inOtherProcess && OnKeyEvent(wParam, lParam, focus.passwordField);
  }
  const std::intptr_t next = seams_.chain.CallNextHook(settings_.KeyboardHook, code, wParam, lParam);
  // Nonzero keeps the message from the program; the hooks after ours have
  // still seen it.
  return kept ? 1 : next;
}

std::intptr_t HookEngine::GetMessageProc(int code, std::uintptr_t wParam, std::intptr_t lParam,
                                         const QueuedMessage* message) noexcept {
  if (code == kHcAction && message != nullptr) OnQueuedMessage(*message, (wParam & kPmRemove) != 0);
  return seams_.chain.CallNextHook(settings_.GetMessageHook, code, wParam, lParam);
}

std::intptr_t HookEngine::CallWndProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept {
  return seams_.chain.CallNextHook(settings_.CallWndProcHook, code, wParam, lParam);
}

std::intptr_t HookEngine::ShellHookProc(int code, std::uintptr_t wParam, std::intptr_t lParam) noexcept {
  return seams_.chain.CallNextHook(settings_.ShellHook, code, wParam, lParam);
}

void HookEngine::TimerFired(WindowRef window, std::uintptr_t id) noexcept {
  // Only our own timers reach this procedure. One that is no longer awaited
  // (set on another thread's window, which this thread cannot kill) would
  // otherwise keep firing into the program, and into nothing once the
  // library is unloaded.
  // While another thread delivers, the timer is left to fire again.
  const DeliveryClaim claim(deliveryBusy_);
  if (!claim) return;
  if (!delivery_.OnTimer(window, id)) seams_.timers.KillTimer(window, id);
}

bool HookEngine::OnKeyEvent(std::uintptr_t wParam, std::intptr_t lParam, bool passwordField) noexcept {
  const auto keyData = static_cast<std::uint32_t>(lParam);
  const auto key = static_cast<unsigned>(wParam);
  if ((keyData & kKeyReleasedBit) != 0 && key == heldBackKey_) {
    heldBackKey_ = 0;
    return true;
  }
  if (!HandleKeyEvent(typed_, deadKey_, settings_, seams_.keyboard, key, keyData, passwordField)) return false;
  RunHotKey();
  if (!settings_.KeepHotKeyFromProgram) return false;
  heldBackKey_ = key;
  return true;
}

void HookEngine::OnQueuedMessage(const QueuedMessage& message, bool removed) noexcept {
  if (optionsUpdateMessage_ != 0 && message.message == optionsUpdateMessage_) {
    RefreshSharedSettings(seams_.block, settings_);
  }
  // A program that peeks at a message before taking it shows it to the hook
  // twice; a Backspace counted at both would erase two characters.
  if (removed) HandleQueuedMessage(typed_, message.message, message.wParam);
  if (delivery_.InProgress()) {
    const DeliveryClaim claim(deliveryBusy_);
    if (!claim) return;
    if (removed) delivery_.MessageTaken(message.message, message.wParam);
    delivery_.CheckTimerWindow();
  }
}

void HookEngine::RunHotKey() noexcept {
  std::array<char, kTypedTextCells> cells{};
  const std::size_t length = ReadTypedText(typed_, cells);
  ResetTypedText(typed_);
  const DeliveryClaim claim(deliveryBusy_);
  if (!claim) return;
  try {
    RunHotKeySequence(std::string_view(cells.data(), length), settings_,
                      {seams_.registry, seams_.log, seams_.plugin, delivery_});
  } catch (...) {
    // Nothing may reach the program the hook runs in; the key still passes.
  }
}

}  // namespace tarvok

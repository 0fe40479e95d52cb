// One calculation as a user makes it, driven from inside the hooked program:
// a break, the expression typed key by key, the hot key with Ctrl released
// at one of three moments, then the program's own message loop run until
// the delivery is over (result in the field, keys up, the user's clipboard
// back). Every wait is on a condition with a time limit.
#pragma once

#include <windows.h>

#include <string>

#include "ControlDelivery.h"
#include "HostState.h"

namespace tarvok::resident {

// When the hot key's modifiers are let go.
enum class CtrlRelease {
  AtOnce,         // a quick press
  DuringPaste,    // held until the simulated Ctrl+V is down
  AfterDelivery,  // held until the clipboard is back
};

struct Round {
  std::string typed;   // digits and + - * / only
  std::string pasted;  // what the field must gain; empty when the evaluation fails
  CtrlRelease release;
  bool withShift = false;  // the hot key is Ctrl+Shift+=
};

class HotKeyRounds {
 public:
  HotKeyRounds(HWND window, HWND field, std::string userClipboardText);
  // The control: each round's delivery is made by `control` instead of the
  // hot key, and Ctrl is never pressed.
  void DeliverWithoutLibrary(ControlDelivery& control) { control_ = &control; }

  // The window in front with the field focused, the user's text on the
  // clipboard, no keys down. Empty when ready, else what failed.
  std::string Prepare();
  // Empty when the round went as a user expects and the thread's state is
  // still `baseline` at its end; otherwise what went wrong.
  std::string Run(const Round& round, const HostState& baseline);
  // Pumps messages until nothing is left for a short while.
  void Settle();

 private:
  // Takes and handles one message, if there is one.
  bool DispatchOne();
  template <typename Condition>
  bool PumpUntil(Condition condition, DWORD limitMs);
  bool PumpUntilPasteKeysDown();
  std::string Type(const std::string& typed);
  [[nodiscard]] std::string FieldText() const;
  [[nodiscard]] bool ClipboardIsUsers();
  bool PutUserClipboard();

  HWND window_;
  HWND field_;
  std::string userText_;
  std::string fpuChange_;  // the first change of the x87 state seen between messages
  std::uint16_t expectedFpuControl_ = 0;
  ControlDelivery* control_ = nullptr;
};

}  // namespace tarvok::resident

// The window the Windows benchmarks type into (tarvok-target or any program
// with an Edit field): finding it, making it the foreground window, reading
// its field and pressing keys that go to it. The quiet target of
// quiet_target.cpp has no field and counts characters instead.
#pragma once

#include <windows.h>

#include <string>

#include "PerfClock.h"

namespace tarvok::bench {

class TargetField {
 public:
  // By window class or, failing that, by exact title.
  explicit TargetField(const char* name);
  bool Found() const { return field_ != nullptr; }
  HWND Window() const { return window_; }

  // Input goes to the foreground window's focus; waits up to 10 s.
  bool MakeForeground() const;
  // -1 when the field does not answer.
  long TextLength() const;
  bool ReadText(std::string& text) const;
  bool Clear() const;

  // Presses and releases the key, then waits until the field holds more
  // characters than before. Returns the microseconds that took, or a
  // negative value when the character never arrived.
  double TypeKey(BYTE virtualKey, const PerfClock& clock) const;
  // Presses and releases all the keys in one go, then waits until the field
  // holds that many more characters. Returns the microseconds that took, or
  // a negative value when they never all arrived.
  double TypeBurst(const std::string& keys, const PerfClock& clock) const;
  // Ctrl held around the key, as a user presses a hot key.
  static void PressWithCtrl(BYTE virtualKey);

 private:
  HWND window_ = nullptr;
  HWND field_ = nullptr;
  UINT lengthMessage_ = WM_GETTEXTLENGTH;
};

}  // namespace tarvok::bench

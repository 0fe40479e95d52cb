// The 64-bit helper, tarvok64.exe, as the controller runs it. On 64-bit
// Windows calc.dll reaches only the 32-bit programs; the helper installs
// calc64.dll for the 64-bit ones. It is started by full path from the
// controller's own folder after the controller's hooks are in, and ended
// before them. It also ends by itself when the controller's process ends,
// however that happens.
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

namespace tarvok {

// True when this (32-bit) program runs on 64-bit Windows.
bool SystemIs64Bit();

class HelperProcess {
 public:
  enum class Outcome {
    NotStarted,  // never asked, or stopped since
    Running,     // its hooks are in (or it is still on its way there)
    Missing,     // tarvok64.exe or calc64.dll is not in the folder
    Failed,      // it could not be started or ended before its hooks were in
  };

  HelperProcess() = default;
  ~HelperProcess() { Stop(); }
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  // Starts the helper from `folder` (with its closing backslash) and waits
  // until its hooks are in or it has ended.
  Outcome Start(const std::string& folder);
  // Has the helper take its hooks out and end, and waits for that.
  void Stop();

  [[nodiscard]] Outcome LastOutcome() const { return outcome_; }
  [[nodiscard]] DWORD ProcessId() const { return processId_; }

 private:
  Outcome Launch(const std::string& folder);

  ScopedHandle process_;
  ScopedHandle stop_;
  ScopedHandle ready_;
  DWORD processId_ = 0;
  Outcome outcome_ = Outcome::NotStarted;
};

}  // namespace tarvok

// The helper of the other bitness (tarvok64.exe beside a 32-bit
// tarvok.exe, tarvok32.exe beside a 64-bit one) as the controller runs it.
// Windows loads a hook library only into programs of its own bitness; the
// helper installs the other bitness's library for the rest. It is started by
// full path from the controller's own folder and ended before the
// controller's hooks go. It also ends by itself when the controller's
// process ends, however that happens.
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

namespace tarvok {

// True when this program runs on 64-bit Windows: a 64-bit program always
// does, a 32-bit one when it runs under WOW64.
bool SystemIs64Bit();

// Under Wine only the hook set installed last in a process runs (Windows
// runs both whatever the order): the 64-bit set goes last, for the 64-bit
// programs. So a 64-bit controller has its helper's hooks put in first.
inline constexpr bool kHelperHooksFirst = sizeof(void*) == 8;

class HelperProcess {
 public:
  enum class Outcome {
    NotStarted,  // never asked, or stopped since
    Running,     // its hooks are in (or it is still on its way there)
    Missing,     // the helper or its hook library is not in the folder
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

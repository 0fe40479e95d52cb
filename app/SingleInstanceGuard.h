// Keeps tarvok.exe to one copy per session. The check runs once, after the
// options window exists and before the program starts: two named
// mutexes tell whether another copy runs; if so, that copy's application
// window is brought forward and told "WM_Start2tarvok", and this copy ends
// without installing or writing anything.
#pragma once

#include <windows.h>

#include <string>

namespace tarvok {

// What the guard needs of the application object.
class SingleInstanceHost {
 public:
  virtual ~SingleInstanceHost() = default;
  [[nodiscard]] virtual std::string Title() const = 0;
  [[nodiscard]] virtual HWND ApplicationWindow() const = 0;
  [[nodiscard]] virtual std::string ApplicationClassName() const = 0;
  virtual void Terminate() = 0;
};

inline constexpr char kStartMessageName[] = "WM_Start2tarvok";

class SingleInstanceGuard {
 public:
  explicit SingleInstanceGuard(SingleInstanceHost& host) : host_(host) {}
  // The instance mutex must stay owned until the process ends, and the lock
  // of a copy that gave way is simply left for Windows to close with it; the
  // handles are deliberately not closed.
  ~SingleInstanceGuard() = default;
  SingleInstanceGuard(const SingleInstanceGuard&) = delete;
  SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

  // True when another copy runs: that copy is brought forward and told, and
  // the host is told to end.
  bool GiveWayToRunningCopy();
  // True when another copy holds the instance mutex, or when that cannot be
  // told safely (the lock mutex exists already or cannot be created).
  [[nodiscard]] bool AnotherInstanceRunning();
  [[nodiscard]] HWND FindRunningCopyWindow() const;

 private:
  void ActivateRunningCopy() const;
  // The mutexes' names begin with the title and ".OneInstance.".
  [[nodiscard]] std::string MutexBaseName() const { return host_.Title() + ".OneInstance."; }

  SingleInstanceHost& host_;
  HANDLE lock_ = nullptr;      // kept open when the check gave way to another copy
  HANDLE instance_ = nullptr;  // owned for the life of the process
};

}  // namespace tarvok

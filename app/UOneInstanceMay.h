// Keeps tarvok.exe to one copy per session. The check runs once, after the
// options window's controls exist and before its FormCreate: two named
// mutexes tell whether another copy runs; if so, that copy's application
// window is brought forward and told "WM_Start2tarvok", and this copy ends
// without installing or writing anything.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tarvok {

// What the guard needs of the application object.
class OneInstanceHost {
 public:
  virtual ~OneInstanceHost() = default;
  [[nodiscard]] virtual std::string Title() const = 0;
  [[nodiscard]] virtual std::string ExeName() const = 0;
  [[nodiscard]] virtual HWND ApplicationWindow() const = 0;
  [[nodiscard]] virtual std::string ApplicationClassName() const = 0;
  [[nodiscard]] virtual bool ShowMainForm() const = 0;
  virtual void SetShowMainForm(bool show) = 0;
  virtual void Terminate() = 0;
};

inline constexpr char kStartMessageName[] = "WM_Start2tarvok";

// The mutex names share this base: the title (or the upper-cased program
// path), the identifier, ".OneInstance.", with backslashes made slashes.
[[nodiscard]] std::string MutexBaseName(const std::string& titleOrPath, bool exeNameAsIdentifier,
                                        const std::string& identifier);

class TMayComponent {
 public:
  virtual ~TMayComponent() = default;
  std::string About;  // not used at run time
};

class TMOneInstance : public TMayComponent {
 public:
  explicit TMOneInstance(OneInstanceHost& host) : host_(host) {}
  ~TMOneInstance() override;
  TMOneInstance(const TMOneInstance&) = delete;
  TMOneInstance& operator=(const TMOneInstance&) = delete;

  bool ActivatePrevInstance = true;
  bool ExeNameAsIdentifier = false;
  bool ShowMessage = false;
  std::function<void(TMOneInstance& sender, bool& terminate)> OnShowMessage;
  std::string Message;
  std::string Identifier;

  // The point where the owning window's controls are complete.
  void Loaded() { ProcessInstance(); }

  // True when another instance was found and handled.
  virtual bool ProcessInstance();
  // True when another instance holds the instance mutex, or when that cannot
  // be told safely (the lock mutex exists already or cannot be created).
  [[nodiscard]] virtual bool AnotherInstanceRunning();
  [[nodiscard]] HWND FindPrevInstanceWindow() const;

 protected:
  virtual void DoActivatePrevInstance();
  virtual void DoShowMessage();

 private:
  [[nodiscard]] std::string BaseName() const;

  OneInstanceHost& host_;
  bool terminate_ = false;
  HANDLE lock_ = nullptr;      // kept open when the check gave way to another copy
  HANDLE instance_ = nullptr;  // owned for the life of the process
};

}  // namespace tarvok

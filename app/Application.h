// The application object of tarvok.exe: the hidden top-level window of class
// "TApplication" titled "Tarvok" (the single-instance guard of another copy
// looks for it), the program's path and help file, and the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "RunningCopyNames.h"
#include "SingleInstanceGuard.h"

namespace tarvok {

inline constexpr char kHelpFileName[] = "Tarvok HTML help.chm";

class Application final : public SingleInstanceHost {
 public:
  explicit Application(HINSTANCE instance) : instance_(instance) {}
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates the hidden application window. False when Windows refuses.
  bool Initialize();

  // Runs until Terminate; dialog keys (Tab, Enter, Escape) go to `dialog`.
  int Run(HWND dialog);
  // Handles whatever is queued now, then returns.
  void ProcessMessages();

  // What to do when "tarvok.exe /exit" asks this copy to end (see
  // ExitRequest.h); the request is ignored until this is set.
  void SetExitRequestHandler(std::function<void()> handler) { exitRequestHandler_ = std::move(handler); }

  [[nodiscard]] HINSTANCE Instance() const { return instance_; }
  [[nodiscard]] HWND Handle() const { return window_; }
  [[nodiscard]] bool Terminated() const { return terminated_; }
  [[nodiscard]] const std::string& HelpFile() const { return helpFile_; }

  // The program file's full path.
  [[nodiscard]] std::string ExeName() const;
  // Asks the process's working set back from Windows; called whenever the
  // program goes back to waiting in the tray.
  static void TrimWorkingSet();

  // SingleInstanceHost
  std::string Title() const override { return kApplicationTitle; }
  HWND ApplicationWindow() const override { return window_; }
  std::string ApplicationClassName() const override { return kApplicationClass; }
  void Terminate() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  UINT exitMessage_ = 0;
  std::function<void()> exitRequestHandler_;
  bool terminated_ = false;
  std::string helpFile_ = kHelpFileName;
};

}  // namespace tarvok

// Starting and stopping the system-wide hooks: the shared settings block,
// calc.dll loaded into this process, and the two hooks that make Windows
// load it into every other program. Every failed system call is reported
// through the MessageReporter and the controller keeps running.
#pragma once

#include <windows.h>

#include <string>

#include "HookSettings.h"
#include "MessageReporter.h"
#include "ScopedHandle.h"
#include "TypeUnit.h"

namespace tarvok {

class WorkUnit {
 public:
  explicit WorkUnit(MessageReporter& reporter) : reporter_(reporter) {}
  ~WorkUnit() = default;  // the owner calls StopWork; the members release the rest
  WorkUnit(const WorkUnit&) = delete;
  WorkUnit& operator=(const WorkUnit&) = delete;

  // calc.dll is loaded by this full path (the program's folder), never by
  // bare name, so no other file of that name on the search path can be
  // installed into every program on the desktop.
  void SetLibraryPath(std::string path) { libraryPath_ = std::move(path); }

  // Returns false only when an unexpected exception interrupted it.
  bool StartWork(const HookSettings& settings);
  bool StopWork();

  // Apply: rewrites the settings fields and announces them to every
  // program. Does nothing and returns false when no block is mapped.
  bool ApplySettings(const HookSettings& settings);

  [[nodiscard]] bool BlockMapped() const { return view_.valid(); }
  [[nodiscard]] bool LibraryLoaded() const { return library_.valid(); }
  // Both hooks are in place: calc.dll reaches every program and calculates.
  [[nodiscard]] bool HooksInstalled() const { return getMessageHook_ != nullptr && keyboardHook_ != nullptr; }
  [[nodiscard]] const GlobalHookData* Block() const {
    return static_cast<const GlobalHookData*>(view_.get());
  }
  [[nodiscard]] UINT OptionsUpdateMessage() const { return optionsUpdateMessage_; }

 private:
  void Report(const char* text);
  void ReportWithCode(const char* text, DWORD code);
  [[nodiscard]] GlobalHookData* MutableBlock() const { return static_cast<GlobalHookData*>(view_.get()); }
  bool CreateBlock();
  void InstallHooks(HOOKPROC getMessageProc, HOOKPROC keyboardProc);
  void RemoveHooks();

  MessageReporter& reporter_;
  std::string libraryPath_ = kHookLibraryFileName;
  UINT optionsUpdateMessage_ = 0;
  ScopedHandle mapping_;   // FGlobalHookDataMMFHandle
  ScopedMappedView view_;  // GlobalHookData
  ScopedModule library_;   // HookLibrary
  HHOOK getMessageHook_ = nullptr;
  HHOOK keyboardHook_ = nullptr;
};

}  // namespace tarvok

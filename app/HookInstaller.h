// Starting and stopping the system-wide hooks: the shared settings block,
// the hook library of this program's bitness loaded into this process, and the two hooks that make Windows
// load it into every other program. Every failed system call is reported
// through the MessageReporter and the controller keeps running.
#pragma once

#include <windows.h>

#include <string>

#include "HelperProcess.h"
#include "HookSettings.h"
#include "LanguageFile.h"
#include "MessageReporter.h"
#include "ScopedHandle.h"
#include "SharedBlock.h"
#include "SystemHooks.h"

namespace tarvok {

class HookInstaller {
 public:
  explicit HookInstaller(MessageReporter& reporter) : reporter_(reporter) {}
  ~HookInstaller() = default;  // the owner calls Stop; the members release the rest
  HookInstaller(const HookInstaller&) = delete;
  HookInstaller& operator=(const HookInstaller&) = delete;

  // calc.dll is loaded by this full path (the program's folder), never by
  // bare name, so no other file of that name on the search path can be
  // installed into every program on the desktop.
  void SetLibraryPath(std::string path) { libraryPath_ = std::move(path); }
  // The language's texts for the boxes about the hook library.
  void SetTexts(const LanguageTexts& texts) { texts_ = texts; }

  // Returns false only when an unexpected exception interrupted it. On
  // 64-bit Windows Start also starts the helper of the other bitness,
  // and Stop ends it first. Stop keeps this program's copy of the
  // library loaded for the next Start; ReleaseLibrary lets go of it.
  bool Start(const HookSettings& settings);
  bool Stop();
  void ReleaseLibrary();
  // Ends the helper ahead of Stop (Exit does so before it takes
  // the tray icon away, which can block for a while).
  void StopHelper() { helper_.Stop(); }
  // What the last start of the helper came to; NotStarted on 32-bit Windows.
  [[nodiscard]] HelperProcess::Outcome HelperOutcome() const { return helper_.LastOutcome(); }
  [[nodiscard]] DWORD HelperProcessId() const { return helper_.ProcessId(); }

  // Apply: rewrites the settings fields and announces them to every
  // program. Does nothing and returns false when no block is mapped.
  bool ApplySettings(const HookSettings& settings);

  [[nodiscard]] bool BlockMapped() const { return view_.valid(); }
  [[nodiscard]] bool LibraryLoaded() const { return hooks_.LibraryLoaded(); }
  // Both hooks are in place: the hook library reaches every program of this
  // program's bitness and calculates.
  [[nodiscard]] bool HooksInstalled() const { return hooks_.Installed(); }
  [[nodiscard]] const GlobalHookData* Block() const {
    return static_cast<const GlobalHookData*>(view_.get());
  }
  [[nodiscard]] const HookOptionsData* Options() const {
    return static_cast<const HookOptionsData*>(optionsView_.get());
  }
  [[nodiscard]] UINT OptionsUpdateMessage() const { return optionsUpdateMessage_; }

 private:
  void Report(const char* text);
  void ReportWithCode(const char* text, DWORD code);
  void Report(TextId text);
  void ReportWithCode(TextId text, DWORD code);
  [[nodiscard]] GlobalHookData* MutableBlock() const { return static_cast<GlobalHookData*>(view_.get()); }
  bool CreateBlock();
  void CreateOptionsBlock(const HookSettings& settings);
  void CloseOptionsBlock();
  void LoadAndInstallHooks();
  void InstallHooks();
  void StartHelper();
  void RemoveHooks();

  MessageReporter& reporter_;
  std::string libraryPath_ = kHookLibraryFileName;
  LanguageTexts texts_;  // built-in English until a language file is read
  UINT optionsUpdateMessage_ = 0;
  ScopedHandle mapping_;  // the settings block every copy of the library opens by name
  ScopedMappedView view_;
  ScopedHandle optionsMapping_;
  ScopedMappedView optionsView_;  // the settings that came after the block
  SystemHooks hooks_;
  HelperProcess helper_;
};

}  // namespace tarvok

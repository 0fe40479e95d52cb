// The resident program: the options window, the tray icon with its menu,
// calculation on and off, the language files, the About box and help. It
// starts hidden in the tray and lives until Exit.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "AboutBox.h"
#include "Application.h"
#include "CalculationSwitch.h"
#include "MessageReporter.h"
#include "OptionsWindow.h"
#include "SettingsRegistry.h"
#include "SingleInstanceGuard.h"
#include "TrayIcon.h"
#include "TrayMenu.h"

namespace tarvok {

class Controller final : private OptionsWindowOwner {
 public:
  Controller(Application& application, SettingsRegistry& registry);
  // For tests: a reporter in place of the message boxes of the hook installer.
  Controller(Application& application, SettingsRegistry& registry, MessageReporter& reporter);
  ~Controller();
  Controller(const Controller&) = delete;
  Controller& operator=(const Controller&) = delete;

  // Creates the hidden options window, lets the single-instance guard
  // decide, and starts unless another copy runs. Returns false when another
  // copy runs (nothing else was done) or the window could not be made.
  bool Create();

  // Applies a language file from the language folder to everything that
  // shows text, and remembers the choice.
  void LoadLanguageFile(const std::string& fileName);
  // The Language submenu anew from the language folder.
  void ListLanguages();
  // The About box's life: created hidden after the options window,
  // destroyed before it. A language file applied before it exists reaches
  // it only when applied again.
  void CreateAboutBox();
  void DestroyAboutBox();

  [[nodiscard]] const OptionsWindow& Window() const { return window_; }
  [[nodiscard]] const TrayMenu& Menu() const { return menu_; }
  [[nodiscard]] const TrayIcon& Tray() const { return trayIcon_; }
  [[nodiscard]] CalculationSwitch& Calculation() { return calculation_; }
  [[nodiscard]] AboutBox* About() const { return about_.get(); }
  [[nodiscard]] const std::wstring& FirstRunTitle() const { return firstRunTitle_; }
  [[nodiscard]] const std::wstring& FirstRunText() const { return firstRunText_; }
  [[nodiscard]] const std::string& ProgramFolder() const { return programFolder_; }
  // For tests: other folders than the program's.
  void SetProgramFolder(const std::string& folder);
  void SetLanguageFolder(std::string folder) { languageFolder_ = std::move(folder); }

 private:
  class TextTarget;  // what a language file's texts reach

  // OptionsWindowOwner
  void OnProgramCommand(UINT command) override;
  void OnTrayIcon(LPARAM mouseMessage) override;
  void OnTaskbarCreated() override;
  void OnSettingsStored() override;

  void Start();
  void ShowTrayMenu();
  void SwitchCalculation();
  void TurnCalculationOn();
  void ShowCalculating(bool on);
  void NoticeHelperProblem();
  void Exit();
  void ExitIfRequested();
  void ChooseLanguage(UINT command);
  void OpenHelp() const;
  void ShowWhatsNew() const;
  void ShowAbout();

  Application& application_;
  SettingsRegistry& registry_;
  MessageBoxReporter boxReporter_;
  CalculationSwitch calculation_;
  OptionsWindow window_;
  TrayIcon trayIcon_;
  TrayMenu menu_;
  std::unique_ptr<SingleInstanceGuard> guard_;
  std::unique_ptr<AboutBox> about_;
  std::string programFolder_;   // with trailing backslash
  std::string languageFolder_;  // programFolder_ + "language\"
  std::wstring firstRunTitle_ = L"New program - Tarvok";
  std::wstring firstRunText_ = L"To access Options, double-click the icon. To access menu, right-click the icon.";
  bool exitRequested_ = false;
};

}  // namespace tarvok

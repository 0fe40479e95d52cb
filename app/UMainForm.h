// The options window of tarvok.exe and, through it, the resident program
// itself: it stays hidden, owns the tray icon and its menu, holds the
// settings in its controls, starts and stops the hooks, and pushes applied
// settings to every running copy of calc.dll.
//
// The language texts, the Language submenu and the About/Help commands are
// defined in UMainFormLanguage.cpp; everything else in UMainForm*.cpp.
//
// The window, its controls and the menu are Unicode (W) objects and take
// their texts in UTF-16: a language file's texts keep their letters on any
// system code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DpiLayout.h"
#include "HookSettings.h"
#include "MessageReporter.h"
#include "RozadarRegistry.h"
#include "ScopedHandle.h"
#include "SettingsRegistry.h"
#include "UTrayIcon.h"
#include "WorkUnit.h"

class TAbout;  // the About box, declared in UAbout.h

namespace tarvok {
class TMOneInstance;
class TApplication;
}  // namespace tarvok

// Command identifiers of the tray menu and of the window's buttons. The
// Language submenu's items are kLanguageItemBase + their tag.
enum TMainFormCommand : UINT {
  kCmdOptions = 101,        // N4 "Options..."
  kCmdDisableEnable = 102,  // N1
  kCmdInfo = 103,           // Ourotherproducts1
  kCmdHelp = 104,           // Help1
  kCmdAbout = 105,          // N5
  kCmdExit = 106,           // N3
  kCmdOK = IDOK,            // Button1 (Enter)
  kCmdCancel = IDCANCEL,    // Button2 (Escape)
  kCmdApply = 201,          // Button3
  kCmdHotKey = 202,
  kCmdRadioNumber = 203,
  kCmdRadioLine = 204,
  kCmdPrecisionEdit = 205,
  kCmdPrecisionSpin = 206,
  kCmdAutorun = 207,
  kCmdKeepHotKey = 208,
  kLanguageItemBase = 1000,
  kLanguageItemLimit = 1999,
};

// Tray menu items whose text a language file may replace.
enum class TrayMenuItem { Options, DisableEnable, Language, Info, Help, About, Exit };

class TMainForm {
 public:
  TMainForm(tarvok::TApplication& application, tarvok::SettingsRegistry& registry);
  // For tests: a reporter in place of the message boxes of the hook controller.
  TMainForm(tarvok::TApplication& application, tarvok::SettingsRegistry& registry,
            tarvok::MessageReporter& reporter);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Creates the hidden window and its controls, lets the single-instance
  // guard decide, and runs FormCreate unless this instance is to end.
  // Returns false when another instance runs (nothing else was done).
  bool Create();

  // ---- Defined in UMainFormLanguage.cpp (language files, About, help) ----
  void LoadLanguageFile(const std::string& fileName);
  void BuildLanguageMenu();
  void MayMenuClick(int tag);
  void Help1Click();
  void Ourotherproducts1Click();
  void N5Click();
  // The About box's life: created hidden after this window, destroyed before it.
  void CreateAboutBox();
  void DestroyAboutBox();

  // ---- Text state a language file replaces ----
  std::wstring DisableText = L"Disable";
  std::wstring EnableText = L"Enable";
  std::wstring FirstRunTitle = L"New program - Tarvok";
  std::wstring FirstRunText =
      L"To access Options, double-click the icon. To access menu, right-click the icon.";
  std::vector<std::string> LanguageFiles;
  std::string ProgramFolder;   // with trailing backslash
  std::string LanguageFolder;  // ProgramFolder + "language\"
  TAbout* About = nullptr;     // owned through CreateAboutBox/DestroyAboutBox

  // ---- Handles the language code retitles ----
  HWND Handle = nullptr;  // the options window itself
  HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr;
  HWND HotKey1 = nullptr, Edit1 = nullptr, UpDown1 = nullptr;
  HWND RadioButton1 = nullptr, RadioButton2 = nullptr, CheckBox2 = nullptr;
  HWND HotKeyWarning = nullptr;  // shown while the hot key is one that occurs in typing
  HWND LineFormNote = nullptr;   // shown while the line form is chosen without a converter
  HWND CheckBox3 = nullptr;  // keep the hot key from the program
  HWND Button1 = nullptr, Button2 = nullptr, Button3 = nullptr;
  HMENU PopupMenu1 = nullptr;  // the tray menu (owned)
  HMENU language1 = nullptr;   // its Language submenu (owned by PopupMenu1)

  void SetMenuItemText(TrayMenuItem item, const std::wstring& text);
  // Appends an item to the Language submenu whose click runs MayMenuClick(tag).
  void AddLanguageMenuItem(int tag, const std::wstring& text);
  void ClearLanguageMenu();
  void SetCaption(const std::wstring& text);
  void SetControlText(HWND control, const std::wstring& text);

  [[nodiscard]] bool HooksActive() const { return hooksActive_; }
  [[nodiscard]] const tarvok::TrayIcon& Tray() const { return trayIcon_; }
  [[nodiscard]] bool SettingsModified() const { return settingsModified_; }
  [[nodiscard]] tarvok::TApplication& Application() const { return application_; }
  [[nodiscard]] tarvok::SettingsRegistry& Registry() const { return registry_; }
  [[nodiscard]] tarvok::WorkUnit& Work() { return work_; }

  // ---- The settings as the controls hold them ----
  [[nodiscard]] tarvok::HookSettings CurrentSettings() const;
  [[nodiscard]] tarvok::UserSettings ControlValues() const;
  void ShowValues(const tarvok::UserSettings& values);
  void LoadValues();
  void SaveValues();

  // ---- Handlers ----
  void FormCreate();
  void FormCloseQuery();
  void CheckBox2Click();
  void CheckBox3Click();
  void RadioButton1Click();
  void RadioButton2Click();
  void UpDown1Changing();
  void Edit1Change();
  void HotKey1Change();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void N4Click();
  void N1Click();
  void N3Click();
  void TrayIconMessage(LPARAM mouseMessage);
  void MainFormShow();
  void MainFormHide();

  static constexpr char kWindowClass[] = "TMainForm";
  static constexpr char kBuiltInCaption[] = "Tarvok Options ";

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(UINT id, UINT code);
  void OnNotify(const NMHDR& header);
  void CreateControls();
  void CreateTrayMenu();
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left, int top,
                  int width, int height, UINT id);
  void MarkModified();
  void MarkClean();
  void TrimWorkingSet();
  void ShowTrayMenu();
  // StartWork, and the state the user sees: a start that installed no
  // hooks is released again and shown switched off, so Enable retries.
  void StartCalculating();
  void ShowCalculating(bool on);
  void ShowHotKeyWarning(std::uint16_t shortcut);
  void UpdateLineFormNote();
  // Runs StartWork or StopWork. Their failure boxes are modal, and a modal
  // loop still delivers the tray icon's clicks and menu commands here; a
  // switch chosen meanwhile would start or stop the hooks inside the
  // running operation, so it is dropped, and an Exit waits for its end.
  template <typename Operation>
  void RunWork(Operation operation);
  void ExitIfRequested();
  // Once per run of the program: the 64-bit half did not start, so only
  // 32-bit programs calculate.
  void NoticeHelperProblem();

  tarvok::TApplication& application_;
  tarvok::SettingsRegistry& registry_;
  tarvok::MessageBoxReporter reporter_;
  tarvok::LayoutKeyNames keyNames_;
  tarvok::WorkUnit work_;
  tarvok::TrayIcon trayIcon_;
  std::unique_ptr<tarvok::TMOneInstance> oneInstance_;  // MOneInstance1
  tarvok::ScopedMenu menu_;
  tarvok::ScopedGdiObject font_;
  bool hooksActive_ = false;
  std::uint16_t acceptedShortcut_ = 0;  // the hot key the field returns to when a key is refused
  bool settingsModified_ = false;
  bool workRunning_ = false;
  bool exitRequested_ = false;
  bool helperNoticeShown_ = false;
  tarvok::DpiLayout layout_;
  UINT taskbarCreatedMessage_ = 0;
};

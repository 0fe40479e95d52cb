// The options window: the hot key, the result as a number with its digits
// or as a line, "Start with Windows" and keeping the hot key from the
// program, with OK, Cancel and Apply. It is created hidden, lives until the
// program ends, and reads and stores the settings itself.
//
// The window is also the program's address: the tray icon reports to it,
// the tray menu's commands arrive at it, and other copies of the program
// and the setups find it by its class. What is not its own it passes to its
// owner.
//
// The window and its controls are Unicode (W) objects and take their texts
// in UTF-16: a language file's texts keep their letters on any system code
// page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Application.h"
#include "DpiLayout.h"
#include "HookSettings.h"
#include "LanguageFile.h"
#include "ScopedHandle.h"
#include "SettingsRegistry.h"
#include "SystemRegistry.h"
#include "UserSettingsStore.h"

namespace tarvok {

// What the options window passes on.
class OptionsWindowOwner {
 public:
  // A tray menu command, or a command posted to the window from outside.
  virtual void OnProgramCommand(UINT command) = 0;
  virtual void OnTrayIcon(LPARAM mouseMessage) = 0;
  // The shell restarted and forgot its icons.
  virtual void OnTaskbarCreated() = 0;
  // OK or Apply stored changed settings.
  virtual void OnSettingsStored() = 0;

 protected:
  ~OptionsWindowOwner() = default;
};

class OptionsWindow {
 public:
  // Other copies of the program and earlier setups look for this class.
  static constexpr char kWindowClass[] = "TMainForm";
  static constexpr char kBuiltInCaption[] = "Tarvok Options ";

  OptionsWindow(Application& application, SettingsRegistry& registry, OptionsWindowOwner& owner);
  ~OptionsWindow();
  OptionsWindow(const OptionsWindow&) = delete;
  OptionsWindow& operator=(const OptionsWindow&) = delete;

  // Creates the hidden window and its controls. False when Windows refused.
  bool Create();
  [[nodiscard]] HWND Handle() const { return handle_; }

  // The folder where the line form's converter is looked for.
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  // The stored settings into the controls, with nothing left to apply.
  void LoadStoredSettings();
  // The settings as the controls hold them, for the hook library.
  [[nodiscard]] HookSettings Settings() const;
  void ApplyTexts(const LanguageTexts& texts);

  // Restored if need be, shown and brought forward.
  void Open();
  void Hide();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(UINT id, UINT code);
  void CreateControls();
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left, int top, int width,
                  int height, UINT id);

  [[nodiscard]] UserSettings ControlValues() const;
  void ShowValues(const UserSettings& values);
  void StoreValues();
  void MarkModified();
  void MarkClean();
  void ShowHotKeyWarning(std::uint16_t shortcut);
  void UpdateLineFormNote();
  void OnHotKeyChange();
  void OnResultFormChange();

  void Apply();
  void Accept();
  void Cancel();
  void Close();
  void Show();

  Application& application_;
  SettingsRegistry& registry_;
  OptionsWindowOwner& owner_;
  LayoutKeyNames keyNames_;
  DpiLayout layout_;
  ScopedGdiObject font_;
  std::string programFolder_;  // with trailing backslash
  HWND handle_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;
  bool modified_ = false;
  std::uint16_t acceptedShortcut_ = 0;  // the hot key the field returns to when a key is refused

  HWND hotKeyLabel_ = nullptr;
  HWND hotKeyField_ = nullptr;
  HWND hotKeyWarning_ = nullptr;  // shown while the hot key is one that occurs in typing
  HWND formulaNote_ = nullptr;
  HWND numberChoice_ = nullptr;
  HWND precisionLabel_ = nullptr;
  HWND precisionField_ = nullptr;
  HWND precisionSpin_ = nullptr;
  HWND lineChoice_ = nullptr;
  HWND lineFormNote_ = nullptr;  // shown while the line form is chosen without a converter
  HWND autorunBox_ = nullptr;
  HWND keepHotKeyBox_ = nullptr;
  HWND okButton_ = nullptr;
  HWND cancelButton_ = nullptr;
  HWND applyButton_ = nullptr;
};

}  // namespace tarvok

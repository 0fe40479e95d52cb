// The tray icon's menu: Options..., Disable/Enable, Language with one item
// per language file, Info, Help..., About... and Exit. The menu and its texts
// are Unicode, so a language file's texts keep their letters on any system
// code page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "LanguageFile.h"
#include "ScopedHandle.h"

namespace tarvok {

class TrayMenu {
 public:
  TrayMenu();

  // The language file's texts for the items that have one, and the two
  // texts of the switch item.
  void ApplyTexts(const LanguageTexts& texts);
  // The switch item offers the opposite of what runs now.
  void ShowCalculating(bool on);

  // The Language submenu anew, one item per file, in the order given.
  void ListLanguages(std::vector<LanguageMenuEntry> entries);
  // The file behind a Language item; nullptr for any other command, or for
  // an item beyond the list.
  [[nodiscard]] const std::string* LanguageFileOf(UINT command) const;

  // Shows the menu at `cursor` for `owner` (the window that receives its
  // commands) and returns the command chosen, 0 when the menu was closed
  // without a choice.
  UINT Choose(HWND owner, POINT cursor) const;

  [[nodiscard]] HMENU Handle() const { return menu_.get(); }
  [[nodiscard]] HMENU LanguageSubmenu() const { return languages_; }
  [[nodiscard]] const std::vector<std::string>& LanguageFiles() const { return languageFiles_; }

 private:
  void SetItemText(UINT item, bool byPosition, const std::wstring& text);

  ScopedMenu menu_;
  HMENU languages_ = nullptr;  // owned by menu_
  std::vector<std::string> languageFiles_;
  std::wstring disableText_ = L"Disable";
  std::wstring enableText_ = L"Enable";
  bool calculating_ = true;
};

// The window the user worked in before reaching the tray icon. A click on
// the notification area can make the taskbar the foreground window; the
// user's window is then the first ordinary one below it.
[[nodiscard]] HWND WindowBeforeTrayClick();
// Gives the foreground back to `userWindow`, but only while this program
// still holds it: a window the user clicked meanwhile (a box of a failed
// Enable, another program) keeps it.
void GiveForegroundBack(HWND userWindow);

}  // namespace tarvok

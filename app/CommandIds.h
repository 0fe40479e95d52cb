// The identifiers of the tray menu's commands and of the options window's
// controls. The numbers are what the options window receives in WM_COMMAND;
// the test tools and the screenshot script post them, so they stay fixed.
#pragma once

#include <windows.h>

namespace tarvok {

enum CommandId : UINT {
  kCmdOptions = 101,
  kCmdDisableEnable = 102,
  kCmdInfo = 103,
  kCmdHelp = 104,
  kCmdAbout = 105,
  kCmdExit = 106,
  kCmdOK = IDOK,          // also Enter
  kCmdCancel = IDCANCEL,  // also Escape
  kCmdApply = 201,
  kCmdHotKey = 202,
  kCmdRadioNumber = 203,
  kCmdRadioLine = 204,
  kCmdPrecisionEdit = 205,
  kCmdPrecisionSpin = 206,
  kCmdAutorun = 207,
  kCmdKeepHotKey = 208,
  // Labels send nothing; their identifiers only let them be found.
  kLabelHotKey = 301,
  kLabelHotKeyWarning = 302,
  kLabelFormulaNote = 303,
  kLabelPrecision = 304,
  kLabelLineFormNote = 305,
  // The Language submenu's items: the base plus the item's place in the list.
  kLanguageItemBase = 1000,
  kLanguageItemLimit = 1999,
};

[[nodiscard]] constexpr bool IsLanguageItem(UINT command) {
  return command >= kLanguageItemBase && command <= kLanguageItemLimit;
}

}  // namespace tarvok

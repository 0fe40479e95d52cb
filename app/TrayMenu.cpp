// The tray menu and the foreground hand-over around it.
#include "TrayMenu.h"

#include "CommandIds.h"

namespace tarvok {

namespace {

constexpr UINT kLanguageMenuPosition = 3;  // Options, Disable, separator, Language

bool BelongsToShell(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  DWORD process = 0, shellProcess = 0;
  GetWindowThreadProcessId(window, &process);
  GetWindowThreadProcessId(GetShellWindow(), &shellProcess);
  return lstrcmpW(className, L"Shell_TrayWnd") == 0 || (shellProcess != 0 && process == shellProcess);
}

}  // namespace

TrayMenu::TrayMenu() : menu_(CreatePopupMenu()), languages_(CreatePopupMenu()) {
  const HMENU menu = menu_.get();
  AppendMenuW(menu, MF_STRING, kCmdOptions, L"Options...");
  AppendMenuW(menu, MF_STRING, kCmdDisableEnable, disableText_.c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages_), L"Language");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdInfo, L"Info");
  AppendMenuW(menu, MF_STRING, kCmdHelp, L"Help...");
  AppendMenuW(menu, MF_STRING, kCmdAbout, L"About...");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdExit, L"Exit");
  SetMenuDefaultItem(menu, kCmdOptions, FALSE);  // drawn in bold
}

void TrayMenu::SetItemText(UINT item, bool byPosition, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu_.get(), item, byPosition ? TRUE : FALSE, &info);
}

// Info has no text of its own in a language file: it keeps its English name.
void TrayMenu::ApplyTexts(const LanguageTexts& texts) {
  disableText_ = texts[TextId::MenuDisable];
  enableText_ = texts[TextId::MenuEnable];
  SetItemText(kCmdOptions, false, texts[TextId::MenuOptions]);
  ShowCalculating(calculating_);
  SetItemText(kLanguageMenuPosition, true, texts[TextId::MenuLanguage]);
  SetItemText(kCmdAbout, false, texts[TextId::MenuAbout]);
  SetItemText(kCmdExit, false, texts[TextId::MenuExit]);
  SetItemText(kCmdHelp, false, texts[TextId::MenuHelp]);
}

void TrayMenu::ShowCalculating(bool on) {
  calculating_ = on;
  SetItemText(kCmdDisableEnable, false, on ? disableText_ : enableText_);
}

void TrayMenu::ListLanguages(std::vector<LanguageMenuEntry> entries) {
  while (GetMenuItemCount(languages_) > 0) DeleteMenu(languages_, 0, MF_BYPOSITION);
  languageFiles_.clear();
  for (LanguageMenuEntry& entry : entries) {
    const UINT command = kLanguageItemBase + static_cast<UINT>(languageFiles_.size());
    if (!IsLanguageItem(command)) break;
    AppendMenuW(languages_, MF_STRING, command, entry.caption.c_str());
    languageFiles_.push_back(std::move(entry.fileName));
  }
}

const std::string* TrayMenu::LanguageFileOf(UINT command) const {
  if (!IsLanguageItem(command)) return nullptr;
  const std::size_t index = command - kLanguageItemBase;
  return index < languageFiles_.size() ? &languageFiles_[index] : nullptr;
}

UINT TrayMenu::Choose(HWND owner, POINT cursor) const {
  // Without owning the foreground before and after, and the empty message
  // after, the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  constexpr UINT kMenuFlags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
  const auto command = static_cast<UINT>(TrackPopupMenu(menu_.get(), kMenuFlags, cursor.x, cursor.y, 0, owner, nullptr));
  SetForegroundWindow(owner);
  PostMessageW(owner, WM_NULL, 0, 0);
  return command;
}

HWND WindowBeforeTrayClick() {
  HWND window = GetForegroundWindow();
  if (window == nullptr || !BelongsToShell(window)) return window;
  for (HWND below = GetWindow(window, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
    const bool toolWindow = (GetWindowLongW(below, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    if (IsWindowVisible(below) && !toolWindow && !BelongsToShell(below)) return below;
  }
  return nullptr;
}

void GiveForegroundBack(HWND userWindow) {
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  if (userWindow == nullptr || !IsWindow(userWindow) || foregroundProcess != GetCurrentProcessId()) return;
  SetForegroundWindow(userWindow);
}

}  // namespace tarvok

// The options window: its controls, the tray menu, start-up (FormCreate),
// the OK / Cancel / Apply logic and the switch that turns the hooks off and
// on. The window is created hidden and lives until the program ends.
#include "UMainForm.h"

#include <commctrl.h>

#include "Application.h"
#include "ExistingFile.h"
#include "HotKeyRules.h"
#include "LanguageFile.h"
#include "RegistryNames.h"
#include "TextConversion.h"
#include "UOneInstanceMay.h"
#include "UserSettingsStore.h"
#include "WindowText.h"

using namespace tarvok;

namespace {

constexpr int kClientWidth = 347;
constexpr int kClientHeight = 239;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr UINT kLanguageMenuPosition = 3;  // Options, Disable, separator, Language
constexpr wchar_t kHotKeyWarningText[] = L"This key alone occurs in typing: add Ctrl or Alt.";
constexpr wchar_t kLineFormNoteText[] = L"The line form needs convert.dll in the program folder.";
// The notice when the helper of the other bitness cannot serve its programs.
#if defined(_WIN64)
constexpr wchar_t kHelperNoticeTitle[] = L"Tarvok - 32-bit programs";
constexpr wchar_t kHelperMissingText[] =
    L"tarvok32.exe or calc.dll is missing from Tarvok's folder: the hot key works in 64-bit programs only.";
constexpr wchar_t kHelperFailedText[] =
    L"The 32-bit helper tarvok32.exe did not start: the hot key works in 64-bit programs only.";
#else
constexpr wchar_t kHelperNoticeTitle[] = L"Tarvok - 64-bit programs";
constexpr wchar_t kHelperMissingText[] =
    L"tarvok64.exe or calc64.dll is missing from Tarvok's folder: the hot key works in 32-bit programs only.";
constexpr wchar_t kHelperFailedText[] =
    L"The 64-bit helper tarvok64.exe did not start: the hot key works in 32-bit programs only.";
#endif

// The click reaches this thread through the shell, not as keyboard input of
// its own, so the thread's key state can lag behind; the physical state
// settles it.
bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0 || GetAsyncKeyState(VK_CONTROL) < 0; }

bool OpensNoWindow(UINT command) {
  return command == kCmdDisableEnable || (command >= kLanguageItemBase && command <= kLanguageItemLimit);
}

bool BelongsToShell(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  DWORD process = 0, shellProcess = 0;
  GetWindowThreadProcessId(window, &process);
  GetWindowThreadProcessId(GetShellWindow(), &shellProcess);
  return lstrcmpW(className, L"Shell_TrayWnd") == 0 || (shellProcess != 0 && process == shellProcess);
}

// The window the user worked in before reaching the tray icon. A click on
// the notification area can make the taskbar the foreground window; the
// user's window is then the first ordinary one below it.
HWND UserWindow() {
  HWND window = GetForegroundWindow();
  if (window == nullptr || !BelongsToShell(window)) return window;
  for (HWND below = GetWindow(window, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
    const bool toolWindow = (GetWindowLongW(below, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    if (IsWindowVisible(below) && !toolWindow && !BelongsToShell(below)) return below;
  }
  return nullptr;
}

// Only while this program still holds the foreground: a window the user
// clicked meanwhile (a box of a failed Enable, another program) keeps it.
void GiveForegroundBack(HWND userWindow) {
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  if (userWindow == nullptr || !IsWindow(userWindow) || foregroundProcess != GetCurrentProcessId()) return;
  SetForegroundWindow(userWindow);
}

}  // namespace

TMainForm::TMainForm(TApplication& application, SettingsRegistry& registry)
    : TMainForm(application, registry, reporter_) {}

TMainForm::TMainForm(TApplication& application, SettingsRegistry& registry, MessageReporter& reporter)
    : application_(application), registry_(registry), work_(reporter) {}

TMainForm::~TMainForm() {
  if (Handle != nullptr) {
    SetWindowLongPtrW(Handle, GWLP_USERDATA, 0);
    DestroyWindow(Handle);
  }
}

// ---- Creation ----

bool TMainForm::Create() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &TMainForm::WindowProc;
  windowClass.hInstance = application_.Instance();
  windowClass.hIcon = LoadIconW(application_.Instance(), L"MAINICON");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  const std::wstring className = ToUtf16(kWindowClass, CP_ACP);
  windowClass.lpszClassName = className.c_str();
  RegisterClassW(&windowClass);

  layout_ = DpiLayout::OfScreen();
  RECT frame{0, 0, layout_.Scale(kClientWidth), layout_.Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  Handle = CreateWindowExW(kWindowExStyle, className.c_str(), ToUtf16(kBuiltInCaption, CP_ACP).c_str(), kWindowStyle, left, top, width,
                           height, application_.Handle(), nullptr, application_.Instance(), this);
  if (Handle == nullptr) return false;
  taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
  CreateControls();
  CreateTrayMenu();

  // The guard decides now: the controls exist, FormCreate has not run.
  oneInstance_ = std::make_unique<TMOneInstance>(application_);
  oneInstance_->Loaded();
  if (application_.Terminated()) return false;

  FormCreate();
  return true;
}

HWND TMainForm::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left, int top,
                           int width, int height, UINT id) {
  return layout_.AddControl(Handle, className, text, style, left, top, width, height, id,
                            static_cast<HFONT>(font_.get()));
}

void TMainForm::CreateControls() {
  font_.reset(CreateFontW(-MulDiv(kFontPoints, layout_.Dpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  const DWORD visible = WS_VISIBLE;
  Label2 = AddControl(L"STATIC", L"The calculations can be started by pressing:", visible, 16, 8, 319, 13, 0);
  HotKey1 = AddControl(HOTKEY_CLASSW, L"", visible | WS_TABSTOP | WS_BORDER, 48, 26, 121, 19, kCmdHotKey);
  SendMessageW(HotKey1, HKM_SETRULES, HKCOMB_NONE, 0);
  HotKeyWarning = AddControl(L"STATIC", kHotKeyWarningText, 0, 16, 47, 319, 13, 0);
  Label3 = AddControl(L"STATIC", L"Note that the program can also perform calculations according to the formula ",
                      0, 16, 48, 319, 24, 0);
  RadioButton1 = AddControl(L"BUTTON", L"Show result as a number", visible | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                            16, 60, 201, 19, kCmdRadioNumber);
  Label1 = AddControl(L"STATIC", L"Symbols after comma:", visible, 48, 84, 125, 13, 0);
  Edit1 = AddControl(L"EDIT", L"2", visible | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER, 176, 80, 57,
                     21, kCmdPrecisionEdit);
  UpDown1 = AddControl(UPDOWN_CLASSW, L"", visible | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 233, 80,
                       16, 21, kCmdPrecisionSpin);
  SendMessageW(UpDown1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Edit1), 0);
  SendMessageW(UpDown1, UDM_SETRANGE32, kMinPrecision, kMaxPrecision);
  SendMessageW(UpDown1, UDM_SETPOS32, 0, kDefaultPrecision);
  RadioButton2 = AddControl(L"BUTTON", L"Show result as a line", visible | WS_TABSTOP | BS_AUTORADIOBUTTON, 16, 105,
                            201, 19, kCmdRadioLine);
  LineFormNote = AddControl(L"STATIC", tarvok::NameOwnConverter(kLineFormNoteText, tarvok::kConverterFileName).c_str(), 0, 32, 124,
                            303, 13, 0);
  CheckBox2 = AddControl(L"BUTTON", L"Start with Windows ", visible | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 16,
                         140, 259, 17, kCmdAutorun);
  CheckBox3 = AddControl(L"BUTTON", L"Keep the hot key from the program when it calculates",
                         visible | WS_TABSTOP | BS_AUTOCHECKBOX, 16, 160, 319, 17, kCmdKeepHotKey);
  Button1 = AddControl(L"BUTTON", L"OK", visible | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 104, 209, 75, 25,
                       kCmdOK);
  Button2 = AddControl(L"BUTTON", L"Cancel", visible | WS_TABSTOP | BS_PUSHBUTTON, 185, 209, 75, 25, kCmdCancel);
  Button3 = AddControl(L"BUTTON", L"Apply", visible | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 266, 209, 75, 25,
                       kCmdApply);
  SendMessageW(RadioButton1, BM_SETCHECK, BST_CHECKED, 0);
}

void TMainForm::CreateTrayMenu() {
  menu_.reset(CreatePopupMenu());
  PopupMenu1 = menu_.get();
  language1 = CreatePopupMenu();
  AppendMenuW(PopupMenu1, MF_STRING, kCmdOptions, L"Options...");
  AppendMenuW(PopupMenu1, MF_STRING, kCmdDisableEnable, DisableText.c_str());
  AppendMenuW(PopupMenu1, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(PopupMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(language1), L"Language");
  AppendMenuW(PopupMenu1, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(PopupMenu1, MF_STRING, kCmdInfo, L"Info");
  AppendMenuW(PopupMenu1, MF_STRING, kCmdHelp, L"Help...");
  AppendMenuW(PopupMenu1, MF_STRING, kCmdAbout, L"About...");
  AppendMenuW(PopupMenu1, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(PopupMenu1, MF_STRING, kCmdExit, L"Exit");
  SetMenuDefaultItem(PopupMenu1, kCmdOptions, FALSE);  // drawn in bold
}

// ---- Texts the language code sets ----

void TMainForm::SetMenuItemText(TrayMenuItem item, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  switch (item) {
    case TrayMenuItem::Options: SetMenuItemInfoW(PopupMenu1, kCmdOptions, FALSE, &info); break;
    case TrayMenuItem::DisableEnable: SetMenuItemInfoW(PopupMenu1, kCmdDisableEnable, FALSE, &info); break;
    case TrayMenuItem::Language: SetMenuItemInfoW(PopupMenu1, kLanguageMenuPosition, TRUE, &info); break;
    case TrayMenuItem::Info: SetMenuItemInfoW(PopupMenu1, kCmdInfo, FALSE, &info); break;
    case TrayMenuItem::Help: SetMenuItemInfoW(PopupMenu1, kCmdHelp, FALSE, &info); break;
    case TrayMenuItem::About: SetMenuItemInfoW(PopupMenu1, kCmdAbout, FALSE, &info); break;
    case TrayMenuItem::Exit: SetMenuItemInfoW(PopupMenu1, kCmdExit, FALSE, &info); break;
  }
}

void TMainForm::AddLanguageMenuItem(int tag, const std::wstring& text) {
  if (tag < 0 || kLanguageItemBase + static_cast<UINT>(tag) > kLanguageItemLimit) return;
  AppendMenuW(language1, MF_STRING, kLanguageItemBase + static_cast<UINT>(tag), text.c_str());
}

void TMainForm::ClearLanguageMenu() {
  while (GetMenuItemCount(language1) > 0) DeleteMenu(language1, 0, MF_BYPOSITION);
}

void TMainForm::SetCaption(const std::wstring& text) { SetWindowTextW(Handle, text.c_str()); }

void TMainForm::SetControlText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }

// ---- Settings held by the controls ----

UserSettings TMainForm::ControlValues() const {
  UserSettings values;
  values.autorun = SendMessageW(CheckBox2, BM_GETCHECK, 0, 0) == BST_CHECKED;
  values.keepHotKey = SendMessageW(CheckBox3, BM_GETCHECK, 0, 0) == BST_CHECKED;
  values.resultAsLine = SendMessageW(RadioButton1, BM_GETCHECK, 0, 0) != BST_CHECKED;
  // The box may hold anything typed into it; the spin control's own last
  // position stands in for text that is not a number at all.
  const int spin = static_cast<int>(SendMessageW(UpDown1, UDM_GETPOS32, 0, 0));
  values.precision = PrecisionFromText(WindowText(Edit1), ClampPrecision(spin));
  values.shortcut = ShortcutFromHotKeyControl(static_cast<std::uint16_t>(SendMessageW(HotKey1, HKM_GETHOTKEY, 0, 0)));
  return values;
}

HookSettings TMainForm::CurrentSettings() const {
  return ToHookSettings(ControlValues(), static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Handle)));
}

void TMainForm::ShowValues(const UserSettings& values) {
  SendMessageW(CheckBox2, BM_SETCHECK, values.autorun ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(CheckBox3, BM_SETCHECK, values.keepHotKey ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(RadioButton1, BM_SETCHECK, values.resultAsLine ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(RadioButton2, BM_SETCHECK, values.resultAsLine ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(UpDown1, UDM_SETPOS32, 0, ClampPrecision(values.precision));
  SetWindowTextW(Edit1, std::to_wstring(ClampPrecision(values.precision)).c_str());
  SendMessageW(HotKey1, HKM_SETHOTKEY, HotKeyControlFromShortcut(values.shortcut), 0);
  // A stored key that occurs in typing is used as the user chose it; the
  // window only says what it does.
  acceptedShortcut_ = values.shortcut;
  ShowHotKeyWarning(values.shortcut);
  UpdateLineFormNote();
}

void TMainForm::ShowHotKeyWarning(std::uint16_t shortcut) {
  ShowWindow(HotKeyWarning, IsAcceptedHotKey(shortcut) ? SW_HIDE : SW_SHOW);
}

void TMainForm::UpdateLineFormNote() {
  const bool lineChosen = SendMessageW(RadioButton2, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const bool converterThere = IsExistingFile(ProgramFolder + kConverterFileName);
  ShowWindow(LineFormNote, lineChosen && !converterThere ? SW_SHOW : SW_HIDE);
}

void TMainForm::LoadValues() { ShowValues(ReadUserSettings(registry_, keyNames_, application_.ExeName())); }

void TMainForm::SaveValues() {
  UserSettings values = ControlValues();
  ShowValues(values);  // the box shows what is stored, never an out-of-range number
  WriteUserSettings(registry_, values, application_.ExeName(), keyNames_);
}

void TMainForm::MarkModified() {
  settingsModified_ = true;
  EnableWindow(Button3, TRUE);
}

void TMainForm::MarkClean() {
  EnableWindow(Button3, FALSE);
  settingsModified_ = false;
}

void TMainForm::TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

template <typename Operation>
void TMainForm::RunWork(Operation operation) {
  workRunning_ = true;
  operation();
  workRunning_ = false;
}

void TMainForm::ExitIfRequested() {
  if (exitRequested_) N3Click();
}

// ---- Start-up ----

void TMainForm::FormCreate() {
  ProgramFolder = FolderOf(application_.ExeName());
  LanguageFolder = LanguageFolderOf(ProgramFolder);

  const std::string language = registry_.ReadString(kSettingsKey, kValueLanguage);
  LoadLanguageFile(language != kAbsentText ? language : tarvok::kDefaultLanguageFile);

  trayIcon_.AddTrayIcon(Handle, application_.Instance());

  LoadValues();
  QuoteOwnAutorunEntry(registry_, application_.ExeName());
  if (TakeFirstRun(registry_)) {
    trayIcon_.ShowTrayBalloon(FirstRunTitle, FirstRunText, kBalloonInfoIcon, Handle);
  }
  MarkClean();
  RecordProgramFolders(registry_, ProgramFolder);
  BuildLanguageMenu();

  work_.SetLibraryPath(ProgramFolder + kHookLibraryFileName);
  StartCalculating();
  TrimWorkingSet();
  ExitIfRequested();
}

// ---- Change notifications ----

void TMainForm::CheckBox2Click() { MarkModified(); }
void TMainForm::CheckBox3Click() { MarkModified(); }

void TMainForm::RadioButton1Click() {
  MarkModified();
  UpdateLineFormNote();
}

void TMainForm::RadioButton2Click() {
  MarkModified();
  UpdateLineFormNote();
}

void TMainForm::UpDown1Changing() { MarkModified(); }

// A number typed into the box is a change like the arrows: without this, OK
// would close the window as if it had saved the number.
void TMainForm::Edit1Change() { MarkModified(); }

void TMainForm::HotKey1Change() {
  const auto fieldValue = static_cast<std::uint16_t>(SendMessageW(HotKey1, HKM_GETHOTKEY, 0, 0));
  const std::uint16_t shortcut = ShortcutFromHotKeyControl(fieldValue);
  if (!IsAcceptedHotKey(shortcut)) {
    // Setting the field sends no change notification, so this ends here.
    SendMessageW(HotKey1, HKM_SETHOTKEY, HotKeyControlFromShortcut(acceptedShortcut_), 0);
    ShowWindow(HotKeyWarning, SW_SHOW);
    return;
  }
  // 0 is also what the field reports while only modifiers are held; the key
  // the user then presses decides.
  if (shortcut != 0) {
    acceptedShortcut_ = shortcut;
    ShowHotKeyWarning(shortcut);
  }
  MarkModified();
}

// ---- Buttons and closing ----

void TMainForm::Button3Click() {
  if (!settingsModified_) return;
  SaveValues();
  EnableWindow(Button3, FALSE);
  if (!hooksActive_) return;  // the next StartWork takes the settings from the controls
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
  work_.ApplySettings(CurrentSettings());
  SetCursor(previous);
}

void TMainForm::Button1Click() {
  Button3Click();
  MainFormHide();
  TrimWorkingSet();
}

void TMainForm::Button2Click() {
  LoadValues();
  MarkClean();
  MainFormHide();
  TrimWorkingSet();
}

void TMainForm::FormCloseQuery() {
  registry_.WriteInteger(kSettingsKey, kValueCurrentPage, 0);  // the window's only page
  MainFormHide();
  TrimWorkingSet();
}

void TMainForm::MainFormShow() {
  UpdateLineFormNote();  // the converter may have been added or removed meanwhile
  if (application_.Handle() != nullptr) ShowWindow(application_.Handle(), SW_SHOWNORMAL);
  ShowWindow(Handle, SW_SHOW);
}

void TMainForm::MainFormHide() {
  if (application_.Handle() != nullptr && IsWindowVisible(application_.Handle())) {
    ShowWindow(application_.Handle(), SW_HIDE);
  }
  ShowWindow(Handle, SW_HIDE);
}

// ---- Tray menu ----

void TMainForm::N4Click() {
  if (IsIconic(Handle) || IsZoomed(Handle)) ShowWindow(Handle, SW_RESTORE);
  MainFormShow();
  SetForegroundWindow(Handle);
}

void TMainForm::N1Click() {
  if (workRunning_) return;
  if (hooksActive_) {
    RunWork([this] { work_.StopWork(); });
    ShowCalculating(false);
  } else {
    StartCalculating();
  }
  ExitIfRequested();
}

void TMainForm::StartCalculating() {
  RunWork([this] { work_.StartWork(CurrentSettings()); });
  const bool started = work_.HooksInstalled();
  // What a failed start acquired (the block, the library) would make the
  // retry meet its own old block.
  if (!started) RunWork([this] { work_.StopWork(); });
  ShowCalculating(started);
  if (started) NoticeHelperProblem();
}

void TMainForm::ShowCalculating(bool on) {
  hooksActive_ = on;
  SetMenuItemText(TrayMenuItem::DisableEnable, on ? DisableText : EnableText);
  // The icon is added showing "on"; it changes only when the state differs.
  if (trayIcon_.CurrentIconName() != (on ? kIconOn : kIconOff)) {
    trayIcon_.ChangeTrayIcon(Handle, application_.Instance(), on ? kIconOn : kIconOff);
  }
}

void TMainForm::N3Click() {
  if (workRunning_) {
    exitRequested_ = true;
    return;
  }
  exitRequested_ = false;
  // Taking the icon away can block for seconds; the 64-bit half's hooks
  // are out before that.
  work_.StopHelper();
  trayIcon_.DeleteTrayIcon(Handle);
  RunWork([this] {
    if (hooksActive_) work_.StopWork();
    work_.ReleaseLibrary();
  });
  hooksActive_ = false;
  application_.Terminate();
}

void TMainForm::NoticeHelperProblem() {
  const auto outcome = work_.HelperOutcome();
  if (helperNoticeShown_ || (outcome != HelperProcess::Outcome::Missing && outcome != HelperProcess::Outcome::Failed)) {
    return;
  }
  helperNoticeShown_ = true;
  trayIcon_.ShowTrayBalloon(kHelperNoticeTitle,
                            outcome == HelperProcess::Outcome::Missing ? kHelperMissingText : kHelperFailedText,
                            NIIF_WARNING, Handle);
}

void TMainForm::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  application_.ProcessMessages();
  const HWND userWindow = UserWindow();
  // Without owning the foreground before and after, and the empty message
  // after, the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle);
  constexpr UINT kMenuFlags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
  const auto command =
      static_cast<UINT>(TrackPopupMenu(PopupMenu1, kMenuFlags, cursor.x, cursor.y, 0, Handle, nullptr));
  SetForegroundWindow(Handle);
  PostMessageW(Handle, WM_NULL, 0, 0);
  if (command != 0) OnCommand(command, 0);
  // A menu closed without a choice, or a command that opens no window, would
  // leave the foreground with this hidden window, and the user's next keys
  // would go nowhere.
  if (command == 0 || OpensNoWindow(command)) GiveForegroundBack(userWindow);
}

void TMainForm::TrayIconMessage(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      if (CtrlHeld()) N1Click();
      break;
    case WM_RBUTTONDOWN: ShowTrayMenu(); break;
    case WM_LBUTTONDBLCLK: N4Click(); break;
    default: break;
  }
}

// ---- Message dispatch ----

void TMainForm::OnCommand(UINT id, UINT code) {
  if (id >= kLanguageItemBase && id <= kLanguageItemLimit) {
    MayMenuClick(static_cast<int>(id - kLanguageItemBase));
    return;
  }
  switch (id) {
    case kCmdOptions: N4Click(); break;
    case kCmdDisableEnable: N1Click(); break;
    case kCmdInfo: Ourotherproducts1Click(); break;
    case kCmdHelp: Help1Click(); break;
    case kCmdAbout: N5Click(); break;
    case kCmdExit: N3Click(); break;
    case kCmdOK: Button1Click(); break;
    case kCmdCancel: Button2Click(); break;
    case kCmdApply: Button3Click(); break;
    case kCmdHotKey:
      if (code == EN_CHANGE) HotKey1Change();
      break;
    case kCmdPrecisionEdit:
      if (code == EN_CHANGE) Edit1Change();
      break;
    case kCmdRadioNumber:
      if (code == BN_CLICKED) RadioButton1Click();
      break;
    case kCmdRadioLine:
      if (code == BN_CLICKED) RadioButton2Click();
      break;
    case kCmdAutorun:
      if (code == BN_CLICKED) CheckBox2Click();
      break;
    case kCmdKeepHotKey:
      if (code == BN_CLICKED) CheckBox3Click();
      break;
    default: break;
  }
}

void TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == UpDown1 && header.code == static_cast<UINT>(UDN_DELTAPOS)) UpDown1Changing();
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr || form->Handle != window) return DefWindowProcW(window, message, wParam, lParam);
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_CLOSE:
      // Closing only puts the window away: nothing is saved or reverted.
      FormCloseQuery();
      MainFormHide();
      return 0;
    case kTrayCallbackMessage:
      TrayIconMessage(lParam);
      break;
    default:
      if (message == taskbarCreatedMessage_ && message != 0) {
        // The shell restarted and forgot its icons; without this the running
        // program could no longer be reached.
        trayIcon_.ReAddTrayIcon(Handle, application_.Instance());
        return 0;
      }
      break;
  }
  return DefWindowProcW(Handle, message, wParam, lParam);
}

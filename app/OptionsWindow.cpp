// The options window: its controls, the settings they hold, and OK, Cancel
// and Apply.
#include "OptionsWindow.h"

#include <commctrl.h>

#include "CommandIds.h"
#include "ExistingFile.h"
#include "HotKeyRules.h"
#include "RegistryNames.h"
#include "TextConversion.h"
#include "TrayIcon.h"
#include "WindowText.h"

namespace tarvok {

namespace {

constexpr int kClientWidth = 347;
constexpr int kClientHeight = 239;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr wchar_t kHotKeyWarningText[] = L"This key alone occurs in typing: add Ctrl or Alt.";
constexpr wchar_t kLineFormNoteText[] = L"The line form needs convert.dll in the program folder.";

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Check(HWND button, bool checked) { SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }

std::uint16_t HotKeyFieldValue(HWND field) { return static_cast<std::uint16_t>(SendMessageW(field, HKM_GETHOTKEY, 0, 0)); }

}  // namespace

OptionsWindow::OptionsWindow(Application& application, SettingsRegistry& registry, OptionsWindowOwner& owner)
    : application_(application), registry_(registry), owner_(owner) {}

OptionsWindow::~OptionsWindow() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

// ---- Creation ----

bool OptionsWindow::Create() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &OptionsWindow::WindowProc;
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

  handle_ = CreateWindowExW(kWindowExStyle, className.c_str(), ToUtf16(kBuiltInCaption, CP_ACP).c_str(), kWindowStyle,
                            left, top, width, height, application_.Handle(), nullptr, application_.Instance(), this);
  if (handle_ == nullptr) return false;
  taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
  CreateControls();
  return true;
}

HWND OptionsWindow::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left, int top,
                               int width, int height, UINT id) {
  return layout_.AddControl(handle_, className, text, style, left, top, width, height, id,
                            static_cast<HFONT>(font_.get()));
}

void OptionsWindow::CreateControls() {
  font_.reset(CreateFontW(-MulDiv(kFontPoints, layout_.Dpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  const DWORD visible = WS_VISIBLE;
  hotKeyLabel_ = AddControl(L"STATIC", L"The calculations can be started by pressing:", visible, 16, 8, 319, 13,
                            kLabelHotKey);
  hotKeyField_ = AddControl(HOTKEY_CLASSW, L"", visible | WS_TABSTOP | WS_BORDER, 48, 26, 121, 19, kCmdHotKey);
  SendMessageW(hotKeyField_, HKM_SETRULES, HKCOMB_NONE, 0);
  hotKeyWarning_ = AddControl(L"STATIC", kHotKeyWarningText, 0, 16, 47, 319, 13, kLabelHotKeyWarning);
  formulaNote_ = AddControl(L"STATIC", L"Note that the program can also perform calculations according to the formula ",
                            0, 16, 48, 319, 24, kLabelFormulaNote);
  numberChoice_ = AddControl(L"BUTTON", L"Show result as a number",
                             visible | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 16, 60, 201, 19, kCmdRadioNumber);
  precisionLabel_ = AddControl(L"STATIC", L"Symbols after comma:", visible, 48, 84, 125, 13, kLabelPrecision);
  precisionField_ = AddControl(L"EDIT", L"2", visible | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER, 176, 80,
                               57, 21, kCmdPrecisionEdit);
  precisionSpin_ = AddControl(UPDOWN_CLASSW, L"", visible | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 233,
                              80, 16, 21, kCmdPrecisionSpin);
  SendMessageW(precisionSpin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(precisionField_), 0);
  SendMessageW(precisionSpin_, UDM_SETRANGE32, kMinPrecision, kMaxPrecision);
  SendMessageW(precisionSpin_, UDM_SETPOS32, 0, kDefaultPrecision);
  lineChoice_ = AddControl(L"BUTTON", L"Show result as a line", visible | WS_TABSTOP | BS_AUTORADIOBUTTON, 16, 105,
                           201, 19, kCmdRadioLine);
  lineFormNote_ = AddControl(L"STATIC", NameOwnConverter(kLineFormNoteText, kConverterFileName).c_str(), 0, 32, 124,
                             303, 13, kLabelLineFormNote);
  autorunBox_ = AddControl(L"BUTTON", L"Start with Windows ", visible | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 16,
                           140, 259, 17, kCmdAutorun);
  keepHotKeyBox_ = AddControl(L"BUTTON", L"Keep the hot key from the program when it calculates",
                              visible | WS_TABSTOP | BS_AUTOCHECKBOX, 16, 160, 319, 17, kCmdKeepHotKey);
  okButton_ = AddControl(L"BUTTON", L"OK", visible | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 104, 209, 75, 25,
                         kCmdOK);
  cancelButton_ = AddControl(L"BUTTON", L"Cancel", visible | WS_TABSTOP | BS_PUSHBUTTON, 185, 209, 75, 25, kCmdCancel);
  applyButton_ = AddControl(L"BUTTON", L"Apply", visible | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 266, 209, 75, 25,
                            kCmdApply);
  Check(numberChoice_, true);
}

// ---- Texts ----

void OptionsWindow::ApplyTexts(const LanguageTexts& texts) {
  SetWindowTextW(handle_, texts[TextId::WindowCaption].c_str());
  const std::pair<HWND, TextId> controls[] = {
      {numberChoice_, TextId::RadioNumber}, {precisionLabel_, TextId::PrecisionLabel},
      {lineChoice_, TextId::RadioLine},     {autorunBox_, TextId::Autorun},
      {okButton_, TextId::ButtonOK},        {cancelButton_, TextId::ButtonCancel},
      {applyButton_, TextId::ButtonApply},  {hotKeyLabel_, TextId::HotKeyLabel},
      {formulaNote_, TextId::FormulaNote},  {hotKeyWarning_, TextId::HotKeyWarning},
      {keepHotKeyBox_, TextId::KeepHotKey},
  };
  for (const auto& [control, id] : controls) SetWindowTextW(control, texts[id].c_str());
  SetWindowTextW(lineFormNote_, NameOwnConverter(texts[TextId::LineFormNote], kConverterFileName).c_str());
}

// ---- Settings held by the controls ----

UserSettings OptionsWindow::ControlValues() const {
  UserSettings values;
  values.autorun = Checked(autorunBox_);
  values.keepHotKey = Checked(keepHotKeyBox_);
  values.resultAsLine = !Checked(numberChoice_);
  // The box may hold anything typed into it; the spin control's own last
  // position stands in for text that is not a number at all.
  const int spin = static_cast<int>(SendMessageW(precisionSpin_, UDM_GETPOS32, 0, 0));
  values.precision = PrecisionFromText(WindowText(precisionField_), ClampPrecision(spin));
  values.shortcut = ShortcutFromHotKeyControl(HotKeyFieldValue(hotKeyField_));
  return values;
}

HookSettings OptionsWindow::Settings() const {
  return ToHookSettings(ControlValues(), static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle_)));
}

void OptionsWindow::ShowValues(const UserSettings& values) {
  Check(autorunBox_, values.autorun);
  Check(keepHotKeyBox_, values.keepHotKey);
  Check(numberChoice_, !values.resultAsLine);
  Check(lineChoice_, values.resultAsLine);
  SendMessageW(precisionSpin_, UDM_SETPOS32, 0, ClampPrecision(values.precision));
  SetWindowTextW(precisionField_, std::to_wstring(ClampPrecision(values.precision)).c_str());
  SendMessageW(hotKeyField_, HKM_SETHOTKEY, HotKeyControlFromShortcut(values.shortcut), 0);
  // A stored key that occurs in typing is used as the user chose it; the
  // window only says what it does.
  acceptedShortcut_ = values.shortcut;
  ShowHotKeyWarning(values.shortcut);
  UpdateLineFormNote();
}

void OptionsWindow::ShowHotKeyWarning(std::uint16_t shortcut) {
  ShowWindow(hotKeyWarning_, IsAcceptedHotKey(shortcut) ? SW_HIDE : SW_SHOW);
}

void OptionsWindow::UpdateLineFormNote() {
  const bool converterThere = IsExistingFile(programFolder_ + kConverterFileName);
  ShowWindow(lineFormNote_, Checked(lineChoice_) && !converterThere ? SW_SHOW : SW_HIDE);
}

// Filling the number box sends a change notification, so the window is
// marked clean only after it.
void OptionsWindow::LoadStoredSettings() {
  ShowValues(ReadUserSettings(registry_, keyNames_, application_.ExeName()));
  MarkClean();
}

void OptionsWindow::StoreValues() {
  const UserSettings values = ControlValues();
  ShowValues(values);  // the box shows what is stored, never an out-of-range number
  WriteUserSettings(registry_, values, application_.ExeName(), keyNames_);
}

void OptionsWindow::MarkModified() {
  modified_ = true;
  EnableWindow(applyButton_, TRUE);
}

void OptionsWindow::MarkClean() {
  EnableWindow(applyButton_, FALSE);
  modified_ = false;
}

// ---- Changes ----

void OptionsWindow::OnHotKeyChange() {
  const std::uint16_t shortcut = ShortcutFromHotKeyControl(HotKeyFieldValue(hotKeyField_));
  if (!IsAcceptedHotKey(shortcut)) {
    // Setting the field sends no change notification, so this ends here.
    SendMessageW(hotKeyField_, HKM_SETHOTKEY, HotKeyControlFromShortcut(acceptedShortcut_), 0);
    ShowWindow(hotKeyWarning_, SW_SHOW);
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

void OptionsWindow::OnResultFormChange() {
  MarkModified();
  UpdateLineFormNote();
}

// ---- Buttons, closing and showing ----

void OptionsWindow::Apply() {
  if (!modified_) return;
  StoreValues();
  MarkClean();
  owner_.OnSettingsStored();
}

void OptionsWindow::Accept() {
  Apply();
  Hide();
  Application::TrimWorkingSet();
}

void OptionsWindow::Cancel() {
  LoadStoredSettings();
  Hide();
  Application::TrimWorkingSet();
}

// Closing only puts the window away: nothing is saved or reverted.
void OptionsWindow::Close() {
  registry_.WriteInteger(kSettingsKey, kValueCurrentPage, 0);  // the window's only page
  Hide();
  Application::TrimWorkingSet();
}

void OptionsWindow::Show() {
  UpdateLineFormNote();  // the converter may have been added or removed meanwhile
  if (application_.Handle() != nullptr) ShowWindow(application_.Handle(), SW_SHOWNORMAL);
  ShowWindow(handle_, SW_SHOW);
}

void OptionsWindow::Open() {
  if (IsIconic(handle_) || IsZoomed(handle_)) ShowWindow(handle_, SW_RESTORE);
  Show();
  SetForegroundWindow(handle_);
}

void OptionsWindow::Hide() {
  if (application_.Handle() != nullptr && IsWindowVisible(application_.Handle())) {
    ShowWindow(application_.Handle(), SW_HIDE);
  }
  ShowWindow(handle_, SW_HIDE);
}

// ---- Message dispatch ----

void OptionsWindow::OnCommand(UINT id, UINT code) {
  switch (id) {
    case kCmdOK: Accept(); break;
    case kCmdCancel: Cancel(); break;
    case kCmdApply: Apply(); break;
    case kCmdHotKey:
      if (code == EN_CHANGE) OnHotKeyChange();
      break;
    // A number typed into the box is a change like the arrows: without
    // this, OK would close the window as if it had saved the number.
    case kCmdPrecisionEdit:
      if (code == EN_CHANGE) MarkModified();
      break;
    case kCmdRadioNumber:
    case kCmdRadioLine:
      if (code == BN_CLICKED) OnResultFormChange();
      break;
    case kCmdAutorun:
    case kCmdKeepHotKey:
      if (code == BN_CLICKED) MarkModified();
      break;
    case kCmdPrecisionSpin: break;
    default: owner_.OnProgramCommand(id); break;
  }
}

LRESULT CALLBACK OptionsWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* options = reinterpret_cast<OptionsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (options == nullptr || options->handle_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return options->HandleMessage(message, wParam, lParam);
}

LRESULT OptionsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.hwndFrom == precisionSpin_ && header.code == static_cast<UINT>(UDN_DELTAPOS)) MarkModified();
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case kTrayCallbackMessage:
      owner_.OnTrayIcon(lParam);
      break;
    default:
      if (message == taskbarCreatedMessage_ && message != 0) {
        owner_.OnTaskbarCreated();
        return 0;
      }
      break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace tarvok

// The About box as a raw Win32 dialog. The dialog comes from an in-memory
// template without controls, so that the dialog manager supplies the
// "MS Sans Serif" 8-point font, Enter/Escape handling and the modal frame;
// the controls are then placed in pixels, scaled to the screen's DPI.
#include "AboutBox.h"

#include <shellapi.h>

#include <cstring>
#include <utility>
#include <vector>

#include "TextConversion.h"
#include "WindowText.h"

namespace tarvok {


namespace {

constexpr int kClientWidth = 384;
constexpr int kClientHeight = 251;

// The panel that holds the version and the address, drawn as a lowered
// bevel by the box itself.
constexpr RECT kAddressPanel = {65, 8, 65 + 302, 8 + 48};

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void AppendWide(std::vector<WORD>& out, const wchar_t* text) {
  do out.push_back(static_cast<WORD>(*text)); while (*text++ != L'\0');
}

// DLGTEMPLATE, no menu, the standard class, the caption, then the font
// that DS_SETFONT asks for; no items.
std::vector<WORD> EmptyDialogTemplate() {
  DLGTEMPLATE header{};
  header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  header.cx = 256;  // replaced by the pixel size once the dialog exists
  header.cy = 160;
  std::vector<WORD> words(sizeof header / sizeof(WORD));
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // menu
  words.push_back(0);  // class
  AppendWide(words, tarvok::ToUtf16(AboutBox::kBuiltInCaption, CP_ACP).c_str());
  words.push_back(8);  // points
  AppendWide(words, L"MS Sans Serif");
  return words;
}

}  // namespace

AboutBox::AboutBox(HINSTANCE instance, std::string languageFolder,
               const tarvok::LanguageFileSystem& files)
    : instance_(instance), languageFolder_(std::move(languageFolder)), files_(files) {}

AboutBox::~AboutBox() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

bool AboutBox::Create(HWND owner) {
  if (handle_ != nullptr) return true;
  owner_ = owner;
  const std::vector<WORD> dialogTemplate = EmptyDialogTemplate();
  handle_ = CreateDialogIndirectParamW(
      instance_, reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner, DialogProc,
      reinterpret_cast<LPARAM>(this));
  return handle_ != nullptr;
}

INT_PTR CALLBACK AboutBox::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<AboutBox*>(lParam)->handle_ = dialog;
  }
  auto* self = reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return self != nullptr ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus was set on OK already
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) return FALSE;
      SetWindowLongPtrW(handle_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        modalResult_ = id;  // ShowModal's loop sees it and hides the box
        return TRUE;
      }
      if (id == kWebAddressId && HIWORD(wParam) == STN_CLICKED) {
        OpenWebAddress();
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      handle_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void AboutBox::OnInitDialog() {
  layout_ = tarvok::DpiLayout::OfScreen();
  RECT frame = {0, 0, layout_.Scale(kClientWidth), layout_.Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  auto* font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  LOGFONTW bold{};
  if (font != nullptr && GetObjectW(font, sizeof bold, &bold) == sizeof bold) {
    bold.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&bold));
  }
  auto* boldFont = boldFont_ ? static_cast<HFONT>(boldFont_.get()) : font;

  pictureControl_ = AddControl(L"STATIC", nullptr, SS_BITMAP, 8, 8, 48, 48, kPictureId, font);
  picture_.reset(LoadImageA(instance_, kPictureResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (picture_) SendMessageW(pictureControl_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));

  versionLabel_ = AddControl(L"STATIC", tarvok::ToUtf16(kVersionText, CP_ACP).c_str(), SS_LEFT | SS_NOPREFIX, kAddressPanel.left + 8,
                       kAddressPanel.top + 2, 0, 13, kVersionId, boldFont);
  webAddressLabel_ = AddControl(L"STATIC", tarvok::ToUtf16(kWebAddress, CP_ACP).c_str(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                       kAddressPanel.left + 8, kAddressPanel.top + 16, 0, 13, kWebAddressId, font);
  creditsLabel_ = AddControl(L"STATIC", L"Credits:", SS_LEFT | SS_NOPREFIX, 4, 128, 0, 13, kCreditsLabelId,
                      boldFont);
  creditsList_ = AddControl(L"EDIT", L"",
                     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER |
                         WS_TABSTOP,
                     4, 144, 373, 65, kCreditsListId, font);
  okButton_ = AddControl(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 302, 219, 75, 25, IDOK,
                       font);
  SetFocus(okButton_);
}

HWND AboutBox::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left,
                        int top, int width, int height, int id, HFONT font) {
  HWND control = layout_.AddControl(handle_, className, text, WS_VISIBLE | style, left, top, width, height,
                                    static_cast<UINT>(id), font);
  if (control == nullptr) return nullptr;
  // Labels size themselves to their text, as translated texts differ in length.
  if (width == 0) FitLabelToText(control);
  return control;
}

void AboutBox::FitLabelToText(HWND label) {
  if (label == nullptr) return;
  HDC dc = GetDC(label);
  if (dc == nullptr) return;
  auto* font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  const std::wstring text = tarvok::WideWindowText(label);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, extent.cx + 1, extent.cy > 0 ? extent.cy : layout_.Scale(13),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, TRUE);
}

void AboutBox::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(handle_, &paint);
  RECT panel = {layout_.Scale(kAddressPanel.left), layout_.Scale(kAddressPanel.top), layout_.Scale(kAddressPanel.right),
                layout_.Scale(kAddressPanel.bottom)};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);
  EndPaint(handle_, &paint);
}

INT_PTR AboutBox::OnControlColor(HDC dc, HWND control) {
  if (control != versionLabel_ && control != webAddressLabel_) return FALSE;
  SetTextColor(dc, control == versionLabel_ ? kGreen : kBlue);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

bool AboutBox::OnSetCursor(HWND under) {
  if (under == nullptr || under != webAddressLabel_) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}

void AboutBox::CentreOnScreen() {
  RECT box{};
  GetWindowRect(handle_, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR AboutBox::ShowModal() {
  if (handle_ == nullptr) return IDCANCEL;
  if (showing_) {
    // Reached again from the tray menu while open: a nested modal loop on
    // the same window would leave the owner disabled when the outer one ends.
    SetForegroundWindow(handle_);
    return 0;
  }
  showing_ = true;
  modalResult_ = 0;
  FillCreditsList();
  CentreOnScreen();
  const bool disableOwner = owner_ != nullptr && IsWindowEnabled(owner_);
  if (disableOwner) EnableWindow(owner_, FALSE);
  SendMessageW(handle_, DM_SETDEFID, IDOK, 0);
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  if (okButton_ != nullptr) SetFocus(okButton_);
  RunModalLoop();
  // Enable the owner before hiding, or Windows activates some other program.
  if (disableOwner && owner_ != nullptr) EnableWindow(owner_, TRUE);
  if (handle_ != nullptr) ShowWindow(handle_, SW_HIDE);
  showing_ = false;
  return modalResult_;
}

void AboutBox::RunModalLoop() {
  MSG message;
  while (modalResult_ == 0 && handle_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // Exit was chosen while the box was open: the main loop must see it too.
      PostQuitMessage(static_cast<int>(message.wParam));
      modalResult_ = IDCANCEL;
      return;
    }
    if (got == -1) {
      modalResult_ = IDCANCEL;
      return;
    }
    if (!IsDialogMessageW(handle_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void AboutBox::FillCreditsList() {
  if (creditsList_ == nullptr) return;
  SetWindowTextW(creditsList_, L"");
  SetWindowTextW(creditsList_, tarvok::BuildCreditsText(files_, languageFolder_).c_str());
}

void AboutBox::OpenWebAddress() {
  ShellExecuteA(handle_, "open", kWebAddress, nullptr, nullptr, SW_SHOW);
}

void AboutBox::SetCaption(const std::wstring& text) {
  if (handle_ != nullptr) SetWindowTextW(handle_, text.c_str());
}

void AboutBox::SetCreditsLabel(const std::wstring& text) {
  if (creditsLabel_ == nullptr) return;
  SetWindowTextW(creditsLabel_, text.c_str());
  FitLabelToText(creditsLabel_);
}

void AboutBox::SetOkText(const std::wstring& text) {
  if (okButton_ != nullptr) SetWindowTextW(okButton_, text.c_str());
}

std::wstring AboutBox::CreditsText() const { return creditsList_ != nullptr ? tarvok::WideWindowText(creditsList_) : std::wstring(); }

}  // namespace tarvok

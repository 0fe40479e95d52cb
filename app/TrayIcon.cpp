// Shell_NotifyIconW with the small record for the icon itself and the
// larger one for balloons; the images are loaded at 16x16 from the program's
// own icon resources.
#include "TrayIcon.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

namespace tarvok {
namespace {

// Copies at most size-1 characters and always terminates.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], std::wstring_view text, std::size_t limit = N) {
  const std::size_t count = std::min(text.size(), std::min(limit, N) - 1);
  std::wmemcpy(field, text.data(), count);
  field[count] = '\0';
}

}  // namespace

NOTIFYICONDATAW BasicTrayRecord(HWND owner, HICON icon) {
  NOTIFYICONDATAW record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = icon;
  CopyCut(record.szTip, kTrayTip, 64);  // the first record version has a 64-character tip
  return record;
}

NOTIFYICONDATAW BalloonTrayRecord(HWND owner, const std::wstring& title, const std::wstring& text,
                                  DWORD iconKind) {
  NOTIFYICONDATAW record{};
  record.cbSize = kBalloonRecordSize;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  record.uFlags = NIF_INFO;
  CopyCut(record.szInfo, text);
  record.uTimeout = 30;
  CopyCut(record.szInfoTitle, title);
  record.dwInfoFlags = iconKind;
  return record;
}

void TrayIcon::Notify(DWORD action, HWND owner, HINSTANCE instance, const char* iconName) {
  ScopedIcon image(static_cast<HICON>(LoadImageA(instance, iconName, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  NOTIFYICONDATAW record = BasicTrayRecord(owner, image.get());
  Shell_NotifyIconW(action, &record);
  // The shell keeps its own copy of the image, so the previous one can go.
  icon_ = std::move(image);
  iconName_ = iconName;
}

void TrayIcon::AddTrayIcon(HWND owner, HINSTANCE instance) { Notify(NIM_ADD, owner, instance, kIconOn); }

void TrayIcon::ChangeTrayIcon(HWND owner, HINSTANCE instance, const char* iconName) {
  Notify(NIM_MODIFY, owner, instance, iconName);
}

void TrayIcon::ReAddTrayIcon(HWND owner, HINSTANCE instance) {
  const std::string current = iconName_;
  Notify(NIM_ADD, owner, instance, current.c_str());
}

void TrayIcon::DeleteTrayIcon(HWND owner) {
  NOTIFYICONDATAW record{};
  record.cbSize = kBasicRecordSize;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &record);
}

void TrayIcon::ShowTrayBalloon(const std::wstring& title, const std::wstring& text, DWORD iconKind,
                               HWND owner) {
  NOTIFYICONDATAW record = BalloonTrayRecord(owner, title, text, iconKind);
  Shell_NotifyIconW(NIM_MODIFY, &record);
}

}  // namespace tarvok

// The program's icon in the notification area: added at start-up, switched
// between the on and off images, re-added when the shell restarts, removed
// at Exit, and the balloon notices shown at it. The tip and the balloons go
// through Shell_NotifyIconW, so a translated balloon reads right whatever
// the system's ANSI code page.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ScopedHandle.h"

namespace tarvok {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 20;  // 1044
inline constexpr UINT kTrayIconId = 1;
inline constexpr wchar_t kTrayTip[] = L"Tarvok";
inline constexpr char kIconOn[] = "MAINICON";
inline constexpr char kIconOff[] = "YELLOW";
// The first version of the record, and the one with balloon fields. Their
// sizes follow the bitness (a window and an icon handle are among the
// fields): 152 and 936 bytes in a 32-bit program, 168 and 952 in a 64-bit one.
inline constexpr DWORD kBasicRecordSize = NOTIFYICONDATAW_V1_SIZE;
inline constexpr DWORD kBalloonRecordSize = NOTIFYICONDATAW_V2_SIZE;
inline constexpr DWORD kBalloonInfoIcon = NIIF_INFO;

static_assert(kBasicRecordSize == (sizeof(void*) == 8 ? 168 : 152));
static_assert(kBalloonRecordSize == (sizeof(void*) == 8 ? 952 : 936));

// The records Shell_NotifyIconW receives; separate so tests can check them.
[[nodiscard]] NOTIFYICONDATAW BasicTrayRecord(HWND owner, HICON icon);
[[nodiscard]] NOTIFYICONDATAW BalloonTrayRecord(HWND owner, const std::wstring& title,
                                                const std::wstring& text, DWORD iconKind);

// Whatever the shell answers is ignored: nothing here reports an error.
class TrayIcon {
 public:
  void AddTrayIcon(HWND owner, HINSTANCE instance);
  void ChangeTrayIcon(HWND owner, HINSTANCE instance, const char* iconName);
  void DeleteTrayIcon(HWND owner);
  void ShowTrayBalloon(const std::wstring& title, const std::wstring& text, DWORD iconKind, HWND owner);
  // After the shell (and its notification area) was re-created.
  void ReAddTrayIcon(HWND owner, HINSTANCE instance);

  [[nodiscard]] HICON TrayIconHandle() const { return icon_.get(); }
  [[nodiscard]] const std::string& CurrentIconName() const { return iconName_; }

 private:
  void Notify(DWORD action, HWND owner, HINSTANCE instance, const char* iconName);

  ScopedIcon icon_;  // the image the shell currently shows; replaced ones are freed
  std::string iconName_ = kIconOn;
};

}  // namespace tarvok

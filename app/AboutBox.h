// The About box: the program's picture, version and web address, and the
// credits of every installed language file. It is created once, hidden,
// after the options window, shown modally from the tray menu and destroyed
// when the program ends. The credits list is rebuilt at every showing, so a
// language file copied in while the program runs is listed at once. The box
// and its controls are Unicode windows: each credits line keeps the letters
// of its own file's code page.
#pragma once

#include <windows.h>

#include <string>

#include "DpiLayout.h"
#include "LanguageFile.h"
#include "ScopedHandle.h"
#include "TarvokVersion.h"

namespace tarvok {

class AboutBox {
 public:
  static constexpr char kBuiltInCaption[] = "About Tarvok";
  static constexpr char kVersionText[] = "Tarvok Version " TARVOK_VERSION_TEXT;
  static constexpr char kWebAddress[] = "https://tarvok.quorvane.com/";
  static constexpr char kPictureResource[] = "ABOUTPICTURE";

  // `languageFolder` ends in a backslash; `files` must outlive the box.
  AboutBox(HINSTANCE instance, std::string languageFolder,
         const tarvok::LanguageFileSystem& files);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  // Creates the hidden box. `owner` (the options window) is disabled while
  // the box is shown. Returns false when Windows refused the window.
  bool Create(HWND owner);

  // Shows the box and returns when it is closed: IDOK through the OK button
  // or Enter, IDCANCEL through Escape or the title bar. A second call while
  // the box is already open only brings it forward and returns 0.
  INT_PTR ShowModal();

  // Texts a language file replaces.
  void SetCaption(const std::wstring& text);
  void SetCreditsLabel(const std::wstring& text);
  void SetOkText(const std::wstring& text);

  [[nodiscard]] HWND Handle() const { return handle_; }
  [[nodiscard]] bool IsShowing() const { return showing_; }
  [[nodiscard]] std::wstring CreditsText() const;

  // The controls' identifiers; OK is IDOK.
  static constexpr int kPictureId = 10;
  static constexpr int kVersionId = 11;
  static constexpr int kWebAddressId = 12;
  static constexpr int kCreditsLabelId = 13;
  static constexpr int kCreditsListId = 14;

 private:
  void FillCreditsList();
  // Until the box is closed, or the program's message loop is ended.
  void RunModalLoop();
  void OpenWebAddress();
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnPaint();
  INT_PTR OnControlColor(HDC dc, HWND control);
  bool OnSetCursor(HWND under);
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int left, int top,
                  int width, int height, int id, HFONT font);
  void FitLabelToText(HWND label);
  void CentreOnScreen();

  HINSTANCE instance_;
  std::string languageFolder_;
  const tarvok::LanguageFileSystem& files_;
  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  tarvok::ScopedGdiObject boldFont_;
  tarvok::ScopedGdiObject picture_;
  tarvok::DpiLayout layout_;
  INT_PTR modalResult_ = 0;
  bool showing_ = false;
  HWND pictureControl_ = nullptr;
  HWND versionLabel_ = nullptr;
  HWND webAddressLabel_ = nullptr;
  HWND creditsLabel_ = nullptr;  // "Credits:"
  HWND creditsList_ = nullptr;
  HWND okButton_ = nullptr;
};

}  // namespace tarvok

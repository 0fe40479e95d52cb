// Windows laid out in pixels of a 96-DPI screen and scaled to the screen's
// DPI when they are built: the options window and the About box.
#pragma once

#include <windows.h>

namespace tarvok {

class DpiLayout {
 public:
  DpiLayout() = default;  // 96 DPI until the window is built
  // The screen's DPI as it is now; 96 when it cannot be read.
  [[nodiscard]] static DpiLayout OfScreen();

  [[nodiscard]] int Dpi() const { return dpi_; }
  [[nodiscard]] int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }

  // A child control placed in 96-DPI pixels, with the font; null when it
  // could not be created.
  HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int left, int top,
                  int width, int height, UINT id, HFONT font) const;

 private:
  int dpi_ = 96;
};

}  // namespace tarvok

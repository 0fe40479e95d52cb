#include "DpiLayout.h"

namespace tarvok {

DpiLayout DpiLayout::OfScreen() {
  DpiLayout layout;
  if (HDC screen = GetDC(nullptr)) {
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi > 0) layout.dpi_ = dpi;
    ReleaseDC(nullptr, screen);
  }
  return layout;
}

HWND DpiLayout::AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int left,
                           int top, int width, int height, UINT id, HFONT font) const {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | style, Scale(left), Scale(top), Scale(width),
                                 Scale(height), parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

}  // namespace tarvok

// Reading a control's text back as an 8-bit string, for the windows of the
// controller that need what a control currently shows.
#pragma once

#include <windows.h>

#include <string>

namespace tarvok {

inline std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace tarvok

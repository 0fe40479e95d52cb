// Run-time binding of Windows' HTML Help control. The library is found
// through the control's class registration rather than by name, so that
// tarvok.exe neither links against it nor fails to start where it is
// missing: without it, the help topic command simply does nothing.
#pragma once

#include <windows.h>

#include "ScopedHandle.h"

namespace tarvok {

inline constexpr char kHtmlHelpControlKey[] =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
inline constexpr UINT kHhDisplayTopic = 0x0000;
inline constexpr UINT kHhCloseAll = 0x0012;

using HtmlHelpAFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

class HtmlHelpAPI {
 public:
  HtmlHelpAPI() = default;
  ~HtmlHelpAPI() { Unbind(); }
  HtmlHelpAPI(const HtmlHelpAPI&) = delete;
  HtmlHelpAPI& operator=(const HtmlHelpAPI&) = delete;

  // Loads the library that the default value of root\subkey names. Does
  // nothing and returns false when the value is missing or empty, names no
  // existing file, or the library does not load or lacks HtmlHelpA.
  bool Bind(HKEY root = HKEY_CLASSES_ROOT, const char* subkey = kHtmlHelpControlKey);
  // Closes any help window the library opened, then frees it.
  void Unbind();

  [[nodiscard]] bool IsLoaded() const { return library_.valid(); }

  // Calls the library's HtmlHelpA; returns nullptr and does nothing when the
  // library is not loaded.
  HWND HtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data);

 private:
  ScopedModule library_;
  HtmlHelpAFunction htmlHelp_ = nullptr;
  bool opened_ = false;
};

// The process's binding: made on the first call (the start sequence calls
// it when it creates the About box), released when the program ends.
HtmlHelpAPI& ProcessHtmlHelp();

}  // namespace tarvok

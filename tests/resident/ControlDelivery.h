// The control for the memory figures: what calc.dll does to the clipboard
// and the keyboard in one delivery, done by the test program itself with
// plain Win32 calls and no hook library loaded: save every format (memory
// blocks byte for byte, a bitmap with CopyImage as calc.dll does), put the
// result as 8-bit and Unicode text with the three marks, inject Ctrl+V after
// 100 ms and release it 200 ms later, put the saved formats back at 300 ms.
// Growth that shows here as well is the system's, not the library's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarvok::resident {

// Opens the clipboard as calc.dll does: another program (under Wine, the
// clipboard's own thread that reads every change) may hold it for a moment,
// so up to five attempts 10 ms apart.
[[nodiscard]] bool OpenClipboardAsTheLibraryDoes(HWND window);

class ControlDelivery {
 public:
  ControlDelivery() = default;
  ~ControlDelivery();
  ControlDelivery(const ControlDelivery&) = delete;
  ControlDelivery& operator=(const ControlDelivery&) = delete;

  // Starts one delivery on the focused window; the rest runs in timers.
  void Start(HWND window, const std::string& result);

 private:
  static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD);
  void Save(HWND window);
  void Put(HWND window, const std::string& result);
  void Restore(HWND window);

  struct Saved {
    UINT format;
    HANDLE data;
  };
  std::vector<Saved> saved_;
};

}  // namespace tarvok::resident

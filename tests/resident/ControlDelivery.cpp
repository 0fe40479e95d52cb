// One delivery without the hook library, step for step as calc.dll makes it.
#include "ControlDelivery.h"

#include <cstring>

namespace tarvok::resident {
namespace {

constexpr UINT_PTR kKeysDownTimer = 1;
constexpr UINT_PTR kKeysUpTimer = 2;
constexpr UINT_PTR kRestoreTimer = 3;
constexpr const char* kMarks[] = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                                  "CanUploadToCloudClipboard"};

// One delivery at a time per test program, as in calc.dll.
ControlDelivery* running = nullptr;

HGLOBAL NewBlock(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

HGLOBAL CopyBlock(HANDLE source) {
  const void* from = GlobalLock(source);
  if (from == nullptr) return nullptr;
  HGLOBAL copy = NewBlock(from, GlobalSize(source));
  GlobalUnlock(source);
  return copy;
}

void Free(UINT format, HANDLE data) {
  if (format == CF_BITMAP) {
    DeleteObject(data);
  } else {
    GlobalFree(data);
  }
}

}  // namespace

bool OpenClipboardAsTheLibraryDoes(HWND window) {
  constexpr int kAttempts = 5;
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(window)) return true;
    if (attempt == kAttempts) return false;
    Sleep(10);
  }
}

ControlDelivery::~ControlDelivery() {
  for (const Saved& entry : saved_) Free(entry.format, entry.data);
  if (running == this) running = nullptr;
}

void ControlDelivery::Start(HWND window, const std::string& result) {
  running = this;
  Save(window);
  Put(window, result);
  SetTimer(window, kKeysDownTimer, 100, &OnTimer);
  SetTimer(window, kRestoreTimer, 300, &OnTimer);
}

void ControlDelivery::Save(HWND window) {
  if (!OpenClipboardAsTheLibraryDoes(window)) return;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) continue;
    // A bitmap is copied with its own call, as calc.dll copies it.
    HANDLE copy = format == CF_BITMAP ? CopyImage(data, IMAGE_BITMAP, 0, 0, 0) : CopyBlock(data);
    if (copy != nullptr) saved_.push_back({format, copy});
  }
  EmptyClipboard();
  CloseClipboard();
}

void ControlDelivery::Put(HWND window, const std::string& result) {
  if (result.empty() || !OpenClipboardAsTheLibraryDoes(window)) return;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, NewBlock(result.c_str(), result.size() + 1));
  const std::wstring wide(result.begin(), result.end());
  SetClipboardData(CF_UNICODETEXT, NewBlock(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
  const DWORD zero = 0;
  for (const char* mark : kMarks) SetClipboardData(RegisterClipboardFormatA(mark), NewBlock(&zero, sizeof zero));
  CloseClipboard();
}

void ControlDelivery::Restore(HWND window) {
  if (!OpenClipboardAsTheLibraryDoes(window)) return;
  EmptyClipboard();
  for (const Saved& entry : saved_) {
    if (SetClipboardData(entry.format, entry.data) == nullptr) Free(entry.format, entry.data);
  }
  saved_.clear();
  CloseClipboard();
}

void CALLBACK ControlDelivery::OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  if (running == nullptr) return;
  switch (id) {
    case kKeysDownTimer:
      keybd_event(VK_CONTROL, 0, 0, 0);
      keybd_event('V', 0, 0, 0);
      SetTimer(window, kKeysUpTimer, 200, &OnTimer);
      break;
    case kKeysUpTimer:
      keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
      keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
      break;
    default:
      running->Restore(window);
      break;
  }
}

}  // namespace tarvok::resident

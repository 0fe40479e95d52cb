// Driving calculations in the own window. Keys are injected with keybd_event
// and reach the hooks when this thread takes them from its queue, as in any
// program; the library's timers run in the same loop.
#include "HotKeyRounds.h"

#include <cstring>
#include <utility>

#include "HostStateCapture.h"

namespace tarvok::resident {
namespace {

constexpr DWORD kStepLimitMs = 5000;
constexpr DWORD kSettleMs = 20;
constexpr int kPictureSide = 64;
constexpr char kTemporaryMark[] = "ExcludeClipboardContentFromMonitorProcessing";

BYTE VirtualKeyOf(char c) {
  switch (c) {
    case '+': return VK_ADD;
    case '-': return VK_SUBTRACT;
    case '*': return VK_MULTIPLY;
    case '/': return VK_DIVIDE;
    default: return static_cast<BYTE>(c);  // digits
  }
}

void Tap(BYTE key) {
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

HotKeyRounds::HotKeyRounds(HWND window, HWND field, std::string userClipboardText)
    : window_(window), field_(field), userText_(std::move(userClipboardText)) {}

bool HotKeyRounds::DispatchOne() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  // The hooks ran inside PeekMessage, the timers inside DispatchMessage: a
  // change they made and undid later would not show at the round's end.
  std::uint16_t control = 0;
  asm volatile("fnstcw %0" : "=m"(control));
  if (control != expectedFpuControl_ && fpuChange_.empty()) fpuChange_ = "x87 control word changed between two messages";
  return true;
}

template <typename Condition>
bool HotKeyRounds::PumpUntil(Condition condition, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    while (DispatchOne()) {
    }
    if (condition()) return true;
    if (GetTickCount64() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Our V is down only from the timer that presses it to the next message
// the program takes after it: looked at after every message.
bool HotKeyRounds::PumpUntilPasteKeysDown() {
  const ULONGLONG deadline = GetTickCount64() + kStepLimitMs;
  while (!KeyDown('V')) {
    if (DispatchOne()) continue;
    if (GetTickCount64() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void HotKeyRounds::Settle() {
  ULONGLONG quietSince = GetTickCount64();
  const ULONGLONG limit = quietSince + kStepLimitMs;
  while (GetTickCount64() < quietSince + kSettleMs && GetTickCount64() < limit) {
    if (DispatchOne()) {
      quietSince = GetTickCount64();
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
  }
}

std::string HotKeyRounds::FieldText() const {
  char text[512] = "";
  GetWindowTextA(field_, text, sizeof text);
  return text;
}

// Text and a picture, as after copying from a document: the picture's copy
// is a GDI object of its own, and the system offers both in further formats.
bool HotKeyRounds::PutUserClipboard() {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, userText_.size() + 1);
  if (block == nullptr) return false;
  std::memcpy(GlobalLock(block), userText_.c_str(), userText_.size() + 1);
  GlobalUnlock(block);
  HBITMAP picture = CreateBitmap(kPictureSide, kPictureSide, 1, 32, nullptr);
  if (picture == nullptr || !OpenClipboardAsTheLibraryDoes(nullptr)) {
    GlobalFree(block);
    if (picture != nullptr) DeleteObject(picture);
    return false;
  }
  EmptyClipboard();
  const bool textSet = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!textSet) GlobalFree(block);
  const bool pictureSet = SetClipboardData(CF_BITMAP, picture) != nullptr;
  if (!pictureSet) DeleteObject(picture);
  CloseClipboard();
  return textSet && pictureSet;
}

bool HotKeyRounds::ClipboardIsUsers() {
  if (!OpenClipboardAsTheLibraryDoes(nullptr)) return false;
  bool sameText = false;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* text = static_cast<const char*>(GlobalLock(data))) {
      sameText = userText_ == text;
      GlobalUnlock(data);
    }
  }
  BITMAP picture{};
  const HANDLE bitmap = GetClipboardData(CF_BITMAP);
  const bool samePicture = bitmap != nullptr && GetObjectA(bitmap, sizeof picture, &picture) != 0 &&
                           picture.bmWidth == kPictureSide && picture.bmHeight == kPictureSide;
  CloseClipboard();
  return sameText && samePicture;
}

std::string HotKeyRounds::Prepare() {
  asm volatile("fnstcw %0" : "=m"(expectedFpuControl_));
  if (!PutUserClipboard()) return "the user's text was not put on the clipboard";
  const bool inFront = PumpUntil(
      [&] {
        if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
        if (GetFocus() != field_) SetFocus(field_);
        return GetForegroundWindow() == window_ && GetFocus() == field_;
      },
      kStepLimitMs * 2);
  if (!inFront) return "the test window did not come to the front";
  Settle();
  return {};
}

std::string HotKeyRounds::Type(const std::string& typed) {
  // A break first: what an earlier round left in the library's buffer is
  // not part of this expression.
  SetWindowTextA(field_, "");
  Tap(VK_ESCAPE);
  for (const char c : typed) Tap(VirtualKeyOf(c));
  if (!PumpUntil([&] { return FieldText() == typed; }, kStepLimitMs))
    return "typed '" + typed + "', the field holds '" + FieldText() + "'";
  return {};
}

std::string HotKeyRounds::Run(const Round& round, const HostState& baseline) {
  expectedFpuControl_ = baseline.fpuControl;
  if (std::string problem = Type(round.typed); !problem.empty()) return problem;
  const std::string expected = round.typed + round.pasted;
  const UINT mark = RegisterClipboardFormatA(kTemporaryMark);
  const DWORD sequenceBefore = GetClipboardSequenceNumber();

  const CtrlRelease release = control_ != nullptr ? CtrlRelease::AtOnce : round.release;
  const auto modifiers = [&](DWORD flags) {
    if (round.withShift) keybd_event(VK_SHIFT, 0, flags, 0);
    keybd_event(VK_CONTROL, 0, flags, 0);
  };
  if (control_ != nullptr) {
    control_->Start(GetFocus(), round.pasted);
  } else {
    modifiers(0);
    Tap(VK_OEM_PLUS);
    if (release == CtrlRelease::AtOnce) modifiers(KEYEVENTF_KEYUP);
  }
  if (release == CtrlRelease::DuringPaste) {
    const bool pasteDown = PumpUntilPasteKeysDown();
    modifiers(KEYEVENTF_KEYUP);
    if (!pasteDown) return "the simulated Ctrl+V never came";
  }
  // The restore is the delivery's last clipboard change: the user's text is
  // there and our result's mark is gone.
  const bool delivered = PumpUntil(
      [&] {
        return GetClipboardSequenceNumber() != sequenceBefore && IsClipboardFormatAvailable(CF_TEXT) &&
               !IsClipboardFormatAvailable(mark) && !KeyDown('V') && FieldText() == expected;
      },
      kStepLimitMs);
  if (release == CtrlRelease::AfterDelivery) modifiers(KEYEVENTF_KEYUP);
  PumpUntil([] { return !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT); }, kStepLimitMs);
  Settle();
  if (!delivered) return "'" + round.typed + "': the field holds '" + FieldText() + "', expected '" + expected + "'";
  if (!ClipboardIsUsers()) return "the user's text and picture did not come back after '" + round.typed + "'";
  std::string changes = DescribeChanges(baseline, CaptureHostState());
  if (!fpuChange_.empty()) changes += fpuChange_;
  return changes;
}

}  // namespace tarvok::resident

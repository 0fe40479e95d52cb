// Finding, focusing, reading and typing into the benchmark's target field.
#include "TargetField.h"

#include <vector>

#include "QuietTarget.h"

namespace tarvok::bench {
namespace {

constexpr DWORD kAnswerLimitMs = 5000;

}  // namespace

TargetField::TargetField(const char* name) {
  window_ = FindWindowA(name, nullptr);
  if (!window_) window_ = FindWindowA(nullptr, name);
  if (!window_) return;
  char className[64] = "";
  GetClassNameA(window_, className, sizeof className);
  if (lstrcmpA(className, kQuietTargetClass) == 0) lengthMessage_ = RegisterWindowMessageA(kQuietTargetCountMessage);
  field_ = FindWindowExA(window_, nullptr, "Edit", nullptr);
  if (!field_) field_ = window_;
}

bool TargetField::MakeForeground() const {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (GetForegroundWindow() == window_) return true;
    SetForegroundWindow(window_);
    Sleep(50);
  }
  return false;
}

long TargetField::TextLength() const {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(field_, lengthMessage_, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs, &length)) return -1;
  return static_cast<long>(length);
}

bool TargetField::ReadText(std::string& text) const {
  const long length = TextLength();
  if (length < 0) return false;
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(field_, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kAnswerLimitMs, &copied))
    return false;
  text.assign(buffer.data(), static_cast<std::size_t>(copied));
  return true;
}

bool TargetField::Clear() const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(field_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG,
                             kAnswerLimitMs, &ignored) != 0;
}

double TargetField::TypeKey(BYTE virtualKey, const PerfClock& clock) const {
  const long before = TextLength();
  if (before < 0) return -1;
  const double start = clock.NowMicroseconds();
  keybd_event(virtualKey, 0, 0, 0);
  keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
  const double limit = start + kAnswerLimitMs * 1000.0;
  for (;;) {
    const long now = TextLength();
    if (now < 0) return -1;
    if (now > before) return clock.NowMicroseconds() - start;
    if (clock.NowMicroseconds() > limit) return -1;
  }
}

double TargetField::TypeBurst(const std::string& keys, const PerfClock& clock) const {
  const long before = TextLength();
  if (before < 0) return -1;
  std::vector<INPUT> inputs;
  for (const char key : keys) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = static_cast<BYTE>(key);
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  const long expected = before + static_cast<long>(keys.size());
  const double start = clock.NowMicroseconds();
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  const double limit = start + kAnswerLimitMs * 1000.0 * 4;
  for (;;) {
    Sleep(1);
    const long now = TextLength();
    if (now < 0) return -1;
    if (now >= expected) return clock.NowMicroseconds() - start;
    if (clock.NowMicroseconds() > limit) return -1;
  }
}

void TargetField::PressWithCtrl(BYTE virtualKey) {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(virtualKey, 0, 0, 0);
  keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace tarvok::bench

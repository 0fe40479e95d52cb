// The clipboard is shared by every program: it is opened for as short a time
// as possible and always closed again, whatever fails in between.
#include "ClipboardExchange.h"

namespace tarvok {
namespace {

// Another program may hold the clipboard for a moment (a clipboard manager
// reading our own last change, for one). A short wait is enough there and
// keeps the keyboard hook from stalling the program it runs in.
constexpr int kOpenAttempts = 5;
constexpr unsigned kOpenRetryMs = 10;

constexpr const char* kTemporaryMarkFormats[] = {
    "ExcludeClipboardContentFromMonitorProcessing",
    "CanIncludeInClipboardHistory",
    "CanUploadToCloudClipboard",
};

class OpenedClipboard {
 public:
  explicit OpenedClipboard(ClipboardSeam& clipboard) noexcept : clipboard_(clipboard) {}
  ~OpenedClipboard() { Close(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Close() noexcept {
    if (!open_) return true;
    open_ = false;
    return clipboard_.Close();
  }

 private:
  ClipboardSeam& clipboard_;
  bool open_ = true;
};

// Hands `data` to the clipboard, or frees it when the clipboard refuses it.
bool SetOrFree(ClipboardSeam& clipboard, unsigned format, ClipboardData data) noexcept {
  if (clipboard.SetData(format, data)) return true;
  clipboard.FreeData(format, data);
  return false;
}

}  // namespace

bool ClipboardExchange::OpenWithRetry(WindowRef window) noexcept {
  for (int attempt = 1;; ++attempt) {
    if (clipboard_.Open(window)) return true;
    if (attempt == kOpenAttempts) return false;
    clipboard_.Pause(kOpenRetryMs);
  }
}

bool ClipboardExchange::SaveClipboard(WindowRef window) {
  DiscardSavedClipboard();
  if (!OpenWithRetry(window)) return false;
  OpenedClipboard opened(clipboard_);
  try {
    SaveFormats();
  } catch (...) {
    DiscardSavedClipboard();  // out of memory: the clipboard stays as it is
    throw;
  }
  holding_ = true;
  clipboard_.Empty();
  return true;
}

void ClipboardExchange::SaveFormats() {
  for (unsigned format = clipboard_.EnumFormats(0); format != 0; format = clipboard_.EnumFormats(format)) {
    const ClipboardData data = clipboard_.GetData(format);
    // A format we hold no copy of is left out of the restore: announced
    // without data it would look present and paste nothing. The system still
    // converts to it from the formats we keep where it can.
    if (data == nullptr) continue;
    saved_.push_back({format, nullptr});
    saved_.back().data = clipboard_.CopyData(format, data);
    if (saved_.back().data == nullptr) saved_.pop_back();
  }
}

void ClipboardExchange::DiscardSavedClipboard() noexcept {
  for (const SavedFormat& entry : saved_) clipboard_.FreeData(entry.format, entry.data);
  saved_.clear();
  holding_ = false;
}

RestoreOutcome ClipboardExchange::RestoreClipboard(WindowRef window) noexcept {
  if (!holding_) return RestoreOutcome::NothingSaved;
  if (!OpenWithRetry(window)) return RestoreOutcome::Busy;
  OpenedClipboard opened(clipboard_);
  if (clipboard_.SequenceNumber() != ownSequence_) {
    DiscardSavedClipboard();
    return RestoreOutcome::Superseded;
  }
  clipboard_.Empty();
  for (const SavedFormat& entry : saved_) SetOrFree(clipboard_, entry.format, entry.data);
  saved_.clear();
  holding_ = false;
  return RestoreOutcome::Restored;
}

void ClipboardExchange::NoteOwnWrites() noexcept { ownSequence_ = clipboard_.SequenceNumber(); }

bool ClipboardExchange::EmptyClipboard(WindowRef window) noexcept {
  if (!OpenWithRetry(window)) return false;
  OpenedClipboard opened(clipboard_);
  return clipboard_.Empty();
}

bool ClipboardExchange::PutClipboardText(WindowRef window, std::string_view text, bool emptyFirst) noexcept {
  if (text.empty()) return false;
  const ClipboardData block = clipboard_.NewBlock(text.data(), text.size(), 1);
  if (block == nullptr) return false;
  if (!OpenWithRetry(window)) {
    clipboard_.FreeData(kCfText, block);
    return false;
  }
  OpenedClipboard opened(clipboard_);
  if (emptyFirst) clipboard_.Empty();
  if (!SetOrFree(clipboard_, kCfText, block)) clipboard_.Beep();
  if (!opened.Close()) clipboard_.Beep();
  return true;
}

void ClipboardExchange::PutClipboardUnicodeText(WindowRef window, std::u16string_view text, bool emptyFirst) {
  if (text.empty()) return;
  const ClipboardData block = clipboard_.NewBlock(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t));
  if (block == nullptr) throw ClipboardWriteError("no memory for the Unicode text");
  if (!OpenWithRetry(window)) {
    clipboard_.FreeData(kCfUnicodeText, block);
    throw ClipboardWriteError("clipboard busy");
  }
  OpenedClipboard opened(clipboard_);
  if (emptyFirst) clipboard_.Empty();
  if (!SetOrFree(clipboard_, kCfUnicodeText, block)) throw ClipboardWriteError("Unicode text refused");
}

void ClipboardExchange::MarkAsTemporary(WindowRef window) noexcept {
  if (!OpenWithRetry(window)) return;
  OpenedClipboard opened(clipboard_);
  const std::uint32_t zero = 0;
  for (const char* name : kTemporaryMarkFormats) {
    const unsigned format = clipboard_.RegisterFormat(name);
    if (format == 0) continue;
    const ClipboardData block = clipboard_.NewBlock(&zero, sizeof zero, 0);
    if (block != nullptr) SetOrFree(clipboard_, format, block);
  }
}

}  // namespace tarvok

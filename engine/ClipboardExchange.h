// Saving the user's clipboard before the result goes there, giving it back
// afterwards, and the two text writers. The saved copy is held until it is
// given back or found out of date; while it is held, no second save may
// replace it, or the user's data would be lost behind our own result.
#pragma once

#include <cstdint>
#include <exception>
#include <string_view>
#include <vector>

#include "ClipboardSeam.h"

namespace tarvok {

// Raised when the Unicode text could not be put on the clipboard.
class ClipboardWriteError : public std::exception {
 public:
  explicit ClipboardWriteError(const char* what) noexcept : what_(what) {}
  [[nodiscard]] const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // a literal
};

enum class RestoreOutcome {
  Restored,      // the user's formats are back
  NothingSaved,  // no save was outstanding
  Superseded,    // someone wrote to the clipboard after us: left alone, copy dropped
  Busy,          // the clipboard could not be opened: the copy is kept for a later try
};

class ClipboardExchange {
 public:
  constexpr explicit ClipboardExchange(ClipboardSeam& clipboard) noexcept : clipboard_(clipboard) {}
  ~ClipboardExchange() = default;
  ClipboardExchange(const ClipboardExchange&) = delete;
  ClipboardExchange& operator=(const ClipboardExchange&) = delete;

  // Copies every format that can be copied, in the clipboard's order, and
  // leaves the clipboard empty. False when the clipboard stayed busy: then
  // nothing was saved and nothing changed.
  bool SaveClipboard(WindowRef window);
  RestoreOutcome RestoreClipboard(WindowRef window) noexcept;
  [[nodiscard]] bool HoldsSavedClipboard() const noexcept { return holding_; }
  void DiscardSavedClipboard() noexcept;

  // Marks the clipboard's present contents as our own writing: a restore
  // only goes ahead while nobody has written since.
  void NoteOwnWrites() noexcept;
  [[nodiscard]] bool ChangedSinceOwnWrites() noexcept { return clipboard_.SequenceNumber() != ownSequence_; }
  bool EmptyClipboard(WindowRef window) noexcept;

  // CF_TEXT. False (clipboard untouched) for an empty text or when no
  // memory or no clipboard could be had.
  bool PutClipboardText(WindowRef window, std::string_view text, bool emptyFirst) noexcept;
  // CF_UNICODETEXT; an empty text does nothing. Raises ClipboardWriteError.
  void PutClipboardUnicodeText(WindowRef window, std::u16string_view text, bool emptyFirst);
  // Adds the formats that ask clipboard history, cloud clipboard and
  // clipboard managers to skip this short-lived content.
  void MarkAsTemporary(WindowRef window) noexcept;

 private:
  struct SavedFormat {
    unsigned format;
    ClipboardData data;  // our own copy until it is handed to the clipboard
  };

  bool OpenWithRetry(WindowRef window) noexcept;
  void SaveFormats();

  ClipboardSeam& clipboard_;
  std::vector<SavedFormat> saved_;
  bool holding_ = false;
  std::uint32_t ownSequence_ = 0;
};

}  // namespace tarvok

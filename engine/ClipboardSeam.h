// The clipboard and global-memory calls of the delivery, as one interface.
// Data handles are opaque here; copying and freeing them is the seam's job
// because Windows keeps bitmaps, palettes and metafiles in handles of their
// own kinds, each with its own copy and release calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "KeyboardSeam.h"

namespace tarvok {

using ClipboardData = void*;

inline constexpr unsigned kCfText = 1;
inline constexpr unsigned kCfUnicodeText = 13;

class ClipboardSeam {
 public:
  virtual bool Open(WindowRef window) noexcept = 0;
  virtual bool Close() noexcept = 0;
  virtual bool Empty() noexcept = 0;
  virtual unsigned EnumFormats(unsigned after) noexcept = 0;
  virtual ClipboardData GetData(unsigned format) noexcept = 0;
  // On success the clipboard owns `data`.
  virtual bool SetData(unsigned format, ClipboardData data) noexcept = 0;
  // Changes whenever anyone writes to the clipboard.
  virtual std::uint32_t SequenceNumber() noexcept = 0;
  virtual unsigned RegisterFormat(const char* name) noexcept = 0;

  // A private copy of the clipboard's data for `format`, or null when that
  // kind of data cannot be copied.
  virtual ClipboardData CopyData(unsigned format, ClipboardData data) noexcept = 0;
  virtual void FreeData(unsigned format, ClipboardData data) noexcept = 0;
  // A new movable memory block holding `size` bytes followed by
  // `zeroBytes` zeros (the text's terminator); null on failure.
  virtual ClipboardData NewBlock(const void* bytes, std::size_t size, std::size_t zeroBytes) noexcept = 0;

  // The system's 8-bit code page to UTF-16.
  virtual std::u16string WidenText(std::string_view text) = 0;
  virtual void Beep() noexcept = 0;
  virtual void Pause(unsigned milliseconds) noexcept = 0;

 protected:
  ~ClipboardSeam() = default;
};

}  // namespace tarvok

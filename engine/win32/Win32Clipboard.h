// The clipboard seam over user32, gdi32 and global memory.
#pragma once

#include "ClipboardSeam.h"

namespace tarvok {

class Win32Clipboard final : public ClipboardSeam {
 public:
  constexpr Win32Clipboard() noexcept = default;
  bool Open(WindowRef window) noexcept override;
  bool Close() noexcept override;
  bool Empty() noexcept override;
  unsigned EnumFormats(unsigned after) noexcept override;
  ClipboardData GetData(unsigned format) noexcept override;
  bool SetData(unsigned format, ClipboardData data) noexcept override;
  std::uint32_t SequenceNumber() noexcept override;
  unsigned RegisterFormat(const char* name) noexcept override;
  ClipboardData CopyData(unsigned format, ClipboardData data) noexcept override;
  void FreeData(unsigned format, ClipboardData data) noexcept override;
  ClipboardData NewBlock(const void* bytes, std::size_t size, std::size_t zeroBytes) noexcept override;
  std::u16string WidenText(std::string_view text) override;
  void Beep() noexcept override;
  void Pause(unsigned milliseconds) noexcept override;
};

}  // namespace tarvok

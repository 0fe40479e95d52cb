// Clipboard data comes in several kinds of handle. Memory blocks are copied
// byte for byte; bitmaps, palettes and metafiles are copied with their own
// GDI calls, because GlobalLock cannot read them and a format announced
// without data would come back empty. Private and GDI-object formats hold
// handles only their owner understands: they are not copied.
#include "Win32Clipboard.h"

#include <windows.h>

#include <cstring>

namespace tarvok {
namespace {

enum class DataKind { MemoryBlock, Bitmap, EnhancedMetafile, MetafilePicture, Palette, NotCopyable };

DataKind KindOf(unsigned format) noexcept {
  switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
      return DataKind::Bitmap;
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return DataKind::EnhancedMetafile;
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
      return DataKind::MetafilePicture;
    case CF_PALETTE:
      return DataKind::Palette;
    case CF_OWNERDISPLAY:
      return DataKind::NotCopyable;
    default:
      if (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST) return DataKind::NotCopyable;
      return DataKind::MemoryBlock;
  }
}

HGLOBAL CopyMemoryBlock(HGLOBAL source) noexcept {
  const SIZE_T size = GlobalSize(source);
  const void* from = GlobalLock(source);
  if (from == nullptr) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (copy != nullptr) {
    void* to = GlobalLock(copy);
    if (to != nullptr) {
      std::memcpy(to, from, size);
      GlobalUnlock(copy);
    } else {
      copy = GlobalFree(copy);
    }
  }
  GlobalUnlock(source);
  return copy;
}

// A METAFILEPICT block holds a metafile handle of its own, which a byte copy
// would share with the original.
HGLOBAL CopyMetafilePicture(HGLOBAL source) noexcept {
  HGLOBAL copy = CopyMemoryBlock(source);
  if (copy == nullptr) return nullptr;
  auto* picture = static_cast<METAFILEPICT*>(GlobalLock(copy));
  HMETAFILE metafile = picture != nullptr ? CopyMetaFileA(picture->hMF, nullptr) : nullptr;
  if (picture != nullptr) {
    picture->hMF = metafile;
    GlobalUnlock(copy);
  }
  if (metafile == nullptr) return GlobalFree(copy);
  return copy;
}

HPALETTE CopyPalette(HPALETTE source) noexcept {
  const UINT count = GetPaletteEntries(source, 0, 0, nullptr);
  if (count == 0 || count > 256) return nullptr;
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[256];
  } palette{};
  palette.version = 0x300;
  palette.count = static_cast<WORD>(count);
  GetPaletteEntries(source, 0, count, palette.entries);
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
}

void FreeMetafilePicture(HGLOBAL block) noexcept {
  if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(block))) {
    if (picture->hMF != nullptr) DeleteMetaFile(picture->hMF);
    GlobalUnlock(block);
  }
  GlobalFree(block);
}

}  // namespace

bool Win32Clipboard::Open(WindowRef window) noexcept { return OpenClipboard(static_cast<HWND>(window)) != FALSE; }
bool Win32Clipboard::Close() noexcept { return CloseClipboard() != FALSE; }
bool Win32Clipboard::Empty() noexcept { return EmptyClipboard() != FALSE; }
unsigned Win32Clipboard::EnumFormats(unsigned after) noexcept { return EnumClipboardFormats(after); }
ClipboardData Win32Clipboard::GetData(unsigned format) noexcept { return GetClipboardData(format); }

bool Win32Clipboard::SetData(unsigned format, ClipboardData data) noexcept {
  return SetClipboardData(format, static_cast<HANDLE>(data)) != nullptr;
}

std::uint32_t Win32Clipboard::SequenceNumber() noexcept { return GetClipboardSequenceNumber(); }
unsigned Win32Clipboard::RegisterFormat(const char* name) noexcept { return RegisterClipboardFormatA(name); }

ClipboardData Win32Clipboard::CopyData(unsigned format, ClipboardData data) noexcept {
  switch (KindOf(format)) {
    case DataKind::MemoryBlock:
      return CopyMemoryBlock(static_cast<HGLOBAL>(data));
    case DataKind::Bitmap:
      return CopyImage(static_cast<HANDLE>(data), IMAGE_BITMAP, 0, 0, 0);
    case DataKind::EnhancedMetafile:
      return CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr);
    case DataKind::MetafilePicture:
      return CopyMetafilePicture(static_cast<HGLOBAL>(data));
    case DataKind::Palette:
      return CopyPalette(static_cast<HPALETTE>(data));
    case DataKind::NotCopyable:
      break;
  }
  return nullptr;
}

void Win32Clipboard::FreeData(unsigned format, ClipboardData data) noexcept {
  if (data == nullptr) return;
  switch (KindOf(format)) {
    case DataKind::Bitmap:
    case DataKind::Palette:
      DeleteObject(static_cast<HGDIOBJ>(data));
      break;
    case DataKind::EnhancedMetafile:
      DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
      break;
    case DataKind::MetafilePicture:
      FreeMetafilePicture(static_cast<HGLOBAL>(data));
      break;
    case DataKind::MemoryBlock:
    case DataKind::NotCopyable:
      GlobalFree(static_cast<HGLOBAL>(data));
      break;
  }
}

ClipboardData Win32Clipboard::NewBlock(const void* bytes, std::size_t size, std::size_t zeroBytes) noexcept {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + zeroBytes);
  if (block == nullptr) return nullptr;
  auto* to = static_cast<unsigned char*>(GlobalLock(block));
  if (to == nullptr) return GlobalFree(block);
  if (size != 0) std::memcpy(to, bytes, size);
  std::memset(to + size, 0, zeroBytes);
  GlobalUnlock(block);
  return block;
}

std::u16string Win32Clipboard::WidenText(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (wide <= 0) return {};
  std::u16string result(static_cast<std::size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(result.data()), wide);
  return result;
}

void Win32Clipboard::Beep() noexcept { MessageBeep(MB_ICONASTERISK); }
void Win32Clipboard::Pause(unsigned milliseconds) noexcept { Sleep(milliseconds); }

}  // namespace tarvok

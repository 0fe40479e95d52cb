// Probe commands about the clipboard: filling it with a known set of formats
// (8-bit and Unicode text that differ on purpose, a registered format with
// binary bytes, a bitmap) and dumping what it holds, format by format and in
// the clipboard's own order, so that a test can compare before and after.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "Digest.h"
#include "ProbeCommands.h"
#include "ScopedHandle.h"

namespace probe {

namespace {

// The clipboard is busy while a delivery is under way; a test tool waits a
// little rather than fail on the first try.
constexpr int kOpenAttempts = 100;
constexpr DWORD kOpenRetryMs = 10;

bool OpenClipboardPatiently(std::optional<tarvok::ScopedClipboard>& clipboard) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    clipboard.emplace(nullptr);
    if (clipboard->isOpen()) return true;
    clipboard.reset();
    Sleep(kOpenRetryMs);
  }
  std::fputs("the clipboard stays busy\n", stderr);
  return false;
}

HGLOBAL CopyToGlobal(const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block);
  return block;
}

// Ownership passes to the clipboard only when SetClipboardData succeeds.
bool PutGlobal(UINT format, const void* data, std::size_t size) {
  HGLOBAL block = CopyToGlobal(data, size);
  if (block && SetClipboardData(format, block)) return true;
  if (block) GlobalFree(block);
  std::fprintf(stderr, "could not put format %u\n", format);
  return false;
}

bool PutTestBitmap() {
  // 8 x 8 pixels, 32 bits each, a pattern no rescaling leaves intact.
  DWORD pixels[64];
  for (int i = 0; i < 64; ++i) pixels[i] = 0x00102030u * static_cast<DWORD>(i + 1) ^ 0x00A05010u;
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, pixels);
  if (bitmap && SetClipboardData(CF_BITMAP, bitmap)) return true;
  if (bitmap) DeleteObject(bitmap);
  std::fputs("could not put the bitmap\n", stderr);
  return false;
}

std::string FormatName(UINT format) {
  static const struct {
    UINT id;
    const char* name;
  } kStandard[] = {{CF_TEXT, "CF_TEXT"},         {CF_BITMAP, "CF_BITMAP"},
                   {CF_METAFILEPICT, "CF_METAFILEPICT"}, {CF_OEMTEXT, "CF_OEMTEXT"},
                   {CF_DIB, "CF_DIB"},           {CF_PALETTE, "CF_PALETTE"},
                   {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_ENHMETAFILE, "CF_ENHMETAFILE"},
                   {CF_HDROP, "CF_HDROP"},       {CF_LOCALE, "CF_LOCALE"},
                   {CF_DIBV5, "CF_DIBV5"}};
  for (const auto& entry : kStandard)
    if (entry.id == format) return entry.name;
  char name[256] = {};
  if (GetClipboardFormatNameA(format, name, sizeof name) > 0) return name;
  return "format-" + std::to_string(format);
}

// Bitmaps are compared by their pixels: the handle differs after any copy.
std::string DescribeBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info)) return "unreadable-bitmap";
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = info.bmHeight;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != info.bmHeight) return "unreadable-bitmap";
  char text[64];
  std::snprintf(text, sizeof text, "%ldx%ld %016llx", info.bmWidth, info.bmHeight,
                static_cast<unsigned long long>(Digest(pixels.data(), pixels.size() * sizeof(DWORD))));
  return text;
}

std::string DescribeGlobal(HANDLE data) {
  const SIZE_T size = GlobalSize(data);
  const void* bytes = GlobalLock(data);
  if (!bytes) return "unlockable";
  char text[64];
  std::snprintf(text, sizeof text, "%lu %016llx", static_cast<unsigned long>(size),
                static_cast<unsigned long long>(Digest(bytes, size)));
  GlobalUnlock(data);
  return text;
}

std::string DescribeData(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (!data) return "no-data";
  switch (format) {
    case CF_BITMAP:
      return DescribeBitmap(static_cast<HBITMAP>(data));
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_METAFILEPICT:
      return "handle";  // GDI objects: present, not compared
    default:
      return DescribeGlobal(data);
  }
}

}  // namespace

int ClipPutText(int, Args argv) {
  std::optional<tarvok::ScopedClipboard> clipboard;
  if (!OpenClipboardPatiently(clipboard)) return 1;
  EmptyClipboard();
  return PutGlobal(CF_TEXT, argv[0], std::strlen(argv[0]) + 1) ? 0 : 1;
}

int ClipPutSet(int, Args) {
  static const char kText[] = "Tarvok clip 8-bit";
  static const wchar_t kUnicode[] = L"Tarvok clip Unicode \x00C4\x20AC";
  unsigned char bytes[64];
  for (int i = 0; i < 64; ++i) bytes[i] = static_cast<unsigned char>(i * 37);  // zeros included

  const UINT custom = RegisterClipboardFormatA(kProbeFormatName);
  std::optional<tarvok::ScopedClipboard> clipboard;
  if (!custom || !OpenClipboardPatiently(clipboard)) return 1;
  EmptyClipboard();
  const bool ok = PutGlobal(CF_TEXT, kText, sizeof kText) && PutGlobal(CF_UNICODETEXT, kUnicode, sizeof kUnicode) &&
                  PutGlobal(custom, bytes, sizeof bytes) && PutTestBitmap();
  return ok ? 0 : 1;
}

int ClipDump(int, Args) {
  std::optional<tarvok::ScopedClipboard> clipboard;
  if (!OpenClipboardPatiently(clipboard)) return 1;
  if (CountClipboardFormats() == 0) std::printf("(empty)\n");
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
    std::printf("%s %s\n", FormatName(format).c_str(), DescribeData(format).c_str());
  return 0;
}

int ClipText(int, Args) {
  std::optional<tarvok::ScopedClipboard> clipboard;
  if (!OpenClipboardPatiently(clipboard)) return 1;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (!text) return 1;
  std::printf("%s\n", Escape(text).c_str());
  GlobalUnlock(data);
  return 0;
}

}  // namespace probe

namespace probe {

int ClipSequence(int, Args) {
  std::printf("%lu\n", static_cast<unsigned long>(GetClipboardSequenceNumber()));
  return 0;
}

// Watches without opening the clipboard, which would compete with the paste.
int WaitClipBack(int, Args argv) {
  unsigned long before = 0, limitMs = 0;
  if (!ParseNumber(argv[0], before) || !ParseNumber(argv[1], limitMs)) return 2;
  const UINT userFormat = RegisterClipboardFormatA(kProbeFormatName);
  const ULONGLONG deadline = NowMs() + limitMs;
  do {
    if (GetClipboardSequenceNumber() != before && IsClipboardFormatAvailable(userFormat)) return 0;
    Sleep(5);
  } while (NowMs() < deadline);
  std::fprintf(stderr, "the user's clipboard did not come back within %lu ms\n", limitMs);
  return 1;
}

}  // namespace probe

// The clipboard exchange on the real clipboard: a clipboard holding text,
// Unicode text, a registered format, a bitmap and an enhanced metafile comes
// back with the same formats in the same order and the same contents; the
// writers put exactly what they should; a newer copy is left alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ClipboardExchange.h"
#include "Win32Clipboard.h"

namespace tarvok {
namespace {

std::string BlockBytes(HANDLE data) {
  const void* bytes = GlobalLock(data);
  if (bytes == nullptr) return "<unlockable>";
  std::string copy(static_cast<const char*>(bytes), GlobalSize(data));
  GlobalUnlock(data);
  return copy;
}

std::string BitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) == 0) return "<no bitmap>";
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::string pixels(static_cast<std::size_t>(info.bmWidth * info.bmHeight * 4), '\0');
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + ":" + pixels;
}

std::string MetafileBits(HENHMETAFILE metafile) {
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  std::string bits(size, '\0');
  GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bits.data()));
  return bits;
}

// What a format holds, in a form that can be compared.
std::string Contents(unsigned format, HANDLE data) {
  if (data == nullptr) return "<none>";
  switch (format) {
    case CF_BITMAP:
      return BitmapPixels(static_cast<HBITMAP>(data));
    case CF_ENHMETAFILE:
      return MetafileBits(static_cast<HENHMETAFILE>(data));
    case CF_METAFILEPICT:
    case CF_PALETTE:
      return "<present>";
    default:
      return BlockBytes(data);
  }
}

struct Snapshot {
  std::vector<unsigned> formats;
  std::vector<std::string> contents;
};

Snapshot TakeSnapshot(HWND window) {
  Snapshot snapshot;
  if (!OpenClipboard(window)) return snapshot;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    snapshot.formats.push_back(format);
    snapshot.contents.push_back(Contents(format, GetClipboardData(format)));
  }
  CloseClipboard();
  return snapshot;
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

HBITMAP TestBitmap() {
  std::vector<std::uint32_t> pixels(8 * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0x00102030u * static_cast<std::uint32_t>(i + 1);
  return CreateBitmap(8, 4, 1, 32, pixels.data());
}

HENHMETAFILE TestMetafile() {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 1, 2, 30, 40);
  return CloseEnhMetaFile(dc);
}

// Another program holding the clipboard open.
DWORD WINAPI HoldClipboardForAWhile(void*) {
  OpenClipboard(nullptr);
  Sleep(500);
  CloseClipboard();
  return 0;
}

class Win32ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "engine clipboard test", 0, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    customFormat = RegisterClipboardFormatA("Tarvok Engine Test Bytes");
    std::string custom;
    for (int i = 0; i < 256; ++i) custom += static_cast<char>(i);
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Block(std::string("user text\0", 10)));
    SetClipboardData(customFormat, Block(custom));
    SetClipboardData(CF_BITMAP, TestBitmap());
    SetClipboardData(CF_ENHMETAFILE, TestMetafile());
    CloseClipboard();
    before = TakeSnapshot(window);
  }
  void TearDown() override { DestroyWindow(window); }

  HWND window = nullptr;
  UINT customFormat = 0;
  Snapshot before;
  Win32Clipboard clipboard;
  ClipboardExchange exchange{clipboard};
};

TEST_F(Win32ClipboardTest, SaveAndRestoreKeepOrderAndContents) {
  ASSERT_GE(before.formats.size(), 4u);
  ASSERT_TRUE(exchange.SaveClipboard(window));
  EXPECT_EQ(CountClipboardFormats(), 0);

  exchange.PutClipboardText(window, "6.00", true);  // the result in between
  exchange.NoteOwnWrites();
  ASSERT_EQ(exchange.RestoreClipboard(window), RestoreOutcome::Restored);

  const Snapshot after = TakeSnapshot(window);
  EXPECT_EQ(after.formats, before.formats);
  ASSERT_EQ(after.contents.size(), before.contents.size());
  for (std::size_t i = 0; i < after.contents.size(); ++i) {
    EXPECT_EQ(after.contents[i], before.contents[i]) << "format " << after.formats[i];
  }
}

TEST_F(Win32ClipboardTest, NewerCopyIsLeftAlone) {
  ASSERT_TRUE(exchange.SaveClipboard(window));
  exchange.NoteOwnWrites();
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Block(std::string("newer\0", 6)));
  CloseClipboard();
  EXPECT_EQ(exchange.RestoreClipboard(window), RestoreOutcome::Superseded);
  const Snapshot after = TakeSnapshot(window);
  ASSERT_FALSE(after.formats.empty());
  EXPECT_EQ(after.formats[0], static_cast<unsigned>(CF_TEXT));
  EXPECT_EQ(after.contents[0].substr(0, 6), std::string("newer\0", 6));
}

TEST_F(Win32ClipboardTest, BusyClipboardIsNotEmptied) {
  HANDLE holder = CreateThread(nullptr, 0, HoldClipboardForAWhile, nullptr, 0, nullptr);
  Sleep(100);
  EXPECT_FALSE(exchange.SaveClipboard(window));
  WaitForSingleObject(holder, INFINITE);
  CloseHandle(holder);
  EXPECT_EQ(TakeSnapshot(window).formats, before.formats);
}

TEST_F(Win32ClipboardTest, WritersPutTheResultAndTheSkipMarks) {
  ASSERT_TRUE(exchange.PutClipboardText(window, "6.00", true));
  exchange.PutClipboardUnicodeText(window, u"6.00", false);
  exchange.MarkAsTemporary(window);
  ASSERT_TRUE(OpenClipboard(window));
  EXPECT_EQ(BlockBytes(GetClipboardData(CF_TEXT)).substr(0, 5), std::string("6.00\0", 5));
  EXPECT_EQ(BlockBytes(GetClipboardData(CF_UNICODETEXT)).substr(0, 10), std::string("6\0.\0" "0\0" "0\0\0\0", 10));
  for (const char* name : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                           "CanUploadToCloudClipboard"}) {
    EXPECT_EQ(BlockBytes(GetClipboardData(RegisterClipboardFormatA(name))), std::string(4, '\0')) << name;
  }
  EXPECT_EQ(IsClipboardFormatAvailable(customFormat), FALSE);
  CloseClipboard();
}

TEST_F(Win32ClipboardTest, UnicodeTextUsesTheSystemCodePage) {
  EXPECT_EQ(clipboard.WidenText("6.00"), u"6.00");
  EXPECT_EQ(clipboard.WidenText(""), u"");
}

}  // namespace
}  // namespace tarvok

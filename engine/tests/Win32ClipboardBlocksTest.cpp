// Every block the exchange makes on the real clipboard ends up either owned
// by the clipboard or freed, and unlocked when it is handed over, on each
// path a delivery can take, round after round. A block kept or left locked
// in a program that calculates all day grows it by one copy of the user's
// clipboard per calculation.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>

#include "ClipboardExchange.h"
#include "Win32Clipboard.h"

namespace tarvok {
namespace {

// The real seam, keeping count of the blocks the exchange holds.
class CountingClipboard final : public ClipboardSeam {
 public:
  bool Open(WindowRef window) noexcept override { return real_.Open(window); }
  bool Close() noexcept override { return real_.Close(); }
  bool Empty() noexcept override { return real_.Empty(); }
  unsigned EnumFormats(unsigned after) noexcept override { return real_.EnumFormats(after); }
  ClipboardData GetData(unsigned format) noexcept override { return real_.GetData(format); }
  bool SetData(unsigned format, ClipboardData data) noexcept override {
    if (IsMemory(format) && (GlobalFlags(static_cast<HGLOBAL>(data)) & GMEM_LOCKCOUNT) != 0) ++lockedHandOvers;
    const bool taken = real_.SetData(format, data);
    if (taken) live.erase(data);
    return taken;
  }
  std::uint32_t SequenceNumber() noexcept override { return real_.SequenceNumber(); }
  unsigned RegisterFormat(const char* name) noexcept override { return real_.RegisterFormat(name); }
  ClipboardData CopyData(unsigned format, ClipboardData data) noexcept override {
    return Track(real_.CopyData(format, data));
  }
  void FreeData(unsigned format, ClipboardData data) noexcept override {
    live.erase(data);
    real_.FreeData(format, data);
  }
  ClipboardData NewBlock(const void* bytes, std::size_t size, std::size_t zeroBytes) noexcept override {
    return Track(real_.NewBlock(bytes, size, zeroBytes));
  }
  std::u16string WidenText(std::string_view text) override { return real_.WidenText(text); }
  void Beep() noexcept override {}
  void Pause(unsigned milliseconds) noexcept override { real_.Pause(milliseconds); }

  std::set<ClipboardData> live;
  int lockedHandOvers = 0;

 private:
  static bool IsMemory(unsigned format) noexcept {
    return format != CF_BITMAP && format != CF_ENHMETAFILE && format != CF_PALETTE;
  }
  ClipboardData Track(ClipboardData data) {
    if (data != nullptr) live.insert(data);
    return data;
  }

  Win32Clipboard real_;
};

void PutUserText(HWND window, const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  CloseClipboard();
}

// What happens between the save and the restore.
enum class Interlude {
  ResultOnly,       // the result is pasted and the user's text comes back
  UserCopies,       // the user copies something meanwhile: the copy is dropped
  SecondHotKey,     // a new save while one is held
  UnloadedMidway,   // the library goes before the restore: the copy is discarded
};

struct Case {
  const char* name;
  Interlude interlude;
};

class ClipboardBlocksTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "engine clipboard blocks test", 0, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { DestroyWindow(window); }

  void Round(ClipboardExchange& exchange, int n) {
    PutUserText(window, ("user text " + std::to_string(n)).c_str());
    ASSERT_TRUE(exchange.SaveClipboard(window));
    exchange.PutClipboardText(window, "6.00", true);
    exchange.PutClipboardUnicodeText(window, u"6.00", false);
    exchange.MarkAsTemporary(window);
    exchange.NoteOwnWrites();
    switch (GetParam().interlude) {
      case Interlude::ResultOnly:
        EXPECT_EQ(exchange.RestoreClipboard(window), RestoreOutcome::Restored);
        break;
      case Interlude::UserCopies:
        PutUserText(window, "copied meanwhile");
        EXPECT_EQ(exchange.RestoreClipboard(window), RestoreOutcome::Superseded);
        break;
      case Interlude::SecondHotKey:
        PutUserText(window, "copied meanwhile");
        ASSERT_TRUE(exchange.SaveClipboard(window));
        exchange.NoteOwnWrites();
        EXPECT_EQ(exchange.RestoreClipboard(window), RestoreOutcome::Restored);
        break;
      case Interlude::UnloadedMidway:
        exchange.DiscardSavedClipboard();
        break;
    }
  }

  HWND window = nullptr;
};

TEST_P(ClipboardBlocksTest, NoBlockOutlivesItsRound) {
  CountingClipboard clipboard;
  ClipboardExchange exchange(clipboard);
  for (int n = 1; n <= 50; ++n) {
    Round(exchange, n);
    ASSERT_TRUE(clipboard.live.empty()) << clipboard.live.size() << " blocks still held after round " << n;
  }
  EXPECT_EQ(clipboard.lockedHandOvers, 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, ClipboardBlocksTest,
                         ::testing::Values(Case{"ResultOnly", Interlude::ResultOnly},
                                           Case{"UserCopies", Interlude::UserCopies},
                                           Case{"SecondHotKey", Interlude::SecondHotKey},
                                           Case{"UnloadedMidway", Interlude::UnloadedMidway}),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvok

// Save and restore against a fake clipboard: order and bytes kept, nothing
// leaked, a busy clipboard never emptied, newer contents never overwritten.
#include <gtest/gtest.h>

#include "ClipboardExchange.h"
#include "EngineFakes.h"

namespace tarvok {
namespace {

using testing::FakeClipboard;

constexpr unsigned kCfHtml = 0xC101;
constexpr unsigned kCfBitmap = 2;
WindowRef const kWindow = reinterpret_cast<WindowRef>(0x50);

class ClipboardExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clipboard.UserCopies(kCfText, std::string("hello\0", 6));
    clipboard.UserCopies(kCfHtml, "<b>hello</b>");
    clipboard.UserCopies(kCfBitmap, "BITMAP-BITS");
  }
  FakeClipboard clipboard;
  ClipboardExchange exchange{clipboard};
};

TEST_F(ClipboardExchangeTest, SaveLeavesTheClipboardEmptyAndRestoreBringsEverythingBack) {
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  EXPECT_TRUE(clipboard.contents.empty());
  EXPECT_FALSE(clipboard.open);
  exchange.NoteOwnWrites();
  EXPECT_EQ(exchange.RestoreClipboard(kWindow), RestoreOutcome::Restored);
  EXPECT_EQ(clipboard.Formats(), (std::vector<unsigned>{kCfText, kCfHtml, kCfBitmap}));
  EXPECT_EQ(clipboard.Read(kCfText), std::string("hello\0", 6));
  EXPECT_EQ(clipboard.Read(kCfHtml), "<b>hello</b>");
  EXPECT_EQ(clipboard.Read(kCfBitmap), "BITMAP-BITS");
  EXPECT_TRUE(clipboard.NoLooseHandles());
  EXPECT_FALSE(clipboard.open);
}

TEST_F(ClipboardExchangeTest, FormatThatCannotBeCopiedIsNotAnnouncedEmpty) {
  clipboard.uncopyableFormats[kCfHtml] = true;
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  exchange.NoteOwnWrites();
  exchange.RestoreClipboard(kWindow);
  EXPECT_EQ(clipboard.Formats(), (std::vector<unsigned>{kCfText, kCfBitmap}));
  for (const auto& entry : clipboard.contents) EXPECT_NE(entry.data, nullptr);
}

TEST_F(ClipboardExchangeTest, BusyClipboardIsRetriedBriefly) {
  clipboard.busyOpens = 3;
  EXPECT_TRUE(exchange.SaveClipboard(kWindow));
  EXPECT_EQ(clipboard.openAttempts, 4);
  EXPECT_GT(clipboard.pausedMs, 0u);
  EXPECT_LE(clipboard.pausedMs, 50u);
}

TEST_F(ClipboardExchangeTest, ClipboardThatStaysBusyIsLeftAlone) {
  clipboard.busyOpens = 100;
  EXPECT_FALSE(exchange.SaveClipboard(kWindow));
  EXPECT_FALSE(exchange.HoldsSavedClipboard());
  EXPECT_EQ(clipboard.contents.size(), 3u);
  EXPECT_EQ(exchange.RestoreClipboard(kWindow), RestoreOutcome::NothingSaved);
  EXPECT_EQ(clipboard.contents.size(), 3u);
}

TEST_F(ClipboardExchangeTest, NewerContentsAreNotOverwritten) {
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  exchange.NoteOwnWrites();
  clipboard.UserCopies(kCfText, std::string("newer\0", 6));
  EXPECT_EQ(exchange.RestoreClipboard(kWindow), RestoreOutcome::Superseded);
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{kCfText});
  EXPECT_EQ(clipboard.Read(kCfText), std::string("newer\0", 6));
  EXPECT_TRUE(clipboard.NoLooseHandles());
  EXPECT_FALSE(exchange.HoldsSavedClipboard());
}

TEST_F(ClipboardExchangeTest, RestoreWhileBusyKeepsTheCopyForLater) {
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  exchange.NoteOwnWrites();
  clipboard.busyOpens = 100;
  EXPECT_EQ(exchange.RestoreClipboard(kWindow), RestoreOutcome::Busy);
  EXPECT_TRUE(exchange.HoldsSavedClipboard());
  clipboard.busyOpens = 0;
  EXPECT_EQ(exchange.RestoreClipboard(kWindow), RestoreOutcome::Restored);
  EXPECT_EQ(clipboard.contents.size(), 3u);
}

TEST_F(ClipboardExchangeTest, RefusedFormatIsFreedNotLeaked) {
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  exchange.NoteOwnWrites();
  clipboard.refusedFormats[kCfHtml] = true;
  exchange.RestoreClipboard(kWindow);
  EXPECT_EQ(clipboard.Formats(), (std::vector<unsigned>{kCfText, kCfBitmap}));
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ClipboardExchangeTest, DiscardFreesTheCopies) {
  ASSERT_TRUE(exchange.SaveClipboard(kWindow));
  exchange.DiscardSavedClipboard();
  EXPECT_TRUE(clipboard.bytes.empty());
}

struct TextCase {
  const char* name;
  std::string text;
  bool emptyFirst;
  bool expectedResult;
  std::vector<unsigned> expectedFormats;
};

class TextWriterTest : public ClipboardExchangeTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextWriterTest, PutClipboardText) {
  EXPECT_EQ(exchange.PutClipboardText(kWindow, GetParam().text, GetParam().emptyFirst), GetParam().expectedResult);
  EXPECT_EQ(clipboard.Formats(), GetParam().expectedFormats);
  if (GetParam().expectedResult) {
    EXPECT_EQ(clipboard.Read(kCfText), GetParam().text + '\0');
  }
  EXPECT_FALSE(clipboard.open);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextWriterTest,
    ::testing::Values(TextCase{"EmptyFirst", "6.00", true, true, {kCfText}},
                      TextCase{"Added", "6.00", false, true, {kCfHtml, kCfBitmap, kCfText}},
                      TextCase{"EmptyTextTouchesNothing", "", true, false, {kCfText, kCfHtml, kCfBitmap}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(ClipboardExchangeTest, TextWriterFailures) {
  clipboard.allocationFails = true;
  EXPECT_FALSE(exchange.PutClipboardText(kWindow, "1", true));
  EXPECT_THROW(exchange.PutClipboardUnicodeText(kWindow, u"1", false), ClipboardWriteError);
  clipboard.allocationFails = false;

  clipboard.busyOpens = 100;
  EXPECT_FALSE(exchange.PutClipboardText(kWindow, "1", true));
  EXPECT_THROW(exchange.PutClipboardUnicodeText(kWindow, u"1", false), ClipboardWriteError);
  EXPECT_TRUE(clipboard.NoLooseHandles());
  clipboard.busyOpens = 0;

  clipboard.refusedFormats[kCfText] = true;
  EXPECT_TRUE(exchange.PutClipboardText(kWindow, "1", true));
  EXPECT_EQ(clipboard.beeps, 1);
  clipboard.closeFails = true;
  EXPECT_TRUE(exchange.PutClipboardText(kWindow, "1", true));
  EXPECT_EQ(clipboard.beeps, 3);
  EXPECT_TRUE(clipboard.NoLooseHandles());
}

TEST_F(ClipboardExchangeTest, UnicodeTextCarriesItsTerminator) {
  exchange.PutClipboardUnicodeText(kWindow, u"6.00", false);
  EXPECT_EQ(clipboard.Read(kCfUnicodeText), std::string("6\0.\0" "0\0" "0\0\0\0", 10));
}

TEST_F(ClipboardExchangeTest, MarkAddsTheThreeSkipFormatsWithZero) {
  exchange.PutClipboardText(kWindow, "6", true);
  exchange.MarkAsTemporary(kWindow);
  ASSERT_EQ(clipboard.contents.size(), 4u);
  for (const char* name : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                           "CanUploadToCloudClipboard"}) {
    EXPECT_EQ(clipboard.Read(clipboard.registered.at(name)), std::string(4, '\0')) << name;
  }
}

}  // namespace
}  // namespace tarvok

// The About box as a real window under Wine: the credits list for the files
// present at each showing, the modal behaviour towards its owner, and the
// picture taken from the resources.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "AboutBox.h"
#include "LanguageFileWin32.h"
#include "ScratchFolder.h"

namespace {

using tarvok::testing::ScratchFolder;
using namespace std::string_literals;

// Runs `during` once the modal loop of the box is running, then closes the
// box with `closeWith` (a WM_COMMAND id, or 0 to leave closing to `during`).
class WhileShown {
 public:
  WhileShown(tarvok::AboutBox& about, std::function<void()> during, WPARAM closeWith = IDOK)
      : about_(about), during_(std::move(during)), closeWith_(closeWith) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &WhileShown::Tick);
  }
  ~WhileShown() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  WhileShown(const WhileShown&) = delete;
  WhileShown& operator=(const WhileShown&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    WhileShown* self = current_;
    if (self == nullptr || self->timer_ == 0) return;
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    if (self->during_) self->during_();
    if (self->closeWith_ != 0) PostMessageA(self->about_.Handle(), WM_COMMAND, self->closeWith_, 0);
  }
  static inline WhileShown* current_ = nullptr;
  tarvok::AboutBox& about_;
  std::function<void()> during_;
  WPARAM closeWith_;
  UINT_PTR timer_ = 0;
};

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    ASSERT_TRUE(about_.Create(owner_));
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND Control(int id) { return GetDlgItem(about_.Handle(), id); }

  // Shows the box once and returns the credits it listed.
  std::wstring CreditsOfOneShowing() {
    WhileShown closer(about_, nullptr);
    EXPECT_EQ(about_.ShowModal(), IDOK);
    return about_.CreditsText();
  }

  ScratchFolder folder_{"about"};
  tarvok::Win32LanguageFileSystem files_;
  tarvok::AboutBox about_{GetModuleHandleA(nullptr), folder_.path(), files_};
  HWND owner_ = nullptr;
};

TEST_F(AboutTest, CreditsListTheFilesPresentAtEachShowing) {
  EXPECT_EQ(CreditsOfOneShowing(), L"");

  folder_.Write("eng.ini", "[Info]\r\nLanguage=English\r\nTranslator=Team\r\nVersion=1.50\r\n");
  EXPECT_EQ(CreditsOfOneShowing(), L"English  Translate version 1.50; Team");

  // Added while the program runs: listed at the next showing. A file
  // without "Info" gives the two fixed pieces only; one that is no text
  // gives the same.
  folder_.Write("noinfo.ini", "[Menu]\r\n1=x\r\n");
  folder_.Write("junk.ini", "\x7F" "ELF\0\0\0[Info]\r\nLanguage=junk\r\n"s);
  std::wstring credits = CreditsOfOneShowing();
  EXPECT_NE(credits.find(L"English  Translate version 1.50; Team"), std::wstring::npos);
  EXPECT_EQ(credits.find(L"junk"), std::wstring::npos);
  int emptyLines = 0;
  for (std::size_t at = 0; (at = credits.find(L"  Translate version ; ", at)) != std::wstring::npos; ++at) {
    ++emptyLines;
  }
  EXPECT_EQ(emptyLines, 2);
  EXPECT_EQ(std::count(credits.begin(), credits.end(), L'\n'), 2);

  folder_.Remove("eng.ini");
  folder_.Remove("junk.ini");
  EXPECT_EQ(CreditsOfOneShowing(), L"  Translate version ; ");
}

TEST_F(AboutTest, OwnerTakesNoInputWhileTheBoxIsOpen) {
  bool ownerEnabledDuring = true;
  bool visibleDuring = false;
  {
    WhileShown closer(about_, [&] {
      ownerEnabledDuring = IsWindowEnabled(owner_) != FALSE;
      visibleDuring = IsWindowVisible(about_.Handle()) != FALSE;
    });
    EXPECT_EQ(about_.ShowModal(), IDOK);
  }
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(visibleDuring);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_FALSE(IsWindowVisible(about_.Handle()));
}

TEST_F(AboutTest, EscapeAndTitleBarCloseWithCancel) {
  {
    WhileShown closer(about_, nullptr, IDCANCEL);
    EXPECT_EQ(about_.ShowModal(), IDCANCEL);
  }
  WhileShown closer(about_, [&] { PostMessageA(about_.Handle(), WM_CLOSE, 0, 0); }, 0);
  EXPECT_EQ(about_.ShowModal(), IDCANCEL);
}

TEST_F(AboutTest, SecondShowWhileOpenReturnsAtOnceAndLeavesOwnerUsable) {
  INT_PTR nested = -1;
  {
    WhileShown closer(about_, [&] { nested = about_.ShowModal(); });
    EXPECT_EQ(about_.ShowModal(), IDOK);
  }
  EXPECT_EQ(nested, 0);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(AboutTest, ExitWhileOpenEndsTheBoxAndReachesTheMainLoop) {
  WhileShown closer(about_, [] { PostQuitMessage(7); }, 0);
  EXPECT_EQ(about_.ShowModal(), IDCANCEL);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(AboutTest, ShowsTheProgramsPictureVersionAndAddress) {
  auto* picture = reinterpret_cast<HBITMAP>(
      SendMessageA(Control(tarvok::AboutBox::kPictureId), STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(picture, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(picture, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 48);
  EXPECT_EQ(info.bmHeight, 48);
  EXPECT_EQ(info.bmBitsPixel, 24);

  char text[128] = {};
  GetWindowTextA(Control(tarvok::AboutBox::kVersionId), text, sizeof text);
  EXPECT_STREQ(text, "Tarvok Version " TARVOK_VERSION_TEXT);
  GetWindowTextA(Control(tarvok::AboutBox::kWebAddressId), text, sizeof text);
  EXPECT_STREQ(text, tarvok::AboutBox::kWebAddress);
  GetWindowTextA(about_.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "About Tarvok");

  RECT client{};
  GetClientRect(about_.Handle(), &client);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, MulDiv(384, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(251, dpi, 96));
}

TEST_F(AboutTest, TranslatedCreditsLabelIsNotClipped) {
  const std::wstring longLabel = L"Длинный перевод слова благодарности:";
  about_.SetCreditsLabel(longLabel);
  const HWND creditsLabel = Control(tarvok::AboutBox::kCreditsLabelId);
  HDC dc = GetDC(creditsLabel);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(creditsLabel, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, longLabel.c_str(), static_cast<int>(longLabel.size()), &extent);
  ReleaseDC(creditsLabel, dc);
  RECT label{};
  GetClientRect(creditsLabel, &label);
  EXPECT_GE(label.right, extent.cx);
}

}  // namespace

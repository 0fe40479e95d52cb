// The notification records and image choice of the tray icon, and the icon
// resources tarvok.exe must carry.
#include <gtest/gtest.h>

#include "TrayIcon.h"

namespace tarvok {
namespace {

TEST(TrayRecords, BasicRecordIsTheSmallVersionWithCallbackAndTip) {
  const NOTIFYICONDATAW record = BasicTrayRecord(reinterpret_cast<HWND>(0x1234), nullptr);
  EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
  EXPECT_EQ(record.uID, 1u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 1044u);
  EXPECT_STREQ(record.szTip, L"Tarvok");
}

struct BalloonCase {
  std::size_t titleLength, textLength, keptTitle, keptText;
};

class BalloonRecordTest : public ::testing::TestWithParam<BalloonCase> {};

TEST_P(BalloonRecordTest, CutsTitleAndTextToTheirFields) {
  const BalloonCase& c = GetParam();
  const NOTIFYICONDATAW record = BalloonTrayRecord(nullptr, std::wstring(c.titleLength, L'T'),
                                                   std::wstring(c.textLength, L'x'), NIIF_INFO);
  EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_INFO));
  EXPECT_EQ(record.uTimeout, 30u);
  EXPECT_EQ(record.dwInfoFlags, 1u);
  EXPECT_EQ(std::wstring(record.szInfoTitle), std::wstring(c.keptTitle, L'T'));
  EXPECT_EQ(std::wstring(record.szInfo), std::wstring(c.keptText, L'x'));
}

INSTANTIATE_TEST_SUITE_P(Table, BalloonRecordTest,
                         ::testing::Values(BalloonCase{20, 80, 20, 80}, BalloonCase{63, 255, 63, 255},
                                           BalloonCase{80, 300, 63, 255}, BalloonCase{0, 0, 0, 0}));

}  // namespace
}  // namespace tarvok

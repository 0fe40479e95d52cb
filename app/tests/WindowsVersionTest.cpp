// Which Windows versions get balloons and true-colour tray icons.
#include <gtest/gtest.h>

#include "WindowsVersion.h"

namespace tarvok {
namespace {

struct VersionCase {
  std::uint32_t platform, major, minor;
  bool balloons, trueColor;
};

class ClassifyWindowsVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ClassifyWindowsVersionTest, GivesPlatformFlags) {
  const VersionCase& c = GetParam();
  const PlatformFlags flags = ClassifyWindowsVersion(c.platform, c.major, c.minor);
  EXPECT_EQ(flags.balloonsSupported, c.balloons) << c.platform << " " << c.major << "." << c.minor;
  EXPECT_EQ(flags.trueColorTrayIcons, c.trueColor) << c.platform << " " << c.major << "." << c.minor;
}

INSTANTIATE_TEST_SUITE_P(Table, ClassifyWindowsVersionTest,
                         ::testing::Values(VersionCase{2, 3, 51, false, false}, VersionCase{2, 4, 0, false, false},
                                           VersionCase{2, 5, 0, true, false}, VersionCase{2, 5, 1, true, true},
                                           VersionCase{2, 5, 2, true, true}, VersionCase{2, 6, 1, true, true},
                                           VersionCase{2, 10, 0, true, true}, VersionCase{1, 4, 10, false, false},
                                           VersionCase{1, 5, 1, false, false}, VersionCase{0, 6, 0, false, false}));

}  // namespace
}  // namespace tarvok

// NT 3/4 have neither balloons nor true-colour tray icons; Windows 2000
// (5.0) has balloons only; XP (5.1) and everything later has both.
#include "WindowsVersion.h"

namespace tarvok {

PlatformFlags ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
  if (platformId != kPlatformWin32NT) return {false, false};
  if (major <= 4) return {false, false};
  if (major == 5 && minor == 0) return {true, false};
  return {true, true};
}

}  // namespace tarvok

// What the tray icon may rely on, decided once from the Windows version:
// whether balloon notices exist and whether the tray shows true-colour icons.
#pragma once

#include <cstdint>

namespace tarvok {

struct PlatformFlags {
  bool balloonsSupported = false;
  bool trueColorTrayIcons = false;
};

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // the 9x family
inline constexpr std::uint32_t kPlatformWin32NT = 2;

[[nodiscard]] PlatformFlags ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major,
                                                   std::uint32_t minor);

}  // namespace tarvok

// The names by which copies of tarvok.exe find each other: the hidden
// application window's class and title, and the registered message that asks
// a running copy to exit. Earlier versions and setups use them as well.
#pragma once

namespace tarvok {

inline constexpr char kApplicationClass[] = "TApplication";
inline constexpr char kApplicationTitle[] = "Tarvok";
inline constexpr char kExitMessageName[] = "WM_Exit2tarvok";

}  // namespace tarvok

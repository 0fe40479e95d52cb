// Which hot keys the options window takes. calc.dll starts a calculation at
// every press of the hot key and passes the press on, so a key that occurs
// while typing text ("a", Shift+A, "5", Enter) would paste results into
// whatever the user writes. Only combinations that cannot occur in typing
// are taken: a key held with Ctrl or Alt, or a key that types nothing and
// moves nothing (function keys, Pause, Insert and the like), with any
// modifiers.
#pragma once

#include <cstdint>

namespace tarvok {

// `shortcut` is the shortcut code (virtual key in the low byte, the
// kShortcut* modifier bits). 0, no hot key at all, cannot fire while typing.
[[nodiscard]] bool IsAcceptedHotKey(std::uint16_t shortcut);

}  // namespace tarvok

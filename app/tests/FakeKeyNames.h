// A keyboard layout for native tests: the US names of the keys the fixed
// table leaves to the layout, plus one key whose name repeats a table name
// and a keypad "=" at 0x92 that comes before the main "=" key.
#pragma once

#include <map>

#include "ShortcutText.h"

namespace tarvok::testing {

class FakeKeyNames final : public KeyNameSource {
 public:
  std::string LayoutKeyName(std::uint8_t virtualKey) const override {
    static const std::map<std::uint8_t, std::string> kNames = {
        {0xBB, "="}, {0xBD, "-"}, {0xBA, ";"}, {0xDE, "'"}, {0x6A, "Num *"},
        {0x6B, "Num +"}, {0x90, "Num Lock"}, {0xC0, "`"}, {0xE2, "Tab"}, {0x92, "="},
    };
    const auto found = kNames.find(virtualKey);
    return found == kNames.end() ? std::string() : found->second;
  }
  std::uint8_t KeyTyping(const std::string& name) const override {
    if (name == "=") return 0xBB;
    if (name == "-") return 0xBD;
    return 0;
  }
};

}  // namespace tarvok::testing

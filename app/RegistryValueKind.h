// What a registry value's stored type means to a reader of this program's
// settings. The routines of RegistryAccess.h read the data whatever its type, so a
// number stored where a text belongs (or the reverse) would turn into a
// plainly wrong setting: the DWORD 61 would read as the text "=" (a hot key
// without modifiers), the text "0" as the integer 48 (the line form). Text
// where a number belongs is read as the decimal number it spells; a number
// where a text belongs counts as absent. Portable, so the rules are tested
// natively; SystemRegistry applies them to the real registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvok {

enum class RegistryValueKind { Missing, Text, Number, Bytes };

// The kind of a Win32 registry type code (REG_SZ ...). Codes are given as
// numbers so the rule needs no Windows header.
[[nodiscard]] RegistryValueKind KindOfRegistryType(std::uint32_t type);

// A decimal integer, optionally signed and surrounded by blanks, saturated
// to the 32-bit range; nothing when the text holds anything else.
[[nodiscard]] std::optional<std::int32_t> IntegerFromText(std::string_view text);

}  // namespace tarvok

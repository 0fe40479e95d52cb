// The per-process record of what the user typed since the last break. It is
// a fixed ring of 301 cells so that recording a key never allocates; whether
// the ring has wrapped is read from its last cell, not kept as a flag.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tarvok {

inline constexpr int kTypedTextLastCell = 300;
inline constexpr std::size_t kTypedTextCells = kTypedTextLastCell + 1;

struct TypedTextBuffer {
  std::array<char, kTypedTextCells> cells{};
  int position = 0;  // the most recently written cell; 0 after a reset
};

void ResetTypedText(TypedTextBuffer& buffer) noexcept;
void AppendTypedChar(TypedTextBuffer& buffer, char ch) noexcept;
// Backspace: erases the most recent cell; an empty buffer stays empty.
void EraseTypedChar(TypedTextBuffer& buffer) noexcept;
[[nodiscard]] bool IsTypedTextWrapped(const TypedTextBuffer& buffer) noexcept;

// Writes the typed text in typing order into `out` and returns its length.
// Erased cells read as character 0. A wrapped buffer always yields 301.
std::size_t ReadTypedText(const TypedTextBuffer& buffer,
                          std::array<char, kTypedTextCells>& out) noexcept;
std::string ReadTypedText(const TypedTextBuffer& buffer);

}  // namespace tarvok

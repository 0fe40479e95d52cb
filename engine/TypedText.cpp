// The ring buffer rules: the first pass fills cells 1 to 300, later passes
// overwrite from cell 0 on.
#include "TypedText.h"

namespace tarvok {

void ResetTypedText(TypedTextBuffer& buffer) noexcept {
  buffer.cells.fill(0);
  buffer.position = 0;
}

void AppendTypedChar(TypedTextBuffer& buffer, char ch) noexcept {
  ++buffer.position;
  if (buffer.position > kTypedTextLastCell) buffer.position = 0;
  buffer.cells[static_cast<std::size_t>(buffer.position)] = ch;
}

bool IsTypedTextWrapped(const TypedTextBuffer& buffer) noexcept {
  return buffer.cells[kTypedTextLastCell] != 0;
}

void EraseTypedChar(TypedTextBuffer& buffer) noexcept {
  if (buffer.position == 0 && !IsTypedTextWrapped(buffer)) return;
  buffer.cells[static_cast<std::size_t>(buffer.position)] = 0;
  --buffer.position;
  if (buffer.position < 0) buffer.position = kTypedTextLastCell;
}

std::size_t ReadTypedText(const TypedTextBuffer& buffer,
                          std::array<char, kTypedTextCells>& out) noexcept {
  std::size_t length = 0;
  const auto copyCells = [&](int first, int last) {
    for (int cell = first; cell <= last; ++cell) out[length++] = buffer.cells[static_cast<std::size_t>(cell)];
  };
  if (IsTypedTextWrapped(buffer)) {
    copyCells(buffer.position + 1, kTypedTextLastCell);
    copyCells(0, buffer.position);
  } else {
    copyCells(1, buffer.position);
  }
  return length;
}

std::string ReadTypedText(const TypedTextBuffer& buffer) {
  std::array<char, kTypedTextCells> cells{};
  const std::size_t length = ReadTypedText(buffer, cells);
  return std::string(cells.data(), length);
}

}  // namespace tarvok

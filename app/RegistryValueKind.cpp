// Registry type codes and text-to-integer reading for typed settings reads.
#include "RegistryValueKind.h"

#include <algorithm>
#include <limits>

namespace tarvok {
namespace {

constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegDword = 4, kRegDwordBigEndian = 5,
                        kRegMultiSz = 7, kRegQword = 11;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

RegistryValueKind KindOfRegistryType(std::uint32_t type) {
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz: return RegistryValueKind::Text;
    case kRegDword:
    case kRegDwordBigEndian:
    case kRegQword: return RegistryValueKind::Number;
    default: return RegistryValueKind::Bytes;  // REG_BINARY, REG_NONE, anything unknown
  }
}

std::optional<std::int32_t> IntegerFromText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
  long long magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
  }
  const long long value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  return static_cast<std::int32_t>(value);
}

}  // namespace tarvok

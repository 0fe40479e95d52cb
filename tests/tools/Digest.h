// A 64-bit FNV-1a digest: enough to tell two clipboard payloads apart in a
// test log without printing them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace probe {

inline std::uint64_t Digest(const void* data, std::size_t size) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

}  // namespace probe

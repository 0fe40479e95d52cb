// Which differences in the host's thread state are faults.
#include "HostState.h"

#include <algorithm>
#include <cstdio>

namespace tarvok::resident {
namespace {

// The summary bit and the exception flags: a flag left pending for an
// exception the program unmasked traps at its next x87 instruction. Flags of
// masked exceptions are sticky notes that the program's own arithmetic and
// the system's set as well (inexact, above all), so they are not compared.
constexpr std::uint16_t kFpuSummaryBit = 0x0080;
constexpr std::uint16_t kFpuExceptionFlags = 0x003F;

std::uint16_t TrappingFlags(std::uint16_t status, std::uint16_t control) {
  const std::uint16_t unmasked = static_cast<std::uint16_t>(~control & kFpuExceptionFlags);
  return static_cast<std::uint16_t>(status & (unmasked | kFpuSummaryBit));
}
constexpr std::uint8_t kKeyDown = 0x80;
constexpr std::uint8_t kKeyToggled = 0x01;
constexpr unsigned kLockKeys[] = {0x14 /* Caps Lock */, 0x90 /* Num Lock */, 0x91 /* Scroll Lock */};

void AddLine(std::string& out, const char* format, unsigned a, unsigned b, unsigned c = 0) {
  char line[96];
  std::snprintf(line, sizeof line, format, a, b, c);
  out += line;
  out += '\n';
}

bool IsLockKey(unsigned key) { return std::find(std::begin(kLockKeys), std::end(kLockKeys), key) != std::end(kLockKeys); }

}  // namespace

std::string DescribeChanges(const HostState& before, const HostState& after, std::initializer_list<unsigned> held) {
  std::string changes;
  if (after.fpuControl != before.fpuControl)
    AddLine(changes, "x87 control word %04X, was %04X", after.fpuControl, before.fpuControl);
  const std::uint16_t trapping = TrappingFlags(after.fpuStatus, before.fpuControl);
  if (trapping != TrappingFlags(before.fpuStatus, before.fpuControl))
    AddLine(changes, "x87 flags %02X pending for unmasked exceptions, were %02X", trapping,
            TrappingFlags(before.fpuStatus, before.fpuControl));
  if (after.mxcsr != before.mxcsr) AddLine(changes, "MXCSR %08X, was %08X", after.mxcsr, before.mxcsr);
  for (unsigned key = 0; key < after.keys.size(); ++key) {
    const bool isHeld = std::find(held.begin(), held.end(), key) != held.end();
    const std::uint8_t mask = static_cast<std::uint8_t>((isHeld ? 0 : kKeyDown) | (IsLockKey(key) ? kKeyToggled : 0));
    if ((after.keys[key] & mask) != (before.keys[key] & mask))
      AddLine(changes, "key %02X state %02X, was %02X", key, after.keys[key], before.keys[key]);
  }
  return changes;
}

}  // namespace tarvok::resident

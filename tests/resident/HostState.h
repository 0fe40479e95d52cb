// What a program may expect to find unchanged on its own thread after the
// hook library has calculated in it: the x87 control word and exception
// flags, the SSE control and status register, and the keyboard state. The
// comparison is portable so its rules are tested natively; the snapshot
// itself is taken on the thread the hooks run on (HostStateCapture.h).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace tarvok::resident {

struct HostState {
  std::uint16_t fpuControl = 0;
  std::uint16_t fpuStatus = 0;
  std::uint32_t mxcsr = 0;
  std::array<std::uint8_t, 256> keys{};
};

// Empty when `after` keeps everything of `before` that a program relies on;
// otherwise one line per difference. Of the x87 flags only those that would
// trap under `before`'s control word count. A key's toggle bit flips with every
// press, so it counts only for the lock keys; `held` are keys the caller
// itself holds down and whose down bit is not compared.
std::string DescribeChanges(const HostState& before, const HostState& after,
                            std::initializer_list<unsigned> held = {});

}  // namespace tarvok::resident

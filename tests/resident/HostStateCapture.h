// Takes the host-state snapshot on the calling thread (the one the hooks run
// on), and sets the unusual x87 control word the resident test runs with.
#pragma once

#include <windows.h>

#include "HostState.h"

namespace tarvok::resident {

// 53-bit precision, rounding toward zero, zero-divide and overflow
// unmasked: a calculation that used this word, or left a flag pending,
// would give other results or trap in the program.
constexpr std::uint16_t kUnusualFpuControl = 0x0E73;

inline void SetFpuControl(std::uint16_t control) {
  asm volatile("fnclex\n\tfldcw %0" : : "m"(control));
}

inline HostState CaptureHostState() {
  HostState state;
  asm volatile("fnstcw %0" : "=m"(state.fpuControl));
  asm volatile("fnstsw %0" : "=m"(state.fpuStatus));
  asm volatile("stmxcsr %0" : "=m"(state.mxcsr));
  GetKeyboardState(state.keys.data());
  return state;
}

}  // namespace tarvok::resident

// The x87 environment one evaluation runs in. The evaluator's arithmetic
// needs 64-bit significands and round-to-nearest, but it runs on threads of
// other programs, whose control word may say otherwise (Windows starts
// threads with 53-bit precision; some runtimes unmask traps). The guard sets
// its own control word with every trap masked and, on leaving, puts back the
// caller's control word and exception flags so that no fault raised here can
// surface later as a trap in the host.
#pragma once

#include <cstdint>

namespace tarvok {

// 64-bit significand, round to nearest, all six exceptions masked.
inline constexpr std::uint16_t kEvaluationControlWord = 0x037F;

std::uint16_t ReadX87ControlWord() noexcept;
void WriteX87ControlWord(std::uint16_t control) noexcept;
std::uint16_t ReadX87StatusWord() noexcept;

class ScopedEvaluationFpu {
 public:
  ScopedEvaluationFpu() noexcept;
  ~ScopedEvaluationFpu();
  ScopedEvaluationFpu(const ScopedEvaluationFpu&) = delete;
  ScopedEvaluationFpu& operator=(const ScopedEvaluationFpu&) = delete;

 private:
  std::uint16_t savedControl_;
  std::uint16_t savedStatus_;
};

}  // namespace tarvok

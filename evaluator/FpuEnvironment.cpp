// Control-word and status-word access by the x87 instructions themselves, so
// that the native and the Windows build behave alike whatever their C
// libraries offer.
#include "FpuEnvironment.h"

#include <cstring>

namespace tarvok {
namespace {

// The 28-byte environment image of FNSTENV/FLDENV (32-bit operand size, the
// default in both 32- and 64-bit mode).
struct X87Environment {
  std::uint16_t control;
  std::uint16_t reserved1;
  std::uint16_t status;
  std::uint16_t reserved2;
  std::uint32_t rest[5];
};
static_assert(sizeof(X87Environment) == 28);

// Exception flags, stack fault, error summary and busy bit of the status word.
constexpr std::uint16_t kStatusFlagBits = 0x80FF;

}  // namespace

std::uint16_t ReadX87ControlWord() noexcept {
  std::uint16_t control;
  asm volatile("fnstcw %0" : "=m"(control));
  return control;
}

void WriteX87ControlWord(std::uint16_t control) noexcept {
  asm volatile("fldcw %0" : : "m"(control) : "memory");
}

std::uint16_t ReadX87StatusWord() noexcept {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status));
  return status;
}

ScopedEvaluationFpu::ScopedEvaluationFpu() noexcept
    : savedControl_(ReadX87ControlWord()), savedStatus_(ReadX87StatusWord()) {
  WriteX87ControlWord(kEvaluationControlWord);
}

ScopedEvaluationFpu::~ScopedEvaluationFpu() {
  const auto callerFlags = static_cast<std::uint16_t>(savedStatus_ & kStatusFlagBits);
  // The flags as they stand are exactly the caller's (nothing new was raised
  // and nothing was cleared: the runtime's exception path can clear them):
  // only the control word is to come back.
  if ((ReadX87StatusWord() & kStatusFlagBits) == callerFlags) {
    WriteX87ControlWord(savedControl_);
    return;
  }
  // The caller had no flags pending. Clearing ours before the caller's
  // (possibly unmasked) traps come back leaves nothing for the host's next
  // x87 instruction to trip over, and is far cheaper than a whole
  // environment round trip.
  if (callerFlags == 0) {
    asm volatile("fnclex" : : : "memory");
    WriteX87ControlWord(savedControl_);
    return;
  }
  // The caller had flags of its own: FLDENV puts them back together with its
  // control word, dropping the ones the evaluation raised.
  X87Environment environment;
  asm volatile("fnstenv %0" : "=m"(environment) : : "memory");
  environment.control = savedControl_;
  environment.status = static_cast<std::uint16_t>((environment.status & ~kStatusFlagBits) |
                                                  (savedStatus_ & kStatusFlagBits));
  asm volatile("fldenv %0" : : "m"(environment) : "memory");
}

}  // namespace tarvok

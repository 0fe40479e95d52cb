// tarvok-bench-fpu: what the two ways of handing the x87 state back to a
// caller cost, for the evaluator comparison's analysis. The evaluator saves
// the caller's control word, runs with its own, and on the way out restores
// control and status words with FNSTENV/FLDENV (which also keeps the
// caller's sticky exception flags); the cheaper alternative, FNCLEX and
// FLDCW, drops the flags instead. Prints the median nanoseconds of each
// sequence, including the FNSTCW/FLDCW on the way in, over 31 rounds.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "Statistics.h"

namespace tarvok::bench {
namespace {

constexpr int kCalls = 200000;
constexpr int kRounds = 31;
constexpr std::uint16_t kEvaluationControlWord = 0x1332;

struct X87Environment {
  std::uint16_t control, reserved1, status, reserved2;
  std::uint32_t rest[5];
};

void EnvironmentPair() {
  std::uint16_t saved, own = kEvaluationControlWord;
  asm volatile("fnstcw %0" : "=m"(saved));
  asm volatile("fldcw %0" : : "m"(own) : "memory");
  X87Environment environment;
  asm volatile("fnstenv %0" : "=m"(environment) : : "memory");
  environment.control = saved;
  asm volatile("fldenv %0" : : "m"(environment) : "memory");
}

void ClearAndLoad() {
  std::uint16_t saved, own = kEvaluationControlWord;
  asm volatile("fnstcw %0" : "=m"(saved));
  asm volatile("fldcw %0" : : "m"(own) : "memory");
  asm volatile("fnclex");
  asm volatile("fldcw %0" : : "m"(saved) : "memory");
}

double MedianNs(void (*sequence)()) {
  std::vector<double> samples;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i) sequence();
    samples.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
                      kCalls);
  }
  return Median(samples);
}

}  // namespace
}  // namespace tarvok::bench

int main() {
  using namespace tarvok::bench;
  std::printf("fnstenv_fldenv_ns=%.1f\nfnclex_fldcw_ns=%.1f\n", MedianNs(EnvironmentPair), MedianNs(ClearAndLoad));
  return 0;
}

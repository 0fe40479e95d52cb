// Interleaved batch timing and the callgrind counting run.
#include "PeerTiming.h"

#include <valgrind/callgrind.h>

#include <time.h>

#include <algorithm>
#include <string>

#include "Statistics.h"

namespace tarvok::bench {
namespace {

// CPU time of the whole process, every thread included, should a peer hand
// work to a thread; time spent waiting for a core that another build holds
// is not the evaluator's.
double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsFor(PeerEvaluator& evaluator, const std::string& text, long calls) {
  const double start = ProcessSeconds();
  for (long i = 0; i < calls; ++i) evaluator.Run(text);
  return ProcessSeconds() - start;
}

// Calls per batch: enough to fill the batch time, at least one.
long BatchCalls(PeerEvaluator& evaluator, const std::string& text, double batchSeconds) {
  long calls = 1;
  for (;;) {
    const double seconds = SecondsFor(evaluator, text, calls);
    if (seconds >= batchSeconds || calls >= (1L << 24)) return calls;
    const double factor = seconds > 0 ? batchSeconds / seconds * 1.2 : 16;
    calls = std::max(calls + 1, static_cast<long>(static_cast<double>(calls) * std::min(factor, 16.0)));
  }
}

}  // namespace

TimingTable TimeAll(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                    const std::vector<std::string>& texts, const TimingPlan& plan) {
  std::vector<std::vector<long>> calls(evaluators.size(), std::vector<long>(texts.size()));
  for (std::size_t e = 0; e < evaluators.size(); ++e) {
    for (std::size_t t = 0; t < texts.size(); ++t) calls[e][t] = BatchCalls(*evaluators[e], texts[t], plan.batchSeconds);
  }

  std::vector<std::vector<std::vector<double>>> samples(
      evaluators.size(), std::vector<std::vector<double>>(texts.size()));
  for (int round = 0; round < plan.rounds; ++round) {
    for (std::size_t e = 0; e < evaluators.size(); ++e) {
      for (std::size_t t = 0; t < texts.size(); ++t) {
        const double seconds = SecondsFor(*evaluators[e], texts[t], calls[e][t]);
        samples[e][t].push_back(seconds * 1e9 / static_cast<double>(calls[e][t]));
      }
    }
  }

  TimingTable table(evaluators.size(), std::vector<double>(texts.size()));
  for (std::size_t e = 0; e < evaluators.size(); ++e) {
    for (std::size_t t = 0; t < texts.size(); ++t) table[e][t] = Median(samples[e][t]);
  }
  return table;
}

void RunForInstructionCounts(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                             const std::vector<std::string>& texts) {
  for (std::size_t e = 0; e < evaluators.size(); ++e) {
    for (std::size_t t = 0; t < texts.size(); ++t) {
      evaluators[e]->Run(texts[t]);
      const std::string name = std::to_string(e) + ":" + std::to_string(t);
      CALLGRIND_ZERO_STATS;
      CALLGRIND_TOGGLE_COLLECT;
      evaluators[e]->Run(texts[t]);
      CALLGRIND_TOGGLE_COLLECT;
      CALLGRIND_DUMP_STATS_AT(name.c_str());
    }
  }
}

}  // namespace tarvok::bench

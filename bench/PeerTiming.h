// Times every evaluator on every expression in one process, in CPU time of
// the process. The rounds are interleaved (round 1 of every evaluator and
// text, then round 2, ...) so that load from other programs on the machine
// falls on all of them alike; each sample is one batch of calls long enough
// for the clock, and the figure kept is the median over the rounds.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PeerEvaluator.h"

namespace tarvok::bench {

struct TimingPlan {
  int rounds = 31;
  double batchSeconds = 0.0005;  // shortest batch that the clock times well
};

// ns[evaluator][expression]: median nanoseconds per call.
using TimingTable = std::vector<std::vector<double>>;

TimingTable TimeAll(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                    const std::vector<std::string>& texts, const TimingPlan& plan);

// Instruction counts under callgrind: every evaluator reads every text once
// for warming up and once with collection on, each text in its own dump
// named "<evaluator index>:<text index>". Outside valgrind it only runs.
void RunForInstructionCounts(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                             const std::vector<std::string>& texts);

}  // namespace tarvok::bench

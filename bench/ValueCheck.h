// The value check of the comparison: every peer's value on every text
// against ours (the first evaluator), to 10 decimals.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PeerEvaluator.h"

namespace tarvok::bench {

struct Disagreement {
  std::size_t evaluator, text;
  std::string what;  // "refused: ...", "gives X, ours Y" or "ours refused it: ..."
};

struct ValueCheck {
  std::vector<long double> ours;  // one per text; 0 where ours refused it
  std::vector<Disagreement> disagreements;
};

ValueCheck CheckValues(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                       const std::vector<std::string>& texts);

// A value with 10 decimals, as the tables show it.
std::string TenDecimals(long double value);

}  // namespace tarvok::bench

// The line-up of the comparison.
#include "PeerEvaluator.h"

namespace tarvok::bench {

std::vector<std::unique_ptr<PeerEvaluator>> MakeAllEvaluators() {
  std::vector<std::unique_ptr<PeerEvaluator>> all;
  all.push_back(MakeTarvokEvaluator());
  all.push_back(MakeMuparserEvaluator());
  all.push_back(MakeMuparserxEvaluator());
  all.push_back(MakeQalculateEvaluator());
  return all;
}

}  // namespace tarvok::bench

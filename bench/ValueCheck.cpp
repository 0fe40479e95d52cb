// Values of the peers against ours.
#include "ValueCheck.h"

#include <cstdio>

#include "Statistics.h"

namespace tarvok::bench {

std::string TenDecimals(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10Lf", value);
  return buffer;
}

ValueCheck CheckValues(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                       const std::vector<std::string>& texts) {
  ValueCheck check;
  for (std::size_t t = 0; t < texts.size(); ++t) {
    const Evaluation reference = evaluators[0]->Evaluate(texts[t]);
    check.ours.push_back(reference.ok ? reference.value : 0);
    if (!reference.ok) check.disagreements.push_back({0, t, std::string("ours refused it: ").append(reference.error)});
    for (std::size_t e = 1; e < evaluators.size(); ++e) {
      const Evaluation theirs = evaluators[e]->Evaluate(texts[t]);
      if (!theirs.ok) {
        check.disagreements.push_back({e, t, std::string("refused: ").append(theirs.error)});
      } else if (reference.ok && !AgreeToTenDecimals(reference.value, theirs.value)) {
        check.disagreements.push_back(
            {e, t, std::string("gives ").append(TenDecimals(theirs.value)).append(", ours ").append(
                       TenDecimals(reference.value))});
      }
    }
  }
  return check;
}

}  // namespace tarvok::bench

// The timing loop must time the right evaluator on the right text, every
// one the same number of rounds, and report the cost per call.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeEvaluator.h"
#include "PeerTiming.h"

namespace tarvok::bench {
namespace {

TEST(TimeAll, EveryEvaluatorRunsEveryTextAndTheSlowOneShows) {
  std::vector<std::unique_ptr<PeerEvaluator>> evaluators;
  evaluators.push_back(std::make_unique<FakeEvaluator>("fast", 10));
  evaluators.push_back(std::make_unique<FakeEvaluator>("slow", 2000));
  const std::vector<std::string> texts{"x", "y", "z"};
  const TimingPlan plan{.rounds = 5, .batchSeconds = 0.0002};

  const TimingTable ns = TimeAll(evaluators, texts, plan);

  ASSERT_EQ(ns.size(), 2u);
  for (std::size_t e = 0; e < 2; ++e) {
    ASSERT_EQ(ns[e].size(), texts.size());
    const auto& runs = static_cast<FakeEvaluator&>(*evaluators[e]).runs;
    for (const std::string& text : texts) {
      EXPECT_GE(std::count(runs.begin(), runs.end(), text), plan.rounds) << e << " " << text;
    }
    for (const double value : ns[e]) EXPECT_GT(value, 0);
  }
  for (std::size_t t = 0; t < texts.size(); ++t) {
    // 200 times the work; a loaded machine still keeps them well apart.
    EXPECT_GT(ns[1][t], 10 * ns[0][t]) << texts[t];
  }
}

}  // namespace
}  // namespace tarvok::bench

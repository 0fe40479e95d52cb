// Which disagreements the value check lists: the report's claim that the
// peers give our values rests on it.
#include <gtest/gtest.h>

#include "FakeEvaluator.h"
#include "ValueCheck.h"

namespace tarvok::bench {
namespace {

TEST(CheckValues, ListsRefusalsAndDifferencesAndNothingElse) {
  auto ours = std::make_unique<FakeEvaluator>("ours");
  auto peer = std::make_unique<FakeEvaluator>("peer");
  ours->values = {{"a", 1.5L}, {"b", 2}, {"c", 3}, {"d", 4}};
  ours->refusals = {{"e", "ESyntaxErr"}};
  peer->values = {{"a", 1.5L + 1e-12L}, {"b", 2.001L}, {"d", 4}, {"e", 5}};
  peer->refusals = {{"c", "unknown token"}};
  std::vector<std::unique_ptr<PeerEvaluator>> evaluators;
  evaluators.push_back(std::move(ours));
  evaluators.push_back(std::move(peer));

  const ValueCheck check = CheckValues(evaluators, {"a", "b", "c", "d", "e"});

  ASSERT_EQ(check.ours.size(), 5u);
  EXPECT_EQ(check.ours[1], 2);
  EXPECT_EQ(check.ours[4], 0);  // refused by ours: no value shown
  struct Expected {
    std::size_t evaluator, text;
    const char* what;
  };
  const Expected expected[] = {
      {1, 1, "gives 2.0010000000, ours 2.0000000000"},
      {1, 2, "refused: unknown token"},
      {0, 4, "ours refused it: ESyntaxErr"},
  };
  ASSERT_EQ(check.disagreements.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(check.disagreements[i].evaluator, expected[i].evaluator) << i;
    EXPECT_EQ(check.disagreements[i].text, expected[i].text) << i;
    EXPECT_EQ(check.disagreements[i].what, expected[i].what) << i;
  }
}

}  // namespace
}  // namespace tarvok::bench

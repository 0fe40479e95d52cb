// The comparison is only fair when every evaluator reads every text of the
// common set as the same expression: a peer that refused one, or read it
// differently, would be timed on an error path or on other work.
#include <gtest/gtest.h>

#include "CommonExpressions.h"
#include "PeerEvaluator.h"
#include "Statistics.h"

namespace tarvok::bench {
namespace {

TEST(CommonSet, EveryEvaluatorReadsEveryTextAndAgreesWithOurs) {
  const auto evaluators = MakeAllEvaluators();
  ASSERT_EQ(evaluators[0]->Name(), "Tarvok");
  for (const CommonExpression& expression : kCommonExpressions) {
    const std::string text(expression.text);
    const Evaluation ours = evaluators[0]->Evaluate(text);
    ASSERT_TRUE(ours.ok) << text << ": " << ours.error;
    for (const auto& peer : evaluators) {
      const Evaluation theirs = peer->Evaluate(text);
      EXPECT_TRUE(theirs.ok) << peer->Name() << " refuses " << text << ": " << theirs.error;
      EXPECT_TRUE(peer->Run(text)) << peer->Name() << " fails the timed call on " << text;
      if (theirs.ok) {
        EXPECT_TRUE(AgreeToTenDecimals(ours.value, theirs.value))
            << peer->Name() << " on " << text << ": " << static_cast<double>(theirs.value) << " against ours "
            << static_cast<double>(ours.value);
      }
    }
  }
}

// A text an evaluator refuses must show as refused, not as a fast success.
// (libqalculate closes an open bracket itself, but prints no number for a
// function without its argument.)
TEST(CommonSet, RefusalsAreReported) {
  for (const auto& peer : MakeAllEvaluators()) {
    EXPECT_FALSE(peer->Run("sin(")) << peer->Name();
    const Evaluation refused = peer->Evaluate("sin(");
    EXPECT_FALSE(refused.ok) << peer->Name();
    EXPECT_FALSE(refused.error.empty()) << peer->Name();
  }
}

}  // namespace
}  // namespace tarvok::bench

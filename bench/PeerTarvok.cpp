// Our side of the comparison: exactly what the hot key does with a typed
// text, the evaluation with the blank appended and the number text at the
// largest precision.
#include "PeerEvaluator.h"
#include "ResultText.h"
#include "SafeCalc.h"

namespace tarvok::bench {
namespace {

constexpr int kLargestPrecision = 10;

class TarvokEvaluator final : public PeerEvaluator {
 public:
  std::string_view Name() const override { return "Tarvok"; }
  std::string_view OneShotUse() const override { return "EvaluateText + number text"; }

  bool Run(const std::string& text) override { return !MakeResultText(text, kLargestPrecision).failed; }

  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    try {
      result.value = EvaluateText(text + ' ');
      result.ok = true;
    } catch (const Exception& error) {
      result.error = std::string(error.ClassName()) + ": " + error.Message();
    }
    return result;
  }
};

}  // namespace

std::unique_ptr<PeerEvaluator> MakeTarvokEvaluator() { return std::make_unique<TarvokEvaluator>(); }

}  // namespace tarvok::bench

// libqalculate in its one-shot use: calculate and print, as its own command
// line does for one expression. It works with arbitrary precision; 20
// significant digits are asked for so that the printed value can be checked
// to 10 decimals against ours. Angles are radians, as in the common set, and
// results are approximated to decimals rather than kept exact (sqrt(2) would
// otherwise stay a symbol).
#include <libqalculate/qalculate.h>

#include "PeerEvaluator.h"
#include "QalculatePrinted.h"

namespace tarvok::bench {
namespace {

constexpr int kSignificantDigits = 20;
constexpr int kTimeLimitMs = 10000;

class QalculateEvaluator final : public PeerEvaluator {
 public:
  QalculateEvaluator() {
    if (!CALCULATOR) new Calculator();
    CALCULATOR->loadGlobalDefinitions();
    CALCULATOR->setPrecision(kSignificantDigits);
    evaluation_.approximation = APPROXIMATION_APPROXIMATE;
    evaluation_.parse_options.angle_unit = ANGLE_UNIT_RADIANS;
    print_.number_fraction_format = FRACTION_DECIMAL;
    print_.use_unicode_signs = false;
    print_.min_exp = EXP_NONE;
    print_.interval_display = INTERVAL_DISPLAY_SIGNIFICANT_DIGITS;  // as its command line prints
  }

  std::string_view Name() const override { return "libqalculate"; }
  std::string_view OneShotUse() const override { return "calculateAndPrint"; }

  bool Run(const std::string& text) override {
    long double value;
    return ReadQalculatePrinted(Print(text), value);
  }

  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    const std::string printed = Print(text);
    result.ok = ReadQalculatePrinted(printed, result.value);
    if (!result.ok) result.error = std::string("printed \"").append(printed).append("\"");
    return result;
  }

 private:
  std::string Print(const std::string& text) {
    return CALCULATOR->calculateAndPrint(text, kTimeLimitMs, evaluation_, print_);
  }

  EvaluationOptions evaluation_;
  PrintOptions print_;
};

}  // namespace

std::unique_ptr<PeerEvaluator> MakeQalculateEvaluator() { return std::make_unique<QalculateEvaluator>(); }

}  // namespace tarvok::bench

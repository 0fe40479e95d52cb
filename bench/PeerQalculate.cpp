// libqalculate in its one-shot use: calculate and print, as its own command
// line does for one expression. It works with arbitrary precision; 20
// significant digits are asked for so that the printed value can be checked
// to 10 decimals against ours. Angles are radians, as in the common set, and
// results are approximated to decimals rather than kept exact (sqrt(2) would
// otherwise stay a symbol).
#include <libqalculate/qalculate.h>

#include <cstdlib>

#include "PeerEvaluator.h"

namespace tarvok::bench {
namespace {

constexpr int kSignificantDigits = 20;
constexpr int kTimeLimitMs = 10000;

// The printed value, read past an approximation sign and a Unicode minus.
bool ReadPrinted(const std::string& printed, long double& value) {
  constexpr std::string_view kApproximately = "\xE2\x89\x88", kMinus = "\xE2\x88\x92";
  std::string plain;
  for (std::size_t at = 0; at < printed.size();) {
    const std::string_view rest = std::string_view(printed).substr(at);
    if (rest.starts_with(kApproximately)) {
      at += kApproximately.size();
    } else if (rest.starts_with(kMinus)) {
      plain += '-';
      at += kMinus.size();
    } else if (printed[at] == ' ') {
      ++at;
    } else {
      plain += printed[at++];
    }
  }
  char* end = nullptr;
  value = std::strtold(plain.c_str(), &end);
  return !plain.empty() && end == plain.c_str() + plain.size();
}

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
    return ReadPrinted(Print(text), value);
  }

  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    const std::string printed = Print(text);
    result.ok = ReadPrinted(printed, result.value);
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

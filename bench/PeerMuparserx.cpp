// muparserx in its one-shot use: one parser object, each text set and
// evaluated once. Its values are variants (numbers, strings, matrices); the
// common set only yields real numbers.
#include <muparserx/mpParser.h>

#include "PeerEvaluator.h"

namespace tarvok::bench {
namespace {

class MuparserxEvaluator final : public PeerEvaluator {
 public:
  std::string_view Name() const override { return "muparserx"; }
  std::string_view OneShotUse() const override { return "SetExpr + Eval"; }

  bool Run(const std::string& text) override {
    try {
      parser_.SetExpr(text);
      volatile double value = parser_.Eval().GetFloat();
      (void)value;
      return true;
    } catch (const mup::ParserError&) {
      return false;
    }
  }

  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    try {
      parser_.SetExpr(text);
      result.value = parser_.Eval().GetFloat();
      result.ok = true;
    } catch (const mup::ParserError& error) {
      result.error = error.GetMsg();
    }
    return result;
  }

 private:
  mup::ParserX parser_{mup::pckALL_NON_COMPLEX};
};

}  // namespace

std::unique_ptr<PeerEvaluator> MakeMuparserxEvaluator() { return std::make_unique<MuparserxEvaluator>(); }

}  // namespace tarvok::bench

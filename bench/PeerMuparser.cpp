// muparser in its one-shot use: the parser object lives on, each text is set
// and evaluated once. muparser compiles the text to byte code on the first
// evaluation after SetExpr, so that compilation is part of every timed call,
// as it is for a hot key. Its pi is spelled "_pi"; the common set spells it
// "pi", which is defined once as a constant.
#include <muParser.h>

#include <numbers>

#include "PeerEvaluator.h"

namespace tarvok::bench {
namespace {

class MuparserEvaluator final : public PeerEvaluator {
 public:
  MuparserEvaluator() { parser_.DefineConst("pi", std::numbers::pi); }

  std::string_view Name() const override { return "muparser"; }
  std::string_view OneShotUse() const override { return "SetExpr + Eval"; }

  bool Run(const std::string& text) override {
    try {
      parser_.SetExpr(text);
      volatile double value = parser_.Eval();
      (void)value;
      return true;
    } catch (const mu::Parser::exception_type&) {
      return false;
    }
  }

  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    try {
      parser_.SetExpr(text);
      result.value = parser_.Eval();
      result.ok = true;
    } catch (const mu::Parser::exception_type& error) {
      result.error = error.GetMsg();
    }
    return result;
  }

 private:
  mu::Parser parser_;
};

}  // namespace

std::unique_ptr<PeerEvaluator> MakeMuparserEvaluator() { return std::make_unique<MuparserEvaluator>(); }

}  // namespace tarvok::bench

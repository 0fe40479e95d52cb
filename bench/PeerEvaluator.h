// One evaluator of the comparison, used the way a hot key uses one: a fresh
// text in, one value out, nothing kept from the previous text. Each peer
// builds its parser object once; the per-text work is what gets timed.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvok::bench {

struct Evaluation {
  bool ok = false;
  long double value = 0;
  std::string error;  // why the text was refused, when not ok
};

class PeerEvaluator {
 public:
  virtual ~PeerEvaluator() = default;
  virtual std::string_view Name() const = 0;
  // What one use does, in the table's words ("set the expression, evaluate").
  virtual std::string_view OneShotUse() const = 0;
  // The timed call. Returns false when the text is refused.
  virtual bool Run(const std::string& text) = 0;
  // The same call, keeping the value or the reason of a refusal.
  virtual Evaluation Evaluate(const std::string& text) = 0;
};

std::unique_ptr<PeerEvaluator> MakeTarvokEvaluator();
std::unique_ptr<PeerEvaluator> MakeMuparserEvaluator();
std::unique_ptr<PeerEvaluator> MakeMuparserxEvaluator();
std::unique_ptr<PeerEvaluator> MakeQalculateEvaluator();

// Ours first: the ratios are taken against it.
std::vector<std::unique_ptr<PeerEvaluator>> MakeAllEvaluators();

}  // namespace tarvok::bench

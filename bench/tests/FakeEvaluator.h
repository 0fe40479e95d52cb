// A stand-in evaluator for the comparison's own tests: fixed values or
// refusals per text, and a record of every timed call.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "PeerEvaluator.h"

namespace tarvok::bench {

class FakeEvaluator final : public PeerEvaluator {
 public:
  explicit FakeEvaluator(std::string name, int workPerCall = 0) : name_(std::move(name)), work_(workPerCall) {}

  std::map<std::string, long double> values;   // texts it reads
  std::map<std::string, std::string> refusals;  // texts it refuses, with the reason
  std::vector<std::string> runs;                // every timed call's text

  std::string_view Name() const override { return name_; }
  std::string_view OneShotUse() const override { return "fake"; }
  bool Run(const std::string& text) override {
    runs.push_back(text);
    volatile long sink = 0;
    for (int i = 0; i < work_; ++i) sink = sink + i;
    return !refusals.contains(text);
  }
  Evaluation Evaluate(const std::string& text) override {
    Evaluation result;
    if (auto refused = refusals.find(text); refused != refusals.end()) {
      result.error = refused->second;
    } else if (auto found = values.find(text); found != values.end()) {
      result.ok = true;
      result.value = found->second;
    } else {
      result.error = "unknown text";
    }
    return result;
  }

 private:
  std::string name_;
  int work_;
};

}  // namespace tarvok::bench

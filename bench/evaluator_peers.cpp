// tarvok-bench-peers: our evaluator against muparser, muparserx and
// libqalculate on the common expression set, in one process and one run.
// Checks the values first (to 10 decimals against ours), then times every
// evaluator on every text and writes Markdown tables to stdout.
//
//   tarvok-bench-peers [--data FILE] [--instructions FILE] [--rounds N]
//   tarvok-bench-peers --count        (run under callgrind, see bench.sh)
//
// --data writes one line per expression with the median nanoseconds of each
// evaluator, for the chart. --instructions reads "<evaluator>:<text> <count>"
// lines from the callgrind run and adds instruction counts to the tables.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "CommonExpressions.h"
#include "PeerEvaluator.h"
#include "PeerTiming.h"
#include "Statistics.h"
#include "ValueCheck.h"

namespace tarvok::bench {
namespace {

struct Options {
  bool count = false;
  std::string dataPath;
  std::string instructionsPath;
  TimingPlan plan;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--count") == 0) {
      options.count = true;
    } else if (std::strcmp(argv[i], "--data") == 0 && hasValue) {
      options.dataPath = argv[++i];
    } else if (std::strcmp(argv[i], "--instructions") == 0 && hasValue) {
      options.instructionsPath = argv[++i];
    } else if (std::strcmp(argv[i], "--rounds") == 0 && hasValue) {
      options.plan.rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      return false;
    }
  }
  return true;
}

// Why a peer's value differs from ours, where the reason is known.
const std::map<std::string, std::string>& KnownReasons() {
  static const std::map<std::string, std::string> reasons{};
  return reasons;
}

// Appends the pieces (operator+ on strings trips a false GCC 12 warning).
std::string Join(std::initializer_list<std::string_view> pieces) {
  std::string joined;
  for (const std::string_view piece : pieces) joined.append(piece);
  return joined;
}

std::string Shown(const std::string& text) {
  if (text.size() <= 40) return Join({"`", text, "`"});
  const std::string_view view(text);
  return Join({"`", view.substr(0, 16), "...", view.substr(text.size() - 12), "` (", std::to_string(text.size()),
               " characters)"});
}

std::string Nanoseconds(double ns) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, ns < 100 ? "%.1f" : "%.0f", ns);
  return buffer;
}

std::string Ratio(double ratio) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, ratio < 10 ? "%.1f" : "%.0f", ratio);
  return Join({buffer, "x"});
}

using Counts = std::map<std::pair<std::size_t, std::size_t>, double>;

Counts ReadInstructionCounts(const std::string& path) {
  Counts counts;
  std::ifstream in(path);
  std::size_t evaluator = 0, text = 0;
  char colon = 0;
  double count = 0;
  while (in >> evaluator >> colon >> text >> count) counts[{evaluator, text}] = count;
  return counts;
}

void PrintTables(const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
                 const std::vector<std::string>& texts, const std::vector<long double>& ours,
                 const TimingTable& ns, const Counts& counts, const std::vector<Disagreement>& disagreements,
                 const TimingPlan& plan) {
  std::printf("Median CPU time per expression in nanoseconds over %d interleaved rounds, and how many times "
              "longer each peer takes than ours.\n\n| # | Expression | Value (ours) |",
              plan.rounds);
  for (const auto& evaluator : evaluators) std::printf(" %s ns |", std::string(evaluator->Name()).c_str());
  std::printf("\n|---|---|---:|");
  for (std::size_t e = 0; e < evaluators.size(); ++e) std::printf("---:|");
  std::printf("\n");
  for (std::size_t t = 0; t < texts.size(); ++t) {
    std::printf("| %zu | %s | %s |", t + 1, Shown(texts[t]).c_str(), TenDecimals(ours[t]).c_str());
    for (std::size_t e = 0; e < evaluators.size(); ++e) {
      std::printf(" %s", Nanoseconds(ns[e][t]).c_str());
      if (e > 0) std::printf(" (%s)", Ratio(ns[e][t] / ns[0][t]).c_str());
      std::printf(" |");
    }
    std::printf("\n");
  }

  std::printf("\n| Evaluator | One use | Whole set, sum of medians (us) | Ratio to ours, whole set | "
              "Smallest ratio, one expression |%s Values agreeing with ours |\n|---|---|---:|---:|---:|%s---:|\n",
              counts.empty() ? "" : " Instructions per expression (mean) |", counts.empty() ? "" : "---:|");
  double oursTotal = 0;
  for (const double value : ns[0]) oursTotal += value;
  for (std::size_t e = 0; e < evaluators.size(); ++e) {
    double total = 0, smallest = 1e300, instructions = 0;
    for (std::size_t t = 0; t < texts.size(); ++t) {
      total += ns[e][t];
      smallest = std::min(smallest, ns[e][t] / ns[0][t]);
      if (auto found = counts.find({e, t}); found != counts.end()) instructions += found->second;
    }
    std::size_t agreeing = texts.size();
    for (const Disagreement& d : disagreements) agreeing -= d.evaluator == e ? 1 : 0;
    std::printf("| %s | %s | %.2f | %s | %s |", std::string(evaluators[e]->Name()).c_str(),
                std::string(evaluators[e]->OneShotUse()).c_str(), total / 1000, e ? Ratio(total / oursTotal).c_str() : "1x",
                e ? Ratio(smallest).c_str() : "-");
    if (!counts.empty()) std::printf(" %.0f |", instructions / static_cast<double>(texts.size()));
    std::printf(" %zu of %zu |\n", agreeing, texts.size());
  }

  std::printf("\nValues that differ from ours by more than 1e-10 (or 1e-14 of the value, where that is more), "
              "or texts refused:");
  if (disagreements.empty()) std::printf(" none.\n");
  else std::printf("\n\n| Evaluator | # | Expression | What | Why |\n|---|---|---|---|---|\n");
  for (const Disagreement& d : disagreements) {
    const auto reason = KnownReasons().find(Join({evaluators[d.evaluator]->Name(), " ", texts[d.text]}));
    std::printf("| %s | %zu | %s | %s | %s |\n", std::string(evaluators[d.evaluator]->Name()).c_str(), d.text + 1,
                Shown(texts[d.text]).c_str(), d.what.c_str(),
                reason == KnownReasons().end() ? "not analysed" : reason->second.c_str());
  }
}

void WriteData(const std::string& path, const std::vector<std::unique_ptr<PeerEvaluator>>& evaluators,
               const std::vector<std::string>& texts, const TimingTable& ns) {
  std::ofstream out(path);
  out << "# number group";
  for (const auto& evaluator : evaluators) out << ' ' << evaluator->Name();
  out << '\n';
  for (std::size_t t = 0; t < texts.size(); ++t) {
    out << t + 1 << ' ' << kCommonExpressions[t].group;
    for (std::size_t e = 0; e < evaluators.size(); ++e) out << ' ' << ns[e][t];
    out << '\n';
  }
}

int Run(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs("usage: tarvok-bench-peers [--data FILE] [--instructions FILE] [--rounds N] | --count\n", stderr);
    return 2;
  }
  const auto evaluators = MakeAllEvaluators();
  std::vector<std::string> texts;
  for (const CommonExpression& expression : kCommonExpressions) texts.emplace_back(expression.text);

  if (options.count) {
    RunForInstructionCounts(evaluators, texts);
    return 0;
  }
  const ValueCheck check = CheckValues(evaluators, texts);
  const TimingTable ns = TimeAll(evaluators, texts, options.plan);
  PrintTables(evaluators, texts, check.ours, ns, ReadInstructionCounts(options.instructionsPath), check.disagreements,
              options.plan);
  if (!options.dataPath.empty()) WriteData(options.dataPath, evaluators, texts, ns);
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

// Evaluation plus number text on typical typed lines, and the heap
// allocations each one makes (counted by a replaced operator new).
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "CountingNew.h"
#include "NumberText.h"
#include "SafeCalc.h"

namespace {

std::string LongSum() {
  std::string text;
  for (int i = 1; text.size() < 290; ++i) text += std::to_string(i) + "+";
  return text + "1";
}

// Typed text with the hot key's blank, evaluated and formatted the way the
// hook does it: into a caller's buffer.
void EvaluateAndFormat(benchmark::State& state, const std::string& typed) {
  const std::string text = typed + " ";
  std::array<char, tarvok::kNumberTextCapacity> buffer;
  const long long before = AllocationCount();
  for (auto _ : state) {
    const long double value = tarvok::EvaluateText(text);
    benchmark::DoNotOptimize(tarvok::WriteNumberText(value, 2, buffer));
  }
  state.counters["allocs/iter"] = benchmark::Counter(
      static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

void Failing(benchmark::State& state, const std::string& typed) {
  const std::string text = typed + " ";
  const long long before = AllocationCount();
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(tarvok::EvaluateText(text));
    } catch (const tarvok::Exception&) {
    }
  }
  state.counters["allocs/iter"] = benchmark::Counter(
      static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

BENCHMARK_CAPTURE(EvaluateAndFormat, product_sum, std::string("2*3+4"));
BENCHMARK_CAPTURE(EvaluateAndFormat, word_in_front, std::string("Price 12*3"));
BENCHMARK_CAPTURE(EvaluateAndFormat, functions, std::string("SIN(PI/2)+LOG(2,8)"));
BENCHMARK_CAPTURE(EvaluateAndFormat, sum_of_300_characters, LongSum());
BENCHMARK_CAPTURE(EvaluateAndFormat, sum_100_passes, std::string("SUM(1,100,SQR(2))"));
BENCHMARK_CAPTURE(EvaluateAndFormat, tenth, std::string("1/3*0.1"));
// The slowest evaluation the cap on readings allows.
BENCHMARK_CAPTURE(Failing, reading_cap, std::string("SUM(1,1000000000,SQRT(2)+1)"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Failing, reading_cap_long_term,
                  "SUM(1,1000000000," + std::string(270, '7') + ")")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Failing, reading_cap_powers, std::string("SUM(1,1000000000,POWER(1,2147483647))"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Failing, reading_cap_nested,
                  std::string("SUM(1,1000,SUM(1,1000,SUM(1,1000,SIN(1))))"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Failing, syntax_error, std::string("2*"));

void FormatOnly(benchmark::State& state) {
  std::array<char, tarvok::kNumberTextCapacity> buffer;
  const long double value = static_cast<long double>(state.range(0)) / 7;
  for (auto _ : state) benchmark::DoNotOptimize(tarvok::WriteNumberText(value, 10, buffer));
}
BENCHMARK(FormatOnly)->Arg(6)->Arg(1000000007);

// The longest exact conversion: the largest finite value.
void FormatHuge(benchmark::State& state) {
  std::array<char, tarvok::kNumberTextCapacity> buffer;
  const long double value = 1.18e4932L;
  for (auto _ : state) benchmark::DoNotOptimize(tarvok::WriteNumberText(value, 10, buffer));
}
BENCHMARK(FormatHuge)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

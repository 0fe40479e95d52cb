// Median and value agreement.
#include "Statistics.h"

#include <algorithm>
#include <cmath>

namespace tarvok::bench {

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const std::size_t middle = samples.size() / 2;
  std::nth_element(samples.begin(), samples.begin() + static_cast<long>(middle), samples.end());
  const double upper = samples[middle];
  if (samples.size() % 2 == 1) return upper;
  const double lower = *std::max_element(samples.begin(), samples.begin() + static_cast<long>(middle));
  return (lower + upper) / 2;
}

double Mean(const std::vector<double>& samples) {
  double sum = 0;
  for (const double sample : samples) sum += sample;
  return samples.empty() ? 0 : sum / static_cast<double>(samples.size());
}

bool AgreeToTenDecimals(long double ours, long double theirs) {
  if (std::isnan(ours) || std::isnan(theirs)) return false;
  if (std::isinf(ours) || std::isinf(theirs)) return ours == theirs;
  const long double tolerance = std::max(1e-10L, 1e-14L * std::fabs(ours));
  return std::fabs(ours - theirs) <= tolerance;
}

}  // namespace tarvok::bench

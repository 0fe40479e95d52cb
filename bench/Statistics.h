// The few statistics the comparison reports: the median of noisy timings
// and the agreement of two values to 10 decimals.
#pragma once

#include <vector>

namespace tarvok::bench {

// Median of the samples (mean of the middle two for an even count); 0 for
// none. Takes a copy because it reorders.
double Median(std::vector<double> samples);
double Mean(const std::vector<double>& samples);

// Two values agree when they differ by at most 1e-10, or by 1e-14 of ours
// where that is more: beyond 10,000 a double cannot be trusted with 10
// decimals. Equal infinities agree; a NaN agrees with nothing.
bool AgreeToTenDecimals(long double ours, long double theirs);

}  // namespace tarvok::bench

// The printed number of libqalculate as a value.
#include "QalculatePrinted.h"

#include <cstdlib>
#include <string_view>

namespace tarvok::bench {

bool ReadQalculatePrinted(const std::string& printed, long double& value) {
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

}  // namespace tarvok::bench

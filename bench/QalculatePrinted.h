// Reading the number libqalculate prints back into a value: an
// approximation sign in front and a Unicode minus are allowed, anything
// that is not one number (an interval, a symbol, a function left
// unevaluated) is not.
#pragma once

#include <string>

namespace tarvok::bench {

bool ReadQalculatePrinted(const std::string& printed, long double& value);

}  // namespace tarvok::bench

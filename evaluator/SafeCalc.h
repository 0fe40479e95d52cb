// Entry point of the expression language: one typed text in, one value out,
// or one of the error classes of CalcErrors.h. Safe to call inside a foreign
// program: the caller's x87 control word and exception flags come back
// unchanged on every exit, and no floating-point trap is ever unmasked.
#pragma once

#include <string_view>

#include "CalcErrors.h"

namespace tarvok {

long double EvaluateText(std::string_view text);

}  // namespace tarvok

// Entry point of the expression language: one typed text in, one value out,
// or one of the error classes of CalcErrors.h. Safe to call inside a foreign
// program: the caller's x87 control word and exception flags come back
// unchanged on every exit, and no floating-point trap is ever unmasked.
#pragma once

#include <string_view>

#include "CalcErrors.h"

namespace tarvok {

// Choices where the language left room (docs/expression-language.md has the
// user's view of each):
// - A dangling exponent marker ("2.5E", "1e+") is consumed and counts as
//   exponent 0: 2.5E is 2.5.
// - A literal beyond the extended range overflows (1e5000: EOverflow); one
//   below it quietly becomes 0 (1e-5000), like any underflow.
// - [x] truncates toward zero for negative x as well: [-2.5] is -2.
// - SUM's bounds must lie in the 32-bit signed range after truncation;
//   others raise EInvalidOp instead of being cut to their low 32 bits.
// - When a reading of SUM's term drops an unknown word, the text the term
//   stood in is gone; that reading's value stands for every remaining pass
//   (SUM(1,3,abc 2) is 6) and reading goes on where it stopped.
// - Nesting deeper than 512 levels raises ECalcError "Слишком глубокая
//   вложенность в позиции N". One evaluation may take 1,000,000 reading
//   steps (one per operand read, plus one per character of each pass over
//   SUM's term); beyond that it raises ECalcError "Слишком много повторений
//   в позиции N". Neither bound is reachable from a 301-character line
//   except through SUM.
// - There are no letter variables: a lone letter is an error everywhere,
//   inside SUM as well, so no table of them is kept.
long double EvaluateText(std::string_view text);

}  // namespace tarvok

// EvaluateText: builds the working text from what was typed and reads it as
// one expression under the evaluator's own floating-point environment.
#include "SafeCalc.h"

#include <array>
#include <string>

#include "FpuEnvironment.h"
#include "Parser.h"

namespace tarvok {
namespace {

// Typed lines are at most about 300 characters; those fit here without
// touching the heap. Longer texts (from tools) go to a string.
constexpr std::size_t kInlineCapacity = 512;

bool IsKept(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 32 && code <= 122;
}

class WorkingText {
 public:
  explicit WorkingText(std::string_view typed) {
    const std::size_t needed = typed.size() + 1;
    char* out = inline_.data();
    if (needed > inline_.size()) {
      overflow_.resize(needed);
      out = overflow_.data();
    }
    std::size_t length = 0;
    for (const char c : typed) {
      if (IsKept(c)) out[length++] = c;
    }
    out[length++] = ' ';
    view_ = std::string_view(out, length);
  }
  WorkingText(const WorkingText&) = delete;
  WorkingText& operator=(const WorkingText&) = delete;

  std::string_view View() const { return view_; }

 private:
  std::array<char, kInlineCapacity> inline_;
  std::string overflow_;
  std::string_view view_;
};

}  // namespace

long double EvaluateText(std::string_view text) {
  const WorkingText working(text);
  const ScopedEvaluationFpu fpu;
  Parser parser(working.View());
  return parser.ParseExpression();
}

}  // namespace tarvok

// The error classes the evaluator raises. Every failure of an evaluation is
// one of these; the message is 8-bit Windows-1251 text because that is what
// the hook library logs and what the rest of the system has always carried.
#pragma once

#include <exception>
#include <string>

namespace tarvok {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class name as users see it in tools and logs ("EZeroDivide").
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

#define TARVOK_ERROR_CLASS(Name, Base)                                     \
  class Name : public Base {                                               \
   public:                                                                 \
    using Base::Base;                                                      \
    const char* ClassName() const noexcept override { return #Name; }      \
  }

// The language's own errors: malformed input.
TARVOK_ERROR_CLASS(ECalcError, Exception);
TARVOK_ERROR_CLASS(EBracket, ECalcError);
TARVOK_ERROR_CLASS(ESyntaxErr, ECalcError);
TARVOK_ERROR_CLASS(EUnexpectedEnd, ECalcError);
TARVOK_ERROR_CLASS(EComma, ECalcError);

// Arithmetic faults: three floating-point ones and integer division by zero.
TARVOK_ERROR_CLASS(EInvalidOp, Exception);
TARVOK_ERROR_CLASS(EZeroDivide, Exception);
TARVOK_ERROR_CLASS(EOverflow, Exception);
TARVOK_ERROR_CLASS(EDivByZero, Exception);

#undef TARVOK_ERROR_CLASS

// Message texts, Windows-1251. Those ending in a blank get the position in
// decimal appended.
namespace messages {
inline constexpr char kExpectedBracket[] =  // "Ожидается ')' в позиции "
    "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ')' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kExpectedSquareBracket[] =  // "Ожидается ']' в позиции "
    "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ']' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kExpectedComma[] =  // "Ожидается ',' в позиции "
    "\xCE\xE6\xE8\xE4\xE0\xE5\xF2\xF1\xFF ',' \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kSyntaxError[] =  // "Синтаксическая ошибка в позиции "
    "\xD1\xE8\xED\xF2\xE0\xEA\xF1\xE8\xF7\xE5\xF1\xEA\xE0\xFF \xEE\xF8\xE8\xE1\xEA\xE0 "
    "\xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kUnexpectedEnd[] =  // "Неожиданный конец выражения"
    "\xCD\xE5\xEE\xE6\xE8\xE4\xE0\xED\xED\xFB\xE9 \xEA\xEE\xED\xE5\xF6 "
    "\xE2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xFF";
inline constexpr char kBoundsReversed[] =  // "Верхняя граница должна быть больше нижней"
    "\xC2\xE5\xF0\xF5\xED\xFF\xFF \xE3\xF0\xE0\xED\xE8\xF6\xE0 \xE4\xEE\xEB\xE6\xED\xE0 "
    "\xE1\xFB\xF2\xFC \xE1\xEE\xEB\xFC\xF8\xE5 \xED\xE8\xE6\xED\xE5\xE9";
inline constexpr char kTooDeep[] =  // "Слишком глубокая вложенность в позиции "
    "\xD1\xEB\xE8\xF8\xEA\xEE\xEC \xE3\xEB\xF3\xE1\xEE\xEA\xE0\xFF "
    "\xE2\xEB\xEE\xE6\xE5\xED\xED\xEE\xF1\xF2\xFC \xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kTooManyReadings[] =  // "Слишком много повторений в позиции "
    "\xD1\xEB\xE8\xF8\xEA\xEE\xEC \xEC\xED\xEE\xE3\xEE \xEF\xEE\xE2\xF2\xEE\xF0\xE5\xED\xE8\xE9 "
    "\xE2 \xEF\xEE\xE7\xE8\xF6\xE8\xE8 ";
inline constexpr char kInvalidOp[] = "Invalid floating point operation";
inline constexpr char kZeroDivide[] = "Floating point division by zero";
inline constexpr char kOverflow[] = "Floating point overflow";
inline constexpr char kDivByZero[] = "Division by zero";
}  // namespace messages

// Raises E with the fixed text followed by the position in decimal.
template <class E>
[[noreturn]] void RaiseAt(const char* text, int position) {
  throw E(std::string(text) + std::to_string(position));
}

}  // namespace tarvok

// A converter plug-in for the tests of the line form: "convert.dll" (and
// "convert64.dll" in the 64-bit build) with the
// function CONVERTVALUE, which writes the value and the keyboard layout it
// was given as text. The real plug-in is not part of this system; this one
// only has to make it visible in a field what the hook library asked for.
// A few values stand for a careless plug-in, so the tests can show what the
// library does with its answer: 1 gives no text at all, 2 an empty text and
// 3 a text of 100,000 characters (the digits 0 to 9 over and over).
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kLongTextLength = 100000;

const char* LongText() {
  static char text[kLongTextLength + 1];
  for (int i = 0; i < kLongTextLength; ++i) text[i] = static_cast<char>('0' + i % 10);
  return text;
}

const char* Describe(long double value, HKL layout) {
  if (value == 1) return nullptr;
  if (value == 2) return "";
  if (value == 3) return LongText();
  static char text[96];
  std::snprintf(text, sizeof text, "(%.3Lf as a line, layout %04X)", value,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(layout) & 0xFFFF));
  return text;
}

}  // namespace

// convert.dll takes the value itself (three stack slots), convert64.dll a
// pointer to its 10 bytes.
#if defined(_WIN64)
extern "C" __declspec(dllexport) const char* CONVERTVALUE(const unsigned char* value, HKL layout) {
  long double number = 0;
  std::memcpy(&number, value, 10);
  return Describe(number, layout);
}
#else
extern "C" __declspec(dllexport) const char* __stdcall CONVERTVALUE(long double value, HKL layout) {
  return Describe(value, layout);
}
#endif

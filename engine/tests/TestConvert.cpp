// A converter plug-in for the line-form tests: "CONVERTVALUE" writes the
// value it received and the keyboard layout it was given, so a test can see
// that both arrived intact. It also loads a different x87 control word (and,
// in the 64-bit build, a different MXCSR), as careless outside code might,
// to show that the library puts them back.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* Describe(long double value, HKL layout) {
  static char text[64];
  const unsigned short singlePrecision = 0x007F;
  asm volatile("fldcw %0" : : "m"(singlePrecision));
  std::snprintf(text, sizeof text, "<%.2f|%04X>", static_cast<double>(value),
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(layout) & 0xFFFF));
  return text;
}

}  // namespace

#if defined(_WIN64)
extern "C" __declspec(dllexport) const char* CONVERTVALUE(const unsigned char* value, HKL layout) {
  long double number = 0;
  std::memcpy(&number, value, 10);
  const unsigned roundTowardZero = 0x7F80;
  asm volatile("ldmxcsr %0" : : "m"(roundTowardZero));
  return Describe(number, layout);
}
#else
extern "C" __declspec(dllexport) const char* __stdcall CONVERTVALUE(long double value, HKL layout) {
  return Describe(value, layout);
}
#endif

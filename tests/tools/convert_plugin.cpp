// A converter plug-in for the tests of the line form: "convert.dll" with the
// function CONVERTVALUE, which writes the value and the keyboard layout it
// was given as text. The real plug-in is not part of this system; this one
// only has to make it visible in a field what the hook library asked for.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) const char* __stdcall CONVERTVALUE(long double value, HKL layout) {
  static char text[96];
  std::snprintf(text, sizeof text, "(%.3Lf as a line, layout %04X)", value,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(layout) & 0xFFFF));
  return text;
}

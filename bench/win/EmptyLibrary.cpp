// The yardstick of the attach benchmark: a DLL built with the same compiler
// and runtime flags as calc.dll that does nothing at all when loaded, so
// that loading it costs only what the loader itself costs.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// A library named calc.dll that exports nothing: what the controller meets
// when a wrong or damaged file lies beside it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

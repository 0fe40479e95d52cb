// The yardstick DLL of the benchmarks, built with the same compiler and
// runtime flags as calc.dll. Loading it does nothing, so the attach
// benchmark sees only what the loader costs; its two hook procedures only
// pass the event on, so the typing benchmark sees what installing any
// keyboard and message hook costs, apart from calc.dll's own work.
#include <windows.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

__declspec(dllexport) LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

__declspec(dllexport) LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"

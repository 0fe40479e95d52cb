// A stand-in for calc.dll in the controller's tests: the two hook
// procedures only pass every call on, and the library keeps what the shared
// block held when it was loaded, so a test can tell whether the controller
// filled the settings before any copy of the library could read them.
// Built once with and once without KeyboardProc.
#include <windows.h>

#include <cstring>

#include "SharedBlock.h"

namespace {
tarvok::GlobalHookData g_blockAtLoad{};
bool g_blockFoundAtLoad = false;

void ReadBlock() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, tarvok::kGlobalHookDataName);
  if (mapping == nullptr) return;
  if (void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, tarvok::kGlobalHookDataSize)) {
    std::memcpy(&g_blockAtLoad, view, sizeof g_blockAtLoad);
    g_blockFoundAtLoad = true;
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
}
}  // namespace

extern "C" {

__declspec(dllexport) LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

#ifndef STUB_WITHOUT_KEYBOARD_PROC
__declspec(dllexport) LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
#endif

__declspec(dllexport) BOOL StubBlockAtLoad(tarvok::GlobalHookData* out) {
  if (g_blockFoundAtLoad) *out = g_blockAtLoad;
  return g_blockFoundAtLoad ? TRUE : FALSE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ReadBlock();
  return TRUE;
}

}  // extern "C"

// calc.dll: the hook library Windows loads into every program that gets
// keyboard input while the controller's hooks are installed. Each program
// gets its own copy of the engine below; the exports only translate the
// hook parameters and hand over. Nothing here may throw, allocate at load,
// or touch files and the registry before the first hot key.
#include <windows.h>

#include <cstdlib>

#include "HookEngine.h"
#include "SharedBlock.h"
#include "Win32Clipboard.h"
#include "Win32Keyboard.h"
#include "Win32Services.h"

namespace tarvok {
namespace {

void CALLBACK DeliveryTimerProc(HWND window, UINT, UINT_PTR id, DWORD);

constinit Win32Keyboard keyboard;
constinit Win32Clipboard clipboard;
constinit Win32Timers timers{&DeliveryTimerProc};
constinit Win32SharedBlock sharedBlock;
constinit Win32Registry registry;
constinit Win32LogFile logFile;
constinit Win32Plugin plugin;
constinit Win32HookChain chain;
constinit HookEngine engine{EngineSeams{keyboard, clipboard, timers, sharedBlock, registry, logFile, plugin, chain}};

void CALLBACK DeliveryTimerProc(HWND window, UINT, UINT_PTR id, DWORD) { engine.TimerFired(window, id); }

}  // namespace
}  // namespace tarvok

extern "C" {

__declspec(dllexport) LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  return tarvok::engine.KeyboardProc(code, wParam, lParam);
}

__declspec(dllexport) LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  tarvok::QueuedMessage message{};
  if (code == HC_ACTION && msg != nullptr) message = {msg->message, msg->wParam};
  return tarvok::engine.GetMessageProc(code, wParam, lParam, code == HC_ACTION && msg != nullptr ? &message : nullptr);
}

__declspec(dllexport) LRESULT CALLBACK CallWNDProc(int code, WPARAM wParam, LPARAM lParam) {
  return tarvok::engine.CallWndProc(code, wParam, lParam);
}

__declspec(dllexport) LRESULT CALLBACK ShellHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return tarvok::engine.ShellHookProc(code, wParam, lParam);
}

// Thread notifications stay on: the C++ runtime frees each thread's
// exception data when the thread ends.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tarvok::engine.Load(RegisterWindowMessageA(tarvok::kOptionsUpdateMessageName));
      break;
    case DLL_PROCESS_DETACH:
      // At process end (reserved set) the program's windows and the
      // clipboard are on their way out; only an unload while the program
      // runs on must leave nothing pending behind.
      if (reserved == nullptr) tarvok::engine.Unload();
      break;
    default:
      break;
  }
  return TRUE;
}

}  // extern "C"

// Every error is caught inside the library, so std::terminate is never
// reached; the default handler would only add the C++ name demangler (about
// 40 KB) to a library that is loaded into every program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

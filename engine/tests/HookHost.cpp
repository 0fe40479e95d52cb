// Test host for the hook library alone: it does what the controller does for
// calc.dll and nothing more. "run" creates the settings block, writes Path,
// loads calc.dll beside itself, installs the two hooks for the desktop and
// waits for "stop". "update" rewrites the settings fields of the running
// host's block and broadcasts the options-update message; "write" only
// rewrites them, as if another program had changed the block unannounced.
// "keep" sets the options block's keep-the-hot-key field and broadcasts.
//
//   tarvok-hook-host run <Path> <precision> <form> <virtual key> <modifiers>
//   tarvok-hook-host update <precision> <form> <virtual key> <modifiers>
//   tarvok-hook-host write <precision> <form> <virtual key> <modifiers>
//   tarvok-hook-host keep <0|1>
//   tarvok-hook-host stop
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "RegistryAccess.h"
#include "RegistryNames.h"
#include "ScopedHandle.h"
#include "SharedBlock.h"

namespace {

using namespace tarvok;

constexpr char kHostClass[] = "TarvokHookHost";

struct Settings {
  std::uint8_t precision;
  std::uint8_t form;
  std::uint16_t virtualKey;
  std::uint8_t modifiers;
};

Settings ParseSettings(char** argv) {
  return {static_cast<std::uint8_t>(std::strtoul(argv[0], nullptr, 0)),
          static_cast<std::uint8_t>(std::strtoul(argv[1], nullptr, 0)),
          static_cast<std::uint16_t>(std::strtoul(argv[2], nullptr, 0)),
          static_cast<std::uint8_t>(std::strtoul(argv[3], nullptr, 0))};
}

void WriteSettings(GlobalHookData& block, const Settings& settings) {
  block.ResultForm = settings.form;
  block.Precision = settings.precision;
  block.HotKeyVirtualKey = settings.virtualKey;
  block.HotKeyModifiers = settings.modifiers;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int Run(char** argv) {
  WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath, argv[0]);
  const Settings settings = ParseSettings(argv + 1);

  const ScopedHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                kGlobalHookDataSize, kGlobalHookDataName));
  if (!mapping) return 3;
  const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kGlobalHookDataSize));
  if (!view) return 3;
  auto& block = *static_cast<GlobalHookData*>(view.get());
  // Zero-filled: the hot key passes on until "keep 1".
  const ScopedHandle options(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                kHookOptionsSize, kHookOptionsName));
  if (!options) return 3;

  char dllPath[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, dllPath, MAX_PATH);
  std::strcpy(std::strrchr(dllPath, '\\') + 1, kHookLibraryFileName);
  const ScopedModule library(LoadLibraryA(dllPath));
  if (!library) return 4;
  auto* getMessageProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library.get(), kGetMessageProcName)));
  auto* keyboardProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library.get(), kKeyboardProcName)));
  if (getMessageProc == nullptr || keyboardProc == nullptr) return 4;

  HHOOK messageHook = SetWindowsHookExA(WH_GETMESSAGE, getMessageProc, library.get(), 0);
  block.GetMessageHook = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(messageHook));
  HHOOK keyboardHook = SetWindowsHookExA(WH_KEYBOARD, keyboardProc, library.get(), 0);
  block.KeyboardHook = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(keyboardHook));
  WriteSettings(block, settings);
  FlushViewOfFile(view.get(), kGlobalHookDataSize);
  if (messageHook == nullptr || keyboardHook == nullptr) return 5;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kHostClass;
  RegisterClassA(&windowClass);
  CreateWindowExA(0, kHostClass, "Tarvok Hook Host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
  std::printf("hooks installed\n");
  std::fflush(stdout);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);

  UnhookWindowsHookEx(keyboardHook);
  UnhookWindowsHookEx(messageHook);
  PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
  return 0;
}

int Write(char** argv) {
  const ScopedHandle mapping(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kGlobalHookDataName));
  if (!mapping) return 3;
  const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kGlobalHookDataSize));
  if (!view) return 3;
  WriteSettings(*static_cast<GlobalHookData*>(view.get()), ParseSettings(argv));
  FlushViewOfFile(view.get(), kGlobalHookDataSize);
  return 0;
}

void AnnounceUpdate() { PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(kOptionsUpdateMessageName), 0, 0); }

int Update(char** argv) {
  const int written = Write(argv);
  if (written != 0) return written;
  AnnounceUpdate();
  return 0;
}

int Keep(const char* value) {
  const ScopedHandle mapping(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kHookOptionsName));
  if (!mapping) return 3;
  const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kHookOptionsSize));
  if (!view) return 3;
  static_cast<HookOptionsData*>(view.get())->KeepHotKeyFromProgram =
      static_cast<std::uint32_t>(std::strtoul(value, nullptr, 0));
  AnnounceUpdate();
  return 0;
}

int Stop() {
  HWND host = FindWindowA(kHostClass, nullptr);
  if (host == nullptr) return 1;
  PostMessageA(host, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && std::strcmp(argv[1], "run") == 0) return Run(argv + 2);
  if (argc == 6 && std::strcmp(argv[1], "update") == 0) return Update(argv + 2);
  if (argc == 6 && std::strcmp(argv[1], "write") == 0) return Write(argv + 2);
  if (argc == 3 && std::strcmp(argv[1], "keep") == 0) return Keep(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "stop") == 0) return Stop();
  std::fputs("usage: tarvok-hook-host run <Path> <precision> <form> <vk> <modifiers>\n"
             "       tarvok-hook-host update <precision> <form> <vk> <modifiers>\n"
             "       tarvok-hook-host write <precision> <form> <vk> <modifiers>\n"
             "       tarvok-hook-host keep <0|1>\n"
             "       tarvok-hook-host stop\n",
             stderr);
  return 2;
}

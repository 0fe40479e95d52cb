// Probe commands about what the controller shares: the 36-byte settings
// block in its named mapping, and the values of the settings key.
#include <cstdio>

#include "ProbeCommands.h"
#include "RegistryNames.h"
#include "ScopedHandle.h"
#include "SharedBlock.h"

namespace probe {

int MappingDump(int, Args) {
  tarvok::ScopedHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, tarvok::kGlobalHookDataName));
  if (!mapping) {
    std::puts("no block");
    return 1;
  }
  tarvok::ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, tarvok::kGlobalHookDataSize));
  if (!view) return 1;
  const auto& block = *static_cast<const tarvok::GlobalHookData*>(view.get());
  const auto* bytes = static_cast<const unsigned char*>(view.get());
  bool unusedZero = block.CallWndProcHook == 0 && block.Reserved == 0 && block.ShellHook == 0;
  for (int offset : {17, 18, 19, 25, 26, 27, 33}) unusedZero = unusedZero && bytes[offset] == 0;

  std::printf("GetMessageHook=0x%lx\n", static_cast<unsigned long>(block.GetMessageHook));
  std::printf("KeyboardHook=0x%lx\n", static_cast<unsigned long>(block.KeyboardHook));
  std::printf("Precision=%u\n", block.Precision);
  std::printf("ResultForm=%u\n", block.ResultForm);
  std::printf("ControllerWindow=0x%lx\n", static_cast<unsigned long>(block.ControllerWindow));
  std::printf("HotKeyModifiers=%u\n", block.HotKeyModifiers);
  std::printf("HotKeyVirtualKey=0x%X\n", block.HotKeyVirtualKey);
  std::printf("UnusedZero=%s\n", unusedZero ? "yes" : "no");
  return 0;
}

// Prints a text value up to its first zero byte, or a DWORD in decimal.
int RegGet(int, Args argv) {
  HKEY rawKey = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, tarvok::kSettingsKey, 0, KEY_READ, &rawKey) != ERROR_SUCCESS) return 1;
  tarvok::ScopedRegKey key(rawKey);
  unsigned char data[1024] = {};
  DWORD type = 0, size = sizeof data - 1;
  if (RegQueryValueExA(key.get(), argv[0], nullptr, &type, data, &size) != ERROR_SUCCESS) return 1;
  if (type == REG_DWORD && size == 4) {
    std::printf("%lu\n", static_cast<unsigned long>(*reinterpret_cast<const DWORD*>(data)));
  } else {
    std::printf("%s\n", Escape(reinterpret_cast<const char*>(data)).c_str());
  }
  return 0;
}

// A text value of the settings key, or without a text its removal.
int RegSet(int argc, Args argv) {
  HKEY rawKey = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, tarvok::kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &rawKey,
                      nullptr) != ERROR_SUCCESS)
    return 1;
  tarvok::ScopedRegKey key(rawKey);
  if (argc < 2) {
    const LSTATUS deleted = RegDeleteValueA(key.get(), argv[0]);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? 0 : 1;
  }
  const auto* data = reinterpret_cast<const BYTE*>(argv[1]);
  return RegSetValueExA(key.get(), argv[0], 0, REG_SZ, data, static_cast<DWORD>(lstrlenA(argv[1]) + 1)) ==
                 ERROR_SUCCESS
             ? 0
             : 1;
}

// Each scenario starts as a new user would: no settings key, no autorun entry.
int RegClear(int, Args) {
  const LSTATUS deleted = RegDeleteTreeA(HKEY_CURRENT_USER, tarvok::kSettingsKey);
  if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return 1;
  HKEY rawKey = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, tarvok::kAutorunKey, 0, KEY_ALL_ACCESS, &rawKey) == ERROR_SUCCESS) {
    tarvok::ScopedRegKey run(rawKey);
    RegDeleteValueA(run.get(), tarvok::kAutorunValue);
  }
  return 0;
}

}  // namespace probe

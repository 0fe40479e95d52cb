// Helper of the notepad scenario script, run under Wine next to the
// programs it inspects:
//   text <class>                  the text of the window's edit field
//   center <class> <control id>   screen centre of a child control: "x y"
//   post <class> <msg> <wp> <lp>  PostMessageA to the window
//   block                         the shared block's settings, exit 1 if none
//   memory <class>                working set and private bytes of the
//                                 window's process, in KiB
//   toggle-timing <class> <n>     mean time of n Disable+Enable cycles; exit 1
//                                 when one does not come back
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SharedBlock.h"

namespace {

unsigned long Number(const char* text) { return std::strtoul(text, nullptr, 0); }

int Text(HWND window) {
  HWND field = FindWindowExA(window, nullptr, "Edit", nullptr);
  if (field == nullptr) field = window;
  const LRESULT length = SendMessageA(field, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  std::fputs(text.c_str(), stdout);
  return 0;
}

int Center(HWND window, int id) {
  RECT rect{};
  HWND control = GetDlgItem(window, id);
  if (control == nullptr || !GetWindowRect(control, &rect)) return 1;
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return 0;
}

int Block() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, tarvok::kGlobalHookDataName);
  if (mapping == nullptr) return 1;
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, tarvok::kGlobalHookDataSize);
  if (view == nullptr) return 1;
  tarvok::GlobalHookData block;
  std::memcpy(&block, view, sizeof block);
  std::printf("hooks=%s precision=%u form=%u vk=0x%X mods=%u\n",
              block.GetMessageHook != 0 && block.KeyboardHook != 0 ? "on" : "off", block.Precision,
              block.ResultForm, block.HotKeyVirtualKey, block.HotKeyModifiers);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  return 0;
}

int Memory(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return 1;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL ok = GetProcessMemoryInfo(process, &counters, sizeof counters);
  CloseHandle(process);
  if (!ok) return 1;
  std::printf("working_set_kib=%lu private_kib=%lu\n", static_cast<unsigned long>(counters.WorkingSetSize / 1024),
              static_cast<unsigned long>(counters.PagefileUsage / 1024));
  return 0;
}

// Disable and Enable through the tray menu's command, as the menu sends it.
// A command that does not come back within 10 s (a message box holds it)
// ends the run with exit code 1.
int ToggleTiming(HWND window, int cycles) {
  constexpr WPARAM kDisableEnable = 102;
  const auto send = [window] {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, kDisableEnable, 0, SMTO_NORMAL, 10000, &result) != 0;
  };
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < cycles; ++i) {
    if (!send() || !send()) {
      std::printf("cycle %d did not come back\n", i);
      return 1;
    }
  }
  QueryPerformanceCounter(&end);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("cycles=%d mean_disable_enable_ms=%.3f\n", cycles, ms / cycles);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "block") return Block();
  HWND window = argc > 2 ? FindWindowA(argv[2], nullptr) : nullptr;
  if (command == "text" && window != nullptr) return Text(window);
  if (command == "center" && window != nullptr && argc > 3) return Center(window, static_cast<int>(Number(argv[3])));
  if (command == "memory" && window != nullptr) return Memory(window);
  if (command == "toggle-timing" && window != nullptr && argc > 3) {
    return ToggleTiming(window, static_cast<int>(Number(argv[3])));
  }
  if (command == "post" && window != nullptr && argc > 5) {
    return PostMessageA(window, static_cast<UINT>(Number(argv[3])), Number(argv[4]),
                        static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : 1;
  }
  if (window == nullptr && argc > 2) return 1;
  std::fputs("usage: app-driver text|center|post|block ...\n", stderr);
  return 2;
}

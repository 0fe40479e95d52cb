// Reads another process's counters through its window.
#include "ProcessCounters.h"

#include <psapi.h>

#include "ScopedHandle.h"

namespace tarvok::bench {

bool ReadProcessCounters(HWND window, ProcessCounters& counters) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return false;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    return false;
  counters.workingSetKb = static_cast<unsigned long>(memory.WorkingSetSize / 1024);
  counters.peakWorkingSetKb = static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024);
  counters.privateKb = static_cast<unsigned long>(memory.PrivateUsage / 1024);
  DWORD handles = 0;
  counters.handles = GetProcessHandleCount(process.get(), &handles) ? handles : 0;
  counters.gdiObjects = GetGuiResources(process.get(), GR_GDIOBJECTS);
  counters.userObjects = GetGuiResources(process.get(), GR_USEROBJECTS);
  return true;
}

void PrintCounters(const char* checkpoint, const char* process, const ProcessCounters& counters) {
  std::printf("%s.%s.working_set_kb=%lu\n%s.%s.peak_working_set_kb=%lu\n%s.%s.private_kb=%lu\n"
              "%s.%s.handles=%lu\n%s.%s.gdi_objects=%lu\n%s.%s.user_objects=%lu\n",
              checkpoint, process, counters.workingSetKb, checkpoint, process, counters.peakWorkingSetKb, checkpoint,
              process, counters.privateKb, checkpoint, process, counters.handles, checkpoint, process,
              counters.gdiObjects, checkpoint, process, counters.userObjects);
  std::fflush(stdout);
}

}  // namespace tarvok::bench

// Reads a process's counters, found by its window or the calling one.
#include "ProcessCounters.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "LinuxProc.h"
#include "ScopedHandle.h"

namespace tarvok::counters {
namespace {

constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

}  // namespace

unsigned long CountProcessHandles(DWORD processId) {
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                     static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch && buffer.size() < (64u << 20)) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
      continue;
    }
    if (status < 0) return 0;
    break;
  }
  const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  unsigned long count = 0;
  for (ULONG i = 0; i < list->Count; ++i) count += list->Handle[i].OwnerPid == processId ? 1 : 0;
  return count;
}

namespace {

// "VmRSS:     1234 kB" and the like from /proc/<pid>/status.
void ReadLinuxMemory(unsigned long linuxProcessId, ProcessCounters& counters) {
  const std::string text = ReadLinuxProcFile(linuxProcessId, "status");
  const auto field = [&](const char* name) -> unsigned long {
    const std::size_t at = text.find(name);
    return at == std::string::npos ? 0 : std::strtoul(text.c_str() + at + std::strlen(name), nullptr, 10);
  };
  counters.linuxResidentKb = field("VmRSS:");
  counters.linuxPrivateKb = field("RssAnon:");
}

unsigned long HeapBusyBytes() {
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
  unsigned long busy = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
    }
    HeapUnlock(heaps[i]);
  }
  return busy;
}

bool ReadCountersOf(DWORD processId, unsigned long linuxProcessId, ProcessCounters& counters) {
  ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return false;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    return false;
  counters.workingSetKb = static_cast<unsigned long>(memory.WorkingSetSize / 1024);
  counters.peakWorkingSetKb = static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024);
  counters.privateKb = static_cast<unsigned long>(memory.PrivateUsage / 1024);
  // Our own query handle is in the list too; it is not the process's.
  counters.handles = CountProcessHandles(processId) - (processId == GetCurrentProcessId() ? 1 : 0);
  counters.gdiObjects = GetGuiResources(process.get(), GR_GDIOBJECTS);
  counters.userObjects = GetGuiResources(process.get(), GR_USEROBJECTS);
  ReadLinuxMemory(linuxProcessId, counters);
  return true;
}

}  // namespace

bool ReadProcessCounters(HWND window, unsigned long linuxProcessId, ProcessCounters& counters) {
  DWORD processId = 0;
  if (GetWindowThreadProcessId(window, &processId) == 0) return false;
  return ReadCountersOf(processId, linuxProcessId, counters);
}

bool ReadOwnCounters(ProcessCounters& counters) {
  static const unsigned long ownLinuxId = OwnLinuxProcessId();
  counters.heapBusyBytes = HeapBusyBytes();
  return ReadCountersOf(GetCurrentProcessId(), ownLinuxId, counters);
}

void PrintCounters(const char* checkpoint, const char* process, const ProcessCounters& counters) {
  const struct {
    const char* name;
    unsigned long value;
  } fields[] = {
      {"working_set_kb", counters.workingSetKb},   {"peak_working_set_kb", counters.peakWorkingSetKb},
      {"private_kb", counters.privateKb},          {"handles", counters.handles},
      {"gdi_objects", counters.gdiObjects},        {"user_objects", counters.userObjects},
      {"linux_resident_kb", counters.linuxResidentKb}, {"linux_private_kb", counters.linuxPrivateKb},
  };
  for (const auto& field : fields) std::printf("%s.%s.%s=%lu\n", checkpoint, process, field.name, field.value);
  std::fflush(stdout);
}

}  // namespace tarvok::counters

// The resource figures of a process that the resident test and benchmark
// watch: memory, kernel handles, GDI and USER objects. Wine reports a
// working set but no private bytes and no GDI or USER counts, and its
// GetProcessHandleCount says 0; so the handles are counted in the system's
// handle list, and, given the process's Linux process id, its resident and
// anonymous (private) memory are read from /proc through Wine's Z: drive.
#pragma once

#include <windows.h>

#include <cstdio>

namespace tarvok::counters {

struct ProcessCounters {
  unsigned long workingSetKb = 0;
  unsigned long peakWorkingSetKb = 0;
  unsigned long privateKb = 0;
  unsigned long handles = 0;
  unsigned long gdiObjects = 0;
  unsigned long userObjects = 0;
  unsigned long linuxResidentKb = 0;  // VmRSS
  unsigned long linuxPrivateKb = 0;   // RssAnon
  unsigned long heapBusyBytes = 0;    // own process only: bytes in use in all its heaps
};

// Kernel handles of a process in the system's handle list; 0 when the list
// cannot be read.
unsigned long CountProcessHandles(DWORD processId);

// The process that owns the window; false when it cannot be read.
// linuxProcessId 0: not running under Wine, or not known.
bool ReadProcessCounters(HWND window, unsigned long linuxProcessId, ProcessCounters& counters);
// The calling process, its Linux side found by itself, and the bytes in use
// in its heaps (HeapWalk): exact where RssAnon moves in whole pages.
bool ReadOwnCounters(ProcessCounters& counters);

// "<checkpoint>.<process>.<counter>=<value>" lines for scripts/bench.sh.
void PrintCounters(const char* checkpoint, const char* process, const ProcessCounters& counters);

}  // namespace tarvok::counters

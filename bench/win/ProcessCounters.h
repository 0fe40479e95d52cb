// The resource figures of another process that the resident benchmark
// watches: memory, kernel handles, GDI and USER objects.
#pragma once

#include <windows.h>

#include <cstdio>

namespace tarvok::bench {

struct ProcessCounters {
  unsigned long workingSetKb = 0;
  unsigned long peakWorkingSetKb = 0;
  unsigned long privateKb = 0;
  unsigned long handles = 0;
  unsigned long gdiObjects = 0;
  unsigned long userObjects = 0;
};

// The process that owns the window; false when it cannot be read.
bool ReadProcessCounters(HWND window, ProcessCounters& counters);

// "<checkpoint>.<process>.<counter>=<value>" lines for scripts/bench.sh.
void PrintCounters(const char* checkpoint, const char* process, const ProcessCounters& counters);

}  // namespace tarvok::bench

// Under Wine a Windows program can read the Linux /proc files of the
// processes it measures through the Z: drive. The resident test and the
// benchmarks use that where Wine's own figures are missing: anonymous memory
// and the CPU time of a program's main thread in nanoseconds.
#pragma once

#include <string>

namespace tarvok::counters {

// The whole text of /proc/<pid>/<name>; empty when it cannot be read (pid 0,
// not under Wine, the process is gone).
std::string ReadLinuxProcFile(unsigned long linuxProcessId, const char* name);

// CPU time of the process's main thread, from the first field of
// /proc/<pid>/schedstat; negative when unknown.
double LinuxMainThreadCpuMicroseconds(unsigned long linuxProcessId);

// The Linux process id of the calling process; 0 when not under Wine.
unsigned long OwnLinuxProcessId();

}  // namespace tarvok::counters

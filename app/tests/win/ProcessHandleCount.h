// The number of kernel handles a process holds, as the system's handle list
// shows them. Wine's GetProcessHandleCount answers 0, so the list from
// NtQuerySystemInformation (SystemHandleInformation) is counted instead.
#pragma once

#include <windows.h>

#include <winternl.h>

#include <algorithm>
#include <vector>

namespace tarvok::testing {

// 0 when the list cannot be read.
inline unsigned long CountProcessHandles(DWORD processId) {
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
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

}  // namespace tarvok::testing

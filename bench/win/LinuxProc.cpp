// /proc through Wine's Z: drive.
#include "LinuxProc.h"

#include <windows.h>

#include <cstdlib>

#include "ScopedHandle.h"

namespace tarvok::bench {

std::string ReadLinuxProcFile(unsigned long linuxProcessId, const char* name) {
  if (linuxProcessId == 0) return {};
  const std::string path = "Z:\\proc\\" + std::to_string(linuxProcessId) + "\\" + name;
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  return text;
}

double LinuxMainThreadCpuMicroseconds(unsigned long linuxProcessId) {
  const std::string text = ReadLinuxProcFile(linuxProcessId, "schedstat");
  if (text.empty()) return -1;
  return static_cast<double>(std::strtoull(text.c_str(), nullptr, 10)) / 1000.0;
}

}  // namespace tarvok::bench

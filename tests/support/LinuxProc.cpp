// /proc through Wine's Z: drive.
#include "LinuxProc.h"

#include <windows.h>

#include <cstdlib>

#include "ScopedHandle.h"

namespace tarvok::counters {
namespace {

std::string ReadWholeFile(const std::string& path) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  return text;
}

}  // namespace

std::string ReadLinuxProcFile(unsigned long linuxProcessId, const char* name) {
  if (linuxProcessId == 0) return {};
  return ReadWholeFile("Z:\\proc\\" + std::to_string(linuxProcessId) + "\\" + name);
}

double LinuxMainThreadCpuMicroseconds(unsigned long linuxProcessId) {
  const std::string text = ReadLinuxProcFile(linuxProcessId, "schedstat");
  if (text.empty()) return -1;
  return static_cast<double>(std::strtoull(text.c_str(), nullptr, 10)) / 1000.0;
}

unsigned long OwnLinuxProcessId() {
  // Z:\proc\self is no help: Wine resolves the path in its server, so
  // "self" is the wineserver. A Wine process is a Linux process, though,
  // and may ask the kernel directly (getpid); only under Wine. A 64-bit
  // program makes the 64-bit call: a kernel without 32-bit support faults
  // on the i386 one.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return 0;
  long pid = 0;
#if defined(__x86_64__)
  asm volatile("syscall" : "=a"(pid) : "a"(39) : "rcx", "r11", "memory");
#else
  asm volatile("int $0x80" : "=a"(pid) : "a"(20) : "memory");
#endif
  return pid > 0 ? static_cast<unsigned long>(pid) : 0;
}

}  // namespace tarvok::counters

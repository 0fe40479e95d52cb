// tarvok-bench-attach: what loading calc.dll costs a program. Loads and
// frees the library the given number of times, each time alternating with an
// empty DLL built the same way, and prints the median microseconds of a
// load-and-free pair for both; the difference is the library's own process
// attach (and detach). As in real use: a settings block is created first,
// as the running controller provides one, and the system DLLs calc.dll
// imports are loaded already, as they are in every program with a window
// (otherwise each load would load and unload USER32 and GDI32 as well).
//
//   tarvok-bench-attach <calc.dll> <empty.dll> [pairs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "PerfClock.h"
#include "SettingsBlockForBench.h"
#include "Statistics.h"

namespace tarvok::bench {
namespace {

bool TimePair(const char* path, const PerfClock& clock, std::vector<double>& samples) {
  const double start = clock.NowMicroseconds();
  HMODULE module = LoadLibraryA(path);
  if (!module) return false;
  FreeLibrary(module);
  samples.push_back(clock.NowMicroseconds() - start);
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: tarvok-bench-attach <calc.dll> <empty.dll> [pairs]\n", stderr);
    return 2;
  }
  const int pairs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1000;
  SettingsBlockForBench block;
  if (!block.Ready()) {
    std::fprintf(stderr, "could not create the settings block (error %lu)\n", GetLastError());
    return 1;
  }
  for (const char* system : {"user32.dll", "gdi32.dll", "advapi32.dll"}) LoadLibraryA(system);
  const PerfClock clock;
  std::vector<double> library, empty;
  for (int i = 0; i < pairs; ++i) {
    if (!TimePair(argv[1], clock, library) || !TimePair(argv[2], clock, empty)) {
      std::fprintf(stderr, "could not load %s or %s (error %lu)\n", argv[1], argv[2], GetLastError());
      return 1;
    }
  }
  std::printf("pairs=%d\nlibrary_median_us=%.1f\nempty_median_us=%.1f\nattach_median_us=%.1f\n"
              "library_mean_us=%.1f\nempty_mean_us=%.1f\n",
              pairs, Median(library), Median(empty), Median(library) - Median(empty), Mean(library), Mean(empty));
  return 0;
}

}  // namespace
}  // namespace tarvok::bench

int main(int argc, char** argv) { return tarvok::bench::Run(argc, argv); }

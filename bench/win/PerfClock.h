// Microseconds from the performance counter, for the Windows benchmarks.
#pragma once

#include <windows.h>

namespace tarvok::bench {

class PerfClock {
 public:
  PerfClock() { QueryPerformanceFrequency(&frequency_); }
  double NowMicroseconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1e6 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
};

}  // namespace tarvok::bench

#pragma once

// The processor time the test process has used, all threads together: a busy loop shows here
// whatever the wall clock does.

#include <time.h>

#include <chrono>

namespace tadjust::testing {

inline std::chrono::duration<double> processCpuTime() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace tadjust::testing

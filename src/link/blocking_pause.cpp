#include <chrono>
#include <thread>

#include "link/pause.h"

namespace tadjust {

namespace {

using SteadyClock = std::chrono::steady_clock;

// The last stretch of a pause is waited for on the clock rather than slept: a sleeping thread is
// woken late, the later the busier the machine, and every late wake-up lengthens the pause the
// device sees. Never shorter: the pause ends only once the clock has passed its end.
constexpr std::chrono::microseconds kWatchedTail{1500};

}  // namespace

void BlockingPause::pause(Milliseconds duration) {
  const SteadyClock::time_point end = SteadyClock::now() + duration;
  if (duration > kWatchedTail) std::this_thread::sleep_until(end - kWatchedTail);
  while (SteadyClock::now() < end) {
  }
}

}  // namespace tadjust

#include <thread>

#include "link/pause.h"

namespace tadjust {

void BlockingPause::pause(Milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace tadjust

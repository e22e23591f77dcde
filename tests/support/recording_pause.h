#pragma once

#include <vector>

#include "link/pause.h"

namespace tadjust {

// A pause that does not sleep and remembers every duration asked for.
class RecordingPause final : public Pause {
 public:
  void pause(Milliseconds duration) override { durations.push_back(duration); }
  std::vector<Milliseconds> durations;
};

}  // namespace tadjust

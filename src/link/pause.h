#pragma once

#include <chrono>

namespace tadjust {

using Milliseconds = std::chrono::milliseconds;

// The protocol's fixed pauses. The program blocks its one thread for them, as the devices
// expect; tests inject a pause that does not sleep (or advances a virtual clock).
class Pause {
 public:
  virtual ~Pause() = default;
  virtual void pause(Milliseconds duration) = 0;
};

// The real pause: a blocking sleep of the calling (user-interface) thread.
class BlockingPause final : public Pause {
 public:
  void pause(Milliseconds duration) override;
};

}  // namespace tadjust

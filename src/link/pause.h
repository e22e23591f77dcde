#pragma once

#include <chrono>

namespace tadjust {

using Milliseconds = std::chrono::milliseconds;

// The protocol's fixed pauses. The exchange worker's thread waits them out, as the devices
// expect (never the window's); tests inject a pause that does not sleep (or advances a virtual
// clock).
class Pause {
 public:
  virtual ~Pause() = default;
  virtual void pause(Milliseconds duration) = 0;
};

// The real pause: the calling thread (the exchange worker's) waits, never less than asked.
class BlockingPause final : public Pause {
 public:
  void pause(Milliseconds duration) override;
};

}  // namespace tadjust

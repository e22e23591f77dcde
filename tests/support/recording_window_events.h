#pragma once

// Window events that record what the code under test asked: message processing (with an
// optional hook that runs in its place, e.g. a timer tick) and the request to terminate.

#include <functional>

#include "ui/window_events.h"

namespace tadjust {

class RecordingWindowEvents final : public WindowEvents {
 public:
  std::function<void()> onProcess;
  int processed = 0;
  bool terminateRequested = false;

  void processPendingMessages() override {
    ++processed;
    if (onProcess) onProcess();
  }
  void requestTerminate() override { terminateRequested = true; }
};

}  // namespace tadjust

#pragma once

namespace tadjust {

// The two things the program asks of the window system besides its controls: processing the
// pending window messages (so a new text is painted at once, and timer ticks may run inside a
// handler) and asking the application to terminate once the running handler has returned.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void processPendingMessages() = 0;
  virtual void requestTerminate() = 0;
};

// The real ones: QCoreApplication::processEvents() and QCoreApplication::quit().
class QtWindowEvents final : public WindowEvents {
 public:
  void processPendingMessages() override;
  void requestTerminate() override;
};

}  // namespace tadjust

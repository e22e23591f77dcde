#pragma once

// The program: the main window and the real seams it is served through (message boxes, window
// events, the protocol's blocking pause). This is the place where the subsystems live and where
// the window's events reach them: the ticks of Timer1, the action buttons, the validated edit
// boxes (Form1::editChange) and the user's choices in the lists (QComboBox::activated).

#include "link/pause.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

namespace tadjust {

class Application {
 public:
  // Builds the window; it stays hidden until run() has asked the language.
  Application();

  // Asks the language, shows the window in the centre of the screen, starts Timer1 and runs
  // the message loop until the application is asked to terminate or the window is closed.
  // Returns the program's exit code.
  int run();

 private:
  void centreOnScreen();

  QtMessageBoxes boxes_;
  QtWindowEvents events_;
  BlockingPause pause_;
  Form1 form_;
  // Set by a failed interface search that the user wants retried on the next tick.
  bool retrySearch_ = false;
};

}  // namespace tadjust

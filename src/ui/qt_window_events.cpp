#include <QCoreApplication>

#include "ui/window_events.h"

namespace tadjust {

void QtWindowEvents::processPendingMessages() { QCoreApplication::processEvents(); }

// The message loop ends once the running handler has returned to it.
void QtWindowEvents::requestTerminate() { QCoreApplication::quit(); }

}  // namespace tadjust

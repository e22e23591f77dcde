#include <QApplication>
#include <QIcon>

#include "app/application.h"
#include "link/qt_serial_port.h"
#include "link/serial_port_map.h"

// The program takes no command line: the toolkit is given only the program's name.
int main() {
  char programName[] = "t-adjust";
  char* arguments[] = {programName, nullptr};
  int argumentCount = 1;
  QApplication qtApplication(argumentCount, arguments);
  QApplication::setApplicationName("T-adjust");
  // The installed desktop entry and icon (packaging/), so the desktop shows the window as theirs.
  QGuiApplication::setDesktopFileName("org.tadjust.TAdjust");
  QApplication::setWindowIcon(QIcon::fromTheme("org.tadjust.TAdjust"));

  tadjust::BlockingPause pause;
  tadjust::QtSerialPort port(pause);
  tadjust::QtMessageBoxes boxes;
  tadjust::QtWindowEvents events;
  tadjust::SystemSerialPortMap portMap;
  tadjust::QtFileDialogs dialogs;
  tadjust::Application application(
      {port, pause, boxes, events, portMap, QCoreApplication::applicationDirPath(), dialogs});
  return application.run();
}

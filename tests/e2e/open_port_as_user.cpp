// Opens a serial port with the program's own port operations and prints what the program tells
// the user when the open fails, in English and in Polish: run as an unprivileged user by
// refused_port_test. Exit status 0 when the port was refused this user, 1 otherwise.

#include <QCoreApplication>
#include <cstdio>

#include "app/permission_texts.h"
#include "link/qt_serial_port.h"

namespace {

// The refusal comes before any pause; a port that opens would pause, which costs nothing here.
class NoPause final : public tadjust::Pause {
 public:
  void pause(tadjust::Milliseconds) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: open-port-as-user PORT\n");
    return 2;
  }
  NoPause pause;
  tadjust::QtSerialPort port(pause);
  const QString name = QString::fromLocal8Bit(argv[1]);
  if (port.OpenPort(name.toStdString())) {
    std::printf("opened\n");
    return 1;
  }
  if (!port.OpenDenied()) {
    std::printf("not opened\n");
    return 1;
  }
  namespace texts = tadjust::permission_texts;
  const QStringList files{texts::deviceFile(name)};
  std::printf("%s\n%s\n", qPrintable(texts::permissionDenied(files, true)),
              texts::permissionDenied(files, false).toUtf8().constData());
  return 0;
}

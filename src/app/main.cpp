#include <QApplication>

#include "app/application.h"

// The program takes no command line: the toolkit is given only the program's name.
int main() {
  char programName[] = "t-adjust";
  char* arguments[] = {programName, nullptr};
  int argumentCount = 1;
  QApplication qtApplication(argumentCount, arguments);

  tadjust::Application application;
  return application.run();
}

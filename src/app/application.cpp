#include "app/application.h"

#include <QApplication>
#include <QScreen>

#include "app/start_up.h"

namespace tadjust {

Application::Application() = default;

int Application::run() {
  FormCreate(form_, boxes_, retrySearch_);
  centreOnScreen();
  form_.show();
  form_.Timer1->start();
  return QApplication::exec();
}

void Application::centreOnScreen() {
  QRect frame = form_.frameGeometry();
  frame.moveCenter(form_.screen()->availableGeometry().center());
  form_.move(frame.topLeft());
}

}  // namespace tadjust

#pragma once

// Acts on a real modal message box from inside its own message loop, for tests of the code
// that opens it: the action runs as soon as the box is the active modal widget.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace tadjust::testing {

inline void whenTheBoxOpens(std::function<void(QMessageBox&)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll->stop();
    poll->deleteLater();
    act(*box);
  });
  poll->start(5);
}

}  // namespace tadjust::testing

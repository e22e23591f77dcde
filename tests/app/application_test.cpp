#include "app/application.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include "link/qt_serial_port.h"
#include "support/fake_serial_port_map.h"
#include "support/modal_box_driver.h"

namespace tadjust {
namespace {

Form1* shownMainWindow() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form1*>(window); form && form->isVisible()) return form;
  return nullptr;
}

// The whole start of the program with the real message box: the language question, then the
// window in the centre of the screen with the timer running; closing the window ends it.
TEST(Application, StartsAfterTheLanguageQuestionAndEndsWhenTheWindowIsClosed) {
  QString question;
  testing::whenTheBoxOpens([&](QMessageBox& box) {
    question = box.text();
    box.button(QMessageBox::No)->click();
  });

  bool english = false, timerRunning = false, answeredBeforeShown = false;
  QPoint offCentre;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    Form1* form = shownMainWindow();
    if (!form) return;
    poll.stop();
    answeredBeforeShown = !question.isEmpty();
    english = form->UseEnglish;
    timerRunning = form->Timer1->isActive();
    offCentre = form->frameGeometry().center() - form->screen()->availableGeometry().center();
    form->close();
  });
  poll.start(5);

  // The real seams but for the port map: no port is touched before Start is pressed.
  BlockingPause pause;
  QtSerialPort port(pause);
  QtMessageBoxes boxes;
  QtWindowEvents events;
  FakeSerialPortMap portMap;
  Application application({port, pause, boxes, events, portMap, QDir::tempPath()});
  EXPECT_EQ(application.run(), 0);
  EXPECT_EQ(question, "Polski /Polish?");
  EXPECT_TRUE(answeredBeforeShown);
  EXPECT_TRUE(english);
  EXPECT_TRUE(timerRunning);
  // The frame's size is known only once the window is on screen: allow for it.
  EXPECT_LE(offCentre.manhattanLength(), 10) << offCentre.x() << "," << offCentre.y();
}

}  // namespace
}  // namespace tadjust

#include "app/application.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "link/qt_serial_port.h"
#include "support/fake_serial_port_map.h"
#include "support/modal_box_driver.h"
#include "support/recording_pause.h"

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
  QtFileDialogs dialogs;
  Application application({port, pause, boxes, events, portMap, QDir::tempPath(), dialogs});
  EXPECT_EQ(application.run(), 0);
  EXPECT_EQ(question, "Polski /Polish?");
  EXPECT_TRUE(answeredBeforeShown);
  EXPECT_TRUE(english);
  EXPECT_TRUE(timerRunning);
  // The frame's size is known only once the window is on screen: allow for it.
  EXPECT_LE(offCentre.manhattanLength(), 10) << offCentre.x() << "," << offCentre.y();
}

// The standard buttons a box shows, by their texts without the shortcut marks, in the order
// OK, Cancel, Yes, No, Retry.
QStringList buttonTexts(QMessageBox& box) {
  QStringList texts;
  for (const auto button : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No,
                            QMessageBox::Retry})
    if (QAbstractButton* shown = box.button(button)) texts << shown->text().remove('&');
  return texts;
}

// The search's two boxes as the real program shows them after each answer to the language
// question: the plug-in prompt (OK is pressed) and the failed search (Cancel ends the program).
TEST(Application, StandardButtonsSpeakTheChosenLanguage) {
  const struct {
    QMessageBox::StandardButton language;
    QStringList plugIn;
    QStringList failure;
  } cases[] = {
      {QMessageBox::Yes, {"OK", "Anuluj"}, {"Anuluj", "Ponów"}},
      {QMessageBox::No, {"OK", "Cancel"}, {"Cancel", "Retry"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language == QMessageBox::Yes ? "Polish" : "English");
    std::vector<QStringList> shown;
    bool startPressed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      // A box may open where the one before it stood: each is marked once answered.
      if (box && !box->property("answered").toBool()) {
        box->setProperty("answered", true);
        const QMessageBox::StandardButton answer = !startPressed   ? c.language
                                                   : shown.empty() ? QMessageBox::Ok
                                                                   : QMessageBox::Cancel;
        if (startPressed) shown.push_back(buttonTexts(*box));
        QTimer::singleShot(0, box->button(answer), &QAbstractButton::click);
      } else if (Form1* form = shownMainWindow(); !box && form && !startPressed) {
        startPressed = true;
        QTimer::singleShot(0, form->BitBtn1, &QAbstractButton::click);
      }
    });
    poll.start(5);

    // No port exists and nothing is waited for: the search fails at once.
    RecordingPause pause;
    QtSerialPort port(pause);
    QtMessageBoxes boxes;
    QtWindowEvents events;
    FakeSerialPortMap portMap;
    QTemporaryDir programDirectory;
    QtFileDialogs dialogs;
    Application application(
        {port, pause, boxes, events, portMap, programDirectory.path(), dialogs});
    EXPECT_EQ(application.run(), 0);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], c.plugIn);
    EXPECT_EQ(shown[1], c.failure);
  }
}

}  // namespace
}  // namespace tadjust

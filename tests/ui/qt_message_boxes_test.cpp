#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "support/modal_box_driver.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

namespace tadjust {
namespace {

using testing::whenTheBoxOpens;

void click(QMessageBox& box, QMessageBox::StandardButton button) {
  ASSERT_NE(box.button(button), nullptr);
  box.button(button)->click();
}

TEST(QtMessageBoxes, ShowsCaptionTextWithLineBreaksAndTheButtonSet) {
  QString title, text;
  QMessageBox::StandardButtons buttons;
  whenTheBoxOpens([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    buttons = box.standardButtons();
    click(box, QMessageBox::Yes);
  });
  QtMessageBoxes boxes;
  EXPECT_EQ(boxes.ask("Caption", "First line\rsecond line", Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(title, "Caption");
  EXPECT_EQ(text, "First line\nsecond line");
  EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(QtMessageBoxes, AnswersWithTheButtonPressed) {
  const struct {
    Buttons buttons;
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton pressed;
    Answer answer;
  } cases[] = {
      {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
      {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, Answer::Ok},
      {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
       Answer::Cancel},
      {Buttons::RetryCancel, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry,
       Answer::Retry},
      {Buttons::RetryCancel, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel,
       Answer::Cancel},
      {Buttons::Ok, QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
  };
  QtMessageBoxes boxes;
  for (const auto& c : cases) {
    QMessageBox::StandardButtons shown;
    whenTheBoxOpens([&](QMessageBox& box) {
      shown = box.standardButtons();
      click(box, c.pressed);
    });
    EXPECT_EQ(boxes.ask("c", "t", c.buttons), c.answer);
    EXPECT_EQ(shown, c.shown);
  }
}

// Escape and the title bar answer with the box's No or Cancel; a box ended without any button
// is Closed. Either way the caller reads an answer that is not the one it tests for.
TEST(QtMessageBoxes, ClosingTheBoxIsNeverTheAffirmativeAnswer) {
  QtMessageBoxes boxes;
  whenTheBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(boxes.ask("c", "t", Buttons::YesNo), Answer::No);
  whenTheBoxOpens([](QMessageBox& box) { box.close(); });
  EXPECT_EQ(boxes.ask("c", "t", Buttons::RetryCancel), Answer::Cancel);
  whenTheBoxOpens([](QMessageBox& box) { box.done(0); });
  EXPECT_EQ(boxes.ask("c", "t", Buttons::YesNo), Answer::Closed);
}

// The error report is captioned with the application's title, as the program sets it.
TEST(QtMessageBoxes, ReportsAnErrorInACriticalBoxWithOk) {
  const QString testName = QApplication::applicationName();
  QApplication::setApplicationName("T-adjust");
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QString title, text;
  whenTheBoxOpens([&](QMessageBox& box) {
    icon = box.icon();
    buttons = box.standardButtons();
    title = box.windowTitle();
    text = box.text();
    click(box, QMessageBox::Ok);
  });
  QtMessageBoxes().reportError("Unable to write to /x/T-adjust.ini");
  QApplication::setApplicationName(testName);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, QMessageBox::Ok);
  EXPECT_EQ(title, "T-adjust");
  EXPECT_EQ(text, "Unable to write to /x/T-adjust.ini");
}

TEST(QtWindowEvents, ProcessesPendingMessages) {
  bool delivered = false;
  QTimer::singleShot(0, [&] { delivered = true; });
  QtWindowEvents().processPendingMessages();
  EXPECT_TRUE(delivered);
}

}  // namespace
}  // namespace tadjust

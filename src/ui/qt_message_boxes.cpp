#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/message_boxes.h"

namespace tadjust {

namespace {

QString withLineBreaks(const QString& text) {
  return QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::Ok:
      return QMessageBox::Ok;
  }
  return QMessageBox::Ok;
}

Answer answerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Retry:
      return Answer::Retry;
    default:
      return Answer::Closed;
  }
}

// A box belongs to the active window, so it is centred on it and stays above it. The main
// window is kept on top of other windows: a box without an owner (the window not active, or
// not yet shown) is kept on top as well, or it could open hidden behind the window.
void placeAboveTheWindow(QMessageBox& box) {
  if (QWidget* owner = QApplication::activeWindow()) {
    box.setParent(owner, box.windowFlags());
  } else {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
}

}  // namespace

// Closing a box by its title bar or the Escape key answers with its Cancel or No button, as
// QMessageBox does; a box that ends without any button (the application quitting) is Closed.
Answer QtMessageBoxes::ask(const QString& caption, const QString& text, Buttons buttons) {
  return askWithDetails(caption, text, buttons, {});
}

Answer QtMessageBoxes::askWithDetails(const QString& caption, const QString& text, Buttons buttons,
                                      const QString& details) {
  QMessageBox box;
  placeAboveTheWindow(box);
  box.setWindowTitle(withLineBreaks(caption));
  box.setText(withLineBreaks(text));
  box.setStandardButtons(standardButtons(buttons));
  if (!details.isEmpty()) box.setDetailedText(details);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return clicked ? answerOf(box.standardButton(clicked)) : Answer::Closed;
}

Answer QtMessageBoxes::confirm(const QString& caption, const QString& text,
                               const QString& acceptCaption) {
  QMessageBox box;
  placeAboveTheWindow(box);
  box.setWindowTitle(withLineBreaks(caption));
  box.setText(withLineBreaks(text));
  box.setIcon(QMessageBox::Question);
  QPushButton* accept = box.addButton(acceptCaption, QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == accept) return Answer::Ok;
  return box.clickedButton() != nullptr ? Answer::Cancel : Answer::Closed;
}

void QtMessageBoxes::reportError(const QString& text) {
  QMessageBox box;
  placeAboveTheWindow(box);
  box.setWindowTitle(QApplication::applicationDisplayName());
  box.setText(withLineBreaks(text));
  box.setIcon(QMessageBox::Critical);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

}  // namespace tadjust

#pragma once

// The program linked to a simulated device and read once, ready for a technician's edits on the
// real widgets: a choice in a list is QComboBox::activated, as a click in the list's popup or an
// arrow key makes it; leaving a box is the focus moving on to the next control.

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>
#include <QString>
#include <ostream>
#include <string>
#include <string_view>

#include "support/simulated_program.h"

// GoogleTest shows a QString as its text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tadjust::testing {

// The system's number format for the tests in one scope: a comma system (Polish) or a point
// system (English, United States).
class SystemLocale {
 public:
  explicit SystemLocale(bool comma) : previous_(QLocale()), comma_(comma) {
    QLocale::setDefault(comma ? QLocale(QLocale::Polish, QLocale::Poland)
                              : QLocale(QLocale::English, QLocale::UnitedStates));
  }
  ~SystemLocale() { QLocale::setDefault(previous_); }

  // A number text written with a comma, in this system's decimal separator.
  QString number(const char* withComma) const {
    QString text = QString::fromUtf8(withComma);
    return comma_ ? text : text.replace(QLatin1Char(','), QLatin1Char('.'));
  }

 private:
  QLocale previous_;
  bool comma_;
};

class EditingProgram {
 public:
  // model: a catalogue name (series 7) or a product code ("9016").
  explicit EditingProgram(std::string_view model, bool useEnglish = true)
      : program(model, useEnglish) {}

  // Start, Connect and the eleven ticks to the reply: the device is read and shown.
  void read() {
    program.findBox();
    program.connect();
  }

  // The user picks an entry of a list.
  static void choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  static void choose(QComboBox* list, const char* entry) {
    choose(list, list->findText(QString::fromUtf8(entry)));
  }

  // The user types a text into a box and moves on to the next control.
  static void type(QLineEdit* box, const QString& text) {
    box->setText(text);
    leave(box);
  }
  static void leave(QLineEdit* box) {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusOut);
  }

  Form1& form() { return program.form(); }
  EditState& edit() { return program.app.editState(); }
  ScriptedMessageBoxes& boxes() { return program.boxes; }

  SimulatedProgram program;
};

}  // namespace tadjust::testing

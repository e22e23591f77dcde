// Nothing the window shows is clipped or broken, for every model's layout in both languages, at
// the window's default size: captions and unit labels, every entry of every list, the button
// captions, the device group's texts, and each text a wrapping status line can show (no word
// broken, no line cut off, a closing "..." never on a line of its own). Measured on the widgets
// with their fonts, not by eye.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QStyleOptionComboBox>
#include <string>
#include <vector>

#include "app/exchange_texts.h"
#include "catalogue/device_catalogue.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

constexpr QSize kDefaultWindowSize{862, 491};
// What a list or box draws around its text.
constexpr int kTextMargin = 4;

std::string nameOf(const QWidget* widget) { return widget->objectName().toStdString(); }

int widthOf(const QWidget* widget, const QString& text) {
  return QFontMetrics(widget->font()).horizontalAdvance(text);
}

// The program linked to a simulated device of the model, shown at the default size.
struct ShownProgram {
  ShownProgram(const DeviceModel& model, bool english)
      : program(QString::number(exampleProductCode(model)).toStdString(), english) {
    program.findBox();
    program.connect();
    program.form().show();
    program.form().resize(kDefaultWindowSize);
    QApplication::processEvents();
  }
  SimulatedProgram program;
};

void checkOneLineTexts(Form1& form) {
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->wordWrap()) continue;
    EXPECT_LE(widthOf(label, label->text()), label->contentsRect().width())
        << nameOf(label) << " '" << label->text().toStdString() << "'";
  }
  for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    for (const QString& line : button->text().split(QLatin1Char('\n')))
      EXPECT_LE(widthOf(button, line) + 2 * kTextMargin, button->width())
          << nameOf(button) << " '" << line.toStdString() << "'";
  }
  for (const QLineEdit* box : form.GroupBox2->findChildren<QLineEdit*>()) {
    if (!box->isVisible()) continue;
    EXPECT_LE(widthOf(box, box->text()) + 2 * kTextMargin, box->width())
        << nameOf(box) << " '" << box->text().toStdString() << "'";
  }
}

// Every entry fits the field the closed list shows it in.
void checkLists(Form1& form) {
  for (QComboBox* list : form.findChildren<QComboBox*>()) {
    if (!list->isVisible()) continue;
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = true;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    for (int i = 0; i < list->count(); ++i) {
      EXPECT_LE(widthOf(list, list->itemText(i)) + kTextMargin, field.width())
          << nameOf(list) << " '" << list->itemText(i).toStdString() << "'";
    }
  }
}

// The height a wrapping label takes for a text at its present width.
int heightFor(QLabel* label, const QString& text) {
  label->setText(text);
  return label->heightForWidth(label->width());
}

// A wrapping line shows the text whole: no word wider than the line, all its lines within the
// label's height, and a closing "..." on the line of the word before it.
void checkWrapped(QLabel* label, const QString& text) {
  const std::string shown = nameOf(label) + " '" + text.toStdString() + "'";
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    EXPECT_LE(widthOf(label, word), label->contentsRect().width()) << shown;
  if (text.endsWith(QStringLiteral("..."))) {
    QString glued = text.chopped(3);
    while (glued.endsWith(QLatin1Char(' '))) glued.chop(1);
    glued += QString(QChar(0x00A0)) + QStringLiteral("...");
    EXPECT_EQ(heightFor(label, text), heightFor(label, glued))
        << shown << ": the dots stand on a line of their own";
  }
  label->setText(text);
  label->show();
  QApplication::processEvents();
  EXPECT_LE(label->heightForWidth(label->width()), label->height()) << shown;
}

std::vector<QString> statusTexts(bool english) {
  namespace t = exchange_texts;
  std::vector<QString> texts;
  for (const BilingualText& text : {t::Linking, t::ReadingData, t::WriteVerification,
                                    t::WritingData, t::WriteVerified, t::ConnectionLost})
    texts.push_back(text.in(english));
  // The longest first difference a write not verified names, with more after it.
  texts.push_back(t::WriteNotVerified.in(english).arg(
                      english ? "Failure indication: sent 3.5 [mA], read 23 [mA]"
                              : "Sygnalizacja błędu: wysłano 3,5 [mA], odczytano 23 [mA]") +
                  t::MoreDifferences.in(english).arg(12));
  texts.push_back(t::AnotherDeviceOnTheBox.in(english).arg(15004).arg(65535).arg(10013).arg(65535));
  texts.push_back(t::AnotherDeviceAnswered.in(english).arg(15004).arg(65535).arg(10013).arg(65535));
  texts.push_back(t::UnknownProductCode.in(english).arg(65535).arg("RQ-18x-RK/V"));
  return texts;
}

TEST(Clipping, NothingIsClippedForAnyModelInEitherLanguage) {
  for (const bool english : {true, false}) {
    for (const DeviceModel& model : allDeviceModels()) {
      SCOPED_TRACE(std::string(model.name) + (english ? " en" : " pl"));
      ShownProgram shown(model, english);
      Form1& form = shown.program.form();
      EXPECT_EQ(form.size(), kDefaultWindowSize);
      checkOneLineTexts(form);
      checkLists(form);
      for (const QString& text : statusTexts(english)) checkWrapped(form.Label41, text);
      // The longest correction the lower range box can be told of.
      QLineEdit* box = form.Edit2;
      box->setText(QStringLiteral("-9999999"));
      emit form.editChange(box);
      checkWrapped(form.EditNotice, form.EditNotice->text());
    }
  }
}

}  // namespace
}  // namespace tadjust

#include "edit/value_validation.h"

#include <QStringList>
#include <algorithm>

#include "edit/box_numbers.h"
#include "edit/correction_texts.h"
#include "edit/group_fields.h"
#include "ui/bilingual_text.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

using box_numbers::read;
using box_numbers::show;

// The toolkit's report of a text that its decimal conversion rejects; it has one language.
QString notAFloatingPointValue(const QString& text) {
  return QStringLiteral("'%1' is not a valid floating point value.").arg(text);
}

// Validation changed the value, not just the way it is written ("-0.5" shown as "-0,5", "1e3" as
// "1000"). Values compare exactly: a number no double holds ("1e-400", read as 0) or a decimal
// of more digits than are kept is changed by being shown otherwise.
bool valueChanged(const QString& before, const QString& after) {
  if (before == after) return false;
  const std::optional<Decimal> was = number_text::readDecimal(before);
  const std::optional<Decimal> is = number_text::readDecimal(after);
  return !was || !is || *was != *is;
}

}  // namespace

ValueValidation::ValueValidation(Form1& form, EditState& state, const SettingsViewState& view,
                                 MessageBoxes& boxes)
    : form_(form), state_(state), view_(view), boxes_(boxes) {}

EditedModel ValueValidation::model() const { return editedModel(view_.model); }

TemperatureRange ValueValidation::temperatureRange(const EditedModel& model) const {
  return {view_.model.series, state_.EditSensorType, model.probe, model.seriesSensor};
}

int ValueValidation::humidityUnit() const { return form_.ComboBox1->currentIndex(); }

std::vector<ValidatedBox> ValueValidation::handlers() const {
  return validatedBoxes(form_, view_.model.layout);
}

void ValueValidation::editChange(QLineEdit* edit) {
  const BoxTexts before = boxTexts();
  for (const auto& [box, handler] : handlers())
    if (box == edit) (this->*handler)();
  say(corrections(before));
}

ValueValidation::BoxTexts ValueValidation::boxTexts() const {
  BoxTexts texts;
  for (const ValidatedBox& box : handlers()) texts.push_back(box.box->text());
  return texts;
}

QStringList ValueValidation::corrections(const BoxTexts& before) const {
  QStringList said;
  const std::vector<ValidatedBox> boxes = handlers();
  for (std::size_t i = 0; i < boxes.size() && i < before.size(); ++i) {
    const QLineEdit* box = boxes[i].box;
    if (!valueChanged(before[i], box->text())) continue;
    said << correctionText(form_, view_.model.layout, box, before[i], box->text());
  }
  return said;
}

void ValueValidation::say(const QStringList& corrections) {
  if (corrections.isEmpty()) return;
  form_.EditNotice->setText(corrections.join(QLatin1Char('\n')));
  form_.EditNotice->setToolTip({});
}

std::optional<QString> ValueValidation::bringTagToField() {
  QLineEdit* box = form_.Edit5;
  const QString before = box->text();
  const TextField& field = particularsOf(view_.model.layout).tag;
  const QString stored = QString::fromStdString(field.stored(before.toStdString()));
  if (stored == before) return std::nullopt;
  // The cursor stays after what was typed: a character made "?" may have been two code units.
  const qsizetype cursor =
      QString::fromStdString(field.stored(before.left(box->cursorPosition()).toStdString())).size();
  box->setText(stored);
  box->setCursorPosition(static_cast<int>(std::min(cursor, stored.size())));
  return correctionText(form_, view_.model.layout, box, before, stored);
}

void ValueValidation::tagEdited() {
  if (const std::optional<QString> said = bringTagToField()) say({*said});
}

void ValueValidation::Edit1Change() {
  const EditedModel m = model();
  switch (m.family) {
    case EditedFamily::Temperature: {
      const RangeResult result = checkLowerRange(temperatureRange(m), read(form_.Edit1));
      show(form_.Edit1, result.shown);
      state_.EditRangeLow = result.stored;
      Edit2Change();
      break;
    }
    case EditedFamily::Indicator: {
      const RangeResult result = checkDisplayLow(read(form_.Edit1));
      show(form_.Edit1, result.shown);
      state_.EditRangeLow = result.stored;
      Edit3Change();
      Edit4Change();
      break;
    }
    case EditedFamily::Humidity:
      checkHumidityBox(HumidityBox::Edit1);
      break;
  }
}

void ValueValidation::Edit2Change() {
  const EditedModel m = model();
  switch (m.family) {
    case EditedFamily::Temperature: {
      const RangeResult result =
          checkUpperRange(temperatureRange(m), read(form_.Edit2), state_.EditRangeLow);
      show(form_.Edit2, result.shown);
      state_.EditRangeHigh = result.stored;
      break;
    }
    case EditedFamily::Indicator: {
      const RangeResult result = checkDisplayHigh(read(form_.Edit2));
      show(form_.Edit2, result.shown);
      state_.EditRangeHigh = result.stored;
      Edit3Change();
      Edit4Change();
      break;
    }
    case EditedFamily::Humidity:
      checkHumidityBox(HumidityBox::Edit2);
      break;
  }
}

void ValueValidation::Edit3Change() {
  switch (model().family) {
    case EditedFamily::Temperature:
      // The box holds the wire resistance (in ohms on every model) for a 2-wire connection and
      // the cold-junction temperature otherwise.
      show(form_.Edit3, checkWireOrColdJunction(showsTwoWire(form_.ComboBox2), read(form_.Edit3)));
      break;
    case EditedFamily::Indicator:
      show(form_.Edit3, checkAlarmLow(read(form_.Edit3), read(form_.Edit4), state_.EditRangeLow,
                                      state_.EditRangeHigh));
      break;
    case EditedFamily::Humidity:
      checkHumidityBox(HumidityBox::Edit3);
      break;
  }
}

void ValueValidation::Edit4Change() {
  switch (model().family) {
    case EditedFamily::Temperature:
      show(form_.Edit4, checkTempOffset(read(form_.Edit4)));
      break;
    case EditedFamily::Indicator:
      show(form_.Edit4, checkAlarmHigh(read(form_.Edit4), read(form_.Edit3), state_.EditRangeLow,
                                       state_.EditRangeHigh));
      break;
    case EditedFamily::Humidity:
      checkHumidityBox(HumidityBox::Edit4);
      break;
  }
}

void ValueValidation::Edit19Change() { checkHumidityBox(HumidityBox::Edit19); }
void ValueValidation::Edit20Change() { checkHumidityBox(HumidityBox::Edit20); }
void ValueValidation::Edit21Change() { checkHumidityBox(HumidityBox::Edit21); }
void ValueValidation::Edit22Change() { checkHumidityBox(HumidityBox::Edit22); }

QLineEdit* ValueValidation::boxOf(HumidityBox box) const {
  return tadjust::boxOf(form_, Layout::Humidity, humidityFieldOf(box));
}

// A partner that holds no number stops the check before either box changes: the partner has no
// fallback, and its text is reported as the toolkit reports a failed conversion.
void ValueValidation::checkHumidityBox(HumidityBox box) {
  const EditedModel m = model();
  if (m.family != EditedFamily::Humidity || !m.humidity) return;
  const std::optional<HumidityLimits> limits = humidityLimits(box, *m.humidity, humidityUnit());
  if (!limits) return;

  QLineEdit* own = boxOf(box);
  QLineEdit* partner = boxOf(partnerOf(box));
  const Typed partnerValue = read(partner);
  if (!partnerValue) {
    boxes_.reportError(notAFloatingPointValue(partner->text()));
    return;
  }
  const PairResult result = checkHumidityPair(box, *limits, read(own), *partnerValue);
  show(own, result.value);
  show(partner, result.partner);
}

ValueValidation::ShownBoxes ValueValidation::validateShownBoxes() {
  const BoxTexts before = boxTexts();
  const std::vector<ValidatedBox> inOrder = handlers();
  for (const auto& [box, handler] : inOrder)
    if (!box->isHidden()) (this->*handler)();
  ShownBoxes result;
  result.corrections = corrections(before);
  if (!form_.Edit5->isHidden())
    if (const std::optional<QString> tag = bringTagToField()) result.corrections << *tag;
  say(result.corrections);

  for (const auto& [box, handler] : inOrder)
    if (!box->isHidden() && !read(box)) result.allNumbers = false;
  return result;
}

}  // namespace tadjust

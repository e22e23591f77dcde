#include "edit/limit_tips.h"

#include <algorithm>
#include <optional>

#include "edit/edited_model.h"
#include "edit/group_fields.h"
#include "edit/validation_limits.h"
#include "edit/value_checks.h"
#include "numbers/number_text.h"
#include "ui/bilingual_text.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

constexpr BilingualText kAllowed{"Allowed: %1 to %2 %3", "Dozwolone: od %1 do %2 %3"};
constexpr BilingualText kDistanceFrom{"At least %1 from %2.", "Co najmniej %1 od: %2."};
constexpr BilingualText kNotAbove{"Not above %1.", "Nie więcej niż: %1."};
constexpr BilingualText kNotBelow{"Not below %1.", "Nie mniej niż: %1."};

// The unit a row's label shows, without its brackets; none when the label is hidden.
QString unitOf(const QLabel* unit) {
  if (unit == nullptr || unit->isHidden()) return {};
  QString text = unit->text();
  if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
    text = text.mid(1, text.size() - 2);
  return text;
}

QString number(double value) { return number_text::general(value); }

QString amount(double value, const QString& unit) {
  return unit.isEmpty() ? number(value) : number(value) + QLatin1Char(' ') + unit;
}

class Tips {
 public:
  explicit Tips(Form1& form) : f_(form), en_(form.UseEnglish) {}

  void allowed(QLineEdit* box, double minimum, double maximum, const QLabel* unitLabel,
               const QString& secondLine = {}) {
    QString tip = kAllowed.in(en_).arg(number(minimum), number(maximum), unitOf(unitLabel));
    tip = tip.trimmed();
    if (!secondLine.isEmpty()) tip += QLatin1Char('\n') + secondLine;
    box->setToolTip(tip);
  }
  void allowed(QLineEdit* box, const Limits& limits, const QLabel* unitLabel) {
    allowed(box, limits.minimum, limits.maximum, unitLabel);
  }

  QString distance(double span, const QLabel* unitLabel, const QWidget* partner) const {
    return kDistanceFrom.in(en_).arg(amount(span, unitOf(unitLabel)), rowCaption(f_, partner));
  }
  QString inOrderWith(const BilingualText& text, const QWidget* partner) const {
    return text.in(en_).arg(rowCaption(f_, partner));
  }

 private:
  Form1& f_;
  bool en_;
};

using F = SettingsField;

void temperatureTips(Form1& f, const EditState& edit, const EditedModel& model, unsigned series) {
  Tips tips(f);
  const auto box = [&f](SettingsField field) { return boxOf(f, Layout::Transmitter, field); };
  const auto unit = [&f](SettingsField field) {
    return unitLabelOf(f, Layout::Transmitter, field);
  };
  const TemperatureRange range{series, edit.EditSensorType, model.probe, model.seriesSensor};
  if (const std::optional<BoxLimits> lower = lowerRangeLimitsShown(range)) {
    tips.allowed(box(F::RangeLow), lower->minimum, lower->maximum, unit(F::RangeLow));
  } else {
    box(F::RangeLow)->setToolTip({});
  }
  if (const std::optional<BoxLimits> upper = upperRangeLimitsShown(range)) {
    tips.allowed(box(F::RangeHigh), upper->minimum, upper->maximum, unit(F::RangeHigh),
                 tips.distance(upper->span, unit(F::RangeHigh), box(F::RangeLow)));
  } else {
    box(F::RangeHigh)->setToolTip({});
  }
  // One box holds the lead resistance or the cold-junction temperature, as the connection says.
  const bool twoWire =
      showsTwoWire(static_cast<QComboBox*>(controlOf(f, Layout::Transmitter, F::Connection)));
  const SettingsField shared = twoWire ? F::WireResistance : F::ColdJunctionTemperature;
  tips.allowed(box(shared), twoWire ? kWireResistanceLimits : kColdJunctionTempLimits,
               unit(shared));
  tips.allowed(box(F::TemperatureOffset), kTempOffsetLimits, unit(F::TemperatureOffset));
}

void indicatorTips(Form1& f, const EditState& edit) {
  Tips tips(f);
  const auto box = [&f](SettingsField field) { return boxOf(f, Layout::Indicator, field); };
  tips.allowed(box(F::DisplayLow), kIndicatorLowLimits, nullptr);
  tips.allowed(box(F::DisplayHigh), kIndicatorHighLimits, nullptr);
  // The alarm levels lie within the display range, which may be reversed.
  const double low = std::min(edit.EditRangeLow, edit.EditRangeHigh);
  const double high = std::max(edit.EditRangeLow, edit.EditRangeHigh);
  tips.allowed(box(F::AlarmLow), low, high, nullptr,
               tips.inOrderWith(kNotAbove, box(F::AlarmHigh)));
  tips.allowed(box(F::AlarmHigh), low, high, nullptr,
               tips.inOrderWith(kNotBelow, box(F::AlarmLow)));
}

constexpr HumidityBox kHumidityBoxes[] = {
    HumidityBox::Edit1, HumidityBox::Edit2,  HumidityBox::Edit19, HumidityBox::Edit3,
    HumidityBox::Edit4, HumidityBox::Edit20, HumidityBox::Edit21, HumidityBox::Edit22,
};

void humidityTips(Form1& f, HumidityModel model) {
  Tips tips(f);
  const int unitChoice =
      static_cast<QComboBox*>(controlOf(f, Layout::Humidity, F::HumidityUnit))->currentIndex();
  for (const HumidityBox check : kHumidityBoxes) {
    const SettingsField field = humidityFieldOf(check);
    QLineEdit* box = boxOf(f, Layout::Humidity, field);
    const std::optional<HumidityLimits> limits = humidityLimits(check, model, unitChoice);
    if (!limits) {
      box->setToolTip({});
      continue;
    }
    const QLabel* unit = unitLabelOf(f, Layout::Humidity, field);
    const QWidget* partner = boxOf(f, Layout::Humidity, humidityFieldOf(partnerOf(check)));
    tips.allowed(box, limits->minimum, limits->maximum, unit,
                 tips.distance(limits->span, unit, partner));
  }
}

}  // namespace

void showLimitTips(Form1& form, const EditState& edit, const SettingsViewState& view) {
  const EditedModel model = editedModel(view.model);
  switch (model.family) {
    case EditedFamily::Temperature:
      temperatureTips(form, edit, model, view.model.series);
      break;
    case EditedFamily::Indicator:
      indicatorTips(form, edit);
      break;
    case EditedFamily::Humidity:
      if (model.humidity) humidityTips(form, *model.humidity);
      break;
  }
}

}  // namespace tadjust

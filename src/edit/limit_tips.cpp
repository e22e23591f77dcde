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

bool showsTwoWire(const QComboBox* connection) {
  const BilingualText& twoWire = window_texts::Connections[0];
  const QString shown = connection->currentText();
  return shown == twoWire.in(true) || shown == twoWire.in(false);
}

void temperatureTips(Form1& f, const EditState& edit, const EditedModel& model, unsigned series) {
  Tips tips(f);
  const TemperatureRange range{series, edit.EditSensorType, model.probe, model.seriesSensor};
  if (const std::optional<BoxLimits> lower = lowerRangeLimitsShown(range)) {
    tips.allowed(f.Edit1, lower->minimum, lower->maximum, f.Label6);
  } else {
    f.Edit1->setToolTip({});
  }
  if (const std::optional<BoxLimits> upper = upperRangeLimitsShown(range)) {
    tips.allowed(f.Edit2, upper->minimum, upper->maximum, f.Label7,
                 tips.distance(upper->span, f.Label7, f.Edit1));
  } else {
    f.Edit2->setToolTip({});
  }
  tips.allowed(f.Edit3, showsTwoWire(f.ComboBox2) ? kWireResistanceLimits : kColdJunctionTempLimits,
               f.Label8);
  tips.allowed(f.Edit4, kTempOffsetLimits, f.Label10);
}

void indicatorTips(Form1& f, const EditState& edit) {
  Tips tips(f);
  tips.allowed(f.Edit1, kIndicatorLowLimits, nullptr);
  tips.allowed(f.Edit2, kIndicatorHighLimits, nullptr);
  // The alarm levels lie within the display range, which may be reversed.
  const double low = std::min(edit.EditRangeLow, edit.EditRangeHigh);
  const double high = std::max(edit.EditRangeLow, edit.EditRangeHigh);
  tips.allowed(f.Edit3, low, high, nullptr, tips.inOrderWith(kNotAbove, f.Edit4));
  tips.allowed(f.Edit4, low, high, nullptr, tips.inOrderWith(kNotBelow, f.Edit3));
}

struct HumidityRow {
  HumidityBox box;
  QLineEdit* edit;
  const QLabel* unit;
};

void humidityTips(Form1& f, HumidityModel model) {
  Tips tips(f);
  const HumidityRow rows[] = {
      {HumidityBox::Edit1, f.Edit1, f.Label6},    {HumidityBox::Edit2, f.Edit2, f.Label7},
      {HumidityBox::Edit19, f.Edit19, f.Label43}, {HumidityBox::Edit3, f.Edit3, f.Label8},
      {HumidityBox::Edit4, f.Edit4, f.Label10},   {HumidityBox::Edit20, f.Edit20, f.Label12},
      {HumidityBox::Edit21, f.Edit21, f.Label14}, {HumidityBox::Edit22, f.Edit22, f.Label16},
  };
  const auto editOf = [&](HumidityBox box) {
    for (const HumidityRow& row : rows)
      if (row.box == box) return row.edit;
    return f.Edit1;
  };
  for (const HumidityRow& row : rows) {
    const std::optional<HumidityLimits> limits =
        humidityLimits(row.box, model, f.ComboBox1->currentIndex());
    if (!limits) {
      row.edit->setToolTip({});
      continue;
    }
    tips.allowed(row.edit, limits->minimum, limits->maximum, row.unit,
                 tips.distance(limits->span, row.unit, editOf(partnerOf(row.box))));
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

#pragma once

// The rows of a settings group as the window shows them, as texts: for the device record and
// for anything else that reports what a group shows.

#include <QString>
#include <array>
#include <cstddef>
#include <vector>

#include "ui/form1.h"

namespace tadjust {

struct ShownRow {
  int row = 0;      // the row's place in its group, from 0 at the top
  QString caption;  // without its closing colon ("Serial number")
  QString value;
  QString unit;  // "[°C]"; a check box in the unit's place reads "[on]" or "[off]"
};

// A check box's state as a row shows it: "[on]"/"[off]" ("[wł.]"/"[wył.]").
QString checkBoxText(bool checked, bool useEnglish);

// The shown text of a control in a row: an edit box's or label's text, a list's entry, a check
// box's state ("[on]"/"[off]", "[wł.]"/"[wył.]").
QString shownText(const QWidget* control, bool useEnglish);

// The rows whose caption is shown, top to bottom, each with the value and unit shown in it
// (the input or its alternate, the unit or its alternate, whichever is shown).
template <std::size_t Count>
std::vector<ShownRow> shownRows(const std::array<FormRow, Count>& rows, bool useEnglish) {
  const auto shown = [](const QWidget* control) { return control && !control->isHidden(); };
  const auto firstShown = [&](QWidget* a, QWidget* b) -> QWidget* {
    return shown(a) ? a : shown(b) ? b : nullptr;
  };
  std::vector<ShownRow> result;
  for (std::size_t i = 0; i < Count; ++i) {
    const FormRow& row = rows[i];
    if (!shown(row.caption)) continue;
    QString caption = row.caption->text();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    result.push_back({static_cast<int>(i), caption,
                      shownText(firstShown(row.input, row.alternateInput), useEnglish),
                      shownText(firstShown(row.unit, row.alternateUnit), useEnglish)});
  }
  return result;
}

}  // namespace tadjust

#include "ui/shown_rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/bilingual_text.h"

namespace tadjust {

namespace {

constexpr BilingualText kCheckedText{"[on]", "[wł.]"};
constexpr BilingualText kUncheckedText{"[off]", "[wył.]"};

}  // namespace

QString checkBoxText(bool checked, bool useEnglish) {
  return (checked ? kCheckedText : kUncheckedText).in(useEnglish);
}

QString shownText(const QWidget* control, bool useEnglish) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
  if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
    return checkBoxText(check->isChecked(), useEnglish);
  }
  return {};
}

}  // namespace tadjust

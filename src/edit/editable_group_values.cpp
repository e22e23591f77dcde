#include "edit/editable_group_values.h"

#include "numbers/number_text.h"

namespace tadjust {

namespace {

std::optional<Decimal> numberIn(const QLineEdit* box) {
  return number_text::readDecimal(box->text());
}

}  // namespace

EditableGroupValues readEditableGroup(const Form1& form, const LaidOutModel& model) {
  EditableGroupValues values;
  values.model = model;
  values.Edit1 = numberIn(form.Edit1);
  values.Edit2 = numberIn(form.Edit2);
  values.Edit3 = numberIn(form.Edit3);
  values.Edit4 = numberIn(form.Edit4);
  values.Edit19 = numberIn(form.Edit19);
  values.Edit20 = numberIn(form.Edit20);
  values.Edit21 = numberIn(form.Edit21);
  values.Edit22 = numberIn(form.Edit22);
  values.ComboBox1 = form.ComboBox1->currentIndex();
  values.ComboBox2 = form.ComboBox2->currentIndex();
  values.ComboBox3 = form.ComboBox3->currentIndex();
  values.ComboBox4 = form.ComboBox4->currentIndex();
  values.ComboBox5 = form.ComboBox5->currentIndex();
  values.ComboBox2Shown = !form.ComboBox2->isHidden();
  values.CheckBox3 = form.CheckBox3->isChecked();
  values.CheckBox4 = form.CheckBox4->isChecked();
  values.Tag = form.Edit5->text().toStdString();
  return values;
}

QWidget* editControl(const Form1& form, EditControl control) {
  switch (control) {
    case EditControl::Edit1:
      return form.Edit1;
    case EditControl::Edit2:
      return form.Edit2;
    case EditControl::Edit3:
      return form.Edit3;
    case EditControl::Edit4:
      return form.Edit4;
    case EditControl::Edit19:
      return form.Edit19;
    case EditControl::Edit20:
      return form.Edit20;
    case EditControl::Edit21:
      return form.Edit21;
    case EditControl::Edit22:
      return form.Edit22;
    case EditControl::ComboBox1:
      return form.ComboBox1;
    case EditControl::ComboBox2:
      return form.ComboBox2;
    case EditControl::ComboBox3:
      return form.ComboBox3;
    case EditControl::kNone:
      break;
  }
  return nullptr;
}

QString rowCaption(const Form1& form, const QWidget* control) {
  for (const FormRow& row : form.editableRows()) {
    if (control == nullptr || (row.input != control && row.alternateInput != control)) continue;
    QString caption = row.caption->text().trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return caption.trimmed();
  }
  return {};
}

}  // namespace tadjust

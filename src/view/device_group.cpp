#include "view/device_group.h"

#include <array>

#include "image/device_settings.h"
#include "ui/box_text.h"
#include "ui/controls.h"

namespace tadjust {

namespace {

void hideEditableRows(Form1& f) {
  setRowsShown(f.editableRows(), false);
  setShown({f.Label44, f.GroupBox3}, false);
}

void showIndicatorRows(Form1& f) {
  setShown({f.Label2, f.Edit1, f.Label4, f.Edit2, f.Label3, f.ComboBox2, f.Label5, f.Edit3,
            f.CheckBox3, f.Label9, f.Edit4, f.CheckBox4, f.Label17, f.Edit5},
           true);
}

void showHumidityRows(Form1& f, const HumiditySettings& settings, const ModelTraits& model) {
  setShown(
      {f.Label1, f.ComboBox1, f.Label2, f.Label4, f.Label3, f.Label5, f.Label17, f.Label6, f.Label7,
       f.Label43, f.Label8, f.Edit1, f.Edit2, f.Edit19, f.Edit3, f.Edit5, f.GroupBox3},
      true);
  if (model.humidityOutputRows) {
    setShown({f.Label9, f.Label11, f.Label13, f.Label15, f.Label10, f.Label12, f.Label14, f.Label16,
              f.Edit4, f.Edit20, f.Edit21, f.Edit22},
             true);
  }
  // The monitoring group shows its readings in the device's unit; a reading is shown only under
  // the unit it was measured in.
  const char* unit = settings.unit == 1 ? "[°Cdp]" : "[%RH]";
  if (f.Label46->text() != QString::fromUtf8(unit)) {
    f.Edit23->clear();
    f.Edit24->clear();
  }
  setUnit({f.Label46}, unit);
}

void showTransmitterRows(Form1& f) {
  setShown({f.Label1,    f.Label2,  f.Label3,  f.Label4,    f.Label5,    f.Label6,    f.Label7,
            f.Label8,    f.Label9,  f.Label10, f.Label11,   f.Label12,   f.Label13,   f.Label14,
            f.Label15,   f.Label16, f.Label17, f.ComboBox1, f.ComboBox2, f.ComboBox3, f.ComboBox4,
            f.ComboBox5, f.Edit1,   f.Edit2,   f.Edit3,     f.Edit4,     f.Edit5},
           true);
}

// The fixed-sensor probes have one sensor: no sensor choice, no connection, no lead resistance.
void lockFixedSensor(Form1& f, WindowEvents& events) {
  setShown({f.Label3, f.Label5, f.Label8, f.Edit3}, false);
  f.ComboBox1->setEnabled(false);
  f.ComboBox1->setCurrentIndex(0);
  f.ComboBox2->hide();
  events.processPendingMessages();
}

}  // namespace

void fillDeviceGroup(Form1& form, const std::vector<DeviceGroupRow>& rows) {
  const std::array<FormRow, kDeviceGroupRows> formRows = form.deviceRows();
  std::array<const DeviceGroupRow*, kDeviceGroupRows> shown{};
  for (const DeviceGroupRow& row : rows) shown[static_cast<std::size_t>(row.row)] = &row;
  for (std::size_t i = 0; i < formRows.size(); ++i) {
    const FormRow& controls = formRows[i];
    const DeviceGroupRow* row = shown[i];
    if (row == nullptr) {
      for (QWidget* control : controls.controls()) control->hide();
      continue;
    }
    controls.caption->setText(row->text.caption + QLatin1Char(':'));
    setBoxText(static_cast<QLineEdit*>(controls.input), row->text.value);
    controls.caption->show();
    controls.input->show();
    // The unit's place holds the unit label, the label that takes its place, or a check box.
    auto* check = qobject_cast<QCheckBox*>(controls.alternateUnit);
    QLabel* unit = controls.unit ? controls.unit : qobject_cast<QLabel*>(controls.alternateUnit);
    if (row->checked && check) {
      check->setChecked(*row->checked);
      check->show();
      if (controls.unit) controls.unit->hide();
    } else if (!row->text.unit.isEmpty() && unit) {
      unit->setText(row->text.unit);
      unit->show();
      if (check) check->hide();
    } else {
      setShown({controls.unit, controls.alternateUnit}, false);
    }
  }
}

void showDeviceSettings(Form1& form, const SettingsImages& images, const LaidOutModel& model,
                        DecoderState& decoder, WindowEvents& events) {
  hideEditableRows(form);
  const DeviceRead read = deviceReadOf(images, model);
  if (const auto* s = std::get_if<TransmitterSettings>(&read.settings)) {
    showTransmitterRows(form);
    if (s->sensorType) decoder.DeviceSensorType = *s->sensorType;
  } else if (const auto* s = std::get_if<HumiditySettings>(&read.settings)) {
    showHumidityRows(form, *s, model.model);
  } else {
    showIndicatorRows(form);
  }
  fillDeviceGroup(form, deviceGroupRows(read, model, SettingsWording::window(form.UseEnglish)));
  if (model.model.probe) lockFixedSensor(form, events);
}

}  // namespace tadjust

#include "view/settings_view.h"

#include <QStringList>
#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "ui/bilingual_text.h"
#include "ui/box_text.h"
#include "ui/control_widths.h"
#include "ui/controls.h"
#include "ui/window_texts.h"
#include "view/row_captions.h"

namespace tadjust {

namespace {

// A transmitter's connection text (Edit11), narrower than at start; the other widths a layout
// sets are the window's own (ui/control_widths.h).
constexpr int kTransmitterConnectionTextWidth = 129;
constexpr int kPrecisionDropDownCount = 4;
// ComboBox2's drop-down count at start-up: the toolkit's default, which the window keeps.
constexpr int kStartDropDownCount = 10;

void setText(QLabel* label, const BilingualText& text, bool useEnglish) {
  label->setText(text.in(useEnglish));
}

void setTexts(std::initializer_list<QLabel*> labels, const BilingualText& text, bool useEnglish) {
  for (QLabel* label : labels) setText(label, text, useEnglish);
}

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void setWidth(QWidget* widget, int width) { widget->setFixedWidth(width); }

void fillList(QComboBox* list, const QStringList& entries, int selected) {
  list->clear();
  list->addItems(entries);
  list->setCurrentIndex(selected);
}

QStringList texts(std::initializer_list<BilingualText> entries, bool useEnglish) {
  QStringList list;
  for (const BilingualText& entry : entries) list << entry.in(useEnglish);
  return list;
}

QStringList plainTexts(std::initializer_list<const char*> entries) {
  QStringList list;
  for (const char* entry : entries) list << QString::fromUtf8(entry);
  return list;
}

// The first count entries of the connection list ("2-wire", "3-wire", "4-wire").
QStringList connectionTexts(std::size_t count, bool useEnglish) {
  QStringList list;
  for (std::size_t i = 0; i < count; ++i) list << window_texts::Connections[i].in(useEnglish);
  return list;
}

// Output direction and failure level lists; the current-output ones are the window's start lists.
template <std::size_t N>
QStringList listed(const std::array<const char*, N>& entries) {
  QStringList list;
  for (const char* entry : entries) list << QString::fromUtf8(entry);
  return list;
}
QStringList currentDirections() { return listed(window_texts::CurrentDirections); }
QStringList voltageDirections() { return listed(window_texts::VoltageDirections); }
QStringList currentFailureLevels() { return listed(window_texts::CurrentFailureLevels); }
QStringList voltageFailureLevels() { return listed(window_texts::VoltageFailureLevels); }

void restoreStartUnits(Form1& f) {
  setUnit({f.Label6, f.Label7, f.Label10, f.Label30, f.Label31, f.Label33, f.Label47}, "[°C]");
  setUnit({f.Label8, f.Label32}, "[Ohm]");
  setUnit({f.Label12, f.Label34}, "[s]");
  setUnit({f.Label14, f.Label16, f.Label35, f.Label36}, "[mA]");
  setUnit({f.Label46}, "[%RH]");
  setUnit({f.Label43}, "Label43");
  setUnit({f.Label44}, "Label44");
}

// Every row with its caption, input and unit, none of the controls that take their places. The
// caption names the input (a screen reader reads a caption as the name of its buddy).
template <std::size_t Count>
void restoreStartRows(const std::array<FormRow, Count>& rows) {
  for (const FormRow& row : rows) {
    setShown({row.caption, row.input, row.unit}, true);
    setShown({row.alternateInput, row.alternateUnit}, false);
    row.caption->setBuddy(row.input);
  }
}

// The layouts that show the edit boxes in place of the lists name them by the rows' captions.
void captionTheAlternateInputs(Form1& f) {
  for (const FormRow& row : f.editableRows())
    if (row.alternateInput) row.caption->setBuddy(row.alternateInput);
}

// The columns of the visibility table: the transmitters, the indicator, and the humidity
// models without a unit choice (935-JYRA), with a unit choice and outputs (ARR/A, ARR/V), and
// with a unit choice but no output (ARR-43).
enum Column {
  kTransmitterColumn,
  kIndicatorColumn,
  kFixedUnitHumidityColumn,
  kHumidityColumn,
  kNoOutputHumidityColumn
};

Column humidityColumn(const DeviceModel& model) {
  if (model.unitChoice == UnitChoice::None) return kFixedUnitHumidityColumn;
  if (model.output == OutputKind::None) return kNoOutputHumidityColumn;
  return kHumidityColumn;
}

// One row of the visibility table: per column 'S' shows the controls, 'H' hides them, '-'
// leaves them as they are.
struct VisibilityRow {
  std::vector<QWidget*> controls;
  std::string_view perColumn;
};

std::vector<VisibilityRow> visibilityTable(Form1& f) {
  //       controls                                                 C/V Ind JYRA ARR ARR-43
  return {
      {{f.Label1, f.ComboBox1}, "SHHSS"},
      {{f.Label2, f.Edit1, f.Label4, f.Edit2}, "--SSS"},
      {{f.Label6, f.Label7}, "SHSSS"},
      {{f.Label3}, "SSSSS"},
      {{f.ComboBox2}, "SSHHH"},
      {{f.Edit19, f.Label43}, "--SSS"},
      {{f.Label5, f.Edit3}, "S-SSS"},
      {{f.Label8}, "SHSSS"},
      {{f.CheckBox3, f.CheckBox4}, "HSHHH"},
      {{f.Label9, f.Edit4}, "--SSH"},
      {{f.Label10}, "SHSSH"},
      {{f.Label11, f.Label12}, "SHSSH"},
      {{f.ComboBox3}, "SHHHH"},
      {{f.Edit20}, "--SSH"},
      {{f.Label13, f.Label14, f.Label15, f.Label16}, "SHSSH"},
      {{f.ComboBox4, f.ComboBox5}, "SHHHH"},
      {{f.Edit21, f.Edit22}, "--SSH"},
      {{f.Edit5}, "--SSS"},
      {{f.Label39}, "SSSSS"},
      {{f.Label20, f.Edit8}, "SHHSS"},
      {{f.Label21, f.Edit9, f.Label22, f.Edit10}, "--SSS"},
      {{f.Label30, f.Label31}, "-HSSS"},
      {{f.Label23, f.Edit11}, "SSSSS"},
      {{f.Label44}, "--SSS"},
      {{f.Label24, f.Edit12}, "-SSSS"},
      {{f.Label32}, "SHSSS"},
      {{f.CheckBox1, f.CheckBox2}, "HSHHH"},
      {{f.Label25, f.Edit13}, "-SSSH"},
      {{f.Label33}, "SHSSH"},
      {{f.Label26, f.Edit14, f.Label34, f.Label27, f.Edit15, f.Label35, f.Label28, f.Edit16,
        f.Label36},
       "SHSSH"},
      {{f.Label29, f.Edit17}, "--SSS"},
      {{f.GroupBox3}, "--SSS"},
  };
}

void applyVisibility(Form1& f, Column column) {
  for (const VisibilityRow& row : visibilityTable(f)) {
    const char mark = row.perColumn[column];
    if (mark == '-') continue;
    for (QWidget* control : row.controls) control->setVisible(mark == 'S');
  }
}

void layOutTransmitter(Form1& f, const DeviceModel& model) {
  const bool en = f.UseEnglish;
  const bool voltageOutput = model.family == ModelFamily::VoltageOutput;
  const bool fixedSensor = model.probe.has_value();
  applyVisibility(f, kTransmitterColumn);
  setUnit({f.Label14, f.Label16, f.Label35, f.Label36}, voltageOutput ? "[V]" : "[mA]");

  f.ComboBox1->setEnabled(!fixedSensor);
  fillList(f.ComboBox4, voltageOutput ? voltageDirections() : currentDirections(), 0);
  fillList(f.ComboBox5, voltageOutput ? voltageFailureLevels() : currentFailureLevels(), 0);
  f.setCurrentModel(model.name);
  if (fixedSensor) {
    setBoxText(f.Edit1, fromView(model.defaultLow));
    setBoxText(f.Edit2, fromView(model.defaultHigh));
  }
  fillList(f.ComboBox2,
           connectionTexts(model.twoWireOnly ? 1 : window_texts::Connections.size(), en), 0);
  setWidth(f.ComboBox2, kWideListWidth);
  setWidth(f.Edit11, kTransmitterConnectionTextWidth);
}

void layOutIndicator(Form1& f, const DeviceModel& model) {
  const bool en = f.UseEnglish;
  applyVisibility(f, kIndicatorColumn);
  setTexts({f.Label3, f.Label23}, row_captions::Precision, en);
  setTexts({f.Label5, f.Label24}, row_captions::AlarmLow, en);
  setTexts({f.Label9, f.Label25}, row_captions::AlarmHigh, en);

  fillList(f.ComboBox2, plainTexts({"0", "1", "2", "3"}), 0);
  f.ComboBox2->setMaxVisibleItems(kPrecisionDropDownCount);
  setWidth(f.ComboBox2, kEditWidth);
  setWidth(f.Edit11, kEditWidth);
  f.setCurrentModel(model.name);
}

void setOutputCaptions(Form1& f, OutputKind output) {
  const bool en = f.UseEnglish;
  if (output == OutputKind::Voltage) {
    setTexts({f.Label9, f.Label25}, row_captions::LowerVoltageT, en);
    setTexts({f.Label11, f.Label26}, row_captions::UpperVoltageT, en);
    setTexts({f.Label13, f.Label27}, row_captions::LowerVoltageH, en);
    setTexts({f.Label15, f.Label28}, row_captions::UpperVoltageH, en);
    setUnit(
        {f.Label10, f.Label12, f.Label33, f.Label34, f.Label14, f.Label16, f.Label35, f.Label36},
        "[mV]");
  } else if (output == OutputKind::Current) {
    setTexts({f.Label9, f.Label25}, row_captions::LowerCurrentT, en);
    setTexts({f.Label11, f.Label26}, row_captions::UpperCurrentT, en);
    setTexts({f.Label13, f.Label27}, row_captions::LowerCurrentH, en);
    setTexts({f.Label15, f.Label28}, row_captions::UpperCurrentH, en);
    setUnit(
        {f.Label10, f.Label12, f.Label33, f.Label34, f.Label14, f.Label16, f.Label35, f.Label36},
        "[uA]");
  }
}

void setUnitChoiceCaptions(Form1& f, UnitChoice choice) {
  const bool en = f.UseEnglish;
  if (choice == UnitChoice::PhysicalUnits) {
    setTexts({f.Label1, f.Label20}, row_captions::PhysicalUnits, en);
  } else if (choice == UnitChoice::HumidityUnit) {
    setText(f.Label1, row_captions::HumidityUnitChoice, en);
    setText(f.Label20, row_captions::HumidityUnitShown, en);
  }
}

void layOutHumidity(Form1& f, const DeviceModel& model, bool dewPoint) {
  const bool en = f.UseEnglish;
  applyVisibility(f, humidityColumn(model));
  captionTheAlternateInputs(f);

  setTexts({f.Label2, f.Label21}, row_captions::LowerTemperature, en);
  setTexts({f.Label4, f.Label22}, row_captions::UpperTemperature, en);
  setTexts({f.Label3, f.Label23}, row_captions::LowerHumidity, en);
  setTexts({f.Label5, f.Label24}, row_captions::UpperHumidity, en);
  setOutputCaptions(f, model.output);
  setUnitChoiceCaptions(f, model.unitChoice);

  setUnit({f.Label6, f.Label7, f.Label30, f.Label31}, "[°C]");
  setUnit({f.Label43, f.Label8}, "[%RH]");
  // The device side follows the device's own unit where the model offers the humidity unit.
  const bool humidityUnitChoice = model.unitChoice == UnitChoice::HumidityUnit;
  const char* deviceHumidityUnit = dewPoint && humidityUnitChoice ? "[°Cdp]" : "[%RH]";
  setUnit({f.Label44, f.Label32}, deviceHumidityUnit);
  if (humidityUnitChoice) setUnit({f.Label46}, deviceHumidityUnit);

  setWidth(f.Edit11, kEditWidth);
  f.setCurrentModel(model.name);
  f.Edit23->clear();
  f.Edit24->clear();
  setBoxText(f.Edit1, fromView(model.defaultLow));
  setBoxText(f.Edit2, fromView(model.defaultHigh));
  setBoxText(f.Edit19, QStringLiteral("0"));
  setBoxText(f.Edit3, QStringLiteral("100"));
  for (QLineEdit* low : {f.Edit4, f.Edit21}) setBoxText(low, fromView(model.defaultOutputLow));
  for (QLineEdit* high : {f.Edit20, f.Edit22}) setBoxText(high, fromView(model.defaultOutputHigh));
}

void applyLayout(Form1& f, const DeviceModel& model, bool dewPoint) {
  restoreStartCaptions(f);
  switch (model.family) {
    case ModelFamily::CurrentOutput:
    case ModelFamily::VoltageOutput:
      layOutTransmitter(f, model);
      break;
    case ModelFamily::Indicator:
      layOutIndicator(f, model);
      break;
    case ModelFamily::Humidity:
      layOutHumidity(f, model, dewPoint);
      break;
  }
}

}  // namespace

void restoreStartCaptions(Form1& f) {
  applyStartCaptions(f, f.UseEnglish);
  restoreStartUnits(f);
  restoreStartRows(f.editableRows());
  restoreStartRows(f.deviceRows());
  f.GroupBox3->hide();
  f.ComboBox1->setEnabled(true);
  f.ComboBox2->setMaxVisibleItems(kStartDropDownCount);
  setWidth(f.ComboBox2, kWideListWidth);
  setWidth(f.Edit11, kWideEditWidth);
  fillList(f.ComboBox4, currentDirections(), 0);
  fillList(f.ComboBox5, currentFailureLevels(), 0);
}

void layOutSettingsView(Form1& form, std::uint16_t productCode, bool dewPoint,
                        SettingsViewState& view, WindowEvents& events) {
  view.model.series = static_cast<std::uint16_t>(series(productCode));
  // Another device's values are never carried over: the editable group starts as it does in a
  // program that reads this device first. A code that names no model is shown as the model
  // still named, so its group starts as that model's.
  applyStartValues(form);
  std::optional<DeviceModel> model = findDeviceModel(productCode);
  if (!model) model = findDeviceModelByName(form.currentModel());
  if (model) applyLayout(form, *model, dewPoint);
  view.modelLabel = form.currentModel();
  view.model = laidOutModel(view.modelLabel, view.model.series);
  form.ComboBox4->setCurrentIndex(0);
  form.ComboBox5->setCurrentIndex(0);
  fillSensorTypeList(form, view.model);
  // Paint the new layout before the decoder fills in the values.
  events.processPendingMessages();
}

LaidOutModel laidOutModelOf(std::uint16_t productCode) {
  const std::optional<DeviceModel> model = findDeviceModel(productCode);
  return laidOutModel(model ? model->name : kStartModelLabel, series(productCode));
}

LaidOutModel laidOutModel(std::string_view modelLabel, unsigned series) {
  const DeviceModel model = findDeviceModelByName(modelLabel).value_or(DeviceModel{});
  return {model, series, layoutOf(model.family)};
}

QStringList sensorTypeEntries(const LaidOutModel& laidOut, bool en) {
  const ModelTraits& model = laidOut.model;
  QStringList entries;
  if (model.unitChoice != UnitChoice::None) {
    return texts(
        {{"Relative Humidity [%]", "Wilg. względna [%]"}, {"Dew Point [°C]", "Punkt rosy [°C]"}},
        en);
  }
  if (model.specialSensorList) {
    entries = texts({{"Pt500 resistance", "termorezystor Pt500"},
                     {"5 * Ni100 in series", "5 * Ni100 szeregowo"}},
                    en);
  } else {
    entries = texts(
        {{"Pt100 resistance", "termorezystor Pt100"}, {"Ni100 resistance", "termorezystor Ni100"}},
        en);
  }
  // Not the window's start list (window_texts::SensorTypes): here the Polish thermocouple items
  // have a single space after "termopara", and the first two entries follow the model.
  entries << texts({{"B type thermocouple", "termopara B"},
                    {"R type thermocouple", "termopara R"},
                    {"S type thermocouple", "termopara S"},
                    {"N type thermocouple", "termopara N"},
                    {"K type thermocouple", "termopara K"},
                    {"J type thermocouple", "termopara J"},
                    {"T type thermocouple", "termopara T"},
                    {"voltage", "napięcie"},
                    {"resistance", "rezystancja"}},
                   en);
  return entries;
}

void fillSensorTypeList(Form1& form, const LaidOutModel& laidOut) {
  fillList(form.ComboBox1, sensorTypeEntries(laidOut, form.UseEnglish), 0);
}

}  // namespace tadjust

#include "catalogue/settings_view.h"

#include <QStringList>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "ui/bilingual_text.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

// Widths of the fields that change with the layout, in the window's design pixels.
constexpr int kConnectionListWidth = 155;
constexpr int kStartConnectionTextWidth = 139;
constexpr int kTransmitterConnectionTextWidth = 129;
constexpr int kShortFieldWidth = 89;
constexpr int kPrecisionDropDownCount = 4;
// ComboBox2's drop-down count at start-up: the toolkit's default, which the window keeps.
constexpr int kStartDropDownCount = 10;

void setText(QLabel* label, const BilingualText& text, bool useEnglish) {
  label->setText(text.in(useEnglish));
}

void setTexts(std::initializer_list<QLabel*> labels, const BilingualText& text, bool useEnglish) {
  for (QLabel* label : labels) setText(label, text, useEnglish);
}

void setUnit(std::initializer_list<QLabel*> labels, const char* unit) {
  for (QLabel* label : labels) label->setText(QString::fromUtf8(unit));
}

void setShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* widget : widgets) widget->setVisible(shown);
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
QStringList currentDirections() { return plainTexts({"4 .. 20", "20 .. 4"}); }
QStringList voltageDirections() { return plainTexts({"0 .. 10", "10 .. 0"}); }
QStringList currentFailureLevels() { return plainTexts({"3,5", "23"}); }
QStringList voltageFailureLevels() { return plainTexts({"0", "11,5"}); }

void restoreStartUnits(Form1& f) {
  setUnit({f.Label6, f.Label7, f.Label10, f.Label30, f.Label31, f.Label33, f.Label47}, "[°C]");
  setUnit({f.Label8, f.Label32}, "[Ohm]");
  setUnit({f.Label12, f.Label34}, "[s]");
  setUnit({f.Label14, f.Label16, f.Label35, f.Label36}, "[mA]");
  setUnit({f.Label46}, "[%RH]");
  setUnit({f.Label43}, "Label43");
  setUnit({f.Label44}, "Label44");
}

void restoreStartRows(Form1& f) {
  setShown({f.Label1,  f.ComboBox1, f.Label2,    f.Edit1,     f.Label6,  f.Label4,  f.Edit2,
            f.Label7,  f.Label3,    f.ComboBox2, f.Label5,    f.Edit3,   f.Label8,  f.Label9,
            f.Edit4,   f.Label10,   f.Label11,   f.ComboBox3, f.Label12, f.Label13, f.ComboBox4,
            f.Label14, f.Label15,   f.ComboBox5, f.Label16,   f.Label17, f.Edit5},
           true);
  setShown({f.Edit19, f.Label43, f.CheckBox3, f.CheckBox4, f.Edit20, f.Edit21, f.Edit22}, false);
  setShown({f.Label18, f.Edit6,   f.Label19, f.Edit7,   f.Label20, f.Edit8,   f.Label21, f.Edit9,
            f.Label30, f.Label22, f.Edit10,  f.Label31, f.Label23, f.Edit11,  f.Label24, f.Edit12,
            f.Label32, f.Label25, f.Edit13,  f.Label33, f.Label26, f.Edit14,  f.Label34, f.Label27,
            f.Edit15,  f.Label35, f.Label28, f.Edit16,  f.Label36, f.Label29, f.Edit17},
           true);
  setShown({f.Label44, f.CheckBox1, f.CheckBox2, f.GroupBox3}, false);
}

// The columns of the visibility table.
enum Column { kTransmitterColumn, kIndicatorColumn, kJyraColumn, kArrColumn, kArr43Column };

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
  const bool fixedSensor = isFixedSensorProbe(model.name);
  applyVisibility(f, kTransmitterColumn);
  setUnit({f.Label14, f.Label16, f.Label35, f.Label36}, voltageOutput ? "[V]" : "[mA]");

  f.ComboBox1->setEnabled(!fixedSensor);
  fillList(f.ComboBox4, voltageOutput ? voltageDirections() : currentDirections(), 0);
  fillList(f.ComboBox5, voltageOutput ? voltageFailureLevels() : currentFailureLevels(), 0);
  // The connection list below is chosen by the model label's text.
  f.Label39->setText(QString::fromUtf8(model.name.data(), qsizetype(model.name.size())));
  if (fixedSensor) {
    f.Edit1->setText(
        QString::fromUtf8(model.defaultLow.data(), qsizetype(model.defaultLow.size())));
    f.Edit2->setText(
        QString::fromUtf8(model.defaultHigh.data(), qsizetype(model.defaultHigh.size())));
  }
  const bool twoWireOnly = isTwoWireOnly(f.Label39->text().toStdString());
  fillList(f.ComboBox2, connectionTexts(twoWireOnly ? 1 : window_texts::Connections.size(), en), 0);
  setWidth(f.ComboBox2, kConnectionListWidth);
  setWidth(f.Edit11, kTransmitterConnectionTextWidth);
}

void layOutIndicator(Form1& f) {
  const bool en = f.UseEnglish;
  applyVisibility(f, kIndicatorColumn);
  setTexts({f.Label3, f.Label23}, {"Precision:", "Cyfry po przecinku:"}, en);
  setTexts({f.Label5, f.Label24}, {"Alarm low level:", "Alarm dolny:"}, en);
  setTexts({f.Label9, f.Label25}, {"Alarm high level:", "Alarm górny:"}, en);

  fillList(f.ComboBox2, plainTexts({"0", "1", "2", "3"}), 0);
  f.ComboBox2->setMaxVisibleItems(kPrecisionDropDownCount);
  setWidth(f.ComboBox2, kShortFieldWidth);
  setWidth(f.Edit11, kShortFieldWidth);
  f.Label39->setText(QStringLiteral("GWA-43"));
}

// Default texts of a humidity model's output rows.
struct OutputDefaults {
  const char* low;
  const char* high;
};

OutputDefaults outputDefaults(std::string_view name) {
  if (name == "935-JYRA") return {"200", "4500"};
  if (name == "ARR/V") return {"0", "10000"};
  return {"4000", "20000"};  // "ARR/A", and the hidden fields of "ARR-43"
}

void setOutputCaptions(Form1& f, OutputKind output) {
  const bool en = f.UseEnglish;
  if (output == OutputKind::Voltage) {
    setTexts({f.Label9, f.Label25}, {"Lower Voltage for T:", "Napięcie dolne dla T:"}, en);
    setTexts({f.Label11, f.Label26}, {"Upper Voltage for T:", "Napięcie górne dla T:"}, en);
    setTexts({f.Label13, f.Label27}, {"Lower Voltage for H:", "Napięcie dolne dla H:"}, en);
    setTexts({f.Label15, f.Label28}, {"Upper Voltage for H:", "Napięcie górne dla H:"}, en);
    setUnit(
        {f.Label10, f.Label12, f.Label33, f.Label34, f.Label14, f.Label16, f.Label35, f.Label36},
        "[mV]");
  } else if (output == OutputKind::Current) {
    setTexts({f.Label9, f.Label25}, {"Lower Current for T:", "Prąd dolny dla T:"}, en);
    setTexts({f.Label11, f.Label26}, {"Upper Current for T:", "Prąd górny dla T:"}, en);
    setTexts({f.Label13, f.Label27}, {"Lower Current for H:", "Prąd dolny dla H:"}, en);
    setTexts({f.Label15, f.Label28}, {"Upper Current for H:", "Prąd górny dla H:"}, en);
    setUnit(
        {f.Label10, f.Label12, f.Label33, f.Label34, f.Label14, f.Label16, f.Label35, f.Label36},
        "[uA]");
  }
}

void setUnitChoiceCaptions(Form1& f, std::string_view name) {
  const bool en = f.UseEnglish;
  if (name == "ARR/V") {
    setTexts({f.Label1, f.Label20}, {"Physical Units:", "Jednostki fizyczne:"}, en);
  } else if (hasUnitChoice(name)) {
    setText(f.Label1, {"Humidity Unit:", "Jednostka wilgotności:"}, en);
    setText(f.Label20, {"Humidity unit:", "Jednostka wilgotności:"}, en);
  }
}

void layOutHumidity(Form1& f, const DeviceModel& model, bool dewPoint) {
  const bool en = f.UseEnglish;
  const std::string_view name = model.name;
  applyVisibility(f, name == "935-JYRA" ? kJyraColumn
                     : name == "ARR-43" ? kArr43Column
                                        : kArrColumn);

  setTexts({f.Label2, f.Label21}, {"Lower Temperature Value:", "Dół zakresu dla T:"}, en);
  setTexts({f.Label4, f.Label22}, {"Upper Temperature Value:", "Góra zakresu dla T:"}, en);
  setTexts({f.Label3, f.Label23}, {"Lower Humidity Value:", "Dół zakresu dla H:"}, en);
  setTexts({f.Label5, f.Label24}, {"Upper Humidity Value:", "Góra zakresu dla H:"}, en);
  setOutputCaptions(f, model.output);
  setUnitChoiceCaptions(f, name);

  setUnit({f.Label6, f.Label7, f.Label30, f.Label31}, "[°C]");
  setUnit({f.Label43, f.Label8}, "[%RH]");
  // The device side follows the device's own unit where the model offers the humidity unit.
  const bool deviceInDewPoint = dewPoint && (name == "ARR/A" || name == "ARR-43");
  const char* deviceHumidityUnit = deviceInDewPoint ? "[°Cdp]" : "[%RH]";
  setUnit({f.Label44, f.Label32}, deviceHumidityUnit);
  if (name == "ARR/A" || name == "ARR-43") setUnit({f.Label46}, deviceHumidityUnit);

  setWidth(f.Edit11, kShortFieldWidth);
  f.Label39->setText(QString::fromUtf8(name.data(), qsizetype(name.size())));
  f.Edit23->clear();
  f.Edit24->clear();
  f.Edit1->setText(QString::fromUtf8(model.defaultLow.data(), qsizetype(model.defaultLow.size())));
  f.Edit2->setText(
      QString::fromUtf8(model.defaultHigh.data(), qsizetype(model.defaultHigh.size())));
  f.Edit19->setText(QStringLiteral("0"));
  f.Edit3->setText(QStringLiteral("100"));
  const OutputDefaults outputs = outputDefaults(name);
  for (QLineEdit* low : {f.Edit4, f.Edit21}) low->setText(QString::fromUtf8(outputs.low));
  for (QLineEdit* high : {f.Edit20, f.Edit22}) high->setText(QString::fromUtf8(outputs.high));
}

void applyLayout(Form1& f, const DeviceModel& model, bool dewPoint) {
  restoreStartCaptions(f);
  switch (model.family) {
    case ModelFamily::CurrentOutput:
    case ModelFamily::VoltageOutput:
      layOutTransmitter(f, model);
      break;
    case ModelFamily::Indicator:
      layOutIndicator(f);
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
  restoreStartRows(f);
  f.ComboBox1->setEnabled(true);
  f.ComboBox2->setMaxVisibleItems(kStartDropDownCount);
  setWidth(f.ComboBox2, kConnectionListWidth);
  setWidth(f.Edit11, kStartConnectionTextWidth);
  fillList(f.ComboBox4, currentDirections(), 0);
  fillList(f.ComboBox5, currentFailureLevels(), 0);
}

void layOutSettingsView(Form1& form, std::uint16_t productCode, bool dewPoint,
                        SettingsViewState& view, WindowEvents& events) {
  view.currentSeries = static_cast<std::uint16_t>(series(productCode));
  if (const std::optional<DeviceModel> model = findDeviceModel(productCode)) {
    applyLayout(form, *model, dewPoint);
  }
  form.ComboBox4->setCurrentIndex(0);
  form.ComboBox5->setCurrentIndex(0);
  fillSensorTypeList(form);
  // Paint the new layout before the decoder fills in the values.
  events.processPendingMessages();
}

void fillSensorTypeList(Form1& form) {
  const bool en = form.UseEnglish;
  const std::string model = form.Label39->text().toStdString();
  QStringList entries;
  if (hasUnitChoice(model)) {
    entries = texts(
        {{"Relative Humidity [%]", "Wilg. względna [%]"}, {"Dew Point [°C]", "Punkt rosy [°C]"}},
        en);
  } else {
    if (hasSpecialSensorList(model)) {
      entries = texts({{"Pt500 resistance", "termorezystor Pt500"},
                       {"5 * Ni100 in series", "5 * Ni100 szeregowo"}},
                      en);
    } else {
      entries = texts({{"Pt100 resistance", "termorezystor Pt100"},
                       {"Ni100 resistance", "termorezystor Ni100"}},
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
  }
  fillList(form.ComboBox1, entries, 0);
}

}  // namespace tadjust

// The device group of every model, read from a simulated device through the exchange
// controller: the reply is collected on the eleventh tick, its product code settled, the view
// laid out for the model and the image decoded. Each case checks the visible rows of both
// settings groups (captions, values, units) in English and in Polish.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "support/device_view_harness.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

// The program from the Connect button on, with one simulated device on the port, whose settings
// image the test gives.
class LinkedProgram {
 public:
  LinkedProgram(bool useEnglish, const DeviceModel& model, const Reply& image)
      : program(model.name, useEnglish) {
    program.device->setImage(image);
  }

  void connect() {
    program.findBox();
    program.boxes.queue(Answer::Ok);  // the device is plugged in
    program.controller().BitBtn1Click();
    waitForReply();
    ASSERT_TRUE(program.state().DeviceLinked);
  }

  void readAgain(const Reply& image) {
    program.device->setImage(image);
    program.controller().RequestRead();
    waitForReply();
  }

  Form1& form() { return program.form(); }

  CommaLocale locale;
  SimulatedProgram program;

 private:
  void waitForReply() {
    ASSERT_TRUE(program.state().ReadPending);
    // Taken once whole, the eleventh tick at the latest.
    for (int tick = 1; tick <= testing::kTicksToCollect && program.state().ReadPending; ++tick)
      program.tick();
    ASSERT_FALSE(program.state().ReadPending);
    EXPECT_EQ(program.boxes.answersLeft(), 0u);
  }
};

// Every two-language text the settings groups show. A Polish view is compared in English: each
// text is put back into English through this list, and an English text met in a Polish view
// (or the reverse) is marked as wrong.
const std::vector<std::pair<std::string, std::string>>& bilingualTexts() {
  static const std::vector<std::pair<std::string, std::string>> texts = {
      {"Editable settings", "Ustawienia edytowane"},
      {"Device settings", "Ustawienia odczytane z urządzenia"},
      {"Sensor type:", "Typ czujnika:"},
      {"Lower range value:", "Dół zakresu:"},
      {"Upper range value:", "Góra zakresu:"},
      {"Sensor connection:", "Podłączenie:"},
      {"Wire resistance:", "Rezystancja przewodów:"},
      {"Temperature offset:", "Korekcja temperatury:"},
      {"Filter time constant:", "Stała czasowa filtru:"},
      {"Output signal:", "Sygnał wyjściowy:"},
      {"Failure indication:", "Sygnalizacja błędu:"},
      {"Tag:", "Identyfikator obiektowy:"},
      {"Device ID and name:", "Identyfikator wyrobu:"},
      {"Serial number:", "Numer seryjny:"},
      {"Cold junction comp.:", "Komp. zimnych końców:"},
      {"Cold junction temp.:", "Temp. zimnych końców:"},
      {"2-wire", "2-przewodowe"},
      {"3-wire", "3-przewodowe"},
      {"4-wire", "4-przewodowe"},
      {"internal", "wewnętrzna"},
      {"external", "zewnętrzna"},
      {"Pt100 resistance", "termorezystor Pt100"},
      {"Ni100 resistance", "termorezystor Ni100"},
      {"Pt500 resistance", "termorezystor Pt500"},
      {"5 * Ni100 in series", "5 * Ni100 szeregowo"},
      {"B type thermocouple", "termopara B"},
      {"R type thermocouple", "termopara R"},
      {"S type thermocouple", "termopara S"},
      {"N type thermocouple", "termopara N"},
      {"K type thermocouple", "termopara K"},
      {"J type thermocouple", "termopara J"},
      {"T type thermocouple", "termopara T"},
      {"voltage", "napięcie"},
      {"resistance", "rezystancja"},
      {"Precision:", "Cyfry po przecinku:"},
      {"Alarm low level:", "Alarm dolny:"},
      {"Alarm high level:", "Alarm górny:"},
      {"Lower Temperature Value:", "Dół zakresu dla T:"},
      {"Upper Temperature Value:", "Góra zakresu dla T:"},
      {"Lower Humidity Value:", "Dół zakresu dla H:"},
      {"Upper Humidity Value:", "Góra zakresu dla H:"},
      {"Lower Voltage for T:", "Napięcie dolne dla T:"},
      {"Upper Voltage for T:", "Napięcie górne dla T:"},
      {"Lower Voltage for H:", "Napięcie dolne dla H:"},
      {"Upper Voltage for H:", "Napięcie górne dla H:"},
      {"Lower Current for T:", "Prąd dolny dla T:"},
      {"Upper Current for T:", "Prąd górny dla T:"},
      {"Lower Current for H:", "Prąd dolny dla H:"},
      {"Upper Current for H:", "Prąd górny dla H:"},
      {"Humidity Unit:", "Jednostka wilgotności:"},
      {"Humidity unit:", "Jednostka wilgotności:"},
      {"Physical Units:", "Jednostki fizyczne:"},
      {"Relative Humidity [%]", "Wilg. względna [%]"},
      {"Dew Point [°C]", "Punkt rosy [°C]"},
  };
  return texts;
}

// Where two English texts share one Polish wording, the first of them stands for both in a
// Polish view.
std::string canonicalEnglish(const std::string& text) {
  for (const auto& [en, pl] : bilingualTexts()) {
    if (en != text) continue;
    for (const auto& [firstEn, firstPl] : bilingualTexts()) {
      if (firstPl == pl) return firstEn;
    }
  }
  return text;
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3) {
    parts.push_back(line.substr(start, bar - start));
  }
  parts.push_back(line.substr(start));
  return parts;
}

// The expected English lines as a Polish view reads back into English.
std::vector<std::string> asReadFromPolish(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (const std::string& line : lines) {
    std::string joined;
    for (const std::string& part : split(line)) {
      joined += (joined.empty() ? "" : " | ") + canonicalEnglish(part);
    }
    result.push_back(joined);
  }
  return result;
}

// The English form of a text shown in the given language; "!" marks a text of the other one.
std::string inEnglish(const QString& shown, bool english) {
  const std::string text = shown.toStdString();
  for (const auto& [en, pl] : bilingualTexts()) {
    if (english && text == en) return en;
    if (!english && text == pl) return en;
  }
  for (const auto& [en, pl] : bilingualTexts()) {
    if (text == (english ? pl : en)) return "!" + text;
  }
  return text;
}

struct Row {
  const char* name;
  QLabel* caption;
  std::vector<QWidget*> fields;  // the one shown is the row's field
  std::vector<QWidget*> units;   // unit label or check box
};

std::string fieldText(const QWidget* field, bool english) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
    return inEnglish(edit->text(), english);
  }
  if (const auto* list = qobject_cast<const QComboBox*>(field)) {
    return inEnglish(list->currentText(), english) + (list->isEnabled() ? "" : " (locked)");
  }
  if (const auto* box = qobject_cast<const QCheckBox*>(field)) {
    return box->isChecked() ? "[x]" : "[ ]";
  }
  return inEnglish(static_cast<const QLabel*>(field)->text(), english);
}

// "caption | value | unit" for each row with something shown; "~" for a hidden part.
std::vector<std::string> rowsAsText(const std::vector<Row>& rows, bool english) {
  std::vector<std::string> lines;
  for (const Row& row : rows) {
    const auto shownOf = [&](const std::vector<QWidget*>& widgets) -> std::string {
      std::string text = "~";
      bool any = false;
      for (const QWidget* w : widgets) {
        if (w->isHidden()) continue;
        text = (any ? text + " + " : "") + fieldText(w, english);
        any = true;
      }
      return text;
    };
    const std::string caption =
        row.caption->isHidden() ? "~" : inEnglish(row.caption->text(), english);
    const std::string field = shownOf(row.fields);
    const std::string unit = row.units.empty() ? "~" : shownOf(row.units);
    if (caption == "~" && field == "~" && unit == "~") continue;
    lines.push_back(std::string(row.name) + " | " + caption + " | " + field + " | " + unit);
  }
  return lines;
}

std::vector<std::string> deviceGroup(Form1& f, bool english) {
  return rowsAsText(
      {
          {"D1", f.Label18, {f.Edit6}, {f.Label39}},
          {"D2", f.Label19, {f.Edit7}, {}},
          {"D3", f.Label20, {f.Edit8}, {}},
          {"D4", f.Label21, {f.Edit9}, {f.Label30}},
          {"D5", f.Label22, {f.Edit10}, {f.Label31}},
          {"D6", f.Label23, {f.Edit11}, {f.Label44}},
          {"D7", f.Label24, {f.Edit12}, {f.Label32, f.CheckBox1}},
          {"D8", f.Label25, {f.Edit13}, {f.Label33, f.CheckBox2}},
          {"D9", f.Label26, {f.Edit14}, {f.Label34}},
          {"D10", f.Label27, {f.Edit15}, {f.Label35}},
          {"D11", f.Label28, {f.Edit16}, {f.Label36}},
          {"D12", f.Label29, {f.Edit17}, {}},
      },
      english);
}

std::vector<std::string> editableGroup(Form1& f, bool english) {
  std::vector<std::string> lines = rowsAsText(
      {
          {"E1", f.Label1, {f.ComboBox1}, {}},
          {"E2", f.Label2, {f.Edit1}, {f.Label6}},
          {"E3", f.Label4, {f.Edit2}, {f.Label7}},
          {"E4", f.Label3, {f.ComboBox2, f.Edit19}, {f.Label43}},
          {"E5", f.Label5, {f.Edit3}, {f.Label8, f.CheckBox3}},
          {"E6", f.Label9, {f.Edit4}, {f.Label10, f.CheckBox4}},
          {"E7", f.Label11, {f.ComboBox3, f.Edit20}, {f.Label12}},
          {"E8", f.Label13, {f.ComboBox4, f.Edit21}, {f.Label14}},
          {"E9", f.Label15, {f.ComboBox5, f.Edit22}, {f.Label16}},
          {"E10", f.Label17, {f.Edit5}, {}},
      },
      english);
  if (!f.GroupBox3->isHidden()) {
    lines.push_back("M " + f.Label46->text().toStdString() + " " + f.Label47->text().toStdString());
  }
  return lines;
}

using Lines = std::vector<std::string>;

using namespace transmitter;

struct ModelCase {
  const char* name;
  std::uint16_t code;
  ImageFill fill;
  Lines device;    // in English
  Lines editable;  // in English
};

// The editable group of a temperature transmitter as the layout leaves it: start texts, the
// lists at entry 0.
Lines transmitterEditable(bool voltageOutput, const char* low = "-100", const char* high = "800") {
  const std::string unit = voltageOutput ? "[V]" : "[mA]";
  return {
      "E1 | Sensor type: | Pt100 resistance | ~",
      std::string("E2 | Lower range value: | ") + low + " | [°C]",
      std::string("E3 | Upper range value: | ") + high + " | [°C]",
      "E4 | Sensor connection: | 2-wire | ~",
      "E5 | Wire resistance: | 0 | [Ohm]",
      "E6 | Temperature offset: | 0 | [°C]",
      "E7 | Filter time constant: | 0,2 | [s]",
      std::string("E8 | Output signal: | ") + (voltageOutput ? "0 .. 10" : "4 .. 20") + " | " +
          unit,
      std::string("E9 | Failure indication: | ") + (voltageOutput ? "0" : "3,5") + " | " + unit,
      "E10 | Tag: |  | ~",
  };
}

// A fixed-sensor probe: its one sensor locked, no connection and no lead resistance.
Lines probeEditable(bool voltageOutput, const char* low, const char* high) {
  const std::string unit = voltageOutput ? "[V]" : "[mA]";
  return {
      "E1 | Sensor type: | Pt100 resistance (locked) | ~",
      std::string("E2 | Lower range value: | ") + low + " | [°C]",
      std::string("E3 | Upper range value: | ") + high + " | [°C]",
      "E6 | Temperature offset: | 0 | [°C]",
      "E7 | Filter time constant: | 0,2 | [s]",
      std::string("E8 | Output signal: | ") + (voltageOutput ? "0 .. 10" : "4 .. 20") + " | " +
          unit,
      std::string("E9 | Failure indication: | ") + (voltageOutput ? "0" : "3,5") + " | " + unit,
      "E10 | Tag: |  | ~",
  };
}

Lines probeDevice(const char* name, const char* code, const char* low, const char* high,
                  bool voltageOutput) {
  const std::string unit = voltageOutput ? "[V]" : "[mA]";
  return {
      std::string("D1 | Device ID and name: | ") + code + " | " + name,
      "D2 | Serial number: | 1234 | ~",
      "D3 | Sensor type: | Pt100 resistance | ~",
      std::string("D4 | Lower range value: | ") + low + " | [°C]",
      std::string("D5 | Upper range value: | ") + high + " | [°C]",
      "D8 | Temperature offset: | 0 | [°C]",
      "D9 | Filter time constant: | 1 | [s]",
      std::string("D10 | Output signal: | ") + (voltageOutput ? "0 .. 10" : "4 .. 20") + " | " +
          unit,
      std::string("D11 | Failure indication: | ") + (voltageOutput ? "0" : "3,5") + " | " + unit,
      "D12 | Tag: | PROBE | ~",
  };
}

ImageFill probeImage(int low, int high) {
  return sensor(0x2010, static_cast<std::uint16_t>((low + 200) * 30),
                static_cast<std::uint16_t>((high + 200) * 30), [](Bytes b) {
                  FilterTimeIndex.set(b, 1);
                  Tag.set(b, "PROBE");
                });
}

const std::vector<ModelCase>& modelCases() {
  static const std::vector<ModelCase> cases = {
      {"RKA-49",
       7001,
       sensor(0x2010, 3000, 30000,
              [](Bytes b) {
                TempOffsetRaw.set(b, 0xFFF1);
                FilterTimeIndex.set(b, 3);
                Tag.set(b, "TT-101");
              }),
       {"D1 | Device ID and name: | 7001 | RKA-49", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | Pt100 resistance | ~", "D4 | Lower range value: | -100 | [°C]",
        "D5 | Upper range value: | 800 | [°C]", "D6 | Sensor connection: | 3-wire | ~",
        "D8 | Temperature offset: | -0,5 | [°C]", "D9 | Filter time constant: | 4 | [s]",
        "D10 | Output signal: | 4 .. 20 | [mA]", "D11 | Failure indication: | 3,5 | [mA]",
        "D12 | Tag: | TT-101 | ~"},
       transmitterEditable(false)},
      {"RKA-59",
       9002,
       sensor(0x1000 | kOutputReversedBit | kFailureHighBit, 5400, 10400),
       {"D1 | Device ID and name: | 9002 | RKA-59", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | voltage | ~", "D4 | Lower range value: | 0 | [mV]",
        "D5 | Upper range value: | 10 | [mV]", "D9 | Filter time constant: | 0,2 | [s]",
        "D10 | Output signal: | 10 .. 0 | [V]", "D11 | Failure indication: | 11,5 | [V]",
        "D12 | Tag: |  | ~"},
       transmitterEditable(true)},
      {"RKA-40",
       10003,
       sensor(0x3410, 6000, 36000,
              [](Bytes b) {
                ColdJunctionTempRaw.set(b, 6750);
                TempOffsetRaw.set(b, 30);
              }),
       {"D1 | Device ID and name: | 10003 | RKA-40", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | K type thermocouple | ~", "D4 | Lower range value: | 0 | [°C]",
        "D5 | Upper range value: | 1000 | [°C]", "D6 | Cold junction comp.: | external | ~",
        "D7 | Cold junction temp.: | 25 | [°C]", "D8 | Temperature offset: | 1 | [°C]",
        "D9 | Filter time constant: | 0,2 | [s]", "D10 | Output signal: | 4 .. 20 | [mA]",
        "D11 | Failure indication: | 3,5 | [mA]", "D12 | Tag: |  | ~"},
       transmitterEditable(false)},
      {"RKA-50",
       7004,
       sensor(0x3500, 6000, 18000),
       {"D1 | Device ID and name: | 7004 | RKA-50", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | J type thermocouple | ~", "D4 | Lower range value: | 0 | [°C]",
        "D5 | Upper range value: | 400 | [°C]", "D6 | Cold junction comp.: | internal | ~",
        "D8 | Temperature offset: | 0 | [°C]", "D9 | Filter time constant: | 0,2 | [s]",
        "D10 | Output signal: | 0 .. 10 | [V]", "D11 | Failure indication: | 0 | [V]",
        "D12 | Tag: |  | ~"},
       transmitterEditable(true)},
      {"RKN-49",
       7005,
       sensor(0x0000, 0, 2000, [](Bytes b) { WireResistanceRaw.set(b, 100); }),
       {"D1 | Device ID and name: | 7005 | RKN-49", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | resistance | ~", "D4 | Lower range value: | 55 | [Ohm]",
        "D5 | Upper range value: | 65 | [Ohm]", "D6 | Sensor connection: | 2-wire | ~",
        "D7 | Wire resistance: | 0,5 | [Ohm]", "D9 | Filter time constant: | 0,2 | [s]",
        "D10 | Output signal: | 4 .. 20 | [mA]", "D11 | Failure indication: | 3,5 | [mA]",
        "D12 | Tag: |  | ~"},
       transmitterEditable(false)},
      {"RKN-59",
       7006,
       sensor(0x2100, 4200, 11400, [](Bytes b) { WireResistanceRaw.set(b, 40); }),
       {"D1 | Device ID and name: | 7006 | RKN-59", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | Ni100 resistance | ~", "D4 | Lower range value: | -60 | [°C]",
        "D5 | Upper range value: | 180 | [°C]", "D6 | Sensor connection: | 2-wire | ~",
        "D7 | Wire resistance: | 0,2 | [Ohm]", "D8 | Temperature offset: | 0 | [°C]",
        "D9 | Filter time constant: | 0,2 | [s]", "D10 | Output signal: | 0 .. 10 | [V]",
        "D11 | Failure indication: | 0 | [V]", "D12 | Tag: |  | ~"},
       transmitterEditable(true)},
      {"RKN-40",
       7007,
       sensor(0x2020, 6001, 9000, [](Bytes b) { FilterTimeIndex.set(b, 6); }),
       {"D1 | Device ID and name: | 7007 | RKN-40", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | Pt100 resistance | ~",
        "D4 | Lower range value: | 0,0333333333333333 | [°C]",
        "D5 | Upper range value: | 100 | [°C]", "D6 | Sensor connection: | 4-wire | ~",
        "D8 | Temperature offset: | 0 | [°C]", "D9 | Filter time constant: | 32 | [s]",
        "D10 | Output signal: | 4 .. 20 | [mA]", "D11 | Failure indication: | 3,5 | [mA]",
        "D12 | Tag: |  | ~"},
       transmitterEditable(false)},
      {"RKN-50",
       7008,
       sensor(0x3200, 6000, 54000),
       {"D1 | Device ID and name: | 7008 | RKN-50", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | S type thermocouple | ~", "D4 | Lower range value: | 0 | [°C]",
        "D5 | Upper range value: | 1600 | [°C]", "D6 | Cold junction comp.: | internal | ~",
        "D8 | Temperature offset: | 0 | [°C]", "D9 | Filter time constant: | 0,2 | [s]",
        "D10 | Output signal: | 0 .. 10 | [V]", "D11 | Failure indication: | 0 | [V]",
        "D12 | Tag: |  | ~"},
       transmitterEditable(true)},
      {"RKAW-49",
       7010,
       sensor(0x2000, 4500, 10500),
       {"D1 | Device ID and name: | 7010 | RKAW-49", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | Pt100 resistance | ~", "D4 | Lower range value: | -50 | [°C]",
        "D5 | Upper range value: | 150 | [°C]", "D6 | Sensor connection: | 2-wire | ~",
        "D7 | Wire resistance: | 0 | [Ohm]", "D8 | Temperature offset: | 0 | [°C]",
        "D9 | Filter time constant: | 0,2 | [s]", "D10 | Output signal: | 4 .. 20 | [mA]",
        "D11 | Failure indication: | 3,5 | [mA]", "D12 | Tag: |  | ~"},
       transmitterEditable(false)},
      {"RQ-117/A", 7011, probeImage(-50, 200), probeDevice("RQ-117/A", "7011", "-50", "200", false),
       probeEditable(false, "-50", "200")},
      {"RQ-117/V", 7012, probeImage(-50, 200), probeDevice("RQ-117/V", "7012", "-50", "200", true),
       probeEditable(true, "-50", "200")},
      {"GWA-43",
       10013,
       indicatorFields({.alarmFlags = 1,
                        .displayLow = -1999,
                        .displayHigh = 9999,
                        .precision = 1,
                        .alarmLow = 100,
                        .alarmHigh = 9000,
                        .tag = "PANEL-7"}),
       {"D1 | Device ID and name: | 10013 | GWA-43", "D2 | Serial number: | 4321 | ~",
        "D4 | Lower range value: | -1999 | ~", "D5 | Upper range value: | 9999 | ~",
        "D6 | Precision: | 1 | ~", "D7 | Alarm low level: | 100 | [x]",
        "D8 | Alarm high level: | 9000 | [ ]", "D12 | Tag: | PANEL-7 | ~"},
       {"E2 | Lower range value: | -100 | ~", "E3 | Upper range value: | 800 | ~",
        "E4 | Precision: | 0 | ~", "E5 | Alarm low level: | 0 | [ ]",
        "E6 | Alarm high level: | 0 | [ ]", "E10 | Tag: |  | ~"}},
      {"RKN-40F3",
       9016,
       sensor(0x0000, 0, 400, [](Bytes b) { WireResistanceRaw.set(b, 40); }),
       {"D1 | Device ID and name: | 9016 | RKN-40F3", "D2 | Serial number: | 1234 | ~",
        "D3 | Sensor type: | resistance | ~", "D4 | Lower range value: | 275 | [Ohm]",
        "D5 | Upper range value: | 285 | [Ohm]", "D6 | Sensor connection: | 2-wire | ~",
        "D7 | Wire resistance: | 1 | [Ohm]", "D9 | Filter time constant: | 0,2 | [s]",
        "D10 | Output signal: | 4 .. 20 | [mA]", "D11 | Failure indication: | 3,5 | [mA]",
        "D12 | Tag: |  | ~"},
       [] {
         Lines lines = transmitterEditable(false);
         lines[0] = "E1 | Sensor type: | Pt500 resistance | ~";
         return lines;
       }()},
      {"RQ-18x-RK/A", 7017, probeImage(-100, 400),
       probeDevice("RQ-18x-RK/A", "7017", "-100", "400", false),
       probeEditable(false, "-100", "400")},
      {"RQ-17x-RK/A", 7018, probeImage(-30, 70),
       probeDevice("RQ-17x-RK/A", "7018", "-30", "70", false), probeEditable(false, "-30", "70")},
      {"RQ-18x-RK/V", 7019, probeImage(-100, 400),
       probeDevice("RQ-18x-RK/V", "7019", "-100", "400", true), probeEditable(true, "-100", "400")},
      {"RQ-17x-RK/V", 7020, probeImage(-30, 70),
       probeDevice("RQ-17x-RK/V", "7020", "-30", "70", true), probeEditable(true, "-30", "70")},
      {"935-JYRA",
       15001,
       humidityFields({.tempLow = -4000,
                       .tempHigh = 12000,
                       .humLow = 0,
                       .humHigh = 10000,
                       .tempOutLow = 200,
                       .tempOutHigh = 4500,
                       .humOutLow = 210,
                       .humOutHigh = 4400,
                       .tag = "JYRA"}),
       {"D1 | Device ID and name: | 15001 | 935-JYRA", "D2 | Serial number: | 4321 | ~",
        "D3 | Sensor type: | %RH | ~", "D4 | Lower Temperature Value: | -40 | [°C]",
        "D5 | Upper Temperature Value: | 120 | [°C]", "D6 | Lower Humidity Value: | 0 | [%RH]",
        "D7 | Upper Humidity Value: | 100 | [%RH]", "D8 | Lower Voltage for T: | 200 | [mV]",
        "D9 | Upper Voltage for T: | 4500 | [mV]", "D10 | Lower Voltage for H: | 210 | [mV]",
        "D11 | Upper Voltage for H: | 4400 | [mV]", "D12 | Tag: | JYRA | ~"},
       {"E1 | Sensor type: | Pt100 resistance | ~", "E2 | Lower Temperature Value: | -40 | [°C]",
        "E3 | Upper Temperature Value: | 120 | [°C]", "E4 | Lower Humidity Value: | 0 | [%RH]",
        "E5 | Upper Humidity Value: | 100 | [%RH]", "E10 | Tag: |  | ~", "M [%RH] [°C]"}},
      {"ARR/A",
       15002,
       humidityFields({.unit = 1,
                       .tempLow = -4050,
                       .tempHigh = 12000,
                       .humLow = -2000,
                       .humHigh = 6000,
                       .tempOutLow = 4000,
                       .tempOutHigh = 20000,
                       .humOutLow = 4000,
                       .humOutHigh = 20000,
                       .tag = "ARR-A-1"}),
       {"D1 | Device ID and name: | 15002 | ARR/A", "D2 | Serial number: | 4321 | ~",
        "D3 | Humidity unit: | °Cdp | ~", "D4 | Lower Temperature Value: | -40 | [°C]",
        "D5 | Upper Temperature Value: | 120 | [°C]", "D6 | Lower Humidity Value: | -20 | [°Cdp]",
        "D7 | Upper Humidity Value: | 60 | [°Cdp]", "D8 | Lower Current for T: | 4000 | [uA]",
        "D9 | Upper Current for T: | 20000 | [uA]", "D10 | Lower Current for H: | 4000 | [uA]",
        "D11 | Upper Current for H: | 20000 | [uA]", "D12 | Tag: | ARR-A-1 | ~"},
       {"E1 | Humidity Unit: | Relative Humidity [%] | ~",
        "E2 | Lower Temperature Value: | -40 | [°C]", "E3 | Upper Temperature Value: | 120 | [°C]",
        "E4 | Lower Humidity Value: | 0 | [%RH]", "E5 | Upper Humidity Value: | 100 | [%RH]",
        "E6 | Lower Current for T: | 4000 | [uA]", "E7 | Upper Current for T: | 20000 | [uA]",
        "E8 | Lower Current for H: | 4000 | [uA]", "E9 | Upper Current for H: | 20000 | [uA]",
        "E10 | Tag: |  | ~", "M [°Cdp] [°C]"}},
      {"ARR/V",
       15003,
       humidityFields({.tempLow = -4000,
                       .tempHigh = 12000,
                       .humHigh = 10000,
                       .tempOutHigh = 10000,
                       .humOutHigh = 10000}),
       {"D1 | Device ID and name: | 15003 | ARR/V", "D2 | Serial number: | 4321 | ~",
        "D3 | Physical Units: | %RH | ~", "D4 | Lower Temperature Value: | -40 | [°C]",
        "D5 | Upper Temperature Value: | 120 | [°C]", "D6 | Lower Humidity Value: | 0 | [%RH]",
        "D7 | Upper Humidity Value: | 100 | [%RH]", "D8 | Lower Voltage for T: | 0 | [mV]",
        "D9 | Upper Voltage for T: | 10000 | [mV]", "D10 | Lower Voltage for H: | 0 | [mV]",
        "D11 | Upper Voltage for H: | 10000 | [mV]", "D12 | Tag: |  | ~"},
       {"E1 | Physical Units: | Relative Humidity [%] | ~",
        "E2 | Lower Temperature Value: | -40 | [°C]", "E3 | Upper Temperature Value: | 120 | [°C]",
        "E4 | Lower Humidity Value: | 0 | [%RH]", "E5 | Upper Humidity Value: | 100 | [%RH]",
        "E6 | Lower Voltage for T: | 0 | [mV]", "E7 | Upper Voltage for T: | 10000 | [mV]",
        "E8 | Lower Voltage for H: | 0 | [mV]", "E9 | Upper Voltage for H: | 10000 | [mV]",
        "E10 | Tag: |  | ~", "M [%RH] [°C]"}},
      {"ARR-43",
       15004,
       humidityFields({.tempLow = -4000, .tempHigh = 8000, .humHigh = 10000, .tempOutLow = 4000}),
       {"D1 | Device ID and name: | 15004 | ARR-43", "D2 | Serial number: | 4321 | ~",
        "D3 | Humidity unit: | %RH | ~", "D4 | Lower Temperature Value: | -40 | [°C]",
        "D5 | Upper Temperature Value: | 80 | [°C]", "D6 | Lower Humidity Value: | 0 | [%RH]",
        "D7 | Upper Humidity Value: | 100 | [%RH]", "D12 | Tag: |  | ~"},
       {"E1 | Humidity Unit: | Relative Humidity [%] | ~",
        "E2 | Lower Temperature Value: | -40 | [°C]", "E3 | Upper Temperature Value: | 80 | [°C]",
        "E4 | Lower Humidity Value: | 0 | [%RH]", "E5 | Upper Humidity Value: | 100 | [%RH]",
        "E10 | Tag: |  | ~", "M [%RH] [°C]"}},
  };
  return cases;
}

Reply replyOf(const ModelCase& c) {
  const bool smallLayout = c.code == kIndicatorProductCode || c.code >= 15000;
  return smallLayout ? smallLayoutReply(c.code, c.fill) : transmitterReply(c.code, c.fill);
}

DeviceModel modelOf(std::uint16_t code) { return findDeviceModel(code).value(); }

Lines expected(const Lines& english, bool inEnglish) {
  return inEnglish ? english : asReadFromPolish(english);
}

const char* language(bool english) { return english ? "English" : "Polish"; }

void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.name; }

class EveryModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(EveryModel, ShowsItsSettingsInBothLanguages) {
  const ModelCase& c = GetParam();
  for (const bool english : {true, false}) {
    LinkedProgram program(english, modelOf(c.code), replyOf(c));
    program.connect();
    Form1& f = program.form();
    EXPECT_EQ(f.Label39->text().toStdString(), c.name);
    EXPECT_TRUE(!f.GroupBox1->isHidden() && !f.GroupBox2->isHidden() && !f.Label39->isHidden());
    EXPECT_EQ(deviceGroup(f, english), expected(c.device, english)) << language(english);
    EXPECT_EQ(editableGroup(f, english), expected(c.editable, english)) << language(english);
  }
}

INSTANTIATE_TEST_SUITE_P(DeviceView, EveryModel, ::testing::ValuesIn(modelCases()),
                         [](const ::testing::TestParamInfo<ModelCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return "m" + name;
                         });

const ModelCase& caseOf(const std::string& name) {
  for (const ModelCase& c : modelCases()) {
    if (name == c.name) return c;
  }
  throw std::invalid_argument(name);
}

// A device read after another of a different family shows exactly what it shows after a fresh
// start: no caption, unit or row of the earlier family is left behind.
TEST(DeviceView, NothingOfAnEarlierFamilySurvives) {
  const char* sequences[][3] = {
      {"ARR/A", "RKA-49", "ARR/A"},          {"GWA-43", "RKA-40", "ARR-43"},
      {"RQ-117/A", "ARR/V", "RKN-49"},       {"935-JYRA", "GWA-43", "RKN-40F3"},
      {"RKA-49", "935-JYRA", "RQ-17x-RK/V"},
  };
  for (const bool english : {true, false}) {
    for (const auto& sequence : sequences) {
      const ModelCase& first = caseOf(sequence[0]);
      LinkedProgram program(english, modelOf(first.code), replyOf(first));
      program.connect();
      for (const char* next : {sequence[1], sequence[2]}) {
        const ModelCase& c = caseOf(next);
        program.readAgain(replyOf(c));
        EXPECT_EQ(deviceGroup(program.form(), english), expected(c.device, english))
            << next << " " << language(english);
        // Edit texts that an earlier layout wrote stay until edited: compare the rows without
        // the values of the editable group.
        const auto withoutValues = [](const Lines& lines) {
          Lines result;
          for (const std::string& line : lines) {
            std::vector<std::string> parts = split(line);
            if (parts.size() == 4) parts[2] = "*";
            std::string joined;
            for (const std::string& part : parts) joined += (joined.empty() ? "" : " | ") + part;
            result.push_back(joined);
          }
          return result;
        };
        EXPECT_EQ(withoutValues(editableGroup(program.form(), english)),
                  withoutValues(expected(c.editable, english)))
            << next << " " << language(english);
      }
    }
  }
}

// An unknown product code keeps the model and layout; only the lists return to entry 0.
TEST(DeviceView, UnknownProductCodeKeepsTheModel) {
  const ModelCase& rka = caseOf("RKA-49");
  LinkedProgram program(true, modelOf(rka.code), replyOf(rka));
  program.connect();
  program.form().ComboBox4->setCurrentIndex(1);
  program.readAgain(transmitterReply(0xFFFF, sensor(0x1000, 5400, 6400)));
  EXPECT_EQ(program.program.view().model.series, 65);
  EXPECT_EQ(program.form().Label39->text(), "RKA-49");
  EXPECT_EQ(program.form().ComboBox4->currentIndex(), 0);
  EXPECT_EQ(program.form().Edit6->text(), "65535");
  EXPECT_EQ(program.form().Edit9->text(), "? (5400)");
}

}  // namespace
}  // namespace tadjust

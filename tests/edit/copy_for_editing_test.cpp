// "Copy for edition" through the program's own wiring: a simulated device with the image the test
// gives is linked and read as the technician does it, BitBtn3 is pressed, and the editable group,
// the editing state, the outgoing blocks and the copy record are checked. Numbers are written on
// a comma system.

#include "edit/copy_for_editing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <algorithm>
#include <string>
#include <vector>

#include "edit/group_fields.h"
#include "support/device_view_harness.h"
#include "support/line_edit_rendering.h"
#include "support/model_sets.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using namespace testing;  // the model sets by name

using testing::SimulatedProgram;
using Lines = std::vector<std::string>;
using transmitter::ColdJunctionTempRaw;
using transmitter::FilterTimeIndex;
using transmitter::kFailureHighBit;
using transmitter::kOutputReversedBit;
using transmitter::Tag;
using transmitter::TempOffsetRaw;
using transmitter::WireResistanceRaw;

// The program linked to one simulated device, its first reply read.
class CopyingProgram {
 public:
  CopyingProgram(std::string_view model, const Reply& image, bool english = true)
      : program(model, english) {
    program.device->setImage(image);
    program.findBox();
    program.connect();
  }

  void readAgain(const Reply& image) {
    program.device->setImage(image);
    program.controller().RequestRead();
    program.ticks(testing::kTicksToCollect);
  }

  // The press of the button, as the program wires it.
  void copy() { form().BitBtn3->click(); }

  // What the write asks before it sends a small-layout block.
  bool copyMatchesTheLinkedDevice() {
    const DeviceIdentity linkedNow =
        identifyDevice(images(), program.view().model.layout, program.state().linkNumber);
    return program.app.copyRecord().copyMatches(linkedNow);
  }

  Form1& form() { return program.form(); }
  EditState& edit() { return program.app.editState(); }
  SettingsImages& images() { return program.app.images(); }

  CommaLocale locale;
  SimulatedProgram program;
};

std::string shownText(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text().toStdString();
  if (const auto* list = qobject_cast<const QComboBox*>(widget))
    return list->currentText().toStdString() + (list->isEnabled() ? "" : " (locked)");
  if (const auto* box = qobject_cast<const QCheckBox*>(widget))
    return box->isChecked() ? "[x]" : "[ ]";
  return static_cast<const QLabel*>(widget)->text().toStdString();
}

// What the shown ones of the controls show, " + " between them; "~" when none is shown.
std::string shownOf(std::initializer_list<const QWidget*> controls) {
  std::vector<std::string> texts;
  for (const QWidget* control : controls)
    if (control != nullptr && !control->isHidden()) texts.push_back(shownText(control));
  if (texts.empty()) return "~";
  std::string text = texts.front();
  for (std::size_t i = 1; i < texts.size(); ++i) text += " + " + texts[i];
  return text;
}

// "E<row> | caption | field | unit" for each row of the editable group with something shown.
Lines editableGroup(Form1& f) {
  Lines lines;
  int number = 0;
  for (const FormRow& row : f.editableRows()) {
    ++number;
    const std::string caption = shownOf({row.caption});
    const std::string field = shownOf({row.input, row.alternateInput});
    const std::string unit = shownOf({row.unit, row.alternateUnit});
    if (caption == "~" && field == "~" && unit == "~") continue;
    lines.push_back("E" + std::to_string(number) + " | " + caption + " | " + field + " | " + unit);
  }
  return lines;
}

// The rows of a transmitter below the sensor's: filter, output, failure, tag.
Lines transmitterTail(bool voltageOutput, const std::string& tag = "", bool english = true) {
  const std::string unit = voltageOutput ? "[V]" : "[mA]";
  const std::string filter = english ? "Filter time constant:" : "Stała czasowa filtru:";
  const std::string output = english ? "Output signal:" : "Sygnał wyjściowy:";
  const std::string failure = english ? "Failure indication:" : "Sygnalizacja błędu:";
  return {
      "E7 | " + filter + " | 0,2 | [s]",
      "E8 | " + output + " | " + (voltageOutput ? "0 .. 10" : "4 .. 20") + " | " + unit,
      "E9 | " + failure + " | " + (voltageOutput ? "0" : "3,5") + " | " + unit,
      "E10 | " + std::string(english ? "Tag:" : "Identyfikator obiektowy:") + " | " + tag + " | ~"};
}

Lines joined(Lines head, const Lines& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct CopyCase {
  const char* title;
  const char* model;  // the simulated model
  Reply image;
  Lines editable;
  // What the copy leaves in EditState (the humidity models leave the start state): the sensor
  // type's position in the list and the range.
  struct {
    int sensorType = 0;
    double low = 0;
    double high = 0;
  } edit;
  bool english = true;
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.title; }

const std::vector<CopyCase>& copyCases() {
  static const std::vector<CopyCase> cases = {
      {"Pt100 3-wire, offset -15 raw, every list",
       "RKA-49",
       transmitterReply(7001, sensor(0x2010 | kOutputReversedBit | kFailureHighBit, 3000, 30000,
                                     [](Bytes b) {
                                       TempOffsetRaw.set(b, 0xFFF1);
                                       FilterTimeIndex.set(b, 3);
                                       Tag.set(b, "TT-101");
                                     })),
       {"E1 | Sensor type: | Pt100 resistance | ~", "E2 | Lower range value: | -100 | [°C]",
        "E3 | Upper range value: | 800 | [°C]", "E4 | Sensor connection: | 3-wire | ~",
        "E6 | Temperature offset: | -0,5 | [°C]", "E7 | Filter time constant: | 4 | [s]",
        "E8 | Output signal: | 20 .. 4 | [mA]", "E9 | Failure indication: | 23 | [mA]",
        "E10 | Tag: | TT-101 | ~"},
       {0, -100, 800}},
      {"Pt100 2-wire from -200 °C, a 10-character tag",
       "RKA-49",
       transmitterReply(7001, sensor(0x2000, 0, 36000,
                                     [](Bytes b) {
                                       WireResistanceRaw.set(b, 100);
                                       TempOffsetRaw.set(b, 1);
                                       Tag.set(b, "TAG4567890");
                                     })),
       joined({"E1 | Sensor type: | Pt100 resistance | ~", "E2 | Lower range value: | -200 | [°C]",
               "E3 | Upper range value: | 1000 | [°C]", "E4 | Sensor connection: | 2-wire | ~",
               "E5 | Wire resistance: | 0,5 | [Ohm]", "E6 | Temperature offset: | 0,03 | [°C]"},
              transmitterTail(false, "TAG4567890")),
       {0, -200, 1000}},
      {"Ni100 4-wire on a voltage-output model",
       "RKN-59",
       transmitterReply(7006, sensor(0x2120, 4200, 11400)),
       joined({"E1 | Sensor type: | Ni100 resistance | ~", "E2 | Lower range value: | -60 | [°C]",
               "E3 | Upper range value: | 180 | [°C]", "E4 | Sensor connection: | 4-wire | ~",
               "E6 | Temperature offset: | 0 | [°C]"},
              transmitterTail(true)),
       {1, -60, 180}},
      {"thermocouple K, internal compensation",
       "RKA-40",
       transmitterReply(
           10003, sensor(0x3400, 6000, 36000, [](Bytes b) { ColdJunctionTempRaw.set(b, 6750); })),
       joined({"E1 | Sensor type: | K type thermocouple | ~", "E2 | Lower range value: | 0 | [°C]",
               "E3 | Upper range value: | 1000 | [°C]", "E4 | Cold junction comp.: | internal | ~",
               "E6 | Temperature offset: | 0 | [°C]"},
              transmitterTail(false)),
       {6, 0, 1000}},
      {"thermocouple K, external compensation at 0 °C",
       "RKA-40",
       transmitterReply(
           10003, sensor(0x3410, 6000, 36000, [](Bytes b) { ColdJunctionTempRaw.set(b, 6000); })),
       joined({"E1 | Sensor type: | K type thermocouple | ~", "E2 | Lower range value: | 0 | [°C]",
               "E3 | Upper range value: | 1000 | [°C]", "E4 | Cold junction comp.: | external | ~",
               "E5 | Cold junction temp.: | 0 | [°C]", "E6 | Temperature offset: | 0 | [°C]"},
              transmitterTail(false)),
       {6, 0, 1000}},
      {"resistance input 2-wire over the whole scale: the lead resistance is shown",
       "RKN-49",
       transmitterReply(7005,
                        sensor(0x0000, 0, 65535, [](Bytes b) { WireResistanceRaw.set(b, 100); })),
       joined({"E1 | Sensor type: | resistance | ~", "E2 | Lower range value: | 55 | [Ohm]",
               "E3 | Upper range value: | 382,675 | [Ohm]", "E4 | Sensor connection: | 2-wire | ~",
               "E5 | Wire resistance: | 0,5 | [Ohm]"},
              transmitterTail(false)),
       {10, 55, 382.675}},
      {"resistance input 3-wire",
       "RKN-49",
       transmitterReply(7005, sensor(0x0010, 1000, 2000)),
       joined({"E1 | Sensor type: | resistance | ~", "E2 | Lower range value: | 60 | [Ohm]",
               "E3 | Upper range value: | 65 | [Ohm]", "E4 | Sensor connection: | 3-wire | ~"},
              transmitterTail(false)),
       {10, 60, 65}},
      {"RKN-40F3 resistance: five times the scale, lead resistance in 1/40 Ohm",
       "RKN-40F3",
       transmitterReply(9016,
                        sensor(0x0000, 0, 65535, [](Bytes b) { WireResistanceRaw.set(b, 100); })),
       joined({"E1 | Sensor type: | resistance | ~", "E2 | Lower range value: | 275 | [Ohm]",
               "E3 | Upper range value: | 1913,375 | [Ohm]", "E4 | Sensor connection: | 2-wire | ~",
               "E5 | Wire resistance: | 2,5 | [Ohm]"},
              transmitterTail(false)),
       {10, 55, 382.675}},
      {"voltage, series 7",
       "RKA-59",
       transmitterReply(7002, sensor(0x1000, 0, 65535)),
       joined({"E1 | Sensor type: | voltage | ~", "E2 | Lower range value: | -5,4 | [mV]",
               "E3 | Upper range value: | 60,135 | [mV]"},
              transmitterTail(true)),
       {9, -5.4, 60.135}},
      {"voltage, series 9",
       "RKA-59",
       transmitterReply(9002, sensor(0x1000, 0, 65535)),
       joined({"E1 | Sensor type: | voltage | ~", "E2 | Lower range value: | -10,8 | [mV]",
               "E3 | Upper range value: | 120,27 | [mV]"},
              transmitterTail(true)),
       {9, -10.8, 120.27}},
      {"thermocouple sub-code 7 is taken as the voltage input",
       "RKA-49",
       transmitterReply(7001, sensor(0x3700, 5400, 6400)),
       joined({"E1 | Sensor type: | voltage | ~", "E2 | Lower range value: | 0 | [mV]",
               "E3 | Upper range value: | 1 | [mV]"},
              transmitterTail(false)),
       {9, 0, 1}},
      {"a product code that names no model: the start caption's name, transmitter branch",
       "RKA-49",
       transmitterReply(7099, sensor(0x1000, 0, 5400)),
       joined({"E1 | Sensor type: | voltage | ~", "E2 | Lower range value: | -5,4 | [mV]",
               "E3 | Upper range value: | 0 | [mV]"},
              transmitterTail(false)),
       {9, -5.4, 0}},
      {"fixed-sensor probe",
       "RQ-117/A",
       transmitterReply(7011, sensor(0x2010, 4500, 12000)),
       joined({"E1 | Sensor type: | Pt100 resistance (locked) | ~",
               "E2 | Lower range value: | -50 | [°C]", "E3 | Upper range value: | 200 | [°C]",
               "E6 | Temperature offset: | 0 | [°C]"},
              transmitterTail(false)),
       {0, -50, 200}},
      {"RKAW-49 2-wire",
       "RKAW-49",
       transmitterReply(7010, sensor(0x2000, 4500, 10500)),
       joined({"E1 | Sensor type: | Pt100 resistance | ~", "E2 | Lower range value: | -50 | [°C]",
               "E3 | Upper range value: | 150 | [°C]", "E4 | Sensor connection: | 2-wire | ~",
               "E5 | Wire resistance: | 0 | [Ohm]", "E6 | Temperature offset: | 0 | [°C]"},
              transmitterTail(false)),
       {0, -50, 150}},
      {"Polish: Pt100 2-wire",
       "RKA-49",
       transmitterReply(7001,
                        sensor(0x2000, 3000, 9000, [](Bytes b) { WireResistanceRaw.set(b, 100); })),
       joined(
           {"E1 | Typ czujnika: | termorezystor Pt100 | ~", "E2 | Dół zakresu: | -100 | [°C]",
            "E3 | Góra zakresu: | 100 | [°C]", "E4 | Podłączenie: | 2-przewodowe | ~",
            "E5 | Rezystancja przewodów: | 0,5 | [Ohm]", "E6 | Korekcja temperatury: | 0 | [°C]"},
           transmitterTail(false, "", false)),
       {0, -100, 100},
       false},
      {"Polish: thermocouple J, external compensation",
       "RKA-40",
       transmitterReply(
           7003, sensor(0x3510, 6000, 18000, [](Bytes b) { ColdJunctionTempRaw.set(b, 6750); })),
       joined({"E1 | Typ czujnika: | termopara J | ~", "E2 | Dół zakresu: | 0 | [°C]",
               "E3 | Góra zakresu: | 400 | [°C]", "E4 | Komp. zimnych końców: | zewnętrzna | ~",
               "E5 | Temp. zimnych końców: | 25 | [°C]", "E6 | Korekcja temperatury: | 0 | [°C]"},
              transmitterTail(false, "", false)),
       {7, 0, 400},
       false},
      {"Polish: resistance 2-wire",
       "RKN-49",
       transmitterReply(7005,
                        sensor(0x0000, 1000, 2000, [](Bytes b) { WireResistanceRaw.set(b, 40); })),
       joined({"E1 | Typ czujnika: | rezystancja | ~", "E2 | Dół zakresu: | 60 | [Ohm]",
               "E3 | Góra zakresu: | 65 | [Ohm]", "E4 | Podłączenie: | 2-przewodowe | ~",
               "E5 | Rezystancja przewodów: | 0,2 | [Ohm]"},
              transmitterTail(false, "", false)),
       {10, 60, 65},
       false},
      {"indicator: signed display words, precision, alarms",
       "GWA-43",
       smallLayoutReply(10013, indicatorFields({.alarmFlags = 3,
                                                .displayLow = -1999,
                                                .displayHigh = 0xFC18,
                                                .precision = 2,
                                                .alarmLow = 100,
                                                .alarmHigh = 9000,
                                                .tag = "PANEL-7"})),
       {"E2 | Lower range value: | -1999 | ~", "E3 | Upper range value: | -1000 | ~",
        "E4 | Precision: | 2 | ~", "E5 | Alarm low level: | 100 | [x]",
        "E6 | Alarm high level: | 9000 | [x]", "E10 | Tag: | PANEL-7 | ~"},
       {0, -1999, -1000}},
      {"ARR/A in dew point: truncated hundredths, unit labels kept, a 16-character tag",
       "ARR/A",
       smallLayoutReply(15002, humidityFields({.unit = 1,
                                               .tempLow = -4050,
                                               .tempHigh = 12099,
                                               .humLow = -2000,
                                               .humHigh = 6000,
                                               .tempOutLow = 4000,
                                               .tempOutHigh = 20000,
                                               .humOutLow = 4010,
                                               .humOutHigh = 19990,
                                               .tag = "ABCDEFGHIJKLMNOP"})),
       {"E1 | Humidity Unit: | Dew Point [°C] | ~", "E2 | Lower Temperature Value: | -40 | [°C]",
        "E3 | Upper Temperature Value: | 120 | [°C]", "E4 | Lower Humidity Value: | -20 | [%RH]",
        "E5 | Upper Humidity Value: | 60 | [%RH]", "E6 | Lower Current for T: | 4000 | [uA]",
        "E7 | Upper Current for T: | 20000 | [uA]", "E8 | Lower Current for H: | 4010 | [uA]",
        "E9 | Upper Current for H: | 19990 | [uA]", "E10 | Tag: | ABCDEFGHIJKLMNOP | ~"},
       {}},
      {"ARR-43 with a humidity unit the list does not offer",
       "ARR-43",
       smallLayoutReply(
           15004,
           humidityFields(
               {.unit = 5, .tempLow = -3000, .tempHigh = 6000, .humLow = 1000, .humHigh = 9000})),
       {"E1 | Humidity Unit: |  | ~", "E2 | Lower Temperature Value: | -30 | [°C]",
        "E3 | Upper Temperature Value: | 60 | [°C]", "E4 | Lower Humidity Value: | 10 | [%RH]",
        "E5 | Upper Humidity Value: | 90 | [%RH]", "E10 | Tag: |  | ~"},
       {}},
  };
  return cases;
}

// The block of the model's layout holds the bytes read; the others are untouched (zero).
void expectBlocks(const SettingsImages& images, const std::string& model) {
  const auto zero = [](const auto& block) {
    return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; });
  };
  if (isIndicator(model)) {
    EXPECT_TRUE(std::equal(images.IndicatorBlock.begin(), images.IndicatorBlock.end(),
                           images.IndicatorCopy.begin()));
    EXPECT_TRUE(zero(images.TransmitterBlock) && zero(images.HumidityBlock));
  } else if (isHumidityModel(model)) {
    EXPECT_TRUE(std::equal(images.HumidityBlock.begin(), images.HumidityBlock.end(),
                           images.HumidityCopy.begin()));
    EXPECT_TRUE(zero(images.TransmitterBlock) && zero(images.IndicatorBlock));
  } else {
    EXPECT_TRUE(std::equal(images.TransmitterBlock.begin(), images.TransmitterBlock.end(),
                           images.SettingsImage.begin()));
    EXPECT_TRUE(zero(images.IndicatorBlock) && zero(images.HumidityBlock));
  }
}

class EveryCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(EveryCopy, FillsTheEditableGroupTheStateAndTheBlock) {
  const CopyCase& c = GetParam();
  CopyingProgram program(c.model, c.image, c.english);
  Form1& f = program.form();
  QSignalSpy sensorChoices(f.ComboBox1, &QComboBox::activated);
  QSignalSpy connectionChoices(f.ComboBox2, &QComboBox::activated);
  program.copy();

  EXPECT_EQ(editableGroup(f), c.editable);
  EXPECT_EQ(entryOf(program.edit().EditSensorType), c.edit.sensorType);
  EXPECT_EQ(program.edit().EditRangeLow, c.edit.low);
  EXPECT_EQ(program.edit().EditRangeHigh, c.edit.high);
  expectBlocks(program.images(), f.currentModel());
  // No choice handler runs for a selection made by the copy.
  EXPECT_EQ(sensorChoices.count() + connectionChoices.count(), 0);
  for (const QLineEdit* box : f.GroupBox1->findChildren<QLineEdit*>())
    EXPECT_EQ(box->cursorPosition(), 0) << box->objectName().toStdString();
  EXPECT_TRUE(program.copyMatchesTheLinkedDevice());
}

INSTANTIATE_TEST_SUITE_P(CopyForEditing, EveryCopy, ::testing::ValuesIn(copyCases()),
                         [](const ::testing::TestParamInfo<CopyCase>& info) {
                           return "c" + std::to_string(info.index);
                         });

TEST(CopyForEditing, AnRtdSubtypeNeverWrittenKeepsTheSensorTypeInForce) {
  CopyingProgram program("RKA-40", transmitterReply(10003, sensor(0x3410, 6000, 36000)));
  program.copy();
  ASSERT_EQ(program.edit().EditSensorType, SensorType::ThermocoupleK);
  for (std::uint16_t subtype = 2; subtype <= 7; ++subtype) {
    program.readAgain(transmitterReply(10003, sensor(0x2000 | (subtype << 8) | 0x10, 3000, 30000)));
    program.copy();
    EXPECT_EQ(program.edit().EditSensorType, SensorType::ThermocoupleK) << subtype;
    EXPECT_EQ(program.form().ComboBox1->currentIndex(), 6) << subtype;
    EXPECT_EQ(program.form().Label3->text(), "Cold junction comp.:") << subtype;
    EXPECT_EQ(program.form().Edit1->text(), "-100") << subtype;
  }
}

TEST(CopyForEditing, HumidityModelsKeepTheEditedRangeAndFillTheHiddenOutputs) {
  CopyingProgram program("935-JYRA", smallLayoutReply(15001, humidityFields({.tempOutLow = 210,
                                                                             .tempOutHigh = 4400,
                                                                             .humOutLow = -5,
                                                                             .humOutHigh = 4300})));
  program.edit() = {SensorType::ThermocoupleS, 12.5, 99};
  program.copy();
  EXPECT_EQ(program.edit().EditSensorType, SensorType::ThermocoupleS);
  EXPECT_EQ(program.edit().EditRangeLow, 12.5);
  EXPECT_EQ(program.edit().EditRangeHigh, 99);
  Form1& f = program.form();
  EXPECT_EQ(QStringList({f.Edit4->text(), f.Edit20->text(), f.Edit21->text(), f.Edit22->text()}),
            QStringList({"210", "4400", "-5", "4300"}));
}

// Voltage words mean nothing in a series without a voltage scale (a product code that names no
// model): the range keeps what the group had.
TEST(CopyForEditing, VoltageOfASeriesWithoutAScaleKeepsTheRange) {
  CopyingProgram program("RKA-49", transmitterReply(0xFFFF, sensor(0x1000, 0, 65535)));
  ASSERT_EQ(program.program.view().model.series, 65);
  // The range an earlier copy or validation of this device left.
  program.edit().EditRangeLow = -1;
  program.edit().EditRangeHigh = 10;
  program.copy();
  EXPECT_EQ(program.form().Edit1->text(), "-1");
  EXPECT_EQ(program.form().Edit2->text(), "10");
  EXPECT_EQ(program.edit().EditRangeLow, -1);
  EXPECT_EQ(program.edit().EditRangeHigh, 10);
}

TEST(CopyForEditing, FixedSensorProbesLockTheSensorInBothGroups) {
  CopyingProgram program("RQ-18x-RK/V", transmitterReply(7019, sensor(0x2000, 3000, 18000)));
  Form1& f = program.form();
  f.ComboBox1->setEnabled(true);
  f.ComboBox1->setCurrentIndex(3);
  const int processed = program.program.events.processed;
  program.copy();
  for (const QWidget* hidden :
       std::initializer_list<QWidget*>{f.Label23, f.Label24, f.Label32, f.Edit11, f.Edit12,
                                       f.Label3, f.Label5, f.Label8, f.Edit3, f.ComboBox2})
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  EXPECT_FALSE(f.ComboBox1->isEnabled());
  EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(program.program.events.processed, processed + 1) << "the window repaints";
}

// Every read of a transmitter shows the wire-resistance row; a choice of the voltage input hides
// it. A copy of a 2-wire resistance input shows it again, as for a 2-wire resistance thermometer.
TEST(CopyForEditing, ATwoWireResistanceInputShowsItsLeadResistance) {
  CopyingProgram program("RKN-49", transmitterReply(7005, sensor(0x0000, 0, 2000, [](Bytes b) {
                                                      WireResistanceRaw.set(b, 300);
                                                    })));
  Form1& f = program.form();
  for (QWidget* row : std::initializer_list<QWidget*>{f.Label5, f.Edit3, f.Label8}) row->hide();
  program.copy();
  for (const QWidget* row : std::initializer_list<QWidget*>{f.Label5, f.Edit3, f.Label8})
    EXPECT_FALSE(row->isHidden()) << row->objectName().toStdString();
  EXPECT_EQ(f.Edit3->text(), "1,5");
}

TEST(CopyForEditing, TwoWireOnlyModelListsOneConnection) {
  CopyingProgram program("RKAW-49", transmitterReply(7010, sensor(0x2000, 4500, 10500)));
  program.copy();
  EXPECT_EQ(program.form().ComboBox2->count(), 1);
  EXPECT_EQ(program.form().ComboBox2->currentText(), "2-wire");
}

// The user types at most 9 characters into the tag box; a longer tag read from the device is
// shown whole, so that a write sends it back whole.
TEST(CopyForEditing, LongTagsAreShownWhole) {
  CopyingProgram program(
      "ARR/V", smallLayoutReply(15003, [](Bytes b) { humidity::Tag.set(b, "HUMIDITY-SENSOR1"); }));
  program.copy();
  EXPECT_EQ(program.form().Edit5->text(), "HUMIDITY-SENSOR1");
  program.readAgain(smallLayoutReply(15003, [](Bytes b) { humidity::Tag.set(b, "ROOM 2"); }));
  program.copy();
  EXPECT_EQ(program.form().Edit5->text(), "ROOM 2");
  EXPECT_EQ(program.form().Edit5->maxLength(), kTagTypingLimit);
}

// A number longer than its box shows its first digits, in the device group as in the copy.
TEST(CopyForEditing, LongNumbersAreShownFromTheirFirstCharacter) {
  CopyingProgram program("RKN-40", transmitterReply(7007, sensor(0x2020, 6001, 9000)));
  program.copy();
  Form1& f = program.form();
  f.show();
  QApplication::processEvents();
  for (QLineEdit* box : {f.Edit1, f.Edit9}) {
    EXPECT_EQ(box->text(), "0,0333333333333333");
    EXPECT_TRUE(testing::paintsFromItsStart(box, "0,033")) << box->objectName().toStdString();
  }
  f.hide();
}

// The write of a small-layout block asks whether the copy came from the device linked now.
TEST(CopyForEditing, TheCopyRecordNamesTheDeviceAndTheLink) {
  const auto panel = [](std::uint16_t serial) {
    return smallLayoutReply(
        10013, [](Bytes b) { indicator::DisplayHigh.set(b, 500); }, serial);
  };
  CopyingProgram program("GWA-43", panel(4321));
  EXPECT_FALSE(program.copyMatchesTheLinkedDevice()) << "nothing copied yet";
  program.copy();
  EXPECT_TRUE(program.copyMatchesTheLinkedDevice());

  // Read again on the same link: the same device still matches, another does not.
  program.readAgain(panel(4321));
  EXPECT_TRUE(program.copyMatchesTheLinkedDevice());
  program.readAgain(panel(4322));
  EXPECT_FALSE(program.copyMatchesTheLinkedDevice());
  program.copy();
  EXPECT_TRUE(program.copyMatchesTheLinkedDevice());

  // Disconnect and link again: even the same device must be copied anew.
  program.program.controller().BitBtn1Click();
  program.program.connect();
  ASSERT_TRUE(program.program.state().DeviceLinked);
  EXPECT_FALSE(program.copyMatchesTheLinkedDevice());
  program.copy();
  EXPECT_TRUE(program.copyMatchesTheLinkedDevice());

  // Another model read on the same link.
  program.readAgain(smallLayoutReply(15002));
  EXPECT_FALSE(program.copyMatchesTheLinkedDevice());
}

// The one table the copy enters values through: every field a layout's block carries has its
// control, and every number box of the layout is validated once, lower boxes before upper ones.
TEST(GroupFields, EveryFieldOfALayoutHasItsControlAndEveryBoxOneHandler) {
  SimulatedProgram program("RKA-40");
  const Form1& form = program.form();
  const struct {
    Layout layout;
    std::vector<QLineEdit*> boxesInOrder;
  } cases[] = {
      {Layout::Transmitter, {form.Edit1, form.Edit2, form.Edit3, form.Edit4}},
      {Layout::Indicator, {form.Edit1, form.Edit2, form.Edit3, form.Edit4}},
      {Layout::Humidity,
       {form.Edit1, form.Edit2, form.Edit19, form.Edit3, form.Edit4, form.Edit20, form.Edit21,
        form.Edit22}},
  };
  for (const auto& c : cases) {
    for (const SettingsField field : fieldsOf(c.layout))
      EXPECT_NE(controlOf(form, c.layout, field), nullptr) << static_cast<int>(field);
    std::vector<QLineEdit*> validated;
    for (const ValidatedBox& box : validatedBoxes(form, c.layout)) {
      EXPECT_NE(box.validation, nullptr);
      validated.push_back(box.box);
    }
    EXPECT_EQ(validated, c.boxesInOrder) << static_cast<int>(c.layout);
  }
}

}  // namespace
}  // namespace tadjust

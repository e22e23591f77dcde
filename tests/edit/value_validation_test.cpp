// Validation of the editable group's numeric boxes as a technician meets it: a simulated device is
// read, a sensor type or unit chosen, texts typed into the real boxes and each box left (or
// clicked into). Every table runs on a comma system and on a point system; the texts below are
// written with a comma and read with the system's separator.

#include "edit/value_validation.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "support/device_view_harness.h"
#include "support/editing_program.h"
#include "support/sensor_type_names.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::SystemLocale;

constexpr int kAsRead = -1;  // the sensor-type list as the read left it
constexpr int kDewPoint = 1;

using Box = QLineEdit* Form1::*;

struct Step {
  Box box;
  const char* text;
  // The user types the text and leaves the box; false: the text stands there unvalidated, as a
  // copy from the device or an earlier layout leaves it.
  bool leave = true;
};

Step put(Box box, const char* text) { return {box, text, false}; }

struct Shown {
  Box box;
  const char* text;
};

struct ValidationCase {
  const char* what;
  const char* model;       // a catalogue name (series 7) or a product code
  int choice;              // the entry chosen in ComboBox1 first, or kAsRead
  const char* connection;  // the entry chosen in ComboBox2 then, or nullptr
  std::vector<Step> steps;
  std::vector<Shown> expected;
};

class Validation : public ::testing::TestWithParam<bool> {
 protected:
  void run(const std::vector<ValidationCase>& cases) {
    const SystemLocale locale(GetParam());
    for (const ValidationCase& c : cases) {
      EditingProgram p(c.model);
      p.read();
      Form1& f = p.form();
      if (c.choice != kAsRead) EditingProgram::choose(f.ComboBox1, c.choice);
      if (c.connection) EditingProgram::choose(f.ComboBox2, c.connection);
      for (const Step& step : c.steps) {
        QLineEdit* box = f.*step.box;
        if (step.leave) {
          EditingProgram::type(box, locale.number(step.text));
        } else {
          box->setText(locale.number(step.text));
        }
      }
      for (const Shown& shown : c.expected) {
        EXPECT_EQ((f.*shown.box)->text(), locale.number(shown.text))
            << c.what << ": " << (f.*shown.box)->objectName().toStdString();
      }
      EXPECT_TRUE(p.boxes().errors.empty()) << c.what;
    }
  }
};

// A number too large for a double.
const std::string kFourHundredNines(400, '9');

TEST_P(Validation, TemperatureModels) {
  using F = Form1;
  run({
      {"Pt100 series 9: empty lower range",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit1, ""}},
       {{&F::Edit1, "-100"}}},
      {"Pt100 series 9: lower range rounded up",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit1, "12,5"}},
       {{&F::Edit1, "13"}}},
      {"Pt100 series 9: lower range below 800 - 30",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit1, "790"}},
       {{&F::Edit1, "770"}}},
      {"Pt100: upper range 30 above the lower",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit1, "100"}, {&F::Edit2, "110"}},
       {{&F::Edit2, "130"}}},
      {"Pt100: upper range at most 800",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit1, "100"}, {&F::Edit2, "900"}},
       {{&F::Edit2, "800"}}},
      {"Pt100: upper range rounded down",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit2, "500,9"}},
       {{&F::Edit2, "500"}}},
      {"leaving the lower range checks the upper one",
       "9001",
       kPt100Entry,
       nullptr,
       {put(&F::Edit2, "300"), {&F::Edit1, "290"}},
       {{&F::Edit1, "290"}, {&F::Edit2, "320"}}},
      {"thermocouple B series 7: lower range below 1800 - 200",
       "RKA-49",
       kThermocoupleBEntry,
       nullptr,
       {{&F::Edit1, "1700"}},
       {{&F::Edit1, "1600"}}},
      {"voltage series 9: lower range at least -10",
       "9001",
       kVoltageEntry,
       nullptr,
       {{&F::Edit1, "-20"}},
       {{&F::Edit1, "-10"}}},
      {"voltage series 9: upper range at most 65",
       "9001",
       kVoltageEntry,
       nullptr,
       {{&F::Edit2, "70"}},
       {{&F::Edit2, "65"}}},
      {"voltage: more than two decimals",
       "9001",
       kVoltageEntry,
       nullptr,
       {{&F::Edit1, "1,23456"}, {&F::Edit2, "10,456"}},
       {{&F::Edit1, "1,23"}, {&F::Edit2, "10,46"}}},
      {"voltage series 7: not a number",
       "RKA-49",
       kVoltageEntry,
       nullptr,
       {{&F::Edit1, "abc"}},
       {{&F::Edit1, "-5,4"}}},
      {"RKN-40F3 resistance series 9: 250 is 50 Ohm",
       "9016",
       kResistanceEntry,
       nullptr,
       {{&F::Edit1, "250"}},
       {{&F::Edit1, "300"}}},
      {"RKN-40F3 resistance series 10: 300 stays",
       "10016",
       kResistanceEntry,
       nullptr,
       {{&F::Edit1, "300"}},
       {{&F::Edit1, "300"}}},
      {"RKN-40F3 resistance: two decimals of the device value",
       "9016",
       kResistanceEntry,
       nullptr,
       {{&F::Edit2, "1000,123"}},
       {{&F::Edit2, "1000,1"}}},
      {"RQ-117/A series 9: lower range at least -50",
       "9011",
       kAsRead,
       nullptr,
       {{&F::Edit1, "-60"}},
       {{&F::Edit1, "-50"}}},
      {"RQ-117/A series 9: lower range at most 170",
       "9011",
       kAsRead,
       nullptr,
       {{&F::Edit1, "180"}},
       {{&F::Edit1, "170"}}},
      {"RQ-117/A series 9: upper range 30 above the lower",
       "9011",
       kAsRead,
       nullptr,
       {{&F::Edit1, "130"}, {&F::Edit2, "150"}},
       {{&F::Edit2, "160"}}},
      {"offset at most 10", "9001", kPt100Entry, nullptr, {{&F::Edit4, "12"}}, {{&F::Edit4, "10"}}},
      {"offset to two decimals",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, "-0,456"}},
       {{&F::Edit4, "-0,46"}}},
      {"offset: a tie rounds the typed decimal to the even hundredth",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, "0,235"}},
       {{&F::Edit4, "0,24"}}},
      {"offset not a number",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, "1,2,3"}},
       {{&F::Edit4, "0"}}},
      // Numbers beyond a double are numbers: too large clamps, too small is 0.
      {"offset too large for a double clamps",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, kFourHundredNines.c_str()}},
       {{&F::Edit4, "10"}}},
      {"offset too small for a double is 0",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, "-1e-400"}},
       {{&F::Edit4, "0"}}},
      {"offset beyond a double's exponent clamps",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit4, "-1e400"}},
       {{&F::Edit4, "-10"}}},
      {"wire resistance at most 20",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit3, "25"}},
       {{&F::Edit3, "20"}}},
      {"wire resistance at least 0",
       "9001",
       kPt100Entry,
       nullptr,
       {{&F::Edit3, "-1"}},
       {{&F::Edit3, "0"}}},
      {"wire resistance in ohms on RKN-40F3 too",
       "9016",
       kResistanceEntry,
       nullptr,
       {{&F::Edit3, "25"}},
       {{&F::Edit3, "20"}}},
      {"cold junction at most 100",
       "9001",
       kThermocoupleKEntry,
       "external",
       {{&F::Edit3, "150"}},
       {{&F::Edit3, "100"}}},
      {"cold junction at least -50",
       "9001",
       kThermocoupleKEntry,
       "external",
       {{&F::Edit3, "-51,5"}},
       {{&F::Edit3, "-50"}}},
  });
}

TEST_P(Validation, Indicator) {
  using F = Form1;
  run({
      {"lower range at least -999",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit1, "-1500"}},
       {{&F::Edit1, "-999"}}},
      {"upper range at most 9999, rounded up",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit2, "12000"}, {&F::Edit1, "12,5"}},
       {{&F::Edit1, "13"}, {&F::Edit2, "9999"}}},
      {"upper range not a number",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit2, "abc"}},
       {{&F::Edit2, "100"}}},
      {"alarm high below alarm low becomes the upper range",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit1, "0"}, {&F::Edit2, "100"}, put(&F::Edit3, "50"), {&F::Edit4, "40"}},
       {{&F::Edit3, "50"}, {&F::Edit4, "100"}}},
      {"reversed range: alarm low above it becomes its lower end",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit1, "100"}, {&F::Edit2, "0"}, put(&F::Edit4, "50"), {&F::Edit3, "150"}},
       {{&F::Edit3, "100"}}},
      {"alarm low's partner not a number",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit1, "0"}, {&F::Edit2, "100"}, put(&F::Edit4, "x"), {&F::Edit3, "30"}},
       {{&F::Edit3, "0"}, {&F::Edit4, "x"}}},
      {"a new range moves both alarm levels into it",
       "GWA-43",
       kAsRead,
       nullptr,
       {{&F::Edit1, "0"},
        {&F::Edit2, "1000"},
        put(&F::Edit4, "800"),
        {&F::Edit3, "200"},
        {&F::Edit4, "800"},
        {&F::Edit2, "500"}},
       {{&F::Edit3, "200"}, {&F::Edit4, "500"}}},
  });
}

TEST_P(Validation, HumidityModels) {
  using F = Form1;
  run({
      {"ARR/V: temperature output at most 9000",
       "ARR/V",
       kAsRead,
       nullptr,
       {put(&F::Edit20, "9500"), {&F::Edit4, "9500"}},
       {{&F::Edit4, "9000"}, {&F::Edit20, "10000"}}},
      {"ARR-43 %RH: 90 stays",
       "ARR-43",
       kAsRead,
       nullptr,
       {{&F::Edit3, "90"}},
       {{&F::Edit3, "90"}, {&F::Edit19, "0"}}},
      {"ARR-43 %RH: at most 100",
       "ARR-43",
       kAsRead,
       nullptr,
       {{&F::Edit3, "120"}},
       {{&F::Edit3, "100"}}},
      {"ARR-43 dew point: lower humidity at most 70",
       "ARR-43",
       kDewPoint,
       nullptr,
       {{&F::Edit19, "75"}},
       {{&F::Edit19, "70"}, {&F::Edit3, "80"}}},
      {"ARR/A dew point: lower humidity at least -40, upper pushed up",
       "ARR/A",
       kDewPoint,
       nullptr,
       {put(&F::Edit3, "-35"), {&F::Edit19, "-50"}},
       {{&F::Edit19, "-40"}, {&F::Edit3, "-30"}}},
      {"935-JYRA: lower temperature not a number",
       "935-JYRA",
       kAsRead,
       nullptr,
       {put(&F::Edit2, "100"), {&F::Edit1, "abc"}},
       {{&F::Edit1, "-40"}, {&F::Edit2, "100"}}},
      {"935-JYRA: the upper box pushes the lower one down",
       "935-JYRA",
       kAsRead,
       nullptr,
       {put(&F::Edit21, "4000"), {&F::Edit22, "1000"}},
       {{&F::Edit22, "1000"}, {&F::Edit21, "500"}}},
      {"rounded up, the partner too",
       "935-JYRA",
       kAsRead,
       nullptr,
       {put(&F::Edit2, "25,5"), {&F::Edit1, "20,2"}},
       {{&F::Edit1, "21"}, {&F::Edit2, "31"}}},
  });
}

INSTANTIATE_TEST_SUITE_P(NumberFormats, Validation, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CommaSystem" : "PointSystem";
                         });

TEST(TemperatureValidation, KeepsTheUnroundedLowerRangeAndChecksTheUpperAgainstIt) {
  SystemLocale locale(true);
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kPt100Entry);
  EditingProgram::type(f.Edit1, "12,5");
  EXPECT_EQ(f.Edit1->text(), "13");
  EXPECT_EQ(p.edit().EditRangeLow, 12.5);
  EditingProgram::type(f.Edit2, "20");
  EXPECT_EQ(f.Edit2->text(), "42");  // 12,5 + 30, rounded down
  EXPECT_EQ(p.edit().EditRangeHigh, 42.5);
}

// The maximum comes before the least distance: a stored lower range above maximum - span (as a
// copy of a device's out-of-range settings leaves it) gives an upper range above the maximum.
TEST(TemperatureValidation, UpperRangeAboveTheMaximumAfterAStoredLowerRangeAboveIt) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  p.edit().EditRangeLow = 790;
  EditingProgram::type(f.Edit2, "500");
  EXPECT_EQ(f.Edit2->text(), "820");
}

// A series none of 7, 9 and 10 (a product code that names no model) has no limits: the range
// boxes are not read and show 0.
TEST(TemperatureValidation, ASeriesWithoutATableGivesZeroRange) {
  EditingProgram p("RKA-49");
  p.program.device->setImage(transmitterReply(15009));
  p.read();
  ASSERT_EQ(p.program.view().model.series, 15);
  Form1& f = p.form();
  EditingProgram::type(f.Edit1, "100");
  EXPECT_EQ(f.Edit1->text(), "0");
  EXPECT_EQ(f.Edit2->text(), "0");
}

// A number typed with the other separator is read as that number and shown back with the
// system's; a text with both separators, or two of one, is still no number.
TEST(TemperatureValidation, ANumberTypedWithTheOtherSeparator) {
  struct Case {
    bool comma;
    int sensor;
    Box box;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {false, kVoltageEntry, &Form1::Edit2, "22,5", "22.5"},
      {true, kVoltageEntry, &Form1::Edit2, "22.5", "22,5"},
      {true, kPt100Entry, &Form1::Edit4, "-0.5", "-0,5"},
      {false, kPt100Entry, &Form1::Edit4, "-0,5", "-0.5"},
      {true, kPt100Entry, &Form1::Edit4, "1.000,5", "0"},
      {false, kPt100Entry, &Form1::Edit4, "1,000.5", "0"},
      {false, kPt100Entry, &Form1::Edit4, "1,000,5", "0"},
      {true, kVoltageEntry, &Form1::Edit2, "1.5E1", "15"},
  };
  for (const Case& c : cases) {
    SystemLocale locale(c.comma);
    EditingProgram p("RKA-49");
    p.read();
    EditingProgram::choose(p.form().ComboBox1, c.sensor);
    EditingProgram::type(p.form().*c.box, c.typed);
    EXPECT_EQ((p.form().*c.box)->text(), c.shown) << c.typed << (c.comma ? " comma" : " point");
  }
}

TEST(ValidationEvents, ClickingIntoABoxValidatesIt) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  f.Edit4->setText("12");
  QTest::mouseClick(f.Edit4, Qt::LeftButton);
  EXPECT_EQ(f.Edit4->text(), "10");
}

// The humidity boxes have no meaning on other models: their handlers leave them alone.
TEST(ValidationEvents, HumidityBoxesOfATemperatureModelAreNotChecked) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  for (QLineEdit* box : {f.Edit19, f.Edit20, f.Edit21, f.Edit22}) {
    box->setText("abc");
    p.program.app.validation().editChange(box);
    EXPECT_EQ(box->text(), "abc");
  }
}

// A humidity partner that holds no number stops the check with the toolkit's conversion error,
// in one language, and neither box changes.
TEST(HumidityValidation, APartnerThatIsNotANumberIsReportedAndNothingChanges) {
  EditingProgram p("935-JYRA", false);
  p.read();
  Form1& f = p.form();
  f.Edit2->setText("x");
  EditingProgram::type(f.Edit1, "abc");
  EXPECT_EQ(f.Edit1->text(), "abc");
  EXPECT_EQ(f.Edit2->text(), "x");
  ASSERT_EQ(p.boxes().errors.size(), 1u);
  EXPECT_EQ(p.boxes().errors[0], "'x' is not a valid floating point value.");
}

// What validation writes is shown from its first character, not scrolled to its last.
TEST(ValidationEvents, AValidatedBoxShowsItsTextFromTheStart) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kVoltageEntry);
  EditingProgram::type(f.Edit1, "1,23456");
  EXPECT_EQ(f.Edit1->cursorPosition(), 0);
  EXPECT_EQ(f.Edit2->cursorPosition(), 0);
}

struct BoxTexts {
  Box box;
  const char* before;
  const char* after;
};

void putAll(Form1& f, const std::vector<BoxTexts>& boxes) {
  for (const BoxTexts& b : boxes) (f.*b.box)->setText(QString::fromUtf8(b.before));
}

void expectAll(Form1& f, const std::vector<BoxTexts>& boxes) {
  for (const BoxTexts& b : boxes) {
    EXPECT_EQ((f.*b.box)->text(), QString::fromUtf8(b.after))
        << (f.*b.box)->objectName().toStdString();
  }
}

TEST(ValidateShownBoxes, TemperatureModelChecksTheRowsItShows) {
  using F = Form1;
  SystemLocale locale(true);
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kPt100Entry);
  const std::vector<BoxTexts> boxes = {
      {&F::Edit1, "abc", "-100"},     {&F::Edit2, "9999", "800"}, {&F::Edit3, "25", "20"},
      {&F::Edit4, "-0,456", "-0,46"}, {&F::Edit19, "abc", "abc"}, {&F::Edit22, "x", "x"},
  };
  putAll(f, boxes);
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  expectAll(f, boxes);

  // The voltage input hides the wire-resistance and offset rows: their texts stay.
  EditingProgram::choose(f.ComboBox1, kVoltageEntry);
  const std::vector<BoxTexts> voltage = {{&F::Edit1, "-20", "-10"},
                                         {&F::Edit2, "1,234", "1,23"},
                                         {&F::Edit3, "x", "x"},
                                         {&F::Edit4, "y", "y"}};
  putAll(f, voltage);
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  expectAll(f, voltage);
}

// The lower range comes first: a stored lower value left by an earlier layout or copy is
// validated again before the upper range is checked against it.
TEST(ValidateShownBoxes, TheLowerRangeBeforeTheUpper) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  p.edit().EditRangeLow = 790;
  f.Edit1->setText("0");
  f.Edit2->setText("500");
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  EXPECT_EQ(f.Edit1->text(), "0");
  EXPECT_EQ(f.Edit2->text(), "500");
  EXPECT_EQ(p.edit().EditRangeLow, 0);
}

TEST(ValidateShownBoxes, FixedSensorProbeLeavesItsHiddenLeadRow) {
  using F = Form1;
  EditingProgram p("9017");
  p.read();
  Form1& f = p.form();
  const std::vector<BoxTexts> boxes = {{&F::Edit1, "-200", "-100"},
                                       {&F::Edit2, "500", "400"},
                                       {&F::Edit3, "x", "x"},
                                       {&F::Edit4, "11", "10"}};
  putAll(f, boxes);
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  expectAll(f, boxes);
}

// The range first (each check of it moves the alarm levels into the range as it stands then),
// then the alarm levels.
TEST(ValidateShownBoxes, IndicatorChecksRangeAndAlarms) {
  using F = Form1;
  EditingProgram p("GWA-43");
  p.read();
  Form1& f = p.form();
  const std::vector<BoxTexts> boxes = {{&F::Edit1, "-5000", "-999"},
                                       {&F::Edit2, "x", "100"},
                                       {&F::Edit3, "500", "0"},
                                       {&F::Edit4, "-5", "0"}};
  putAll(f, boxes);
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  expectAll(f, boxes);
  EXPECT_EQ(p.edit().EditRangeLow, -999);
  EXPECT_EQ(p.edit().EditRangeHigh, 100);
}

TEST(ValidateShownBoxes, Arr43LeavesItsHiddenOutputRows) {
  using F = Form1;
  EditingProgram p("ARR-43");
  p.read();
  Form1& f = p.form();
  const std::vector<BoxTexts> boxes = {{&F::Edit1, "-50", "-40"}, {&F::Edit2, "90", "80"},
                                       {&F::Edit19, "abc", "0"},  {&F::Edit3, "120", "100"},
                                       {&F::Edit4, "x", "x"},     {&F::Edit20, "x", "x"},
                                       {&F::Edit21, "x", "x"},    {&F::Edit22, "x", "x"}};
  putAll(f, boxes);
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  expectAll(f, boxes);
  EXPECT_TRUE(p.boxes().errors.empty());
}

// A device read with a range outside its limits is copied as it is (the copy validates nothing);
// validating the shown boxes then settles the lower range first and the upper range against it.
TEST(ValidateShownBoxes, CorrectsWhatACopyTookFromTheDevice) {
  SystemLocale locale(true);
  EditingProgram p("9001");
  p.program.device->setImage(transmitterReply(9001, [](Bytes b) {
    transmitter::InputConfig.set(b, 0x2000);             // Pt100, 2-wire
    transmitter::RangeLowRaw.set(b, (790 + 200) * 30);   // 790 °C
    transmitter::RangeHighRaw.set(b, (500 + 200) * 30);  // 500 °C
    transmitter::WireResistanceRaw.set(b, 25 * 200);     // 25 Ohm
    transmitter::TempOffsetRaw.set(b, 12 * 30);          // 12 °C
  }));
  p.read();
  Form1& f = p.form();
  f.BitBtn3->click();
  ASSERT_EQ(f.Edit1->text(), "790");
  ASSERT_EQ(f.Edit2->text(), "500");
  EXPECT_TRUE(p.program.app.validation().validateShownBoxes().allNumbers);
  EXPECT_EQ(f.Edit1->text(), "770");
  EXPECT_EQ(f.Edit2->text(), "800");
  EXPECT_EQ(f.Edit3->text(), "20");
  EXPECT_EQ(f.Edit4->text(), "10");
}

// A copied humidity unit that names no entry leaves the unit list without a selection, and the
// humidity range unchecked.
TEST(HumidityValidation, ACopiedUnknownUnitLeavesTheHumidityRangeAlone) {
  EditingProgram p("ARR/A");
  ImageBytes image = p.program.device->image();
  humidity::HumidityUnit.set(image, 5);
  p.program.device->setImage(image);
  p.read();
  Form1& f = p.form();
  f.BitBtn3->click();
  ASSERT_EQ(f.ComboBox1->currentIndex(), -1);
  for (QLineEdit* box : {f.Edit19, f.Edit3}) {
    EditingProgram::type(box, "abc");
    EXPECT_EQ(box->text(), "abc");
  }
  EXPECT_TRUE(p.boxes().errors.empty());
  EditingProgram::type(f.Edit1, "abc");  // the temperature range does not depend on the unit
  EXPECT_EQ(f.Edit1->text(), "-40");
}

// Two partners without a number each stop the other's check: the caller learns that a shown box
// still holds no number.
TEST(ValidateShownBoxes, SaysWhenABoxStillHoldsNoNumber) {
  EditingProgram p("935-JYRA");
  p.read();
  Form1& f = p.form();
  f.Edit1->setText("a");
  f.Edit2->setText("b");
  EXPECT_FALSE(p.program.app.validation().validateShownBoxes().allNumbers);
  EXPECT_EQ(p.boxes().errors.size(), 2u);
  EXPECT_EQ(f.Edit1->text(), "a");
  EXPECT_EQ(f.Edit2->text(), "b");
}

}  // namespace
}  // namespace tadjust

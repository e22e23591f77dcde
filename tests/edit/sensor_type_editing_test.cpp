// A technician's choice of sensor type, connection or humidity unit in the editable group, made
// on the real lists of the program's window after a simulated device was read.

#include "edit/sensor_type_editing.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QStringList>
#include <QTest>

#include "support/device_view_harness.h"
#include "support/editing_program.h"
#include "support/sensor_type_names.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::SystemLocale;

QStringList entries(const QComboBox* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
  return texts;
}

using testing::shown;

TEST(SensorTypeChoice, ThermocoupleKOnSeries9) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  f.Edit3->setText("7");
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);

  EXPECT_EQ(f.Edit1->text(), "-100");
  EXPECT_EQ(f.Edit2->text(), "1200");
  EXPECT_EQ(entries(f.ComboBox2), QStringList({"internal", "external"}));
  EXPECT_EQ(f.ComboBox2->currentText(), "internal");
  EXPECT_EQ(f.Label3->text(), "Cold junction compens.:");
  EXPECT_TRUE(shown(f.Label3) && shown(f.ComboBox2));
  EXPECT_FALSE(shown(f.Label5) || shown(f.Edit3) || shown(f.Label8));
  EXPECT_EQ(f.Edit3->text(), "0");
  EXPECT_EQ(f.Label6->text(), "[°C]");
  EXPECT_EQ(f.Label7->text(), "[°C]");
  EXPECT_TRUE(shown(f.Label9) && shown(f.Edit4) && shown(f.Label10));
  EXPECT_EQ(entryOf(p.edit().EditSensorType), kThermocoupleKEntry);
  EXPECT_EQ(p.edit().EditRangeLow, -100);
  EXPECT_EQ(p.edit().EditRangeHigh, 1200);
}

TEST(SensorTypeChoice, VoltageOnSeries7InBothNumberFormats) {
  for (bool comma : {true, false}) {
    SystemLocale locale(comma);
    EditingProgram p("RKA-49");
    p.read();
    Form1& f = p.form();
    EditingProgram::choose(f.ComboBox1, kVoltageEntry);

    EXPECT_EQ(f.Edit1->text(), locale.number("-5,4"));
    EXPECT_EQ(f.Edit2->text(), locale.number("60,1"));
    EXPECT_EQ(f.Label6->text(), "[mV]");
    EXPECT_EQ(f.Label7->text(), "[mV]");
    EXPECT_EQ(f.ComboBox2->count(), 0);
    EXPECT_FALSE(shown(f.ComboBox2) || shown(f.Label3));
    EXPECT_EQ(f.Label3->text(), "");
    EXPECT_FALSE(shown(f.Label9) || shown(f.Edit4) || shown(f.Label10));
    EXPECT_FALSE(shown(f.Label5) || shown(f.Edit3) || shown(f.Label8));
    EXPECT_EQ(entryOf(p.edit().EditSensorType), kVoltageEntry);
  }
}

// The series-sensor model shows its resistance input at five times the device's value; the
// defaults are already valid, so validating them again changes nothing.
TEST(SensorTypeChoice, ResistanceOnRkn40f3BySeries) {
  SystemLocale locale(true);
  const struct {
    const char* code;
    const char* low;
    const char* high;
    double deviceLow, deviceHigh;
  } cases[] = {
      {"9016", "300", "1850", 60, 370},
      {"10016", "300", "1850", 60, 370},
      {"7016", "275", "1913", 55, 382.6},
  };
  for (const auto& c : cases) {
    EditingProgram p(c.code);
    p.read();
    Form1& f = p.form();
    EditingProgram::choose(f.ComboBox1, kResistanceEntry);
    EXPECT_EQ(f.Edit1->text(), c.low) << c.code;
    EXPECT_EQ(f.Edit2->text(), c.high) << c.code;
    EXPECT_EQ(f.Label6->text(), "[Ohm]");
    EXPECT_DOUBLE_EQ(p.edit().EditRangeLow, c.deviceLow) << c.code;
    EXPECT_DOUBLE_EQ(p.edit().EditRangeHigh, c.deviceHigh) << c.code;

    EditingProgram::leave(f.Edit1);
    EditingProgram::leave(f.Edit2);
    EXPECT_EQ(f.Edit1->text(), c.low) << c.code;
    EXPECT_EQ(f.Edit2->text(), c.high) << c.code;
  }
}

TEST(SensorTypeChoice, TwoWireOnlyModelOffersTheTwoWireConnectionAlone) {
  EditingProgram p("RKAW-49");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kPt100Entry);
  EXPECT_EQ(entries(f.ComboBox2), QStringList({"2-wire"}));
  EXPECT_EQ(f.Label3->text(), "Sensor connection:");
  // The first connection is 2-wire: the lead resistance row is shown, at 0.
  EXPECT_TRUE(shown(f.Label5) && shown(f.Edit3) && shown(f.Label8));
  EXPECT_EQ(f.Label5->text(), "Cable resistance:");
  EXPECT_EQ(f.Label8->text(), "[Ohm]");
  EXPECT_EQ(f.Edit3->text(), "0");

  EditingProgram other("RKA-49");
  other.read();
  EditingProgram::choose(other.form().ComboBox1, kResistanceEntry);
  EXPECT_EQ(entries(other.form().ComboBox2), QStringList({"2-wire", "3-wire", "4-wire"}));
}

// A product code that names no model leaves the model label's temperature branch with a series
// that has no table: no defaults, and the validation sets both range boxes to 0.
TEST(SensorTypeChoice, ASeriesWithoutATableGetsZeroRange) {
  EditingProgram p("RKA-49");
  p.program.device->setImage(
      transmitterReply(8001, [](Bytes b) { transmitter::InputConfig.set(b, 0x2010); }));
  p.read();
  ASSERT_EQ(p.program.view().model.series, 8);
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
  EXPECT_EQ(f.Edit1->text(), "0");
  EXPECT_EQ(f.Edit2->text(), "0");
  EXPECT_EQ(entries(f.ComboBox2), QStringList({"internal", "external"}));
}

TEST(HumidityUnitChoice, SwitchesUnitsAndRangeWithoutValidation) {
  EditingProgram p("ARR-43");
  p.read();
  Form1& f = p.form();
  f.Edit1->setText("abc");
  EditingProgram::choose(f.ComboBox1, "Dew Point [°C]");
  EXPECT_EQ(f.Edit19->text(), "-40");
  EXPECT_EQ(f.Edit3->text(), "80");
  EXPECT_EQ(f.Label43->text(), "[°Cdp]");
  EXPECT_EQ(f.Label8->text(), "[°Cdp]");
  EXPECT_EQ(f.Edit1->text(), "abc");  // nothing validated

  EditingProgram::choose(f.ComboBox1, "Relative Humidity [%]");
  EXPECT_EQ(f.Edit19->text(), "0");
  EXPECT_EQ(f.Edit3->text(), "100");
  EXPECT_EQ(f.Label43->text(), "[%RH]");
  EXPECT_EQ(f.Label8->text(), "[%RH]");
  EXPECT_EQ(f.Edit1->text(), "abc");
}

TEST(ConnectionChoice, ExternalCompensationShowsTheRowWithTheValueItHolds) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
  f.Edit3->setText("25");
  EditingProgram::choose(f.ComboBox2, "external");
  EXPECT_TRUE(shown(f.Label5) && shown(f.Edit3) && shown(f.Label8));
  EXPECT_EQ(f.Label5->text(), "Cold junction temp.:");
  EXPECT_EQ(f.Label8->text(), "[°C]");
  EXPECT_EQ(f.Edit3->text(), "25");

  EditingProgram::choose(f.ComboBox2, "internal");
  EXPECT_FALSE(shown(f.Label5) || shown(f.Edit3) || shown(f.Label8));
  EXPECT_EQ(f.Edit3->text(), "25");
}

TEST(ConnectionChoice, ThreeWireHidesTheLeadResistanceRowAndTwoWireShowsIt) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kPt100Entry);
  EditingProgram::choose(f.ComboBox2, "3-wire");
  EXPECT_FALSE(shown(f.Label5) || shown(f.Edit3) || shown(f.Label8));
  EditingProgram::choose(f.ComboBox2, "2-wire");
  EXPECT_TRUE(shown(f.Label5) && shown(f.Edit3) && shown(f.Label8));
  EXPECT_EQ(f.Label5->text(), "Cable resistance:");
}

// On the indicator ComboBox2 is the display precision: a choice there changes no row.
TEST(ConnectionChoice, IndicatorPrecisionChangesNothing) {
  EditingProgram p("GWA-43");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox2, 2);
  EXPECT_EQ(f.Label5->text(), "Alarm low level:");
  EXPECT_TRUE(shown(f.Edit3));
  EXPECT_FALSE(shown(f.Label8));
}

// Label3 follows ComboBox2: hidden with it for the voltage input, shown again with the list.
TEST(SensorTypeChoice, ConnectionCaptionReturnsWithTheList) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kVoltageEntry);
  ASSERT_FALSE(shown(f.Label3));
  EditingProgram::choose(f.ComboBox1, kNi100Entry);
  EXPECT_TRUE(shown(f.Label3) && shown(f.ComboBox2));
  EXPECT_EQ(f.Label3->text(), "Sensor connection:");
  EXPECT_EQ(f.Edit1->text(), "-60");
  EXPECT_EQ(f.Edit2->text(), "180");
  EXPECT_EQ(f.Label6->text(), "[°C]");
  EXPECT_TRUE(shown(f.Edit4));
}

// A copy of a voltage input hides the connection row with its caption; a new sensor choice
// brings both back.
TEST(SensorTypeChoice, AfterACopyOfAVoltageInputTheCaptionReturnsWithTheList) {
  EditingProgram p("RKA-49");
  p.program.device->setImage(transmitterReply(7001, [](Bytes b) {
    transmitter::InputConfig.set(b, 0x1000);  // voltage
    transmitter::RangeLowRaw.set(b, 5400);
    transmitter::RangeHighRaw.set(b, 15400);
  }));
  p.read();
  Form1& f = p.form();
  f.BitBtn3->click();
  ASSERT_EQ(entryOf(p.edit().EditSensorType), kVoltageEntry);
  ASSERT_FALSE(shown(f.Label3) || shown(f.ComboBox2));
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
  EXPECT_TRUE(shown(f.Label3) && shown(f.ComboBox2));
  EXPECT_EQ(f.Label3->text(), "Cold junction compens.:");
}

TEST(SensorTypeChoice, CaptionsAndListsInPolish) {
  EditingProgram p("9001", false);
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
  EXPECT_EQ(f.Label3->text(), "Komp. zimnych końców:");
  EXPECT_EQ(entries(f.ComboBox2), QStringList({"wewnętrzna", "zewnętrzna"}));
  EditingProgram::choose(f.ComboBox2, "zewnętrzna");
  EXPECT_EQ(f.Label5->text(), "Temp. zimnych końców:");

  EditingProgram::choose(f.ComboBox1, kPt100Entry);
  EXPECT_EQ(f.Label3->text(), "Podłączenie:");
  EXPECT_EQ(entries(f.ComboBox2), QStringList({"2-przewodowe", "3-przewodowe", "4-przewodowe"}));
  EXPECT_EQ(f.Label5->text(), "Rezystancja przewodów:");
}

// Only a user's choice runs the handlers: neither the layout and decoder of a read nor a
// selection made by program code change the sensor type, the rows or the range.
TEST(SensorTypeChoice, ASelectionByProgramCodeRunsNoHandler) {
  EditingProgram p("9001");
  p.read();
  p.edit().EditSensorType = SensorType::ThermocoupleN;
  Form1& f = p.form();

  f.Edit1->setText("12");
  f.ComboBox1->setCurrentIndex(kVoltageEntry);
  f.ComboBox2->setCurrentIndex(2);
  EXPECT_EQ(p.edit().EditSensorType, SensorType::ThermocoupleN);
  EXPECT_EQ(f.Label6->text(), "[°C]");
  EXPECT_EQ(f.Edit1->text(), "12");
  EXPECT_EQ(f.ComboBox2->count(), 3);
  EXPECT_TRUE(shown(f.ComboBox2) && shown(f.Edit4));
}

TEST(SensorTypeChoice, AnArrowKeyInTheListIsAChoice) {
  EditingProgram p("9001");
  p.read();
  Form1& f = p.form();
  ASSERT_EQ(f.ComboBox1->currentIndex(), kPt100Entry);
  QTest::keyClick(f.ComboBox1, Qt::Key_Down);
  EXPECT_EQ(f.ComboBox1->currentIndex(), kNi100Entry);
  EXPECT_EQ(entryOf(p.edit().EditSensorType), kNi100Entry);
  EXPECT_EQ(f.Edit1->text(), "-60");
  EXPECT_EQ(f.Edit2->text(), "180");
}

// A click on an entry of the opened list, as the user picks it.
void pickInTheOpenedList(QComboBox* list, int index) {
  list->showPopup();
  QAbstractItemView* view = list->view();
  const QRect entry = view->visualRect(view->model()->index(index, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
}

// Picking the entry a list shows again changes nothing; another entry is a choice.
TEST(SensorTypeChoice, PickingTheShownEntryAgainKeepsTheEdits) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox2, 0);
  EditingProgram::type(f.Edit1, "-50");
  EditingProgram::type(f.Edit2, "300");
  EditingProgram::type(f.Edit3, "2");

  pickInTheOpenedList(f.ComboBox1, kPt100Entry);
  pickInTheOpenedList(f.ComboBox2, 0);
  EXPECT_EQ(f.ComboBox1->currentIndex(), kPt100Entry);
  EXPECT_EQ(f.Edit1->text(), "-50");
  EXPECT_EQ(f.Edit2->text(), "300");
  EXPECT_EQ(f.Edit3->text(), "2");
  EXPECT_EQ(f.ComboBox2->currentIndex(), 0);

  pickInTheOpenedList(f.ComboBox1, kNi100Entry);
  EXPECT_EQ(f.ComboBox1->currentIndex(), kNi100Entry);
  EXPECT_EQ(f.Edit1->text(), "-60");
  EXPECT_EQ(f.Edit2->text(), "180");
  EXPECT_EQ(f.ComboBox2->currentIndex(), 0) << "the connection list starts again";
}

}  // namespace
}  // namespace tadjust

#include "view/device_group.h"

#include <gtest/gtest.h>

#include "support/device_view_harness.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using namespace transmitter;

constexpr std::uint16_t kRka49 = 7001;    // current output, series 7
constexpr std::uint16_t kRka59s9 = 9002;  // voltage output, series 9
constexpr std::uint16_t kRkn40F3 = 9016;
constexpr std::uint16_t kRq117A = 7011;
constexpr std::uint16_t kGwa43 = 10013;
constexpr std::uint16_t kArrA = 15002;
constexpr std::uint16_t kArr43 = 15004;

constexpr std::uint16_t kPt100 = 0x2000;
constexpr std::uint16_t kThermocoupleK = 0x3400;
constexpr std::uint16_t kVoltage = 0x1000;
constexpr std::uint16_t kResistance = 0x0000;
constexpr std::uint16_t kExternal = 0x0010;
constexpr std::uint16_t kThreeWire = 0x0010;

QString text(const QLineEdit* edit) { return edit->text(); }
using testing::shown;

TEST(TransmitterDecoding, TemperatureRangesShowTheExactDecimalValue) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRka49, sensor(kPt100 | kThreeWire, 3000, 30000)));
  EXPECT_EQ(text(h.form.Edit9), "-100");
  EXPECT_EQ(text(h.form.Edit10), "800");
  EXPECT_EQ(h.form.Label30->text(), "[°C]");
  h.read(transmitterReply(kRka49, sensor(kPt100 | kThreeWire, 6001, 30000)));
  EXPECT_EQ(text(h.form.Edit9), "0,0333333333333333");
}

TEST(TransmitterDecoding, TemperatureCorrectionIsSignedAndRoundedToHundredths) {
  struct Case {
    std::uint16_t raw;
    const char* shown;
  };
  for (const Case c : {Case{0xFFF1, "-0,5"}, Case{1, "0,03"}, Case{21, "0,7"}, Case{0, "0"},
                       Case{0x8000, "-1092,27"}}) {
    DeviceViewHarness h;
    h.read(transmitterReply(kRka49, [&](Bytes b) {
      InputConfig.set(b, kPt100 | kThreeWire);
      TempOffsetRaw.set(b, c.raw);
    }));
    EXPECT_EQ(text(h.form.Edit13), c.shown) << c.raw;
  }
}

TEST(TransmitterDecoding, VoltageRangesFollowTheSeriesScale) {
  struct Case {
    std::uint16_t code;
    std::uint16_t raw;
    const char* shown;
  };
  for (const Case c : {Case{kRka59s9, 5400, "0"}, Case{kRka59s9, 0, "-10,8"},
                       Case{10002, 5401, "0"},  // 0,002 rounds to hundredths
                       Case{10002, 5405, "0,01"}, Case{7002, 5401, "0"}, Case{7002, 0, "-5,4"},
                       Case{7002, 15400, "10"},
                       // 0.235 and 1.245 mV are ties: the hundredth is even, whatever the
                       // nearest doubles say.
                       Case{7002, 5635, "0,24"}, Case{7002, 6645, "1,24"}}) {
    DeviceViewHarness h;
    h.read(transmitterReply(c.code, sensor(kVoltage, c.raw, c.raw)));
    EXPECT_EQ(text(h.form.Edit9), c.shown) << c.code << " " << c.raw;
    EXPECT_EQ(h.form.Label30->text(), "[mV]");
    EXPECT_EQ(h.decoder.DeviceSensorType, SensorType::Voltage);
  }
}

TEST(TransmitterDecoding, SeriesSensorModelScalesResistanceAndLeads) {
  DeviceViewHarness h;
  const auto resistanceInput = [](Bytes b) {
    InputConfig.set(b, kResistance);
    RangeLowRaw.set(b, 0);
    RangeHighRaw.set(b, 1000);
    WireResistanceRaw.set(b, 40);
  };
  h.read(transmitterReply(kRkn40F3, resistanceInput));
  EXPECT_EQ(text(h.form.Edit9), "275");
  EXPECT_EQ(text(h.form.Edit10), "300");  // (60 Ohm) × 5
  EXPECT_EQ(text(h.form.Edit12), "1");
  EXPECT_EQ(h.form.Label30->text(), "[Ohm]");
  EXPECT_EQ(text(h.form.Edit11), "2-wire");

  h.read(transmitterReply(kRka49, resistanceInput));
  EXPECT_EQ(text(h.form.Edit9), "55");
  EXPECT_EQ(text(h.form.Edit10), "60");
  EXPECT_EQ(text(h.form.Edit12), "0,2");
  EXPECT_TRUE(shown(h.form.Edit12) && shown(h.form.Label24) && shown(h.form.Label32));
  EXPECT_FALSE(shown(h.form.Edit13) || shown(h.form.Label25) || shown(h.form.Label33));
}

TEST(TransmitterDecoding, ResistanceRoundsItsExactValueToEvenHundredths) {
  struct Case {
    std::uint16_t code;
    std::uint16_t raw;
    const char* shown;
  };
  // Raw 7 is 55.035 Ohm exactly, a tie that goes up to the even 55.04.
  for (const Case c : {Case{kRka49, 7, "55,04"}, Case{kRka49, 9, "55,04"},
                       Case{kRka49, 65535, "382,68"}, Case{kRkn40F3, 7, "275,2"}}) {
    DeviceViewHarness h;
    h.read(transmitterReply(c.code, sensor(kResistance, c.raw, c.raw)));
    EXPECT_EQ(text(h.form.Edit9), c.shown) << c.code << " " << c.raw;
  }
}

TEST(TransmitterDecoding, ThermocoupleCompensationDecidesTheSecondRow) {
  for (const bool english : {true, false}) {
    DeviceViewHarness h(english);
    h.read(transmitterReply(kRka49, [](Bytes b) {
      InputConfig.set(b, kThermocoupleK | kExternal);
      ColdJunctionTempRaw.set(b, 6750);
      WireResistanceRaw.set(b, 40);
    }));
    EXPECT_EQ(text(h.form.Edit8), english ? "K type thermocouple" : "termopara K");
    EXPECT_EQ(h.form.Label23->text(), english ? "Cold junction comp.:" : "Komp. zimnych końców:");
    EXPECT_EQ(text(h.form.Edit11), english ? "external" : "zewnętrzna");
    EXPECT_TRUE(shown(h.form.Edit12));
    EXPECT_EQ(h.form.Label24->text(), english ? "Cold junction temp.:" : "Temp. zimnych końców:");
    EXPECT_EQ(h.form.Label32->text(), "[°C]");
    EXPECT_EQ(text(h.form.Edit12), "25");
    EXPECT_EQ(h.decoder.DeviceSensorType, SensorType::ThermocoupleK);

    h.read(transmitterReply(kRka49, sensor(kThermocoupleK, 6000, 36000)));
    EXPECT_EQ(text(h.form.Edit11), english ? "internal" : "wewnętrzna");
    EXPECT_FALSE(shown(h.form.Edit12) || shown(h.form.Label24) || shown(h.form.Label32));
    EXPECT_TRUE(shown(h.form.Edit13) && shown(h.form.Label25));
  }
}

TEST(TransmitterDecoding, VoltageAfterTwoWireRtdShowsNoWireRow) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRka49, sensor(kPt100, 3000, 30000)));
  EXPECT_EQ(text(h.form.Edit11), "2-wire");
  EXPECT_TRUE(shown(h.form.Edit12));
  EXPECT_EQ(h.form.Label24->text(), "Wire resistance:");
  EXPECT_EQ(h.form.Label32->text(), "[Ohm]");

  h.read(transmitterReply(kRka49, sensor(kVoltage, 5400, 15400)));
  for (const QWidget* w :
       {static_cast<QWidget*>(h.form.Edit12), static_cast<QWidget*>(h.form.Label24),
        static_cast<QWidget*>(h.form.Label32), static_cast<QWidget*>(h.form.Edit11),
        static_cast<QWidget*>(h.form.Label23), static_cast<QWidget*>(h.form.Edit13)}) {
    EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
  }
}

TEST(TransmitterDecoding, ListEntriesForFilterOutputAndFailure) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRka49, [](Bytes b) {
    InputConfig.set(b, kPt100 | kThreeWire | kOutputReversedBit | kFailureHighBit);
    FilterTimeIndex.set(b, 6);
    Tag.set(b, "TT-101");
  }));
  EXPECT_EQ(text(h.form.Edit14), "32");
  EXPECT_EQ(text(h.form.Edit15), "20 .. 4");
  EXPECT_EQ(text(h.form.Edit16), "23");
  EXPECT_EQ(text(h.form.Edit17), "TT-101");
  EXPECT_EQ(text(h.form.Edit6), "7001");
  EXPECT_EQ(text(h.form.Edit7), "1234");

  h.read(transmitterReply(7002, [](Bytes b) {
    InputConfig.set(b, kPt100 | kThreeWire | kOutputReversedBit | kFailureHighBit);
  }));
  EXPECT_EQ(text(h.form.Edit14), "0,2");
  EXPECT_EQ(text(h.form.Edit15), "10 .. 0");
  EXPECT_EQ(text(h.form.Edit16), "11,5");
}

// Words the program never writes show a question mark with the raw value, never a text left
// over from an earlier read.
TEST(TransmitterDecoding, UnwrittenCodesShowAMarker) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRka49, sensor(0x3600 /* T */, 6000, 9000)));
  ASSERT_EQ(h.decoder.DeviceSensorType, SensorType::ThermocoupleT);

  h.read(transmitterReply(kRka49, [](Bytes b) {
    InputConfig.set(b, 0x2500 | 0x0030);  // RTD subtype 5, connection 3
    FilterTimeIndex.set(b, 7);
    RangeLowRaw.set(b, 3000);
  }));
  EXPECT_EQ(h.decoder.DeviceSensorType, SensorType::ThermocoupleT);  // kept from the last read
  EXPECT_EQ(text(h.form.Edit8), "? (5)");
  EXPECT_EQ(text(h.form.Edit11), "? (3)");
  EXPECT_EQ(h.form.Label23->text(), "Sensor connection:");
  EXPECT_EQ(text(h.form.Edit14), "? (7)");
  EXPECT_EQ(text(h.form.Edit9), "-100");  // still an RTD range
  EXPECT_FALSE(shown(h.form.Edit12));

  h.read(transmitterReply(kRka49, [](Bytes b) { InputConfig.set(b, 0x3700 | 0x0020); }));
  EXPECT_EQ(h.decoder.DeviceSensorType, SensorType::ThermocoupleT);
  EXPECT_EQ(text(h.form.Edit8), "? (7)");
  EXPECT_EQ(h.form.Label23->text(), "Cold junction comp.:");
  EXPECT_EQ(text(h.form.Edit11), "? (2)");
  EXPECT_EQ(h.form.Label30->text(), "[°C]");
  EXPECT_FALSE(shown(h.form.Edit12));
}

TEST(TransmitterDecoding, VoltageOfASeriesWithoutScaleShowsTheRawWord) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRka49, sensor(kVoltage, 5400, 15400)));
  EXPECT_EQ(text(h.form.Edit9), "0");
  Reply unknown = transmitterReply(0xFFFF, sensor(kVoltage, 5400, 15400));
  h.read(unknown);
  EXPECT_EQ(h.view.model.series, 65);
  EXPECT_EQ(h.form.Label39->text(), "RKA-49");
  EXPECT_EQ(text(h.form.Edit9), "? (5400)");
  EXPECT_EQ(text(h.form.Edit10), "? (15400)");
}

TEST(TransmitterDecoding, FixedSensorProbeHidesConnectionRowsAndLocksTheSensor) {
  DeviceViewHarness h;
  h.read(transmitterReply(kRq117A, sensor(kPt100, 4500, 12000)));
  for (const QWidget* w :
       {static_cast<QWidget*>(h.form.Label23), static_cast<QWidget*>(h.form.Label24),
        static_cast<QWidget*>(h.form.Label3), static_cast<QWidget*>(h.form.Label5),
        static_cast<QWidget*>(h.form.Label8), static_cast<QWidget*>(h.form.Label32),
        static_cast<QWidget*>(h.form.Edit11), static_cast<QWidget*>(h.form.Edit12),
        static_cast<QWidget*>(h.form.Edit3), static_cast<QWidget*>(h.form.ComboBox2)}) {
    EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
  }
  EXPECT_FALSE(h.form.ComboBox1->isEnabled());
  EXPECT_EQ(h.form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(text(h.form.Edit9), "-50");
  EXPECT_EQ(text(h.form.Edit10), "200");
  const int afterLayout = h.events.processed;
  h.read(transmitterReply(kRq117A, sensor(kPt100, 4500, 12000)));
  EXPECT_EQ(h.events.processed, afterLayout + 1);  // the probe's tail, no new layout
}

TEST(HumidityDecoding, RangesInWholeUnitsAndTheDeviceUnit) {
  for (const bool english : {true, false}) {
    DeviceViewHarness h(english);
    h.read(smallLayoutReply(kArrA, humidityFields({.unit = 1,
                                                   .tempLow = -4050,
                                                   .tempHigh = 12099,
                                                   .humLow = -1,
                                                   .humHigh = 10000,
                                                   .tempOutLow = 4000,
                                                   .tempOutHigh = 20000,
                                                   .humOutLow = -5,
                                                   .humOutHigh = 32767,
                                                   .tag = "HUMIDITY-SENSOR1"})));
    EXPECT_EQ(text(h.form.Edit6), "15002");
    EXPECT_EQ(text(h.form.Edit7), "4321");
    EXPECT_EQ(text(h.form.Edit8), "°Cdp");
    EXPECT_EQ(text(h.form.Edit9), "-40");
    EXPECT_EQ(text(h.form.Edit10), "120");
    EXPECT_EQ(text(h.form.Edit11), "0");
    EXPECT_EQ(text(h.form.Edit12), "100");
    EXPECT_EQ(text(h.form.Edit13), "4000");
    EXPECT_EQ(text(h.form.Edit16), "32767");
    EXPECT_EQ(text(h.form.Edit17), "HUMIDITY-SENSOR1");
    for (const QLabel* unit : {h.form.Label44, h.form.Label32, h.form.Label46}) {
      EXPECT_EQ(unit->text(), "[°Cdp]") << unit->objectName().toStdString();
    }
    EXPECT_EQ(h.form.Label8->text(), "[%RH]");
    EXPECT_TRUE(shown(h.form.GroupBox3) && shown(h.form.Edit20) && shown(h.form.Label44));

    h.read(smallLayoutReply(kArrA, [](Bytes b) { humidity::HumidityUnit.set(b, 2); }));
    EXPECT_EQ(text(h.form.Edit8), "%RH");
    EXPECT_EQ(h.form.Label46->text(), "[%RH]");
  }
}

TEST(HumidityDecoding, Arr43LeavesItsOutputRowsHiddenAndUnfilled) {
  DeviceViewHarness h;
  h.form.Edit13->setText("before");
  h.read(smallLayoutReply(kArr43, [](Bytes b) { humidity::TempOutLow.set(b, 4000); }));
  EXPECT_EQ(text(h.form.Edit13), "before");
  for (const QWidget* w :
       {static_cast<QWidget*>(h.form.Edit4), static_cast<QWidget*>(h.form.Edit20),
        static_cast<QWidget*>(h.form.Edit21), static_cast<QWidget*>(h.form.Edit22),
        static_cast<QWidget*>(h.form.Label9), static_cast<QWidget*>(h.form.Label15),
        static_cast<QWidget*>(h.form.Edit13), static_cast<QWidget*>(h.form.Edit16)}) {
    EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
  }
}

TEST(IndicatorDecoding, ShowsDisplayRangePrecisionAlarmsAndTag) {
  DeviceViewHarness h;
  h.read(smallLayoutReply(kGwa43, indicatorFields({.alarmFlags = 0x8002,
                                                   .displayLow = -1999,
                                                   .displayHigh = 9999,
                                                   .precision = 2,
                                                   .alarmLow = -5,
                                                   .alarmHigh = 900,
                                                   .tag = "PANEL"})));
  EXPECT_EQ(text(h.form.Edit6), "10013");
  EXPECT_EQ(text(h.form.Edit9), "-1999");
  EXPECT_EQ(text(h.form.Edit10), "9999");
  EXPECT_EQ(text(h.form.Edit11), "2");
  EXPECT_EQ(text(h.form.Edit12), "-5");
  EXPECT_EQ(text(h.form.Edit13), "900");
  EXPECT_EQ(text(h.form.Edit17), "PANEL");
  EXPECT_FALSE(h.form.CheckBox1->isChecked());
  EXPECT_TRUE(h.form.CheckBox2->isChecked());
  for (const QWidget* w :
       {static_cast<QWidget*>(h.form.Edit1), static_cast<QWidget*>(h.form.Edit2),
        static_cast<QWidget*>(h.form.ComboBox2), static_cast<QWidget*>(h.form.Edit3),
        static_cast<QWidget*>(h.form.CheckBox3), static_cast<QWidget*>(h.form.Edit4),
        static_cast<QWidget*>(h.form.CheckBox4), static_cast<QWidget*>(h.form.Edit5)}) {
    EXPECT_TRUE(shown(w)) << w->objectName().toStdString();
  }
  for (const QWidget* w :
       {static_cast<QWidget*>(h.form.ComboBox1), static_cast<QWidget*>(h.form.ComboBox3),
        static_cast<QWidget*>(h.form.ComboBox4), static_cast<QWidget*>(h.form.ComboBox5),
        static_cast<QWidget*>(h.form.Label11), static_cast<QWidget*>(h.form.Label13),
        static_cast<QWidget*>(h.form.Edit14), static_cast<QWidget*>(h.form.Edit8)}) {
    EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace tadjust

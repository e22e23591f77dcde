// The limit tables and the checks of the editable group's boxes, as values in and values out.

#include "edit/value_checks.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "edit/edited_model.h"
#include "edit/validation_limits.h"
#include "support/sensor_type_names.h"
#include "view/settings_view.h"

namespace tadjust {
namespace {

constexpr Typed kNotANumber = std::nullopt;

ShownNumber integer(double value) { return {value, NumberForm::Integer}; }
ShownNumber decimal(double value) { return {value, NumberForm::Decimal}; }

// Two-decimal results are compared to the nearest double of their decimal value within a few
// units in the last place: the shown text (15 significant digits) is the same.
void expectShown(const ShownNumber& actual, const ShownNumber& expected, const char* what) {
  EXPECT_EQ(actual.form, expected.form) << what;
  EXPECT_DOUBLE_EQ(actual.value, expected.value) << what;
}

TEST(RangeTable, ServesSeries7AndSeries9And10AndNothingElse) {
  struct Case {
    unsigned series;
    SensorType sensorType;
    std::optional<double> low, high;
  };
  const Case cases[] = {
      {7, kPt100, -100, 800},         {9, kNi100, -60, 180},       {10, kThermocoupleB, 400, 1800},
      {7, kThermocoupleT, -100, 400}, {7, kVoltage, -5.4, 60.1},   {9, kVoltage, -10, 65},
      {10, kResistance, 60, 370},     {7, kResistance, 55, 382.6}, {8, kPt100, {}, {}},
      {15, kThermocoupleK, {}, {}},   {65, kResistance, {}, {}},
  };
  for (const Case& c : cases) {
    const std::optional<SensorRange> range = sensorRange(c.series, c.sensorType);
    ASSERT_EQ(range.has_value(), c.low.has_value()) << c.series << "/" << c.sensorType;
    if (!range) continue;
    EXPECT_EQ(range->low, *c.low) << c.series << "/" << c.sensorType;
    EXPECT_EQ(range->high, *c.high) << c.series << "/" << c.sensorType;
  }
}

TEST(MinimumSpan, PerSensorType) {
  const double expected[] = {30, 30, 200, 200, 200, 100, 50, 50, 50, 2, 20};
  for (int i = 0; i < kSensorTypeCount; ++i)
    EXPECT_EQ(minimumSpan(*sensorTypeAt(i)), expected[i]) << i;
}

TEST(HumidityLimits, OneRowPerBoxModelAndUnit) {
  using enum HumidityModel;
  using enum HumidityBox;
  struct Case {
    HumidityBox box;
    HumidityModel model;
    int unit;
    double fallback, minimum, maximum, span;
  };
  const Case cases[] = {
      {Edit1, Jyra935, 0, -40, -40, 110, 10},
      {Edit1, ArrV, 1, -40, -40, 110, 10},
      {Edit1, Arr43, 0, -40, -40, 70, 10},
      {Edit2, ArrA, 0, 100, -30, 120, 10},
      {Edit2, Arr43, 1, 80, -30, 80, 10},
      {Edit19, Jyra935, 1, 0, 0, 90, 10},
      {Edit19, ArrA, 0, 0, 0, 90, 10},
      {Edit19, Arr43, 0, 0, 0, 90, 10},
      {Edit19, ArrV, 1, -40, -40, 110, 10},
      {Edit19, Arr43, 1, -40, -40, 70, 10},
      {Edit3, Jyra935, 7, 100, 10, 100, 10},
      {Edit3, ArrV, 0, 100, 10, 100, 10},
      {Edit3, ArrA, 1, 120, -30, 120, 10},
      {Edit3, Arr43, 1, 80, -30, 80, 10},
      {Edit4, Jyra935, 0, 200, 0, 4000, 500},
      {Edit4, ArrA, 0, 4000, 0, 18000, 2000},
      {Edit4, Arr43, 0, 4000, 4000, 18000, 2000},
      {Edit4, ArrV, 0, 0, 0, 9000, 1000},
      {Edit20, Jyra935, 0, 4500, 500, 4500, 500},
      {Edit20, Arr43, 0, 20000, 2000, 20000, 2000},
      {Edit20, ArrV, 0, 10000, 1000, 10000, 1000},
      {Edit21, Jyra935, 0, 200, 0, 4000, 500},
      {Edit21, Arr43, 0, 4000, 0, 18000, 2000},
      {Edit21, ArrV, 0, 0, 0, 9000, 1000},
      {Edit22, ArrA, 0, 20000, 2000, 20000, 2000},
      {Edit22, ArrV, 0, 10000, 1000, 10000, 1000},
  };
  for (const Case& c : cases) {
    const auto limits = humidityLimits(c.box, c.model, c.unit);
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(limits->fallback, c.fallback) << static_cast<int>(c.box);
    EXPECT_EQ(limits->minimum, c.minimum) << static_cast<int>(c.box);
    EXPECT_EQ(limits->maximum, c.maximum) << static_cast<int>(c.box);
    EXPECT_EQ(limits->span, c.span) << static_cast<int>(c.box);
  }
}

// With a unit choice, a unit that is neither relative humidity nor dew point leaves the humidity
// boxes unchecked; the other boxes do not depend on the unit.
TEST(HumidityLimits, AnUnknownUnitLeavesTheHumidityRangeUnchecked) {
  for (HumidityModel model : {HumidityModel::ArrA, HumidityModel::ArrV, HumidityModel::Arr43}) {
    for (int unit : {-1, 2, 5}) {
      EXPECT_FALSE(humidityLimits(HumidityBox::Edit19, model, unit).has_value());
      EXPECT_FALSE(humidityLimits(HumidityBox::Edit3, model, unit).has_value());
      EXPECT_TRUE(humidityLimits(HumidityBox::Edit1, model, unit).has_value());
      EXPECT_TRUE(humidityLimits(HumidityBox::Edit22, model, unit).has_value());
    }
  }
  EXPECT_TRUE(humidityLimits(HumidityBox::Edit19, HumidityModel::Jyra935, 5).has_value());
}

TEST(HumidityBoxes, PairsAndTheirLowerBoxes) {
  using enum HumidityBox;
  const std::pair<HumidityBox, HumidityBox> pairs[] = {
      {Edit1, Edit2}, {Edit19, Edit3}, {Edit4, Edit20}, {Edit21, Edit22}};
  for (const auto& [lower, upper] : pairs) {
    EXPECT_TRUE(isLowerBox(lower));
    EXPECT_FALSE(isLowerBox(upper));
    EXPECT_EQ(partnerOf(lower), upper);
    EXPECT_EQ(partnerOf(upper), lower);
  }
}

EditedModel editedModelOf(const char* modelLabel) {
  return editedModel(laidOutModel(modelLabel, 7));
}

TEST(EditedModel, FamilyAndParticularsOfTheModelLabel) {
  EXPECT_EQ(editedModelOf("RKA-4").family, EditedFamily::Temperature);  // not in the catalogue
  EXPECT_EQ(editedModelOf("GWA-43").family, EditedFamily::Indicator);
  EXPECT_EQ(editedModelOf("RQ-117/V").probe, FixedProbe::Rq117);
  EXPECT_EQ(editedModelOf("RQ-18x-RK/A").probe, FixedProbe::Rq18x);
  EXPECT_EQ(editedModelOf("RQ-17x-RK/V").probe, FixedProbe::Rq17x);
  EXPECT_FALSE(editedModelOf("RKA-49").probe.has_value());
  EXPECT_TRUE(editedModelOf("RKN-40F3").seriesSensor);
  EXPECT_TRUE(editedModelOf("RKAW-49").twoWireOnly);
  const EditedModel jyra = editedModelOf("935-JYRA");
  EXPECT_EQ(jyra.family, EditedFamily::Humidity);
  EXPECT_EQ(jyra.humidity, HumidityModel::Jyra935);
  EXPECT_FALSE(jyra.unitChoice);
  EXPECT_EQ(editedModelOf("ARR/V").humidity, HumidityModel::ArrV);
  EXPECT_TRUE(editedModelOf("ARR-43").unitChoice);
  EXPECT_EQ(editedModelOf("arr-43").family, EditedFamily::Temperature);  // names compare exactly
}

struct RangeCase {
  const char* what;
  TemperatureRange range;
  Typed typed;
  double storedLow;  // upper range only
  ShownNumber shown;
  double stored;
};

constexpr TemperatureRange kPt100Series9{9, kPt100, std::nullopt, false};
constexpr TemperatureRange kBSeries7{7, kThermocoupleB, std::nullopt, false};
constexpr TemperatureRange kVoltageSeries9{9, kVoltage, std::nullopt, false};
constexpr TemperatureRange kVoltageSeries7{7, kVoltage, std::nullopt, false};
constexpr TemperatureRange kRkn40f3Resistance9{9, kResistance, std::nullopt, true};
constexpr TemperatureRange kRkn40f3Resistance7{7, kResistance, std::nullopt, true};
constexpr TemperatureRange kRkn40f3Pt500{9, kPt100, std::nullopt, true};
constexpr TemperatureRange kRq117Series9{9, kPt100, FixedProbe::Rq117, false};
constexpr TemperatureRange kRq117Series7{7, kPt100, FixedProbe::Rq117, false};
constexpr TemperatureRange kRq18xSeries10{10, kPt100, FixedProbe::Rq18x, false};
constexpr TemperatureRange kRq17xSeries9{9, kPt100, FixedProbe::Rq17x, false};
constexpr TemperatureRange kSeries8{8, kPt100, std::nullopt, false};

TEST(LowerRange, FallbackClampAndRounding) {
  const RangeCase cases[] = {
      {"not a number: L9", kPt100Series9, kNotANumber, 0, integer(-100), -100},
      {"shown rounded up, stored as typed", kPt100Series9, 12.5, 0, integer(13), 12.5},
      {"above U9 - span", kPt100Series9, 790, 0, integer(770), 770},
      {"below L9", kPt100Series9, -150, 0, integer(-100), -100},
      {"negative rounded up", kPt100Series9, -12.5, 0, integer(-12), -12.5},
      {"B series 7, above U7 - 200", kBSeries7, 1700, 0, integer(1600), 1600},
      {"voltage below L9", kVoltageSeries9, -20, 0, decimal(-10), -10},
      {"voltage: two decimals", kVoltageSeries9, 1.23456, 0, decimal(1.23), 1.23},
      {"voltage: not a number", kVoltageSeries7, kNotANumber, 0, decimal(-5.4), -5.4},
      {"RKN-40F3: 250 is 50 Ohm, below 60", kRkn40f3Resistance9, 250, 0, decimal(300), 60},
      {"RKN-40F3: 300 stays", kRkn40f3Resistance9, 300, 0, decimal(300), 60},
      {"RKN-40F3: fallback in device units", kRkn40f3Resistance7, kNotANumber, 0, decimal(275), 55},
      {"RKN-40F3 Pt500: no factor", kRkn40f3Pt500, 250, 0, integer(250), 250},
      {"RQ-117/A series 9: below -50", kRq117Series9, -60, 0, integer(-50), -50},
      {"RQ-117/A series 9: above 170", kRq117Series9, 180, 0, integer(170), 170},
      {"RQ-117/A series 7: RangeTable", kRq117Series7, 780, 0, integer(770), 770},
      {"RQ-18x series 10", kRq18xSeries10, 399, 0, integer(370), 370},
      {"RQ-17x series 9: not a number", kRq17xSeries9, kNotANumber, 0, integer(-30), -30},
      {"series without a table", kSeries8, 100, 0, integer(0), 0},
  };
  for (const RangeCase& c : cases) {
    const RangeResult result = checkLowerRange(c.range, c.typed);
    expectShown(result.shown, c.shown, c.what);
    EXPECT_DOUBLE_EQ(result.stored, c.stored) << c.what;
  }
}

TEST(UpperRange, MaximumFirstThenTheSpanAboveTheStoredLowerValue) {
  const RangeCase cases[] = {
      {"span above the lower value", kPt100Series9, 110, 100, integer(130), 130},
      {"above U9", kPt100Series9, 900, 100, integer(800), 800},
      {"shown rounded down", kPt100Series9, 500.7, 100, integer(500), 500.7},
      {"span from an unrounded lower value", kPt100Series9, 20, 12.5, integer(42), 42.5},
      {"not a number: U9", kPt100Series9, kNotANumber, 100, integer(800), 800},
      {"lower value above maximum - span", kPt100Series9, 795, 790, integer(820), 820},
      {"voltage above U9", kVoltageSeries9, 70, 0, decimal(65), 65},
      {"voltage: two decimals", kVoltageSeries9, 10.456, 0, decimal(10.46), 10.46},
      {"RKN-40F3 series 7 at U7", kRkn40f3Resistance7, 1913, 55, decimal(1913), 382.6},
      {"RKN-40F3 above U9", kRkn40f3Resistance9, 2000, 60, decimal(1850), 370},
      {"RQ-117/A series 9: span 30", kRq117Series9, 150, 130, integer(160), 160},
      {"RQ-117/A series 9: above 200", kRq117Series9, 250, 0, integer(200), 200},
      {"RQ-17x series 9: not a number", kRq17xSeries9, kNotANumber, 0, integer(70), 70},
      {"series without a table", kSeries8, 100, 0, integer(0), 0},
  };
  for (const RangeCase& c : cases) {
    const RangeResult result = checkUpperRange(c.range, c.typed, c.storedLow);
    expectShown(result.shown, c.shown, c.what);
    EXPECT_DOUBLE_EQ(result.stored, c.stored) << c.what;
  }
}

TEST(TemperatureRows, OffsetWireResistanceAndColdJunction) {
  struct Case {
    ShownNumber result;
    ShownNumber expected;
  };
  const Case cases[] = {
      {checkTempOffset(12), decimal(10)},
      {checkTempOffset(-0.456), decimal(-0.46)},
      {checkTempOffset(kNotANumber), decimal(0)},
      {checkWireOrColdJunction(true, 25), decimal(20)},
      {checkWireOrColdJunction(true, -1), decimal(0)},
      {checkWireOrColdJunction(true, 2.5), decimal(2.5)},
      {checkWireOrColdJunction(false, 150), decimal(100)},
      {checkWireOrColdJunction(false, -60), decimal(-50)},
      {checkWireOrColdJunction(false, kNotANumber), decimal(0)},
  };
  for (const Case& c : cases) expectShown(c.result, c.expected, "");
}

TEST(IndicatorChecks, DisplayRangeAndAlarmLevels) {
  EXPECT_EQ(checkDisplayLow(-1500).shown, integer(-999));
  EXPECT_EQ(checkDisplayLow(kNotANumber).shown, integer(0));
  EXPECT_EQ(checkDisplayHigh(kNotANumber).shown, integer(100));
  EXPECT_EQ(checkDisplayHigh(12000).shown, integer(9999));
  const RangeResult unrounded = checkDisplayLow(12.5);
  EXPECT_EQ(unrounded.shown, integer(13));
  EXPECT_EQ(unrounded.stored, 12.5);

  struct Case {
    const char* what;
    ShownNumber result;
    double expected;
  };
  const Case cases[] = {
      {"high below the low alarm becomes high", checkAlarmHigh(40, 50, 0, 100), 100},
      {"high below low", checkAlarmHigh(-5, 50, 0, 100), 0},
      {"high above high", checkAlarmHigh(150, 50, 0, 100), 100},
      {"high in order", checkAlarmHigh(60, 50, 0, 100), 60},
      {"high not a number", checkAlarmHigh(kNotANumber, 50, 0, 100), 100},
      {"high's partner not a number", checkAlarmHigh(60, kNotANumber, 0, 100), 100},
      {"low above the high alarm becomes low", checkAlarmLow(50, 40, 0, 100), 0},
      {"low in order", checkAlarmLow(30, 40, 0, 100), 30},
      {"low's partner not a number", checkAlarmLow(30, kNotANumber, 0, 100), 0},
      {"reversed range: low above low end", checkAlarmLow(150, 50, 100, 0), 100},
      {"reversed range: low below high end", checkAlarmLow(-10, 50, 100, 0), 0},
      {"reversed range: alarms reversed", checkAlarmLow(30, 40, 100, 0), 100},
      {"reversed range: high in order", checkAlarmHigh(30, 40, 100, 0), 30},
      {"reversed range: high out of order", checkAlarmHigh(50, 40, 100, 0), 0},
      {"rounded up", checkAlarmLow(12.2, 40, 0, 100), 13},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, integer(c.expected)) << c.what;
}

TEST(HumidityPair, ClampsTheBoxAndPushesThePartnerAway) {
  using enum HumidityBox;
  const HumidityLimits arrVOutputLow = *humidityLimits(Edit4, HumidityModel::ArrV, 0);
  const HumidityLimits arrADewLow = *humidityLimits(Edit19, HumidityModel::ArrA, kDewPoint);
  const HumidityLimits arr43RhHigh = *humidityLimits(Edit3, HumidityModel::Arr43, 0);
  const HumidityLimits jyraTempLow = *humidityLimits(Edit1, HumidityModel::Jyra935, 0);
  struct Case {
    const char* what;
    PairResult result;
    double value, partner;
  };
  const Case cases[] = {
      {"ARR/V output above 9000", checkHumidityPair(Edit4, arrVOutputLow, 9500, 9500), 9000, 10000},
      {"partner already far enough", checkHumidityPair(Edit4, arrVOutputLow, 100, 10000), 100,
       10000},
      {"ARR/A dew point below -40", checkHumidityPair(Edit19, arrADewLow, -50, -35), -40, -30},
      {"ARR-43 %RH 90 stays", checkHumidityPair(Edit3, arr43RhHigh, 90, 0), 90, 0},
      {"ARR-43 %RH above 100", checkHumidityPair(Edit3, arr43RhHigh, 120, 0), 100, 0},
      {"upper pushes the partner down", checkHumidityPair(Edit3, arr43RhHigh, 20, 15), 20, 10},
      {"not a number: fallback", checkHumidityPair(Edit1, jyraTempLow, kNotANumber, 100), -40, 100},
      {"rounded up, partner too", checkHumidityPair(Edit1, jyraTempLow, 20.2, 25.5), 21, 31},
      {"partner not clamped", checkHumidityPair(Edit1, jyraTempLow, 0, 500), 0, 500},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.result.value, integer(c.value)) << c.what;
    EXPECT_EQ(c.result.partner, integer(c.partner)) << c.what;
  }
}

}  // namespace
}  // namespace tadjust

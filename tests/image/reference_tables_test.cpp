#include <gtest/gtest.h>

#include <stdexcept>

#include "image/cold_junction_table.h"
#include "image/sensor_reference_tables.h"
#include "support/sensor_type_names.h"

namespace tadjust {
namespace {

TEST(SensorReferenceTables, CoverEachSensorsDegrees) {
  struct Case {
    SensorType sensorType;
    int first, last;
  };
  const Case cases[] = {
      {kPt100, -200, 850},          {kNi100, -60, 190},           {kThermocoupleB, 40, 1900},
      {kThermocoupleR, -40, 1768},  {kThermocoupleS, -40, 1768},  {kThermocoupleN, -260, 1400},
      {kThermocoupleK, -260, 1372}, {kThermocoupleJ, -200, 1200}, {kThermocoupleT, -260, 419}};
  for (const Case& c : cases) {
    const SensorReferenceTable& table = sensorReferenceTable(c.sensorType);
    EXPECT_EQ(table.firstTemperature, c.first) << c.sensorType;
    EXPECT_EQ(table.lastTemperature(), c.last) << c.sensorType;
    ASSERT_EQ(table.signalValues.size(), table.thousandths.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
      // Each double is the one nearest to the decimal value.
      ASSERT_EQ(table.signalValues[i], table.thousandths[i] / 1000.0) << c.sensorType << " " << i;
      if (i > 0) {
        ASSERT_GE(table.thousandths[i], table.thousandths[i - 1]) << c.sensorType;
      }
    }
  }
  EXPECT_THROW(sensorReferenceTable(kVoltage), std::out_of_range);
  EXPECT_THROW(sensorReferenceTable(kResistance), std::out_of_range);
}

TEST(SensorReferenceTables, MatchTheStandardsAndTheirContinuations) {
  struct Case {
    SensorType sensorType;
    int temperature;
    std::int32_t thousandths;
  };
  const Case cases[] = {
      // Pt100; 138.5055 at 100 °C and 107.7935 at 20 °C are exact ties, rounded to even.
      {kPt100, -200, 18520},
      {kPt100, 0, 100000},
      {kPt100, 20, 107794},
      {kPt100, 100, 138506},
      {kPt100, 850, 390481},
      {kPt100, -100, 60256},
      // Ni100: the maker's table, then 0.82 Ohm per degree from 160 °C.
      {kNi100, -60, 69515},
      {kNi100, 0, 100000},
      {kNi100, 159, 205873},
      {kNi100, 160, 206700},
      {kNi100, 169, 214080},
      {kNi100, 190, 231300},
      // Check values of the thermocouple reference functions.
      {kThermocoupleK, 100, 4096},
      {kThermocoupleJ, 100, 5269},
      {kThermocoupleT, 100, 4279},
      {kThermocoupleN, 100, 2774},
      {kThermocoupleR, 1000, 10506},
      {kThermocoupleS, 1000, 9587},
      {kThermocoupleB, 1000, 4834},
      {kThermocoupleB, 1820, 13820},
      {kThermocoupleR, 1768, 21101},
      {kThermocoupleS, 1768, 18693},
      {kThermocoupleK, 1372, 54886},
      {kThermocoupleJ, 1200, 69553},
      {kThermocoupleJ, -200, -7890},
      {kThermocoupleT, 400, 20872},
      {kThermocoupleN, 1300, 47513},
      {kThermocoupleR, -40, -188},
      {kThermocoupleS, -40, -194},
      {kThermocoupleK, 0, 0},
      {kThermocoupleK, 1032, 42518},
      // Linear continuations beyond the standard's range: B +0.01145 mV per degree (13.9345 at
      // 1830 is a tie), N +0.034, T +0.062.
      {kThermocoupleB, 1830, 13934},
      {kThermocoupleB, 1844, 14095},
      {kThermocoupleB, 1900, 14736},
      {kThermocoupleN, 1344, 49009},
      {kThermocoupleN, 1400, 50913},
      {kThermocoupleT, 416, 21864},
      {kThermocoupleT, 419, 22050},
  };
  for (const Case& c : cases) {
    const SensorReferenceTable& table = sensorReferenceTable(c.sensorType);
    EXPECT_EQ(table.thousandthsAt(c.temperature), c.thousandths)
        << "sensor " << c.sensorType << " at " << c.temperature;
  }
  EXPECT_EQ(sensorReferenceTable(kPt100).signalAt(100), 138.506);
}

TEST(SignalRawScale, BySensorClassAndSeries) {
  EXPECT_EQ(signalRawScale(kPt100, 65)->zeroThousandths, 55000);
  EXPECT_EQ(signalRawScale(kNi100, 7)->thousandthsPerStep, 5);
  EXPECT_EQ(signalRawScale(kThermocoupleK, 7)->zeroThousandths, -5400);
  EXPECT_EQ(signalRawScale(kThermocoupleK, 7)->thousandthsPerStep, 1);
  for (unsigned series : {9u, 10u}) {
    EXPECT_EQ(signalRawScale(kThermocoupleT, series)->zeroThousandths, -10800);
    EXPECT_EQ(signalRawScale(kThermocoupleT, series)->thousandthsPerStep, 2);
  }
  EXPECT_FALSE(signalRawScale(kThermocoupleB, 15));
  EXPECT_FALSE(signalRawScale(kVoltage, 7));  // voltage input: no table
}

TEST(ColdJunctionTable, RowsBySeries) {
  const ColdJunctionRow& b7 = coldJunctionRow(kThermocoupleB, 7);
  EXPECT_EQ(b7.temperature,
            (std::array<std::uint16_t, 7>{4800, 7200, 7500, 7800, 8100, 8400, 9000}));
  EXPECT_EQ(b7.slope, (std::array<std::uint16_t, 7>{0, 218, 436, 546, 655, 874, 1092}));
  const ColdJunctionRow& t9 = coldJunctionRow(kThermocoupleT, 9);
  EXPECT_EQ(t9.signal, (std::array<std::uint16_t, 7>{4490, 4767, 5133, 5575, 6039, 6525, 7079}));
  EXPECT_EQ(&coldJunctionRow(kThermocoupleJ, 10), &coldJunctionRow(kThermocoupleJ, 9));
  EXPECT_EQ(coldJunctionRow(kThermocoupleJ, 7).slope[6], 58945);
  EXPECT_EQ(coldJunctionRow(kThermocoupleJ, 9).slope[6], 29472);
  EXPECT_THROW(coldJunctionRow(kPt100, 7), std::out_of_range);
  EXPECT_THROW(coldJunctionRow(kVoltage, 7), std::out_of_range);
}

}  // namespace
}  // namespace tadjust

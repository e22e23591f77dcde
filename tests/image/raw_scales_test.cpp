#include "image/raw_scales.h"

#include <gtest/gtest.h>

namespace tadjust::raw_scales {
namespace {

// Expected values are decimal literals (the double nearest the decimal value) or exact ratios:
// a conversion that forms the integer difference first and divides once hits them exactly.
TEST(RawScales, TemperatureWords) {
  EXPECT_EQ(temperatureFromRaw(3000), -100.0);
  EXPECT_EQ(temperatureFromRaw(30000), 800.0);
  EXPECT_EQ(temperatureFromRaw(0), -200.0);
  EXPECT_EQ(temperatureFromRaw(65535), 1984.5);
  EXPECT_EQ(temperatureFromRaw(6001), 1.0 / 30);
  // The naive order of operations misses the decimal value in the 15th digit.
  EXPECT_NE(6001 / 30.0 - 200, 1.0 / 30);
}

TEST(RawScales, TemperatureCorrectionIsSigned) {
  EXPECT_EQ(tempOffsetFromRaw(static_cast<std::int16_t>(0xFFF1)), -0.5);
  EXPECT_EQ(tempOffsetFromRaw(static_cast<std::int16_t>(0xFFE2)), -1.0);
  EXPECT_EQ(tempOffsetFromRaw(1), 1.0 / 30);
  EXPECT_EQ(tempOffsetFromRaw(-32768), -32768.0 / 30);
}

struct VoltageCase {
  std::uint16_t raw;
  unsigned series;
  std::optional<double> millivolts;
};

TEST(RawScales, VoltageWordsBySeries) {
  const VoltageCase cases[] = {
      {5400, 7, 0.0},           {5401, 7, 0.001},        {0, 7, -5.4},
      {65535, 7, 60.135},       {5400, 9, 0.0},          {0, 9, -10.8},
      {5401, 10, 0.002},        {65535, 10, 120.27},     {5400, 15, std::nullopt},
      {5400, 65, std::nullopt}, {5400, 0, std::nullopt},
  };
  for (const VoltageCase& c : cases) {
    EXPECT_EQ(voltageFromRaw(c.raw, c.series), c.millivolts) << c.raw << " series " << c.series;
  }
}

TEST(RawScales, ResistanceWords) {
  EXPECT_EQ(resistanceFromRaw(0), 55.0);
  EXPECT_EQ(resistanceFromRaw(1), 55.005);
  EXPECT_EQ(resistanceFromRaw(65535), 382.675);
  EXPECT_EQ(wireResistanceFromRaw(40, false), 0.2);
  EXPECT_EQ(wireResistanceFromRaw(40, true), 1.0);
  EXPECT_EQ(wireResistanceFromRaw(1, false), 0.005);
  EXPECT_EQ(wireResistanceFromRaw(0, true), 0.0);
}

}  // namespace
}  // namespace tadjust::raw_scales

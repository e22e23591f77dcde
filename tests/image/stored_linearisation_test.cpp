// The linearisation table read back from an image: the tables the encoder's fit stores, for a
// resistance thermometer and thermocouples on each signal scale, give back their breakpoints,
// and the segments as the device evaluates them stay on the sensor's reference curve.

#include "image/stored_linearisation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "image/linearisation.h"

namespace tadjust {
namespace {

namespace tx = transmitter;

struct TableCase {
  SensorType sensor;
  unsigned series;
  int low, high;  // the window's whole-degree limits
};

TEST(StoredLinearisation, GivesBackTheBreakpointsAndSegmentsTheFitStored) {
  for (const TableCase& c : {TableCase{SensorType::Pt100, 7, -2, 104},
                             TableCase{SensorType::ThermocoupleK, 7, -13, 1032},
                             TableCase{SensorType::ThermocoupleN, 9, 139, 1027},
                             TableCase{SensorType::ThermocoupleJ, 10, -10, 620}}) {
    SCOPED_TRACE(static_cast<int>(c.sensor));
    std::array<std::uint8_t, kSettingsImageSize> image{};
    const Bytes block(image.data(), kTransmitterBlockSize);
    for (std::size_t i = 0; i < tx::LinSignal.count; ++i) tx::LinSignal.set(block, i, 0xFFFF);
    const int span = c.high - c.low;
    const LinearisationResult fit =
        buildLinearisation(c.sensor, c.series, c.low, c.high, span, block);
    ASSERT_TRUE(fit.writable());
    tx::InputConfig.set(image, sensorCode(c.sensor));

    const std::optional<StoredLinearisation> stored = storedLinearisation(image, c.series);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->sensorType, c.sensor);
    ASSERT_EQ(stored->breakpoints.size(), static_cast<std::size_t>(fit.segments));
    const double signalStep = stored->scale.thousandthsPerStep / 1000.0;
    const double tolerance = fit.fitTolerance / 100 * span;
    for (std::size_t i = 0; i < stored->breakpoints.size(); ++i) {
      const StoredBreakpoint& point = stored->breakpoints[i];
      EXPECT_NEAR(point.signal(), fit.breakpoints[i].signal, signalStep / 2 + 1e-9);
      EXPECT_NEAR(point.temperature, fit.breakpoints[i].temperature, 1.0 / 60 + 1e-9);
      EXPECT_NEAR(stored->slopeOf(i), fit.breakpoints[i].slope, fit.breakpoints[i].slope * 1e-3);
      // Where the next segment starts, this one still meets the reference within the fit's
      // tolerance (and the rounding of the words).
      if (i + 1 < stored->breakpoints.size()) {
        const StoredBreakpoint& next = stored->breakpoints[i + 1];
        const double reference = fit.breakpoints[i + 1].temperature;
        EXPECT_NEAR(stored->temperatureOnSegment(i, next.signalThousandths), reference,
                    tolerance + 0.1);
        EXPECT_DOUBLE_EQ(stored->temperatureAt(next.signalThousandths),
                         stored->temperatureOnSegment(i + 1, next.signalThousandths));
      }
    }
  }
}

TEST(StoredLinearisation, AnErasedTableIsEmptyAndOtherInputsHaveNone) {
  std::array<std::uint8_t, kSettingsImageSize> image{};
  for (std::size_t i = 0; i < tx::LinSignal.count; ++i) tx::LinSignal.set(image, i, 0xFFFF);
  tx::InputConfig.set(image, sensorCode(SensorType::ThermocoupleK));
  ASSERT_TRUE(storedLinearisation(image, 7).has_value());
  EXPECT_TRUE(storedLinearisation(image, 7)->empty());
  // A thermocouple on a series without a voltage scale, and the voltage and resistance inputs.
  EXPECT_FALSE(storedLinearisation(image, 8).has_value());
  for (const SensorType other : {SensorType::Voltage, SensorType::Resistance}) {
    tx::InputConfig.set(image, sensorCode(other));
    EXPECT_FALSE(storedLinearisation(image, 7).has_value());
  }
}

}  // namespace
}  // namespace tadjust

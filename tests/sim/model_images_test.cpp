// The images a simulated device starts with: every model of the catalogue is recognised by the
// program's own settlement, and every field the program shows holds a value it accepts.

#include "sim/model_images.h"

#include <gtest/gtest.h>

#include <string>

#include "support/model_sets.h"

namespace tadjust {
namespace {

using namespace testing;  // the model sets by name

namespace tx = transmitter;

std::uint16_t settledCode(const ImageBytes& image) {
  SettingsImages images;
  images.SettingsImage = image;
  settleProductCode(images);
  return images.ProductCode();
}

TEST(FindSimulatedModel, ByNameWithASeriesOrByProductCode) {
  EXPECT_EQ(findSimulatedModel("RKA-49")->productCode, 7001);
  EXPECT_EQ(findSimulatedModel("RKA-49", 10)->productCode, 10001);
  EXPECT_EQ(findSimulatedModel("9016")->model.name, "RKN-40F3");
  EXPECT_EQ(findSimulatedModel("ARR/A", 9)->productCode, 15002);
  EXPECT_EQ(findSimulatedModel("15004")->model.name, "ARR-43");
  for (const char* unknown : {"RKA-4", "rka-49", "", "9009", "15005", "70000", "7001x"}) {
    EXPECT_FALSE(findSimulatedModel(unknown).has_value()) << unknown;
  }
  EXPECT_FALSE(findSimulatedModel("RKA-49", 8).has_value());
}

// The limits the program puts on an entered range, per sensor-type index: series 7, then 9/10.
struct RangeLimits {
  double low7, high7, low9, high9, minimumSpan;
};
constexpr RangeLimits kRangeLimits[] = {
    {-100, 800, -100, 800, 30},   {-60, 180, -60, 180, 30},     {400, 1800, 400, 1800, 200},
    {0, 1600, 0, 1600, 200},      {0, 1600, 0, 1600, 200},      {-100, 1300, -100, 1300, 100},
    {-100, 1200, -100, 1200, 50}, {-100, 1000, -100, 1000, 50}, {-100, 400, -100, 400, 50},
    {-5.4, 60.1, -10, 65, 2},     {55, 382.6, 60, 370, 20}};

int sensorIndex(std::uint16_t config) {
  switch (tx::sensorClass(config)) {
    case tx::kResistance:
      return 10;
    case tx::kVoltage:
      return 9;
    case tx::kRtd:
      return tx::sensorSubtype(config) <= 1 ? tx::sensorSubtype(config) : -1;
    default:
      return tx::sensorSubtype(config) <= 6 ? tx::sensorSubtype(config) + 2 : -1;
  }
}

double rangeValue(std::uint16_t raw, int sensor, unsigned series) {
  if (sensor == 9) return (raw - 5400) / (series == 7 ? 1000.0 : 500.0);
  if (sensor == 10) return raw / 200.0 + 55;
  return (raw - 6000) / 30.0;
}

void expectPlausibleTransmitter(const ImageBytes& image, const DeviceModel& model,
                                unsigned series) {
  const std::uint16_t config = tx::InputConfig.get(image);
  const int sensor = sensorIndex(config);
  ASSERT_GE(sensor, 0);
  EXPECT_EQ(config & 0xC8CCu, 0u) << "bits 2-3, 6-7, 11, 14-15 are unused";
  const int connection = tx::connectionCode(config);
  if (sensor <= 1) {
    EXPECT_LE(connection, 2);
  }
  if (sensor >= 2 && sensor <= 8) {
    EXPECT_LE(connection, 1);
  }
  if (sensor >= 9) {
    EXPECT_EQ(connection, 0);
  }
  if (isTwoWireOnly(model.name)) {
    EXPECT_EQ(connection, 0);
  }
  if (isFixedSensorProbe(model.name) || hasSpecialSensorList(model.name)) {
    EXPECT_LE(sensor, 1);
  }

  const double low = rangeValue(tx::RangeLowRaw.get(image), sensor, series);
  const double high = rangeValue(tx::RangeHighRaw.get(image), sensor, series);
  const RangeLimits& limits = kRangeLimits[sensor];
  EXPECT_GE(low, series == 7 ? limits.low7 : limits.low9);
  EXPECT_LE(high, series == 7 ? limits.high7 : limits.high9);
  EXPECT_GE(high - low, limits.minimumSpan);
  if (!model.defaultLow.empty()) {
    EXPECT_GE(low, std::stod(std::string(model.defaultLow)));
    EXPECT_LE(high, std::stod(std::string(model.defaultHigh)));
  }

  EXPECT_LE(tx::FilterTimeIndex.get(image), 6);
  EXPECT_LE(std::abs(tx::TempOffsetRaw.get(image)), 10 * 30);
  EXPECT_LE(tx::WireResistanceRaw.get(image), 20 * 200);
  EXPECT_FALSE(tx::Tag.get(image).empty());
  if (sensor >= 9) {
    EXPECT_LT(tx::InputLimitLowRaw.get(image), tx::RangeLowRaw.get(image));
    EXPECT_GT(tx::InputLimitHighRaw.get(image), tx::RangeHighRaw.get(image));
  }
}

void expectPlausibleIndicator(const ImageBytes& image) {
  namespace ind = indicator;
  EXPECT_EQ(ind::InputCalLow.get(image), 6554);
  EXPECT_EQ(ind::InputCalHigh.get(image), 32768);
  EXPECT_LE(ind::Precision.get(image), 3);
  EXPECT_GE(ind::AlarmLow.get(image), ind::DisplayLow.get(image));
  EXPECT_LE(ind::AlarmHigh.get(image), ind::DisplayHigh.get(image));
  // The scaling words are those the program computes for display 0..1000 and alarms 100, 900.
  EXPECT_EQ(ind::ScaleGain.get(image), 1250);
  EXPECT_EQ(ind::ScaleShift.get(image), 15);
  EXPECT_EQ(ind::ScaleOffset.get(image), -251);
  EXPECT_EQ(ind::AlarmLowRaw.get(image), 9201);
  EXPECT_FALSE(ind::Tag.get(image).empty());
  EXPECT_EQ(tx::ProductCode.get(image), 0xFFFF);
}

void expectPlausibleHumidity(const ImageBytes& image, const DeviceModel& model) {
  namespace hum = humidity;
  const bool dewPoint = hum::HumidityUnit.get(image) == 1;
  EXPECT_LE(hum::HumidityUnit.get(image), 1);
  if (!hasUnitChoice(model.name)) {
    EXPECT_FALSE(dewPoint);
  }
  const int tempHigh = model.name == "ARR-43" ? 8000 : 12000;
  EXPECT_GE(hum::TempRangeLow.get(image), -4000);
  EXPECT_LE(hum::TempRangeHigh.get(image), tempHigh);
  EXPECT_GE(hum::TempRangeHigh.get(image) - hum::TempRangeLow.get(image), 1000);
  EXPECT_GE(hum::HumRangeLow.get(image), dewPoint ? -4000 : 0);
  EXPECT_LE(hum::HumRangeHigh.get(image), dewPoint ? tempHigh : 10000);
  EXPECT_GE(hum::HumRangeHigh.get(image) - hum::HumRangeLow.get(image), 1000);
  EXPECT_LT(hum::TempOutLow.get(image), hum::TempOutHigh.get(image));
  EXPECT_LT(hum::HumOutLow.get(image), hum::HumOutHigh.get(image));
  EXPECT_FALSE(hum::Tag.get(image).empty());
  EXPECT_EQ(tx::ProductCode.get(image), 0);
}

TEST(ModelImages, EveryModelIsRecognisedAndPlausibleInEverySeries) {
  for (const DeviceModel& model : allDeviceModels()) {
    for (unsigned s : {7u, 9u, 10u}) {
      SCOPED_TRACE(std::string(model.name) + " series " + std::to_string(s));
      const auto simulated = findSimulatedModel(model.name, s);
      ASSERT_TRUE(simulated.has_value());
      const ImageBytes image = makeModelImage(*simulated, 31337);

      const std::uint16_t code = settledCode(image);
      ASSERT_TRUE(findDeviceModel(code).has_value());
      EXPECT_EQ(findDeviceModel(code)->name, model.name);

      switch (model.family) {
        case ModelFamily::Indicator:
          EXPECT_EQ(code, 10013);
          EXPECT_EQ(indicator::SerialNumber.get(image), 31337);
          expectPlausibleIndicator(image);
          break;
        case ModelFamily::Humidity:
          EXPECT_EQ(code, model.code);
          EXPECT_EQ(humidity::SerialNumber.get(image), 31337);
          expectPlausibleHumidity(image, model);
          break;
        default:
          EXPECT_EQ(code, s * 1000 + model.code);
          EXPECT_EQ(tx::SerialNumber.get(image), 31337);
          expectPlausibleTransmitter(image, model, s);
      }
    }
  }
}

TEST(ModelImages, SerialNumbersDifferBetweenModels) {
  EXPECT_NE(defaultSerialNumber(*findSimulatedModel("RKA-49")),
            defaultSerialNumber(*findSimulatedModel("RKA-59")));
  EXPECT_NE(defaultSerialNumber(*findSimulatedModel("7001")),
            defaultSerialNumber(*findSimulatedModel("9001")));
}

TEST(ModelImages, RandomImagesFollowTheirSeed) {
  EXPECT_EQ(makeRandomImage(5), makeRandomImage(5));
  EXPECT_NE(makeRandomImage(5), makeRandomImage(6));
}

}  // namespace
}  // namespace tadjust

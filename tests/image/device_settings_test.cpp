#include "image/device_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "image/settings_encoder.h"
#include "support/laid_out_models.h"

namespace tadjust {
namespace {

using testing::modelNamed;
using testing::n;

// What the encoder writes, the decoder reads back as the same named values: the device group
// shows what was sent.
TEST(DeviceSettings, EncodedSettingsDecodeToThemselves) {
  TransmitterSettings thermocouple;
  thermocouple.sensorType = SensorType::ThermocoupleK;
  thermocouple.rangeLow = n("-50");
  thermocouple.rangeHigh = n("1000");
  thermocouple.connection = 1;
  thermocouple.coldJunctionTemperature = n("25");
  thermocouple.temperatureOffset = n("-0.7");
  thermocouple.filterIndex = 3;
  thermocouple.outputReversed = true;
  thermocouple.tag = "TT-101";

  TransmitterSettings rtd;
  rtd.sensorType = SensorType::Pt100;
  rtd.rangeLow = n("-100");
  rtd.rangeHigh = n("800");
  rtd.connection = 0;
  rtd.wireResistance = n("0.5");
  rtd.temperatureOffset = n("0");
  rtd.filterIndex = 0;
  rtd.failureHigh = true;

  TransmitterSettings voltage;
  voltage.sensorType = SensorType::Voltage;
  voltage.rangeLow = n("0");
  voltage.rangeHigh = n("50");
  voltage.filterIndex = 6;

  IndicatorSettings indicator{n("-999"), n("9999"), 2, n("-5"), n("1000"), true, false, "PI-7"};
  HumiditySettings humidity{1,         n("-40"),   n("100"),  n("0"),     n("100"),
                            n("4000"), n("20000"), n("4000"), n("20000"), "Hala 2"};

  const struct {
    const char* name;
    DeviceSettings settings;
    LaidOutModel model;
  } cases[] = {
      {"K thermocouple, external junction", thermocouple, modelNamed("RKA-49", 7)},
      {"Pt100, 2-wire", rtd, modelNamed("RKA-49", 9)},
      {"voltage", voltage, modelNamed("RKA-59", 7)},
      {"indicator", indicator, modelNamed("GWA-43", 10)},
      {"humidity", humidity, modelNamed("ARR/A", 15)},
  };
  for (const auto& c : cases) {
    SettingsImages images;
    indicator::InputCalLow.set(images.IndicatorCopy, 6554);
    indicator::InputCalHigh.set(images.IndicatorCopy, 32768);
    ASSERT_TRUE(encodeSettings(c.settings, c.model, images).encoded()) << c.name;
    // The device stores the block; its next read returns it.
    const ConstBytes block = outgoingBlock(c.model.layout, images);
    std::copy(block.begin(), block.end(), images.SettingsImage.begin());
    std::copy(block.begin(), block.end(), images.IndicatorCopy.begin());
    std::copy(block.begin(), block.end(), images.HumidityCopy.begin());
    const DeviceSettings decoded = decodeSettings(images, c.model);
    EXPECT_EQ(decoded, c.settings) << c.name;
    EXPECT_TRUE(differingFields(decoded, c.settings).empty()) << c.name;
  }
}

TEST(DeviceSettings, UnknownCodesAreKeptNotReplaced) {
  SettingsImages images;
  // A thermocouple subtype no list has (7), connection code 3, filter index 9.
  transmitter::InputConfig.set(images.SettingsImage, 0x3730);
  transmitter::FilterTimeIndex.set(images.SettingsImage, 9);
  const auto settings =
      std::get<TransmitterSettings>(decodeSettings(images, modelNamed("RKA-49", 7)));
  EXPECT_FALSE(settings.sensorType.has_value());
  EXPECT_EQ(settings.connection, 3);
  EXPECT_EQ(settings.filterIndex, 9);
  EXPECT_EQ(fieldText(settings, SettingsField::FilterTime), "?9");
  EXPECT_EQ(fieldText(settings, SettingsField::SensorType), "?");
}

TEST(DeviceSettings, DifferingFieldsNameEachChangeInRowOrder) {
  TransmitterSettings before;
  before.sensorType = SensorType::Pt100;
  before.rangeLow = n("0");
  before.rangeHigh = n("100");
  before.connection = 1;
  before.temperatureOffset = n("0.5");
  before.filterIndex = 2;
  TransmitterSettings after = before;
  after.tag = "TT-2";
  after.rangeHigh = n("100.0");  // the same number: no difference
  after.connection = 2;
  after.temperatureOffset = n("-0.5");
  EXPECT_EQ(differingFields(before, after),
            (std::vector{SettingsField::Connection, SettingsField::TemperatureOffset,
                         SettingsField::Tag}));
  EXPECT_EQ(fieldText(after, SettingsField::Connection), "4-wire");
  EXPECT_EQ(fieldText(after, SettingsField::TemperatureOffset), "-0.5");

  TransmitterSettings thermocouple = before;
  thermocouple.sensorType = SensorType::ThermocoupleK;
  EXPECT_EQ(fieldText(thermocouple, SettingsField::Connection), "external");
  // Settings of two layouts have no fields in common.
  EXPECT_TRUE(differingFields(before, IndicatorSettings{}).empty());
}

TEST(DeviceSettings, EveryLayoutsFieldsHaveDistinctKeys) {
  for (const Layout layout : {Layout::Transmitter, Layout::Indicator, Layout::Humidity}) {
    std::vector<std::string_view> keys;
    for (const SettingsField field : fieldsOf(layout)) {
      EXPECT_EQ(fieldInfo(field).field, field);
      keys.push_back(fieldInfo(field).key);
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
  }
}

}  // namespace
}  // namespace tadjust

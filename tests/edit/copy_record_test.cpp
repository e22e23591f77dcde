#include "edit/copy_record.h"

#include <gtest/gtest.h>

namespace tadjust {
namespace {

// Images as a read of each layout leaves them: the code settled at 192, the serial numbers at
// 194 (transmitter) and at 66 of the small layouts' copies.
SettingsImages imagesOf(std::uint16_t code) {
  SettingsImages images;
  transmitter::ProductCode.set(images.SettingsImage, code);
  transmitter::SerialNumber.set(images.SettingsImage, 1001);
  indicator::SerialNumber.set(images.IndicatorCopy, 2002);
  humidity::SerialNumber.set(images.HumidityCopy, 3003);
  return images;
}

TEST(CopyRecord, TheSerialNumberIsReadWhereTheModelsLayoutKeepsIt) {
  struct Case {
    Layout layout;
    std::uint16_t code;
    std::uint16_t serial;
  };
  for (const Case c :
       {Case{Layout::Transmitter, 7001, 1001}, Case{Layout::Transmitter, 0xFFFF, 1001},
        Case{Layout::Indicator, 10013, 2002}, Case{Layout::Humidity, 15004, 3003}}) {
    const DeviceIdentity identity = identifyDevice(imagesOf(c.code), c.layout, 3);
    EXPECT_EQ(identity, (DeviceIdentity{3, c.layout, c.code, c.serial})) << c.code;
  }
}

TEST(CopyRecord, MatchesOnlyTheDeviceCopiedFromOnTheSameLink) {
  const DeviceIdentity copied{2, Layout::Indicator, 10013, 2002};
  CopyRecord record;
  EXPECT_FALSE(record.copyMatches(copied)) << "nothing copied";
  record.copiedFrom = copied;
  EXPECT_TRUE(record.copyMatches(copied));
  const DeviceIdentity others[] = {
      {3, Layout::Indicator, 10013, 2002},   // linked again
      {2, Layout::Humidity, 10013, 2002},    // another layout
      {2, Layout::Indicator, 0xFFFF, 2002},  // a read that named no device
      {2, Layout::Indicator, 10013, 2003},   // another device of the model
  };
  for (const DeviceIdentity& other : others) EXPECT_FALSE(record.copyMatches(other));
}

}  // namespace
}  // namespace tadjust

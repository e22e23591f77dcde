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
    const char* model;
    std::uint16_t code;
    std::uint16_t serial;
  };
  for (const Case c : {Case{"RKA-49", 7001, 1001}, Case{"RKA-4", 0xFFFF, 1001},
                       Case{"GWA-43", 10013, 2002}, Case{"ARR-43", 15004, 3003}}) {
    const DeviceIdentity identity = identifyDevice(imagesOf(c.code), c.model, 3);
    EXPECT_EQ(identity, (DeviceIdentity{3, c.model, c.code, c.serial})) << c.model;
  }
}

TEST(CopyRecord, MatchesOnlyTheDeviceCopiedFromOnTheSameLink) {
  const DeviceIdentity copied{2, "GWA-43", 10013, 2002};
  CopyRecord record;
  EXPECT_FALSE(record.copyMatches(copied)) << "nothing copied";
  record.copiedFrom = copied;
  EXPECT_TRUE(record.copyMatches(copied));
  const DeviceIdentity others[] = {
      {3, "GWA-43", 10013, 2002},   // linked again
      {2, "ARR/A", 10013, 2002},    // another model named
      {2, "GWA-43", 0xFFFF, 2002},  // a read that named no device
      {2, "GWA-43", 10013, 2003},   // another device of the model
  };
  for (const DeviceIdentity& other : others) EXPECT_FALSE(record.copyMatches(other));
}

}  // namespace
}  // namespace tadjust

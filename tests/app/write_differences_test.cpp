// How a read-back differs from the block sent, field by field as the device group shows both,
// with the language's decimal separator: the details of "Repeat writing?".

#include "app/write_differences.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "catalogue/device_catalogue.h"
#include "support/settings_image_fixtures.h"
#include "view/settings_view.h"

namespace tadjust {
namespace {

constexpr std::uint16_t kRka49 = 7001;
constexpr std::uint16_t kGwa43 = 10013;
constexpr std::uint16_t kPt100TwoWire = 0x2000;
// A byte of the characteristic's table, which no row of the device group shows.
constexpr std::size_t kTableByte = 120;

SettingsImages readBack(const Reply& reply) {
  SettingsImages images;
  images.SettingsImage = reply;
  settleProductCode(images);
  refreshLayoutCopies(images);
  return images;
}

// The differences as a window laid out for the model tells them, in the language.
QStringList differences(const SettingsImages& read, ConstBytes sent, std::string_view model,
                        bool english) {
  Form1 form;
  form.UseEnglish = english;
  const LaidOutModel laidOut = laidOutModel(model, series(read.ProductCode()));
  return writeDifferences(form, read, sent, laidOut);
}

class WriteDifferences : public ::testing::Test {
 protected:
  WriteDifferences() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  ~WriteDifferences() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(WriteDifferences, EachDifferingRowWithBothValuesThenTheBytesNoRowShows) {
  const SettingsImages read = readBack(transmitterReply(
      kRka49,
      sensor(kPt100TwoWire, 6000, 9000, [](Bytes b) { transmitter::Tag.set(b, "TT-101"); })));
  Reply sent = read.SettingsImage;
  transmitter::InputConfig.set(sent, kPt100TwoWire | transmitter::kFailureHighBit);
  transmitter::Tag.set(sent, "TT-102");
  sent[kTableByte] ^= 0x40;
  const ConstBytes block(sent.data(), kTransmitterBlockSize);

  EXPECT_EQ(differences(read, block, "RKA-49", true),
            QStringList({"Failure indication: sent 23 [mA], read 3.5 [mA]",
                         "Tag: sent TT-102, read TT-101", "Other bytes: offsets 120"}));
  EXPECT_EQ(differences(read, block, "RKA-49", false),
            QStringList({"Sygnalizacja błędu: wysłano 23 [mA], odczytano 3,5 [mA]",
                         "Identyfikator obiektowy: wysłano TT-102, odczytano TT-101",
                         "Inne bajty: adresy 120"}));
  EXPECT_TRUE(differences(read, ConstBytes(read.SettingsImage.data(), kTransmitterBlockSize),
                          "RKA-49", true)
                  .isEmpty());
}

TEST_F(WriteDifferences, AnIndicatorsAlarmFlagIsShownByItsCheckBox) {
  const SettingsImages read =
      readBack(smallLayoutReply(kGwa43, indicatorFields({.alarmFlags = 0,
                                                         .displayLow = 0,
                                                         .displayHigh = 100,
                                                         .alarmLow = 10,
                                                         .alarmHigh = 90})));
  Reply sent = read.SettingsImage;
  indicator::AlarmFlags.set(sent, 1);
  EXPECT_EQ(differences(read, ConstBytes(sent.data(), kSmallBlockSize), "GWA-43", true),
            QStringList({"Alarm low level: sent 10 [on], read 10 [off]"}));
}

}  // namespace
}  // namespace tadjust

#include "image/settings_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tadjust {
namespace {

void put(Bytes bytes, std::size_t offset, std::uint16_t word) { writeU16(bytes, offset, word); }

TEST(Settlement, TransmitterCodeAt192LeavesTheCopiesAlone) {
  SettingsImages images;
  images.IndicatorCopy.fill(0xAA);
  images.HumidityCopy.fill(0xBB);
  put(images.SettingsImage, 192, 9001);
  put(images.SettingsImage, 64, 10013);
  settleProductCode(images);
  EXPECT_EQ(images.ProductCode(), 9001);
  EXPECT_EQ(images.IndicatorCopy[0], 0xAA);
  EXPECT_EQ(images.HumidityCopy[0], 0xBB);
}

TEST(Settlement, IndicatorCodeAt64WhenThe192WordIsUnset) {
  SettingsImages images;
  images.HumidityCopy.fill(0xBB);
  put(images.SettingsImage, 192, 0xFFFF);
  put(images.SettingsImage, 64, 10013);
  images.SettingsImage[5] = 7;
  settleProductCode(images);
  EXPECT_EQ(images.ProductCode(), 10013);
  EXPECT_EQ(images.IndicatorCopy[5], 7);
  EXPECT_EQ(images.HumidityCopy[5], 0xBB);
}

TEST(Settlement, HumidityCodeAt64RefreshesBothCopies) {
  for (std::uint16_t unset : {std::uint16_t{0}, std::uint16_t{0xFFFF}}) {
    SettingsImages images;
    put(images.SettingsImage, 192, unset);
    put(images.SettingsImage, 64, 15003);
    images.SettingsImage[127] = 9;
    images.SettingsImage[128] = 8;
    settleProductCode(images);
    EXPECT_EQ(images.ProductCode(), 15003);
    EXPECT_EQ(images.IndicatorCopy[127], 9);
    EXPECT_EQ(images.HumidityCopy[127], 9);
    EXPECT_EQ(humidity::ProductCode.get(images.HumidityCopy), 15003);
  }
}

TEST(Settlement, UnknownCodeAt64LeavesThe192WordAsItCame) {
  SettingsImages images;
  put(images.SettingsImage, 64, 15005);
  images.SettingsImage[3] = 4;
  settleProductCode(images);
  EXPECT_EQ(images.ProductCode(), 0);
  EXPECT_EQ(images.IndicatorCopy[3], 4);
  EXPECT_EQ(images.HumidityCopy[3], 4);
}

TEST(Settlement, SaysWhereItFoundTheCode) {
  struct Case {
    std::uint16_t at192, at64;
    ProductCodeFound found;
  };
  for (const Case& c :
       {Case{7013, 10013, ProductCodeFound::AtOffset192},
        Case{0xFFFF, 10013, ProductCodeFound::AtOffset64},
        Case{0, 15004, ProductCodeFound::AtOffset64}, Case{0, 15005, ProductCodeFound::Nowhere}}) {
    SettingsImages images;
    put(images.SettingsImage, 192, c.at192);
    put(images.SettingsImage, 64, c.at64);
    EXPECT_EQ(settleProductCode(images), c.found) << c.at192 << " / " << c.at64;
  }
}

TEST(Settlement, RefreshedCopiesHoldTheImageStart) {
  SettingsImages images;
  images.IndicatorCopy.fill(0xAA);
  images.HumidityCopy.fill(0xBB);
  for (std::size_t i = 0; i < kSettingsImageSize; ++i)
    images.SettingsImage[i] = static_cast<std::uint8_t>(i);
  refreshLayoutCopies(images);
  EXPECT_TRUE(std::equal(images.IndicatorCopy.begin(), images.IndicatorCopy.end(),
                         images.SettingsImage.begin()));
  EXPECT_TRUE(std::equal(images.HumidityCopy.begin(), images.HumidityCopy.end(),
                         images.SettingsImage.begin()));
}

// A reply names its device when its product code (and serial number) arrived: 196 bytes, or 68
// when the code stands at offset 64.
TEST(ReplyLength, ShortRepliesDoNotNameTheirDevice) {
  std::array<std::uint8_t, kSettingsImageSize> transmitter{};
  put(transmitter, 192, 7001);
  std::array<std::uint8_t, kSettingsImageSize> small{};
  put(small, 64, 15002);
  std::array<std::uint8_t, kSettingsImageSize> unknown{};
  put(unknown, 64, 15005);
  struct Case {
    ConstBytes reply;
    std::size_t count;
    bool names;
  };
  for (const Case& c :
       {Case{transmitter, 0, false}, Case{transmitter, 1, false}, Case{transmitter, 64, false},
        Case{transmitter, 150, false}, Case{transmitter, 195, false}, Case{transmitter, 196, true},
        Case{transmitter, 256, true}, Case{small, 67, false}, Case{small, 68, true},
        Case{unknown, 68, false}, Case{unknown, 195, false}, Case{unknown, 196, true}}) {
    EXPECT_EQ(replyNamesItsDevice(c.reply, c.count), c.names)
        << c.count << " bytes, code at 64: " << readU16(c.reply, 64);
  }
}

TEST(Fields, WordsAreLittleEndianAndSignedWhereNamedSo) {
  SettingsImages images;
  put(images.SettingsImage, 14, 0xFFE2);
  EXPECT_EQ(transmitter::TempOffsetRaw.get(images.SettingsImage), -30);
  transmitter::RangeHighRaw.set(images.SettingsImage, 30000);
  EXPECT_EQ(images.SettingsImage[8], 0x30);
  EXPECT_EQ(images.SettingsImage[9], 0x75);
  transmitter::RangeLowRaw.set(images.SettingsImage, -1);  // the low 16 bits are stored
  EXPECT_EQ(transmitter::RangeLowRaw.get(images.SettingsImage), 0xFFFF);
  transmitter::LinTemp.set(images.SettingsImage, 19, 0x1234);
  EXPECT_EQ(readU16(images.SettingsImage, 110 + 38), 0x1234);
}

TEST(Fields, WritableBlocksLeaveOutProductCodeAndSerialNumber) {
  EXPECT_GE(transmitter::ProductCode.offset, kTransmitterBlockSize);
  EXPECT_GE(transmitter::SerialNumber.offset, kTransmitterBlockSize);
  EXPECT_GE(indicator::ProductCode.offset, kSmallBlockSize);
  EXPECT_GE(humidity::SerialNumber.offset, kSmallBlockSize);
}

TEST(TagText, EndsAtTheFirstZeroOrTheFieldWidth) {
  std::array<std::uint8_t, kSettingsImageSize> image{};
  const std::string ten = "ABCDEFGHIJ";
  std::copy(ten.begin(), ten.end(), image.begin() + 18);
  image[28] = 'K';  // next field
  EXPECT_EQ(transmitter::Tag.get(image), ten);
  image[18] = 0;
  EXPECT_EQ(transmitter::Tag.get(image), "");
}

TEST(TagText, UsesTheWindows1250CodePage) {
  std::array<std::uint8_t, kSettingsImageSize> image{};
  transmitter::Tag.set(image, "Łódź-1");
  EXPECT_EQ(image[18], 0xA3);  // Ł
  EXPECT_EQ(image[19], 0xF3);  // ó
  EXPECT_EQ(transmitter::Tag.get(image), "Łódź-1");
}

TEST(TagText, CutsToTheWidthAndReplacesUnknownCharacters) {
  std::array<std::uint8_t, kSettingsImageSize> image{};
  image[34] = 0x55;  // the byte after a 16-byte humidity tag
  humidity::Tag.set(image, "€→Ω");
  EXPECT_EQ(humidity::Tag.get(image), "€??");  // € exists in Windows-1250, the others do not
  transmitter::Tag.set(image, "0123456789ABCDEF");
  EXPECT_EQ(transmitter::Tag.get(image), "0123456789");
  EXPECT_EQ(image[28], 0);  // the field is cleared first, then filled; nothing past it
  EXPECT_EQ(image[34], 0x55);
}

// What a tag box shows before a write: exactly the text a read-back of the field gives.
TEST(TagText, StoredIsWhatTheFieldGivesBack) {
  using namespace std::string_literals;
  const struct {
    const TextField& field;
    std::string typed;
    std::string stored;
  } cases[] = {
      {transmitter::Tag, "ABCDEFGHIJK", "ABCDEFGHIJ"},
      {transmitter::Tag, "T温度€", "T??€"},
      {transmitter::Tag, "T🔥温度", "T???"},
      {indicator::Tag, "Łódź-Żółw-12", "Łódź-Żółw-"},
      {humidity::Tag, "ROOM-12/ŚCIANA-PÓŁNOC", "ROOM-12/ŚCIANA-P"},
      {transmitter::Tag, "AB\0CD"s, "AB"},  // the device's text ends at a zero
      {transmitter::Tag, "A\tB\a", "A\tB\a"},
      {transmitter::Tag, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.field.stored(c.typed), c.stored) << c.typed;
    std::array<std::uint8_t, kSettingsImageSize> image{};
    c.field.set(image, c.typed);
    EXPECT_EQ(c.field.get(image), c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace tadjust

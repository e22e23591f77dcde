// Random and adversarial settings images through the program's own read: each image is what the
// simulated device holds when the exchange controller reads it, so it is settled, laid out and
// decoded by the window code, then copied for edition and encoded for a write.
//
// What must hold for every image: nothing crashes (and, under the sanitize preset, nothing reads
// or writes out of bounds); every box the device group shows holds the decoder's text for this
// image — a number, an entry of a list, the tag of the layout, or the explicit "? (raw)" marker —
// never what an earlier image left; a code that names no model is said; the copy takes the
// bytes just read; an encode either refuses or touches nothing but the outgoing block of the
// layout, so the product code and serial number stay as read.
//
// The images come from a fixed seed, so a failure names an image that can be had again.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <variant>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "numbers/number_text.h"
#include "sim/model_images.h"
#include "support/expected_frames.h"
#include "support/model_sets.h"
#include "support/simulated_program.h"
#include "ui/window_texts.h"

namespace tadjust {
namespace {

using namespace testing;  // the model sets by name

using testing::kTicksToCollect;
using testing::SimulatedProgram;

constexpr std::uint32_t kSeed = 20240611;
constexpr int kImagesOfEachCode = 60;
constexpr int kUnknownCodeImages = 1500;
constexpr int kHighByteTagImages = 1500;
constexpr int kNearlyRightImages = 1500;
constexpr int kRandomImages = 2200;

// What no decoder writes: a box still holding it after a read was left over from before.
const QString kLeftOver = QStringLiteral("\u2020left over");

struct FuzzedImage {
  std::string kind;
  ImageBytes bytes;
};

class ImageSource {
 public:
  explicit ImageSource(std::uint32_t seed) : engine_(seed) {}

  // Bytes straight from the engine, whose sequence the standard fixes.
  std::uint8_t byte() { return static_cast<std::uint8_t>(engine_() & 0xFFu); }
  std::uint8_t highByte() { return static_cast<std::uint8_t>(0x80u | (engine_() & 0x7Fu)); }
  std::uint32_t below(std::uint32_t bound) { return engine_() % bound; }

  ImageBytes random() {
    ImageBytes image{};
    for (std::uint8_t& b : image) b = byte();
    return image;
  }

 private:
  std::mt19937 engine_;
};

std::vector<std::uint16_t> catalogueCodes() {
  std::vector<std::uint16_t> codes;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    if (findDeviceModel(static_cast<std::uint16_t>(code))) {
      codes.push_back(static_cast<std::uint16_t>(code));
    }
  }
  return codes;
}

TextField tagField(std::string_view model) {
  if (isIndicator(model)) return indicator::Tag;
  if (isHumidityModel(model)) return humidity::Tag;
  return transmitter::Tag;
}

bool keptAtOffset64(std::uint16_t code) {
  return code == kIndicatorProductCode ||
         (code >= humidity::kFirstProductCode && code <= humidity::kLastProductCode);
}

// The image a device of the model holds, with a serial number from the source.
ImageBytes modelImage(std::uint16_t code, ImageSource& source) {
  const auto model = findSimulatedModel(std::to_string(code));
  return makeModelImage(*model, static_cast<std::uint16_t>(source.below(0x10000)));
}

std::vector<FuzzedImage> fuzzedImages() {
  ImageSource source(kSeed);
  std::vector<FuzzedImage> images;
  ImageBytes zeros{};
  ImageBytes ones{};
  ones.fill(0xFF);
  images.push_back({"all 0x00", zeros});
  images.push_back({"all 0xFF", ones});

  for (std::uint16_t code : catalogueCodes()) {
    for (int i = 0; i < kImagesOfEachCode; ++i) {
      ImageBytes image = source.random();
      if (keptAtOffset64(code) && i % 2 == 1) {
        // The small layouts' form: the code at 64, offset 192 unset (0 or 0xFFFF).
        transmitter::ProductCode.set(image, i % 4 == 1 ? 0 : 0xFFFF);
        indicator::ProductCode.set(image, code);
      } else {
        transmitter::ProductCode.set(image, code);
      }
      images.push_back({"code " + std::to_string(code), image});
    }
  }

  for (int i = 0; i < kUnknownCodeImages; ++i) {
    ImageBytes image = source.random();
    std::uint16_t code = 0;
    do {
      code = static_cast<std::uint16_t>(source.below(0x10000));
    } while (findDeviceModel(code) || code == 0 || code == 0xFFFF);
    transmitter::ProductCode.set(image, code);
    images.push_back({"unknown code " + std::to_string(code), image});
  }

  // A device of the model as it could be, with a tag of characters 0x80..0xFF and no zero to end
  // it: the tag fills its field, and the bytes after it are such characters too.
  const std::vector<std::uint16_t> codes = catalogueCodes();
  for (int i = 0; i < kHighByteTagImages; ++i) {
    const std::uint16_t code = codes[source.below(static_cast<std::uint32_t>(codes.size()))];
    ImageBytes image = modelImage(code, source);
    const TextField tag = tagField(findDeviceModel(code)->name);
    for (std::size_t at = tag.offset; at < tag.offset + tag.width + 2; ++at) {
      image[at] = source.highByte();
    }
    images.push_back({"high-byte tag, code " + std::to_string(code), image});
  }

  // A device of the model with a few bytes of its block gone astray.
  for (int i = 0; i < kNearlyRightImages; ++i) {
    const std::uint16_t code = codes[source.below(static_cast<std::uint32_t>(codes.size()))];
    ImageBytes image = modelImage(code, source);
    const std::size_t block = testing::expectedFrame(findDeviceModel(code)->name).blockSize;
    for (std::uint32_t n = 1 + source.below(6); n > 0; --n) {
      image[source.below(static_cast<std::uint32_t>(block))] = source.byte();
    }
    images.push_back({"nearly right, code " + std::to_string(code), image});
  }

  for (int i = 0; i < kRandomImages; ++i) images.push_back({"random", source.random()});
  return images;
}

std::vector<QLineEdit*> boxesOf(const auto& rows) {
  std::vector<QLineEdit*> boxes;
  for (const FormRow& row : rows) {
    for (QWidget* control : row.controls()) {
      if (auto* box = qobject_cast<QLineEdit*>(control)) boxes.push_back(box);
    }
  }
  return boxes;
}

bool isNumberText(const QString& text) { return number_text::readReal(text).has_value(); }

bool isRawMarker(const QString& text) {
  static const QRegularExpression marker(R"(^\? \(-?\d+\)$)");
  return marker.match(text).hasMatch();
}

// The texts of lists and units the decoder may show in a box, in both languages.
QSet<QString> listTexts(const Form1& form) {
  QSet<QString> texts{QStringLiteral("%RH"), QString::fromUtf8("°Cdp")};
  for (const QComboBox* list :
       {form.ComboBox1, form.ComboBox2, form.ComboBox3, form.ComboBox4, form.ComboBox5}) {
    for (int i = 0; i < list->count(); ++i) texts.insert(list->itemText(i));
  }
  for (const auto& table : {std::span<const BilingualText>(window_texts::Connections),
                            std::span<const BilingualText>(window_texts::Compensations)}) {
    for (const BilingualText& text : table) {
      texts.insert(text.in(true));
      texts.insert(text.in(false));
    }
  }
  return texts;
}

// The tag as the layout of the model shown keeps it.
struct TagOfLayout {
  QString text;
  std::size_t width;
};

TagOfLayout tagOf(const std::string& model, const SettingsImages& images) {
  if (isIndicator(model)) {
    return {QString::fromStdString(indicator::Tag.get(images.IndicatorCopy)), indicator::Tag.width};
  }
  if (isHumidityModel(model)) {
    return {QString::fromStdString(humidity::Tag.get(images.HumidityCopy)), humidity::Tag.width};
  }
  return {QString::fromStdString(transmitter::Tag.get(images.SettingsImage)),
          transmitter::Tag.width};
}

class FuzzedReads {
 public:
  explicit FuzzedReads(bool useEnglish) : program_("RKA-49", useEnglish) {
    program_.findBox();
    program_.connect();
  }

  // One read of the image through the exchange, the copy for edition, the encode.
  void check(const FuzzedImage& image) {
    SCOPED_TRACE(image.kind);
    Form1& form = program_.form();
    for (QLineEdit* box : boxesOf(form.deviceRows())) box->setText(kLeftOver);
    for (QLineEdit* box : boxesOf(form.editableRows())) box->setText(kLeftOver);

    read(image.bytes);
    checkDeviceGroup();
    checkUnknownCodeSaid();
    copyForEditing();
    encodeForWrite(image);
  }

 private:
  void read(const ImageBytes& bytes) {
    program_.device->setImage(bytes);
    program_.controller().RequestRead();
    program_.ticks(kTicksToCollect);
    ASSERT_FALSE(program_.state().ReadPending);
    ASSERT_EQ(program_.app.images().SettingsImage[255], bytes[255]) << "the reply was not taken";
  }

  void checkDeviceGroup() {
    Form1& form = program_.form();
    const QSet<QString> lists = listTexts(form);
    const TagOfLayout tag = tagOf(form.currentModel(), program_.app.images());
    for (const QLineEdit* box : boxesOf(form.deviceRows())) {
      if (box->isHidden()) continue;
      const QString text = box->text();
      const std::string name = box->objectName().toStdString();
      if (box == form.Edit17) {
        EXPECT_EQ(text, tag.text) << name;
        EXPECT_LE(static_cast<std::size_t>(text.size()), tag.width) << name;
        continue;
      }
      EXPECT_TRUE(isNumberText(text) || isRawMarker(text) || lists.contains(text))
          << name << " shows \"" << text.toStdString() << "\" for " << form.currentModel();
    }
  }

  void checkUnknownCodeSaid() {
    Form1& form = program_.form();
    const std::uint16_t code = program_.app.images().ProductCode();
    if (findDeviceModel(code)) {
      EXPECT_TRUE(form.Label41->isHidden()) << form.Label41->text().toStdString();
      EXPECT_EQ(form.Label39->text().toStdString(), findDeviceModel(code)->name);
      return;
    }
    EXPECT_FALSE(form.Label41->isHidden());
    const QString said = form.UseEnglish ? "Unknown product code %1: shown as %2."
                                         : "Nieznany kod wyrobu %1: pokazano jako %2.";
    EXPECT_EQ(form.Label41->text(), said.arg(code).arg(form.Label39->text()));
  }

  void copyForEditing() {
    program_.app.copy().BitBtn3Click();
    Form1& form = program_.form();
    for (const QLineEdit* box : boxesOf(form.editableRows())) {
      if (box->isHidden() || box == form.Edit5) continue;
      EXPECT_TRUE(isNumberText(box->text()))
          << box->objectName().toStdString() << " holds \"" << box->text().toStdString()
          << "\" after the copy for " << form.currentModel();
    }
    for (const QComboBox* list :
         {form.ComboBox1, form.ComboBox2, form.ComboBox3, form.ComboBox4, form.ComboBox5}) {
      EXPECT_LT(list->currentIndex(), list->count()) << list->objectName().toStdString();
    }
  }

  // The write's encode step, as the write runs it: the shown boxes validated, the group read and
  // encoded. Only the layout's outgoing block may change; the block fits the layout's frame, so
  // the device keeps its product code and serial number; the small layouts carry back every byte
  // the group does not edit; a tag of high bytes comes back as it was read.
  void encodeForWrite(const FuzzedImage& image) {
    SettingsImages& images = program_.app.images();
    const SettingsImages before = images;
    const std::string model = program_.form().currentModel();
    const EncodedSettings encoded = program_.app.editedSettings().encodeForWrite();

    EXPECT_EQ(images.SettingsImage, before.SettingsImage);
    EXPECT_EQ(images.IndicatorCopy, before.IndicatorCopy);
    EXPECT_EQ(images.HumidityCopy, before.HumidityCopy);
    if (const auto* refusal = std::get_if<WriteRefusal>(&encoded)) {
      EXPECT_FALSE(refusal->reason.isEmpty());
      expectBlocksUnchanged(images, before);
      ++refused_;
      return;
    }
    ++encoded_;
    const OutgoingBlock& block = std::get<OutgoingBlock>(encoded);
    const testing::ExpectedFrame frame = testing::expectedFrame(model);
    ASSERT_EQ(block.command, frame.command) << model;
    ASSERT_EQ(block.bytes.size(), frame.blockSize) << model;
    const Bytes outgoing = testing::expectedOutgoingBlock(model, images);
    EXPECT_TRUE(std::equal(block.bytes.begin(), block.bytes.end(), outgoing.begin()));

    // The device's record after the write: the block over what was read.
    const ConstBytes read = readRecordOf(model, images);
    std::vector<std::uint8_t> written(read.begin(), read.end());
    std::copy(block.bytes.begin(), block.bytes.end(), written.begin());
    const IdentityFields identity = identityOf(model);
    EXPECT_EQ(identity.code.get(written), identity.code.get(read));
    EXPECT_EQ(identity.serial.get(written), identity.serial.get(read));
    if (const std::size_t carried = firstCarriedByte(model); carried < frame.blockSize) {
      EXPECT_TRUE(std::equal(written.begin() + static_cast<long>(carried),
                             written.begin() + static_cast<long>(frame.blockSize),
                             read.begin() + static_cast<long>(carried)))
          << model << ": a byte the group does not edit was changed";
    }
    if (image.kind.starts_with("high-byte tag")) expectTagKept(model, read, written);
  }

  struct IdentityFields {
    U16Field code;
    U16Field serial;
  };

  static IdentityFields identityOf(const std::string& model) {
    if (isIndicator(model)) return {indicator::ProductCode, indicator::SerialNumber};
    if (isHumidityModel(model)) return {humidity::ProductCode, humidity::SerialNumber};
    return {transmitter::ProductCode, transmitter::SerialNumber};
  }

  static ConstBytes readRecordOf(const std::string& model, const SettingsImages& images) {
    if (isIndicator(model)) return images.IndicatorCopy;
    if (isHumidityModel(model)) return images.HumidityCopy;
    return images.SettingsImage;
  }

  // The small layouts' block holds, past the fields the group edits (the tag is the last), bytes
  // the device keeps for itself; the transmitter's block is rebuilt whole.
  static std::size_t firstCarriedByte(const std::string& model) {
    if (isIndicator(model)) return indicator::Tag.offset + indicator::Tag.width;
    if (isHumidityModel(model)) return humidity::Tag.offset + humidity::Tag.width;
    return kTransmitterBlockSize;
  }

  // Every byte of such a tag is a character of the code page but the five it leaves undefined,
  // which read as "?"; the others must come back as they were, the whole width.
  static void expectTagKept(const std::string& model, ConstBytes read,
                            const std::vector<std::uint8_t>& written) {
    const TextField tag = tagField(model);
    const auto field = read.subspan(tag.offset, tag.width);
    const bool defined = std::none_of(field.begin(), field.end(), [](std::uint8_t b) {
      return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
    });
    if (!defined) return;
    EXPECT_TRUE(
        std::equal(field.begin(), field.end(), written.begin() + static_cast<long>(tag.offset)))
        << model << ": the tag \"" << tag.get(read) << "\" did not come back as read";
  }

  static void expectBlocksUnchanged(const SettingsImages& images, const SettingsImages& before) {
    EXPECT_EQ(images.TransmitterBlock, before.TransmitterBlock);
    EXPECT_EQ(images.IndicatorBlock, before.IndicatorBlock);
    EXPECT_EQ(images.HumidityBlock, before.HumidityBlock);
  }

 public:
  int encoded_ = 0;
  int refused_ = 0;

 private:
  SimulatedProgram program_;
};

TEST(FuzzedImages, ReadDecodedCopiedAndEncodedTheyKeepTheirInvariants) {
  const std::vector<FuzzedImage> images = fuzzedImages();
  ASSERT_GE(images.size(), 10000u);
  FuzzedReads english(true);
  FuzzedReads polish(false);
  for (std::size_t i = 0; i < images.size(); ++i) {
    (i % 2 == 0 ? english : polish).check(images[i]);
    if (::testing::Test::HasFailure()) {
      FAIL() << "image " << i << " (" << images[i].kind << ") of seed " << kSeed;
    }
  }
  // Both ends of the encoder are reached, or the invariants above were checked on too little.
  std::printf("encoded %d, refused %d\n", english.encoded_ + polish.encoded_,
              english.refused_ + polish.refused_);
  EXPECT_GT(english.encoded_ + polish.encoded_, 1000);
  EXPECT_GT(english.refused_ + polish.refused_, 100);
}

}  // namespace
}  // namespace tadjust

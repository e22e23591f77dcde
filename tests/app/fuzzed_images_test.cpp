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
#include <random>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "numbers/number_text.h"
#include "support/simulated_program.h"
#include "ui/window_texts.h"

namespace tadjust {
namespace {

using testing::kTicksToCollect;
using testing::SimulatedProgram;

constexpr std::uint32_t kSeed = 20240611;
constexpr int kImagesOfEachCode = 60;
constexpr int kUnknownCodeImages = 1500;
constexpr int kHighByteTagImages = 1500;
constexpr int kRandomImages = 3700;

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

bool keptAtOffset64(std::uint16_t code) {
  return code == kIndicatorProductCode ||
         (code >= humidity::kFirstProductCode && code <= humidity::kLastProductCode);
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

  // Tags of characters 0x80..0xFF with no zero to end them: the whole image is such bytes, but
  // for the product code, so the tag runs to its field's width and beyond.
  const std::vector<std::uint16_t> codes = catalogueCodes();
  for (int i = 0; i < kHighByteTagImages; ++i) {
    ImageBytes image{};
    for (std::uint8_t& b : image) b = source.highByte();
    const std::uint16_t code = codes[source.below(static_cast<std::uint32_t>(codes.size()))];
    if (keptAtOffset64(code)) {
      transmitter::ProductCode.set(image, 0xFFFF);
      indicator::ProductCode.set(image, code);
    } else {
      transmitter::ProductCode.set(image, code);
    }
    images.push_back({"high-byte tag, code " + std::to_string(code), image});
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

  SimulatedProgram program_;
};

TEST(FuzzedImages, ReadDecodedAndCopiedTheyKeepTheirInvariants) {
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
}

}  // namespace
}  // namespace tadjust

// The device group's rows from the named settings (view/settings_rows.h) against the decoder
// that wrote the device group straight from the image (tests/support/reference_decoder.h), over
// every product code of the catalogue (all 21 models in each of their series), both languages,
// the simulator's model images and fuzzed images (the code of each model over random bytes, codes
// that name no model, all zeros and all ones).
//
// Two windows read the same images one after the other, the program's through its own read step
// and the reference's through the layout and the reference decoder; after every read both show
// the same: every control shown or hidden alike, the shown ones with the same texts, check
// boxes, lists and the decoded sensor type. The rows the pure function gives equal what the
// reference window shows.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "sim/model_images.h"
#include "support/device_view_harness.h"
#include "support/reference_decoder.h"
#include "ui/shown_rows.h"
#include "view/settings_rows.h"

namespace tadjust {
namespace {

using testing::ReferenceDecoderState;
using testing::referenceShowDeviceSettings;

constexpr std::uint32_t kSeed = 20261211;
constexpr int kFuzzedImagesOfEachCode = 12;
constexpr int kUnknownCodeImages = 150;

struct Image {
  std::string name;
  ImageBytes bytes;
};

std::vector<std::uint16_t> catalogueCodes() {
  std::vector<std::uint16_t> codes;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code)
    if (findDeviceModel(static_cast<std::uint16_t>(code)))
      codes.push_back(static_cast<std::uint16_t>(code));
  return codes;
}

bool keptAtOffset64(std::uint16_t code) {
  return code == kIndicatorProductCode ||
         (code >= humidity::kFirstProductCode && code <= humidity::kLastProductCode);
}

std::vector<Image> images() {
  std::mt19937 engine(kSeed);
  const auto random = [&engine] {
    ImageBytes image{};
    for (std::uint8_t& b : image) b = static_cast<std::uint8_t>(engine() & 0xFFu);
    return image;
  };
  std::vector<Image> all;
  ImageBytes ones{};
  ones.fill(0xFF);
  all.push_back({"all 0x00", ImageBytes{}});
  all.push_back({"all 0xFF", ones});
  for (const std::uint16_t code : catalogueCodes()) {
    const auto model = findSimulatedModel(std::to_string(code));
    all.push_back({"model image " + std::to_string(code),
                   makeModelImage(*model, defaultSerialNumber(*model))});
    for (int i = 0; i < kFuzzedImagesOfEachCode; ++i) {
      ImageBytes image = random();
      if (keptAtOffset64(code) && i % 2 == 1) {
        transmitter::ProductCode.set(image, i % 4 == 1 ? 0 : 0xFFFF);
        indicator::ProductCode.set(image, code);
      } else {
        transmitter::ProductCode.set(image, code);
      }
      all.push_back({"fuzzed " + std::to_string(code) + " #" + std::to_string(i), image});
    }
  }
  for (int i = 0; i < kUnknownCodeImages; ++i) {
    ImageBytes image = random();
    std::uint16_t code = 0;
    do {
      code = static_cast<std::uint16_t>(engine() & 0xFFFFu);
    } while (findDeviceModel(code));
    transmitter::ProductCode.set(image, code);
    all.push_back({"unknown code " + std::to_string(code), image});
  }
  return all;
}

// What a window shows: every control's shown state and, where shown, its text, entry, check or
// enabling, by name.
std::vector<std::string> shownState(const Form1& form) {
  std::vector<std::string> lines;
  for (const QWidget* w : form.findChildren<QWidget*>()) {
    if (w->objectName().isEmpty()) continue;
    std::string line = w->objectName().toStdString() + (w->isHidden() ? " hidden" : " shown");
    if (!w->isHidden()) {
      if (const auto* e = qobject_cast<const QLineEdit*>(w))
        line += " \"" + e->text().toStdString() + "\"";
      if (const auto* l = qobject_cast<const QLabel*>(w))
        line += " \"" + l->text().toStdString() + "\"";
      if (const auto* c = qobject_cast<const QComboBox*>(w))
        line += " #" + std::to_string(c->currentIndex()) + (c->isEnabled() ? "" : " disabled");
      if (const auto* c = qobject_cast<const QCheckBox*>(w))
        line += c->isChecked() ? " [x]" : " [ ]";
    }
    lines.push_back(line);
  }
  return lines;
}

std::string rowsText(const std::vector<ShownRow>& rows) {
  std::string text;
  for (const ShownRow& r : rows) {
    text += std::to_string(r.row) + " " + r.caption.toStdString() + " = " + r.value.toStdString() +
            " " + r.unit.toStdString() + "\n";
  }
  return text;
}

std::vector<ShownRow> functionRows(const SettingsImages& images, const LaidOutModel& model,
                                   bool english) {
  std::vector<ShownRow> rows;
  for (const DeviceGroupRow& row :
       deviceGroupRows(deviceReadOf(images, model), model, SettingsWording::window(english))) {
    rows.push_back({row.row, row.text.caption, row.text.value,
                    row.checked ? checkBoxText(*row.checked, english) : row.text.unit});
  }
  return rows;
}

// The reference's window: laid out when the code changes, then decoded from the image.
struct OracleWindow {
  explicit OracleWindow(bool english) {
    form.UseEnglish = english;
    restoreStartCaptions(form);
  }
  void read(const ImageBytes& bytes) {
    images.SettingsImage = bytes;
    settleProductCode(images);
    refreshLayoutCopies(images);
    if (images.ProductCode() != lastLaidOutCode) {
      const bool dewPoint = (humidity::HumidityUnit.get(images.HumidityCopy) & 1u) != 0;
      layOutSettingsView(form, images.ProductCode(), dewPoint, view, events);
      lastLaidOutCode = images.ProductCode();
    }
    referenceShowDeviceSettings(form, images, view.model, decoder, events);
  }
  Form1 form;
  SettingsImages images;
  SettingsViewState view;
  ReferenceDecoderState decoder;
  RecordingWindowEvents events;
  std::uint16_t lastLaidOutCode = 0;
};

void readBoth(DeviceViewHarness& program, OracleWindow& reference, const Image& image,
              bool english) {
  program.images.SettingsImage = image.bytes;
  refreshLayoutCopies(program.images);
  program.read(image.bytes);
  reference.read(image.bytes);
  const std::string what = image.name + (english ? " (English)" : " (Polish)");
  const std::vector<std::string> shown = shownState(program.form);
  const std::vector<std::string> expected = shownState(reference.form);
  std::string differing;
  for (std::size_t i = 0; i < std::min(shown.size(), expected.size()); ++i)
    if (shown[i] != expected[i]) differing += shown[i] + "  (reference: " + expected[i] + ")\n";
  ASSERT_EQ(shown.size(), expected.size()) << what;
  ASSERT_TRUE(differing.empty()) << what << "\n" << differing;
  ASSERT_EQ(program.decoder.DeviceSensorType, reference.decoder.DeviceSensorType) << what;
  ASSERT_EQ(rowsText(functionRows(program.images, program.view.model, english)),
            rowsText(shownRows(reference.form.deviceRows(), english)))
      << what;
}

class DeviceRows : public ::testing::TestWithParam<bool> {};

TEST_P(DeviceRows, EveryImageReadInTurnShowsWhatTheReferenceDecoderShows) {
  const bool english = GetParam();
  DeviceViewHarness program(english);
  OracleWindow reference(english);
  for (const Image& image : images()) {
    readBoth(program, reference, image, english);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST_P(DeviceRows, EachImageReadFirstShowsWhatTheReferenceDecoderShows) {
  const bool english = GetParam();
  for (const Image& image : images()) {
    DeviceViewHarness program(english);
    OracleWindow reference(english);
    readBoth(program, reference, image, english);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DeviceRows, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "English" : "Polish"; });

}  // namespace
}  // namespace tadjust

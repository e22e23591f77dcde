#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "sim/model_images.h"

namespace tadjust {
namespace {

struct ReadDevice {
  SettingsImages images;
  LaidOutModel model;
};

// A device of the model as a read leaves it in the program.
ReadDevice readDevice(const char* name, unsigned series, std::uint16_t serialNumber) {
  const SimulatedModel simulated = findSimulatedModel(name, series).value();
  ReadDevice device;
  const ImageBytes image = makeModelImage(simulated, serialNumber);
  std::copy(image.begin(), image.end(), device.images.SettingsImage.begin());
  settleProductCode(device.images);
  refreshLayoutCopies(device.images);
  device.model = {simulated.model, tadjust::series(simulated.productCode),
                  layoutOf(simulated.model.family)};
  return device;
}

SettingsFileContents contentsOf(const ReadDevice& device, const char* name) {
  SettingsFileContents contents;
  contents.model = QString::fromLatin1(name);
  contents.productCode = device.images.ProductCode();
  contents.serialNumber = 21017;
  contents.settings = decodeSettings(device.images, device.model);
  contents.image = device.images.SettingsImage;
  contents.savedAt = QDateTime(QDate(2026, 12, 10), QTime(17, 0), Qt::UTC);
  return contents;
}

TEST(SettingsFile, EveryLayoutRoundTrips) {
  for (const auto& [name, series] : {std::pair{"RKA-49", 7u},
                                     {"RKA-59", 9u},
                                     {"RQ-117/A", 9u},
                                     {"GWA-43", 10u},
                                     {"ARR/A", 7u},
                                     {"935-JYRA", 7u}}) {
    const SettingsFileContents saved = contentsOf(readDevice(name, series, 21017), name);
    const auto reading = readSettingsFile(writeSettingsFile(saved));
    ASSERT_TRUE(std::holds_alternative<SettingsFileContents>(reading)) << name;
    const auto& read = std::get<SettingsFileContents>(reading);
    EXPECT_EQ(read.model, saved.model) << name;
    EXPECT_EQ(read.productCode, saved.productCode) << name;
    EXPECT_EQ(read.serialNumber, 21017) << name;
    EXPECT_EQ(read.settings, saved.settings) << name;
    EXPECT_EQ(read.image, saved.image) << name;
    EXPECT_EQ(read.savedAt, saved.savedAt) << name;
  }
}

TEST(SettingsFile, ValuesAreWrittenByTheirMeaning) {
  ReadDevice device = readDevice("RKA-49", 7, 21017);
  transmitter::InputConfig.set(device.images.SettingsImage, 0x3410);  // K, external junction
  transmitter::TempOffsetRaw.set(device.images.SettingsImage, 21);    // 0.7 °C
  const QJsonObject file =
      QJsonDocument::fromJson(writeSettingsFile(contentsOf(device, "RKA-49"))).object();
  const QJsonObject settings = file.value("settings").toObject();
  EXPECT_EQ(file.value("format").toString(), "t-adjust-settings");
  EXPECT_EQ(file.value("formatVersion").toInt(), 1);
  EXPECT_EQ(file.value("savedAt").toString(), "2026-12-10T17:00:00Z");
  EXPECT_EQ(file.value("device").toObject().value("model").toString(), "RKA-49");
  EXPECT_EQ(settings.value("sensorType").toString(), "K");
  EXPECT_EQ(settings.value("connection").toString(), "external");
  EXPECT_EQ(settings.value("temperatureOffset").toString(), "0.7");
  EXPECT_TRUE(settings.value("outputReversed").isBool());
  EXPECT_FALSE(settings.contains("wireResistance"));
  EXPECT_EQ(file.value("image").toString().size(), 512);
}

// A file changed by hand, one key at a time.
QByteArray changed(const char* name, const std::function<void(QJsonObject&)>& change) {
  ReadDevice device = readDevice(name, 7, 21017);
  QJsonObject file = QJsonDocument::fromJson(writeSettingsFile(contentsOf(device, name))).object();
  change(file);
  return QJsonDocument(file).toJson();
}

void setSetting(QJsonObject& file, const char* key, const QJsonValue& value) {
  QJsonObject settings = file.value("settings").toObject();
  if (value.isUndefined()) {
    settings.remove(key);
  } else {
    settings.insert(key, value);
  }
  file.insert("settings", settings);
}

TEST(SettingsFile, RefusesWhatItCannotReadAndNamesTheKey) {
  using Fault = SettingsFileFault;
  const struct {
    const char* name;
    QByteArray bytes;
    SettingsFileFault fault;
    QString key;
  } cases[] = {
      {"not JSON", "{\"format\": ", Fault::kNotJson, ""},
      {"a JSON list", "[1, 2]", Fault::kNotJson, ""},
      {"another format", changed("RKA-49", [](auto& f) { f.insert("format", "t-adjust-history"); }),
       Fault::kUnknownFormat, "format"},
      {"a newer version", changed("RKA-49", [](auto& f) { f.insert("formatVersion", 2); }),
       Fault::kNewerVersion, "formatVersion"},
      {"no range",
       changed("RKA-49", [](auto& f) { setSetting(f, "rangeLow", QJsonValue::Undefined); }),
       Fault::kMissingField, "settings.rangeLow"},
      {"a number as a JSON number",
       changed("RKA-49", [](auto& f) { setSetting(f, "rangeHigh", 100.5); }),
       Fault::kMalformedField, "settings.rangeHigh"},
      {"a sensor no list has",
       changed("RKA-49", [](auto& f) { setSetting(f, "sensorType", "Pt1000"); }),
       Fault::kMalformedField, "settings.sensorType"},
      {"a text for a flag", changed("RKA-49", [](auto& f) { setSetting(f, "failureHigh", "yes"); }),
       Fault::kMalformedField, "settings.failureHigh"},
      {"a number that is no number",
       changed("GWA-43", [](auto& f) { setSetting(f, "alarmLow", "12,5"); }),
       Fault::kMalformedField, "settings.alarmLow"},
      {"a model no catalogue has",
       changed("RKA-49",
               [](auto& f) {
                 QJsonObject device = f.value("device").toObject();
                 device.insert("model", "RKA-4");
                 f.insert("device", device);
               }),
       Fault::kUnknownModel, "device.model"},
      {"a short image", changed("RKA-49", [](auto& f) { f.insert("image", "00ff"); }),
       Fault::kMalformedField, "image"},
      // The version is the whole number 1; only a larger whole number is newer.
      {"version 0", changed("RKA-49", [](auto& f) { f.insert("formatVersion", 0); }),
       Fault::kMalformedField, "formatVersion"},
      {"version -1", changed("RKA-49", [](auto& f) { f.insert("formatVersion", -1); }),
       Fault::kMalformedField, "formatVersion"},
      {"version 0.99999", changed("RKA-49", [](auto& f) { f.insert("formatVersion", 0.99999); }),
       Fault::kMalformedField, "formatVersion"},
      {"version 1.5", changed("RKA-49", [](auto& f) { f.insert("formatVersion", 1.5); }),
       Fault::kMalformedField, "formatVersion"},
      {"version as text", changed("RKA-49", [](auto& f) { f.insert("formatVersion", "1"); }),
       Fault::kMalformedField, "formatVersion"},
      {"version 1e300", changed("RKA-49", [](auto& f) { f.insert("formatVersion", 1e300); }),
       Fault::kNewerVersion, "formatVersion"},
      // A control character in any text, named by its key; a tab is a text's own.
      {"a zero inside the tag",
       changed("RKA-49", [](auto& f) { setSetting(f, "tag", QString("TT") + QChar(0) + "-101"); }),
       Fault::kControlCharacter, "settings.tag"},
      {"a line feed in the tag", changed("RKA-49", [](auto& f) { setSetting(f, "tag", "A\nB"); }),
       Fault::kControlCharacter, "settings.tag"},
      {"a delete in the tag", changed("RKA-49", [](auto& f) { setSetting(f, "tag", "A\x7f"); }),
       Fault::kControlCharacter, "settings.tag"},
      {"a bell in the program's name",
       changed("RKA-49", [](auto& f) { f.insert("program", "T-adjust\a"); }),
       Fault::kControlCharacter, "program"},
      {"a C1 control in an unknown key's list",
       changed("RKA-49",
               [](auto& f) {
                 f.insert("notes", QJsonArray{"ok", QString(QChar(0x85))});
               }),
       Fault::kControlCharacter, "notes[1]"},
      {"100,000 brackets", QByteArray(100'000, '['), Fault::kNotJson, ""},
      {"an object nested 100,000 deep",
       "{\"format\": \"t-adjust-settings\", \"x\": " + QByteArray(100'000, '[') +
           QByteArray(100'000, ']') + "}",
       Fault::kNotJson, ""},
  };
  for (const auto& c : cases) {
    const auto reading = readSettingsFile(c.bytes);
    ASSERT_TRUE(std::holds_alternative<SettingsFileError>(reading)) << c.name;
    EXPECT_EQ(std::get<SettingsFileError>(reading).fault, c.fault) << c.name;
    EXPECT_EQ(std::get<SettingsFileError>(reading).key, c.key) << c.name;
  }
}

// A tab is the one control character a text may hold; the file keeps the version 1.0 as 1.
TEST(SettingsFile, ATabInATagAndVersionOnePointZeroAreRead) {
  const auto reading = readSettingsFile(changed("RKA-49", [](auto& f) {
    setSetting(f, "tag", "A\tB");
    f.insert("formatVersion", 1.0);
  }));
  ASSERT_TRUE(std::holds_alternative<SettingsFileContents>(reading));
  const auto& settings = std::get<SettingsFileContents>(reading).settings;
  EXPECT_EQ(std::get<TransmitterSettings>(settings).tag, "A\tB");
}

TEST(SettingsFile, DefaultNameHasModelSerialNumberTagAndTime) {
  const QDateTime at(QDate(2026, 12, 10), QTime(9, 5, 59));
  const struct {
    const char* model;
    std::uint16_t serial;
    QString tag;
    const char* name;
  } cases[] = {
      {"RKA-49", 21017, "TT-101", "RKA-49-21017-TT-101-2026-12-10-0905.tadj"},
      {"ARR/A", 7, "FT 12      ", "ARR-A-7-FT 12-2026-12-10-0905.tadj"},
      {"RKA-49", 7, "   ", "RKA-49-7-2026-12-10-0905.tadj"},
      {"RKA-49", 7, "A/B\\C:D*E?F\"G<H>I|J", "RKA-49-7-A-B-C-D-E-F-G-H-I-J-2026-12-10-0905.tadj"},
      {"RKA-49", 7, QString("T") + QChar(0x01) + QChar(0x7F) + QStringLiteral("ł"),
       "RKA-49-7-T--ł-2026-12-10-0905.tadj"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(defaultSettingsFileName(c.model, c.serial, c.tag, at), c.name) << c.name;
}

}  // namespace
}  // namespace tadjust

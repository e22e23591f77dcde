// The settings-file commands through the program on the simulated device: a device saved, its
// file put on a replacement device and sent, every refusal said with nothing changed, and the
// comparisons.

#include "app/settings_file_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>

#include "edit/group_fields.h"
#include "history/history_database.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

void writeWord(ImageBytes& image, std::size_t offset, std::uint16_t value) {
  image[offset] = static_cast<std::uint8_t>(value & 0xFF);
  image[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

struct ReplacementCase {
  const char* model;
  std::size_t serialNumberOffset;
  // Makes the first device's image what the file keeps, and the second's what the replacement
  // holds before the file is put on it.
  std::function<void(ImageBytes&)> first;
  std::function<void(ImageBytes&)> second;
  // Bytes the group does not show that must stay the replacement's own.
  std::vector<std::size_t> ownBytes;
};

DeviceSettings settingsOf(const ImageBytes& image, const SettingsViewState& view) {
  SettingsImages images;
  std::copy(image.begin(), image.end(), images.SettingsImage.begin());
  refreshLayoutCopies(images);
  return decodeSettings(images, view.model);
}

class SettingsFiles : public ::testing::Test {
 protected:
  QString pathOf(const char* name) const { return QDir(folder.path()).filePath(name); }

  void relinkTo(SimulatedProgram& program, const ImageBytes& image) {
    program.controller().BitBtn1Click();  // Disconnect
    program.plugIn(program.device->model().name);
    program.device->setImage(image);
    program.connect();
  }

  QTemporaryDir folder;
};

TEST_F(SettingsFiles, AReplacementDeviceTakesTheSettingsAndKeepsItsOwnBytes) {
  const ReplacementCase cases[] = {
      {"RKA-49",
       194,
       [](ImageBytes& image) {
         writeWord(image, 0, 0x3400);  // K, internal compensation
         writeWord(image, 6, 6000);    // 0 °C
         writeWord(image, 8, 36000);   // 1000 °C
       },
       [](ImageBytes& image) {
         writeWord(image, 0, 0x2010);  // Pt100, 3-wire
         writeWord(image, 194, 30999);
       },
       {194, 195}},
      {"GWA-43",
       66,
       [](ImageBytes&) {},
       [](ImageBytes& image) {
         writeWord(image, 0, 123);  // another display range
         writeWord(image, 66, 30999);
         writeWord(image, 32, 7000);  // its own calibration points
         writeWord(image, 34, 30000);
       },
       {32, 33, 34, 35, 66, 67}},
      {"ARR/A",
       66,
       [](ImageBytes&) {},
       [](ImageBytes& image) {
         writeWord(image, 0, 0);
         writeWord(image, 66, 30999);
         image[40] = 0x5A;  // a calibration byte of its own
       },
       {40, 66, 67}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    SimulatedProgram program(c.model);
    ImageBytes first = program.device->image();
    c.first(first);
    program.device->setImage(first);
    program.findBox();
    program.connect();
    program.dialogs.fileToSave = pathOf("device.tadj");
    program.app.settingsFiles().saveDeviceSettings();
    ASSERT_TRUE(QFile::exists(pathOf("device.tadj")));

    ImageBytes second = first;
    c.second(second);
    relinkTo(program, second);
    program.boxes.questions.clear();
    program.dialogs.fileToOpen = pathOf("device.tadj");
    program.app.settingsFiles().openSettingsFile();
    EXPECT_TRUE(program.boxes.questions.empty());
    EXPECT_EQ(
        program.form().EditNotice->text().toStdString(),
        std::string("Settings of ") + c.model + " (serial number " +
            std::to_string(first[c.serialNumberOffset] | (first[c.serialNumberOffset + 1] << 8)) +
            ") from device.tadj ready to send.");
    program.send();
    program.ticks(testing::kTicksToCollect);

    const ImageBytes& stored = program.device->image();
    EXPECT_EQ(settingsOf(stored, program.view()), settingsOf(first, program.view()));
    for (const std::size_t offset : c.ownBytes) EXPECT_EQ(stored[offset], second[offset]) << offset;
    EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  }
}

TEST_F(SettingsFiles, ASavedFileSentToItsOwnDeviceWritesTheDevicesOwnBlock) {
  SimulatedProgram program("RKA-49");
  ImageBytes image = program.device->image();
  writeWord(image, 6, 6000);
  writeWord(image, 8, 30000);
  program.device->setImage(image);
  program.findBox();
  program.connect();
  program.dialogs.fileToSave = pathOf("own.tadj");
  program.app.settingsFiles().saveDeviceSettings();
  program.dialogs.fileToOpen = pathOf("own.tadj");
  program.app.settingsFiles().openSettingsFile();
  program.send();
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(settingsOf(program.device->image(), program.view()), settingsOf(image, program.view()));
}

TEST_F(SettingsFiles, EveryRefusalIsSaidAndChangesNothing) {
  // A file of another model, saved from an indicator.
  {
    SimulatedProgram indicator("GWA-43");
    indicator.findBox();
    indicator.connect();
    indicator.dialogs.fileToSave = pathOf("indicator.tadj");
    indicator.app.settingsFiles().saveDeviceSettings();
  }
  const auto writeFile = [this](const char* name, const QByteArray& bytes) {
    QFile file(pathOf(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  writeFile("broken.tadj", "{\"format\": \"t-adjust-settings\", ");
  writeFile("large.tadj", QByteArray(1024 * 1024 + 1, ' '));
  writeFile("other.tadj", "{\"format\": \"something-else\"}");
  writeFile("newer.tadj", "{\"format\": \"t-adjust-settings\", \"formatVersion\": 2}");
  {
    SimulatedProgram own("RKA-49");
    own.findBox();
    own.connect();
    own.dialogs.fileToSave = pathOf("own.tadj");
    own.app.settingsFiles().saveDeviceSettings();
  }
  QFile own(pathOf("own.tadj"));
  ASSERT_TRUE(own.open(QIODevice::ReadOnly));
  const QByteArray saved = own.readAll();
  QByteArray withoutRange = saved;
  withoutRange.replace("\"rangeLow\"", "\"rangeLowest\"");
  writeFile("missing.tadj", withoutRange);
  QByteArray badFilter = saved;
  badFilter.replace("\"filterTime\": \"", "\"filterTime\": \"9");
  writeFile("malformed.tadj", badFilter);
  QDir(folder.path()).mkdir("folder.tadj");
  ASSERT_EQ(mkfifo(pathOf("fifo.tadj").toLocal8Bit().constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", pathOf("zero.tadj")));
  writeFile("brackets.tadj", QByteArray(100'000, '['));
  QByteArray otherSeries = saved;
  otherSeries.replace("\"productCode\": 7001", "\"productCode\": 9001");
  writeFile("series9.tadj", otherSeries);
  QByteArray zeroInTag = saved;
  zeroInTag.replace("\"tag\": \"", "\"tag\": \"A\\u0000");
  writeFile("zero-in-tag.tadj", zeroInTag);
  for (const char* version : {"0", "-1", "0.99999"}) {
    QByteArray file = saved;
    file.replace("\"formatVersion\": 1", QByteArray("\"formatVersion\": ") + version);
    writeFile(qPrintable(QStringLiteral("version%1.tadj").arg(version)), file);
  }

  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"indicator.tadj",
       "This file holds settings of GWA-43 (product code 10013); the linked device is RKA-49 "
       "(product code 7001)."},
      {"series9.tadj",
       "This file holds settings of RKA-49 (product code 9001); the linked device is RKA-49 "
       "(product code 7001)."},
      {"fifo.tadj", "fifo.tadj is not a regular file."},
      {"zero.tadj", "zero.tadj is not a regular file."},
      {"brackets.tadj", "brackets.tadj is not a settings file: it holds no JSON object."},
      {"zero-in-tag.tadj",
       "zero-in-tag.tadj: the field \"settings.tag\" holds a control character."},
      {"version0.tadj", "version0.tadj: the field \"formatVersion\" holds no value it takes."},
      {"version-1.tadj", "version-1.tadj: the field \"formatVersion\" holds no value it takes."},
      {"version0.99999.tadj",
       "version0.99999.tadj: the field \"formatVersion\" holds no value it takes."},
      {"broken.tadj", "broken.tadj is not a settings file: it holds no JSON object."},
      {"large.tadj", "large.tadj is larger than 1 MiB: it is not a settings file."},
      {"other.tadj", "other.tadj is not a T-adjust settings file."},
      {"folder.tadj", "folder.tadj is not a regular file."},
      {"newer.tadj",
       "newer.tadj was written by a newer T-adjust: this one reads settings files of format "
       "version 1."},
      {"missing.tadj", "missing.tadj: the field \"settings.rangeLow\" is missing."},
      {"malformed.tadj",
       "malformed.tadj: the field \"settings.filterTime\" holds no value it takes."},
  };
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  program.form().Edit2->setText("432");
  const DeviceSettings before = readEditableGroup(program.form(), program.view().model);
  for (const auto& c : cases) {
    program.boxes.questions.clear();
    program.boxes.queue(Answer::Ok);
    program.dialogs.fileToOpen = pathOf(c.file);
    program.app.settingsFiles().openSettingsFile();
    ASSERT_EQ(program.boxes.questions.size(), 1u) << c.file;
    EXPECT_EQ(program.boxes.questions[0].text.toStdString(), c.message);
    EXPECT_EQ(readEditableGroup(program.form(), program.view().model), before) << c.file;
  }
}

// A file's tag is shown as the device will store it, and what opening the file corrected is said
// in the notice's line: the first correction, then how many more (all of them in its tooltip).
// Send then writes exactly what the window shows, at the first press.
TEST_F(SettingsFiles, WhatOpeningAFileCorrectedIsSaidAndTheDeviceHoldsWhatTheBoxShows) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  program.dialogs.fileToSave = pathOf("own.tadj");
  program.app.settingsFiles().saveDeviceSettings();
  QFile own(pathOf("own.tadj"));
  ASSERT_TRUE(own.open(QIODevice::ReadOnly));
  QJsonObject file = QJsonDocument::fromJson(own.readAll()).object();
  QJsonObject settings = file.value("settings").toObject();
  settings.insert("sensorType", "Pt100");
  settings.insert("connection", "3-wire");
  settings.insert("rangeLow", "-900");
  settings.insert("rangeHigh", "5000");
  settings.insert("temperatureOffset", "77.777");
  settings.insert("tag", "ABCDEFGHIJK");
  file.insert("settings", settings);
  QFile edited(pathOf("edited.tadj"));
  ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
  edited.write(QJsonDocument(file).toJson());
  edited.close();

  program.dialogs.fileToOpen = pathOf("edited.tadj");
  program.app.settingsFiles().openSettingsFile();
  Form1& f = program.form();
  EXPECT_EQ(f.Edit5->text(), "ABCDEFGHIJ");
  const QStringList corrections{
      "Lower range value: \"-900\" changed to -100.", "Upper range value: \"5000\" changed to 800.",
      "Temperature offset: \"77.777\" changed to 10.",
      "Tag: \"ABCDEFGHIJK\" changed to \"ABCDEFGHIJ\": the device holds 10 characters of the "
      "Central European code page."};
  EXPECT_EQ(f.EditNotice->text(),
            "Settings of RKA-49 (serial number 21017) from edited.tadj ready to send.\n" +
                corrections[0] + " +3 more");
  EXPECT_EQ(f.EditNotice->toolTip(), corrections.join('\n'));

  const QString shownTag = f.Edit5->text();
  program.boxes.questions.clear();
  program.send();  // the check read, then the block
  program.ticks(testing::kTicksToCollect);
  EXPECT_TRUE(program.boxes.questions.empty());
  EXPECT_EQ(f.Label41->text(), "Settings written and verified.");
  EXPECT_EQ(transmitter::Tag.get(program.device->image()), shownTag.toStdString());
  EXPECT_EQ(f.Edit17->text(), shownTag);
}

TEST_F(SettingsFiles, ComparisonsMarkEachDifferingSetting) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  program.dialogs.fileToSave = pathOf("same.tadj");
  program.app.settingsFiles().saveDeviceSettings();

  program.dialogs.fileToOpen = pathOf("same.tadj");
  program.app.settingsFiles().compareWithFile();
  ASSERT_EQ(program.dialogs.comparisons.size(), 1u);
  for (const ComparedSetting& row : program.dialogs.comparisons[0].rows)
    EXPECT_FALSE(row.differs) << row.caption.toStdString();

  program.app.copy().BitBtn3Click();
  program.form().Edit5->setText("NEW-TAG");
  program.app.settingsFiles().compareWithGroup();
  ASSERT_EQ(program.dialogs.comparisons.size(), 2u);
  std::vector<std::string> differing;
  for (const ComparedSetting& row : program.dialogs.comparisons[1].rows)
    if (row.differs)
      differing.push_back(row.caption.toStdString() + ": " + row.right.toStdString());
  EXPECT_EQ(differing, std::vector<std::string>{"Tag: NEW-TAG"});
}

// The comparison's table names each row by the caption of the row that shows the field for the
// model, never a control's name or another row's caption.
TEST_F(SettingsFiles, TheComparisonsTableNamesEveryRowByItsOwnCaption) {
  struct Case {
    const char* model;
    std::function<void(ImageBytes&)> image;
    std::vector<std::string> captions;
  };
  const Case cases[] = {
      {"RKA-49",
       [](ImageBytes& image) {
         // A thermocouple with an external cold junction: the connection row is the
         // compensation's, the second row the cold junction's.
         transmitter::InputConfig.set(image, 0x3410);
       },
       {"Sensor type", "Lower range value", "Upper range value", "Cold junction comp.",
        "Cold junction temp.", "Temperature offset", "Filter time constant", "Output signal",
        "Failure indication", "Tag"}},
      {"GWA-43",
       [](ImageBytes&) {},
       {"Lower range value", "Upper range value", "Precision", "Alarm low level",
        "Alarm high level", "Alarm low level", "Alarm high level", "Tag"}},
  };
  for (const Case& c : cases) {
    SimulatedProgram program(c.model);
    ImageBytes image = program.device->image();
    c.image(image);
    program.device->setImage(image);
    program.findBox();
    program.connect();
    program.app.copy().BitBtn3Click();
    program.app.settingsFiles().compareWithGroup();
    ASSERT_EQ(program.dialogs.comparisons.size(), 1u) << c.model;
    const std::unique_ptr<QDialog> dialog = makeComparisonDialog(program.dialogs.comparisons[0]);
    const auto* table = dialog->findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    std::vector<std::string> captions;
    for (int row = 0; row < table->rowCount(); ++row) {
      captions.push_back(table->item(row, 0)->text().toStdString());
      EXPECT_EQ(table->item(row, 1)->text(), table->item(row, 2)->text())
          << c.model << " " << captions.back();
    }
    EXPECT_EQ(captions, c.captions) << c.model;
  }
}

// A fixed-sensor probe shows no connection: found 3-wire, its settings copied and compared with
// the group differ in no row, and written unchanged they record no change.
TEST_F(SettingsFiles, AProbeFoundThreeWireComparesAndWritesWithoutAChange) {
  SimulatedProgram program("RQ-117/A");
  ImageBytes image = program.device->image();
  const std::uint16_t config = transmitter::InputConfig.get(image);
  transmitter::InputConfig.set(image, static_cast<std::uint16_t>((config & ~0x3730u) | 0x2010u));
  program.device->setImage(image);
  program.findBox();
  program.connect();
  program.app.copy().BitBtn3Click();
  program.app.settingsFiles().compareWithGroup();
  ASSERT_EQ(program.dialogs.comparisons.size(), 1u);
  for (const ComparedSetting& row : program.dialogs.comparisons[0].rows) {
    EXPECT_FALSE(row.differs) << row.caption.toStdString() << ": " << row.left.toStdString()
                              << " / " << row.right.toStdString();
  }

  program.send();  // the check read, then the block
  program.ticks(testing::kTicksToCollect);
  ASSERT_TRUE(program.app.history().flush());
  history::HistoryDatabase database;
  ASSERT_TRUE(database.openReadOnly(program.historyPath()).readable);
  const std::vector<history::WriteRow> rows =
      database.rows({}).value_or(std::vector<history::WriteRow>{});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].changes, "[]");
}

}  // namespace
}  // namespace tadjust

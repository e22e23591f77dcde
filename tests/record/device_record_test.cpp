// The device record of the program on a simulated device, read back from the PDF with Poppler's
// pdftotext: a K thermocouple (RKA-49) read, copied, changed (upper range, tag) and written, in
// both languages; the same device before any write, which holds no characteristic; a write whose
// read-back differs; the record printed; the default file name.

#include "record/device_record.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <cstdint>

#include "numbers/number_text.h"
#include "support/editing_program.h"
#include "support/pdf_text.h"
#include "support/sensor_type_names.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::pdfLines;
using testing::SimulatedProgram;

constexpr int kExternalColdJunction = 1;

// The simulated RKA-49 holds a Pt100 from 0 to 150 °C, tag "TT-101", and no characteristic.
class RecordedProgram {
 public:
  explicit RecordedProgram(bool english, DeviceFaults faults = {}) : program("RKA-49", english) {
    program.plugIn("RKA-49", faults);
    program.findBox();
    program.connect();
    program.boxes.questions.clear();
  }

  // Copy for edition; a K thermocouple from 0 to 1000 °C with an external cold junction at
  // 25 °C and a new tag; Send, and the read-back.
  void write() {
    Form1& form = program.form();
    form.BitBtn3->click();
    testing::EditingProgram::choose(form.ComboBox1, kThermocoupleKEntry);
    testing::EditingProgram::choose(form.ComboBox2, kExternalColdJunction);
    form.Edit1->setText("0");
    form.Edit2->setText("1000");
    form.Edit3->setText("25");
    form.Edit5->setText("TT-7");
    program.send();
    program.ticks(testing::kTicksToCollect);
  }

  QString exportPdf() {
    program.dialogs.fileToSave = folder.filePath("record");
    program.form().mainMenu.exportRecordPdf->trigger();
    return folder.filePath("record.pdf");
  }

  // The line of the text holding every one of the parts, or an empty text.
  static QString lineWith(const QStringList& lines, const QStringList& parts) {
    for (const QString& line : lines) {
      bool all = true;
      for (const QString& part : parts) all = all && line.contains(part.simplified());
      if (all) return line;
    }
    return {};
  }

  SimulatedProgram program;
  QTemporaryDir folder;
};

QString withSeparator(QString number) {
  return number.replace(QLatin1Char('.'), QChar::fromLatin1(number_text::systemDecimalSeparator()));
}

// The stored breakpoints as the test reads the device's words: °C = (LinTemp − 6000) / 30 with
// two decimals, mV = (LinSignal − 5400) / 1000 on series 7 with three.
QStringList breakpointRows(const ImageBytes& image) {
  QStringList rows;
  for (std::size_t i = 0; i < 20; ++i) {
    const int signal = readU16(image, 30 + 2 * i);
    if (signal == 0xFFFF) break;
    const int temperature = readU16(image, 110 + 2 * i);
    rows.append(QStringLiteral("%1 %2 %3")
                    .arg(i + 1)
                    .arg(withSeparator(QString::asprintf("%.2f", (temperature - 6000) / 30.0)))
                    .arg(withSeparator(QString::asprintf("%.3f", (signal - 5400) / 1000.0))));
  }
  return rows;
}

struct DeviceRecordTexts {
  bool english;
  const char* heading;
  const char* changed;
  const char* verified;
  const char* characteristic;
};

TEST(DeviceRecord, AWrittenThermocoupleHoldsItsSettingsItsWriteAndItsBreakpoints) {
  for (const DeviceRecordTexts& c :
       {DeviceRecordTexts{true, "T-adjust device record", "changed",
                          "the read-back agrees with the settings sent", "Stored characteristic"},
        DeviceRecordTexts{false, "Protokół urządzenia T-adjust", "zmienione",
                          "odczyt po zapisie zgodny z wysłanymi ustawieniami",
                          "Charakterystyka zapisana w urządzeniu"}}) {
    SCOPED_TRACE(c.english ? "English" : "Polish");
    const testing::SystemLocale system(!c.english);
    RecordedProgram recorded(c.english);
    const QString tagFound = recorded.program.form().Edit17->text();
    recorded.write();
    ASSERT_FALSE(recorded.program.writeState().VerifyPending);
    const QString path = recorded.exportPdf();
    const QStringList lines = pdfLines(path);
    ASSERT_FALSE(lines.isEmpty()) << "no PDF text at " << path.toStdString();
    const QString all = lines.join('\n');

    EXPECT_TRUE(all.contains(c.heading));
    EXPECT_TRUE(all.contains(QDate::currentDate().toString("yyyy-MM-dd")));
    EXPECT_TRUE(all.contains("T-adjust v."));
    const Form1& form = recorded.program.form();
    EXPECT_TRUE(all.contains(form.Edit7->text())) << "serial number";
    EXPECT_TRUE(all.contains("RKA-49"));
    EXPECT_TRUE(all.contains(form.Edit18->text())) << "port";

    // Every row the device group shows: its caption with its value on one line, a number in a
    // list's entry ("3,5") with the language's separator.
    int rows = 0;
    for (const FormRow& row : form.deviceRows()) {
      if (row.caption->isHidden()) continue;
      ++rows;
      QString caption = row.caption->text();
      caption.chop(1);  // the colon
      QString value = static_cast<const QLineEdit*>(row.input)->text();
      if (c.english) value.replace(',', '.');
      EXPECT_FALSE(RecordedProgram::lineWith(lines, {caption, value}).isEmpty())
          << caption.toStdString() << " " << value.toStdString();
    }
    EXPECT_EQ(rows, 12);

    // As found and as left side by side, the changed rows marked, the unchanged not.
    const QString upper = c.english ? "Upper range value" : "Góra zakresu";
    EXPECT_FALSE(
        RecordedProgram::lineWith(lines, {upper, "150 [°C] 1000 [°C]", c.changed}).isEmpty());
    const QString sensor =
        c.english ? "Pt100 resistance K type thermocouple" : "termorezystor Pt100 termopara K";
    EXPECT_FALSE(RecordedProgram::lineWith(lines, {sensor, c.changed}).isEmpty());
    const QString tag = c.english ? "Tag" : "Identyfikator obiektowy";
    EXPECT_FALSE(RecordedProgram::lineWith(lines, {tag, tagFound + " TT-7", c.changed}).isEmpty());
    const QString lower = RecordedProgram::lineWith(
        lines, {c.english ? "Lower range value" : "Dół zakresu", "0 [°C] 0 [°C]"});
    EXPECT_FALSE(lower.isEmpty());
    EXPECT_FALSE(lower.contains(c.changed));
    EXPECT_TRUE(all.contains(c.verified));

    // The table the write stored, entry by entry.
    EXPECT_TRUE(all.contains(c.characteristic));
    const QStringList breakpoints = breakpointRows(recorded.program.device->image());
    EXPECT_GE(breakpoints.size(), 2);
    for (const QString& breakpoint : breakpoints)
      EXPECT_TRUE(
          lines.filter(QRegularExpression("^" + QRegularExpression::escape(breakpoint) + " "))
              .size() == 1)
          << breakpoint.toStdString();
    EXPECT_LE(testing::pdfPageCount(path), 3) << "the write, the characteristic, its error";
  }
}

TEST(DeviceRecord, ATransmitterWithNothingStoredSaysSoAndShowsNoWrite) {
  for (const bool english : {true, false}) {
    RecordedProgram recorded(english);
    ASSERT_EQ(readU16(recorded.program.device->image(), 30), 0xFFFF);
    const QString all = pdfLines(recorded.exportPdf()).join('\n');
    EXPECT_TRUE(all.contains(english ? "The device holds no characteristic"
                                     : "Urządzenie nie zawiera charakterystyki"));
    EXPECT_FALSE(all.contains(english ? "As found" : "Przed zapisem"));
    EXPECT_EQ(testing::pdfPageCount(recorded.folder.filePath("record.pdf")), 1);
  }
}

// A tag is device data: a line feed or a bell in it is drawn by name, on the tag's own line.
TEST(DeviceRecord, AControlCharacterOfATagIsDrawnVisibly) {
  SimulatedProgram program("RKA-49");
  ImageBytes image = program.device->image();
  transmitter::Tag.set(image, "TT\n7\a");
  program.device->setImage(image);
  program.findBox();
  program.connect();
  QTemporaryDir folder;
  program.dialogs.fileToSave = folder.filePath("record");
  program.form().mainMenu.exportRecordPdf->trigger();
  const QStringList lines = pdfLines(folder.filePath("record.pdf"));
  EXPECT_TRUE(lines.contains("Tag TT<LF>7<BEL>")) << lines.join('\n').toStdString();
}

TEST(DeviceRecord, AWriteWhoseReadBackDiffersIsRecordedNotVerified) {
  DeviceFaults spoiled;
  spoiled.spoiledWrites = 1;
  RecordedProgram recorded(true, spoiled);
  recorded.program.boxes.queue(Answer::No);  // "Repeat writing?"
  recorded.write();
  const QString all = pdfLines(recorded.exportPdf()).join('\n');
  EXPECT_TRUE(all.contains("DIFFERS from the settings sent: NOT verified"));
  EXPECT_TRUE(all.contains("As left"));
}

TEST(DeviceRecord, ThePrintDialogChoosesThePrinterOnA4AndCancelPrintsNothing) {
  RecordedProgram recorded(true);
  const QString printed = recorded.folder.filePath("printed.pdf");
  recorded.program.form().mainMenu.printRecord->trigger();
  EXPECT_EQ(recorded.program.dialogs.printCaptions, std::vector<QString>{"Print record"});
  EXPECT_EQ(recorded.program.dialogs.printerPageSize, QPageSize::A4);
  EXPECT_FALSE(QFile::exists(printed));

  recorded.program.dialogs.printTo = printed;
  recorded.program.form().mainMenu.printRecord->trigger();
  const QString all = pdfLines(printed).join('\n');
  EXPECT_TRUE(all.contains("T-adjust device record"));
  EXPECT_TRUE(all.contains(recorded.program.form().Edit7->text()));
}

TEST(DeviceRecord, TheSaveDialogStartsInTheDocumentsFolderAtTheRecordsName) {
  RecordedProgram recorded(false);
  recorded.program.dialogs.fileToSave.clear();  // cancelled: nothing written
  recorded.program.form().mainMenu.exportRecordPdf->trigger();
  ASSERT_EQ(recorded.program.dialogs.saveQuestions.size(), 1u);
  const FileQuestion& asked = recorded.program.dialogs.saveQuestions[0];
  EXPECT_EQ(asked.caption, "Eksportuj protokół do PDF");
  EXPECT_EQ(asked.filter, "Dokumenty PDF (*.pdf)");
  const QString name =
      QStringLiteral("RKA-49-%1-%2.pdf")
          .arg(recorded.program.form().Edit7->text(), QDate::currentDate().toString("yyyy-MM-dd"));
  EXPECT_EQ(asked.startAt, inDocumentsFolder(name));
  EXPECT_TRUE(recorded.program.boxes.questions.empty());
}

TEST(DeviceRecord, ASlashInTheModelsNameIsWrittenAsADashInTheFileName) {
  DeviceRecord record;
  record.identity.model = "RQ-117/V";
  record.identity.serialNumber = "21127";
  record.made = QDateTime(QDate(2024, 3, 9), QTime(8, 5));
  EXPECT_EQ(recordFileName(record), "RQ-117-V-21127-2024-03-09.pdf");
}

TEST(DeviceRecord, AFileThatCannotBeWrittenIsSaid) {
  RecordedProgram recorded(true);
  recorded.program.dialogs.fileToSave = recorded.folder.filePath("no such folder/record.pdf");
  recorded.program.boxes.queue(Answer::Ok);
  recorded.program.form().mainMenu.exportRecordPdf->trigger();
  ASSERT_EQ(recorded.program.boxes.questions.size(), 1u);
  EXPECT_EQ(recorded.program.boxes.questions[0].caption, "Record not written");
  EXPECT_TRUE(recorded.program.boxes.questions[0].text.contains("no such folder/record.pdf"));
}

}  // namespace
}  // namespace tadjust

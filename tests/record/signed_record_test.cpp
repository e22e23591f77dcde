// What makes a device record one a quality engineer signs, read back from the PDF: where the
// written settings came from, the history entry that anchors it, the error of the stored
// characteristic against the sensor's reference (checked against the linearisation's own error
// for a K thermocouple and a Pt100) and the lines to sign on, in both languages.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

#include "image/linearisation.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"
#include "image/stored_linearisation.h"
#include "numbers/number_text.h"
#include "record/characteristic_error.h"
#include "record/record_output.h"
#include "support/editing_program.h"
#include "support/history_rows.h"
#include "support/pdf_text.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::pdfLines;
using testing::SimulatedProgram;

constexpr int kSeries = 7;

// The simulated RKA-49 (series 7): Pt100 from 0 to 150 °C, no characteristic stored.
class SigningProgram {
 public:
  explicit SigningProgram(bool english) : program("RKA-49", english) {
    program.findBox();
    program.connect();
    program.boxes.questions.clear();
  }

  // The sensor and range typed into the group (after a Copy for edition), then Send.
  void write(SensorType sensor, int low, int high) {
    Form1& form = program.form();
    form.BitBtn3->click();
    testing::EditingProgram::choose(form.ComboBox1, entryOf(sensor));
    form.Edit1->setText(QString::number(low));
    form.Edit2->setText(QString::number(high));
    program.send();  // the check read, then the block
    program.ticks(testing::kTicksToCollect);
    EXPECT_TRUE(program.app.history().flush());
  }

  QStringList exportPdf() {
    program.dialogs.fileToSave = folder.filePath("record.pdf");
    program.form().mainMenu.exportRecordPdf->trigger();
    return pdfLines(folder.filePath("record.pdf"));
  }

  std::vector<history::WriteRow> rows() { return testing::historyRows(program.historyPath()); }

  SimulatedProgram program;
  QTemporaryDir folder;
};

// The largest error of the fit itself, in °C: each reference point of the window against the
// segment the fit laid over it, in the fit's own doubles (before its words were rounded).
double fitError(const LinearisationResult& fit, SensorType sensor) {
  const SensorReferenceTable& reference = sensorReferenceTable(sensor);
  double largest = 0;
  for (int t = fit.firstTemperature; t <= fit.lastTemperature; ++t) {
    const double signal = reference.signalAt(t);
    int segment = 0;
    for (int i = 0; i < fit.segments; ++i)
      if (fit.breakpoints[static_cast<std::size_t>(i)].signal <= signal) segment = i;
    const Breakpoint& start = fit.breakpoints[static_cast<std::size_t>(segment)];
    largest =
        std::max(largest, std::abs(start.temperature + (signal - start.signal) * start.slope - t));
  }
  return largest;
}

// How far the stored words may move the fit's error: LinTemp holds a breakpoint's temperature to
// half a step of 1/30 °C, LinSignal its signal to half a raw step (times the slope), and LinSlope
// the slope to half a step, which grows along the segment.
double wordRounding(const LinearisationResult& fit, const StoredLinearisation& stored) {
  double largest = 0;
  const double signalStep = stored.scale.thousandthsPerStep / 1000.0;
  for (int i = 0; i < fit.segments; ++i) {
    const Breakpoint& start = fit.breakpoints[static_cast<std::size_t>(i)];
    const double end = i + 1 < fit.segments
                           ? fit.breakpoints[static_cast<std::size_t>(i) + 1].signal
                           : fit.lastSignal;
    largest = std::max(largest, 0.5 * signalStep * std::abs(start.slope) +
                                    0.5 / fit.slopeMultiplier * (end - start.signal));
  }
  return 0.5 / 30 + largest + 1e-9;
}

QString signedThreeDecimals(double value) {
  QString text = QString::asprintf("%+.3f", value);
  return text.replace('.', QChar::fromLatin1(number_text::systemDecimalSeparator()));
}

struct SensorCase {
  SensorType sensor;
  int low;
  int high;
};

TEST(SignedRecord, TheLargestErrorIsTheStoredTablesAndAgreesWithTheFitsOwnError) {
  for (const SensorCase& c :
       {SensorCase{SensorType::ThermocoupleK, 0, 1000}, SensorCase{SensorType::Pt100, 0, 150},
        SensorCase{SensorType::Pt100, -50, 400}}) {
    SCOPED_TRACE(entryOf(c.sensor));
    SigningProgram signing(true);
    signing.write(c.sensor, c.low, c.high);
    ASSERT_EQ(signing.program.form().Label41->text(), "Settings written and verified.");

    const std::optional<StoredLinearisation> stored =
        storedLinearisation(signing.program.device->image(), kSeries);
    ASSERT_TRUE(stored && !stored->empty());
    const CharacteristicError error = characteristicError(*stored);
    const TemperatureLimits limits = temperatureLimits(c.low, c.high, false);
    const LinearisationResult fit =
        computeLinearisation(c.sensor, kSeries, limits.lower, limits.upper, c.high - c.low);
    ASSERT_TRUE(fit.writable());
    const double own = fitError(fit, c.sensor);
    const double tolerance = fit.fitTolerance / 100 * (c.high - c.low);
    const double rounding = wordRounding(fit, *stored);
    EXPECT_NEAR(std::abs(error.largest.error), own, rounding);
    EXPECT_LE(std::abs(error.largest.error), tolerance + rounding);
    EXPECT_GT(std::abs(error.largest.error), 0) << "a fit is never exact";
    EXPECT_GE(error.largest.temperature, limits.lower);
    EXPECT_LE(error.largest.temperature, limits.upper + 1);
    // Across the whole window the table serves.
    EXPECT_LE(error.points.front().temperature, limits.lower + 0.5);
    EXPECT_GE(error.points.back().temperature, limits.upper - 0.5);

    const QString all = signing.exportPdf().join('\n');
    EXPECT_TRUE(all.contains("Error of the stored characteristic"));
    EXPECT_TRUE(all.contains("stored segments minus reference curve"));
    EXPECT_TRUE(all.contains(
        QStringLiteral("Largest error: %1 °C at").arg(signedThreeDecimals(error.largest.error))))
        << all.toStdString();
  }
}

TEST(SignedRecord, AReferenceTemperatureIsLinearBetweenWholeDegrees) {
  const SensorReferenceTable& pt100 = sensorReferenceTable(SensorType::Pt100);
  EXPECT_DOUBLE_EQ(referenceTemperatureAt(pt100, pt100.thousandthsAt(100)), 100);
  const double halfway = (pt100.thousandthsAt(20) + pt100.thousandthsAt(21)) / 2.0;
  EXPECT_NEAR(referenceTemperatureAt(pt100, halfway), 20.5, 1e-9);
  EXPECT_EQ(referenceTemperatureAt(pt100, 0), pt100.firstTemperature);
  EXPECT_EQ(referenceTemperatureAt(pt100, 1e9), pt100.lastTemperature());
}

struct SignedRecordTexts {
  bool english;
  const char* source;
  const char* entry;
  QStringList signatures;
};

TEST(SignedRecord, AWriteNamesItsSourceItsHistoryEntryAndHasLinesToSign) {
  for (const SignedRecordTexts& c :
       {SignedRecordTexts{true,
                          "Settings source: this device's own settings (Copy for edition)",
                          "Write history: entry %1, hash %2",
                          {"Performed by:", "Checked by:", "Date:"}},
        SignedRecordTexts{false,
                          "Źródło ustawień: własne ustawienia tego urządzenia (Przepisz do edycji)",
                          "Historia zapisów: wpis %1, skrót %2",
                          {"Wykonał:", "Sprawdził:", "Data:"}}}) {
    SCOPED_TRACE(c.english ? "English" : "Polish");
    SigningProgram signing(c.english);
    signing.write(SensorType::Pt100, 0, 100);
    signing.write(SensorType::Pt100, 0, 200);
    const std::vector<history::WriteRow> rows = signing.rows();
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_TRUE(rows[1].hash);

    const QStringList lines = signing.exportPdf();
    const QString all = lines.join('\n');
    EXPECT_TRUE(all.contains(c.source)) << all.toStdString();
    EXPECT_TRUE(all.contains(QString(c.entry).arg(*rows[1].sequence).arg(*rows[1].hash)))
        << "the last write's entry";
    EXPECT_FALSE(all.contains(*rows[0].hash));
    EXPECT_FALSE(lines.filter(QRegularExpression("^" + c.signatures.join(".*"))).isEmpty())
        << "the lines to sign on, side by side";
  }
}

TEST(SignedRecord, ASettingsFileIsNamedWithTheSerialNumberItWasSavedFrom) {
  SigningProgram signing(true);
  SimulatedProgram& program = signing.program;
  program.dialogs.fileToSave = signing.folder.filePath("plant.tadj");
  program.form().mainMenu.saveDeviceSettings->trigger();
  ASSERT_EQ(program.dialogs.saveQuestions.size(), 1u);
  const QString offered = QFileInfo(program.dialogs.saveQuestions[0].startAt).fileName();
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("^RKA-49-%1-TT-101-\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.tadj$")
                             .arg(program.form().Edit7->text()))
          .match(offered)
          .hasMatch())
      << offered.toStdString();
  EXPECT_EQ(program.form().Label41->text(), "Saved: plant.tadj");
  program.dialogs.fileToOpen = signing.folder.filePath("plant.tadj");
  program.form().mainMenu.openSettingsFile->trigger();
  program.send();  // the check read, then the block
  program.ticks(testing::kTicksToCollect);
  EXPECT_TRUE(program.app.history().flush());
  const QString all = signing.exportPdf().join('\n');
  EXPECT_TRUE(all.contains(QStringLiteral("Settings source: settings file plant.tadj, saved from "
                                          "serial number %1")
                               .arg(program.form().Edit7->text())))
      << all.toStdString();
}

// The status line breaks a long file name after its dashes and dots: nothing of it is cut.
TEST(SignedRecord, TheSavedFileNameIsWrappedWholeInTheStatusLine) {
  for (const bool english : {true, false}) {
    SigningProgram signing(english);
    Form1& form = signing.program.form();
    form.show();
    const QString text = QStringLiteral("%1 RKA-49-21017-TT-101-2026-12-10-0905.tadj")
                             .arg(english ? "Saved:" : "Zapisano:");
    form.Label41->setText(text);
    QApplication::processEvents();
    const QFontMetrics metrics(form.Label41->font());
    for (const QString& piece : text.split(QRegularExpression("(?<=[-. ])")))
      EXPECT_LE(metrics.horizontalAdvance(piece.trimmed()), form.Label41->contentsRect().width())
          << piece.toStdString();
    EXPECT_LE(form.Label41->heightForWidth(form.Label41->width()), form.Label41->height());
    EXPECT_EQ(form.Label41->text(), text) << "the text itself is the program's";
  }
}

// Every source a write can have, as the record words it; several records in one document, each
// from a page of its own.
TEST(SignedRecord, EachSourceIsWordedInBothLanguages) {
  const auto recordFrom = [](bool english, SettingsSource source) {
    DeviceRecord record;
    record.useEnglish = english;
    record.identity = {"RKA-49", "7001", "21017", "TT-101", "/dev/ttyUSB0"};
    WriteByThisLink write;
    write.source = source;
    record.write = write;
    return record;
  };
  SettingsSource file{SettingsSource::Kind::SettingsFile, "plant.tadj", "20990", {}, 0};
  SettingsSource row{SettingsSource::Kind::CommissioningRow, "section-4.csv", {}, "TT-104", 5};
  SettingsSource other{SettingsSource::Kind::OtherDeviceCopy, {}, "20990", {}, 0};
  SettingsSource start{SettingsSource::Kind::StartValues, {}, {}, {}, 0};
  QTemporaryDir folder;
  for (const bool english : {true, false}) {
    const QString path = folder.filePath(english ? "en.pdf" : "pl.pdf");
    ASSERT_TRUE(writeRecordsPdf({recordFrom(english, file), recordFrom(english, row),
                                 recordFrom(english, other), recordFrom(english, start)},
                                path)
                    .written);
    EXPECT_EQ(testing::pdfPageCount(path), 4);
    const QString all = pdfLines(path).join('\n');
    const QStringList expected =
        english ? QStringList{"Settings source: settings file plant.tadj, saved from serial number "
                              "20990",
                              "Settings source: commissioning list section-4.csv, line 5, tag "
                              "TT-104",
                              "Settings source: a copy of another device, serial number 20990",
                              "Settings source: the window's start values"}
                : QStringList{"Źródło ustawień: plik ustawień plant.tadj, zapisany z urządzenia o "
                              "numerze seryjnym 20990",
                              "Źródło ustawień: lista uruchomienia section-4.csv, wiersz 5, "
                              "identyfikator TT-104",
                              "Źródło ustawień: kopia innego urządzenia, numer seryjny 20990",
                              "Źródło ustawień: wartości początkowe okna"};
    for (const QString& line : expected)
      EXPECT_TRUE(all.contains(line)) << line.toStdString() << "\n" << all.toStdString();
  }
}

TEST(SignedRecord, ARecordWithoutAWriteOfThisLinkNamesNoHistoryEntry) {
  SigningProgram signing(true);
  const QString all = signing.exportPdf().join('\n');
  EXPECT_FALSE(all.contains("Write history:"));
  EXPECT_FALSE(all.contains("Settings source:"));
  EXPECT_TRUE(all.contains("Performed by:"));
}

}  // namespace
}  // namespace tadjust

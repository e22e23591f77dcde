// Device records regenerated from the write history: t-adjust-history report for a serial number
// and for a span of days in either language, read back with pdftotext; verify's last hash is the
// one the last record prints; the history window prints the records of the rows selected; bad
// arguments are refused with the usage and a history of junk images still gives records.

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "app/history_window.h"
#include "history/history_database.h"
#include "support/history_rows.h"
#include "support/pdf_text.h"
#include "support/program_run.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::historyTool;
using testing::pdfLines;
using testing::ProgramRun;
using testing::SimulatedProgram;

int linesEqualTo(const QStringList& lines, const QString& text) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

constexpr std::uint16_t kOtherSerial = 31337;

// Two writes of the simulated RKA-49, then one of another device of the same model put on the
// box in its place (another serial number).
class WrittenHistory {
 public:
  WrittenHistory() {
    program.findBox();
    program.connect();
    write("TT-1");
    write("TT-2");
    auto image = program.device->image();
    image[194] = kOtherSerial & 0xFF;
    image[195] = kOtherSerial >> 8;
    program.device->setImage(image);
    program.form().ReadAgainButton->click();
    program.ticks(testing::kTicksToCollect);
    write("TT-3");
  }

  void write(const QString& tag) {
    program.form().BitBtn3->click();
    program.form().Edit5->setText(tag);
    program.send();  // the check read, then the block
    program.ticks(testing::kTicksToCollect);
    EXPECT_TRUE(program.app.history().flush());
    EXPECT_EQ(program.form().Label41->text(), "Settings written and verified.");
  }

  QString db() const { return program.historyPath(); }
  QString out(const QString& name) const { return folder.filePath(name); }

  SimulatedProgram program;
  QTemporaryDir folder;
};

TEST(HistoryRecords, ReportWritesOneRecordPerWriteOfASerialNumberOrOfTheDays) {
  WrittenHistory history;
  const QString serial = QString::number(history.program.device->image()[194] |
                                         history.program.device->image()[195] << 8);
  ASSERT_EQ(serial, QString::number(kOtherSerial));
  const std::vector<history::WriteRow> rows = testing::historyRows(history.db());
  ASSERT_EQ(rows.size(), 3u);
  const QString firstSerial = QString::number(rows[0].serialNumber);

  // The first device's two writes, in English.
  ProgramRun run = historyTool(
      {"--db", history.db(), "report", "--serial", firstSerial, "--out", history.out("first.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  QStringList lines = pdfLines(history.out("first.pdf"));
  EXPECT_EQ(linesEqualTo(lines, "T-adjust device record"), 2);
  EXPECT_EQ(linesEqualTo(lines, "Written"), 2) << "not \"Written by this link\"";
  EXPECT_FALSE(lines.join('\n').contains(QString::number(kOtherSerial)));
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(lines.contains(QStringLiteral("Write history: entry %1, hash %2")
                                   .arg(*rows[i].sequence)
                                   .arg(*rows[i].hash)));
  }
  // Each record names the serial number twice: the device, and the device group's row.
  EXPECT_EQ(lines.filter(QRegularExpression("^Serial number " + firstSerial + "$")).size(), 4)
      << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.join('\n').contains("TT-1 TT-2")) << "the tag as found and as left";
  EXPECT_EQ(lines.filter("Performed by:").size(), 2);

  // Every write of today, in Polish.
  const QString today = QDate::currentDate().toString(Qt::ISODate);
  run = historyTool({"--db", history.db(), "report", "--from", today, "--to", today, "--language",
                     "pl", "--out", history.out("today.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  lines = pdfLines(history.out("today.pdf"));
  EXPECT_EQ(linesEqualTo(lines, "Protokół urządzenia T-adjust"), 3);
  EXPECT_EQ(linesEqualTo(lines, "Zapis"), 3);
  EXPECT_EQ(
      lines.filter(QRegularExpression("^Numer seryjny " + QString::number(kOtherSerial) + "$"))
          .size(),
      2);
  EXPECT_EQ(lines.filter("Wykonał:").size(), 3);

  // Days without a write: nothing written.
  run = historyTool({"--db", history.db(), "report", "--from", "2001-01-01", "--to", "2001-01-31",
                     "--out", history.out("none.pdf")});
  EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
  EXPECT_FALSE(QFile::exists(history.out("none.pdf")));
}

TEST(HistoryRecords, VerifyPrintsTheLastHashTheLastRecordShows) {
  WrittenHistory history;
  const ProgramRun verify = historyTool({"--db", history.db(), "verify"});
  ASSERT_EQ(verify.exitCode, 0) << verify.output.toStdString();
  const QRegularExpressionMatch last =
      QRegularExpression("last entry: ([0-9]+):([0-9a-f]{64})").match(verify.output);
  ASSERT_TRUE(last.hasMatch()) << verify.output.toStdString();

  history.program.dialogs.fileToSave = history.out("last.pdf");
  history.program.form().mainMenu.exportRecordPdf->trigger();
  const QStringList lines = pdfLines(history.out("last.pdf"));
  EXPECT_TRUE(lines.contains(
      QStringLiteral("Write history: entry %1, hash %2").arg(last.captured(1), last.captured(2))))
      << lines.join('\n').toStdString();
}

TEST(HistoryRecords, TheHistoryWindowPrintsTheRecordsOfTheSelectedRows) {
  WrittenHistory history;
  testing::ScriptedMessageBoxes boxes;
  testing::ScriptedFileDialogs dialogs;
  HistoryWindow window(history.db(), true, boxes, dialogs);
  EXPECT_FALSE(window.printButton->isEnabled()) << "nothing selected";
  EXPECT_EQ(window.printButton->text(), "Print records…");
  window.table->selectRow(0);
  window.table->selectionModel()->select(window.table->model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ASSERT_TRUE(window.printButton->isEnabled());

  dialogs.printTo = history.out("printed.pdf");
  window.printButton->click();
  EXPECT_EQ(dialogs.printCaptions, std::vector<QString>{"Print device records"});
  const QStringList lines = pdfLines(history.out("printed.pdf"));
  EXPECT_EQ(linesEqualTo(lines, "T-adjust device record"), 2);
  // The device and the device group's row.
  EXPECT_EQ(lines.filter(QRegularExpression("^Tag TT-3$")).size(), 2) << "the newest row";
  EXPECT_EQ(lines.filter(QRegularExpression("^Tag TT-1$")).size(), 2) << "the oldest row";
  EXPECT_TRUE(boxes.questions.empty());
}

TEST(HistoryRecords, ARowOfJunkImagesStillGivesARecord) {
  QTemporaryDir folder;
  const QString path = folder.filePath("history.sqlite");
  {
    history::HistoryDatabase db;
    ASSERT_TRUE(db.openForRecording(path, QDateTime::currentDateTimeUtc()).writable);
    history::WriteOpening row;
    row.writtenAt = history::historyTime(QDateTime::currentDateTimeUtc());
    row.model = "RKA-49";
    row.serialNumber = 4242;
    row.asFound = QByteArray(256, '\xA5');
    row.sent = QByteArray(192, '\x02');
    const history::ChainEntry opened = *db.appendOpening(row);
    history::WriteCompletion completion;
    completion.completedAt = history::historyTime(QDateTime::currentDateTimeUtc());
    completion.outcome = history::Outcome::StoredWrong;
    completion.asLeft = QByteArray(17, '\x03');
    ASSERT_TRUE(db.appendCompletion(opened.id, opened.hash, completion));
  }
  const ProgramRun run = historyTool(
      {"--db", path, "report", "--serial", "4242", "--out", folder.filePath("junk.pdf")});
  ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
  const QString all = pdfLines(folder.filePath("junk.pdf")).join('\n');
  EXPECT_TRUE(all.contains("4242"));
  EXPECT_TRUE(all.contains("(not read)")) << "an as-left image of 17 bytes is none";
}

TEST(HistoryRecords, BadArgumentsAreRefusedWithTheUsage) {
  QTemporaryDir folder;
  const QString out = folder.filePath("r.pdf");
  const std::vector<QStringList> cases{
      {"report"},
      {"report", "--out", out},
      {"report", "--serial", "12"},
      {"report", "--out", out, "--serial", "x"},
      {"report", "--out", out, "--serial", "12", "--from", "2026-01-01", "--to", "2026-01-02"},
      {"report", "--out", out, "--from", "2026-01-01"},
      {"report", "--out", out, "--from", "2026-02-30", "--to", "2026-03-01"},
      {"report", "--out", out, "--from", "2026-03-02", "--to", "2026-03-01"},
      {"report", "--out", out, "--serial", "12", "--language", "de"},
      {"report", "--out", out, "--serial", "12", "--serial", "13"},
      {"report", "--out", out, "--serial", "12", "stray"},
  };
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const ProgramRun run = historyTool(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.output.contains("usage: t-adjust-history")) << run.output.toStdString();
  }
  const ProgramRun missing = historyTool(
      {"--db", folder.filePath("none.sqlite"), "report", "--serial", "1", "--out", out});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(missing.output.contains("none.sqlite")) << missing.output.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace tadjust

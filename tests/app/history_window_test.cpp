// The history window over a real history file: newest first with local times, the filter by
// serial number, model or tag and by days, the selected row's outcome and changes, the CSV of
// the rows shown read back by a reader of its own, the integrity check naming the first broken
// row, and the File menu's entry that opens it.

#include "app/history_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "history/field_changes.h"
#include "support/csv_reader.h"
#include "support/scripted_file_dialogs.h"
#include "support/scripted_message_boxes.h"
#include "support/settings_image_fixtures.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using history::Outcome;

const QDateTime kFirstDay(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);

// Three writes of two devices on two days; the last one still open.
class HistoryFile {
 public:
  HistoryFile() {
    history::HistoryDatabase db;
    EXPECT_TRUE(db.openForRecording(path(), kFirstDay).writable);
    add(db, 21001, "RKA-49", "TT-101", kFirstDay, Outcome::Verified);
    add(db, 21002, "GWA-43", "PANEL 3", kFirstDay.addSecs(60), Outcome::StoredWrong);
    add(db, 21001, "RKA-49", "TT-101", kFirstDay.addDays(3), std::nullopt);
  }
  QString path() const { return folder.filePath("history.sqlite"); }

  QTemporaryDir folder;

 private:
  static void add(history::HistoryDatabase& db, qint64 serial, const QString& model,
                  const QString& tag, const QDateTime& at, std::optional<Outcome> outcome) {
    history::WriteOpening row;
    row.writtenAt = history::historyTime(at);
    row.user = "technik";
    row.host = "bench";
    row.programVersion = "2.3";
    row.port = "/dev/ttyUSB0";
    row.model = model;
    row.serialNumber = serial;
    row.tag = tag;
    row.asFound = QByteArray(256, '\x01');
    row.sent = QByteArray(192, '\x02');
    row.changes = history::changesJson({{"rangeHigh", "600", "800"}, {"tag", "OLD", tag}});
    const history::ChainEntry opened = *db.appendOpening(row);
    if (outcome) {
      history::WriteCompletion completion;
      completion.completedAt = history::historyTime(at);
      completion.outcome = *outcome;
      completion.asLeft = QByteArray(256, '\x03');
      EXPECT_TRUE(db.appendCompletion(opened.id, opened.hash, completion));
    }
  }
};

struct Window {
  explicit Window(const QString& path, bool english = true)
      : window(path, english, boxes, dialogs) {}
  int rowCount() { return window.table->model()->rowCount(); }
  QString cell(int row, int column) {
    return window.table->model()->index(row, column).data().toString();
  }
  testing::ScriptedMessageBoxes boxes;
  testing::ScriptedFileDialogs dialogs;
  HistoryWindow window;
};

TEST(HistoryWindow, ShowsTheWritesNewestFirstAndFiltersThem) {
  HistoryFile file;
  Window shown(file.path());
  ASSERT_EQ(shown.rowCount(), 3);
  EXPECT_EQ(shown.cell(0, HistoryWindow::OutcomeColumn), "in progress");
  EXPECT_EQ(shown.cell(1, HistoryWindow::SerialColumn), "21002");
  EXPECT_EQ(shown.cell(1, HistoryWindow::ModelColumn), "GWA-43");
  EXPECT_EQ(shown.cell(1, HistoryWindow::TagColumn), "PANEL 3");
  EXPECT_EQ(shown.cell(1, HistoryWindow::OutcomeColumn), "stored wrong");
  EXPECT_EQ(shown.cell(1, HistoryWindow::UserColumn), "technik");
  EXPECT_EQ(shown.cell(2, HistoryWindow::TimeColumn),
            kFirstDay.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
  EXPECT_TRUE(shown.window.summary->text().startsWith("5 chain entries, the last 5:"))
      << shown.window.summary->text().toStdString();

  shown.window.filter->setText("21002");
  ASSERT_EQ(shown.rowCount(), 1);
  EXPECT_EQ(shown.cell(0, HistoryWindow::ModelColumn), "GWA-43");
  shown.window.filter->setText("tt-1");
  EXPECT_EQ(shown.rowCount(), 2);
  shown.window.filter->clear();
  shown.window.fromDate->setDate(kFirstDay.toLocalTime().date().addDays(1));
  shown.window.toDate->setDate(kFirstDay.toLocalTime().date().addDays(5));
  shown.window.dateRange->setChecked(true);
  ASSERT_EQ(shown.rowCount(), 1);
  EXPECT_EQ(shown.cell(0, HistoryWindow::OutcomeColumn), "in progress");

  shown.window.dateRange->setChecked(false);
  shown.window.table->selectRow(1);
  EXPECT_EQ(shown.window.details->toPlainText(),
            "Outcome: stored wrong\nrangeHigh: 600 → 800\nTag: OLD → PANEL 3");
}

// The changes of a row as people read them: by the row's caption in the window's language, with
// the language's decimal separator and the units of the sensor before and after the write.
TEST(HistoryWindow, DetailsNameTheFieldsByCaptionWithTheLanguagesSeparatorAndUnits) {
  const std::vector<history::FieldChange> changes = {{"sensorType", "Pt100", "K"},
                                                     {"connection", "3-wire", "external"},
                                                     {"coldJunctionTemperature", "", "22.5"},
                                                     {"temperatureOffset", "0.5", "-1.2"},
                                                     {"filterTime", "1", "0.2"},
                                                     {"tag", "TT-101", "TT-7"}};
  history::WriteRow row;
  row.model = "RKA-49";
  row.productCode = 7001;
  const Reply found = transmitterReply(7001, sensor(0x2010, 6000, 10500, [](Bytes b) {
                                         transmitter::TempOffsetRaw.set(b, 15);
                                         transmitter::FilterTimeIndex.set(b, 1);
                                       }));
  row.asFound = QByteArray(reinterpret_cast<const char*>(found.data()), found.size());

  EXPECT_EQ(
      changeLines(changes, row, true),
      QStringList({"Sensor type: Pt100 resistance → K type thermocouple",
                   "Sensor connection / Cold junction comp.: 3-wire → external",
                   "Cold junction temp.: – → 22.5 [°C]", "Temperature offset: 0.5 [°C] → -1.2 [°C]",
                   "Filter time constant: 1 [s] → 0.2 [s]", "Tag: TT-101 → TT-7"}));
  EXPECT_EQ(
      changeLines(changes, row, false),
      QStringList(
          {"Typ czujnika: termorezystor Pt100 → termopara K",
           "Podłączenie / Komp. zimnych końców: 3-przewodowe → zewnętrzna",
           "Temp. zimnych końców: – → 22,5 [°C]", "Korekcja temperatury: 0,5 [°C] → -1,2 [°C]",
           "Stała czasowa filtru: 1 [s] → 0,2 [s]", "Identyfikator obiektowy: TT-101 → TT-7"}));
}

// The rows shown, exported and read back by a CSV reader: the same rows, in the same order.
TEST(HistoryWindow, ExportsTheRowsShownAsCsv) {
  HistoryFile file;
  Window shown(file.path());
  shown.window.filter->setText("RKA");
  shown.dialogs.fileToSave = file.folder.filePath("export");
  shown.window.exportButton->click();
  ASSERT_EQ(shown.dialogs.saveQuestions.size(), 1u);
  EXPECT_EQ(shown.dialogs.saveQuestions[0].filter, "CSV files (*.csv)");

  QFile csv(file.folder.filePath("export.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const std::vector<QStringList> records = testing::readCsv(QString::fromUtf8(csv.readAll()));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][0], "id");
  history::HistoryDatabase db;
  ASSERT_TRUE(db.openReadOnly(file.path()).readable);
  for (int i = 0; i < 2; ++i) {
    const history::WriteRow row = *db.row(records[static_cast<std::size_t>(i + 1)][0].toLongLong());
    EXPECT_EQ(QString::number(row.serialNumber), shown.cell(i, HistoryWindow::SerialColumn));
    EXPECT_EQ(records[static_cast<std::size_t>(i + 1)][19], row.hash.value_or(QString()));
  }
  EXPECT_TRUE(shown.boxes.questions.empty());

  // A file that cannot be written is said.
  shown.dialogs.fileToSave = file.folder.filePath("no/such/folder/export.csv");
  shown.boxes.queue(Answer::Ok);
  shown.window.exportButton->click();
  ASSERT_EQ(shown.boxes.questions.size(), 1u);
  EXPECT_EQ(shown.boxes.questions[0].caption, "History not exported");
}

TEST(HistoryWindow, CheckIntegrityNamesTheFirstBrokenRow) {
  HistoryFile file;
  {
    Window shown(file.path());
    shown.window.checkButton->click();
    EXPECT_EQ(shown.window.checkResult->text(), "Integrity checked: the chain holds.");
  }
  QProcess sqlite;
  sqlite.start("sqlite3", {file.path(), "UPDATE writes SET tag = 'TT-102' WHERE id = 2"});
  ASSERT_TRUE(sqlite.waitForFinished());
  Window polish(file.path(), false);
  EXPECT_EQ(polish.window.checkButton->text(), "Sprawdź spójność");
  polish.window.checkButton->click();
  EXPECT_EQ(polish.window.checkResult->text(), "Łańcuch jest przerwany we wpisie 3 (zapis 2).");
  EXPECT_EQ(polish.cell(1, HistoryWindow::OutcomeColumn), "zapisany błędnie");
}

TEST(HistoryWindow, TheFileMenuOpensItOnTheProgramsHistory) {
  testing::SimulatedProgram program;
  program.findBox();
  program.connect();
  program.form().BitBtn3->click();
  program.send();
  program.ticks(testing::kTicksToCollect);
  ASSERT_TRUE(program.app.history().flush());
  program.form().mainMenu.writeHistory->trigger();
  auto* window = program.form().findChild<HistoryWindow*>("historyWindow");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->isHidden());
  EXPECT_EQ(window->windowTitle(), "Write history");
  ASSERT_EQ(window->table->model()->rowCount(), 1);
  EXPECT_EQ(window->table->model()->index(0, HistoryWindow::OutcomeColumn).data(), "verified");
}

}  // namespace
}  // namespace tadjust

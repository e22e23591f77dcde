#include "commissioning/commissioning_job.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "commissioning/job_summary.h"
#include "support/csv_reader.h"
#include "support/pdf_text.h"
#include "support/settings_file_fixtures.h"

namespace tadjust {
namespace {

using testing::writeFile;

class JobFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(writeFile(folder.filePath("pt100.tadj"),
                          writeSettingsFile(testing::settingsFileOf("RKA-49", 21017))));
  }

  CommissioningJob jobOf(const QByteArray& list) {
    writeFile(listPath(), list);
    auto reading = readCommissioningList(list, QDir(folder.path()));
    return CommissioningJob(listPath(), std::get<CommissioningList>(std::move(reading)));
  }
  QString listPath() const { return folder.filePath("section 4.csv"); }

  static RowProgress verifiedAs(std::uint16_t serial, qint64 sequence) {
    RowProgress p;
    p.productCode = 7001;
    p.serialNumber = serial;
    p.model = "RKA-49";
    p.time = QDateTime(QDate(2026, 12, 11), QTime(8, 30), Qt::UTC);
    p.historySequence = sequence;
    p.historyHash = QString(64, QLatin1Char('a'));
    return p;
  }

  QTemporaryDir folder;
  const QByteArray list = "tag,settings\nTT-101,pt100.tadj\n=cmd(),pt100.tadj\nTT-103,pt100.tadj\n";
};

TEST_F(JobFolder, ItsFilesStandBesideTheList) {
  const JobFiles files = jobFilesOf(listPath());
  EXPECT_EQ(files.state, folder.filePath("section 4.job.json"));
  EXPECT_EQ(files.records, folder.filePath("section 4-records"));
}

TEST_F(JobFolder, ASavedJobResumesWhereItStopped) {
  CommissioningJob job = jobOf(list);
  job.setVerified(0, verifiedAs(30001, 12));
  job.toggleSkipped(1);
  job.setFailed(2, "Settings NOT verified: 1 byte differs.");
  ASSERT_EQ(saveJobState(job), std::nullopt);
  EXPECT_EQ(job.rowsDone(), 2u);

  CommissioningJob again = jobOf(list);
  QFile state(jobFilesOf(listPath()).state);
  ASSERT_TRUE(state.open(QIODevice::ReadOnly));
  ASSERT_EQ(again.resumeFrom(state.readAll()), CommissioningJob::Resume::Resumed);
  EXPECT_EQ(again.progress(0).state, RowState::Verified);
  EXPECT_EQ(again.progress(0).serialNumber, 30001);
  EXPECT_EQ(again.progress(0).historySequence, 12);
  EXPECT_EQ(again.progress(0).time, verifiedAs(30001, 12).time);
  EXPECT_EQ(again.progress(1).state, RowState::Skipped);
  EXPECT_EQ(again.progress(2).state, RowState::Waiting);
  EXPECT_EQ(again.progress(2).failure, "Settings NOT verified: 1 byte differs.");
  EXPECT_EQ(again.nextWaiting(), 2u);
  EXPECT_EQ(again.rowOfDevice(7001, 30001), 0u);
  EXPECT_EQ(again.rowOfDevice(7001, 30002), std::nullopt);
}

TEST_F(JobFolder, AStateOfAChangedListOrNoStateIsNotResumed) {
  CommissioningJob job = jobOf(list);
  job.setVerified(0, verifiedAs(30001, 12));
  const QByteArray saved = job.stateJson();

  CommissioningJob changed = jobOf(list + "TT-104,pt100.tadj\n");
  EXPECT_EQ(changed.resumeFrom(saved), CommissioningJob::Resume::ListChanged);
  EXPECT_EQ(changed.progress(0).state, RowState::Waiting);
  CommissioningJob same = jobOf(list);
  EXPECT_EQ(same.resumeFrom("{}"), CommissioningJob::Resume::NotAJobState);
  EXPECT_EQ(same.resumeFrom("not json"), CommissioningJob::Resume::NotAJobState);
  QByteArray otherState = saved;
  otherState.replace("\"verified\"", "\"half-done\"");
  EXPECT_EQ(same.resumeFrom(otherState), CommissioningJob::Resume::NotAJobState);
  EXPECT_EQ(same.progress(0).state, RowState::Waiting);
}

TEST(FileNameOfTag, ReplacesWhatAFileNameCannotHold) {
  EXPECT_EQ(fileNameOfTag("TT-101"), "TT-101");
  EXPECT_EQ(fileNameOfTag("A/B\\C:D*E?F\"G<H>I|J"), "A-B-C-D-E-F-G-H-I-J");
  EXPECT_EQ(fileNameOfTag("ŁÓDŹ 1"), "ŁÓDŹ 1");
}

TEST_F(JobFolder, TheSummaryListsEveryRowInCsvAndPdf) {
  CommissioningJob job = jobOf(list);
  job.setVerified(0, verifiedAs(30001, 12));
  job.toggleSkipped(1);
  job.setFailed(2, "No response");

  const auto records = testing::readCsv(QString::fromUtf8(summaryCsv(job)));
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], QStringList({"tag", "model", "serial_number", "outcome", "time",
                                     "history_sequence", "history_hash"}));
  EXPECT_EQ(records[1], QStringList({"TT-101", "RKA-49", "30001", "verified",
                                     "2026-12-11T08:30:00Z", "12", QString(64, 'a')}));
  EXPECT_EQ(records[2][0], "'=cmd()");
  EXPECT_EQ(records[2][3], "skipped");
  EXPECT_EQ(records[3][3], "failed");

  const SummaryTexts texts{"Commissioning summary",
                           {"List: section 4.csv", "1 of 3"},
                           {"Tag", "Model", "Serial number", "Outcome", "Time", "Sequence", "Hash"},
                           {"waiting", "written and verified", "skipped", "failed"},
                           QLocale(QLocale::English)};
  const QString pdf = folder.filePath("summary.pdf");
  ASSERT_TRUE(writeSummaryPdf(job, texts, pdf).written);
  const QString text = testing::pdfLines(pdf).join('\n');
  EXPECT_TRUE(text.contains("Commissioning summary")) << text.toStdString();
  EXPECT_TRUE(text.contains("TT-101 RKA-49 30001 written and verified")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString(64, 'a'))) << text.toStdString();
  EXPECT_TRUE(text.contains("TT-103 RKA-49 failed: No response")) << text.toStdString();
}

}  // namespace
}  // namespace tadjust

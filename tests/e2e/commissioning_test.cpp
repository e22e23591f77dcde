// Commissioning from a list through the whole program against t-adjust-sim, in real time: four
// devices of different serial numbers behind the same box, one after another (the simulator's
// --swap-to), each given its row of the list, written, verified and recorded; the same device
// offered twice refused; the program ended after the second device and started again resumes at
// the third.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "sim/image_file.h"
#include "sim/model_images.h"
#include "simulated_device_session.h"
#include "support/pdf_text.h"
#include "support/settings_file_fixtures.h"
#include "window_steps.h"

namespace tadjust {
namespace {

using namespace testing;
using F = SettingsField;

constexpr char kVerified[] = "Settings written and verified.";
// A write's block and pauses, its read-back and the check read before it, with room to spare.
constexpr int kCommissioningWriteWaitMs = 45000;

class CommissioningFolder {
 public:
  CommissioningFolder() {
    writeFile(path("pt100.tadj"), writeSettingsFile(settingsFileOf("RKA-49", 21017)));
    writeFile(path("wide.tadj"), writeSettingsFile(settingsFileOf("RKA-49", 21018, [](auto& s) {
                setFieldText(s, F::RangeLow, "-50");
                setFieldText(s, F::RangeHigh, "250");
              })));
    writeFile(path("section 5.csv"),
              "tag,settings,model,rangeHigh\n"
              "TT-501,pt100.tadj,,\n"
              "TT-502,pt100.tadj,RKA-49,120\n"
              "TT-503,wide.tadj,,\n"
              "TT-504,wide.tadj,,\n");
    const auto model = findSimulatedModel("RKA-49").value();
    for (const std::uint16_t serial : {40002, 40003, 40004})
      saveImageFile(devicePath(serial).toStdString(), makeModelImage(model, serial), "RKA-49");
  }

  QString path(const QString& name) const { return folder.filePath(name); }
  QString devicePath(std::uint16_t serial) const {
    return path(QStringLiteral("device-%1.hex").arg(serial));
  }
  QString listPath() const { return path("section 5.csv"); }
  QString record(const QString& tag, int serial) const {
    return path(QStringLiteral("section 5-records/%1-%2.pdf").arg(tag).arg(serial));
  }

  QTemporaryDir folder;
};

QString held(SimulatedDeviceSession& session, SettingsField field) {
  return QString::fromStdString(
      fieldText(decodeSettings(session.app->images(), session.app->view().model), field));
}

bool waitForStatus(SimulatedDeviceSession& session, const QString& status, int ms) {
  return QTest::qWaitFor([&] { return session.form().Label41->text() == status; }, ms);
}

// Send, and the read-back verified.
void sendAndVerify(SimulatedDeviceSession& session) {
  press(session.form().BitBtn4);
  ASSERT_TRUE(waitForStatus(session, kVerified, kCommissioningWriteWaitMs))
      << session.form().Label41->text().toStdString();
}

void readAgain(SimulatedDeviceSession& session) { press(session.form().ReadAgainButton); }

bool waitForTag(SimulatedDeviceSession& session, const QString& tag) {
  return QTest::qWaitFor([&] { return session.form().Edit5->text() == tag; }, kLinkWaitMs);
}

void openTheList(SimulatedDeviceSession& session, const CommissioningFolder& folder) {
  session.dialogs.fileToOpen = folder.listPath();
  session.form().mainMenu.commissionFromList->trigger();
  ASSERT_NE(session.app->commissioning().window(), nullptr);
}

TEST(CommissioningEndToEnd, FourDevicesFromAListEachWrittenVerifiedAndRecordedAcrossARestart) {
  CommissioningFolder folder;
  SimulatedDeviceSession session({"--model", "RKA-49", "--serial", "40001", "--swap-to",
                                  folder.devicePath(40002), "--swap-to", folder.devicePath(40003),
                                  "--swap-to", folder.devicePath(40004)});
  ASSERT_TRUE(session.ready());

  startAndFindTheBox(session);
  openTheList(session, folder);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  ASSERT_TRUE(waitForTag(session, "TT-501"));
  sendAndVerify(session);
  EXPECT_EQ(held(session, F::Tag), "TT-501");
  EXPECT_EQ(held(session, F::RangeHigh), "150");

  // The same device offered again.
  readAgain(session);
  ASSERT_TRUE(
      waitForStatus(session, "This device was already commissioned as TT-501.", kLinkWaitMs));

  ASSERT_TRUE(session.simulator().swapDevice());
  readAgain(session);
  ASSERT_TRUE(waitForTag(session, "TT-502"));
  sendAndVerify(session);
  EXPECT_EQ(held(session, F::Tag), "TT-502");
  EXPECT_EQ(held(session, F::RangeHigh), "120");

  // The program ends, and is started again: the job resumes at the third row.
  press(session.form().BitBtn1);  // Disconnect
  session.app.reset();
  session.app.emplace(Platform{session.port, session.pause, session.boxes, session.events,
                               session.portMap, session.programDirectory.path(), session.dialogs,
                               session.historyFolder()});
  startAndFindTheBox(session);
  openTheList(session, folder);
  EXPECT_EQ(session.app->commissioning().window()->progress->text(), "2 of 4");
  ASSERT_TRUE(session.simulator().swapDevice());
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  ASSERT_TRUE(waitForTag(session, "TT-503"));
  sendAndVerify(session);
  EXPECT_EQ(held(session, F::RangeLow), "-50");
  EXPECT_EQ(held(session, F::RangeHigh), "250");

  ASSERT_TRUE(session.simulator().swapDevice());
  readAgain(session);
  ASSERT_TRUE(waitForTag(session, "TT-504"));
  sendAndVerify(session);
  EXPECT_EQ(held(session, F::Tag), "TT-504");
  EXPECT_EQ(session.app->commissioning().window()->progress->text(), "4 of 4");

  const std::vector<std::pair<QString, int>> devices = {
      {"TT-501", 40001}, {"TT-502", 40002}, {"TT-503", 40003}, {"TT-504", 40004}};
  for (const auto& [tag, serial] : devices) {
    const QString text = pdfText(folder.record(tag, serial));
    EXPECT_TRUE(text.contains(tag) && text.contains(QString::number(serial)))
        << tag.toStdString() << ": " << text.toStdString();
  }
}

}  // namespace
}  // namespace tadjust

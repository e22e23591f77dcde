// Writes that must never reach the wrong device or be reported verified, end to end against
// t-adjust-sim in real time: a device swapped behind the box between the copy and the write (the
// check read before the write finds it), a fresh group the technician must confirm, a read-back
// that names another series, and values whose words the device would read as other values.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <ostream>

#include "image/settings_image.h"
#include "sim/image_file.h"
#include "sim/model_images.h"
#include "window_steps.h"

namespace tadjust {
namespace {

using namespace testing;

const QString kNotSentCaption = "Settings not sent";
const QString kCannotBeStored = ": the value cannot be stored in the device.";
// The handshake ("?", "#"), the link, the read, the check read before the write and the write's
// command (three bytes each): the block follows.
constexpr int kBytesBeforeTheBlock = 2 + 3 + 3 + 3 + 3;

// Settings images in files, for the simulator's --image, --swap-to and --save.
class ImageFiles {
 public:
  ImageFiles() { EXPECT_TRUE(folder_.isValid()); }
  QString write(const QString& name, const ImageBytes& image) {
    const QString path = folder_.filePath(name);
    EXPECT_TRUE(saveImageFile(path.toStdString(), image));
    return path;
  }
  QString path(const QString& name) const { return folder_.filePath(name); }
  ImageBytes read(const QString& name) const {
    const ImageFileResult loaded = loadImageFile(path(name).toStdString());
    EXPECT_TRUE(loaded.ok) << loaded.error;
    return loaded.image;
  }

 private:
  QTemporaryDir folder_;
};

ImageBytes imageOf(std::string_view name, unsigned series, std::uint16_t serialNumber) {
  const auto model = findSimulatedModel(name, series);
  EXPECT_TRUE(model) << name;
  return makeModelImage(*model, serialNumber);
}

bool waitForStatus(SimulatedDeviceSession& session, const QString& status) {
  // The check read, the write and the read-back.
  return QTest::qWaitFor([&] { return session.form().Label41->text() == status; }, 3 * kLinkWaitMs);
}

struct Swap {
  const char* model;
  std::uint16_t code;
  std::uint16_t serial;
};

void PrintTo(const Swap& swap, std::ostream* out) { *out << swap.model; }

class SwapBeforeSend : public ::testing::TestWithParam<Swap> {};

// An RKA-49 is read and copied; another device takes its place behind the box; Send reads the
// device first and sends nothing to the newcomer, whose stored image stays as it was. Label41
// names both devices, the device group shows the newcomer.
TEST_P(SwapBeforeSend, SendsNothingAndNamesBothDevices) {
  const Swap swap = GetParam();
  constexpr std::uint16_t kSerialA = 21017;
  ImageFiles files;
  const ImageBytes deviceB = imageOf(swap.model, 7, swap.serial);
  SimulatedDeviceSession session({"--model", "RKA-49", "--serial", QString::number(kSerialA),
                                  "--swap-to", files.write("b.hex", deviceB), "--save",
                                  files.path("saved.hex")});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  press(form.BitBtn3);
  form.Edit5->setText("SWAPPED");
  ASSERT_TRUE(session.simulator().swapDevice());
  const ImageBytes saved = files.read("saved.hex");
  const std::size_t asked = session.boxes.questions.size();
  press(form.BitBtn4);

  const QString expected = QString(
                               "Another device is on the box: product code %1, serial number %2 "
                               "(read before: 7001, %3). Nothing was sent.")
                               .arg(swap.code)
                               .arg(swap.serial)
                               .arg(kSerialA);
  ASSERT_TRUE(waitForStatus(session, expected)) << form.Label41->text().toStdString();
  EXPECT_EQ(session.boxes.questions.size(), asked) << "nothing asked";
  EXPECT_EQ(form.Edit6->text(), QString::number(swap.code));
  EXPECT_EQ(form.Edit7->text(), QString::number(swap.serial));
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  EXPECT_TRUE(shown(form.BitBtn4));
  QTest::qWait(1500);  // the timer runs on; the news stays, nothing is written
  EXPECT_EQ(form.Label41->text(), expected);
  EXPECT_EQ(files.read("saved.hex"), saved) << "the second device stored a write";
}

INSTANTIATE_TEST_SUITE_P(WriteSafety, SwapBeforeSend,
                         ::testing::Values(Swap{"GWA-43", 10013, 8002},
                                           Swap{"RKA-49", 7001, 21018}),
                         [](const auto& info) {
                           std::string name = info.param.model;
                           for (char& c : name)
                             if (c == '-' || c == '/') c = '_';
                           return name;
                         });

// A fresh program's Send on a transmitter asks before writing values nobody took from it: Cancel
// sends nothing, Write writes. Then Copy, an edit and Send write without asking.
TEST(WriteSafety, AFreshTransmitterSendAsks) {
  ImageFiles files;
  SimulatedDeviceSession session({"--model", "RKA-49", "--save", files.path("saved.hex")});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  const ImageBytes asFound = files.read("saved.hex");

  session.boxes.queue(Answer::Cancel);
  const std::size_t asked = session.boxes.questions.size();
  press(form.BitBtn4);
  ASSERT_EQ(session.boxes.questions.size(), asked + 1);
  EXPECT_TRUE(session.boxes.questions.back().text.startsWith(
      "Write settings that were not copied from this device?"));
  EXPECT_TRUE(session.boxes.questions.back().text.contains("Tag: TT-101 → "));
  EXPECT_EQ(session.boxes.questions.back().acceptCaption, "Write");
  EXPECT_TRUE(shown(form.BitBtn4));
  QTest::qWait(1500);
  EXPECT_EQ(files.read("saved.hex"), asFound) << "Cancel sent something";

  session.boxes.queue(Answer::Ok);
  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return form.Label41->text() == "Settings written and verified."; }, 3 * kLinkWaitMs))
      << form.Label41->text().toStdString();
  EXPECT_NE(files.read("saved.hex"), asFound);

  press(form.BitBtn3);
  form.Edit5->setText("COPIED");
  const std::size_t before = session.boxes.questions.size();
  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Edit17->text() == "COPIED"; }, 3 * kLinkWaitMs));
  EXPECT_EQ(session.boxes.questions.size(), before) << "a copy of this device asks nothing";
  ASSERT_TRUE(waitForStatus(session, "Settings written and verified."));
}

// After another indicator was found on the box, its Send needs a copy of its own: A's
// calibration would otherwise go to B.
TEST(WriteSafety, AfterASwapTheIndicatorNeedsANewCopy) {
  ImageFiles files;
  ImageBytes deviceB = imageOf("GWA-43", 10, 2);
  SimulatedDeviceSession session({"--model", "GWA-43", "--serial", "1", "--swap-to",
                                  files.write("b.hex", deviceB), "--save",
                                  files.path("saved.hex")});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  press(form.BitBtn3);
  ASSERT_TRUE(session.simulator().swapDevice());
  press(form.BitBtn4);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return form.Label41->text().startsWith("Another device is on the box"); },
      kLinkWaitMs));
  const ImageBytes stored = files.read("saved.hex");

  session.boxes.queue(Answer::Ok);
  press(form.BitBtn4);
  ASSERT_FALSE(session.boxes.questions.empty());
  EXPECT_EQ(session.boxes.questions.back().caption, kNotSentCaption);
  EXPECT_TRUE(session.boxes.questions.back().text.startsWith(
      "The editable settings were not copied from the GWA-43 linked now."));
  QTest::qWait(500);
  EXPECT_EQ(files.read("saved.hex"), stored);
}

// The read-back answers with the code of another series of the same model: not verified.
TEST(WriteSafety, AReadBackNamingAnotherSeriesIsNeverVerified) {
  constexpr std::uint16_t kSerial = 333;
  ImageFiles files;
  ImageBytes otherSeries = imageOf("RKA-40", 7, kSerial);
  transmitter::ProductCode.set(otherSeries, 9003);
  SimulatedDeviceSession session({"--model", "RKA-40", "--serial", QString::number(kSerial),
                                  "--swap-to", files.write("b.hex", otherSeries),
                                  "--swap-after-bytes",
                                  QString::number(kBytesBeforeTheBlock + kTransmitterBlockSize)});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  press(form.BitBtn3);
  const std::size_t asked = session.boxes.questions.size();
  press(form.BitBtn4);
  ASSERT_TRUE(waitForStatus(session,
                            "Another device answered: product code 9003, serial number 333 "
                            "(written: 7003, 333). Nothing was repeated."))
      << form.Label41->text().toStdString();
  EXPECT_EQ(session.boxes.questions.size(), asked);
  EXPECT_EQ(form.Label39->text(), "RKA-40");
  EXPECT_EQ(form.Edit6->text(), "9003");
}

// A value whose word the device would read as another value is refused, naming its row, and
// nothing reaches the device.
struct Wrap {
  const char* name;
  const char* model;
  std::function<void(ImageBytes&)> prepareImage;
  std::function<void(Form1&)> edit;
  const char* refusalStart;  // the box's caption, or the indicator's range boxes
};

void PrintTo(const Wrap& wrap, std::ostream* out) { *out << wrap.name; }

class StoredWrapped : public ::testing::TestWithParam<Wrap> {};

TEST_P(StoredWrapped, IsRefusedWithNothingSent) {
  const Wrap& wrap = GetParam();
  ImageFiles files;
  ImageBytes image = imageOf(wrap.model, 7, 4242);
  wrap.prepareImage(image);
  SimulatedDeviceSession session({"--image", files.write("device.hex", image), "--model",
                                  wrap.model, "--save", files.path("saved.hex")});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  press(form.BitBtn3);
  wrap.edit(form);
  session.boxes.queue(Answer::Ok);
  press(form.BitBtn4);

  ASSERT_FALSE(session.boxes.questions.empty());
  const AskedQuestion& refusal = session.boxes.questions.back();
  EXPECT_EQ(refusal.caption, kNotSentCaption);
  EXPECT_TRUE(refusal.text.startsWith(wrap.refusalStart)) << refusal.text.toStdString();
  EXPECT_TRUE(refusal.text.contains("cannot be stored in the device"))
      << refusal.text.toStdString();
  EXPECT_TRUE(refusal.text.endsWith("Nothing was sent."));
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  EXPECT_TRUE(shown(form.BitBtn4));
  EXPECT_TRUE(form.GroupBox1->isEnabled());
  QTest::qWait(1500);
  EXPECT_EQ(files.read("saved.hex"), image) << "the device stored a write";
}

INSTANTIATE_TEST_SUITE_P(
    WriteSafety, StoredWrapped,
    ::testing::Values(
        // No validation table for a unit word of 2: the boxes keep what is typed.
        Wrap{"HumidityUnitOfNeitherKind", "ARR/A",
             [](ImageBytes& image) { humidity::HumidityUnit.set(image, 2); },
             [](Form1& form) {
               form.Edit3->setText("1000");
               form.Edit19->setText("-500");
             },
             ""},
        // One count between the calibration points: a gain of 1000 has no word.
        Wrap{"CalibrationPointsOneCountApart", "GWA-43",
             [](ImageBytes& image) {
               indicator::InputCalLow.set(image, 6554);
               indicator::InputCalHigh.set(image, 6555);
             },
             [](Form1&) {}, "\""}),
    [](const auto& info) { return std::string(info.param.name); });

// What the window shows is what the device gets. A tag pasted into its box is at once what the
// device stores; a temperature set without the box being entered (-3145), its partner no
// number ("abc"), never reaches the device unseen: each press of Send that validation changes a
// box sends nothing and lists the change, until a press finds nothing to change.
TEST(WriteSafety, ValuesCorrectedAtSendAreSentOnlyOnceTheWindowShowsThem) {
  ImageFiles files;
  const ImageBytes image = imageOf("ARR/A", 7, 4242);
  SimulatedDeviceSession session({"--image", files.write("device.hex", image), "--model", "ARR/A",
                                  "--save", files.path("saved.hex")});
  ASSERT_TRUE(session.ready());
  Form1& form = session.form();
  startAndFindTheBox(session);
  ASSERT_TRUE(connectAndWaitForTheLink(session));
  press(form.BitBtn3);
  form.Edit5->clear();
  QGuiApplication::clipboard()->setText(QString::fromUtf8("T温度€"));
  form.Edit5->paste();
  EXPECT_EQ(form.Edit5->text(), QString::fromUtf8("T??€"));
  EXPECT_EQ(form.EditNotice->text(),
            QString::fromUtf8("Tag: \"T温度€\" changed to \"T??€\": the device holds 16 "
                              "characters of the Central European code page."));
  form.Edit1->setText("-3145");
  form.Edit2->setText("abc");

  const auto pressSendAndExpectNothingSent = [&](const QString& said) {
    session.boxes.questions.clear();
    session.boxes.queue(Answer::Ok);
    press(form.BitBtn4);
    ASSERT_EQ(session.boxes.questions.size(), 1u);
    EXPECT_EQ(session.boxes.questions[0].caption, kNotSentCaption);
    EXPECT_TRUE(session.boxes.questions[0].text.contains(said))
        << session.boxes.questions[0].text.toStdString();
    EXPECT_EQ(form.EditNotice->text(), said);
    EXPECT_TRUE(shown(form.BitBtn4));
  };
  pressSendAndExpectNothingSent("Upper Temperature Value: \"abc\" changed to 100.");
  pressSendAndExpectNothingSent("Lower Temperature Value: \"-3145\" changed to -40.");
  QTest::qWait(1500);
  EXPECT_EQ(files.read("saved.hex"), image) << "the device stored a write";

  session.boxes.questions.clear();
  press(form.BitBtn4);
  ASSERT_TRUE(waitForStatus(session, "Settings written and verified."))
      << form.Label41->text().toStdString();
  EXPECT_TRUE(session.boxes.questions.empty());
  EXPECT_EQ(form.Edit17->text(), form.Edit5->text());
  QTest::qWait(1500);
  const ImageBytes saved = files.read("saved.hex");
  EXPECT_EQ(humidity::Tag.get(saved), "T??€");
  EXPECT_EQ(saved[18 + 3], 0x80) << "the euro sign of the device's code page";
  EXPECT_EQ(humidity::TempRangeLow.get(saved), -4000);
  EXPECT_EQ(humidity::TempRangeHigh.get(saved), 10000);
}

}  // namespace
}  // namespace tadjust

// The program over a simulated box whose port fails it: the box unplugged under the open port
// (the port is closed, monitoring stops, the window says so, the flows go on as for a device that
// does not answer, and Connect works once the box is back), and a port the system refuses this
// user.

#include <gtest/gtest.h>

#include "support/simulated_program.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::kTicksToCollect;
using testing::SimulatedProgram;

using testing::shown;

const char* const kLostEnglish = "Connection to the interface box lost.";
const char* const kLostPolish = "Utracono połączenie z interfejsem UX-4235S.";

struct Language {
  bool english;
  const char* lost;
  const char* connect;
  const char* disconnect;
};
const Language kLanguages[] = {{true, kLostEnglish, "Connect", "Disconnect"},
                               {false, kLostPolish, "Połącz", "Rozłącz"}};

TEST(BoxUnplugged, WhileMonitoringClosesThePortStopsMonitoringAndSaysSo) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.english ? "English" : "Polish");
    SimulatedProgram program("ARR/A", language.english);
    Form1& form = program.form();
    program.findBox();
    program.connect();
    form.CheckBox5->setChecked(true);
    program.ticks(4);
    ASSERT_EQ(program.device->bytesReceived(), 2u + 6u + 6u) << "one poll ran";

    program.port.unplug();
    program.tick();

    EXPECT_FALSE(program.port.IsOpen());
    EXPECT_FALSE(form.CheckBox5->isChecked());
    EXPECT_TRUE(shown(form.Label41));
    EXPECT_EQ(form.Label41->text(), language.lost);
    const std::size_t sent = program.port.sent().size();
    program.ticks(8);
    EXPECT_EQ(program.port.sent().size(), sent) << "nothing more is sent to a port that is gone";
    // Nothing was under way: the link ends at once, Connect is the way on.
    EXPECT_FALSE(program.state().DeviceLinked);
    EXPECT_EQ(caption(form.BitBtn1), language.connect);
    EXPECT_TRUE(shown(form.BitBtn1));
    EXPECT_FALSE(shown(form.BitBtn3));
    EXPECT_FALSE(shown(form.BitBtn4));
    EXPECT_FALSE(shown(form.GroupBox1));
    EXPECT_FALSE(shown(form.GroupBox2));
    EXPECT_EQ(program.port.closeCount(), 2) << "the probe of the search, then the lost port";

    program.port.plugIn();
    program.connect();
    EXPECT_TRUE(program.state().DeviceLinked);
    EXPECT_EQ(caption(form.BitBtn1), language.disconnect);
  }
}

TEST(BoxUnplugged, DuringTheFirstReadNoResponseFollowsAndTheLinkWorksOnceTheBoxIsBack) {
  SimulatedProgram program("RKA-49");
  Form1& form = program.form();
  program.findBox();
  program.boxes.queue(Answer::Ok);  // the link prompt
  program.controller().BitBtn1Click();
  // Before the reply is whole.
  program.port.unplug();
  program.tick();

  EXPECT_FALSE(program.port.IsOpen());
  EXPECT_EQ(form.Label41->text(), kLostEnglish);
  EXPECT_TRUE(program.state().ReadPending) << "the read goes on and gets no reply";
  EXPECT_TRUE(shown(form.ProgressBar1));

  // No reply on the eleventh tick; the box is back by the time the user answers.
  program.port.plugIn();
  program.boxes.queue(Answer::Retry);
  program.boxes.queue(Answer::Ok);  // the device unplugged
  program.boxes.queue(Answer::Ok);  // the link prompt
  program.ticks(kTicksToCollect - 1);
  ASSERT_GE(program.boxes.questions.size(), 3u);
  EXPECT_EQ(program.boxes.questions[2].text, "No response from device !!!\rRetry or cancel.");
  EXPECT_TRUE(program.port.IsOpen());

  program.ticks(kTicksToCollect);
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_EQ(caption(form.BitBtn1), "Disconnect");
  EXPECT_EQ(form.Label39->text(), "RKA-49");
  EXPECT_EQ(program.app.images().SettingsImage, program.device->image());
  EXPECT_EQ(program.boxes.answersLeft(), 0u);
}

// The port in use is gone: Connect searches for the box as Start does. While it is out the
// search fails and Retry searches again on the next tick, which finds it once it is back.
TEST(BoxUnplugged, WhileTheBoxIsGoneConnectSearchesAndFindsItOnceItIsBack) {
  SimulatedProgram program("GWA-43");
  program.findBox();
  program.port.unplug();
  program.tick();  // nothing was open: nothing to report
  EXPECT_NE(program.form().Label41->text(), kLostEnglish);

  program.boxes.questions.clear();
  program.boxes.queue(Answer::Ok);     // the link prompt
  program.boxes.queue(Answer::Ok);     // the search's plug-in prompt
  program.boxes.queue(Answer::Retry);  // no box found
  program.controller().BitBtn1Click();
  ASSERT_EQ(program.boxes.questions.size(), 3u);
  EXPECT_EQ(program.boxes.questions[0].caption, "Linking with the device");
  EXPECT_EQ(program.boxes.questions[1].caption, "Linking with UX-4235S");
  EXPECT_EQ(program.boxes.questions[2].caption, "Problem z komunikacją");
  EXPECT_FALSE(shown(program.form().BitBtn1));
  EXPECT_TRUE(program.app.controller().state().DeviceLinked == false);

  program.port.plugIn();
  program.boxes.queue(Answer::Ok);  // the plug-in prompt of the search again
  program.tick();
  EXPECT_EQ(caption(program.form().BitBtn1), "Connect");
  EXPECT_TRUE(shown(program.form().BitBtn1));
  program.connect();
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_EQ(program.form().Label39->text(), "GWA-43");
  EXPECT_EQ(program.boxes.answersLeft(), 0u);
}

// The box unplugged in the middle of a write: nothing is stored, the window says the box is lost,
// the read-back gets no reply and asks nothing, and the link ends. Connect once the box is back:
// the device is as before, and the next write is verified.
TEST(BoxUnplugged, DuringAWriteNothingIsStoredAndTheNextWriteIsVerified) {
  SimulatedProgram program("RKA-49");
  Form1& form = program.form();
  program.findBox();
  program.connect();
  const ImageBytes before = program.device->image();
  program.app.copy().BitBtn3Click();
  form.Edit5->setText("LOST");
  // The check read, the write's command and 50 bytes of the block.
  program.port.unplugAfterBytes(program.device->bytesReceived() + 3 + 3 + 50);
  program.boxes.questions.clear();
  program.send();
  program.tick();
  EXPECT_FALSE(program.port.IsOpen());
  EXPECT_EQ(form.Label41->text(), kLostEnglish);
  EXPECT_TRUE(program.writeState().VerifyPending) << "the read-back goes on";

  program.ticks(kTicksToCollect - 1);
  EXPECT_TRUE(program.boxes.questions.empty()) << "no \"Repeat reading?\" on a lost box";
  EXPECT_FALSE(program.writeState().VerifyPending);
  EXPECT_FALSE(program.state().DeviceLinked);
  EXPECT_EQ(caption(form.BitBtn1), "Connect");
  EXPECT_TRUE(shown(form.BitBtn1));
  EXPECT_FALSE(shown(form.BitBtn4));
  EXPECT_EQ(form.Label41->text(), kLostEnglish);
  EXPECT_EQ(program.device->writesStored(), 0);
  EXPECT_EQ(program.device->image(), before);

  program.port.plugIn();
  program.connect();
  ASSERT_TRUE(program.state().DeviceLinked);
  EXPECT_EQ(form.Edit17->text(), "TT-101");
  program.app.copy().BitBtn3Click();
  form.Edit5->setText("FIXED");
  program.send();
  program.ticks(kTicksToCollect);
  EXPECT_EQ(form.Label41->text(), "Settings written and verified.");
  EXPECT_EQ(form.Edit17->text(), "FIXED");
  EXPECT_EQ(transmitter::Tag.get(program.device->image()), "FIXED");
  EXPECT_EQ(program.boxes.answersLeft(), 0u);
}

// Connect on a port the system refuses this user: the cause and the cure, in the chosen
// language, in the dialog that reports a port that cannot be opened.
TEST(RefusedPort, ConnectNamesTheDeviceFileAndTheCure) {
  struct Case {
    bool english;
    const char* caption;
    const char* text;
    const char* connect;
  };
  const Case cases[] = {
      {true, "Communication problem",
       "Permission denied for /dev/ttyUSB0. Add your user to the 'dialout' group and log in "
       "again.",
       "Connect"},
      {false, "Problem z komunikacją",
       "Brak uprawnień do /dev/ttyUSB0. Dodaj swojego użytkownika do grupy 'dialout' i zaloguj "
       "się ponownie.",
       "Połącz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english ? "English" : "Polish");
    SimulatedProgram program("RKA-49", c.english);
    program.findBox();
    program.port.denyAccess(testing::kBoxPort);
    program.boxes.queue(Answer::Ok);  // the link prompt
    program.boxes.queue(Answer::Ok);  // the report
    program.controller().BitBtn1Click();

    const testing::AskedQuestion& report = program.boxes.questions.back();
    EXPECT_EQ(report.caption, c.caption);
    EXPECT_EQ(report.text, c.text);
    EXPECT_EQ(report.buttons, Buttons::Ok);
    EXPECT_FALSE(program.port.IsOpen());
    EXPECT_FALSE(program.state().ReadPending);
    EXPECT_TRUE(shown(program.form().BitBtn1));
    EXPECT_EQ(caption(program.form().BitBtn1), c.connect);
  }
}

}  // namespace
}  // namespace tadjust

// "Read again": the settings of the linked device read once more, without Disconnect, Connect or
// the link prompt, as any later read: the read frame, eleven ticks, the decoder, and "Repeat
// reading?" when nothing comes.

#include <gtest/gtest.h>

#include <QKeySequence>
#include <vector>

#include "support/simulated_program.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

using testing::shown;

class LinkedRka49 : public ::testing::Test {
 protected:
  LinkedRka49() {
    program.findBox();
    program.connect();
    program.boxes.questions.clear();
  }
  Form1& form() { return program.form(); }
  SimulatedProgram program{"RKA-49"};
};

TEST_F(LinkedRka49, ShowsWhatTheDeviceHoldsNowOnceTheReplyIsWhole) {
  ASSERT_TRUE(shown(form().ReadAgainButton));
  EXPECT_EQ(caption(form().ReadAgainButton), "Read again");
  EXPECT_EQ(form().ReadAgainButton->shortcut(), QKeySequence(Qt::Key_F5));
  ImageBytes image = program.device->image();
  transmitter::Tag.set(image, "CHANGED");
  program.device->setImage(image);
  const std::size_t sentBefore = program.port.sent().size();

  form().ReadAgainButton->click();
  EXPECT_TRUE(program.boxes.questions.empty()) << "no link prompt";
  std::vector<std::uint8_t> sent;
  for (std::size_t i = sentBefore; i < program.port.sent().size(); ++i)
    sent.push_back(program.port.sent()[i].byte);
  EXPECT_EQ(sent, (std::vector<std::uint8_t>{0, '$', 'R'}));
  EXPECT_EQ(form().Label41->text(), "Reading data ...");
  for (const QWidget* button :
       {form().BitBtn1, form().BitBtn3, form().BitBtn4, form().ReadAgainButton})
    EXPECT_FALSE(shown(button)) << button->objectName().toStdString();

  // The reply is whole 1.07 s after the request: taken within the second tick.
  program.tick();
  EXPECT_NE(form().Edit17->text(), "CHANGED");
  program.tick();
  EXPECT_EQ(form().Edit17->text(), "CHANGED");
  for (const QWidget* button :
       {form().BitBtn1, form().BitBtn3, form().BitBtn4, form().ReadAgainButton})
    EXPECT_TRUE(shown(button)) << button->objectName().toStdString();
  EXPECT_TRUE(program.state().DeviceLinked);
}

TEST_F(LinkedRka49, NoReplyAsksToReadAgain) {
  program.device->faults().silentDevice = true;
  form().ReadAgainButton->click();
  program.boxes.queue(Answer::No);
  program.ticks(testing::kTicksToCollect);
  ASSERT_EQ(program.boxes.questions.size(), 1u);
  EXPECT_EQ(program.boxes.questions[0].text, "Repeat reading?");
  EXPECT_TRUE(program.state().DeviceLinked);
  EXPECT_TRUE(shown(form().ReadAgainButton));
}

TEST_F(LinkedRka49, OnlyWhileADeviceIsLinked) {
  form().BitBtn1->click();  // Disconnect
  EXPECT_FALSE(shown(form().ReadAgainButton));
  SimulatedProgram fresh("RKA-49", false);
  EXPECT_FALSE(shown(fresh.form().ReadAgainButton));
  fresh.findBox();
  EXPECT_FALSE(shown(fresh.form().ReadAgainButton));
  fresh.connect();
  EXPECT_EQ(caption(fresh.form().ReadAgainButton), "Odczytaj\rponownie");
  EXPECT_TRUE(shown(fresh.form().ReadAgainButton));
}

}  // namespace
}  // namespace tadjust

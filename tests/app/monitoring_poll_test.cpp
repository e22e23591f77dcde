// Live readings of the humidity models: the poll's frames and pauses, the two-decimal texts,
// the cadence of every fourth tick, and what is shown when the device says nothing or too little.

#include "app/monitoring_poll.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>

#include "support/editing_program.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

int measureRequests(const SimulatedProgram& program) {
  const auto& sent = program.port.sent();
  return static_cast<int>(std::count_if(sent.begin(), sent.end(),
                                        [](const auto& s) { return s.byte == kMeasureCommand; }));
}

class LinkedHumidityModel : public ::testing::Test {
 protected:
  explicit LinkedHumidityModel(std::string_view model = "ARR/A") : program(model) {
    program.findBox();
    program.connect();
    program.form().CheckBox5->setChecked(true);
  }
  ~LinkedHumidityModel() override { QLocale::setDefault(QLocale::c()); }

  void poll(double temperature, double humidity) {
    program.device->setClimate({temperature, humidity});
    program.app.monitoring().PollMonitoring();
  }

  SimulatedProgram program;
};

TEST_F(LinkedHumidityModel, ShowsTheReadingsWithTwoDecimals) {
  struct Case {
    double temperature, humidity;
    const char* shownTemperature;
    const char* shownHumidity;
  };
  for (const Case& c : {Case{23.45, 50.12, "23.45", "50.12"}, Case{-5.0, 100.0, "-5.00", "100.00"},
                        Case{0.0, 0.0, "0.00", "0.00"}}) {
    poll(c.temperature, c.humidity);
    EXPECT_EQ(program.form().Edit24->text(), c.shownTemperature);
    EXPECT_EQ(program.form().Edit23->text(), c.shownHumidity);
  }
  poll(-5.0, 100.0);
  EXPECT_EQ(readU16(program.app.monitoring().MonitorRecord, 0), 65036);

  QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
  poll(23.45, 50.12);
  EXPECT_EQ(program.form().Edit24->text(), "23,45");
  EXPECT_EQ(program.form().Edit23->text(), "50,12");
}

TEST_F(LinkedHumidityModel, SendsMeasureThenRecordWithTheirPauses) {
  const std::size_t before = program.port.sent().size();
  program.pause.durations.clear();
  poll(20, 40);
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = before; i < program.port.sent().size(); ++i)
    bytes.push_back(program.port.sent()[i].byte);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, '$', 'S', 0, '$', 'A'}));
  const std::vector<Milliseconds> pauses = {Milliseconds(20), Milliseconds(20), Milliseconds(1000),
                                            Milliseconds(20), Milliseconds(20), Milliseconds(500)};
  EXPECT_EQ(program.pause.durations, pauses);
  EXPECT_GE(program.events.processed, 1);
}

TEST_F(LinkedHumidityModel, NoReplyKeepsTheLastReadings) {
  poll(21.5, 33.25);
  program.device->faults().silentDevice = true;
  poll(30, 60);
  EXPECT_EQ(program.form().Edit24->text(), "21.50");
  EXPECT_EQ(program.form().Edit23->text(), "33.25");
}

TEST_F(LinkedHumidityModel, PollsOnEveryFourthTickAndKeepsCountingWhereItStopped) {
  const int before = measureRequests(program);
  program.ticks(3);
  EXPECT_EQ(measureRequests(program), before);
  program.tick();
  EXPECT_EQ(measureRequests(program), before + 1);
  program.ticks(2);  // two ticks counted towards the next poll
  program.form().CheckBox5->setChecked(false);
  program.ticks(10);
  EXPECT_EQ(measureRequests(program), before + 1);
  program.form().CheckBox5->setChecked(true);
  program.ticks(2);
  EXPECT_EQ(measureRequests(program), before + 2) << "the first poll after checking comes early";
}

// A write that changes the humidity unit switches monitoring off: the readings of the old unit
// go, and the next poll shows the new unit's.
TEST_F(LinkedHumidityModel, AWriteThatChangesTheUnitEmptiesTheReadings) {
  Form1& form = program.form();
  poll(23.45, 50.12);
  ASSERT_EQ(form.Edit23->text(), "50.12");
  form.BitBtn3->click();
  testing::EditingProgram::choose(form.ComboBox1, 1);  // dew point
  program.send();
  program.ticks(testing::kTicksToCollect);
  ASSERT_EQ(form.Label41->text(), "Settings written and verified.");
  EXPECT_EQ(form.Label46->text(), "[°Cdp]");
  EXPECT_EQ(form.Edit23->text(), "");
  EXPECT_EQ(form.Edit24->text(), "");

  form.CheckBox5->setChecked(true);
  program.device->setClimate({23.45, 50.12});
  program.ticks(4);
  EXPECT_EQ(form.Edit24->text(), "23.45");
  EXPECT_EQ(form.Edit23->text(), "12.46");  // the dew point of that air
}

// A read that finds the device in another unit empties the readings too, though monitoring
// stays on; a word the next poll misses is not taken from the old unit.
TEST_F(LinkedHumidityModel, AReadInAnotherUnitEmptiesTheReadings) {
  Form1& form = program.form();
  poll(23.45, 50.12);
  ImageBytes image = program.device->image();
  humidity::HumidityUnit.set(Bytes(image.data(), image.size()), 1);
  program.device->setImage(image);
  program.controller().RequestRead();
  program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(form.Label46->text(), "[°Cdp]");
  EXPECT_TRUE(form.CheckBox5->isChecked());
  EXPECT_EQ(form.Edit23->text(), "");
  program.device->faults().silentDevice = true;
  poll(30, 60);
  EXPECT_EQ(form.Edit23->text(), "0.00");
}

// A port whose next read delivers the given bytes and leaves the rest of the receive buffer as
// it was, as a short read does.
class ShortReplyPort final : public SerialPort {
 public:
  std::vector<std::uint8_t> reply;
  bool OpenPort(const std::string&) override { return true; }
  void SendCommand(std::uint8_t, Milliseconds) override {}
  bool WriteBlock(int) override { return true; }
  int ReadAvailable(int largestCount) override {
    bytesRead_ = std::min(static_cast<int>(reply.size()), largestCount);
    std::copy_n(reply.begin(), bytesRead_, ReceiveBuffer.begin());
    return bytesRead_ > 0 ? 1 : 0;
  }
  int BytesRead() const override { return bytesRead_; }
  void PurgeInput() override {}
  void ClosePort() override {}
  bool IsOpen() const override { return true; }

 private:
  int bytesRead_ = 0;
};

// Only the words that arrived whole are taken: what an earlier request left in the receive
// buffer is never shown as a reading.
TEST(MonitoringRecord, AShortReplyTakesOnlyTheWordsThatArrived) {
  Form1 form;
  ShortReplyPort port;
  RecordingWindowEvents events;
  MonitoringPoll poll(form, port, events);
  port.ReceiveBuffer.fill(0x77);
  port.reply = {0x29, 0x09, 0x94};  // 2345, then one byte of the humidity word
  poll.PollMonitoring();
  EXPECT_EQ(form.Edit24->text(), "23.45");
  EXPECT_EQ(form.Edit23->text(), "0.00");
  port.reply = {};
  poll.PollMonitoring();
  EXPECT_EQ(form.Edit24->text(), "23.45");
}

TEST(MonitoringCadence, NoPollForAModelWithoutLiveReadings) {
  SimulatedProgram program("RKA-49");
  program.findBox();
  program.connect();
  program.form().CheckBox5->setChecked(true);
  program.ticks(12);
  EXPECT_EQ(measureRequests(program), 0);
  EXPECT_EQ(program.state().MonitorTicks, 0);
}

TEST(MonitoringCadence, DisconnectUnchecksMonitoring) {
  SimulatedProgram program("ARR-43");
  program.findBox();
  program.connect();
  program.form().CheckBox5->setChecked(true);
  program.app.monitoring().PollMonitoring();
  ASSERT_NE(program.form().Edit23->text(), "");
  const int polled = measureRequests(program);
  program.controller().BitBtn1Click();
  EXPECT_FALSE(program.form().CheckBox5->isChecked());
  EXPECT_EQ(program.form().Edit23->text(), "");
  EXPECT_EQ(program.form().Edit24->text(), "");
  program.ticks(8);
  EXPECT_EQ(measureRequests(program), polled);
}

}  // namespace
}  // namespace tadjust

#include "app/monitoring_poll.h"

#include <algorithm>

#include "image/settings_image.h"
#include "link/frame_sender.h"
#include "numbers/number_text.h"
#include "ui/box_text.h"

namespace tadjust {

namespace {

constexpr std::size_t kTemperatureOffset = 0;
constexpr std::size_t kHumidityOffset = 2;

double hundredths(const std::array<std::uint8_t, kMonitorRecordSize>& record, std::size_t offset) {
  return readS16(record, offset) / 100.0;
}

}  // namespace

MonitoringPoll::MonitoringPoll(Form1& form, SerialPort& port, WindowEvents& events)
    : form_(form), port_(port), events_(events) {
  QObject::connect(form_.CheckBox5, &QCheckBox::toggled, [this](bool on) {
    if (!on) forgetReadings();
  });
}

void MonitoringPoll::forgetReadings() {
  MonitorRecord.fill(0);
  form_.Edit23->clear();
  form_.Edit24->clear();
}

void MonitoringPoll::PollMonitoring() {
  // A word that does not arrive keeps its last reading, but only under the unit it was read in.
  if (form_.Label46->text() != recordUnit_) MonitorRecord.fill(0);
  recordUnit_ = form_.Label46->text();
  port_.PurgeInput();
  sendFrame(port_, kMeasureCommand, kMeasurePause);
  sendFrame(port_, kRecordCommand, kRecordPause);
  takeRecord();
  showReadings();
  events_.processPendingMessages();
}

// Only the words that arrived whole are taken: a short reply never shows what an earlier
// request left in the receive buffer, and a word that did not come keeps its last reading.
void MonitoringPoll::takeRecord() {
  if (port_.ReadAvailable(static_cast<int>(kMonitorRecordSize)) == 0) return;
  const auto arrived =
      std::min<std::size_t>(static_cast<std::size_t>(port_.BytesRead()), kMonitorRecordSize);
  const std::size_t wholeWords = arrived - arrived % 2;
  std::copy_n(port_.ReceiveBuffer.begin(), wholeWords, MonitorRecord.begin());
}

void MonitoringPoll::showReadings() {
  setBoxText(form_.Edit24, number_text::fixed2(hundredths(MonitorRecord, kTemperatureOffset)));
  setBoxText(form_.Edit23, number_text::fixed2(hundredths(MonitorRecord, kHumidityOffset)));
}

}  // namespace tadjust

#include "app/monitoring_poll.h"

#include <algorithm>
#include <memory>

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

MonitoringPoll::MonitoringPoll(Form1& form, ExchangeWorker& exchange, WindowEvents& events)
    : form_(form), exchange_(exchange), events_(events) {
  QObject::connect(form_.CheckBox5, &QCheckBox::toggled, [this](bool on) {
    if (!on) forgetReadings();
  });
}

void MonitoringPoll::forgetReadings() {
  ++forgotten_;
  MonitorRecord.fill(0);
  form_.Edit23->clear();
  form_.Edit24->clear();
}

void MonitoringPoll::PollMonitoring() {
  // A word that does not arrive keeps its last reading, but only under the unit it was read in.
  if (form_.Label46->text() != recordUnit_) MonitorRecord.fill(0);
  recordUnit_ = form_.Label46->text();
  const auto arrived = std::make_shared<Arrived>();
  exchange_.run(
      [arrived](PortLine& line) {
        line.port.PurgeInput();
        sendFrame(line.port, kMeasureCommand, kMeasurePause);
        sendFrame(line.port, kRecordCommand, kRecordPause);
        arrived->any = line.port.ReadAvailable(static_cast<int>(kMonitorRecordSize)) != 0;
        if (!arrived->any) return;
        arrived->count = std::clamp(line.port.BytesRead(), 0, static_cast<int>(kMonitorRecordSize));
        std::copy_n(line.port.ReceiveBuffer.begin(), kMonitorRecordSize, arrived->bytes.begin());
      },
      [this, arrived, forgotten = forgotten_] {
        // Monitoring was switched off while the poll was under way.
        if (forgotten != forgotten_) return;
        takeRecord(*arrived);
        showReadings();
        events_.processPendingMessages();
      });
}

// Only the words that arrived whole are taken: a short reply never shows what an earlier
// request left in the receive buffer, and a word that did not come keeps its last reading.
void MonitoringPoll::takeRecord(const Arrived& arrived) {
  if (!arrived.any) return;
  const auto count = static_cast<std::size_t>(arrived.count);
  const std::size_t wholeWords = count - count % 2;
  std::copy_n(arrived.bytes.begin(), wholeWords, MonitorRecord.begin());
}

void MonitoringPoll::showReadings() {
  setBoxText(form_.Edit24, number_text::fixed2(hundredths(MonitorRecord, kTemperatureOffset)));
  setBoxText(form_.Edit23, number_text::fixed2(hundredths(MonitorRecord, kHumidityOffset)));
}

}  // namespace tadjust

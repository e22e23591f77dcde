#pragma once

// Live readings of the humidity/temperature models: while "Włącz" is checked, every fourth
// timer tick asks the device for a measurement ("S", then "A") and shows temperature and
// humidity with two decimals.

#include <QString>
#include <array>
#include <cstdint>

#include "link/device_protocol.h"
#include "link/exchange_worker.h"
#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

class MonitoringPoll {
 public:
  MonitoringPoll(Form1& form, ExchangeWorker& exchange, WindowEvents& events);

  // One complete poll: request and read by the exchange worker, then shown.
  void PollMonitoring();

  // Monitoring switched off: the readings go, so none is shown later under a unit it was not
  // measured in (a write may change the humidity unit); the next poll fills the boxes again.
  void forgetReadings();

  // The last monitoring reply: temperature (offset 0) and humidity (offset 2) in hundredths,
  // signed little-endian; bytes 4..11 unused.
  std::array<std::uint8_t, kMonitorRecordSize> MonitorRecord{};

 private:
  struct Arrived {
    bool any = false;
    int count = 0;
    std::array<std::uint8_t, kMonitorRecordSize> bytes{};
  };
  void takeRecord(const Arrived& arrived);
  void showReadings();

  // The humidity unit the record's words were measured in (Label46's text).
  QString recordUnit_;

  // Raised whenever the readings are forgotten: a poll under way then shows nothing.
  unsigned forgotten_ = 0;

  Form1& form_;
  ExchangeWorker& exchange_;
  WindowEvents& events_;
};

}  // namespace tadjust

#pragma once

// Live readings of the humidity/temperature models: while "Włącz" is checked, every fourth
// timer tick asks the device for a measurement ("S", then "A") and shows temperature and
// humidity with two decimals.

#include <QString>
#include <array>
#include <cstdint>

#include "link/device_protocol.h"
#include "link/serial_port.h"
#include "ui/form1.h"
#include "ui/window_events.h"

namespace tadjust {

class MonitoringPoll {
 public:
  MonitoringPoll(Form1& form, SerialPort& port, WindowEvents& events);

  // One complete poll: request, read, show.
  void PollMonitoring();

  // Monitoring switched off: the readings go, so none is shown later under a unit it was not
  // measured in (a write may change the humidity unit); the next poll fills the boxes again.
  void forgetReadings();

  // The last monitoring reply: temperature (offset 0) and humidity (offset 2) in hundredths,
  // signed little-endian; bytes 4..11 unused.
  std::array<std::uint8_t, kMonitorRecordSize> MonitorRecord{};

 private:
  void takeRecord();
  void showReadings();

  // The humidity unit the record's words were measured in (Label46's text).
  QString recordUnit_;

  Form1& form_;
  SerialPort& port_;
  WindowEvents& events_;
};

}  // namespace tadjust

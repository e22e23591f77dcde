#pragma once

// Asking serial ports for the interface box: the box answers its two-byte handshake ("?" ->
// "$", "#" -> "@") itself, whatever device is behind it. The candidates are the ports of the
// system's serial-port map that may be the box, or a fixed walk of names when there is no map.

#include <QString>
#include <QStringList>

#include "link/pause.h"
#include "link/serial_port.h"

namespace tadjust {

class SerialPortMap;

class InterfaceProbe {
 public:
  InterfaceProbe(SerialPort& port, Pause& pause, SerialPortMap& portMap);

  // True when the box answered the handshake on that port; the port is closed again.
  bool ProbeInterface(const QString& displayName);

  // Fills the list with the candidate ports of the system's serial-port map; false when the
  // map cannot be had.
  bool ListSerialPorts(QStringList& list);

  // The candidates of the map, or the fallback names when there is no map.
  QStringList CandidatePorts();

 private:
  SerialPort& port_;
  Pause& pause_;
  SerialPortMap& portMap_;
};

}  // namespace tadjust

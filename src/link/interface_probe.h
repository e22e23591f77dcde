#pragma once

// Asking serial ports for the interface box: the box answers its two-byte handshake ("?" ->
// "$", "#" -> "@") itself, whatever device is behind it. The candidates are the ports of the
// system's serial-port map that may be the box, or a fixed walk of names when there is no map.

#include <QString>
#include <QStringList>

#include "link/exchange_worker.h"

namespace tadjust {

class SerialPortMap;

class InterfaceProbe {
 public:
  explicit InterfaceProbe(SerialPortMap& portMap);

  // True when the box answered the handshake on that port; the port is closed again. Run on the
  // line's thread (a job of the exchange worker).
  bool ProbeInterface(PortLine& line, const QString& displayName);

  // Fills the list with the candidate ports of the system's serial-port map; false when the
  // map cannot be had.
  bool ListSerialPorts(QStringList& list);

  // The candidates of the map, or the fallback names when there is no map.
  QStringList CandidatePorts();

 private:
  SerialPortMap& portMap_;
};

}  // namespace tadjust

#pragma once

// Finding the interface box, as the user sees it: a plug-in prompt, the port remembered in
// "T-adjust.ini", otherwise every candidate port of the system's serial-port map, each asked the
// box's handshake (InterfaceProbe). The port being probed and then the one that answered is
// shown in Edit18; the answering port is remembered and used for the device link.

#include <QString>
#include <QStringList>

#include "link/interface_probe.h"
#include "link/pause.h"
#include "link/serial_port.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

namespace tadjust {

class SerialPortMap;
class PortMemory;

class InterfaceDiscovery {
 public:
  InterfaceDiscovery(Form1& form, SerialPort& port, Pause& pause, MessageBoxes& boxes,
                     WindowEvents& events, SerialPortMap& portMap, PortMemory& memory);

  // The whole search. Its outcome: BitBtn1 reads "Connect"/"Połącz" and is shown (true, the
  // port found in Edit18 and remembered); or the application was asked to terminate; or
  // RetrySearch is set for the next timer tick.
  bool FindInterface();

  // True when the box answered the handshake on that port (which also clears RetrySearch); the
  // port is closed again.
  bool ProbeInterface(const QString& displayName);

  // Set by Retry after a failed search: the next timer tick clears it and searches again.
  bool RetrySearch = false;

 private:
  // Probes a port, noting it when the system refused this user the port.
  bool probeNotingRefusal(QStringList& refusedPorts);

  Form1& form_;
  SerialPort& port_;
  Pause& pause_;
  MessageBoxes& boxes_;
  WindowEvents& events_;
  PortMemory& memory_;
  InterfaceProbe probe_;
};

}  // namespace tadjust

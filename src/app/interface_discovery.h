#pragma once

// Finding the interface box, as the user sees it: a plug-in prompt, the port remembered in
// "T-adjust.ini", otherwise every candidate port of the system's serial-port map, each asked the
// box's handshake (InterfaceProbe). The port being probed and then the one that answered is
// shown in Edit18; the answering port is remembered and used for the device link.
//
// The pauses and the handshakes are the exchange worker's jobs, one port at a time: the window
// shows each name as it is tried and stays answerable while the search goes on.

#include <QString>
#include <QStringList>
#include <functional>

#include "link/exchange_worker.h"
#include "link/interface_probe.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "ui/window_events.h"

namespace tadjust {

class SerialPortMap;
class PortMemory;

class InterfaceDiscovery {
 public:
  InterfaceDiscovery(Form1& form, ExchangeWorker& exchange, MessageBoxes& boxes,
                     WindowEvents& events, SerialPortMap& portMap, PortMemory& memory);

  // The whole search, on the exchange worker. Its outcome: BitBtn1 reads "Connect"/"Połącz" and
  // is shown (ended told true, the port found in Edit18 and remembered); or the application was
  // asked to terminate; or RetrySearch is set for the next timer tick (both told false).
  void FindInterface(std::function<void(bool)> ended = {});

  // Tells answered whether the box answered the handshake on that port (which also clears
  // RetrySearch); the port is closed again.
  void ProbeInterface(const QString& displayName, std::function<void(bool)> answered);

  // A search is under way.
  bool searching() const { return searching_; }

  // Set by Retry after a failed search: the next timer tick clears it and searches again.
  bool RetrySearch = false;

 private:
  // Probes the port in Edit18, noting it when the system refused this user the port.
  void probeNotingRefusal(std::function<void(bool)> answered);
  void probeRememberedPort();
  void walkCandidates();
  void probeCandidate(int index);
  void searchEnded(bool found);

  Form1& form_;
  ExchangeWorker& exchange_;
  MessageBoxes& boxes_;
  WindowEvents& events_;
  PortMemory& memory_;
  InterfaceProbe probe_;
  bool searching_ = false;
  bool rememberedPortTried_ = false;
  QStringList refusedPorts_;
  std::function<void(bool)> ended_;
};

}  // namespace tadjust

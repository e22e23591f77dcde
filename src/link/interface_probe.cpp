#include "link/interface_probe.h"

#include "link/device_protocol.h"
#include "link/serial_port_map.h"

namespace tadjust {

namespace {

QStringList toStringList(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list.append(QString::fromStdString(name));
  return list;
}

}  // namespace

InterfaceProbe::InterfaceProbe(SerialPort& port, Pause& pause, SerialPortMap& portMap)
    : port_(port), pause_(pause), portMap_(portMap) {}

bool InterfaceProbe::ProbeInterface(const QString& displayName) {
  if (!port_.OpenPort(displayName.toStdString())) {
    if (port_.IsOpen()) port_.ClosePort();
    return false;
  }
  const auto exchange = [this](std::uint8_t question, std::uint8_t answer) {
    port_.PurgeInput();
    port_.TransmitBuffer[0] = question;
    if (!port_.WriteBlock(1)) return false;
    pause_.pause(kHandshakeReplyPause);
    // A read that placed no byte must not be judged by what an earlier read left behind.
    return port_.ReadAvailable(1) == 1 && port_.BytesRead() >= 1 &&
           port_.ReceiveBuffer[0] == answer;
  };
  const bool answered = exchange(kHandshakeQuestion, kHandshakeAnswer) &&
                        exchange(kHandshakeConfirm, kHandshakeConfirmAnswer);
  port_.ClosePort();
  return answered;
}

bool InterfaceProbe::ListSerialPorts(QStringList& list) {
  const std::optional<std::vector<SerialPortEntry>> map = portMap_.entries();
  if (!map) return false;
  list = toStringList(candidatePorts(*map, portMap_.naming()));
  return true;
}

QStringList InterfaceProbe::CandidatePorts() {
  QStringList candidates;
  if (!ListSerialPorts(candidates)) candidates = toStringList(fallbackPortNames(portMap_.naming()));
  return candidates;
}

}  // namespace tadjust

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

InterfaceProbe::InterfaceProbe(SerialPortMap& portMap) : portMap_(portMap) {}

bool InterfaceProbe::ProbeInterface(PortLine& line, const QString& displayName) {
  SerialPort& port = line.port;
  if (!port.OpenPort(displayName.toStdString())) {
    if (port.IsOpen()) port.ClosePort();
    return false;
  }
  const auto exchange = [&](std::uint8_t question, std::uint8_t answer) {
    port.PurgeInput();
    port.TransmitBuffer[0] = question;
    if (!port.WriteBlock(1)) return false;
    line.pause.pause(kHandshakeReplyPause);
    // A read that placed no byte must not be judged by what an earlier read left behind.
    return port.ReadAvailable(1) == 1 && port.BytesRead() >= 1 && port.ReceiveBuffer[0] == answer;
  };
  const bool answered = exchange(kHandshakeQuestion, kHandshakeAnswer) &&
                        exchange(kHandshakeConfirm, kHandshakeConfirmAnswer);
  port.ClosePort();
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

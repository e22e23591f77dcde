#include "link/interface_discovery.h"

#include <QDir>

#include "link/device_protocol.h"
#include "link/link_texts.h"
#include "link/port_memory.h"
#include "link/serial_port_map.h"

namespace tadjust {

namespace {

constexpr Milliseconds kPlugInSettlingPause{2000};
constexpr Milliseconds kHandshakeReplyPause{50};

QStringList toStringList(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list.append(QString::fromStdString(name));
  return list;
}

}  // namespace

InterfaceDiscovery::InterfaceDiscovery(Form1& form, SerialPort& port, Pause& pause,
                                       MessageBoxes& boxes, WindowEvents& events,
                                       SerialPortMap& portMap, PortMemory& memory)
    : form_(form),
      port_(port),
      pause_(pause),
      boxes_(boxes),
      events_(events),
      portMap_(portMap),
      memory_(memory) {}

void InterfaceDiscovery::FindInterface() {
  const bool english = form_.UseEnglish;
  if (boxes_.ask(link_texts::kPlugInCaption.in(english), link_texts::kPlugInText.in(english),
                 Buttons::OkCancel) == Answer::Cancel) {
    events_.requestTerminate();
    return;
  }

  form_.Label40->setText(link_texts::kSearching.in(english));
  form_.Label40->show();
  events_.processPendingMessages();
  form_.Edit18->show();
  pause_.pause(kPlugInSettlingPause);

  bool found = false;
  bool rememberedPortTried = false;
  if (memory_.exists()) {
    form_.Edit18->setText(memory_.readName());
    rememberedPortTried = true;
    found = ProbeInterface(form_.Edit18->text());
  }

  if (!found) {
    QStringList candidates;
    if (!ListSerialPorts(candidates))
      candidates = toStringList(fallbackPortNames(portMap_.naming()));
    form_.ComboBox6->clear();
    form_.ComboBox6->addItems(candidates);
    form_.ComboBox6->setCurrentIndex(0);
    rememberedPortTried = false;
    for (int i = 0; i < form_.ComboBox6->count() && !found; ++i) {
      form_.ComboBox6->setCurrentIndex(i);
      form_.Edit18->setText(form_.ComboBox6->itemText(i));
      events_.processPendingMessages();
      found = ProbeInterface(form_.Edit18->text());
    }
  }

  if (found) {
    setCaption(form_.BitBtn1, link_texts::kConnect.in(english));
    form_.BitBtn1->show();
    if (!rememberedPortTried && !memory_.writeName(form_.Edit18->text())) {
      // The box was found all the same: the search ends with Connect shown, only the port is
      // not remembered.
      boxes_.reportError(QString::fromUtf8(link_texts::kUnableToWrite)
                             .arg(QDir::toNativeSeparators(memory_.path())));
    }
  } else if (boxes_.ask(link_texts::kNoInterfaceCaption.in(english),
                        link_texts::kNoInterfaceText.in(english),
                        Buttons::RetryCancel) == Answer::Retry) {
    RetrySearch = true;
  } else {
    events_.requestTerminate();
  }

  form_.Label40->hide();
}

bool InterfaceDiscovery::ProbeInterface(const QString& displayName) {
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
  if (answered) RetrySearch = false;
  port_.ClosePort();
  return answered;
}

bool InterfaceDiscovery::ListSerialPorts(QStringList& list) {
  const std::optional<std::vector<SerialPortEntry>> map = portMap_.entries();
  if (!map) return false;
  list = toStringList(candidatePorts(*map, portMap_.naming()));
  return true;
}

}  // namespace tadjust

#include "app/interface_discovery.h"

#include <QDir>
#include <memory>
#include <utility>

#include "app/discovery_texts.h"
#include "app/permission_texts.h"
#include "link/device_protocol.h"
#include "link/port_memory.h"

namespace tadjust {

namespace {

// No port answered. When the system refused this user a port, the box may well sit there: the
// user is told the cause and the cure rather than that nothing was found.
QString failureText(const QStringList& refusedPorts, bool english) {
  if (refusedPorts.isEmpty()) return discovery_texts::kNoInterfaceText.in(english);
  return permission_texts::permissionDenied(refusedPorts, english);
}

}  // namespace

InterfaceDiscovery::InterfaceDiscovery(Form1& form, ExchangeWorker& exchange, MessageBoxes& boxes,
                                       WindowEvents& events, SerialPortMap& portMap,
                                       PortMemory& memory)
    : form_(form),
      exchange_(exchange),
      boxes_(boxes),
      events_(events),
      memory_(memory),
      probe_(portMap) {}

void InterfaceDiscovery::FindInterface(std::function<void(bool)> ended) {
  const bool english = form_.UseEnglish;
  if (boxes_.ask(discovery_texts::kPlugInCaption.in(english),
                 discovery_texts::kPlugInText.in(english), Buttons::OkCancel) == Answer::Cancel) {
    events_.requestTerminate();
    if (ended) ended(false);
    return;
  }
  ended_ = std::move(ended);

  form_.Label40->setText(discovery_texts::kSearching.in(english));
  form_.Label40->show();
  events_.processPendingMessages();
  form_.Edit18->show();
  searching_ = true;
  rememberedPortTried_ = false;
  refusedPorts_.clear();
  exchange_.run([](PortLine& line) { line.pause.pause(kPlugInSettlingPause); },
                [this] { probeRememberedPort(); });
}

void InterfaceDiscovery::probeRememberedPort() {
  if (!memory_.exists()) {
    walkCandidates();
    return;
  }
  form_.Edit18->setText(memory_.readName());
  rememberedPortTried_ = true;
  probeNotingRefusal([this](bool found) {
    if (found) {
      searchEnded(true);
    } else {
      walkCandidates();
    }
  });
}

void InterfaceDiscovery::walkCandidates() {
  form_.ComboBox6->clear();
  form_.ComboBox6->addItems(probe_.CandidatePorts());
  form_.ComboBox6->setCurrentIndex(0);
  rememberedPortTried_ = false;
  probeCandidate(0);
}

void InterfaceDiscovery::probeCandidate(int index) {
  if (index >= form_.ComboBox6->count()) {
    searchEnded(false);
    return;
  }
  form_.ComboBox6->setCurrentIndex(index);
  form_.Edit18->setText(form_.ComboBox6->itemText(index));
  events_.processPendingMessages();
  probeNotingRefusal([this, index](bool found) {
    if (found) {
      searchEnded(true);
    } else {
      probeCandidate(index + 1);
    }
  });
}

void InterfaceDiscovery::searchEnded(bool found) {
  searching_ = false;
  const bool english = form_.UseEnglish;
  if (found) {
    setCaption(form_.BitBtn1, discovery_texts::kConnect.in(english));
    form_.BitBtn1->show();
    if (!rememberedPortTried_ && !memory_.writeName(form_.Edit18->text())) {
      // The box was found all the same: the search ends with Connect shown, only the port is
      // not remembered.
      boxes_.reportError(QString::fromUtf8(discovery_texts::kUnableToWrite)
                             .arg(QDir::toNativeSeparators(memory_.path())));
    }
  } else if (boxes_.ask(discovery_texts::kNoInterfaceCaption.in(english),
                        failureText(refusedPorts_, english),
                        Buttons::RetryCancel) == Answer::Retry) {
    RetrySearch = true;
  } else {
    events_.requestTerminate();
  }

  form_.Label40->hide();
  if (const std::function<void(bool)> ended = std::exchange(ended_, {})) ended(found);
}

void InterfaceDiscovery::probeNotingRefusal(std::function<void(bool)> answered) {
  ProbeInterface(form_.Edit18->text(), std::move(answered));
}

void InterfaceDiscovery::ProbeInterface(const QString& displayName,
                                        std::function<void(bool)> answered) {
  struct Probe {
    bool found = false;
    bool denied = false;
  };
  const auto probe = std::make_shared<Probe>();
  exchange_.run(
      [this, displayName, probe](PortLine& line) {
        probe->found = probe_.ProbeInterface(line, displayName);
        probe->denied = !probe->found && line.port.OpenDenied();
      },
      [this, displayName, probe, answered = std::move(answered)] {
        if (probe->found) RetrySearch = false;
        if (probe->denied) {
          const QString deviceFile = permission_texts::deviceFile(displayName);
          if (!refusedPorts_.contains(deviceFile)) refusedPorts_.append(deviceFile);
        }
        answered(probe->found);
      });
}

}  // namespace tadjust

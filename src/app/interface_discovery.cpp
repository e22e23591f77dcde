#include "app/interface_discovery.h"

#include <QDir>

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

InterfaceDiscovery::InterfaceDiscovery(Form1& form, SerialPort& port, Pause& pause,
                                       MessageBoxes& boxes, WindowEvents& events,
                                       SerialPortMap& portMap, PortMemory& memory)
    : form_(form),
      port_(port),
      pause_(pause),
      boxes_(boxes),
      events_(events),
      memory_(memory),
      probe_(port, pause, portMap) {}

bool InterfaceDiscovery::FindInterface() {
  const bool english = form_.UseEnglish;
  if (boxes_.ask(discovery_texts::kPlugInCaption.in(english),
                 discovery_texts::kPlugInText.in(english), Buttons::OkCancel) == Answer::Cancel) {
    events_.requestTerminate();
    return false;
  }

  form_.Label40->setText(discovery_texts::kSearching.in(english));
  form_.Label40->show();
  events_.processPendingMessages();
  form_.Edit18->show();
  pause_.pause(kPlugInSettlingPause);

  bool found = false;
  bool rememberedPortTried = false;
  QStringList refusedPorts;
  if (memory_.exists()) {
    form_.Edit18->setText(memory_.readName());
    rememberedPortTried = true;
    found = probeNotingRefusal(refusedPorts);
  }

  if (!found) {
    form_.ComboBox6->clear();
    form_.ComboBox6->addItems(probe_.CandidatePorts());
    form_.ComboBox6->setCurrentIndex(0);
    rememberedPortTried = false;
    for (int i = 0; i < form_.ComboBox6->count() && !found; ++i) {
      form_.ComboBox6->setCurrentIndex(i);
      form_.Edit18->setText(form_.ComboBox6->itemText(i));
      events_.processPendingMessages();
      found = probeNotingRefusal(refusedPorts);
    }
  }

  if (found) {
    setCaption(form_.BitBtn1, discovery_texts::kConnect.in(english));
    form_.BitBtn1->show();
    if (!rememberedPortTried && !memory_.writeName(form_.Edit18->text())) {
      // The box was found all the same: the search ends with Connect shown, only the port is
      // not remembered.
      boxes_.reportError(QString::fromUtf8(discovery_texts::kUnableToWrite)
                             .arg(QDir::toNativeSeparators(memory_.path())));
    }
  } else if (boxes_.ask(discovery_texts::kNoInterfaceCaption.in(english),
                        failureText(refusedPorts, english),
                        Buttons::RetryCancel) == Answer::Retry) {
    RetrySearch = true;
  } else {
    events_.requestTerminate();
  }

  form_.Label40->hide();
  return found;
}

bool InterfaceDiscovery::probeNotingRefusal(QStringList& refusedPorts) {
  const QString displayName = form_.Edit18->text();
  const bool found = ProbeInterface(displayName);
  if (!found && port_.OpenDenied()) {
    const QString deviceFile = permission_texts::deviceFile(displayName);
    if (!refusedPorts.contains(deviceFile)) refusedPorts.append(deviceFile);
  }
  return found;
}

bool InterfaceDiscovery::ProbeInterface(const QString& displayName) {
  const bool answered = probe_.ProbeInterface(displayName);
  if (answered) RetrySearch = false;
  return answered;
}

}  // namespace tadjust

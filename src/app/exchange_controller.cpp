#include "app/exchange_controller.h"

#include <algorithm>

#include "app/exchange_texts.h"
#include "app/permission_texts.h"
#include "catalogue/device_catalogue.h"
#include "link/frame_sender.h"
#include "view/settings_read.h"

namespace tadjust {

namespace {

namespace texts = exchange_texts;

constexpr int kProgressStep = 10;
// The eleventh tick after a request brings the bar to 110, the first position above 100.
constexpr int kProgressCollectAbove = 100;
constexpr int kMonitoringEveryTicks = 4;
constexpr const char* kStartCaption = "Start";

}  // namespace

ExchangeController::ExchangeController(Form1& form, SerialPort& port, MessageBoxes& boxes,
                                       WindowEvents& events, Subsystems subsystems,
                                       ReplyObserver& observer)
    : form_(form),
      port_(port),
      boxes_(boxes),
      events_(events),
      subsystems_(subsystems),
      observer_(observer) {}

QString ExchangeController::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

// "Read again" stands beside the action buttons while a device is linked.
void ExchangeController::ShowActionButtons(bool visible) {
  form_.BitBtn1->setVisible(visible);
  form_.BitBtn3->setVisible(visible);
  form_.BitBtn4->setVisible(visible);
  form_.ReadAgainButton->setVisible(visible && state_.DeviceLinked);
}

// The settings of the linked device once more, as any later read: eleven ticks, the decoder, and
// "Repeat reading?" when nothing comes.
void ExchangeController::ReadAgainClick() {
  // A read verifies nothing: the news of a write not verified stays.
  if (lastingNews_.isEmpty()) forgetKeptStatus();
  if (!state_.DeviceLinked || state_.ReadPending || state_.connectionLost) return;
  ShowActionButtons(false);
  RequestRead();
}

void ExchangeController::BitBtn1Click() {
  forgetKeptStatus();
  ShowActionButtons(false);
  if (caption(form_.BitBtn1) == kStartCaption) {
    subsystems_.discovery.FindInterface();
  } else if (!state_.DeviceLinked) {
    LinkDevice();
  } else {
    disconnect();
  }
}

void ExchangeController::disconnect() {
  lastingNews_.clear();
  port_.ClosePort();
  setCaption(form_.BitBtn1, text(texts::Connect));
  state_.DeviceLinked = false;
  form_.ReadAgainButton->hide();
  form_.BitBtn1->show();
  form_.GroupBox1->hide();
  form_.GroupBox2->hide();
  form_.CheckBox5->setChecked(false);
  form_.GroupBox3->hide();
  tellStateChanged();
}

void ExchangeController::showStatus(const QString& status) {
  form_.Label41->setText(status);
  form_.Label41->show();
  keptStatusShown_ = false;
  keptUntilEdit_ = false;
}

void ExchangeController::showStatus(const BilingualText& status) { showStatus(text(status)); }

void ExchangeController::keepStatus(const QString& news, KeptUntil until) {
  showStatus(news);
  keptStatusShown_ = true;
  keptUntilEdit_ = until == KeptUntil::Edit;
  lastingNews_ = until == KeptUntil::NextChange ? news : QString();
}

void ExchangeController::forgetStatusKeptUntilEdit() {
  if (keptUntilEdit_) forgetKeptStatus();
}

void ExchangeController::keepStatus(const BilingualText& news) { keepStatus(text(news)); }

void ExchangeController::forgetKeptStatus() {
  lastingNews_.clear();
  if (!keptStatusShown_) return;
  keptStatusShown_ = false;
  keptUntilEdit_ = false;
  form_.Label41->hide();
}

void ExchangeController::LinkDevice() {
  const Answer answer =
      boxes_.ask(text(texts::LinkPromptCaption), text(texts::LinkPromptText), Buttons::OkCancel);
  if (answer != Answer::Ok) {
    form_.BitBtn1->show();
    return;
  }
  if (!openLinkPort()) return;
  state_.connectionLost = false;
  showStatus(texts::Linking);
  state_.linkNumber += 1;
  sendFrame(port_, kLinkCommand);
  RequestRead();
}

bool ExchangeController::openLinkPort() {
  QString portName = form_.Edit18->text();
  if (port_.OpenPort(portName.toStdString())) return true;
  if (port_.OpenFoundNoPort()) {
    // The box was plugged into another port (or is out): search for it as Start does, and link
    // on the port found. A failed search has said so and asked Retry or Cancel itself.
    port_.ClosePort();
    if (!subsystems_.discovery.FindInterface()) return false;
    form_.BitBtn1->hide();
    portName = form_.Edit18->text();
    if (port_.OpenPort(portName.toStdString())) return true;
  }
  // This user may not open the port, or another program holds it: say which and offer Connect
  // again.
  const QString why = port_.OpenDenied()
                          ? permission_texts::permissionDenied(
                                {permission_texts::deviceFile(portName)}, form_.UseEnglish)
                          : text(texts::PortNotOpenedText).arg(portName);
  port_.ClosePort();
  boxes_.ask(text(texts::PortNotOpenedCaption), why, Buttons::Ok);
  form_.BitBtn1->show();
  return false;
}

// Monitoring stops; a pending read goes on and, getting no reply, leads to the usual questions.
// A linked device's link ends once nothing is under way.
void ExchangeController::ConnectionLost() {
  form_.CheckBox5->setChecked(false);
  state_.connectionLost = true;
  keepStatus(texts::ConnectionLost);
  tellStateChanged();
  endLostLinkWhenIdle();
}

void ExchangeController::endFlow() {
  --flowsUnderWay_;
  endLostLinkWhenIdle();
}

void ExchangeController::endLostLinkWhenIdle() {
  if (state_.connectionLost && state_.DeviceLinked && !state_.ReadPending && flowsUnderWay_ == 0) {
    endLostLink();
  }
}

// As after Disconnect: Connect links again once the box is back.
void ExchangeController::endLostLink() {
  form_.ProgressBar1->hide();
  form_.GroupBox1->setEnabled(true);
  disconnect();
  form_.BitBtn3->hide();
  form_.BitBtn4->hide();
  keepStatus(texts::ConnectionLost);
}

void ExchangeController::RequestRead() {
  port_.PurgeInput();
  showStatus(observer_.readingBack() ? texts::WriteVerification : texts::ReadingData);
  sendFrame(port_, kReadCommand);
  form_.ProgressBar1->show();
  state_.ReadPending = true;
  tellStateChanged();
}

bool ExchangeController::CollectReply() {
  std::fill_n(port_.ReceiveBuffer.begin(), kSettingsImageSize, std::uint8_t{0});
  if (port_.ReadAvailable(static_cast<int>(kSettingsImageSize)) == 0) return false;
  // A reply too short to name its device is a broken line: showing it would show, and invite
  // writing, a device of zeros.
  const ConstBytes reply(port_.ReceiveBuffer.data(), kSettingsImageSize);
  if (!replyNamesItsDevice(reply, static_cast<std::size_t>(std::max(port_.BytesRead(), 0)))) {
    return false;
  }
  // Bytes that did not arrive stay zero: the buffer was cleared before the read.
  SettingsImages& images = subsystems_.images;
  std::copy(reply.begin(), reply.end(), images.SettingsImage.begin());
  settleProductCode(images);
  // Whatever step settled the code: a device with its code at 192 must not be shown, copied
  // and written with an earlier device's small-layout bytes.
  refreshLayoutCopies(images);
  return true;
}

void ExchangeController::Timer1Timer() {
  InterfaceDiscovery& discovery = subsystems_.discovery;
  if (discovery.RetrySearch) {
    discovery.RetrySearch = false;
    discovery.FindInterface();
  }
  if (state_.ReadPending) countPendingRead();
  keepMonitoringCadence();
}

void ExchangeController::countPendingRead() {
  QProgressBar* bar = form_.ProgressBar1;
  bar->setValue(bar->value() + kProgressStep);
  if (bar->value() <= kProgressCollectAbove) return;

  state_.ReadPending = false;
  bar->setValue(0);
  bar->hide();
  form_.Label41->hide();
  beginFlow();
  if (CollectReply()) {
    takeReply();
  } else if (!state_.DeviceLinked) {
    handleNoFirstReply();
  } else {
    handleNoLaterReply();
  }
  endFlow();
  // A read of the linked device changes nothing of a write's lasting news: it is shown again.
  if (!lastingNews_.isEmpty() && state_.DeviceLinked && !state_.ReadPending &&
      !state_.connectionLost)
    keepStatus(lastingNews_, KeptUntil::NextChange);
  tellStateChanged();
}

void ExchangeController::takeReply() {
  const bool laidOutAnew = showSettingsRead(form_, subsystems_.images, state_.lastLaidOutCode,
                                            subsystems_.view, subsystems_.decoder, events_);
  if (laidOutAnew && editableGroupRestarted_) editableGroupRestarted_();
  ShowActionButtons(true);
  const std::uint16_t code = subsystems_.images.ProductCode();
  if (!findDeviceModel(code)) sayUnknownProductCode(code);

  if (!state_.DeviceLinked) {
    state_.DeviceLinked = true;
    ShowActionButtons(true);
    setCaption(form_.BitBtn1, text(texts::Disconnect));
    form_.GroupBox1->show();
    form_.GroupBox2->show();
  }
  observer_.replyTaken();
}

// The device is shown with the layout of the model already on screen; the user must know.
void ExchangeController::sayUnknownProductCode(std::uint16_t code) {
  showStatus(text(texts::UnknownProductCode)
                 .arg(code)
                 .arg(QString::fromStdString(subsystems_.view.modelLabel)));
}

void ExchangeController::handleNoFirstReply() {
  const Answer retry =
      boxes_.ask(text(texts::NoResponseCaption), text(texts::NoResponseText), Buttons::RetryCancel);
  if (retry == Answer::Retry) {
    const Answer unplugged = boxes_.ask(text(texts::DisconnectDeviceCaption),
                                        text(texts::DisconnectDeviceText), Buttons::OkCancel);
    if (unplugged == Answer::Ok) {
      port_.ClosePort();
      LinkDevice();
      return;
    }
  }
  port_.ClosePort();
  events_.requestTerminate();
}

void ExchangeController::handleNoLaterReply() {
  // The box is gone: no read can come, so none is offered; Label41 keeps the loss and the link
  // ends.
  if (state_.connectionLost) {
    observer_.readGivenUp();
    return;
  }
  const Answer answer =
      boxes_.ask(text(texts::RepeatReadingCaption), text(texts::RepeatReadingText), Buttons::YesNo);
  // A lost box is not read again: the link ends once this question is done.
  if (answer == Answer::Yes && !state_.connectionLost) {
    RequestRead();
    return;
  }
  observer_.readGivenUp();
  if (state_.connectionLost) return;
  // Back to the linked state: the window would otherwise offer no step but closing it.
  form_.GroupBox1->setEnabled(true);
  ShowActionButtons(true);
}

void ExchangeController::tellStateChanged() {
  if (stateChanged_) stateChanged_();
}

// A poll purges the input queue: while a settings read is pending it would throw the reply away,
// so the cadence waits for the read (only "Read again" reads with monitoring on).
void ExchangeController::keepMonitoringCadence() {
  if (subsystems_.view.model.layout != Layout::Humidity || !form_.CheckBox5->isChecked()) return;
  if (state_.ReadPending) return;
  state_.MonitorTicks += 1;
  if (state_.MonitorTicks < kMonitoringEveryTicks) return;
  state_.MonitorTicks = 0;
  if (pollMonitoring_) pollMonitoring_();
}

}  // namespace tadjust

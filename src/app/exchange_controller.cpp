#include "app/exchange_controller.h"

#include <algorithm>
#include <memory>

#include "app/exchange_texts.h"
#include "app/permission_texts.h"
#include "catalogue/device_catalogue.h"
#include "link/frame_sender.h"
#include "view/settings_read.h"

namespace tadjust {

namespace {

constexpr int kProgressStep = 10;
// The eleventh tick after a request brings the bar to 110, the first position above 100.
constexpr int kProgressCollectAbove = 100;
constexpr int kMonitoringEveryTicks = 4;
constexpr const char* kStartCaption = "Start";

}  // namespace

ExchangeController::ExchangeController(Form1& form, ExchangeWorker& exchange, MessageBoxes& boxes,
                                       WindowEvents& events, Subsystems subsystems,
                                       ReplyObserver& observer)
    : form_(form),
      exchange_(exchange),
      boxes_(boxes),
      events_(events),
      subsystems_(subsystems),
      observer_(observer) {
  exchange_.setBusyChanged([this] {
    noteExchangeUnderWay();
    endLostLinkWhenIdle();
  });
}

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
  if (state_.exchangeUnderWay) return;
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

void ExchangeController::closePort() {
  exchange_.runAside([](PortLine& line) { line.port.ClosePort(); });
}

void ExchangeController::disconnect() {
  lastingNews_.clear();
  state_.DeviceLinked = false;
  closePort();
  setCaption(form_.BitBtn1, text(exchange_texts::Connect));
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
  const Answer answer = boxes_.ask(text(exchange_texts::LinkPromptCaption),
                                   text(exchange_texts::LinkPromptText), Buttons::OkCancel);
  if (answer != Answer::Ok) {
    form_.BitBtn1->show();
    return;
  }
  openLinkPort([this] { linkOpened(); });
}

void ExchangeController::linkOpened() {
  state_.connectionLost = false;
  showStatus(exchange_texts::Linking);
  state_.linkNumber += 1;
  // The link command and the read request in one job: the read follows at once.
  const unsigned read = ++readNumber_;
  exchange_.run(
      [this, read](PortLine& line) {
        sendFrame(line.port, kLinkCommand);
        sendReadRequest(line, read);
      },
      [this] {
        showStatus(exchange_texts::ReadingData);
        readRequested();
      });
}

// The port of Edit18 opened on the worker; when it is gone, the box is searched for as Start
// does (the worker's search) and the port found opened. opened runs once a port is open.
void ExchangeController::openLinkPort(std::function<void()> opened, bool searched) {
  struct Opening {
    bool opened = false;
    bool denied = false;
    bool noPort = false;
  };
  const auto opening = std::make_shared<Opening>();
  const QString portName = form_.Edit18->text();
  exchange_.run(
      [opening, name = portName.toStdString()](PortLine& line) {
        opening->opened = line.port.OpenPort(name);
        if (opening->opened) return;
        opening->denied = line.port.OpenDenied();
        opening->noPort = line.port.OpenFoundNoPort();
        line.port.ClosePort();
      },
      [this, opening, portName, opened = std::move(opened), searched]() mutable {
        if (opening->opened) {
          opened();
          return;
        }
        if (opening->noPort && !searched) {
          // The box was plugged into another port (or is out): search for it as Start does, and
          // link on the port found. A failed search has said so and asked Retry or Cancel itself.
          subsystems_.discovery.FindInterface([this, opened = std::move(opened)](bool found) {
            if (!found) return;
            form_.BitBtn1->hide();
            openLinkPort(opened, true);
          });
          return;
        }
        sayPortNotOpened(portName, opening->denied);
      });
}

// This user may not open the port, or another program holds it: say which and offer Connect
// again.
void ExchangeController::sayPortNotOpened(const QString& portName, bool denied) {
  const QString why = denied ? permission_texts::permissionDenied(
                                   {permission_texts::deviceFile(portName)}, form_.UseEnglish)
                             : text(exchange_texts::PortNotOpenedText).arg(portName);
  boxes_.ask(text(exchange_texts::PortNotOpenedCaption), why, Buttons::Ok);
  form_.BitBtn1->show();
}

// Monitoring stops; a pending read goes on and, getting no reply, leads to the usual questions.
// A linked device's link ends once nothing is under way.
void ExchangeController::ConnectionLost() {
  form_.CheckBox5->setChecked(false);
  state_.connectionLost = true;
  keepStatus(exchange_texts::ConnectionLost);
  tellStateChanged();
  endLostLinkWhenIdle();
}

void ExchangeController::beginFlow() {
  ++flowsUnderWay_;
  noteExchangeUnderWay();
}

void ExchangeController::endFlow() {
  --flowsUnderWay_;
  noteExchangeUnderWay();
  endLostLinkWhenIdle();
}

void ExchangeController::noteExchangeUnderWay() {
  const bool underWay = exchange_.busy() || flowsUnderWay_ > 0;
  if (underWay == state_.exchangeUnderWay) return;
  state_.exchangeUnderWay = underWay;
  tellStateChanged();
}

// A job still with the worker (the read-back's request after a cut block) ends first: its read
// is then pending and ends as one that got no reply.
void ExchangeController::endLostLinkWhenIdle() {
  if (state_.connectionLost && state_.DeviceLinked && !state_.ReadPending && flowsUnderWay_ == 0 &&
      !exchange_.busy()) {
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
  keepStatus(exchange_texts::ConnectionLost);
}

void ExchangeController::RequestRead() {
  // A lost box sends no reply: the read ends at once as one that got none, and asks nothing.
  if (state_.connectionLost) {
    observer_.readGivenUp();
    return;
  }
  showStatus(observer_.readingBack() ? exchange_texts::WriteVerification
                                     : exchange_texts::ReadingData);
  const unsigned read = ++readNumber_;
  exchange_.run([this, read](PortLine& line) { sendReadRequest(line, read); },
                [this] { readRequested(); });
}

void ExchangeController::sendReadRequest(PortLine& line, unsigned read) {
  line.port.PurgeInput();
  sendFrame(line.port, kReadCommand);
  exchange_.watchReply([this, read](const SettingsReply& reply) { replyWhole(read, reply); });
}

// The request has been sent: the bar counts the ticks until the reply is taken.
void ExchangeController::readRequested() {
  form_.ProgressBar1->show();
  state_.ReadPending = true;
  tellStateChanged();
}

// The whole reply, before the eleventh tick: the bar completes and the reply is handled as on
// that tick. A reply of a read already ended (taken on the tick, or given up) is not taken twice.
void ExchangeController::replyWhole(unsigned read, const SettingsReply& reply) {
  if (!state_.ReadPending || read != readNumber_) return;
  QProgressBar* bar = form_.ProgressBar1;
  bar->setValue(bar->maximum());
  state_.ReadPending = false;
  bar->setValue(0);
  bar->hide();
  form_.Label41->hide();
  beginFlow();
  handleReply(reply);
  endFlow();
  showLastingNewsAgain();
  tellStateChanged();
}

void ExchangeController::handleReply(const SettingsReply& reply) {
  if (CollectReply(reply)) {
    takeReply();
  } else if (!state_.DeviceLinked) {
    handleNoFirstReply();
  } else {
    handleNoLaterReply();
  }
}

bool ExchangeController::CollectReply(const SettingsReply& reply) {
  if (!reply.arrived) return false;
  // A reply too short to name its device is a broken line: showing it would show, and invite
  // writing, a device of zeros.
  const ConstBytes bytes(reply.bytes.data(), kSettingsImageSize);
  if (!replyNamesItsDevice(bytes, static_cast<std::size_t>(reply.count))) return false;
  // Bytes that did not arrive stay zero: the buffer was cleared before the read.
  SettingsImages& images = subsystems_.images;
  std::copy(bytes.begin(), bytes.end(), images.SettingsImage.begin());
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

  // The limit: whatever has arrived by now is the reply, or there is none.
  state_.ReadPending = false;
  bar->setValue(0);
  bar->hide();
  form_.Label41->hide();
  beginFlow();
  const auto reply = std::make_shared<SettingsReply>();
  exchange_.run([this, reply](PortLine& line) { *reply = exchange_.takeReply(line); },
                [this, reply] {
                  handleReply(*reply);
                  endFlow();
                  showLastingNewsAgain();
                  tellStateChanged();
                });
}

// A read of the linked device changes nothing of a write's lasting news: it is shown again.
void ExchangeController::showLastingNewsAgain() {
  if (!lastingNews_.isEmpty() && state_.DeviceLinked && !state_.ReadPending &&
      !state_.connectionLost)
    keepStatus(lastingNews_, KeptUntil::NextChange);
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
    setCaption(form_.BitBtn1, text(exchange_texts::Disconnect));
    form_.GroupBox1->show();
    form_.GroupBox2->show();
  }
  observer_.replyTaken();
}

// The device is shown with the layout of the model already on screen; the user must know.
void ExchangeController::sayUnknownProductCode(std::uint16_t code) {
  showStatus(text(exchange_texts::UnknownProductCode)
                 .arg(code)
                 .arg(QString::fromStdString(subsystems_.view.modelLabel)));
}

void ExchangeController::handleNoFirstReply() {
  const Answer retry = boxes_.ask(text(exchange_texts::NoResponseCaption),
                                  text(exchange_texts::NoResponseText), Buttons::RetryCancel);
  if (retry == Answer::Retry) {
    const Answer unplugged =
        boxes_.ask(text(exchange_texts::DisconnectDeviceCaption),
                   text(exchange_texts::DisconnectDeviceText), Buttons::OkCancel);
    if (unplugged == Answer::Ok) {
      closePort();
      LinkDevice();
      return;
    }
  }
  closePort();
  events_.requestTerminate();
}

void ExchangeController::handleNoLaterReply() {
  // The box is gone: no read can come, so none is offered; Label41 keeps the loss and the link
  // ends.
  if (state_.connectionLost) {
    observer_.readGivenUp();
    return;
  }
  const Answer answer = boxes_.ask(text(exchange_texts::RepeatReadingCaption),
                                   text(exchange_texts::RepeatReadingText), Buttons::YesNo);
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

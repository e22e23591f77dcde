#include "app/settings_writer.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/exchange_texts.h"
#include "app/write_changes.h"
#include "app/write_differences.h"
#include "catalogue/device_catalogue.h"
#include "edit/copy_record.h"
#include "link/frame_sender.h"

namespace tadjust {

namespace {

// The bar counts 10 after the command, 10 after the wait and 15 for every 48 bytes sent, up to
// its maximum of 60: a 192-byte block ends at 60, a 64-byte block at 35.
constexpr int kWriteProgressMaximum = 60;
constexpr int kWriteProgressHeadStep = 10;
constexpr int kWriteProgressDataStep = 15;
constexpr std::size_t kBytesPerDataStep = 48;
// The read-back counts its ticks on the bar from 0 to 110, as every read does.
constexpr int kReadProgressMaximum = 110;

}  // namespace

SettingsWriter::SettingsWriter(Form1& form, Platform platform, ExchangeController& controller,
                               SettingsImages& images, const SettingsViewState& view,
                               EncodeForWrite encode, ConfirmWrite confirm)
    : form_(form),
      platform_(platform),
      controller_(controller),
      images_(images),
      view_(view),
      encode_(std::move(encode)),
      confirm_(std::move(confirm)) {}

QString SettingsWriter::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

void SettingsWriter::BitBtn4Click() { send(true); }

void SettingsWriter::send(bool confirmFirst) {
  controller_.beginFlow();
  // A box lost while "Repeat writing?" was open takes no write: the link ends instead.
  if (!controller_.state().connectionLost) prepare(confirmFirst);
  controller_.endFlow();
}

// Everything that may stop the write comes before anything is sent: the group's refusals, the
// technician's answer, then the check read of the device on the box (an ordinary read request;
// the flow goes on in replyTaken or readGivenUp).
void SettingsWriter::prepare(bool confirmFirst) {
  controller_.forgetKeptStatus();
  form_.CheckBox5->setChecked(false);
  form_.GroupBox1->setEnabled(false);
  controller_.ShowActionButtons(false);

  const std::variant<Bytes, QString> taken = takeBlock();
  if (const QString* reason = std::get_if<QString>(&taken)) {
    refuse(*reason);
    return;
  }
  const Bytes block = std::get<Bytes>(taken);
  if (confirmFirst && confirm_ && !confirm_(block)) {
    form_.GroupBox1->setEnabled(true);
    controller_.ShowActionButtons(true);
    return;
  }
  // The box lost while the question was open: nothing is read from a closed port, the link ends.
  if (controller_.state().connectionLost) return;
  blockToSend_.assign(block.begin(), block.end());
  // The device the group was made for is the one of the last read before this Send.
  state_.writtenDevice = deviceRead();
  state_.CheckPending = true;
  controller_.RequestRead();
}

// The check read has been shown (the device group holds the device on the box now); the
// editable group is untouched unless another model answered.
void SettingsWriter::checkDevice() {
  const WrittenDevice onTheBox = deviceRead();
  if (onTheBox != state_.writtenDevice) {
    form_.GroupBox1->setEnabled(true);
    controller_.keepStatus(text(exchange_texts::AnotherDeviceOnTheBox)
                               .arg(onTheBox.productCode)
                               .arg(onTheBox.serialNumber)
                               .arg(state_.writtenDevice.productCode)
                               .arg(state_.writtenDevice.serialNumber));
    return;
  }
  write();
}

// Called in the tick that took the check read's reply.
void SettingsWriter::write() {
  controller_.ShowActionButtons(false);
  form_.GroupBox1->setEnabled(false);
  // The block encoded before the check read, in the layout's outgoing block for the read-back's
  // comparison.
  const Bytes outgoing = outgoingBlock(view_.model.layout, images_);
  std::copy(blockToSend_.begin(), blockToSend_.end(), outgoing.begin());
  rememberAsFound();
  showWriteProgress();
  // The write's own flow, from here until the block's last byte has left the worker. The worker
  // sends its own copy: the outgoing block stays the window's, for the comparison.
  controller_.beginFlow();
  const std::uint8_t command = particularsOf(view_.model.layout).writeCommand;
  sendingBlock_ = true;
  platform_.exchange.run(
      [this, command, block = blockToSend_](PortLine& line) { sendBlock(line, command, block); },
      [this, outgoing] { blockSent(outgoing); });
}

void SettingsWriter::blockSent(ConstBytes sent) {
  sendingBlock_ = false;
  recordBlockSent(sent);
  if (thenInsteadOfReadBack_) {
    // The window closes: the block is whole on the device; nothing is read back.
    controller_.endFlow();
    std::exchange(thenInsteadOfReadBack_, {})();
    return;
  }
  form_.ProgressBar1->setRange(0, kReadProgressMaximum);
  form_.ProgressBar1->setValue(0);
  state_.VerifyPending = true;
  controller_.RequestRead();
  controller_.endFlow();
}

std::variant<Bytes, QString> SettingsWriter::takeBlock() {
  EncodedSettings encoded = encode_();
  if (const WriteRefusal* refusal = std::get_if<WriteRefusal>(&encoded)) return refusal->reason;

  // Only a block of the layout the model is laid out in may reach the device: another length
  // would put the device's stream out of step, another letter would not be stored.
  const OutgoingBlock& block = std::get<OutgoingBlock>(encoded);
  const Layout layout = view_.model.layout;
  const LayoutParticulars& frame = particularsOf(layout);
  if (block.command != frame.writeCommand || block.bytes.size() != frame.blockSize) {
    return text(exchange_texts::BlockDoesNotFit).arg(QString::fromStdString(view_.modelLabel));
  }
  const Bytes outgoing = outgoingBlock(layout, images_);
  std::copy(block.bytes.begin(), block.bytes.end(), outgoing.begin());
  return outgoing;
}

void SettingsWriter::refuse(const QString& reason) {
  platform_.boxes.ask(text(exchange_texts::NotSentCaption), reason, Buttons::Ok);
  form_.GroupBox1->setEnabled(true);
  controller_.ShowActionButtons(true);
}

void SettingsWriter::showWriteProgress() {
  form_.Label41->setText(text(exchange_texts::WritingData));
  form_.Label41->show();
  form_.ProgressBar1->setRange(0, kWriteProgressMaximum);
  form_.ProgressBar1->setValue(0);
  form_.ProgressBar1->show();
  // Ticks that run here find no read pending.
  platform_.events.processPendingMessages();
}

// A progress bar ignores a value beyond its maximum; the write's bar stops there instead.
void SettingsWriter::advanceProgress(int step) {
  QProgressBar* bar = form_.ProgressBar1;
  bar->setValue(std::min(bar->value() + step, bar->maximum()));
}

// On the worker's thread: the bar advances on the window's as the bytes leave.
void SettingsWriter::sendBlock(PortLine& line, std::uint8_t command, ConstBytes block) {
  ExchangeWorker& exchange = platform_.exchange;
  const auto advance = [this, &exchange](int step) {
    exchange.tell([this, step] { advanceProgress(step); });
  };
  sendFrame(line.port, command, kWritePause);
  advance(kWriteProgressHeadStep);
  line.pause.pause(kWriteDataWait);
  advance(kWriteProgressHeadStep);
  for (std::size_t i = 0; i < block.size(); ++i) {
    // The line is gone (the box unplugged): the rest of the block cannot reach the device.
    if (!line.port.IsOpen()) return;
    line.port.SendCommand(block[i], CommandPause);
    if (i % kBytesPerDataStep == kBytesPerDataStep - 1) advance(kWriteProgressDataStep);
  }
}

WrittenDevice SettingsWriter::deviceRead() const {
  const DeviceIdentity read = identifyDevice(images_, view_.model.layout, 0);
  return {read.productCode, read.serialNumber};
}

// The read before the link's first write of this device is what the device held when the
// technician found it; later writes in the same link keep it.
void SettingsWriter::rememberAsFound() {
  const unsigned link = controller_.state().linkNumber;
  std::optional<LinkWrites>& writes = state_.linkWrites;
  if (!writes || writes->linkNumber != link || writes->device != state_.writtenDevice) {
    writes = LinkWrites{link, state_.writtenDevice, images_.SettingsImage, std::nullopt,
                        WriteOutcome::ReadingBack};
  }
  writes->outcome = WriteOutcome::ReadingBack;
}

void SettingsWriter::readGivenUp() {
  // No check read, nothing sent: no write happened.
  state_.CheckPending = false;
  if (!state_.VerifyPending) return;
  if (state_.linkWrites) state_.linkWrites->outcome = WriteOutcome::NoReadBack;
  state_.VerifyPending = false;
  recordOutcome(controller_.state().connectionLost ? history::Outcome::ConnectionLost
                                                   : history::Outcome::NoReply,
                false);
}

void SettingsWriter::replyTaken() {
  if (state_.CheckPending) {
    state_.CheckPending = false;
    checkDevice();
    return;
  }
  if (!state_.VerifyPending) return;
  state_.VerifyPending = false;
  form_.GroupBox1->setEnabled(true);
  checkWrite();
}

// Only the device written can confirm the write: another one (swapped behind the box, or one
// naming another series or family) is said, and never written again in its place.
void SettingsWriter::checkWrite() {
  const WrittenDevice answered = deviceRead();
  LinkWrites& writes = *state_.linkWrites;
  if (answered != state_.writtenDevice) {
    writes.outcome = WriteOutcome::OtherDevice;
    sayAnotherDeviceAnswered(answered);
    recordOutcome(history::Outcome::OtherDevice, true);
    return;
  }
  writes.asLeft = images_.SettingsImage;
  if (writeMatchesReadBack()) {
    writes.outcome = WriteOutcome::Verified;
    // Otherwise nothing would tell the user that the write happened. It holds until the group
    // is changed: the group then shows what was not verified.
    controller_.keepStatus(text(exchange_texts::WriteVerified),
                           ExchangeController::KeptUntil::Edit);
    recordOutcome(history::Outcome::Verified, true);
  } else {
    writes.outcome = WriteOutcome::StoredWrong;
    offerRepeatWriting();
  }
}

void SettingsWriter::sayAnotherDeviceAnswered(const WrittenDevice& answered) {
  controller_.keepStatus(text(exchange_texts::AnotherDeviceAnswered)
                             .arg(answered.productCode)
                             .arg(answered.serialNumber)
                             .arg(state_.writtenDevice.productCode)
                             .arg(state_.writtenDevice.serialNumber));
}

// The block sent against the same bytes of the read-back: the layout is the one written, the
// read-back having named the device written.
bool SettingsWriter::writeMatchesReadBack() const {
  const Layout layout = view_.model.layout;
  const ConstBytes sent = outgoingBlock(layout, images_);
  return std::equal(sent.begin(), sent.end(), readCopy(layout, images_).begin());
}

// The question shows what the device holds other than was sent; No leaves the first of it said
// in Label41 until the next write, copy or Disconnect, or the window would look as after a
// success.
void SettingsWriter::offerRepeatWriting() {
  const QStringList differences = readBackDifferences();
  const QString question =
      QStringList{text(exchange_texts::StoredOtherwise), differences.join(QLatin1Char('\r')),
                  QString(), text(exchange_texts::RepeatWritingText)}
          .join(QLatin1Char('\r'));
  const Answer answer =
      platform_.boxes.ask(text(exchange_texts::RepeatWritingCaption), question, Buttons::YesNo);
  // The write stored wrong whatever the answer: a write again is a row of its own.
  recordOutcome(history::Outcome::StoredWrong, true);
  if (answer == Answer::Yes) {
    send(false);
    return;
  }
  QString news = text(exchange_texts::WriteNotVerified).arg(differences.value(0));
  if (differences.size() > 1)
    news += text(exchange_texts::MoreDifferences).arg(differences.size() - 1);
  controller_.keepStatus(news, ExchangeController::KeptUntil::NextChange);
}

QStringList SettingsWriter::readBackDifferences() const {
  return writeDifferences(form_, images_, outgoingBlock(view_.model.layout, images_), view_.model);
}

void SettingsWriter::recordBlockSent(ConstBytes sent) {
  const Layout layout = view_.model.layout;
  platform_.history.blockSent({form_.Edit18->text(), QString::fromStdString(view_.modelLabel),
                               state_.writtenDevice.productCode, state_.writtenDevice.serialNumber,
                               QString::fromStdString(particularsOf(layout).tag.get(sent)),
                               images_.SettingsImage, sent,
                               changesOfWrite(images_, view_.model, sent)});
}

// withReadBack: the verification read is the image now read (the device written, or another
// one that answered: then it is named too, so the history finds it by either serial number).
void SettingsWriter::recordOutcome(history::Outcome outcome, bool withReadBack) {
  std::optional<ConstBytes> asLeft;
  if (withReadBack) asLeft = ConstBytes(images_.SettingsImage);
  std::optional<AnsweringDevice> answered;
  if (outcome == history::Outcome::OtherDevice) {
    const WrittenDevice read = deviceRead();
    answered = AnsweringDevice{read.productCode, read.serialNumber};
  }
  platform_.history.writeEnded(outcome, asLeft, answered);
}

}  // namespace tadjust

#include "app/record_contents.h"

#include <QFileInfo>

#include "app/computer_user.h"
#include "edit/copy_record.h"
#include "image/device_identity.h"
#include "image/layout.h"
#include "record/history_record.h"
#include "record/record_texts.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

RecordIdentity identityOf(const RecordSources& s) {
  const Layout layout = s.view.model.layout;
  const DeviceIdentity device = identifyDevice(s.images, layout, 0);
  return {QString::fromStdString(s.view.modelLabel), QString::number(device.productCode),
          QString::number(device.serialNumber),
          QString::fromStdString(particularsOf(layout).tag.get(readCopy(layout, s.images))),
          s.form.Edit18->text()};
}

// This link's write of the device the window shows, once its read-back has ended. A read-back
// from another device leaves the device shown unwritten by this link.
std::optional<WriteByThisLink> writeOf(const RecordSources& s) {
  const std::optional<LinkWrites>& writes = s.write.linkWrites;
  if (!writes || writes->linkNumber != s.exchange.linkNumber) return std::nullopt;
  const DeviceIdentity shown = identifyDevice(s.images, s.view.model.layout, 0);
  if (writes->device != WrittenDevice{shown.productCode, shown.serialNumber}) return std::nullopt;

  Verification verification = Verification::Verified;
  switch (writes->outcome) {
    case WriteOutcome::Verified:
      break;
    case WriteOutcome::StoredWrong:
      verification = Verification::StoredWrong;
      break;
    case WriteOutcome::NoReadBack:
      verification = Verification::NoReadBack;
      break;
    case WriteOutcome::ReadingBack:
    case WriteOutcome::OtherDevice:
      return std::nullopt;
  }
  const bool english = s.form.UseEnglish;
  const std::optional<std::array<std::uint8_t, kSettingsImageSize>> left =
      verification == Verification::NoReadBack ? std::nullopt : writes->asLeft;
  WriteByThisLink write;
  write.rows = compareReads(writes->asFound, left, english, record_texts::NotRead.in(english));
  write.verification = verification;
  if (s.origin) {
    write.source = settingsSourceOf(*s.origin);
    if (s.origin->kind == EditOrigin::Kind::DeviceCopy &&
        !s.origin->isFor(shown.productCode, shown.serialNumber)) {
      write.source->kind = SettingsSource::Kind::OtherDeviceCopy;
      write.source->sourceSerialNumber = QString::number(s.origin->serialNumber);
    }
  }
  if (s.anchor) write.anchor = RecordAnchor{s.anchor->sequence, s.anchor->hash};
  return write;
}

}  // namespace

DeviceRecord gatherDeviceRecord(const RecordSources& s, const QDateTime& made) {
  DeviceRecord record;
  record.useEnglish = s.form.UseEnglish;
  record.made = made;
  record.program = QString::fromLatin1(window_texts::WindowCaption);
  record.userName = computerUserName();
  record.identity = identityOf(s);
  record.settingsTitle = s.form.GroupBox2->title();
  record.settings = recordedRows(s.images, s.view.model, s.form.UseEnglish);
  record.write = writeOf(s);
  record.characteristic =
      recordCharacteristic(s.images.SettingsImage, s.view.model, s.form.UseEnglish);
  return record;
}

SettingsSource settingsSourceOf(const EditOrigin& origin) {
  SettingsSource source;
  source.fileName = QFileInfo(origin.fileName).fileName();
  switch (origin.kind) {
    case EditOrigin::Kind::StartValues:
      source.kind = SettingsSource::Kind::StartValues;
      break;
    case EditOrigin::Kind::DeviceCopy:
      source.kind = SettingsSource::Kind::DeviceCopy;
      break;
    case EditOrigin::Kind::SettingsFile:
      source.kind = SettingsSource::Kind::SettingsFile;
      source.sourceSerialNumber = QString::number(origin.sourceSerialNumber);
      break;
    case EditOrigin::Kind::CommissioningRow:
      source.kind = SettingsSource::Kind::CommissioningRow;
      source.rowTag = origin.rowTag;
      source.rowLine = origin.rowLine;
      break;
  }
  return source;
}

}  // namespace tadjust

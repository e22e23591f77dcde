#include "app/settings_file_commands.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

#include "app/file_command_texts.h"
#include "edit/correction_texts.h"
#include "edit/group_fields.h"
#include "image/device_identity.h"
#include "view/settings_rows.h"

namespace tadjust {

namespace {

QString modelName(const SettingsViewState& view) { return QString::fromStdString(view.modelLabel); }

}  // namespace

SettingsFileCommands::SettingsFileCommands(Form1& form, MessageBoxes& boxes, FileDialogs& dialogs,
                                           Sources sources)
    : form_(form), boxes_(boxes), dialogs_(dialogs), sources_(std::move(sources)) {}

QString SettingsFileCommands::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

void SettingsFileCommands::refuse(const QString& message) {
  boxes_.ask(text(file_command_texts::SettingsFileRefusedCaption), message, Buttons::Ok);
}

SettingsFileContents SettingsFileCommands::deviceAsRead() const {
  const SettingsImages& images = sources_.images;
  const Layout layout = sources_.view.model.layout;
  SettingsFileContents contents;
  contents.model = modelName(sources_.view);
  const DeviceIdentity device = identifyDevice(images, layout, 0);
  contents.productCode = device.productCode;
  contents.serialNumber = device.serialNumber;
  contents.settings = decodeSettings(images, sources_.view.model);
  contents.image = images.SettingsImage;
  contents.savedAt = QDateTime::currentDateTimeUtc();
  return contents;
}

void SettingsFileCommands::saveDeviceSettings() {
  const SettingsFileContents contents = deviceAsRead();
  const QString fileName = defaultSettingsFileName(
      contents.model, contents.serialNumber,
      QString::fromStdString(
          std::visit([](const auto& settings) { return settings.tag; }, contents.settings)),
      QDateTime::currentDateTime());
  QString path = dialogs_.chooseFileToSave({text(file_command_texts::SaveSettingsCaption),
                                            inDocumentsFolder(fileName),
                                            text(file_command_texts::SettingsFileFilter)});
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".tadj");
  // Written aside and renamed into place: never a half-written file under the chosen name.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(writeSettingsFile(contents)) < 0 ||
      !file.commit()) {
    boxes_.ask(text(file_command_texts::SettingsNotWrittenCaption),
               text(file_command_texts::SettingsNotWrittenText).arg(path, file.errorString()),
               Buttons::Ok);
    return;
  }
  if (fileSaved_) fileSaved_(QFileInfo(path).fileName());
}

std::optional<QByteArray> SettingsFileCommands::readChosenFile(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (!info.isFile()) {
    refuse(text(file_command_texts::NotARegularFile).arg(name));
    return std::nullopt;
  }
  if (info.size() > kLargestSettingsFile) {
    refuse(text(file_command_texts::FileTooLarge).arg(name));
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    refuse(text(file_command_texts::FileUnreadable).arg(name, file.errorString()));
    return std::nullopt;
  }
  // A file that grew after the check is still read no further than the limit allows.
  QByteArray bytes = file.read(kLargestSettingsFile + 1);
  if (bytes.size() > kLargestSettingsFile) {
    refuse(text(file_command_texts::FileTooLarge).arg(name));
    return std::nullopt;
  }
  return bytes;
}

QString SettingsFileCommands::faultText(const SettingsFileError& error,
                                        const QString& fileName) const {
  switch (error.fault) {
    case SettingsFileFault::kNotJson:
      return text(file_command_texts::NotJson).arg(fileName);
    case SettingsFileFault::kUnknownFormat:
      return text(file_command_texts::UnknownFormat).arg(fileName);
    case SettingsFileFault::kNewerVersion:
      return text(file_command_texts::NewerFormat).arg(fileName);
    case SettingsFileFault::kMissingField:
      return text(file_command_texts::MissingField).arg(fileName, error.key);
    case SettingsFileFault::kMalformedField:
      return text(file_command_texts::MalformedField).arg(fileName, error.key);
    case SettingsFileFault::kControlCharacter:
      return text(file_command_texts::ControlCharacter).arg(fileName, error.key);
    case SettingsFileFault::kUnknownModel:
      break;
  }
  return text(file_command_texts::UnknownModel).arg(fileName);
}

std::optional<SettingsFileCommands::ChosenFile> SettingsFileCommands::chooseFileOfThisModel(
    const BilingualText& caption) {
  const QString path = dialogs_.chooseFileToOpen(
      {text(caption), inDocumentsFolder(), text(file_command_texts::SettingsFileFilter)});
  if (path.isEmpty()) return std::nullopt;
  const std::optional<QByteArray> bytes = readChosenFile(path);
  if (!bytes) return std::nullopt;
  const QString name = QFileInfo(path).fileName();
  SettingsFileReading reading = readSettingsFile(*bytes);
  if (const auto* error = std::get_if<SettingsFileError>(&reading)) {
    refuse(faultText(*error, name));
    return std::nullopt;
  }
  auto contents = std::get<SettingsFileContents>(std::move(reading));
  // The same model name and the same product code: another series has other scales.
  if (contents.model != modelName(sources_.view) ||
      contents.productCode != sources_.images.ProductCode()) {
    refuse(text(file_command_texts::OtherModel)
               .arg(contents.model, QString::number(contents.productCode), modelName(sources_.view),
                    QString::number(sources_.images.ProductCode())));
    return std::nullopt;
  }
  return ChosenFile{std::move(contents), name, path};
}

bool SettingsFileCommands::openSettingsFile() {
  const std::optional<ChosenFile> chosen =
      chooseFileOfThisModel(file_command_texts::OpenSettingsCaption);
  if (!chosen) return false;
  const SettingsFileContents* file = &chosen->contents;
  // The device linked now gives every byte the group does not show.
  sources_.copy.BitBtn3Click();
  const std::vector<EntryCorrection> corrections =
      sources_.entry.enter(file->settings, sources_.view.model);
  if (sources_.origin) {
    const SettingsFileContents device = deviceAsRead();
    EditOrigin origin;
    origin.kind = EditOrigin::Kind::SettingsFile;
    origin.productCode = device.productCode;
    origin.serialNumber = device.serialNumber;
    origin.fileName = chosen->path;
    origin.sourceSerialNumber = file->serialNumber;
    sources_.origin(origin);
  }

  // The first correction in the line itself, all of them in its tooltip.
  const Layout layout = sources_.view.model.layout;
  QStringList said;
  for (const EntryCorrection& correction : corrections) {
    const auto* box = qobject_cast<const QLineEdit*>(controlOf(form_, layout, correction.field));
    said << correctionText(form_, layout, box, correction.entered, correction.shown);
  }
  QString notice = text(file_command_texts::ReadyToSend)
                       .arg(file->model)
                       .arg(file->serialNumber)
                       .arg(chosen->name);
  if (!said.isEmpty()) notice += QLatin1Char('\n') + firstOfCorrections(said, form_.UseEnglish);
  sources_.notice(notice, said.join(QLatin1Char('\n')));
  return true;
}

Comparison SettingsFileCommands::compare(const DeviceSettings& device, const DeviceSettings& other,
                                         const QString& otherHeading,
                                         const QString& otherName) const {
  const SettingsFileContents read = deviceAsRead();
  const LaidOutModel& model = sources_.view.model;
  const SettingsWording wording = SettingsWording::document(form_.UseEnglish);
  Comparison comparison;
  comparison.useEnglish = form_.UseEnglish;
  comparison.title = text(file_command_texts::ComparisonTitle)
                         .arg(read.model)
                         .arg(read.serialNumber)
                         .arg(otherName);
  comparison.leftHeading = text(file_command_texts::DeviceAsRead);
  comparison.rightHeading = otherHeading;
  const std::vector<SettingsField> differing = differingFields(device, other, model);
  for (const SettingsField field : comparedFields(model)) {
    if (!holdsField(device, field) && !holdsField(other, field)) continue;
    const bool differs = std::find(differing.begin(), differing.end(), field) != differing.end();
    const bool onLeft = holdsField(device, field);
    const bool onRight = holdsField(other, field);
    const SettingText left = settingText(device, field, model, wording);
    const SettingText right = settingText(other, field, model, wording);
    // A row each side's sensor words otherwise ("Sensor connection", "Cold junction comp.")
    // names both, each value under its own caption.
    QString caption = onLeft ? left.caption : right.caption;
    if (onLeft && onRight && left.caption != right.caption)
      caption = left.caption + QStringLiteral(" / ") + right.caption;
    comparison.rows.push_back({caption, onLeft ? left.valueWithUnit() : QStringLiteral("–"),
                               onRight ? right.valueWithUnit() : QStringLiteral("–"), differs});
  }
  return comparison;
}

void SettingsFileCommands::compareWithFile() {
  const std::optional<ChosenFile> chosen =
      chooseFileOfThisModel(file_command_texts::CompareWithFileCaption);
  if (!chosen) return;
  const QString heading =
      text(file_command_texts::FileColumn).arg(chosen->name).arg(chosen->contents.serialNumber);
  dialogs_.showComparison(compare(decodeSettings(sources_.images, sources_.view.model),
                                  chosen->contents.settings, heading, chosen->name));
}

void SettingsFileCommands::compareWithGroup() {
  const QString heading = text(file_command_texts::EditableGroupColumn);
  dialogs_.showComparison(compare(decodeSettings(sources_.images, sources_.view.model),
                                  readEditableGroup(form_, sources_.view.model), heading, heading));
}

}  // namespace tadjust

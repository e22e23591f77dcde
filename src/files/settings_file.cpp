#include "files/settings_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "project_version.h"

namespace tadjust {

namespace {

using F = SettingsField;

const QLatin1String kFormat("t-adjust-settings");

QString keyOf(SettingsField field) {
  const std::string_view key = fieldInfo(field).key;
  return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

bool isFlag(SettingsField field) {
  return field == F::OutputReversed || field == F::FailureHigh || field == F::AlarmLowOn ||
         field == F::AlarmHighOn;
}

DeviceSettings emptySettingsOf(Layout layout) {
  switch (layout) {
    case Layout::Indicator:
      return IndicatorSettings{};
    case Layout::Humidity:
      return HumiditySettings{};
    case Layout::Transmitter:
      break;
  }
  return TransmitterSettings{};
}

// The fields a file of the model must name: those a read of such a device gives.
bool requiredIn(const DeviceSettings& settings, const DeviceModel& model, SettingsField field) {
  if (const auto* s = std::get_if<TransmitterSettings>(&settings)) {
    const auto type = s->sensorType;
    const bool resistanceInput =
        type && (isResistanceThermometer(*type) || *type == SensorType::Resistance);
    switch (field) {
      case F::Connection:
        return type && *type != SensorType::Voltage && !model.probe;
      case F::TemperatureOffset:
        return type && isTemperatureSensor(*type);
      case F::WireResistance:
        return resistanceInput && s->connection == 0;
      case F::ColdJunctionTemperature:
        return type && isThermocouple(*type) && s->connection == 1;
      default:
        return true;
    }
  }
  if (field == F::HumidityUnit) return model.unitChoice != UnitChoice::None;
  return true;
}

QJsonObject settingsObject(const DeviceSettings& settings) {
  QJsonObject object;
  for (const SettingsField field : fieldsOf(layoutOf(settings))) {
    if (!holdsField(settings, field)) continue;
    const std::string text = fieldText(settings, field);
    if (isFlag(field)) {
      object.insert(keyOf(field), text == "true");
    } else {
      object.insert(keyOf(field), QString::fromStdString(text));
    }
  }
  return object;
}

std::optional<std::uint16_t> wordOf(const QJsonValue& value) {
  if (!value.isDouble()) return std::nullopt;
  const double number = value.toDouble();
  if (number < 0 || number > 0xFFFF || number != static_cast<int>(number)) return std::nullopt;
  return static_cast<std::uint16_t>(number);
}

std::optional<std::array<std::uint8_t, kSettingsImageSize>> imageOf(const QJsonValue& value) {
  if (!value.isString()) return std::nullopt;
  const QByteArray hex = value.toString().toLatin1();
  if (hex.size() != 2 * static_cast<qsizetype>(kSettingsImageSize)) return std::nullopt;
  for (const char c : hex)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  const QByteArray bytes = QByteArray::fromHex(hex);
  std::array<std::uint8_t, kSettingsImageSize> image{};
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

bool isControlCharacter(QChar c) {
  return c.category() == QChar::Other_Control && c != QLatin1Char('\t');
}

// The key of the first string within the value that holds a control character other than a tab
// ("settings.tag", "list[2]"): such a text would reach a device, a record or a window unseen — a
// zero would even cut a tag short.
std::optional<QString> keyOfControlCharacter(const QJsonValue& value, const QString& key) {
  if (value.isString()) {
    const QString text = value.toString();
    if (std::any_of(text.begin(), text.end(), isControlCharacter)) return key;
  } else if (value.isObject()) {
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
      const QString inner = key.isEmpty() ? it.key() : key + QLatin1Char('.') + it.key();
      if (auto found = keyOfControlCharacter(it.value(), inner)) return found;
    }
  } else if (value.isArray()) {
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
      if (auto found = keyOfControlCharacter(array.at(i), QStringLiteral("%1[%2]").arg(key).arg(i)))
        return found;
    }
  }
  return std::nullopt;
}

SettingsFileError missing(const QString& key) { return {SettingsFileFault::kMissingField, key}; }
SettingsFileError malformed(const QString& key) {
  return {SettingsFileFault::kMalformedField, key};
}

// The layout's fields from the "settings" object, in row order: a list's meaning may depend on
// a field before it (the connection on the sensor type).
std::variant<DeviceSettings, SettingsFileError> settingsFrom(const QJsonObject& object,
                                                             const DeviceModel& model) {
  DeviceSettings settings = emptySettingsOf(layoutOf(model.family));
  for (const SettingsField field : fieldsOf(layoutOf(settings))) {
    const QString key = QStringLiteral("settings.") + keyOf(field);
    const QJsonValue value = object.value(keyOf(field));
    if (value.isUndefined()) {
      if (requiredIn(settings, model, field)) return missing(key);
      continue;
    }
    std::string text;
    if (isFlag(field) && value.isBool()) {
      text = value.toBool() ? "true" : "false";
    } else if (!isFlag(field) && value.isString()) {
      text = value.toString().toStdString();
    } else {
      return malformed(key);
    }
    if (!setFieldText(settings, field, text)) return malformed(key);
  }
  return settings;
}

}  // namespace

QByteArray writeSettingsFile(const SettingsFileContents& contents) {
  QJsonObject device;
  device.insert(QStringLiteral("model"), contents.model);
  device.insert(QStringLiteral("productCode"), contents.productCode);
  device.insert(QStringLiteral("serialNumber"), contents.serialNumber);

  QJsonObject file;
  file.insert(QStringLiteral("format"), kFormat);
  file.insert(QStringLiteral("formatVersion"), kSettingsFileVersion);
  file.insert(QStringLiteral("savedAt"), contents.savedAt.toUTC().toString(Qt::ISODate));
  file.insert(QStringLiteral("program"), QStringLiteral("T-adjust " TADJUST_VERSION));
  file.insert(QStringLiteral("device"), device);
  file.insert(QStringLiteral("settings"), settingsObject(contents.settings));
  const QByteArray image(reinterpret_cast<const char*>(contents.image.data()),
                         static_cast<qsizetype>(contents.image.size()));
  file.insert(QStringLiteral("image"), QString::fromLatin1(image.toHex()));
  return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

SettingsFileReading readSettingsFile(const QByteArray& bytes) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject())
    return SettingsFileError{SettingsFileFault::kNotJson, {}};
  const QJsonObject file = document.object();
  if (file.value(QStringLiteral("format")).toString() != kFormat)
    return SettingsFileError{SettingsFileFault::kUnknownFormat, QStringLiteral("format")};
  // The version is a whole number: 1, or a newer one this program cannot read.
  const QJsonValue version = file.value(QStringLiteral("formatVersion"));
  const double versionNumber = version.toDouble();
  if (!version.isDouble() || versionNumber != std::floor(versionNumber) ||
      versionNumber < kSettingsFileVersion)
    return malformed(QStringLiteral("formatVersion"));
  if (versionNumber > kSettingsFileVersion)
    return SettingsFileError{SettingsFileFault::kNewerVersion, QStringLiteral("formatVersion")};
  if (const auto key = keyOfControlCharacter(file, {}))
    return SettingsFileError{SettingsFileFault::kControlCharacter, *key};

  SettingsFileContents contents;
  const QJsonValue deviceValue = file.value(QStringLiteral("device"));
  if (!deviceValue.isObject()) return missing(QStringLiteral("device"));
  const QJsonObject device = deviceValue.toObject();
  const QJsonValue model = device.value(QStringLiteral("model"));
  if (!model.isString()) return missing(QStringLiteral("device.model"));
  contents.model = model.toString();
  const auto catalogued = findDeviceModelByName(contents.model.toStdString());
  if (!catalogued)
    return SettingsFileError{SettingsFileFault::kUnknownModel, QStringLiteral("device.model")};
  const auto productCode = wordOf(device.value(QStringLiteral("productCode")));
  if (!productCode) return malformed(QStringLiteral("device.productCode"));
  contents.productCode = *productCode;
  const auto serialNumber = wordOf(device.value(QStringLiteral("serialNumber")));
  if (!serialNumber) return malformed(QStringLiteral("device.serialNumber"));
  contents.serialNumber = *serialNumber;

  const QJsonValue settingsValue = file.value(QStringLiteral("settings"));
  if (!settingsValue.isObject()) return missing(QStringLiteral("settings"));
  auto settings = settingsFrom(settingsValue.toObject(), *catalogued);
  if (auto* fault = std::get_if<SettingsFileError>(&settings)) return *fault;
  contents.settings = std::get<DeviceSettings>(settings);

  const auto image = imageOf(file.value(QStringLiteral("image")));
  if (!image) return malformed(QStringLiteral("image"));
  contents.image = *image;
  contents.savedAt =
      QDateTime::fromString(file.value(QStringLiteral("savedAt")).toString(), Qt::ISODate);
  contents.program = file.value(QStringLiteral("program")).toString();
  return contents;
}

QString defaultSettingsFileName(const QString& model, std::uint16_t serialNumber,
                                const QString& tag, const QDateTime& savedAt) {
  QStringList parts{model, QString::number(serialNumber)};
  if (!tag.trimmed().isEmpty()) parts << tag.trimmed();
  parts << savedAt.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
  QString name = parts.join(QLatin1Char('-'));
  for (QChar& c : name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
      c = QLatin1Char('-');
  }
  return name + QStringLiteral(".tadj");
}

}  // namespace tadjust

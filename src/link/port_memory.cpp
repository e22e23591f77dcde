#include "link/port_memory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace tadjust {

namespace {

const QString kFileName = QStringLiteral("T-adjust.ini");
const QString kNameKey = QStringLiteral("ComPort/Name");

QString chooseFolder(const QString& programDirectory, const QString& configurationDirectory) {
#ifdef _WIN32
  Q_UNUSED(configurationDirectory);
  return programDirectory;
#else
  if (QFileInfo(programDirectory).isWritable()) return programDirectory;
  if (!configurationDirectory.isEmpty()) return configurationDirectory;
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

}  // namespace

PortMemory::PortMemory(const QString& programDirectory, const QString& configurationDirectory)
    : path_(QDir(chooseFolder(programDirectory, configurationDirectory)).filePath(kFileName)) {}

QString PortMemory::path() const { return path_; }

bool PortMemory::exists() const { return QFileInfo(path_).isFile(); }

QString PortMemory::readName() const {
  const QVariant name = QSettings(path_, QSettings::IniFormat).value(kNameKey);
  // An unquoted value holding commas reads as a list; the name is the whole text.
  if (name.typeId() == QMetaType::QStringList) return name.toStringList().join(',');
  return name.toString();
}

bool PortMemory::writeName(const QString& name) const {
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSettings settings(path_, QSettings::IniFormat);
  settings.setValue(kNameKey, name);
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace tadjust

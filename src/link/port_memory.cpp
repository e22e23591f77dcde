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
// QSettings guards its writes with a lock file of this name beside the file.
const QString kLockSuffix = QStringLiteral(".lock");

enum class FileState { Absent, Usable, Unusable };

// Opening a FIFO blocks until someone writes into it, a device may never end, and QSettings
// reads the whole file into memory: only a regular file of a plausible size is handed to it.
// A symbolic link counts as what it points to; a dangling one as absent.
FileState stateOf(const QString& path, qint64 maxSize) {
  const QFileInfo info(path);
  if (!info.exists()) return FileState::Absent;
  if (!info.isFile() || info.size() > maxSize) return FileState::Unusable;
  return FileState::Usable;
}

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

bool PortMemory::exists() const { return stateOf(path_, kMaxIniFileSize) == FileState::Usable; }

QString PortMemory::readName() const {
  if (!exists()) return QString();
  const QVariant name = QSettings(path_, QSettings::IniFormat).value(kNameKey);
  // An unquoted value holding commas reads as a list; the name is the whole text.
  if (name.typeId() == QMetaType::QStringList) return name.toStringList().join(',');
  return name.toString();
}

bool PortMemory::writeName(const QString& name) const {
  // The lock file is QSettings' own and holds a few lines; a FIFO there blocks the write too.
  if (stateOf(path_, kMaxIniFileSize) == FileState::Unusable ||
      stateOf(path_ + kLockSuffix, kMaxIniFileSize) == FileState::Unusable)
    return false;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSettings settings(path_, QSettings::IniFormat);
  settings.setValue(kNameKey, name);
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace tadjust

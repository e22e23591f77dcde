#pragma once

// What the user is told when the system refuses this user a serial port: the cause and the cure
// (on Linux the ports belong to the group "dialout").

#include <QString>
#include <QStringList>
#include <string>

#include "link/port_name.h"
#include "ui/bilingual_text.h"

namespace tadjust::permission_texts {

// %1 is the device file, or several joined by ", ".
inline constexpr BilingualText kPermissionDenied{
    "Permission denied for %1. Add your user to the 'dialout' group and log in again.",
    "Brak uprawnień do %1. Dodaj swojego użytkownika do grupy 'dialout' i zaloguj się "
    "ponownie."};

// The device file a port's display name opens ("ftdi_sio:/dev/ttyUSB0" -> "/dev/ttyUSB0").
inline QString deviceFile(const QString& displayName) {
  return QString::fromStdString(systemPortName(displayName.toStdString(), nativePortNaming()));
}

inline QString permissionDenied(const QStringList& deviceFiles, bool useEnglish) {
  return kPermissionDenied.in(useEnglish).arg(deviceFiles.join(QStringLiteral(", ")));
}

}  // namespace tadjust::permission_texts

#pragma once

#include <string>

namespace tadjust {

enum class PortNaming { Windows, Posix };

// The system name under which a port is opened, from the display name the window shows.
// Windows: the part from the first "COM" on, behind "\\.\" ("VCP0:COM5" -> "\\.\COM5"; a name
// without "COM" is kept whole, "" -> "\\.\").
// POSIX: the part from the first "/dev/" on ("ftdi_sio:/dev/ttyUSB0" -> "/dev/ttyUSB0");
// a name without "/dev/" is opened as "/dev/" + name.
std::string systemPortName(const std::string& displayName, PortNaming naming);

// The rule of the platform the program was built for.
PortNaming nativePortNaming();

}  // namespace tadjust

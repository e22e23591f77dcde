#include "link/serial_port_map.h"

#ifdef _WIN32

#include <windows.h>

namespace tadjust {

// The registry's value names are device paths such as \Device\VCP0; Qt's settings classes treat
// the backslashes as key separators and cannot read them, so the key is read directly.
std::optional<std::vector<SerialPortEntry>> SystemSerialPortMap::entries() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<SerialPortEntry> map;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameLength = sizeof name;
    BYTE data[256];
    DWORD dataLength = sizeof data - 1;
    DWORD type = 0;
    const LSTATUS status =
        RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataLength] = 0;
    map.push_back({std::string(name, nameLength), std::string(reinterpret_cast<char*>(data))});
  }
  RegCloseKey(key);
  return map;
}

}  // namespace tadjust

#else

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace tadjust {

namespace {

const QString kTtyClassFolder = QStringLiteral("/sys/class/tty");
const QString kDevicesFolder = QStringLiteral("/sys/devices/");

// "usb/<driver>" for a port attached through USB, "<bus>/<driver>" for the others, from the
// port's device in sysfs (for example /sys/devices/pci0000:00/.../usb1/1-2/1-2:1.0/ttyUSB0
// driven by ftdi_sio, or /sys/devices/platform/serial8250 driven by serial8250).
std::string busAndDriver(const QSerialPortInfo& info) {
  const QFileInfo device(kTtyClassFolder + "/" + info.portName() + "/device");
  const QString devicePath = device.canonicalFilePath();
  if (devicePath.isEmpty()) return info.hasVendorIdentifier() ? "usb" : "";

  const QString driver = QFileInfo(QFileInfo(devicePath + "/driver").symLinkTarget()).fileName();
  QString bus = devicePath.contains("/usb") ? QStringLiteral("usb") : QString();
  if (bus.isEmpty() && devicePath.startsWith(kDevicesFolder)) {
    bus = devicePath.mid(kDevicesFolder.size()).section('/', 0, 0);
  }
  return (driver.isEmpty() ? bus : bus + "/" + driver).toStdString();
}

}  // namespace

std::optional<std::vector<SerialPortEntry>> SystemSerialPortMap::entries() {
  // Without sysfs the bus of a port cannot be told; the fallback walk takes over.
  if (!QDir(kTtyClassFolder).exists()) return std::nullopt;
  std::vector<SerialPortEntry> map;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    map.push_back({busAndDriver(info), info.systemLocation().toStdString()});
  }
  return map;
}

}  // namespace tadjust

#endif

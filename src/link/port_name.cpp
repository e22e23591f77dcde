#include "link/port_name.h"

namespace tadjust {

namespace {

constexpr const char* kWindowsDevicePrefix = "\\\\.\\";
constexpr const char* kWindowsPortStem = "COM";
constexpr const char* kPosixDeviceFolder = "/dev/";

// The device-namespace form also opens ports numbered 10 and above.
std::string windowsPortName(const std::string& displayName) {
  const std::size_t stem = displayName.find(kWindowsPortStem);
  const std::string port = stem == std::string::npos ? displayName : displayName.substr(stem);
  return kWindowsDevicePrefix + port;
}

std::string posixPortName(const std::string& displayName) {
  const std::size_t folder = displayName.find(kPosixDeviceFolder);
  if (folder == std::string::npos) return kPosixDeviceFolder + displayName;
  return displayName.substr(folder);
}

}  // namespace

std::string systemPortName(const std::string& displayName, PortNaming naming) {
  return naming == PortNaming::Windows ? windowsPortName(displayName) : posixPortName(displayName);
}

PortNaming nativePortNaming() {
#ifdef _WIN32
  return PortNaming::Windows;
#else
  return PortNaming::Posix;
#endif
}

}  // namespace tadjust

#include "link/port_name.h"

#include <gtest/gtest.h>

namespace tadjust {
namespace {

struct NameCase {
  PortNaming naming;
  std::string displayName;
  std::string systemName;
};

TEST(SystemPortName, OpensThePartThatNamesTheDevice) {
  const NameCase cases[] = {
      {PortNaming::Windows, "VCP0:COM5", "\\\\.\\COM5"},
      {PortNaming::Windows, "COM12", "\\\\.\\COM12"},
      {PortNaming::Windows, "COM3", "\\\\.\\COM3"},
      // The stem is case-sensitive and a name without it is kept whole.
      {PortNaming::Windows, "com4", "\\\\.\\com4"},
      {PortNaming::Windows, "", "\\\\.\\"},
      {PortNaming::Posix, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {PortNaming::Posix, "ftdi_sio:/dev/ttyUSB0", "/dev/ttyUSB0"},
      {PortNaming::Posix, "/dev/pts/7", "/dev/pts/7"},
      {PortNaming::Posix, "ttyUSB3", "/dev/ttyUSB3"},
      {PortNaming::Posix, "", "/dev/"},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(systemPortName(c.displayName, c.naming), c.systemName) << c.displayName;
  }
}

}  // namespace
}  // namespace tadjust

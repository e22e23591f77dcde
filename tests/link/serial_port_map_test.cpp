#include "link/serial_port_map.h"

#include <gtest/gtest.h>

namespace tadjust {
namespace {

using Names = std::vector<std::string>;

struct MapCase {
  const char* what;
  std::vector<SerialPortEntry> map;
  Names candidates;
};

void expectCandidates(const std::vector<MapCase>& cases, PortNaming naming) {
  for (const MapCase& c : cases) {
    EXPECT_EQ(candidatePorts(c.map, naming), c.candidates) << c.what;
  }
}

TEST(CandidatePorts, WindowsTakesVirtualComPortsAndPlainNames) {
  expectCandidates(
      {
          {"virtual COM port", {{"\\Device\\VCP0", "COM5"}}, {"VCP0:COM5"}},
          {"built-in port", {{"\\Device\\Serial0", "COM1"}}, {}},
          {"name without a backslash", {{"Bluetooth7", "COM9"}}, {"COM9"}},
          {"prefix is case-sensitive", {{"\\Device\\vcp0", "COM6"}}, {}},
          // The device directory is cut by length, whatever it is called.
          {"other directory", {{"\\Driver\\VCP3", "COM3"}}, {"VCP3:COM3"}},
          {"name shorter than the directory", {{"\\VCP", "COM2"}}, {}},
          {"map order kept",
           {{"\\Device\\VCP1", "COM7"},
            {"\\Device\\Serial0", "COM1"},
            {"\\Device\\VCP0", "COM5"},
            {"Plain", "COM12"}},
           {"VCP1:COM7", "VCP0:COM5", "COM12"}},
          {"empty map", {}, {}},
      },
      PortNaming::Windows);
}

TEST(CandidatePorts, LinuxTakesUsbAttachedPortsOnly) {
  expectCandidates(
      {
          {"USB serial converter", {{"usb/ftdi_sio", "/dev/ttyUSB0"}}, {"ftdi_sio:/dev/ttyUSB0"}},
          {"USB modem class", {{"usb/cdc_acm", "/dev/ttyACM0"}}, {"cdc_acm:/dev/ttyACM0"}},
          {"USB, driver unknown", {{"usb", "/dev/ttyUSB1"}}, {"USB:/dev/ttyUSB1"}},
          {"built-in UART", {{"platform/serial8250", "/dev/ttyS0"}}, {}},
          {"PCI card", {{"pci0000:00/serial", "/dev/ttyS4"}}, {}},
          {"bus merely starting with usb", {{"usbmon/x", "/dev/ttyX0"}}, {}},
          {"unknown bus", {{"", "/dev/ttyS1"}}, {}},
          // A Windows-style entry means nothing here.
          {"registry entry", {{"\\Device\\VCP0", "COM5"}}, {}},
          {"map order kept",
           {{"usb/cp210x", "/dev/ttyUSB2"},
            {"platform/serial8250", "/dev/ttyS0"},
            {"usb/ch341-uart", "/dev/ttyUSB0"}},
           {"cp210x:/dev/ttyUSB2", "ch341-uart:/dev/ttyUSB0"}},
      },
      PortNaming::Posix);
}

TEST(FallbackPortNames, WalksTwoHundredFiftyFiveNames) {
  const Names windows = fallbackPortNames(PortNaming::Windows);
  ASSERT_EQ(windows.size(), 255u);
  EXPECT_EQ(windows.front(), "COM1");
  EXPECT_EQ(windows[9], "COM10");
  EXPECT_EQ(windows.back(), "COM255");

  const Names posix = fallbackPortNames(PortNaming::Posix);
  ASSERT_EQ(posix.size(), 255u);
  EXPECT_EQ(posix.front(), "/dev/ttyUSB0");
  EXPECT_EQ(posix.back(), "/dev/ttyUSB254");
}

}  // namespace
}  // namespace tadjust

// The program against a real interface box and device, for people who have one: with
// TADJUST_TEST_PORT naming the box's port (for example /dev/ttyUSB0), Start finds the box on that
// port, Connect links the device, and the device's model and settings are printed as the
// device group shows them. Nothing is ever written to the device: the port refuses every byte
// that is not part of the handshake, the link or a read. Without the variable the test is
// skipped.
//
//   TADJUST_TEST_PORT=/dev/ttyUSB0 ctest --preset debug -R Hardware --output-on-failure -V

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "app/application.h"
#include "link/device_protocol.h"
#include "link/qt_serial_port.h"
#include "support/fake_serial_port_map.h"
#include "support/scripted_file_dialogs.h"
#include "support/scripted_message_boxes.h"

namespace tadjust {
namespace {

// The real port, passing on only what a read needs: the handshake bytes one at a time, and the
// frames of the link and read requests. Anything else is kept from the device and noted.
class ReadOnlySerialPort final : public SerialPort {
 public:
  explicit ReadOnlySerialPort(SerialPort& port) : port_(port) {}

  bool OpenPort(const std::string& displayName) override { return port_.OpenPort(displayName); }
  void SendCommand(std::uint8_t byte, Milliseconds pause) override {
    const bool readFrame =
        byte == kFrameStart || byte == kFrameMark || byte == kLinkCommand || byte == kReadCommand;
    if (!readFrame) {
      refused.push_back(byte);
      return;
    }
    port_.SendCommand(byte, pause);
  }
  bool WriteBlock(int count) override {
    const bool handshake = count == 1 && (TransmitBuffer[0] == kHandshakeQuestion ||
                                          TransmitBuffer[0] == kHandshakeConfirm);
    if (!handshake) {
      refused.insert(refused.end(), TransmitBuffer.begin(), TransmitBuffer.begin() + count);
      return false;
    }
    port_.TransmitBuffer[0] = TransmitBuffer[0];
    return port_.WriteBlock(1);
  }
  int ReadAvailable(int largestCount) override {
    const int result = port_.ReadAvailable(largestCount);
    std::copy_n(port_.ReceiveBuffer.begin(), port_.BytesRead(), ReceiveBuffer.begin());
    return result;
  }
  int BytesRead() const override { return port_.BytesRead(); }
  void PurgeInput() override { port_.PurgeInput(); }
  void ClosePort() override { port_.ClosePort(); }
  bool IsOpen() const override { return port_.IsOpen(); }

  std::vector<std::uint8_t> refused;

 private:
  SerialPort& port_;
};

// The port's settling and the eleven ticks to the reply, with room to spare.
constexpr int kLinkWaitMs = 16000;

void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void printDeviceGroup(const Form1& form) {
  std::cout << "Model: " << form.Label39->text().toStdString() << "\n";
  // The rows of the device group that the model's layout shows, with their units.
  const std::vector<std::pair<const QLabel*, const QLineEdit*>> rows = {
      {form.Label18, form.Edit6},  {form.Label19, form.Edit7},  {form.Label20, form.Edit8},
      {form.Label21, form.Edit9},  {form.Label22, form.Edit10}, {form.Label23, form.Edit11},
      {form.Label24, form.Edit12}, {form.Label25, form.Edit13}, {form.Label26, form.Edit14},
      {form.Label27, form.Edit15}, {form.Label28, form.Edit16}, {form.Label29, form.Edit17}};
  for (const auto& [label, edit] : rows) {
    if (label->isHidden() && edit->isHidden()) continue;
    std::cout << "  " << label->text().toStdString() << " " << edit->text().toStdString() << "\n";
  }
  if (!form.Label41->text().isEmpty())
    std::cout << "Status: " << form.Label41->text().toStdString() << "\n";
}

TEST(Hardware, ReadsTheDeviceOnTheTestPort) {
  const char* portName = std::getenv("TADJUST_TEST_PORT");
  if (!portName || !*portName) GTEST_SKIP() << "set TADJUST_TEST_PORT to the interface box's port";

  // The box is looked for on that port only: it is the remembered port, and the port map is
  // empty.
  QTemporaryDir programDirectory;
  ASSERT_TRUE(programDirectory.isValid());
  {
    QFile ini(QDir(programDirectory.path()).filePath("T-adjust.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[ComPort]\nName=") + portName + "\n");
  }
  BlockingPause pause;
  QtSerialPort realPort(pause);
  ReadOnlySerialPort port(realPort);
  testing::ScriptedMessageBoxes boxes;
  QtWindowEvents events;
  FakeSerialPortMap portMap;
  portMap.form = PortNaming::Posix;
  testing::ScriptedFileDialogs dialogs;
  Application app({port, pause, boxes, events, portMap, programDirectory.path(), dialogs});
  Form1& form = app.form();

  boxes.queue(Answer::No);  // English
  app.start();
  boxes.queue(Answer::Ok);  // the box is plugged in
  press(form.BitBtn1);      // the search runs inside the press
  ASSERT_EQ(caption(form.BitBtn1), "Connect") << "no interface box answered on " << portName;
  EXPECT_EQ(form.Edit18->text(), portName);

  boxes.queue(Answer::Ok);      // the device is plugged in
  boxes.queue(Answer::Cancel);  // should it not answer: the failure is reported below
  press(form.BitBtn1);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return caption(form.BitBtn1) == "Disconnect" || boxes.answersLeft() == 0; },
      kLinkWaitMs));
  ASSERT_EQ(caption(form.BitBtn1), "Disconnect")
      << "the device behind the box on " << portName
      << " did not answer: " << boxes.questions.back().text.toStdString();

  printDeviceGroup(form);
  EXPECT_FALSE(form.Label39->text().isEmpty());
  EXPECT_FALSE(form.Edit6->text().isEmpty());

  press(form.BitBtn1);  // Disconnect
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(port.refused.empty()) << "the program tried to send more than a read";
  EXPECT_TRUE(boxes.errors.empty());
}

}  // namespace
}  // namespace tadjust

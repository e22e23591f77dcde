#pragma once

// The interface box UX-4235S with one device behind it, as a state machine on the byte stream
// the program sends. feed() takes the bytes in whatever pieces they come and returns the bytes
// the box and the device answer to them; when those bytes reach the program is the business of
// the port that carries them (2400 baud, see SimulatedSerialPort and t-adjust-sim).
//
// The box answers its handshake: "?" with "$", "#" with "@". Everything else goes to the device,
// which listens for frames of three bytes, 0, "$" and a command letter:
//   "C"  link; no reply;
//   "R"  read; the whole 256-byte settings image;
//   "W"  write; the next 192 bytes (transmitters) or 64 bytes (the indicator) are stored into
//        the image from offset 0;
//   "w"  write of the humidity models; the next 64 bytes, stored the same way;
//   "S"  take a measurement; no reply;
//   "A"  the 12-byte monitoring record of the last measurement (humidity models only).
// The written block never reaches the product code and serial number: they lie beyond the block
// of every family (192 and 194, or 64 and 66).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/device_catalogue.h"
#include "image/settings_image.h"
#include "link/device_protocol.h"

namespace tadjust {

using ByteVector = std::vector<std::uint8_t>;
using ImageBytes = std::array<std::uint8_t, kSettingsImageSize>;

// How the box and the device misbehave, for trying the program's failure paths.
struct DeviceFaults {
  bool noBox = false;         // nothing answers the handshake
  bool boxWithoutAt = false;  // the box answers "?" with "$" but "#" with nothing
  bool silentDevice = false;  // the box answers, the device never does
  std::optional<std::size_t> shortSettingsReply;  // a read sends only this many bytes
  // This many writes (from the first) are stored with one byte changed, so their read-back
  // differs; kEveryWrite spoils them all.
  int spoiledWrites = 0;
  static constexpr int kEveryWrite = -1;
};

// The air around a humidity device.
struct Climate {
  double temperatureC = 23.45;
  double relativeHumidity = 50.12;
};

// The air of a room as it slowly changes: temperature around 22 °C and relative humidity around
// 45 %, each a sum of slow waves with a little ripple, at the given time since the start.
Climate driftingClimate(double seconds);

// The dew point of air of the given temperature and relative humidity (Magnus formula).
double dewPointC(const Climate& climate);

class SimulatedDevice {
 public:
  SimulatedDevice(const DeviceModel& model, const ImageBytes& image, DeviceFaults faults = {});

  // Takes the next bytes from the program; returns the answer to them, in order.
  ByteVector feed(ConstBytes bytes);
  ByteVector feed(std::uint8_t byte) { return feed(ConstBytes(&byte, 1)); }

  const DeviceModel& model() const { return model_; }
  const ImageBytes& image() const { return image_; }
  void setImage(const ImageBytes& image) { image_ = image; }
  DeviceFaults& faults() { return faults_; }

  // The climate the next measurement ("S") takes.
  void setClimate(const Climate& climate) { climate_ = climate; }
  // The record "A" sends: temperature and humidity in hundredths, little-endian signed words;
  // humidity as dew point when the device is set to it (bit 0 of HumidityUnit).
  std::array<std::uint8_t, kMonitorRecordSize> monitorRecord(const Climate& climate) const;

  // The data bytes that follow "W" or "w" for this model.
  std::size_t writeBlockSize() const;
  // The write command letter this model takes.
  std::uint8_t writeCommand() const;

  // The line was cut (the box unplugged): a frame or write block begun before is forgotten, and
  // the device listens for a new frame.
  void resetLine();

  int writesStored() const { return writesStored_; }
  std::uint64_t bytesReceived() const { return bytesReceived_; }

  // Called with a short line for every request the device recognised ("read", ...).
  void setLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

 private:
  enum class State { Idle, FrameStart, FrameMark, WriteData };

  void take(std::uint8_t byte, ByteVector& reply);
  void takeIdle(std::uint8_t byte, ByteVector& reply);
  void takeCommand(std::uint8_t command, ByteVector& reply);
  void takeWriteData(std::uint8_t byte);
  void storeWrite();
  void log(const std::string& line) const;

  DeviceModel model_;
  ImageBytes image_;
  DeviceFaults faults_;
  Climate climate_;
  std::optional<Climate> measured_;
  State state_ = State::Idle;
  bool acceptingWrite_ = false;  // the write letter matched the model
  ByteVector writeData_;
  int writesStored_ = 0;
  std::uint64_t bytesReceived_ = 0;
  std::function<void(const std::string&)> log_;
};

}  // namespace tadjust

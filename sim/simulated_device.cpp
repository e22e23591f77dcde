#include "sim/simulated_device.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tadjust {

namespace {

// The byte a spoiled write changes, and how: bit 0 of the first word (failure level, alarm flag
// or humidity unit, by family), so the read-back differs in a field the user can see.
constexpr std::size_t kSpoiledOffset = 0;
constexpr std::uint8_t kSpoiledBit = 0x01;

// Magnus coefficients over water, valid from -45 to 60 degrees Celsius.
constexpr double kMagnusB = 17.62;
constexpr double kMagnusC = 243.12;

std::int16_t hundredths(double value) {
  const double scaled = std::round(value * 100.0);
  return static_cast<std::int16_t>(std::clamp<double>(
      scaled, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

Climate driftingClimate(double seconds) {
  constexpr double kTwoPi = 6.283185307179586;
  const auto wave = [&](double amplitude, double periodSeconds, double phase) {
    return amplitude * std::sin(kTwoPi * seconds / periodSeconds + phase);
  };
  return {22.0 + wave(1.5, 300, 0) + wave(0.3, 37, 1), 45.0 + wave(8.0, 420, 2) + wave(0.6, 23, 3)};
}

double dewPointC(const Climate& climate) {
  const double rh = std::clamp(climate.relativeHumidity, 0.1, 100.0);
  const double t = climate.temperatureC;
  const double gamma = std::log(rh / 100.0) + kMagnusB * t / (kMagnusC + t);
  return kMagnusC * gamma / (kMagnusB - gamma);
}

SimulatedDevice::SimulatedDevice(const DeviceModel& model, const ImageBytes& image,
                                 DeviceFaults faults)
    : model_(model), image_(image), faults_(faults) {}

std::size_t SimulatedDevice::writeBlockSize() const {
  const bool transmitter =
      model_.family == ModelFamily::CurrentOutput || model_.family == ModelFamily::VoltageOutput;
  return transmitter ? kTransmitterBlockSize : kSmallBlockSize;
}

std::uint8_t SimulatedDevice::writeCommand() const {
  return model_.family == ModelFamily::Humidity ? kHumidityWriteCommand : kWriteCommand;
}

void SimulatedDevice::resetLine() {
  state_ = State::Idle;
  acceptingWrite_ = false;
  writeData_.clear();
}

ByteVector SimulatedDevice::feed(ConstBytes bytes) {
  ByteVector reply;
  for (std::uint8_t byte : bytes) {
    ++bytesReceived_;
    take(byte, reply);
  }
  return reply;
}

void SimulatedDevice::take(std::uint8_t byte, ByteVector& reply) {
  switch (state_) {
    case State::Idle:
      takeIdle(byte, reply);
      return;
    case State::FrameStart:
      if (byte == kFrameMark) {
        state_ = State::FrameMark;
      } else if (byte != kFrameStart) {
        // Not a frame after all: the byte stands on its own.
        state_ = State::Idle;
        takeIdle(byte, reply);
      }
      return;
    case State::FrameMark:
      state_ = State::Idle;
      if (byte == kFrameStart) {
        state_ = State::FrameStart;
        return;
      }
      takeCommand(byte, reply);
      return;
    case State::WriteData:
      takeWriteData(byte);
      return;
  }
}

void SimulatedDevice::takeIdle(std::uint8_t byte, ByteVector& reply) {
  if (byte == kFrameStart) {
    state_ = State::FrameStart;
    return;
  }
  if (faults_.noBox) return;
  if (byte == kHandshakeQuestion) {
    reply.push_back(kHandshakeAnswer);
    log("box: \"?\" answered \"$\"");
  } else if (byte == kHandshakeConfirm && !faults_.boxWithoutAt) {
    reply.push_back(kHandshakeConfirmAnswer);
    log("box: \"#\" answered \"@\"");
  }
}

void SimulatedDevice::takeCommand(std::uint8_t command, ByteVector& reply) {
  // Without a box nothing reaches the device; a silent device hears but never acts.
  const bool deaf = faults_.noBox || faults_.silentDevice;
  switch (command) {
    case kLinkCommand:
      if (!deaf) log("link");
      return;
    case kReadCommand: {
      if (deaf) return;
      const std::size_t count =
          std::min(faults_.shortSettingsReply.value_or(kSettingsImageSize), kSettingsImageSize);
      reply.insert(reply.end(), image_.begin(), image_.begin() + static_cast<long>(count));
      log("read: " + std::to_string(count) + " bytes sent");
      return;
    }
    case kWriteCommand:
    case kHumidityWriteCommand:
      // The block is taken whatever the letter, so the stream stays in step; only the model's
      // own letter gets it stored.
      acceptingWrite_ = !deaf && command == writeCommand();
      writeData_.clear();
      state_ = State::WriteData;
      return;
    case kMeasureCommand:
      if (deaf) return;
      measured_ = climate_;
      log("measure");
      return;
    case kRecordCommand: {
      if (deaf || model_.family != ModelFamily::Humidity) return;
      const auto record = monitorRecord(measured_.value_or(climate_));
      reply.insert(reply.end(), record.begin(), record.end());
      log("monitoring record sent");
      return;
    }
    default:
      if (!deaf) log("unknown command " + std::to_string(command) + " ignored");
      return;
  }
}

void SimulatedDevice::takeWriteData(std::uint8_t byte) {
  writeData_.push_back(byte);
  if (writeData_.size() < writeBlockSize()) return;
  state_ = State::Idle;
  if (acceptingWrite_) {
    storeWrite();
  } else if (!faults_.noBox && !faults_.silentDevice) {
    log("write with the wrong command letter: block ignored");
  }
}

void SimulatedDevice::storeWrite() {
  std::copy(writeData_.begin(), writeData_.end(), image_.begin());
  const bool spoil =
      faults_.spoiledWrites == DeviceFaults::kEveryWrite || faults_.spoiledWrites > 0;
  if (spoil) {
    image_[kSpoiledOffset] ^= kSpoiledBit;
    if (faults_.spoiledWrites > 0) --faults_.spoiledWrites;
  }
  ++writesStored_;
  log("write: " + std::to_string(writeData_.size()) + " bytes stored" +
      (spoil ? " (one byte spoiled)" : ""));
}

std::array<std::uint8_t, kMonitorRecordSize> SimulatedDevice::monitorRecord(
    const Climate& climate) const {
  const bool dewPoint = (humidity::HumidityUnit.get(image_) & 1u) != 0;
  const double humidityValue = dewPoint ? dewPointC(climate) : climate.relativeHumidity;
  std::array<std::uint8_t, kMonitorRecordSize> record{};
  writeU16(record, 0, hundredths(climate.temperatureC));
  writeU16(record, 2, hundredths(humidityValue));
  return record;
}

void SimulatedDevice::log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace tadjust

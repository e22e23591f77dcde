#include "sim/simulated_serial_port.h"

#include <algorithm>

namespace tadjust {

namespace {

// Start bit, 8 data bits, stop bit.
constexpr std::uint64_t kBitsPerByte = 10;
constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

Nanoseconds lineTime(std::uint64_t byteCount) {
  return Nanoseconds(
      static_cast<Nanoseconds::rep>(byteCount * kBitsPerByte * kNanosecondsPerSecond / kBaudRate));
}

SimulatedSerialPort::SimulatedSerialPort(VirtualClock& clock, Pause& pause, PortNaming naming)
    : PacedSerialPort(pause), clock_(clock), naming_(naming) {}

void SimulatedSerialPort::addPort(const std::string& name, SimulatedDevice* device) {
  ports_.push_back({systemPortName(name, naming_), device});
}

void SimulatedSerialPort::unplug() {
  if (open_.has_value() && ports_[*open_].device != nullptr) lossToDeliver_ = true;
  unplugged_ = true;
  inFlight_.clear();
  inputQueue_.clear();
}

void SimulatedSerialPort::plugInElsewhere(const std::string& name) {
  for (Port& port : ports_) {
    if (port.device != nullptr) port.systemName = systemPortName(name, naming_);
  }
  plugIn();
}

void SimulatedSerialPort::plugIn() {
  unplugged_ = false;
  unplugAfterBytes_.reset();
  unplugAt_.reset();
  for (Port& port : ports_) {
    if (port.device != nullptr) port.device->resetLine();
  }
}

void SimulatedSerialPort::deliverEvents() {
  checkUnplug();
  if (!lossToDeliver_) return;
  ClosePort();
  reportConnectionLost();
}

void SimulatedSerialPort::holdElsewhere(const std::string& name) {
  const std::string systemName = systemPortName(name, naming_);
  for (Port& port : ports_) {
    if (port.systemName == systemName) port.heldElsewhere = true;
  }
}

void SimulatedSerialPort::denyAccess(const std::string& name) {
  const std::string systemName = systemPortName(name, naming_);
  for (Port& port : ports_) {
    if (port.systemName == systemName) port.accessDenied = true;
  }
}

bool SimulatedSerialPort::pluggedIn() {
  checkUnplug();
  return !unplugged_;
}

SimulatedSerialPort::Port* SimulatedSerialPort::findPort(const std::string& displayName) {
  const std::string systemName = systemPortName(displayName, naming_);
  const auto port = std::find_if(ports_.begin(), ports_.end(),
                                 [&](const Port& p) { return p.systemName == systemName; });
  return port == ports_.end() ? nullptr : &*port;
}

bool SimulatedSerialPort::OpenPort(const std::string& displayName) {
  checkUnplug();
  Port* port = findPort(displayName);
  // One handle: a port that is still open makes a new open fail, as the system refuses a
  // second open of a port nobody shares.
  const bool gone = port == nullptr || (port->device != nullptr && unplugged_);
  openDenied_ = !gone && port->accessDenied;
  openFoundNoPort_ = gone;
  const bool opened = !open_.has_value() && !gone && !openDenied_ && !port->heldElsewhere;
  opens_.push_back({displayName, opened, clock_.now()});
  if (!opened) return false;

  open_ = static_cast<std::size_t>(port - ports_.data());
  // Whatever the device sent while nobody listened is gone.
  inFlight_.clear();
  inputQueue_.clear();
  bytesRead_ = 0;
  pause_.pause(kPortSettlingPause);
  return true;
}

bool SimulatedSerialPort::WriteBlock(int count) {
  if (!open_.has_value() || count <= 0 || count > kOutputQueueSize) return false;
  deliverArrived();
  checkUnplug();
  if (!lineUp()) return false;
  transmit(TransmitBuffer.data(), static_cast<std::size_t>(count));
  return lineUp();
}

int SimulatedSerialPort::ReadAvailable(int largestCount) {
  bytesRead_ = 0;
  if (!open_.has_value()) return 0;
  deliverArrived();
  checkUnplug();
  // A port whose device has gone fails its reads; a failed read counts as nothing arrived.
  if (!lineUp() || inputQueue_.empty()) {
    PurgeInput();
    return 0;
  }
  const std::size_t count = std::min({static_cast<std::size_t>(std::max(largestCount, 0)),
                                      inputQueue_.size(), ReceiveBuffer.size()});
  std::copy_n(inputQueue_.begin(), count, ReceiveBuffer.begin());
  inputQueue_.erase(inputQueue_.begin(), inputQueue_.begin() + static_cast<long>(count));
  bytesRead_ = static_cast<int>(count);
  return 1;
}

void SimulatedSerialPort::PurgeInput() {
  if (!open_.has_value()) return;
  deliverArrived();
  inputQueue_.clear();
}

void SimulatedSerialPort::ClosePort() {
  lossToDeliver_ = false;
  if (!open_.has_value()) return;
  open_.reset();
  ++closeCount_;
  inFlight_.clear();
  inputQueue_.clear();
}

std::size_t SimulatedSerialPort::queuedCount() {
  deliverArrived();
  return inputQueue_.size();
}

bool SimulatedSerialPort::lineUp() {
  if (!open_.has_value()) return false;
  return !(unplugged_ && ports_[*open_].device != nullptr);
}

void SimulatedSerialPort::transmit(const std::uint8_t* bytes, std::size_t count) {
  SimulatedDevice* device = ports_[*open_].device;
  const Nanoseconds start = clock_.now();
  for (std::size_t i = 0; i < count && lineUp(); ++i) {
    // The write returns once the bytes have left, so the caller's time moves with them.
    clock_.advance(start + lineTime(i + 1) - clock_.now());
    sent_.push_back({bytes[i], clock_.now()});
    if (device == nullptr) continue;

    deliverArrived();
    const ByteVector reply = device->feed(bytes[i]);
    if (inFlight_.empty()) {
      // The line is free: the reply starts now.
      replyStart_ = clock_.now();
      replySent_ = 0;
    }
    for (std::uint8_t byte : reply) {
      inFlight_.push_back({byte, replyStart_ + lineTime(++replySent_)});
    }
    if (unplugAfterBytes_ && device->bytesReceived() >= *unplugAfterBytes_) unplug();
  }
}

void SimulatedSerialPort::deliverArrived() {
  Nanoseconds until = clock_.now();
  if (unplugAt_) until = std::min(until, *unplugAt_);
  while (!inFlight_.empty() && inFlight_.front().arrival <= until) {
    // Beyond the input queue's size the driver drops what comes.
    if (inputQueue_.size() < static_cast<std::size_t>(kInputQueueSize)) {
      inputQueue_.push_back(inFlight_.front().byte);
    }
    inFlight_.pop_front();
  }
}

void SimulatedSerialPort::checkUnplug() {
  if (unplugged_ || !unplugAt_ || clock_.now() < *unplugAt_) return;
  unplug();
}

}  // namespace tadjust

// t-adjust-sim: a simulated interface box with one device behind it, served on a
// pseudo-terminal. One thread: it waits for the program's bytes, feeds them to the device, and
// lets the answer out one byte per 2400-baud byte time.

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/image_file.h"
#include "sim/model_images.h"
#include "sim/pseudo_terminal.h"
#include "sim/sim_options.h"
#include "sim/simulated_device.h"
#include "sim/simulated_serial_port.h"

namespace tadjust {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long the loop sleeps at most when nothing is due, so the readings move and the stop and
// unplug times are noticed.
constexpr Nanoseconds kIdleWait = 50ms;
// How often to look again while nobody has the port open (the master then reports a hang-up
// at once, so poll cannot do the waiting).
constexpr auto kHangUpWait = 20ms;
constexpr std::size_t kReadChunk = 512;

volatile std::sig_atomic_t stopRequested = 0;
volatile std::sig_atomic_t mendRequested = 0;
volatile std::sig_atomic_t swapRequested = 0;
volatile std::sig_atomic_t unplugRequested = 0;

void requestStop(int) { stopRequested = 1; }
void requestMend(int) { mendRequested = 1; }
void requestSwap(int) { swapRequested = 1; }
void requestUnplug(int) { unplugRequested = 1; }

void installSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a signal wakes the loop out of its wait.
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  action.sa_handler = requestMend;
  sigaction(SIGUSR1, &action, nullptr);
  action.sa_handler = requestSwap;
  sigaction(SIGUSR2, &action, nullptr);
  action.sa_handler = requestUnplug;
  sigaction(SIGALRM, &action, nullptr);
}

class Log {
 public:
  Log(bool verbose, Clock::time_point start) : verbose_(verbose), start_(start) {}
  void operator()(const std::string& line) const {
    if (!verbose_) return;
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(stderr, "[%9.3f s] %s\n", seconds, line.c_str());
  }

 private:
  bool verbose_;
  Clock::time_point start_;
};

std::string heading(const SimulatedModel& model) {
  return "Settings image of a simulated " + std::string(model.model.name) + ", product code " +
         std::to_string(model.productCode) +
         ".\n16 bytes a line; the offset of each line follows '#'.";
}

// The answer on its way out: byte n of an unbroken run leaves at runStart + n byte times.
class PacedOutput {
 public:
  void add(const ByteVector& bytes, Clock::time_point now) {
    if (bytes.empty()) return;
    if (queue_.empty()) {
      runStart_ = now;
      sent_ = 0;
    }
    queue_.insert(queue_.end(), bytes.begin(), bytes.end());
  }
  // Writes every byte that is due. A byte the terminal cannot take (its queue is full because
  // nobody reads) is lost, as on a line nobody listens to.
  void sendDue(int fd, Clock::time_point now) {
    while (!queue_.empty() && now >= nextDue()) {
      [[maybe_unused]] const ssize_t written = write(fd, &queue_.front(), 1);
      queue_.pop_front();
      ++sent_;
    }
  }
  // The cable is pulled: what was on its way is lost.
  void clear() { queue_.clear(); }
  Nanoseconds waitUntilDue(Clock::time_point now) const {
    if (queue_.empty()) return kIdleWait;
    return std::max(Nanoseconds{0}, std::chrono::duration_cast<Nanoseconds>(nextDue() - now));
  }

 private:
  Clock::time_point nextDue() const { return runStart_ + lineTime(sent_ + 1); }

  std::deque<std::uint8_t> queue_;
  Clock::time_point runStart_;
  std::uint64_t sent_ = 0;
};

struct StartingDevice {
  SimulatedModel model;
  ImageBytes image;
};

bool prepareDevice(const SimulatorOptions& options, StartingDevice& device) {
  const auto model = findSimulatedModel(options.model, options.series);
  if (!model) {
    std::cerr << "t-adjust-sim: no model \"" << options.model
              << "\" in the catalogue (names such as RKA-49 or ARR/A, or product codes such as "
                 "9001)\n";
    return false;
  }
  device.model = *model;
  if (options.imageFile) {
    const ImageFileResult loaded = loadImageFile(*options.imageFile);
    if (!loaded.ok) {
      std::cerr << "t-adjust-sim: " << loaded.error << "\n";
      return false;
    }
    device.image = loaded.image;
  } else if (options.randomImage) {
    const std::uint32_t seed = options.seed.value_or(std::random_device{}());
    std::cerr << "t-adjust-sim: random image from seed " << seed << "\n";
    device.image = makeRandomImage(seed);
  } else {
    device.image =
        makeModelImage(*model, options.serialNumber.value_or(defaultSerialNumber(*model)));
  }
  return true;
}

// The devices of --swap-to, in order: each image from its file, its model from the image's
// product code (the first device's model when the code names none).
bool prepareSwaps(const SimulatorOptions& options, const SimulatedModel& first,
                  std::deque<StartingDevice>& swaps) {
  for (const std::string& file : options.swapImageFiles) {
    const ImageFileResult loaded = loadImageFile(file);
    if (!loaded.ok) {
      std::cerr << "t-adjust-sim: --swap-to: " << loaded.error << "\n";
      return false;
    }
    SettingsImages settled;
    settled.SettingsImage = loaded.image;
    settleProductCode(settled);
    const auto model = findSimulatedModel(std::to_string(settled.ProductCode()));
    swaps.push_back(StartingDevice{model.value_or(first), loaded.image});
  }
  return true;
}

void save(const SimulatorOptions& options, const SimulatedDevice& device,
          const SimulatedModel& model) {
  if (!options.saveFile) return;
  if (!saveImageFile(*options.saveFile, device.image(), heading(model))) {
    std::cerr << "t-adjust-sim: cannot write " << *options.saveFile << "\n";
  }
}

Clock::duration seconds(double count) {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(count));
}

int serve(const SimulatorOptions& options) {
  StartingDevice start;
  if (!prepareDevice(options, start)) return 2;
  std::deque<StartingDevice> swaps;
  if (!prepareSwaps(options, start.model, swaps)) return 2;

  PseudoTerminal terminal;
  std::string error;
  if (!terminal.open(error) || (!options.exitOnClose && !terminal.holdSlave())) {
    std::cerr << "t-adjust-sim: no pseudo-terminal: " << error << "\n";
    return 1;
  }
  // A port that is to come back must be taken away without closing it: find out now whether
  // the system lets us, rather than in the middle of a session.
  if (options.replugAfterSeconds && !(terminal.pullOut(error) && terminal.plugBack(error))) {
    std::cerr << "t-adjust-sim: --replug-after-seconds: " << error
              << " (taking a port away and giving it back needs root)\n";
    return 1;
  }
  installSignalHandlers();

  const Clock::time_point started = Clock::now();
  const Log log(options.verbose, started);
  SimulatedDevice device(start.model.model, start.image, options.faults);
  device.setLog([&log](const std::string& line) { log(line); });
  SimulatedModel served = start.model;
  save(options, device, served);
  // The next device takes the place of the one served, faults and all; each is swapped in once.
  const auto swapDevice = [&] {
    if (swaps.empty()) return;
    const StartingDevice next = swaps.front();
    swaps.pop_front();
    device = SimulatedDevice(next.model.model, next.image, device.faults());
    device.setLog([&log](const std::string& line) { log(line); });
    served = next.model;
    log("swapped for " + std::string(served.model.name));
    std::cout << "swapped" << std::endl;
  };

  std::cout << terminal.slavePath() << std::endl;
  log("serving " + std::string(start.model.model.name) + " (product code " +
      std::to_string(start.model.productCode) + ") on " + terminal.slavePath());

  PacedOutput output;
  bool peerSeen = false;
  int savedWrites = 0;
  int status = 0;
  bool unplugSpent = false;  // the port goes away once at most
  std::optional<Clock::time_point> replugAt;
  // Without a replug time an unplug ends the simulator (false); with one, the port is away
  // until then.
  const auto unplug = [&](const std::string& when) {
    log("unplugged " + when);
    std::cout << "unplugged" << std::endl;
    unplugSpent = true;
    if (options.replugElsewhere) {
      output.clear();
      device.resetLine();
      if (!terminal.moveElsewhere(error)) {
        std::cerr << "t-adjust-sim: " << error << "\n";
        status = 1;
        return false;
      }
      log("plugged in again at " + terminal.slavePath());
      std::cout << "plugged in at " << terminal.slavePath() << std::endl;
      return true;
    }
    if (!options.replugAfterSeconds) return false;
    if (!terminal.pullOut(error)) {
      std::cerr << "t-adjust-sim: " << error << "\n";
      status = 1;
      return false;
    }
    output.clear();
    device.resetLine();
    replugAt = Clock::now() + seconds(*options.replugAfterSeconds);
    return true;
  };

  std::uint8_t buffer[kReadChunk];
  while (stopRequested == 0) {
    Clock::time_point now = Clock::now();
    if (mendRequested != 0) {
      mendRequested = 0;
      device.faults() = DeviceFaults{};
      unplugSpent = true;
      if (replugAt) replugAt = now;
      std::cout << "faults mended" << std::endl;
      log("faults mended");
    }
    if (swapRequested != 0) {
      swapRequested = 0;
      swapDevice();
    }
    if (unplugRequested != 0 && !replugAt) {
      unplugRequested = 0;
      if (!unplug("at SIGALRM")) break;
      continue;
    }
    if (replugAt) {
      if (now < *replugAt) {
        std::this_thread::sleep_for(std::min<Clock::duration>(*replugAt - now, kIdleWait));
        continue;
      }
      replugAt.reset();
      if (!terminal.plugBack(error)) {
        std::cerr << "t-adjust-sim: " << error << "\n";
        status = 1;
        break;
      }
      log("plugged in again");
      std::cout << "plugged in" << std::endl;
      continue;
    }
    const double elapsed = std::chrono::duration<double>(now - started).count();
    if (!unplugSpent && options.unplugAfterSeconds && elapsed >= *options.unplugAfterSeconds) {
      if (!unplug("after " + std::to_string(elapsed) + " s")) break;
      continue;
    }
    device.setClimate(driftingClimate(elapsed));
    output.sendDue(terminal.master(), now);

    const Nanoseconds wait = output.waitUntilDue(now);
    const timespec timeout{static_cast<time_t>(wait.count() / 1'000'000'000),
                           static_cast<long>(wait.count() % 1'000'000'000)};
    pollfd master{terminal.master(), POLLIN, 0};
    if (ppoll(&master, 1, &timeout, nullptr) < 0) continue;  // a signal

    if ((master.revents & POLLHUP) != 0 && (master.revents & POLLIN) == 0) {
      // Nobody has the slave open (only without our own hold on it, for --exit-on-close).
      if (peerSeen) {
        log("the program closed the port");
        break;
      }
      std::this_thread::sleep_for(kHangUpWait);
      continue;
    }
    peerSeen = peerSeen || (master.revents & POLLHUP) == 0;
    if ((master.revents & POLLIN) == 0) continue;

    const ssize_t count = read(terminal.master(), buffer, sizeof buffer);
    if (count <= 0) continue;
    now = Clock::now();
    bool unplugged = false;
    for (ssize_t i = 0; i < count; ++i) {
      output.add(device.feed(buffer[i]), now);
      if (!swaps.empty() && options.swapAfterBytes &&
          device.bytesReceived() >= *options.swapAfterBytes)
        swapDevice();
      if (!unplugSpent && options.unplugAfterBytes &&
          device.bytesReceived() >= *options.unplugAfterBytes) {
        unplugged = true;
        break;
      }
    }
    if (device.writesStored() != savedWrites) {
      savedWrites = device.writesStored();
      save(options, device, served);
    }
    if (unplugged && !unplug("after " + std::to_string(device.bytesReceived()) + " bytes")) break;
  }
  terminal.close();
  return status;
}

}  // namespace
}  // namespace tadjust

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const tadjust::SimulatorOptionsResult parsed = tadjust::parseSimulatorOptions(arguments);
  if (!parsed.ok) {
    std::cerr << "t-adjust-sim: " << parsed.error << "\nTry t-adjust-sim --help.\n";
    return 2;
  }
  if (parsed.options.help) {
    std::cout << tadjust::simulatorUsage();
    return 0;
  }
  return tadjust::serve(parsed.options);
}

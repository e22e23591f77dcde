#include "sim/sim_options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

namespace tadjust {

namespace {

template <typename Number>
std::optional<Number> parseNumber(const std::string& text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> parseCount(const std::string& text, std::uint64_t largest) {
  const auto value = parseNumber<std::uint64_t>(text);
  if (!value || *value > largest) return std::nullopt;
  return value;
}

using Setter = std::function<bool(SimulatorOptions&, const std::string&)>;

struct Option {
  bool takesValue;
  Setter set;
};

Option flag(std::function<void(SimulatorOptions&)> set) {
  return {false, [set](SimulatorOptions& o, const std::string&) {
            set(o);
            return true;
          }};
}

Option valued(Setter set) { return {true, std::move(set)}; }

const std::map<std::string, Option>& optionTable() {
  static const std::map<std::string, Option> table = {
      {"--help", flag([](SimulatorOptions& o) { o.help = true; })},
      {"--model", valued([](SimulatorOptions& o, const std::string& v) {
         o.model = v;
         return !v.empty();
       })},
      {"--series", valued([](SimulatorOptions& o, const std::string& v) {
         const auto s = parseNumber<unsigned>(v);
         if (!s || (*s != 7 && *s != 9 && *s != 10)) return false;
         o.series = *s;
         return true;
       })},
      {"--serial", valued([](SimulatorOptions& o, const std::string& v) {
         const auto n = parseCount(v, 0xFFFF);
         if (n) o.serialNumber = static_cast<std::uint16_t>(*n);
         return n.has_value();
       })},
      {"--image", valued([](SimulatorOptions& o, const std::string& v) {
         o.imageFile = v;
         return !v.empty();
       })},
      {"--save", valued([](SimulatorOptions& o, const std::string& v) {
         o.saveFile = v;
         return !v.empty();
       })},
      {"--random-image", flag([](SimulatorOptions& o) { o.randomImage = true; })},
      {"--seed", valued([](SimulatorOptions& o, const std::string& v) {
         const auto n = parseCount(v, std::numeric_limits<std::uint32_t>::max());
         if (n) o.seed = static_cast<std::uint32_t>(*n);
         return n.has_value();
       })},
      {"--no-box", flag([](SimulatorOptions& o) { o.faults.noBox = true; })},
      {"--box-without-at", flag([](SimulatorOptions& o) { o.faults.boxWithoutAt = true; })},
      {"--silent-device", flag([](SimulatorOptions& o) { o.faults.silentDevice = true; })},
      {"--short-reply", valued([](SimulatorOptions& o, const std::string& v) {
         const auto n = parseCount(v, kSettingsImageSize);
         if (n) o.faults.shortSettingsReply = static_cast<std::size_t>(*n);
         return n.has_value();
       })},
      {"--spoil-writes", valued([](SimulatorOptions& o, const std::string& v) {
         if (v == "all") {
           o.faults.spoiledWrites = DeviceFaults::kEveryWrite;
           return true;
         }
         const auto n = parseCount(v, std::numeric_limits<int>::max());
         if (n) o.faults.spoiledWrites = static_cast<int>(*n);
         return n.has_value();
       })},
      {"--unplug-after-bytes", valued([](SimulatorOptions& o, const std::string& v) {
         const auto n = parseCount(v, std::numeric_limits<std::uint64_t>::max());
         if (n) o.unplugAfterBytes = *n;
         return n.has_value() && *n > 0;
       })},
      {"--unplug-after-seconds", valued([](SimulatorOptions& o, const std::string& v) {
         const auto s = parseNumber<double>(v);
         if (!s || !std::isfinite(*s) || *s < 0) return false;
         o.unplugAfterSeconds = *s;
         return true;
       })},
      {"--replug-after-seconds", valued([](SimulatorOptions& o, const std::string& v) {
         const auto s = parseNumber<double>(v);
         if (!s || !std::isfinite(*s) || *s < 0) return false;
         o.replugAfterSeconds = *s;
         return true;
       })},
      {"--replug-elsewhere", flag([](SimulatorOptions& o) { o.replugElsewhere = true; })},
      {"--swap-to", valued([](SimulatorOptions& o, const std::string& v) {
         o.swapImageFiles.push_back(v);
         return !v.empty();
       })},
      {"--swap-after-bytes", valued([](SimulatorOptions& o, const std::string& v) {
         const auto n = parseCount(v, std::numeric_limits<std::uint64_t>::max());
         if (n) o.swapAfterBytes = *n;
         return n.has_value() && *n > 0;
       })},
      {"--exit-on-close", flag([](SimulatorOptions& o) { o.exitOnClose = true; })},
      {"--verbose", flag([](SimulatorOptions& o) { o.verbose = true; })},
  };
  return table;
}

SimulatorOptionsResult optionsRefused(std::string error) { return {false, {}, std::move(error)}; }

}  // namespace

SimulatorOptionsResult parseSimulatorOptions(const std::vector<std::string>& arguments) {
  SimulatorOptionsResult result;
  const auto checked = [&result]() -> SimulatorOptionsResult {
    if (result.options.swapAfterBytes && result.options.swapImageFiles.empty())
      return optionsRefused("--swap-after-bytes needs --swap-to");
    if (result.options.replugElsewhere && result.options.replugAfterSeconds)
      return optionsRefused("--replug-elsewhere and --replug-after-seconds exclude each other");
    result.ok = true;
    return result;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> value;
    if (const std::size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    const auto option = optionTable().find(name);
    if (option == optionTable().end()) return optionsRefused("unknown option " + arguments[i]);
    if (option->second.takesValue && !value) {
      if (i + 1 == arguments.size()) return optionsRefused(name + " needs a value");
      value = arguments[++i];
    }
    if (!option->second.takesValue && value) return optionsRefused(name + " takes no value");
    if (!option->second.set(result.options, value.value_or(""))) {
      return optionsRefused("invalid value for " + name + ": " + value.value_or(""));
    }
  }
  return checked();
}

std::string simulatorUsage() {
  return R"(Usage: t-adjust-sim [OPTION]...
Serves a simulated UX-4235S interface box with one device behind it on a pseudo-terminal.
The first line of the output is the path of the terminal (for example /dev/pts/3); T-adjust
opens it as it would open the box's serial port. Later lines tell the faults' events:
"unplugged", "plugged in", "faults mended". Replies are paced at 2400 baud. The simulator
runs until it is stopped (Ctrl+C, SIGTERM).

Device:
  --model NAME|CODE       the device: a model name of the catalogue (RKA-49, RKN-40F3,
                          GWA-43, ARR/A, ...) or a product code (9001, 10013, 15002);
                          default RKA-49
  --series 7|9|10         series of a temperature model given by name; default 7
  --serial N              serial number, 0..65535; default one per model
  --image FILE            start from the settings image in FILE (256 bytes as hex text,
                          a raw 256-byte file, or a .tadj settings file the program saved;
                          a regular file of at most 1 MiB) instead of the model's own
  --save FILE             write the settings image to FILE (hex text) at start and after
                          every write the device stores
  --random-image          start from 256 random bytes (a device with garbage in its memory)
  --seed N                seed of --random-image, to repeat one; default from the clock

Faults:
  --no-box                nothing answers: the box is not there
  --box-without-at        the box answers "?" with "$" but "#" with nothing
  --silent-device         the box answers its handshake, the device never answers
  --short-reply N         a settings read sends only the first N bytes (0..256)
  --spoil-writes N|all    the first N writes (or all) are stored with one byte changed,
                          so the read-back differs
  --unplug-after-bytes N  the port goes away once the device has received N bytes
  --unplug-after-seconds S
                          the port goes away S seconds after the start
  --replug-after-seconds S
                          after an unplug the port comes back under the same path S
                          seconds later, the device as it was (needs the right to hang
                          up a terminal, which root has); without it an unplug ends the
                          simulator
  --replug-elsewhere      after an unplug the box comes back at once on a new
                          pseudo-terminal, the device as it was; the simulator says
                          "plugged in at PATH" (a box plugged into another USB port)

Another device:
  --swap-to FILE          a second device behind the same box, from the settings image in
                          FILE (its model from the image's product code); it takes the
                          first device's place at SIGUSR2 or after --swap-after-bytes
                          (the simulator says "swapped"). Given again, further devices
                          take the place of the one before, in turn
  --swap-after-bytes N    the swap comes once the device served has received N bytes

Running:
  --exit-on-close         end when the program that opened the port closes it (for a
                          script with one session; T-adjust closes the port between its
                          interface search and the device link)
  --verbose               report every request and answer on the error output
  --help                  show this text and end

Signals:
  SIGUSR1                 mend every fault: from then on the box and the device work
                          as they should (the simulator says "faults mended")
  SIGUSR2                 swap the device for the next one of --swap-to
  SIGALRM                 unplug the box now, as --unplug-after-... would
)";
}

}  // namespace tadjust

// The command line of t-adjust-sim: every option in both spellings, and what is refused.

#include "sim/sim_options.h"

#include <gtest/gtest.h>

namespace tadjust {
namespace {

SimulatorOptionsResult parse(std::vector<std::string> arguments) {
  return parseSimulatorOptions(arguments);
}

TEST(SimulatorOptions, DefaultsServeAnRka49OfSeries7) {
  const SimulatorOptionsResult result = parse({});
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.options.model, "RKA-49");
  EXPECT_EQ(result.options.series, 7u);
  EXPECT_FALSE(result.options.exitOnClose);
  EXPECT_EQ(result.options.faults.spoiledWrites, 0);
}

TEST(SimulatorOptions, EveryOptionTakesEffect) {
  const SimulatorOptionsResult result = parse({"--model=ARR/V",
                                               "--series",
                                               "9",
                                               "--serial=65535",
                                               "--image",
                                               "in.hex",
                                               "--save=out.hex",
                                               "--random-image",
                                               "--seed",
                                               "17",
                                               "--no-box",
                                               "--box-without-at",
                                               "--silent-device",
                                               "--short-reply=0",
                                               "--spoil-writes",
                                               "all",
                                               "--unplug-after-bytes",
                                               "200",
                                               "--unplug-after-seconds=2.5",
                                               "--replug-after-seconds",
                                               "0.5",
                                               "--swap-to",
                                               "b.hex",
                                               "--swap-after-bytes=203",
                                               "--exit-on-close",
                                               "--verbose",
                                               "--help"});
  ASSERT_TRUE(result.ok) << result.error;
  const SimulatorOptions& o = result.options;
  EXPECT_EQ(o.model, "ARR/V");
  EXPECT_EQ(o.series, 9u);
  EXPECT_EQ(o.serialNumber, 65535);
  EXPECT_EQ(o.imageFile, "in.hex");
  EXPECT_EQ(o.saveFile, "out.hex");
  EXPECT_TRUE(o.randomImage);
  EXPECT_EQ(o.seed, 17u);
  EXPECT_TRUE(o.faults.noBox && o.faults.boxWithoutAt && o.faults.silentDevice);
  EXPECT_EQ(o.faults.shortSettingsReply, 0u);
  EXPECT_EQ(o.faults.spoiledWrites, DeviceFaults::kEveryWrite);
  EXPECT_EQ(o.unplugAfterBytes, 200u);
  EXPECT_EQ(o.unplugAfterSeconds, 2.5);
  EXPECT_EQ(o.replugAfterSeconds, 0.5);
  EXPECT_EQ(o.swapImageFiles, std::vector<std::string>{"b.hex"});
  EXPECT_EQ(o.swapAfterBytes, 203u);
  EXPECT_TRUE(o.exitOnClose && o.verbose && o.help);
  EXPECT_EQ(parse({"--spoil-writes", "2"}).options.faults.spoiledWrites, 2);
}

TEST(SimulatorOptions, RefusedWithAReason) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"--modle", "RKA-49"}, "unknown option --modle"},
      {{"--model"}, "--model needs a value"},
      {{"--verbose=yes"}, "--verbose takes no value"},
      {{"--series", "8"}, "invalid value for --series: 8"},
      {{"--serial", "65536"}, "invalid value for --serial"},
      {{"--serial", "-1"}, "invalid value for --serial"},
      {{"--short-reply", "257"}, "invalid value for --short-reply"},
      {{"--spoil-writes", "some"}, "invalid value for --spoil-writes"},
      {{"--unplug-after-bytes", "0"}, "invalid value for --unplug-after-bytes"},
      {{"--unplug-after-seconds", "-1"}, "invalid value for --unplug-after-seconds"},
      {{"--unplug-after-seconds", "nan"}, "invalid value for --unplug-after-seconds"},
      {{"--replug-after-seconds", "-2"}, "invalid value for --replug-after-seconds"},
      {{"--swap-after-bytes", "10"}, "--swap-after-bytes needs --swap-to"},
      {{"--swap-to", "b.hex", "--swap-after-bytes", "0"}, "invalid value for --swap-after-bytes"},
  };
  for (const auto& c : cases) {
    const SimulatorOptionsResult result = parse(c.arguments);
    EXPECT_FALSE(result.ok) << c.reason;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
  }
}

TEST(SimulatorOptions, UsageNamesEveryOption) {
  const std::string usage = simulatorUsage();
  for (const char* option : {"--model",
                             "--series",
                             "--serial",
                             "--image",
                             "--save",
                             "--random-image",
                             "--seed",
                             "--no-box",
                             "--box-without-at",
                             "--silent-device",
                             "--short-reply",
                             "--spoil-writes",
                             "--unplug-after-bytes",
                             "--unplug-after-seconds",
                             "--replug-after-seconds",
                             "--swap-to",
                             "--swap-after-bytes",
                             "--exit-on-close",
                             "--verbose",
                             "--help",
                             "SIGUSR1",
                             "SIGUSR2"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace tadjust

// t-adjust-lintable: prints the linearisation a write would store for a sensor and range, with
// the meaning of every word, for checking a device's table by hand.

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "image/linearisation.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"
#include "image/settings_image.h"

namespace {

using namespace tadjust;

constexpr const char* kUsage =
    "usage: t-adjust-lintable <sensorType> <series> <lower range> <upper range> [--reversed]\n"
    "  sensorType  0 Pt100, 1 Ni100, 2 B, 3 R, 4 S, 5 N, 6 K, 7 J, 8 T\n"
    "  series      7, 9 or 10\n"
    "  range       whole degrees Celsius\n"
    "  --reversed  output 20..4 mA (10..0 V)\n";

constexpr const char* kSensorNames[] = {"Pt100",          "Ni100",          "thermocouple B",
                                        "thermocouple R", "thermocouple S", "thermocouple N",
                                        "thermocouple K", "thermocouple J", "thermocouple T"};

std::optional<int> parseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const char* refusalText(LinearisationRefusal refusal) {
  switch (refusal) {
    case LinearisationRefusal::kNone:
      return "none";
    case LinearisationRefusal::kNoSignalScale:
      return "thermocouples have a signal scale on series 7, 9 and 10 only";
    case LinearisationRefusal::kTooFewPoints:
      return "the window holds too few measurable reference points";
    case LinearisationRefusal::kEmptySpan:
      return "the span is not positive";
    case LinearisationRefusal::kTooManyBreakpoints:
      return "the fit needs too many breakpoints";
    case LinearisationRefusal::kSlopeTooSteep:
      return "a slope does not fit 16 bits even at LinSlopeShift 12";
    case LinearisationRefusal::kWordOutOfRange:
      return "a breakpoint has no 16-bit raw word";
  }
  return "?";
}

void printCold(ConstBytes block) {
  using namespace transmitter;
  std::printf("\nCjcSlopeShift %u\n", CjcSlopeShift.get(block));
  std::printf("  i  CjcTemp    degC   CjcSlope  CjcSignal\n");
  for (std::size_t i = 0; i < CjcTemp.count; ++i) {
    const auto temperatureRaw = CjcTemp.get(block, i);
    std::printf(" %2zu  %7u  %6.2f  %9u  %9u\n", i, temperatureRaw, (temperatureRaw - 6000) / 30.0,
                CjcSlope.get(block, i), CjcSignal.get(block, i));
  }
}

int run(int sensorType, unsigned series, int lowerRange, int upperRange, bool reversed) {
  using namespace transmitter;
  const auto scale = signalRawScale(sensorType, series);
  const TemperatureLimits limits = temperatureLimits(lowerRange, upperRange, reversed);
  const int span = upperRange - lowerRange;
  std::printf("%s, series %u, range %d to %d degC, %s output\n", kSensorNames[sensorType], series,
              lowerRange, upperRange, reversed ? "reversed" : "normal");
  std::printf("limits %d and %d degC, span %d\n", limits.lower, limits.upper, span);

  std::array<std::uint8_t, kTransmitterBlockSize> block{};
  for (std::size_t i = 0; i < LinSignal.count; ++i) LinSignal.set(block, i, 0xFFFF);
  for (std::size_t i = 0; i < CjcTemp.count; ++i) CjcTemp.set(block, i, 0xFFFF);
  const LinearisationResult r =
      buildLinearisation(sensorType, series, limits.lower, limits.upper, span, block);
  const char* unit = isThermocouple(sensorType) ? "mV" : "Ohm";
  std::printf("reference points %d, %d to %d degC\n", r.referencePoints, r.firstTemperature,
              r.lastTemperature);
  if (!r.writable()) {
    std::printf("refused: %s\n", refusalText(r.refusal));
    return 1;
  }
  std::printf("fit tolerance %.2f %% of the span after %d passes, %d segments\n", r.fitTolerance,
              r.passes, r.segments);
  std::printf("\nLinSlopeShift %u (multiplier %.6g)\n", LinSlopeShift.get(block),
              r.slopeMultiplier);
  std::printf("  i  LinTemp     degC  LinSignal  %9s  LinSlope  degC/%s\n", unit, unit);
  for (std::size_t i = 0; i < LinSignal.count; ++i) {
    const auto temperatureRaw = LinTemp.get(block, i);
    const auto signalRaw = LinSignal.get(block, i);
    const auto slopeRaw = LinSlope.get(block, i);
    if (static_cast<int>(i) >= r.segments) {
      std::printf(" %2zu  %7u           %9u             %8u\n", i, temperatureRaw, signalRaw,
                  slopeRaw);
      continue;
    }
    const double signal =
        (static_cast<double>(signalRaw) * scale->thousandthsPerStep + scale->zeroThousandths) /
        1000.0;
    std::printf(" %2zu  %7u  %7.3f  %9u  %9.3f  %8u  %7.4f\n", i, temperatureRaw,
                (temperatureRaw - 6000) / 30.0, signalRaw, signal, slopeRaw,
                slopeRaw / r.slopeMultiplier);
  }
  if (isThermocouple(sensorType)) printCold(block);
  std::printf("\nInputLimitHighRaw %u (last reference signal %.3f %s at %d degC)\n",
              inputLimitHighRaw(*scale, r.lastSignalThousandths), r.lastSignal, unit,
              r.lastTemperature);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto sensorType = parseInt(argv[1]);
  const auto series = parseInt(argv[2]);
  const auto lowerRange = parseInt(argv[3]);
  const auto upperRange = parseInt(argv[4]);
  const bool reversed = argc == 6 && std::string_view(argv[5]) == "--reversed";
  if (!sensorType || !series || !lowerRange || !upperRange || (argc == 6 && !reversed) ||
      *sensorType < 0 || *sensorType > kLastTabulatedSensorType ||
      (*series != 7 && *series != 9 && *series != 10)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return run(*sensorType, static_cast<unsigned>(*series), *lowerRange, *upperRange, reversed);
}

// t-adjust-lintable: prints the linearisation a write would store for a sensor and range, with
// the meaning of every word, for checking a device's table by hand; with --json, the same words
// as one JSON object for other programs.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    "usage: t-adjust-lintable <sensorType> <series> <lower range> <upper range> [--reversed] "
    "[--json]\n"
    "  sensorType  0 Pt100, 1 Ni100, 2 B, 3 R, 4 S, 5 N, 6 K, 7 J, 8 T\n"
    "  series      7, 9 or 10\n"
    "  range       whole degrees Celsius, -10000 to 10000\n"
    "  --reversed  output 20..4 mA (10..0 V)\n"
    "  --json      one JSON object with the stored words instead of the table\n";

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

struct Arguments {
  SensorType sensorType = SensorType::Pt100;
  unsigned series = 0;
  int lowerRange = 0;
  int upperRange = 0;
  bool reversed = false;
  bool json = false;
};

// Far beyond every sensor's table; keeps the span and the limits' arithmetic within int.
constexpr int kLargestRange = 10000;

bool plausibleRange(int degrees) { return degrees >= -kLargestRange && degrees <= kLargestRange; }

// Four numbers, then --reversed and --json in any order, each at most once.
std::optional<Arguments> parseArguments(int argc, char** argv) {
  if (argc < 5 || argc > 7) return std::nullopt;
  const auto entry = parseInt(argv[1]);
  const std::optional<SensorType> sensorType = entry ? sensorTypeAt(*entry) : std::nullopt;
  const auto series = parseInt(argv[2]);
  const auto lowerRange = parseInt(argv[3]);
  const auto upperRange = parseInt(argv[4]);
  if (!sensorType || !isTemperatureSensor(*sensorType) || !series || !lowerRange || !upperRange ||
      (*series != 7 && *series != 9 && *series != 10) || !plausibleRange(*lowerRange) ||
      !plausibleRange(*upperRange))
    return std::nullopt;
  Arguments arguments{*sensorType, static_cast<unsigned>(*series), *lowerRange, *upperRange};
  for (int i = 5; i < argc; ++i) {
    const std::string_view option = argv[i];
    bool& flag = option == "--reversed" ? arguments.reversed : arguments.json;
    if ((option != "--reversed" && option != "--json") || flag) return std::nullopt;
    flag = true;
  }
  return arguments;
}

// What a write would store: the block as the encoder prepares it (LinSignal and CjcTemp
// 0xFFFF), with the linearisation stored into it when the window is writable.
struct Table {
  TemperatureLimits limits;
  int span;
  LinearisationResult result;
  std::array<std::uint8_t, kTransmitterBlockSize> block{};
};

Table computeTable(const Arguments& a) {
  using namespace transmitter;
  Table table{
      temperatureLimits(a.lowerRange, a.upperRange, a.reversed), a.upperRange - a.lowerRange, {}};
  for (std::size_t i = 0; i < LinSignal.count; ++i) LinSignal.set(table.block, i, 0xFFFF);
  for (std::size_t i = 0; i < CjcTemp.count; ++i) CjcTemp.set(table.block, i, 0xFFFF);
  table.result = buildLinearisation(a.sensorType, a.series, table.limits.lower, table.limits.upper,
                                    table.span, table.block);
  return table;
}

int printTable(const Arguments& a, const Table& table) {
  using namespace transmitter;
  const auto scale = signalRawScale(a.sensorType, a.series);
  const LinearisationResult& r = table.result;
  ConstBytes block = table.block;
  std::printf("%s, series %u, range %d to %d degC, %s output\n",
              kSensorNames[entryOf(a.sensorType)], a.series, a.lowerRange, a.upperRange,
              a.reversed ? "reversed" : "normal");
  std::printf("limits %d and %d degC, span %d\n", table.limits.lower, table.limits.upper,
              table.span);
  const char* unit = isThermocouple(a.sensorType) ? "mV" : "Ohm";
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
  if (isThermocouple(a.sensorType)) printCold(block);
  std::printf("\nInputLimitHighRaw %u (last reference signal %.3f %s at %d degC)\n",
              inputLimitHighRaw(*scale, r.lastSignalThousandths), r.lastSignal, unit,
              r.lastTemperature);
  return 0;
}

template <typename Field>
QJsonArray words(const Field& field, ConstBytes block) {
  QJsonArray array;
  for (std::size_t i = 0; i < field.count; ++i) array.append(static_cast<int>(field.get(block, i)));
  return array;
}

void printJsonObject(const QJsonObject& object) {
  std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
}

// The words as stored, every one an unsigned 16-bit integer; a refused window is an error.
int printJson(const Arguments& a, const Table& table) {
  using namespace transmitter;
  const LinearisationResult& r = table.result;
  if (!r.writable()) {
    printJsonObject({{"error", refusalText(r.refusal)}});
    return 1;
  }
  ConstBytes block = table.block;
  const auto scale = signalRawScale(a.sensorType, a.series);
  printJsonObject({
      {"lowerLimit", table.limits.lower},
      {"upperLimit", table.limits.upper},
      {"segments", r.segments},
      {"passes", r.passes},
      {"LinSlopeShift", static_cast<int>(LinSlopeShift.get(block))},
      {"CjcSlopeShift", static_cast<int>(CjcSlopeShift.get(block))},
      {"InputLimitHighRaw", inputLimitHighRaw(*scale, r.lastSignalThousandths)},
      {"LinSignal", words(LinSignal, block)},
      {"LinSlope", words(LinSlope, block)},
      {"LinTemp", words(LinTemp, block)},
      {"CjcTemp", words(CjcTemp, block)},
      {"CjcSlope", words(CjcSlope, block)},
      {"CjcSignal", words(CjcSignal, block)},
  });
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> arguments = parseArguments(argc, argv);
  if (!arguments) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const Table table = computeTable(*arguments);
  return arguments->json ? printJson(*arguments, table) : printTable(*arguments, table);
}

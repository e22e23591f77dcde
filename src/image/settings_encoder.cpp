#include "image/settings_encoder.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "catalogue/device_catalogue.h"
#include "image/output_limits.h"
#include "image/raw_scales.h"
#include "image/sensor_reference_tables.h"

namespace tadjust {

namespace {

// A value's raw word: Floor((value + offset) × factor), exactly.
struct RawScale {
  Decimal offset;
  Decimal factor;
};
constexpr RawScale kDegreesRaw{Decimal::ofInteger(200), Decimal::ofInteger(30)};
constexpr RawScale kCorrectionRaw{Decimal(), Decimal::ofInteger(30)};
constexpr RawScale kSeries7MillivoltsRaw{Decimal::scaled(54, -1), Decimal::ofInteger(1000)};
constexpr RawScale kSeries9MillivoltsRaw{Decimal::scaled(108, -1), Decimal::ofInteger(500)};
constexpr RawScale kOhmsRaw{Decimal::ofInteger(-55), Decimal::ofInteger(200)};
// The series-sensor model (RKN-40F3) enters its resistance range as five times the scale's.
constexpr RawScale kSeriesSensorOhmsRaw{Decimal::ofInteger(-275), Decimal::ofInteger(40)};
constexpr RawScale kLeadOhmsRaw{Decimal(), Decimal::ofInteger(200)};
constexpr RawScale kSeriesSensorLeadOhmsRaw{Decimal(), Decimal::ofInteger(40)};

constexpr int kConnections = 3;  // 2-, 3-, 4-wire; internal and external compensation
constexpr int kFilterTimes = 7;  // 0.2 s to 32 s
constexpr int kPrecisions = 4;   // 0 to 3 digits after the point
constexpr int kHumidityUnits = 2;
constexpr std::int64_t kHundredths = 100;

// The indicator computes its input × ScaleGain / 2^ScaleShift.
constexpr int kScaleShift = 15;
constexpr std::uint16_t kAlarmLowBit = 1u << 0;
constexpr std::uint16_t kAlarmHighBit = 1u << 1;

// No sensor comes near such a temperature; below it the window's arithmetic stays within int.
constexpr std::int64_t kFarthestRangeTemperature = std::int64_t{1} << 29;

enum class Rounding { kHundredths, kAsTyped };

// Reads the group's values as a layout needs them, and keeps the first refusal.
class GroupReader {
 public:
  explicit GroupReader(const EditableGroupValues& group) : group_(group) {}

  const std::optional<EncodingRefusal>& refusal() const { return refusal_; }
  bool refused() const { return refusal_.has_value(); }

  void refuse(EncodingRefusalReason reason, EditControl control = EditControl::kNone,
              LinearisationRefusal linearisation = LinearisationRefusal::kNone) {
    if (!refusal_) refusal_ = EncodingRefusal{reason, control, linearisation};
  }

  std::optional<Decimal> real(EditControl box) {
    const std::optional<Decimal>& value = boxValue(box);
    if (!value) refuse(EncodingRefusalReason::kNotANumber, box);
    return value;
  }

  // A whole number of 32 bits.
  std::optional<std::int32_t> integer(EditControl box) {
    const auto value = real(box);
    if (!value) return std::nullopt;
    if (value->exponent() < 0) {
      refuse(EncodingRefusalReason::kNotAnInteger, box);
      return std::nullopt;
    }
    const auto whole = floorOfLinear(*value, Decimal(), Decimal::ofInteger(1));
    if (!whole || *whole < std::numeric_limits<std::int32_t>::min() ||
        *whole > std::numeric_limits<std::int32_t>::max()) {
      refuse(EncodingRefusalReason::kValueOutOfRange, box);
      return std::nullopt;
    }
    return static_cast<std::int32_t>(*whole);
  }

  // Floor((value + offset) × factor) of the box's value, as typed or rounded to hundredths.
  std::optional<std::int64_t> raw(EditControl box, Rounding rounding, const RawScale& scale) {
    const auto value = real(box);
    if (!value) return std::nullopt;
    const Decimal taken = rounding == Rounding::kHundredths ? value->round2() : *value;
    const auto word = floorOfLinear(taken, scale.offset, scale.factor);
    if (!word) refuse(EncodingRefusalReason::kValueOutOfRange, box);
    return word;
  }

  // Stores the value into its field, or refuses when the device would read another value there.
  template <class Field>
  void store(const Field& field, Bytes block, std::int64_t value, EditControl box,
             EncodingRefusalReason reason = EncodingRefusalReason::kFieldOutOfRange) {
    if (!Field::holds(value)) {
      refuse(reason, box);
      return;
    }
    field.set(block, value);
  }

  // The selected entry of a list of `count` entries.
  std::optional<int> entry(EditControl list, int selected, int count) {
    if (selected < 0 || selected >= count) {
      refuse(EncodingRefusalReason::kNothingSelected, list);
      return std::nullopt;
    }
    return selected;
  }

 private:
  const std::optional<Decimal>& boxValue(EditControl box) const {
    switch (box) {
      case EditControl::Edit1:
        return group_.Edit1;
      case EditControl::Edit2:
        return group_.Edit2;
      case EditControl::Edit3:
        return group_.Edit3;
      case EditControl::Edit4:
        return group_.Edit4;
      case EditControl::Edit19:
        return group_.Edit19;
      case EditControl::Edit20:
        return group_.Edit20;
      case EditControl::Edit21:
        return group_.Edit21;
      case EditControl::Edit22:
        return group_.Edit22;
      default: {
        static const std::optional<Decimal> kNotABox;
        return kNotABox;
      }
    }
  }

  const EditableGroupValues& group_;
  std::optional<EncodingRefusal> refusal_;
};

// --- transmitter layout -------------------------------------------------------------------

using TransmitterBlock = std::array<std::uint8_t, kTransmitterBlockSize>;

TransmitterBlock clearedTransmitterBlock() {
  TransmitterBlock block{};
  for (std::size_t i = 0; i < transmitter::LinSignal.count; ++i)
    transmitter::LinSignal.set(block, i, 0xFFFF);
  for (std::size_t i = 0; i < transmitter::CjcTemp.count; ++i)
    transmitter::CjcTemp.set(block, i, 0xFFFF);
  return block;
}

const RawScale* voltageScale(unsigned series) {
  if (series == 7) return &kSeries7MillivoltsRaw;
  if (series == 9 || series == 10) return &kSeries9MillivoltsRaw;
  return nullptr;
}

// The connection list's choice: the InputConfig bits, and the wire resistance of a 2-wire
// resistance input or the temperature of an external cold junction, from Edit3. Edit3 is read
// only where its value is stored: a hidden row's text does not matter.
void encodeConnection(const EditableGroupValues& g, SensorType sensorType, GroupReader& read,
                      std::uint16_t& inputConfig, Bytes block) {
  using namespace transmitter;
  if (!g.ComboBox2Shown) return;
  const auto connection = read.entry(EditControl::ComboBox2, g.ComboBox2, kConnections);
  if (!connection) return;
  inputConfig |= static_cast<std::uint16_t>(*connection << kConnectionShift);
  const bool twoWire = *connection == 0 && (isResistanceThermometer(sensorType) ||
                                            sensorType == SensorType::Resistance);
  const bool externalJunction = *connection == 1 && isThermocouple(sensorType);
  if (twoWire) {
    const RawScale& scale =
        g.model.model.specialSensorList ? kSeriesSensorLeadOhmsRaw : kLeadOhmsRaw;
    if (const auto raw = read.raw(EditControl::Edit3, Rounding::kHundredths, scale))
      read.store(WireResistanceRaw, block, *raw, EditControl::Edit3);
  } else if (externalJunction) {
    if (const auto raw = read.raw(EditControl::Edit3, Rounding::kHundredths, kDegreesRaw))
      read.store(ColdJunctionTempRaw, block, *raw, EditControl::Edit3);
  }
}

// Resistance thermometers and thermocouples: the range in whole degrees, the correction, and the
// linearisation over the window that the range widened by the output's margins gives.
void encodeTemperatureInput(const EditableGroupValues& g, SensorType sensorType,
                            bool reversedOutput, GroupReader& read, Bytes block) {
  using namespace transmitter;
  const auto low = read.integer(EditControl::Edit1);
  const auto high = read.integer(EditControl::Edit2);
  const auto correction = read.raw(EditControl::Edit4, Rounding::kHundredths, kCorrectionRaw);
  if (read.refused()) return;
  if (std::llabs(*low) > kFarthestRangeTemperature)
    read.refuse(EncodingRefusalReason::kValueOutOfRange, EditControl::Edit1);
  if (std::llabs(*high) > kFarthestRangeTemperature)
    read.refuse(EncodingRefusalReason::kValueOutOfRange, EditControl::Edit2);
  if (read.refused()) return;

  // (°C + 200) × 30: below -200 °C or above 1984 °C the word would wrap.
  const auto degreesRaw = [](std::int64_t degrees) {
    return degrees * raw_scales::kStepsPerDegree + raw_scales::kTemperatureZeroRaw;
  };
  read.store(RangeLowRaw, block, degreesRaw(*low), EditControl::Edit1);
  read.store(RangeHighRaw, block, degreesRaw(*high), EditControl::Edit2);
  read.store(TempOffsetRaw, block, *correction, EditControl::Edit4);
  if (read.refused()) return;

  const TemperatureLimits limits = temperatureLimits(*low, *high, reversedOutput);
  const LinearisationResult table = buildLinearisation(sensorType, g.model.series, limits.lower,
                                                       limits.upper, *high - *low, block);
  if (!table.writable()) {
    read.refuse(EncodingRefusalReason::kLinearisationUnwritable, EditControl::kNone, table.refusal);
    return;
  }
  // A writable table has its signal scale.
  const SignalRawScale scale = *signalRawScale(sensorType, g.model.series);
  InputLimitHighRaw.set(block, inputLimitHighRaw(scale, table.lastSignalThousandths));
}

// Voltage and resistance inputs: the range in the input's raw scale, the lower value rounded to
// hundredths, the upper one as typed; the input window from the range words.
void encodeLinearInput(const EditableGroupValues& g, SensorType sensorType, bool reversedOutput,
                       GroupReader& read, Bytes block) {
  using namespace transmitter;
  const RawScale* scale = nullptr;
  if (sensorType == SensorType::Resistance) {
    scale = g.model.model.specialSensorList ? &kSeriesSensorOhmsRaw : &kOhmsRaw;
  } else {
    scale = voltageScale(g.model.series);
    if (!scale) {
      read.refuse(EncodingRefusalReason::kNoVoltageScale, EditControl::ComboBox1);
      return;
    }
  }
  auto low = read.raw(EditControl::Edit1, Rounding::kHundredths, *scale);
  const auto high = read.raw(EditControl::Edit2, Rounding::kAsTyped, *scale);
  if (read.refused()) return;
  // A voltage below the scale's zero has no word: the range starts at the zero.
  if (sensorType == SensorType::Voltage && *low < 0) low = 0;
  read.store(RangeLowRaw, block, *low, EditControl::Edit1);
  read.store(RangeHighRaw, block, *high, EditControl::Edit2);
  if (read.refused()) return;

  const RawInputLimits limits =
      rawInputLimits(RangeLowRaw.get(block), RangeHighRaw.get(block), reversedOutput);
  InputLimitHighRaw.set(block, limits.high);
  InputLimitLowRaw.set(block, limits.low);
}

std::optional<EncodingRefusal> encodeTransmitter(const EditableGroupValues& g,
                                                 TransmitterBlock& block) {
  using namespace transmitter;
  GroupReader read(g);
  const auto entry = read.entry(EditControl::ComboBox1, g.ComboBox1, kSensorTypeCount);
  if (!entry) return read.refusal();
  const SensorType sensorType = *sensorTypeAt(*entry);

  std::uint16_t inputConfig = sensorCode(sensorType);
  encodeConnection(g, sensorType, read, inputConfig, block);
  const bool reversedOutput = g.ComboBox4 == 1;
  if (reversedOutput) inputConfig |= kOutputReversedBit;
  if (g.ComboBox5 == 1) inputConfig |= kFailureHighBit;
  InputConfig.set(block, inputConfig);
  if (read.refused()) return read.refusal();

  const auto filterTime = read.entry(EditControl::ComboBox3, g.ComboBox3, kFilterTimes);
  if (!filterTime) return read.refusal();
  FilterTimeIndex.set(block, *filterTime);
  Tag.set(block, g.Tag);

  if (isTemperatureSensor(sensorType)) {
    encodeTemperatureInput(g, sensorType, reversedOutput, read, block);
  } else {
    encodeLinearInput(g, sensorType, reversedOutput, read, block);
  }
  return read.refusal();
}

// --- indicator layout ---------------------------------------------------------------------

using SmallBlock = std::array<std::uint8_t, kSmallBlockSize>;

// Floor(a / b) of integers, b not zero.
std::int64_t floorOfFraction(std::int64_t numerator, std::int64_t denominator) {
  return denominator < 0 ? floorDiv(-numerator, -denominator) : floorDiv(numerator, denominator);
}

// The gain's word: the device multiplies by it as a signed word for a reversed range and as an
// unsigned one otherwise, so either reading is a value it can store.
struct ScaleGainField : U16Field {
  static constexpr bool holds(std::int64_t value) {
    return value >= S16Field::kMin && value <= U16Field::kMax;
  }
};
constexpr ScaleGainField kScaleGain{indicator::ScaleGain};

// The display shows DisplayLow at the input count InputCalLow and DisplayHigh at InputCalHigh:
// gain = (DisplayHigh − DisplayLow) / (InputCalHigh − InputCalLow), and
// display = input × gain + ScaleOffset. Every word is the floor of an exact fraction, from the
// display and alarm words as stored (read back signed) and the calibration words (unsigned).
void encodeIndicatorScale(ConstBytes indicatorCopy, GroupReader& read, SmallBlock& block) {
  using namespace indicator;
  const std::int64_t calibrationLow = InputCalLow.get(indicatorCopy);
  const std::int64_t calibrationHigh = InputCalHigh.get(indicatorCopy);
  const std::int64_t displayLow = DisplayLow.get(block);
  const std::int64_t displayHigh = DisplayHigh.get(block);
  if (calibrationLow == calibrationHigh) {
    read.refuse(EncodingRefusalReason::kEqualCalibrationPoints);
    return;
  }
  // A gain of 0 shows one value whatever the input, and no alarm level has an input count.
  if (displayLow == displayHigh) {
    read.refuse(EncodingRefusalReason::kEqualDisplayValues, EditControl::Edit2);
    return;
  }

  const std::int64_t gainNumerator = displayHigh - displayLow;
  const std::int64_t gainDenominator = calibrationHigh - calibrationLow;
  ScaleShift.set(block, kScaleShift);
  read.store(kScaleGain, block,
             floorOfFraction(gainNumerator * (std::int64_t{1} << kScaleShift), gainDenominator),
             EditControl::kNone, EncodingRefusalReason::kScaleOutOfRange);
  // DisplayLow − InputCalLow × gain.
  const std::int64_t offset = floorOfFraction(
      displayLow * gainDenominator - calibrationLow * gainNumerator, gainDenominator);
  read.store(ScaleOffset, block, offset, EditControl::kNone,
             EncodingRefusalReason::kScaleOutOfRange);
  if (read.refused()) return;
  // (alarm − ScaleOffset) / gain.
  const auto alarmRaw = [&](std::int64_t alarm) {
    return floorOfFraction((alarm - offset) * gainDenominator, gainNumerator);
  };
  read.store(AlarmLowRaw, block, alarmRaw(AlarmLow.get(block)), EditControl::Edit3,
             EncodingRefusalReason::kAlarmCountOutOfRange);
  read.store(AlarmHighRaw, block, alarmRaw(AlarmHigh.get(block)), EditControl::Edit4,
             EncodingRefusalReason::kAlarmCountOutOfRange);
}

std::optional<EncodingRefusal> encodeIndicator(const EditableGroupValues& g,
                                               ConstBytes indicatorCopy, SmallBlock& block) {
  using namespace indicator;
  GroupReader read(g);
  const auto displayLow = read.integer(EditControl::Edit1);
  const auto displayHigh = read.integer(EditControl::Edit2);
  const auto alarmLow = read.integer(EditControl::Edit3);
  const auto alarmHigh = read.integer(EditControl::Edit4);
  const auto precision = read.entry(EditControl::ComboBox2, g.ComboBox2, kPrecisions);
  if (read.refused()) return read.refusal();

  read.store(DisplayLow, block, *displayLow, EditControl::Edit1);
  read.store(DisplayHigh, block, *displayHigh, EditControl::Edit2);
  read.store(AlarmLow, block, *alarmLow, EditControl::Edit3);
  read.store(AlarmHigh, block, *alarmHigh, EditControl::Edit4);
  if (read.refused()) return read.refusal();
  Precision.set(block, *precision);
  std::uint16_t alarms = AlarmFlags.get(block) & ~(kAlarmLowBit | kAlarmHighBit);
  if (g.CheckBox3) alarms |= kAlarmLowBit;
  if (g.CheckBox4) alarms |= kAlarmHighBit;
  AlarmFlags.set(block, alarms);
  Tag.set(block, g.Tag);
  encodeIndicatorScale(indicatorCopy, read, block);
  return read.refusal();
}

// --- humidity layout ----------------------------------------------------------------------

std::optional<EncodingRefusal> encodeHumidity(const EditableGroupValues& g, SmallBlock& block) {
  using namespace humidity;
  GroupReader read(g);
  // Ranges in hundredths, outputs as they are (mV or µA).
  const std::pair<S16Field, EditControl> ranges[] = {{TempRangeLow, EditControl::Edit1},
                                                     {TempRangeHigh, EditControl::Edit2},
                                                     {HumRangeLow, EditControl::Edit19},
                                                     {HumRangeHigh, EditControl::Edit3}};
  const std::pair<S16Field, EditControl> outputs[] = {{TempOutLow, EditControl::Edit4},
                                                      {TempOutHigh, EditControl::Edit20},
                                                      {HumOutLow, EditControl::Edit21},
                                                      {HumOutHigh, EditControl::Edit22}};
  for (const auto& [field, box] : ranges)
    if (const auto value = read.integer(box)) read.store(field, block, *value * kHundredths, box);
  for (const auto& [field, box] : outputs)
    if (const auto value = read.integer(box)) read.store(field, block, *value, box);
  if (read.refused()) return read.refusal();

  Tag.set(block, g.Tag);
  // 935-JYRA has no unit choice: its word stays as the device keeps it; so does the word of a
  // list with no unit selected.
  if (g.model.model.unitChoice != UnitChoice::None && g.ComboBox1 >= 0 &&
      g.ComboBox1 < kHumidityUnits)
    HumidityUnit.set(block, g.ComboBox1);
  return std::nullopt;
}

}  // namespace

EncodingResult encodeSettings(const EditableGroupValues& group, SettingsImages& images) {
  switch (group.model.layout) {
    case Layout::Indicator: {
      SmallBlock block = images.IndicatorBlock;
      const auto refusal = encodeIndicator(group, images.IndicatorCopy, block);
      if (!refusal) images.IndicatorBlock = block;
      return {refusal, std::nullopt};
    }
    case Layout::Humidity: {
      SmallBlock block = images.HumidityBlock;
      const auto refusal = encodeHumidity(group, block);
      if (!refusal) images.HumidityBlock = block;
      return {refusal, std::nullopt};
    }
    case Layout::Transmitter:
      break;
  }
  TransmitterBlock block = clearedTransmitterBlock();
  const auto refusal = encodeTransmitter(group, block);
  if (refusal) return {refusal, std::nullopt};
  images.TransmitterBlock = block;
  return {std::nullopt, sensorTypeAt(group.ComboBox1)};
}

}  // namespace tadjust

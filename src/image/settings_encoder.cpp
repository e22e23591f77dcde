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

// Reads the settings' values as a layout needs them, and keeps the first refusal.
class FieldReader {
 public:
  const std::optional<EncodingRefusal>& refusal() const { return refusal_; }
  bool refused() const { return refusal_.has_value(); }

  void refuse(EncodingRefusalReason reason, std::optional<SettingsField> field = std::nullopt,
              LinearisationRefusal linearisation = LinearisationRefusal::kNone) {
    if (!refusal_) refusal_ = EncodingRefusal{reason, field, linearisation};
  }

  std::optional<Decimal> real(const SettingNumber& value, SettingsField field) {
    if (!value) refuse(EncodingRefusalReason::kNotANumber, field);
    return value;
  }

  // A whole number of 32 bits.
  std::optional<std::int32_t> integer(const SettingNumber& number, SettingsField field) {
    const auto value = real(number, field);
    if (!value) return std::nullopt;
    if (value->exponent() < 0) {
      refuse(EncodingRefusalReason::kNotAnInteger, field);
      return std::nullopt;
    }
    const auto whole = floorOfLinear(*value, Decimal(), Decimal::ofInteger(1));
    if (!whole || *whole < std::numeric_limits<std::int32_t>::min() ||
        *whole > std::numeric_limits<std::int32_t>::max()) {
      refuse(EncodingRefusalReason::kValueOutOfRange, field);
      return std::nullopt;
    }
    return static_cast<std::int32_t>(*whole);
  }

  // Floor((value + offset) × factor) of the value, as given or rounded to hundredths.
  std::optional<std::int64_t> raw(const SettingNumber& number, SettingsField field,
                                  Rounding rounding, const RawScale& scale) {
    const auto value = real(number, field);
    if (!value) return std::nullopt;
    const Decimal taken = rounding == Rounding::kHundredths ? value->round2() : *value;
    const auto word = floorOfLinear(taken, scale.offset, scale.factor);
    if (!word) refuse(EncodingRefusalReason::kValueOutOfRange, field);
    return word;
  }

  // Stores the value into its word, or refuses when the device would read another value there.
  template <class Word>
  void store(const Word& word, Bytes block, std::int64_t value, std::optional<SettingsField> field,
             EncodingRefusalReason reason = EncodingRefusalReason::kFieldOutOfRange) {
    if (!Word::holds(value)) {
      refuse(reason, field);
      return;
    }
    word.set(block, value);
  }

  // The selected entry of a list of `count` entries.
  std::optional<int> entry(int selected, int count, SettingsField field) {
    if (selected < 0 || selected >= count) {
      refuse(EncodingRefusalReason::kNothingSelected, field);
      return std::nullopt;
    }
    return selected;
  }

 private:
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
void encodeConnection(const TransmitterSettings& s, const LaidOutModel& model,
                      SensorType sensorType, FieldReader& read, std::uint16_t& inputConfig,
                      Bytes block) {
  using namespace transmitter;
  if (!s.connection) return;
  const auto connection = read.entry(*s.connection, kConnections, SettingsField::Connection);
  if (!connection) return;
  inputConfig |= static_cast<std::uint16_t>(*connection << kConnectionShift);
  const bool twoWire = *connection == 0 && (isResistanceThermometer(sensorType) ||
                                            sensorType == SensorType::Resistance);
  const bool externalJunction = *connection == 1 && isThermocouple(sensorType);
  if (twoWire) {
    const RawScale& scale = model.model.specialSensorList ? kSeriesSensorLeadOhmsRaw : kLeadOhmsRaw;
    if (const auto raw =
            read.raw(s.wireResistance, SettingsField::WireResistance, Rounding::kHundredths, scale))
      read.store(WireResistanceRaw, block, *raw, SettingsField::WireResistance);
  } else if (externalJunction) {
    if (const auto raw = read.raw(s.coldJunctionTemperature, SettingsField::ColdJunctionTemperature,
                                  Rounding::kHundredths, kDegreesRaw))
      read.store(ColdJunctionTempRaw, block, *raw, SettingsField::ColdJunctionTemperature);
  }
}

// Resistance thermometers and thermocouples: the range in whole degrees, the correction, and the
// linearisation over the window that the range widened by the output's margins gives.
void encodeTemperatureInput(const TransmitterSettings& s, const LaidOutModel& model,
                            SensorType sensorType, FieldReader& read, Bytes block) {
  using namespace transmitter;
  const auto low = read.integer(s.rangeLow, SettingsField::RangeLow);
  const auto high = read.integer(s.rangeHigh, SettingsField::RangeHigh);
  const auto correction = read.raw(s.temperatureOffset, SettingsField::TemperatureOffset,
                                   Rounding::kHundredths, kCorrectionRaw);
  if (read.refused()) return;
  if (std::llabs(*low) > kFarthestRangeTemperature)
    read.refuse(EncodingRefusalReason::kValueOutOfRange, SettingsField::RangeLow);
  if (std::llabs(*high) > kFarthestRangeTemperature)
    read.refuse(EncodingRefusalReason::kValueOutOfRange, SettingsField::RangeHigh);
  if (read.refused()) return;

  // (°C + 200) × 30: below -200 °C or above 1984 °C the word would wrap.
  const auto degreesRaw = [](std::int64_t degrees) {
    return degrees * raw_scales::kStepsPerDegree + raw_scales::kTemperatureZeroRaw;
  };
  read.store(RangeLowRaw, block, degreesRaw(*low), SettingsField::RangeLow);
  read.store(RangeHighRaw, block, degreesRaw(*high), SettingsField::RangeHigh);
  read.store(TempOffsetRaw, block, *correction, SettingsField::TemperatureOffset);
  if (read.refused()) return;

  const TemperatureLimits limits = temperatureLimits(*low, *high, s.outputReversed);
  const LinearisationResult table =
      buildLinearisation(sensorType, model.series, limits.lower, limits.upper, *high - *low, block);
  if (!table.writable()) {
    read.refuse(EncodingRefusalReason::kLinearisationUnwritable, std::nullopt, table.refusal);
    return;
  }
  // A writable table has its signal scale.
  const SignalRawScale scale = *signalRawScale(sensorType, model.series);
  InputLimitHighRaw.set(block, inputLimitHighRaw(scale, table.lastSignalThousandths));
}

// Voltage and resistance inputs: the range in the input's raw scale, the lower value rounded to
// hundredths, the upper one as typed; the input window from the range words.
void encodeLinearInput(const TransmitterSettings& s, const LaidOutModel& model,
                       SensorType sensorType, FieldReader& read, Bytes block) {
  using namespace transmitter;
  const RawScale* scale = nullptr;
  if (sensorType == SensorType::Resistance) {
    scale = model.model.specialSensorList ? &kSeriesSensorOhmsRaw : &kOhmsRaw;
  } else {
    scale = voltageScale(model.series);
    if (!scale) {
      read.refuse(EncodingRefusalReason::kNoVoltageScale, SettingsField::SensorType);
      return;
    }
  }
  auto low = read.raw(s.rangeLow, SettingsField::RangeLow, Rounding::kHundredths, *scale);
  const auto high = read.raw(s.rangeHigh, SettingsField::RangeHigh, Rounding::kAsTyped, *scale);
  if (read.refused()) return;
  // A voltage below the scale's zero has no word: the range starts at the zero.
  if (sensorType == SensorType::Voltage && *low < 0) low = 0;
  read.store(RangeLowRaw, block, *low, SettingsField::RangeLow);
  read.store(RangeHighRaw, block, *high, SettingsField::RangeHigh);
  if (read.refused()) return;

  const RawInputLimits limits =
      rawInputLimits(RangeLowRaw.get(block), RangeHighRaw.get(block), s.outputReversed);
  InputLimitHighRaw.set(block, limits.high);
  InputLimitLowRaw.set(block, limits.low);
}

std::optional<EncodingRefusal> encodeTransmitter(const TransmitterSettings& s,
                                                 const LaidOutModel& model,
                                                 TransmitterBlock& block) {
  using namespace transmitter;
  FieldReader read;
  if (!s.sensorType) {
    read.refuse(EncodingRefusalReason::kNothingSelected, SettingsField::SensorType);
    return read.refusal();
  }
  const SensorType sensorType = *s.sensorType;

  std::uint16_t inputConfig = sensorCode(sensorType);
  encodeConnection(s, model, sensorType, read, inputConfig, block);
  if (s.outputReversed) inputConfig |= kOutputReversedBit;
  if (s.failureHigh) inputConfig |= kFailureHighBit;
  InputConfig.set(block, inputConfig);
  if (read.refused()) return read.refusal();

  const auto filterTime = read.entry(s.filterIndex, kFilterTimes, SettingsField::FilterTime);
  if (!filterTime) return read.refusal();
  FilterTimeIndex.set(block, *filterTime);
  Tag.set(block, s.tag);

  if (isTemperatureSensor(sensorType)) {
    encodeTemperatureInput(s, model, sensorType, read, block);
  } else {
    encodeLinearInput(s, model, sensorType, read, block);
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
void encodeIndicatorScale(ConstBytes indicatorCopy, FieldReader& read, SmallBlock& block) {
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
    read.refuse(EncodingRefusalReason::kEqualDisplayValues, SettingsField::DisplayHigh);
    return;
  }

  const std::int64_t gainNumerator = displayHigh - displayLow;
  const std::int64_t gainDenominator = calibrationHigh - calibrationLow;
  ScaleShift.set(block, kScaleShift);
  read.store(kScaleGain, block,
             floorOfFraction(gainNumerator * (std::int64_t{1} << kScaleShift), gainDenominator),
             std::nullopt, EncodingRefusalReason::kScaleOutOfRange);
  // DisplayLow − InputCalLow × gain.
  const std::int64_t offset = floorOfFraction(
      displayLow * gainDenominator - calibrationLow * gainNumerator, gainDenominator);
  read.store(ScaleOffset, block, offset, std::nullopt, EncodingRefusalReason::kScaleOutOfRange);
  if (read.refused()) return;
  // (alarm − ScaleOffset) / gain.
  const auto alarmRaw = [&](std::int64_t alarm) {
    return floorOfFraction((alarm - offset) * gainDenominator, gainNumerator);
  };
  read.store(AlarmLowRaw, block, alarmRaw(AlarmLow.get(block)), SettingsField::AlarmLow,
             EncodingRefusalReason::kAlarmCountOutOfRange);
  read.store(AlarmHighRaw, block, alarmRaw(AlarmHigh.get(block)), SettingsField::AlarmHigh,
             EncodingRefusalReason::kAlarmCountOutOfRange);
}

std::optional<EncodingRefusal> encodeIndicator(const IndicatorSettings& s, ConstBytes indicatorCopy,
                                               SmallBlock& block) {
  using namespace indicator;
  using F = SettingsField;
  FieldReader read;
  const auto displayLow = read.integer(s.displayLow, F::DisplayLow);
  const auto displayHigh = read.integer(s.displayHigh, F::DisplayHigh);
  const auto alarmLow = read.integer(s.alarmLow, F::AlarmLow);
  const auto alarmHigh = read.integer(s.alarmHigh, F::AlarmHigh);
  const auto precision = read.entry(s.precision, kPrecisions, F::Precision);
  if (read.refused()) return read.refusal();

  read.store(DisplayLow, block, *displayLow, F::DisplayLow);
  read.store(DisplayHigh, block, *displayHigh, F::DisplayHigh);
  read.store(AlarmLow, block, *alarmLow, F::AlarmLow);
  read.store(AlarmHigh, block, *alarmHigh, F::AlarmHigh);
  if (read.refused()) return read.refusal();
  Precision.set(block, *precision);
  std::uint16_t alarms = AlarmFlags.get(block) & ~(kAlarmLowBit | kAlarmHighBit);
  if (s.alarmLowOn) alarms |= kAlarmLowBit;
  if (s.alarmHighOn) alarms |= kAlarmHighBit;
  AlarmFlags.set(block, alarms);
  Tag.set(block, s.tag);
  encodeIndicatorScale(indicatorCopy, read, block);
  return read.refusal();
}

// --- humidity layout ----------------------------------------------------------------------

std::optional<EncodingRefusal> encodeHumidity(const HumiditySettings& s, const LaidOutModel& model,
                                              SmallBlock& block) {
  using namespace humidity;
  using F = SettingsField;
  struct Stored {
    S16Field word;
    const SettingNumber& value;
    F field;
  };
  FieldReader read;
  // Ranges in hundredths, outputs as they are (mV or µA).
  const Stored ranges[] = {{TempRangeLow, s.temperatureLow, F::TemperatureLow},
                           {TempRangeHigh, s.temperatureHigh, F::TemperatureHigh},
                           {HumRangeLow, s.humidityLow, F::HumidityLow},
                           {HumRangeHigh, s.humidityHigh, F::HumidityHigh}};
  const Stored outputs[] = {{TempOutLow, s.temperatureOutputLow, F::TemperatureOutputLow},
                            {TempOutHigh, s.temperatureOutputHigh, F::TemperatureOutputHigh},
                            {HumOutLow, s.humidityOutputLow, F::HumidityOutputLow},
                            {HumOutHigh, s.humidityOutputHigh, F::HumidityOutputHigh}};
  for (const Stored& range : ranges)
    if (const auto value = read.integer(range.value, range.field))
      read.store(range.word, block, *value * kHundredths, range.field);
  for (const Stored& output : outputs)
    if (const auto value = read.integer(output.value, output.field))
      read.store(output.word, block, *value, output.field);
  if (read.refused()) return read.refusal();

  Tag.set(block, s.tag);
  // 935-JYRA has no unit choice: its word stays as the device keeps it; so does the word of a
  // list with no unit selected.
  if (model.model.unitChoice != UnitChoice::None && s.unit >= 0 && s.unit < kHumidityUnits)
    HumidityUnit.set(block, s.unit);
  return std::nullopt;
}

}  // namespace

EncodingResult encodeSettings(const DeviceSettings& settings, const LaidOutModel& model,
                              SettingsImages& images) {
  if (layoutOf(settings) != model.layout)
    return {EncodingRefusal{EncodingRefusalReason::kOtherLayout}, std::nullopt};
  switch (model.layout) {
    case Layout::Indicator: {
      SmallBlock block = images.IndicatorBlock;
      const auto refusal =
          encodeIndicator(std::get<IndicatorSettings>(settings), images.IndicatorCopy, block);
      if (!refusal) images.IndicatorBlock = block;
      return {refusal, std::nullopt};
    }
    case Layout::Humidity: {
      SmallBlock block = images.HumidityBlock;
      const auto refusal = encodeHumidity(std::get<HumiditySettings>(settings), model, block);
      if (!refusal) images.HumidityBlock = block;
      return {refusal, std::nullopt};
    }
    case Layout::Transmitter:
      break;
  }
  const auto& transmitterSettings = std::get<TransmitterSettings>(settings);
  TransmitterBlock block = clearedTransmitterBlock();
  const auto refusal = encodeTransmitter(transmitterSettings, model, block);
  if (refusal) return {refusal, std::nullopt};
  images.TransmitterBlock = block;
  return {std::nullopt, transmitterSettings.sensorType};
}

}  // namespace tadjust

#include "image/settings_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

#include "image/linearisation.h"
#include "image/output_limits.h"
#include "image/sensor_reference_tables.h"
#include "support/laid_out_models.h"

namespace tadjust {

void PrintTo(const EncodingRefusal& refusal, std::ostream* out) {
  *out << "{reason " << static_cast<int>(refusal.reason) << ", field "
       << (refusal.field ? static_cast<int>(*refusal.field) : -1) << ", linearisation "
       << static_cast<int>(refusal.linearisation) << "}";
}

namespace {

constexpr SensorType kPt100 = SensorType::Pt100;
constexpr SensorType kThermocoupleB = SensorType::ThermocoupleB;
constexpr SensorType kThermocoupleK = SensorType::ThermocoupleK;
constexpr SensorType kVoltage = SensorType::Voltage;
constexpr SensorType kResistance = SensorType::Resistance;

using testing::modelNamed;
using testing::n;

// Settings with the model they are encoded for.
template <class Settings>
struct Input : Settings {
  LaidOutModel model;
};
using TransmitterInput = Input<TransmitterSettings>;
using IndicatorInput = Input<IndicatorSettings>;
using HumidityInput = Input<HumiditySettings>;

// Settings of any layout with their model, for tables that mix layouts.
struct AnyInput {
  template <class Settings>
  AnyInput(const Input<Settings>& input)  // NOLINT(google-explicit-constructor)
      : settings(static_cast<const Settings&>(input)), model(input.model) {}
  DeviceSettings settings;
  LaidOutModel model;
};

EncodingResult encode(const AnyInput& input, SettingsImages& images) {
  return encodeSettings(input.settings, input.model, images);
}

// A transmitter's settings as a copy of a Pt100, 2-wire, 4 .. 20, 3,5 mA device leaves them.
TransmitterInput transmitterGroup(SensorType sensorType, const char* model = "RKA-49",
                                  unsigned series = 7) {
  TransmitterInput g;
  g.model = modelNamed(model, series);
  g.sensorType = sensorType;
  if (sensorType != kVoltage) g.connection = 0;
  g.filterIndex = 0;
  g.rangeLow = n("0");
  g.rangeHigh = n("100");
  if (sensorType != kVoltage) g.wireResistance = n("0");
  if (isTemperatureSensor(sensorType)) g.temperatureOffset = n("0");
  g.tag = "TT-101";
  return g;
}

bool sameImages(const SettingsImages& a, const SettingsImages& b) {
  return a.SettingsImage == b.SettingsImage && a.IndicatorCopy == b.IndicatorCopy &&
         a.HumidityCopy == b.HumidityCopy && a.TransmitterBlock == b.TransmitterBlock &&
         a.IndicatorBlock == b.IndicatorBlock && a.HumidityBlock == b.HumidityBlock;
}

// Every area filled with a pattern, product codes and serial numbers in place, so that a byte the
// encoder should not touch shows.
SettingsImages patternedImages(std::uint16_t productCode) {
  SettingsImages images;
  const auto fill = [](auto& area, std::uint8_t seed) {
    for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<std::uint8_t>(seed + i);
  };
  fill(images.SettingsImage, 0x10);
  fill(images.IndicatorCopy, 0x20);
  fill(images.HumidityCopy, 0x30);
  fill(images.TransmitterBlock, 0x40);
  fill(images.IndicatorBlock, 0x50);
  fill(images.HumidityBlock, 0x60);
  transmitter::ProductCode.set(images.SettingsImage, productCode);
  transmitter::SerialNumber.set(images.SettingsImage, 4321);
  indicator::ProductCode.set(images.IndicatorCopy, indicator::kProductCode);
  indicator::SerialNumber.set(images.IndicatorCopy, 4321);
  humidity::ProductCode.set(images.HumidityCopy, 15002);
  humidity::SerialNumber.set(images.HumidityCopy, 4321);
  return images;
}

// --- transmitter layout ---

// The words a case checks; -1 leaves a word unchecked.
struct TransmitterWords {
  int InputConfig = -1;
  int RangeLowRaw = -1;
  int RangeHighRaw = -1;
  int WireResistanceRaw = -1;
  int ColdJunctionTempRaw = -1;
  int TempOffsetRaw = -1;  // as the unsigned word
  int InputLimitHighRaw = -1;
  int InputLimitLowRaw = -1;
};

struct TransmitterCase {
  const char* name;
  TransmitterInput group;
  TransmitterWords expected;
};

template <class Group, class Change>
Group with(Group g, const Change& change) {
  change(g);
  return g;
}

TEST(TransmitterEncoding, WordsFromTheExactValuesOfTheGroup) {
  const TransmitterCase cases[] = {
      {"Pt100, 3-wire, -100..800",
       with(transmitterGroup(kPt100),
            [](auto& g) {
              g.connection = 1;
              g.rangeLow = n("-100");
              g.rangeHigh = n("800");
              g.wireResistance = std::nullopt;  // the hidden row's text is not read
            }),
       {.InputConfig = 0x2010, .RangeLowRaw = 3000, .RangeHighRaw = 30000, .TempOffsetRaw = 0}},
      {"K, external compensation at 25 °C, 0..1000, series 7",
       with(transmitterGroup(kThermocoupleK),
            [](auto& g) {
              g.connection = 1;
              g.rangeHigh = n("1000");
              g.coldJunctionTemperature = n("25");
            }),
       {.InputConfig = 0x3410,
        .RangeLowRaw = 6000,
        .RangeHighRaw = 36000,
        .WireResistanceRaw = 0,
        .ColdJunctionTempRaw = 6750,
        .InputLimitHighRaw = 47918}},  // 42.518 mV at 1032 °C: exactly 47918
      {"K, internal compensation: no cold-junction temperature read",
       with(transmitterGroup(kThermocoupleK),
            [](auto& g) { g.coldJunctionTemperature = std::nullopt; }),
       {.InputConfig = 0x3400, .WireResistanceRaw = 0, .ColdJunctionTempRaw = 0}},
      {"cold junction -0.105 °C: -0.10, ties to even, times 30 exactly",
       with(transmitterGroup(kThermocoupleK),
            [](auto& g) {
              g.connection = 1;
              g.coldJunctionTemperature = n("-0.105");
            }),
       {.ColdJunctionTempRaw = 5997}},
      {"Pt100, 2-wire, lead 0.5 Ohm",
       with(transmitterGroup(kPt100), [](auto& g) { g.wireResistance = n("0.5"); }),
       {.InputConfig = 0x2000, .WireResistanceRaw = 100}},
      {"Pt500 of RKN-40F3, 2-wire, lead 0.5 Ohm",
       with(transmitterGroup(kPt100, "RKN-40F3", 9), [](auto& g) { g.wireResistance = n("0.5"); }),
       {.WireResistanceRaw = 20}},
      {"resistance, 2-wire, lead 0.5 Ohm",
       with(transmitterGroup(kResistance),
            [](auto& g) {
              g.rangeLow = n("55");
              g.rangeHigh = n("60");
              g.wireResistance = n("0.5");
            }),
       {.InputConfig = 0x0000, .WireResistanceRaw = 100}},
      {"resistance of RKN-40F3, 2-wire, lead 0.5 Ohm",
       with(transmitterGroup(kResistance, "RKN-40F3", 9),
            [](auto& g) {
              g.rangeLow = n("300");
              g.rangeHigh = n("1913.375");
              g.wireResistance = n("0.5");
            }),
       {.RangeLowRaw = 1000, .RangeHighRaw = 65535, .WireResistanceRaw = 20}},
      {"lead 0.125 Ohm is 0.12 Ohm",
       with(transmitterGroup(kPt100), [](auto& g) { g.wireResistance = n("0.125"); }),
       {.WireResistanceRaw = 24}},
      {"Pt100, 4-wire, 20 .. 4, failure high",
       with(transmitterGroup(kPt100),
            [](auto& g) {
              g.connection = 2;
              g.outputReversed = true;
              g.failureHigh = true;
              g.wireResistance = std::nullopt;
            }),
       {.InputConfig = 0x2023, .WireResistanceRaw = 0}},
      {"fixed-sensor probe: no connection row, no connection bits",
       with(transmitterGroup(kPt100, "RQ-117/A", 9),
            [](auto& g) {
              g.connection = std::nullopt;
              g.wireResistance = std::nullopt;
            }),
       {.InputConfig = 0x2000, .WireResistanceRaw = 0}},
      {"voltage, series 7, -6..50: the lower value clamped to the scale's zero",
       with(transmitterGroup(kVoltage),
            [](auto& g) {
              g.rangeLow = n("-6");
              g.rangeHigh = n("50");
              g.wireResistance = std::nullopt;
              g.temperatureOffset = std::nullopt;
            }),
       {.InputConfig = 0x1000,
        .RangeLowRaw = 0,
        .RangeHighRaw = 55400,
        .TempOffsetRaw = 0,
        .InputLimitHighRaw = 57132,  // 55400 + 55400 / 32, up
        .InputLimitLowRaw = 2}},     // 0 − 55400 / 80, kept at 2
      {"voltage, series 9: lower rounded to hundredths, upper as typed",
       with(transmitterGroup(kVoltage, "RKA-59", 9),
            [](auto& g) {
              g.rangeLow = n("0.005");     // 0.00
              g.rangeHigh = n("10.0039");  // 10401.95 raw
            }),
       {.RangeLowRaw = 5400, .RangeHighRaw = 10401}},
      {"voltage, series 10, reversed output",
       with(transmitterGroup(kVoltage, "RKA-49", 10),
            [](auto& g) {
              g.rangeLow = n("-10.8");
              g.rangeHigh = n("10");
              g.outputReversed = true;
            }),
       {.InputConfig = 0x1002,
        .RangeLowRaw = 0,
        .RangeHighRaw = 10400,
        .InputLimitHighRaw = 10530,  // 10400 + 10400 / 80
        .InputLimitLowRaw = 2}},
      {"resistance 55.035 Ohm: lower 55.04 (to even), upper as typed",
       with(transmitterGroup(kResistance),
            [](auto& g) {
              g.rangeLow = n("55.035");
              g.rangeHigh = n("55.035");
            }),
       {.RangeLowRaw = 8, .RangeHighRaw = 7}},
  };
  for (const auto& c : cases) {
    SettingsImages images = patternedImages(7001);
    const EncodingResult result = encode(c.group, images);
    ASSERT_TRUE(result.encoded()) << c.name;
    EXPECT_EQ(result.EditSensorType, c.group.sensorType) << c.name;
    const ConstBytes block = images.TransmitterBlock;
    const auto check = [&](int expected, std::uint16_t word, const char* field) {
      if (expected >= 0) {
        EXPECT_EQ(word, expected) << c.name << ": " << field;
      }
    };
    using namespace transmitter;
    check(c.expected.InputConfig, InputConfig.get(block), "InputConfig");
    check(c.expected.RangeLowRaw, RangeLowRaw.get(block), "RangeLowRaw");
    check(c.expected.RangeHighRaw, RangeHighRaw.get(block), "RangeHighRaw");
    check(c.expected.WireResistanceRaw, WireResistanceRaw.get(block), "WireResistanceRaw");
    check(c.expected.ColdJunctionTempRaw, ColdJunctionTempRaw.get(block), "ColdJunctionTempRaw");
    check(c.expected.TempOffsetRaw, static_cast<std::uint16_t>(TempOffsetRaw.get(block)),
          "TempOffsetRaw");
    check(c.expected.InputLimitHighRaw, InputLimitHighRaw.get(block), "InputLimitHighRaw");
    check(c.expected.InputLimitLowRaw, InputLimitLowRaw.get(block), "InputLimitLowRaw");
  }
}

TEST(TransmitterEncoding, CorrectionIsTheExactValueRoundedToHundredthsTimes30) {
  const struct {
    const char* correction;
    std::uint16_t word;
  } cases[] = {
      {"-1", 0xFFE2},      {"0.7", 21},  // in binary 20.999999999999996
      {"-0.1", 0xFFFD},    {"2.3", 69},  {"10", 300},
      {"-10", 0xFED4},     {"0.005", 0}, {"0.015", 0},  // 0.02 × 30 = 0.6
      {"-0.456", 0xFFF2},                               // -0.46 × 30 = -13.8
      {"0.0335", 0},                                    // 0.03 × 30 = 0.9, not 1.005
      {"-0.0335", 0xFFFF},                              // -0.03 × 30 = -0.9, not -1.005
  };
  for (const auto& c : cases) {
    SettingsImages images;
    const auto g =
        with(transmitterGroup(kPt100), [&](auto& g) { g.temperatureOffset = n(c.correction); });
    ASSERT_TRUE(encode(g, images).encoded()) << c.correction;
    EXPECT_EQ(static_cast<std::uint16_t>(transmitter::TempOffsetRaw.get(images.TransmitterBlock)),
              c.word)
        << c.correction;
  }
}

TEST(TransmitterEncoding, LinearisationCoversTheRangeWidenedByTheOutputMargins) {
  const struct {
    SensorType sensorType;
    unsigned series;
    int low, high;
    bool reversed;
    int lowerLimit, upperLimit;
  } cases[] = {
      {kPt100, 7, -100, 800, false, -112, 829},
      {kPt100, 9, -100, 800, true, -129, 812},
      {kThermocoupleK, 7, 0, 1000, false, -13, 1032},
  };
  for (const auto& c : cases) {
    SettingsImages images;
    auto g = transmitterGroup(c.sensorType, "RKA-49", c.series);
    g.rangeLow = Decimal::ofInteger(c.low);
    g.rangeHigh = Decimal::ofInteger(c.high);
    g.outputReversed = c.reversed;
    ASSERT_TRUE(encode(g, images).encoded());

    const TemperatureLimits limits = temperatureLimits(c.low, c.high, c.reversed);
    EXPECT_EQ(limits.lower, c.lowerLimit);
    EXPECT_EQ(limits.upper, c.upperLimit);
    // The table words are what buildLinearisation stores into a cleared block.
    std::array<std::uint8_t, kTransmitterBlockSize> expected{};
    for (std::size_t i = 0; i < 20; ++i) transmitter::LinSignal.set(expected, i, 0xFFFF);
    for (std::size_t i = 0; i < 7; ++i) transmitter::CjcTemp.set(expected, i, 0xFFFF);
    const auto table = buildLinearisation(c.sensorType, c.series, limits.lower, limits.upper,
                                          c.high - c.low, expected);
    ASSERT_TRUE(table.writable());
    // LinSlopeShift and CjcSlopeShift, then everything from LinSignal on.
    const ConstBytes actual = images.TransmitterBlock;
    EXPECT_TRUE(std::equal(actual.begin() + 2, actual.begin() + 6, expected.begin() + 2));
    EXPECT_TRUE(std::equal(actual.begin() + 30, actual.end(), expected.begin() + 30));
    EXPECT_EQ(transmitter::LinTemp.get(actual, 0), (table.firstTemperature + 200) * 30);
    EXPECT_EQ(
        transmitter::InputLimitHighRaw.get(actual),
        inputLimitHighRaw(*signalRawScale(c.sensorType, c.series), table.lastSignalThousandths));
  }
}

TEST(TransmitterEncoding, BlockIsRebuiltFromScratch) {
  SettingsImages images = patternedImages(9002);
  auto g = transmitterGroup(kVoltage, "RKA-59", 9);
  g.filterIndex = 6;
  g.tag = "ABCDEFGHIJKLMNOP";  // a humidity tag copied into the box earlier
  ASSERT_TRUE(encode(g, images).encoded());
  const ConstBytes block = images.TransmitterBlock;
  using namespace transmitter;
  EXPECT_EQ(FilterTimeIndex.get(block), 6);
  EXPECT_EQ(Tag.get(block), "ABCDEFGHIJ");
  EXPECT_EQ(LinSlopeShift.get(block), 0);
  EXPECT_EQ(CjcSlopeShift.get(block), 0);
  for (std::size_t i = 1; i < LinSignal.count; ++i) EXPECT_EQ(LinSignal.get(block, i), 0xFFFF);
  for (std::size_t i = 0; i < CjcTemp.count; ++i) EXPECT_EQ(CjcTemp.get(block, i), 0xFFFF);
  // Every byte from LinSlope to the end but CjcTemp is zero: nothing of the old block is left.
  for (std::size_t offset = LinSlope.offset; offset < kTransmitterBlockSize; ++offset)
    if (offset < CjcTemp.offset || offset >= CjcSlope.offset) {
      EXPECT_EQ(block[offset], 0) << offset;
    }
  // The device's identity lies outside the block and is never touched.
  EXPECT_EQ(images.ProductCode(), 9002);
  EXPECT_EQ(SerialNumber.get(images.SettingsImage), 4321);
}

TEST(TransmitterEncoding, TagTakesWindows1250BytesAndQuestionMarks) {
  SettingsImages images;
  auto g = transmitterGroup(kPt100);
  g.tag = "Łódź 中 €";
  ASSERT_TRUE(encode(g, images).encoded());
  const std::uint8_t expected[] = {0xA3, 0xF3, 0x64, 0x9F, ' ', '?', ' ', 0x80, 0, 0};
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected),
                         images.TransmitterBlock.begin() + transmitter::Tag.offset));
}

// --- refusals ---

struct RefusalCase {
  const char* name;
  TransmitterInput group;
  EncodingRefusal refusal;
};

TEST(TransmitterEncoding, RefusesWhatHasNoDefinedWordAndLeavesEverythingAsItWas) {
  using R = EncodingRefusalReason;
  using F = SettingsField;
  const RefusalCase cases[] = {
      {"no sensor type",
       with(transmitterGroup(kPt100), [](auto& g) { g.sensorType = std::nullopt; }),
       {R::kNothingSelected, F::SensorType}},
      {"no connection in a shown list",
       with(transmitterGroup(kPt100), [](auto& g) { g.connection = -1; }),
       {R::kNothingSelected, F::Connection}},
      {"no filter time",
       with(transmitterGroup(kPt100), [](auto& g) { g.filterIndex = -1; }),
       {R::kNothingSelected, F::FilterTime}},
      {"lead resistance not a number",
       with(transmitterGroup(kPt100), [](auto& g) { g.wireResistance = std::nullopt; }),
       {R::kNotANumber, F::WireResistance}},
      {"cold junction not a number",
       with(transmitterGroup(kThermocoupleK),
            [](auto& g) {
              g.connection = 1;
              g.coldJunctionTemperature = std::nullopt;
            }),
       {R::kNotANumber, F::ColdJunctionTemperature}},
      {"lower range with a fraction",
       with(transmitterGroup(kPt100), [](auto& g) { g.rangeLow = n("12.5"); }),
       {R::kNotAnInteger, F::RangeLow}},
      {"upper range not a number",
       with(transmitterGroup(kPt100), [](auto& g) { g.rangeHigh = std::nullopt; }),
       {R::kNotANumber, F::RangeHigh}},
      {"correction not a number",
       with(transmitterGroup(kPt100), [](auto& g) { g.temperatureOffset = std::nullopt; }),
       {R::kNotANumber, F::TemperatureOffset}},
      {"correction beyond any word",
       with(transmitterGroup(kPt100), [](auto& g) { g.temperatureOffset = n("1e30"); }),
       {R::kValueOutOfRange, F::TemperatureOffset}},
      {"range beyond 32 bits",
       with(transmitterGroup(kPt100), [](auto& g) { g.rangeHigh = n("3e9"); }),
       {R::kValueOutOfRange, F::RangeHigh}},
      {"range far beyond any sensor",
       with(transmitterGroup(kPt100), [](auto& g) { g.rangeLow = n("-2e9"); }),
       {R::kValueOutOfRange, F::RangeLow}},
      {"voltage upper not a number",
       with(transmitterGroup(kVoltage), [](auto& g) { g.rangeHigh = std::nullopt; }),
       {R::kNotANumber, F::RangeHigh}},
      {"voltage on a series without a voltage scale",
       with(transmitterGroup(kVoltage, "RKA-4", 8), [](auto&) {}),
       {R::kNoVoltageScale, F::SensorType}},
      {"thermocouple on a series without a voltage scale",
       with(transmitterGroup(kThermocoupleK, "RKA-4", 8), [](auto&) {}),
       {R::kLinearisationUnwritable, std::nullopt, LinearisationRefusal::kNoSignalScale}},
      {"thermocouple B, series 9, reversed, 400..800: a slope beyond 16 bits",
       with(transmitterGroup(kThermocoupleB, "RKA-49", 9),
            [](auto& g) {
              g.rangeLow = n("400");
              g.rangeHigh = n("800");
              g.outputReversed = true;
            }),
       {R::kLinearisationUnwritable, std::nullopt, LinearisationRefusal::kSlopeTooSteep}},
      {"upper range below the lower",
       with(transmitterGroup(kPt100),
            [](auto& g) {
              g.rangeLow = n("100");
              g.rangeHigh = n("0");
            }),
       {R::kLinearisationUnwritable, std::nullopt, LinearisationRefusal::kTooFewPoints}},
  };
  for (const auto& c : cases) {
    SettingsImages images = patternedImages(7001);
    const SettingsImages before = images;
    const EncodingResult result = encode(c.group, images);
    ASSERT_FALSE(result.encoded()) << c.name;
    EXPECT_EQ(*result.refusal, c.refusal) << c.name;
    EXPECT_FALSE(result.EditSensorType.has_value()) << c.name;
    EXPECT_TRUE(sameImages(images, before)) << c.name;
  }
}

// --- indicator layout ---

IndicatorInput indicatorGroup(const char* low, const char* high, const char* alarmLow,
                              const char* alarmHigh) {
  IndicatorInput g;
  g.model = modelNamed("GWA-43", 10);
  g.displayLow = n(low);
  g.displayHigh = n(high);
  g.alarmLow = n(alarmLow);
  g.alarmHigh = n(alarmHigh);
  g.precision = 1;
  g.alarmLowOn = true;
  g.tag = "PI-7";
  return g;
}

SettingsImages indicatorImages(std::uint16_t calibrationLow, std::uint16_t calibrationHigh) {
  SettingsImages images = patternedImages(indicator::kProductCode);
  indicator::InputCalLow.set(images.IndicatorCopy, calibrationLow);
  indicator::InputCalHigh.set(images.IndicatorCopy, calibrationHigh);
  indicator::AlarmFlags.set(images.IndicatorBlock, 0xA5F2);
  return images;
}

TEST(IndicatorEncoding, ScaleAndAlarmRawsAreFloorsOfExactFractions) {
  const struct {
    std::uint16_t calibrationLow, calibrationHigh;
    const char *low, *high, *alarmLow, *alarmHigh;
    std::uint16_t gain, offset, alarmLowRaw, alarmHighRaw;
  } cases[] = {
      // gain 1000/26214: 1250.02 → 1250; 0 − 6554 × gain = −250.02 → −251;
      // (100 + 251) / gain = 9201.11; (1000 + 251) / gain = 32793.71.
      {6554, 32768, "0", "1000", "100", "1000", 1250, 0xFF05, 9201, 32793},
      // The offset floors downward: (−200 + 251) / gain = 1336.9 → 1336.
      {6554, 32768, "0", "1000", "-200", "0", 1250, 0xFF05, 1336, 6579},
      // Calibration points the other way round: a negative gain, −1251 and 1250.
      {32768, 6554, "0", "1000", "100", "900", 0xFB1D, 1250, 30146, 9174},
      // A reversed display: gain −1, offset 1000 + 1000 = 2000.
      {1000, 2000, "1000", "0", "900", "100", 0x8000, 2000, 1100, 1900},
  };
  for (const auto& c : cases) {
    SettingsImages images = indicatorImages(c.calibrationLow, c.calibrationHigh);
    const auto g = indicatorGroup(c.low, c.high, c.alarmLow, c.alarmHigh);
    ASSERT_TRUE(encode(g, images).encoded()) << c.calibrationLow << " " << c.low;
    const ConstBytes block = images.IndicatorBlock;
    using namespace indicator;
    EXPECT_EQ(ScaleShift.get(block), 15);
    EXPECT_EQ(ScaleGain.get(block), c.gain) << c.calibrationLow << " " << c.low;
    EXPECT_EQ(static_cast<std::uint16_t>(ScaleOffset.get(block)), c.offset) << c.calibrationLow;
    EXPECT_EQ(AlarmLowRaw.get(block), c.alarmLowRaw) << c.calibrationLow << " " << c.alarmLow;
    EXPECT_EQ(AlarmHighRaw.get(block), c.alarmHighRaw) << c.calibrationLow << " " << c.alarmHigh;
  }
}

TEST(IndicatorEncoding, EditedFieldsOverTheCopyTheRestKept) {
  SettingsImages images = indicatorImages(6554, 32768);
  const SettingsImages before = images;
  auto g = indicatorGroup("-999", "9999", "-5", "1000");
  g.tag = "ABCDEFGHIJKLMNOP";
  ASSERT_TRUE(encode(g, images).encoded());
  const ConstBytes block = images.IndicatorBlock;
  using namespace indicator;
  EXPECT_EQ(DisplayLow.get(block), -999);
  EXPECT_EQ(DisplayHigh.get(block), 9999);
  EXPECT_EQ(AlarmLow.get(block), -5);
  EXPECT_EQ(AlarmHigh.get(block), 1000);
  EXPECT_EQ(Precision.get(block), 1);
  EXPECT_EQ(AlarmFlags.get(block), 0xA5F1);  // bit 0 set, bit 1 cleared, the rest as read
  EXPECT_EQ(Tag.get(block), "ABCDEFGHIJ");
  // The bytes after the tag go back to the device as the copy held them.
  EXPECT_TRUE(std::equal(block.begin() + 32, block.end(), before.IndicatorBlock.begin() + 32));
  EXPECT_TRUE(images.IndicatorCopy == before.IndicatorCopy);
  EXPECT_TRUE(images.TransmitterBlock == before.TransmitterBlock);
  EXPECT_TRUE(images.HumidityBlock == before.HumidityBlock);
}

TEST(IndicatorEncoding, RefusesAnUndefinedScaleOrAValueThatIsNotAWholeNumber) {
  using R = EncodingRefusalReason;
  using F = SettingsField;
  const struct {
    const char* name;
    std::uint16_t calibrationLow, calibrationHigh;
    IndicatorInput group;
    EncodingRefusal refusal;
  } cases[] = {
      {"equal calibration words",
       5000,
       5000,
       indicatorGroup("0", "1000", "0", "0"),
       {R::kEqualCalibrationPoints}},
      {"equal display values",
       6554,
       32768,
       indicatorGroup("50", "50", "50", "50"),
       {R::kEqualDisplayValues, F::DisplayHigh}},
      {"display value that its word would wrap to the other one",
       6554,
       32768,
       indicatorGroup("0", "65536", "0", "0"),
       {R::kFieldOutOfRange, F::DisplayHigh}},
      {"alarm with a fraction",
       6554,
       32768,
       indicatorGroup("0", "1000", "12.5", "0"),
       {R::kNotAnInteger, F::AlarmLow}},
      {"alarm not a number",
       6554,
       32768,
       with(indicatorGroup("0", "1000", "0", "0"), [](auto& g) { g.alarmHigh = std::nullopt; }),
       {R::kNotANumber, F::AlarmHigh}},
      {"no precision",
       6554,
       32768,
       with(indicatorGroup("0", "1000", "0", "0"), [](auto& g) { g.precision = -1; }),
       {R::kNothingSelected, F::Precision}},
  };
  for (const auto& c : cases) {
    SettingsImages images = indicatorImages(c.calibrationLow, c.calibrationHigh);
    const SettingsImages before = images;
    const EncodingResult result = encode(c.group, images);
    ASSERT_FALSE(result.encoded()) << c.name;
    EXPECT_EQ(*result.refusal, c.refusal) << c.name;
    EXPECT_TRUE(sameImages(images, before)) << c.name;
  }
}

// --- humidity layout ---

HumidityInput humidityGroup(const char* model, int unit) {
  HumidityInput g;
  g.model = modelNamed(model, 15);
  g.temperatureLow = n("-40");
  g.temperatureHigh = n("100");
  g.humidityLow = n("0");
  g.humidityHigh = n("100");
  g.temperatureOutputLow = n("4000");
  g.temperatureOutputHigh = n("20000");
  g.humidityOutputLow = n("-3");
  g.humidityOutputHigh = n("32767");
  g.unit = unit;
  g.tag = "Hala 2 - północ";
  return g;
}

TEST(HumidityEncoding, RangesInHundredthsOutputsAsTheyAreOverTheCopy) {
  SettingsImages images = patternedImages(15002);
  const SettingsImages before = images;
  ASSERT_TRUE(encode(humidityGroup("ARR/A", 1), images).encoded());
  const ConstBytes block = images.HumidityBlock;
  using namespace humidity;
  EXPECT_EQ(TempRangeLow.get(block), -4000);
  EXPECT_EQ(TempRangeHigh.get(block), 10000);
  EXPECT_EQ(HumRangeLow.get(block), 0);
  EXPECT_EQ(HumRangeHigh.get(block), 10000);
  EXPECT_EQ(TempOutLow.get(block), 4000);
  EXPECT_EQ(static_cast<std::uint16_t>(TempOutHigh.get(block)), 20000);
  EXPECT_EQ(HumOutLow.get(block), -3);
  EXPECT_EQ(HumOutHigh.get(block), 32767);
  EXPECT_EQ(HumidityUnit.get(block), 1);
  EXPECT_EQ(Tag.get(block), "Hala 2 - północ");  // 15 characters, one byte each
  EXPECT_TRUE(std::equal(block.begin() + 34, block.end(), before.HumidityBlock.begin() + 34));
  EXPECT_TRUE(images.HumidityCopy == before.HumidityCopy);
  EXPECT_EQ(humidity::ProductCode.get(images.HumidityCopy), 15002);
}

TEST(HumidityEncoding, UnitWordOnlyForModelsWithAUnitChoiceAndAnEntrySelected) {
  const struct {
    const char* model;
    int selected;
    std::uint16_t word;  // the device's word is 0x0101
  } cases[] = {
      {"ARR/A", 0, 0},         {"ARR/V", 1, 1},      {"ARR-43", 1, 1},
      {"ARR-43", -1, 0x0101},  {"ARR/A", 2, 0x0101}, {"935-JYRA", 0, 0x0101},
      {"935-JYRA", 1, 0x0101},
  };
  for (const auto& c : cases) {
    SettingsImages images;
    humidity::HumidityUnit.set(images.HumidityBlock, 0x0101);
    ASSERT_TRUE(encode(humidityGroup(c.model, c.selected), images).encoded());
    EXPECT_EQ(humidity::HumidityUnit.get(images.HumidityBlock), c.word)
        << c.model << " " << c.selected;
  }
}

TEST(HumidityEncoding, RefusesABoxThatIsNotAWholeNumber) {
  for (const auto box : {&HumidityInput::humidityLow, &HumidityInput::humidityOutputHigh}) {
    SettingsImages images = patternedImages(15003);
    const SettingsImages before = images;
    auto g = humidityGroup("ARR/V", 0);
    g.*box = std::nullopt;
    const auto result = encode(g, images);
    ASSERT_FALSE(result.encoded());
    EXPECT_EQ(result.refusal->reason, EncodingRefusalReason::kNotANumber);
    EXPECT_TRUE(sameImages(images, before));
  }
  SettingsImages images;
  auto g = humidityGroup("ARR/V", 0);
  g.humidityHigh = n("99.5");
  EXPECT_EQ(encode(g, images).refusal,
            (EncodingRefusal{EncodingRefusalReason::kNotAnInteger, SettingsField::HumidityHigh}));
}

// --- no word stored wrapped ---

// Every field the encoder writes, at both ends of the range the device reads it in (signed
// -32768..32767, unsigned 0..65535; the indicator's gain either way) and one step past, in the
// box's own units. Past an end the group is refused, naming the box, and nothing changes.
TEST(WordRanges, EveryFieldHoldsItsEndsAndRefusesOnePast) {
  using R = EncodingRefusalReason;
  using F = SettingsField;
  const auto resistance = [](const char* low, const char* high) {
    return with(transmitterGroup(kResistance), [=](auto& g) {
      g.rangeLow = n(low);
      g.rangeHigh = n(high);
    });
  };
  const auto pt100 = [](auto f) { return with(transmitterGroup(kPt100), f); };
  const auto junction = [](const char* degrees) {
    return with(transmitterGroup(kThermocoupleK), [=](auto& g) {
      g.connection = 1;
      g.coldJunctionTemperature = n(degrees);
    });
  };
  const auto humidity = [](SettingNumber HumidityInput::*box, const char* value) {
    return with(humidityGroup("ARR/A", 0), [=](auto& g) { g.*box = n(value); });
  };
  const std::optional<EncodingRefusal> kStored;
  const struct {
    const char* name;
    AnyInput group;
    std::uint16_t calibrationLow = 0, calibrationHigh = 0;  // the indicator's
    std::optional<EncodingRefusal> refusal;
  } cases[] = {
      // Transmitter: the range words of a resistance input (the upper as typed), (Ohm − 55) × 200.
      {"RangeLowRaw 0", resistance("55", "100"), 0, 0, kStored},
      {"RangeLowRaw -2", resistance("54.99", "100"), 0, 0, {{R::kFieldOutOfRange, F::RangeLow}}},
      {"RangeHighRaw 65535", resistance("100", "382.675"), 0, 0, kStored},
      {"RangeHighRaw 65536",
       resistance("100", "382.68"),
       0,
       0,
       {{R::kFieldOutOfRange, F::RangeHigh}}},
      // Temperatures, (°C + 200) × 30: -201 °C and 1985 °C have no word.
      {"RangeLowRaw of -201 °C",
       pt100([](auto& g) { g.rangeLow = n("-201"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::RangeLow}}},
      {"RangeHighRaw of 1985 °C",
       with(transmitterGroup(kThermocoupleB), [](auto& g) { g.rangeHigh = n("1985"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::RangeHigh}}},
      // The correction, signed, hundredths × 30.
      {"TempOffsetRaw -32768", pt100([](auto& g) { g.temperatureOffset = n("-1092.26"); }), 0, 0,
       kStored},
      {"TempOffsetRaw -32769",
       pt100([](auto& g) { g.temperatureOffset = n("-1092.27"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureOffset}}},
      {"TempOffsetRaw 32767", pt100([](auto& g) { g.temperatureOffset = n("1092.25"); }), 0, 0,
       kStored},
      {"TempOffsetRaw 32768",
       pt100([](auto& g) { g.temperatureOffset = n("1092.27"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureOffset}}},
      // The lead resistance of a 2-wire connection, × 200.
      {"WireResistanceRaw 0", pt100([](auto& g) { g.wireResistance = n("0"); }), 0, 0, kStored},
      {"WireResistanceRaw -2",
       pt100([](auto& g) { g.wireResistance = n("-0.01"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::WireResistance}}},
      {"WireResistanceRaw 65534", pt100([](auto& g) { g.wireResistance = n("327.67"); }), 0, 0,
       kStored},
      {"WireResistanceRaw 65536",
       pt100([](auto& g) { g.wireResistance = n("327.68"); }),
       0,
       0,
       {{R::kFieldOutOfRange, F::WireResistance}}},
      // The external cold junction, (°C + 200) × 30.
      {"ColdJunctionTempRaw 0", junction("-200"), 0, 0, kStored},
      {"ColdJunctionTempRaw -1",
       junction("-200.01"),
       0,
       0,
       {{R::kFieldOutOfRange, F::ColdJunctionTemperature}}},
      {"ColdJunctionTempRaw 65535", junction("1984.51"), 0, 0, kStored},
      {"ColdJunctionTempRaw 65536",
       junction("1984.54"),
       0,
       0,
       {{R::kFieldOutOfRange, F::ColdJunctionTemperature}}},
      // Indicator: calibration 0..65535 gives a gain of 1, offset -32768, alarm counts = alarm +
      // 32768.
      {"display and alarms at the signed ends",
       indicatorGroup("-32768", "32767", "-32768", "32767"), 0, 65535, kStored},
      {"DisplayLow -32769",
       indicatorGroup("-32769", "32767", "0", "0"),
       0,
       65535,
       {{R::kFieldOutOfRange, F::DisplayLow}}},
      {"DisplayHigh 32768",
       indicatorGroup("-32768", "32768", "0", "0"),
       0,
       65535,
       {{R::kFieldOutOfRange, F::DisplayHigh}}},
      {"AlarmLow -32769",
       indicatorGroup("0", "1000", "-32769", "0"),
       0,
       65535,
       {{R::kFieldOutOfRange, F::AlarmLow}}},
      {"AlarmHigh 32768",
       indicatorGroup("0", "1000", "0", "32768"),
       0,
       65535,
       {{R::kFieldOutOfRange, F::AlarmHigh}}},
      // Gain 0.5 on calibration 0..64000: alarm counts (alarm + 16000) × 2.
      {"AlarmLowRaw 0, AlarmHighRaw 65534", indicatorGroup("-16000", "16000", "-16000", "16767"), 0,
       64000, kStored},
      {"AlarmLowRaw -2",
       indicatorGroup("-16000", "16000", "-16001", "0"),
       0,
       64000,
       {{R::kAlarmCountOutOfRange, F::AlarmLow}}},
      {"AlarmHighRaw 65536",
       indicatorGroup("-16000", "16000", "0", "16768"),
       0,
       64000,
       {{R::kAlarmCountOutOfRange, F::AlarmHigh}}},
      // The gain, × 32768: 65535 / 32768 and one more count of the display per calibration count;
      // negative for a reversed display.
      {"ScaleGain 65535", indicatorGroup("-32768", "32767", "0", "0"), 0, 32768, kStored},
      {"ScaleGain 65537",
       indicatorGroup("-32768", "32767", "0", "0"),
       0,
       32767,
       {{R::kScaleOutOfRange}}},
      {"ScaleGain -32768", indicatorGroup("32767", "-32768", "0", "0"), 0, 65535, kStored},
      {"ScaleGain -32769",
       indicatorGroup("32767", "-32768", "0", "0"),
       0,
       65534,
       {{R::kScaleOutOfRange}}},
      // A gain of ±1: the offset is DisplayLow − InputCalLow × gain.
      {"ScaleOffset -32768", indicatorGroup("0", "1", "0", "0"), 32768, 32769, kStored},
      {"ScaleOffset -32769",
       indicatorGroup("0", "1", "0", "0"),
       32769,
       32770,
       {{R::kScaleOutOfRange}}},
      {"ScaleOffset 32767", indicatorGroup("32767", "32766", "32767", "32767"), 0, 1, kStored},
      {"ScaleOffset 32768",
       indicatorGroup("32767", "32766", "32767", "32767"),
       1,
       2,
       {{R::kScaleOutOfRange}}},
      // The indicator with calibration points one count apart: a gain of 1000 has no word.
      {"calibration points 6554 and 6555",
       indicatorGroup("0", "1000", "100", "900"),
       6554,
       6555,
       {{R::kScaleOutOfRange}}},
      // Humidity: ranges in hundredths, outputs as they are, all signed.
      {"TempRangeLow -32700", humidity(&HumidityInput::temperatureLow, "-327"), 0, 0, kStored},
      {"TempRangeLow -32800",
       humidity(&HumidityInput::temperatureLow, "-328"),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureLow}}},
      {"TempRangeHigh 32700", humidity(&HumidityInput::temperatureHigh, "327"), 0, 0, kStored},
      {"TempRangeHigh 32800",
       humidity(&HumidityInput::temperatureHigh, "328"),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureHigh}}},
      {"HumRangeLow -50000",
       humidity(&HumidityInput::humidityLow, "-500"),
       0,
       0,
       {{R::kFieldOutOfRange, F::HumidityLow}}},
      {"HumRangeHigh 100000",
       humidity(&HumidityInput::humidityHigh, "1000"),
       0,
       0,
       {{R::kFieldOutOfRange, F::HumidityHigh}}},
      {"TempOutLow -32768", humidity(&HumidityInput::temperatureOutputLow, "-32768"), 0, 0,
       kStored},
      {"TempOutLow -32769",
       humidity(&HumidityInput::temperatureOutputLow, "-32769"),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureOutputLow}}},
      {"TempOutHigh 32767", humidity(&HumidityInput::temperatureOutputHigh, "32767"), 0, 0,
       kStored},
      {"TempOutHigh 32768",
       humidity(&HumidityInput::temperatureOutputHigh, "32768"),
       0,
       0,
       {{R::kFieldOutOfRange, F::TemperatureOutputHigh}}},
      {"HumOutLow -32769",
       humidity(&HumidityInput::humidityOutputLow, "-32769"),
       0,
       0,
       {{R::kFieldOutOfRange, F::HumidityOutputLow}}},
      {"HumOutHigh 32768",
       humidity(&HumidityInput::humidityOutputHigh, "32768"),
       0,
       0,
       {{R::kFieldOutOfRange, F::HumidityOutputHigh}}},
  };
  for (const auto& c : cases) {
    SettingsImages images = indicatorImages(c.calibrationLow, c.calibrationHigh);
    const SettingsImages before = images;
    const EncodingResult result = encode(c.group, images);
    EXPECT_EQ(result.refusal, c.refusal) << c.name;
    if (c.refusal) {
      EXPECT_TRUE(sameImages(images, before)) << c.name;
    }
  }
}

// What a stored word reads back as: the value the group gave it.
TEST(WordRanges, StoredEndsReadBackAsTheValuesGiven) {
  SettingsImages images = indicatorImages(0, 64000);
  ASSERT_TRUE(encode(indicatorGroup("-16000", "16000", "-16000", "16767"), images).encoded());
  EXPECT_EQ(indicator::AlarmLowRaw.get(images.IndicatorBlock), 0);
  EXPECT_EQ(indicator::AlarmHighRaw.get(images.IndicatorBlock), 65534);
  images = indicatorImages(0, 65535);
  ASSERT_TRUE(encode(indicatorGroup("32767", "-32768", "0", "0"), images).encoded());
  EXPECT_EQ(static_cast<std::int16_t>(indicator::ScaleGain.get(images.IndicatorBlock)), -32768);
  EXPECT_EQ(indicator::ScaleOffset.get(images.IndicatorBlock), 32767);
}

}  // namespace
}  // namespace tadjust

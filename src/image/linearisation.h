#pragma once

// The piecewise-linear table (at most 20 segments) with which a transmitter turns the measured
// resistance or thermo-EMF into temperature, computed with every write for resistance
// thermometers and thermocouples, and the fixed cold-junction table of thermocouples.
//
// The fit is a greedy walk along the sensor's per-degree reference points: each segment is
// kept within a tolerance of the reference by nudging its slope in steps of 0.0001, and the
// tolerance grows by 0.01 % of the span until the whole window fits in 20 segments. The device
// evaluates temperature = LinTemp + (signal − LinSignal) × LinSlope / 2^LinSlopeShift, in raw
// units, on the segment whose LinSignal is the last one not above the signal.
//
// No word is ever stored wrapped to 16 bits. Reference points below the zero of the signal raw
// scale (under 55 Ohm, under −5.4 mV on series 7, under −10.8 mV on series 9 and 10) cannot be
// measured by the device and are left out of the window; when a slope does not fit 16 bits at
// the sensor's usual LinSlopeShift, the whole table takes the largest shift (not below 12) at
// which every slope fits. A window that still cannot be stored is refused, and nothing is
// written.

#include <array>
#include <cstdint>
#include <span>

#include "image/sensor_type.h"
#include "image/settings_image.h"

namespace tadjust {

inline constexpr std::size_t kMaxLinearisationSegments = 20;
// The walk gives up (and the window is refused) at this many breakpoints.
inline constexpr int kMaxBreakpoints = 1000;
inline constexpr int kLowestLinSlopeShift = 12;
// The fit's tolerance, in percent of the span: where it starts and how it grows.
inline constexpr double kFirstFitTolerance = 0.01;
inline constexpr double kFitToleranceStep = 0.01;
// Each nudge of a segment's slope, in °C per Ohm or per mV.
inline constexpr double kSlopeNudge = 0.0001;

// SegmentStep: how far past a segment's start the walk restarts after a slope nudge.
int segmentStep(SensorType sensorType);

struct Breakpoint {
  double temperature;  // °C
  double signal;       // Ohm or mV
  double slope;        // of the segment that starts here, °C per Ohm or per mV
  int point;           // index of the reference point whose signal this is, in the window
};

// The reference points of one window: consecutive whole degrees from firstTemperature.
struct ReferenceWindow {
  int firstTemperature = 0;
  std::span<const double> signalValues;
  std::span<const std::int32_t> thousandths;
  std::size_t size() const { return signalValues.size(); }
};

// One run of the segment fit at a fixed tolerance.
struct SegmentFit {
  int segments = 0;       // j: the number of table entries the fit asks for
  bool overflow = false;  // the walk reached kMaxBreakpoints
  // The first kMaxLinearisationSegments breakpoints; those past `segments` are not set.
  std::array<Breakpoint, kMaxLinearisationSegments> breakpoints{};
};

// The segment fit over a window of at least two points, with tolerance in °C.
SegmentFit fitSegments(const ReferenceWindow& window, double tolerance, int segmentStep);

// value after `count` times value := value + delta in doubles, each sum rounded as it comes,
// without doing them one by one: how the fit nudges a slope many times at once.
double repeatedlyAdded(double value, double delta, std::int64_t count);

enum class LinearisationRefusal {
  kNone,
  kNoSignalScale,  // a thermocouple on a series without a voltage scale
  kTooFewPoints,   // the window holds fewer than two measurable points, or no segment
  kEmptySpan,      // a span of zero or less gives no tolerance to fit within
  kTooManyBreakpoints,
  kSlopeTooSteep,   // a slope does not fit 16 bits even at the lowest shift
  kWordOutOfRange,  // a breakpoint's temperature or signal has no 16-bit raw word
};

struct LinearisationResult {
  LinearisationRefusal refusal = LinearisationRefusal::kNone;
  bool writable() const { return refusal == LinearisationRefusal::kNone; }

  // The window of reference points that was fitted.
  int firstTemperature = 0;
  int lastTemperature = 0;
  int referencePoints = 0;
  // The signal of the last reference point, from which InputLimitHighRaw follows.
  double lastSignal = 0;
  std::int32_t lastSignalThousandths = 0;

  double fitTolerance = 0;  // percent of the span, of the last pass
  int passes = 0;
  int segments = 0;  // entries of the table
  std::array<Breakpoint, kMaxLinearisationSegments> breakpoints{};
  int linSlopeShift = 0;
  double slopeMultiplier = 0;  // 2^LinSlopeShift × temperature steps per signal step
  // The words of the table's first `segments` entries, when writable.
  std::array<std::uint16_t, kMaxLinearisationSegments> linSignal{};
  std::array<std::uint16_t, kMaxLinearisationSegments> linSlope{};
  std::array<std::uint16_t, kMaxLinearisationSegments> linTemp{};
};

// Computes the linearisation of sensor type 0..8 over the whole-degree limits lowerLimit to
// upperLimit with the range's span in degrees, and, when the window is writable, stores
// LinSlopeShift, CjcSlopeShift, LinSignal, LinSlope, LinTemp and, for thermocouples, the
// cold-junction table into the 192-byte transmitter block (which the encoder has cleared and
// pre-filled: LinSignal and CjcTemp 0xFFFF). A refused window leaves the block untouched.
LinearisationResult buildLinearisation(SensorType sensorType, unsigned series, int lowerLimit,
                                       int upperLimit, int span, Bytes transmitterBlock);

// The same computation without storing: what buildLinearisation would write.
LinearisationResult computeLinearisation(SensorType sensorType, unsigned series, int lowerLimit,
                                         int upperLimit, int span);

// Stores a writable result into the transmitter block.
void storeLinearisation(const LinearisationResult& result, SensorType sensorType, unsigned series,
                        Bytes transmitterBlock);

// The word LinTemp of a breakpoint temperature in °C: (°C + 200) × 30, rounded half to even.
std::int64_t temperatureWord(double temperature);

// The usual LinSlopeShift of a sensor type on a series.
int usualLinSlopeShift(SensorType sensorType, unsigned series, int lowerLimit);

// The reference points buildLinearisation fits for these limits: from the table's first entry
// at or above lowerLimit whose signal the device can measure, to the first entry at or above
// upperLimit (or the table's end).
ReferenceWindow referenceWindow(SensorType sensorType, unsigned series, int lowerLimit,
                                int upperLimit);

}  // namespace tadjust

#pragma once

// The error of a stored characteristic: the temperature the device computes from a signal on its
// stored segments minus the sensor's reference temperature for that signal, in °C, across the
// signals the table serves (from its first breakpoint to InputLimitHighRaw, within the reference
// table). The reference is linear between its whole degrees and so are the segments, so the
// error is taken at every reference point and at both sides of every breakpoint: its largest
// value lies at one of them.

#include <vector>

#include "image/stored_linearisation.h"

namespace tadjust {

struct ErrorPoint {
  double signalThousandths = 0;  // Ohm or mV × 1000
  double temperature = 0;        // the reference temperature at the signal, °C
  double error = 0;              // stored minus reference, °C
};

struct CharacteristicError {
  std::vector<ErrorPoint> points;  // by signal; a breakpoint gives two (the segment before, after)
  ErrorPoint largest;              // the point of the largest error in magnitude
  double lowestSignalThousandths = 0;
  double highestSignalThousandths = 0;
  bool empty() const { return points.empty(); }
};

// Nothing for an empty table.
CharacteristicError characteristicError(const StoredLinearisation& table);

// The sensor's reference temperature at a signal (thousandths), linear between whole degrees;
// the first or last degree outside the table.
double referenceTemperatureAt(const SensorReferenceTable& reference, double signalThousandths);

}  // namespace tadjust

#include "record/characteristic_error.h"

#include <algorithm>
#include <cmath>

namespace tadjust {

double referenceTemperatureAt(const SensorReferenceTable& reference, double signalThousandths) {
  const auto& t = reference.thousandths;
  const auto above = std::lower_bound(t.begin(), t.end(), signalThousandths,
                                      [](std::int32_t entry, double s) { return entry < s; });
  if (above == t.begin()) return reference.firstTemperature;
  if (above == t.end()) return reference.lastTemperature();
  const auto i = static_cast<int>(above - t.begin());
  const double low = *(above - 1);
  const double high = *above;
  return reference.firstTemperature + (i - 1) + (signalThousandths - low) / (high - low);
}

CharacteristicError characteristicError(const StoredLinearisation& table) {
  CharacteristicError result;
  if (table.empty()) return result;
  const SensorReferenceTable& reference = sensorReferenceTable(table.sensorType);
  const double first = static_cast<double>(table.breakpoints.front().signalThousandths);
  double last = std::min<double>(static_cast<double>(table.inputLimitHighThousandths),
                                 reference.thousandths.back());
  last = std::max(last, static_cast<double>(table.breakpoints.back().signalThousandths));
  result.lowestSignalThousandths = first;
  result.highestSignalThousandths = last;

  const auto add = [&](double signal, double stored) {
    const double temperature = referenceTemperatureAt(reference, signal);
    result.points.push_back({signal, temperature, stored - temperature});
  };
  std::size_t next = 1;  // the next breakpoint after the signals added so far
  const auto breakpointsUpTo = [&](double signal) {
    for (; next < table.breakpoints.size(); ++next) {
      const double at = static_cast<double>(table.breakpoints[next].signalThousandths);
      if (at > signal || at > last) return;
      add(at, table.temperatureOnSegment(next - 1, at));
      add(at, table.temperatureOnSegment(next, at));
    }
  };
  add(first, table.temperatureAt(first));
  for (const std::int32_t point : reference.thousandths) {
    if (point <= first || point >= last) continue;
    breakpointsUpTo(point);
    add(point, table.temperatureAt(point));
  }
  breakpointsUpTo(last);
  add(last, table.temperatureAt(last));

  result.largest = *std::max_element(result.points.begin(), result.points.end(),
                                     [](const ErrorPoint& a, const ErrorPoint& b) {
                                       return std::abs(a.error) < std::abs(b.error);
                                     });
  return result;
}

}  // namespace tadjust

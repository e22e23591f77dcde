#include "image/output_limits.h"

#include <algorithm>

namespace tadjust {
namespace {

// The window reaches 1/80 of the span beyond the end that gives the low output (3.8 mA below
// 4 mA) and 1/32 beyond the end that gives the high output (20.5 mA).
constexpr std::int64_t kLowOutputMarginDivisor = 80;
constexpr std::int64_t kHighOutputMarginDivisor = 32;

struct Margins {
  std::int64_t belowDivisor;
  std::int64_t aboveDivisor;
};

constexpr Margins marginsFor(bool reversedOutput) {
  // Reversed output maps the lower range value to the high output.
  return reversedOutput ? Margins{kHighOutputMarginDivisor, kLowOutputMarginDivisor}
                        : Margins{kLowOutputMarginDivisor, kHighOutputMarginDivisor};
}

std::uint16_t keepInWindow(std::int64_t raw) {
  return static_cast<std::uint16_t>(std::clamp(raw, kLowestInputLimitRaw, kHighestInputLimitRaw));
}

}  // namespace

TemperatureLimits temperatureLimits(int lowerRange, int upperRange, bool reversedOutput) {
  const Margins margins = marginsFor(reversedOutput);
  const std::int64_t span = std::int64_t{upperRange} - lowerRange;
  // Floor(lo − span / d) = Floor((lo·d − span) / d), likewise for the ceiling.
  const auto lower = floorDiv(lowerRange * margins.belowDivisor - span, margins.belowDivisor);
  const auto upper = ceilDiv(upperRange * margins.aboveDivisor + span, margins.aboveDivisor);
  return {static_cast<int>(lower), static_cast<int>(upper)};
}

std::uint16_t inputLimitHighRaw(const SignalRawScale& scale, std::int32_t lastSignalThousandths) {
  return keepInWindow(ceilDiv(scale.rawNumerator(lastSignalThousandths), scale.thousandthsPerStep));
}

RawInputLimits rawInputLimits(std::uint16_t rangeLowRaw, std::uint16_t rangeHighRaw,
                              bool reversedOutput) {
  const Margins margins = marginsFor(reversedOutput);
  const std::int64_t span = static_cast<std::uint16_t>(rangeHighRaw - rangeLowRaw);
  const auto low = floorDiv(rangeLowRaw * margins.belowDivisor - span, margins.belowDivisor);
  const auto high = ceilDiv(rangeHighRaw * margins.aboveDivisor + span, margins.aboveDivisor);
  return {keepInWindow(low), keepInWindow(high)};
}

}  // namespace tadjust

#include "numbers/decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tadjust {

namespace {

// GCC's and Clang's 128-bit integer: room for an 18-digit mantissa times another, and for
// aligning two such mantissas across 19 decimal orders.
__extension__ using Int128 = __int128;

constexpr int kMaxExponent = 99999;
// 10^38 is the largest power of ten an Int128 holds.
constexpr int kLargestInt128PowerOfTen = 38;

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

Int128 powerOfTen(int n) {
  Int128 power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

std::optional<Int128> timesPowerOfTen(Int128 value, int n) {
  for (int i = 0; i < n && value != 0; ++i)
    if (__builtin_mul_overflow(value, Int128{10}, &value)) return std::nullopt;
  return value;
}

// mantissa × 10^exponent with a wider mantissa, for the intermediate results of the linear maps.
struct WideDecimal {
  Int128 mantissa;
  long exponent;
};

std::optional<WideDecimal> exactSum(const Decimal& x, const Decimal& y) {
  if (x.mantissa() == 0) return WideDecimal{y.mantissa(), y.exponent()};
  if (y.mantissa() == 0) return WideDecimal{x.mantissa(), x.exponent()};
  const int exponent = std::min(x.exponent(), y.exponent());
  const auto alignedX = timesPowerOfTen(x.mantissa(), x.exponent() - exponent);
  const auto alignedY = timesPowerOfTen(y.mantissa(), y.exponent() - exponent);
  if (!alignedX || !alignedY) return std::nullopt;
  Int128 sum = 0;
  if (__builtin_add_overflow(*alignedX, *alignedY, &sum)) return std::nullopt;
  return WideDecimal{sum, exponent};
}

std::optional<WideDecimal> exactProduct(const WideDecimal& x, const Decimal& y) {
  Int128 product = 0;
  if (__builtin_mul_overflow(x.mantissa, Int128{y.mantissa()}, &product)) return std::nullopt;
  return WideDecimal{product, x.exponent + y.exponent()};
}

std::optional<std::int64_t> toInt64(Int128 value) {
  if (value < std::numeric_limits<std::int64_t>::min() ||
      value > std::numeric_limits<std::int64_t>::max())
    return std::nullopt;
  return static_cast<std::int64_t>(value);
}

std::optional<std::int64_t> floorOf(const WideDecimal& value) {
  if (value.exponent >= 0) {
    if (value.exponent > kLargestInt128PowerOfTen && value.mantissa != 0) return std::nullopt;
    const auto whole = timesPowerOfTen(value.mantissa, static_cast<int>(value.exponent));
    return whole ? toInt64(*whole) : std::nullopt;
  }
  // Every Int128 is smaller in magnitude than 10^39: beyond 38 decimals only the sign is left.
  if (-value.exponent > kLargestInt128PowerOfTen) return value.mantissa < 0 ? -1 : 0;
  const Int128 divisor = powerOfTen(static_cast<int>(-value.exponent));
  Int128 quotient = value.mantissa / divisor;
  if (value.mantissa % divisor != 0 && value.mantissa < 0) --quotient;
  return toInt64(quotient);
}

}  // namespace

std::optional<Decimal> Decimal::parse(std::string_view text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;

  std::string digits;
  long exponent = 0;
  bool anyDigit = false;
  bool pointSeen = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      anyDigit = true;
      // Leading zeros carry no digit of the mantissa, only their place after the point.
      if (!digits.empty() || c != '0') digits.push_back(c);
      if (pointSeen) --exponent;
    } else if (c == '.' && !pointSeen) {
      pointSeen = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return std::nullopt;

  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t exponentStart = i;
    long written = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
      written = written * 10 + (text[i] - '0');
      if (written > kMaxExponent) return std::nullopt;
    }
    if (i == exponentStart) return std::nullopt;
    exponent += negativeExponent ? -written : written;
  }
  if (i != text.size()) return std::nullopt;

  if (digits.empty()) return Decimal();
  while (digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  if (digits.size() > static_cast<std::size_t>(kMaxSignificantDigits)) return std::nullopt;
  if (exponent < -kMaxExponent || exponent > kMaxExponent) return std::nullopt;
  std::int64_t mantissa = 0;
  for (const char c : digits) mantissa = mantissa * 10 + (c - '0');
  return scaled(negative ? -mantissa : mantissa, static_cast<int>(exponent));
}

std::optional<Decimal> Decimal::ofDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc{}) return std::nullopt;
  return parse(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

double Decimal::toDouble() const {
  const std::string text = std::to_string(mantissa_) + "e" + std::to_string(exponent_);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    const double magnitude = exponent_ > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return isNegative() ? -magnitude : magnitude;
  }
  return value;
}

std::string Decimal::toString() const {
  constexpr int kLongestPositional = 30;
  if (exponent_ > kLongestPositional || exponent_ < -kLongestPositional)
    return std::to_string(mantissa_) + "e" + std::to_string(exponent_);
  std::string digits = std::to_string(mantissa_ < 0 ? -mantissa_ : mantissa_);
  if (exponent_ >= 0) {
    digits.append(static_cast<std::size_t>(exponent_), '0');
  } else {
    const auto fraction = static_cast<std::size_t>(-exponent_);
    if (digits.size() <= fraction) digits.insert(0, fraction - digits.size() + 1, '0');
    digits.insert(digits.size() - fraction, ".");
  }
  return isNegative() ? "-" + digits : digits;
}

Decimal Decimal::round2() const {
  constexpr int kDecimals = 2;
  if (exponent_ >= -kDecimals) return *this;
  const int dropped = -kDecimals - exponent_;
  // A 64-bit mantissa is less than half of 10^20: nothing is left of it beyond 19 digits.
  if (dropped > 19) return Decimal();
  const Int128 unit = powerOfTen(dropped);
  const Int128 magnitude = mantissa_ < 0 ? -Int128{mantissa_} : Int128{mantissa_};
  Int128 hundredths = magnitude / unit;
  const Int128 twiceRest = 2 * (magnitude % unit);
  if (twiceRest > unit || (twiceRest == unit && hundredths % 2 != 0)) ++hundredths;
  const auto rounded = static_cast<std::int64_t>(hundredths);
  return scaled(mantissa_ < 0 ? -rounded : rounded, -kDecimals);
}

std::optional<std::int64_t> floorOfLinear(const Decimal& x, const Decimal& offset,
                                          const Decimal& factor) {
  const auto sum = exactSum(x, offset);
  if (!sum) return std::nullopt;
  const auto product = exactProduct(*sum, factor);
  if (!product) return std::nullopt;
  return floorOf(*product);
}

std::optional<std::int64_t> ceilOfLinear(const Decimal& x, const Decimal& offset,
                                         const Decimal& factor) {
  // Ceiling(y) = −Floor(−y).
  const auto floorOfNegated = floorOfLinear(x, offset, -factor);
  if (!floorOfNegated) return std::nullopt;
  return -*floorOfNegated;
}

}  // namespace tadjust

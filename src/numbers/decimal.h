#pragma once

// Exact decimal numbers: the values the technician types and the device's scales mean, without
// the accidents of binary arithmetic. 0.7 °C × 30 is 21 raw steps exactly; in doubles it is
// 20.999999999999996447 and floors to 20.
//
// A Decimal is mantissa × 10^exponent with a 64-bit mantissa, kept normalised (no trailing zero
// digits in the mantissa, zero as 0 × 10^0), so equal values compare equal.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tadjust {

class Decimal {
 public:
  static constexpr int kMaxSignificantDigits = 18;

  constexpr Decimal() = default;
  // mantissa × 10^exponent; the mantissa is any 64-bit integer but the lowest (−2^63).
  static constexpr Decimal scaled(std::int64_t mantissa, int exponent) {
    if (mantissa == 0) return Decimal();
    while (mantissa % 10 == 0) {
      mantissa /= 10;
      ++exponent;
    }
    return Decimal(mantissa, exponent);
  }
  static constexpr Decimal ofInteger(std::int64_t value) { return scaled(value, 0); }
  // The number of a text in C notation — an optional "-", digits with at most one ".", an
  // optional exponent ("-12.5", "1.5e-03", "7e+2") — as the number-text reader hands it over
  // once it has checked a box's text. nullopt for any other text, and for a number with more
  // than 18 significant digits or an exponent beyond ±99999, which no Decimal holds exactly.
  static std::optional<Decimal> parse(std::string_view cText);
  // The decimal a double stands for: its shortest text that reads back as the same double
  // (0.235, not 0.2349999999999999922284388276239042170345783233642578125). nullopt for
  // infinities and NaN.
  static std::optional<Decimal> ofDouble(double value);

  std::int64_t mantissa() const { return mantissa_; }
  int exponent() const { return exponent_; }
  bool isNegative() const { return mantissa_ < 0; }
  Decimal operator-() const { return Decimal(-mantissa_, exponent_); }

  // The double nearest to the value (± infinity beyond the doubles' range).
  double toDouble() const;
  // C notation without exponent for values a box shows ("-0.125", "55400"), with one beyond.
  std::string toString() const;

  // Rounded to two decimals, ties to the even hundredth: 0.125 → 0.12, 0.235 → 0.24.
  Decimal round2() const;

  friend bool operator==(const Decimal&, const Decimal&) = default;

 private:
  constexpr Decimal(std::int64_t mantissa, int exponent)
      : mantissa_(mantissa), exponent_(exponent) {}
  std::int64_t mantissa_ = 0;
  int exponent_ = 0;
};

// Floor and ceiling of (x + offset) × factor, computed exactly: the encoder's raw words from the
// values of the editable group ((v + 200) × 30, (v + 5.4) × 1000, (v − 55) × 200, ...). nullopt
// when the exact result is beyond 64 bits, or the terms lie so many decimal orders apart that the
// exact sum does not fit 128 bits (only numbers no box keeps after validation get there).
std::optional<std::int64_t> floorOfLinear(const Decimal& x, const Decimal& offset,
                                          const Decimal& factor);
std::optional<std::int64_t> ceilOfLinear(const Decimal& x, const Decimal& offset,
                                         const Decimal& factor);

}  // namespace tadjust

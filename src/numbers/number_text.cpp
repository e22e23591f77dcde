#include "numbers/number_text.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tadjust::number_text {

namespace {

constexpr int kSignificantDigits = 15;
// Beyond these decimal exponents the general format writes an exponent, as "%.15g" does for
// large numbers; the values of the devices' 16-bit scales (and their hundredths) stay far
// inside and are always written in positional notation.
constexpr int kLargestPositionalExponent = kSignificantDigits - 1;
constexpr int kSmallestPositionalExponent = -kSignificantDigits;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string withSeparator(std::string text, char decimalSeparator) {
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

// The digits of |value| rounded to 15 significant digits, without trailing zeros, and the
// decimal exponent of the first digit: 1913.375 gives "1913375" and 3.
struct Significand {
  std::string digits;
  int exponent;
};

Significand significand(double magnitude) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
  const std::string_view scientific(buffer);
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, e))
    if (isDigit(c)) digits.push_back(c);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'),
                  scientific.data() + scientific.size(), exponent);
  return {digits, exponent};
}

std::string positional(const Significand& s) {
  const int length = static_cast<int>(s.digits.size());
  if (s.exponent < 0) return "0." + std::string(-s.exponent - 1, '0') + s.digits;
  if (s.exponent + 1 >= length) return s.digits + std::string(s.exponent + 1 - length, '0');
  return s.digits.substr(0, s.exponent + 1) + "." + s.digits.substr(s.exponent + 1);
}

}  // namespace

std::string formatGeneral(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";  // also -0: a reading never shows "-0"

  const Significand s = significand(std::fabs(value));
  std::string text;
  if (s.exponent >= kSmallestPositionalExponent && s.exponent <= kLargestPositionalExponent) {
    text = positional(s);
  } else {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*G", kSignificantDigits, std::fabs(value));
    text = buffer;
  }
  if (value < 0) text.insert(text.begin(), '-');
  return withSeparator(text, decimalSeparator);
}

std::string formatFixed2(double value, char decimalSeparator) {
  char buffer[std::numeric_limits<double>::max_exponent10 + 8];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  return withSeparator(buffer, decimalSeparator);
}

namespace {

// Accepted: optional blanks, an optional sign, digits with at most one decimal separator (at
// least one digit in all), an optional exponent ("1,5E-3"), optional blanks. Nothing else: no
// group separators, no other separator, no "inf" or "nan". The number comes back in C notation
// ("-1.5e-3"), as the double and the decimal readers take it.
std::optional<std::string> cNotation(std::string_view text, char decimalSeparator) {
  text = trimmed(text);
  std::string normalised;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normalised.push_back('-');
    ++i;
  }
  bool anyDigit = false;
  bool separatorSeen = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      anyDigit = true;
      normalised.push_back(c);
    } else if (c == decimalSeparator && !separatorSeen) {
      separatorSeen = true;
      normalised.push_back('.');
    } else {
      break;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normalised.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalised.push_back(text[i++]);
    const std::size_t exponentStart = i;
    while (i < text.size() && isDigit(text[i])) normalised.push_back(text[i++]);
    if (i == exponentStart) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return normalised;
}

std::optional<double> finiteDouble(const std::string& cText) {
  double value = 0;
  const auto [end, error] = std::from_chars(cText.data(), cText.data() + cText.size(), value);
  if (error != std::errc{} || end != cText.data() + cText.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// The decimal exponent of the first significant digit of a number in C notation that is not
// zero: "0.0012e5" gives 2, "123" gives 2. A huge exponent is taken as one of a billion.
long long leadingExponent(std::string_view cText) {
  constexpr long long kFarthestExponent = 1'000'000'000;
  std::size_t i = cText.front() == '-' ? 1 : 0;
  long long digits = 0;
  long long pointAt = -1;
  long long firstSignificant = -1;
  for (; i < cText.size() && cText[i] != 'e'; ++i) {
    if (cText[i] == '.') {
      pointAt = digits;
      continue;
    }
    if (cText[i] != '0' && firstSignificant < 0) firstSignificant = digits;
    ++digits;
  }
  if (pointAt < 0) pointAt = digits;
  long long exponent = 0;
  if (i < cText.size()) {
    ++i;
    const bool negative = i < cText.size() && cText[i] == '-';
    if (i < cText.size() && (cText[i] == '-' || cText[i] == '+')) ++i;
    for (; i < cText.size(); ++i)
      exponent = std::min(exponent * 10 + (cText[i] - '0'), kFarthestExponent);
    if (negative) exponent = -exponent;
  }
  return exponent + pointAt - firstSignificant - 1;
}

// A number written right but too large or too small for a double is still a number: too large,
// it stands for the largest double of its sign (and is clamped like any value beyond a box's
// limit); too small, it reads as 0.
std::optional<double> realOfText(const std::string& cText) {
  double value = 0;
  const auto [end, error] = std::from_chars(cText.data(), cText.data() + cText.size(), value);
  if (end != cText.data() + cText.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    if (leadingExponent(cText) < 0) return 0.0;
    const double largest = std::numeric_limits<double>::max();
    return cText.front() == '-' ? -largest : largest;
  }
  if (error != std::errc{} || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> parseReal(std::string_view text, char decimalSeparator) {
  const auto cText = cNotation(text, decimalSeparator);
  return cText ? realOfText(*cText) : std::nullopt;
}

std::optional<Decimal> parseDecimal(std::string_view text, char decimalSeparator) {
  const auto cText = cNotation(text, decimalSeparator);
  if (!cText || !finiteDouble(*cText)) return std::nullopt;
  return Decimal::parse(*cText);
}

bool isGrouping(std::string_view text, char decimalSeparator) {
  const char other = decimalSeparator == ',' ? '.' : ',';
  // The reader takes blanks around a number and a plus sign as well.
  text = trimmed(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const std::size_t separator = text.find(other);
  if (separator == std::string_view::npos || separator < 1 || separator > 3) return false;
  if (text.size() != separator + 4 || text.front() == '0') return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != separator && !isDigit(text[i])) return false;
  return true;
}

std::string withDecimalSeparator(std::string_view text, char decimalSeparator) {
  const char other = decimalSeparator == ',' ? '.' : ',';
  std::string written(text);
  if (isGrouping(text, decimalSeparator)) return written;
  const auto others = std::count(written.begin(), written.end(), other);
  if (others == 1 && written.find(decimalSeparator) == std::string::npos) {
    std::replace(written.begin(), written.end(), other, decimalSeparator);
  }
  return written;
}

std::optional<long long> parseInteger(std::string_view text) {
  text = trimmed(text);
  const bool plusSign = !text.empty() && text.front() == '+';
  if (plusSign) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (!isDigit(text.front()) && (plusSign || text.front() != '-')) return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

double round2(double x) {
  const auto exact = Decimal::ofDouble(x);
  return exact ? exact->round2().toDouble() : x;
}

char systemDecimalSeparator() {
  const QString separator = QLocale().decimalPoint();
  if (separator.size() == 1 && separator.at(0).unicode() < 0x80)
    return static_cast<char>(separator.at(0).unicode());
  return '.';
}

QString general(double value) {
  return QString::fromStdString(formatGeneral(value, systemDecimalSeparator()));
}

QString fixed2(double value) {
  return QString::fromStdString(formatFixed2(value, systemDecimalSeparator()));
}

QString integer(long long value) { return QString::number(value); }

std::optional<double> readReal(const QString& text) {
  const char separator = systemDecimalSeparator();
  return parseReal(withDecimalSeparator(text.toStdString(), separator), separator);
}

std::optional<Decimal> readDecimal(const QString& text) {
  const char separator = systemDecimalSeparator();
  return parseDecimal(withDecimalSeparator(text.toStdString(), separator), separator);
}

bool isGrouping(const QString& text) {
  return isGrouping(text.toStdString(), systemDecimalSeparator());
}

std::optional<long long> readInteger(const QString& text) {
  return parseInteger(text.toStdString());
}

}  // namespace tadjust::number_text

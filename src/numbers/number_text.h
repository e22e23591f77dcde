#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/decimal.h"

// Number texts of the edit boxes: the system's decimal separator, no group separators.
//  - general text: up to 15 significant digits, no trailing zeros, an integral value without a
//    decimal part ("0,0333333333333333", "-5,4", "1913,375", "800");
//  - integer text: decimal digits with a leading minus sign when negative;
//  - fixed text with two decimals (monitoring readings: "23.45", "-5,00").
// The pure functions take the separator; the QString ones use the system's (QLocale's default).
namespace tadjust::number_text {

std::string formatGeneral(double value, char decimalSeparator);
std::string formatFixed2(double value, char decimalSeparator);
// Reads a real number written with the given separator; nullopt when the text is not a number
// (empty, group separators, the other separator, trailing garbage). A number too large for a
// double reads as the largest double of its sign, one too small as 0.
std::optional<double> parseReal(std::string_view text, char decimalSeparator);
// The exact decimal value of the same texts; nullopt also for a number that a Decimal cannot
// hold exactly (more than 18 significant digits).
std::optional<Decimal> parseDecimal(std::string_view text, char decimalSeparator);
// A typed number with the other decimal separator (a point on a comma system, a comma on a point
// system) written with the given one: a text that holds exactly one separator, of the other
// kind, and none of the given one. Any other text comes back as it is, so "1,913.375" and
// "1.913.375" stay no number, and so does a grouping (below).
std::string withDecimalSeparator(std::string_view text, char decimalSeparator);
// A number written with a group separator of the other kind, never read as a decimal point: an
// optional sign (blanks around it as a number may have), 1 to 3 digits not starting with 0, the
// other separator, exactly three digits, nothing else ("4.000", "2,000", "-1.250" on a comma system
// for the point). "0,507", "22,5" and "1234.5" are no groupings.
bool isGrouping(std::string_view text, char decimalSeparator);
// Reads an integer text; nullopt when the text is not an integer.
std::optional<long long> parseInteger(std::string_view text);

// x rounded to two decimals, ties to the even hundredth, from the decimal value x stands for (its
// shortest round-trip text): 55.035 gives 55.04 and 1.245 gives 1.24, although the doubles
// nearest to them lie just below and just above. Infinities and NaN come back unchanged.
double round2(double x);

char systemDecimalSeparator();
// The texts of the program are written with the system's separator; a text read from a box may
// have been typed with either (withDecimalSeparator).
QString general(double value);
QString fixed2(double value);
QString integer(long long value);
std::optional<double> readReal(const QString& text);
std::optional<Decimal> readDecimal(const QString& text);
std::optional<long long> readInteger(const QString& text);
// isGrouping with the system's separator.
bool isGrouping(const QString& text);

}  // namespace tadjust::number_text

// Numbers and their text: rounding and wrapping, the reading of typed and
// stored numbers, and the shortest text that reads back to a value.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace astronomy {

// The nearest integer, halves away from zero (pixel positions).
int Round(double x);

// x rounded to the nearest integer and held within +-2147483647; 0 for NaN.
int RoundToInt(double x);

// v wrapped into 0 <= result < period (v - period * INT(v / period)). A value
// that cannot be wrapped (not finite, or too large for the subtraction to
// land inside the period) gives 0.
double Reduce(double v, double period);

// Blanks and tabs separate the numbers of a text.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

// The number at the very start of the text (no blanks skipped): an optional
// sign, digits with at most one decimal point, an optional exponent ("e" or
// "E", optional sign, digits; "1e" stops before the "e"). length is how many
// characters form it, 0 when there is none (value 0). A number too large
// for the type reads as an infinity of its sign, one too small as 0; both
// are marked out of range.
template <typename T>
struct NumberPrefix {
    T value = 0;
    std::size_t length = 0;
    bool outOfRange = false;
};
NumberPrefix<double> ReadNumberPrefix(std::string_view text);
NumberPrefix<float> ReadFloatPrefix(std::string_view text);

// VAL: leading blanks and tabs skipped, then the number prefix; 0 when the
// text does not start with a number. Too large reads as an infinity.
double Val(std::string_view text);
// The same in single precision.
float ValFloat(std::string_view text);

// Val for a typed answer: a value that is not finite reads as 0.
double LeadingNumber(std::string_view text);

// The leading number of field n (1-based) of the trimmed text, the fields
// being the runs of characters other than the separator; 0 when the text has
// fewer fields or the field does not start with a number.
double FieldValue(std::string_view text, int n, char separator);

// The whole text is one number of the range of a double (a sign, digits,
// point, exponent and nothing else; not one that over- or underflows);
// nothing otherwise.
std::optional<double> ParseNumberExactly(std::string_view text);

// The shortest text that reads back as the same value; 0 for a value that
// is not finite, and "0" for minus zero.
std::string ShortestText(double x);
std::string ShortestText(float x);
// The shortest text as BASIC prints a number: a blank in front of a value
// that is not negative.
std::string PrintedNumberText(double x);

// The shortest text t for which restore(Val(t)) gives `stored` back exactly,
// where `unscaled` is the stored value in the unit of the text (a few
// neighbours of it are tried as well, since not every unscaled double maps
// back onto the stored one). Falls back to ShortestText(unscaled).
std::string ShortestScaledText(double stored, double unscaled, double (*restore)(double));
// Radians written in degrees, and in hours, that read back to the same radians.
std::string ShortestDegreesText(double radians);
std::string ShortestHoursText(double radians);

}  // namespace astronomy

// Text forms of numbers, dates, durations, time zones, angles and times.
//
// Every formatter returns its text (UTF-8); whether it is drawn in the window
// or written to the running text output is the caller's business. Where the
// window and the printed form differ, a `printed` flag selects the form.
//
// Not-a-number and infinite inputs are treated as 0 throughout, so a broken
// value shows as a zero of the usual width instead of garbage.
#pragma once

#include <string>
#include <string_view>

namespace astronomy {

// A number written with a BASIC-style picture (without any padding):
//   "0"  a digit that is always written (leading zeros),
//   "#"  a digit that is written only when significant,
//   "."  the decimal point; the value is rounded to as many decimals as
//        there are digit positions after it, half away from zero, taking the
//        value as its shortest decimal form (12.35 rounds to 12.4 although
//        the nearest double lies a little below 12.35),
//   ";"  ends the picture: only the first section is used,
//   anything else is copied.
// More integer digits than positions are all written, never cut. A negative
// value gets a "-" in front unless it rounds to zero.
std::string FormatPicture(double value, std::string_view picture);

// A number in a mask of the text tables: "#" a digit position, a blank
// where the digit is not significant, "," the decimal comma. The value is
// rounded to the mask's decimals and right-aligned in the leading run of
// "#" and ","; a minus sign takes a position; what follows the run is
// copied ("###,# " ends in a blank). A wider number is written whole.
std::string FormatNumberMask(double value, std::string_view mask);

// |x| rounded to `decimals` (at least one digit before the point), a "-" in
// front when x < 0 (even when the digits are all zero: -0.001 gives "-0.00"),
// right-aligned in `width` characters. A longer text is not cut. Negative
// decimals count as 0.
std::string FormatFixed(double x, int width, int decimals);

// "UT", "MEZ", "MESZ" for the zones 0, 1, 2. Any other index has no name and
// gives "" (a wrong name would be worse than none).
std::string ZoneName(int zone);
// The zone name right-aligned in 4 characters ("  UT", " MEZ", "MESZ");
// four blanks for an index without a name.
std::string ZoneNamePadded(int zone);

// " 5. Dez 2026, Sa   " (window, with three blanks that overwrite older
// text) or " 5.Dez 2026, Sa" (printed). weekday 0 = Monday ... 6 = Sunday.
// A month outside 1..12 or a weekday outside 0..6 shows as blanks of the
// same width.
std::string FormatDateLong(int day, int month, int year, int weekday, bool printed);
// "Mo" ... "So" for 0 = Monday ... 6 = Sunday; two blanks for any other number.
std::string WeekdayAbbreviation(int weekday);
// "05.12.2026"
std::string FormatDateNumeric(int day, int month, int year);
// A period in years as years and days of 365 days, with trailing blanks that
// overwrite longer older text.
std::string FormatDuration(double years);

// Angles in degrees. The sign character is "-", blank (exactly 0) or "+".
std::string FormatAngleDms(double degrees);        // "+12° 30' 45""
std::string FormatAngleDmsTenths(double degrees);  // "+ 12°30'45.0""
std::string FormatAngleDmsFine(double degrees);    // "+12° 30' 45.1234""
std::string FormatAngleSmall(double degrees);      // largest non-zero unit: "2°", "30'", "15""
std::string FormatAngleDm(double degrees);         // "+ 12° 31'"
std::string FormatAngleDmCompact(double degrees);  // "+12° 31'"
std::string FormatDegrees(double degrees);         // "123° "

// Times in hours; the sign of the value is not shown.
// "12:30:15.0 MEZ     " in the window, "12:30:15.0MEZ" printed.
std::string FormatClockTime(double hours, int zone, bool printed);
std::string FormatHmsTenths(double hours);  // "05h 34m 12.3s"
std::string FormatHms(double hours);        // "05h 34m 12s"
std::string FormatHm(double hours);         // "05:34"
std::string FormatHmTenths(double hours);   // "05h 34.2m "
std::string FormatHmZone(double hours, int zone);  // "05:34 MEZ"

}  // namespace astronomy

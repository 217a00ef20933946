// The mathematical and physical constants of the program, each in one place.
#pragma once

namespace astronomy {

// Pi to the precision of a double.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
// Degrees to radians, pi/180 (every conversion of the program uses this value).
inline constexpr double kDegToRad = 0.017453292519943295;
// Hours of right ascension or hour angle to radians, pi/12.
inline constexpr double kHourToRad = 0.2617993877991494;
// One second of arc in radians.
inline constexpr double kArcsecToRad = kPi / 180 / 3600;

// Kilometres per astronomical unit, rounded as the theories of the program
// take it (the Moon's distance, the parallax of the near bodies, the size of
// the orbit object).
inline constexpr double kKmPerAU = 149600000;
// Light time for one astronomical unit, in days (499 s).
inline constexpr double kLightDaysPerAU = 0.00577559;

// Julian Dates of the epochs the formulas count from.
// 1900 January 0.5 (TT): the origin of the time argument T of the theories.
inline constexpr double kEpochT = 2415020;
// 2000 January 1.0 UT, the day from which nutation, obliquity and precession
// count their centuries.
inline constexpr double kEpoch2000Midnight = 2451544.5;
// 1950 January 1.0 UT as day number and fraction: the equinox of the
// Messier catalogue's coordinates.
inline constexpr double kEpoch1950Day = 2433282;
inline constexpr double kEpoch1950Fraction = 0.5;
// 2000 January 1.0 UT as day number and fraction: the equinox of the star
// catalogue.
inline constexpr double kEpoch2000Day = 2451544;
inline constexpr double kEpoch2000Fraction = 0.5;

// The Gaussian gravitational constant: the Sun's k in AU^(3/2) per day.
inline constexpr double kGaussK = 0.01720209895;

// Days of a Julian century and of a Julian year.
inline constexpr double kDaysPerCentury = 36525;
inline constexpr double kDaysPerYear = 365.25;

static_assert(kPi / 180 == kDegToRad, "pi/180 is the conversion of degrees");
static_assert(kPi / 12 == kHourToRad, "pi/12 is the conversion of hours");
static_assert(2 * kPi == kTwoPi, "the full circle");

}  // namespace astronomy

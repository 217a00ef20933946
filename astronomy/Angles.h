// Angle reduction, the full-circle arctangent, rectangular to spherical
// conversion, the ecliptic/equatorial/horizontal transforms and precession.
#pragma once

#include <cmath>

namespace astronomy {

double Mod360(double x);
// The stored full circle of the reductions, 2 pi rounded to ten decimals.
inline constexpr double kStoredCircle = 6.2831853072;
// x - c INT(x/c) with c = kStoredCircle.
inline double Mod2Pi(double x) { return x - kStoredCircle * std::floor(x / kStoredCircle); }
double AzimuthFromNorth(double southAzimuth);
// An angle, or the difference of two, brought into (-pi, pi].
double SignedAngle(double x);
// -pi < result <= pi
double ArcTan2(double y, double x);
// Arc sine and arc cosine of a value that rounding may push past +-1.
double SafeAsin(double x);
double SafeAcos(double x);

struct Spherical {
    double lon = 0;  // 0..2 pi
    double lat = 0;  // -pi/2..pi/2
};
Spherical RectToSpherical(double x, double y, double z);

struct Equatorial {
    double alpha = 0;
    double delta = 0;
};
Equatorial EclipticToEquatorial(double lambda, double beta, double obliquity);

struct Horizontal {
    double altitude = 0;
    double azimuth = 0;  // from south, positive towards west
};
Horizontal EquatorialToHorizontal(double hourAngleRad, double delta, double sinLat, double cosLat);

struct HourAngleDec {
    double hourAngle = 0;  // radians
    double delta = 0;
};
HourAngleDec HorizontalToEquatorial(double azimuth, double altitude, double sinLat, double cosLat);

inline constexpr int kEquinoxOfDate = 9999;

// Precesses (alpha, delta) from the equinox of the date J + F to the equinox
// of targetYear (9999: unchanged).
Equatorial Precess(double J, double F, int targetYear, double alpha, double delta);

// The same rotation from the equinox of the date J + F to the equinox of the
// Julian Date targetJd.
Equatorial PrecessToEpoch(double J, double F, double targetJd, double alpha, double delta);

// The exact reverse of PrecessToEpoch(J, F, Je): coordinates referred to
// the equinox of Je brought to the equinox of the date J + F, so that
// precessing them back to Je returns them unchanged.
Equatorial PrecessFromEpoch(double Je, double J, double F, double alpha, double delta);

// The Julian Date that stands for the equinox of a year: the day number of
// its 1 January 0h UT (noon UT of 31 December before).
double EquinoxEpoch(int year);

}  // namespace astronomy

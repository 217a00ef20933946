// The Moon's place from a short trigonometric series.
#pragma once

namespace astronomy {

struct MoonPlace {
    double lambda = 0;     // geocentric ecliptic longitude, radians, 0..2 pi
    double beta = 0;       // geocentric ecliptic latitude, radians
    double parallax = 0;   // horizontal parallax, radians
    double diameter = 0;   // apparent diameter, degrees
    double distanceAU = 0;
};

inline constexpr double kMoonPeriodYears = 0.0747945205479452;

MoonPlace MoonTheory(double T);

}  // namespace astronomy

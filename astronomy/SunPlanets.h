// The Sun's theory with planetary and lunar perturbations, the table of
// mean planetary elements, Kepler's equation and the reduction of a
// heliocentric place to the geocentric one.
#pragma once

#include <array>
#include <string>

#include "astronomy/Objects.h"

namespace astronomy {

struct PreparedOrbit;

struct SunPlace {
    double lambda = 0;  // geocentric ecliptic longitude, radians, mean equinox of date
    double beta = 0;    // geocentric ecliptic latitude, radians
    double R = 0;       // Sun-Earth distance, AU
};
SunPlace SunTheory(double T);

struct PlanetRecord {
    const char* name;
    int index;
    double L[4], a[4], e[4], i[4], w[4], N[4];
    double mass;
    double s;
    double m0, m1, m2;
};
extern const std::array<PlanetRecord, 7> kPlanetElementTable;

// The table's record of a planet; nullptr for any other object.
const PlanetRecord* FindPlanet(ObjectKind kind);

// Kepler's equation E - e sin E = M.
double SolveKepler(double M, double e);

// What ComputeBody yields (the working record of one body).
struct BodyResult {
    double lon = 0;      // see the table of ComputeBody
    double lat = 0;
    double radius = 0;   // R for the Sun, r for planets and the orbit object
    double period = 0;   // years or a period marker
    // Moon only:
    double parallax = 0;   // radians
    double diameter = 0;   // degrees
    double distanceAU = 0;
    bool notFound = false;
    bool failed = false;   // the orbit object's elements allow no position
};

// Heliocentric place of a planet from the table at T.
BodyResult EvaluatePlanet(const PlanetRecord& p, double T);

// The Sun, the Moon, a planet of the table, or the orbit object (orbit
// given). Any other kind sets notFound.
BodyResult ComputeBody(ObjectKind kind, double T, const PreparedOrbit* orbit);

struct GeocentricResult {
    double T = 0;        // the light-time corrected time argument
    double l = 0, b = 0, r = 0;  // heliocentric place at the retarded time
    double lambda = 0, beta = 0; // geocentric ecliptic place
    double delta = 0;    // AU
    double lightTime = 0;  // days
    double elongation = 0;
    double phaseAngle = 0;
    double magnitude = 0;
    double diameter = 0;   // degrees
    double period = 0;
    bool failed = false;
};

// Photometric constants of a body: the table's for a planet, the prepared
// orbit's for the orbit object.
struct BodyPhotometry {
    int index = 0;
    double s = 0;               // semi-diameter at 1 AU, arcseconds
    double m0 = 0, m1 = 0, m2 = 0;
};

// Light-time corrected geocentric place of a planet or of the orbit object
// whose heliocentric place at T is atT, with the Sun's lambda0 and R at T.
GeocentricResult GeocentricPlanet(ObjectKind kind, const BodyResult& atT, double T, double lambda0, double R,
                                  const BodyPhotometry& photometry, const PreparedOrbit* orbit);

}  // namespace astronomy

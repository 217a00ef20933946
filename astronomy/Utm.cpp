// Geographic <-> UTM grid coordinates on the WGS84 ellipsoid.
//
// The forward direction is the Gauss-Krueger series of the UTM standard
// (terms up to l^4 in the northing and l^5 in the easting); within a 6 degree
// zone its truncation error stays below 2.5 mm (the omitted l^6 term of the
// northing at a zone border) and 0.1 mm in the easting. The inverse
// starts from the footpoint latitude and the inverse series and then solves
// the forward series itself by Newton steps, so that UtmToGeo is the exact
// inverse of GeoToUtm rather than a second approximation with its own error.

#include "astronomy/Utm.h"

#include <cmath>
#include <limits>

#include "astronomy/ProgramState.h"

namespace astronomy {
namespace {

constexpr double kSemiMajorAxis = 6378137.0;         // metres
constexpr double kSemiMinorAxis = 6356752.314245251;  // metres
constexpr double kFlattening = 0.003352810664736239;
constexpr double kScaleFactor = 0.9996;  // k0 on the central meridian
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthing = 10000000.0;
constexpr double kZonePrefixUnit = 1000000.0;  // zone number x 1000000 in front of the easting
constexpr double kSmallestPrefixedEasting = 1000000.0;

// Northings typed back from a rounded display may lie a little beyond the
// pole; up to this many metres they are still taken as the pole.
constexpr double kPoleSlackMetres = 1.0;

// Zone 1 (-177) to the zone 61 that GeoToUtm writes for exactly 180 degrees
// east (183); central meridians beyond these belong to no longitude.
constexpr double kWestmostCentralMeridian = -177.0;
constexpr double kEastmostCentralMeridian = 183.0;

// Grid coordinates that the forward series cannot reproduce to this
// distance lie outside its reach (far from the central meridian near a
// pole) and give no place.
constexpr double kMaxResidualMetres = 0.001;

constexpr int kMaxFootpointSteps = 20;
constexpr int kMaxRefinementSteps = 10;
constexpr double kAngleResolution = 1e-15;  // radians; a few ulp of a latitude
constexpr double kDerivativeStep = 1e-7;    // radians, for the Jacobian of the series

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Ellipsoid {
    double a = 0;    // semi-major axis, metres
    double e2 = 0;   // first eccentricity squared
    double ep2 = 0;  // second eccentricity squared
};

// The forward conversion derives the eccentricities from the two axes.
Ellipsoid FromAxes() {
    const double a2 = kSemiMajorAxis * kSemiMajorAxis;
    const double b2 = kSemiMinorAxis * kSemiMinorAxis;
    return {kSemiMajorAxis, (a2 - b2) / a2, (a2 - b2) / b2};
}

// The inverse conversion derives them from the axis and the flattening.
Ellipsoid FromFlattening() {
    const double e2 = kFlattening * (2.0 - kFlattening);
    return {kSemiMajorAxis, e2, e2 / (1.0 - e2)};
}

// Length of the meridian from the equator to the latitude phi (radians).
double MeridianArc(const Ellipsoid& el, double phi) {
    const double e2 = el.e2;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e4 * e4;
    const double A = 1.0 + 0.75 * e2 + 0.703125 * e4 + 0.68359375 * e6 + 0.67291259765625 * e8;
    const double B = 0.75 * e2 + 0.9375 * e4 + 1.025390625 * e6 + 1.07666015625 * e8;
    const double C = 0.234375 * e4 + 0.41015625 * e6 + 0.538330078125 * e8;
    const double D = 0.068359375 * e6 + 0.15380859375 * e8;
    const double E = 0.01922607421875 * e8;
    return el.a * (1.0 - e2) *
           (A * phi - B / 2.0 * std::sin(2.0 * phi) + C / 4.0 * std::sin(4.0 * phi) -
            D / 6.0 * std::sin(6.0 * phi) + E / 8.0 * std::sin(8.0 * phi));
}

// Derivative of MeridianArc: the radius of curvature in the meridian.
double MeridianRadius(const Ellipsoid& el, double phi) {
    const double s = std::sin(phi);
    const double w = 1.0 - el.e2 * s * s;
    return el.a * (1.0 - el.e2) / (w * std::sqrt(w));
}

struct GridOffsets {
    double north = 0;  // metres from the equator, scaled by k0, no false northing
    double east = 0;   // metres from the central meridian, scaled by k0, no false easting
};

// Transverse Mercator series of the UTM standard for latitude phi and the
// longitude difference l from the central meridian (both radians).
GridOffsets TransverseMercator(const Ellipsoid& el, double phi, double l) {
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double t = std::tan(phi);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double eta2 = el.ep2 * c * c;
    const double eta4 = eta2 * eta2;
    const double eta6 = eta4 * eta2;
    const double N = el.a / std::sqrt(1.0 - el.e2 * s * s);
    const double c3 = c * c * c;
    const double c5 = c3 * c * c;
    const double l2 = l * l;
    const double l3 = l2 * l;
    const double l4 = l2 * l2;
    const double l5 = l4 * l;

    const double northTerms = N * s * c / 2.0 * l2 +
                              N * s * c3 / 24.0 * (5.0 - t2 + 9.0 * eta2 + 4.0 * eta4) * l4;
    const double eastTerms =
        N * c * l + N * c3 / 6.0 * (1.0 - t2 + eta2) * l3 +
        N * c5 / 120.0 *
            (5.0 - 18.0 * t2 + t4 + 14.0 * eta2 - 58.0 * t2 * eta2 + 13.0 * eta4 + 4.0 * eta6 -
             64.0 * t2 * eta4 - 24.0 * t2 * eta6) *
            l5;
    return {kScaleFactor * (MeridianArc(el, phi) + northTerms), kScaleFactor * eastTerms};
}

// Latitude whose meridian arc is arc, by Newton steps from firstEstimate.
double FootpointLatitude(const Ellipsoid& el, double arc, double firstEstimate) {
    double phi = firstEstimate;
    for (int i = 0; i < kMaxFootpointSteps; ++i) {
        const double step = (arc - MeridianArc(el, phi)) / MeridianRadius(el, phi);
        if (!std::isfinite(step)) break;
        phi += step;
        if (!(std::fabs(step) > kAngleResolution)) break;
    }
    return phi;
}

struct LatLonOffset {
    double phi = 0;  // latitude, radians
    double l = 0;    // longitude difference from the central meridian, radians
};

struct Solution {
    LatLonOffset point;
    double residual = 0;  // metres between the series at point and the grid offsets
};

// Inverse transverse Mercator series from the footpoint latitude phiF and the
// unscaled distance x from the central meridian.
LatLonOffset InverseSeries(const Ellipsoid& el, double phiF, double x) {
    const double s = std::sin(phiF);
    const double c = std::cos(phiF);
    const double t = std::tan(phiF);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double eta2 = el.ep2 * c * c;
    const double eta4 = eta2 * eta2;
    const double N = el.a / std::sqrt(1.0 - el.e2 * s * s);
    const double rho = MeridianRadius(el, phiF);
    const double N2 = N * N;
    const double N3 = N2 * N;
    const double N5 = N3 * N2;
    const double x2 = x * x;
    const double x3 = x2 * x;
    const double x4 = x2 * x2;
    const double x5 = x4 * x;
    const double x6 = x3 * x3;

    const double phi =
        phiF - t / (2.0 * rho * N) * x2 +
        t / (24.0 * rho * N3) * (5.0 + 3.0 * t2 + eta2 - 4.0 * eta4 - 9.0 * t2 * eta2) * x4 -
        t / (720.0 * rho * N5) * (61.0 + 90.0 * t2 + 45.0 * t4 + 46.0 * eta2 - 252.0 * t2 * eta2) *
            x6;
    const double l = x / (N * c) - (1.0 + 2.0 * t2 + eta2) / (6.0 * N3 * c) * x3 +
                     (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * t2 * eta2) /
                         (120.0 * N5 * c) * x5;
    return {phi, l};
}

// Newton steps on the forward series until it reproduces the grid offsets
// (north, east) to rounding. Each step must lower the residual; otherwise the
// best point found so far is kept, so a start far outside the zone cannot
// run away.
Solution SolveForward(const Ellipsoid& el, LatLonOffset start, double north, double east) {
    LatLonOffset current = start;
    LatLonOffset best = start;
    double bestResidual = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kMaxRefinementSteps; ++i) {
        const GridOffsets g = TransverseMercator(el, current.phi, current.l);
        const double rNorth = g.north - north;
        const double rEast = g.east - east;
        const double residual = std::hypot(rNorth, rEast);
        if (!(residual < bestResidual)) break;
        best = current;
        bestResidual = residual;
        if (residual == 0.0) break;

        const GridOffsets gPhi = TransverseMercator(el, current.phi + kDerivativeStep, current.l);
        const GridOffsets gL = TransverseMercator(el, current.phi, current.l + kDerivativeStep);
        const double dNdPhi = (gPhi.north - g.north) / kDerivativeStep;
        const double dNdL = (gL.north - g.north) / kDerivativeStep;
        const double dEdPhi = (gPhi.east - g.east) / kDerivativeStep;
        const double dEdL = (gL.east - g.east) / kDerivativeStep;
        const double det = dNdPhi * dEdL - dNdL * dEdPhi;
        if (!std::isfinite(det) || det == 0.0) break;
        const double stepPhi = (dEdL * rNorth - dNdL * rEast) / det;
        const double stepL = (dNdPhi * rEast - dEdPhi * rNorth) / det;
        if (!std::isfinite(stepPhi) || !std::isfinite(stepL)) break;
        current.phi -= stepPhi;
        current.l -= stepL;
        if (!(std::fabs(stepPhi) + std::fabs(stepL) > kAngleResolution)) {
            // Converged: the new point is at most rounding away from the old.
            best = current;
            break;
        }
    }
    return {best, bestResidual};
}

}  // namespace

UtmCoordinates GeoToUtm(double longitude, double latitude) {
    if (!std::isfinite(longitude) || !std::isfinite(latitude)) return {kNaN, kNaN};

    // Zone of the longitude: ties (the zone borders) go to the eastern zone,
    // so each zone covers [central meridian - 3, central meridian + 3).
    const double lonDeg = longitude / kDegToRad;
    const double n = std::floor((lonDeg - 3.0) / 6.0 + 0.5);
    const double lambda0 = 6.0 * n + 3.0;
    const double l = (lonDeg - lambda0) * kDegToRad;

    const GridOffsets g = TransverseMercator(FromAxes(), latitude, l);
    double north = g.north;
    if (north < 0.0) north = kFalseNorthing + north;
    const double zonePrefix = ((lambda0 + 3.0) / 6.0 + 30.0) * kZonePrefixUnit;
    const double east = g.east + kFalseEasting + zonePrefix;
    return {east, north};
}

// The easting: from 1000000 on it carries the zone number x 1000000 in front
// (a plain easting never reaches 1000000, and the prefixed eastings of zones
// 1 to 9 have seven digits); a plain easting is taken in zone 30 (central
// meridian -3).
//
// The northing counts from the equator northwards, so a negative northing is
// a southern latitude: a caller that knows a southern place subtracts the
// false northing of 10000000 m that GeoToUtm added. Without that help only
// one band is unambiguous: northings beyond the pole's own northing
// (9997964.94 m) and below 10000000 m cannot belong to a northern place and
// are exactly what the false northing gives for places less than about 2 km
// south of the equator; they are read that way.
//
// Coordinates that are no place give NaN in both results: non-finite input,
// northings of 10000000 m and more or beyond the south pole, zones outside
// 1..61, and points so far from the central meridian near a pole that the
// series cannot reach them.
GeoCoordinates UtmToGeo(double east, double north) {
    if (!std::isfinite(east) || !std::isfinite(north)) return {kNaN, kNaN};

    const double ePrime = east >= kSmallestPrefixedEasting ? east - 30500000.0 : east - kFalseEasting;
    const double m = std::floor(ePrime / kZonePrefixUnit + 0.5);
    const double lambda0 = 6.0 * m - 3.0;
    if (lambda0 < kWestmostCentralMeridian || lambda0 > kEastmostCentralMeridian) {
        return {kNaN, kNaN};
    }
    const double eastOffset = ePrime - (lambda0 + 3.0) / 6.0 * kZonePrefixUnit;
    const double x = eastOffset / kScaleFactor;

    const Ellipsoid el = FromFlattening();
    const double poleLimit = kScaleFactor * MeridianArc(el, kPi / 2.0) + kPoleSlackMetres;
    double y = north;
    if (y >= kFalseNorthing || y < -poleLimit) return {kNaN, kNaN};
    if (y > poleLimit) y -= kFalseNorthing;

    const double firstEstimateDeg = std::floor(y / 0.9996 / 10000000.0 * 900.0) / 10.0;
    const double phiF = FootpointLatitude(el, y / kScaleFactor, firstEstimateDeg * kDegToRad);
    const LatLonOffset series = InverseSeries(el, phiF, x);
    const Solution exact = SolveForward(el, series, y, eastOffset);
    if (!(exact.residual <= kMaxResidualMetres)) return {kNaN, kNaN};

    // Within the slack beyond a pole the solution may overshoot it slightly.
    double phi = exact.point.phi;
    if (phi > kPi / 2.0) phi = kPi / 2.0;
    if (phi < -kPi / 2.0) phi = -kPi / 2.0;
    return {lambda0 * kDegToRad + exact.point.l, phi};
}

}  // namespace astronomy

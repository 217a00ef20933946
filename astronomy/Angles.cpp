// Angle reduction, the coordinate transforms and precession.
#include "astronomy/Angles.h"

#include <cmath>

#include "astronomy/Constants.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

double Mod360(double x) { return x - 360 * Int(x / 360); }


double AzimuthFromNorth(double southAzimuth) {
    const double y = southAzimuth - kPi;
    return y - kStoredCircle * Int(y / kStoredCircle);
}

double SignedAngle(double x) {
    const double r = x - kTwoPi * std::floor(x / kTwoPi);
    return r > kPi ? r - kTwoPi : r;
}

double ArcTan2(double y, double x) {
    const double a = std::atan2(y, x);
    return a <= -kPi ? kPi : a;
}

double SafeAsin(double x) { return std::asin(x > 1 ? 1 : (x < -1 ? -1 : x)); }
double SafeAcos(double x) { return std::acos(x > 1 ? 1 : (x < -1 ? -1 : x)); }

Spherical RectToSpherical(double x, double y, double z) {
    Spherical out;
    if (z >= 1)
        out.lat = kPi / 2;
    else if (z <= -1)
        out.lat = -kPi / 2;
    else
        out.lat = std::asin(z);

    double lon = 0;
    if (!(x == 0 && y == 0)) {
        lon = 2 * std::atan(y / (std::fabs(x) + std::sqrt(x * x + y * y)));
        if (x < 0) lon = kPi - lon;
    }
    out.lon = Mod2Pi(lon);
    return out;
}

Equatorial EclipticToEquatorial(double lambda, double beta, double eps) {
    const double x = std::cos(beta) * std::cos(lambda);
    const double y = std::cos(eps) * std::cos(beta) * std::sin(lambda) - std::sin(eps) * std::sin(beta);
    const double z = std::sin(eps) * std::cos(beta) * std::sin(lambda) + std::cos(eps) * std::sin(beta);
    const Spherical sp = RectToSpherical(x, y, z);
    return {sp.lon, sp.lat};
}

Horizontal EquatorialToHorizontal(double H, double delta, double sinLat, double cosLat) {
    Horizontal out;
    const double s = std::sin(delta) * sinLat + std::cos(delta) * std::cos(H) * cosLat;
    if (std::fabs(s) >= 1)
        out.altitude = Sgn(s) * kPi / 2;
    else
        out.altitude = std::asin(s);
    double A = ArcTan2(std::cos(delta) * std::sin(H),
                       std::cos(delta) * std::cos(H) * sinLat - std::sin(delta) * cosLat);
    if (A > kPi) A = A - kTwoPi;
    out.azimuth = A;
    return out;
}

HourAngleDec HorizontalToEquatorial(double A, double h, double sinLat, double cosLat) {
    HourAngleDec out;
    out.delta = SafeAsin(std::sin(h) * sinLat - std::cos(h) * std::cos(A) * cosLat);
    double H = ArcTan2(std::cos(h) * std::sin(A), std::cos(A) * std::cos(h) * sinLat + std::sin(h) * cosLat);
    if (H > kPi) H = H - kTwoPi;
    out.hourAngle = H;
    return out;
}

double EquinoxEpoch(int year) { return CalendarToJulianDate(0, 1, 1, year, 0).J; }

Equatorial Precess(double J, double F, int targetYear, double alpha0, double delta0) {
    if (targetYear == kEquinoxOfDate) return {alpha0, delta0};
    return PrecessToEpoch(J, F, EquinoxEpoch(targetYear), alpha0, delta0);
}

namespace {

// The precession angles zeta, z, theta from the equinox of J + F to that of Je.
struct PrecessionAngles {
    double zeta, z, theta;
};

PrecessionAngles AnglesBetween(double J, double F, double Je) {
    const double T = (Int(J + F - 0.5) - kEpoch2000Midnight) / kDaysPerCentury;
    const double t = (Je - J - F) / kDaysPerCentury;
    return {(2306.218 + 1.397 * T) * t * kArcsecToRad, ((2306.218 + 1.397 * T) * t + 0.793 * t * t) * kArcsecToRad,
            (2004.311 - 0.853 * T) * t * kArcsecToRad};
}

Equatorial Rotate(double alpha0, double delta0, double zeta, double z, double theta) {
    const double A = std::cos(theta) * std::cos(delta0) * std::cos(alpha0 + zeta) - std::sin(theta) * std::sin(delta0);
    const double B = std::cos(delta0) * std::sin(alpha0 + zeta);
    const double C = std::sin(theta) * std::cos(delta0) * std::cos(alpha0 + zeta) + std::cos(theta) * std::sin(delta0);
    const Spherical sp = RectToSpherical(A, B, C);
    return {Mod2Pi(sp.lon + z), sp.lat};
}

}  // namespace

Equatorial PrecessToEpoch(double J, double F, double Je, double alpha0, double delta0) {
    const PrecessionAngles a = AnglesBetween(J, F, Je);
    return Rotate(alpha0, delta0, a.zeta, a.z, a.theta);
}

Equatorial PrecessFromEpoch(double Je, double J, double F, double alpha0, double delta0) {
    // The rotation of PrecessToEpoch run backwards: its angles in reverse
    // order with their signs changed.
    const PrecessionAngles a = AnglesBetween(J, F, Je);
    return Rotate(alpha0, delta0, -a.z, -a.zeta, -a.theta);
}

}  // namespace astronomy

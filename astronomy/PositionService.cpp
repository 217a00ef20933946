#include "astronomy/PositionService.h"

#include <cmath>
#include <string>

#include "astronomy/Angles.h"
#include "astronomy/Moon.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/ProgramState.h"
#include "astronomy/SunPlanets.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

namespace {

constexpr double kKmPerAU = 149600000;
constexpr double kLightDaysPerAU = 0.00577559;
constexpr double kSinTwilight = -0.2588196364430847;  // sin(-15 deg)
constexpr double kSinH0SunMoon = -0.01454;            // sin(-50'): refraction and semi-diameter
constexpr double kSinH0Other = -0.00989;              // sin(-34'): refraction only

// Index of a Messier object from its type code: 19 open cluster, 20 globular
// cluster, 21 planetary nebula, 22 galaxy, 23 nebula; 19 for anything else.
int MessierIndex(const std::string& type) {
    static const std::string kCodes = "OStKStPlNGa E  ";
    const std::size_t found = kCodes.find(type);
    const double p = found == std::string::npos ? 0 : static_cast<double>(found + 1);
    return static_cast<int>(std::lround((p + 2) / 3 + 18));
}

bool Finite(const BodyPosition& p) {
    const double v[] = {p.T,          p.ra,          p.dec,         p.hourAngle,          p.altitude,
                        p.azimuth,    p.eclLon,      p.eclLat,      p.r,                  p.delta,
                        p.lightTimeDays, p.lightTimeMinutes, p.phaseAngle, p.elongation, p.illuminatedFraction,
                        p.limbAngle,  p.diameter,    p.magnitude,   p.period,             p.raRate,
                        p.decRate,    p.semiDiurnalArc, p.timeToTransit, p.transit,       p.rise,
                        p.set,        p.ringLongitude, p.ringTilt};
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

// Saturn's ring: planetocentric longitude of the Earth and tilt B of the
// ring plane, and the ring's share of the brightness.
void SaturnRing(const ProgramState& s, BodyPosition& pos) {
    const double T2 = (Int(s.J + s.F - 0.5) - 2451544.5) / 36525;
    const double alphaP = (40.66 - 0.036 * T2) * kDegToRad;
    const double deltaP = (83.52 - 0.004 * T2) * kDegToRad;
    const double a = pos.ra, d = pos.dec;
    const double x = -std::cos(deltaP) * std::sin(d) + std::sin(deltaP) * std::cos(d) * std::cos(alphaP - a);
    const double y = std::cos(d) * std::sin(alphaP - a);
    const double z = -std::sin(deltaP) * std::sin(d) - std::cos(deltaP) * std::cos(d) * std::cos(alphaP - a);
    const Spherical ring = RectToSpherical(x, y, z);
    pos.ringLongitude = ring.lon;
    pos.ringTilt = ring.lat;
    const double B = ring.lat;
    pos.magnitude = pos.magnitude - 2.6 * std::sin(std::fabs(B)) + 1.25 * std::sin(B) * std::sin(B) +
                    4.4 * std::fabs(pos.phaseAngle) / 1.7453;
}

}  // namespace

void TopocentricCorrection(double& ra, double& dec, double d, double lstHours, double sinLat, double cosLat) {
    const double x = d * std::cos(ra) * std::cos(dec) - 6371 * std::cos(lstHours * kPi / 12) * cosLat;
    const double y = d * std::sin(ra) * std::cos(dec) - 6371 * std::sin(lstHours * kPi / 12) * cosLat;
    const double z = d * std::sin(dec) - 6371 * sinLat;
    dec = std::atan(z / std::sqrt(x * x + y * y));
    ra = Mod2Pi(ArcTan2(y, x));
}

void ComputeTwilight(const ProgramState& s, SunDerived& sun) {
    const TimeQuantities& q = s.tq;
    sun.hourAngle = Mod24(q.LST - sun.ra * 12 / kPi);
    const Horizontal h = EquatorialToHorizontal(sun.hourAngle * kPi / 12, sun.dec, s.SinLat, s.CosLat);
    sun.altitude = h.altitude;
    sun.azimuth = h.azimuth;

    double E = (Mod24(s.ClockTime - s.Zone) * 0.0027379093 + q.GST0 - sun.ra * 12 / kPi + 12) * 60;
    if (E > 720) E = E - 1440;
    sun.equationOfTime = E;

    const double c = (kSinTwilight - std::sin(sun.dec) * s.SinLat) / (std::cos(sun.dec) * s.CosLat);
    if (std::fabs(c) > 1) {
        sun.twilightArc = sun.twilightEnd = sun.twilightBegin = 0;
    } else {
        const double arc = std::acos(c) * 12 / kPi;
        sun.twilightArc = arc;
        sun.twilightEnd = Mod24(arc - sun.hourAngle + s.ClockTime);
        sun.twilightBegin = Mod24(s.ClockTime + 24 - sun.hourAngle - arc);
    }
}

void ComputeRiseTransitSet(const ProgramState& s, double sinH0, BodyPosition& pos) {
    const TimeQuantities& q = s.tq;
    pos.hourAngle = Mod24(q.LST - pos.ra * 12 / kPi);
    const Horizontal h = EquatorialToHorizontal(pos.hourAngle * kPi / 12, pos.dec, s.SinLat, s.CosLat);
    pos.altitude = h.altitude;
    pos.azimuth = h.azimuth;

    const double c = (sinH0 - std::sin(pos.dec) * s.SinLat) / (std::cos(pos.dec) * s.CosLat);
    pos.semiDiurnalArc = std::fabs(c) > 1 ? 0 : std::acos(c);

    // One correction step: the hour angle at the first estimate of the
    // meridian passage, with the object's own motion.
    double t = -pos.hourAngle;
    if (s.ClockTime + t < 0) t = t + 24;
    const double d = Mod24(q.LST + 1.002738 * t - (pos.ra + pos.raRate * t) * 12 / kPi);
    if (d > 12)
        t = t + (24 - d);
    else
        t = t - d;
    pos.timeToTransit = t;
    pos.transit = s.ClockTime + t;
    if (pos.semiDiurnalArc == 0) {
        pos.rise = pos.set = kNoRiseSetMarker;
    } else {
        pos.rise = pos.transit - pos.semiDiurnalArc * 12 / kPi;
        pos.set = pos.transit + pos.semiDiurnalArc * 12 / kPi;
    }
}

PositionStatus ComputePosition(ProgramState& s, const std::string& name, BodyPosition& pos, SunDerived& sun,
                               MessageList& messages) {
    const TimeQuantities& q = s.tq;
    const double T = (s.J - 2415020) / 36525 + (s.F + q.deltaT) / 36525;
    pos.T = T;

    // The Sun's place, altitude, equation of time and twilight, whatever the object.
    const BodyResult sunBody = ComputeBody("Sonne", T, nullptr, messages);
    const double lambda0 = sunBody.lon, beta0 = sunBody.lat, R = sunBody.radius;
    const Equatorial sunEq = EclipticToEquatorial(lambda0, beta0, q.obliquity);
    sun.lambda = lambda0;
    sun.beta = beta0;
    sun.R = R;
    sun.ra = sunEq.alpha;
    sun.dec = sunEq.delta;
    ComputeTwilight(s, sun);

    double lambda = 0, beta = 0;  // geocentric ecliptic place for the equatorial conversion
    const bool fixedStar = name == "Messier" || name == "beliebig";
    if (name == "Sonne") {
        pos.name = "Sonne";
        pos.index = 1;
        lambda = lambda0;
        beta = beta0;
        pos.eclLon = Mod2Pi(lambda0);
        pos.eclLat = beta0;
        pos.delta = R;
        pos.lightTimeDays = kLightDaysPerAU * R;
        pos.r = pos.phaseAngle = pos.elongation = pos.limbAngle = 0;
        pos.magnitude = -26.8;
        pos.diameter = 2 * 0.266993508 / R;
        pos.period = 365.25 / 365;
    } else if (name == "Erde") {
        pos.name = "Erde";
        pos.index = 12;
        lambda = Mod2Pi(lambda0 + kPi);
        beta = -beta0;
        pos.eclLon = lambda;
        pos.eclLat = beta;
        pos.r = R;
        pos.delta = pos.lightTimeDays = 0;
        pos.phaseAngle = pos.elongation = pos.limbAngle = pos.diameter = 0;
        pos.magnitude = -26.8;
        pos.period = 365.25 / 365;
    } else if (name == "Mond") {
        const BodyResult moon = ComputeBody("Mond", T, nullptr, messages);
        pos.name = "Mond";
        pos.index = 2;
        lambda = moon.lon;
        beta = moon.lat;
        pos.eclLon = lambda;
        pos.eclLat = beta;
        pos.diameter = moon.diameter;
        pos.period = moon.period;
        const double Delta = moon.distanceAU;
        double psi = SafeAcos(std::cos(lambda0 - lambda) * std::cos(beta));
        if (Mod2Pi(lambda - lambda0) > kPi) psi = -psi;
        pos.elongation = psi;
        pos.lightTimeDays = kLightDaysPerAU * Delta;
        const double i = Mod2Pi(kPi - std::fabs(std::atan((Delta / R) * std::sin(psi))) - std::fabs(psi));
        pos.phaseAngle = i;
        pos.magnitude = -12.72 + 3.05 * (i / 1.74533) - 1.05 * i * i / 3.04617 + 1.05 * i * i * i / 5.31658;
        pos.delta = Delta * kKmPerAU;
    } else if (name == "Messier") {
        const int n = s.Messier;
        if (n < 1 || n > static_cast<int>(s.MessierCatalogue.size())) {
            messages.push_back({"M " + std::to_string(n) + " ist nicht im Messier-Katalog", " OK "});
            return PositionStatus::NoMessier;
        }
        const MessierEntry& m = s.MessierCatalogue[n - 1];
        pos.name = "M " + std::to_string(n);
        pos.index = MessierIndex(m.type);
        const Equatorial eq = Precess(2433282, 0.5, s.Year, m.ra, m.dec);
        pos.ra = eq.alpha;
        pos.dec = eq.delta;
        pos.magnitude = m.magnitude;
        pos.diameter = 0;
        pos.period = kPeriodNone;
    } else if (name == "beliebig") {
        pos.name = s.BelName;
        pos.magnitude = s.BelMag;
        pos.index = 12;
        const int Y = s.BelAequi == kEquinoxOfDate ? s.Year : s.BelAequi;
        const JulianDate je = CalendarToJulianDate(s.Zone, 1, 1, Y, s.Zone);
        const Equatorial eq = Precess(je.J, 0.5, s.Year, s.BelAlpha, s.BelDelta);
        pos.ra = eq.alpha;
        pos.dec = eq.delta;
        pos.diameter = 0;
        pos.period = kPeriodNone;
    } else {
        PreparedOrbit orbit;
        const bool isDisk = name == "Disk";
        if (isDisk) orbit = PrepareOrbit(s.Elements, s.ClockTime, s.Day, s.Month, s.Year, s.Zone);
        const BodyResult body = ComputeBody(name, T, isDisk ? &orbit : nullptr, messages);
        if (body.notFound) {
            pos.notFound = true;
            return PositionStatus::NotFound;
        }
        pos.notFound = false;
        if (body.failed) return PositionStatus::NoPosition;
        BodyPhotometry ph;
        if (isDisk) {
            pos.name = orbit.name;
            ph.index = orbit.index;
            ph.s = orbit.s;
            ph.m0 = orbit.m0;
        } else {
            const PlanetRecord* p = FindPlanet(name);
            pos.name = p->name;
            ph = {p->index, p->s, p->m0, p->m1, p->m2};
        }
        const GeocentricResult g =
            GeocentricPlanet(name, body, T, lambda0, R, ph, isDisk ? &orbit : nullptr, messages);
        if (g.failed) return PositionStatus::NoPosition;
        pos.index = ph.index;
        pos.T = g.T;
        pos.eclLon = g.l;
        pos.eclLat = g.b;
        pos.r = g.r;
        pos.delta = g.delta;
        pos.lightTimeDays = g.lightTime;
        pos.elongation = g.elongation;
        pos.phaseAngle = g.phaseAngle;
        pos.magnitude = g.magnitude;
        pos.diameter = g.diameter;
        pos.period = g.period;
        lambda = g.lambda;
        beta = g.beta;
    }
    pos.notFound = false;

    if (s.ChartMode < 4) s.ChartMode = name == "Messier" ? 2.0f : (name == "beliebig" ? 3.0f : 1.0f);

    if (fixedStar) {
        pos.raRate = pos.decRate = 0;
    } else {
        pos.lightTimeMinutes = pos.lightTimeDays * 1440;
        pos.illuminatedFraction = (1 + std::cos(pos.phaseAngle)) / 2;
        const Equatorial eq = EclipticToEquatorial(lambda, beta, q.obliquity);
        pos.ra = eq.alpha;
        pos.dec = eq.delta;
        const double P = name == "Mond" ? 29.5306 : 365.25;
        pos.raRate = (1 - 4.94 * kDegToRad * std::cos(2 * lambda)) * kDegToRad * 15 / P;
        pos.decRate = std::cos(lambda - 2.47 * kDegToRad * std::sin(2 * lambda)) * q.obliquity *
                      (1 - 4.94 * kDegToRad * std::cos(2 * lambda)) * kDegToRad * 15 / P;
    }

    if (name != "Sonne") {
        // Only the near bodies get the parallax of the observer's place.
        if (std::string("MondVenusMerkurMarsJupiter").find(name) != std::string::npos) {
            const double dKm = name == "Mond" ? pos.delta : pos.delta * kKmPerAU;
            TopocentricCorrection(pos.ra, pos.dec, dKm, q.LST, s.SinLat, s.CosLat);
        }
        // The Earth, seen from itself, lies opposite the Sun: both arguments
        // vanish and the angle would be rounding noise; it keeps its 0.
        if (name != "Erde") {
            const double a0 = sun.ra, d0 = sun.dec;
            pos.limbAngle = ArcTan2(std::cos(d0) * std::sin(a0 - pos.ra), std::sin(d0) * std::cos(pos.dec) -
                                                                              std::cos(d0) * std::sin(pos.dec) *
                                                                                  std::cos(a0 - pos.ra));
        }
    }

    ComputeRiseTransitSet(s, (name == "Sonne" || name == "Mond") ? kSinH0SunMoon : kSinH0Other, pos);

    const Equatorial out = Precess(s.J, s.F, s.Aequi, pos.ra, pos.dec);
    pos.ra = out.alpha;
    pos.dec = out.delta;

    if (name == "Saturn") SaturnRing(s, pos);

    if (!Finite(pos)) return PositionStatus::NoPosition;
    return PositionStatus::Ok;
}

}  // namespace astronomy

// The place of an object for an observation, with the Sun, twilight and rise and set.
#include "astronomy/PositionService.h"

#include <cmath>
#include <string>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Moon.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/ProgramState.h"
#include "astronomy/SunPlanets.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

namespace {

constexpr double kSinTwilight = -0.2588196364430847;  // sin(-15 deg)
constexpr double kSinH0SunMoon = -0.01454;            // sin(-50'): refraction and semi-diameter
constexpr double kSinH0Other = -0.00989;              // sin(-34'): refraction only
// Synodic month and year in days: the mean motion in right ascension.
constexpr double kMoonMotionDays = 29.5306;
constexpr double kSunMotionDays = 365.25;

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
void SaturnRing(const Observation& at, BodyPosition& pos) {
    const double T2 = (Int(at.J + at.F - 0.5) - kEpoch2000Midnight) / kDaysPerCentury;
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

// The Sun's place and its derived quantities, which every position carries.
struct SunPlaceOfDate {
    double lambda = 0, beta = 0, R = 0;
};

SunPlaceOfDate SunOfDate(const Observation& at, double T, SunDerived& sun) {
    const BodyResult sunBody = ComputeBody(ObjectKind::Sun, T, nullptr);
    const SunPlaceOfDate out{sunBody.lon, sunBody.lat, sunBody.radius};
    const Equatorial sunEq = EclipticToEquatorial(out.lambda, out.beta, at.tq.obliquity);
    sun.lambda = out.lambda;
    sun.beta = out.beta;
    sun.R = out.R;
    sun.ra = sunEq.alpha;
    sun.dec = sunEq.delta;
    ComputeTwilight(at, sun);
    return out;
}

// The geocentric ecliptic place of a body, for the equatorial conversion.
struct Ecliptic {
    double lambda = 0, beta = 0;
};

Ecliptic SunBody(const SunPlaceOfDate& sun, BodyPosition& pos) {
    pos.name = ObjectName(ObjectKind::Sun);
    pos.index = 1;
    pos.eclLon = Mod2Pi(sun.lambda);
    pos.eclLat = sun.beta;
    pos.delta = sun.R;
    pos.lightTimeDays = kLightDaysPerAU * sun.R;
    pos.r = pos.phaseAngle = pos.elongation = pos.limbAngle = 0;
    pos.magnitude = -26.8;
    pos.diameter = 2 * 0.266993508 / sun.R;
    pos.period = 365.25 / 365;
    return {sun.lambda, sun.beta};
}

Ecliptic EarthBody(const SunPlaceOfDate& sun, BodyPosition& pos) {
    pos.name = ObjectName(ObjectKind::Earth);
    pos.index = 12;
    const Ecliptic e{Mod2Pi(sun.lambda + kPi), -sun.beta};
    pos.eclLon = e.lambda;
    pos.eclLat = e.beta;
    pos.r = sun.R;
    pos.delta = pos.lightTimeDays = 0;
    pos.phaseAngle = pos.elongation = pos.limbAngle = pos.diameter = 0;
    pos.magnitude = -26.8;
    pos.period = 365.25 / 365;
    return e;
}

Ecliptic MoonBody(const SunPlaceOfDate& sun, double T, BodyPosition& pos) {
    const BodyResult moon = ComputeBody(ObjectKind::Moon, T, nullptr);
    pos.name = ObjectName(ObjectKind::Moon);
    pos.index = 2;
    const Ecliptic e{moon.lon, moon.lat};
    pos.eclLon = e.lambda;
    pos.eclLat = e.beta;
    pos.diameter = moon.diameter;
    pos.period = moon.period;
    const double Delta = moon.distanceAU;
    double psi = SafeAcos(std::cos(sun.lambda - e.lambda) * std::cos(e.beta));
    if (Mod2Pi(e.lambda - sun.lambda) > kPi) psi = -psi;
    pos.elongation = psi;
    pos.lightTimeDays = kLightDaysPerAU * Delta;
    const double i = Mod2Pi(kPi - std::fabs(std::atan((Delta / sun.R) * std::sin(psi))) - std::fabs(psi));
    pos.phaseAngle = i;
    pos.magnitude = -12.72 + 3.05 * (i / 1.74533) - 1.05 * i * i / 3.04617 + 1.05 * i * i * i / 5.31658;
    pos.delta = Delta * kKmPerAU;
    return e;
}

// A Messier object: its catalogue place of 1950.0 precessed to the equinox
// of the instant.
PositionStatus MessierBody(const Observation& at, const Target& target, BodyPosition& pos) {
    if (!target.messierEntry) return PositionStatus::NoMessier;
    const MessierEntry& m = *target.messierEntry;
    pos.name = "M " + std::to_string(target.messier);
    pos.index = MessierIndex(m.type);
    const Equatorial eq = PrecessFromEpoch(EquinoxEpoch(1950), at.J, at.F, m.ra, m.dec);
    pos.ra = eq.alpha;
    pos.dec = eq.delta;
    pos.magnitude = m.magnitude;
    pos.diameter = 0;
    pos.period = kPeriodNone;
    return PositionStatus::Ok;
}

void ArbitraryBody(const Observation& at, const ArbitraryObject& object, BodyPosition& pos) {
    pos.name = object.name;
    pos.magnitude = object.magnitude;
    pos.index = 12;
    // Coordinates of the equinox of date are taken as they are; others are
    // precessed from their equinox to that of the instant, the epoch the
    // displayed coordinates are later precessed from.
    Equatorial eq{object.ra, object.dec};
    if (object.equinox != kEquinoxOfDate)
        eq = PrecessFromEpoch(EquinoxEpoch(object.equinox), at.J, at.F, object.ra, object.dec);
    pos.ra = eq.alpha;
    pos.dec = eq.delta;
    pos.diameter = 0;
    pos.period = kPeriodNone;
}

// A planet of the table or the orbit object, light-time corrected.
PositionStatus PlanetBody(const Observation& at, const Target& target, const SunPlaceOfDate& sun, double T,
                          BodyPosition& pos, Ecliptic& place) {
    PreparedOrbit orbit;
    const bool isDisk = target.kind == ObjectKind::Disk;
    if (isDisk) {
        if (!target.elements) return PositionStatus::NoPosition;
        orbit = PrepareOrbit(*target.elements, at.ClockTime, at.Day, at.Month, at.Year, at.Zone);
    }
    const BodyResult body = ComputeBody(target.kind, T, isDisk ? &orbit : nullptr);
    if (body.notFound || body.failed) return PositionStatus::NoPosition;
    BodyPhotometry ph;
    if (isDisk) {
        pos.name = orbit.name;
        ph.index = orbit.index;
        ph.s = orbit.s;
        ph.m0 = orbit.m0;
    } else {
        const PlanetRecord* p = FindPlanet(target.kind);
        pos.name = p->name;
        ph = {p->index, p->s, p->m0, p->m1, p->m2};
    }
    const GeocentricResult g =
        GeocentricPlanet(target.kind, body, T, sun.lambda, sun.R, ph, isDisk ? &orbit : nullptr);
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
    place = {g.lambda, g.beta};
    return PositionStatus::Ok;
}

// Equatorial place of date and its motion from the ecliptic place.
void EquatorialOfDate(const Observation& at, ObjectKind kind, const Ecliptic& e, BodyPosition& pos) {
    pos.lightTimeMinutes = pos.lightTimeDays * 1440;
    pos.illuminatedFraction = (1 + std::cos(pos.phaseAngle)) / 2;
    const Equatorial eq = EclipticToEquatorial(e.lambda, e.beta, at.tq.obliquity);
    pos.ra = eq.alpha;
    pos.dec = eq.delta;
    const double P = kind == ObjectKind::Moon ? kMoonMotionDays : kSunMotionDays;
    const double lambda = e.lambda;
    pos.raRate = (1 - 4.94 * kDegToRad * std::cos(2 * lambda)) * kDegToRad * 15 / P;
    pos.decRate = std::cos(lambda - 2.47 * kDegToRad * std::sin(2 * lambda)) * at.tq.obliquity *
                  (1 - 4.94 * kDegToRad * std::cos(2 * lambda)) * kDegToRad * 15 / P;
}

// The observer's parallax for the near bodies, and the position angle of
// the bright limb.
void ObserverAndLimb(const Observation& at, ObjectKind kind, const SunDerived& sun, BodyPosition& pos) {
    if (HasParallax(kind) && !at.geocentric) {
        const double dKm = kind == ObjectKind::Moon ? pos.delta : pos.delta * kKmPerAU;
        TopocentricCorrection(pos.ra, pos.dec, dKm, at.tq.LST, at.SinLat, at.CosLat);
    }
    // The Earth, seen from itself, lies opposite the Sun: both arguments
    // vanish and the angle would be rounding noise; it keeps its 0.
    if (kind != ObjectKind::Earth) {
        const double a0 = sun.ra, d0 = sun.dec;
        pos.limbAngle = ArcTan2(std::cos(d0) * std::sin(a0 - pos.ra),
                                std::sin(d0) * std::cos(pos.dec) - std::cos(d0) * std::sin(pos.dec) * std::cos(a0 - pos.ra));
    }
}

}  // namespace

Observation ObservationOf(const ProgramState& s) {
    Observation at;
    at.J = s.J;
    at.F = s.F;
    at.Zone = s.Zone;
    at.ClockTime = s.ClockTime;
    at.Day = s.Day;
    at.Month = s.Month;
    at.Year = s.Year;
    at.tq = s.tq;
    at.SinLat = s.SinLat;
    at.CosLat = s.CosLat;
    at.Aequi = s.Aequi;
    return at;
}

Observation ObservationAt(const ProgramState& s, double J, double F) {
    Observation at = ObservationOf(s);
    const CivilDate c = JulianDateToCalendar(J, F, s.Zone);
    at.J = J;
    at.F = F;
    at.ClockTime = c.hours;
    at.Day = c.day;
    at.Month = c.month;
    at.Year = c.year;
    at.tq = TimeQuantitiesAt(J, F, s.Longitude);
    return at;
}

Target BodyTarget(ObjectKind kind) {
    Target t;
    t.kind = kind;
    return t;
}

Target MessierTarget(const ProgramState& s, int n) {
    Target t;
    t.kind = ObjectKind::Messier;
    t.messier = n;
    if (n >= 1 && n <= static_cast<int>(s.MessierCatalogue.size())) t.messierEntry = &s.MessierCatalogue[n - 1];
    return t;
}

Target TargetOf(const ProgramState& s, ObjectKind kind) {
    if (kind == ObjectKind::Messier) return MessierTarget(s, s.Messier);
    Target t = BodyTarget(kind);
    if (kind == ObjectKind::Arbitrary) t.arbitrary = {s.BelName, s.BelAlpha, s.BelDelta, s.BelMag, s.BelAequi};
    if (kind == ObjectKind::Disk) t.elements = &s.Elements;
    return t;
}

void TopocentricCorrection(double& ra, double& dec, double d, double lstHours, double sinLat, double cosLat) {
    const double x = d * std::cos(ra) * std::cos(dec) - 6371 * std::cos(lstHours * kPi / 12) * cosLat;
    const double y = d * std::sin(ra) * std::cos(dec) - 6371 * std::sin(lstHours * kPi / 12) * cosLat;
    const double z = d * std::sin(dec) - 6371 * sinLat;
    dec = std::atan(z / std::sqrt(x * x + y * y));
    ra = Mod2Pi(ArcTan2(y, x));
}

void ComputeTwilight(const Observation& at, SunDerived& sun) {
    const TimeQuantities& q = at.tq;
    sun.hourAngle = Mod24(q.LST - sun.ra * 12 / kPi);
    const Horizontal h = EquatorialToHorizontal(sun.hourAngle * kPi / 12, sun.dec, at.SinLat, at.CosLat);
    sun.altitude = h.altitude;
    sun.azimuth = h.azimuth;

    double E = (Mod24(at.ClockTime - at.Zone) * 0.0027379093 + q.GST0 - sun.ra * 12 / kPi + 12) * 60;
    if (E > 720) E = E - 1440;
    sun.equationOfTime = E;

    const double c = (kSinTwilight - std::sin(sun.dec) * at.SinLat) / (std::cos(sun.dec) * at.CosLat);
    if (std::fabs(c) > 1) {
        sun.twilightArc = sun.twilightEnd = sun.twilightBegin = 0;
    } else {
        const double arc = std::acos(c) * 12 / kPi;
        sun.twilightArc = arc;
        sun.twilightEnd = Mod24(arc - sun.hourAngle + at.ClockTime);
        sun.twilightBegin = Mod24(at.ClockTime + 24 - sun.hourAngle - arc);
    }
}

void ComputeRiseTransitSet(const Observation& at, double sinH0, BodyPosition& pos) {
    const TimeQuantities& q = at.tq;
    pos.hourAngle = Mod24(q.LST - pos.ra * 12 / kPi);
    const Horizontal h = EquatorialToHorizontal(pos.hourAngle * kPi / 12, pos.dec, at.SinLat, at.CosLat);
    pos.altitude = h.altitude;
    pos.azimuth = h.azimuth;

    const double c = (sinH0 - std::sin(pos.dec) * at.SinLat) / (std::cos(pos.dec) * at.CosLat);
    pos.semiDiurnalArc = std::fabs(c) > 1 ? 0 : std::acos(c);

    // One correction step: the hour angle at the first estimate of the
    // meridian passage, with the object's own motion.
    double t = -pos.hourAngle;
    if (at.ClockTime + t < 0) t = t + 24;
    const double d = Mod24(q.LST + 1.002738 * t - (pos.ra + pos.raRate * t) * 12 / kPi);
    if (d > 12)
        t = t + (24 - d);
    else
        t = t - d;
    pos.timeToTransit = t;
    pos.transit = at.ClockTime + t;
    if (pos.semiDiurnalArc == 0) {
        pos.rise = pos.set = kNoRiseSetMarker;
    } else {
        pos.rise = pos.transit - pos.semiDiurnalArc * 12 / kPi;
        pos.set = pos.transit + pos.semiDiurnalArc * 12 / kPi;
    }
}

PositionResult ComputePosition(const Observation& at, const Target& target) {
    PositionResult out;
    BodyPosition& pos = out.body;
    const ObjectKind kind = target.kind;
    const double T = (at.J - kEpochT) / kDaysPerCentury + (at.F + at.tq.deltaT) / kDaysPerCentury;
    pos.T = T;

    // The Sun's place, altitude, equation of time and twilight, whatever the object.
    const SunPlaceOfDate sun = SunOfDate(at, T, out.sun);

    Ecliptic place;  // geocentric ecliptic place for the equatorial conversion
    if (kind == ObjectKind::Sun) {
        place = SunBody(sun, pos);
    } else if (kind == ObjectKind::Earth) {
        place = EarthBody(sun, pos);
    } else if (kind == ObjectKind::Moon) {
        place = MoonBody(sun, T, pos);
    } else if (kind == ObjectKind::Messier) {
        out.status = MessierBody(at, target, pos);
    } else if (kind == ObjectKind::Arbitrary) {
        ArbitraryBody(at, target.arbitrary, pos);
    } else {
        out.status = PlanetBody(at, target, sun, T, pos, place);
    }
    if (out.status != PositionStatus::Ok) return out;

    if (IsFixedObject(kind)) {
        pos.raRate = pos.decRate = 0;
    } else {
        EquatorialOfDate(at, kind, place, pos);
    }
    if (kind != ObjectKind::Sun) ObserverAndLimb(at, kind, out.sun, pos);

    ComputeRiseTransitSet(at, (kind == ObjectKind::Sun || kind == ObjectKind::Moon) ? kSinH0SunMoon : kSinH0Other,
                          pos);

    const Equatorial equinox = Precess(at.J, at.F, at.Aequi, pos.ra, pos.dec);
    pos.ra = equinox.alpha;
    pos.dec = equinox.delta;

    if (kind == ObjectKind::Saturn) SaturnRing(at, pos);

    if (!Finite(pos)) out.status = PositionStatus::NoPosition;
    return out;
}

}  // namespace astronomy

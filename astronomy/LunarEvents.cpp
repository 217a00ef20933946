// The time of a lunar phase and the search for lunar eclipses.
#include "astronomy/LunarEvents.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Series.h"

namespace astronomy {

namespace {

// The mean lunation in days, and the new moon of 1900 January 0.7593 (TT)
// from which the lunations are counted (from the epoch kEpochT).
constexpr double kLunation = 29.53058868;
constexpr double kFirstNewMoon = 2415020.7593;

// The periodic terms of a phase from the mean instant, in days: the phase
// series of J. Meeus, "Astronomical Formulae for Calculators" (1979),
// chapter 32, with the angles in radians. Multipliers of M (the Sun's mean
// anomaly), Mm (the Moon's) and Fl (the Moon's argument of latitude), in
// the order of the terms there; the first term of each series, whose
// coefficient changes with T, stands apart.
constexpr SeriesTerm<3> kNewAndFullMoonTerms[] = {
    {0.0021, {2, 0, 0}},   {-0.4068, {0, 1, 0}},  {0.0161, {0, 2, 0}},   {-0.0004, {0, 3, 0}},
    {0.0104, {0, 0, 2}},   {-0.0051, {1, 1, 0}},  {-0.0074, {1, -1, 0}}, {0.0004, {1, 0, 2}},
    {-0.0004, {-1, 0, 2}}, {-0.0006, {0, 1, 2}},  {0.001, {0, -1, 2}},   {0.0005, {1, 2, 0}},
};
constexpr SeriesTerm<3> kQuarterTerms[] = {
    {0.0021, {2, 0, 0}},   {-0.628, {0, 1, 0}},   {0.0089, {0, 2, 0}},   {-0.0004, {0, 3, 0}},
    {0.0079, {0, 0, 2}},   {-0.0119, {1, 1, 0}},  {-0.0047, {1, -1, 0}}, {0.0003, {1, 0, 2}},
    {-0.0004, {-1, 0, 2}}, {-0.0006, {0, 1, 2}},  {0.0021, {0, -1, 2}},  {0.0003, {1, 2, 0}},
    {0.0004, {1, -2, 0}},  {-0.0003, {2, 1, 0}},
};

// A phase counts as the next one when it lies more than this (one minute)
// after the instant: a phase just jumped to is not found again.
constexpr double kPhaseStep = 1.0 / 1440;

// The Earth's and the Moon's radius in km, the Sun's radius in AU, and the
// enlargement of the Earth's shadow by its atmosphere.
constexpr double kEarthRadiusKm = 6378;
constexpr double kMoonRadiusKm = 1740;
constexpr double kSunRadiusAU = 0.004652406417112299;
constexpr double kShadowEnlargement = 1.02;
// The largest |sin Fl| at a full moon that can still give an eclipse.
constexpr double kEclipseLimit = 0.36;

// The Universal Time of a dynamical-time instant.
Instant UniversalTime(const Instant& tt) { return NormaliseInstant(tt.J, tt.F - DeltaT(tt.J, tt.F)); }

// Geocentric places of the equinox of date at an instant.
struct SunMoon {
    BodyPosition sun, moon;
};

SunMoon PlacesAt(const ProgramState& s, const Instant& at) {
    Observation o = ObservationAt(s, at.J, at.F);
    o.Aequi = kEquinoxOfDate;
    o.geocentric = true;
    return {ComputePosition(o, BodyTarget(ObjectKind::Sun)).body, ComputePosition(o, BodyTarget(ObjectKind::Moon)).body};
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// The contacts of one shadow radius R: the Moon's centre at distance R from
// the shadow's centre, |tau| hours before and after greatest eclipse; the
// later one in the first slot.
void Contacts(EclipseCircumstances& c, double R, std::size_t endSlot) {
    const double q = R * R - c.m * c.m;
    if (q < 0) return;
    const double tau = std::fabs(std::sqrt(q) * std::sin(c.theta) / (c.deltaMRate - c.deltaSRate));
    c.contacts[endSlot] = Mod24(c.tmax + tau);
    c.contacts[endSlot + 1] = Mod24(c.tmax - tau);
}

}  // namespace

bool InLunarYears(double J, double F) {
    if (!std::isfinite(J) || !std::isfinite(F)) return false;
    const JulianDate first = CalendarToJulianDate(0, 1, 1, kLunarFirstYear, 0);
    const JulianDate after = CalendarToJulianDate(0, 1, 1, kLunarLastYear + 1, 0);
    const double t = J + F;
    return t >= first.J + first.F && t < after.J + after.F;
}

float PhaseFraction(LunarPhase phase) {
    switch (phase) {
        case LunarPhase::New: return 0.0f;
        case LunarPhase::FirstQuarter: return 0.25f;
        case LunarPhase::Full: return 0.5f;
        case LunarPhase::LastQuarter: return 0.75f;
    }
    return 0.0f;
}

PhaseTime LunarPhaseOfLunation(double k, LunarPhase phase) {
    const double T = k / 1236.85;
    double f = 0.53058868 * k + 0.0001178 * T * T - 1.55e-07 * T * T * T +
               0.00033 * std::sin(2.907020402 + 2.319018977 * T - 0.000160099 * T * T);
    PhaseTime out;
    out.k = k;
    out.M = Mod2Pi(6.269645043 + 0.507984293 * k - 5.811946e-07 * T * T - 6.0563e-08 * T * T * T);
    out.Mm = Mod2Pi(5.341149079 + 6.733775529 * k + 0.000187284 * T * T + 2.157227e-07 * T * T * T);
    out.Fl = Mod2Pi(0.371692298 + 6.818486627 * k - 2.8846802e-05 * T * T - 4.171337e-08 * T * T * T);
    const std::array<double, 3> x{out.M, out.Mm, out.Fl};
    if (phase == LunarPhase::New || phase == LunarPhase::Full)
        f += AddSineTerms((0.1734 - 0.000393 * T) * std::sin(out.M), kNewAndFullMoonTerms, x);
    else
        f += AddSineTerms((0.1721 - 0.0004 * T) * std::sin(out.M), kQuarterTerms, x);
    const double whole = std::floor(f);
    out.at = NormaliseInstant(kFirstNewMoon + 29 * k + whole, f - whole);
    return out;
}

PhaseTime LunarPhaseTime(double J, double F, LunarPhase phase) {
    // The lunation whose mean phase lies before the instant; the true phase
    // is at most about 0.6 days from the mean one, so one of the next few
    // is the first after the instant.
    const double p = PhaseFraction(phase);
    double k = std::floor((J + F + DeltaT(J, F) - kEpochT) / kLunation - p) + p - 1;
    PhaseTime out;
    for (int n = 0; n < 4; ++n, k += 1) {
        out = LunarPhaseOfLunation(k, phase);
        const Instant ut = UniversalTime(out.at);
        if ((ut.J - J) + (ut.F - F) > kPhaseStep) break;
    }
    return out;
}

Instant NextLunarPhase(double J, double F, LunarPhase phase) { return UniversalTime(LunarPhaseTime(J, F, phase).at); }

double FirstFullMoonAfter(double J, double F) { return LunarPhaseTime(J, F, LunarPhase::Full).k; }

bool NearNode(double Fl) { return std::fabs(std::sin(Fl)) <= kEclipseLimit; }

EclipseCandidate ExamineFullMoon(const ProgramState& s, double k) {
    EclipseCandidate out;
    out.lunation = k;
    const PhaseTime phase = LunarPhaseOfLunation(k, LunarPhase::Full);
    if (!NearNode(phase.Fl)) return out;
    out.verdict = EclipseVerdict::MissesShadow;
    EclipseCircumstances& c = out.circumstances;
    c.fullMoon = UniversalTime(phase.at);

    // The places at the full moon and an hour later give the hourly motions.
    const SunMoon p0 = PlacesAt(s, c.fullMoon);
    const SunMoon p1 = PlacesAt(s, NormaliseInstant(c.fullMoon.J, c.fullMoon.F + 1.0 / 24));
    const double shadow0 = Mod2Pi(p0.sun.ra + kPi), shadow1 = Mod2Pi(p1.sun.ra + kPi);
    c.alphaMRate = SignedAngle(p1.moon.ra - p0.moon.ra);
    c.alphaSRate = SignedAngle(shadow1 - shadow0);
    c.deltaMRate = p1.moon.dec - p0.moon.dec;
    c.deltaSRate = (-p1.sun.dec) - (-p0.sun.dec);  // the shadow has the opposite declination

    // The opposition in right ascension, and the places there.
    const double dt = SignedAngle(p0.moon.ra - shadow0) / (c.alphaSRate - c.alphaMRate);
    c.opposition = NormaliseInstant(c.fullMoon.J, c.fullMoon.F + dt / 24);
    const SunMoon at = PlacesAt(s, c.opposition);
    c.alphaS = Mod2Pi(at.sun.ra + kPi);
    c.deltaS = -at.sun.dec;
    c.alphaM = at.moon.ra;
    c.deltaM = at.moon.dec;
    const double sunAU = at.sun.delta, moonKm = at.moon.delta;
    c.sS = std::atan(kSunRadiusAU / sunAU);
    c.piS = std::atan(kEarthRadiusKm / (sunAU * kKmPerAU));
    c.sM = std::atan(kMoonRadiusKm / moonKm);
    c.piM = std::atan(kEarthRadiusKm / moonKm);
    c.Ru = kShadowEnlargement * (c.piM + c.piS - c.sS);
    c.Rp = kShadowEnlargement * (c.piM + c.piS + c.sS);

    // The Moon's path across the shadow and its least distance.
    c.theta = std::atan((c.deltaSRate - c.deltaMRate) / c.alphaMRate);
    const double sinTheta = std::sin(c.theta);
    const double toMaximum = (c.deltaM - c.deltaS) / (c.deltaMRate - c.deltaSRate) * sinTheta * sinTheta;
    c.maximum = NormaliseInstant(c.opposition.J, c.opposition.F - toMaximum / 24);
    c.tmax = JulianDateToCalendar(c.maximum.J, c.maximum.F, s.Zone).hours;
    c.m = std::fabs((c.deltaM - c.deltaS) * std::cos(c.theta));
    if (!AllFinite({c.opposition.J, c.opposition.F, c.Ru, c.Rp, c.sM, c.theta, c.m, c.tmax, c.maximum.F}))
        return out;
    if (c.sM + c.Rp < c.m) return out;

    Contacts(c, c.sM + c.Ru, 3);
    Contacts(c, c.Ru - c.sM, 1);
    Contacts(c, c.sM + c.Rp, 5);
    c.magnitude = (c.Ru - c.m + c.sM) / (2 * c.sM);
    if (c.magnitude < 0) {
        out.verdict = EclipseVerdict::PenumbralOnly;
        return out;
    }
    c.contacts[0] = c.tmax;
    out.verdict = EclipseVerdict::Umbral;
    return out;
}

std::optional<EclipseCandidate> SearchLunarEclipseFrom(
    const ProgramState& s, double k, const std::function<bool(const EclipseCandidate&)>& keepGoing) {
    if (!std::isfinite(k)) return std::nullopt;
    for (int n = 0; n < kLunationsSearchedAtMost; ++n, k += 1) {
        const EclipseCandidate candidate = ExamineFullMoon(s, k);
        if (candidate.verdict == EclipseVerdict::Umbral) return candidate;
        if (keepGoing && !keepGoing(candidate)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace astronomy

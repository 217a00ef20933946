// The one entry through which every part obtains the place of an object:
// for an instant, an observer and an equinox it computes the object's place
// with the Sun's derived quantities, twilight, the equation of time and
// rise, transit and set. It changes nothing; what the caller keeps or shows
// of the result is the caller's business.
#pragma once

#include <string>

#include "astronomy/Objects.h"
#include "astronomy/ProgramState.h"

namespace astronomy {

inline constexpr double kNoRiseSetMarker = 99;
inline constexpr double kPeriodNone = -1;

struct BodyPosition {
    std::string name;
    int index = 0;
    double T = 0;              // centuries of TT from JD 2415020.0
    double ra = 0, dec = 0;    // radians, equinox Aequi
    double hourAngle = 0;      // hours
    double altitude = 0, azimuth = 0;   // radians, azimuth from south, west positive
    double eclLon = 0, eclLat = 0;      // radians
    double r = 0;              // heliocentric distance, AU
    double delta = 0;          // geocentric distance, AU (km for the Moon)
    double lightTimeDays = 0, lightTimeMinutes = 0;
    double phaseAngle = 0;
    double elongation = 0;
    double illuminatedFraction = 0;
    double limbAngle = 0;
    double diameter = 0;       // degrees
    double magnitude = 0;
    double period = 0;         // years or a marker
    double raRate = 0, decRate = 0;    // radians per hour
    double semiDiurnalArc = 0; // radians
    double timeToTransit = 0, transit = 0, rise = 0, set = 0;  // hours of clock time
    double ringLongitude = 0, ringTilt = 0;                    // radians, Saturn only
};

struct SunDerived {
    double lambda = 0, beta = 0, R = 0;
    double ra = 0, dec = 0;      // of date
    double hourAngle = 0;        // hours
    double altitude = 0, azimuth = 0;
    double equationOfTime = 0;   // minutes
    double twilightArc = 0;      // hours
    double twilightEnd = 0;      // evening, hours of clock time
    double twilightBegin = 0;    // morning
};

enum class PositionStatus {
    Ok,
    NoPosition,  // the orbit object's elements allow no position, or a value is not finite
    NoMessier,   // the Messier number has no catalogue entry
};

// What a position is computed for besides the object: the instant (J, F
// with the zone's calendar and clock and the time quantities), the
// observer's latitude terms and the equinox of the right ascension and
// declination returned.
struct Observation {
    double J = 0, F = 0;
    int Zone = 1;
    double ClockTime = 0;
    int Day = 1, Month = 1, Year = 2000;
    TimeQuantities tq;
    double SinLat = 0, CosLat = 1;
    int Aequi = 2000;
    // The places as seen from the Earth's centre: no parallax of the
    // observer's place (rise, set and altitude stay the observer's).
    bool geocentric = false;
};
// The observation of the state's instant, place and equinox.
Observation ObservationOf(const ProgramState& s);
// The state's place, zone and equinox at another instant J, F, with the
// calendar, clock and time quantities of that instant.
Observation ObservationAt(const ProgramState& s, double J, double F);

// The object at fixed coordinates that the user typed in.
struct ArbitraryObject {
    std::string name;
    double ra = 0, dec = 0;  // radians, equinox of the year `equinox`
    double magnitude = 0;
    int equinox = 2000;      // 9999: of date
};

// The object to compute, with the data its kind needs: the number and
// catalogue entry of a Messier object (no entry: not in the catalogue), the
// arbitrary object's coordinates, the orbit object's elements. The entry
// and the elements point into the state the target was taken from, which
// must outlive it.
struct Target {
    ObjectKind kind = ObjectKind::Sun;
    int messier = 0;
    const MessierEntry* messierEntry = nullptr;
    ArbitraryObject arbitrary;
    const OrbitalElements* elements = nullptr;
};
// One of the bodies (Sun, Moon, planets, Earth).
Target BodyTarget(ObjectKind kind);
// The object of the kind as the state holds it: the Messier object number
// Messier, the arbitrary object Bel..., the orbit object Elements.
Target TargetOf(const ProgramState& s, ObjectKind kind);
// Messier object n of the state's catalogue.
Target MessierTarget(const ProgramState& s, int n);

struct PositionResult {
    PositionStatus status = PositionStatus::Ok;
    BodyPosition body;
    SunDerived sun;
};

PositionResult ComputePosition(const Observation& at, const Target& target);

// Moves (ra, dec) from the Earth's centre to the observer; the distance is
// in kilometres.
void TopocentricCorrection(double& ra, double& dec, double distanceKm, double lstHours, double sinLat,
                           double cosLat);

// Equation of time and twilight from the Sun's place of date; writes sun.
void ComputeTwilight(const Observation& at, SunDerived& sun);

// Hour angle, altitude, azimuth, transit, rise and set of pos (whose ra,
// dec of date and raRate are set). sinH0 is the sine of the altitude limit.
void ComputeRiseTransitSet(const Observation& at, double sinH0, BodyPosition& pos);

}  // namespace astronomy

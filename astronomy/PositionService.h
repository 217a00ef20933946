// The one entry through which every part obtains the place of an object for
// the current instant, with the Sun's derived quantities, twilight, the
// equation of time and rise, transit and set.
#pragma once

#include <string>

#include "astronomy/Messages.h"

namespace astronomy {

struct ProgramState;

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
    bool notFound = false;
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
    NotFound,       // the name is not known; only the Sun's values are set
    NoPosition,     // the orbit object's elements allow no position
    NoMessier,      // the Messier number has no catalogue entry
};

// Computes the place of the named object ("Sonne", "Erde", "Mond", a planet,
// "Disk", "Messier", "beliebig") for the state's instant and place. Reads the
// state (and may set ChartMode below 4 to the object view kind); fills pos
// and sun. Messages to show are appended to messages.
PositionStatus ComputePosition(ProgramState& s, const std::string& name, BodyPosition& pos, SunDerived& sun,
                               MessageList& messages);

// Moves (ra, dec) from the Earth's centre to the observer; the distance is
// in kilometres.
void TopocentricCorrection(double& ra, double& dec, double distanceKm, double lstHours, double sinLat,
                           double cosLat);

// Equation of time and twilight from the Sun's place of date; writes sun.
void ComputeTwilight(const ProgramState& s, SunDerived& sun);

// Hour angle, altitude, azimuth, transit, rise and set of pos (whose ra,
// dec of date and raRate are set). sinH0 is the sine of the altitude limit.
void ComputeRiseTransitSet(const ProgramState& s, double sinH0, BodyPosition& pos);

}  // namespace astronomy

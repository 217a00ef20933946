// The phases of the Moon and the lunar eclipses: the time of a phase from
// the mean-lunation series, and the search for the next eclipse that
// reaches the Earth's umbra with its circumstances.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

enum class LunarPhase { New, FirstQuarter, Full, LastQuarter };

// The years the phase series and the eclipse search serve: the series' T^2
// and T^3 terms carry it away from the true phases by hours a few
// millennia from 1900, and by whole lunations beyond.
inline constexpr int kLunarFirstYear = -4000;
inline constexpr int kLunarLastYear = 8000;
// Whether the Universal Time instant (J, F) lies in those years.
bool InLunarYears(double J, double F);

// Umbral eclipses follow each other within two years: one call of the
// search goes through at most this many full moons.
inline constexpr int kLunationsSearchedAtMost = 1000;

// The phase as the fraction of a lunation the series counts in: 0, 0.25,
// 0.5, 0.75.
float PhaseFraction(LunarPhase phase);

// One phase from the series: its instant (dynamical time) and the Sun's
// mean anomaly M, the Moon's mean anomaly Mm and argument of latitude Fl,
// radians in 0..2 pi.
struct PhaseTime {
    Instant at;
    double M = 0, Mm = 0, Fl = 0;
    double k = 0;  // the lunation number with the phase's fraction
};

// The phase of lunation number k (whole lunations from the new moon of
// 1900 January, plus the phase's fraction).
PhaseTime LunarPhaseOfLunation(double k, LunarPhase phase);
// The first phase of the kind more than a minute after the Universal Time
// instant (J, F) (the series' instant is dynamical time and is compared
// through Delta T): repeated steps go from one phase to the next in every
// century, and a phase a few hours ahead is not passed over.
PhaseTime LunarPhaseTime(double J, double F, LunarPhase phase);
// The same phase's instant in Universal Time.
Instant NextLunarPhase(double J, double F, LunarPhase phase);

// A lunar eclipse found by the search. Angles in radians of the equinox of
// date, rates per hour, times of day in hours of the zone clock.
struct EclipseCircumstances {
    Instant opposition;         // Moon and shadow centre at equal right ascension (UT)
    Instant fullMoon;           // the full moon the search examined (UT)
    double alphaS = 0, deltaS = 0;  // the shadow's centre at the opposition
    double alphaM = 0, deltaM = 0;  // the Moon at the opposition
    double alphaSRate = 0, deltaSRate = 0, alphaMRate = 0, deltaMRate = 0;
    double sS = 0, piS = 0;     // the Sun's semi-diameter and parallax
    double sM = 0, piM = 0;     // the Moon's semi-diameter and parallax
    double Ru = 0, Rp = 0;      // radii of umbra and penumbra
    double theta = 0;           // inclination of the Moon's path
    double m = 0;               // least distance of the Moon from the shadow's centre
    Instant maximum;            // greatest eclipse (UT)
    double tmax = 0;            // greatest eclipse, zone hours
    // 0 greatest eclipse; 1 and 2 end and begin of totality; 3 and 4 end
    // and begin of the umbral phase; 5 and 6 end and begin of the penumbral
    // phase. Unset where the Moon does not reach that shadow.
    std::array<std::optional<double>, 7> contacts;
    double magnitude = 0;       // umbral magnitude, a fraction of the Moon's diameter
};

// What the examination of one full moon found.
enum class EclipseVerdict {
    TooFarFromNode,  // |sin Fl| > 0.36: no eclipse possible
    MissesShadow,    // the Moon passes outside the penumbra
    PenumbralOnly,   // the Moon touches the penumbra only
    Umbral,          // an eclipse that reaches the umbra
};

struct EclipseCandidate {
    EclipseVerdict verdict = EclipseVerdict::TooFarFromNode;
    EclipseCircumstances circumstances;  // complete for Umbral
    double lunation = 0;                 // k of the full moon examined
};

// Whether a full moon at the Moon's argument of latitude Fl lies near
// enough to a node for an eclipse: |sin Fl| at most 0.36.
bool NearNode(double Fl);

// The search's places: the observation's zone, equinox of date, and the
// Moon seen from the Earth's centre (an eclipse is the same event from
// every place).
// Examines the full moon of lunation k (k - 0.5 whole).
EclipseCandidate ExamineFullMoon(const ProgramState& s, double k);

// The lunation number of the first full moon after the Universal Time
// instant (J, F).
double FirstFullMoonAfter(double J, double F);

// Searches full moon after full moon from lunation k for the next eclipse
// that reaches the umbra. keepGoing is asked after every full moon with the
// candidate just examined; when it says no, the search ends without a
// result. Returns the eclipse and the lunation it was found at.
std::optional<EclipseCandidate> SearchLunarEclipseFrom(
    const ProgramState& s, double k, const std::function<bool(const EclipseCandidate&)>& keepGoing = {});

}  // namespace astronomy

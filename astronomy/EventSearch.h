// The forward search of "Springe": the next closest approach to the Earth,
// the next perihelion or the next rising of the selected object, found by
// stepping the instant forward and recomputing the object's place.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"

namespace astronomy {

// The events; the numbers are those of the command line.
enum class EventKind { Perigee = 0, Perihelion = 1, Rising = 2 };
std::optional<EventKind> EventKindFromNumber(int number);

// Step sizes of the search, in days.
inline constexpr double kDistanceBaseStep = 0.5;
inline constexpr double kRisingBaseStep = 0.020833333333333332;  // 30 minutes
inline constexpr double kLongStep = 50;
inline constexpr double kDistanceFineStep = 0.05;
inline constexpr double kRisingFineStep = 0.002;
// Orbital period (years) above which a perihelion search leaves a receding
// object in long steps.
inline constexpr double kLongPeriodYears = 1000;

// The quantity searched: the geocentric distance (AU, km for the Moon), the
// heliocentric distance (AU) or the altitude (degrees, geometric, of the
// object's centre).
double SearchQuantity(EventKind kind, const BodyPosition& body);

// Whether the search has a meaning for the selected object: none for a
// Messier object or the arbitrary object, no perihelion of the Sun.
bool SearchApplies(ObjectKind object, EventKind kind);

// -1 when the quantity decreases from the instant J + F to `step` days later
// (hours for the rising), +1 when it grows, 0 when it stays (or cannot be
// computed).
int Trend(const ProgramState& s, EventKind kind, double J, double F, double step);

// How many of the next rising steps (`step` days each) certainly find the
// orbit object at `p` on the same side of the horizon as now (above when
// `up`): while its declination keeps it circumpolar (or never rising), no
// step can see it cross. The declination cannot move faster than the
// object's speed at perihelion plus the Earth's and the observer's, seen
// from its present distance. A search for the rising of an object that stays
// circumpolar for centuries so computes a place every ten days instead of
// every half hour, with the same steps and the same result. Zero where
// nothing is certain, and for every other object.
int RisingStepsCertain(const Target& target, const Observation& at, const BodyPosition& p, double step, bool up);

// The stages of a search: leaving the current minimum (or waiting for the
// object to set), the coarse steps and the fine steps.
enum class SearchPhase { Leaving, Coarse, Fine };

// Asked once per step with the instant reached: true asks the search to
// stop. In the first stage it ends only that stage, later the whole search.
using SearchStopRequest = std::function<bool(SearchPhase phase, double J, double F)>;

struct EventSearchResult {
    bool changed = false;  // false: the search does not apply, the instant stays
    PositionStatus status = PositionStatus::Ok;  // of the object at the start
    bool found = false;    // the fine search ended at the event
    bool stopped = false;  // a stop request was granted on the way
    double J = 0, F = 0;   // the instant reached, J whole and 0 <= F < 1
    double quantity = 0;   // SearchQuantity at that instant
    std::string name;      // the object's name
};

// Searches forward from the state's instant for the event of the selected
// object; the state itself is not changed. The search starts half a day
// (half an hour for the rising) after the instant; a distance minimum ends
// on the first 0.05-day step after which the distance grows, a rising on
// the first 0.002-day step at which the object is at or above the horizon.
EventSearchResult SearchEvent(const ProgramState& s, EventKind kind, const SearchStopRequest& stopRequested = {});

}  // namespace astronomy

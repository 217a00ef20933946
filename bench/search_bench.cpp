// The event searches of "Springe": the next lunar perigee, the next sunrise,
// the next perihelion of Mars, and the hopeless perihelion search of a comet
// on a hyperbolic orbit after its perihelion, stopped after 1000 years of
// searched time as kelmaron-cli stops it. The start instants step through a
// year so that every search begins at another point of its cycle.
#include <benchmark/benchmark.h>

#include "astronomy/Constants.h"
#include "astronomy/EventSearch.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"

namespace {

using namespace astronomy;

ProgramState MakeState(ObjectKind object) {
    ProgramState s;
    ApplyDefaults(s);
    SetPlaceFromList(s, 1);
    s.Zone = 1;
    s.Objekt = object;
    return s;
}

void Search(benchmark::State& state, ObjectKind object, EventKind kind, double dayStep) {
    ProgramState s = MakeState(object);
    double jd = 2461000.3;
    for (auto _ : state) {
        jd += dayStep;
        const Instant at = NormaliseInstant(jd, 0);
        SetInstant(s, at.J, at.F);
        const EventSearchResult r = SearchEvent(s, kind);
        benchmark::DoNotOptimize(r.J);
    }
}

void BM_NextLunarPerigee(benchmark::State& state) { Search(state, ObjectKind::Moon, EventKind::Perigee, 3.7); }
void BM_NextSunrise(benchmark::State& state) { Search(state, ObjectKind::Sun, EventKind::Rising, 1.13); }
void BM_NextMarsPerihelion(benchmark::State& state) { Search(state, ObjectKind::Mars, EventKind::Perihelion, 37.1); }

void BM_HopelessHyperbolicPerihelion1000Years(benchmark::State& state) {
    ProgramState s = MakeState(ObjectKind::Disk);
    s.Elements.name = "Fortflug";
    s.Elements.e = 1.5;
    s.Elements.q = 3;
    s.Elements.node = 90 * kDegToRad;
    s.Elements.omega = 288 * kDegToRad;
    s.Elements.i = 90 * kDegToRad;
    s.Elements.T = 2451545;
    s.Elements.kind = kKindComet;
    ElementNotes notes;
    CompleteAndCheckElements(s.Elements, notes);
    SetInstant(s, 2461382, 0);
    const double limit = 1000 * kDaysPerYear;
    for (auto _ : state) {
        const EventSearchResult r = SearchEvent(s, EventKind::Perihelion, [&](SearchPhase, double J, double F) {
            return (J - s.J) + (F - s.F) > limit;
        });
        benchmark::DoNotOptimize(r.J);
    }
}

}  // namespace

BENCHMARK(BM_NextLunarPerigee)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextSunrise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextMarsPerihelion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HopelessHyperbolicPerihelion1000Years)->Unit(benchmark::kMillisecond);

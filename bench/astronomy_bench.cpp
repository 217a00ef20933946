// Throughput of the position service and of its building blocks, and of
// the search for lunar eclipses.
#include <benchmark/benchmark.h>

#include <string>

#include "astronomy/LunarEvents.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/SunPlanets.h"
#include "astronomy/TimeCalendar.h"

namespace {

using namespace astronomy;

ProgramState MakeState() {
    ProgramState s;
    ApplyDefaults(s);
    SetPlaceFromList(s, 1);
    s.Zone = 1;
    return s;
}

// One full position computation per iteration, the instant stepping by a
// little over a day so that every call sees a new time.
void BM_ComputePosition(benchmark::State& state, const std::string& body) {
    ProgramState s = MakeState();
    const ObjectKind kind = ObjectKindFromName(body).value_or(ObjectKind::Sun);
    double jd = 2461000.0;
    for (auto _ : state) {
        jd += 1.37;
        const double J = Int(jd);
        ApplyJulianDate(s, J, jd - J);
        UpdateTimeQuantities(s);
        const PositionResult r = ComputePosition(ObservationOf(s), TargetOf(s, kind));
        benchmark::DoNotOptimize(r.body.ra);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_CalendarAndTimeQuantities(benchmark::State& state) {
    ProgramState s = MakeState();
    int day = 1;
    for (auto _ : state) {
        day = day % 28 + 1;
        const JulianDate jd = CalendarToJulianDate(13.25, day, 7, 2026, 1);
        ApplyJulianDate(s, jd.J, jd.F);
        UpdateTimeQuantities(s);
        benchmark::DoNotOptimize(s.tq.LST);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SolveKepler(benchmark::State& state) {
    const double e = static_cast<double>(state.range(0)) / 100;
    double M = 0.1;
    for (auto _ : state) {
        M += 0.7;
        if (M > 6.2) M -= 6.2;
        benchmark::DoNotOptimize(SolveKepler(M, e));
    }
    state.SetItemsProcessed(state.iterations());
}

// The next umbral lunar eclipse from a start date, as the eclipse command
// searches: the start dates step by 97.3 days through 1900-2100 so that the
// search begins at every point of the eclipse seasons. The script
// reference_eclipses.mjs beside this file times astronomy-engine on the same
// start dates. The rate is by CPU time.
void BM_NextLunarEclipse(benchmark::State& state) {
    const ProgramState s = MakeState();
    const double first = 2415020.5, span = 73414;  // 1900-01-01 0h UT, 201 years
    double jd = first;
    double found = 0;
    for (auto _ : state) {
        jd += 97.3;
        if (jd >= first + span) jd -= span;
        const double J = Int(jd);
        const auto e = SearchLunarEclipseFrom(s, FirstFullMoonAfter(J, jd - J));
        benchmark::DoNotOptimize(e);
        if (e) found += 1;
    }
    state.counters["eclipses/s"] = benchmark::Counter(found, benchmark::Counter::kIsRate);
}

// The 46 umbral eclipses from 1 January 2000 to the end of 2030 (the last
// of them 2030 June 15), each search from the lunation after the eclipse
// before.
void BM_LunarEclipsesFrom2000(benchmark::State& state) {
    const ProgramState s = MakeState();
    const JulianDate from = CalendarToJulianDate(0, 1, 1, 2000, 0);
    const double firstLunation = FirstFullMoonAfter(from.J, from.F);
    double found = 0;
    for (auto _ : state) {
        double k = firstLunation;
        for (int n = 0; n < 46; ++n) {
            const auto e = SearchLunarEclipseFrom(s, k);
            if (!e) break;
            benchmark::DoNotOptimize(e->circumstances.magnitude);
            k = e->lunation + 1;
            found += 1;
        }
    }
    state.counters["eclipses/s"] = benchmark::Counter(found, benchmark::Counter::kIsRate);
    state.counters["eclipses"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ComputePosition, Sonne, std::string("Sonne"));
BENCHMARK_CAPTURE(BM_ComputePosition, Mond, std::string("Mond"));
BENCHMARK_CAPTURE(BM_ComputePosition, Merkur, std::string("Merkur"));
BENCHMARK_CAPTURE(BM_ComputePosition, Venus, std::string("Venus"));
BENCHMARK_CAPTURE(BM_ComputePosition, Mars, std::string("Mars"));
BENCHMARK_CAPTURE(BM_ComputePosition, Jupiter, std::string("Jupiter"));
BENCHMARK_CAPTURE(BM_ComputePosition, Saturn, std::string("Saturn"));
BENCHMARK_CAPTURE(BM_ComputePosition, Uranus, std::string("Uranus"));
BENCHMARK_CAPTURE(BM_ComputePosition, Neptun, std::string("Neptun"));
BENCHMARK(BM_CalendarAndTimeQuantities);
BENCHMARK(BM_SolveKepler)->Arg(1)->Arg(20)->Arg(90)->Arg(99);
BENCHMARK(BM_NextLunarEclipse);
BENCHMARK(BM_LunarEclipsesFrom2000);

// Throughput of the position service and of its building blocks.
#include <benchmark/benchmark.h>

#include <string>

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

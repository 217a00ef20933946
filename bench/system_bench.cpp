// The solar-system view with every orbit at 1301 x 901, and a 1200-day
// track of Mars on an equatorial chart, on the Qt canvas.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Projection.h"
#include "charts/SystemView.h"
#include "charts/Tracks.h"
#include "HannoverState.h"
#include "platform/qt/QtCanvas.h"

namespace {

astronomy::ProgramState MakeState(astronomy::View mode) {
    astronomy::ProgramState s = HannoverState(mode);
    s.Invers = 0;
    s.BackgroundColour = 0x000000;
    s.ForegroundColour = 0xB4B4B4;
    s.ContrastColour = 0xFFFFFF;
    s.BodyColourTable = {0,        0xFFFFFF, 0xFAFA50, 0xFFFFFF, 0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                         0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, 0xFFFFFF, 0xFA3CFA};
    s.Objekt = astronomy::ObjectKind::Mars;
    return s;
}

// The whole view: header, panel, buttons, the Earth's orbit, the orbits of
// the orbit object and the seven other planets ("Alle Spuren"), Mars'
// month and the marks.
void BM_SystemAllTracks(benchmark::State& state) {
    astronomy::ProgramState s = MakeState(astronomy::View::System);
    s.TrackAlle = 1;
    s.DisplayFlags = 123;
    platform::qt::QtCanvas canvas(s.x_max + 1, s.y_max + 1);
    for (auto _ : state) {
        const charts::ChartGeometry g = charts::DrawSystemView(canvas, s, charts::Stereo::Single, s.Objekt);
        benchmark::DoNotOptimize(g);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

// Mars over 1200 days in 4-day steps with markers every 100 days and
// yearly labels; each iteration draws it on or off again.
void BM_TrackEquatorial1200Days(benchmark::State& state) {
    astronomy::ProgramState s = MakeState(astronomy::View::Equatorial);
    s.Alpha_min = 0, s.Alpha_max = 24, s.Delta_min = -40, s.Delta_max = 40;
    const charts::ChartGeometry g = charts::SetUpEquatorial(s);
    platform::qt::QtCanvas canvas(s.x_max + 1, s.y_max + 1);
    canvas.Clear({0, 0, 0});
    for (auto _ : state) {
        charts::DrawTrack(canvas, s, g, astronomy::ObjectKind::Mars, 1200, 100, charts::TrackUnit::Year);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

}  // namespace

BENCHMARK(BM_SystemAllTracks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackEquatorial1200Days)->Unit(benchmark::kMillisecond);

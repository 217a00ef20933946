// A click on a legend symbol: one whole deep-sky class drawn onto (or taken
// off) a 1301 x 901 chart on the Qt canvas, with the program's data from the
// build tree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "charts/ChartDrawing.h"
#include "charts/Layers.h"
#include "charts/Projection.h"
#include "HannoverState.h"
#include "platform/qt/QtCanvas.h"

namespace {

const std::string kFolder = KELMARON_PROGRAM_DATA;

astronomy::ProgramState MakeState(astronomy::View mode) {
    astronomy::ProgramState s = HannoverState(mode);
    s.ChartWidth = s.x_max - 200;
    s.ChartCentreX = s.ChartWidth / 2;
    s.ChartCentreY = s.y_max / 2;
    s.ChartRadius = std::min(s.ChartCentreY - 20, s.ChartCentreX - 20);
    s.Invers = 0;
    s.BackgroundColour = 0x000000;
    s.ForegroundColour = 0xB4B4B4;
    s.ContrastColour = 0xFFFFFF;
    // The regions with the most galaxies on the chart: the whole sphere,
    // and the northern sky across the pole.
    s.Alpha_min = 0;
    s.Alpha_max = 24;
    s.Delta_min = -90;
    s.Delta_max = 90;
    s.Pol_min = 0;
    s.Pol_max = 180;
    return s;
}

// Each iteration is one click: the galaxies go on, the next one takes them
// off again; both draw every visible symbol.
void BM_ToggleGalaxies(benchmark::State& state, astronomy::View mode) {
    astronomy::ProgramState s = MakeState(mode);
    const charts::ChartGeometry g = charts::SetUpChart(s);
    charts::ChartData data;
    std::string error;
    if (!data.stars.Open(kFolder, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    platform::qt::QtCanvas canvas(s.x_max + 1, s.y_max + 1);
    canvas.Clear({0, 0, 0});
    for (auto _ : state) {
        charts::ToggleDeepSkyClass(canvas, s, g, data, charts::kTypeGalaxy);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * charts::kGalaxyRecords.Count());
}

}  // namespace

BENCHMARK_CAPTURE(BM_ToggleGalaxies, Aequatorial, astronomy::View::Equatorial)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ToggleGalaxies, Nordpolar, astronomy::View::NorthPolar)->Unit(benchmark::kMillisecond);

// Speed of a chart redraw on the Qt canvas at 1301 x 901 pixels with every
// layer on, and of its parts: loading the catalogue, projecting the stars,
// painting them, the overlay layers.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/ChartDrawing.h"
#include "charts/Layers.h"
#include "charts/Projection.h"
#include "platform/qt/QtCanvas.h"

namespace {

using astronomy::ProgramState;

const std::string kData = KELMARON_PROGRAM_DATA;

// The state as the program has it after start-up: defaults, the layout of a
// 1301 x 901 drawing area, "Invers" colours, Hannover, a fixed instant, and
// every layer up to "Messier" on.
ProgramState ChartState(astronomy::View mode) {
    ProgramState s;
    s.DataFolder = kData;
    s.ProgramFolder = kData;
    astronomy::ApplyDefaults(s);
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartWidth = 1060;
    s.TextSplitX = 780;
    s.TextSplitHalfX = 390;
    s.ChartCentreX = 530;
    s.ChartCentreY = 450;
    s.ChartRadius = 430;
    s.TextScale = 900.0 / 550;
    s.Invers = 1;
    s.BackgroundColour = 0xFFFFFF;
    s.ForegroundColour = 0x505050;
    s.ContrastColour = 0x000000;
    s.BodyColourTable = {0,        0xFFFFFF, 0xFAFA50, 0x000000, 0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                         0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, 0x000000, 0xFA3CFA};
    s.Longitude = 9.7667 * astronomy::kDegToRad;
    s.Latitude = 52.4 * astronomy::kDegToRad;
    astronomy::SetLatitudeTerms(s);
    s.Zone = 1;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(22.0, 15, 1, 2025, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    astronomy::UpdateTimeQuantities(s);
    s.DisplayFlags = 0x3F;
    s.ChartMode = mode;
    if (mode == astronomy::View::NorthPolar) {
        s.Pol_min = 0;
        s.Pol_max = 180;
    }
    return s;
}

charts::ChartData& LoadedData() {
    static charts::ChartData data;
    data.Ensure(kData, kData);
    return data;
}

void BM_DrawChart(benchmark::State& state, astronomy::View mode) {
    ProgramState s = ChartState(mode);
    charts::ChartData& data = LoadedData();
    platform::qt::QtCanvas canvas(1301, 901);
    for (auto _ : state) {
        charts::DrawChart(canvas, s, data, s.Objekt, {});
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

void BM_LoadCatalogue(benchmark::State& state) {
    for (auto _ : state) {
        charts::ChartData data;
        benchmark::DoNotOptimize(data.Ensure(kData, kData));
    }
}

void BM_ProjectStars(benchmark::State& state, astronomy::View mode) {
    ProgramState s = ChartState(mode);
    const charts::ChartGeometry g = charts::SetUpChart(s);
    const charts::ChartData& data = LoadedData();
    std::size_t placed = 0;
    for (auto _ : state) {
        const std::vector<charts::PlacedStar> stars = charts::PlaceStars(s, g, data, {});
        placed = stars.size();
        benchmark::DoNotOptimize(stars.data());
    }
    state.counters["stars"] = static_cast<double>(placed);
}

void BM_PaintStars(benchmark::State& state, astronomy::View mode) {
    ProgramState s = ChartState(mode);
    const charts::ChartGeometry g = charts::SetUpChart(s);
    const std::vector<charts::PlacedStar> stars = charts::PlaceStars(s, g, LoadedData(), {});
    platform::qt::QtCanvas canvas(1301, 901);
    for (auto _ : state) {
        charts::PaintStars(canvas, s, g, stars);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
    state.counters["stars"] = static_cast<double>(stars.size());
}

// The overlay layers alone; drawn twice per iteration, so each iteration
// leaves the picture as it found it.
void BM_OverlayLayers(benchmark::State& state, astronomy::View mode) {
    ProgramState s = ChartState(mode);
    charts::ChartData& data = LoadedData();
    platform::qt::QtCanvas canvas(1301, 901);
    const charts::ChartGeometry g = charts::DrawChart(canvas, s, data, std::nullopt, {});
    for (auto _ : state) {
        charts::DrawOverlayLayers(canvas, s, g, data, s.Objekt);
        charts::DrawOverlayLayers(canvas, s, g, data, s.Objekt);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

// The sky under the pointer: one PointToSky per pixel of a grid over the
// drawing area.
void BM_PointToSky(benchmark::State& state, astronomy::View mode) {
    ProgramState s = ChartState(mode);
    const charts::ChartGeometry g = charts::SetUpChart(s);
    int x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(charts::PointToSky(g, x, y));
        x = (x + 37) % 1301;
        if (x < 37) y = (y + 23) % 901;
    }
}

BENCHMARK_CAPTURE(BM_PointToSky, Himmel, astronomy::View::WholeSky);
BENCHMARK_CAPTURE(BM_PointToSky, Aequatorial, astronomy::View::Equatorial);
BENCHMARK_CAPTURE(BM_PointToSky, Horizont, astronomy::View::Horizon);
BENCHMARK_CAPTURE(BM_PointToSky, Nordpolar, astronomy::View::NorthPolar);
BENCHMARK_CAPTURE(BM_DrawChart, Himmel, astronomy::View::WholeSky)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawChart, Aequatorial, astronomy::View::Equatorial)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawChart, NordpolarFullDisc, astronomy::View::NorthPolar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectStars, Himmel, astronomy::View::WholeSky)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectStars, Aequatorial, astronomy::View::Equatorial)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProjectStars, NordpolarFullDisc, astronomy::View::NorthPolar)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintStars, Himmel, astronomy::View::WholeSky)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintStars, Aequatorial, astronomy::View::Equatorial)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintStars, NordpolarFullDisc, astronomy::View::NorthPolar)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OverlayLayers, Himmel, astronomy::View::WholeSky)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OverlayLayers, Aequatorial, astronomy::View::Equatorial)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OverlayLayers, NordpolarFullDisc, astronomy::View::NorthPolar)->Unit(benchmark::kMillisecond);

}  // namespace

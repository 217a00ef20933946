// Speed of the ephemeris tables: the interval table of 1000 hourly rows of
// the Moon (positions with rise, transit and set, and the row texts), and
// the day ephemeris view of the ten bodies written into the window's text
// stream on the Qt canvas. The script reference_ephemeris.mjs beside this
// file times astronomy-engine on the same 1000 instants.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "astronomy/OrbitElements.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtTextOut.h"
#include "reports/EphemerisTables.h"

namespace {

using astronomy::ProgramState;

// Hannover, MEZ, 1 January 2026 0:00 (the start of the table), the orbit
// object Pluto.
ProgramState TableState() {
    ProgramState s;
    s.DataFolder = s.ProgramFolder = KELMARON_PROGRAM_DATA;
    astronomy::ApplyDefaults(s);
    astronomy::SetPlaceFromList(s, 1);
    s.Zone = 1;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(0, 1, 1, 2026, s.Zone);
    astronomy::SetInstant(s, jd.J, jd.F);
    astronomy::ElementNotes notes;
    const astronomy::ElementFileRead disk =
        astronomy::ParseElementFile(s.DataFolder + "/Objekte/Pluto.kpl", s.DataFolder, s.Aequi, notes);
    s.Elements = disk.elements;
    s.DiskName = disk.elements.name;
    return s;
}

// 1000 rows an hour apart: from 1 January 0:00 to 11 February 15:00.
astronomy::IntervalParameters Hourly1000(const ProgramState& s) {
    const astronomy::JulianDate end = astronomy::CalendarToJulianDate(15, 11, 2, 2026, s.Zone);
    return {s.J, s.F, end.J, end.F, 1.0 / 24};
}

void BM_IntervalTableMoon1000Rows(benchmark::State& state) {
    const ProgramState s = TableState();
    const astronomy::IntervalParameters p = Hourly1000(s);
    const astronomy::Target moon = astronomy::TargetOf(s, astronomy::ObjectKind::Moon);
    for (auto _ : state) {
        std::vector<std::string> lines = reports::IntervalHeader(s, "Mond", moon.kind, reports::kScreenIndent);
        int counter = reports::kIntervalHeaderLines;
        for (const astronomy::Instant& at : reports::IntervalInstants(p, 100000)) {
            lines.push_back(reports::IntervalRowText(reports::ComputeIntervalRow(s, moon, at), moon.kind,
                                                     reports::kScreenIndent));
            if (reports::CountIntervalRow(counter).emptyLine) lines.emplace_back();
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["rows"] = static_cast<double>(reports::IntervalInstants(p, 100000).size());
}

// The view as the window draws it: the ten bodies, their lines, each line
// in its colour into the text stream of a 1301 x 901 canvas.
void BM_DayEphemerisView(benchmark::State& state) {
    ProgramState s = TableState();
    platform::qt::QtCanvas canvas(1301, 901);
    platform::qt::QtTextOut out(canvas);
    const platform::Colour white{255, 255, 255}, black{0, 0, 0};
    const double J = s.J, F = s.F;
    int day = 0;
    for (auto _ : state) {
        astronomy::SetInstant(s, J + (++day % 365), F);  // a new instant each time
        out.SetColours(black, white);
        out.Clear();
        int row = 1;
        for (const reports::TableLine& line :
             reports::DayEphemerisLines(s, reports::ComputeDayEphemeris(s), reports::kScreenIndent)) {
            out.SetColours(line.bodyType ? platform::Colour{250, 60, 250} : black, white);
            out.Locate(1, row++);
            out.Print(line.text, true);
        }
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}

}  // namespace

BENCHMARK(BM_IntervalTableMoon1000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayEphemerisView)->Unit(benchmark::kMillisecond);

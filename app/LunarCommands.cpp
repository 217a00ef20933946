// kelmaron-cli phase and eclipse: the moon-phase jumps and the lunar-eclipse
// search of the "Springe" menu, with the window's own computations.
#include "app/LunarCommands.h"

#include <cmath>
#include <optional>
#include <ostream>
#include <sstream>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "app/RenderCommand.h"
#include "astronomy/Angles.h"
#include "astronomy/LunarEvents.h"
#include "astronomy/Numbers.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "reports/LunarEclipse.h"
#include "shell/LunarCommands.h"
#include "shell/View.h"

namespace cli {

using astronomy::LunarPhase;
using astronomy::ProgramState;

namespace {

// More results than this in one call are a mistake, not a wish.
constexpr long long kMostResults = 100000;

struct PhaseKind {
    const char* option;
    LunarPhase phase;
    const char* name;  // the caption of the menu item
};
constexpr PhaseKind kPhaseKinds[] = {
    {"0", LunarPhase::New, "Neumond"},
    {"0.25", LunarPhase::FirstQuarter, "1. Viertel"},
    {"0.5", LunarPhase::Full, "Vollmond"},
    {"0.75", LunarPhase::LastQuarter, "3. Viertel"},
};

const PhaseKind& ReadPhaseKind(const Options& o) {
    const std::string kind = o.text("--kind").value_or("");
    for (const PhaseKind& k : kPhaseKinds)
        if (kind == k.option) return k;
    // The same fraction written otherwise ("0.50", ".5") names the same phase.
    if (const auto v = ParseNumber(kind))
        for (const PhaseKind& k : kPhaseKinds)
            if (*v == astronomy::PhaseFraction(k.phase)) return k;
    throw UsageError("--kind fehlt oder ist unbekannt (0, 0.25, 0.5 oder 0.75): '" + kind + "'");
}

int ReadCount(const Options& o) {
    const auto n = o.integer("--count");
    if (!n) return 1;
    if (*n < 1 || *n > kMostResults)
        throw UsageError("--count außerhalb von 1.." + std::to_string(kMostResults) + ": " + *o.text("--count"));
    return *n;
}

std::string Trimmed(const std::string& text) { return std::string(astronomy::TrimBlanks(text)); }

std::string LunarYearsText() {
    return "außerhalb der Jahre " + std::to_string(astronomy::kLunarFirstYear) + " bis " +
           std::to_string(astronomy::kLunarLastYear);
}

void PrintInstantJson(std::ostream& out, const ProgramState& s) {
    out << "\"j\": " << Num(s.J) << ", \"f\": " << Num(s.F) << ", \"day\": " << s.Day << ", \"month\": " << s.Month
        << ", \"year\": " << s.Year << ", \"clock_time\": " << Num(s.ClockTime) << ", \"zone\": " << s.Zone;
}

std::string HoursOrNull(const std::optional<double>& h) { return h ? Num(*h) : "null"; }

void PrintEclipseJson(std::ostream& out, const ProgramState& s, const astronomy::EclipseCircumstances& c) {
    out << "{";
    PrintInstantJson(out, s);
    out << ", \"max_j\": " << Num(c.maximum.J) << ", \"max_f\": " << Num(c.maximum.F) << ", \"tmax\": "
        << Num(c.tmax) << ", \"kind\": " << JsonString(c.magnitude >= 1 ? "total" : "partiell")
        << ", \"magnitude\": " << Num(c.magnitude) << ", \"contacts\": [";
    for (std::size_t i = 0; i < c.contacts.size(); ++i) out << (i ? ", " : "") << HoursOrNull(c.contacts[i]);
    out << "], \"shadow_ra\": " << Num(c.alphaS) << ", \"shadow_dec\": " << Num(c.deltaS)
        << ", \"moon_ra\": " << Num(c.alphaM) << ", \"moon_dec\": " << Num(c.deltaM)
        << ", \"umbra_radius\": " << Num(c.Ru) << ", \"penumbra_radius\": " << Num(c.Rp)
        << ", \"moon_radius\": " << Num(c.sM) << ", \"moon_parallax\": " << Num(c.piM)
        << ", \"sun_radius\": " << Num(c.sS) << ", \"sun_parallax\": " << Num(c.piS) << ", \"theta\": "
        << Num(c.theta) << ", \"m\": " << Num(c.m) << ", \"full_moon_j\": " << Num(c.fullMoon.J)
        << ", \"full_moon_f\": " << Num(c.fullMoon.F) << "}\n";
}

}  // namespace

int RunPhase(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out) {
    const Options o(args, {"--kind", "--count", "--date", "--time", "--zone", "--jd", "--place", "--lon", "--lat",
                           "--data"},
                    {"--json"});
    const PhaseKind& kind = ReadPhaseKind(o);
    const int count = ReadCount(o);
    ProgramState s;
    StartState(o, programFolder, s);
    ReadPlace(o, s);
    ReadInstant(o, s);
    if (!astronomy::InLunarYears(s.J, s.F)) throw UsageError("Zeitpunkt " + LunarYearsText());
    // All phases first: a failure leaves nothing on the output.
    std::ostringstream lines;
    for (int n = 0; n < count; ++n) {
        const astronomy::Instant at = astronomy::NextLunarPhase(s.J, s.F, kind.phase);
        if (!astronomy::InLunarYears(at.J, at.F))
            throw UsageError(std::string(kind.name) + " Nummer " + std::to_string(n + 1) + " liegt " + LunarYearsText());
        astronomy::SetInstant(s, at.J, at.F);
        if (o.has("--json")) {
            lines << "{";
            PrintInstantJson(lines, s);
            lines << ", \"weekday\": " << s.Weekday << "}\n";
        } else {
            lines << kind.name << ": " << astronomy::WeekdayAbbreviation(s.Weekday) << " "
                  << astronomy::FormatDateNumeric(s.Day, s.Month, s.Year) << " "
                  << Trimmed(astronomy::FormatClockTime(s.ClockTime, s.Zone, false)) << '\n';
        }
    }
    out << lines.str();
    return 0;
}

int RunEclipse(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out) {
    const Options o(args, {"--from", "--count", "--zone", "--place", "--lon", "--lat", "--data", "--diagram",
                           "--width", "--height"},
                    {"--json", "--invers"});
    const int count = ReadCount(o);
    std::optional<std::string> diagram;
    int width = kDefaultRenderWidth, height = kDefaultRenderHeight;
    if (o.has("--diagram")) {
        diagram = ReadPngPath(o, "--diagram");
        width = ReadRenderSize(o, "--width", kDefaultRenderWidth);
        height = ReadRenderSize(o, "--height", kDefaultRenderHeight);
    } else if (o.has("--width") || o.has("--height") || o.has("--invers")) {
        throw UsageError("--width, --height und --invers gelten nur mit --diagram");
    }

    ProgramState s;
    StartState(o, programFolder, s);
    s.Zone = ReadZone(o);
    ReadPlace(o, s);
    const std::string from = o.text("--from").value_or("");
    const std::optional<astronomy::JulianDate> start =
        astronomy::TrimBlanks(from).empty() ? std::nullopt : shell::EclipseSearchStart(from, s);
    if (!start)
        throw UsageError("--from fehlt oder ist kein Datum T.M.JJJJ mit einem Jahr von " +
                         std::to_string(astronomy::kLunarFirstYear) + " bis " +
                         std::to_string(astronomy::kLunarLastYear) + ": '" + from + "'");
    astronomy::SetInstant(s, start->J, start->F);
    s.Aequi = astronomy::kEquinoxOfDate;

    // All eclipses and the diagram first: a failure leaves nothing on the
    // output.
    std::ostringstream lines;
    double k = astronomy::FirstFullMoonAfter(s.J, s.F);
    std::optional<astronomy::EclipseCircumstances> last;
    for (int n = 0; n < count; ++n) {
        const std::optional<astronomy::EclipseCandidate> found = astronomy::SearchLunarEclipseFrom(s, k);
        if (!found)
            throw UsageError("Keine Mondfinsternis gefunden ab " +
                             astronomy::FormatDateNumeric(s.Day, s.Month, s.Year));
        last = found->circumstances;
        k = found->lunation + 1;
        if (!astronomy::InLunarYears(last->opposition.J, last->opposition.F))
            throw UsageError("Mondfinsternis Nummer " + std::to_string(n + 1) + " liegt " + LunarYearsText());
        astronomy::SetInstant(s, last->opposition.J, last->opposition.F);
        if (o.has("--json")) {
            PrintEclipseJson(lines, s, *last);
        } else {
            if (n > 0) lines << '\n';
            for (const std::string& line : reports::EclipseTextLines(reports::EclipseTextsOf(*last, s.Zone)))
                lines << line << '\n';
        }
    }
    if (diagram)
        RenderToPng(s, width, height, 1, o.has("--invers"), *diagram, [&](shell::Shell& sh) {
            sh.eclipse = last;
            s.ChartMode = astronomy::View::MoonPhases;
            shell::RedrawView(sh);
        });
    out << lines.str();
    return 0;
}

}  // namespace cli

// The moon-phase jumps and the lunar-eclipse search with its diagram,
// printing and the choice what to do with the eclipse found.
#include "shell/LunarCommands.h"

#include <chrono>
#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "reports/LunarEclipse.h"
#include "reports/ObjectPanel.h"
#include "shell/Layout.h"
#include "shell/View.h"

namespace shell {

using astronomy::EclipseCandidate;
using astronomy::EclipseVerdict;
using astronomy::ProgramState;

namespace {

// The window is given its events at least this often while the search runs.
constexpr auto kEventInterval = std::chrono::milliseconds(40);
// The search goes this many full moons at a time (it has no end of its own
// in the window: only an eclipse or Escape ends it).
constexpr double kLunationsPerRound = 1000;

// The printed page of the eclipse, in page units.
constexpr int kPageWidth = 680;
constexpr int kPortraitPageHeight = 960;
constexpr int kLandscapePageHeight = 481;

// The instant with the calendar and time quantities the state showed before
// the command: "Abbruch" gives them back unchanged.
struct SavedInstant {
    double J, F, ClockTime;
    int Day, Month, Year, Weekday;
    astronomy::TimeQuantities tq;

    explicit SavedInstant(const ProgramState& s)
        : J(s.J), F(s.F), ClockTime(s.ClockTime), Day(s.Day), Month(s.Month), Year(s.Year), Weekday(s.Weekday),
          tq(s.tq) {}
    void Restore(ProgramState& s) const {
        s.J = J;
        s.F = F;
        s.ClockTime = ClockTime;
        s.Day = Day;
        s.Month = Month;
        s.Year = Year;
        s.Weekday = Weekday;
        s.tq = tq;
    }
};

// Text in the window at a text cell.
void WriteAt(Shell& sh, int column, int row, const std::string& text) {
    platform::Canvas& c = sh.canvas();
    const reports::CellPosition at = reports::TextCell(column, row, 1.0);
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetFont(platform::FontRole::Value);
    c.SetPen(platform::ColourFromRgb(sh.s.ContrastColour));
    c.SetTextBackground(platform::ColourFromRgb(sh.s.BackgroundColour), true);
    c.Text(at.x, at.y, text);
}

// The prompt for the start of the search; nothing when it was cancelled.
std::optional<astronomy::JulianDate> AskSearchStart(Shell& sh) {
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Mondfinsternis  ", 235);
    std::optional<astronomy::JulianDate> start;
    while (!start) {
        d.PromptPrint("Suchen ab Datum:");
        d.PromptPrint("(nur 'Return' --> ab aktuellem Datum)");
        d.PromptPrint("Tag,Monat,Jahr = ", false);
        std::string text;
        if (!d.EditField(text, 15)) break;
        start = EclipseSearchStart(text, sh.s);
        if (!start) {
            d.MessageBox("Kein gültiges Datum: " + std::string(astronomy::TrimBlanks(text)) +
                             "|Bitte als Tag.Monat.Jahr eingeben, z. B. 24.12.2026,|mit einem Jahr von " +
                             std::to_string(kEclipseSearchFirstYear) + " bis " +
                             std::to_string(kEclipseSearchLastYear) + ".",
                         " OK ", 1);
            d.PromptClear();
        }
    }
    d.ClosePromptWindow();
    return start;
}

// Searches from the full moon of lunation k, showing the date of every
// candidate that comes near the shadow, until an umbral eclipse is found or
// the user stops the search. The instant follows the candidates.
std::optional<EclipseCandidate> RunSearch(Shell& sh, double k) {
    ProgramState& s = sh.s;
    ClearWindow(sh);
    WriteAt(sh, 2, 2, "Nächste Mondfinsternis am ...");
    sh.win.Update();
    sh.busy = {true, false};
    sh.win.SetPointer(platform::PointerShape::Busy);
    std::chrono::steady_clock::time_point lastEvents{};  // the first candidate shows at once
    const auto keepGoing = [&](const EclipseCandidate& candidate) {
        if (candidate.verdict != EclipseVerdict::TooFarFromNode) {
            const astronomy::Instant& at = candidate.circumstances.opposition;
            astronomy::SetInstant(s, at.J, at.F);
            WriteAt(sh, 28, 2, astronomy::FormatDateNumeric(s.Day, s.Month, s.Year) + "   ");
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastEvents >= kEventInterval) {
            sh.win.Update();
            sh.win.ProcessEvents();
            lastEvents = std::chrono::steady_clock::now();
        }
        return !sh.busy.stop;
    };
    std::optional<EclipseCandidate> found;
    while (!found && !sh.busy.stop && std::isfinite(k)) {
        found = astronomy::SearchLunarEclipseFrom(s, k, keepGoing);
        k += kLunationsPerRound;
    }
    sh.busy = {};
    sh.win.SetPointer(platform::PointerShape::Normal);
    if (found) {
        const astronomy::Instant& at = found->circumstances.opposition;
        astronomy::SetInstant(s, at.J, at.F);
    }
    return found;
}

// Diagram and text once more onto a printed page, dark on white; the
// window's layout and colours come back afterwards.
void PrintEclipse(Shell& sh, const astronomy::EclipseCircumstances& c) {
    ProgramState& s = sh.s;
    platform::Printer& printer = sh.win.printer();
    if (!printer.Begin("Kelmaron Mondfinsternis", false)) return;  // cancelled
    s.OutputChannel = 3;
    s.PrintingFlag = -1;
    const bool toggled = s.Invers == 0;
    if (toggled) ToggleInvers(sh);
    sh.target = &printer.page();
    ComputeLayout(sh);
    s.x_max = kPageWidth;
    s.y_max = printer.Landscape() ? kLandscapePageHeight : kPortraitPageHeight;
    reports::DrawEclipseDiagram(printer.page(), s, c);
    reports::DrawEclipseText(printer.page(), s, c);
    s.PrintingFlag = 0;
    printer.End();
    sh.target = nullptr;
    if (toggled) ToggleInvers(sh);
    s.OutputChannel = 2;
    ComputeLayout(sh);
    ClearWindow(sh);
}

}  // namespace

void JumpToPhase(Shell& sh, astronomy::LunarPhase phase) {
    ProgramState& s = sh.s;
    const astronomy::Instant at = astronomy::NextLunarPhase(s.J, s.F, phase);
    astronomy::SetInstant(s, at.J, at.F);
    RedrawView(sh);
}

std::optional<astronomy::JulianDate> EclipseSearchStart(std::string_view answer, const ProgramState& s) {
    if (astronomy::TrimBlanks(answer).empty())
        return astronomy::CalendarToJulianDate(s.ClockTime, s.Day - 2, s.Month, s.Year, s.Zone);
    const auto date = astronomy::ReadTypedDate(answer, kEclipseSearchFirstYear, kEclipseSearchLastYear);
    if (!date) return std::nullopt;
    return astronomy::CalendarToJulianDate(0, date->day, date->month, date->year, s.Zone);
}

void SearchLunarEclipse(Shell& sh) {
    ProgramState& s = sh.s;
    const SavedInstant before(s);
    const astronomy::View mode = s.ChartMode;
    const int equinox = s.Aequi, channel = s.OutputChannel;
    const std::optional<astronomy::JulianDate> start = AskSearchStart(sh);
    if (!start) return;  // cancelled: nothing changed

    s.Aequi = astronomy::kEquinoxOfDate;
    s.OutputChannel = 2;
    s.ChartMode = astronomy::View::MoonPhases;
    astronomy::SetInstant(s, start->J, start->F);
    double k = astronomy::FirstFullMoonAfter(s.J, s.F);
    enum class End { Stopped, Set, Cancel } end = End::Stopped;
    std::optional<astronomy::EclipseCircumstances> shown;
    while (true) {
        sh.eclipse.reset();  // a redraw while searching shows no old eclipse
        const std::optional<EclipseCandidate> found = RunSearch(sh, k);
        if (!found) break;  // stopped: the instant stays at the candidate reached
        shown = sh.eclipse = found->circumstances;
        RedrawView(sh);
        int choice = 0;
        while (true) {
            choice = sh.win.dialogs().MessageBox("Was nun ?|", "nächste|Setzen|Drucken|Halten|Abbruch");
            if (choice == 3) {
                PrintEclipse(sh, *sh.eclipse);
                RedrawView(sh);
            } else if (choice == 4) {
                RedrawView(sh);
            } else {
                break;
            }
        }
        if (choice == 1) {
            k = found->lunation + 1;
            continue;
        }
        end = choice == 2 ? End::Set : End::Cancel;
        break;
    }

    sh.eclipse.reset();
    s.ChartMode = mode;
    s.Aequi = equinox;
    s.OutputChannel = channel;
    if (end == End::Cancel)
        before.Restore(s);
    else if (end == End::Set)
        astronomy::SetInstant(s, shown->maximum.J, shown->maximum.F);
    else
        astronomy::SetInstant(s, s.J, s.F);
    ClearWindow(sh);
    RedrawView(sh);
}

}  // namespace shell

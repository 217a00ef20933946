// The moon-phase jumps and the lunar-eclipse search with its diagram,
// printing and the choice what to do with the eclipse found.
#include "shell/LunarCommands.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "reports/LunarEclipse.h"
#include "reports/ObjectPanel.h"
#include "shell/Busy.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/Print.h"
#include "shell/View.h"

namespace shell {

using astronomy::EclipseCandidate;
using astronomy::EclipseVerdict;
using astronomy::ProgramState;

namespace {

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
            ShowMessages(d, {EclipseStartMessage(std::string(astronomy::TrimBlanks(text)))});
            d.PromptClear();
        }
    }
    d.ClosePromptWindow();
    return start;
}

// How a search in the window ended.
struct SearchEnd {
    std::optional<EclipseCandidate> found;
    bool leftTheYears = false;  // it went past the years of the series
};

// Full moon after full moon from lunation k, the window alive: the date of
// every candidate that comes near the shadow is shown and becomes the
// instant, until an eclipse that reaches the umbra is found, Escape is
// pressed or the candidates leave the years of the series.
SearchEnd SearchWithTheWindowAlive(Shell& sh, double k) {
    ProgramState& s = sh.s;
    BusyWindow busy(sh);
    SearchEnd end;
    const auto keepGoing = [&](const EclipseCandidate& candidate) {
        if (candidate.verdict != EclipseVerdict::TooFarFromNode) {
            const astronomy::Instant& at = candidate.circumstances.opposition;
            if (!astronomy::InLunarYears(at.J, at.F)) {
                end.leftTheYears = true;
                return false;
            }
            astronomy::SetInstant(s, at.J, at.F);
            WriteAt(sh, 28, 2, astronomy::FormatDateNumeric(s.Day, s.Month, s.Year) + "   ");
        }
        busy.KeepAlive();  // the first candidate shows at once
        return !sh.busy.stop;
    };
    // The search of the library stops after a number of full moons; here
    // only an eclipse, Escape or the end of the years end it.
    while (!end.found && !sh.busy.stop && !end.leftTheYears && std::isfinite(k)) {
        end.found = astronomy::SearchLunarEclipseFrom(s, k, keepGoing);
        k += astronomy::kLunationsSearchedAtMost;
    }
    return end;
}

// Diagram and text once more onto a printed page, dark on white; the
// window's layout and colours come back afterwards, the window is cleared.
void PrintEclipse(Shell& sh, const astronomy::EclipseCircumstances& c) {
    ProgramState& s = sh.s;
    const bool printed = PrintPage(sh, "Kelmaron Mondfinsternis", false, [&sh, &s, &c] {
        s.x_max = kPageWidth;
        s.y_max = sh.win.printer().Landscape() ? kLandscapePageHeight : kPortraitPageHeight;
        reports::DrawEclipseDiagram(sh.canvas(), s, c);
        reports::DrawEclipseText(sh.canvas(), s, c);
    });
    if (printed) ClearWindow(sh);
}

}  // namespace

void JumpToPhase(Shell& sh, astronomy::LunarPhase phase) {
    ProgramState& s = sh.s;
    const astronomy::Instant at = astronomy::NextLunarPhase(s.J, s.F, phase);
    if (!astronomy::InLunarYears(s.J, s.F) || !astronomy::InLunarYears(at.J, at.F)) {
        ShowMessages(sh.win.dialogs(), {LunarYearsMessage()});
        return;
    }
    astronomy::SetInstant(s, at.J, at.F);
    RedrawView(sh);
}

std::optional<astronomy::JulianDate> EclipseSearchStart(std::string_view answer, const ProgramState& s) {
    if (astronomy::TrimBlanks(answer).empty()) {
        const astronomy::JulianDate start =
            astronomy::CalendarToJulianDate(s.ClockTime, s.Day - 2, s.Month, s.Year, s.Zone);
        if (!astronomy::InLunarYears(start.J, start.F)) return std::nullopt;
        return start;
    }
    const auto date = astronomy::ReadTypedDate(answer, astronomy::kLunarFirstYear, astronomy::kLunarLastYear);
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
    // The buttons of "Was nun ?"; closing the box is "Abbruch".
    enum class Choice { Closed, Next, Set, Print, Hold, Cancel };
    Choice choice = Choice::Closed;
    bool stopped = false;
    std::optional<astronomy::EclipseCircumstances> shown;
    while (true) {
        ClearWindow(sh);
        WriteAt(sh, 2, 2, "Nächste Mondfinsternis am ...");
        sh.win.Update();
        sh.eclipse.reset();  // a redraw while searching shows no old eclipse
        const SearchEnd end = SearchWithTheWindowAlive(sh, k);
        if (end.leftTheYears) ShowMessages(sh.win.dialogs(), {LunarYearsMessage()});
        if (!end.found) {  // stopped: the instant stays at the candidate reached
            stopped = true;
            break;
        }
        const astronomy::Instant& at = end.found->circumstances.opposition;
        astronomy::SetInstant(s, at.J, at.F);
        shown = sh.eclipse = end.found->circumstances;
        RedrawView(sh);
        do {
            choice = static_cast<Choice>(
                sh.win.dialogs().MessageBox("Was nun ?|", "nächste|Setzen|Drucken|Halten|Abbruch"));
            if (choice == Choice::Print) PrintEclipse(sh, *shown);
            if (choice == Choice::Print || choice == Choice::Hold) RedrawView(sh);
        } while (choice == Choice::Print || choice == Choice::Hold);
        if (choice != Choice::Next) break;
        k = end.found->lunation + 1;
    }

    sh.eclipse.reset();
    s.ChartMode = mode;
    s.Aequi = equinox;
    s.OutputChannel = channel;
    if (stopped)
        astronomy::SetInstant(s, s.J, s.F);
    else if (choice == Choice::Set)
        astronomy::SetInstant(s, shown->maximum.J, shown->maximum.F);
    else  // "Abbruch" or the box closed
        before.Restore(s);
    ClearWindow(sh);
    RedrawView(sh);
}

}  // namespace shell

// The interval table with its prompt, its pages in the window and its
// printout, and the day ephemeris view.
#include "shell/EphemerisCommands.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Style.h"
#include "reports/EphemerisTables.h"
#include "shell/Busy.h"
#include "shell/Messages.h"
#include "shell/Print.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {

using astronomy::Instant;
using astronomy::IntervalParameters;
using astronomy::ProgramState;

namespace {

constexpr int kPromptHeight = 270;
constexpr int kPagePauseMilliseconds = 330;
constexpr double kPrintedPoints = 10;
// The text channels of the tables (OutputChannel).
constexpr int kWindowChannel = 2;
constexpr int kIntervalScreenChannel = 4;
constexpr int kIntervalPrinterChannel = 5;
constexpr int kDayScreenChannel = 8;
// The buttons of "Weiter?".
enum class Choice { Closed, Close, Again, Print };

// Lines one below the other in a text stream; on paper a full page is
// followed by a new one. What the window shows of them is kept, so that
// the page can be shown again.
class TableWriter {
public:
    TableWriter(platform::TextOut& out, platform::Printer* printer) : out_(out), printer_(printer) {}
    void Line(const std::string& text) {
        if (printer_ && row_ > out_.Rows()) {
            printer_->NewPage();
            row_ = 1;
        }
        out_.Locate(1, row_++);
        out_.Print(text, true);
        if (!printer_) shown_.push_back(text);
    }
    void NewPage() {
        out_.Clear();
        row_ = 1;
        shown_.clear();
    }
    const std::vector<std::string>& Shown() const { return shown_; }

private:
    platform::TextOut& out_;
    platform::Printer* printer_;
    int row_ = 1;
    std::vector<std::string> shown_;
};

// The window's text stream cleared in the table's colours.
platform::TextOut& WindowText(Shell& sh, platform::Colour text) {
    platform::TextOut& out = sh.win.text();
    out.SetFont(platform::FontRole::Table);
    out.SetColours(text, platform::ColourFromRgb(sh.s.BackgroundColour));
    ClearWindow(sh);
    return out;
}

// The printer's text stream: "courier new" (or the fixed-pitch family that
// stands in for it), dark on the white page.
platform::TextOut& PrinterText(Shell& sh) {
    platform::TextOut& out = sh.win.printer().text();
    out.SetFont(platform::FontRole::PrinterTable, kPrintedPoints);
    out.SetColours(platform::ColourFromRgb(sh.s.ContrastColour), platform::ColourFromRgb(sh.s.BackgroundColour));
    return out;
}

bool RightButton(const Shell& sh) {
    return ((sh.busy.pressed | sh.win.MouseButtons()) & platform::kMouseRight) != 0;
}

struct IntervalTable {
    IntervalParameters p;
    astronomy::Target target;
    std::string name;  // the computed object's own name
};

// The table from its start: in the window a page of 30 lines at a time,
// each ended by a key or a click ("x" or the right button end the list);
// on paper page after page. Escape or the right button end the list after
// any row. Returns the lines the window shows at the end.
std::vector<std::string> WriteIntervalTable(Shell& sh, const IntervalTable& t, platform::TextOut& out, bool paper) {
    BusyWindow busy(sh);
    const int indent = paper ? reports::kPrinterIndent : reports::kScreenIndent;
    TableWriter w(out, paper ? &sh.win.printer() : nullptr);
    for (const std::string& line : reports::IntervalHeader(sh.s, t.name, t.target.kind, indent)) w.Line(line);
    int counter = reports::kIntervalHeaderLines;
    Instant at{t.p.startJ, t.p.startF};
    while (true) {
        w.Line(reports::IntervalRowText(reports::ComputeIntervalRow(sh.s, t.target, at), t.target.kind, indent));
        const reports::AfterRow after = reports::CountIntervalRow(counter);
        if (after.emptyLine) w.Line("");
        if (!paper && after.pageFull) {
            const KeyOrClick k = WaitKeyOrClick(sh);
            if (k.key == "x" || k.key == "X" || (k.buttons & platform::kMouseRight) || RightButton(sh) ||
                sh.busy.stop)
                break;
            sh.win.Pause(kPagePauseMilliseconds);
            w.NewPage();
        }
        at = reports::NextIntervalInstant(at, t.p.step);
        busy.KeepAlive();
        if (reports::PassedIntervalEnd(at, t.p) || RightButton(sh) || sh.busy.stop) break;
    }
    w.Line(reports::TableRule(indent));
    if (!paper) WaitKeyOrClick(sh);
    return w.Shown();
}

// The instant's zone date and time as the prompt offers them: the time in
// whole milliseconds, so that 0:00 is not offered as 24:00 of the day before.
void OfferInstant(double J, double F, int zone, DateEntry& date, double& hours) {
    constexpr double kHalfSecond = 0.5 / 86400;
    astronomy::CivilDate c = astronomy::JulianDateToCalendar(J, F + kHalfSecond, zone);
    double seconds = std::round((c.hours * 3600 - 0.5) * 1000) / 1000;
    if (seconds < 0) {
        c = astronomy::JulianDateToCalendar(J, F, zone);
        seconds = c.hours * 3600;
    }
    date = {c.day, c.month, static_cast<double>(c.year)};
    hours = seconds / 3600;
}

// Before the first table: from 0:00 of the current day for a week, a day a
// step.
IntervalParameters FirstInterval(const ProgramState& s) {
    const astronomy::JulianDate start =
        InstantOf({s.Day, s.Month, static_cast<double>(s.Year)}, 0, s.Zone);
    return {start.J, start.F, start.J + 7, start.F, 1};
}

}  // namespace

std::optional<double> ReadIntervalStep(std::string_view typed) {
    std::string text = Trim(typed);
    if (text.empty()) return std::nullopt;
    std::replace_if(text.begin(), text.end(), [](char c) { return c == ',' || c == '/'; }, ' ');
    const double sign = text[0] == '-' ? -1 : 1;
    const double days = std::fabs(FieldValue(text, 1, ' '));
    return sign * (days + FieldValue(text, 2, ' ') / 24 + FieldValue(text, 3, ' ') / 1440);
}

std::string IntervalStepText(double step) {
    if (!std::isfinite(step) || step == 0) return "0";
    const double size = std::fabs(step);
    double days = std::trunc(size);
    double hours = std::trunc((size - days) * 24);
    double minutes = std::round(((size - days) * 24 - hours) * 60 * 1e6) / 1e6;
    if (minutes >= 60) {
        minutes -= 60;
        hours += 1;
    }
    if (hours >= 24) {
        hours -= 24;
        days += 1;
    }
    std::string text = (step < 0 ? "-" : "") + astronomy::ShortestText(days);
    if (hours != 0 || minutes != 0) text += " " + astronomy::ShortestText(hours);
    if (minutes != 0) text += " " + astronomy::ShortestText(minutes);
    return text;
}

bool AskIntervalParameters(Shell& sh) {
    ProgramState& s = sh.s;
    const IntervalParameters before = s.Interval.value_or(FirstInterval(s));
    DateEntry startDate, endDate;
    double startHours = 0, endHours = 0;
    OfferInstant(before.startJ, before.startF, s.Zone, startDate, startHours);
    OfferInstant(before.endJ, before.endF, s.Zone, endDate, endHours);
    std::string step = IntervalStepText(before.step);

    platform::Dialogs& d = sh.win.dialogs();
    const std::string dateLabel = "Tag,Monat,Jahr = ";
    const std::string timeLabel = "Zeit in " + astronomy::ZoneName(s.Zone) + " [h]= ";
    d.OpenPromptWindow("   Intervall-Parameter   ", kPromptHeight);
    d.PromptPrint("Anfangsdatum:");
    bool ok = InputDate(sh, dateLabel, startDate) && InputSexagesimal(sh, timeLabel, startHours);
    if (ok) {
        d.PromptPrint("Enddatum:");
        ok = InputDate(sh, dateLabel, endDate) && InputSexagesimal(sh, timeLabel, endHours);
    }
    if (ok) {
        d.PromptPrint("Anm.: Abruch der Liste mit rechter Mause oder Taste 'X'");
        d.PromptPrint("Zeitdifferenz [d,h,m] = ", false);
        ok = d.EditField(step, 15);
    }
    d.ClosePromptWindow();
    if (!ok) return false;

    const astronomy::JulianDate start = InstantOf(startDate, startHours, s.Zone);
    const astronomy::JulianDate end = InstantOf(endDate, endHours, s.Zone);
    s.Interval = IntervalParameters{start.J, start.F, end.J, end.F, ReadIntervalStep(step).value_or(before.step)};
    return true;
}

void ListIntervalEphemeris(Shell& sh) {
    ProgramState& s = sh.s;
    const astronomy::View mode = s.ChartMode;
    const double J = s.J, F = s.F;
    s.ChartMode = astronomy::View::DayEphemeris;
    if (!AskIntervalParameters(sh)) {
        s.ChartMode = mode;
        return;
    }
    IntervalTable table{*s.Interval, astronomy::TargetOf(s, s.Objekt), {}};
    // An object without a place at the start has no table.
    const reports::IntervalRow first = reports::ComputeIntervalRow(s, table.target, {table.p.startJ, table.p.startF});
    if (first.place.status != astronomy::PositionStatus::Ok) {
        ShowMessages(sh.win.dialogs(), {PositionMessage(first.place.status, table.target,
                                                        std::string(astronomy::ObjectName(s.Objekt)))});
        s.ChartMode = mode;
        return;
    }
    table.name = first.place.body.name;

    Choice choice = Choice::Again;
    std::vector<std::string> shown;  // the window's last page
    while (choice == Choice::Again || choice == Choice::Print) {
        astronomy::SetInstant(s, table.p.startJ, table.p.startF);
        s.ClockTime = std::round(s.ClockTime * 1e6) / 1e6;
        const platform::Colour text = platform::ColourFromRgb(s.ContrastColour);
        if (choice == Choice::Print) {
            const bool printed = PrintPage(sh, "Kelmaron Ephemeride", false, [&] {
                s.OutputChannel = kIntervalPrinterChannel;
                WriteIntervalTable(sh, table, PrinterText(sh), true);
            });
            if (printed) {  // the window's page once more, in the window's colours
                TableWriter again(WindowText(sh, text), nullptr);
                for (const std::string& line : shown) again.Line(line);
                sh.win.Update();
            }
        } else {
            s.OutputChannel = kIntervalScreenChannel;
            shown = WriteIntervalTable(sh, table, WindowText(sh, text), false);
        }
        s.OutputChannel = kIntervalScreenChannel;
        choice = static_cast<Choice>(sh.win.dialogs().MessageBox("Weiter?", "Schließen|Nochmal|Drucken"));
    }

    s.OutputChannel = kWindowChannel;
    ClearWindow(sh);
    s.ChartMode = mode;
    astronomy::SetInstant(s, J, F);
    RedrawView(sh);
}

void ListDayEphemeris(Shell& sh) {
    ProgramState& s = sh.s;
    s.ChartMode = astronomy::View::DayEphemeris;
    if (s.OutputChannel == kWindowChannel) s.OutputChannel = kDayScreenChannel;
    const bool screen = s.OutputChannel == kDayScreenChannel;
    const charts::Palette palette = charts::PaletteOf(s);
    platform::TextOut& out = screen ? WindowText(sh, palette.text) : PrinterText(sh);
    TableWriter w(out, screen ? nullptr : &sh.win.printer());
    const int indent = screen ? reports::kScreenIndent : reports::kPrinterIndent;
    for (const reports::TableLine& line : reports::DayEphemerisLines(s, reports::ComputeDayEphemeris(s), indent)) {
        if (screen)
            out.SetColours(line.bodyType != 0 ? charts::BodyColour(s, line.bodyType) : palette.text,
                           palette.background);
        w.Line(line.text);
    }
    if (s.OutputChannel == kDayScreenChannel) s.OutputChannel = kWindowChannel;
    sh.win.Update();
}

}  // namespace shell

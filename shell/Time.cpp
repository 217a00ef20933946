// Moving the current instant: the fixed and free steps of the "Offset"
// menu and its keys, and "Jetzt".
#include "shell/Time.h"

#include <cmath>
#include <string>

#include "astronomy/Numbers.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Messages.h"
#include "shell/View.h"

namespace shell {

using astronomy::View;

namespace {

// A free step is a number below ten million: more would carry the calendar
// beyond any date it can show.
constexpr double kLargestFreeStep = 1e7;

// The number at the start of a typed step, 0 when there is none or it is too
// large.
double TypedStep(const std::string& text) {
    const double v = astronomy::LeadingNumber(text);
    return std::fabs(v) < kLargestFreeStep ? v : 0;
}

// The instant of a zone date and clock time; a month beyond December or
// before January changes the year.
astronomy::JulianDate FromCalendar(const astronomy::ProgramState& s, double hours, int day, int month, int year) {
    while (month > 12) month -= 12, ++year;
    while (month < 1) month += 12, --year;
    return astronomy::CalendarToJulianDate(hours, day, month, year, s.Zone);
}

// The free steps ask for a number; a closed or cancelled prompt changes nothing.
bool AskStep(Shell& sh, const std::string& name, double& value) {
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe von " + name + "  ", 235);
    d.PromptPrint("? ", false);
    std::string text;
    const bool given = d.LineInput(text);
    d.ClosePromptWindow();
    value = TypedStep(text);
    return given;
}

// The names of the free steps, as their prompts ask for them.
const char* FreeStepName(TimeStep step) {
    switch (step) {
        case TimeStep::Minutes: return "Minuten";
        case TimeStep::Hours: return "Stunden";
        case TimeStep::Days: return "Tage";
        case TimeStep::Years: return "Jahre";
        default: return nullptr;
    }
}

}  // namespace

void StepTime(Shell& sh, TimeStep step) {
    astronomy::ProgramState& s = sh.s;
    const double t = s.ClockTime;
    const int d = s.Day, m = s.Month, y = s.Year;
    astronomy::JulianDate next{s.J, s.F, s.Weekday};
    if (const char* name = FreeStepName(step)) {
        double value = 0;
        if (!AskStep(sh, name, value)) return;
        const int whole = static_cast<int>(std::lround(value));
        if (step == TimeStep::Minutes) next = FromCalendar(s, t + value / 60, d, m, y);
        if (step == TimeStep::Hours) next = FromCalendar(s, t + value, d, m, y);
        if (step == TimeStep::Days) next = FromCalendar(s, t, d + whole, m, y);
        if (step == TimeStep::Years) next = FromCalendar(s, t, d, m, y + whole);
    }
    switch (step) {
        case TimeStep::MinuteForward: next = FromCalendar(s, t + 1.0 / 60, d, m, y); break;
        case TimeStep::MinuteBack: next = FromCalendar(s, t - 1.0 / 60, d, m, y); break;
        case TimeStep::HourForward: next = FromCalendar(s, t + 1, d, m, y); break;
        case TimeStep::HourBack: next = FromCalendar(s, t - 1, d, m, y); break;
        case TimeStep::DayForward: next.J = s.J + 1; break;
        case TimeStep::DayBack: next.J = s.J - 1; break;
        case TimeStep::WeekForward: next.J = s.J + 7; break;
        case TimeStep::WeekBack: next.J = s.J - 7; break;
        case TimeStep::MonthForward: next = FromCalendar(s, t, d, m + 1, y); break;
        case TimeStep::MonthBack: next = FromCalendar(s, t, d, m - 1, y); break;
        case TimeStep::YearForward: next = FromCalendar(s, t, d, m, y + 1); break;
        case TimeStep::YearBack: next = FromCalendar(s, t, d, m, y - 1); break;
        default: break;
    }
    // A step out of the served years keeps the instant, so that the
    // calendar fields and the next step stay within their ranges.
    if (!astronomy::InstantInServedYears(next.J, next.F)) {
        ShowMessages(sh.win.dialogs(), {ServedYearsMessage()});
        return;
    }
    SetInstant(s, next.J, next.F);
    RedrawView(sh);
}

namespace {

// The instant now: the start-up instant plus the time the computer's clock
// has run since, counted over whole dates so that it stays right after the
// clock has passed midnight.
void TakeNow(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    const platform::ClockReading now = sh.win.Now();
    const platform::ClockReading& base = sh.realtimeBaseClock;
    const astronomy::JulianDate a = astronomy::CalendarToJulianDate(
        base.hour + base.minute / 60.0 + base.second / 3600, base.day, base.month, base.year, 0);
    const astronomy::JulianDate b =
        astronomy::CalendarToJulianDate(now.hour + now.minute / 60.0 + now.second / 3600, now.day, now.month, now.year, 0);
    const double f = s.RealtimeBaseF + ((b.J - a.J) + (b.F - a.F));
    const double whole = std::floor(f);
    SetInstant(s, s.RealtimeBaseJ + whole, f - whole);
}

double SecondsSinceMidnight(const platform::ClockReading& t) { return t.hour * 3600.0 + t.minute * 60 + t.second; }

}  // namespace

void SetToNow(Shell& sh) {
    TakeNow(sh);
    RedrawView(sh);
}

void ToggleRealtime(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    if (sh.realtimeRunning) {
        sh.win.SetTimer(0, nullptr);
        sh.realtimeRunning = false;
        MarkCommand(sh.menu, sh.win.menu(), Command::Realtime, platform::kItemPlain);
        sh.win.dialogs().MessageBox("  Realtime gestoppt!      ", " OK ", 1);
        return;
    }
    TakeNow(sh);
    s.LastRealtimeDraw = s.ClockTime - 0.2;  // the first tick redraws at once
    const astronomy::Hms h = astronomy::HoursToHms(s.ClockTime);
    s.RealtimeClockOffset = SecondsSinceMidnight(sh.win.Now()) - (h.units * 3600.0 + h.minutes * 60 + h.seconds);
    MarkCommand(sh.menu, sh.win.menu(), Command::Realtime, platform::kItemChecked);
    sh.realtimeRunning = true;
    sh.win.SetTimer(1000, [&sh] { RealtimeTimer_Timer(sh); });
}

void RealtimeTimer_Timer(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    // Every tick takes the whole instant from the clock, so the date, the
    // sidereal time and the object follow it, also across midnight.
    TakeNow(sh);
    // The help text and the about box stay until they are closed; the view
    // follows the clock again afterwards.
    if (sh.help.open || sh.aboutOpen) return;
    DrawParameterPanel(sh);
    const double since = s.ClockTime - s.LastRealtimeDraw;
    // A step of the clock backwards (a command moved the instant, or a new
    // day began) counts as due.
    const auto due = [&](double hours) { return since > hours || since < 0; };
    const View mode = s.ChartMode;
    if (mode == View::WholeSky || mode == View::System) {
        if (due(0.1)) {
            RedrawView(sh);
            s.LastRealtimeDraw = s.ClockTime;
        }
    } else if (mode == View::Horizon || mode == View::DayEphemeris) {
        if (due(1.0 / 60)) {
            RedrawView(sh);
            s.LastRealtimeDraw = s.ClockTime;
        }
    } else {
        ComputePosition(sh, s.Objekt, false);
    }
}

}  // namespace shell

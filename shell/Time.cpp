// Moving the current instant: the fixed and free steps of the "Offset"
// menu and its keys, and "Jetzt".
#include <charconv>
#include <cmath>

#include "astronomy/TimeCalendar.h"
#include "shell/Shell.h"

namespace shell {

namespace {

// The number at the start of a typed text, 0 when there is none.
double TypedNumber(const std::string& text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return 0;
    const char* first = text.data() + b;
    if (*first == '+') ++first;
    double v = 0;
    const auto r = std::from_chars(first, text.data() + text.size(), v);
    return r.ec == std::errc() && std::isfinite(v) && std::fabs(v) < 1e7 ? v : 0;
}

void FromCalendar(astronomy::ProgramState& s, double hours, int day, int month, int year) {
    // A month step beyond December or before January changes the year.
    while (month > 12) month -= 12, ++year;
    while (month < 1) month += 12, --year;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(hours, day, month, year, s.Zone);
    s.J = jd.J;
    s.F = jd.F;
}

// The free steps ask for a number; a closed or cancelled prompt changes nothing.
bool AskStep(Shell& sh, const std::string& name, double& value) {
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe von " + name + "  ", 235);
    d.PromptPrint("? ", false);
    std::string text;
    const bool given = d.LineInput(text);
    d.ClosePromptWindow();
    value = TypedNumber(text);
    return given;
}

}  // namespace

std::string StepName(const std::string& caption) {
    std::string name = caption;
    const std::size_t amp = name.find('&');
    if (amp != std::string::npos) name.erase(amp, 1);
    name = name.substr(0, 9);
    const std::size_t b = name.find_first_not_of(' '), e = name.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : name.substr(b, e - b + 1);
}

void StepTime(Shell& sh, const std::string& name) {
    astronomy::ProgramState& s = sh.s;
    const double t = s.ClockTime;
    const int d = s.Day, m = s.Month, y = s.Year;
    double value = 0;
    if (name == "1 Min +") FromCalendar(s, t + 1.0 / 60, d, m, y);
    else if (name == "1 Min -") FromCalendar(s, t - 1.0 / 60, d, m, y);
    else if (name == "1 Std +") FromCalendar(s, t + 1, d, m, y);
    else if (name == "1 Std -") FromCalendar(s, t - 1, d, m, y);
    else if (name == "1 Tag +") s.J = s.J + 1;
    else if (name == "1 Tag -") s.J = s.J - 1;
    else if (name == "1 Woche +") s.J = s.J + 7;
    else if (name == "1 Woche -") s.J = s.J - 7;
    else if (name == "1 Monat +") FromCalendar(s, t, d, m + 1, y);
    else if (name == "1 Monat -") FromCalendar(s, t, d, m - 1, y);
    else if (name == "1 Jahr +") FromCalendar(s, t, d, m, y + 1);
    else if (name == "1 Jahr -") FromCalendar(s, t, d, m, y - 1);
    else if (name == "Minuten" || name == "Stunden" || name == "Tage" || name == "Jahre") {
        if (!AskStep(sh, name, value)) return;
        const int whole = static_cast<int>(std::lround(value));
        if (name == "Minuten") FromCalendar(s, t + value / 60, d, m, y);
        if (name == "Stunden") FromCalendar(s, t + value, d, m, y);
        if (name == "Tage") FromCalendar(s, t, d + whole, m, y);
        if (name == "Jahre") FromCalendar(s, t, d, m, y + whole);
    }
    astronomy::ApplyJulianDate(s, s.J, s.F);
    astronomy::UpdateTimeQuantities(s);
    RedrawView(sh);
}

namespace {

// The instant now: the start-up instant plus the time the computer's clock
// has run since, counted over whole dates so that it stays right after the
// clock has passed midnight. The clock reads in the zone of the start-up.
void TakeNow(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    const platform::LocalTime now = sh.win.Now();
    const platform::LocalTime& base = sh.realtimeBaseClock;
    const astronomy::JulianDate a = astronomy::CalendarToJulianDate(
        base.hour + base.minute / 60.0 + base.second / 3600, base.day, base.month, base.year, 0);
    const astronomy::JulianDate b =
        astronomy::CalendarToJulianDate(now.hour + now.minute / 60.0 + now.second / 3600, now.day, now.month, now.year, 0);
    const double f = s.RealtimeBaseF + ((b.J - a.J) + (b.F - a.F));
    const double whole = std::floor(f);
    astronomy::ApplyJulianDate(s, s.RealtimeBaseJ + whole, f - whole);
    astronomy::UpdateTimeQuantities(s);
}

double SecondsSinceMidnight(const platform::LocalTime& t) { return t.hour * 3600.0 + t.minute * 60 + t.second; }

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
        SetMenuMark(sh.menu, sh.win.menu(), s, "Realtime", platform::kItemPlain);
        sh.win.dialogs().MessageBox("  Realtime gestoppt!      ", " OK ", 1);
        return;
    }
    TakeNow(sh);
    s.LastRealtimeDraw = s.ClockTime - 0.2;  // the first tick redraws at once
    const astronomy::Hms h = astronomy::HoursToHms(s.ClockTime);
    s.RealtimeClockOffset = SecondsSinceMidnight(sh.win.Now()) - (h.units * 3600.0 + h.minutes * 60 + h.seconds);
    SetMenuMark(sh.menu, sh.win.menu(), s, "Realtime", platform::kItemChecked);
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
    const float mode = s.ChartMode;
    if (mode == 4.0f || mode == 12.0f) {
        if (due(0.1)) {
            RedrawView(sh);
            s.LastRealtimeDraw = s.ClockTime;
        }
    } else if (mode == 5.5f || mode == 8.0f) {
        if (due(1.0 / 60)) {
            RedrawView(sh);
            s.LastRealtimeDraw = s.ClockTime;
        }
    } else if (!s.Objekt.empty()) {
        ComputeAndShow(sh, s.Objekt, false);
    }
}

}  // namespace shell

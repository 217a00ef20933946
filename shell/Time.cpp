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

void SetToNow(Shell& sh) {
    // The instant comes from the computer's clock itself, so that it stays
    // right after the clock has passed midnight.
    astronomy::ProgramState& s = sh.s;
    const platform::LocalTime now = sh.win.Now();
    FromCalendar(s, now.hour + now.minute / 60.0 + now.second / 3600, now.day, now.month, now.year);
    astronomy::ApplyJulianDate(s, s.J, s.F);
    astronomy::UpdateTimeQuantities(s);
    RedrawView(sh);
}

}  // namespace shell

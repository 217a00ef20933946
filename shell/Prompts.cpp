#include "shell/Prompts.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"

namespace shell {
namespace {

constexpr double kHourToRad = 0.2617993877991494;  // pi/12

// The shortest decimal form of a number ("52", "1.97", "12.5").
std::string Decimal(double x) {
    if (!std::isfinite(x)) x = 0;
    if (x == 0) x = 0;  // no "-0"
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

void Finish(Shell& sh) {
    astronomy::UpdateTimeQuantities(sh.s);
    RedrawView(sh);
}

// Label and DmsInput on a value; value = HmsToHours of the answer.
bool InputValue(Shell& sh, const std::string& label, double& value) {
    const astronomy::Hms h = astronomy::HoursToHms(value);
    int units = h.units, minutes = h.minutes, sign = h.sign;
    double seconds = h.seconds;
    float given = 0;
    sh.win.dialogs().PromptPrint(label, false);
    if (!DmsInput(sh, units, minutes, seconds, sign, given)) return false;
    if (given != 0) value = astronomy::HmsToHours(units, minutes, seconds, sign);
    return true;
}

}  // namespace

std::string Trim(const std::string& text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// The leading part of the text that forms a number (blanks skipped), else 0.
double LeadingNumber(std::string_view text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return 0;
    const char* first = text.data() + b;
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    double v = 0;
    const auto r = std::from_chars(first, last, v);
    return r.ec == std::errc() && std::isfinite(v) ? v : 0;
}

// Rounded to the nearest integer, kept inside the int range.
int RoundToInt(double x) {
    if (!std::isfinite(x)) return 0;
    const double r = std::round(x);
    if (r > 2147483647.0) return 2147483647;
    if (r < -2147483647.0) return -2147483647;
    return static_cast<int>(r);
}

double FieldValue(const std::string& text, int n, char separator) {
    const std::string t = Trim(text);
    int field = 0;
    std::size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && t[i] == separator) ++i;
        if (i >= t.size()) break;
        std::size_t end = t.find(separator, i);
        if (end == std::string::npos) end = t.size();
        if (++field == n) return LeadingNumber(std::string_view(t).substr(i, end - i));
        i = end;
    }
    return 0;
}

bool DmsInput(Shell& sh, int& units, int& minutes, double& seconds, int& sign, float& inputGiven) {
    std::string text;
    if (units != 0 || minutes != 0 || seconds != 0) {
        text = (sign < 0 ? "-" : "") + std::to_string(units) + " " + std::to_string(minutes) + " " + Decimal(seconds);
        for (int k = 0; k < 2; ++k)
            if (text.ends_with(" 0")) text.erase(text.size() - 2);
        if (text == "0") text.clear();
    }
    if (!sh.win.dialogs().EditField(text, 15)) return false;
    text = Trim(text);
    if (text.empty()) {
        inputGiven = 0;
        return true;
    }
    inputGiven = -1;
    sign = text[0] == '-' ? -1 : 1;
    const char sep = text.find('/') != std::string::npos ? '/' : ' ';
    const double first = LeadingNumber(text);
    double minutesValue = FieldValue(text, 2, sep);
    double secondsValue = FieldValue(text, 3, sep);
    const double magnitude = std::fabs(first);
    const double whole = std::floor(magnitude);
    if (magnitude != whole) minutesValue = (magnitude - whole) * 60;
    const double wholeMinutes = std::trunc(minutesValue);
    if (minutesValue != wholeMinutes) secondsValue = (minutesValue - wholeMinutes) * 60;
    units = whole < 2147483647.0 ? static_cast<int>(whole) : 2147483647;
    minutes = RoundToInt(wholeMinutes);
    seconds = secondsValue;
    return true;
}

bool InputHours(Shell& sh, double& hours) { return InputValue(sh, "Alpha in h,m,s = ", hours); }

bool InputDegrees(Shell& sh, double& degrees) { return InputValue(sh, "\u03b4 in \u00b0,',\"\" = ", degrees); }

void DatePrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe des Datums  ", 235);
    d.PromptPrint("Tag,Monat,Jahr = ", false);
    std::string text = std::to_string(s.Day) + " " + std::to_string(s.Month) + " " + std::to_string(s.Year);
    const bool ok = d.EditField(text, 15);
    d.ClosePromptWindow();
    if (!ok) return;
    const int day = RoundToInt(FieldValue(text, 1, ' '));
    int month = RoundToInt(FieldValue(text, 2, ' '));
    const int year = RoundToInt(FieldValue(text, 3, ' '));
    if (month < 1 || month > 12) month = 1;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(s.ClockTime, day, month, year, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    Finish(sh);
}

void TimePrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe der Uhrzeit  ", 235);
    const astronomy::CivilDate now = astronomy::JulianDateToCalendar(s.J, s.F, s.Zone);
    d.PromptPrint("Zeit in " + astronomy::ZoneName(s.Zone) + ": H,M,S = ", false);
    const astronomy::Hms h = astronomy::HoursToHms(now.hours);
    std::string text = std::to_string(h.units) + " " + std::to_string(h.minutes) + " " +
                       std::to_string(RoundToInt(std::floor(h.seconds + 0.5)));
    const bool ok = d.EditField(text, 15);
    d.ClosePromptWindow();
    if (!ok) return;
    const int hh = RoundToInt(FieldValue(text, 1, ' '));
    const int mm = RoundToInt(FieldValue(text, 2, ' '));
    const double ss = FieldValue(text, 3, ' ');
    const double clock = hh + (mm + ss / 60) / 60;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(clock, now.day, now.month, now.year, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    Finish(sh);
}

void JulianDatePrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe des Julianischen Datums  ", 235);
    d.PromptPrint("Jul. Datum in UT = ", false);
    std::string text;
    const bool ok = d.LineInput(text);
    d.ClosePromptWindow();
    if (!ok || Trim(text).empty()) return;
    double J = 0, F = 0;
    if (!astronomy::SplitJulianDateText(text, J, F)) J = F = 0;  // not a number gives 0
    astronomy::ApplyJulianDate(s, J, F);
    Finish(sh);
}

void EquinoxPrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe des \u00c4quinoktiums  ", 100);
    d.PromptPrint("\u00c4quinoktium (9999=des Tages): ", false);
    std::string text = std::to_string(s.Aequi);
    const bool ok = d.EditField(text, 6);
    d.ClosePromptWindow();
    if (!ok) return;
    if (!Trim(text).empty()) s.Aequi = RoundToInt(LeadingNumber(text));
    Finish(sh);
}

bool PlacePrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe von geographischen Koordinaten  ", 235);
    auto cancel = [&d]() {
        d.ClosePromptWindow();
        return false;
    };
    std::string name = s.Orte[s.Ort].name;
    d.PromptPrint("Name des Ortes: ", false);
    if (!d.EditField(name, 20)) return cancel();

    double longitude = s.Longitude;
    {
        const astronomy::Hms h = astronomy::HoursToHms(longitude / astronomy::kDegToRad);
        int units = h.units, minutes = h.minutes, sign = h.sign;
        double seconds = h.seconds;
        float given = 0;
        d.PromptPrint("L\u00e4nge: (Ost=pos)  G,M,S = ", false);
        if (!DmsInput(sh, units, minutes, seconds, sign, given)) return cancel();
        if (given != 0) longitude = astronomy::HmsToHours(units, minutes, seconds, sign) * astronomy::kDegToRad;
    }

    double latitude = s.Latitude;
    do {
        const astronomy::Hms h = astronomy::HoursToHms(latitude / astronomy::kDegToRad);
        int units = h.units, minutes = h.minutes, sign = h.sign;
        double seconds = h.seconds;
        float given = 0;
        d.PromptPrint("Breite (nord=pos) G,M,S = ", false);
        if (!DmsInput(sh, units, minutes, seconds, sign, given)) return cancel();
        if (given != 0) {
            double lat = astronomy::HmsToHours(units, minutes, seconds, sign);
            if (lat == 90) lat = 89.99999999;
            latitude = lat * astronomy::kDegToRad;
        }
    } while (std::fabs(latitude / astronomy::kDegToRad) > 90);

    s.Longitude = longitude;
    s.Latitude = latitude;
    astronomy::Place& place = s.Orte[s.Ort];
    place.name = name;
    place.longitude = longitude;
    place.latitude = latitude;
    // Only the places shown in the menu have a caption; an empty caption
    // would end the menu, so an empty name keeps the old one.
    if (s.Ort >= 1 && s.Ort <= s.OrtAnz && s.Ort <= astronomy::kPlacesInMenu && !name.empty())
        sh.menu.captions[s.Ort + 9] = name;
    d.ClosePromptWindow();
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    return true;
}

void ObjectPrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Objekt Eingabe  ", 235);
    auto cancel = [&d]() { d.ClosePromptWindow(); };
    std::string name = s.BelName;
    double alpha = s.BelAlpha, delta = s.BelDelta, mag = s.BelMag;
    int aequi = s.BelAequi;
    d.PromptPrint("Name:", false);
    if (!d.EditField(name, 10)) return cancel();
    if (!Trim(name).empty()) {
        d.PromptPrint("  ", false);
        double hours = alpha / kHourToRad;
        if (!InputHours(sh, hours)) return cancel();
        alpha = hours * kHourToRad;
        d.PromptPrint("  ", false);
        double degrees = delta / astronomy::kDegToRad;
        if (!InputDegrees(sh, degrees)) return cancel();
        delta = degrees * astronomy::kDegToRad;
    }
    d.PromptPrint("Helligkeit:", false);
    std::string text = Decimal(mag);
    if (!d.EditField(text, 9)) return cancel();
    if (!Trim(text).empty()) mag = LeadingNumber(text);
    d.PromptPrint("Koordinaten von Jahr:", false);
    text = std::to_string(aequi);
    if (!d.EditField(text, 9)) return cancel();
    if (!Trim(text).empty()) aequi = RoundToInt(LeadingNumber(text));
    d.ClosePromptWindow();

    s.BelName = name;
    s.BelAlpha = alpha;
    s.BelDelta = delta;
    s.BelMag = mag;
    s.BelAequi = aequi;
    // An empty caption would end the menu: an empty name keeps the caption.
    if (sh.menu.BeliebigItem > 0 && !name.empty()) sh.menu.captions[sh.menu.BeliebigItem] = name;
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    RedrawView(sh);
}

bool LimitingMagnitudePrompt(Shell& sh) {
    platform::Dialogs& d = sh.win.dialogs();
    d.PromptPrint("", true);
    d.PromptPrint("Grenzgr\u00f6\u00dfe (0..8): ", false);
    std::string text = Decimal(sh.s.Grenzmag);
    if (!d.EditField(text, 4)) return false;
    if (Trim(text).empty()) text = "6";
    double mag = LeadingNumber(text);
    if (mag > 8) mag = 8;
    sh.s.Grenzmag = mag;
    return true;
}

}  // namespace shell

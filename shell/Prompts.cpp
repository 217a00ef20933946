// The small prompts of date, time, place, object and limiting magnitude.
#include "shell/Prompts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Messages.h"
#include "shell/Place.h"
#include "shell/Time.h"
#include "shell/View.h"

namespace shell {
namespace {

using astronomy::kHourToRad;
using astronomy::ShortestText;

void Finish(Shell& sh) {
    astronomy::UpdateTimeQuantities(sh.s);
    RedrawView(sh);
}

bool HoldsDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Moves to the typed instant when it lies in the served years; else the
// instant stays and the user is told.
void MoveTo(Shell& sh, const astronomy::JulianDate& jd) {
    if (!astronomy::InstantInServedYears(jd.J, jd.F)) {
        ShowMessages(sh.win.dialogs(), {ServedYearsMessage()});
        return;
    }
    SetInstant(sh.s, jd.J, jd.F);
    RedrawView(sh);
}

}  // namespace

bool DmsInput(Shell& sh, int& units, int& minutes, double& seconds, int& sign, float& inputGiven,
              bool dateField) {
    std::string text;
    if (units != 0 || minutes != 0 || seconds != 0) {
        text = (sign < 0 ? "-" : "") + std::to_string(units) + " " + std::to_string(minutes) + " " + ShortestText(seconds);
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
    for (char& c : text)
        if (c == ':' || (dateField && (c == '.' || c == ','))) c = ' ';
    text = Trim(text);
    if (text.empty()) {  // separators only: as an empty answer
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

bool InputSexagesimal(Shell& sh, const std::string& label, double& value) {
    const astronomy::Hms h = astronomy::HoursToHms(value);
    int units = h.units, minutes = h.minutes, sign = h.sign;
    double seconds = h.seconds;
    float given = 0;
    sh.win.dialogs().PromptPrint(label, false);
    if (!DmsInput(sh, units, minutes, seconds, sign, given)) return false;
    if (given != 0) value = astronomy::HmsToHours(units, minutes, seconds, sign);
    return true;
}

bool InputHours(Shell& sh, double& hours) { return InputSexagesimal(sh, "Alpha in h,m,s = ", hours); }

bool InputDegrees(Shell& sh, double& degrees) {
    return InputSexagesimal(sh, "\u03b4 in \u00b0,',\"\" = ", degrees);
}

bool InputDate(Shell& sh, const std::string& label, DateEntry& date) {
    int sign = 1;
    float given = 0;
    sh.win.dialogs().PromptPrint(label, false);
    return DmsInput(sh, date.day, date.month, date.year, sign, given, true);
}

int WholeYear(double year) {
    if (!std::isfinite(year)) return 0;
    return static_cast<int>(std::clamp(std::floor(year), -1e6, 1e6));
}

astronomy::JulianDate InstantOf(const DateEntry& date, double hours, int zone) {
    const int month = date.month < 1 || date.month > 12 ? 1 : date.month;
    const int day = std::clamp(date.day, -1000000, 1000000);
    return astronomy::CalendarToJulianDate(hours, day, month, WholeYear(date.year), zone);
}

void DatePrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe des Datums  ", 235);
    d.PromptPrint("Tag,Monat,Jahr = ", false);
    std::string text = std::to_string(s.Day) + " " + std::to_string(s.Month) + " " + std::to_string(s.Year);
    const bool ok = d.EditField(text, 15);
    d.ClosePromptWindow();
    if (!ok) return;
    if (!HoldsDigit(text)) return ShowMessages(d, {NoNumberMessage("das Datum")});
    // "24.12.2026" and "24,12,2026" (as the label shows) read as "24 12 2026".
    for (char& c : text)
        if (c == '.' || c == ',') c = ' ';
    const double year = FieldValue(text, 3, ' ');
    if (!(year >= astronomy::kFirstYear && year <= astronomy::kLastYear))
        return ShowMessages(d, {ServedYearsMessage()});
    const int day = std::clamp(RoundToInt(FieldValue(text, 1, ' ')), -1000000, 1000000);
    int month = RoundToInt(FieldValue(text, 2, ' '));
    if (month < 1 || month > 12) month = 1;
    MoveTo(sh, astronomy::CalendarToJulianDate(s.ClockTime, day, month, RoundToInt(year), s.Zone));
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
    if (!HoldsDigit(text)) return ShowMessages(d, {NoNumberMessage("die Uhrzeit")});
    // "23:30" and "23,30,15" read as "23 30" and "23 30 15".
    for (char& c : text)
        if (c == ':' || c == ',') c = ' ';
    // Bounded far beyond the served years, which MoveTo then refuses.
    const double hh = std::clamp(std::round(FieldValue(text, 1, ' ')), -1e9, 1e9);
    const double mm = std::clamp(std::round(FieldValue(text, 2, ' ')), -1e9, 1e9);
    const double ss = std::clamp(FieldValue(text, 3, ' '), -1e11, 1e11);
    const double clock = hh + (mm + ss / 60) / 60;
    MoveTo(sh, astronomy::CalendarToJulianDate(clock, now.day, now.month, now.year, s.Zone));
}

void JulianDatePrompt(Shell& sh) {
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe des Julianischen Datums  ", 235);
    d.PromptPrint("Jul. Datum in UT = ", false);
    std::string text;
    const bool ok = d.LineInput(text);
    d.ClosePromptWindow();
    if (!ok || Trim(text).empty()) return;
    double J = 0, F = 0;
    if (!astronomy::SplitJulianDateText(text, J, F))
        return ShowMessages(d, {NoNumberMessage("das Julianische Datum")});
    MoveTo(sh, astronomy::JulianDate{J, F});
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
    } while (!PlaceLatitude(latitude / astronomy::kDegToRad));  // beyond a pole: asked again

    s.Longitude = longitude;
    s.Latitude = latitude;
    astronomy::Place& place = s.Orte[s.Ort];
    place.name = name;
    place.longitude = longitude;
    place.latitude = latitude;
    // Only the places shown in the menu have a caption; an empty caption
    // would end the menu, so an empty name keeps the old one.
    if (s.Ort >= 1 && s.Ort <= s.OrtAnz && !name.empty())
        if (const int item = sh.menu.ItemOf({Command::Place, s.Ort})) sh.menu.captions[item] = name;
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
    std::string text = ShortestText(mag);
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
    const int item = sh.menu.ItemOf(ObjectAction(astronomy::ObjectKind::Arbitrary));
    if (item > 0 && !name.empty()) sh.menu.captions[item] = name;
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    RedrawView(sh);
}

bool LimitingMagnitudePrompt(Shell& sh) {
    platform::Dialogs& d = sh.win.dialogs();
    d.PromptPrint("", true);
    d.PromptPrint("Grenzgr\u00f6\u00dfe (0..8): ", false);
    std::string text = ShortestText(sh.s.Grenzmag);
    if (!d.EditField(text, 4)) return false;
    if (Trim(text).empty()) text = "6";
    double mag = LeadingNumber(text);
    if (mag > 8) mag = 8;
    sh.s.Grenzmag = mag;
    return true;
}

void MessierPrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Nummer des Messier-Objektes  ", 235);
    int number = s.Messier;
    while (true) {
        d.PromptPrint(" M ", false);
        std::string text = std::to_string(number);
        if (!d.EditField(text, 4)) {  // closed or cancelled: nothing changes
            d.ClosePromptWindow();
            return;
        }
        if (text.find_first_not_of(' ') != std::string::npos) {
            const double v = std::round(LeadingNumber(text));
            number = std::fabs(v) < 1e9 ? static_cast<int>(v) : 0;
        }
        if (number >= 1 && number <= 109 && number != 40) break;
        d.MessageBox("M " + std::to_string(number) + " nicht bekannt !| ", " Aha ", 1);
        d.PromptClear();
    }
    d.ClosePromptWindow();
    s.Messier = number;
    if (const int item = sh.menu.ItemOf(ObjectAction(astronomy::ObjectKind::Messier)))
        sh.menu.captions[item] = "M " + std::to_string(number);
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    // The panel or the chart's marker, and the title, follow the new object.
    if (s.Objekt == astronomy::ObjectKind::Messier) {
        ComputePosition(sh, s.Objekt);
        if (!astronomy::IsObjectView(s.ChartMode)) RedrawView(sh);
    }
}

}  // namespace shell

// The small calculators: a position interpolated in time, the days between
// two dates, the place from UTM coordinates and precession between two
// equinoxes. They run in the prompt window and leave the current instant as
// it is; a cancelled input or a closed window ends them without a change.
#include "shell/Calculators.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "astronomy/Angles.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "astronomy/Utm.h"
#include "shell/Place.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {
namespace {

constexpr int kPromptHeight = 235;
// The result windows are taller than the input windows: the interpolation
// writes down to row 18, the precession to row 12.
constexpr int kResultHeight = 470;
// Added to the northings south of the equator in the usual UTM notation.
constexpr double kFalseNorthing = 10000000.0;

const std::string kDateLabel = "  Tag,Monat,Jahr = ";
const std::string kAlphaLabel = "\u03b1=";
const std::string kDeltaLabel = "\u03b4=";

void PrintAt(platform::Dialogs& d, int column, int row, const std::string& text) {
    d.PromptLocate(column, row);
    d.PromptPrint(text, false);
}

using astronomy::kHourToRad;

using astronomy::PrintedNumberText;

// A year typed into a plain field; an empty answer keeps the offered one.
int TypedYear(const std::string& text, int offered) {
    if (Trim(text).empty()) return offered;
    const double y = FieldValue(text, 1, ' ');
    return static_cast<int>(std::clamp(std::round(y), -1e6, 1e6));
}

// "  Zeit [h] = " and a zone time in hours; an empty answer keeps it.
// False when cancelled.
bool InputClockHours(Shell& sh, double& hours) { return InputSexagesimal(sh, "  Zeit [h] = ", hours); }

// The zone time in hours with two decimals and a decimal comma in a field
// of six characters (so that it stands apart from the date before it), then
// the zone's name: "  9,50 MEZ".
std::string ZoneHoursText(double hours, int zone) {
    std::string text = astronomy::FormatFixed(hours, 6, 2);
    std::replace(text.begin(), text.end(), '.', ',');
    return text + " " + astronomy::ZoneName(zone);
}

struct DatedPosition {
    DateEntry date;
    double hours = 0;  // zone time
    double alpha = 0;  // hours
    double delta = 0;  // degrees
};

// Date and time at (2, row) and (12, row), alpha and delta on the two rows
// below.
void ShowDatedPosition(platform::Dialogs& d, int row, const DateEntry& date, double hours, int zone, double alpha,
                       double delta) {
    PrintAt(d, 2, row, astronomy::FormatDateNumeric(date.day, date.month, WholeYear(date.year)));
    PrintAt(d, 12, row, ZoneHoursText(hours, zone));
    PrintAt(d, 2, row + 1, kAlphaLabel);
    PrintAt(d, 6, row + 1, astronomy::FormatHms(alpha));
    PrintAt(d, 2, row + 2, kDeltaLabel);
    PrintAt(d, 5, row + 2, astronomy::FormatAngleDms(delta));
}

// The result window of the interpolation with the two base points.
void OpenInterpolationResults(platform::Dialogs& d, const DatedPosition (&base)[2], int zone) {
    d.OpenPromptWindow("  Interpolation  ", kResultHeight);
    for (int i = 0; i < 2; ++i) {
        const DatedPosition& b = base[i];
        ShowDatedPosition(d, 5 * (i + 1) - 3, b.date, b.hours, zone, b.alpha, b.delta);
    }
}

// Year, alpha and delta of the precession window from the given row on.
void ShowEquinoxPosition(platform::Dialogs& d, int row, int year, double alphaHours, double deltaDegrees) {
    PrintAt(d, 2, row, std::to_string(year) + ":");
    PrintAt(d, 4, row + 1, kAlphaLabel);
    PrintAt(d, 8, row + 1, astronomy::FormatHms(alphaHours));
    PrintAt(d, 4, row + 2, kDeltaLabel);
    PrintAt(d, 7, row + 2, astronomy::FormatAngleDms(deltaDegrees));
}

// The UTM field texts: metres with three decimals (a millimetre, and the
// longest easting with its zone prefix still fits the 12 characters).
std::string MetresText(double metres) { return astronomy::FormatPicture(metres, "0.000"); }

// A typed northing in metres from the equator, negative to the south. A
// trailing "S" marks the usual southern notation, in which 10000000 m are
// added ("8894587.51S" and "-1105412.49" are the same northing); a trailing
// "N" changes nothing.
double TypedNorthing(std::string text) {
    text = Trim(text);
    bool southern = false;
    if (!text.empty() && (text.back() == 'S' || text.back() == 's')) {
        southern = true;
        text.pop_back();
    } else if (!text.empty() && (text.back() == 'N' || text.back() == 'n')) {
        text.pop_back();
    }
    const double metres = FieldValue(text, 1, ' ');
    return southern ? metres - kFalseNorthing : metres;
}

}  // namespace

InterpolatedPlace InterpolateLinear(double a1, double d1, double a2, double d2, double u) {
    // Right ascension goes the short way round: the step from a1 to a2 is
    // taken between -12 h and +12 h, so that 23.5 h -> 0.5 h passes 0 h.
    double step = a2 - a1;
    step -= 24 * std::round(step / 24);
    // The first half counts from the first point, the second half back from
    // the second one, so that both base points come out exactly.
    InterpolatedPlace p;
    if (u < 0.5) {
        p.alpha = a1 + step * u;
        p.delta = d1 + (d2 - d1) * u;
    } else {
        p.alpha = a2 - step * (1 - u);
        p.delta = d2 - (d2 - d1) * (1 - u);
    }
    p.alpha = astronomy::Mod24(p.alpha);
    if (p.alpha >= 24) p.alpha = 0;  // a value a hair below 0 reduces to 24.0
    return p;
}

void InterpolatePosition(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    auto end = [&d]() { d.ClosePromptWindow(); };

    // Every field offers what was typed there last; the first date and
    // time start from the current instant, the second from the first.
    DatedPosition base[2];
    base[0].date = {s.Day, s.Month, static_cast<double>(s.Year)};
    base[0].hours = s.ClockTime;
    bool secondTyped = false;
    astronomy::JulianDate at[2];
    double span = 0;

    for (;;) {
        d.OpenPromptWindow("  Interpolation  ", kPromptHeight);
        for (int i = 0; i < 2; ++i) {
            if (i == 1 && !secondTyped) {
                base[1] = base[0];
                secondTyped = true;
            }
            DatedPosition& b = base[i];
            d.PromptClear();
            d.PromptPrint(std::to_string(i + 1) + ". Datum ?", true);
            if (!InputDate(sh, kDateLabel, b.date) || !InputClockHours(sh, b.hours)) return end();
            at[i] = InstantOf(b.date, b.hours, s.Zone);
            d.PromptPrint("  ", false);
            if (!InputHours(sh, b.alpha)) return end();
            d.PromptPrint("  ", false);
            if (!InputDegrees(sh, b.delta)) return end();
        }
        d.ClosePromptWindow();
        OpenInterpolationResults(d, base, s.Zone);
        const int answer = d.MessageBox("Eingaben richtig ?", " OK | neu ", 1);
        if (answer == 0) return end();
        span = (at[1].J - at[0].J) + (at[1].F - at[0].F);
        // Two equal instants give no rate of change: the base points again.
        if (answer == 1 && span != 0) break;
        d.ClosePromptWindow();
    }

    DatedPosition target = base[1];
    for (;;) {
        d.ClosePromptWindow();
        d.OpenPromptWindow("  gesuchte Datum ?  ", kPromptHeight);
        if (!InputDate(sh, kDateLabel, target.date) || !InputClockHours(sh, target.hours)) return end();
        const astronomy::JulianDate t = InstantOf(target.date, target.hours, s.Zone);
        d.ClosePromptWindow();
        OpenInterpolationResults(d, base, s.Zone);
        const double u = ((t.J - at[0].J) + (t.F - at[0].F)) / span;
        const InterpolatedPlace p = InterpolateLinear(base[0].alpha, base[0].delta, base[1].alpha, base[1].delta, u);
        ShowDatedPosition(d, 16, target.date, target.hours, s.Zone, p.alpha, p.delta);
        if (d.MessageBox("weitere Zwischenwerte ?", "nein| ja ", 1) != 2) break;
    }
    d.ClosePromptWindow();
    RedrawView(sh);
}

void DayDifference(Shell& sh) {
    const astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Tagesdifferenzen  ", kPromptHeight);
    // The first date offers the current one, the second the first.
    DateEntry date{s.Day, s.Month, static_cast<double>(s.Year)};
    double J[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        d.PromptPrint(std::to_string(i + 1) + ". Datum:", true);
        if (!InputDate(sh, kDateLabel, date)) {
            d.ClosePromptWindow();
            return;
        }
        if (date.month < 1 || date.month > 12) date.month = 1;
        // Both at 0:00 UT: the difference of the day numbers is whole.
        J[i] = astronomy::CalendarToJulianDate(0, date.day, date.month, WholeYear(date.year), 0).J;
    }
    d.PromptPrint("", true);
    d.PromptPrint("Differenz = " + PrintedNumberText(J[1] - J[0]) + " Tage", true);
    d.PromptWaitKeyOrClick();
    d.ClosePromptWindow();
}

bool EnterUtmPlace(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe von UTM-Koordinaten  ", kPromptHeight);

    // The fields offer the current place; a southern northing is offered in
    // the usual notation with an "S" behind it. A place whose grid
    // coordinates cannot be computed offers empty fields and keeps the
    // stored values for them.
    const astronomy::UtmCoordinates now = astronomy::GeoToUtm(s.Longitude, s.Latitude);
    double east = s.UtmEast;
    double north = s.Latitude < 0 && s.UtmNorth > 0 ? s.UtmNorth - kFalseNorthing : s.UtmNorth;
    std::string eastText, northText;
    if (std::isfinite(now.east) && std::isfinite(now.north)) {
        east = now.east;
        north = s.Latitude < 0 ? now.north - kFalseNorthing : now.north;
        eastText = MetresText(east);
        // A northing that rounds to the equator is written without "S".
        if (north < 0 && MetresText(-north) != "0.000")
            northText = MetresText(north + kFalseNorthing) + "S";
        else
            northText = MetresText(std::max(north, 0.0));
    }

    d.PromptPrint("             *******.*** m", true);
    d.PromptPrint("Ostwert:  ", false);
    if (!d.EditField(eastText, 12)) {
        d.ClosePromptWindow();
        return false;
    }
    if (!Trim(eastText).empty()) east = FieldValue(eastText, 1, ' ');
    d.PromptPrint("Nordwert: ", false);
    if (!d.EditField(northText, 12)) {
        d.ClosePromptWindow();
        return false;
    }
    if (!Trim(northText).empty()) north = TypedNorthing(northText);

    const astronomy::GeoCoordinates geo = astronomy::UtmToGeo(east, north);
    if (!std::isfinite(geo.longitude) || !std::isfinite(geo.latitude)) {
        d.ClosePromptWindow();
        d.MessageBox("Diese UTM-Koordinaten bezeichnen keinen Ort.|Der Beobachtungsort bleibt unver\u00e4ndert.",
                     " OK ", 1);
        return false;
    }

    s.UtmEast = east;
    s.UtmNorth = north < 0 ? north + kFalseNorthing : north;
    s.Longitude = geo.longitude;
    s.Latitude = geo.latitude;
    astronomy::SetLatitudeTerms(s);

    d.PromptClear();
    PrintAt(d, 1, 2, "L\u00e4nge= ");
    PrintAt(d, 10, 2, astronomy::FormatAngleDmsFine(s.Longitude / astronomy::kDegToRad));
    PrintAt(d, 1, 3, "Breite=");
    PrintAt(d, 10, 3, astronomy::FormatAngleDmsFine(s.Latitude / astronomy::kDegToRad));
    // The new place stays readable until a key or a click.
    d.PromptWaitKeyOrClick();
    d.ClosePromptWindow();
    astronomy::UpdateTimeQuantities(s);  // the sidereal time follows the longitude
    RedrawView(sh);
    return true;
}

void PrecessionDialog(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    auto end = [&d]() { d.ClosePromptWindow(); };
    d.OpenPromptWindow("  Pr\u00e4zession, Eingabe  ", kPromptHeight);

    // The starting equinox offers 2000, the usual one of catalogues; the
    // target offers the current year.
    constexpr int kCatalogueEquinox = 2000;
    std::string text = std::to_string(kCatalogueEquinox);
    d.PromptPrint("von Jahr: ", false);
    if (!d.EditField(text, 6)) return end();
    const int fromYear = TypedYear(text, kCatalogueEquinox);
    double alpha = 0, delta = 0;  // hours, degrees
    d.PromptPrint("  ", false);
    if (!InputHours(sh, alpha)) return end();
    d.PromptPrint("  ", false);
    if (!InputDegrees(sh, delta)) return end();
    text = std::to_string(s.Year);
    d.PromptPrint("Koordinaten f\u00fcr Jahr: ", false);
    if (!d.EditField(text, 6)) return end();
    const int toYear = TypedYear(text, s.Year);
    d.ClosePromptWindow();

    // The coordinates refer to 1 January of the starting year, 0h UT.
    const astronomy::JulianDate start = astronomy::CalendarToJulianDate(0, 1, 1, fromYear, 0);
    const astronomy::Equatorial p =
        astronomy::Precess(start.J, start.F, toYear, alpha * kHourToRad, delta * astronomy::kDegToRad);

    d.OpenPromptWindow("  Pr\u00e4zession  ", kResultHeight);
    ShowEquinoxPosition(d, 5, fromYear, alpha, delta);
    ShowEquinoxPosition(d, 10, toYear, p.alpha / kHourToRad, p.delta / astronomy::kDegToRad);
    d.PromptWaitKeyOrClick();  // a closed window ends it as well
    d.ClosePromptWindow();
    astronomy::UpdateTimeQuantities(s);
    RedrawView(sh);
}

}  // namespace shell

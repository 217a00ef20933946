// The lines of the interval table and of the day ephemeris.
#include "reports/EphemerisTables.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/TextEncoding.h"
#include "astronomy/TextFormats.h"

namespace reports {

using astronomy::BodyPosition;
using astronomy::Instant;
using astronomy::IntervalParameters;
using astronomy::kDegToRad;
using astronomy::kHourToRad;
using astronomy::Mod24;
using astronomy::ObjectKind;
using astronomy::ProgramState;

namespace {

constexpr double kShownDateOffset = 0.001;  // days
constexpr double kEndTolerance = 1e-9;      // days, about 0.1 ms
constexpr int kRuleLength = 78;
constexpr int kGroupLines = 5;
constexpr int kPageLines = 30;
constexpr int kDayNameWidth = 9;

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(std::max(0, n)), ' '); }

// A field of the tables. The widths are kept even where a value needs more
// (the columns then run into each other) and a value that is not a number
// leaves its field blank: the tables never show "nan", "inf" or "*".
std::string Fixed(double x, int width, int decimals) {
    return std::isfinite(x) ? astronomy::FormatFixed(x, width, decimals) : Blanks(width);
}
std::string Mask(double x, std::string_view mask) {
    return std::isfinite(x) ? astronomy::FormatNumberMask(x, mask) : Blanks(static_cast<int>(mask.size()));
}
std::string Hours(double hours, int width, std::string (*format)(double)) {
    return std::isfinite(hours) ? format(hours) : Blanks(width);
}
std::string Degrees(double radians, int width, std::string (*format)(double)) {
    return std::isfinite(radians) ? format(radians / kDegToRad) : Blanks(width);
}

bool HasRiseSet(double t) { return t != astronomy::kNoRiseSetMarker; }

// Thousands of kilometres for the Moon, AU for the others.
std::string Distance(const BodyPosition& p, ObjectKind kind) {
    return kind == ObjectKind::Moon ? Fixed(p.delta / 1000, 6, 1) : Fixed(p.delta, 6, 2);
}
// Arcminutes for the Sun and the Moon, arcseconds for the others.
std::string Diameter(const BodyPosition& p, ObjectKind kind) {
    const bool large = kind == ObjectKind::Sun || kind == ObjectKind::Moon;
    return Fixed(p.diameter * (large ? 60 : 3600), 5, 1);
}
// The angle from the Sun in whole degrees and the side: west "W", east
// (and at 0) "E".
std::string Elongation(const BodyPosition& p) {
    if (!std::isfinite(p.elongation)) return Blanks(5);
    return Fixed(std::fabs(p.elongation) / kDegToRad, 4, 0) + "WEE"[astronomy::Sgn(p.elongation) + 1];
}

std::string EquinoxText(int aequi) {
    if (aequi == astronomy::kEquinoxOfDate) return " und Äquinoktium des Tages";
    return " und Äquinoktium " + std::to_string(aequi);
}

// Right ascension, declination, distance and diameter: the columns both
// tables share.
std::string PlaceColumns(const BodyPosition& p, ObjectKind kind) {
    return Hours(p.ra / kHourToRad, 10, astronomy::FormatHmTenths) +
           Degrees(p.dec, 8, astronomy::FormatAngleDmCompact) + Distance(p, kind) + Diameter(p, kind);
}

std::string Transit(const BodyPosition& p) { return Hours(Mod24(p.transit), 5, astronomy::FormatHm); }

}  // namespace

std::string TableRule(int indent) { return Blanks(indent) + std::string(kRuleLength, '-'); }

// ---- The interval table

Instant NextIntervalInstant(const Instant& at, double step) {
    const double wholeDays = std::trunc(step);
    return astronomy::NormaliseInstant(at.J + wholeDays, at.F + (step - wholeDays));
}

bool PassedIntervalEnd(const Instant& at, const IntervalParameters& p) {
    // The sums of the steps carry rounding errors: an instant a hair beyond
    // the end still counts as the end, so that hourly rows from 20:00 to
    // 23:00 end with the row of 23:00.
    const double beyond = (at.J - p.endJ) + (at.F - p.endF);
    if (p.step > 0) return beyond > kEndTolerance;
    if (p.step < 0) return beyond < -kEndTolerance;
    return false;
}

std::vector<Instant> IntervalInstants(const IntervalParameters& p, std::size_t most) {
    std::vector<Instant> instants;
    Instant at{p.startJ, p.startF};
    do {
        instants.push_back(at);
        at = NextIntervalInstant(at, p.step);
    } while (!PassedIntervalEnd(at, p) && instants.size() <= most);
    return instants;
}

IntervalRow ComputeIntervalRow(const ProgramState& s, const astronomy::Target& target, const Instant& at) {
    IntervalRow row;
    row.at = at;
    row.shown = astronomy::JulianDateToCalendar(at.J, at.F + kShownDateOffset, s.Zone);
    row.place = astronomy::ComputePosition(astronomy::ObservationAt(s, at.J, at.F), target);
    return row;
}

std::vector<std::string> IntervalHeader(const ProgramState& s, const std::string& name, ObjectKind kind, int indent) {
    const std::string in = Blanks(indent);
    const std::string zone = astronomy::ZoneName(s.Zone);
    const bool moon = kind == ObjectKind::Moon;
    const bool large = moon || kind == ObjectKind::Sun;
    return {
        "",
        "                               Ephemeride für " + name,
        "                               ===============" + std::string(astronomy::CharacterCount(name), '='),
        "",
        in + "Für geogr. Länge " + astronomy::FormatAngleDm(s.Longitude / kDegToRad) + ", Breite " +
            astronomy::FormatAngleDmCompact(s.Latitude / kDegToRad) + EquinoxText(s.Aequi),
        "",
        in + "    Datum          R. A.     Dekl Erdab Durch Elon  Mag Phase  Auf  Kulm  Unt",
        in + astronomy::FormatFixed(Mod24(s.ClockTime), 7, 0) + " h " + zone + Blanks(20) +
            (moon ? "  [Tkm] " : "   [AE] ") + (large ? " ['] " : " [\"] ") + " [°] [mag]  [°]       " + zone,
        TableRule(indent),
    };
}

std::string IntervalRowText(const IntervalRow& row, ObjectKind kind, int indent) {
    const astronomy::CivilDate& d = row.shown;
    std::string text = Blanks(indent) + astronomy::FormatDateLong(d.day, d.month, d.year, d.weekday, true) + " ";
    if (row.place.status != astronomy::PositionStatus::Ok) return text;
    const BodyPosition& p = row.place.body;
    text += PlaceColumns(p, kind);
    text += Elongation(p) + Fixed(p.magnitude, 5, 1) + Fixed(p.phaseAngle / kDegToRad, 6, 1);
    text += HasRiseSet(p.rise) ? Fixed(Mod24(p.rise), 5, 1) + " " : Blanks(6);
    text += Transit(p);
    if (HasRiseSet(p.set)) text += Fixed(Mod24(p.set), 5, 1);
    return text;
}

AfterRow CountIntervalRow(int& lineCounter) {
    AfterRow after;
    ++lineCounter;
    if (lineCounter % kGroupLines == 0) {
        ++lineCounter;
        after.emptyLine = true;
    }
    after.pageFull = lineCounter % kPageLines == 1;
    return after;
}

// ---- The day ephemeris

std::vector<DayRow> ComputeDayEphemeris(const ProgramState& s) {
    const astronomy::Observation at = astronomy::ObservationOf(s);
    std::vector<DayRow> rows;
    for (ObjectKind kind : kDayEphemerisBodies) {
        std::string name(astronomy::ObjectName(kind));
        if (kind == ObjectKind::Disk && !s.DiskName.empty()) name = s.DiskName;
        rows.push_back({kind, name, astronomy::ComputePosition(at, astronomy::TargetOf(s, kind))});
    }
    return rows;
}

namespace {

std::string DayRowText(const DayRow& row, int indent) {
    std::string text = Blanks(indent) + astronomy::FirstCharacters(row.name + Blanks(kDayNameWidth), kDayNameWidth);
    if (row.place.status != astronomy::PositionStatus::Ok) return text;
    const BodyPosition& p = row.place.body;
    text += PlaceColumns(p, row.kind);
    text += Elongation(p) + Fixed(p.magnitude, 5, 1) + Mask(p.phaseAngle / kDegToRad, "####,#");
    text += HasRiseSet(p.rise) ? Mask(Mod24(p.rise), "###,# ") : Blanks(6);
    text += Transit(p);
    text += HasRiseSet(p.set) ? Mask(Mod24(p.set), "###,#") : Blanks(5);
    text += Mask(astronomy::AzimuthFromNorth(p.azimuth) / kDegToRad, "####") + Mask(p.altitude / kDegToRad, "###");
    return text;
}

}  // namespace

std::vector<TableLine> DayEphemerisLines(const ProgramState& s, const std::vector<DayRow>& rows, int indent) {
    const std::string in = Blanks(indent);
    std::vector<TableLine> lines = {
        {""},
        {in + "                 Tagesephemeride für " + astronomy::FormatDateNumeric(s.Day, s.Month, s.Year) + ", " +
         astronomy::FormatHmTenths(s.ClockTime) + astronomy::ZoneName(s.Zone)},
        {in + "                 ============================================="},
        {""},
        {in + "Für geogr. Länge " + astronomy::FormatAngleDm(s.Longitude / kDegToRad) + ", Breite " +
         astronomy::FormatAngleDm(s.Latitude / kDegToRad) + EquinoxText(s.Aequi)},
        {""},
        {in + "Objekt      R. A.    Dekl   Erdab Durch Elon Mag Phase  Auf  Kulm  Unt  Az Ho"},
        {in + Blanks(23) + "[1000" + "km,AE]['," + "\"" + "] [°] [mag]  [°]       " +
         astronomy::ZoneNamePadded(s.Zone) + "      [°][°]"},
        {TableRule(indent)},
    };
    for (const DayRow& row : rows) {
        // Each body in its colour; the body types count from 1 for the Sun
        // in the order of the table.
        const auto at = std::find(kDayEphemerisBodies.begin(), kDayEphemerisBodies.end(), row.kind);
        lines.push_back({DayRowText(row, indent), static_cast<int>(at - kDayEphemerisBodies.begin()) + 1});
        if (row.kind == ObjectKind::Mars) lines.push_back({""});
    }
    lines.push_back({TableRule(indent)});
    return lines;
}

}  // namespace reports

// The information panel of the object views.
#include "reports/ObjectPanel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "astronomy/Angles.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextEncoding.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "charts/ObjectSymbols.h"
#include "charts/Style.h"

namespace reports {

using astronomy::FormatFixed;
using astronomy::kDegToRad;
using astronomy::kPi;
using astronomy::ObjectKind;
using astronomy::Round;
using platform::FontRole;

namespace {

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(std::max(0, n)), ' '); }

// The drawing context of one panel pass and its three text styles.
struct Panel {
    platform::Canvas& c;
    const astronomy::ProgramState& s;
    double ts;           // TextScale
    int c2;              // TextSplitHalfX, left edge of the second column
    bool printing;
    platform::Colour background, text, contrast;
    // Left edge of the twilight block: the second column, or further right
    // where the rise and set days beside it need the room.
    int twilight = 0;
};

void LabelStyle(Panel& p) {
    p.c.SetFont(FontRole::Label);
    p.c.SetPen(p.text);
}

void ValueStyle(Panel& p, double printSize = 0) {
    p.c.SetFont(FontRole::Value, p.printing ? printSize : 0);
    p.c.SetPen(p.contrast);
}

// The Greek letters and signs of the labels, in the label colour.
void SymbolFont(Panel& p) {
    p.c.SetFont(FontRole::Symbol);
    p.c.SetPen(p.text);
}

int Row(const Panel& p, double k) { return PanelRow(k, p.ts); }

void Put(Panel& p, int x, int y, const std::string& text) { p.c.Text(x, y, text); }

// Draws a value at x and returns where its last character ends, measured
// in the font it is drawn in: a unit placed after it must not start before.
int PutValue(Panel& p, int x, int y, const std::string& text) {
    p.c.Text(x, y, text);
    const std::size_t end = text.find_last_not_of(' ');
    return x + (end == std::string::npos ? 0 : p.c.TextWidth(text.substr(0, end + 1)));
}

// The x of a label after a value that ends at valueEnd: its place in the
// layout, or further right when the digits of the value font reach it.
int LabelAfter(const Panel& p, int layoutX, int valueEnd, bool leadingBlank) {
    const int gap = leadingBlank ? 0 : p.c.TextWidth(" ");
    return std::max(layoutX, valueEnd + gap);
}

void PutCell(Panel& p, int column, int row, const std::string& text) {
    const CellPosition at = TextCell(column, row, p.ts);
    p.c.Text(at.x, at.y, text);
}

// ZoneName + ", am " + the day with "##" + ".      "
std::string DayText(int zone, int day) {
    return astronomy::ZoneName(zone) + ", am " + FormatFixed(day, 2, 0) + ".      ";
}

// The day of month dayOffset days from the state's date.
int DayOfMonthFrom(const astronomy::ProgramState& s, int dayOffset) {
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(12, s.Day, s.Month, s.Year, s.Zone);
    return astronomy::JulianDateToCalendar(jd.J + dayOffset, jd.F, s.Zone).day;
}

double Degrees(double radians) { return radians / kDegToRad; }

// The labels that stand for every object, the azimuth side and the
// visibility note.
void DrawHeading(Panel& p, const astronomy::BodyPosition& pos) {
    LabelStyle(p);
    Put(p, 5, Row(p, 1), "Objekt:");
    SymbolFont(p);
    Put(p, 8, Row(p, 3), "α=");
    Put(p, 8, Row(p, 4), "δ=");
    LabelStyle(p);
    // "E W" from position sign + 2, two characters: "E ", " W" or "W".
    const int sign = astronomy::Sgn(pos.azimuth);
    Put(p, 122, Row(p, 11), std::string("E W").substr(static_cast<std::size_t>(sign + 1), 2) + "   ");
    p.c.SetPen(charts::kHighlightColour);
    Put(p, 325, Row(p, 1), pos.altitude > 0 ? "sichtbar         " : "unter Horiz.  ");
}

// The name box with the name and the symbol.
void DrawNameBox(Panel& p, const astronomy::BodyPosition& pos, ObjectKind kind) {
    p.c.SetRasterOp(platform::RasterOp::Copy);
    p.c.SetBrush(p.background);
    p.c.SetPen(charts::FrameColour(p.s));
    p.c.FillBox(71, Round(9 * p.ts), 315, Round(30 * p.ts + 9));
    ValueStyle(p);
    const std::string name = pos.name.empty() ? std::string(astronomy::ObjectName(kind)) : pos.name;
    Put(p, 100, Row(p, 1), astronomy::FirstCharacters(name + Blanks(21), 20));
    charts::SymbolRequest symbol;
    symbol.type = pos.index;
    symbol.size = 5;         // a class symbol that fits the box
    symbol.diameterPx = 1;   // the mark, never the disc
    charts::DrawObjectSymbol(p.c, p.s, 88, Round(16 * p.ts + 8), symbol);
    p.c.SetRasterOp(platform::RasterOp::Copy);
}

// Hour angle, azimuth, altitude, equation of time or the
// Sun's altitude, and the place.
void DrawPlace(Panel& p, const astronomy::BodyPosition& pos, const astronomy::SunDerived& sun, bool isSun) {
    LabelStyle(p);
    Put(p, 8, Row(p, 9), "t=");
    Put(p, 0, Row(p, 11), "Az=");
    Put(p, 0, Row(p, 12), "H =");
    if (isSun) {
        Put(p, 0, Row(p, 10), "ZGL=");
        ValueStyle(p);
        Put(p, 40, Row(p, 10), FormatFixed(sun.equationOfTime, 5, 1));
        LabelStyle(p);
        Put(p, 78, Row(p, 10), "min ");
        Put(p, 0, Row(p, 13), Blanks(34));
        Put(p, 0, Row(p, 14), Blanks(34));
    } else {
        Put(p, 0, Row(p, 10), Blanks(34));
        Put(p, 0, Row(p, 5), Blanks(14));
        // "H" with the index "s" (altitude of the Sun), then "=" after the
        // index as wide as the font draws it.
        Put(p, 0, Row(p, 13), "H  ");
        Put(p, 11, Round(13.25 * 16 * p.ts - 1), "s");
        Put(p, std::max(p.c.TextWidth("H  "), 11 + p.c.TextWidth("s")), Row(p, 13), "=");
        ValueStyle(p);
        Put(p, 32, Row(p, 13), astronomy::FormatAngleDm(Degrees(sun.altitude)));
    }
    // The declination starts after its label as the symbol font draws it.
    SymbolFont(p);
    const int decX = std::max(24, 8 + p.c.TextWidth("δ="));
    ValueStyle(p);
    Put(p, 32, Row(p, 3), astronomy::FormatHms(pos.ra * 12 / kPi));
    Put(p, decX, Row(p, 4), astronomy::FormatAngleDms(Degrees(pos.dec)));
    Put(p, 32, Row(p, 9), astronomy::FormatHms(pos.hourAngle));
    Put(p, 32, Row(p, 11), astronomy::FormatAngleDm(Degrees(astronomy::AzimuthFromNorth(pos.azimuth))));
    Put(p, 32, Row(p, 12), astronomy::FormatAngleDm(Degrees(pos.altitude)));
    Put(p, 32, Row(p, 16), astronomy::FormatHm(pos.transit));
}

// Rise, transit and set with their days.
void DrawRiseSet(Panel& p, const astronomy::BodyPosition& pos) {
    LabelStyle(p);
    Put(p, 8, Row(p, 15), "A=");
    Put(p, 8, Row(p, 16), "D=");
    Put(p, 8, Row(p, 17), "U=");
    const int zone = p.s.Zone;
    if (pos.rise != astronomy::kNoRiseSetMarker && pos.set != astronomy::kNoRiseSetMarker) {
        ValueStyle(p);
        Put(p, 32, Row(p, 15), astronomy::FormatHm(astronomy::Mod24(pos.rise)));
        Put(p, 32, Row(p, 17), astronomy::FormatHm(astronomy::Mod24(pos.set)));
        LabelStyle(p);
        Put(p, 84, Row(p, 15), DayText(zone, pos.rise < 0 ? DayOfMonthFrom(p.s, -1) : p.s.Day));
        Put(p, 84, Row(p, 17), DayText(zone, pos.set >= 24 ? DayOfMonthFrom(p.s, 1) : p.s.Day));
    } else {
        const std::string none = "   --" + Blanks(35);
        Put(p, 32, Row(p, 15), none);
        Put(p, 32, Row(p, 17), none);
    }
    LabelStyle(p);
    Put(p, 84, Row(p, 16), DayText(zone, p.s.Day));
}

// The -15 degree twilight.
void DrawTwilight(Panel& p, const astronomy::SunDerived& sun) {
    LabelStyle(p);
    Put(p, p.twilight, Row(p, 15), "Ende:");
    Put(p, p.twilight, Row(p, 16), "Anf.:");
    Put(p, p.twilight, Row(p, 17), "Nacht:");
    if (sun.twilightBegin == 0) {
        for (int k : {15, 16, 17}) Put(p, p.twilight + 46, Row(p, k), "  -- ");
    } else {
        ValueStyle(p);
        Put(p, p.twilight + 56, Row(p, 15), astronomy::FormatHm(sun.twilightEnd));
        Put(p, p.twilight + 56, Row(p, 16), astronomy::FormatHm(sun.twilightBegin));
        Put(p, p.twilight + 56, Row(p, 17),
            astronomy::FormatHm(astronomy::Mod24(24 - sun.twilightEnd + sun.twilightBegin)));
    }
    LabelStyle(p);
    const std::string zoneText = astronomy::ZoneName(p.s.Zone) + Blanks(6 - 3 * p.s.Zone);
    Put(p, p.twilight + 109, Row(p, 15), zoneText);
    Put(p, p.twilight + 109, Row(p, 16), zoneText);
    Put(p, p.twilight + 109, Row(p, 17), "h");
}

// The heliocentric place and distance.
void DrawHeliocentric(Panel& p, const astronomy::BodyPosition& pos, double r) {
    LabelStyle(p);
    const int valueX = std::max({24, 8 + p.c.TextWidth("l="), 8 + p.c.TextWidth("b=")});
    Put(p, 8, Row(p, 6), "l=");
    Put(p, 128, Row(p, 6), Blanks(10));
    Put(p, 8, Row(p, 7), "b=");
    Put(p, 128, Row(p, 7), Blanks(6));
    if (r != 0) {
        Put(p, p.c2 + 19, Row(p, 3), "r=");
    } else {
        Put(p, p.c2 + 19, Round(51 * p.ts), Blanks(8));
        Put(p, p.c2 + 10, Row(p, 3), Blanks(10));
    }
    ValueStyle(p, 10);
    Put(p, valueX, Row(p, 6), astronomy::FormatAngleDms(Degrees(pos.eclLon)));
    Put(p, valueX, Row(p, 7), astronomy::FormatAngleDms(Degrees(pos.eclLat)));
    if (r != 0) {
        const int end = PutValue(p, p.c2 + 33, Row(p, 3), FormatFixed(r, 9, 4));
        LabelStyle(p);
        Put(p, LabelAfter(p, p.c2 + 126, end, false), Row(p, 3), "AE ");
    } else {
        Put(p, p.c2 + 30, Row(p, 3), Blanks(18));
    }
}

// The distance from the Earth and the light time.
void DrawGeocentric(Panel& p, const astronomy::BodyPosition& pos, bool isMoon) {
    ValueStyle(p);
    int deltaEnd = 0, lightEnd = 0;
    if (isMoon) {
        deltaEnd = PutValue(p, p.c2 + 32, Row(p, 4), FormatFixed(pos.delta, 12, 0) + " ");
        lightEnd = PutValue(p, p.c2 + 57, Row(p, 5), FormatFixed(pos.lightTimeMinutes, 7, 2) + "   ");
    } else {
        deltaEnd = PutValue(p, p.c2 + 32, Row(p, 4), FormatFixed(pos.delta, 9, 4) + " ");
        lightEnd = PutValue(p, p.c2 + 32, Row(p, 5), FormatFixed(pos.lightTimeMinutes, 7, 2) + " ");
    }
    SymbolFont(p);
    Put(p, p.c2 + 16, Row(p, 4), "Δ=");
    LabelStyle(p);
    if (isMoon) {
        Put(p, LabelAfter(p, p.c2 + 110, deltaEnd, true), Row(p, 4), " km   ");
        Put(p, p.c2 + 8, Row(p, 5), "Lz=");
        Put(p, LabelAfter(p, p.c2 + 105, lightEnd, false), Row(p, 5), "min        ");
    } else {
        Put(p, LabelAfter(p, p.c2 + 126, deltaEnd, false), Row(p, 4), "AE ");
        Put(p, p.c2 + 8, Row(p, 5), "Lz=");
        Put(p, LabelAfter(p, p.c2 + 105, lightEnd, false), Row(p, 5), "min ");
    }
}

// Phase, elongation, brightness and diameter.
void DrawPhotometry(Panel& p, const astronomy::BodyPosition& pos) {
    SymbolFont(p);
    Put(p, p.c2 + 16, Row(p, 12), "∅=");
    LabelStyle(p);
    Put(p, p.c2 + 16, Row(p, 7), "k=");
    Put(p, p.c2 - 8, Row(p, 8), "Phw=");
    Put(p, p.c2 - 8, Row(p, 9), "Elon=");
    Put(p, p.c2, Row(p, 11), "Mag=");
    ValueStyle(p);
    const int x = p.c2 + 44;
    const int fractionEnd = PutValue(p, x, Row(p, 7), FormatFixed(100 * pos.illuminatedFraction, 6, 1));
    Put(p, x, Row(p, 8), FormatFixed(Degrees(pos.phaseAngle), 6, 2));
    Put(p, x, Row(p, 9), FormatFixed(Degrees(std::fabs(pos.elongation)), 6, 2));
    Put(p, x, Row(p, 11), FormatFixed(pos.magnitude, 5, 1));
    Put(p, x, Row(p, 12), astronomy::FormatAngleDmsTenths(pos.diameter));
    // The degree signs go over the numbers without blanking them.
    p.c.SetRasterOp(platform::RasterOp::Merge);
    p.c.SetTextBackground(p.background, false);
    Put(p, p.c2 + 73, Row(p, 8), "°");
    Put(p, p.c2 + 73, Row(p, 9), "°");
    p.c.SetRasterOp(platform::RasterOp::Copy);
    p.c.SetTextBackground(p.background, true);
    LabelStyle(p);
    Put(p, LabelAfter(p, p.c2 + 106, fractionEnd, false), Row(p, 7), "%");
    // "W E" at position sign + 2: west of the Sun, a blank, east.
    const int sign = astronomy::Sgn(pos.elongation);
    Put(p, p.c2 + 108, Row(p, 9), std::string("W E").substr(static_cast<std::size_t>(sign + 1), 1) + "    ");
}

// Fixed objects have no distance, light time or phase: blank the values a
// body drawn before may have left there.
void BlankBodyValues(Panel& p) {
    PutCell(p, 23, 4, Blanks(14));
    PutCell(p, 23, 5, Blanks(14));
    PutCell(p, 22, 6, Blanks(14));
    PutCell(p, 23, 8, Blanks(8));
    PutCell(p, 21, 9, Blanks(11));
    PutCell(p, 20, 10, Blanks(13));
}

// The catalogue entry of a Messier object.
void DrawMessierEntry(Panel& p) {
    LabelStyle(p);
    const int n = p.s.Messier;
    astronomy::MessierEntry entry;
    if (n >= 1 && n <= static_cast<int>(p.s.MessierCatalogue.size())) entry = p.s.MessierCatalogue[n - 1];
    if (entry.name.rfind("  ", 0) == 0) {
        PutCell(p, 3, 7, "Name:  -" + Blanks(14));
    } else {
        PutCell(p, 3, 7, "Name: " + entry.name);
    }
    PutCell(p, 3, 8, "Art: " + entry.type + " in " + entry.constellation);
    BlankBodyValues(p);
    PutCell(p, 25, 13, " " + entry.description + "  ");
    PutCell(p, 24, 13, "=");
}

// The arbitrary object.
void DrawArbitraryEntry(Panel& p) {
    LabelStyle(p);
    PutCell(p, 3, 7, "Name: " + astronomy::FirstCharacters(p.s.BelName + Blanks(16), 16));
    PutCell(p, 3, 8, Blanks(15));
    BlankBodyValues(p);
    PutCell(p, 23, 13, Blanks(14));
}

// The twilight heading and the orbital period.
void DrawFooter(Panel& p, const astronomy::BodyPosition& pos) {
    p.c.SetFont(FontRole::Note, p.printing ? 8 : 0);
    p.c.SetPen(p.text);
    Put(p, p.twilight + 15, Row(p, 14), "-15° Dämmerung:");
    LabelStyle(p);
    const int y = Row(p, 19);
    if (pos.period > 0) {
        Put(p, 8, y, "Umlaufszeit:");
        Put(p, 115, y, astronomy::FormatDuration(pos.period));
    } else if (pos.period == astronomy::kPeriodHyperbolic) {
        Put(p, 8, y, "Umlaufszeit:  Hyperbolisch");
    } else if (pos.period == astronomy::kPeriodParabolic) {
        Put(p, 8, y, "Umlaufszeit:  Parabolisch");
    } else {
        Put(p, 8, y, Blanks(70));
    }
}

// The picture, in real-time mode only every half hour of zone
// time; the compass always. The box is cleared before a new picture so
// that the picture of another object does not show through.
void DrawPicture(Panel& p, const astronomy::BodyPosition& pos, bool realtime, PanelMemory& memory) {
    const double T = p.s.ClockTime;
    const bool recent = memory.pictureDrawn && std::fabs(T - memory.lastPictureTime) < 0.5;
    const charts::PictureBox box = charts::ObjectViewPictureBox(p.s);
    if (!(realtime && recent)) {
        charts::ClearPictureBox(p.c, p.s, box);
        const double scale = charts::ObjectViewPixelsPerDegree(pos, p.ts);
        const int cx = Round((p.s.TextSplitX + p.s.ChartWidth) / 2.0);
        charts::DrawObjectPicture(p.c, p.s, pos, cx, Round(92 * p.ts), scale, charts::PictureRadiusLimit(box));
        memory.pictureDrawn = true;
        memory.lastPictureTime = T;
    }
    charts::DrawCompass(p.c, p.s, box);
    p.c.SetRasterOp(platform::RasterOp::Copy);
}

}  // namespace

int PanelRow(double k, double textScale) { return Round(16 * k * textScale); }

CellPosition TextCell(int column, int row, double textScale) {
    return {(column - 1) * kCellWidth, (Round(row * textScale) - 1) * kCellHeight};
}

PanelOutcome DrawObjectInfoPanel(platform::Canvas& canvas, const astronomy::ProgramState& s,
                                 const astronomy::BodyPosition& pos, const astronomy::SunDerived& sun, ObjectKind kind,
                                 bool realtimeRunning, PanelMemory& memory) {
    const charts::Palette palette = charts::PaletteOf(s);
    Panel p{canvas, s, s.TextScale, s.TextSplitHalfX, s.PrintingFlag != 0, palette.background, palette.text,
            palette.contrast};
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetTextBackground(p.background, true);
    LabelStyle(p);
    p.twilight = std::max(p.c2, 84 + canvas.TextWidth(std::string(astronomy::TrimBlanks(DayText(s.Zone, 28))) + " "));

    // Another object: nothing of the old panel may stay, also not the
    // values this object does not have. The picture is drawn anew.
    if (memory.shown && (memory.kind != kind || memory.name != pos.name)) {
        canvas.SetPen(p.background);
        canvas.SetBrush(p.background);
        canvas.FillBox(0, 0, std::max(0, s.ChartWidth - 1), canvas.Height() - 1);
        memory.pictureDrawn = false;
    }
    memory.shown = true;
    memory.kind = kind;
    memory.name = pos.name;

    PanelOutcome outcome;
    DrawHeading(p, pos);
    DrawNameBox(p, pos, kind);
    DrawPlace(p, pos, sun, kind == ObjectKind::Sun);
    DrawRiseSet(p, pos);
    DrawTwilight(p, sun);

    if (kind == ObjectKind::Messier) {
        DrawMessierEntry(p);
    } else if (kind == ObjectKind::Arbitrary) {
        DrawArbitraryEntry(p);
    } else {
        const bool isMoon = kind == ObjectKind::Moon;
        // The Moon has no distance from the Sun of its own.
        const double r = isMoon ? 0 : pos.r;
        DrawHeliocentric(p, pos, r);
        DrawGeocentric(p, pos, isMoon);
        DrawPhotometry(p, pos);
        outcome.photographable = pos.altitude > 0 && kind != ObjectKind::Disk;
    }

    DrawFooter(p, pos);
    DrawPicture(p, pos, realtimeRunning, memory);
    return outcome;
}

}  // namespace reports

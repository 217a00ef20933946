// The diagram and the text block of a lunar eclipse.
#include "reports/LunarEclipse.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Style.h"

namespace reports {

using astronomy::EclipseCircumstances;
using astronomy::kDegToRad;
using astronomy::kHourToRad;
using astronomy::Round;
using platform::Canvas;
using platform::Colour;
using platform::FontRole;

namespace {

// The texts' size in points, and the line step of the text block in pixels.
constexpr double kTextPoints = 10;
constexpr int kLineStep = 20;
// The Moon's path reaches this far to either side of its place at the
// opposition.
constexpr int kPathReach = 240;

// A colour a part of the way from the background to the star colour.
Colour Shade(const astronomy::ProgramState& s, double part) {
    const charts::Palette palette = charts::PaletteOf(s);
    const Colour from = palette.background, to = palette.contrast;
    auto mix = [part](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(Round(a + part * (b - a)));
    };
    return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

// Dark on white: inverted display or the printed page.
bool DarkOnWhite(const astronomy::ProgramState& s) { return s.Invers == 1 || s.PrintingFlag != 0; }

struct Point {
    double x = 0, y = 0;
};

// The picture's geometry: the shadow's centre, the scale in pixels per
// radian, and the Moon's path as the point of greatest eclipse (nearest to
// the centre) and the unit vector towards the west (right), where the Moon
// comes from.
struct Geometry {
    Point centre;
    double k = 0;
    Point atOpposition;
    Point greatest;
    Point west;
};

Geometry GeometryOf(const astronomy::ProgramState& s, const EclipseCircumstances& c) {
    Geometry g;
    g.centre = {s.x_max / 2.0, s.y_max / 2.0};
    g.k = s.x_max / (c.sM + c.Rp) / 4;
    // East to the left, north up; the right ascensions may lie on both sides
    // of 0 h.
    g.atOpposition = {g.centre.x - astronomy::SignedAngle(c.alphaM - c.alphaS) * g.k,
                      g.centre.y - (c.deltaM - c.deltaS) * g.k};
    // The path rises at the angle theta towards the east; on the screen y
    // grows downwards.
    g.west = {std::cos(c.theta), -std::sin(c.theta)};
    const double along = (g.centre.x - g.atOpposition.x) * g.west.x + (g.centre.y - g.atOpposition.y) * g.west.y;
    g.greatest = {g.atOpposition.x + along * g.west.x, g.atOpposition.y + along * g.west.y};
    return g;
}

// The two points of the path at the distance r (pixels) from the shadow's
// centre: the earlier one to the west (right), the later one to the east.
// Where the path stays further away, both are the point of greatest eclipse.
std::pair<Point, Point> PathPointsAt(const Geometry& g, double r) {
    const double dx = g.greatest.x - g.centre.x, dy = g.greatest.y - g.centre.y;
    const double q = r * r - (dx * dx + dy * dy);
    const double d = q > 0 ? std::sqrt(q) : 0;
    return {{g.greatest.x + d * g.west.x, g.greatest.y + d * g.west.y},
            {g.greatest.x - d * g.west.x, g.greatest.y - d * g.west.y}};
}

void Disc(Canvas& canvas, const Point& p, int r, Colour edge, Colour fill) {
    canvas.SetPen(edge);
    canvas.SetBrush(fill);
    canvas.FillCircle(Round(p.x), Round(p.y), r);
}

// A contact's time below the Moon's disc, centred.
void ContactLabel(Canvas& canvas, const Point& p, int r, double hours) {
    const std::string text = astronomy::FormatHm(hours);
    canvas.Text(Round(p.x) - canvas.TextWidth(text) / 2, Round(p.y) + r + 3, text);
}

struct Phase {
    std::size_t endSlot;  // the begin slot follows it
    double distance;      // of the Moon's centre from the shadow's centre at the contacts, radians
    Colour edge, fill;
};

}  // namespace

EclipseTexts EclipseTextsOf(const EclipseCircumstances& c, int zone) {
    const astronomy::CivilDate at = astronomy::JulianDateToCalendar(c.opposition.J, c.opposition.F, zone);
    EclipseTexts t;
    t.date = astronomy::FormatDateNumeric(at.day, at.month, at.year);
    t.kind = c.magnitude < 0 ? "      - Halbschatten -" : c.magnitude < 1 ? "     - partiell -" : "      - total -";
    t.opposition = astronomy::FormatHm(at.hours);
    t.zone = astronomy::ZoneName(zone);
    t.alpha = astronomy::FormatHmTenths(c.alphaS / kHourToRad);
    t.delta = astronomy::FormatAngleDm(c.deltaS / kDegToRad);
    t.umbra = astronomy::FormatFixed(2 * c.Ru / kDegToRad, 6, 3);
    t.penumbra = astronomy::FormatFixed(2 * c.Rp / kDegToRad, 6, 3);
    t.magnitude = astronomy::FormatFixed(100 * c.magnitude, 0, 0);
    return t;
}

std::vector<std::string> EclipseTextLines(const EclipseTexts& t) {
    return {
        "Finsternis am " + t.date,
        t.kind,
        "Konjunktion: " + t.opposition + " " + t.zone,
        "Schatten:",
        "  α = " + t.alpha,
        "  δ = " + t.delta,
        "  ∅  = " + t.umbra + "°",
        "  ∅' = " + t.penumbra + "°",
        "Größe: " + t.magnitude + "%",
    };
}

void DrawEclipseDiagram(Canvas& canvas, const astronomy::ProgramState& s, const EclipseCircumstances& c) {
    const charts::Palette palette = charts::PaletteOf(s);
    const Colour star = palette.contrast;
    canvas.Clear(palette.background);
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineWidth(charts::NormalLineWidth(s));
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetFont(FontRole::Label, kTextPoints);
    canvas.SetTextBackground(palette.background, false);

    const Geometry g = GeometryOf(s, c);
    const int cx = Round(g.centre.x), cy = Round(g.centre.y);
    const int penumbra = Round(c.Rp * g.k), umbra = Round(c.Ru * g.k), moon = Round(c.sM * g.k);
    const Colour penumbraColour = Shade(s, 0.2), umbraColour = Shade(s, 0.4);
    Disc(canvas, g.centre, penumbra, penumbraColour, penumbraColour);
    Disc(canvas, g.centre, umbra, umbraColour, umbraColour);

    // The Moon at the contacts of each phase it reaches, outermost first.
    const Colour white{255, 255, 255};
    const Phase phases[] = {
        {5, 0.99 * (c.Rp + c.sM), DarkOnWhite(s) ? Colour{0, 0, 0} : white, white},
        {3, 0.99 * (c.Ru + c.sM), star, charts::kMidGrey},
        {1, c.Ru - c.sM, star, charts::kHighlightColour},
    };
    for (const Phase& phase : phases) {
        const auto& end = c.contacts[phase.endSlot];
        const auto& begin = c.contacts[phase.endSlot + 1];
        if (!end || !begin) continue;
        const auto [west, east] = PathPointsAt(g, phase.distance * g.k);
        Disc(canvas, west, moon, phase.edge, phase.fill);
        Disc(canvas, east, moon, phase.edge, phase.fill);
        canvas.SetPen(star);
        ContactLabel(canvas, west, moon, *begin);
        ContactLabel(canvas, east, moon, *end);
    }

    // The Moon at greatest eclipse, its time above to the right.
    const Colour greatest = c.magnitude >= 1   ? charts::kConstellationColour
                            : c.magnitude >= 0 ? charts::kHighlightColour
                                               : charts::kMidGrey;
    Disc(canvas, g.greatest, moon, greatest, greatest);
    canvas.SetPen(star);
    canvas.Text(Round(g.greatest.x) + 10, Round(g.greatest.y) - 20, astronomy::FormatHm(c.tmax));

    canvas.SetPen(star);
    canvas.Circle(cx, cy, penumbra);
    canvas.Circle(cx, cy, umbra);
    canvas.Line(50, cy, s.x_max - 38, cy);
    const double rise = kPathReach * std::tan(c.theta);
    const int X = Round(g.atOpposition.x), Y = Round(g.atOpposition.y);
    canvas.Line(X - kPathReach, Round(Y + rise), X + kPathReach, Round(Y - rise));

    canvas.SetPen(palette.text);
    canvas.SetTextBackground(palette.background, false);
}

void DrawEclipseText(Canvas& canvas, const astronomy::ProgramState& s, const EclipseCircumstances& c) {
    const EclipseTexts t = EclipseTextsOf(c, s.Zone);
    const charts::Palette palette = charts::PaletteOf(s);
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetPen(palette.contrast);
    canvas.SetTextBackground(palette.background, false);
    auto label = [&](int x, int line, const std::string& text) {
        canvas.SetFont(FontRole::Label, kTextPoints);
        canvas.Text(x, line * kLineStep, text);
    };
    auto symbol = [&](int x, int line, const std::string& text) {
        canvas.SetFont(FontRole::Symbol, kTextPoints);
        canvas.Text(x, line * kLineStep, text);
    };
    label(0, 0, "Finsternis am ");
    label(113, 0, t.date);
    label(20, 1, t.kind);
    label(0, 3, "Konjunktion:");
    label(105, 3, t.opposition);
    label(150, 3, t.zone);
    label(0, 5, "Schatten:");
    symbol(10, 6, "α =");
    label(38, 6, t.alpha);
    symbol(10, 7, "δ =");
    label(38, 7, t.delta);
    label(10, 8, "   =");
    symbol(6, 8, "∅");
    label(40, 8, t.umbra);
    label(87, 8, "°");
    label(10, 9, "  '=");
    symbol(2, 9, "∅");
    label(40, 9, t.penumbra);
    label(87, 9, "°");
    label(0, 11, "Größe: " + t.magnitude + "%");
    canvas.SetPen(palette.text);
}

}  // namespace reports

// The drawing of the solar-system view and the boxes of its buttons.
#include "charts/SystemView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "astronomy/Numbers.h"
#include "astronomy/PositionService.h"
#include "astronomy/TextFormats.h"
#include "charts/ChartDrawing.h"
#include "charts/Layers.h"
#include "charts/ObjectSymbols.h"
#include "charts/Style.h"
#include "charts/SystemProjection.h"
#include "charts/Tracks.h"

namespace charts {

using astronomy::kDegToRad;
using astronomy::ObjectKind;
using platform::Canvas;
using platform::Colour;
using platform::FontRole;

namespace {

// The second picture of a pair turns the view longitude by these degrees.
constexpr double kCrossedTurnDeg = 4;
constexpr double kParallelTurnDeg = -3;
// The dark grey of the axes.
constexpr Colour kAxisColour{80, 80, 80};
// Rows of the header and the object panel.
constexpr int kTextTop = 38;
constexpr int kRowHeight = 15;
// Below this distance from the Earth the panel gives kilometres.
constexpr double kKilometresBelowAU = 0.01;

// The orbit object, the planets outward in, and the Earth: the bodies the
// layer of the bodies places on this view.
constexpr std::array<ObjectKind, 9> kSystemBodies = {ObjectKind::Disk,    ObjectKind::Neptune, ObjectKind::Uranus,
                                                     ObjectKind::Saturn,  ObjectKind::Jupiter, ObjectKind::Mars,
                                                     ObjectKind::Venus,   ObjectKind::Mercury, ObjectKind::Earth};

bool FlagSet(const astronomy::ProgramState& s, int bit) { return (s.DisplayFlags >> bit) & 1; }
bool Printing(const astronomy::ProgramState& s) { return s.PrintingFlag != 0; }

// The object as this view shows it: the Moon stands for the Earth.
ObjectKind Shown(ObjectKind kind) { return kind == ObjectKind::Moon ? ObjectKind::Earth : kind; }

std::optional<astronomy::BodyPosition> PlaceOf(const astronomy::ProgramState& s, ObjectKind kind) {
    const astronomy::PositionResult r =
        astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::TargetOf(s, kind));
    if (r.status != astronomy::PositionStatus::Ok) return std::nullopt;
    return r.body;
}

void CopyText(Canvas& c, const astronomy::ProgramState& s) {
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.SetLineWidth(NormalLineWidth(s));
    c.SetPen(FrameColour(s));
    c.SetBrush(platform::ColourFromRgb(s.BackgroundColour));
    c.SetTextBackground(platform::ColourFromRgb(s.BackgroundColour), false);
    c.SetFont(FontRole::Label);
}

// A body's mark at its place in space: the symbol beside the point and a
// small disc on it.
void MarkBody(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, const astronomy::BodyPosition& b) {
    const ProjectionResult p = ProjectHeliocentric(g, b.eclLon, b.eclLat, b.r);
    if (!p.visible) return;
    SymbolRequest r;
    r.type = b.index;
    r.placement = SymbolPlacement::SystemMarker;
    DrawObjectSymbol(c, s, p.x, p.y, r);
}

// The orbit of a body over about one revolution, in 80 steps.
void DrawOrbit(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind kind) {
    double days = astronomy::OrbitTrackDays(kind);
    if (kind == ObjectKind::Disk) {
        const std::optional<astronomy::BodyPosition> b = PlaceOf(s, kind);
        if (!b || !(b->period > 0)) return;  // no closed orbit
        days = b->period * astronomy::kDaysPerYear;
    }
    DrawTrack(c, s, g, kind, days, kOrbitStep, TrackUnit::None);
}

void DrawBodies(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind selected) {
    if (s.TrackAlle == 1)
        for (const ObjectKind kind : kSystemBodies)
            if (kind != ObjectKind::Earth) DrawOrbit(c, s, g, kind);
    for (const ObjectKind kind : kSystemBodies)
        if (kind != selected)
            if (const auto b = PlaceOf(s, kind)) MarkBody(c, s, g, *b);
    if (selected != ObjectKind::Sun)
        if (const auto sun = PlaceOf(s, ObjectKind::Sun)) MarkBody(c, s, g, *sun);
}

// One picture: the Earth's orbit (ecliptic layer), the bodies, the track
// of the selected object and the selected object on top.
void DrawPicture(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind selected) {
    if (FlagSet(s, kLayerEcliptic)) DrawOrbit(c, s, g, ObjectKind::Earth);
    if (FlagSet(s, kLayerBodies)) DrawBodies(c, s, g, selected);
    if (FlagSet(s, kLayerTrack)) DrawTrackOfSettings(c, s, g, selected);
    if (!astronomy::IsFixedObject(selected))
        if (const auto b = PlaceOf(s, selected)) MarkBody(c, s, g, *b);
    c.SetRasterOp(platform::RasterOp::Copy);
}

std::string Degrees(double radians, int width) {
    return astronomy::FormatFixed(radians / kDegToRad, width, 2) + "°";
}

void DrawHeader(Canvas& c, const astronomy::ProgramState& s, const ViewPoint& v) {
    CopyText(c, s);
    const int x = 6;
    c.Text(x, kTextTop, "View von: ");
    c.Text(x, kTextTop + kRowHeight, "Breite" + astronomy::FormatFixed(v.beta, 7, 1) + "°");
    c.Text(x, kTextTop + 2 * kRowHeight,
           "Länge" + astronomy::FormatFixed(astronomy::Reduce(90 - v.lambda, 360), 8, 1) + "°");
    c.Text(x, kTextTop + 3 * kRowHeight, "Abstand: " + astronomy::FormatFixed(v.rs, 6, 1) + " AE");
    DrawDateStamp(c, s, 0, false);
}

void DrawObjectPanel(Canvas& c, const astronomy::ProgramState& s, ObjectKind selected) {
    const std::optional<astronomy::BodyPosition> found = PlaceOf(s, selected);
    if (!found) return;
    const astronomy::BodyPosition& b = *found;
    const int x = s.x_max - 250, y = kTextTop;
    if (!astronomy::IsFixedObject(selected)) {
        SymbolRequest r;
        r.type = b.index;
        r.placement = SymbolPlacement::SystemMarker;
        DrawObjectSymbol(c, s, x + 6, y + 14, r);
    }
    CopyText(c, s);
    c.Text(x + 40, y, b.name);
    if (astronomy::IsFixedObject(selected)) return;  // no place in space
    const auto row = [&](int n, FontRole role, const std::string& label, const std::string& value) {
        c.SetFont(role);
        c.Text(x, y + n * kRowHeight, label);
        c.SetFont(FontRole::Label);
        c.Text(x + 24, y + n * kRowHeight, value);
    };
    // The Sun is the origin: it has no heliocentric longitude and latitude.
    if (selected != ObjectKind::Sun) {
        row(2, FontRole::Label, "l=", Degrees(b.eclLon, 8));
        row(3, FontRole::Label, "b=", Degrees(b.eclLat, 8));
    }
    row(4, FontRole::Label, "r= ", astronomy::FormatFixed(b.r, 8, 3) + " AE");
    const std::string distance = b.delta < kKilometresBelowAU
                                     ? astronomy::FormatFixed(b.delta * astronomy::kKmPerAU, 12, 0) + " km"
                                     : astronomy::FormatFixed(b.delta, 8, 3) + " AE";
    row(5, FontRole::Symbol, "Δ= ", distance);
    row(6, FontRole::Symbol, "∅= ", astronomy::FormatAngleDmsTenths(b.diameter));
}

void ButtonBox(Canvas& c, const astronomy::ProgramState& s, const PixelRect& box, const std::string& label) {
    CopyText(c, s);
    c.FillBox(box.left, box.top, box.right, box.bottom);
    c.SetFont(FontRole::Note, 0);
    const int w = c.TextWidth(label);
    c.Text(box.left + std::max(2, (box.right - box.left - w) / 2), box.top + 8, label);
}

void DrawButtons(Canvas& c, const astronomy::ProgramState& s, Stereo stereo) {
    const SystemButtons b = SystemButtonsFor(s.x_max);
    if (stereo != Stereo::Single) {
        ButtonBox(c, s, b.back, "<--");
        return;
    }
    ButtonBox(c, s, b.inner, "Innen");
    ButtonBox(c, s, b.outer, "Außen");
    ButtonBox(c, s, b.allTracks, "Alle Spuren");
    ButtonBox(c, s, {b.crossed.left, b.crossed.top, b.parallel.right, b.parallel.bottom}, "3D X    3D ||");
    DrawNavigationButtons(c, s);
}

// The axes through the Sun along the four quarters of the ecliptic, when
// they lie along the picture's edges: the horizontal one across, the one
// pointing at the eye down and the other up. Each end carries the sign of
// the zodiac in that direction; an arrow marks the spring point.
void DrawAxes(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, int halfWidth, double lambda) {
    if (lambda != 0 && lambda != 90 && lambda != 180 && lambda != 270) return;
    const int cx = g.cx, cy = g.cy;
    const int dx = std::max(20, halfWidth - 70), dy = std::max(20, s.y_max / 2 - 60);
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.SetLineWidth(NormalLineWidth(s));
    c.SetPen(kAxisColour);
    c.SetBrush(kAxisColour);
    c.Line(cx - dx, cy, cx + dx, cy);
    c.Line(cx, cy - dy, cx, cy + dy);
    c.SetTextBackground(platform::ColourFromRgb(s.BackgroundColour), false);
    c.SetFont(FontRole::Label);
    // The ends in the turned frame: right 90, up 180, left 270, down 0
    // degrees; the ecliptic longitude there is that plus 90 less the view
    // longitude.
    struct End {
        double turned;
        int x, y;
    };
    const End ends[] = {{90, cx + dx, cy}, {180, cx, cy - dy}, {270, cx - dx, cy}, {0, cx, cy + dy}};
    static const char* const kSigns[] = {"Fische", "Stier", "Jungfrau", "Schütze"};
    for (const End& e : ends) {
        const int quarter = static_cast<int>(astronomy::Reduce(e.turned + 90 - lambda, 360) / 90 + 0.5) % 4;
        // The names stand inside the ends: above the horizontal axis, beside
        // the vertical one.
        const std::string name = kSigns[quarter];
        const int tx = e.x > cx ? e.x - c.TextWidth(name) : (e.x < cx ? e.x : e.x + 6);
        const int ty = e.y == cy ? cy - 18 : (e.y < cy ? e.y : e.y - 14);
        c.Text(tx, ty, name);
        if (quarter != 0) continue;
        // The arrow head at the spring point's end, pointing outwards.
        const int ux = (e.x > cx) - (e.x < cx), uy = (e.y > cy) - (e.y < cy);
        const int px = -uy, py = ux;  // across the axis
        c.Polygon({{e.x + 6 * ux, e.y + 6 * uy}, {e.x + 4 * px, e.y + 4 * py}, {e.x - 4 * px, e.y - 4 * py}}, true);
    }
}

}  // namespace

int StereoCode(Stereo stereo) { return static_cast<int>(stereo); }

std::optional<Stereo> StereoFromCode(long code) {
    if (code < 0 || code > 2) return std::nullopt;
    return static_cast<Stereo>(code);
}

SystemButtons SystemButtonsFor(int xMax) {
    SystemButtons b;
    b.inner = {1, 1, 60, 30};
    b.outer = {80, 1, 150, 30};
    b.allTracks = {xMax - 221, 1, xMax - 122, 30};
    b.crossed = {xMax - 101, 1, xMax - 51, 30};
    b.parallel = {xMax - 50, 1, xMax - 1, 30};
    b.back = {xMax - 101, 1, xMax - 1, 30};
    return b;
}

SystemButton SystemButtonAt(int xMax, Stereo stereo, int x, int y) {
    const SystemButtons b = SystemButtonsFor(xMax);
    const bool pair = b.crossed.ContainsStrictly(x, y) || b.parallel.ContainsStrictly(x, y);
    if (stereo != Stereo::Single) return pair ? SystemButton::Back : SystemButton::None;
    if (b.inner.ContainsStrictly(x, y)) return SystemButton::Inner;
    if (b.outer.ContainsStrictly(x, y)) return SystemButton::Outer;
    if (b.allTracks.ContainsStrictly(x, y)) return SystemButton::AllTracks;
    if (b.crossed.ContainsStrictly(x, y)) return SystemButton::Crossed;
    if (b.parallel.ContainsStrictly(x, y)) return SystemButton::Parallel;
    return SystemButton::None;
}

ChartGeometry DrawSystemView(Canvas& canvas, const astronomy::ProgramState& s, Stereo stereo, ObjectKind selected) {
    selected = Shown(selected);
    canvas.Clear(platform::ColourFromRgb(s.BackgroundColour));
    const ViewPoint v = ViewPointOf(s);
    const bool single = stereo == Stereo::Single;
    if (!Printing(s) && single) DrawHeader(canvas, s, v);
    if (single) DrawObjectPanel(canvas, s, selected);
    if (!Printing(s)) DrawButtons(canvas, s, stereo);

    const int x0 = astronomy::Round(s.x_max / 2.0), y0 = astronomy::Round(s.y_max / 2.0);
    ChartGeometry first;
    if (single) {
        first = SetUpSystem(s, x0, y0, v.lambda);
        DrawAxes(canvas, s, first, x0, v.lambda);
        DrawPicture(canvas, s, first, selected);
    } else {
        const double turn = stereo == Stereo::Crossed ? kCrossedTurnDeg : kParallelTurnDeg;
        const int half = astronomy::Round(x0 / 2.0);
        first = SetUpSystem(s, half, y0, v.lambda);
        ChartGeometry second = SetUpSystem(s, astronomy::Round(3 * x0 / 2.0), y0, v.lambda + turn);
        first.pictureHalfWidth = second.pictureHalfWidth = half;
        for (const ChartGeometry* g : std::array<const ChartGeometry*, 2>{&first, &second}) {
            DrawAxes(canvas, s, *g, half, v.lambda);
            DrawPicture(canvas, s, *g, selected);
        }
    }
    CopyText(canvas, s);
    return first;
}

}  // namespace charts

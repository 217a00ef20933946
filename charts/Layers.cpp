// The overlay layers of the charts, the object marks and the deep-sky classes.
#include "charts/Layers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "astronomy/Angles.h"
#include "charts/ObjectSymbols.h"
#include "charts/PixelLine.h"
#include "charts/Style.h"
#include "charts/Tracks.h"

namespace charts {

using astronomy::kDegToRad;
using astronomy::kPi;
using astronomy::ObjectKind;
using astronomy::View;
using platform::Canvas;
using platform::Colour;

namespace {

constexpr Colour kEclipticColour{55, 225, 55};

// The chart's text size in points; the constellation names use 0.7 of it.
constexpr double kChartTextPoints = 9;
constexpr double kNameScale = 0.7;

// Figure lines and the ecliptic leave out a step that jumps further than
// this across the chart: it runs round the back of the sky (the wrap of
// right ascension or azimuth), not along it.
constexpr int kFigureJumpPx = 450;
constexpr int kEclipticJumpPx = 484;


bool FlagSet(const astronomy::ProgramState& s, int bit) { return (s.DisplayFlags >> bit) & 1; }

// A projection without coordinates: the whole sky and the horizon chart
// compute nothing for points far below the horizon and leave (0, 0).
bool HasCoordinates(const ProjectionResult& p) { return p.visible || p.x != 0 || p.y != 0; }

void BeginOverlay(Canvas& c, const astronomy::ProgramState& s, Colour pen, int width) {
    c.SetRasterOp(OverlayRasterOp(s));
    c.SetLineStyle(platform::LineStyle::Solid);
    c.SetLineWidth(width);
    c.SetPen(pen);
    c.SetBrush(pen);
}


// Pixels per degree of the chart at a declination: the polar charts are
// stereographic and grow away from the pole; the whole sky has R pixels for
// the 90 degrees from the zenith to the horizon.
double PixelsPerDegree(const ChartGeometry& g, double dec) {
    if (g.mode == View::WholeSky) return g.radius / 90.0;
    if (astronomy::IsPolarChart(g.mode)) {
        const double half = (kPi / 2 - g.sign * dec) / 2;  // half the distance from the pole
        const double c = std::cos(half);
        return c > 0 ? g.k * (kPi / 4) / (c * c) : g.k;
    }
    return g.k;
}

SymbolPlacement PlacementFor(const ChartGeometry& g) {
    return astronomy::IsPolarChart(g.mode) ? SymbolPlacement::AtPoint : SymbolPlacement::ChartMarker;
}

// Size of a non-stellar symbol from the object's magnitude.
double ClassSymbolSize(double magnitude) { return (13 - magnitude) / 2 + 2; }

// The number of a Messier object from the name the position service gives
// it ("M " and the number); 0 for anything else.
int MessierNumberOf(const astronomy::BodyPosition& pos) {
    if (!IsDeepSkyType(pos.index) || pos.name.size() < 3 || pos.name.compare(0, 2, "M ") != 0) return 0;
    return std::atoi(pos.name.c_str() + 2);
}

// The star files and the figures, loaded when the last pass did not leave
// them; false without star files.
bool StarsReady(ChartData& data, const astronomy::ProgramState& s) {
    return data.Ensure(s.DataFolder, s.ProgramFolder);
}

// ---------------------------------------------------------------------------
// Constellations

// One figure: a line from the previous star to each visible star while the
// pen is down. The previous point follows every star, seen or not, so that
// a line coming in from beyond the chart's edge is drawn up to the star.
void DrawFigure(PixelLine& line, const ChartGeometry& g, const StarFiles& stars, const std::vector<int>& items) {
    bool penDown = false;
    bool havePrevious = false;
    int px = 0, py = 0;
    for (int item : items) {
        if (item == kFigureEnd) break;
        if (item == kFigurePenUp) {
            penDown = false;
            continue;
        }
        CatalogueRecord star;
        if (!stars.ReadCatalogueRecord(item, star)) {
            penDown = havePrevious = false;
            continue;
        }
        const ProjectionResult p = ProjectPoint(g, FirstAngle(g, star.ra), star.dec);
        if (!HasCoordinates(p)) {  // no point to draw from
            havePrevious = false;
            continue;
        }
        if (p.visible) {
            if (penDown && havePrevious && std::abs(p.x - px) < kFigureJumpPx) line.Segment(px, py, p.x, p.y);
            penDown = true;
        }
        px = p.x;
        py = p.y;
        havePrevious = true;
    }
}

void DrawConstellations(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data,
                        bool figures, bool names) {
    // The names would crowd a small whole-sky disc.
    names = names && (g.mode != View::WholeSky || g.radius > 180);
    if (!figures && !names) return;
    figures = StarsReady(data, s) && figures;  // loads the figures for the names as well
    const Colour textColour = FrameColour(s);
    BeginOverlay(c, s, kConstellationColour, NormalLineWidth(s));
    c.SetTextBackground(platform::ColourFromRgb(s.BackgroundColour), false);
    c.SetFont(platform::FontRole::Label, kChartTextPoints * kNameScale);
    for (const ConstellationFigure& figure : data.figures) {
        if (names) {
            const ProjectionResult p = ProjectPoint(g, FirstAngle(g, figure.raHours * kPi / 12), figure.decDeg * kDegToRad);
            if (p.visible) {
                c.SetPen(textColour);
                c.Text(p.labelX, p.labelY, figure.label);
            }
        }
        if (figures) {
            PixelLine line(c, s, g, kConstellationColour, NormalLineWidth(s));
            DrawFigure(line, g, data.stars, figure.items);
        }
    }
    c.SetFont(platform::FontRole::Label);
}

// ---------------------------------------------------------------------------
// Coordinate grid

// A curve through count + 1 projected points (first angle, declination);
// a segment joins two consecutive points that are both visible.
void DrawGridCurve(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, int width, int count,
                   const std::function<std::pair<double, double>(int)>& at) {
    PixelLine line(c, s, g, FrameColour(s), width);
    bool previousVisible = false;
    int px = 0, py = 0;
    for (int i = 0; i <= count; ++i) {
        const auto [first, dec] = at(i);
        const ProjectionResult p = ProjectPoint(g, first, dec);
        if (p.visible && previousVisible) line.Segment(px, py, p.x, p.y);
        previousVisible = p.visible;
        px = p.x;
        py = p.y;
    }
}

// The whole sky's own marks: the east-west line through the zenith and a
// bold ring about the zenith.
void DrawWholeSkyGridMarks(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g) {
    const ProjectionResult east = ProjectPoint(g, 18 * kPi / 12, 0);
    const ProjectionResult west = ProjectPoint(g, 6 * kPi / 12, 0);
    PixelLine(c, s, g, FrameColour(s), NormalLineWidth(s)).Segment(east.x, east.y, west.x, west.y);
    const double latitude = std::atan2(g.sinLat, g.cosLat);
    const ProjectionResult zenith = ProjectPoint(g, 0, latitude);
    c.SetPen(FrameColour(s));
    c.SetLineWidth(BoldLineWidth(s));
    c.Circle(zenith.x, zenith.y, 5);
    c.SetLineWidth(NormalLineWidth(s));
}

void DrawGrid(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g) {
    const bool wholeSky = g.mode == View::WholeSky;
    // On the whole sky and the horizon chart the first angle is the hour
    // angle: the hour circles stand still and 0 h / 12 h is the meridian.
    const bool hourAngles = wholeSky || g.mode == View::Horizon;
    const int stepDeg = wholeSky ? 30 : 10;
    const double hourStep = 0.75 * stepDeg / 15;  // 0.5 h, 1.5 h on the whole sky
    const int hourCircles = static_cast<int>(std::floor((24 - stepDeg / 30.0) / hourStep + 1e-9));
    const int normal = NormalLineWidth(s), bold = BoldLineWidth(s);
    BeginOverlay(c, s, FrameColour(s), normal);

    constexpr int kDecSteps = 340;  // -85 .. 85 degrees in 0.5 degree steps
    for (int i = 0; i <= hourCircles; ++i) {
        const double hours = i * hourStep;
        const bool meridian = hourAngles && (std::fabs(hours) < 1e-9 || std::fabs(hours - 12) < 1e-9);
        const double first = hours * kPi / 12;
        DrawGridCurve(c, s, g, meridian ? bold : normal, kDecSteps,
                      [first](int j) { return std::pair{first, (-85 + 0.5 * j) * kDegToRad}; });
    }
    constexpr int kCircleSteps = 720;  // the full circle in 0.5 degree steps
    for (int d = -90 + stepDeg; d <= 90 - stepDeg; d += stepDeg) {
        const double dec = d * kDegToRad;
        DrawGridCurve(c, s, g, d == 0 ? bold : normal, kCircleSteps,
                      [dec](int j) { return std::pair{j * 0.5 * kDegToRad, dec}; });
    }
    c.SetPen(FrameColour(s));
    c.SetLineWidth(normal);
    const ProjectionResult pole = ProjectPoint(g, 0, kPi / 2);
    if (pole.visible) c.Circle(pole.x, pole.y, 5);
    if (wholeSky) DrawWholeSkyGridMarks(c, s, g);
}

// ---------------------------------------------------------------------------
// Ecliptic

void DrawEcliptic(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g) {
    BeginOverlay(c, s, kEclipticColour, NormalLineWidth(s));
    // Longitude 0 only starts the curve, which then runs in quarter degrees
    // to 360 and so closes on itself.
    constexpr int kSteps = 1440;
    PixelLine line(c, s, g, kEclipticColour, NormalLineWidth(s));
    bool havePrevious = false, previousVisible = false;
    int px = 0, py = 0;
    for (int i = 0; i <= kSteps; ++i) {
        const double lambda = i * 0.25 * kDegToRad;
        const astronomy::Equatorial eq = astronomy::EclipticToEquatorial(lambda, 0, s.tq.obliquity);
        const ProjectionResult p = ProjectPoint(g, FirstAngle(g, eq.alpha), eq.delta);
        const bool has = HasCoordinates(p);
        // A step into the chart, or one out of it up to its edge.
        if (has && havePrevious && (p.visible || previousVisible) && std::abs(p.x - px) <= kEclipticJumpPx)
            line.Segment(px, py, p.x, p.y);
        havePrevious = has;
        previousVisible = p.visible;
        px = p.x;
        py = p.y;
    }
}

// ---------------------------------------------------------------------------
// Bodies and Messier objects

// The orbit object ("Disk", by default Pluto) and the planets outward in,
// then the Sun and the Moon.
constexpr std::array<ObjectKind, 10> kBodies = {ObjectKind::Disk,    ObjectKind::Neptune, ObjectKind::Uranus,
                                                ObjectKind::Saturn,  ObjectKind::Jupiter, ObjectKind::Mars,
                                                ObjectKind::Venus,   ObjectKind::Mercury, ObjectKind::Sun,
                                                ObjectKind::Moon};

// Computes the target and marks it; false when it has no position.
bool MarkTarget(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g,
                const astronomy::Observation& at, const astronomy::Target& target) {
    const astronomy::PositionResult r = astronomy::ComputePosition(at, target);
    if (r.status != astronomy::PositionStatus::Ok) return false;
    MarkObject(c, s, g, r.body);
    return true;
}

// The selected object is left out: the chart pass marks it after all layers,
// so that it lies on top. Marked here as well, the second exclusive-or
// drawing would wipe it out again.
void DrawBodies(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g,
                std::optional<ObjectKind> selected) {
    const astronomy::Observation at = astronomy::ObservationOf(s);
    for (const ObjectKind kind : kBodies) {
        if (selected == kind) continue;
        MarkTarget(c, s, g, at, astronomy::TargetOf(s, kind));
    }
}

void DrawMessierObjects(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g,
                        std::optional<ObjectKind> selected) {
    const astronomy::Observation at = astronomy::ObservationOf(s);
    const int count = std::min<int>(kMessierCount, static_cast<int>(s.MessierCatalogue.size()));
    for (int n = 1; n <= count; ++n) {
        if (n == 40) continue;  // a double star, not a non-stellar object
        if (selected == ObjectKind::Messier && n == s.Messier) continue;  // marked by the chart pass
        const astronomy::PositionResult r = astronomy::ComputePosition(at, astronomy::MessierTarget(s, n));
        if (r.status != astronomy::PositionStatus::Ok) continue;
        astronomy::BodyPosition pos = r.body;
        pos.index = DeepSkyTypeFromText(s.MessierCatalogue[static_cast<std::size_t>(n - 1)].type);
        MarkObject(c, s, g, pos);
    }
}

void DrawOneLayer(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data, int layer,
                  std::optional<ObjectKind> selected) {
    switch (layer) {
        case kLayerConstellations:
        case kLayerNames:
            DrawConstellations(c, s, g, data, FlagSet(s, kLayerConstellations), FlagSet(s, kLayerNames));
            break;
        case kLayerGrid: DrawGrid(c, s, g); break;
        case kLayerEcliptic: DrawEcliptic(c, s, g); break;
        case kLayerBodies: DrawBodies(c, s, g, selected); break;
        case kLayerMessier: DrawMessierObjects(c, s, g, selected); break;
        case kLayerTrack:
            DrawTrackOfSettings(c, s, g, selected.value_or(s.Objekt));
            break;
        default: break;
    }
}

}  // namespace

// ---------------------------------------------------------------------------

void DrawOverlayLayers(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data,
                       std::optional<ObjectKind> selected) {
    if (!astronomy::IsSkyChart(g.mode)) return;
    if (FlagSet(s, kLayerConstellations) || FlagSet(s, kLayerNames))
        DrawOneLayer(canvas, s, g, data, kLayerConstellations, selected);
    for (int layer : {kLayerGrid, kLayerEcliptic, kLayerBodies, kLayerMessier, kLayerTrack})
        if (FlagSet(s, layer)) DrawOneLayer(canvas, s, g, data, layer, selected);
    canvas.SetRasterOp(platform::RasterOp::Copy);
}

void DrawLayer(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data, int layer,
               std::optional<ObjectKind> selected) {
    if (!astronomy::IsSkyChart(g.mode)) return;
    DrawOneLayer(canvas, s, g, data, layer, selected);
    canvas.SetRasterOp(platform::RasterOp::Copy);
}

ProjectionResult MarkObject(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                            const astronomy::BodyPosition& pos) {
    if (!std::isfinite(pos.ra) || !std::isfinite(pos.dec)) return {};
    const ProjectionResult p = ProjectPoint(g, FirstAngle(g, pos.ra), pos.dec);
    if (!p.visible) return p;
    SymbolRequest r;
    r.type = pos.index;
    if (IsDeepSkyType(pos.index)) r.size = ClassSymbolSize(pos.magnitude);
    const double diameterPx = pos.diameter * PixelsPerDegree(g, pos.dec);
    r.diameterPx = std::isfinite(diameterPx) ? diameterPx : 0;
    r.illuminatedFraction = pos.illuminatedFraction;
    r.limbAngle = pos.limbAngle;
    r.messierNumber = MessierNumberOf(pos);
    r.placement = PlacementFor(g);
    r.skyChartRadius = g.radius;
    DrawObjectSymbol(canvas, s, p.x, p.y, r);
    return p;
}

bool MarkNamedObject(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind kind) {
    return MarkTarget(canvas, s, g, astronomy::ObservationOf(s), astronomy::TargetOf(s, kind));
}

// ---------------------------------------------------------------------------
// Deep-sky class overlay

int DeepSkyClassAt(const astronomy::ProgramState& s, int x, int y) {
    // Only the rectangular and polar charts have the legend strip.
    if (!astronomy::IsFramedChart(s.ChartMode)) return 0;
    return ClassCellAt(LayoutFor(s.x_max, s.y_max), x, y);
}

// Each object is drawn from its own record (no Messier number, no
// diameter); the raster mode goes back to copying.
void ToggleDeepSkyClass(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data,
                        int typeCode) {
    const RecordRange range = RecordRangeForDeepSkyType(typeCode);
    if (range.Count() == 0 || !StarsReady(data, s)) return;
    const int targetYear = s.Aequi == astronomy::kEquinoxOfDate ? s.Year : s.Aequi;
    SymbolRequest r;
    r.type = typeCode;
    r.placement = PlacementFor(g);
    r.skyChartRadius = g.radius;
    for (int n = range.first; n <= range.last; ++n) {
        CatalogueRecord rec;
        if (!data.stars.ReadCatalogueRecord(n, rec, kRaFactorOverlay)) continue;
        const astronomy::Equatorial eq =
            astronomy::Precess(astronomy::kEpoch2000Day, astronomy::kEpoch2000Fraction, targetYear, rec.ra, rec.dec);
        const ProjectionResult p = ProjectPoint(g, FirstAngle(g, eq.alpha), eq.delta);
        if (!p.visible) continue;
        r.size = ClassSymbolSize(rec.magnitude);
        DrawObjectSymbol(canvas, s, p.x, p.y, r);
    }
    canvas.SetRasterOp(platform::RasterOp::Copy);
}

}  // namespace charts

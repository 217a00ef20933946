// The body and class symbols, the lit disc, the object picture and the compass.
#include "charts/ObjectSymbols.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "astronomy/Numbers.h"

namespace charts {

using astronomy::kPi;
using astronomy::Round;
using astronomy::View;
using platform::Canvas;
using platform::ColourFromRgb;

namespace {

// Screen angle of a direction for Canvas::Arc: counter-clockwise on the
// screen from the right, with y pointing down.
double ArcAngle(double dx, double dy) { return std::atan2(-dy, dx); }

// ---------------------------------------------------------------------------
// The body figures. Each draws about (x, y), within about 10 pixels, with no
// pixel set twice: strokes that would cross are split around the crossing.

void SunFigure(Canvas& c, int x, int y) {
    c.Circle(x, y, 4);
    c.Circle(x, y, 1);
    c.Point(x, y);
}

void MoonFigure(Canvas& c, int x, int y) {
    c.Arc(x, y, 5, -kPi / 2, kPi);                              // -90 to 90 degrees
    c.Arc(x + 7, y, 8, -140 * kPi / 180, 280 * kPi / 180);      // -140 to 140 degrees
}

// Circle with a cross below (Mercury gets horns above as well).
void CrossBelow(Canvas& c, int x, int y, int top, int bar, int bottom) {
    c.Line(x, y + top, x, y + bar - 1);
    c.Line(x, y + bar + 1, x, y + bottom);
    c.Line(x - 3, y + bar, x - 1, y + bar);
    c.Line(x + 1, y + bar, x + 3, y + bar);
    c.Point(x, y + bar);
}

void MercuryFigure(Canvas& c, int x, int y) {
    c.Circle(x, y - 1, 3);
    c.Arc(x, y - 8, 3, kPi, kPi);  // the horns, a cup opening upwards
    CrossBelow(c, x, y, 3, 6, 8);
}

void VenusFigure(Canvas& c, int x, int y) {
    c.Circle(x, y - 3, 4);
    CrossBelow(c, x, y, 2, 5, 8);
}

void MarsFigure(Canvas& c, int x, int y) {
    c.Circle(x - 2, y + 2, 4);
    c.Line(x + 2, y - 2, x + 6, y - 6);  // the arrow
    c.Line(x + 2, y - 6, x + 5, y - 6);
    c.Line(x + 6, y - 5, x + 6, y - 2);
}

void JupiterFigure(Canvas& c, int x, int y) {
    c.Arc(x - 2, y - 4, 3, -kPi / 2, 1.5 * kPi);  // the bow of the "2"
    c.Line(x - 3, y, x - 5, y + 2);
    c.Line(x - 5, y + 3, x + 1, y + 3);           // the bar, split at the stem
    c.Line(x + 3, y + 3, x + 5, y + 3);
    c.Line(x + 2, y - 6, x + 2, y + 7);
}

void SaturnFigure(Canvas& c, int x, int y) {
    c.Line(x - 3, y - 7, x - 3, y + 5);           // the stem
    c.Line(x - 6, y - 4, x - 4, y - 4);           // the cross bar, split at the stem
    c.Line(x - 2, y - 4, x, y - 4);
    c.Arc(x + 1, y + 1, 3, 0, kPi * 0.9);         // the hook, clear of the stem
    c.Line(x + 4, y + 2, x + 2, y + 6);
}

void UranusFigure(Canvas& c, int x, int y) {
    c.Circle(x, y + 3, 3);
    c.Point(x, y + 3);
    c.Line(x, y - 1, x, y - 8);
    c.Line(x - 2, y - 6, x - 1, y - 7);
    c.Line(x + 1, y - 7, x + 2, y - 6);
}

void NeptuneFigure(Canvas& c, int x, int y) {
    c.Arc(x, y - 4, 4, kPi, kPi);                 // the cup of the trident
    c.Line(x - 4, y - 5, x - 4, y - 7);
    c.Line(x + 4, y - 5, x + 4, y - 7);
    c.Line(x, y - 7, x, y - 1);                   // the shaft, split at the cup and the bar
    c.Line(x, y + 1, x, y + 3);
    c.Line(x, y + 5, x, y + 7);
    c.Line(x - 3, y + 4, x + 3, y + 4);
}

void PlutoFigure(Canvas& c, int x, int y) {
    c.Line(x - 3, y - 7, x - 3, y + 6);           // P and L share the stem
    c.Arc(x - 2, y - 4, 3, -kPi / 2, kPi);        // the bow of the P
    c.Line(x - 2, y + 6, x + 3, y + 6);           // the foot of the L
}

void CometFigure(Canvas& c, int x, int y) {
    c.Circle(x - 2, y + 2, 2);
    c.Line(x - 1, y - 1, x + 3, y - 8);
    c.Line(x, y, x + 7, y - 7);
    c.Line(x + 1, y + 1, x + 8, y - 3);
}

void OtherFigure(Canvas& c, int x, int y) {  // the sign of the Earth
    c.Circle(x, y, 4);
    c.Line(x - 3, y, x - 1, y);
    c.Line(x + 1, y, x + 3, y);
    c.Line(x, y - 3, x, y - 1);
    c.Line(x, y + 1, x, y + 3);
    c.Point(x, y);
}

void MinorPlanetFigure(Canvas& c, int x, int y) {
    c.Polygon({{x, y - 4}, {x + 4, y}, {x, y + 4}, {x - 4, y}}, false);
    c.Point(x, y);
}

// The figure of a body type; false when the type has none.
bool BodyFigure(Canvas& c, int type, int x, int y) {
    switch (type) {
        case kTypeSun: SunFigure(c, x, y); return true;
        case kTypeMoon: MoonFigure(c, x, y); return true;
        case 3: MercuryFigure(c, x, y); return true;
        case 4: VenusFigure(c, x, y); return true;
        case 5: MarsFigure(c, x, y); return true;
        case 6: JupiterFigure(c, x, y); return true;
        case kTypeSaturn: SaturnFigure(c, x, y); return true;
        case 8: UranusFigure(c, x, y); return true;
        case 9: NeptuneFigure(c, x, y); return true;
        case kTypePluto: PlutoFigure(c, x, y); return true;
        case kTypeComet: CometFigure(c, x, y); return true;
        case kTypeOther: OtherFigure(c, x, y); return true;
        case kTypeMinorPlanet: MinorPlanetFigure(c, x, y); return true;
        default: return false;
    }
}

// The symbols of the non-stellar classes with size sz.
void ClassFigure(Canvas& c, int type, int x, int y, double sz) {
    switch (type) {
        case 19:  // open cluster
            c.Circle(x, y, Round(sz));
            break;
        case 20: {  // globular cluster: circle and cross; the strokes split at the centre
            const int h = Round(sz);
            c.Circle(x, y, Round(sz + 1));
            c.Line(x - h, y, x + h, y);
            if (h > 0) {
                c.Line(x, y - h, x, y - 1);
                c.Line(x, y + 1, x, y + h);
            }
            break;
        }
        case 21:  // planetary nebula
            c.Circle(x, y, Round(sz));
            if (Round(sz - 2) > 0) c.Circle(x, y, Round(sz - 2));
            break;
        case 22:  // galaxy
            if (sz > 4) {
                c.Ellipse(x, y, Round(sz + 1), Round((sz + 1) / 2.3));
            } else {
                const int h = Round(sz + 1), v = Round((sz + 1) / 2.3);
                c.Line(x - h, y, x + h, y);
                if (v > 0) {
                    c.Line(x, y - v, x, y - 1);
                    c.Line(x, y + 1, x, y + v);
                }
            }
            break;
        case 23: {  // emission nebula
            const int h = Round(sz);
            c.Box(x - h, y - h, x + h, y + h);
            break;
        }
        default:
            break;
    }
}

// Radius of the marker disc on the point, and whether it is copied.
int MarkerDiscRadius(int type, SymbolPlacement placement) {
    if (placement != SymbolPlacement::SystemMarker) return 6;
    if (type == 3 || type == 4) return 3;
    if (type == 5 || type == kTypeComet || type == kTypeOther || type == kTypeMinorPlanet) return 4;
    return 6;
}

bool MessierNumberShown(const astronomy::ProgramState& s, const SymbolRequest& r) {
    if (r.messierNumber <= 0 || !IsDeepSkyType(r.type)) return false;
    const int radius = r.skyChartRadius > 0 ? r.skyChartRadius : s.ChartRadius;
    if (s.ChartMode == View::WholeSky) return radius > 180;
    return s.ChartMode != View::ObjectMessier;
}

}  // namespace

// ---------------------------------------------------------------------------

std::string SymbolLetter(int type) {
    static const std::string kLetters = "SMMVMJSUNP";
    if (type < 1 || type > static_cast<int>(kLetters.size())) return "";
    return kLetters.substr(static_cast<std::size_t>(type - 1), 1);
}

void DrawObjectSymbol(Canvas& canvas, const astronomy::ProgramState& s, int x, int y, const SymbolRequest& r) {
    const platform::RasterOp overlay = OverlayRasterOp(s);
    const platform::Colour colour = BodyColour(s, r.type);
    canvas.SetRasterOp(overlay);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(NormalLineWidth(s));
    canvas.SetPen(colour);
    canvas.SetBrush(colour);

    if (r.diameterPx > 8) {
        DrawPhaseDisc(canvas, x, y, r.diameterPx / 2, r.illuminatedFraction, r.limbAngle);
    } else if (IsDeepSkyType(r.type)) {
        ClassFigure(canvas, r.type, x, y, r.size);
    } else {
        const bool marker = r.placement != SymbolPlacement::AtPoint;
        const int fx = marker ? x + kMarkerOffsetX : x;
        const int fy = marker ? y + kMarkerOffsetY : y;
        const bool sunHidden = r.type == kTypeSun && r.placement == SymbolPlacement::SystemMarker;
        if (!sunHidden && !BodyFigure(canvas, r.type, fx, fy)) {
            const std::string letter = SymbolLetter(r.type);
            if (!letter.empty()) {
                canvas.SetFont(platform::FontRole::Label);
                canvas.Text(fx - 3, fy - 8, letter);
            }
        }
        if (marker) {
            if (r.placement == SymbolPlacement::SystemMarker) canvas.SetRasterOp(platform::RasterOp::Copy);
            canvas.FillCircle(x, y, MarkerDiscRadius(r.type, r.placement));
            canvas.SetRasterOp(overlay);
        }
    }

    if (MessierNumberShown(s, r)) {
        canvas.SetFont(platform::FontRole::Value);
        canvas.Text(x + 3, y - 10, std::to_string(r.messierNumber));
    }
}

// ---------------------------------------------------------------------------

ScreenDirection DirectionOfPositionAngle(double positionAngle) {
    return {-std::sin(positionAngle), -std::cos(positionAngle)};
}

void DrawPhaseDisc(Canvas& canvas, int cx, int cy, double radius, double k, double limbAngle) {
    if (!std::isfinite(radius) || radius <= 0) return;
    if (!std::isfinite(k)) k = 1;
    if (!std::isfinite(limbAngle)) limbAngle = 0;
    k = std::clamp(k, 0.0, 1.0);
    if (radius < 2) {
        canvas.FillCircle(cx, cy, std::max(1, Round(radius)));
        return;
    }
    const ScreenDirection u = DirectionOfPositionAngle(limbAngle);  // towards the bright limb
    const double vx = -u.dy, vy = u.dx;                              // along the terminator
    const double litWidth = 2 * k * radius;
    if (litWidth < 1) {  // new: only the dark limb
        canvas.Circle(cx, cy, Round(radius));
        return;
    }
    // Lit region: for each height v across the disc, from the terminator
    // (1 - 2k) w to the limb w, where w is the half chord at v.
    const int steps = std::clamp(Round(radius), 8, 90);
    std::vector<std::pair<int, int>> points;
    points.reserve(static_cast<std::size_t>(2 * steps + 2));
    auto add = [&](double along, double across) {
        points.emplace_back(Round(cx + along * u.dx + across * vx), Round(cy + along * u.dy + across * vy));
    };
    for (int i = 0; i <= steps; ++i) {
        const double t = -kPi / 2 + kPi * i / steps;
        add(radius * std::cos(t), radius * std::sin(t));
    }
    for (int i = steps - 1; i >= 1; --i) {
        const double t = -kPi / 2 + kPi * i / steps;
        add((1 - 2 * k) * radius * std::cos(t), radius * std::sin(t));
    }
    canvas.Polygon(points, true);
    if (2 * (1 - k) * radius >= 1) {
        // The dark half of the limb, from one horn over the unlit side to the other.
        const double darkCentre = ArcAngle(-u.dx, -u.dy);
        canvas.Arc(cx, cy, Round(radius), darkCentre - kPi / 2, kPi);
    }
}

// ---------------------------------------------------------------------------

PictureBox ObjectViewPictureBox(const astronomy::ProgramState& s) {
    const double ts = s.TextScale;
    PictureBox box;
    box.cx = Round((s.TextSplitX + s.ChartWidth) / 2.0);
    box.cy = Round(92 * ts);
    box.halfWidth = std::max(0, (s.ChartWidth - s.TextSplitX) / 2 - 4);
    // Below the name box and the first text row, and as far down again.
    box.halfHeight = std::max(0, Round(std::min(62 * ts - 12, 58 * ts)));
    return box;
}

double PictureRadiusLimit(const PictureBox& box) {
    return std::max(2.0, std::min(box.halfWidth - 36.0, box.halfHeight - 4.0));
}

double ObjectViewPixelsPerDegree(const astronomy::BodyPosition& pos, double textScale) {
    return (pos.diameter >= 0.1 ? 150.0 : 4000.0) * textScale;
}

double SaturnPolePositionAngle(double ra, double dec) {
    // The pole of the rings, as the position service takes it.
    const double alphaP = 40.66 * astronomy::kDegToRad, deltaP = 83.52 * astronomy::kDegToRad;
    return std::atan2(std::cos(deltaP) * std::sin(alphaP - ra),
                      std::sin(deltaP) * std::cos(dec) - std::cos(deltaP) * std::sin(dec) * std::cos(alphaP - ra));
}

namespace {

// The rings as two ellipses about the globe. The half towards the Earth
// crosses the globe in the background colour (its dark band); the far half
// is hidden where the globe stands in front of it.
void DrawSaturnRings(Canvas& canvas, const astronomy::ProgramState& s, const astronomy::BodyPosition& pos, int cx,
                     int cy, double globeRadius, platform::Colour pen) {
    const ScreenDirection pole = DirectionOfPositionAngle(SaturnPolePositionAngle(pos.ra, pos.dec));
    const double ex = -pole.dy, ey = pole.dx;                  // the ring's long axis
    const double toEarth = pos.ringTilt >= 0 ? -1.0 : 1.0;     // near half away from the visible pole
    const double nx = toEarth * pole.dx, ny = toEarth * pole.dy;
    const double open = std::fabs(std::sin(pos.ringTilt));
    const platform::Colour background = ColourFromRgb(s.BackgroundColour);
    constexpr int kSteps = 96;
    for (double factor : {kRingOuter, kRingInner}) {
        const double a = factor * globeRadius, b = a * open;
        auto at = [&](int i) {
            const double t = 2 * kPi * i / kSteps;
            return std::pair<double, double>{cx + a * std::cos(t) * ex + b * std::sin(t) * nx,
                                             cy + a * std::cos(t) * ey + b * std::sin(t) * ny};
        };
        for (int i = 0; i < kSteps; ++i) {
            const auto p = at(i), q = at(i + 1);
            const double mid = 2 * kPi * (i + 0.5) / kSteps;
            const double mx = (p.first + q.first) / 2 - cx, my = (p.second + q.second) / 2 - cy;
            const bool overGlobe = std::hypot(mx, my) < globeRadius;
            if (overGlobe && std::sin(mid) < 0) continue;  // behind the globe
            canvas.SetPen(overGlobe ? background : pen);
            canvas.Line(Round(p.first), Round(p.second), Round(q.first), Round(q.second));
        }
    }
    canvas.SetPen(pen);
}

// A body without a diameter (a star): a disc sized by its magnitude as the
// chart stars are (limiting magnitude 8), between 1 and 8 pixels.
double StarPictureRadius(double magnitude) {
    if (!std::isfinite(magnitude)) return 1;
    return std::clamp(0.55 * (8 - magnitude) + 0.5, 1.0, 8.0);
}

}  // namespace

void DrawObjectPicture(Canvas& canvas, const astronomy::ProgramState& s, const astronomy::BodyPosition& pos, int cx,
                       int cy, double pixelsPerDegree, double maxRadius) {
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(NormalLineWidth(s));
    const platform::Colour pen = ColourFromRgb(s.ForegroundColour);
    canvas.SetPen(pen);
    canvas.SetBrush(pen);
    maxRadius = std::max(2.0, maxRadius);

    if (IsDeepSkyType(pos.index)) {
        ClassFigure(canvas, pos.index, cx, cy, std::max(2.0, maxRadius / 2));
        return;
    }
    const double diameter = std::isfinite(pos.diameter) ? pos.diameter : 0;
    if (diameter <= 0) {
        canvas.FillCircle(cx, cy, Round(std::min(maxRadius, StarPictureRadius(pos.magnitude))));
        return;
    }
    const bool saturn = pos.index == kTypeSaturn;
    const double limit = saturn ? maxRadius / kRingOuter : maxRadius;
    const double radius = std::clamp(diameter * pixelsPerDegree / 2, std::min(2.0, limit), limit);
    DrawPhaseDisc(canvas, cx, cy, radius, pos.illuminatedFraction, pos.limbAngle);
    if (saturn) DrawSaturnRings(canvas, s, pos, cx, cy, radius, pen);
}

void ClearPictureBox(Canvas& canvas, const astronomy::ProgramState& s, const PictureBox& box) {
    const platform::Colour background = ColourFromRgb(s.BackgroundColour);
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetPen(background);
    canvas.SetBrush(background);
    canvas.FillBox(box.cx - box.halfWidth, box.cy - box.halfHeight, box.cx + box.halfWidth,
                   box.cy + box.halfHeight);
}

void DrawCompass(Canvas& canvas, const astronomy::ProgramState& s, const PictureBox& box) {
    constexpr int kArm = 16;
    const platform::Colour pen = ColourFromRgb(s.ForegroundColour);
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(NormalLineWidth(s));
    canvas.SetPen(pen);
    canvas.SetTextBackground(ColourFromRgb(s.BackgroundColour), true);
    canvas.SetFont(platform::FontRole::Label);
    const int x0 = box.cx - box.halfWidth + 30;
    const int y0 = box.cy + box.halfHeight - 6;
    const int h = canvas.TextHeight();
    canvas.Line(x0, y0, x0, y0 - kArm);
    canvas.Line(x0 - 1, y0, x0 - kArm, y0);
    canvas.Text(x0 - canvas.TextWidth("N") / 2, y0 - kArm - h - 1, "N");
    canvas.Text(x0 - kArm - canvas.TextWidth("O") - 3, y0 - h / 2, "O");
}

}  // namespace charts

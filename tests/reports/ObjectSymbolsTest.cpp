// The object symbols, the lit disc, the object picture and its compass.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "charts/ObjectSymbols.h"
#include "tests/reports/PanelState.h"
#include "tests/reports/RecordingCanvas.h"

using namespace astronomy;
using platform::Colour;
using platform::RasterOp;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;
using testing_canvas::ShapeCall;

namespace {

using Pixel = std::pair<int, int>;
const Colour kMagenta{250, 60, 250};

// Pixels of a circle or arc sampled finely along the curve; angles counter-
// clockwise on the screen from the right.
std::set<Pixel> CurvePixels(int cx, int cy, double rx, double ry, double start, double span) {
    std::set<Pixel> out;
    for (int i = 0; i <= 2000; ++i) {
        const double a = start + span * i / 2000;
        out.emplace(static_cast<int>(std::lround(cx + rx * std::cos(a))),
                    static_cast<int>(std::lround(cy - ry * std::sin(a))));
    }
    return out;
}

// The pixels one outline primitive sets (the figures use no filled shapes).
std::set<Pixel> Pixels(const ShapeCall& s) {
    std::set<Pixel> out;
    auto addLine = [&out](int x1, int y1, int x2, int y2) {
        for (auto p : RecordingCanvas::LinePixels(x1, y1, x2, y2)) out.insert(p);
    };
    std::vector<Pixel> corners = s.points;
    switch (s.kind) {
        case Shape::Line: addLine(s.x1, s.y1, s.x2, s.y2); break;
        case Shape::Point: out.emplace(s.x1, s.y1); break;
        case Shape::Circle: out = CurvePixels(s.x1, s.y1, s.r, s.r, 0, 2 * kPi); break;
        case Shape::Ellipse: out = CurvePixels(s.x1, s.y1, s.x2, s.y2, 0, 2 * kPi); break;
        case Shape::Arc: out = CurvePixels(s.x1, s.y1, s.r, s.r, s.start, s.span); break;
        case Shape::Box: corners = {{s.x1, s.y1}, {s.x2, s.y1}, {s.x2, s.y2}, {s.x1, s.y2}}; [[fallthrough]];
        case Shape::Polygon:
            for (std::size_t i = 0; i < corners.size(); ++i) {
                const Pixel &a = corners[i], &b = corners[(i + 1) % corners.size()];
                addLine(a.first, a.second, b.first, b.second);
            }
            break;
        default: break;
    }
    return out;
}

// How often the most-hit pixel of the drawing is set.
int MaxHits(const RecordingCanvas& c) {
    std::map<Pixel, int> hits;
    int most = 0;
    for (const auto& s : c.shapes)
        for (const Pixel& p : Pixels(s)) most = std::max(most, ++hits[p]);
    return most;
}

charts::SymbolRequest Request(int type, charts::SymbolPlacement placement = charts::SymbolPlacement::AtPoint,
                              double size = 0) {
    charts::SymbolRequest r;
    r.type = type;
    r.placement = placement;
    if (size > 0) r.size = size;
    return r;
}

RecordingCanvas DrawSymbol(const ProgramState& s, int x, int y, const charts::SymbolRequest& r) {
    RecordingCanvas c;
    charts::DrawObjectSymbol(c, s, x, y, r);
    return c;
}

// Shoelace area of a polygon.
double Area(const std::vector<Pixel>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Pixel &u = p[i], &v = p[(i + 1) % p.size()];
        a += static_cast<double>(u.first) * v.second - static_cast<double>(v.first) * u.second;
    }
    return std::fabs(a) / 2;
}

}  // namespace

// ---------------------------------------------------------------------------
// Colours, raster modes, letters

TEST(ObjectSymbolColours, PaletteAndBodyColours) {
    EXPECT_EQ(platform::ColourFromRgb(0xFA3CFA), kMagenta);
    EXPECT_EQ(platform::ColourFromRgb(0x0000FF), (Colour{0, 0, 255}));
    ProgramState s = panel_test::PanelState();
    // Entry type + 1 below type 13 (Sun yellow, Mars red, Jupiter brown, 12
    // entry 13, black with "Invers"); entry 11 for 13 and the classes.
    const std::pair<int, Colour> cases[] = {{1, {250, 250, 80}}, {5, {255, 80, 80}}, {6, {170, 85, 0}},
                                            {12, {0, 0, 0}},     {13, kMagenta},      {22, kMagenta}};
    for (const auto& [type, colour] : cases) EXPECT_EQ(charts::BodyColour(s, type), colour) << type;
    EXPECT_EQ(charts::FrameColour(s), (Colour{0x50, 0x50, 0x50}));
}

TEST(ObjectSymbolColours, RasterModeAndLineWidth) {
    ProgramState s = panel_test::PanelState();
    EXPECT_EQ(charts::OverlayRasterOp(s), RasterOp::NotXor);
    s.Invers = 0;
    EXPECT_EQ(charts::OverlayRasterOp(s), RasterOp::Xor);
    EXPECT_EQ(charts::NormalLineWidth(s), 1);
    EXPECT_EQ(charts::BoldLineWidth(s), 3);
    s.PrintingFlag = 1;
    EXPECT_EQ(charts::NormalLineWidth(s), 6);
    EXPECT_EQ(charts::BoldLineWidth(s), 18);

    s.PrintingFlag = 0;
    const RecordingCanvas c = DrawSymbol(s, 100, 100, Request(6));
    ASSERT_FALSE(c.shapes.empty());
    for (const auto& sh : c.shapes) {
        EXPECT_EQ(sh.op, RasterOp::Xor);
        EXPECT_EQ(sh.pen, (Colour{170, 85, 0}));
    }
}

TEST(ObjectSymbolColours, LetterFallback) {
    // Position `type` of "SMMVMJSUNP".
    const std::pair<int, const char*> cases[] = {{1, "S"}, {4, "V"}, {6, "J"}, {10, "P"}, {11, ""}, {0, ""}};
    for (const auto& [type, letter] : cases) EXPECT_EQ(charts::SymbolLetter(type), letter) << type;
    // A type without a figure and beyond the letters draws nothing.
    const RecordingCanvas c = DrawSymbol(panel_test::PanelState(), 100, 100, Request(15));
    EXPECT_TRUE(c.shapes.empty());
    EXPECT_TRUE(c.texts.empty());
}

// ---------------------------------------------------------------------------
// Body figures

TEST(ObjectSymbolFigures, NoPixelIsSetTwiceWithinAFigure) {
    // In exclusive-or mode a pixel set twice would vanish. The Moon is left
    // out: its two arcs meet at the horns by design.
    const ProgramState s = panel_test::PanelState();
    for (int type : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(type);
        const RecordingCanvas c = DrawSymbol(s, 100, 100, Request(type));
        EXPECT_FALSE(c.shapes.empty());
        EXPECT_EQ(MaxHits(c), 1);
        for (const auto& sh : c.shapes) {  // within about 10 pixels of the point
            for (const Pixel& p : Pixels(sh)) {
                EXPECT_LE(std::abs(p.first - 100), 10);
                EXPECT_LE(std::abs(p.second - 100), 10);
            }
        }
    }
}

TEST(ObjectSymbolFigures, SunAndMoonAsDescribed) {
    const ProgramState s = panel_test::PanelState();
    const RecordingCanvas sun = DrawSymbol(s, 50, 60, Request(1));
    ASSERT_EQ(sun.shapes.size(), 3u);
    EXPECT_EQ(sun.shapes[0].kind, Shape::Circle);
    EXPECT_EQ(sun.shapes[0].r, 4);
    EXPECT_EQ(sun.shapes[1].r, 1);
    EXPECT_EQ(sun.shapes[2].kind, Shape::Point);
    EXPECT_EQ(sun.shapes[2].x1, 50);
    EXPECT_EQ(sun.shapes[2].y1, 60);

    const RecordingCanvas moon = DrawSymbol(s, 50, 60, Request(2));
    ASSERT_EQ(moon.shapes.size(), 2u);
    EXPECT_EQ(moon.shapes[0].kind, Shape::Arc);
    EXPECT_EQ(moon.shapes[0].x1, 50);
    EXPECT_EQ(moon.shapes[0].r, 5);
    EXPECT_NEAR(moon.shapes[0].start, -kPi / 2, 1e-12);
    EXPECT_NEAR(moon.shapes[0].span, kPi, 1e-12);
    EXPECT_EQ(moon.shapes[1].x1, 57);  // 7 pixels to the right
    EXPECT_EQ(moon.shapes[1].r, 8);
    EXPECT_NEAR(moon.shapes[1].start, -140 * kDegToRad, 1e-12);
    EXPECT_NEAR(moon.shapes[1].span, 280 * kDegToRad, 1e-12);
}

TEST(ObjectSymbolFigures, ChartMarkerOffsetAndDisc) {
    const RecordingCanvas c =
        DrawSymbol(panel_test::PanelState(), 200, 300, Request(1, charts::SymbolPlacement::ChartMarker));
    // The figure 13 right and 6 up, the disc of radius 6 on the point.
    EXPECT_EQ(c.shapes[0].x1, 213);
    EXPECT_EQ(c.shapes[0].y1, 294);
    const ShapeCall* disc = c.First(Shape::FillCircle);
    ASSERT_NE(disc, nullptr);
    EXPECT_EQ(disc->x1, 200);
    EXPECT_EQ(disc->y1, 300);
    EXPECT_EQ(disc->r, 6);
    EXPECT_EQ(disc->op, RasterOp::NotXor);
    EXPECT_EQ(disc->pen, (Colour{250, 250, 80}));
}

TEST(ObjectSymbolFigures, SystemMarkers) {
    // Mercury and Venus 3, Mars and the types 11 to 13 4, the rest 6.
    const std::pair<int, int> cases[] = {{3, 3}, {4, 3}, {5, 4}, {6, 6}, {9, 6}, {11, 4}, {12, 4}, {13, 4}};
    const ProgramState s = panel_test::PanelState();
    for (const auto& [type, radius] : cases) {
        SCOPED_TRACE(type);
        const RecordingCanvas c = DrawSymbol(s, 200, 300, Request(type, charts::SymbolPlacement::SystemMarker));
        const ShapeCall* disc = c.First(Shape::FillCircle);
        ASSERT_NE(disc, nullptr);
        EXPECT_EQ(disc->r, radius);
        EXPECT_EQ(disc->op, RasterOp::Copy);
        EXPECT_EQ(c.shapes[0].op, RasterOp::NotXor);  // the figure stays exclusive-or
    }
    // No Sun figure on the system view: only the disc.
    const RecordingCanvas sun = DrawSymbol(s, 200, 300, Request(1, charts::SymbolPlacement::SystemMarker));
    ASSERT_EQ(sun.shapes.size(), 1u);
    EXPECT_EQ(sun.shapes[0].kind, Shape::FillCircle);
    EXPECT_EQ(sun.op, RasterOp::NotXor);
}

TEST(ObjectSymbolFigures, LargeDiameterBecomesTheLitDisc) {
    const ProgramState s = panel_test::PanelState();
    charts::SymbolRequest r = Request(2, charts::SymbolPlacement::ChartMarker);
    r.diameterPx = 40;
    r.illuminatedFraction = 1;
    const RecordingCanvas c = DrawSymbol(s, 300, 300, r);
    EXPECT_EQ(c.CountShapes(Shape::Polygon), 1);
    EXPECT_EQ(c.CountShapes(Shape::FillCircle), 0);  // no marker disc
    EXPECT_NEAR(Area(c.First(Shape::Polygon)->points), kPi * 20 * 20, 0.04 * kPi * 400);
    r.diameterPx = 8;  // still the mark
    const RecordingCanvas mark = DrawSymbol(s, 300, 300, r);
    EXPECT_EQ(mark.CountShapes(Shape::Polygon), 0);
    EXPECT_EQ(mark.CountShapes(Shape::Arc), 2);
}

// ---------------------------------------------------------------------------
// Class symbols and Messier numbers

TEST(ObjectSymbolClasses, FiguresBySize) {
    const ProgramState s = panel_test::PanelState();
    auto draw = [&s](int type, double size) { return DrawSymbol(s, 100, 100, Request(type, {}, size)); };
    {  // open cluster: circle of radius s
        const RecordingCanvas c = draw(19, 6);
        ASSERT_EQ(c.shapes.size(), 1u);
        EXPECT_EQ(c.shapes[0].kind, Shape::Circle);
        EXPECT_EQ(c.shapes[0].r, 6);
        EXPECT_EQ(c.shapes[0].pen, kMagenta);
    }
    {  // globular cluster: circle s + 1 and strokes of half-length s
        const RecordingCanvas c = draw(20, 6);
        EXPECT_EQ(c.shapes[0].r, 7);
        ASSERT_NE(c.First(Shape::Line), nullptr);
        EXPECT_EQ(c.First(Shape::Line)->x1, 94);
        EXPECT_EQ(c.First(Shape::Line)->x2, 106);
        EXPECT_EQ(MaxHits(c), 1);
    }
    {  // planetary nebula: circles s and s - 2
        const RecordingCanvas c = draw(21, 6);
        ASSERT_EQ(c.CountShapes(Shape::Circle), 2);
        EXPECT_EQ(c.shapes[0].r, 6);
        EXPECT_EQ(c.shapes[1].r, 4);
    }
    {  // galaxy above size 4: ellipse s + 1 by (s + 1)/2.3 = 3.04
        const RecordingCanvas c = draw(22, 6);
        ASSERT_NE(c.First(Shape::Ellipse), nullptr);
        EXPECT_EQ(c.First(Shape::Ellipse)->x2, 7);
        EXPECT_EQ(c.First(Shape::Ellipse)->y2, 3);
    }
    {  // small galaxy: strokes of half-length s + 1 and (s + 1)/2.3
        const RecordingCanvas c = draw(22, 4);
        EXPECT_EQ(c.CountShapes(Shape::Ellipse), 0);
        ASSERT_NE(c.First(Shape::Line), nullptr);
        EXPECT_EQ(c.First(Shape::Line)->x1, 95);
        EXPECT_EQ(c.First(Shape::Line)->x2, 105);
        EXPECT_EQ(MaxHits(c), 1);
    }
    {  // emission nebula: square of half-side s
        const RecordingCanvas c = draw(23, 6);
        const ShapeCall* b = c.First(Shape::Box);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(std::vector<int>({b->x1, b->y1, b->x2, b->y2}), std::vector<int>({94, 94, 106, 106}));
    }
}

TEST(ObjectSymbolClasses, MessierNumberBesideTheSymbol) {
    struct Case {
        astronomy::View mode;
        int radius, number, type;
        bool shown;
    };
    const Case cases[] = {
        {astronomy::View::Equatorial, 430, 31, 22, true},      // equatorial and polar charts
        {astronomy::View::NorthPolar, 430, 31, 22, true},
        {astronomy::View::ObjectMessier, 430, 31, 22, false},  // object view of a Messier object
        {astronomy::View::WholeSky, 430, 31, 22, true},        // whole sky, large and small
        {astronomy::View::WholeSky, 180, 31, 22, false},
        {astronomy::View::Equatorial, 430, 0, 22, false},      // no number
        {astronomy::View::Equatorial, 430, 31, 6, false},      // not a class symbol
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << astronomy::ViewNumber(k.mode) << " " << k.radius << " " << k.number << " " << k.type);
        ProgramState s = panel_test::PanelState();
        s.ChartMode = k.mode;
        s.ChartRadius = k.radius;
        charts::SymbolRequest r = Request(k.type, {}, 5);
        r.messierNumber = k.number;
        const RecordingCanvas c = DrawSymbol(s, 200, 100, r);
        const auto* t = c.TextAt(203, 90);
        if (!k.shown) {
            EXPECT_EQ(t, nullptr);
            continue;
        }
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->text, "31");
        EXPECT_EQ(t->role, platform::FontRole::Value);
        EXPECT_EQ(t->op, RasterOp::NotXor);
    }
}

// ---------------------------------------------------------------------------
// The lit disc

TEST(PhaseDisc, LitAreaFollowsTheIlluminatedFraction) {
    for (double k : {0.1, 0.25, 0.5, 0.75, 0.9, 1.0}) {
        SCOPED_TRACE(k);
        RecordingCanvas c;
        charts::DrawPhaseDisc(c, 400, 400, 60, k, 0.3);
        const ShapeCall* lit = c.First(Shape::Polygon);
        ASSERT_NE(lit, nullptr);
        EXPECT_TRUE(lit->filled);
        // k of the area; tolerance: the polygon's integer corners, about one pixel of rim.
        EXPECT_NEAR(Area(lit->points), k * kPi * 3600, 2 * kPi * 60);
        EXPECT_EQ(c.CountShapes(Shape::Arc), k < 1 ? 1 : 0);
    }
}

TEST(PhaseDisc, BrightLimbPointsAlongThePositionAngle) {
    struct Case {
        double positionAngleDeg;
        int dx, dy;  // screen direction of the lit side: north up, east to the left
    };
    for (const Case& k : {Case{0, 0, -1}, Case{90, -1, 0}, Case{180, 0, 1}, Case{270, 1, 0}}) {
        SCOPED_TRACE(k.positionAngleDeg);
        const charts::ScreenDirection d = charts::DirectionOfPositionAngle(k.positionAngleDeg * kDegToRad);
        EXPECT_NEAR(d.dx, k.dx, 1e-12);
        EXPECT_NEAR(d.dy, k.dy, 1e-12);
        RecordingCanvas c;
        charts::DrawPhaseDisc(c, 400, 400, 50, 0.3, k.positionAngleDeg * kDegToRad);
        const ShapeCall* lit = c.First(Shape::Polygon);
        ASSERT_NE(lit, nullptr);
        // A crescent: every corner lies on the lit side of the centre line.
        for (auto [x, y] : lit->points) EXPECT_GE((x - 400) * k.dx + (y - 400) * k.dy, -1);
        // The dark limb: the half circle on the other side.
        const ShapeCall* arc = c.First(Shape::Arc);
        ASSERT_NE(arc, nullptr);
        const double mid = arc->start + arc->span / 2;
        EXPECT_NEAR(std::cos(mid), -k.dx, 1e-9);
        EXPECT_NEAR(-std::sin(mid), -k.dy, 1e-9);
        EXPECT_NEAR(arc->span, kPi, 1e-12);
    }
}

TEST(PhaseDisc, NewAndTinyDiscs) {
    RecordingCanvas dark, tiny, broken;
    charts::DrawPhaseDisc(dark, 100, 100, 30, 0.0, 1.0);
    EXPECT_EQ(dark.CountShapes(Shape::Polygon), 0);
    ASSERT_EQ(dark.CountShapes(Shape::Circle), 1);
    EXPECT_EQ(dark.shapes[0].r, 30);
    charts::DrawPhaseDisc(tiny, 100, 100, 1.2, 0.8, 1.0);
    ASSERT_EQ(tiny.shapes.size(), 1u);
    EXPECT_EQ(tiny.shapes[0].kind, Shape::FillCircle);
    EXPECT_EQ(tiny.shapes[0].r, 1);
    charts::DrawPhaseDisc(broken, 100, 100, std::nan(""), 0.5, 0);
    EXPECT_TRUE(broken.shapes.empty());
}

// ---------------------------------------------------------------------------
// Object picture and compass

TEST(ObjectPicture, BoxAndScales) {
    ProgramState s = panel_test::PanelState();
    const charts::PictureBox box = charts::ObjectViewPictureBox(s);
    EXPECT_EQ(box.cx, 920);  // ((780 + 1060)/2, 92 s)
    EXPECT_EQ(box.cy, 151);
    // Clear of both panels, below the name box (30 s + 9 = 58).
    EXPECT_GT(box.cx - box.halfWidth, s.TextSplitX);
    EXPECT_LT(box.cx + box.halfWidth, s.ChartWidth);
    EXPECT_GT(box.cy - box.halfHeight, 58);
    EXPECT_GT(charts::PictureRadiusLimit(box), 60);
    BodyPosition moon, jupiter;
    moon.diameter = 0.52;
    jupiter.diameter = 0.0127;
    EXPECT_DOUBLE_EQ(charts::ObjectViewPixelsPerDegree(moon, 1.0), 150);
    EXPECT_DOUBLE_EQ(charts::ObjectViewPixelsPerDegree(jupiter, 2.0), 8000);
}

TEST(ObjectPicture, BodiesStarsAndClasses) {
    ProgramState s = panel_test::PanelState();
    auto picture = [&s](int index, double diameter, double scale, double limit, double magnitude = 0) {
        BodyPosition p;
        p.index = index, p.diameter = diameter, p.magnitude = magnitude;
        p.illuminatedFraction = diameter > 0 ? 1 : 0;  // full discs; the star and the class unlit
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, scale, limit);
        return c;
    };
    {  // A planet: the lit disc, diameter x scale / 2, in the label colour.
        const RecordingCanvas c = picture(6, 0.0125, 4000, 80);
        const ShapeCall* disc = c.First(Shape::Polygon);
        ASSERT_NE(disc, nullptr);
        EXPECT_NEAR(Area(disc->points), kPi * 25 * 25, 2 * kPi * 25);
        EXPECT_EQ(disc->pen, (Colour{0x50, 0x50, 0x50}));
        EXPECT_EQ(disc->op, RasterOp::Copy);
    }
    {  // Larger than the box: held at the limit.
        const RecordingCanvas c = picture(2, 2, 150, 40);
        ASSERT_NE(c.First(Shape::Polygon), nullptr);
        EXPECT_NEAR(Area(c.First(Shape::Polygon)->points), kPi * 40 * 40, 2 * kPi * 40);
    }
    {  // A star without a diameter: 0.55 (8 - 1.97) + 0.5 = 3.8 pixels.
        const RecordingCanvas c = picture(12, 0, 4000, 80, 1.97);
        ASSERT_EQ(c.shapes.size(), 1u);
        EXPECT_EQ(c.shapes[0].kind, Shape::FillCircle);
        EXPECT_EQ(c.shapes[0].r, 4);
    }
    {  // A Messier galaxy: its class symbol at half the limit.
        const RecordingCanvas c = picture(22, 0, 4000, 40);
        const ShapeCall* e = c.First(Shape::Ellipse);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->x1, 500);
        EXPECT_EQ(e->x2, 21);
        EXPECT_EQ(e->op, RasterOp::Copy);
    }
}

TEST(ObjectPicture, SaturnRingsOpenWithTheTilt) {
    ProgramState s = panel_test::PanelState();
    BodyPosition p;
    p.index = 7;
    p.diameter = 0.005;  // 18 arcseconds: radius 10 at 4000 per degree
    p.illuminatedFraction = 1;
    // On the hour circle of the ring pole, south of it: the pole points north.
    p.ra = 40.66 * kDegToRad;
    p.dec = 10 * kDegToRad;
    EXPECT_NEAR(charts::SaturnPolePositionAngle(p.ra, p.dec), 0, 1e-12);
    for (double tiltDeg : {20.0, -20.0}) {
        SCOPED_TRACE(tiltDeg);
        p.ringTilt = tiltDeg * kDegToRad;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 4000, 80);
        int ringLines = 0, frontLines = 0, minX = 10000, maxX = -10000, minY = 10000, maxY = -10000;
        for (const auto& sh : c.shapes) {
            if (sh.kind != Shape::Line) continue;
            ++ringLines;
            minX = std::min({minX, sh.x1, sh.x2}), maxX = std::max({maxX, sh.x1, sh.x2});
            minY = std::min({minY, sh.y1, sh.y2}), maxY = std::max({maxY, sh.y1, sh.y2});
            if (sh.pen == Colour{255, 255, 255}) {
                // In front of the globe (background pen): the half towards the
                // Earth, south of the centre when the Earth is north of the ring plane.
                ++frontLines;
                EXPECT_TRUE(tiltDeg > 0 ? sh.y1 >= 500 : sh.y1 <= 500);
            }
        }
        EXPECT_GT(ringLines, 100);
        EXPECT_GT(frontLines, 0);
        // Outer edge 2.27 globe radii across, opened by sin 20 deg.
        EXPECT_NEAR(maxX - minX, 2 * 22.7, 1.5);
        EXPECT_NEAR(maxY - minY, 2 * 22.7 * std::sin(20 * kDegToRad), 1.5);
    }
}

TEST(ObjectPicture, SaturnPolePositionAngleGeometry) {
    // Spherical triangle planet - celestial pole - ring pole (40.66 deg,
    // 83.52 deg): a planet on the pole's hour circle north of it sees the
    // ring pole due south; a planet on the equator 6 h west of the ring
    // pole's right ascension sees it at 90 deg - 83.52 deg east of north.
    EXPECT_NEAR(std::fabs(charts::SaturnPolePositionAngle(40.66 * kDegToRad, 88.0 * kDegToRad)), kPi, 1e-9);
    EXPECT_NEAR(charts::SaturnPolePositionAngle((40.66 - 90) * kDegToRad, 0), (90 - 83.52) * kDegToRad, 1e-9);
}

TEST(ObjectPicture, CompassMarksNorthUpAndEastLeft) {
    ProgramState s = panel_test::PanelState();
    const charts::PictureBox box = charts::ObjectViewPictureBox(s);
    RecordingCanvas c;
    charts::DrawCompass(c, s, box);
    const auto* north = c.FindText("N");
    const auto* east = c.FindText("O");
    ASSERT_NE(north, nullptr);
    ASSERT_NE(east, nullptr);
    EXPECT_LT(north->y, east->y);
    EXPECT_LT(east->x, north->x);
    ASSERT_EQ(c.CountShapes(Shape::Line), 2);
    const ShapeCall &up = c.shapes[0], &left = c.shapes[1];
    EXPECT_EQ(up.x1, up.x2);
    EXPECT_LT(up.y2, up.y1);
    EXPECT_EQ(left.y1, left.y2);
    EXPECT_LT(left.x2, left.x1);
    for (const auto* t : {north, east}) {  // inside the picture box
        EXPECT_GE(t->x, box.cx - box.halfWidth);
        EXPECT_GE(t->y, box.cy - box.halfHeight);
    }
    EXPECT_LE(up.y1, box.cy + box.halfHeight);
}

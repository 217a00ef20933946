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
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;
using testing_canvas::ShapeCall;

namespace {

using Pixel = std::pair<int, int>;

// Pixels of a circle or arc sampled finely along the curve; angles counter-
// clockwise on the screen from the right.
std::set<Pixel> CurvePixels(int cx, int cy, double rx, double ry, double start, double span) {
    std::set<Pixel> out;
    const int n = 2000;
    for (int i = 0; i <= n; ++i) {
        const double a = start + span * i / n;
        out.emplace(static_cast<int>(std::lround(cx + rx * std::cos(a))),
                    static_cast<int>(std::lround(cy - ry * std::sin(a))));
    }
    return out;
}

// The pixels one outline primitive sets (filled shapes are not used by the
// figures).
std::set<Pixel> Pixels(const ShapeCall& s) {
    std::set<Pixel> out;
    auto addLine = [&out](int x1, int y1, int x2, int y2) {
        for (auto p : RecordingCanvas::LinePixels(x1, y1, x2, y2)) out.insert(p);
    };
    switch (s.kind) {
        case Shape::Line: addLine(s.x1, s.y1, s.x2, s.y2); break;
        case Shape::Point: out.emplace(s.x1, s.y1); break;
        case Shape::Circle: out = CurvePixels(s.x1, s.y1, s.r, s.r, 0, 2 * kPi); break;
        case Shape::Ellipse: out = CurvePixels(s.x1, s.y1, s.x2, s.y2, 0, 2 * kPi); break;
        case Shape::Arc: out = CurvePixels(s.x1, s.y1, s.r, s.r, s.start, s.span); break;
        case Shape::Box:
            addLine(s.x1, s.y1, s.x2, s.y1);
            addLine(s.x2, s.y1, s.x2, s.y2);
            addLine(s.x2, s.y2, s.x1, s.y2);
            addLine(s.x1, s.y2, s.x1, s.y1);
            break;
        case Shape::Polygon:
            for (std::size_t i = 0; i < s.points.size(); ++i) {
                const auto& a = s.points[i];
                const auto& b = s.points[(i + 1) % s.points.size()];
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
    for (const auto& s : c.shapes) {
        for (const Pixel& p : Pixels(s)) ++hits[p];
    }
    int most = 0;
    for (const auto& [p, n] : hits) most = std::max(most, n);
    return most;
}

charts::SymbolRequest Request(int type, charts::SymbolPlacement placement = charts::SymbolPlacement::AtPoint) {
    charts::SymbolRequest r;
    r.type = type;
    r.placement = placement;
    return r;
}

// Shoelace area of a polygon.
double Area(const std::vector<std::pair<int, int>>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto& u = p[i];
        const auto& v = p[(i + 1) % p.size()];
        a += static_cast<double>(u.first) * v.second - static_cast<double>(v.first) * u.second;
    }
    return std::fabs(a) / 2;
}

const ShapeCall* First(const RecordingCanvas& c, Shape kind) {
    for (const auto& s : c.shapes) {
        if (s.kind == kind) return &s;
    }
    return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Colours, raster modes, letters

TEST(ObjectSymbolColours, PaletteAndBodyColours) {
    EXPECT_EQ(charts::ColourFromRgb(0xFA3CFA), (platform::Colour{250, 60, 250}));
    EXPECT_EQ(charts::ColourFromRgb(0x0000FF), (platform::Colour{0, 0, 255}));
    ProgramState s = panel_test::PanelState();
    // Entry type + 1 below type 13: the Sun yellow, Mars red, Jupiter brown;
    // entry 11 for 13 and the classes.
    EXPECT_EQ(charts::BodyColour(s, 1), (platform::Colour{250, 250, 80}));
    EXPECT_EQ(charts::BodyColour(s, 5), (platform::Colour{255, 80, 80}));
    EXPECT_EQ(charts::BodyColour(s, 6), (platform::Colour{170, 85, 0}));
    EXPECT_EQ(charts::BodyColour(s, 12), (platform::Colour{0, 0, 0}));  // entry 13, black with "Invers"
    EXPECT_EQ(charts::BodyColour(s, 13), (platform::Colour{250, 60, 250}));
    EXPECT_EQ(charts::BodyColour(s, 22), (platform::Colour{250, 60, 250}));
    EXPECT_EQ(charts::FrameColour(s), (platform::Colour{0x50, 0x50, 0x50}));
}

TEST(ObjectSymbolColours, RasterModeAndLineWidth) {
    ProgramState s = panel_test::PanelState();
    EXPECT_EQ(charts::OverlayRasterOp(s), platform::RasterOp::NotXor);
    s.Invers = 0;
    EXPECT_EQ(charts::OverlayRasterOp(s), platform::RasterOp::Xor);
    EXPECT_EQ(charts::NormalLineWidth(s), 1);
    EXPECT_EQ(charts::BoldLineWidth(s), 3);
    s.PrintingFlag = 1;
    EXPECT_EQ(charts::NormalLineWidth(s), 6);
    EXPECT_EQ(charts::BoldLineWidth(s), 18);

    RecordingCanvas c;
    s.Invers = 0;
    s.PrintingFlag = 0;
    charts::DrawObjectSymbol(c, s, 100, 100, Request(6));
    ASSERT_FALSE(c.shapes.empty());
    for (const auto& sh : c.shapes) {
        EXPECT_EQ(sh.op, platform::RasterOp::Xor);
        EXPECT_EQ(sh.pen, (platform::Colour{170, 85, 0}));
    }
}

TEST(ObjectSymbolColours, LetterFallback) {
    // Position `type` of "SMMVMJSUNP".
    EXPECT_EQ(charts::SymbolLetter(1), "S");
    EXPECT_EQ(charts::SymbolLetter(4), "V");
    EXPECT_EQ(charts::SymbolLetter(6), "J");
    EXPECT_EQ(charts::SymbolLetter(10), "P");
    EXPECT_EQ(charts::SymbolLetter(11), "");
    EXPECT_EQ(charts::SymbolLetter(0), "");
    // A type without a figure and beyond the letters draws nothing.
    ProgramState s = panel_test::PanelState();
    RecordingCanvas c;
    charts::DrawObjectSymbol(c, s, 100, 100, Request(15));
    EXPECT_TRUE(c.shapes.empty());
    EXPECT_TRUE(c.texts.empty());
}

// ---------------------------------------------------------------------------
// Body figures

TEST(ObjectSymbolFigures, NoPixelIsSetTwiceWithinAFigure) {
    // In exclusive-or mode a pixel set twice would vanish. The Moon is left
    // out: its two arcs meet at the horns by design.
    ProgramState s = panel_test::PanelState();
    for (int type : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(type);
        RecordingCanvas c;
        charts::DrawObjectSymbol(c, s, 100, 100, Request(type));
        EXPECT_FALSE(c.shapes.empty());
        EXPECT_EQ(MaxHits(c), 1);
        // Within about 10 pixels of the point.
        for (const auto& sh : c.shapes) {
            for (const Pixel& p : Pixels(sh)) {
                EXPECT_LE(std::abs(p.first - 100), 10);
                EXPECT_LE(std::abs(p.second - 100), 10);
            }
        }
    }
}

TEST(ObjectSymbolFigures, SunAndMoonAsDescribed) {
    ProgramState s = panel_test::PanelState();
    RecordingCanvas sun;
    charts::DrawObjectSymbol(sun, s, 50, 60, Request(1));
    ASSERT_EQ(sun.shapes.size(), 3u);
    EXPECT_EQ(sun.shapes[0].kind, Shape::Circle);
    EXPECT_EQ(sun.shapes[0].r, 4);
    EXPECT_EQ(sun.shapes[1].r, 1);
    EXPECT_EQ(sun.shapes[2].kind, Shape::Point);
    EXPECT_EQ(sun.shapes[2].x1, 50);
    EXPECT_EQ(sun.shapes[2].y1, 60);

    RecordingCanvas moon;
    charts::DrawObjectSymbol(moon, s, 50, 60, Request(2));
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
    ProgramState s = panel_test::PanelState();
    RecordingCanvas c;
    charts::DrawObjectSymbol(c, s, 200, 300, Request(1, charts::SymbolPlacement::ChartMarker));
    // The figure 13 right and 6 up, the disc of radius 6 on the point.
    EXPECT_EQ(c.shapes[0].x1, 213);
    EXPECT_EQ(c.shapes[0].y1, 294);
    const ShapeCall* disc = First(c, Shape::FillCircle);
    ASSERT_NE(disc, nullptr);
    EXPECT_EQ(disc->x1, 200);
    EXPECT_EQ(disc->y1, 300);
    EXPECT_EQ(disc->r, 6);
    EXPECT_EQ(disc->op, platform::RasterOp::NotXor);
    EXPECT_EQ(disc->pen, (platform::Colour{250, 250, 80}));
}

TEST(ObjectSymbolFigures, SystemMarkers) {
    struct Case {
        int type;
        int radius;
    };
    // Mercury and Venus 3, Mars and the types 11 to 13 4, the rest 6.
    const Case cases[] = {{3, 3}, {4, 3}, {5, 4}, {6, 6}, {9, 6}, {11, 4}, {12, 4}, {13, 4}};
    ProgramState s = panel_test::PanelState();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.type);
        RecordingCanvas c;
        charts::DrawObjectSymbol(c, s, 200, 300, Request(k.type, charts::SymbolPlacement::SystemMarker));
        const ShapeCall* disc = First(c, Shape::FillCircle);
        ASSERT_NE(disc, nullptr);
        EXPECT_EQ(disc->r, k.radius);
        EXPECT_EQ(disc->op, platform::RasterOp::Copy);
        // The figure stays exclusive-or.
        EXPECT_EQ(c.shapes[0].op, platform::RasterOp::NotXor);
    }
    // No Sun figure on the system view: only the disc.
    RecordingCanvas sun;
    charts::DrawObjectSymbol(sun, s, 200, 300, Request(1, charts::SymbolPlacement::SystemMarker));
    ASSERT_EQ(sun.shapes.size(), 1u);
    EXPECT_EQ(sun.shapes[0].kind, Shape::FillCircle);
    EXPECT_EQ(sun.op, platform::RasterOp::NotXor);
}

TEST(ObjectSymbolFigures, LargeDiameterBecomesTheLitDisc) {
    ProgramState s = panel_test::PanelState();
    charts::SymbolRequest r = Request(2, charts::SymbolPlacement::ChartMarker);
    r.diameterPx = 40;
    r.illuminatedFraction = 1;
    RecordingCanvas c;
    charts::DrawObjectSymbol(c, s, 300, 300, r);
    EXPECT_EQ(c.CountShapes(Shape::Polygon), 1);
    EXPECT_EQ(c.CountShapes(Shape::FillCircle), 0);  // no marker disc
    EXPECT_NEAR(Area(First(c, Shape::Polygon)->points), kPi * 20 * 20, 0.04 * kPi * 400);
    // 8 pixels is still the mark.
    r.diameterPx = 8;
    RecordingCanvas mark;
    charts::DrawObjectSymbol(mark, s, 300, 300, r);
    EXPECT_EQ(mark.CountShapes(Shape::Polygon), 0);
    EXPECT_EQ(mark.CountShapes(Shape::Arc), 2);
}

// ---------------------------------------------------------------------------
// Class symbols and Messier numbers

TEST(ObjectSymbolClasses, FiguresBySize) {
    ProgramState s = panel_test::PanelState();
    auto draw = [&s](int type, double size) {
        RecordingCanvas c;
        charts::SymbolRequest r = Request(type);
        r.size = size;
        charts::DrawObjectSymbol(c, s, 100, 100, r);
        return c;
    };
    {  // open cluster: circle of radius s
        const RecordingCanvas c = draw(19, 6);
        ASSERT_EQ(c.shapes.size(), 1u);
        EXPECT_EQ(c.shapes[0].kind, Shape::Circle);
        EXPECT_EQ(c.shapes[0].r, 6);
        EXPECT_EQ(c.shapes[0].pen, (platform::Colour{250, 60, 250}));
    }
    {  // globular cluster: circle s + 1 and strokes of half-length s
        const RecordingCanvas c = draw(20, 6);
        EXPECT_EQ(c.shapes[0].r, 7);
        const ShapeCall* h = First(c, Shape::Line);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->x1, 94);
        EXPECT_EQ(h->x2, 106);
        EXPECT_EQ(MaxHits(c), 1);
    }
    {  // planetary nebula: circles s and s - 2
        const RecordingCanvas c = draw(21, 6);
        ASSERT_EQ(c.CountShapes(Shape::Circle), 2);
        EXPECT_EQ(c.shapes[0].r, 6);
        EXPECT_EQ(c.shapes[1].r, 4);
    }
    {  // galaxy above size 4: ellipse s + 1 by (s + 1)/2.3
        const RecordingCanvas c = draw(22, 6);
        const ShapeCall* e = First(c, Shape::Ellipse);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->x2, 7);
        EXPECT_EQ(e->y2, 3);  // 3.04
    }
    {  // small galaxy: strokes of half-length s + 1 and (s + 1)/2.3
        const RecordingCanvas c = draw(22, 4);
        EXPECT_EQ(c.CountShapes(Shape::Ellipse), 0);
        const ShapeCall* h = First(c, Shape::Line);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->x1, 95);
        EXPECT_EQ(h->x2, 105);
        EXPECT_EQ(MaxHits(c), 1);
    }
    {  // emission nebula: square of half-side s
        const RecordingCanvas c = draw(23, 6);
        const ShapeCall* b = First(c, Shape::Box);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->x1, 94);
        EXPECT_EQ(b->y1, 94);
        EXPECT_EQ(b->x2, 106);
        EXPECT_EQ(b->y2, 106);
    }
}

TEST(ObjectSymbolClasses, MessierNumberBesideTheSymbol) {
    struct Case {
        float mode;
        int radius;
        int number;
        int type;
        bool shown;
    };
    const Case cases[] = {
        {5.0f, 430, 31, 22, true},    // equatorial chart
        {6.0f, 430, 31, 22, true},
        {2.0f, 430, 31, 22, false},   // object view of a Messier object
        {4.0f, 430, 31, 22, true},    // whole sky, large
        {4.0f, 180, 31, 22, false},   // whole sky, small
        {5.0f, 430, 0, 22, false},    // no number
        {5.0f, 430, 31, 6, false},    // not a class symbol
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        ProgramState s = panel_test::PanelState();
        s.ChartMode = k.mode;
        s.ChartRadius = k.radius;
        charts::SymbolRequest r = Request(k.type);
        r.size = 5;
        r.messierNumber = k.number;
        RecordingCanvas c;
        charts::DrawObjectSymbol(c, s, 200, 100, r);
        const auto* t = c.TextAt(203, 90);
        if (k.shown) {
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->text, "31");
            EXPECT_EQ(t->role, platform::FontRole::Value);
            EXPECT_EQ(t->op, platform::RasterOp::NotXor);
        } else {
            EXPECT_EQ(t, nullptr);
        }
    }
}

// ---------------------------------------------------------------------------
// The lit disc

TEST(PhaseDisc, LitAreaFollowsTheIlluminatedFraction) {
    // The lit part of a disc with illuminated fraction k covers k of its area.
    for (double k : {0.1, 0.25, 0.5, 0.75, 0.9, 1.0}) {
        SCOPED_TRACE(k);
        RecordingCanvas c;
        charts::DrawPhaseDisc(c, 400, 400, 60, k, 0.3);
        const ShapeCall* lit = First(c, Shape::Polygon);
        ASSERT_NE(lit, nullptr);
        EXPECT_TRUE(lit->filled);
        // Tolerance: the polygon's integer corners, about one pixel of rim.
        EXPECT_NEAR(Area(lit->points), k * kPi * 3600, 2 * kPi * 60);
        EXPECT_EQ(c.CountShapes(Shape::Arc), k < 1 ? 1 : 0);
    }
}

TEST(PhaseDisc, BrightLimbPointsAlongThePositionAngle) {
    struct Case {
        double positionAngleDeg;
        int dx, dy;  // screen direction of the lit side
    };
    // North up, east to the left.
    const Case cases[] = {{0, 0, -1}, {90, -1, 0}, {180, 0, 1}, {270, 1, 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.positionAngleDeg);
        const charts::ScreenDirection d = charts::DirectionOfPositionAngle(k.positionAngleDeg * kDegToRad);
        EXPECT_NEAR(d.dx, k.dx, 1e-12);
        EXPECT_NEAR(d.dy, k.dy, 1e-12);
        RecordingCanvas c;
        charts::DrawPhaseDisc(c, 400, 400, 50, 0.3, k.positionAngleDeg * kDegToRad);
        const ShapeCall* lit = First(c, Shape::Polygon);
        ASSERT_NE(lit, nullptr);
        // A crescent: every corner lies on the lit side of the centre line.
        for (auto [x, y] : lit->points) EXPECT_GE((x - 400) * k.dx + (y - 400) * k.dy, -1);
        // The dark limb: the half circle on the other side.
        const ShapeCall* arc = First(c, Shape::Arc);
        ASSERT_NE(arc, nullptr);
        const double mid = arc->start + arc->span / 2;
        EXPECT_NEAR(std::cos(mid), -k.dx, 1e-9);
        EXPECT_NEAR(-std::sin(mid), -k.dy, 1e-9);
        EXPECT_NEAR(arc->span, kPi, 1e-12);
    }
}

TEST(PhaseDisc, NewAndTinyDiscs) {
    RecordingCanvas dark;
    charts::DrawPhaseDisc(dark, 100, 100, 30, 0.0, 1.0);
    EXPECT_EQ(dark.CountShapes(Shape::Polygon), 0);
    ASSERT_EQ(dark.CountShapes(Shape::Circle), 1);
    EXPECT_EQ(dark.shapes[0].r, 30);

    RecordingCanvas tiny;
    charts::DrawPhaseDisc(tiny, 100, 100, 1.2, 0.8, 1.0);
    ASSERT_EQ(tiny.shapes.size(), 1u);
    EXPECT_EQ(tiny.shapes[0].kind, Shape::FillCircle);
    EXPECT_EQ(tiny.shapes[0].r, 1);

    RecordingCanvas broken;
    charts::DrawPhaseDisc(broken, 100, 100, std::nan(""), 0.5, 0);
    EXPECT_TRUE(broken.shapes.empty());
}

// ---------------------------------------------------------------------------
// Object picture and compass

TEST(ObjectPicture, BoxAndScales) {
    ProgramState s = panel_test::PanelState();
    const charts::PictureBox box = charts::ObjectViewPictureBox(s);
    // Centre ((780 + 1060)/2, 92 s).
    EXPECT_EQ(box.cx, 920);
    EXPECT_EQ(box.cy, 151);
    // Clear of the parameter panel and of the text panel.
    EXPECT_GT(box.cx - box.halfWidth, s.TextSplitX);
    EXPECT_LT(box.cx + box.halfWidth, s.ChartWidth);
    // Below the name box (30 s + 9 = 58) and the first text row.
    EXPECT_GT(box.cy - box.halfHeight, 58);
    EXPECT_GT(charts::PictureRadiusLimit(box), 60);

    BodyPosition moon;
    moon.diameter = 0.52;
    BodyPosition jupiter;
    jupiter.diameter = 0.0127;
    EXPECT_DOUBLE_EQ(charts::ObjectViewPixelsPerDegree(moon, 1.0), 150);
    EXPECT_DOUBLE_EQ(charts::ObjectViewPixelsPerDegree(jupiter, 2.0), 8000);
}

TEST(ObjectPicture, BodiesStarsAndClasses) {
    ProgramState s = panel_test::PanelState();
    const platform::Colour label{0x50, 0x50, 0x50};
    {  // A planet: the lit disc, diameter x scale / 2, in the label colour.
        BodyPosition p;
        p.index = 6;
        p.diameter = 0.0125;
        p.illuminatedFraction = 1;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 4000, 80);
        const ShapeCall* disc = First(c, Shape::Polygon);
        ASSERT_NE(disc, nullptr);
        EXPECT_NEAR(Area(disc->points), kPi * 25 * 25, 2 * kPi * 25);
        EXPECT_EQ(disc->pen, label);
        EXPECT_EQ(disc->op, platform::RasterOp::Copy);
    }
    {  // Larger than the box: held at the limit.
        BodyPosition p;
        p.index = 2;
        p.diameter = 2;
        p.illuminatedFraction = 1;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 150, 40);
        EXPECT_NEAR(Area(First(c, Shape::Polygon)->points), kPi * 40 * 40, 2 * kPi * 40);
    }
    {  // A star without a diameter: 0.55 (8 - 1.97) + 0.5 = 3.8 pixels.
        BodyPosition p;
        p.index = 12;
        p.diameter = 0;
        p.magnitude = 1.97;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 4000, 80);
        ASSERT_EQ(c.shapes.size(), 1u);
        EXPECT_EQ(c.shapes[0].kind, Shape::FillCircle);
        EXPECT_EQ(c.shapes[0].r, 4);
    }
    {  // A Messier galaxy: its class symbol at half the limit.
        BodyPosition p;
        p.index = 22;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 4000, 40);
        const ShapeCall* e = First(c, Shape::Ellipse);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->x1, 500);
        EXPECT_EQ(e->x2, 21);
        EXPECT_EQ(e->op, platform::RasterOp::Copy);
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
    const platform::Colour background{255, 255, 255};
    for (double tiltDeg : {20.0, -20.0}) {
        SCOPED_TRACE(tiltDeg);
        p.ringTilt = tiltDeg * kDegToRad;
        RecordingCanvas c;
        charts::DrawObjectPicture(c, s, p, 500, 500, 4000, 80);
        int ringLines = 0, frontLines = 0;
        int minX = 10000, maxX = -10000, minY = 10000, maxY = -10000;
        for (const auto& sh : c.shapes) {
            if (sh.kind != Shape::Line) continue;
            ++ringLines;
            minX = std::min({minX, sh.x1, sh.x2});
            maxX = std::max({maxX, sh.x1, sh.x2});
            minY = std::min({minY, sh.y1, sh.y2});
            maxY = std::max({maxY, sh.y1, sh.y2});
            if (sh.pen == background) {
                // In front of the globe: the half towards the Earth, south of
                // the centre when the Earth is north of the ring plane.
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
    const ShapeCall& up = c.shapes[0];
    const ShapeCall& left = c.shapes[1];
    EXPECT_EQ(up.x1, up.x2);
    EXPECT_LT(up.y2, up.y1);
    EXPECT_EQ(left.y1, left.y2);
    EXPECT_LT(left.x2, left.x1);
    // Inside the picture box.
    for (const auto* t : {north, east}) {
        EXPECT_GE(t->x, box.cx - box.halfWidth);
        EXPECT_GE(t->y, box.cy - box.halfHeight);
    }
    EXPECT_LE(up.y1, box.cy + box.halfHeight);
}

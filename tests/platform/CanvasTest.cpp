// The backing-store canvas: exact XOR / NOT-XOR restoration, pixel
// placement of the primitives, fonts, text, reading pixels and resizing.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "platform/qt/QtCanvas.h"

namespace {

using platform::Colour;
using platform::FontRole;
using platform::LineStyle;
using platform::RasterOp;
using platform::qt::QtCanvas;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kGrey{180, 180, 180};
constexpr Colour kGreen{55, 225, 55};

// Number of pixels whose colour differs between the two pictures.
int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) ++count;
        }
    }
    return count;
}

int PixelsOfColour(const QtCanvas& c, Colour colour, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (c.ReadPixel(x, y) == colour) ++count;
        }
    }
    return count;
}

struct Primitive {
    const char* name;
    std::function<void(QtCanvas&)> draw;
};

// Every kind of drawing the chart layers use, in several pen settings.
std::vector<Primitive> Primitives() {
    using Points = std::vector<std::pair<int, int>>;
    return {
        {"line", [](QtCanvas& c) { c.Line(5, 7, 180, 133); }},
        {"steep line", [](QtCanvas& c) { c.Line(100, 2, 104, 140); }},
        {"wide line", [](QtCanvas& c) { c.SetLineWidth(3); c.Line(10, 120, 190, 30); }},
        {"dashed line", [](QtCanvas& c) { c.SetLineStyle(LineStyle::Dash); c.Line(0, 70, 199, 75); }},
        {"dotted line", [](QtCanvas& c) { c.SetLineStyle(LineStyle::Dot); c.Line(30, 0, 60, 149); }},
        {"segmented polyline", [](QtCanvas& c) {
             c.Line(10, 10, 50, 30);
             c.Line(50, 30, 90, 12);
             c.Line(90, 12, 120, 80);
         }},
        {"box", [](QtCanvas& c) { c.Box(20, 20, 120, 90); }},
        {"wide box", [](QtCanvas& c) { c.SetLineWidth(2); c.Box(22, 24, 140, 100); }},
        {"filled box", [](QtCanvas& c) { c.FillBox(40, 30, 150, 110); }},
        {"filled box, wide edge", [](QtCanvas& c) { c.SetLineWidth(3); c.FillBox(40, 30, 150, 110); }},
        {"circle", [](QtCanvas& c) { c.Circle(100, 75, 40); }},
        {"filled circle", [](QtCanvas& c) { c.FillCircle(60, 60, 6); }},
        {"filled circle, pen like brush", [](QtCanvas& c) { c.SetBrush(kGreen); c.SetPen(kGreen); c.FillCircle(80, 70, 9); }},
        {"ellipse", [](QtCanvas& c) { c.Ellipse(100, 75, 30, 13); }},
        {"arc", [](QtCanvas& c) { c.Arc(100, 75, 8, -std::numbers::pi / 2, std::numbers::pi); }},
        {"polygon", [](QtCanvas& c) { c.Polygon(Points{{10, 10}, {90, 20}, {40, 100}}, false); }},
        {"filled polygon", [](QtCanvas& c) { c.Polygon(Points{{10, 10}, {90, 20}, {40, 100}}, true); }},
        {"point", [](QtCanvas& c) { c.Point(33, 44); }},
        {"wide point", [](QtCanvas& c) { c.SetLineWidth(4); c.Point(33, 44); }},
        {"label text", [](QtCanvas& c) { c.SetFont(FontRole::Label); c.Text(10, 10, "Sternbilder Äquator"); }},
        {"value text", [](QtCanvas& c) { c.SetFont(FontRole::Value); c.Text(10, 40, "12h 34m 56.7s"); }},
        {"table text", [](QtCanvas& c) { c.SetFont(FontRole::Table, 14); c.Text(10, 60, "M 31  Ga  3.4"); }},
        {"symbol text", [](QtCanvas& c) { c.SetFont(FontRole::Symbol); c.Text(10, 90, "α= δ= Δ= ∅= °"); }},
        {"note text", [](QtCanvas& c) { c.SetFont(FontRole::Note); c.Text(120, 100, "-15° Dämmerung:"); }},
        {"heading text", [](QtCanvas& c) { c.SetFont(FontRole::Heading); c.Text(20, 120, "Aktuelle Parameter:"); }},
        {"text on opaque background", [](QtCanvas& c) {
             c.SetTextBackground(kBlue, true);
             c.Text(15, 15, "Az= 123.4");
         }},
        {"text clipped at the edge", [](QtCanvas& c) { c.Text(185, 140, "Neptun"); }},
        {"dashed box", [](QtCanvas& c) { c.SetLineStyle(LineStyle::Dash); c.Box(12, 18, 150, 120); }},
        {"line without length", [](QtCanvas& c) { c.Line(70, 70, 70, 70); }},
        {"line from far outside", [](QtCanvas& c) { c.Line(-30000, 40, 30000, 90); }},
        {"steep line leaving the picture", [](QtCanvas& c) { c.Line(150, 100, 120, 4000); }},
        {"device pixel runs of an exact line", [](QtCanvas& c) {
             const int r = c.PixelRatio();
             for (int y = 0; y < 40 * r; ++y) c.DeviceRun(20 * r + y, 20 * r + y + r, 30 * r + y);
         }},
    };
}

// Something under the overlay, so that restoring is not just clearing.
void PaintScenery(QtCanvas& c, Colour background, Colour ink) {
    c.Clear(background);
    c.SetRasterOp(RasterOp::Copy);
    c.SetPen(ink);
    c.SetBrush(kBlue);
    c.FillBox(60, 50, 90, 80);
    c.Circle(100, 75, 25);
    c.Text(20, 100, "Orion");
    for (int i = 0; i < 30; ++i) c.Point(7 * i % 200, 13 * i % 150);
}

void ExpectDrawingTwiceRestores(RasterOp op, Colour background, Colour ink, int ratio = 1) {
    for (const Primitive& primitive : Primitives()) {
        SCOPED_TRACE(primitive.name);
        QtCanvas c(200, 150);
        c.SetPixelRatio(ratio);
        PaintScenery(c, background, ink);
        const QImage before = c.Image().copy();
        auto drawOnce = [&]() {
            c.SetRasterOp(op);
            c.SetPen(kRed);
            c.SetBrush(kGreen);
            c.SetLineWidth(1);
            c.SetLineStyle(LineStyle::Solid);
            c.SetTextBackground(background, false);
            c.SetFont(FontRole::Label);
            primitive.draw(c);
        };
        drawOnce();
        EXPECT_GT(DifferingPixels(before, c.Image()), 0) << "the primitive drew nothing";
        drawOnce();
        EXPECT_EQ(DifferingPixels(before, c.Image()), 0);
    }
}

TEST(CanvasRasterOps, XorTwiceRestoresEveryPrimitiveOnBlack) {
    ExpectDrawingTwiceRestores(RasterOp::Xor, kBlack, kGrey);
}

TEST(CanvasRasterOps, NotXorTwiceRestoresEveryPrimitiveOnWhite) {
    ExpectDrawingTwiceRestores(RasterOp::NotXor, kWhite, Colour{80, 80, 80});
}

// On a high-resolution screen's finer grid as well.
TEST(CanvasRasterOps, XorAndNotXorTwiceRestoreEveryPrimitiveOnFinerGrids) {
    for (int ratio : {2, 3}) {
        SCOPED_TRACE(ratio);
        ExpectDrawingTwiceRestores(RasterOp::Xor, kBlack, kGrey, ratio);
        ExpectDrawingTwiceRestores(RasterOp::NotXor, kWhite, Colour{80, 80, 80}, ratio);
    }
}

TEST(CanvasRasterOps, PixelArithmeticOfTheModes) {
    QtCanvas c(20, 20);
    c.Clear(kBlue);
    c.SetPen(kRed);
    c.SetRasterOp(RasterOp::Xor);
    c.Point(1, 1);
    EXPECT_EQ(c.ReadPixel(1, 1), (Colour{255, 0, 255}));

    c.Clear(kWhite);
    c.SetRasterOp(RasterOp::NotXor);
    c.SetPen(kBlack);
    c.Point(2, 2);  // black ink on white shows black
    EXPECT_EQ(c.ReadPixel(2, 2), kBlack);
    c.SetPen(Colour{55, 225, 55});
    c.Point(3, 3);  // ~(ink ^ white) = ink
    EXPECT_EQ(c.ReadPixel(3, 3), (Colour{55, 225, 55}));

    c.Clear(kBlue);
    c.SetRasterOp(RasterOp::Merge);
    c.SetPen(kRed);
    c.Point(4, 4);
    c.Point(4, 4);  // merging is idempotent
    EXPECT_EQ(c.ReadPixel(4, 4), (Colour{255, 0, 255}));

    c.SetRasterOp(RasterOp::Copy);
    c.SetPen(kGreen);
    c.Point(4, 4);
    EXPECT_EQ(c.ReadPixel(4, 4), kGreen);
}

TEST(CanvasRasterOps, XorTextOnBlackShowsThePenColour) {
    QtCanvas c(120, 40);
    c.Clear(kBlack);
    c.SetRasterOp(RasterOp::Xor);
    c.SetPen(kGrey);
    c.Text(5, 5, "M 42");
    const int ink = PixelsOfColour(c, kGrey, 0, 0, 119, 39);
    EXPECT_GT(ink, 10);
    // No antialiasing: every pixel is either ink or background.
    EXPECT_EQ(ink + PixelsOfColour(c, kBlack, 0, 0, 119, 39), 120 * 40);

    // On an opaque text background each pixel is inverted once: the glyphs
    // show the pen colour, the rest of the box the background colour.
    c.Clear(kBlack);
    c.SetTextBackground(kBlue, true);
    c.Text(5, 5, "M 42");
    const int box = c.TextWidth("M 42") * c.TextHeight();
    EXPECT_EQ(PixelsOfColour(c, kGrey, 0, 0, 119, 39), ink);
    EXPECT_EQ(PixelsOfColour(c, kGrey, 0, 0, 119, 39) + PixelsOfColour(c, kBlue, 0, 0, 119, 39), box);
}

TEST(CanvasGeometry, OnePixelLinesLeaveOutTheirLastPixel) {
    QtCanvas c(60, 60);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.Line(10, 10, 20, 10);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 0, 59, 59), 10);
    EXPECT_EQ(c.ReadPixel(10, 10), kWhite);
    EXPECT_EQ(c.ReadPixel(19, 10), kWhite);
    EXPECT_EQ(c.ReadPixel(20, 10), kBlack);
}

TEST(CanvasGeometry, XorSegmentsJoinWithoutGaps) {
    QtCanvas c(60, 60);
    c.Clear(kBlack);
    c.SetRasterOp(RasterOp::Xor);
    c.SetPen(kWhite);
    c.Line(10, 30, 30, 30);
    c.Line(30, 30, 30, 50);
    c.Line(30, 50, 50, 50);
    for (int x = 10; x < 30; ++x) EXPECT_EQ(c.ReadPixel(x, 30), kWhite) << x;
    for (int y = 30; y < 50; ++y) EXPECT_EQ(c.ReadPixel(30, y), kWhite) << y;
    for (int x = 30; x < 50; ++x) EXPECT_EQ(c.ReadPixel(x, 50), kWhite) << x;
}

TEST(CanvasGeometry, BoxesIncludeBothCornersAndFillInside) {
    QtCanvas c(60, 60);
    c.Clear(kBlack);
    c.SetRasterOp(RasterOp::Xor);
    c.SetPen(kWhite);
    c.Box(10, 10, 20, 15);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{10, 10}, {20, 10}, {10, 15}, {20, 15}, {15, 10}, {10, 12}}) {
        EXPECT_EQ(c.ReadPixel(x, y), kWhite) << x << "," << y;
    }
    EXPECT_EQ(c.ReadPixel(15, 12), kBlack);
    EXPECT_EQ(c.ReadPixel(21, 15), kBlack);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 0, 59, 59), 2 * 11 + 2 * 4);

    c.Clear(kBlack);
    c.SetPen(kRed);
    c.SetBrush(kBlue);
    c.FillBox(30, 30, 40, 40);
    EXPECT_EQ(c.ReadPixel(30, 30), kRed);
    EXPECT_EQ(c.ReadPixel(40, 35), kRed);
    EXPECT_EQ(c.ReadPixel(35, 35), kBlue);
    EXPECT_EQ(PixelsOfColour(c, kBlue, 0, 0, 59, 59), 9 * 9);

    // A wide edge in XOR: inside and edge alike leave no hole.
    c.Clear(kBlack);
    c.SetLineWidth(3);
    c.SetPen(kGreen);
    c.SetBrush(kGreen);
    c.FillBox(20, 20, 40, 40);
    EXPECT_EQ(PixelsOfColour(c, kGreen, 21, 21, 39, 39), 19 * 19);
}

TEST(CanvasGeometry, CirclesHaveTheirRadiusAndXorDiscsHaveNoRing) {
    QtCanvas c(100, 100);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.Circle(50, 50, 10);
    EXPECT_EQ(c.ReadPixel(60, 50), kWhite);
    EXPECT_EQ(c.ReadPixel(40, 50), kWhite);
    EXPECT_EQ(c.ReadPixel(50, 40), kWhite);
    EXPECT_EQ(c.ReadPixel(61, 50), kBlack);
    EXPECT_EQ(c.ReadPixel(50, 50), kBlack);

    // A body's disc: XOR, pen and brush alike; every pixel inside is ink.
    c.Clear(kBlack);
    c.SetRasterOp(RasterOp::Xor);
    c.SetPen(kGreen);
    c.SetBrush(kGreen);
    c.FillCircle(50, 50, 6);
    for (int dy = -5; dy <= 5; ++dy) {
        for (int dx = -5; dx <= 5; ++dx) {
            if (dx * dx + dy * dy <= 25) {
                EXPECT_EQ(c.ReadPixel(50 + dx, 50 + dy), kGreen) << dx << "," << dy;
            }
        }
    }
    EXPECT_EQ(c.ReadPixel(50, 57), kBlack);
}

TEST(CanvasGeometry, ArcRunsCounterClockwiseFromTheRight) {
    QtCanvas c(60, 60);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    // A quarter from angle 0 (right) to 90 degrees (up on the screen).
    c.Arc(30, 30, 10, 0, std::numbers::pi / 2);
    EXPECT_GT(PixelsOfColour(c, kWhite, 31, 19, 41, 29), 5);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 32, 59, 59), 0);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 0, 28, 59), 0);
}

TEST(CanvasGeometry, LineWidthAndStyle) {
    QtCanvas c(80, 40);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.SetLineWidth(3);
    c.Line(10, 20, 70, 20);
    EXPECT_EQ(c.ReadPixel(40, 19), kWhite);
    EXPECT_EQ(c.ReadPixel(40, 20), kWhite);
    EXPECT_EQ(c.ReadPixel(40, 21), kWhite);
    EXPECT_EQ(c.ReadPixel(40, 23), kBlack);

    c.Clear(kBlack);
    c.SetLineWidth(1);
    c.SetLineStyle(LineStyle::Dash);
    c.Line(0, 5, 80, 5);
    const int dashed = PixelsOfColour(c, kWhite, 0, 5, 79, 5);
    EXPECT_GT(dashed, 20);
    EXPECT_LT(dashed, 75);
}

TEST(CanvasText, FixedPitchRolesAreFixedPitch) {
    QtCanvas c(100, 100);
    for (FontRole role : {FontRole::Value, FontRole::Table, FontRole::PrinterTable}) {
        c.SetFont(role);
        EXPECT_TRUE(QFontInfo(c.CurrentFont()).fixedPitch());
        EXPECT_GT(c.TextWidth("iiii"), 0);
        EXPECT_EQ(c.TextWidth("iiii"), c.TextWidth("WWWW"));
        EXPECT_EQ(c.TextWidth("1234567890"), c.TextWidth(" .:-+°'\"ÄÖ"));
        EXPECT_EQ(c.TextWidth("0123456789"), 10 * c.TextWidth("0"));
    }
    c.SetFont(FontRole::Label);
    EXPECT_LT(c.TextWidth("iiii"), c.TextWidth("WWWW"));
}

TEST(CanvasText, FontsAreTheNamedFamiliesAtPixelSizes) {
    QtCanvas c(10, 10);
    c.SetFont(FontRole::Table);
    EXPECT_EQ(QFontInfo(c.CurrentFont()).family(), QStringLiteral("DejaVu Sans Mono"));
    c.SetFont(FontRole::Label);
    EXPECT_EQ(QFontInfo(c.CurrentFont()).family(), QStringLiteral("DejaVu Sans"));
    // 96 pixels per inch: 9 points are 12 pixels, 15 points 20.
    EXPECT_EQ(c.CurrentFont().pixelSize(), 12);
    c.SetFont(FontRole::Value, 15);
    EXPECT_EQ(c.CurrentFont().pixelSize(), 20);
    const int h15 = c.TextHeight();
    c.SetFont(FontRole::Value, 8);
    EXPECT_LT(c.TextHeight(), h15);
}

TEST(CanvasText, SymbolFontHasTheSignsOfTheLabels) {
    QtCanvas c(10, 10);
    c.SetFont(FontRole::Symbol);
    const QFontMetrics fm(c.CurrentFont());
    for (char32_t sign : {U'α', U'δ', U'Δ', U'∅', U'°', U'ä', U'ö', U'ü', U'ß', U'Ä'}) {
        EXPECT_TRUE(fm.inFontUcs4(sign)) << static_cast<unsigned>(sign);
    }
}

TEST(CanvasText, TextSitsBelowAndRightOfItsCorner) {
    QtCanvas c(100, 60);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.SetFont(FontRole::Label);
    c.Text(20, 20, "Wg");
    const int w = c.TextWidth("Wg"), h = c.TextHeight();
    EXPECT_GT(PixelsOfColour(c, kWhite, 20, 20, 20 + w, 20 + h - 1), 10);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 0, 99, 19), 0);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 20 + h, 99, 59), 0);
    EXPECT_EQ(PixelsOfColour(c, kWhite, 0, 0, 19, 59), 0);
}

TEST(CanvasText, OpaqueBackgroundCoversTheTextBox) {
    QtCanvas c(120, 40);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.SetTextBackground(kBlue, true);
    c.Text(10, 10, "Hs=   ");  // trailing blanks overwrite older text
    const int w = c.TextWidth("Hs=   "), h = c.TextHeight();
    EXPECT_EQ(c.ReadPixel(10 + w - 1, 10 + h - 1), kBlue);
    EXPECT_EQ(c.ReadPixel(10, 10), kBlue);
    EXPECT_EQ(c.ReadPixel(10 + w, 10), kBlack);
    EXPECT_EQ(PixelsOfColour(c, kBlue, 0, 0, 119, 39) + PixelsOfColour(c, kWhite, 0, 0, 119, 39), w * h);

    c.Clear(kBlack);
    c.SetTextBackground(kBlue, false);
    c.Text(10, 10, "Hs=   ");
    EXPECT_EQ(PixelsOfColour(c, kBlue, 0, 0, 119, 39), 0);
}

TEST(CanvasPixels, ReadPixelAfterDrawingAndOutside) {
    QtCanvas c(50, 40);
    c.Clear(Colour{1, 2, 3});
    EXPECT_EQ(c.Width(), 50);
    EXPECT_EQ(c.Height(), 40);
    EXPECT_EQ(c.ReadPixel(0, 0), (Colour{1, 2, 3}));
    c.SetPen(Colour{200, 100, 50});
    c.Point(49, 39);
    EXPECT_EQ(c.ReadPixel(49, 39), (Colour{200, 100, 50}));
    c.SetBrush(Colour{10, 20, 30});
    c.SetPen(Colour{10, 20, 30});
    c.FillBox(0, 0, 4, 4);
    EXPECT_EQ(c.ReadPixel(2, 2), (Colour{10, 20, 30}));
    // Outside the picture: the background.
    EXPECT_EQ(c.ReadPixel(-1, 5), (Colour{1, 2, 3}));
    EXPECT_EQ(c.ReadPixel(50, 5), (Colour{1, 2, 3}));
}

TEST(CanvasPixels, ResizeKeepsThePictureAtTheTopLeft) {
    QtCanvas c(40, 30);
    c.Clear(kBlack);
    c.SetPen(kRed);
    c.Point(5, 5);
    c.Point(39, 29);
    c.Resize(80, 60);
    EXPECT_EQ(c.Width(), 80);
    EXPECT_EQ(c.Height(), 60);
    EXPECT_EQ(c.ReadPixel(5, 5), kRed);
    EXPECT_EQ(c.ReadPixel(39, 29), kRed);
    EXPECT_EQ(c.ReadPixel(70, 50), kBlack);  // new parts get the cleared colour
    c.Resize(20, 10);
    EXPECT_EQ(c.ReadPixel(5, 5), kRed);
    c.Clear(kWhite);
    c.Resize(30, 20);
    EXPECT_EQ(c.ReadPixel(25, 15), kWhite);
}

TEST(CanvasPixels, ChangesAreReportedOnceUntilShown) {
    QtCanvas c(20, 20);
    int reports = 0;
    c.onChanged = [&]() { ++reports; };
    c.Point(1, 1);
    c.Line(0, 0, 10, 10);
    EXPECT_EQ(reports, 1);
    c.ResetChanged();
    c.Clear(kBlue);
    EXPECT_EQ(reports, 2);
}

}  // namespace

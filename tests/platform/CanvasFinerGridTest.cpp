// The canvas on a high-resolution screen's finer grid: the same picture
// coordinates, ratio x ratio device pixels for each picture pixel, lines,
// discs and text drawn with the device pixels.
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

constexpr QRgb kInk = 0xFFFFFFFFu;

// The device pixels that are not black, and the box around them.
struct Ink {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink InkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0) {
                ++ink.count;
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// A white drawing on black at the given ratio.
QImage Drawn(int ratio, const std::function<void(QtCanvas&)>& draw, int width = 200, int height = 150) {
    QtCanvas c(width, height);
    c.SetPixelRatio(ratio);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.SetBrush(kWhite);
    draw(c);
    return c.Image().copy();
}

// The picture of ratio 1 with every pixel made a ratio x ratio block.
QImage Enlarged(const QImage& image, int ratio) {
    return image.scaled(image.width() * ratio, image.height() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) ++count;
    return count;
}

}  // namespace

TEST(CanvasFinerGrid, PictureCoordinatesStayAndTheImageHasTheDevicePixels) {
    QtCanvas c(50, 40);
    c.Clear(kBlack);
    c.SetPen(kRed);
    c.Point(5, 5);
    c.SetPixelRatio(2);
    EXPECT_EQ(c.PixelRatio(), 2);
    EXPECT_EQ(c.Width(), 50);
    EXPECT_EQ(c.Height(), 40);
    EXPECT_EQ(c.Image().size(), QSize(100, 80));
    EXPECT_EQ(c.Image().devicePixelRatio(), 2.0);
    // The old picture stays in view, enlarged, until it is drawn again.
    EXPECT_EQ(c.ReadPixel(5, 5), kRed);
    EXPECT_EQ(c.Image().pixel(11, 11), qRgb(255, 0, 0));

    // A point is its picture pixel's block of device pixels.
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.Point(49, 39);
    EXPECT_EQ(InkOf(c.Image()).count, 4);
    for (int y : {78, 79})
        for (int x : {98, 99}) EXPECT_EQ(c.Image().pixel(x, y), kInk) << x << "," << y;
    EXPECT_EQ(c.ReadPixel(49, 39), kWhite);
    EXPECT_EQ(c.ReadPixel(50, 39), kBlack);  // outside: the background

    // Resizing keeps the ratio and the picture.
    c.Resize(80, 60);
    EXPECT_EQ(c.Image().size(), QSize(160, 120));
    EXPECT_EQ(c.ReadPixel(49, 39), kWhite);

    // The ratios are whole numbers from 1 to 4.
    c.SetPixelRatio(9);
    EXPECT_EQ(c.PixelRatio(), platform::qt::kMaxPixelRatio);
    c.SetPixelRatio(0);
    EXPECT_EQ(c.PixelRatio(), 1);
    EXPECT_EQ(c.Image().size(), QSize(80, 60));
    EXPECT_EQ(c.ReadPixel(49, 39), kWhite);
}

// A line of one picture pixel is ratio device pixels across and runs over
// ratio times as many steps: ratio x ratio as many pixels, in a box ratio
// times as large, leaving out its last picture pixel as on the picture's
// own grid.
TEST(CanvasFinerGrid, LinesCoverRatioTimesTheDevicePixelsInEachDirection) {
    struct Case {
        int x1, y1, x2, y2;
    };
    for (const Case& l : {Case{10, 10, 20, 10}, Case{30, 140, 30, 5}, Case{5, 7, 180, 133}, Case{100, 2, 104, 140},
                          Case{190, 20, 15, 60}, Case{60, 60, 90, 30}}) {
        SCOPED_TRACE(std::to_string(l.x1) + "," + std::to_string(l.y1) + " - " + std::to_string(l.x2) + "," +
                     std::to_string(l.y2));
        const Ink one = InkOf(Drawn(1, [&](QtCanvas& c) { c.Line(l.x1, l.y1, l.x2, l.y2); }));
        for (int ratio : {2, 3}) {
            SCOPED_TRACE(ratio);
            const Ink fine = InkOf(Drawn(ratio, [&](QtCanvas& c) { c.Line(l.x1, l.y1, l.x2, l.y2); }));
            EXPECT_EQ(fine.count, ratio * ratio * one.count);
            // The box: the picture pixels' blocks, give or take a picture
            // pixel where a step half-way between two rows (or columns) is
            // rounded to the one on one grid and to the other on the other.
            EXPECT_NEAR(fine.left, ratio * one.left, ratio);
            EXPECT_NEAR(fine.top, ratio * one.top, ratio);
            EXPECT_NEAR(fine.right, ratio * one.right + ratio - 1, ratio);
            EXPECT_NEAR(fine.bottom, ratio * one.bottom + ratio - 1, ratio);
        }
    }
    // A horizontal line is exactly the blocks of its picture pixels.
    const QImage line = Drawn(2, [](QtCanvas& c) { c.Line(10, 10, 20, 10); });
    const Ink ink = InkOf(line);
    EXPECT_EQ(ink.left, 20);
    EXPECT_EQ(ink.right, 39);
    EXPECT_EQ(ink.top, 20);
    EXPECT_EQ(ink.bottom, 21);
    EXPECT_EQ(ink.count, 40);

    // Wide lines are as wide in picture pixels: 3 pixels are 6 device pixels.
    const QImage wide = Drawn(2, [](QtCanvas& c) {
        c.SetLineWidth(3);
        c.Line(10, 20, 70, 20);
    });
    int across = 0;
    for (int y = 0; y < wide.height(); ++y) across += wide.pixel(80, y) == kInk;
    EXPECT_EQ(across, 6);

    // The dashes have the lengths they have on the picture's grid.
    const Ink dashed = InkOf(Drawn(2, [](QtCanvas& c) {
        c.SetLineStyle(LineStyle::Dash);
        c.Line(0, 5, 120, 5);
    }));
    EXPECT_EQ(dashed.count, 2 * 2 * 4 * 20);  // 20 dashes of 4 pixels in 120
}

TEST(CanvasFinerGrid, XorSegmentsJoinWithoutGaps) {
    QtCanvas c(60, 60);
    c.SetPixelRatio(2);
    c.Clear(kBlack);
    c.SetRasterOp(RasterOp::Xor);
    c.SetPen(kWhite);
    c.Line(10, 30, 30, 30);
    c.Line(30, 30, 30, 50);
    c.Line(30, 50, 50, 50);
    c.Line(50, 50, 20, 5);  // and a diagonal back
    const QImage image = c.Image();
    for (int x = 20; x < 60; ++x)
        for (int y : {60, 61}) EXPECT_EQ(image.pixel(x, y), kInk) << x << "," << y;
    for (int y = 60; y < 100; ++y)
        for (int x : {60, 61}) EXPECT_EQ(image.pixel(x, y), kInk) << x << "," << y;
    for (int x = 60; x < 100; ++x)
        for (int y : {100, 101}) EXPECT_EQ(image.pixel(x, y), kInk) << x << "," << y;
    // Each segment's pixels once, none of a joint taken away again.
    EXPECT_EQ(InkOf(image).count, 4 * (20 + 20 + 20 + 45));
}

// Discs and circles are drawn with the device pixels: their edges are finer
// than the picture's blocks, and they stay centred on their picture pixel
// and within its blocks.
TEST(CanvasFinerGrid, DiscsAndCirclesAreRoundOnTheFinerGrid) {
    for (int ratio : {2, 3}) {
        SCOPED_TRACE(ratio);
        for (bool filled : {true, false}) {
            SCOPED_TRACE(filled ? "disc" : "circle");
            const auto draw = [&](QtCanvas& c) { filled ? c.FillCircle(60, 50, 9) : c.Circle(60, 50, 9); };
            const QImage one = Drawn(1, draw);
            const QImage fine = Drawn(ratio, draw);
            const Ink oneInk = InkOf(one), fineInk = InkOf(fine);
            EXPECT_EQ(fineInk.left, ratio * oneInk.left);
            EXPECT_EQ(fineInk.right, ratio * oneInk.right + ratio - 1);
            EXPECT_EQ(fineInk.top, ratio * oneInk.top);
            EXPECT_EQ(fineInk.bottom, ratio * oneInk.bottom + ratio - 1);
            // Symmetric about the middle of the picture pixel.
            const int cx = 60 * ratio + (ratio - 1) / 2, cy = 50 * ratio + (ratio - 1) / 2;
            int asymmetric = 0;
            for (int dy = -30; dy <= 30; ++dy)
                for (int dx = -30; dx <= 30; ++dx) {
                    const int mx = ratio % 2 == 0 ? 2 * cx + 1 - (cx + dx) : 2 * cx - (cx + dx);
                    asymmetric += fine.pixel(cx + dx, cy + dy) != fine.pixel(mx, cy + dy);
                }
            EXPECT_EQ(asymmetric, 0);
            // Not the enlarged picture of ratio 1.
            EXPECT_GT(DifferingPixels(fine, Enlarged(one, ratio)), 8);
        }
    }
}

// Text is drawn with the font at the device resolution, not as the enlarged
// glyphs of the picture's grid, and in the same place and size.
TEST(CanvasFinerGrid, TextIsDrawnAtTheDeviceResolution) {
    for (FontRole role : {FontRole::Label, FontRole::Value, FontRole::Symbol}) {
        SCOPED_TRACE(static_cast<int>(role));
        int width = 0, height = 0;
        const auto draw = [&](QtCanvas& c) {
            c.SetFont(role);
            c.Text(20, 20, "Orion α= 12h 34m");
            width = c.TextWidth("Orion α= 12h 34m");
            height = c.TextHeight();
        };
        const QImage one = Drawn(1, draw);
        const int oneWidth = width, oneHeight = height;
        const QImage fine = Drawn(2, draw);
        // The measures are those of the picture's grid.
        EXPECT_EQ(width, oneWidth);
        EXPECT_EQ(height, oneHeight);
        const Ink oneInk = InkOf(one), fineInk = InkOf(fine);
        // Strokes as wide as on the picture's grid: about four times the
        // device pixels (hinting at the larger size makes a stem one pixel
        // wider or narrower here and there).
        EXPECT_GT(fineInk.count, 3 * oneInk.count);
        EXPECT_LT(fineInk.count, 5 * oneInk.count);
        // Within the text's box.
        EXPECT_GE(fineInk.left, 2 * 20);
        EXPECT_GE(fineInk.top, 2 * 20);
        EXPECT_LT(fineInk.right, 2 * (20 + width) + 2);
        EXPECT_LT(fineInk.bottom, 2 * (20 + height));
        // Many edge pixels differ from the enlarged glyphs.
        EXPECT_GT(DifferingPixels(fine, Enlarged(one, 2)), oneInk.count / 2);
    }
}

TEST(CanvasFinerGrid, DeviceRunsSetExactlyTheirPixels) {
    QtCanvas c(20, 10);
    c.SetPixelRatio(2);
    c.Clear(kBlack);
    c.SetPen(kWhite);
    c.SetRasterOp(RasterOp::Xor);
    c.DeviceRun(7, 3, 4);  // either order
    c.DeviceRun(38, 45, 19);  // clipped at the edge
    const QImage image = c.Image();
    EXPECT_EQ(InkOf(image).count, 5 + 2);
    for (int x = 3; x <= 7; ++x) EXPECT_EQ(image.pixel(x, 4), kInk) << x;
    EXPECT_EQ(image.pixel(39, 19), kInk);
    // A picture pixel reads as its top-left device pixel: (2, 2) is device
    // pixel (4, 4), (1, 2) is (2, 4).
    EXPECT_EQ(c.ReadPixel(2, 2), kWhite);
    EXPECT_EQ(c.ReadPixel(1, 2), kBlack);
}

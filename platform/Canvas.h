// The drawing area as the program sees it: a persistent picture that every
// drawing operation paints into (the window only shows it). Overlay layers
// are drawn with XOR (NOT-XOR on a white background) so that drawing them a
// second time restores the picture exactly.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

// 0xRRGGBB as a drawing colour.
constexpr Colour ColourFromRgb(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>((rgb >> 16) & 0xFF), static_cast<std::uint8_t>((rgb >> 8) & 0xFF),
            static_cast<std::uint8_t>(rgb & 0xFF)};
}

enum class RasterOp { Copy, Xor, NotXor, Merge };

enum class LineStyle { Solid, Dash, Dot };

// Font roles of the program's texts. Symbol draws the Greek letters and
// signs of the labels (the program passes them as Unicode: α δ Δ ∅ °).
enum class FontRole {
    Label,    // system font, labels
    Value,    // fixed pitch, values
    Note,     // smaller notes
    Table,    // fixed pitch, text tables
    // The printed tables: "courier new" asked for by name; where the system
    // lacks it, the font system's fixed-pitch family stands in.
    PrinterTable,
    Symbol,   // Greek labels
    Heading,  // the device's default font
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Fills the whole picture with the colour.
    virtual void Clear(Colour background) = 0;
    // Colour of lines, outlines, points and text.
    virtual void SetPen(Colour c) = 0;
    // Colour inside filled shapes.
    virtual void SetBrush(Colour c) = 0;
    // Background behind text: opaque (cleared to the colour first) or transparent.
    virtual void SetTextBackground(Colour c, bool opaque) = 0;
    virtual void SetRasterOp(RasterOp op) = 0;
    virtual void SetLineWidth(int pixels) = 0;
    virtual void SetLineStyle(LineStyle style) = 0;
    // pointSize 0 chooses the role's standard size.
    virtual void SetFont(FontRole role, double pointSize = 0) = 0;

    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Box(int x1, int y1, int x2, int y2) = 0;       // outline
    virtual void FillBox(int x1, int y1, int x2, int y2) = 0;   // brush inside, pen edge
    virtual void Circle(int cx, int cy, int r) = 0;
    virtual void FillCircle(int cx, int cy, int r) = 0;
    virtual void Ellipse(int cx, int cy, int rx, int ry) = 0;
    // Arc from startRad over spanRad, counter-clockwise on the screen,
    // angle 0 pointing right.
    virtual void Arc(int cx, int cy, int r, double startRad, double spanRad) = 0;
    virtual void Polygon(const std::vector<std::pair<int, int>>& points, bool filled) = 0;
    virtual void Point(int x, int y) = 0;
    // UTF-8 text with its top-left corner at (x, y) in the current font.
    virtual void Text(int x, int y, const std::string& utf8) = 0;
    virtual int TextWidth(const std::string& utf8) const = 0;
    virtual int TextHeight() const = 0;

    // The colour of the picture pixel (on a finer grid: of its top-left
    // device pixel).
    virtual Colour ReadPixel(int x, int y) const = 0;

    // Device pixels per picture pixel along each axis: 1, or 2 and more on
    // a high-resolution screen. All coordinates above are picture pixels;
    // the device pixels only make lines, discs and text finer.
    virtual int PixelRatio() const { return 1; }
    // A row of device pixels from dx1 to dx2 (inclusive) in device row dy,
    // in the pen colour and raster op: the exact overlay lines set their
    // pixels on the finer grid this way. Without a finer grid it is a box
    // one pixel high.
    virtual void DeviceRun(int dx1, int dx2, int dy) { FillBox(dx1, dy, dx2, dy); }
};

}  // namespace platform

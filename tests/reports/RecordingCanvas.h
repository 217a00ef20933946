// A canvas for the tests: it records every text and shape with the drawing
// state at the time of the call, and keeps a simple pixel grid (lines,
// boxes and points, copy and exclusive-or) for ReadPixel. Text is measured
// as 8 x 16 pixel cells.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

namespace testing_canvas {

using platform::Colour;
using platform::FontRole;
using platform::RasterOp;

struct TextCall {
    int x = 0, y = 0;
    std::string text;
    FontRole role = FontRole::Label;
    double pointSize = 0;
    Colour pen;
    RasterOp op = RasterOp::Copy;
    bool opaque = false;
};

enum class Shape { Line, Box, FillBox, Circle, FillCircle, Ellipse, Arc, Polygon, Point };

struct ShapeCall {
    Shape kind = Shape::Line;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line, boxes; centre and radii of circles and ellipses
    int r = 0;
    double start = 0, span = 0;          // Arc
    std::vector<std::pair<int, int>> points;
    bool filled = false;
    Colour pen, brush;
    RasterOp op = RasterOp::Copy;
    int lineWidth = 1;
};

class RecordingCanvas : public platform::Canvas {
public:
    RecordingCanvas(int width = 1301, int height = 901, Colour background = {255, 255, 255})
        : w_(width), h_(height), pixels_(static_cast<std::size_t>(width * height), background) {}

    std::vector<TextCall> texts;
    std::vector<ShapeCall> shapes;
    Colour pen, brush, textBackground;
    bool textOpaque = false;
    RasterOp op = RasterOp::Copy;
    int lineWidth = 1;
    platform::LineStyle lineStyle = platform::LineStyle::Solid;
    FontRole role = FontRole::Label;
    double pointSize = 0;

    int Width() const override { return w_; }
    int Height() const override { return h_; }
    void Clear(Colour background) override { std::fill(pixels_.begin(), pixels_.end(), background); }
    void SetPen(Colour c) override { pen = c; }
    void SetBrush(Colour c) override { brush = c; }
    void SetTextBackground(Colour c, bool opaque) override { textBackground = c, textOpaque = opaque; }
    void SetRasterOp(RasterOp o) override { op = o; }
    void SetLineWidth(int pixels) override { lineWidth = pixels; }
    void SetLineStyle(platform::LineStyle style) override { lineStyle = style; }
    void SetFont(FontRole r, double size) override { role = r, pointSize = size; }

    void Line(int x1, int y1, int x2, int y2) override {
        Record(Shape::Line, x1, y1, x2, y2);
        for (auto [x, y] : LinePixels(x1, y1, x2, y2)) Plot(x, y, pen);
    }
    void Box(int x1, int y1, int x2, int y2) override {
        Record(Shape::Box, x1, y1, x2, y2);
        std::set<std::pair<int, int>> edge;  // each corner once, for exclusive-or
        const int c[5][2] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
        for (int i = 0; i < 4; ++i)
            for (auto p : LinePixels(c[i][0], c[i][1], c[i + 1][0], c[i + 1][1])) edge.insert(p);
        for (auto [x, y] : edge) Plot(x, y, pen);
    }
    void FillBox(int x1, int y1, int x2, int y2) override {
        Record(Shape::FillBox, x1, y1, x2, y2);
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
                Plot(x, y, x == x1 || x == x2 || y == y1 || y == y2 ? pen : brush);
    }
    void Circle(int cx, int cy, int r) override { Record(Shape::Circle, cx, cy, 0, 0, r); }
    void FillCircle(int cx, int cy, int r) override { Record(Shape::FillCircle, cx, cy, 0, 0, r); }
    void Ellipse(int cx, int cy, int rx, int ry) override { Record(Shape::Ellipse, cx, cy, rx, ry); }
    void Arc(int cx, int cy, int r, double startRad, double spanRad) override {
        ShapeCall& s = Record(Shape::Arc, cx, cy, 0, 0, r);
        s.start = startRad, s.span = spanRad;
    }
    void Polygon(const std::vector<std::pair<int, int>>& points, bool filled) override {
        ShapeCall& s = Record(Shape::Polygon, 0, 0, 0, 0);
        s.points = points, s.filled = filled;
    }
    void Point(int x, int y) override {
        Record(Shape::Point, x, y, x, y);
        Plot(x, y, pen);
    }
    void Text(int x, int y, const std::string& utf8) override {
        texts.push_back({x, y, utf8, role, pointSize, pen, op, textOpaque});
    }
    int TextWidth(const std::string& utf8) const override {  // 8 per character, not per byte
        return 8 * static_cast<int>(std::count_if(utf8.begin(), utf8.end(),
                                                  [](char c) { return (c & 0xC0) != 0x80; }));
    }
    int TextHeight() const override { return 16; }
    Colour ReadPixel(int x, int y) const override {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return {};
        return pixels_[static_cast<std::size_t>(y * w_ + x)];
    }

    // The last text drawn with its top-left corner at (x, y), or nullptr.
    const TextCall* TextAt(int x, int y) const {
        for (auto it = texts.rbegin(); it != texts.rend(); ++it)
            if (it->x == x && it->y == y) return &*it;
        return nullptr;
    }
    // The text at (x, y), or "<none>".
    std::string StringAt(int x, int y) const {
        const TextCall* t = TextAt(x, y);
        return t ? t->text : "<none>";
    }
    const TextCall* FindText(const std::string& text) const {
        for (const TextCall& t : texts)
            if (t.text == text) return &t;
        return nullptr;
    }
    const ShapeCall* First(Shape kind) const {
        for (const ShapeCall& s : shapes)
            if (s.kind == kind) return &s;
        return nullptr;
    }
    int CountShapes(Shape kind) const {
        return static_cast<int>(
            std::count_if(shapes.begin(), shapes.end(), [kind](const ShapeCall& s) { return s.kind == kind; }));
    }
    void Forget() { texts.clear(), shapes.clear(); }

    // Bresenham's line, both ends included.
    static std::vector<std::pair<int, int>> LinePixels(int x1, int y1, int x2, int y2) {
        std::vector<std::pair<int, int>> out;
        const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1), sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
        for (int err = dx + dy;;) {
            out.emplace_back(x1, y1);
            if (x1 == x2 && y1 == y2) break;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x1 += sx;
            if (e2 <= dx) err += dx, y1 += sy;
        }
        return out;
    }

private:
    ShapeCall& Record(Shape kind, int x1, int y1, int x2, int y2, int r = 0) {
        shapes.push_back({kind, x1, y1, x2, y2, r, 0, 0, {}, false, pen, brush, op, lineWidth});
        return shapes.back();
    }

    void Plot(int x, int y, Colour c) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
        Colour& d = pixels_[static_cast<std::size_t>(y * w_ + x)];
        auto mix = [this](std::uint8_t a, std::uint8_t b) -> std::uint8_t {
            switch (op) {
                case RasterOp::Copy: return b;
                case RasterOp::Xor: return a ^ b;
                case RasterOp::NotXor: return static_cast<std::uint8_t>(~(a ^ b));
                case RasterOp::Merge: return a | b;
            }
            return b;
        };
        d = {mix(d.r, c.r), mix(d.g, c.g), mix(d.b, c.b)};
    }

    int w_, h_;
    std::vector<Colour> pixels_;
};

}  // namespace testing_canvas

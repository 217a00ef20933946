// The drawing area on a QImage backing store. Every operation paints into
// the image; the window only copies the image to the screen. Antialiasing
// is off everywhere, so that XOR and NOT-XOR drawing restore every pixel
// exactly when repeated.
//
// On a high-resolution screen the image has the screen's device pixel
// ratio: it holds ratio x ratio device pixels for every picture pixel, all
// coordinates stay picture pixels, and lines, discs and text are drawn with
// the finer pixels.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

#include "platform/Canvas.h"

namespace platform::qt {

// Pixel size of a font of the given point size on a 96-dpi screen.
int PixelSizeForPoints(double pointSize);
// Standard point size of each font role.
double StandardPointSize(FontRole role);
// The font of a role at a point size (0: the role's standard size), without
// antialiasing.
QFont RoleFont(FontRole role, double pointSize = 0);

// The finest grid the canvas draws on.
inline constexpr int kMaxPixelRatio = 4;

class QtCanvas : public Canvas {
public:
    QtCanvas(int width, int height);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The picture with every pending operation finished: Width() x ratio
    // by Height() x ratio pixels, with the ratio as its device pixel ratio.
    const QImage& Image() const;
    // Changes the size: the old picture stays at the top left, new parts get
    // the colour of the last Clear.
    void Resize(int width, int height);
    // Changes the device pixels per picture pixel (1..kMaxPixelRatio); the
    // old picture is enlarged or reduced to stay in view until it is drawn
    // again.
    void SetPixelRatio(int ratio);
    // Called when drawing changes the picture; once only, until the window
    // has shown the picture and calls ResetChanged().
    std::function<void()> onChanged;
    void ResetChanged() { changedReported_ = false; }

    int Width() const override;
    int Height() const override;
    void Clear(Colour background) override;
    void SetPen(Colour c) override;
    void SetBrush(Colour c) override;
    void SetTextBackground(Colour c, bool opaque) override;
    void SetRasterOp(RasterOp op) override;
    void SetLineWidth(int pixels) override;
    void SetLineStyle(LineStyle style) override;
    void SetFont(FontRole role, double pointSize = 0) override;

    void Line(int x1, int y1, int x2, int y2) override;
    void Box(int x1, int y1, int x2, int y2) override;
    void FillBox(int x1, int y1, int x2, int y2) override;
    void Circle(int cx, int cy, int r) override;
    void FillCircle(int cx, int cy, int r) override;
    void Ellipse(int cx, int cy, int rx, int ry) override;
    void Arc(int cx, int cy, int r, double startRad, double spanRad) override;
    void Polygon(const std::vector<std::pair<int, int>>& points, bool filled) override;
    void Point(int x, int y) override;
    void Text(int x, int y, const std::string& utf8) override;
    int TextWidth(const std::string& utf8) const override;
    int TextHeight() const override;

    Colour ReadPixel(int x, int y) const override;
    int PixelRatio() const override { return ratio_; }
    void DeviceRun(int dx1, int dx2, int dy) override;

    // Current settings, for the window and for tests.
    RasterOp CurrentRasterOp() const { return op_; }
    const QFont& CurrentFont() const { return font_; }

private:
    QPainter& Painter();
    void EndPainting() const;
    void ApplyPen(QPainter& p) const;
    QPen MakePen() const;
    QBrush MakeBrush() const;
    QPainter::CompositionMode Mode() const;
    bool PlainOutline() const;
    void OutlineRect(QPainter& p, int left, int top, int right, int bottom);
    void DrawLayered(const QRect& area, const std::function<void(QPainter&)>& draw);
    void CentreOnPixels(QPainter& p) const;
    void Stroke(const std::function<void(QPainter&)>& draw);
    void DeviceLine(int x1, int y1, int x2, int y2);
    void CombineRun(int dx1, int dx2, int dy, QRgb colour);
    void Changed();

    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    bool penApplied_ = false;  // the painter holds the current pen, mode and font
    Colour pen_{255, 255, 255};
    Colour brush_{255, 255, 255};
    Colour textBackground_{0, 0, 0};
    bool textOpaque_ = false;
    Colour background_{0, 0, 0};
    RasterOp op_ = RasterOp::Copy;
    int lineWidth_ = 1;
    LineStyle lineStyle_ = LineStyle::Solid;
    QFont font_;
    int ratio_ = 1;  // device pixels per picture pixel along each axis
    bool changedReported_ = false;
};

}  // namespace platform::qt

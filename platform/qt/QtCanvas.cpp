#include "platform/qt/QtCanvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

QRgb ToRgb(Colour c) { return qRgb(c.r, c.g, c.b); }

// Angles of QPainter arcs are sixteenths of a degree.
int SixteenthsOfDegree(double radians) {
    return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
}

// A source pixel combined with a picture pixel in the raster operation.
QRgb Combine(RasterOp op, QRgb source, QRgb destination) {
    const QRgb s = source & 0xFFFFFFu;
    const QRgb d = destination & 0xFFFFFFu;
    QRgb out = s;
    switch (op) {
        case RasterOp::Xor: out = s ^ d; break;
        case RasterOp::NotXor: out = ~(s ^ d) & 0xFFFFFFu; break;
        case RasterOp::Merge: out = s | d; break;
        case RasterOp::Copy: break;
    }
    return 0xFF000000u | out;
}

}  // namespace

int PixelSizeForPoints(double pointSize) {
    return std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0)));
}

double StandardPointSize(FontRole role) {
    switch (role) {
        case FontRole::Note: return 8;
        case FontRole::Table:
        case FontRole::PrinterTable: return 10;
        case FontRole::Heading: return 10;
        case FontRole::Label:
        case FontRole::Value:
        case FontRole::Symbol: break;
    }
    return 9;
}

QFont RoleFont(FontRole role, double pointSize) {
    const bool fixed = role == FontRole::Value || role == FontRole::Table || role == FontRole::PrinterTable;
    QFont font(role == FontRole::PrinterTable ? QStringLiteral("courier new")
               : fixed                        ? QStringLiteral("DejaVu Sans Mono")
                                              : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixed);
    font.setPixelSize(PixelSizeForPoints(pointSize > 0 ? pointSize : StandardPointSize(role)));
    // Whole-pixel glyphs and advances: XOR text must vanish exactly when
    // drawn again, and fixed-pitch columns must line up.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

QtCanvas::QtCanvas(int width, int height)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32), font_(RoleFont(FontRole::Label)) {
    image_.fill(ToRgb(background_));
}

QtCanvas::~QtCanvas() { EndPainting(); }

const QImage& QtCanvas::Image() const {
    EndPainting();
    return image_;
}

void QtCanvas::Resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == Width() && height == Height()) return;
    EndPainting();
    QImage resized(width * ratio_, height * ratio_, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio_);
    resized.fill(ToRgb(background_));
    {
        // The same ratio on both sides: the device pixels are copied.
        QPainter p(&resized);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image_);
    }
    image_ = resized;
    Changed();
}

void QtCanvas::SetPixelRatio(int ratio) {
    ratio = std::clamp(ratio, 1, kMaxPixelRatio);
    if (ratio == ratio_) return;
    EndPainting();
    const int width = Width(), height = Height();
    QImage scaled(width * ratio, height * ratio, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(ratio);
    {
        QPainter p(&scaled);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRect(0, 0, width, height), image_);
    }
    image_ = scaled;
    ratio_ = ratio;
    penApplied_ = false;
    Changed();
}

int QtCanvas::Width() const { return image_.width() / ratio_; }
int QtCanvas::Height() const { return image_.height() / ratio_; }

void QtCanvas::Clear(Colour background) {
    EndPainting();
    background_ = background;
    image_.fill(ToRgb(background));
    Changed();
}

void QtCanvas::SetPen(Colour c) {
    if (!(c == pen_)) penApplied_ = false;
    pen_ = c;
}
void QtCanvas::SetBrush(Colour c) { brush_ = c; }

void QtCanvas::SetTextBackground(Colour c, bool opaque) {
    textBackground_ = c;
    textOpaque_ = opaque;
}

void QtCanvas::SetRasterOp(RasterOp op) {
    if (op != op_) penApplied_ = false;
    op_ = op;
}
void QtCanvas::SetLineWidth(int pixels) {
    penApplied_ = false;
    lineWidth_ = std::max(1, pixels);
}
void QtCanvas::SetLineStyle(LineStyle style) {
    penApplied_ = false;
    lineStyle_ = style;
}
void QtCanvas::SetFont(FontRole role, double pointSize) {
    penApplied_ = false;
    font_ = RoleFont(role, pointSize);
}

QPainter& QtCanvas::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        penApplied_ = false;
    }
    // Setting pen, brush and font costs more than drawing a star: only
    // after a change. Drawing code that changes the painter restores it.
    if (!penApplied_) {
        ApplyPen(*painter_);
        penApplied_ = true;
    }
    Changed();
    return *painter_;
}

void QtCanvas::EndPainting() const {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter::CompositionMode QtCanvas::Mode() const {
    switch (op_) {
        case RasterOp::Xor: return QPainter::RasterOp_SourceXorDestination;
        case RasterOp::NotXor: return QPainter::RasterOp_NotSourceXorDestination;
        case RasterOp::Merge: return QPainter::RasterOp_SourceOrDestination;
        case RasterOp::Copy: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

QPen QtCanvas::MakePen() const {
    QPen pen(ToQColor(pen_));
    switch (lineStyle_) {
        case LineStyle::Solid: pen.setStyle(Qt::SolidLine); break;
        case LineStyle::Dash: pen.setStyle(Qt::DashLine); break;
        case LineStyle::Dot: pen.setStyle(Qt::DotLine); break;
    }
    if (lineWidth_ <= 1 && ratio_ > 1) {
        // One picture pixel wide, that is ratio device pixels; outlines
        // drawn with it are one filled path, each pixel painted once.
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else if (lineWidth_ <= 1) {
        // A one-pixel line leaves out its last pixel, so that a polyline
        // drawn segment by segment in XOR has no gaps at the joints.
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setWidth(lineWidth_);
        // Round ends overlap at the joints of a segmented line; with XOR the
        // overlap would cancel out, so inverting modes use flat ends.
        const bool inverting = op_ == RasterOp::Xor || op_ == RasterOp::NotXor;
        pen.setCapStyle(inverting ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(inverting ? Qt::MiterJoin : Qt::RoundJoin);
    }
    return pen;
}

QBrush QtCanvas::MakeBrush() const { return QBrush(ToQColor(brush_)); }

void QtCanvas::ApplyPen(QPainter& p) const {
    p.setCompositionMode(Mode());
    p.setPen(MakePen());
    p.setBrush(Qt::NoBrush);
    p.setFont(font_);
}

bool QtCanvas::PlainOutline() const { return lineWidth_ <= 1 && lineStyle_ == LineStyle::Solid; }

void QtCanvas::Changed() {
    if (!changedReported_ && onChanged) {
        changedReported_ = true;
        onChanged();
    }
}

// The four sides of a one-pixel outline as separate spans, so that no
// corner pixel is painted twice (which XOR would cancel).
void QtCanvas::OutlineRect(QPainter& p, int left, int top, int right, int bottom) {
    const QColor c = ToQColor(pen_);
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top)), c);
    if (bottom > top) p.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), c);
    if (bottom - top > 1) {
        p.fillRect(QRect(QPoint(left, top + 1), QPoint(left, bottom - 1)), c);
        if (right > left) p.fillRect(QRect(QPoint(right, top + 1), QPoint(right, bottom - 1)), c);
    }
}

// Shapes on a finer grid are centred on the middle of their picture pixels
// (on the picture's own grid the toolkit's aliased drawing does this).
void QtCanvas::CentreOnPixels(QPainter& p) const {
    if (ratio_ > 1) p.translate(0.5, 0.5);
}

void QtCanvas::Stroke(const std::function<void(QPainter&)>& draw) {
    QPainter& p = Painter();
    if (ratio_ == 1) {
        draw(p);
        return;
    }
    p.save();
    CentreOnPixels(p);
    draw(p);
    p.restore();
}

void QtCanvas::CombineRun(int dx1, int dx2, int dy, QRgb colour) {
    if (dy < 0 || dy >= image_.height()) return;
    dx1 = std::max(dx1, 0);
    dx2 = std::min(dx2, image_.width() - 1);
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(dy));
    for (int x = dx1; x <= dx2; ++x) row[x] = Combine(op_, colour, row[x]);
}

void QtCanvas::DeviceRun(int dx1, int dx2, int dy) {
    EndPainting();
    Changed();
    CombineRun(std::min(dx1, dx2), std::max(dx1, dx2), dy, ToRgb(pen_));
}

// A one-pixel line on the finer grid: the steps of the line between the
// device corners of its end pixels, each step ratio device pixels across,
// and like the toolkit's line without its last picture pixel, so that the
// segments of a polyline join without a pixel painted twice.
void QtCanvas::DeviceLine(int x1, int y1, int x2, int y2) {
    const long long r = ratio_;
    const long long dx = (static_cast<long long>(x2) - x1) * r, dy = (static_cast<long long>(y2) - y1) * r;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    if (dx == 0 && dy == 0) {  // as the toolkit's: a line without length sets its pixel
        const long long px = x1 * r, py = y1 * r;
        if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return;
        EndPainting();
        Changed();
        for (long long row = py; row < py + r; ++row)
            CombineRun(static_cast<int>(px), static_cast<int>(px + r - 1), static_cast<int>(row), ToRgb(pen_));
        return;
    }
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const long long major0 = (alongX ? x1 : y1) * r, minor0 = (alongX ? y1 : x1) * r;
    const long long direction = (alongX ? dx : dy) > 0 ? 1 : -1;
    const double slope = static_cast<double>(alongX ? dy : dx) / static_cast<double>(steps);
    // Only the steps over the picture.
    const long long size = alongX ? image_.width() : image_.height();
    const long long first = std::max(0LL, direction > 0 ? -major0 : major0 - (size - 1));
    const long long last = std::min(steps - 1, direction > 0 ? size - 1 - major0 : major0);
    // The dash patterns of the toolkit's lines, in picture pixels.
    long long period = 0, on = 0;
    if (lineStyle_ == LineStyle::Dash) period = 6 * r, on = 4 * r;
    if (lineStyle_ == LineStyle::Dot) period = 3 * r, on = r;
    EndPainting();
    Changed();
    const QRgb colour = ToRgb(pen_);
    for (long long i = first; i <= last; ++i) {
        if (period > 0 && i % period >= on) continue;
        const long long major = major0 + direction * i;
        const long long minor = minor0 + std::llround(slope * static_cast<double>(i));
        if (minor + r <= 0 || minor >= (alongX ? image_.height() : image_.width())) continue;
        if (alongX) {
            for (long long k = 0; k < r; ++k)
                CombineRun(static_cast<int>(major), static_cast<int>(major), static_cast<int>(minor + k), colour);
        } else {
            CombineRun(static_cast<int>(minor), static_cast<int>(minor + r - 1), static_cast<int>(major), colour);
        }
    }
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) {
    if (ratio_ > 1 && lineWidth_ <= 1) {
        DeviceLine(x1, y1, x2, y2);
        return;
    }
    Stroke([&](QPainter& p) { p.drawLine(x1, y1, x2, y2); });
}

void QtCanvas::Box(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    QPainter& p = Painter();
    if (PlainOutline()) {
        OutlineRect(p, left, top, right, bottom);
    } else {
        Stroke([&](QPainter& sp) { sp.drawRect(QRect(left, top, right - left, bottom - top)); });
    }
}

void QtCanvas::FillBox(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    QPainter& p = Painter();
    if (PlainOutline()) {
        // Inside and edge are disjoint: every pixel is painted once.
        if (right - left > 1 && bottom - top > 1) {
            p.fillRect(QRect(QPoint(left + 1, top + 1), QPoint(right - 1, bottom - 1)), ToQColor(brush_));
        }
        OutlineRect(p, left, top, right, bottom);
        return;
    }
    DrawLayered(QRect(QPoint(left, top), QPoint(right, bottom)), [&](QPainter& layer) {
        CentreOnPixels(layer);
        layer.setBrush(MakeBrush());
        layer.drawRect(QRect(left, top, right - left, bottom - top));
    });
}

void QtCanvas::Circle(int cx, int cy, int r) {
    if (r <= 0) {
        Point(cx, cy);
        return;
    }
    Stroke([&](QPainter& p) { p.drawEllipse(QPoint(cx, cy), r, r); });
}

void QtCanvas::FillCircle(int cx, int cy, int r) {
    if (r <= 0) {
        Point(cx, cy);
        return;
    }
    DrawLayered(QRect(cx - r, cy - r, 2 * r + 1, 2 * r + 1), [&](QPainter& layer) {
        CentreOnPixels(layer);
        layer.setBrush(MakeBrush());
        layer.drawEllipse(QPoint(cx, cy), r, r);
    });
}

void QtCanvas::Ellipse(int cx, int cy, int rx, int ry) {
    if (rx <= 0 && ry <= 0) {
        Point(cx, cy);
        return;
    }
    Stroke([&](QPainter& p) { p.drawEllipse(QPoint(cx, cy), std::max(0, rx), std::max(0, ry)); });
}

void QtCanvas::Arc(int cx, int cy, int r, double startRad, double spanRad) {
    if (r <= 0) return;
    Stroke([&](QPainter& p) {
        p.drawArc(QRect(cx - r, cy - r, 2 * r, 2 * r), SixteenthsOfDegree(startRad), SixteenthsOfDegree(spanRad));
    });
}

void QtCanvas::Polygon(const std::vector<std::pair<int, int>>& points, bool filled) {
    if (points.empty()) return;
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const auto& [x, y] : points) polygon << QPoint(x, y);
    if (!filled) {
        Stroke([&](QPainter& p) { p.drawPolygon(polygon); });
        return;
    }
    DrawLayered(polygon.boundingRect(), [&](QPainter& layer) {
        CentreOnPixels(layer);
        layer.setBrush(MakeBrush());
        layer.drawPolygon(polygon);
    });
}

void QtCanvas::Point(int x, int y) {
    QPainter& p = Painter();
    if (lineWidth_ <= 1) {
        p.fillRect(QRect(x, y, 1, 1), ToQColor(pen_));
        return;
    }
    // A wide pen sets a round dot of its width.
    const int r = lineWidth_ / 2;
    DrawLayered(QRect(x - r, y - r, 2 * r + 1, 2 * r + 1), [&](QPainter& layer) {
        CentreOnPixels(layer);
        layer.setPen(Qt::NoPen);
        layer.setBrush(ToQColor(pen_));
        layer.drawEllipse(QRect(x - r, y - r, lineWidth_, lineWidth_));
    });
}

void QtCanvas::Text(int x, int y, const std::string& utf8) {
    if (utf8.empty()) return;
    const QString text = FromUtf8(utf8);
    const QFontMetrics fm(font_);
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    // Glyphs may reach beyond their advance (italic overhangs, accents).
    const QRect bounds = box.united(fm.boundingRect(text).translated(x, y + fm.ascent()));
    DrawLayered(bounds, [&](QPainter& layer) {
        if (textOpaque_) layer.fillRect(box, ToQColor(textBackground_));
        layer.setPen(ToQColor(pen_));
        layer.drawText(x, y + fm.ascent(), text);
    });
}

int QtCanvas::TextWidth(const std::string& utf8) const {
    return QFontMetrics(font_).horizontalAdvance(FromUtf8(utf8));
}

int QtCanvas::TextHeight() const { return QFontMetrics(font_).height(); }

Colour QtCanvas::ReadPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return background_;
    EndPainting();
    const QRgb px = image_.pixel(x * ratio_, y * ratio_);
    return Colour{static_cast<std::uint8_t>(qRed(px)), static_cast<std::uint8_t>(qGreen(px)),
                  static_cast<std::uint8_t>(qBlue(px))};
}

// Shapes made of several parts (inside and edge, text and its background)
// are first drawn by plain copying into a transparent layer; the layer is
// then combined with the picture in the raster operation, each pixel once.
void QtCanvas::DrawLayered(const QRect& area, const std::function<void(QPainter&)>& draw) {
    const int margin = lineWidth_ + 2;
    const QRect around = area.adjusted(-margin, -margin, margin, margin);
    // In device pixels; its corner is a picture pixel's corner.
    const QRect bounds = QRect(around.topLeft() * ratio_, around.size() * ratio_).intersected(image_.rect());
    if (bounds.isEmpty()) return;
    if (op_ == RasterOp::Copy) {
        QPainter& p = Painter();
        p.save();
        draw(p);
        p.restore();
        return;
    }
    QImage layer(bounds.size(), QImage::Format_ARGB32);
    layer.setDevicePixelRatio(ratio_);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing, false);
        lp.setRenderHint(QPainter::TextAntialiasing, false);
        lp.translate(-bounds.x() / ratio_, -bounds.y() / ratio_);
        lp.setCompositionMode(QPainter::CompositionMode_Source);
        QPen pen = MakePen();
        lp.setPen(pen);
        lp.setFont(font_);
        draw(lp);
    }
    EndPainting();
    Changed();
    for (int row = 0; row < layer.height(); ++row) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(row));
        auto* dst = reinterpret_cast<QRgb*>(image_.scanLine(row + bounds.top())) + bounds.left();
        for (int col = 0; col < layer.width(); ++col) {
            if (qAlpha(src[col]) >= 128) dst[col] = Combine(op_, src[col], dst[col]);
        }
    }
}

}  // namespace platform::qt

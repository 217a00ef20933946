#include "platform/qt/QtPrinter.h"

#include <utility>

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPolygon>
#include <QPrintDialog>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

constexpr double kPageRatio = 0.70735;

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

int SixteenthsOfDegree(double radians) {
    return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
}

}  // namespace

int PageWidthUnits(bool landscape) { return landscape ? 1176 : 980; }

int PageHeightUnits(bool landscape) {
    return static_cast<int>(std::lround(landscape ? 1176 * kPageRatio : 980 / kPageRatio));
}

// ---- PageCanvas ----

void PageCanvas::Attach(QPainter* painter, int width, int height) {
    painter_ = painter;
    width_ = width;
    height_ = height;
    if (font_ == QFont()) font_ = RoleFont(FontRole::Label);
}

void PageCanvas::Clear(Colour background) {
    background_ = background;
    if (!painter_) return;
    painter_->fillRect(QRect(0, 0, width_, height_), ToQColor(background));
}

void PageCanvas::SetTextBackground(Colour c, bool opaque) {
    textBackground_ = c;
    textOpaque_ = opaque;
}

// Line widths are given in device pixels, as on the screen; on paper they
// are dots of a 600 dpi printer on A4 (about 0.04 mm each), so that the
// printing widths 6 and 18 come out as fine and bold lines.
void PageCanvas::SetLineWidth(int pixels) {
    const double paperInches = (width_ > height_ ? 297.0 : 210.0) / 25.4;
    const double unitsPerDot = width_ / (paperInches * 600);
    lineWidth_ = std::max(1, pixels) * unitsPerDot;
}

void PageCanvas::SetFont(FontRole role, double pointSize) { font_ = RoleFont(role, pointSize); }

QPainter* PageCanvas::Prepare(bool filled) {
    if (!painter_) return nullptr;
    // The print engine has no raster operations: every mode copies.
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QPen pen(ToQColor(pen_));
    pen.setWidthF(lineWidth_);
    switch (lineStyle_) {
        case LineStyle::Solid: pen.setStyle(Qt::SolidLine); break;
        case LineStyle::Dash: pen.setStyle(Qt::DashLine); break;
        case LineStyle::Dot: pen.setStyle(Qt::DotLine); break;
    }
    painter_->setPen(pen);
    painter_->setBrush(filled ? QBrush(ToQColor(brush_)) : QBrush(Qt::NoBrush));
    painter_->setFont(font_);
    return painter_;
}

void PageCanvas::Line(int x1, int y1, int x2, int y2) {
    if (QPainter* p = Prepare(false)) p->drawLine(x1, y1, x2, y2);
}

void PageCanvas::Box(int x1, int y1, int x2, int y2) {
    if (QPainter* p = Prepare(false)) {
        p->drawRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                        .adjusted(0, 0, -1, -1));
    }
}

void PageCanvas::FillBox(int x1, int y1, int x2, int y2) {
    if (QPainter* p = Prepare(true)) {
        p->drawRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                        .adjusted(0, 0, -1, -1));
    }
}

void PageCanvas::Circle(int cx, int cy, int r) {
    if (QPainter* p = Prepare(false)) p->drawEllipse(QPoint(cx, cy), std::max(0, r), std::max(0, r));
}

void PageCanvas::FillCircle(int cx, int cy, int r) {
    if (QPainter* p = Prepare(true)) p->drawEllipse(QPoint(cx, cy), std::max(0, r), std::max(0, r));
}

void PageCanvas::Ellipse(int cx, int cy, int rx, int ry) {
    if (QPainter* p = Prepare(false)) p->drawEllipse(QPoint(cx, cy), std::max(0, rx), std::max(0, ry));
}

void PageCanvas::Arc(int cx, int cy, int r, double startRad, double spanRad) {
    if (r <= 0) return;
    if (QPainter* p = Prepare(false)) {
        p->drawArc(QRect(cx - r, cy - r, 2 * r, 2 * r), SixteenthsOfDegree(startRad), SixteenthsOfDegree(spanRad));
    }
}

void PageCanvas::Polygon(const std::vector<std::pair<int, int>>& points, bool filled) {
    if (points.empty()) return;
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const auto& [x, y] : points) polygon << QPoint(x, y);
    if (QPainter* p = Prepare(filled)) p->drawPolygon(polygon);
}

void PageCanvas::Point(int x, int y) {
    if (!painter_) return;
    // A point is at least one page unit, the size of a screen pixel's
    // share of the page.
    const double size = std::max(1.0, lineWidth_);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(QRectF(x - size / 2, y - size / 2, size, size), ToQColor(pen_));
}

void PageCanvas::Text(int x, int y, const std::string& utf8) {
    if (utf8.empty()) return;
    QPainter* p = Prepare(false);
    if (!p) return;
    const QString text = FromUtf8(utf8);
    const QFontMetrics fm(font_);
    if (textOpaque_) p->fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(textBackground_));
    p->setPen(ToQColor(pen_));
    p->drawText(x, y + fm.ascent(), text);
}

// Font sizes are page units, so the screen metrics of the font are the
// metrics on the page.
int PageCanvas::TextWidth(const std::string& utf8) const {
    return QFontMetrics(font_).horizontalAdvance(FromUtf8(utf8));
}

int PageCanvas::TextHeight() const { return QFontMetrics(font_).height(); }

Colour PageCanvas::ReadPixel(int, int) const { return background_; }

// ---- QtPrinter ----

QtPrinter::QtPrinter(QWidget* parent) : parent_(parent) {}

QtPrinter::~QtPrinter() {
    if (painter_) End();
}

void QtPrinter::Prepare(const std::string& documentName, bool landscape) {
    if (painter_) End();
    landscape_ = landscape;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(FromUtf8(documentName));
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::Begin(const std::string& documentName, bool landscape) {
    if (!nextPdf_.empty()) {
        const std::string path = std::exchange(nextPdf_, std::string());
        return BeginToPdf(path, documentName, landscape);
    }
    Prepare(documentName, landscape);
    QPrintDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted) {
        printer_.reset();
        return false;
    }
    landscape_ = printer_->pageLayout().orientation() == QPageLayout::Landscape;
    return Start();
}

bool QtPrinter::BeginToPdf(const std::string& path, const std::string& documentName, bool landscape) {
    Prepare(documentName, landscape);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(FromUtf8(path));
    return Start();
}

bool QtPrinter::Start() {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        printer_.reset();
        return false;
    }
    MapPage();
    page_.Attach(painter_.get(), PageWidthUnits(landscape_), PageHeightUnits(landscape_));
    text_ = std::make_unique<QtTextOut>(page_);
    text_->SetColours(Colour{0, 0, 0}, Colour{255, 255, 255});
    return true;
}

// The page units fill the printable area as far as the page's proportions
// allow, centred, with the same scale across and down.
void QtPrinter::MapPage() {
    const int width = PageWidthUnits(landscape_);
    const int height = PageHeightUnits(landscape_);
    const QRect area = painter_->viewport();
    const double scale = std::min(static_cast<double>(area.width()) / width, static_cast<double>(area.height()) / height);
    const int w = static_cast<int>(std::lround(width * scale));
    const int h = static_cast<int>(std::lround(height * scale));
    painter_->setViewport(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2, w, h);
    painter_->setWindow(0, 0, width, height);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
}

TextOut& QtPrinter::text() {
    if (!text_) text_ = std::make_unique<QtTextOut>(page_);
    return *text_;
}

void QtPrinter::NewPage() {
    if (!painter_) return;
    printer_->newPage();
    text_->Locate(1, 1);
}

void QtPrinter::End() {
    if (!painter_) return;
    page_.Attach(nullptr, PageWidthUnits(landscape_), PageHeightUnits(landscape_));
    painter_->end();
    painter_.reset();
    printer_.reset();
}

}  // namespace platform::qt

// The printer: the system's print dialog (with printing to a PDF file), and
// pages drawn in the program's page units, scaled onto the real page.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>

#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/TextOut.h"
#include "platform/qt/QtTextOut.h"

class QWidget;

namespace platform::qt {

// Page size in page units.
int PageWidthUnits(bool landscape);
int PageHeightUnits(bool landscape);

// A canvas drawing with vectors onto a painter whose coordinates are page
// units. Paper cannot be read back or inverted: XOR, NOT-XOR and merge draw
// as plain copies, and ReadPixel gives the colour of the last Clear.
class PageCanvas : public Canvas {
public:
    PageCanvas() = default;
    // Starts drawing on a page of the given size; nullptr stops drawing.
    void Attach(QPainter* painter, int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Clear(Colour background) override;
    void SetPen(Colour c) override { pen_ = c; }
    void SetBrush(Colour c) override { brush_ = c; }
    void SetTextBackground(Colour c, bool opaque) override;
    void SetRasterOp(RasterOp op) override { requestedOp_ = op; }
    void SetLineWidth(int pixels) override;
    void SetLineStyle(LineStyle style) override { lineStyle_ = style; }
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

    // The raster operation last asked for (drawing always copies).
    RasterOp RequestedRasterOp() const { return requestedOp_; }

private:
    QPainter* Prepare(bool filled);

    QPainter* painter_ = nullptr;
    int width_ = PageWidthUnits(false);
    int height_ = PageHeightUnits(false);
    Colour pen_{0, 0, 0};
    Colour brush_{0, 0, 0};
    Colour textBackground_{255, 255, 255};
    bool textOpaque_ = false;
    Colour background_{255, 255, 255};
    RasterOp requestedOp_ = RasterOp::Copy;
    double lineWidth_ = 1;  // page units
    LineStyle lineStyle_ = LineStyle::Solid;
    QFont font_;
};

class QtPrinter : public Printer {
public:
    // parent: the window the print dialog belongs to (may be nullptr).
    explicit QtPrinter(QWidget* parent = nullptr);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    bool Begin(const std::string& documentName, bool landscape) override;
    bool Landscape() const override { return landscape_; }
    Canvas& page() override { return page_; }
    TextOut& text() override;
    void NewPage() override;
    void End() override;

    // Starts a document printed straight into a PDF file, without a dialog.
    bool BeginToPdf(const std::string& path, const std::string& documentName, bool landscape);
    bool Active() const { return painter_ != nullptr; }
    // The next Begin() prints into this PDF file without showing the dialog
    // (once; tests and unattended runs).
    void PrintNextToPdf(const std::string& path) { nextPdf_ = path; }

private:
    void Prepare(const std::string& documentName, bool landscape);
    bool Start();
    void MapPage();

    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    PageCanvas page_;
    std::unique_ptr<QtTextOut> text_;
    bool landscape_ = false;
    std::string nextPdf_;
};

}  // namespace platform::qt

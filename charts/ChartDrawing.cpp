// The drawing pass of the sky charts.
//
// A pass of the rectangular and polar charts clears the window, outlines
// it, draws the frame with its ticks and labels, the legend strip along the
// bottom, the stars, the overlay layers and the selected object, and ends
// with the Sun's altitude. The whole-sky chart draws its own legend, the
// disc and the bright stars instead of the first steps. Frames, texts and
// stars are copied; only the class symbols of the legends are overlay
// drawing (they share DrawObjectSymbol with the layers).
#include "charts/ChartDrawing.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "astronomy/Numbers.h"
#include "astronomy/PositionService.h"
#include "astronomy/TextFormats.h"
#include "charts/Layers.h"
#include "charts/ObjectSymbols.h"

namespace charts {

using astronomy::kDegToRad;
using astronomy::kPi;
using astronomy::Reduce;
using astronomy::Round;
using astronomy::View;
using platform::Canvas;
using platform::Colour;
using platform::FontRole;
using platform::RasterOp;

namespace {


// The ground strip below the horizon chart.
constexpr Colour kGroundColour{170, 85, 0};
// Length of the declination and altitude ticks inside the frame.
constexpr int kTickLength = 4;
// The scale bar's left end; a bar is 64 pixels times the step over the
// value it rounds up to, at most three times that (just over 1/6 degree
// rounds up to 1/2).
constexpr int kScaleBarX = 444;
constexpr int kLongestScaleBar = 3 * 64;
// The right button is looked at once every so many records: often enough
// that a pass stops at once, rarely enough to cost nothing.
constexpr int kAbortPollRecords = 64;

bool Printing(const astronomy::ProgramState& s) { return s.PrintingFlag != 0; }

bool IsRectangular(const ChartGeometry& g) { return astronomy::IsRectangularChart(g.mode); }

// Everything a drawing step needs.
struct Pass {
    Canvas& c;
    const astronomy::ProgramState& s;
    const ChartGeometry& g;
    ChartLayout layout;
    bool printing;
    Colour background, text, star;
};

Pass MakePass(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g) {
    const Palette palette = PaletteOf(s);
    return {c, s, g, LayoutFor(s.x_max, s.y_max), Printing(s), palette.background, palette.text, palette.contrast};
}

// The chart's text font: the system font at the size of the settings, the
// fixed-pitch one when the text colour is the star colour.
void ChartFont(const Pass& p, double pointSize = 0) {
    p.c.SetFont(p.text == p.star ? FontRole::Value : FontRole::Label, pointSize);
}

// Tick labels: the chart font, size 8 on paper.
void TickFont(const Pass& p) { ChartFont(p, p.printing ? 8 : 0); }

// Frames, ticks and texts: copied, solid, normal width, text colour on a
// transparent text background.
void CopyStyle(const Pass& p) {
    p.c.SetRasterOp(RasterOp::Copy);
    p.c.SetLineStyle(platform::LineStyle::Solid);
    p.c.SetLineWidth(NormalLineWidth(p.s));
    p.c.SetPen(p.text);
    p.c.SetBrush(p.background);
    p.c.SetTextBackground(p.background, false);
}

// "-", " " or "+" by the sign of v, as "- +" holds them.
std::string SignChar(int v) { return v < 0 ? "-" : (v == 0 ? " " : "+"); }

// ---------------------------------------------------------------------------
// Stars

// The whole-sky star size from m' (0.07 times the magnitude code): 5 - m',
// so that the few bright stars of that small scale stand out by size; nothing
// beyond m' = 5, at least 0.8 on paper so that faint stars still print.
double WholeSkyStarSize(double mPrime, bool printing) {
    if (mPrime > 5) return 0;
    const double size = 5 - mPrime;
    return printing && size < 0.8 ? 0.8 : size;
}

// Whole pixels of a disc of radius r: the pixels next to the centre belong
// to it from r = 1 on, so a radius below 1 is the centre pixel alone.
// Whole pixels of a star's radius; no disc is larger than a chart can show.
int DiscPixels(double r) { return static_cast<int>(std::floor(std::clamp(r, 0.0, 2000.0))); }

// The inside of a rectangular chart's frame, where its stars may paint.
struct ClipBox {
    bool active = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y, int r) const {
        return !active || (x - r >= left && x + r <= right && y - r >= top && y + r <= bottom);
    }
};

ClipBox StarClip(const ChartGeometry& g) {
    ClipBox clip;
    if (!IsRectangular(g)) return clip;
    const ChartLayout layout = LayoutFor(g.xMax, g.yMax);
    const PixelRect& frame = g.mode == View::Horizon ? layout.horizonFrame : layout.frame;
    clip.active = true;
    clip.left = frame.left + 1;
    clip.top = frame.top + 1;
    clip.right = frame.right - 1;
    clip.bottom = frame.bottom - 1;
    return clip;
}

// A filled disc with pen and brush already in the star colour. A disc that
// reaches over the clip box is painted row by row, each row cut to the box.
void PaintDisc(Canvas& c, int x, int y, double radius, const ClipBox& clip) {
    const int r = DiscPixels(radius);
    if (clip.Contains(x, y, r)) {
        if (r == 0)
            c.Point(x, y);
        else
            c.FillCircle(x, y, r);
        return;
    }
    for (int dy = -r; dy <= r; ++dy) {
        const int row = y + dy;
        if (row < clip.top || row > clip.bottom) continue;
        const int half = static_cast<int>(std::floor(std::sqrt(static_cast<double>(r * r - dy * dy))));
        const int x1 = std::max(x - half, clip.left), x2 = std::min(x + half, clip.right);
        if (x1 <= x2) c.FillBox(x1, row, x2, row);
    }
}

// DrawStar without the colour set-up: size plus the extra radius of
// printing; a disc above 0.3 more than that extra, else a single point.
void PaintStar(Canvas& c, bool printing, int x, int y, double size, const ClipBox& clip) {
    const double r0 = printing ? 0.5 : 0;
    size += r0;
    if (size > r0 + 0.3)
        PaintDisc(c, x, y, size, clip);
    else if (size > r0 && clip.Contains(x, y, 0))
        c.Point(x, y);
}

// Pen and brush in the star colour, copied. The line width is 1 also on
// paper: a star is its disc, the wide print pen would blow it up.
void StarStyle(Canvas& c, const astronomy::ProgramState& s) {
    const Colour star = platform::ColourFromRgb(s.ContrastColour);
    c.SetRasterOp(RasterOp::Copy);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.SetLineWidth(1);
    c.SetPen(star);
    c.SetBrush(star);
}

// Projects records first..last and keeps the visible ones of non-zero
// size. stepByCode: the equatorial chart adds the projection code to the
// record number, so it jumps while the sorted list is far before the
// window and leaves it once past it.
template <typename SizeRule>
void PlaceRange(const ChartGeometry& g, const ChartData& data, RecordRange range, bool stepByCode,
                const AbortCheck& abort, SizeRule size, std::vector<PlacedStar>& out) {
    const int last = std::min(range.last, data.stars.RecordCount());
    for (int n = range.first; n <= last; ++n) {
        RawStarRecord raw;
        if (!data.stars.ReadRaw(n, raw)) break;
        const CatalogueRecord rec = DecodeStarRecord(raw.a, raw.d);
        const bool held = n % kAbortPollRecords == 0 && abort && abort();
        const ProjectionResult pr = ProjectPoint(g, FirstAngle(g, rec.ra), rec.dec, held);
        if (pr.code == kAbortCode) break;
        if (pr.visible) {
            const double r = size(rec.MagnitudeCode);
            if (r > 0) out.push_back({pr.x, pr.y, r});
        }
        if (stepByCode) n += pr.code;
    }
}

// ---------------------------------------------------------------------------
// Frames, ticks and labels

void ClearAndOutline(const Pass& p, bool outline) {
    p.c.Clear(p.background);
    CopyStyle(p);
    if (outline) p.c.Box(0, 0, p.s.x_max, p.s.y_max);
}

// Whether a tick label at (x, y) would run into the date stamp below the
// frame's lower right corner.
bool CoversDateStamp(const Pass& p, const PixelRect& stamp, int x, int y, const std::string& label) {
    return stamp.Overlaps({x, y, x + p.c.TextWidth(label), y + p.c.TextHeight()});
}

// The date stamp's box, with the tick font set again afterwards.
PixelRect DateStampBox(const Pass& p) {
    const PixelRect box = PlaceDateStamp(p.c, p.s, p.printing ? 40 : 0, true).box;
    TickFont(p);
    return box;
}

void DeclinationTicks(const Pass& p) {
    const astronomy::ProgramState& s = p.s;
    const PixelRect& frame = p.layout.frame;
    const int left = frame.left, right = frame.right, bottom = frame.bottom;
    const double lower = std::max(p.g.deltaMin, -90.0), upper = std::min(p.g.deltaMax, 90.0);
    if (!(lower <= upper)) return;
    for (int d = static_cast<int>(std::ceil(lower / 10)) * 10; d <= upper; d += 10) {
        const int y = Round(bottom - (d - p.g.deltaMin) * p.g.k);
        p.c.Line(left, y, left + kTickLength, y);
        p.c.Line(right - kTickLength, y, right, y);
        if (d == 90 || d == -90) p.c.Line(left, y, right, y);  // the sky ends at the pole
        const std::string label = SignChar(d) + std::to_string(std::abs(d));
        p.c.Text(16, y - 7, label);
        p.c.Text(s.x_max - 31, y - 7, label);
    }
}

void RightAscensionTicks(const Pass& p) {
    const astronomy::ProgramState& s = p.s;
    const PixelRect& frame = p.layout.frame;
    const int top = frame.top, right = frame.right, bottom = frame.bottom;
    const double alphaMin = p.g.alphaMin, alphaMax = p.g.alphaMax;
    const double upper = alphaMax < alphaMin ? alphaMax + 24 : alphaMax;
    const int labelHeight = p.c.TextHeight();
    const PixelRect stamp = DateStampBox(p);
    for (double r = std::floor(2 * alphaMin) / 2 + 0.5; r <= upper; r += 0.5) {
        const int x = Round(right - Reduce(r - alphaMin, 24) * 15 * p.g.k);
        if (x < frame.left) break;  // the window is wider than the frame shows
        p.c.Line(x, top - 3, x, top);
        p.c.Line(x, s.y_max - 56, x, s.y_max - 54);
        const double hour = Reduce(r, 24);
        if (hour == 0) p.c.Line(x, top, x, bottom);  // 0 h / 24 h
        if (hour != std::floor(hour)) continue;
        const std::string label = std::to_string(static_cast<int>(hour)) + "h";
        const int lx = x - p.c.TextWidth(label) / 2;
        p.c.Text(lx, top - 4 - labelHeight, label);
        if (!CoversDateStamp(p, stamp, lx, bottom + 4, label)) p.c.Text(lx, bottom + 4, label);
    }
}

void DrawEquatorialFrame(const Pass& p) {
    CopyStyle(p);
    const PixelRect& frame = p.layout.frame;
    p.c.Box(frame.left, frame.top, frame.right, frame.bottom);
    TickFont(p);
    DeclinationTicks(p);
    RightAscensionTicks(p);
}

// Two characters per multiple of 45 degrees, from north.
constexpr const char* kCompassPoints = "N NEE SES SWW NWN SES SWW NWN ";

void AzimuthTicks(const Pass& p, int step) {
    const astronomy::ProgramState& s = p.s;
    const PixelRect stamp = DateStampBox(p);
    const double aziMin = p.g.aziMin, aziMax = p.g.aziMax;
    const bool wraps = !(aziMin < aziMax);  // the window runs through north
    const std::string compass = kCompassPoints;
    for (int a = step; a <= 360; a += step) {
        double at = a;
        if (!wraps) {
            if (a < aziMin || a > aziMax) continue;
        } else {
            if (a < aziMin && a > aziMax) continue;
            if (a <= aziMax) at += 360;
        }
        const int x = Round((at - aziMin) * p.g.k + p.layout.horizonFrame.left);
        if (x > p.layout.frame.right) continue;  // the window is wider than the frame shows
        p.c.Line(x, s.y_max - 56, x, s.y_max - 53);
        std::string label;
        if (a % 45 == 0)
            label = compass.substr(static_cast<std::size_t>(2 * a / 45), 2);
        else if (a % 5 == 0)
            label = std::to_string(a);
        if (!label.empty() && !CoversDateStamp(p, stamp, x - 6, s.y_max - 55, label))
            p.c.Text(x - 6, s.y_max - 55, label);
    }
}

void AltitudeTicks(const Pass& p, int step) {
    const astronomy::ProgramState& s = p.s;
    const int left = p.layout.horizonFrame.left, right = p.layout.frame.right, bottom = p.layout.frame.bottom;
    // Only altitudes of the sky are labelled; the region may come from a
    // settings file with any numbers.
    const double low = std::isfinite(s.Hoehe_min) ? std::max(s.Hoehe_min, 0.0) : 0.0;
    const double high = std::isfinite(s.Hoehe_max) ? std::min(s.Hoehe_max, 90.0) : 90.0;
    for (int h = static_cast<int>(std::ceil(low / step)) * step; h <= high; h += step) {
        const int y = Round(bottom - (h - s.Hoehe_min) * p.g.k);
        p.c.Line(left, y, left + kTickLength, y);
        p.c.Line(right - kTickLength, y, right, y);
        const std::string label = std::to_string(h);
        p.c.Text(16, y - 7, label);
        p.c.Text(s.x_max - 31, y - 7, label);
    }
}

void DrawHorizonFrame(const Pass& p) {
    const astronomy::ProgramState& s = p.s;
    const PixelRect& frame = p.layout.horizonFrame;
    CopyStyle(p);
    p.c.Box(frame.left, frame.top, frame.right, frame.bottom);
    p.c.SetPen(kGroundColour);
    p.c.SetBrush(kGroundColour);
    p.c.FillBox(frame.left, frame.bottom, frame.right, s.y_max - 41);
    CopyStyle(p);
    TickFont(p);
    if (!(std::isfinite(s.Hoehe_min) && std::isfinite(s.Hoehe_max))) return;
    const double span = s.Hoehe_max - s.Hoehe_min;
    const int step = span < 15 ? 1 : (span < 60 ? 5 : 15);
    AzimuthTicks(p, step);
    AltitudeTicks(p, step);
}

// Spacing of the polar grid: circles every 10 degrees of declination on a
// wide chart, every 5 below 40 degrees of span and every degree below 15,
// so that a zoomed chart keeps a few circles; a spoke every hour of right
// ascension, labelled just outside the outer limit. Only the spokes of 0,
// 6, 12 and 18 h run on into the pole; the others stop at the innermost
// circle, where they would crowd together.
int PolarCircleStep(double spanDeg) { return spanDeg >= 40 ? 10 : (spanDeg >= 15 ? 5 : 1); }

// The declination circles (of the mirrored sky on the south chart), from
// the outer limit inwards.
std::vector<double> PolarCircleDeclinations(const ChartGeometry& g) {
    const double outer = g.polMin, inner = g.polMax;
    if (!(std::isfinite(outer) && std::isfinite(inner) && outer >= -90 && outer < inner)) return {};
    const int step = PolarCircleStep(inner - outer);
    std::vector<double> out{outer};
    for (int d = static_cast<int>(std::floor(outer / step)) * step + step; d < std::min(inner, 90.0); d += step)
        out.push_back(d);
    if (inner < 90) out.push_back(inner);
    return out;
}

void PolarCircles(const Pass& p, const std::vector<double>& circles) {
    const ChartGeometry& g = p.g;
    const int labelHeight = p.c.TextHeight();
    for (double mirroredDeg : circles) {
        const double rho = PolarRadius(g.k, 1, mirroredDeg * kDegToRad);
        if (!(rho >= 1) || rho > 1e6) continue;
        p.c.Circle(g.x0, g.y0, Round(rho));
        if (mirroredDeg != std::floor(mirroredDeg)) continue;
        // The label just inside the circle, beside the spoke of Pol_mitte.
        const int d = static_cast<int>(std::lround(g.sign * mirroredDeg));
        const ProjectionResult at = ProjectPoint(g, g.alpha0, d * kDegToRad);
        const int y = at.y > g.y0 ? at.y - labelHeight - 1 : at.y + 2;
        p.c.Text(at.x + 3, y, SignChar(d) + std::to_string(std::abs(d)));
    }
}

void PolarSpokes(const Pass& p, double innermostDeg) {
    const ChartGeometry& g = p.g;
    const double outerDec = g.sign * g.polMin * kDegToRad;
    const double innerDec = g.sign * std::min(innermostDeg, 90.0) * kDegToRad;
    const double poleDec = g.sign * std::min(g.polMax, 90.0) * kDegToRad;
    const int labelHeight = p.c.TextHeight();
    for (int h = 0; h < 24; ++h) {
        const double ra = h * kPi / 12;
        const ProjectionResult out = ProjectPoint(g, ra, outerDec);
        const ProjectionResult in = ProjectPoint(g, ra, h % 6 == 0 ? poleDec : innerDec);
        p.c.Line(in.x, in.y, out.x, out.y);
        const double dx = out.x - g.x0, dy = out.y - g.y0, len = std::hypot(dx, dy);
        if (len < 1) continue;
        const std::string label = std::to_string(h) + "h";
        const int lx = Round(out.x + 14 * dx / len) - p.c.TextWidth(label) / 2;
        const int ly = Round(out.y + 14 * dy / len) - labelHeight / 2;
        p.c.Text(lx, ly, label);
    }
}

void DrawPolarGrid(const Pass& p) {
    CopyStyle(p);
    TickFont(p);
    const std::vector<double> circles = PolarCircleDeclinations(p.g);
    if (circles.empty()) return;  // a region without extent
    PolarCircles(p, circles);
    PolarSpokes(p, circles.back());
}

// ---------------------------------------------------------------------------
// Legends

void ScaleBar(const Pass& p) {
    static constexpr double kSeries[] = {1.0 / 120, 1.0 / 60, 1.0 / 30, 1.0 / 12, 1.0 / 6, 1.0 / 2,
                                         1, 2, 5, 10, 20};
    // Pixels per degree: k on the rectangular charts; on the polar charts
    // the scale of 90 k tan(distance / 2) at the pole, where the bar stands
    // for the middle of the chart.
    const double perDegree = astronomy::IsPolarChart(p.g.mode) ? p.g.k * astronomy::kPi / 4 : p.g.k;
    int length = 64;
    double v = 64 / perDegree;
    if (v > 1.0 / 720 && v < 20) {
        double next = v;
        for (double step : kSeries) {
            if (step >= v) {
                next = step;
                break;
            }
        }
        length = Round(length * next / v);
        v = next;
    }
    const int y = p.s.y_max - 31;
    const int x = kScaleBarX;
    p.c.Line(x, y, x + length, y);
    p.c.Line(x, y - 4, x, y + 4);
    p.c.Line(x + length, y - 4, x + length, y + 4);
    p.c.Text(length / 2 + x - 5, p.s.y_max - 24, astronomy::FormatAngleSmall(v));
}

void DateStamp(const Pass& p) { DrawDateStamp(p.c, p.s, p.printing ? 40 : 0, true); }

// A filled arrow head in a button.
enum class Arrow { Up, Left, Right, Down };

void ArrowButton(const Pass& p, const PixelRect& box, Arrow arrow) {
    p.c.SetPen(p.text);
    p.c.SetBrush(p.background);
    p.c.FillBox(box.left, box.top, box.right, box.bottom);
    const int cx = box.CentreX(), cy = box.CentreY();
    std::vector<std::pair<int, int>> head;
    switch (arrow) {
        case Arrow::Up: head = {{cx, cy - 4}, {cx - 4, cy + 3}, {cx + 4, cy + 3}}; break;
        case Arrow::Down: head = {{cx, cy + 4}, {cx - 4, cy - 3}, {cx + 4, cy - 3}}; break;
        case Arrow::Left: head = {{cx - 4, cy}, {cx + 3, cy - 4}, {cx + 3, cy + 4}}; break;
        case Arrow::Right: head = {{cx + 4, cy}, {cx - 3, cy - 4}, {cx - 3, cy + 4}}; break;
    }
    p.c.SetBrush(p.text);
    p.c.Polygon(head, true);
}

// The zoom boxes at the lower left ("Zoom" above, "Mooz" below) and the
// four arrow buttons at mid-height of the left edge.
void NavigationButtons(const Pass& p) {
    const astronomy::ProgramState& s = p.s;
    const std::string factor = astronomy::FormatFixed(s.ZoomStep, 1, 1);
    p.c.SetFont(FontRole::Note, 0);
    if (p.c.TextWidth(factor + "x Mooz") > 54) p.c.SetFont(FontRole::Note, 7);
    struct ZoomBox {
        const PixelRect& box;
        const char* word;
    };
    for (const ZoomBox& zoom : {ZoomBox{p.layout.zoomIn, "x Zoom"}, ZoomBox{p.layout.zoomOut, "x Mooz"}}) {
        p.c.SetPen(p.text);
        p.c.SetBrush(p.background);
        p.c.FillBox(zoom.box.left, zoom.box.top, zoom.box.right, zoom.box.bottom);
        p.c.Text(zoom.box.left + 3, zoom.box.top + 4, factor + zoom.word);
    }
    ArrowButton(p, p.layout.arrowUp, Arrow::Up);
    ArrowButton(p, p.layout.arrowLeft, Arrow::Left);
    ArrowButton(p, p.layout.arrowRight, Arrow::Right);
    ArrowButton(p, p.layout.arrowDown, Arrow::Down);
}

// The symbol of class 18 + i at size 6.
void ClassSymbol(const Pass& p, int i, int x, int y) {
    SymbolRequest r;
    r.type = 18 + i;
    r.size = 6;
    DrawObjectSymbol(p.c, p.s, x, y, r);
}

void MagnitudeScale(const Pass& p) {
    const astronomy::ProgramState& s = p.s;
    ChartFont(p);
    p.c.Text(64, s.y_max - 36, "Mag:");
    for (int i = 0; i <= 8; ++i) p.c.Text(98 + 18 * i, s.y_max - 36, std::to_string(i));
    StarStyle(p.c, s);
    const ClipBox none;
    for (int i = 0; i <= 8 && i <= s.Grenzmag; ++i)
        PaintStar(p.c, p.printing, 103 + 18 * i, s.y_max - 15, StarSizeChart(s, 10 * (i + 2)), none);
}

void ClassLegend(const Pass& p) {
    const std::string labels = "OStKStPlNGa  E ";
    for (int i = 1; i <= 5; ++i) {
        const ClassLegendCell& cell = p.layout.classCells[static_cast<std::size_t>(i - 1)];
        ClassSymbol(p, i, cell.symbolX, cell.symbolY);
    }
    CopyStyle(p);
    ChartFont(p);
    for (int i = 1; i <= 5; ++i) {
        const ClassLegendCell& cell = p.layout.classCells[static_cast<std::size_t>(i - 1)];
        p.c.Text(cell.labelX, cell.labelY, labels.substr(static_cast<std::size_t>(3 * (i - 1)), 3));
    }
}

bool ButtonsShown(const Pass& p) {
    const View m = p.s.ChartMode;
    return !p.printing && (m == View::Equatorial || m == View::Horizon || m == View::NorthPolar);
}

void DrawLegendStrip(const Pass& p) {
    CopyStyle(p);
    ChartFont(p);
    ScaleBar(p);
    DateStamp(p);
    if (ButtonsShown(p)) NavigationButtons(p);
    CopyStyle(p);
    MagnitudeScale(p);
    ClassLegend(p);
    CopyStyle(p);
}

void DrawWholeSkyLegend(const Pass& p) {
    const ChartGeometry& g = p.g;
    const int cx = g.cx, cy = g.cy, R = g.radius;
    CopyStyle(p);
    ChartFont(p);
    p.c.Text(cx - 4, cy - R - 16, "N");
    p.c.Text(cx - 4, cy + R + 1, "S");
    p.c.Text(cx - R - 12, cy - 7, "O");
    p.c.Text(cx + R + 4, cy - 7, "W");
    p.c.Text(3, 10, "Sterne bis 5 mag:");
    for (int i = 1; i <= 5; ++i) p.c.Text(30, 20 * i + 22, std::to_string(i));
    StarStyle(p.c, p.s);
    const ClipBox none;
    for (int i = 1; i <= 5; ++i)
        PaintStar(p.c, p.printing, 12, 20 * i + 30, WholeSkyStarSize(i + 0.1, p.printing) + 0.8, none);
    const std::string labels = "OStKStPlNGa E  ";
    const int yMax = p.s.y_max;
    // Each code centred under its symbol; the symbols stand as far apart as
    // the widest code needs in the chart font (at least 20 pixels), the
    // last one where it always stood.
    CopyStyle(p);
    ChartFont(p);
    std::string codes[5];
    int spacing = 20;
    for (int i = 0; i < 5; ++i) {
        codes[i] = labels.substr(static_cast<std::size_t>(3 * i), 3);
        while (!codes[i].empty() && codes[i].back() == ' ') codes[i].pop_back();
        spacing = std::max(spacing, p.c.TextWidth(codes[i]) + 4);
    }
    // In a low window the corner comes near the horizon circle: the codes
    // then start right of where the circle passes their lowest row.
    const double below = cy - (30.0 + p.c.TextHeight());
    const int circleRight = below < R ? cx + static_cast<int>(std::ceil(std::sqrt(double(R) * R - below * below))) : cx;
    // The last symbol stays left of the parameter panel in a tall window.
    const int last = std::min(yMax - 20, p.s.ChartWidth - spacing / 2 - 4);
    const int first = std::max(last - 4 * spacing, circleRight + spacing / 2 + 4);
    const auto symbolX = [&](int i) { return first + (i - 1) * spacing; };
    // The symbols are overlay drawing; in a narrow window their place lies
    // beyond the cleared chart area, so it is cleared here, or every redraw
    // would turn them over.
    p.c.SetPen(p.background);
    p.c.SetBrush(p.background);
    p.c.FillBox(symbolX(1) - spacing / 2 - 2, 4, symbolX(5) + spacing / 2 + 2, 28);
    for (int i = 1; i <= 5; ++i) ClassSymbol(p, i, symbolX(i), 16);
    CopyStyle(p);
    ChartFont(p);
    for (int i = 1; i <= 5; ++i)
        p.c.Text(symbolX(i) - p.c.TextWidth(codes[i - 1]) / 2, 30, codes[i - 1]);
}

// ---------------------------------------------------------------------------
// The passes

void StarsOfChart(const Pass& p, const ChartData& data, const AbortCheck& abort) {
    PaintStars(p.c, p.s, p.g, PlaceStars(p.s, p.g, data, abort));
    CopyStyle(p);
}

void WholeSkyPass(const Pass& p, const ChartData& data, const AbortCheck& abort) {
    const ChartGeometry& g = p.g;
    // The parameter panel right of the chart area stays; it draws itself.
    p.c.SetRasterOp(RasterOp::Copy);
    p.c.SetLineWidth(1);
    p.c.SetPen(p.background);
    p.c.SetBrush(p.background);
    p.c.FillBox(0, 0, std::max(0, p.s.ChartWidth - 1), p.s.y_max);
    DrawWholeSkyLegend(p);
    CopyStyle(p);
    p.c.FillCircle(g.cx, g.cy, g.radius);
    StarsOfChart(p, data, abort);
}

void FramedPass(const Pass& p, const ChartData& data, const AbortCheck& abort) {
    const View m = p.g.mode;
    ClearAndOutline(p, !(m == View::Horizon && p.printing));
    if (m == View::Equatorial)
        DrawEquatorialFrame(p);
    else if (m == View::Horizon)
        DrawHorizonFrame(p);
    else
        DrawPolarGrid(p);
    DrawLegendStrip(p);
    StarsOfChart(p, data, abort);
}

}  // namespace

// ---------------------------------------------------------------------------

bool ChartData::Ensure(const std::string& dataFolder) { return Ensure(dataFolder, dataFolder); }

bool ChartData::Ensure(const std::string& dataFolder, const std::string& programFolder) {
    const bool starsDue = !stars.IsOpen() || folder != dataFolder;
    const std::string folders = programFolder + '\n' + dataFolder;
    const bool figuresDue = figuresFolders != folders;
    if (!starsDue && !figuresDue) return true;
    error.clear();
    if (starsDue) {
        std::string problem;
        if (stars.Open(dataFolder, problem)) {
            folder = dataFolder;
        } else {
            folder.clear();
            error = problem;
        }
    }
    if (figuresDue) {
        figuresFolders = folders;
        figures.clear();
        std::string path = CatalogueFilePath(programFolder, kConstellationFileName);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            const std::string inData = CatalogueFilePath(dataFolder, kConstellationFileName);
            if (std::filesystem::is_regular_file(inData, ec)) path = inData;
        }
        std::vector<ConstellationFigure> read;
        std::string problem;
        // A file with faults still gives the figures that could be read.
        if (!ReadConstellationFile(path, read, problem)) error += (error.empty() ? "" : "|") + problem;
        figures = std::move(read);
    }
    return stars.IsOpen();
}

double StarSizeWholeSky(const astronomy::ProgramState& s, int magnitudeCode) {
    return WholeSkyStarSize(0.07 * magnitudeCode, Printing(s));
}

double StarSizeChart(const astronomy::ProgramState& s, int magnitudeCode) {
    const double m = 0.1 * magnitudeCode - 2;
    // The limiting magnitude prompt keeps it at 8 or below; a settings file
    // may hold anything.
    const double limit = std::isfinite(s.Grenzmag) ? std::min(s.Grenzmag, 8.0) : 8.0;
    if (m > limit) return 0;
    return 0.55 * (limit - m) + 0.5;
}

void DrawStar(Canvas& canvas, const astronomy::ProgramState& s, int x, int y, double size) {
    StarStyle(canvas, s);
    PaintStar(canvas, Printing(s), x, y, size, ClipBox{});
}

std::vector<PlacedStar> PlaceStars(const astronomy::ProgramState& s, const ChartGeometry& g, const ChartData& data,
                                   const AbortCheck& abort) {
    std::vector<PlacedStar> out;
    if (!data.stars.IsOpen()) return out;
    if (g.mode == View::WholeSky) {
        out.reserve(static_cast<std::size_t>(kBrightStarRecords.Count()));
        PlaceRange(g, data, kBrightStarRecords, false, abort,
                   [&s](int code) { return StarSizeWholeSky(s, code); }, out);
    } else {
        out.reserve(static_cast<std::size_t>(kStarRecords.Count() / 2));
        PlaceRange(g, data, kStarRecords, g.mode == View::Equatorial, abort,
                   [&s](int code) { return StarSizeChart(s, code); }, out);
    }
    return out;
}

void PaintStars(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                const std::vector<PlacedStar>& stars) {
    StarStyle(canvas, s);
    const ClipBox clip = StarClip(g);
    const bool printing = Printing(s);
    for (const PlacedStar& star : stars) PaintStar(canvas, printing, star.x, star.y, star.size, clip);
}

ChartGeometry DrawChart(Canvas& canvas, const astronomy::ProgramState& s, ChartData& data,
                        std::optional<astronomy::ObjectKind> selected, const AbortCheck& abort) {
    data.Ensure(s.DataFolder, s.ProgramFolder);
    const ChartGeometry g = SetUpChart(s);
    const Pass p = MakePass(canvas, s, g);
    if (g.mode == View::WholeSky)
        WholeSkyPass(p, data, abort);
    else
        FramedPass(p, data, abort);
    DrawOverlayLayers(canvas, s, g, data, selected);
    if (selected) MarkNamedObject(canvas, s, g, *selected);
    ShowSunAltitude(canvas, s);
    return g;
}

void DrawNavigationButtons(Canvas& canvas, const astronomy::ProgramState& s) {
    const ChartGeometry none;
    const Pass p = MakePass(canvas, s, none);
    CopyStyle(p);
    NavigationButtons(p);
    CopyStyle(p);
}

DateStampPlace PlaceDateStamp(Canvas& canvas, const astronomy::ProgramState& s, int inset, bool equinox) {
    canvas.SetFont(FontRole::Note, 0);
    DateStampPlace d;
    d.date = astronomy::FormatDateNumeric(s.Day, s.Month, s.Year);
    d.clock = astronomy::FormatHm(s.ClockTime);
    d.zone = astronomy::ZoneName(s.Zone);
    if (equinox) d.frame = "Äqui 2000";
    // The zone after the clock time, the rows a line apart, the block moved
    // left and up where a wide or tall font needs it to end inside the area.
    d.zoneX = std::max(30, canvas.TextWidth(d.clock + " "));
    const int width =
        std::max({canvas.TextWidth(d.date), d.zoneX + canvas.TextWidth(d.zone), canvas.TextWidth(d.frame)});
    const int rows = equinox ? 3 : 2;
    const int height = canvas.TextHeight();
    d.step = std::max(12, height);
    d.box.left = std::min(s.x_max - 68 - inset, s.x_max - 2 - inset - width);
    d.box.top = std::min(s.y_max - 40, s.y_max - 4 - height - (rows - 1) * d.step);
    d.box.right = d.box.left + width;
    d.box.bottom = d.box.top + (rows - 1) * d.step + height;
    return d;
}

void DrawDateStamp(Canvas& canvas, const astronomy::ProgramState& s, int inset, bool equinox) {
    const DateStampPlace d = PlaceDateStamp(canvas, s, inset, equinox);
    canvas.Text(d.box.left, d.box.top, d.date);
    canvas.Text(d.box.left, d.box.top + d.step, d.clock);
    canvas.Text(d.box.left + d.zoneX, d.box.top + d.step, d.zone);
    if (equinox) canvas.Text(d.box.left, d.box.top + 2 * d.step, d.frame);
}

void ShowSunAltitude(Canvas& canvas, const astronomy::ProgramState& s) {
    if (Printing(s)) return;
    const astronomy::BodyPosition sun =
        astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::BodyTarget(astronomy::ObjectKind::Sun)).body;
    const ChartGeometry none;
    const Pass p = MakePass(canvas, s, none);
    CopyStyle(p);
    ChartFont(p);
    canvas.SetTextBackground(p.background, true);  // covers a longer old value
    // Right of the longest scale bar where the window is narrow.
    const int x = std::max(s.x_max - 350, kScaleBarX + kLongestScaleBar + 10);
    canvas.Text(x, s.y_max - 20, "Hs=");
    canvas.Text(std::max(x + 25, x + canvas.TextWidth("Hs=")), s.y_max - 19,
                astronomy::FormatDegrees(sun.altitude / kDegToRad));
    canvas.SetTextBackground(p.background, false);
}

}  // namespace charts

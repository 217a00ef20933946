// The exact pixel lines of the overlay layers and their clipping.
#include "charts/PixelLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "charts/ChartLayout.h"

namespace charts {

using astronomy::View;
using platform::Canvas;
using platform::Colour;

LineClip LineClipFor(const Canvas& c, const ChartGeometry& g) {
    if (astronomy::IsRectangularChart(g.mode)) {
        const ChartLayout layout = LayoutFor(g.xMax, g.yMax);
        const PixelRect& frame = g.mode == View::Horizon ? layout.horizonFrame : layout.frame;
        return {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    }
    if (g.mode == View::System && g.pictureHalfWidth > 0)
        return {std::max(0, g.cx - g.pictureHalfWidth), 0, std::min(c.Width() - 1, g.cx + g.pictureHalfWidth - 1),
                c.Height() - 1};
    return {0, 0, c.Width() - 1, c.Height() - 1};
}

// The part of the segment inside the clip (Liang-Barsky); false when none.
bool ClipSegment(const LineClip& clip, double& x1, double& y1, double& x2, double& y2) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - clip.left, clip.right - x1, y1 - clip.top, clip.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = x1 + t0 * dx;
    y1 = y1 + t0 * dy;
    return true;
}

PixelLine::PixelLine(Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, Colour colour, int width)
    : c_(c),
      clip_(LineClipFor(c, g)),
      ratio_(std::max(1, c.PixelRatio())),
      fineClip_{clip_.left * ratio_, clip_.top * ratio_, clip_.right * ratio_ + ratio_ - 1,
                clip_.bottom * ratio_ + ratio_ - 1},
      colour_(colour),
      width_(std::max(1, width)),
      exact_(s.PrintingFlag == 0) {}

void PixelLine::Segment(int x1, int y1, int x2, int y2) {
    if (!exact_) {
        double ax = x1, ay = y1, bx = x2, by = y2;
        if (!ClipSegment(clip_, ax, ay, bx, by)) return;
        c_.SetPen(colour_);
        c_.SetLineWidth(width_);
        c_.Line(static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay)),
                static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by)));
        return;
    }
    // The steps run between the device corners of the end pixels.
    const long r = ratio_;
    const long fx1 = x1 * r, fy1 = y1 * r, fx2 = x2 * r, fy2 = y2 * r;
    const long dx = fx2 - fx1, dy = fy2 - fy1;
    const bool alongX = std::labs(dx) >= std::labs(dy);
    const long major1 = alongX ? fx1 : fy1, major2 = alongX ? fx2 : fy2;
    const long minor1 = alongX ? fy1 : fx1;
    const long span = alongX ? dx : dy, rise = alongX ? dy : dx;
    // Only the stretch over the clip: a step may come from far beyond it.
    const long low = (alongX ? fineClip_.left : fineClip_.top) - width_ * r;
    const long high = (alongX ? fineClip_.right : fineClip_.bottom) + width_ * r;
    const long from = std::max(std::min(major1, major2), low);
    const long to = std::min(std::max(major1, major2), high);
    for (long m = from; m <= to; ++m) {
        const long n = span == 0 ? minor1 : minor1 + std::lround(static_cast<double>(rise) * (m - major1) / span);
        if (alongX)
            Plot(m, n);
        else
            Plot(n, m);
    }
}

void PixelLine::Draw() {
    if (pixels_.empty()) return;
    std::sort(pixels_.begin(), pixels_.end());
    pixels_.erase(std::unique(pixels_.begin(), pixels_.end()), pixels_.end());
    c_.SetPen(colour_);
    c_.SetBrush(colour_);
    c_.SetLineWidth(1);  // a box one pixel high is its own edge
    std::size_t i = 0;
    while (i < pixels_.size()) {
        const auto [y, x0] = pixels_[i];
        int x1 = x0;
        while (++i < pixels_.size() && pixels_[i].first == y && pixels_[i].second == x1 + 1) ++x1;
        c_.DeviceRun(x0, x1, y);
    }
    pixels_.clear();
}

// A step thickened to the line's width: the square of the picture pixels
// around it, in device pixels.
void PixelLine::Plot(long x, long y) {
    const long lo = -ratio_ * ((width_ - 1) / 2), hi = ratio_ * (width_ / 2) + ratio_ - 1;
    for (long yy = y + lo; yy <= y + hi; ++yy)
        for (long xx = x + lo; xx <= x + hi; ++xx)
            if (xx >= fineClip_.left && yy >= fineClip_.top && xx <= fineClip_.right && yy <= fineClip_.bottom)
                pixels_.emplace_back(static_cast<int>(yy), static_cast<int>(xx));
}

}  // namespace charts

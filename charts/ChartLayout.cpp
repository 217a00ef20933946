// The positions of frame, buttons, legend cells and readout box in a drawing area.
#include "charts/ChartLayout.h"

#include "astronomy/Numbers.h"

namespace charts {

namespace {

constexpr int kFrameLeft = 49;
constexpr int kFrameTop = 24;
constexpr int kFrameRightMargin = 38;   // the frame ends this far left of x_max
constexpr int kFrameBottomMargin = 57;  // and this far above y_max: the legend strip
constexpr int kButtonRight = 58;        // the zoom boxes span x 1..58
constexpr int kButtonHeight = 20;
constexpr int kArrowRight = 15;         // the arrow buttons span x 1..15
constexpr int kArrowStep = 15;          // and stand 15 pixels apart
constexpr int kArrowHeight = 16;
// The class legend: cell i (1..5) begins at 224 + 30 i; clicks count only
// strictly between x 262 and 412.
constexpr int kClassOrigin = 224;
constexpr int kClassStep = 30;
constexpr int kClassFirstX = 262;

}  // namespace

double ChartLayout::FrameAspect() const {
    const double w = FrameWidth(), h = FrameHeight();
    return w > 0 && h > 0 ? w / h : 1;
}

ChartLayout LayoutFor(int xMax, int yMax) {
    ChartLayout l;
    l.xMax = xMax;
    l.yMax = yMax;
    const int right = xMax - kFrameRightMargin, bottom = yMax - kFrameBottomMargin;
    l.frame = {kFrameLeft, kFrameTop, right, bottom};
    l.horizonFrame = {kFrameLeft + 1, kFrameTop, right, bottom};
    l.bandStartArea = {kFrameLeft, kFrameTop - 1, right + 1, bottom};
    l.readArea = {kFrameLeft, kFrameTop, right + 1, bottom + 1};
    l.openReadArea = {0, 0, xMax, bottom + 1};
    l.zoomIn = {1, yMax - 2 * kButtonHeight - 1, kButtonRight, yMax - kButtonHeight};
    l.zoomOut = {1, yMax - kButtonHeight - 1, kButtonRight, yMax};
    const int middle = astronomy::Round(yMax / 2.0);
    auto arrow = [&](int n) {
        const int top = middle - 46 + kArrowStep * n;
        return PixelRect{1, top, kArrowRight, top + kArrowHeight};
    };
    l.arrowUp = arrow(0);
    l.arrowLeft = arrow(1);
    l.arrowRight = arrow(2);
    l.arrowDown = arrow(3);
    for (int i = 1; i <= 5; ++i) {
        ClassLegendCell& cell = l.classCells[static_cast<std::size_t>(i - 1)];
        cell.symbolX = 247 + kClassStep * i;
        cell.symbolY = yMax - 15;
        cell.labelX = 242 + kClassStep * i;
        cell.labelY = yMax - 36;
        const int left = kClassOrigin + kClassStep * i - 1;
        cell.hit = {left > kClassFirstX ? left : kClassFirstX, bottom, kClassOrigin + kClassStep * (i + 1), yMax + 1};
    }
    l.readoutBox = {xMax - 290, yMax - 40, xMax - 80, yMax};
    return l;
}

NavigationButton NavigationButtonAt(const ChartLayout& layout, int x, int y) {
    const std::pair<const PixelRect*, NavigationButton> buttons[] = {
        {&layout.arrowUp, NavigationButton::PanNorth},   {&layout.arrowLeft, NavigationButton::PanEast},
        {&layout.arrowRight, NavigationButton::PanWest}, {&layout.arrowDown, NavigationButton::PanSouth},
        {&layout.zoomOut, NavigationButton::ZoomOut},    {&layout.zoomIn, NavigationButton::ZoomIn}};
    for (const auto& [rect, button] : buttons)
        if (rect->ContainsStrictly(x, y)) return button;
    return NavigationButton::None;
}

int ClassCellAt(const ChartLayout& layout, int x, int y) {
    for (int i = 0; i < 5; ++i)
        if (layout.classCells[static_cast<std::size_t>(i)].hit.ContainsStrictly(x, y)) return 19 + i;
    return 0;
}

}  // namespace charts

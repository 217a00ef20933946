// Where the parts of a chart lie in a drawing area of a given size: the
// frame of the rectangular charts, the legend strip with its deep-sky class
// cells, the zoom and arrow buttons and the pointer readout box. The drawing
// code draws them here and the mouse handling hit-tests them here, so the
// two always agree.
#pragma once

#include <array>

namespace charts {

// A rectangle of pixels, corners included.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    // Strictly inside: a point on the border is outside.
    bool ContainsStrictly(int x, int y) const { return x > left && x < right && y > top && y < bottom; }
    // Whether two rectangles share some area; edges that only touch do not
    // count (text boxes drawn side by side).
    bool Overlaps(const PixelRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
};

// The symbol and the label of one deep-sky class in the legend strip, and
// the cell a click selects it in.
struct ClassLegendCell {
    int symbolX = 0, symbolY = 0;
    int labelX = 0, labelY = 0;
    PixelRect hit;  // strictly inside selects the class
};

struct ChartLayout {
    int xMax = 0, yMax = 0;
    // The frame of the equatorial chart; the horizon chart's starts one
    // pixel further right.
    PixelRect frame, horizonFrame;
    // A left press strictly inside starts the zoom rectangle; the pointer
    // reads the sky strictly inside readArea on the rectangular charts and
    // strictly inside openReadArea (the drawing area above the legend strip)
    // on the others.
    PixelRect bandStartArea, readArea, openReadArea;
    // The two zoom boxes at the lower left: "Zoom" above, "Mooz" below.
    PixelRect zoomIn, zoomOut;
    // The four arrow buttons down the left edge about mid-height. The arrow
    // pointing left moves the region east (east is left on the sky).
    PixelRect arrowUp, arrowLeft, arrowRight, arrowDown;
    // The deep-sky classes 19 to 23 in their legend order.
    std::array<ClassLegendCell, 5> classCells;
    // The pointer readout at the lower right.
    PixelRect readoutBox;

    // Pixels across the frame and down it; the projections scale the region
    // onto one pixel less across (Width() - 1).
    int FrameWidth() const { return frame.right - frame.left; }
    int FrameHeight() const { return frame.bottom - frame.top; }
    // Width over height of the frame; 1 for a window too small to have one.
    double FrameAspect() const;
};

// The layout of a drawing area whose last pixel is (xMax, yMax).
ChartLayout LayoutFor(int xMax, int yMax);

// The navigation button a click at a point (strictly inside) presses. The
// arrows are drawn after the zoom boxes: where a low window puts them on
// top of each other, the click goes to the arrow it shows.
enum class NavigationButton { None, ZoomIn, ZoomOut, PanNorth, PanSouth, PanEast, PanWest };
NavigationButton NavigationButtonAt(const ChartLayout& layout, int x, int y);
// The deep-sky class (19..23) of the legend cell under a point; 0 for none.
int ClassCellAt(const ChartLayout& layout, int x, int y);

}  // namespace charts

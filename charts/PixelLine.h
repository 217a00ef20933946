// Line figures of the overlay layers drawn so that each of their pixels is
// set exactly once: under exclusive-or a pixel set twice, where two steps of
// a curve meet or a wide line bends, would vanish again.
#pragma once

#include <utility>
#include <vector>

#include "astronomy/ProgramState.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// Where the line layers may draw: inside the frame on the rectangular
// charts (as the stars), the whole picture on the others.
struct LineClip {
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive
};
LineClip LineClipFor(const platform::Canvas& c, const ChartGeometry& g);

// The part of the segment inside the clip (Liang-Barsky); false when none.
bool ClipSegment(const LineClip& clip, double& x1, double& y1, double& x2, double& y2);

// The segments' pixels are collected, thickened to the line width, freed of
// doubles and set row by row in the canvas's raster mode when the line is
// drawn (at the latest when it goes out of scope). The pixels are the
// canvas's device pixels: on a finer grid the steps are finer and the line
// as wide as on the picture's own. On the printer, which draws by copying,
// the segments go out at once as lines of the printer's width.
class PixelLine {
public:
    PixelLine(platform::Canvas& c, const astronomy::ProgramState& s, const ChartGeometry& g, platform::Colour colour,
              int width);
    PixelLine(const PixelLine&) = delete;
    PixelLine& operator=(const PixelLine&) = delete;
    ~PixelLine() { Draw(); }

    void Segment(int x1, int y1, int x2, int y2);
    void Draw();

private:
    void Plot(long x, long y);

    platform::Canvas& c_;
    LineClip clip_;      // picture pixels
    int ratio_;          // device pixels per picture pixel
    LineClip fineClip_;  // device pixels
    platform::Colour colour_;
    int width_;
    bool exact_;
    std::vector<std::pair<int, int>> pixels_;  // (y, x) in device pixels
};

}  // namespace charts

// The pointer readout: the sky coordinates under the mouse pointer, written
// into a small box at the lower right of a chart.
#pragma once

#include <string>

#include "astronomy/ProgramState.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// The four values as the box shows them: the right ascension in hours,
// minutes and seconds, the declination in signed degrees and minutes, the
// azimuth (from north) and the altitude in whole degrees.
struct ReadoutTexts {
    std::string alpha, delta, azimuth, altitude;
};
ReadoutTexts FormatReadout(const SkyPoint& p);

// True when the point has no sky position (all values kNoValue).
inline bool IsNoValue(const SkyPoint& p) { return p.alpha <= -99.9; }

// Writes "α=", "δ=", "Az=", "Ho=" and the values of the point into the
// readout box of the chart layout; clears the box instead while printing or
// when the point has no sky position.
void ShowPointerReadout(platform::Canvas& canvas, const astronomy::ProgramState& s, const SkyPoint& p);

}  // namespace charts

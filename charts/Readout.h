// The pointer readout: the sky coordinates under the mouse pointer, written
// into a small box at the lower right of a chart.
#pragma once

#include <string>

#include "astronomy/ProgramState.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// The readout box, from (x_max - 290, y_max - 40) to (x_max - 80, y_max).
inline constexpr int kReadoutLeft = 290;
inline constexpr int kReadoutRight = 80;
inline constexpr int kReadoutTop = 40;

// The four values as the box shows them: the right ascension in hours,
// minutes and seconds, the declination in signed degrees and minutes, the
// azimuth (from north) and the altitude in whole degrees.
struct ReadoutTexts {
    std::string alpha, delta, azimuth, altitude;
};
ReadoutTexts FormatReadout(const SkyPoint& p);

// True when the point has no sky position (all values kNoValue).
inline bool IsNoValue(const SkyPoint& p) { return p.alpha <= -99.9; }

// Writes "α=", "δ=", "Az=", "Ho=" and the values of the point; clears the
// box instead while printing or when the point has no sky position.
void ShowPointerReadout(platform::Canvas& canvas, const astronomy::ProgramState& s, const SkyPoint& p);

}  // namespace charts

// The hit test of the legend strip that toggles a deep-sky class.
#include <gtest/gtest.h>

#include <string>

#include "astronomy/ProgramState.h"
#include "charts/Layers.h"
#include "charts/Projection.h"

namespace {

astronomy::ProgramState Chart(astronomy::View mode) {
    astronomy::ProgramState s;
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartMode = mode;
    return s;
}

}  // namespace

// The legend draws the symbol of type 18 + i at x = 247 + 30 i, y = y_max - 15;
// a click there picks that type. The strip is the band below y_max - 57,
// between x = 262 and 412 exclusive, cut into 30-pixel cells from x = 224.
TEST(Layers, DeepSkyLegendHitTest) {
    for (astronomy::View mode : {astronomy::View::Equatorial, astronomy::View::Horizon, astronomy::View::NorthPolar,
                       astronomy::View::SouthPolar}) {
        const astronomy::ProgramState s = Chart(mode);
        SCOPED_TRACE(::testing::Message() << "mode " << astronomy::ViewNumber(mode));
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(charts::DeepSkyClassAt(s, 247 + 30 * i, s.y_max - 15), 18 + i) << i;

        struct Case {
            int x, y, type;
        };
        const Case cases[] = {
            {300, s.y_max - 20, 20},  // "KSt"
            {410, s.y_max - 20, 0},   // the sixth cell holds nothing
            {262, s.y_max - 20, 0},   // the left end itself is outside
            {263, s.y_max - 20, 19},
            {403, s.y_max - 20, 23},
            {404, s.y_max - 20, 0},
            {300, s.y_max - 57, 0},  // the frame's bottom line is not yet the strip
            {300, s.y_max - 56, 20},
        };
        for (const Case& c : cases) EXPECT_EQ(charts::DeepSkyClassAt(s, c.x, c.y), c.type) << c.x << "," << c.y;
    }
    // The whole-sky chart has no such strip.
    const astronomy::ProgramState sky = Chart(astronomy::View::WholeSky);
    EXPECT_EQ(charts::DeepSkyClassAt(sky, 300, sky.y_max - 20), 0);
}

// The pointer readout in a font wider than the box's fixed columns allow:
// the azimuth column moves right after the widest sky coordinate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../reports/RecordingCanvas.h"
#include "charts/Readout.h"
#include "HannoverState.h"

namespace {

using testing_canvas::RecordingCanvas;

// Whether two texts of one row (the rows are 15 pixels apart, the canvas's
// font is taller than the real small one) run into each other.
bool Cover(const RecordingCanvas& c, const testing_canvas::TextCall& a, const testing_canvas::TextCall& b) {
    return std::abs(a.y - b.y) < 8 && a.x < b.x + c.TextWidth(b.text) && b.x < a.x + c.TextWidth(a.text);
}

}  // namespace

TEST(PointerReadout, ColumnsStandApartInAWideFont) {
    // Eight pixels a character: "α=" and "19h 59m 59s" take 104 pixels,
    // more than the 94 between the two columns.
    const astronomy::ProgramState s = HannoverState(21.0, 15, 3, 2024, astronomy::View::Equatorial);
    for (const charts::SkyPoint& point :
         {charts::SkyPoint{19.9997, -89.99, 359.7, -89.9}, charts::SkyPoint{8.8, -8.8, 188, 8}}) {
        RecordingCanvas c(1301, 901, {0, 0, 0});
        charts::ShowPointerReadout(c, s, point);
        ASSERT_EQ(c.texts.size(), 8u);
        for (std::size_t i = 0; i < c.texts.size(); ++i)
            for (std::size_t j = i + 1; j < c.texts.size(); ++j)
                EXPECT_FALSE(Cover(c, c.texts[i], c.texts[j])) << c.texts[i].text << " and " << c.texts[j].text;
        // The azimuth and altitude stand in one column, right of both
        // coordinates.
        const auto* az = c.FindText("Az=");
        const auto* ho = c.FindText("Ho=");
        ASSERT_TRUE(az && ho);
        EXPECT_EQ(az->x, ho->x);
    }
}

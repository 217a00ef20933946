// The chart layout: what the legend strip draws is what a click there
// selects, at any size of the drawing area.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../reports/RecordingCanvas.h"
#include "charts/ChartDrawing.h"
#include "charts/ChartLayout.h"
#include "charts/Layers.h"

namespace {

using astronomy::View;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

using Button = charts::NavigationButton;

// What a drawn arrow shows: two corners of its head form the base, in one
// row or one column; the third is the tip.
Button ArrowShown(const std::vector<std::pair<int, int>>& head) {
    if (head.size() != 3) return Button::None;
    for (std::size_t t = 0; t < 3; ++t) {
        const auto tip = head[t], a = head[(t + 1) % 3], b = head[(t + 2) % 3];
        if (a.second == b.second) return tip.second < a.second ? Button::PanNorth : Button::PanSouth;
        if (a.first == b.first) return tip.first < a.first ? Button::PanEast : Button::PanWest;  // left: east on the sky
    }
    return Button::None;
}

TEST(ChartLayout, ButtonsAndLegendCellsHitWhereTheyAreDrawn) {
    const std::vector<int> sizes = {1, 19, 60, 111, 112, 200, 319, 550, 799, 900, 1300, 1999};
    charts::ChartData none;  // no catalogue: the frame and the legend strip alone
    for (int xMax : sizes) {
        for (int yMax : sizes) {
            SCOPED_TRACE(std::to_string(xMax) + " x " + std::to_string(yMax));
            astronomy::ProgramState s;
            s.x_max = xMax, s.y_max = yMax;
            s.ChartMode = View::Equatorial;
            s.DisplayFlags = 0;
            RecordingCanvas c(xMax + 1, yMax + 1);
            charts::DrawChart(c, s, none, std::nullopt, {});
            const charts::ChartLayout layout = charts::LayoutFor(xMax, yMax);
            auto onCanvas = [&](int x, int y) { return x >= 0 && y >= 0 && x <= xMax && y <= yMax; };

            // The six buttons: boxes at the left edge with a text or an arrow head.
            int buttons = 0;
            for (std::size_t i = 0; i < c.shapes.size(); ++i) {
                const auto& box = c.shapes[i];
                if (box.kind != Shape::FillBox || box.x1 != 1) continue;
                const int cx = (box.x1 + box.x2) / 2, cy = (box.y1 + box.y2) / 2;
                Button shown = Button::None;
                if (i + 1 < c.shapes.size() && c.shapes[i + 1].kind == Shape::Polygon) {
                    shown = ArrowShown(c.shapes[i + 1].points);
                } else {
                    for (const auto& t : c.texts)
                        if (t.y > box.y1 && t.y < box.y2 && t.x > box.x1 && t.x < box.x2)
                            shown = t.text.ends_with("Zoom") ? Button::ZoomIn : Button::ZoomOut;
                }
                ASSERT_NE(shown, Button::None) << "box at " << box.y1;
                ++buttons;
                if (onCanvas(cx, cy)) {
                    EXPECT_EQ(charts::NavigationButtonAt(layout, cx, cy), shown) << "box at " << box.y1;
                }
            }
            EXPECT_EQ(buttons, 6);

            // The class legend: a click at a label selects its class.
            const std::vector<std::pair<std::string, int>> labels = {
                {"OSt", 19}, {"KSt", 20}, {"PlN", 21}, {"Ga ", 22}, {" E ", 23}};
            for (const auto& [label, type] : labels) {
                const auto* t = c.FindText(label);
                ASSERT_NE(t, nullptr) << label;
                if (onCanvas(t->x + 4, t->y + 4)) {
                    EXPECT_EQ(charts::DeepSkyClassAt(s, t->x + 4, t->y + 4), type) << label;
                }
            }
        }
    }
}

TEST(ChartLayout, FrameAndReadAreas) {
    const charts::ChartLayout l = charts::LayoutFor(1300, 900);
    // The equatorial frame and the scale of the projections, one pixel narrower.
    EXPECT_EQ(l.frame.left, 49);
    EXPECT_EQ(l.frame.right, 1262);
    EXPECT_EQ(l.FrameWidth() - 1, 1300 - 88);
    EXPECT_EQ(l.FrameHeight(), 900 - 81);
    EXPECT_EQ(l.horizonFrame.left, 50);
    // A zoom rectangle starts one row above the frame's top line down to the
    // row above its bottom line; the pointer reads from below the top line
    // to the bottom line.
    EXPECT_TRUE(l.bandStartArea.ContainsStrictly(50, 24));
    EXPECT_FALSE(l.readArea.ContainsStrictly(50, 24));
    EXPECT_TRUE(l.readArea.ContainsStrictly(1262, 843));
    EXPECT_FALSE(l.bandStartArea.ContainsStrictly(1262, 843));
    EXPECT_EQ(charts::LayoutFor(1, 1).FrameAspect(), 1);  // no frame at all
}

}  // namespace

// The steps, labels and markers of a track, and what a track draws on an
// equatorial chart and on the solar-system view.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "../reports/RecordingCanvas.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Projection.h"
#include "charts/SystemProjection.h"
#include "charts/Tracks.h"
#include "HannoverState.h"

namespace {

using astronomy::ObjectKind;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

// Hannover, Friday 15 March 2024, 21:00 MEZ; an equatorial chart of 18 h to
// 24 h and -35° to +5°, which holds Mars from mid-February to mid-April
// (right ascension 20 h to 23 h, declination -20° to -5°).
astronomy::ProgramState MarchEvening() {
    astronomy::ProgramState s = HannoverState(21.0, 15, 3, 2024, astronomy::View::Equatorial);
    s.Alpha_min = 18, s.Alpha_max = 24, s.Delta_min = -35, s.Delta_max = 5;
    return s;
}

std::vector<std::string> Labels(const astronomy::ProgramState& s, double length, double step, const std::string& unit) {
    RecordingCanvas c(1301, 901, {0, 0, 0});
    const std::optional<charts::TrackUnit> u = charts::TrackUnitFromText(unit);
    EXPECT_TRUE(u) << unit;
    charts::DrawTrack(c, s, charts::SetUpEquatorial(s), ObjectKind::Mars, length, step, u.value_or(charts::TrackUnit::None));
    std::vector<std::string> out;
    for (const auto& t : c.texts) out.push_back(t.text);
    return out;
}

}  // namespace

// The time step and the number of points: a day, a fraction of a day, two
// days beyond 500 days and four beyond 1000, 80 steps for an orbit; nothing
// to draw for no length or numbers that are not finite; never more than
// 100000 points.
TEST(Tracks, StepsOfATrack) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    struct Case {
        double length, step;
        double stepDays;
        long points;
        bool labels;
    };
    const Case cases[] = {
        {31, 0, 1, 31, true},         {31, 7, 1, 31, true},         {31, 0.25, 0.25, 124, true},
        {600, 0, 2, 300, true},       {1200, 0, 4, 300, true},      {1200, 0.5, 4, 300, true},
        {-1200, -10, -4, 300, true},  {-31, -1, -31.0 / 80, 80, false}, {370, -1, 4.625, 80, false},
        {60188, -1, 752.35, 80, false}, {0, 0, 1, 0, true},          {nan, 0, 1, 0, true},
        {inf, 0, 1, 0, true},         {31, nan, 1, 0, true},        {1e9, 0, 1e4, 100000, true},
        {31, 1e-9, 31.0 / 100000, 100000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "length " << c.length << " step " << c.step);
        const charts::TrackPlan plan = charts::PlanTrack(c.length, c.step);
        EXPECT_EQ(plan.points, c.points);
        if (c.points > 0) {
            EXPECT_DOUBLE_EQ(plan.stepDays, c.stepDays);
            EXPECT_EQ(plan.labels, c.labels);
        }
    }
}

// Markers every S whole days, or every S hundredths of a day below one day;
// none without a step and none on an orbit.
TEST(Tracks, MarkerCrosses) {
    EXPECT_TRUE(charts::TrackMarkerDue(7, 14));
    EXPECT_FALSE(charts::TrackMarkerDue(7, 15));
    EXPECT_TRUE(charts::TrackMarkerDue(-7, -21));  // a track back in time
    EXPECT_TRUE(charts::TrackMarkerDue(0.25, 1.5));
    EXPECT_FALSE(charts::TrackMarkerDue(0.25, 1.6));
    EXPECT_FALSE(charts::TrackMarkerDue(0, 10));
    EXPECT_FALSE(charts::TrackMarkerDue(charts::kOrbitStep, 10));
}

// A month of Mars from 15 March 2024 on the equatorial chart: daily steps,
// labelled by the calendar as the unit asks. The dates are those of the
// calendar between 16 March and 15 April 2024 (and back to 13 February).
TEST(Tracks, DateLabelsOnAnEquatorialChart) {
    const astronomy::ProgramState s = MarchEvening();
    using V = std::vector<std::string>;
    EXPECT_EQ(Labels(s, 31, 0, "d"), (V{"20.03.", "1.04.", "10.04."}));
    EXPECT_EQ(Labels(s, 31, 0, "w"), (V{"22.3.", "29.3.", "5.4.", "12.4."}));  // Fridays
    EXPECT_EQ(Labels(s, 31, 0, "m"), (V{"04.2024"}));
    EXPECT_EQ(Labels(s, 31, 0, "j"), V{});
        EXPECT_EQ(Labels(s, -31, 0, "d"), (V{"10.03.", "1.03.", "20.02."}));
    EXPECT_EQ(Labels(s, 31, charts::kOrbitStep, "d"), V{});
    EXPECT_EQ(Labels(s, 31, 0, ""), V{});
    EXPECT_EQ(Labels(s, 0, 0, "d"), V{});
}

// Daily labels where Mars moves less than a label's width a day: a label
// that would cover the one before it is left out, the others keep their
// dates in order.
TEST(Tracks, CrowdedLabelsDoNotCoverEachOther) {
    const astronomy::ProgramState s = MarchEvening();
    RecordingCanvas c(1301, 901, {0, 0, 0});
    charts::DrawTrack(c, s, charts::SetUpEquatorial(s), ObjectKind::Mars, 14, 0, charts::TrackUnit::Day);
    ASSERT_GE(c.texts.size(), 3u);
    EXPECT_LT(c.texts.size(), 14u);
    EXPECT_EQ(c.texts.front().text, "16.3.");
    int lastDay = 15;
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
        const int day = std::stoi(c.texts[i].text);
        EXPECT_GT(day, lastDay) << c.texts[i].text;
        lastDay = day;
        if (i == 0) continue;
        const auto& a = c.texts[i - 1];
        const auto& b = c.texts[i];
        const bool apart = b.x >= a.x + c.TextWidth(a.text) || a.x >= b.x + c.TextWidth(b.text) ||
                           b.y >= a.y + c.TextHeight() || a.y >= b.y + c.TextHeight();
        EXPECT_TRUE(apart) << a.text << " and " << b.text;
    }
}

// The labels stand beside points of the track, in the track's colour (Mars
// red), drawn so that a second drawing takes them off again.
TEST(Tracks, TrackIsOverlayDrawing) {
    astronomy::ProgramState s = MarchEvening();
    s.BodyColourTable[6] = 0xFF5050;
    RecordingCanvas c(1301, 901, {0, 0, 0});
    charts::DrawTrack(c, s, charts::SetUpEquatorial(s), ObjectKind::Mars, 31, 10, charts::TrackUnit::TenDays);
    ASSERT_EQ(c.texts.size(), 3u);
    for (const auto& t : c.texts) {
        EXPECT_EQ(t.pen, (platform::Colour{255, 80, 80})) << t.text;
        EXPECT_EQ(t.op, platform::RasterOp::NotXor) << t.text;  // "Invers" is on by default
    }
    bool lines = false;
    for (const auto& shape : c.shapes) {
        if (shape.kind != Shape::FillBox) continue;
        lines = true;
        EXPECT_EQ(shape.op, platform::RasterOp::NotXor);
    }
    EXPECT_TRUE(lines);
}

// Seen from inside Mars' orbit in the ecliptic plane, half of the orbit lies
// behind the eye. Those points are not drawn and no line runs to them: every
// pixel of the orbit lies near the horizon line through the Sun (the orbit
// is inclined by 1.85°), none towards the corner where hidden points park.
TEST(Tracks, OrbitBehindTheEyeLeavesNoLine) {
    astronomy::ProgramState s = MarchEvening();
    s.ChartMode = astronomy::View::System;
    s.View_lambda = 180, s.View_beta = 0, s.View_rs = 1.2;
    const charts::ChartGeometry g = charts::SetUpSystem(s, 650, 450, s.View_lambda);
    RecordingCanvas c(1301, 901, {0, 0, 0});
    charts::DrawTrack(c, s, g, ObjectKind::Mars, 688, charts::kOrbitStep, charts::TrackUnit::None);
    int pixels = 0;
    for (const auto& shape : c.shapes) {
        if (shape.kind != Shape::FillBox) continue;
        EXPECT_EQ(shape.op, platform::RasterOp::Copy);  // the solar-system view copies
        for (int x : {shape.x1, shape.x2}) {
            ++pixels;
            EXPECT_LE(std::abs(shape.y1 - 450), 0.2 * std::abs(x - 650) + 20) << x << "," << shape.y1;
        }
    }
    EXPECT_GT(pixels, 100);  // the half in front is drawn
}

// The diagram and the text block of a lunar eclipse, drawn onto a recording
// canvas from eclipses the search finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PanelState.h"
#include "RecordingCanvas.h"
#include "astronomy/LunarEvents.h"
#include "astronomy/TextFormats.h"
#include "charts/Style.h"
#include "reports/LunarEclipse.h"

namespace {

using namespace astronomy;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;
using testing_canvas::ShapeCall;

// The first eclipse reaching the umbra after 0:00 MEZ of the date.
EclipseCircumstances EclipseFrom(const ProgramState& s, int day, int month, int year) {
    const JulianDate jd = CalendarToJulianDate(0, day, month, year, s.Zone);
    const auto found = SearchLunarEclipseFrom(s, FirstFullMoonAfter(jd.J, jd.F));
    EXPECT_TRUE(found.has_value());
    return found ? found->circumstances : EclipseCircumstances{};
}

class EclipseDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        panel_test::LayOut(s);
        panel_test::InversColours(s);
        s.Zone = 1;
    }
    std::vector<std::string> TextsAt(const RecordingCanvas& c, int y) const {
        std::vector<std::string> out;
        for (const auto& t : c.texts)
            if (t.y == y) out.push_back(t.text);
        return out;
    }
    // The Moon's discs: the filled circles of its radius.
    std::vector<ShapeCall> MoonDiscs(const RecordingCanvas& c, const EclipseCircumstances& e) const {
        const int r = static_cast<int>(std::lround(e.sM * Scale(e)));
        std::vector<ShapeCall> out;
        for (const ShapeCall& sh : c.shapes)
            if (sh.kind == Shape::FillCircle && sh.r == r) out.push_back(sh);
        return out;
    }
    double Scale(const EclipseCircumstances& e) const { return s.x_max / (e.sM + e.Rp) / 4; }
    double FromCentre(const ShapeCall& disc) const {
        return std::hypot(disc.x1 - s.x_max / 2.0, disc.y1 - s.y_max / 2.0);
    }

    ProgramState s;
};

}  // namespace

TEST_F(EclipseDrawing, TotalEclipseShowsTheShadowTheMoonAtItsSevenContactsAndItsText) {
    const EclipseCircumstances e = EclipseFrom(s, 1, 1, 2000);
    ASSERT_GE(e.magnitude, 1);
    RecordingCanvas c(1301, 901);
    reports::DrawEclipseDiagram(c, s, e);
    reports::DrawEclipseText(c, s, e);

    // The text block: what the user reads, line by line.
    EXPECT_EQ(TextsAt(c, 0), (std::vector<std::string>{"Finsternis am ", "21.01.2000"}));
    EXPECT_EQ(TextsAt(c, 20), (std::vector<std::string>{"      - total -"}));
    const std::vector<std::string> conjunction = TextsAt(c, 60);
    ASSERT_EQ(conjunction.size(), 3u);
    EXPECT_EQ(conjunction[0], "Konjunktion:");
    EXPECT_EQ(conjunction[2], "MEZ");
    EXPECT_EQ(TextsAt(c, 220), (std::vector<std::string>{"Größe: " + FormatFixed(100 * e.magnitude, 0, 0) + "%"}));
    for (const auto& t : c.texts) EXPECT_EQ(t.pen, (platform::Colour{0, 0, 0})) << t.text;  // the star colour

    // Seven discs of the Moon: six contacts and greatest eclipse, each
    // labelled with its time.
    const std::vector<ShapeCall> discs = MoonDiscs(c, e);
    ASSERT_EQ(discs.size(), 7u);
    for (const auto& contact : e.contacts) {
        const std::string label = FormatHm(*contact);
        EXPECT_TRUE(std::any_of(c.texts.begin(), c.texts.end(), [&](const auto& t) { return t.text == label; }))
            << label;
    }
    // Outermost first, each pair at its distance from the shadow's centre;
    // the begin of a phase to the west (right), its end to the east.
    const double k = Scale(e);
    const double distances[] = {0.99 * (e.Rp + e.sM), 0.99 * (e.Ru + e.sM), e.Ru - e.sM};
    for (int phase = 0; phase < 3; ++phase) {
        SCOPED_TRACE(phase);
        const ShapeCall& west = discs[2 * phase];
        const ShapeCall& east = discs[2 * phase + 1];
        EXPECT_NEAR(FromCentre(west), distances[phase] * k, 1.5);
        EXPECT_NEAR(FromCentre(east), distances[phase] * k, 1.5);
        EXPECT_GT(west.x1, east.x1);
    }
    // Penumbral contacts white with a black edge on white paper, the
    // totality contacts highlighted, greatest eclipse in red.
    EXPECT_EQ(discs[0].brush, (platform::Colour{255, 255, 255}));
    EXPECT_EQ(discs[0].pen, (platform::Colour{0, 0, 0}));
    EXPECT_EQ(discs[2].brush, charts::kMidGrey);
    EXPECT_EQ(discs[4].brush, charts::kHighlightColour);
    EXPECT_EQ(discs[6].brush, charts::kConstellationColour);
    EXPECT_NEAR(FromCentre(discs[6]), e.m * k, 1.5);
    // The Moon at greatest eclipse lies on the drawn path: the line through
    // it has the path's slope.
    const auto path = std::find_if(c.shapes.rbegin(), c.shapes.rend(), [](const ShapeCall& sh) { return sh.kind == Shape::Line; });
    ASSERT_NE(path, c.shapes.rend());
    const double slope = double(path->y2 - path->y1) / (path->x2 - path->x1);
    EXPECT_NEAR(slope, -std::tan(e.theta), 0.01);
    const double yOnPath = path->y1 + slope * (discs[6].x1 - path->x1);
    EXPECT_NEAR(yOnPath, discs[6].y1, 2.0);
}

TEST_F(EclipseDrawing, PartialEclipseHasNoTotalityAndAGreyScreenKeepsWhitePenumbralDiscs) {
    const EclipseCircumstances e = EclipseFrom(s, 1, 6, 2001);  // 5 July 2001
    ASSERT_GT(e.magnitude, 0);
    ASSERT_LT(e.magnitude, 1);
    // White on black.
    s.Invers = 0;
    s.BackgroundColour = 0x000000;
    s.ContrastColour = 0xFFFFFF;
    RecordingCanvas c(1301, 901, {0, 0, 0});
    reports::DrawEclipseDiagram(c, s, e);
    reports::DrawEclipseText(c, s, e);
    EXPECT_EQ(TextsAt(c, 20), (std::vector<std::string>{"     - partiell -"}));
    const int percent = std::stoi(TextsAt(c, 220).at(0).substr(std::string("Größe: ").size()));
    EXPECT_GT(percent, 0);
    EXPECT_LT(percent, 100);
    const std::vector<ShapeCall> discs = MoonDiscs(c, e);
    ASSERT_EQ(discs.size(), 5u);  // four contacts and greatest eclipse
    EXPECT_EQ(discs[0].pen, (platform::Colour{255, 255, 255}));
    EXPECT_EQ(discs[4].brush, charts::kHighlightColour);
    for (const auto& t : c.texts) EXPECT_EQ(t.pen, (platform::Colour{255, 255, 255})) << t.text;
}

TEST(EclipseText, LinesForTheCommandLine) {
    ProgramState s;
    s.Zone = 0;
    const EclipseCircumstances e = EclipseFrom(s, 1, 1, 2000);
    const std::vector<std::string> lines = reports::EclipseTextLines(reports::EclipseTextsOf(e, 0));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Finsternis am 21.01.2000");
    EXPECT_EQ(lines[1], "      - total -");
    // The opposition in right ascension: 04:4x UT (greatest eclipse 04:44).
    EXPECT_EQ(lines[2].substr(0, 17), "Konjunktion: 04:4") << lines[2];
    EXPECT_EQ(lines[2].substr(18), " UT") << lines[2];
    EXPECT_EQ(lines[3], "Schatten:");
    // Umbral magnitude 1.33 (astronomy-engine's geometry: 1.3346; the
    // search's straight path comes out up to 0.04 lower).
    EXPECT_TRUE(lines[8] == "Größe: 132%" || lines[8] == "Größe: 133%") << lines[8];
    // The zone moves the clock, not the date of this early-morning eclipse.
    EXPECT_EQ(reports::EclipseTextsOf(e, 2).date, "21.01.2000");
    // The shadow's diameters in degrees: umbra about 1.5, penumbra about 2.6.
    const reports::EclipseTexts t = reports::EclipseTextsOf(e, 0);
    EXPECT_NEAR(std::stod(t.umbra), 1.5, 0.1);
    EXPECT_NEAR(std::stod(t.penumbra), 2.6, 0.1);
}

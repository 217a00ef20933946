// Charts rendered on the Qt canvas: bright stars where the projection puts
// them, and nothing of the equatorial chart's sky outside its frame.
#include <gtest/gtest.h>

#include <string>

#include "astronomy/ProgramState.h"
#include "charts/ChartDrawing.h"
#include "charts/ObjectSymbols.h"
#include "charts/Projection.h"
#include "platform/qt/QtCanvas.h"
#include "tests/reports/PanelState.h"

namespace {

constexpr double kDeg = astronomy::kDegToRad;

// A 1301 x 901 window with "Invers" colours (white sky, grey text, black
// stars) at Hannover, 15 Jan 2025 22:00 MEZ, with Orion in the south-east;
// no overlay layers, so that only the pass itself draws.
astronomy::ProgramState ChartState(astronomy::View mode) {
    astronomy::ProgramState s = panel_test::PanelState();
    s.DataFolder = KELMARON_PROGRAM_DATA;
    s.ProgramFolder = KELMARON_PROGRAM_DATA;
    panel_test::SetInstant(s, 15, 1, 2025, 22.0, 1, 9.7667, 52.4);
    s.DisplayFlags = 0;
    s.ChartMode = mode;
    return s;
}

struct Star {
    const char* name;
    double raHours, decDeg;  // J2000, Hipparcos (SIMBAD)
};
constexpr Star kSirius{"Sirius", 6 + 45 / 60.0 + 8.917 / 3600, -(16 + 42 / 60.0 + 58.02 / 3600)};
constexpr Star kBetelgeuse{"Betelgeuse", 5 + 55 / 60.0 + 10.305 / 3600, 7 + 24 / 60.0 + 25.43 / 3600};

TEST(RenderedChart, WholeSkyShowsBrightStarsWhereTheyAreProjected) {
    astronomy::ProgramState s = ChartState(astronomy::View::WholeSky);
    charts::ChartData data;
    platform::qt::QtCanvas canvas(1301, 901);
    const charts::ChartGeometry g = charts::DrawChart(canvas, s, data, std::nullopt, {});
    ASSERT_TRUE(data.error.empty()) << data.error;
    const platform::Colour star = platform::ColourFromRgb(s.ContrastColour);
    for (const Star& st : {kSirius, kBetelgeuse}) {
        SCOPED_TRACE(st.name);
        const charts::ProjectionResult p = charts::ProjectPoint(g, charts::FirstAngle(g, st.raHours * 15 * kDeg), st.decDeg * kDeg);
        ASSERT_TRUE(p.visible);
        // Both are brighter than 1 mag, so the whole-sky size gives discs of radius 3
        // and more: the centre and two pixels to each side are star. The
        // catalogue's place and the published one agree far within a pixel
        // (430 pixels for 90 degrees).
        for (int dx : {-2, 0, 2}) EXPECT_EQ(canvas.ReadPixel(p.x + dx, p.y), star) << dx;
        for (int dy : {-2, 2}) EXPECT_EQ(canvas.ReadPixel(p.x, p.y + dy), star) << dy;
    }
    // The disc's rim is drawn in the text colour, its outside left of the
    // panel is cleared.
    EXPECT_EQ(canvas.ReadPixel(g.cx, g.cy + g.radius), platform::ColourFromRgb(s.ForegroundColour));
    EXPECT_EQ(canvas.ReadPixel(g.cx - g.radius - 20, g.cy + g.radius), platform::ColourFromRgb(s.BackgroundColour));
}

TEST(RenderedChart, EquatorialSkyStaysInsideTheFrame) {
    astronomy::ProgramState s = ChartState(astronomy::View::Equatorial);
    // Betelgeuse just below the top edge, so that its disc reaches over the
    // frame; the region is wider in right ascension than the frame shows, so
    // visible stars also lie left of it.
    s.Delta_max = kBetelgeuse.decDeg + 0.05;
    s.Delta_min = s.Delta_max - 25;
    s.Alpha_min = 4.5;
    s.Alpha_max = 9.5;
    charts::ChartData data;
    platform::qt::QtCanvas canvas(1301, 901);
    const charts::ChartGeometry g = charts::DrawChart(canvas, s, data, std::nullopt, {});
    ASSERT_TRUE(data.error.empty()) << data.error;
    const charts::ProjectionResult b = charts::ProjectPoint(g, kBetelgeuse.raHours * 15 * kDeg, kBetelgeuse.decDeg * kDeg);
    ASSERT_TRUE(b.visible);
    ASSERT_LE(b.y - charts::LayoutFor(s.x_max, s.y_max).frame.top, 3);  // the disc is wider than that
    EXPECT_EQ(canvas.ReadPixel(b.x, b.y), platform::ColourFromRgb(s.ContrastColour));

    const platform::Colour background = platform::ColourFromRgb(s.BackgroundColour);
    const platform::Colour text = platform::ColourFromRgb(s.ForegroundColour);
    const int right = charts::LayoutFor(s.x_max, s.y_max).frame.right, bottom = charts::LayoutFor(s.x_max, s.y_max).frame.bottom;
    int strays = 0;
    for (int y = 0; y < bottom; ++y) {  // above the legend strip
        for (int x = 0; x <= s.x_max; ++x) {
            const bool inside = x > charts::LayoutFor(s.x_max, s.y_max).frame.left && x < right && y > charts::LayoutFor(s.x_max, s.y_max).frame.top;
            if (inside) continue;
            const platform::Colour c = canvas.ReadPixel(x, y);
            if (c != background && c != text && ++strays <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") has the colour " << int(c.r) << "," << int(c.g)
                              << "," << int(c.b);
        }
    }
    EXPECT_EQ(strays, 0);
}

}  // namespace

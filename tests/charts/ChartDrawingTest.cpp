// The drawing pass of the charts: star sizes, the stars a pass places, the
// printed variant and a pass without catalogue files.
#include "charts/ChartDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "charts/ObjectSymbols.h"
#include "tests/reports/PanelState.h"
#include "tests/reports/RecordingCanvas.h"

namespace {

using charts::ChartGeometry;
using charts::PlacedStar;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

const std::string kData = KELMARON_DATA_DIR;

// A 1301 x 901 window with "Invers" colours at Hannover, 15 Jan 2025
// 22:00 MEZ, no overlay layers.
astronomy::ProgramState ChartState(astronomy::View mode) {
    astronomy::ProgramState s = panel_test::PanelState();
    s.DataFolder = kData;
    s.ProgramFolder = kData;
    panel_test::SetInstant(s, 15, 1, 2025, 22.0, 1, 9.7667, 52.4);
    s.DisplayFlags = 0;
    s.ChartMode = mode;
    return s;
}

charts::ChartData& Data() {
    static charts::ChartData data;
    EXPECT_TRUE(data.Ensure(kData, kData)) << data.error;
    return data;
}

// Magnitude code of a magnitude: k = 10 (m + 2).
int Code(double magnitude) { return static_cast<int>(std::lround(10 * (magnitude + 2))); }

int CountShapes(const RecordingCanvas& c, Shape kind, platform::Colour pen) {
    return static_cast<int>(std::count_if(c.shapes.begin(), c.shapes.end(), [&](const auto& sh) {
        return sh.kind == kind && sh.pen == pen;
    }));
}

TEST(ChartStars, SizeRulesAndHowAStarIsDrawn) {
    astronomy::ProgramState s = ChartState(astronomy::View::Equatorial);
    s.Grenzmag = 8;
    // Other charts, limit 8: size = 0.55 (8 - m) + 0.5; nothing beyond the limit.
    EXPECT_DOUBLE_EQ(charts::StarSizeChart(s, Code(8.0)), 0.5);
    EXPECT_DOUBLE_EQ(charts::StarSizeChart(s, Code(-1.0)), 0.55 * 9 + 0.5);
    EXPECT_EQ(charts::StarSizeChart(s, Code(8.1)), 0);
    // Whole sky: 5 - 0.07 k, nothing beyond 0.07 k = 5 (k = 72 gives 5.04).
    EXPECT_DOUBLE_EQ(charts::StarSizeWholeSky(s, 0), 5);
    EXPECT_EQ(charts::StarSizeWholeSky(s, 72), 0);
    EXPECT_NEAR(charts::StarSizeWholeSky(s, 71), 5 - 4.97, 1e-12);

    struct Case {
        double size;
        bool printing;
        Shape shape;  // what the canvas gets
        int radius;
    };
    const Case cases[] = {
        {0.5, false, Shape::Point, 0},        // the faintest star: one pixel on the screen
        {0.55 * 9 + 0.5, false, Shape::FillCircle, 5},  // mag -1: radius 5.45
        {0.5, true, Shape::FillCircle, 1},    // on paper 0.5 more: a disc of radius 1.0
        {0.2, false, Shape::Point, 0},        // not above 0.3: a point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << (c.printing ? " printed" : ""));
        s.PrintingFlag = c.printing ? -1 : 0;
        RecordingCanvas canvas;
        charts::DrawStar(canvas, s, 100, 200, c.size);
        ASSERT_EQ(canvas.shapes.size(), 1u);
        EXPECT_EQ(canvas.shapes[0].kind, c.shape);
        EXPECT_EQ(canvas.shapes[0].r, c.radius);
        EXPECT_EQ(canvas.shapes[0].pen, platform::ColourFromRgb(s.ContrastColour));
        EXPECT_EQ(canvas.shapes[0].op, platform::RasterOp::Copy);
    }
    // Size 0 and a printed rule-A star beyond 5 mag stay undrawn; on paper a
    // faint rule-A star is at least 0.8.
    s.PrintingFlag = -1;
    EXPECT_EQ(charts::StarSizeWholeSky(s, 72), 0);
    EXPECT_DOUBLE_EQ(charts::StarSizeWholeSky(s, 71), 0.8);
    RecordingCanvas canvas;
    charts::DrawStar(canvas, s, 100, 200, 0);
    EXPECT_TRUE(canvas.shapes.empty());
}

// The equatorial chart jumps through the right-ascension-sorted list with
// the projection codes; it must place exactly the stars that a look at
// every record places, in the same order.
TEST(ChartStars, EquatorialSkippingLosesNoStar) {
    struct Region {
        double alphaMin, alphaMax, deltaMin, deltaMax;
    };
    const Region regions[] = {
        {1.8, 6.2, 5, 30},       // the default region
        {22, 2, -20, 10},        // through 0 h
        {0.2, 3.5, -40, -10},    // starting just after 0 h
        {20.5, 23.9, 30, 60},    // ending just before 24 h
    };
    const charts::ChartData& data = Data();
    for (const Region& r : regions) {
        SCOPED_TRACE(testing::Message() << r.alphaMin << " h .. " << r.alphaMax << " h");
        astronomy::ProgramState s = ChartState(astronomy::View::Equatorial);
        s.Alpha_min = r.alphaMin;
        s.Alpha_max = r.alphaMax;
        s.Delta_min = r.deltaMin;
        s.Delta_max = r.deltaMax;
        const ChartGeometry g = charts::SetUpEquatorial(s);
        std::vector<PlacedStar> expected;
        for (int n = charts::kStarRecords.first; n <= charts::kStarRecords.last; ++n) {
            charts::CatalogueRecord rec;
            ASSERT_TRUE(data.stars.ReadCatalogueRecord(n, rec));
            const charts::ProjectionResult p = charts::ProjectPoint(g, rec.ra, rec.dec);
            const double size = charts::StarSizeChart(s, rec.MagnitudeCode);
            if (p.visible && size > 0) expected.push_back({p.x, p.y, size});
        }
        const std::vector<PlacedStar> placed = charts::PlaceStars(s, g, data, {});
        ASSERT_GT(expected.size(), 100u);
        ASSERT_EQ(placed.size(), expected.size());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i].x, expected[i].x) << i;
            EXPECT_EQ(placed[i].y, expected[i].y) << i;
            EXPECT_EQ(placed[i].size, expected[i].size) << i;
        }
    }
    // The right button held: the pass stops within the first records.
    astronomy::ProgramState s = ChartState(astronomy::View::NorthPolar);
    s.Pol_min = 0;
    s.Pol_max = 180;
    const ChartGeometry g = charts::SetUpPolar(s);
    EXPECT_GT(charts::PlaceStars(s, g, data, {}).size(), 10000u);
    EXPECT_LT(charts::PlaceStars(s, g, data, [] { return true; }).size(), 64u);
}

TEST(ChartStars, SouthChartShowsTheSouthernCapWhateverTheStoredForm) {
    // The default limits 60 ... 120 (shared with the north chart), their
    // southern form -60 ... -120, and a cap -90 ... -60: the south chart is
    // the mirror of the north chart of the same region and shows its stars.
    charts::ChartData& data = Data();
    astronomy::ProgramState north = ChartState(astronomy::View::NorthPolar);
    north.Pol_min = 60, north.Pol_max = 120;
    const ChartGeometry n = charts::SetUpPolar(north);
    for (const auto& [a, b] : {std::pair{60.0, 120.0}, {-60.0, -120.0}, {-90.0, -60.0}}) {
        SCOPED_TRACE(::testing::Message() << a << " " << b);
        astronomy::ProgramState s = ChartState(astronomy::View::SouthPolar);
        s.Pol_min = a, s.Pol_max = b;
        const ChartGeometry g = charts::SetUpPolar(s);
        const bool cap = a == -90;
        EXPECT_EQ(g.polMin, 60);
        EXPECT_EQ(g.polMax, cap ? 90 : 120);
        if (!cap) {
            EXPECT_DOUBLE_EQ(g.k, n.k);
        }
        const std::vector<PlacedStar> stars = charts::PlaceStars(s, g, data, {});
        EXPECT_GT(stars.size(), cap ? 500u : 1000u);
        // The south celestial pole lies at the chart's pole.
        const charts::ProjectionResult pole = charts::ProjectPoint(g, 0, -astronomy::kPi / 2);
        EXPECT_EQ(pole.x, g.x0);
        EXPECT_EQ(pole.y, g.y0);
    }
}

TEST(ChartPass, PrintedChartHasWideLinesNoButtonsAndBiggerStars) {
    const platform::Colour star = platform::ColourFromRgb(0x000000);
    struct Result {
        RecordingCanvas canvas;
        int frameWidth = 0;
    };
    auto draw = [&](bool printing, Result& out) {
        astronomy::ProgramState s = ChartState(astronomy::View::Equatorial);
        s.PrintingFlag = printing ? -1 : 0;
        charts::DrawChart(out.canvas, s, Data(), std::nullopt, {});
        for (const auto& sh : out.canvas.shapes)
            if (sh.kind == Shape::Box && sh.x1 == charts::LayoutFor(s.x_max, s.y_max).frame.left &&
                sh.y1 == charts::LayoutFor(s.x_max, s.y_max).frame.top)
                out.frameWidth = sh.lineWidth;
    };
    Result screen, paper;
    draw(false, screen);
    draw(true, paper);

    EXPECT_EQ(screen.frameWidth, 1);
    EXPECT_EQ(paper.frameWidth, 6);
    // The zoom boxes and the Sun's altitude belong to the screen only.
    EXPECT_NE(screen.canvas.FindText("2.0x Zoom"), nullptr);
    EXPECT_NE(screen.canvas.FindText("Hs="), nullptr);
    EXPECT_EQ(paper.canvas.FindText("2.0x Zoom"), nullptr);
    EXPECT_EQ(paper.canvas.FindText("Hs="), nullptr);
    // The date of the legend moves 40 pixels left on paper.
    const auto* dateOnScreen = screen.canvas.FindText("15.01.2025");
    const auto* dateOnPaper = paper.canvas.FindText("15.01.2025");
    ASSERT_NE(dateOnScreen, nullptr);
    ASSERT_NE(dateOnPaper, nullptr);
    EXPECT_EQ(dateOnScreen->x - dateOnPaper->x, 40);
    // On the screen the faint stars are single points; on paper every star
    // is a disc of at least radius 1. (A few stars at the frame are cut
    // there, and are then painted row by row on one canvas but not the
    // other; 1 % allows for them.)
    const int screenPoints = CountShapes(screen.canvas, Shape::Point, star);
    const int screenStars = screenPoints + CountShapes(screen.canvas, Shape::FillCircle, star);
    EXPECT_GT(screenPoints, 100);
    EXPECT_EQ(CountShapes(paper.canvas, Shape::Point, star), 0);
    EXPECT_NEAR(CountShapes(paper.canvas, Shape::FillCircle, star), screenStars, screenStars / 100);
    for (const auto& sh : paper.canvas.shapes) {
        if (sh.kind == Shape::FillCircle && sh.pen == star) {
            EXPECT_GE(sh.r, 1);
        }
    }
}

TEST(ChartPass, MissingCatalogueIsReportedAndTheChartDrawnWithoutStars) {
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() /
        ("kelmaron-chart-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(empty);
    astronomy::ProgramState s = ChartState(astronomy::View::Equatorial);
    s.DataFolder = s.ProgramFolder = empty.string();
    charts::ChartData data;
    RecordingCanvas canvas;
    charts::DrawChart(canvas, s, data, std::nullopt, {});
    EXPECT_FALSE(data.stars.IsOpen());
    EXPECT_NE(data.error.find("sterne1.var"), std::string::npos) << data.error;
    EXPECT_NE(canvas.FindText("Mag:"), nullptr);  // the rest of the chart is there
    // Only the nine stars of the magnitude legend.
    const platform::Colour star = platform::ColourFromRgb(s.ContrastColour);
    EXPECT_EQ(CountShapes(canvas, Shape::Point, star) + CountShapes(canvas, Shape::FillCircle, star), 9);

    // Pointed at the real folder the same data loads.
    EXPECT_TRUE(data.Ensure(kData, kData)) << data.error;
    EXPECT_EQ(data.stars.RecordCount(), charts::kRecordCount);
    EXPECT_FALSE(data.figures.empty());
    std::filesystem::remove_all(empty);
}

}  // namespace

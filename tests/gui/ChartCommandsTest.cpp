// The chart commands in the running window: the region prompts, zoom and
// pan at their limits, the pointer and click readouts, and the clicks on a
// chart (buttons, legend, zoom rectangle, right-click re-centring).
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../platform/ModalHelper.h"
#include "../reports/RecordingCanvas.h"
#include "astronomy/PositionService.h"
#include "charts/Projection.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindow.h"
#include "shell/Shell.h"
#include "WindowFixture.h"

using platform::qt::testing::WhenReady;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;
const std::string kEscape = "\x1b";

platform::Key Special(platform::Key::Special k) { return platform::Key{"", k}; }

class ChartCommands : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        SetInstant(12, 21, 6, 2026);  // the Sun high over Hannover
    }
    // Answers the coming edit fields in turn (kEscape cancels); records the
    // prompt window's lines as each field is answered.
    void Answer(std::vector<std::string> answers) {
        if (answers.empty()) return;
        platform::qt::QtDialogs& dialogs = window->DialogBoxes();
        WhenReady([&dialogs]() {
                      return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible();
                  },
                  [this, &dialogs, answers]() {
                      QLineEdit* field = dialogs.Prompt()->Field();
                      lines = dialogs.Prompt()->Lines().join(QStringLiteral("|")).toStdString();
                      Answer(std::vector<std::string>(answers.begin() + 1, answers.end()));
                      if (answers.front() == kEscape) {
                          QTest::keyClick(field, Qt::Key_Escape);
                          return;
                      }
                      field->selectAll();
                      if (!answers.front().empty()) QTest::keyClicks(field, QString::fromStdString(answers.front()));
                      else QTest::keyClick(field, Qt::Key_Delete);
                      QTest::keyClick(field, Qt::Key_Return);
                  });
    }
    void Click(int x, int y, int button) {
        window->onMouse(x, y, button, true);
        window->onMouse(x, y, 0, false);
    }
    void ShowEquatorialChart(double alphaMin, double alphaMax, double deltaMin, double deltaMax) {
        state.ChartMode = astronomy::View::Equatorial;
        state.Alpha_min = alphaMin, state.Alpha_max = alphaMax;
        state.Delta_min = deltaMin, state.Delta_max = deltaMax;
        shell::RedrawView(*sh);
    }
    QImage Picture() const { return window->Picture().Image().copy(); }
    // The text drawn right after the label, "<none>" when there is none.
    static std::string After(const testing_canvas::RecordingCanvas& c, const std::string& label) {
        for (std::size_t i = 0; i + 1 < c.texts.size(); ++i)
            if (c.texts[i].text == label) return c.texts[i + 1].text;
        return "<none>";
    }

    std::string lines;  // the prompt window's lines at the last answered field
};

// The Sun's place from the position service, in the units of the regions.
struct Place {
    double raHours, decDeg, altDeg, aziDeg;
};
Place SunNow(const astronomy::ProgramState& s) {
    const astronomy::PositionResult r = astronomy::ComputePosition(
        astronomy::ObservationOf(s), astronomy::BodyTarget(astronomy::ObjectKind::Sun));
    EXPECT_EQ(r.status, astronomy::PositionStatus::Ok);
    const astronomy::BodyPosition& pos = r.body;
    return {pos.ra * 12 / kPi, pos.dec / kDeg, pos.altitude / kDeg, std::fmod(pos.azimuth / kDeg + 540, 360)};
}

// Great-circle distance in degrees, from unit vectors (an independent form).
double Separation(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    auto v = [](double ra, double dec) {
        return std::array<double, 3>{std::cos(dec * kDeg) * std::cos(ra * 15 * kDeg),
                                     std::cos(dec * kDeg) * std::sin(ra * 15 * kDeg), std::sin(dec * kDeg)};
    };
    const auto a = v(ra1Hours, dec1Deg), b = v(ra2Hours, dec2Deg);
    const double cross = std::hypot(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
    return std::atan2(cross, a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / kDeg;
}

}  // namespace

TEST_F(ChartCommands, EmptyFirstAnswersCentreTheRegionsOnTheObject) {
    const Place sun = SunNow(state);
    const double aspect = (state.x_max - 87.0) / (state.y_max - 81.0);

    Answer({"", "7"});  // declination empty, then the limiting magnitude
    window->onMenu(69);  // "Äquatorial"
    EXPECT_NE(lines.find("(leere Felder -> Sonne in Mitte)"), std::string::npos) << lines;
    EXPECT_EQ(state.ChartMode, astronomy::View::Equatorial);
    EXPECT_EQ(state.Grenzmag, 7);
    EXPECT_NEAR(state.Delta_min, sun.decDeg - 10, 1e-9);
    EXPECT_NEAR(state.Delta_max, sun.decDeg + 10, 1e-9);
    // The right-ascension window fills the frame at 20 degrees of height,
    // about the Sun's right ascension (near 6 h: no wrap).
    EXPECT_NEAR(state.Alpha_max - state.Alpha_min, 20.0 / 15 * aspect, 1e-9);
    EXPECT_NEAR((state.Alpha_max + state.Alpha_min) / 2, sun.raHours, 1e-9);

    Answer({"", "8"});
    window->onKey(platform::Key{"n", platform::Key::None});  // "Nordpolar"
    EXPECT_EQ(state.ChartMode, astronomy::View::NorthPolar);
    // Declination +-5 degrees, widened to whole multiples of 5; the centre
    // on the nearest half hour.
    EXPECT_EQ(state.Pol_min, 5 * std::floor((sun.decDeg - 5) / 5));
    EXPECT_EQ(state.Pol_max, 5 * std::ceil((sun.decDeg + 5) / 5));
    EXPECT_EQ(state.Pol_mitte, std::floor(2 * sun.raHours + 0.5) / 2);

    Answer({"", "8"});
    window->onMenu(73);  // "Horizont"
    EXPECT_EQ(state.ChartMode, astronomy::View::Horizon);
    EXPECT_EQ(state.Hoehe_min, 0);
    EXPECT_NEAR(state.Hoehe_max, sun.altDeg + 10, 1e-9);
    const double width = (sun.altDeg + 10) * aspect;
    ASSERT_LT(width, 180);  // the window does not run through north here
    EXPECT_NEAR(state.Azi_max - state.Azi_min, width, 1e-9);
    EXPECT_NEAR((state.Azi_max + state.Azi_min) / 2, sun.aziDeg, 1e-9);
}

TEST_F(ChartCommands, CancelledRegionPromptsChangeNothing) {
    ShowEquatorialChart(1.8, 6.2, 5, 30);
    const astronomy::ProgramState before = state;
    const QImage picture = Picture();
    struct Case {
        const char* what;
        std::vector<std::string> answers;
        int item;
    };
    const Case cases[] = {
        {"equatorial, first field", {kEscape}, 69},
        {"equatorial, centre", {"10", "20", kEscape}, 69},
        {"polar, limiting magnitude", {"", kEscape}, 70},
        {"horizon, limiting magnitude", {"50", "10", "", kEscape}, 73},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Answer(c.answers);
        window->onMenu(c.item);
        EXPECT_EQ(state.ChartMode, before.ChartMode);
        EXPECT_EQ(state.Grenzmag, before.Grenzmag);
        EXPECT_EQ(state.Alpha_min, before.Alpha_min);
        EXPECT_EQ(state.Alpha_max, before.Alpha_max);
        EXPECT_EQ(state.Delta_min, before.Delta_min);
        EXPECT_EQ(state.Delta_max, before.Delta_max);
        EXPECT_EQ(state.Pol_min, before.Pol_min);
        EXPECT_EQ(state.Pol_max, before.Pol_max);
        EXPECT_EQ(state.Pol_mitte, before.Pol_mitte);
        EXPECT_EQ(state.Hoehe_min, before.Hoehe_min);
        EXPECT_EQ(state.Hoehe_max, before.Hoehe_max);
        EXPECT_EQ(state.Azi_min, before.Azi_min);
        EXPECT_EQ(state.Azi_max, before.Azi_max);
        EXPECT_TRUE(Picture() == picture) << "the chart was drawn again";
        EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    }
}

TEST_F(ChartCommands, ZoomAndPanAtTheirLimits) {
    // Zooming out beyond both poles gives the whole sphere; zooming in
    // again narrows it about its centre.
    ShowEquatorialChart(4, 8, -50, 60);
    window->onKey(Special(platform::Key::PageDown));  // "Mooz": 5 +- 110 degrees
    EXPECT_EQ(state.Delta_min, -90);
    EXPECT_EQ(state.Delta_max, 90);
    EXPECT_EQ(state.Alpha_min, 0);
    EXPECT_EQ(state.Alpha_max, 24);
    window->onKey(Special(platform::Key::PageUp));  // "Zoom"
    EXPECT_EQ(state.Delta_min, -45);
    EXPECT_EQ(state.Delta_max, 45);
    EXPECT_NEAR((state.Alpha_min + state.Alpha_max) / 2, 12, 1e-9);

    // Panning north on the horizon chart: a step of 0.3 of the height while
    // it fits below the zenith, then up to the zenith with the height kept,
    // then nothing.
    state.ChartMode = astronomy::View::Horizon;
    state.Hoehe_min = 10, state.Hoehe_max = 70;
    shell::RedrawView(*sh);
    const struct {
        double low, high;
    } steps[] = {{28, 88}, {30, 90}, {30, 90}};
    for (const auto& step : steps) {
        window->onKey(Special(platform::Key::Up));
        EXPECT_NEAR(state.Hoehe_min, step.low, 1e-9);
        EXPECT_NEAR(state.Hoehe_max, step.high, 1e-9);
    }
}

TEST_F(ChartCommands, PointerAndClickReadouts) {
    ShowEquatorialChart(1.8, 6.2, 5, 30);
    const charts::ChartGeometry g = sh->chart;
    testing_canvas::RecordingCanvas recorder;
    sh->target = &recorder;  // what the readouts write

    // The pointer over the projected place of a star reads that place back
    // to within one pixel's worth (1/k degrees) and the rounding of the shown value.
    const double raHours = 4.2, decDeg = 17.3;
    const charts::ProjectionResult p = charts::ProjectPoint(g, raHours * 15 * kDeg, decDeg * kDeg);
    ASSERT_TRUE(p.visible);
    window->onMouse(p.x, p.y, 0, false);
    EXPECT_EQ(window->Pointer(), platform::PointerShape::Crosshair);
    int h = 0, m = 0, sec = 0, d = 0, dm = 0;
    char sign = 0;
    ASSERT_EQ(std::sscanf(After(recorder, "α=").c_str(), "%dh %dm %ds", &h, &m, &sec), 3) << After(recorder, "α=");
    ASSERT_EQ(std::sscanf(After(recorder, "δ=").c_str(), "%c %d° %d'", &sign, &d, &dm), 3) << After(recorder, "δ=");
    const double pixelDeg = 1 / g.k;
    EXPECT_NEAR(h + m / 60.0 + sec / 3600.0, raHours, pixelDeg / 15 + 0.5 / 3600);
    EXPECT_NEAR((sign == '-' ? -1 : 1) * (d + dm / 60.0), decDeg, pixelDeg + 0.5 / 60);

    // Off the frame: the normal pointer, the box emptied and nothing written.
    recorder.Forget();
    window->onMouse(20, 20, 0, false);
    EXPECT_EQ(window->Pointer(), platform::PointerShape::Normal);
    EXPECT_TRUE(recorder.texts.empty());
    ASSERT_NE(recorder.First(testing_canvas::Shape::FillBox), nullptr);
    EXPECT_EQ(recorder.First(testing_canvas::Shape::FillBox)->x1, state.x_max - 290);

    // "Koordinaten": two clicks, then the distance between their places.
    window->onMenu(84);
    ASSERT_TRUE(sh->coordinates.open);
    const int ax = 150, ay = 120, bx = 520, by = 380;
    Click(ax, ay, platform::kMouseLeft);
    Click(bx, by, platform::kMouseLeft);
    const charts::SkyPoint a = charts::PointToSky(g, ax, ay), b = charts::PointToSky(g, bx, by);
    double distance = 0;
    ASSERT_EQ(std::sscanf(After(recorder, "d=").c_str(), "%lf", &distance), 1) << After(recorder, "d=");
    EXPECT_NEAR(distance, Separation(a.alpha, a.delta, b.alpha, b.delta), 0.5e-4);  // written to 4 decimals
    EXPECT_EQ(state.Delta_min, 5);  // the clicks read the chart and change nothing
    Click(bx, by, platform::kMouseRight);
    EXPECT_FALSE(sh->coordinates.open);
    EXPECT_EQ(state.Delta_min, 5);  // the closing right click does not re-centre
    sh->target = nullptr;
}

TEST_F(ChartCommands, ClicksOnTheEquatorialChart) {
    // A region with many globular clusters, near the centre of the Galaxy.
    ShowEquatorialChart(16, 19, -35, 0);
    const int yMax = state.y_max;

    // The legend: x = 300 draws the globular clusters, a second click takes
    // them away again; x = 410 is no class.
    const QImage plain = Picture();
    Click(410, yMax - 15, platform::kMouseLeft);
    EXPECT_TRUE(Picture() == plain);
    Click(300, yMax - 15, platform::kMouseLeft);
    EXPECT_FALSE(Picture() == plain);
    Click(300, yMax - 15, platform::kMouseLeft);
    EXPECT_TRUE(Picture() == plain);

    // The "Zoom" box, (1, y_max - 41) to (58, y_max - 20): its border is outside.
    Click(58, yMax - 30, platform::kMouseLeft);
    EXPECT_EQ(state.Delta_max - state.Delta_min, 35);
    Click(30, yMax - 30, platform::kMouseLeft);
    EXPECT_NEAR(state.Delta_min, -26.25, 1e-9);
    EXPECT_NEAR(state.Delta_max, -8.75, 1e-9);

    // A zoom rectangle pulled open from (200, 150) keeps the ratio
    // 1.40625 : 1 (140 by 100 pixels here); a click outside it makes its
    // sky the region.
    const charts::ChartGeometry zoomed = sh->chart;
    const QImage before = Picture();
    window->onMouse(200, 150, platform::kMouseLeft, true);
    window->onMouse(300, 400, platform::kMouseLeft, false);
    window->onMouse(340, 400, platform::kMouseLeft, false);
    window->onMouse(340, 400, 0, false);
    EXPECT_FALSE(Picture() == before);  // the rectangle stands on the chart
    const charts::SkyPoint topLeft = charts::PointToSky(zoomed, 200, 150);
    const charts::SkyPoint bottomRight = charts::PointToSky(zoomed, 340, 250);
    Click(600, 300, platform::kMouseLeft);
    EXPECT_NEAR(state.Delta_max, topLeft.delta, 1e-9);
    EXPECT_NEAR(state.Delta_min, bottomRight.delta, 1e-9);
    EXPECT_NEAR(state.Alpha_max, topLeft.alpha, 1e-9);
    EXPECT_NEAR(state.Alpha_min, bottomRight.alpha, 1e-9);

    // A right click centres the region on the sky under the pointer and
    // keeps its height.
    const charts::ChartGeometry g = sh->chart;
    const double height = state.Delta_max - state.Delta_min;
    const charts::SkyPoint target = charts::PointToSky(g, 400, 300);
    Click(400, 300, platform::kMouseRight);
    EXPECT_NEAR(state.Delta_max - state.Delta_min, height, 1e-9);
    EXPECT_NEAR((state.Delta_max + state.Delta_min) / 2, target.delta, 1e-9);
    EXPECT_NEAR((state.Alpha_max + state.Alpha_min) / 2, target.alpha, 1e-9);
}

// A region stored beyond 0..24 h (a settings file, the command line) is
// drawn by the set-up as it is, and kept reduced afterwards: the next
// redraw shows the reduced region.
TEST_F(ChartCommands, EquatorialRegionIsKeptAsTheChartReducedIt) {
    ShowEquatorialChart(2, 26.5, -60, 60);
    const double ky = (state.y_max - 81) / 120.0;
    EXPECT_EQ(sh->chart.k, std::max(ky, (state.x_max - 88) / (24.5 * 15)));
    EXPECT_EQ(state.Alpha_min, 2);
    EXPECT_EQ(state.Alpha_max, 2.5);
    shell::RedrawView(*sh);
    EXPECT_EQ(sh->chart.k, std::max(ky, (state.x_max - 88) / (0.5 * 15)));
    EXPECT_EQ(state.Alpha_max, 2.5);
}

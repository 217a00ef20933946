// kelmaron-cli render draws what the window shows: the same picture, pixel
// for pixel, for the same instant, place, object and size.
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "charts/ObjectSymbols.h"
#include "charts/Projection.h"
#include "shell/Shell.h"
#include "WindowFixture.h"

namespace {

class RenderMatchesWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    // Runs the tool with the window's drawing size; the image it wrote.
    QImage Render(const std::string& view, const std::string& more, const std::string& name = "") {
        const std::string out = (data / ((name.empty() ? view : name) + ".png")).string();
        const std::string command = std::string(KELMARON_CLI) + " render --view " + view + " --out '" + out +
                                    "' --width " + std::to_string(state.x_max + 1) + " --height " +
                                    std::to_string(state.y_max + 1) + " " + more + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    }
    int DifferentPixels(const QImage& a) {
        const QImage b = window->Picture().Image().convertToFormat(QImage::Format_RGB32);

        if (a.size() != b.size()) return -1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) ++n;
        return n;
    }
};

}  // namespace

TEST_F(RenderMatchesWindow, WholeSkyAndEquatorialChartWithTheMoon) {
    // 15 January 2025, 22:00 MEZ at Hannover: the waning Moon stands in the
    // east, the window starts with white sky ("Invers").
    SetInstant(22, 15, 1, 2025);
    state.Objekt = astronomy::ObjectKind::Moon;
    shell::ExecuteMenuCommand(*sh, 72);  // "&Himmel"
    const std::string when = "--date 15.1.2025 --time 22:00 --object Mond --invers --flags " +
                             std::to_string(state.DisplayFlags);
    EXPECT_EQ(DifferentPixels(Render("himmel", when)), 0);

    // The Moon is marked where the projection puts it: its disc covers the
    // point, so the point no longer shows the white sky.
    const astronomy::PositionResult r = astronomy::ComputePosition(
        astronomy::ObservationOf(state), astronomy::BodyTarget(astronomy::ObjectKind::Moon));
    ASSERT_EQ(r.status, astronomy::PositionStatus::Ok);
    const astronomy::BodyPosition& moon = r.body;
    const charts::ProjectionResult p =
        charts::ProjectPoint(sh->chart, charts::FirstAngle(sh->chart, moon.ra), moon.dec);
    ASSERT_TRUE(p.visible);
    EXPECT_NE(window->canvas().ReadPixel(p.x, p.y), platform::ColourFromRgb(state.BackgroundColour));

    // The equatorial chart of a region through 0 h.
    state.ChartMode = astronomy::View::Equatorial;
    state.Alpha_min = 22, state.Alpha_max = 2, state.Delta_min = -10, state.Delta_max = 20;
    shell::RedrawView(*sh);
    EXPECT_EQ(DifferentPixels(Render("aequatorial", when + " --alpha-min 22 --alpha-max 2 --delta-min -10 --delta-max 20")),
              0);
}

TEST_F(RenderMatchesWindow, SolarSystemViewAndItsStereoPair) {
    // 15 March 2024, 21:00 MEZ, Mars selected, seen from above Scorpius.
    SetInstant(21, 15, 3, 2024);
    state.Objekt = astronomy::ObjectKind::Mars;
    state.View_lambda = 150, state.View_beta = 40, state.View_rs = 3;
    shell::ExecuteMenuCommand(*sh, sh->menu.ItemOf({shell::Command::ShowSystem}));
    const std::string when = "--date 15.3.2024 --time 21:00 --object Mars --invers --flags " +
                             std::to_string(state.DisplayFlags) + " --view-lambda 150 --view-beta 40 --view-rs 3";
    EXPECT_EQ(DifferentPixels(Render("system", when)), 0);
    sh->systemStereo = charts::Stereo::Parallel;
    state.TrackAlle = 0;
    shell::RedrawView(*sh);
    EXPECT_EQ(DifferentPixels(Render("system", when + " --stereo 2 --all-tracks 0")), 0);
}

// --scale 2 draws the same layout with twice the pixels each way: averaged
// over tiles of 8 by 8 picture pixels it is the picture of scale 1, while
// its lines and letters are not the enlarged ones of scale 1.
TEST_F(RenderMatchesWindow, ScaledRenderHasTheLayoutAtTwiceTheResolution) {
    const std::string when = "--date 15.1.2025 --time 22:00 --object Mond --flags 127";
    for (const std::string view : {"himmel", "aequatorial", "system"}) {
        SCOPED_TRACE(view);
        const QImage one = Render(view, when);
        const QImage two = Render(view, when + " --scale 2", view + "-2");
        ASSERT_EQ(two.size(), one.size() * 2);
        constexpr int kTile = 8;
        double largest = 0, sum = 0;
        int tiles = 0;
        for (int ty = 0; ty + kTile <= one.height(); ty += kTile)
            for (int tx = 0; tx + kTile <= one.width(); tx += kTile) {
                double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
                for (int y = 0; y < kTile; ++y)
                    for (int x = 0; x < kTile; ++x) {
                        const QRgb p = one.pixel(tx + x, ty + y);
                        a[0] += qRed(p), a[1] += qGreen(p), a[2] += qBlue(p);
                    }
                for (int y = 0; y < 2 * kTile; ++y)
                    for (int x = 0; x < 2 * kTile; ++x) {
                        const QRgb p = two.pixel(2 * tx + x, 2 * ty + y);
                        b[0] += qRed(p), b[1] += qGreen(p), b[2] += qBlue(p);
                    }
                for (int c = 0; c < 3; ++c) {
                    const double d = std::abs(a[c] / (kTile * kTile) - b[c] / (4 * kTile * kTile));
                    largest = std::max(largest, d);
                    sum += d;
                }
                ++tiles;
            }
        // Measured on these views: mean differences of 0.2 to 0.9 and
        // largest ones of 22 to 29 (of 255); the image of scale 2 shifted by
        // 3 picture pixels gives largest differences of 92 to 106.
        EXPECT_LT(sum / (3 * tiles), 1.5);
        EXPECT_LT(largest, 50.0);
        int enlargedDiffers = 0;
        const QImage enlarged = one.scaled(two.size());
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x) enlargedDiffers += two.pixel(x, y) != enlarged.pixel(x, y);
        EXPECT_GT(enlargedDiffers, 1000);
    }
}

// The main window on a screen of scale factor 2 (this test program sets
// QT_SCALE_FACTOR before the toolkit starts): the picture follows the
// screen's device pixel ratio, keeps its coordinates, is shown at full
// resolution and is what kelmaron-cli render --scale 2 draws.
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../gui/WindowFixture.h"
#include "../reports/RecordingCanvas.h"
#include "charts/Projection.h"

namespace {

constexpr double kDeg = 3.141592653589793 / 180;

class HighResolutionWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        // 15 January 2025, 22:00 MEZ at Hannover, white sky, the Moon.
        SetInstant(22, 15, 1, 2025);
        state.Objekt = astronomy::ObjectKind::Moon;
        shell::ExecuteMenuCommand(*sh, 72);  // "&Himmel"
    }
    // What the drawing area shows on the screen, in the screen's pixels.
    QImage Shown() { return window->Area().grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static int DifferentPixels(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return -1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) ++n;
        return n;
    }
};

}  // namespace

TEST_F(HighResolutionWindow, PictureFollowsTheScreenWithItsCoordinates) {
    ASSERT_EQ(window->Area().devicePixelRatioF(), 2.0) << "QT_SCALE_FACTOR not in effect";
    const platform::qt::QtCanvas& picture = window->Picture();
    EXPECT_EQ(picture.PixelRatio(), 2);
    // The program's coordinates are the window's.
    const QSize size = window->Area().size();
    EXPECT_EQ(picture.Width(), size.width());
    EXPECT_EQ(picture.Height(), size.height());
    EXPECT_EQ(state.x_max + 1, size.width());
    EXPECT_EQ(state.y_max + 1, size.height());
    EXPECT_EQ(picture.Image().size(), size * 2);

    // The window shows the picture's device pixels one for one.
    EXPECT_EQ(DifferentPixels(Shown(), picture.Image().convertToFormat(QImage::Format_RGB32)), 0);

    // Fixed at ratio 1 the view is drawn again on the picture's own grid
    // and shown enlarged, as before high resolution; following the screen
    // again draws it finely.
    const QImage fine = picture.Image().copy();
    window->SetPixelRatio(1);
    EXPECT_EQ(picture.PixelRatio(), 1);
    EXPECT_EQ(picture.Image().size(), size);
    const QImage coarse = picture.Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(DifferentPixels(Shown(), coarse.scaled(size * 2)), 0);
    EXPECT_GT(DifferentPixels(fine.convertToFormat(QImage::Format_RGB32), coarse.scaled(size * 2)), 1000);
    window->SetPixelRatio(0);
    EXPECT_EQ(picture.PixelRatio(), 2);
    EXPECT_EQ(picture.Image(), fine);
}

TEST_F(HighResolutionWindow, RenderWithScale2DrawsTheSamePicture) {
    const std::string out = (data / "himmel.png").string();
    const std::string command = std::string(KELMARON_CLI) + " render --view himmel --out '" + out + "' --width " +
                                std::to_string(state.x_max + 1) + " --height " + std::to_string(state.y_max + 1) +
                                " --scale 2 --date 15.1.2025 --time 22:00 --object Mond --invers --flags " +
                                std::to_string(state.DisplayFlags) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const QImage rendered = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(rendered.size(), QSize(2 * (state.x_max + 1), 2 * (state.y_max + 1)));
    EXPECT_EQ(DifferentPixels(rendered, window->Picture().Image().convertToFormat(QImage::Format_RGB32)), 0);

    // The Moon's disc covers the place the projection gives in picture
    // coordinates.
    const astronomy::PositionResult r = astronomy::ComputePosition(
        astronomy::ObservationOf(state), astronomy::BodyTarget(astronomy::ObjectKind::Moon));
    ASSERT_EQ(r.status, astronomy::PositionStatus::Ok);
    const charts::ProjectionResult p =
        charts::ProjectPoint(sh->chart, charts::FirstAngle(sh->chart, r.body.ra), r.body.dec);
    ASSERT_TRUE(p.visible);
    EXPECT_NE(window->canvas().ReadPixel(p.x, p.y), platform::ColourFromRgb(state.BackgroundColour));
}

// The pointer's place arrives in picture coordinates: the readout over a
// projected place reads that place back.
TEST_F(HighResolutionWindow, PointerReadoutUsesPictureCoordinates) {
    state.ChartMode = astronomy::View::Equatorial;
    state.Alpha_min = 1.8, state.Alpha_max = 6.2, state.Delta_min = 5, state.Delta_max = 30;
    shell::RedrawView(*sh);
    const charts::ChartGeometry g = sh->chart;
    testing_canvas::RecordingCanvas recorder;
    sh->target = &recorder;
    const double raHours = 4.2, decDeg = 17.3;
    const charts::ProjectionResult p = charts::ProjectPoint(g, raHours * 15 * kDeg, decDeg * kDeg);
    ASSERT_TRUE(p.visible);
    // Through the toolkit's handling of the screen's events, which maps
    // the screen's pixels to the window's.
    QTest::mouseMove(window->Frame().windowHandle(), window->Area().mapTo(&window->Frame(), QPoint(p.x, p.y)));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->MousePosition(), std::make_pair(p.x, p.y));
    // The value is the text drawn after its label.
    std::string alpha = "<none>";
    for (std::size_t i = 0; i + 1 < recorder.texts.size(); ++i)
        if (recorder.texts[i].text == "α=") alpha = recorder.texts[i + 1].text;
    int h = 0, m = 0, s = 0;
    ASSERT_EQ(std::sscanf(alpha.c_str(), "%dh %dm %ds", &h, &m, &s), 3) << alpha;
    // Within one pixel's worth (1/k degrees) and the rounding of the value.
    EXPECT_NEAR(h + m / 60.0 + s / 3600.0, raHours, 1 / g.k / 15 + 0.5 / 3600);
    sh->target = nullptr;
}

// The solar-system view and the track through the running window: the menu
// item and key, its buttons, the arrow and page keys, the stereo pair, the
// track on a chart and the track prompt.
#include <QApplication>

#include <gtest/gtest.h>

#include <string>

#include "DialogScript.h"
#include "WindowFixture.h"
#include "astronomy/Numbers.h"
#include "astronomy/PositionService.h"
#include "charts/SystemProjection.h"
#include "shell/Menus.h"

namespace {

platform::Key Special(platform::Key::Special k) { return platform::Key{"", k}; }
platform::Key Letter(const char* text) { return platform::Key{text, platform::Key::None}; }

constexpr platform::Colour kSunYellow{250, 250, 80};

class SystemView : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        SetInstant(21, 15, 3, 2024);
        state.Objekt = astronomy::ObjectKind::Mars;
    }
    void ClickAt(int x, int y) {
        window->onMouse(x, y, platform::kMouseLeft, true);
        window->onMouse(x, y, 0, false);
    }
    platform::Colour Pixel(int x, int y) { return window->canvas().ReadPixel(x, y); }
    int MidX() { return astronomy::Round(state.x_max / 2.0); }
    int MidY() { return astronomy::Round(state.y_max / 2.0); }
};

}  // namespace

TEST_F(SystemView, ButtonsKeysAndStereoPair) {
    window->onKey(Letter("y"));  // "System"
    ASSERT_EQ(state.ChartMode, astronomy::View::System);
    // The Sun in the middle of the picture, the Earth where the
    // perspective puts it (its disc in the Earth's colour, black on white).
    EXPECT_EQ(Pixel(MidX(), MidY()), kSunYellow);
    const astronomy::BodyPosition earth =
        astronomy::ComputePosition(astronomy::ObservationOf(state), astronomy::BodyTarget(astronomy::ObjectKind::Earth))
            .body;
    const charts::ProjectionResult e = charts::ProjectHeliocentric(sh->chart, earth.eclLon, earth.eclLat, earth.r);
    ASSERT_TRUE(e.visible);
    EXPECT_EQ(Pixel(e.x, e.y), platform::ColourFromRgb(state.BodyColourTable[13]));

    ClickAt(30, 15);  // "Innen"
    EXPECT_EQ(state.View_rs, 2.0);
    ClickAt(100, 15);  // "Außen"
    EXPECT_EQ(state.View_rs, 3.0);
    window->onKey(Special(platform::Key::Up));  // north
    EXPECT_EQ(state.View_beta, 40);
    window->onKey(Special(platform::Key::Left));  // east
    EXPECT_EQ(state.View_lambda, 190);
    window->onKey(Special(platform::Key::PageUp));  // "Zoom": closer
    EXPECT_EQ(state.View_rs, 1.5);
    const charts::ChartLayout layout = charts::LayoutFor(state.x_max, state.y_max);
    ClickAt(layout.zoomOut.CentreX(), layout.zoomOut.CentreY());  // "Mooz"
    EXPECT_EQ(state.View_rs, 3.0);
    for (int i = 0; i < 8; ++i) ClickAt(layout.arrowUp.CentreX(), layout.arrowUp.CentreY());
    EXPECT_EQ(state.View_beta, 90);  // straight down on the ecliptic, no further

    ClickAt(state.x_max - 170, 15);  // "Alle Spuren"
    EXPECT_EQ(state.TrackAlle, 0);
    ClickAt(state.x_max - 76, 15);  // "3D X"
    EXPECT_EQ(sh->systemStereo, charts::Stereo::Crossed);
    // Two pictures, each with the Sun in its middle.
    EXPECT_EQ(Pixel(astronomy::Round(MidX() / 2.0), MidY()), kSunYellow);
    EXPECT_EQ(Pixel(astronomy::Round(3 * MidX() / 2.0), MidY()), kSunYellow);
    EXPECT_NE(Pixel(MidX(), MidY()), kSunYellow);
    ClickAt(30, 15);  // no "Innen" on the pair
    EXPECT_EQ(state.View_rs, 3.0);
    ClickAt(state.x_max - 25, 15);  // "<--"
    EXPECT_EQ(sh->systemStereo, charts::Stereo::Single);
    EXPECT_EQ(Pixel(MidX(), MidY()), kSunYellow);
    ClickAt(state.x_max - 25, 15);  // "3D ||"
    EXPECT_EQ(sh->systemStereo, charts::Stereo::Parallel);
    window->onKey(Letter("y"));  // "System" starts with the single picture
    EXPECT_EQ(sh->systemStereo, charts::Stereo::Single);
}

// "Track" on an equatorial chart draws Mars' month and leaves the instant as
// it was; "Track" again takes it off.
TEST_F(SystemView, TrackOnAnEquatorialChart) {
    state.DisplayFlags &= ~64;
    state.ChartMode = astronomy::View::Equatorial;
    state.Alpha_min = 18, state.Alpha_max = 24, state.Delta_min = -35, state.Delta_max = 5;
    shell::RedrawView(*sh);
    const QImage without = window->Picture().Image().copy();
    const astronomy::ProgramState before = state;
    window->onKey(Letter("t"));
    EXPECT_EQ(state.DisplayFlags & 64, 64);
    EXPECT_NE(window->Picture().Image(), without);
    EXPECT_EQ(state.J, before.J);
    EXPECT_EQ(state.F, before.F);
    EXPECT_EQ(state.ClockTime, before.ClockTime);
    EXPECT_EQ(state.Day, before.Day);
    EXPECT_EQ(state.tq.LST, before.tq.LST);
    window->onKey(Letter("t"));
    EXPECT_EQ(state.DisplayFlags & 64, 0);
    EXPECT_EQ(window->Picture().Image(), without);
}

// The prompt refuses what is no number and asks again; the step takes the
// sign of the length; cancelled, nothing changes.
TEST_F(SystemView, TrackPrompt) {
    const int item = sh->menu.ItemOf({shell::Command::TrackLength});
    ASSERT_GT(item, 0);
    DialogScript script;
    script.Play(window->DialogBoxes(), {Type("abc"), Click(1), Type("60"), Type("7 x"), Click(1), Type("7 w")});
    shell::ExecuteMenuCommand(*sh, item);
    EXPECT_EQ(state.TrackLaenge, 60);
    EXPECT_EQ(state.TrackStep, 7);
    EXPECT_EQ(state.TrackDatum, "w");
    ASSERT_EQ(script.boxes.size(), 2u);
    EXPECT_TRUE(DialogScript::Contains(script.boxes[0], "keine Zahl"));
    EXPECT_TRUE(DialogScript::Contains(script.boxes[1], "keine Schrittweite"));
    ASSERT_GE(script.offered.size(), 3u);
    EXPECT_EQ(script.offered[0], "31");  // the length as it was
    EXPECT_EQ(script.offered[2], "d");   // no step: the unit alone

    DialogScript back;
    back.Play(window->DialogBoxes(), {Type("-20"), Type("3 d")});
    shell::ExecuteMenuCommand(*sh, item);
    EXPECT_EQ(back.offered[1], "7 w");
    EXPECT_EQ(state.TrackLaenge, -20);
    EXPECT_EQ(state.TrackStep, -3);  // back in time like the length
    EXPECT_EQ(state.TrackDatum, "d");

    DialogScript cancel;
    cancel.Play(window->DialogBoxes(), {Type("500"), Type(kEscape)});
    shell::ExecuteMenuCommand(*sh, item);
    EXPECT_EQ(state.TrackLaenge, -20);
    EXPECT_EQ(state.TrackStep, -3);
}

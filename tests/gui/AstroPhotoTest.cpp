// "Astrophotographie" through the real menu item, prompt window, result
// window and message boxes.
#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/AstroPhoto.h"
#include "shell/AstroPhoto.h"
#include "DialogScript.h"
#include "WindowFixture.h"

namespace {

constexpr int kAstroPhotoItem = 115;
constexpr int kClose = 1, kHold = 2;
using Texts = std::vector<std::string>;

class AstroPhoto : public WindowFixture, protected DialogScript {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        // The Sun in its object view, high in the sky at noon in June.
        state.Objekt = astronomy::ObjectKind::Sun;
        state.ChartMode = astronomy::View::ObjectBody;
        SetInstant(13, 21, 6, 2026);
        shell::RedrawView(*sh);
        // The result window's layer while "Weiter?" waits, moved so that
        // the frame's layout for 8 x 16 cells (cell (2, 15) at (8, 224))
        // reads it.
        atBox = [this] {
            platform::qt::PromptWindow* w = window->DialogBoxes().Prompt();
            if (!w || !w->HasLayer()) return;
            frames.push_back(w->Layer().Image().copy());
            shifts.push_back(w->CellOrigin(2, 15) - QPoint(8, 224));
        };
    }
    void Play(std::vector<Step> steps) { DialogScript::Play(window->DialogBoxes(), std::move(steps)); }
    QRgb At(std::size_t k, int x, int y) const { return frames.at(k).pixel(QPoint(x, y) + shifts.at(k)); }

    std::vector<QImage> frames;
    std::vector<QPoint> shifts;
};

}  // namespace

TEST_F(AstroPhoto, TheSunThroughTheWindowWithItsFrame) {
    EXPECT_EQ(window->menu().ItemState(kAstroPhotoItem), platform::kItemEnabled);
    // Drawing the object view again ("o") keeps it offered.
    window->onKey(platform::Key{"o", platform::Key::None});
    EXPECT_EQ(window->menu().ItemState(kAstroPhotoItem), platform::kItemEnabled);
    // N as offered (f/D); "Halten" waits and asks again. Then 5 m of focal
    // length, where the Sun overfills the frame.
    Play({Type("100"), Type(""), Type("100"), Type("1000"), Type(kKeep), Key(), Click(kHold), Key(), Click(kClose),
          Type(kKeep), Type(kKeep), Type(kKeep), Type("5000"), Type(""), Key(), Click(kClose)});
    shell::ExecuteMenuCommand(*sh, kAstroPhotoItem);
    shell::ExecuteMenuCommand(*sh, kAstroPhotoItem);

    // The second run offers what the first one kept.
    EXPECT_EQ(offered, (Texts{"", "", "", "", "10", "100", "", "100", "1000", "50"}));
    EXPECT_EQ(boxes, (Texts{"Weiter?", "Weiter?", "Weiter?"}));
    const Texts lines = reports::PhotoResultLines(
        astronomy::ComputeAstroPhoto({100, 1, {100, 1000, 10}}, sh->pos, astronomy::ObjectKind::Sun));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Row(0, i + 2), lines[i]) << i;
    EXPECT_EQ(Row(0, 15), " Format:");
    EXPECT_EQ(Row(0, 16), "  15x22mm");

    // The outline in the label colour, the dark grey film, the Sun (radius
    // 0.525° x 1000 x 0.130 / 2 = 34 pixels) light in the middle, the
    // background around; at 5 m the disc is cut off at the frame.
    ASSERT_EQ(frames.size(), 3u);
    const QRgb label = 0xFF000000 | state.ForegroundColour, background = 0xFF000000 | state.BackgroundColour;
    const QRgb film = 0xFF404040, sun = 0xFFB4B4B4;
    EXPECT_EQ((std::vector{At(0, 85, 220), At(0, 250, 330), At(0, 90, 225), At(0, 168, 275), At(0, 208, 275),
                           At(0, 84, 275)}),
              (std::vector{label, label, film, sun, film, background}));
    EXPECT_EQ((std::vector{At(2, 86, 222), At(2, 84, 275), At(2, 168, 219)}),
              (std::vector{sun, background, background}));
}

TEST_F(AstroPhoto, TheOpticsAreAskedAgainUntilTwoArePositive) {
    // One value; D = 0 beside f; N = 0 with D missing; then f and N.
    Play({Type("100"), Type(""), Type(""), Type("1000"), Type(""), Type("0"), Type(kKeep), Type(""),
          Type(""), Type(kKeep), Type("0"), Type(""), Type(kKeep), Type("8"), Key(), Click(kClose)});
    shell::AstroPhotoCalculator(*sh);
    EXPECT_EQ(offered.size(), 2u + 4 * 3);
    EXPECT_EQ(boxes, Texts{"Weiter?"});
    EXPECT_EQ(state.PhotoAperture, "125");  // f/N, offered next time
}

TEST_F(AstroPhoto, NoResultForAnEmptyFilmSpeedOrAnObjectThatHasSet) {
    state.PhotoAsa = "400";
    Play({Type("")});
    shell::AstroPhotoCalculator(*sh);
    EXPECT_EQ(offered, Texts{"400"});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    EXPECT_EQ(state.PhotoAsa, "400");

    // Time moves on to 1 o'clock at night (as in real time): the item is
    // greyed, but a command already running is told instead of a result.
    SetInstant(1, 21, 6, 2026);
    shell::ComputePosition(*sh, state.Objekt, false);
    EXPECT_EQ(window->menu().ItemState(kAstroPhotoItem), platform::kItemGreyed);
    Play({Type("100"), Type(""), Type("100"), Type("1000"), Type(kKeep), Click(1)});
    shell::AstroPhotoCalculator(*sh);
    EXPECT_EQ(boxes, Texts{"Das Objekt steht unter dem Horizont."});
    EXPECT_EQ(shown, std::vector<Texts>{Texts{}});  // no result window behind the box
}

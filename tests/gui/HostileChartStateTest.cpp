// A settings file may hold any numbers for the chart regions and the
// limiting magnitude: every chart still draws, answers the pointer and
// leaves the window usable.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "shell/Shell.h"
#include "WindowFixture.h"

namespace {

class HostileChartState : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }
};

}  // namespace

TEST_F(HostileChartState, EveryChartDrawsWithOddRegionsAndMagnitudes) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using Change = std::function<void(astronomy::ProgramState&)>;
    const std::vector<std::pair<std::string, Change>> cases = {
        {"huge limiting magnitude", [](auto& s) { s.Grenzmag = 1e9; }},
        {"negative limiting magnitude", [](auto& s) { s.Grenzmag = -1e9; }},
        {"empty declination band", [](auto& s) { s.Delta_min = s.Delta_max = 10; }},
        {"reversed declination band", [](auto& s) { s.Delta_min = 40, s.Delta_max = -40; }},
        {"huge right ascensions", [](auto& s) { s.Alpha_min = 1e300, s.Alpha_max = -1e300; }},
        {"equal right ascensions", [](auto& s) { s.Alpha_min = s.Alpha_max = 3; }},
        {"equal polar limits", [](auto& s) { s.Pol_min = s.Pol_max = 60; }},
        {"polar limits beyond reason", [](auto& s) { s.Pol_min = -1e6, s.Pol_max = 1e6, s.Pol_mitte = 1e12; }},
        {"reversed altitude band", [](auto& s) { s.Hoehe_min = 80, s.Hoehe_max = 10; }},
        {"equal azimuths", [](auto& s) { s.Azi_min = s.Azi_max = 100; }},
        {"altitude band far below", [](auto& s) { s.Hoehe_min = -3e9, s.Hoehe_max = -2.9e9; }},
        {"altitude band far above", [](auto& s) { s.Hoehe_min = 0, s.Hoehe_max = 1e8; }},
        {"not a number", [nan](auto& s) { s.Delta_min = nan, s.Alpha_max = nan, s.Pol_min = nan, s.Azi_min = nan; }},
        {"infinite", [inf](auto& s) { s.Delta_max = inf, s.Alpha_min = -inf, s.Pol_max = inf, s.Hoehe_max = inf; }},
    };
    const astronomy::ProgramState start = state;
    for (const auto& [name, change] : cases) {
        for (const astronomy::View mode : {astronomy::View::WholeSky, astronomy::View::Equatorial, astronomy::View::Horizon, astronomy::View::NorthPolar, astronomy::View::SouthPolar}) {
            SCOPED_TRACE(name + " in mode " + std::to_string(astronomy::ViewNumber(mode)));
            state = start;
            change(state);
            state.ChartMode = mode;
            shell::RedrawView(*sh);
            for (int y = 0; y <= state.y_max; y += 150)
                for (int x = 0; x <= state.x_max; x += 150) shell::HandleMouse(*sh, x, y, 0, false);
            EXPECT_EQ(state.ChartMode, mode);
        }
    }
}

// Track settings and view points that no prompt gives: the charts and the
// solar-system view draw (a track of no length or of numbers that are not
// finite draws nothing, a very long one takes wider steps), and the view's
// buttons and keys still work.
TEST_F(HostileChartState, TracksAndViewPointsBeyondReason) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using Change = std::function<void(astronomy::ProgramState&)>;
    const std::vector<std::pair<std::string, Change>> cases = {
        {"track of no length", [](auto& s) { s.TrackLaenge = 0; }},
        {"track not a number", [nan](auto& s) { s.TrackLaenge = nan, s.TrackStep = static_cast<float>(nan); }},
        {"infinite track", [inf](auto& s) { s.TrackLaenge = -inf; }},
        {"track of a million years", [](auto& s) { s.TrackLaenge = 3.65e8, s.TrackStep = 1e-6f, s.TrackDatum = "t"; }},
        {"unknown label unit", [](auto& s) { s.TrackDatum = "Woche"; }},
        {"view point not a number", [nan](auto& s) { s.View_lambda = nan, s.View_beta = nan, s.View_rs = nan; }},
        {"view point at the Sun", [](auto& s) { s.View_rs = 0; }},
        {"view point inside out", [inf](auto& s) { s.View_rs = -5, s.View_beta = inf, s.View_lambda = 1e300; }},
        {"view point far away", [](auto& s) { s.View_rs = 1e12, s.View_beta = 1e6; }},
        {"odd orbit switch", [](auto& s) { s.TrackAlle = 7; }},
    };
    const astronomy::ProgramState start = state;
    for (const auto& [name, change] : cases) {
        for (const astronomy::View mode : {astronomy::View::WholeSky, astronomy::View::Equatorial, astronomy::View::System}) {
            SCOPED_TRACE(name + " in mode " + std::to_string(astronomy::ViewNumber(mode)));
            state = start;
            change(state);
            state.DisplayFlags = 127;
            state.ChartMode = mode;
            shell::RedrawView(*sh);
            if (mode == astronomy::View::System) {
                window->onKey(platform::Key{"", platform::Key::Up});
                window->onKey(platform::Key{"", platform::Key::PageDown});
                window->onMouse(state.x_max - 170, 15, platform::kMouseLeft, true);  // "Alle Spuren"
                window->onMouse(state.x_max - 170, 15, 0, false);
                EXPECT_TRUE(std::isfinite(state.View_beta) && std::isfinite(state.View_rs));
            }
            EXPECT_EQ(state.ChartMode, mode);
        }
    }
}

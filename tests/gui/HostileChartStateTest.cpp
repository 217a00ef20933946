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

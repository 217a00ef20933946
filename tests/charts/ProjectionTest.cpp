// Sky to pixels on every chart, and back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "astronomy/Angles.h"
#include "astronomy/ProgramState.h"
#include "charts/Projection.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;

// A 1301 x 901 drawing area at 52.4° N, with the layout the window uses.
astronomy::ProgramState Window() {
    astronomy::ProgramState s;
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartWidth = 1060;
    s.ChartCentreX = 530;
    s.ChartCentreY = 450;
    s.ChartRadius = 430;
    s.Latitude = 52.4 * kDeg;
    s.SinLat = std::sin(s.Latitude);
    s.CosLat = std::cos(s.Latitude);
    s.tq.LST = 5.3;
    return s;
}

// Angular distance in degrees.
double Separation(double a1h, double d1, double a2h, double d2) {
    const double c = std::sin(d1 * kDeg) * std::sin(d2 * kDeg) +
                     std::cos(d1 * kDeg) * std::cos(d2 * kDeg) * std::cos((a1h - a2h) * 15 * kDeg);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kDeg;
}

// Hour angle (radians) of a place of the given altitude and azimuth (from
// south, radians) and its declination.
struct HaDec {
    double H, delta;
};
HaDec FromHorizontal(const astronomy::ProgramState& s, double altitude, double azimuthFromSouth) {
    const astronomy::HourAngleDec hd = astronomy::HorizontalToEquatorial(azimuthFromSouth, altitude, s.SinLat, s.CosLat);
    return {std::fmod(hd.hourAngle + 2 * kPi, 2 * kPi), hd.delta};
}

}  // namespace

TEST(Projection, WholeSkyRimCentreAndBelowTheHorizon) {
    const astronomy::ProgramState s = Window();
    const charts::ChartGeometry g = charts::SetUpWholeSky(s);
    auto at = [&](double altDeg, double aziFromSouthDeg) {
        const HaDec p = FromHorizontal(s, altDeg * kDeg, aziFromSouthDeg * kDeg);
        return charts::ProjectPoint(g, p.H, p.delta);
    };
    const charts::ProjectionResult zenith = at(90, 0);
    EXPECT_EQ(zenith.x, 530);
    EXPECT_EQ(zenith.y, 450);
    EXPECT_TRUE(zenith.visible);
    const charts::ProjectionResult south = at(1e-7, 0);  // on the rim, straight down
    EXPECT_EQ(south.x, 530);
    EXPECT_EQ(south.y, 450 + 430);
    EXPECT_TRUE(south.visible);
    const charts::ProjectionResult west = at(0, 90);  // west is right
    EXPECT_EQ(west.x, 530 + 430);
    EXPECT_EQ(west.y, 450);
    const charts::ProjectionResult low = at(-10, 0);  // 1.11 R, not visible
    EXPECT_EQ(low.y, 450 + static_cast<int>(std::lround(430 * (1 + 20.0 / 180))));
    EXPECT_FALSE(low.visible);
    EXPECT_EQ(low.labelX, low.x - 4);
    EXPECT_EQ(low.labelY, low.y + 8);
    EXPECT_EQ(charts::ProjectPoint(g, 0, 0, true).code, charts::kAbortCode);

    // The readout: centre, rim below it, outside.
    const charts::SkyPoint c = charts::PointToSky(g, 530, 450);
    EXPECT_DOUBLE_EQ(c.altitude, 90);
    EXPECT_DOUBLE_EQ(c.azimuth, 90);
    const charts::SkyPoint rim = charts::PointToSky(g, 530, 880);
    EXPECT_NEAR(rim.altitude, 0, 1e-12);
    EXPECT_NEAR(rim.azimuth, 180, 1e-12);
    EXPECT_EQ(charts::PointToSky(g, 530, 885).alpha, charts::kNoValue);
}

TEST(Projection, EquatorialWindowThroughZeroHours) {
    astronomy::ProgramState s = Window();
    s.ChartMode = astronomy::View::Equatorial;
    s.Alpha_min = 22;
    s.Alpha_max = 2;
    s.Delta_min = -10;
    s.Delta_max = 20;
    const charts::ChartGeometry g = charts::SetUpEquatorial(s);
    const double k = g.k;
    EXPECT_DOUBLE_EQ(k, std::max(819.0 / 30, 1212.0 / 60));
    auto ra = [](double hours) { return hours * kPi / 12; };
    const charts::ProjectionResult at23 = charts::ProjectPoint(g, ra(23), 0);
    const charts::ProjectionResult at1 = charts::ProjectPoint(g, ra(1), 0);
    const charts::ProjectionResult at12 = charts::ProjectPoint(g, ra(12), 0);
    const charts::ProjectionResult at05 = charts::ProjectPoint(g, ra(0.5), 0);
    EXPECT_TRUE(at23.visible);
    EXPECT_TRUE(at1.visible);
    EXPECT_FALSE(at12.visible);
    EXPECT_EQ(at12.code, charts::kSkipBefore);
    // Right ascension grows to the left: 23 h right of 1 h; 0.5 h shifted by
    // a whole turn into the window.
    EXPECT_GT(at23.x, at1.x);
    EXPECT_EQ(at05.x, static_cast<int>(std::lround(g.xr - 7.5 * k - 360 * k)));
    EXPECT_EQ(at23.x, static_cast<int>(std::lround(g.xr - 345 * k)));
    EXPECT_FALSE(charts::ProjectPoint(g, ra(23), 25 * kDeg).visible);  // above Delta_max

    // Without a wrap the sorted star list is skipped before and past the window.
    s.Alpha_min = 4;
    s.Alpha_max = 6;
    const charts::ChartGeometry h = charts::SetUpEquatorial(s);
    EXPECT_EQ(charts::ProjectPoint(h, ra(2), 0).code, charts::kSkipBefore);
    EXPECT_EQ(charts::ProjectPoint(h, ra(3.5), 0).code, 0);
    EXPECT_EQ(charts::ProjectPoint(h, ra(7), 0).code, charts::kSkipPast);
}

TEST(Projection, HorizonWindowThroughNorth) {
    astronomy::ProgramState s = Window();
    s.ChartMode = astronomy::View::Horizon;
    s.Azi_min = 300;
    s.Azi_max = 60;
    s.Hoehe_min = 0;
    s.Hoehe_max = 30;
    const charts::ChartGeometry g = charts::SetUpHorizon(s);
    // Azimuth 10° (from north) is south-from 190°.
    const HaDec p = FromHorizontal(s, 15 * kDeg, (10 - 180) * kDeg);
    const charts::ProjectionResult r = charts::ProjectPoint(g, p.H, p.delta);
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.x, static_cast<int>(std::lround((370 - 300) * g.k + 50)));
    EXPECT_EQ(r.y, static_cast<int>(std::lround(843 - 15 * g.k)));
    const HaDec east = FromHorizontal(s, 15 * kDeg, (90 - 180) * kDeg);
    EXPECT_FALSE(charts::ProjectPoint(g, east.H, east.delta).visible);
}

TEST(Projection, PolarChartPoleAndEquator) {
    astronomy::ProgramState s = Window();
    s.ChartMode = astronomy::View::NorthPolar;
    s.Pol_min = 0;
    s.Pol_max = 180;
    s.Pol_mitte = 0;
    const charts::ChartGeometry g = charts::SetUpPolar(s);
    EXPECT_DOUBLE_EQ(g.k, (2.0 * 450 - 100) / 180);
    const charts::ProjectionResult pole = charts::ProjectPoint(g, 0, kPi / 2);
    EXPECT_EQ(pole.x, 650);
    EXPECT_EQ(pole.y, 450 - 25);
    // The equator: radius cy - 50 about the pole; Pol_mitte points down.
    const charts::ProjectionResult down = charts::ProjectPoint(g, 0, 0);
    EXPECT_EQ(down.x, 650);
    EXPECT_EQ(down.y, 425 + 400);
    EXPECT_TRUE(down.visible);
    const charts::ProjectionResult six = charts::ProjectPoint(g, kPi / 2, 0);
    EXPECT_EQ(six.x, 650 - 400);
    EXPECT_EQ(six.y, 425);
    EXPECT_FALSE(charts::ProjectPoint(g, 0, -10 * kDeg).visible);  // beyond the outer limit
}

// Every chart: the sky under a projected point is the point itself, within
// what one pixel is worth there, near the wraps and the poles as well.
TEST(Projection, PointToSkyInvertsProjectPoint) {
    struct Region {
        astronomy::View mode;
        double a1, a2, d1, d2;  // equatorial / horizon / polar limits
    };
    using astronomy::View;
    const std::vector<Region> regions = {
        {View::WholeSky, 0, 0, 0, 0},        {View::Equatorial, 1.8, 6.2, 5, 30},
        {View::Equatorial, 22, 2, -10, 20},  {View::Equatorial, 0, 24, -90, 90},
        {View::Horizon, 72, 118, 0, 20},     {View::Horizon, 300, 60, 0, 40},
        {View::NorthPolar, 0, 0, 60, 120},   {View::NorthPolar, 0, 0, 0, 180},
        {View::SouthPolar, 0, 0, -60, -120}, {View::SouthPolar, 0, 0, -85, -75},
    };
    for (const Region& r : regions) {
        SCOPED_TRACE(::testing::Message() << "mode " << astronomy::ViewNumber(r.mode) << " " << r.a1 << ".." << r.a2);
        astronomy::ProgramState s = Window();
        s.ChartMode = r.mode;
        const bool polar = astronomy::IsPolarChart(r.mode);
        if (r.mode == View::Equatorial) s.Alpha_min = r.a1, s.Alpha_max = r.a2, s.Delta_min = r.d1, s.Delta_max = r.d2;
        if (r.mode == View::Horizon) s.Azi_min = r.a1, s.Azi_max = r.a2, s.Hoehe_min = r.d1, s.Hoehe_max = r.d2;
        if (polar) s.Pol_min = r.d1, s.Pol_max = r.d2, s.Pol_mitte = 3.5;
        const charts::ChartGeometry g = charts::SetUpChart(s);
        int checked = 0;
        for (double ah = 0.01; ah < 24; ah += 0.37) {
            for (double dd = -89.7; dd < 90; dd += 2.3) {
                const double alpha = ah * kPi / 12, delta = dd * kDeg;
                const charts::ProjectionResult p = charts::ProjectPoint(g, charts::FirstAngle(g, alpha), delta);
                if (!p.visible) continue;
                const charts::SkyPoint q = charts::PointToSky(g, p.x, p.y);
                ASSERT_NE(q.alpha, charts::kNoValue) << ah << " " << dd;
                // One pixel's worth at this place of the chart.
                double perPixel = 1 / g.k;
                if (r.mode == View::WholeSky) perPixel = 90.0 / g.radius;
                if (polar) {
                    const double half = (g.sign * 90 - dd) / 2 * kDeg;
                    perPixel = 1 / std::fabs(90 * g.k * 0.5 / (std::cos(half) * std::cos(half)) * kDeg);
                }
                EXPECT_LE(Separation(ah, dd, q.alpha, q.delta), perPixel) << ah << " " << dd;
                ++checked;
            }
        }
        EXPECT_GT(checked, 20);
    }
}

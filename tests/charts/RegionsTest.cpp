// The regions of the equatorial, horizon and polar charts as numbers:
// centring, moving and zooming, without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "charts/Projection.h"
#include "charts/Regions.h"

namespace {

using astronomy::View;
using charts::ChartRegion;
using charts::PanDirection;

ChartRegion Equatorial(double aMin, double aMax, double dMin, double dMax) {
    ChartRegion r;
    r.Alpha_min = aMin, r.Alpha_max = aMax, r.Delta_min = dMin, r.Delta_max = dMax;
    return r;
}

ChartRegion Horizon(double hMin, double hMax, double aziMin, double aziMax) {
    ChartRegion r;
    r.Hoehe_min = hMin, r.Hoehe_max = hMax, r.Azi_min = aziMin, r.Azi_max = aziMax;
    return r;
}

ChartRegion Polar(double pMin, double pMax, double middle) {
    ChartRegion r;
    r.Pol_min = pMin, r.Pol_max = pMax, r.Pol_mitte = middle;
    return r;
}

TEST(Regions, CentresAndWindowsWrapThroughZero) {
    EXPECT_EQ(charts::RaCentre(Equatorial(1.8, 6.2, 0, 0)), 4);
    EXPECT_EQ(charts::RaCentre(Equatorial(22, 2, 0, 0)), 0);  // through 0 h
    EXPECT_EQ(charts::AziCentre(Horizon(0, 0, 300, 60)), 0);  // through north
    EXPECT_EQ(charts::AziCentre(Horizon(0, 0, 72, 118)), 95);
    const ChartRegion w = charts::WithRaWindow({}, 23, 4);
    EXPECT_EQ(w.Alpha_min, 21);
    EXPECT_EQ(w.Alpha_max, 1);
    const ChartRegion whole = charts::WithRaWindow({}, 7, 30);  // a day or more: the one full circle
    EXPECT_EQ(whole.Alpha_min, 0);
    EXPECT_EQ(whole.Alpha_max, 24);
    const ChartRegion a = charts::WithAziWindow({}, 350, 40);
    EXPECT_EQ(a.Azi_min, 330);
    EXPECT_EQ(a.Azi_max, 10);
    EXPECT_EQ(charts::RaWidthForHeight(Equatorial(0, 0, 0, 30), 1.5), 3);
    EXPECT_EQ(charts::AziWidthForHeight(Horizon(10, 30, 0, 0), 1.5), 30);
}

TEST(Regions, PanningStopsAtTheLimits) {
    // North by 0.3 of the height: 10..70 needs two steps to reach the pole
    // (28..88, then 30..90); further north nothing moves.
    ChartRegion r = Equatorial(1, 3, 10, 70);
    r = *charts::Panned(r, View::Equatorial, PanDirection::North);
    EXPECT_DOUBLE_EQ(r.Delta_min, 28);
    EXPECT_DOUBLE_EQ(r.Delta_max, 88);
    r = *charts::Panned(r, View::Equatorial, PanDirection::North);
    EXPECT_EQ(r.Delta_min, 30);
    EXPECT_EQ(r.Delta_max, 90);
    EXPECT_EQ(*charts::Panned(r, View::Equatorial, PanDirection::North), r);
    // East by 0.3 of the height in hours, through 0 h.
    const ChartRegion east = *charts::Panned(Equatorial(22, 23.5, 0, 30), View::Equatorial, PanDirection::East);
    EXPECT_DOUBLE_EQ(east.Alpha_min, 22.6);
    EXPECT_NEAR(east.Alpha_max, 0.1, 1e-12);  // 24.1 - 24: the wrap loses the last digits
    // The horizon chart keeps to 0..90 degrees of altitude.
    const ChartRegion low = *charts::Panned(Horizon(2, 22, 90, 120), View::Horizon, PanDirection::South);
    EXPECT_EQ(low.Hoehe_min, 0);
    EXPECT_EQ(low.Hoehe_max, 20);
    EXPECT_EQ(*charts::Panned(low, View::Horizon, PanDirection::South), low);
    // The north polar chart turns by whole half hours; only it moves.
    const ChartRegion turned = *charts::Panned(Polar(60, 120, 23.5), View::NorthPolar, PanDirection::East);
    EXPECT_EQ(turned.Pol_mitte, 0.5);
    EXPECT_FALSE(charts::Panned(Polar(60, 120, 0), View::SouthPolar, PanDirection::North));
    EXPECT_FALSE(charts::Panned(Polar(60, 120, 0), View::WholeSky, PanDirection::North));
}

TEST(Regions, ZoomingKeepsTheCentreAndItsLimits) {
    // Zooming out of the equatorial chart beyond both poles gives the whole sphere.
    const ChartRegion sphere = *charts::Zoomed(Equatorial(1, 3, -60, 60), View::Equatorial, 0.5, 1.5);
    EXPECT_EQ(sphere, Equatorial(0, 24, -90, 90));
    const ChartRegion in = *charts::Zoomed(Equatorial(1, 3, 10, 30), View::Equatorial, 2, 1.5);
    EXPECT_EQ(in.Delta_min, 15);
    EXPECT_EQ(in.Delta_max, 25);
    EXPECT_DOUBLE_EQ(in.Alpha_min, 2 - 0.5);  // 10 degrees high, 1.5 wide: 1 h about 2 h
    EXPECT_DOUBLE_EQ(in.Alpha_max, 2 + 0.5);
    const ChartRegion up = *charts::Zoomed(Horizon(0, 80, 0, 0), View::Horizon, 0.5, 1);
    EXPECT_EQ(up.Hoehe_min, 0);
    EXPECT_EQ(up.Hoehe_max, 90);
    const ChartRegion polar = *charts::Zoomed(Polar(0, 180, 0), View::NorthPolar, 0.25, 1);
    EXPECT_EQ(polar.Pol_min, -60);
    EXPECT_EQ(polar.Pol_max, 240);
    for (double bad : {0.0, -2.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(charts::Zoomed(Equatorial(1, 3, 10, 30), View::Equatorial, bad, 1)) << bad;
    EXPECT_FALSE(charts::Zoomed(Equatorial(1, 3, 10, 30), View::SouthPolar, 2, 1));
}

TEST(Regions, CentringKeepsTheSize) {
    const charts::SkyTarget at{5.5, -20, 35, 180};
    const ChartRegion eq = *charts::CentredOn(Equatorial(1, 3, 10, 30), View::Equatorial, at, 1.5);
    EXPECT_EQ(eq.Delta_min, -30);
    EXPECT_EQ(eq.Delta_max, -10);
    EXPECT_DOUBLE_EQ(eq.Alpha_min, 4.5);
    EXPECT_DOUBLE_EQ(eq.Alpha_max, 6.5);
    const ChartRegion hz = *charts::CentredOn(Horizon(0, 20, 0, 0), View::Horizon, at, 2);
    EXPECT_EQ(hz.Hoehe_min, 25);
    EXPECT_EQ(hz.Hoehe_max, 45);
    EXPECT_EQ(hz.Azi_min, 160);
    EXPECT_EQ(hz.Azi_max, 200);
    const ChartRegion south = *charts::CentredOn(Polar(60, 120, 0), View::SouthPolar, at, 1);
    EXPECT_EQ(south.Pol_min, -50);
    EXPECT_EQ(south.Pol_max, 10);
    EXPECT_EQ(south.Pol_mitte, 5.5);
    EXPECT_FALSE(charts::CentredOn(Polar(60, 120, 0), View::WholeSky, at, 1));
}

TEST(Regions, ZoomRectangleBecomesTheRegion) {
    // The corners of the rectangle read through the chart it was drawn on
    // are the limits of the new region.
    astronomy::ProgramState s;
    s.x_max = 1300, s.y_max = 900;
    s.ChartMode = View::Equatorial;
    s.Alpha_min = 22, s.Alpha_max = 3, s.Delta_min = -10, s.Delta_max = 30;
    const charts::ChartGeometry g = charts::SetUpChart(s);
    const int x1 = 300, y1 = 200, x2 = 600, y2 = 413;
    const ChartRegion r = *charts::ZoomedIntoBand(charts::RegionOf(s), g, x1, y1, x2, y2);
    const charts::SkyPoint topLeft = charts::PointToSky(g, x1, y1), bottomRight = charts::PointToSky(g, x2, y2);
    EXPECT_NEAR(r.Alpha_max, topLeft.alpha, 1e-12);
    EXPECT_NEAR(r.Delta_max, topLeft.delta, 1e-12);
    EXPECT_NEAR(r.Alpha_min, bottomRight.alpha, 1e-12);
    EXPECT_NEAR(r.Delta_min, bottomRight.delta, 1e-12);

    s.ChartMode = View::Horizon;
    s.Hoehe_min = 0, s.Hoehe_max = 40, s.Azi_min = 300, s.Azi_max = 60;
    const charts::ChartGeometry h = charts::SetUpChart(s);
    const ChartRegion hr = *charts::ZoomedIntoBand(charts::RegionOf(s), h, x1, y1, x2, y2);
    const charts::SkyPoint hTop = charts::PointToSky(h, x1, y1), hBottom = charts::PointToSky(h, x2, y2);
    EXPECT_NEAR(hr.Azi_min, hTop.azimuth, 1e-9);
    EXPECT_NEAR(hr.Azi_max, hBottom.azimuth, 1e-9);
    EXPECT_NEAR(hr.Hoehe_max, hTop.altitude, 1e-9);
    EXPECT_NEAR(hr.Hoehe_min, hBottom.altitude, 1e-9);

    s.ChartMode = View::NorthPolar;
    EXPECT_FALSE(charts::ZoomedIntoBand(charts::RegionOf(s), charts::SetUpChart(s), x1, y1, x2, y2));
}

}  // namespace

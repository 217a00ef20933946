// The perspective of the solar-system view against an independent look-at
// camera, and the moves of its view point.
#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/ProgramState.h"
#include "charts/SystemProjection.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;

struct V3 {
    double x, y, z;
};
V3 Sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 Unit(V3 a) {
    const double n = std::sqrt(Dot(a, a));
    return {a.x / n, a.y / n, a.z / n};
}
V3 Spherical(double lonDeg, double latDeg, double r) {
    return {r * std::cos(latDeg * kDeg) * std::cos(lonDeg * kDeg), r * std::cos(latDeg * kDeg) * std::sin(lonDeg * kDeg),
            r * std::sin(latDeg * kDeg)};
}

// An ordinary pinhole camera in true ecliptic coordinates: the eye at the
// longitude the view's header names (90 - View_lambda), looking at the Sun,
// the ecliptic's north up; a focal length of 0.001 AU drawn at 400000
// pixels per AU gives 400 pixels per unit of the tangent.
struct Pixel {
    double x, y;
    bool inFront;
};
Pixel Camera(double viewLambda, double viewBeta, double rs, V3 p, int cx, int cy) {
    const V3 eye = Spherical(90 - viewLambda, viewBeta, rs);
    const V3 forward = Unit({-eye.x, -eye.y, -eye.z});
    const V3 right = Unit(Cross(forward, {0, 0, 1}));
    const V3 down = Cross(forward, right);
    const V3 d = Sub(p, eye);
    const double depth = Dot(d, forward);
    return {cx + 400 * Dot(d, right) / depth, cy + 400 * Dot(d, down) / depth, depth > 0};
}

charts::ChartGeometry View(double lambda, double beta, double rs) {
    astronomy::ProgramState s;
    s.x_max = 1300;
    s.y_max = 900;
    s.View_beta = beta;
    s.View_rs = rs;
    return charts::SetUpSystem(s, 650, 450, lambda);
}

}  // namespace

// Heliocentric places of all kinds, seen from several points, land where the
// camera puts them (the projection rounds down: within one pixel).
TEST(SystemProjection, AgreesWithAnIndependentCamera) {
    struct ViewCase {
        double lambda, beta, rs;
    };
    const ViewCase views[] = {{180, 30, 4}, {0, 10, 2}, {73, -40, 7.5}, {270, 60, 30}, {315, 5, 1.2}};
    struct Place {
        double lonDeg, latDeg, r;
    };
    const Place places[] = {{0, 0, 1}, {100, 1.8, 1.52}, {230, -3, 0.72}, {15, 7, 0.39}, {300, 0.2, 5.2}, {45, 17, 3}};
    for (const ViewCase& v : views) {
        const charts::ChartGeometry g = View(v.lambda, v.beta, v.rs);
        for (const Place& pl : places) {
            SCOPED_TRACE(::testing::Message() << "view " << v.lambda << "/" << v.beta << "/" << v.rs << " place "
                                              << pl.lonDeg << "/" << pl.latDeg << "/" << pl.r);
            const Pixel want = Camera(v.lambda, v.beta, v.rs, Spherical(pl.lonDeg, pl.latDeg, pl.r), 650, 450);
            const charts::ProjectionResult got = charts::ProjectHeliocentric(g, pl.lonDeg * kDeg, pl.latDeg * kDeg, pl.r);
            const bool onScreen = want.inFront && std::fabs(want.x) < 32000 && std::fabs(want.y) < 32000;
            ASSERT_EQ(got.visible, onScreen);
            if (!onScreen) continue;
            EXPECT_NEAR(got.x, want.x, 1.0);
            EXPECT_NEAR(got.y, want.y, 1.0);
        }
    }
}

// The Sun is the centre of every picture, and so is any place on the line
// from the eye through the Sun, in front of the Sun or beyond it.
TEST(SystemProjection, LineOfSightLandsOnTheCentre) {
    for (double lambda : {0.0, 90.0, 137.0, 180.0, 359.0})
        for (double beta : {-90.0, -30.0, 0.0, 45.0, 90.0})
            for (double rs : {0.25, 4.0, 100.0}) {
                const charts::ChartGeometry g = View(lambda, beta, rs);
                const charts::ProjectionResult sun = charts::ProjectHeliocentric(g, 1.234, 0.5, 0);
                EXPECT_TRUE(sun.visible);
                EXPECT_EQ(sun.x, 650) << lambda << " " << beta << " " << rs;
                EXPECT_EQ(sun.y, 450) << lambda << " " << beta << " " << rs;
                // The eye's own direction (longitude 90 - View_lambda): a
                // place halfway to the eye, and one as far beyond the Sun.
                for (double r : {0.5 * rs, -2 * rs}) {
                    const double lon = (r > 0 ? 90 - lambda : 270 - lambda) * kDeg;
                    const double lat = (r > 0 ? beta : -beta) * kDeg;
                    const charts::ProjectionResult p = charts::ProjectHeliocentric(g, lon, lat, std::fabs(r));
                    EXPECT_TRUE(p.visible);
                    EXPECT_NEAR(p.x, 650, 1) << lambda << " " << beta << " " << rs << " " << r;
                    EXPECT_NEAR(p.y, 450, 1) << lambda << " " << beta << " " << rs << " " << r;
                }
            }
}

// Behind the eye, on the plane through the eye, or so near the eye that the
// point would land far outside the window: not shown, at (-1, -1).
TEST(SystemProjection, PlacesAtTheEyeAreNotShown) {
    const charts::ChartGeometry g = View(180, 0, 4);  // the eye at longitude 270 in the ecliptic
    const double eyeLon = 270 * kDeg;
    struct Case {
        double lonDeg, latDeg, r;
        const char* what;
    };
    const Case cases[] = {
        {270, 0, 5, "straight behind the eye"},
        {270, 20, 6, "behind the eye, off the line of sight"},
        {315, 0, 4 * std::sqrt(2.0), "on the plane through the eye"},
        {270.0015, 0, 4 - 1e-6, "just in front of the eye, far off the line of sight"},
    };
    for (const Case& c : cases) {
        const charts::ProjectionResult p = charts::ProjectHeliocentric(g, c.lonDeg * kDeg, c.latDeg * kDeg, c.r);
        EXPECT_FALSE(p.visible) << c.what;
        EXPECT_EQ(p.x, -1) << c.what;
        EXPECT_EQ(p.y, -1) << c.what;
    }
    EXPECT_TRUE(charts::ProjectHeliocentric(g, eyeLon, 0, 3).visible);  // in front of the eye
    EXPECT_FALSE(charts::ProjectHeliocentric(g, std::nan(""), 0, 1).visible);
}

// North turns the view up to the pole and stops there; south goes down
// while it stays above -91; east and west turn round the full circle.
TEST(SystemProjection, PanningTheViewPoint) {
    using charts::PanDirection;
    charts::ViewPoint v{180, 70, 4};
    v = charts::PannedViewPoint(v, PanDirection::North);
    EXPECT_EQ(v.beta, 80);
    v = charts::PannedViewPoint(charts::ViewPoint{180, 85, 4}, PanDirection::North);
    EXPECT_EQ(v.beta, 90);
    EXPECT_EQ(charts::PannedViewPoint(v, PanDirection::North), v);  // straight down on the ecliptic: stops
    EXPECT_EQ(charts::PannedViewPoint(charts::ViewPoint{180, -80, 4}, PanDirection::South).beta, -90);
    const charts::ViewPoint low{180, -90, 4};
    EXPECT_EQ(charts::PannedViewPoint(low, PanDirection::South), low);
    EXPECT_EQ(charts::PannedViewPoint(charts::ViewPoint{355, 30, 4}, PanDirection::East).lambda, 5);
    EXPECT_EQ(charts::PannedViewPoint(charts::ViewPoint{5, 30, 4}, PanDirection::West).lambda, 355);
}

// "Zoom" divides the distance, "Mooz" multiplies it, within 0.2 .. 260 AU;
// a distance below 0.3 is first set to 0.5.
TEST(SystemProjection, ZoomingTheViewPoint) {
    const auto rs = [](double from, double factor) { return charts::ZoomedViewPoint({180, 30, from}, factor).rs; };
    EXPECT_EQ(rs(4, 2), 2);
    EXPECT_EQ(rs(4, 0.5), 8);
    EXPECT_EQ(rs(0.25, 0.5), 1.0);   // 0.25 became 0.5 first
    EXPECT_EQ(rs(0.25, 2), 0.25);    // 0.5 halved
    EXPECT_EQ(rs(0.4, 2), 0.4);      // 0.2 is no longer allowed
    EXPECT_EQ(rs(200, 0.5), 200);    // 400 is beyond the limit
    EXPECT_EQ(rs(std::nan(""), 2), 0.25);  // a broken setting starts again from 0.5
}

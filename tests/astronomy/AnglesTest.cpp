#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/ProgramState.h"

using namespace astronomy;

namespace {
constexpr double kOneArcsecRad = kPi / 180 / 3600;

double Separation(double a1, double d1, double a2, double d2) {
    const double c = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(a1 - a2);
    return std::acos(std::fmin(1.0, std::fmax(-1.0, c)));
}
}  // namespace

TEST(Angles, Reductions) {
    EXPECT_DOUBLE_EQ(Mod360(-30), 330);
    EXPECT_DOUBLE_EQ(Mod360(725), 5);
    // The reduction circle is 6.2831853072, a little larger than 2 pi.
    EXPECT_NEAR(Mod2Pi(-0.5), 6.2831853072 - 0.5, 1e-15);
    EXPECT_NEAR(Mod2Pi(7), 7 - 6.2831853072, 1e-15);
    // Results reduced from below zero carry the stored circle's excess over
    // 2 pi (2.05e-11).
    EXPECT_NEAR(AzimuthFromNorth(0), kPi, 3e-11);               // south
    EXPECT_NEAR(AzimuthFromNorth(-kPi / 2), kPi / 2, 3e-11);    // east
    EXPECT_NEAR(AzimuthFromNorth(kPi / 2), 3 * kPi / 2, 3e-11);  // west
    EXPECT_EQ(ArcTan2(-0.0, -1), kPi);  // the half-open range excludes -pi
    EXPECT_NEAR(ArcTan2(-1, 0), -kPi / 2, 1e-15);
    EXPECT_EQ(SafeAcos(1 + 1e-15), 0);
    EXPECT_EQ(SafeAsin(-1 - 1e-15), -kPi / 2);
}

TEST(Angles, RectToSpherical) {
    struct Case {
        double x, y, z, lon, lat;
    };
    for (const Case& c : {Case{0, 0, 1, 0, kPi / 2}, Case{-1, 0, 0, kPi, 0}, Case{0, -1, 0, 3 * kPi / 2, 0},
                          Case{1, 1, 0, kPi / 4, 0}, Case{-1, -1, 0, 5 * kPi / 4, 0},
                          Case{0.5, 0.5, -std::sqrt(0.5), kPi / 4, -kPi / 4}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.z);
        const Spherical s = RectToSpherical(c.x, c.y, c.z);
        EXPECT_NEAR(s.lon, c.lon, 3e-11);  // the stored circle's excess, see above
        EXPECT_NEAR(s.lat, c.lat, 1e-12);
    }
}

TEST(Angles, EclipticToEquatorial) {
    // Meeus example 13.a: Pollux, lambda 113.215630, beta 6.684170, obliquity
    // 23.4392911 gives alpha 116.328942, delta 28.026183 degrees.
    const Equatorial e = EclipticToEquatorial(113.215630 * kDegToRad, 6.684170 * kDegToRad, 23.4392911 * kDegToRad);
    EXPECT_NEAR(e.alpha / kDegToRad, 116.328942, 1e-6);
    EXPECT_NEAR(e.delta / kDegToRad, 28.026183, 1e-6);
}

TEST(Angles, HorizontalConventions) {
    const double phi = 50 * kDegToRad;
    const double sinLat = std::sin(phi), cosLat = std::cos(phi);
    // On the meridian south of the zenith: azimuth 0 (south), altitude 90 - phi + delta.
    Horizontal h = EquatorialToHorizontal(0, 10 * kDegToRad, sinLat, cosLat);
    EXPECT_NEAR(h.azimuth, 0, 1e-15);
    EXPECT_NEAR(h.altitude / kDegToRad, 50, 1e-12);
    // Six hours west of the meridian: azimuth positive (west).
    h = EquatorialToHorizontal(kPi / 2, 10 * kDegToRad, sinLat, cosLat);
    EXPECT_GT(h.azimuth, 0);
    // Meeus example 13.b: Venus at Washington, H = 64.352133, delta = -6.719892,
    // phi = 38.921389: A = 68.0337, h = 15.1249 degrees.
    const double p = 38.921389 * kDegToRad;
    h = EquatorialToHorizontal(64.352133 * kDegToRad, -6.719892 * kDegToRad, std::sin(p), std::cos(p));
    EXPECT_NEAR(h.azimuth / kDegToRad, 68.0337, 1e-4);
    EXPECT_NEAR(h.altitude / kDegToRad, 15.1249, 1e-4);
    // And back.
    const HourAngleDec e = HorizontalToEquatorial(h.azimuth, h.altitude, std::sin(p), std::cos(p));
    EXPECT_NEAR(e.hourAngle / kDegToRad, 64.352133, 1e-9);
    EXPECT_NEAR(e.delta / kDegToRad, -6.719892, 1e-9);
}

TEST(Precession, MeeusExampleBackToTheStandardEquinox) {
    // Meeus example 21.b: theta Persei, mean place of J2000.0 (proper motion
    // applied) 41.054063, 49.227750 degrees; at JD 2462088.69 it is
    // 41.547214, 49.348483. Precessing the latter back to the program's
    // epoch for 2000 (JD 2451544.0, one day before J2000.0: 0.2" of motion)
    // must give the former; the truncated angles are good to about 0.1".
    const Equatorial e = Precess(2462088, 0.69, 2000, 41.547214 * kDegToRad, 49.348483 * kDegToRad);
    EXPECT_LT(Separation(e.alpha, e.delta, 41.054063 * kDegToRad, 49.227750 * kDegToRad), 0.5 * kOneArcsecRad);
}

TEST(Precession, EquinoxOfDateAndRoundTrip) {
    const double a = 1.234, d = 0.567;
    const Equatorial same = Precess(2461382, 0.25, kEquinoxOfDate, a, d);
    EXPECT_EQ(same.alpha, a);
    EXPECT_EQ(same.delta, d);
    // Forth from 1 Jan 2000 to 2100 and back from 1 Jan 2100 to 2000 returns
    // close to the start. The angles are referred to the starting date and
    // lack the rigorous expressions' t^2 term of 0.3"/century^2, so over a
    // century each way the round trip closes only to about a second of arc.
    const Equatorial fwd = Precess(2451544, 0.5, 2100, a, d);
    EXPECT_GT(Separation(a, d, fwd.alpha, fwd.delta), 3000 * kOneArcsecRad);  // ~1.4 degrees per century
    const Equatorial back = Precess(2488069, 0.5, 2000, fwd.alpha, fwd.delta);
    EXPECT_LT(Separation(a, d, back.alpha, back.delta), 1.5 * kOneArcsecRad);
}

// The astrophotography computation against values worked by hand from its
// rules, and the cases in which it has no result.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>

#include "astronomy/AstroPhoto.h"
#include "astronomy/Constants.h"

using namespace astronomy;

namespace {

// A planet of 40" at 30° altitude and declination 60°, half lit, magnitude 1.
BodyPosition Planet(double diameterArcsec = 40) {
    BodyPosition p;
    p.altitude = 30 * kDegToRad;
    p.dec = 60 * kDegToRad;
    p.diameter = diameterArcsec / 3600;
    p.illuminatedFraction = 0.5;
    p.magnitude = 1;
    return p;
}
const PhotoInput kInput{100, 2, {100, 1000, 10}};

}  // namespace

TEST(AstroPhoto, TypedValuesAndTheOpticsFromTwoPositiveOnes) {
    EXPECT_EQ(FilmSpeed(0), 100);
    EXPECT_EQ(FilterFactor(-2), 1);
    // N is f/D also over a typed N; a negative D is none (D = f/N); f = D N.
    // (N and D from the other two, and fewer than two positive values asked
    // again, are the window's test.)
    const std::array<double, 6> cases[] = {
        {100, 1000, 5, 100, 1000, 10}, {-5, 1000, 8, 125, 1000, 8}, {100, 0, 8, 100, 800, 8}};
    for (const auto& c : cases) {
        const std::optional<Optics> o = CompleteOptics(c[0], c[1], c[2]);
        ASSERT_TRUE(o) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_EQ((std::array{o->aperture, o->focal, o->ratio}), (std::array{c[3], c[4], c[5]}));
    }
}

TEST(AstroPhoto, WorkedExample) {
    // DIN = 3 ln 128 / ln 2 = 21; air mass 2 at 30°: E = 1.35; s = (40/3600)°
    // 0.0175 1000 = 0.194444 mm; B = 7000 / 40² / 0.5 / 2.512 = 3.483280;
    // t = 10² 1.35 2 / B / 100 = 0.7751314 s; w = t 1000 cos 60° / 13800
    // = 0.02808447 mm.
    const PhotoResult r = ComputeAstroPhoto(kInput, Planet(), ObjectKind::Mars);
    ASSERT_EQ(r.status, PhotoStatus::Ok);
    EXPECT_NEAR(r.din, 21, 1e-12);
    EXPECT_NEAR(r.extinction, 1.35, 1e-12);
    EXPECT_NEAR(r.imageSize, 0.1944444, 1e-7);
    EXPECT_NEAR(r.brightness, 3.483280, 1e-6);
    EXPECT_NEAR(r.exposure, 0.7751314, 1e-7);
    EXPECT_NEAR(r.drift, 0.02808447, 1e-8);
    // A point image counts as 0.03 mm, a = 6171.42/f: twice f at the same
    // N quarters the exposure; a resolved disc does not depend on f.
    const PhotoInput longer{100, 2, {200, 2000, 10}};
    const double point = ComputeAstroPhoto(kInput, Planet(0), ObjectKind::Mars).exposure;
    EXPECT_NEAR(ComputeAstroPhoto(longer, Planet(0), ObjectKind::Mars).exposure / point, 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(ComputeAstroPhoto(longer, Planet(), ObjectKind::Mars).exposure, r.exposure);
}

TEST(AstroPhoto, TheMoonIsReadFromItsTable) {
    EXPECT_NEAR(MoonBrightness(90), 20, 1e-12);   // 18 + (22 - 18)(90 - 96)/(84 - 96)
    EXPECT_NEAR(MoonBrightness(270), 20, 1e-12);  // the same phase past full moon
    EXPECT_NEAR(MoonBrightness(174), 8, 1e-12);
    // New moon: the pair repeated gives no division by zero, and the table,
    // not the unlit fraction, gives B.
    BodyPosition moon = Planet();
    moon.illuminatedFraction = 0;
    moon.phaseAngle = kPi;
    const PhotoResult r = ComputeAstroPhoto(kInput, moon, ObjectKind::Moon);
    ASSERT_EQ(r.status, PhotoStatus::Ok);
    EXPECT_EQ(r.brightness, 7);
}

TEST(AstroPhoto, NoResultWhereTheFormulasGiveNoNumber) {
    // (At or below the horizon: the window's and the command line's tests.)
    BodyPosition p = Planet();
    p.altitude = 1e-5;  // 1.35^100000 overflows
    EXPECT_EQ(ComputeAstroPhoto(kInput, p, ObjectKind::Sun).status, PhotoStatus::OutOfRange);
    p = Planet();
    p.illuminatedFraction = 0;  // B = 7000/a²/k: nothing lit
    EXPECT_EQ(ComputeAstroPhoto(kInput, p, ObjectKind::Venus).status, PhotoStatus::Unlit);
    // f so long that a² underflows: B infinite, t zero.
    EXPECT_EQ(ComputeAstroPhoto({100, 1, {1e300, 1e301, 10}}, Planet(0), ObjectKind::Mars).status,
              PhotoStatus::OutOfRange);
}

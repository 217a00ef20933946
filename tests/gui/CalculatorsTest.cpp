// The small calculators (interpolation, day differences, UTM place entry,
// precession) answered through the real prompt window and message boxes.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "../platform/ModalHelper.h"
#include "astronomy/ProgramState.h"
#include "platform/qt/QtDialogs.h"
#include "shell/Calculators.h"
#include "DialogScript.h"
#include "WindowFixture.h"

using platform::qt::testing::WhenReady;

namespace {

constexpr double kDeg = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;
// One centimetre on the earth's surface, as an angle (radians).
constexpr double kCentimetre = 0.01 / 6371000.0;

class Calculators : public WindowFixture, protected DialogScript {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    void Play(std::vector<Step> steps) { DialogScript::Play(window->DialogBoxes(), std::move(steps)); }
};

// Rigorous precession of the IAU 1976 system from J2000.0 by t Julian
// centuries, as the rotation R3(-z) R2(theta) R3(-zeta) applied to the unit
// vector, with the full angle polynomials (Lieske et al. 1977).
void ReferencePrecession(double t, double alpha, double delta, double& alphaOut, double& deltaOut) {
    const double as = kDeg / 3600;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * as;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * as;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * as;
    double v[3] = {std::cos(delta) * std::cos(alpha), std::cos(delta) * std::sin(alpha), std::sin(delta)};
    auto r3 = [&v](double a) {  // rotation of the frame about z by a
        const double x = std::cos(a) * v[0] + std::sin(a) * v[1], y = -std::sin(a) * v[0] + std::cos(a) * v[1];
        v[0] = x, v[1] = y;
    };
    auto r2 = [&v](double a) {  // rotation of the frame about y by a
        const double x = std::cos(a) * v[0] - std::sin(a) * v[2], zz = std::sin(a) * v[0] + std::cos(a) * v[2];
        v[0] = x, v[2] = zz;
    };
    r3(-zeta);
    r2(theta);
    r3(-z);
    alphaOut = std::atan2(v[1], v[0]);
    if (alphaOut < 0) alphaOut += 2 * kPi;
    deltaOut = std::asin(v[2]);
}

}  // namespace

TEST(CalculatorsInterpolation, RightAscensionGoesTheShortWayRound) {
    // 23h30m -> 0h30m passes 0h, in both directions, and comes back in 0..24.
    EXPECT_NEAR(shell::InterpolateLinear(23.5, 10, 0.5, 20, 0.25).alpha, 23.75, 1e-12);
    EXPECT_NEAR(shell::InterpolateLinear(23.5, 10, 0.5, 20, 0.75).alpha, 0.25, 1e-12);
    const shell::InterpolatedPlace middle = shell::InterpolateLinear(23.5, 10, 0.5, 20, 0.5);
    EXPECT_TRUE(middle.alpha >= 0 && middle.alpha < 24) << middle.alpha;
    EXPECT_NEAR(std::fmod(middle.alpha + 12, 24), 12, 1e-12);
    EXPECT_NEAR(middle.delta, 15, 1e-12);
    EXPECT_NEAR(shell::InterpolateLinear(0.5, 0, 23.5, 0, 0.75).alpha, 23.75, 1e-12);
    // No wrap where none is needed.
    EXPECT_NEAR(shell::InterpolateLinear(2, -5, 4, 5, 0.5).alpha, 3, 1e-12);
    // Outside the base interval the result is extrapolated (and reduced).
    const shell::InterpolatedPlace before = shell::InterpolateLinear(23.5, 10, 0.5, 20, -1);
    EXPECT_NEAR(before.alpha, 22.5, 1e-12);
    EXPECT_NEAR(before.delta, 0, 1e-12);
    EXPECT_NEAR(shell::InterpolateLinear(23.5, 10, 0.5, 20, 2).alpha, 1.5, 1e-12);

    // The base points themselves come out exactly, also for values that
    // have no exact binary form and across 0h.
    for (const double a1 : {0.1, 23.7, 5.3}) {
        for (const double a2 : {23.9, 0.3, 7.7}) {
            const shell::InterpolatedPlace first = shell::InterpolateLinear(a1, -33.3, a2, 12.7, 0);
            const shell::InterpolatedPlace second = shell::InterpolateLinear(a1, -33.3, a2, 12.7, 1);
            EXPECT_EQ(first.alpha, a1);
            EXPECT_EQ(first.delta, -33.3);
            EXPECT_EQ(second.alpha, a2);
            EXPECT_EQ(second.delta, 12.7);
        }
    }
}

TEST_F(Calculators, InterpolationThroughZeroHoursInTheWindow) {
    const double J = state.J, F = state.F;
    Play({// Two equal instants: confirmed, but asked again.
          Type("1 1 2020"), Type("0"), Type("23 30"), Type("10"),
          Type("1 1 2020"), Type("0"), Type("0 30"), Type("20"), Click(1),
          // The same first point again, a second one two days later.
          Type(kKeep), Type(kKeep), Type(kKeep), Type(kKeep),
          Type("3 1 2020"), Type(kKeep), Type(kKeep), Type(kKeep), Click(1),
          // Half way, then ("ja") the second base instant, then "nein".
          Type("2 1 2020"), Type("0"), Click(2),
          Type("3 1 2020"), Type(kKeep), Click(1)});
    shell::InterpolatePosition(*sh);

    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0], "Eingaben richtig ?");
    EXPECT_EQ(boxes[1], "Eingaben richtig ?");
    EXPECT_EQ(boxes[2], "weitere Zwischenwerte ?");
    EXPECT_EQ(boxes[3], "weitere Zwischenwerte ?");
    EXPECT_EQ(offered.size(), 20u);
    // The confirmed base points in the result window.
    EXPECT_TRUE(Contains(Row(1, 2), "01.01.2020")) << Row(1, 2);
    EXPECT_TRUE(Contains(Row(1, 3), "\u03b1=") && Contains(Row(1, 3), "23h 30m 00s")) << Row(1, 3);
    EXPECT_TRUE(Contains(Row(1, 4), "\u03b4=") && Contains(Row(1, 4), "+10\u00b0 00' 00\"")) << Row(1, 4);
    EXPECT_TRUE(Contains(Row(1, 7), "03.01.2020")) << Row(1, 7);
    EXPECT_TRUE(Contains(Row(1, 8), "00h 30m 00s")) << Row(1, 8);
    // Half way between 23h30m and 0h30m lies 0h, not 12h.
    EXPECT_TRUE(Contains(Row(2, 16), "02.01.2020")) << Row(2, 16);
    EXPECT_TRUE(Contains(Row(2, 16), "MEZ")) << Row(2, 16);
    EXPECT_TRUE(Contains(Row(2, 17), "00h 00m 00s")) << Row(2, 17);
    EXPECT_TRUE(Contains(Row(2, 18), "+15\u00b0 00' 00\"")) << Row(2, 18);
    // At the second base instant: the second position.
    EXPECT_TRUE(Contains(Row(3, 17), "00h 30m 00s")) << Row(3, 17);
    EXPECT_TRUE(Contains(Row(3, 18), "+20\u00b0 00' 00\"")) << Row(3, 18);

    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
}

TEST_F(Calculators, InterpolationCancelledEndsWithoutChange) {
    const double J = state.J, F = state.F;
    Play({Type("1 1 2020"), Type(kEscape)});
    shell::InterpolatePosition(*sh);
    EXPECT_EQ(offered.size(), 2u);
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
}

TEST_F(Calculators, DayDifferenceCountsTheLeapYear) {
    Play({Type("1 1 2000"), Type("1 1 2001"), Key()});
    shell::DayDifference(*sh);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].at(1), "  Tag,Monat,Jahr = 1 1 2000");
    EXPECT_EQ(shown[0].at(2), "2. Datum:");
    EXPECT_EQ(shown[0].at(5), "Differenz =  366 Tage");
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);

    // Backwards, with a month outside 1..12 taken as January.
    shown.clear();
    Play({Type("1 1 2001"), Type("1 13 2000"), Key()});
    shell::DayDifference(*sh);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].at(5), "Differenz = -366 Tage");
}

TEST_F(Calculators, UtmEntryFromTheMenuSetsThePlace) {
    // 9° E, 50° N lies on the central meridian of zone 32 at the northing
    // 5538630.70 m.
    ASSERT_NE(state.Orte[state.Ort].longitude, 9 * kDeg);
    Play({Type("32500000"), Type("5538630.70"), Key()});
    window->onMenu(sh->menu.ItemOf({shell::Command::PlaceUtm}));  // "Ort ändern UTM"
    ASSERT_EQ(offered.size(), 2u);
    // The new place is shown until a key is pressed.
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(Contains(Row(0, 2), "9° 00' 00.0000\"")) << Row(0, 2);
    EXPECT_EQ(Row(0, 3).rfind("Breite=", 0), 0u) << Row(0, 3);  // shows 49° 59' 59.9999", 3 mm short of 50°
    EXPECT_NEAR(state.Longitude, 9 * kDeg, kCentimetre);
    EXPECT_NEAR(state.Latitude, 50 * kDeg, kCentimetre);
    EXPECT_DOUBLE_EQ(state.SinLat, std::sin(state.Latitude));
    EXPECT_DOUBLE_EQ(state.CosLat, std::cos(state.Latitude));
    // The named place of the list keeps its own coordinates.
    EXPECT_NE(state.Orte[state.Ort].longitude, state.Longitude);
    EXPECT_NEAR(state.UtmEast, 32500000, 0.01);
    EXPECT_NEAR(state.UtmNorth, 5538630.70, 0.01);
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
}

TEST_F(Calculators, UtmEntryOffersTheCurrentPlaceAndKeepsItWhenAccepted) {
    // A southern place: the offered northing is the usual one with an "S".
    for (const double latitude : {-24.6, 47.25}) {
        state.Longitude = -70.4 * kDeg;
        state.Latitude = latitude * kDeg;
        offered.clear();
        Play({Type(kKeep), Type(kKeep), Key()});
        ASSERT_TRUE(shell::EnterUtmPlace(*sh));
        ASSERT_EQ(offered.size(), 2u);
        EXPECT_EQ(offered[1].back() == 'S', latitude < 0) << offered[1];
        EXPECT_NEAR(state.Longitude, -70.4 * kDeg, kCentimetre);
        EXPECT_NEAR(state.Latitude, latitude * kDeg, kCentimetre);
        EXPECT_NEAR(std::stod(offered[0]), state.UtmEast, 0.001);
    }
}

TEST_F(Calculators, CancelledOrImpossibleUtmEntryChangesNothing) {
    state.UtmEast = 1, state.UtmNorth = 2;  // not the place's: must stay as they are
    const double longitude = state.Longitude, latitude = state.Latitude, sinLat = state.SinLat;
    const astronomy::Place place = state.Orte[state.Ort];
    auto unchanged = [&]() {
        EXPECT_EQ(state.Longitude, longitude);
        EXPECT_EQ(state.Latitude, latitude);
        EXPECT_EQ(state.SinLat, sinLat);
        EXPECT_EQ(state.UtmEast, 1);
        EXPECT_EQ(state.UtmNorth, 2);
        EXPECT_EQ(state.Orte[state.Ort].longitude, place.longitude);
        EXPECT_EQ(state.Orte[state.Ort].latitude, place.latitude);
        EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    };
    Play({Type("32400000"), Type(kEscape)});
    EXPECT_FALSE(shell::EnterUtmPlace(*sh));
    unchanged();

    // A northing beyond the pole is no place: a message, nothing changes.
    Play({Type("32500000"), Type("12000000"), Click(1)});
    EXPECT_FALSE(shell::EnterUtmPlace(*sh));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0], "UTM")) << boxes[0];
    unchanged();
}

TEST_F(Calculators, PrecessionOverFiftyYears) {
    // theta Persei, J2000.0: 2h44m11.986s, +49°13'42.48".
    Play({Type("2000"), Type("2 44 11.986"), Type("49 13 42.48"), Type("2050"), Key()});
    shell::PrecessionDialog(*sh);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(Contains(Row(0, 5), "2000:")) << Row(0, 5);
    EXPECT_TRUE(Contains(Row(0, 6), "\u03b1=") && Contains(Row(0, 6), "02h 44m 12s")) << Row(0, 6);
    EXPECT_TRUE(Contains(Row(0, 7), "\u03b4=") && Contains(Row(0, 7), "+49\u00b0 13' 42\"")) << Row(0, 7);
    EXPECT_TRUE(Contains(Row(0, 10), "2050:")) << Row(0, 10);

    // The shown result agrees with the rigorous precession over the 50
    // years to the resolution shown (whole seconds of time and of arc).
    double alpha = 0, delta = 0;
    ReferencePrecession(0.5, (2 + 44 / 60.0 + 11.986 / 3600) * 15 * kDeg, (49 + 13 / 60.0 + 42.48 / 3600) * kDeg,
                        alpha, delta);
    std::smatch m;
    const std::string ra = Row(0, 11), dec = Row(0, 12);
    ASSERT_TRUE(std::regex_search(ra, m, std::regex(R"((\d\d)h (\d\d)m (\d\d)s)"))) << ra;
    const double shownAlpha = std::stoi(m[1]) + std::stoi(m[2]) / 60.0 + std::stoi(m[3]) / 3600.0;
    EXPECT_NEAR(shownAlpha * 3600, alpha / kDeg / 15 * 3600, 0.51);
    ASSERT_TRUE(std::regex_search(dec, m, std::regex(std::string(R"(\+(\d+))") + "\u00b0" + R"re( (\d\d)' (\d\d)")re"))) << dec;
    const double shownDelta = std::stoi(m[1]) + std::stoi(m[2]) / 60.0 + std::stoi(m[3]) / 3600.0;
    EXPECT_NEAR(shownDelta * 3600, delta / kDeg * 3600, 0.6);
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
}

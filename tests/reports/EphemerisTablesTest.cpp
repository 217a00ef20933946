// The ephemeris tables: how the interval table steps and where it ends, the
// header and the row fields, and those of the day ephemeris. The expected texts are put together by hand from the column
// formats of the tables for chosen values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PanelState.h"
#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "reports/EphemerisTables.h"

namespace {

using astronomy::Instant;
using astronomy::IntervalParameters;
using astronomy::kDegToRad;
using astronomy::kHourToRad;
using astronomy::ObjectKind;
using reports::IntervalRow;

constexpr double kJ = 2461045;  // 5 January 2026, Monday
const std::string kDate = " 5.Jan 2026, Mo ";

IntervalRow Row(const astronomy::BodyPosition& p) {
    IntervalRow row;
    row.shown = {0, 5, 1, 2026, 0};
    row.place.body = p;
    return row;
}

// A place in the units the tables show: hours, degrees, the distance in AU
// (km for the Moon), times in hours of the zone clock.
astronomy::BodyPosition Place(double raHours, double decDeg, double delta, double diameterDeg, double elongationDeg,
                              double magnitude, double phaseDeg, double rise, double transit, double set,
                              double southAzimuthDeg = 0, double altitudeDeg = 0) {
    astronomy::BodyPosition p;
    p.ra = raHours * kHourToRad;
    p.dec = decDeg * kDegToRad;
    p.altitude = altitudeDeg * kDegToRad;
    p.azimuth = southAzimuthDeg * kDegToRad;
    p.delta = delta;
    p.phaseAngle = phaseDeg * kDegToRad;
    p.elongation = elongationDeg * kDegToRad;
    p.diameter = diameterDeg;
    p.magnitude = magnitude;
    p.transit = transit;
    p.rise = rise;
    p.set = set;
    return p;
}

constexpr double kNone = astronomy::kNoRiseSetMarker;
// The Moon rose the evening before (17.9 h) and culminates after midnight.
const astronomy::BodyPosition kMoon = Place(8.575, 21.25, 368457, 0.54, -159, -12.1, 21.1, -6.1, 26.04, 10.16);
const astronomy::BodyPosition kPlanetWithoutRise = Place(7.5, -5.5, 4.2, 45.3 / 3600, 120, -2.5, 10, kNone, 23.5, kNone);

}  // namespace

TEST(IntervalSteps, WholeDaysGoToTheDayNumberTheRestToTheFraction) {
    // Half a day moves the fraction, carried into the next day.
    EXPECT_EQ(reports::NextIntervalInstant({kJ, 0.25}, 0.5), (Instant{kJ, 0.75}));
    EXPECT_EQ(reports::NextIntervalInstant({kJ, 0.75}, 0.5), (Instant{kJ + 1, 0.25}));
    // Two days leave the fraction exactly as it was, however it is written.
    const double f = 0.4583333333333333;
    EXPECT_EQ(reports::NextIntervalInstant({kJ, f}, 2), (Instant{kJ + 2, f}));
    EXPECT_EQ(reports::NextIntervalInstant({kJ, 0.1}, 1.5), (Instant{kJ + 1, 0.6}));
    // Backwards, across the start of the day number.
    EXPECT_EQ(reports::NextIntervalInstant({kJ, f}, -1), (Instant{kJ - 1, f}));
    EXPECT_EQ(reports::NextIntervalInstant({kJ, 0.125}, -0.25), (Instant{kJ - 1, 0.875}));
}

TEST(IntervalSteps, TheListEndsWhenTheInstantHasPassedTheEndInTheStepsDirection) {
    // Daily from 0.25 to the same time three days later: the end itself is a row.
    const std::vector<Instant> daily = reports::IntervalInstants({kJ, 0.25, kJ + 3, 0.25, 1}, 100);
    EXPECT_EQ(daily, (std::vector<Instant>{{kJ, 0.25}, {kJ + 1, 0.25}, {kJ + 2, 0.25}, {kJ + 3, 0.25}}));
    // Backwards to an end half a day after a row: the list stops before it.
    const std::vector<Instant> back = reports::IntervalInstants({kJ + 5, 0, kJ, 0.5, -1}, 100);
    EXPECT_EQ(back, (std::vector<Instant>{{kJ + 5, 0}, {kJ + 4, 0}, {kJ + 3, 0}, {kJ + 2, 0}, {kJ + 1, 0}}));
    // Hourly from 20:00 to 23:00: the summed steps reach the end only up to
    // their rounding, and the end is still a row.
    const astronomy::JulianDate from = astronomy::CalendarToJulianDate(20, 5, 1, 2026, 1);
    const astronomy::JulianDate to = astronomy::CalendarToJulianDate(23, 5, 1, 2026, 1);
    EXPECT_EQ(reports::IntervalInstants({from.J, from.F, to.J, to.F, 1.0 / 24}, 100).size(), 4u);
    // An end before the start of a forward list: the start only.
    EXPECT_EQ(reports::IntervalInstants({kJ, 0.5, kJ - 3, 0, 1}, 100).size(), 1u);
    // A step of 0 never passes the end: the list is cut at the limit + 1.
    EXPECT_FALSE(reports::PassedIntervalEnd({kJ + 9, 0}, {kJ, 0, kJ, 0, 0}));
    EXPECT_EQ(reports::IntervalInstants({kJ, 0, kJ + 1, 0, 0}, 1000).size(), 1001u);
}

TEST(IntervalTable, HeaderOfTheMoonAndOfAPlanet) {
    astronomy::ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 5, 1, 2026, 20, 1, 9.8, 52.4);
    s.ClockTime = 20;
    const std::vector<std::string> moon = reports::IntervalHeader(s, "Mond", ObjectKind::Moon, 1);
    EXPECT_EQ(moon, (std::vector<std::string>{
                        "",
                        "                               Ephemeride für Mond",
                        "                               ===================",
                        "",
                        " Für geogr. Länge +  9° 48', Breite +52° 24' und Äquinoktium 2000",
                        "",
                        "     Datum          R. A.     Dekl Erdab Durch Elon  Mag Phase  Auf  Kulm  Unt",
                        "      20 h MEZ                      [Tkm]  [']  [°] [mag]  [°]       MEZ",
                        " " + std::string(78, '-'),
                    }));
    s.Aequi = astronomy::kEquinoxOfDate;
    s.Zone = 0;
    const std::vector<std::string> pluto = reports::IntervalHeader(s, "Pluto", ObjectKind::Disk, 10);
    EXPECT_EQ(pluto[2], "                               ====================");
    EXPECT_EQ(pluto[4], "          Für geogr. Länge +  9° 48', Breite +52° 24' und Äquinoktium des Tages");
    EXPECT_EQ(pluto[7], "               20 h UT                       [AE]  [\"]  [°] [mag]  [°]       UT");
}

TEST(IntervalTable, RowFieldsOfTheMoonAndOfAPlanetWithoutRise) {
    EXPECT_EQ(reports::IntervalRowText(Row(kMoon), ObjectKind::Moon, 1),
              " " + kDate + "08h 34.5m +21° 15' 368.5 32.4 159W-12.1  21.1 17.9 02:02 10.2");
    // No rise: six blanks where it would stand, and nothing for the set.
    EXPECT_EQ(reports::IntervalRowText(Row(kPlanetWithoutRise), ObjectKind::Jupiter, 10),
              std::string(10, ' ') + kDate + "07h 30.0m  -5° 30'  4.20 45.3 120E -2.5  10.0      23:30");
    // Without a place only the date.
    IntervalRow none = Row(kMoon);
    none.place.status = astronomy::PositionStatus::NoPosition;
    EXPECT_EQ(reports::IntervalRowText(none, ObjectKind::Disk, 1), " " + kDate);
}

TEST(IntervalTable, ValuesTooWideOrNotFiniteKeepTheColumnsAndShowNoGarbage) {
    // A planet of half a degree is 1800" wide: one column more, the fields
    // after it move on by one. A distance and a magnitude that are not
    // finite leave their fields blank.
    astronomy::BodyPosition p = Place(7.5, -5.5, 0, 0.5, -180, 0, 10, 6.25, 23.5, 18.75);
    p.delta = std::numeric_limits<double>::infinity();
    p.magnitude = std::numeric_limits<double>::quiet_NaN();
    const std::string text = reports::IntervalRowText(Row(p), ObjectKind::Jupiter, 1);
    EXPECT_EQ(text, " " + kDate + "07h 30.0m  -5° 30'      1800.0 180W       10.0  6.3 23:30 18.8");
    for (const char* garbage : {"nan", "inf", "*"}) EXPECT_EQ(text.find(garbage), std::string::npos) << garbage;
}

TEST(DayEphemeris, HeaderAndRowFieldsWithDecimalCommasAndWithoutRise) {
    astronomy::ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 5, 1, 2026, 22, 1, 9.8, 52.4);
    // The phase angle 36.45° rounds up; 113° from the south is 293° from the north.
    const astronomy::BodyPosition mars = Place(10.44, 12.43, 1.12, 8.4 / 3600, -101, 0.3, 36.45, 22.55, 5.7333, 12.95,
                                               113, -1.4);
    astronomy::BodyPosition circumpolar = mars;
    circumpolar.rise = circumpolar.set = kNone;
    std::vector<reports::DayRow> rows{{ObjectKind::Mars, "Mars", {}}, {ObjectKind::Disk, "Hale-Bopp-1995", {}}};
    rows[0].place.body = mars;
    rows[1].place.body = circumpolar;
    const std::vector<reports::TableLine> lines = reports::DayEphemerisLines(s, rows, 1);
    ASSERT_EQ(lines.size(), 9u + 3u + 1u);
    EXPECT_EQ(lines[1].text, "                  Tagesephemeride für 05.01.2026, 22h 00.0m MEZ");
    EXPECT_EQ(lines[4].text, " Für geogr. Länge +  9° 48', Breite + 52° 24' und Äquinoktium 2000");
    EXPECT_EQ(lines[6].text, " Objekt      R. A.    Dekl   Erdab Durch Elon Mag Phase  Auf  Kulm  Unt  Az Ho");
    EXPECT_EQ(lines[7].text, "                        [1000km,AE][',\"] [°] [mag]  [°]        MEZ      [°][°]");
    EXPECT_EQ(lines[9].text, " Mars     10h 26.4m +12° 26'  1.12  8.4 101W  0.3  36,5 22,6 05:44 13,0 293 -1");
    // No rise and set: blanks in both columns; a long name is cut to 9.
    EXPECT_EQ(lines[11].text, " Hale-Bopp10h 26.4m +12° 26'  1.12  8.4 101W  0.3  36,5      05:44      293 -1");
}

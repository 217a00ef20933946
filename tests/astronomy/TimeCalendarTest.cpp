#include <gtest/gtest.h>

#include <cmath>

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"

using namespace astronomy;

namespace {

constexpr double kOneSecondOfTimeHours = 1.0 / 3600;
constexpr double kOneArcsecRad = kPi / 180 / 3600;

struct CalendarCase {
    const char* what;
    double hours;
    int day, month, year, zone;
    double J, F;
    int weekday;
};

// Julian Dates and weekdays of well-known instants (Meeus, Astronomical
// Algorithms, ch. 7; the Gregorian reform of October 1582).
const CalendarCase kCalendarCases[] = {
    {"J2000.0, Saturday", 12, 1, 1, 2000, 0, 2451545, 0, 5},
    {"first Gregorian day, Friday", 0, 15, 10, 1582, 0, 2299160, 0.5, 4},
    {"last Julian day, Thursday", 0, 4, 10, 1582, 0, 2299159, 0.5, 3},
    {"1900 January 1, Monday", 0, 1, 1, 1900, 0, 2415020, 0.5, 0},
    {"epoch of the Julian Date", 12, 1, 1, -4712, 0, 0, 0, 0},
    {"zone time shortly after midnight, Sunday", 0.5, 2, 1, 2000, 1, 2451545, 0.47916666666666669, 6},
    {"Meeus example 7.a: 1957 Oct 4.81", 19.44, 4, 10, 1957, 0, 2436116, 0.31, 4},
    {"Meeus example 7.b: 333 Jan 27.5 (Julian)", 12, 27, 1, 333, 0, 1842713, 0, 5},
};

}  // namespace

TEST(Calendar, KnownInstants) {
    for (const CalendarCase& c : kCalendarCases) {
        SCOPED_TRACE(c.what);
        const JulianDate jd = CalendarToJulianDate(c.hours, c.day, c.month, c.year, c.zone);
        EXPECT_EQ(jd.J, c.J);
        EXPECT_NEAR(jd.F, c.F, 1e-9);
        EXPECT_EQ(jd.weekday, c.weekday);
        const CivilDate back = JulianDateToCalendar(jd.J, jd.F, c.zone);
        EXPECT_EQ(back.day, c.day);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.year, c.year);
        EXPECT_NEAR(back.hours, c.hours, 1e-9);
        EXPECT_EQ(back.weekday, c.weekday);
    }
}

TEST(Calendar, ReformGap) {
    // 5 October 1582 does not exist in the Julian calendar; it is read as a
    // Gregorian date, which is 25 September in the Julian calendar.
    const JulianDate jd = CalendarToJulianDate(0, 5, 10, 1582, 0);
    EXPECT_EQ(jd.J + jd.F, 2299150.5);
    const CivilDate back = JulianDateToCalendar(jd.J, jd.F, 0);
    EXPECT_EQ(back.day, 25);
    EXPECT_EQ(back.month, 9);
    EXPECT_EQ(back.year, 1582);
}

TEST(Calendar, RoundTripAcrossTheReformAndCenturies) {
    // Every day number from before the reform to well after it, and a few
    // century and leap-year boundaries far away, converts there and back.
    auto check = [](double J, double F, int zone) {
        const CivilDate c = JulianDateToCalendar(J, F, zone);
        const JulianDate jd = CalendarToJulianDate(c.hours, c.day, c.month, c.year, zone);
        ASSERT_EQ(jd.J, J) << c.day << "." << c.month << "." << c.year;
        ASSERT_NEAR(jd.F, F, 1e-9);
        ASSERT_EQ(jd.weekday, c.weekday);
    };
    for (double J = 2298800; J <= 2299500; ++J)
        for (double F : {0.0, 0.25, 0.5, 0.9375}) check(J, F, 0);
    for (double J = 2451000; J <= 2452500; J += 1) check(J, 0.6, 2);
    for (double J : {0.0, 1000000.0, 1721423.0, 2000000.0, 2415020.0, 2488070.0, 2524594.0}) check(J, 0.125, 1);
}

TEST(Calendar, NormalisesOverflowingFields) {
    // 31 February 2021 is 3 March; hour 25 is 01:00 of the next day.
    JulianDate jd = CalendarToJulianDate(0, 31, 2, 2021, 0);
    CivilDate c = JulianDateToCalendar(jd.J, jd.F, 0);
    EXPECT_EQ(c.day, 3);
    EXPECT_EQ(c.month, 3);
    jd = CalendarToJulianDate(25, 7, 12, 2026, 1);
    c = JulianDateToCalendar(jd.J, jd.F, 1);
    EXPECT_EQ(c.day, 8);
    EXPECT_NEAR(c.hours, 1, 1e-9);
}

TEST(Calendar, NegativeDayFractionLandsOnTheRightDay) {
    // 1 March 2021 at -30 h is 27 February 2021, 18:00; day 0 of March at
    // -6 h is the same instant. Taking the fraction towards zero would put
    // both one day early.
    const JulianDate ref = CalendarToJulianDate(18, 27, 2, 2021, 0);
    for (const JulianDate& jd : {CalendarToJulianDate(-30, 1, 3, 2021, 0), CalendarToJulianDate(-6, 0, 3, 2021, 0)}) {
        EXPECT_EQ(jd.J, ref.J);
        EXPECT_NEAR(jd.F, ref.F, 1e-12);
        EXPECT_EQ(jd.weekday, ref.weekday);
    }
}

TEST(DeltaT, PublishedSampleYears) {
    // Values of the Espenak-Meeus expressions at sample years (given to two
    // decimals, hence the 0.005 s tolerance).
    struct Sample {
        double year, seconds;
    };
    for (const Sample& s : {Sample{0, 10583.6}, Sample{1000, 1574.2}, Sample{1620, 95.38}, Sample{1900, -2.79},
                            Sample{1985.5, 54.62}, Sample{2000, 63.86}, Sample{2026, 75.07}, Sample{2100, 202.74}}) {
        SCOPED_TRACE(s.year);
        const double jd = 2415020 + (s.year - 1900) * 365.25;
        const double J = std::floor(jd);
        EXPECT_NEAR(DeltaT(J, jd - J) * 86400, s.seconds, 0.005);
    }
}

TEST(DeltaT, PiecesMeetAtTheirBoundaries) {
    // The published pieces join to within 0.26 s (at 1600); a mistyped
    // coefficient opens a far larger step.
    for (double b : {-500.0, 500.0, 1600.0, 1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0,
                     2050.0, 2150.0}) {
        SCOPED_TRACE(b);
        auto at = [](double y) {
            const double jd = 2415020 + (y - 1900) * 365.25;
            const double J = std::floor(jd);
            return DeltaT(J, jd - J) * 86400;
        };
        EXPECT_NEAR(at(b - 1e-6), at(b + 1e-6), 0.3);
    }
}

TEST(Sexagesimal, SplitAndCarry) {
    Hms h = HoursToHms(-0.5);
    EXPECT_EQ(h.units, 0);
    EXPECT_EQ(h.minutes, 30);
    EXPECT_EQ(h.seconds, 0);
    EXPECT_EQ(h.sign, -1);
    h = HoursToHms(1.99999999);  // seconds round to 60 and carry twice
    EXPECT_EQ(h.units, 2);
    EXPECT_EQ(h.minutes, 0);
    EXPECT_EQ(h.seconds, 0);
    EXPECT_EQ(h.sign, 1);
    h = HoursToHms(52.41);  // 52 24' 36"
    EXPECT_EQ(h.units, 52);
    EXPECT_EQ(h.minutes, 24);
    EXPECT_NEAR(h.seconds, 36, 1e-4);
    EXPECT_DOUBLE_EQ(HmsToHours(52, 24, 36, 1), 52.41);
    EXPECT_DOUBLE_EQ(HmsToHours(10, 30, 0, -1), -10.5);
    h = HoursToHms(std::nan(""));
    EXPECT_EQ(h.sign, 0);
    EXPECT_EQ(h.units, 0);
}

TEST(Sexagesimal, Mod24) {
    EXPECT_EQ(Mod24(-1), 23);
    EXPECT_EQ(Mod24(24), 0);
    EXPECT_EQ(Mod24(49.5), 1.5);
}

TEST(JulianDateText, SplitsAtTheFirstPoint) {
    double J = 0, F = 0;
    ASSERT_TRUE(SplitJulianDateText("2451545.0", J, F));
    EXPECT_EQ(J, 2451545);
    EXPECT_EQ(F, 0);
    ASSERT_TRUE(SplitJulianDateText(" 2461382.25 ", J, F));
    EXPECT_EQ(J, 2461382);
    EXPECT_EQ(F, 0.25);
    ASSERT_TRUE(SplitJulianDateText("2451545", J, F));
    EXPECT_EQ(F, 0);
    ASSERT_TRUE(SplitJulianDateText("2451545.99999999999999999", J, F));  // rounds to the next day
    EXPECT_EQ(J, 2451546);
    EXPECT_EQ(F, 0);
    ASSERT_TRUE(SplitJulianDateText("-0.25", J, F));  // 0.25 day before the epoch
    EXPECT_EQ(J, -1);
    EXPECT_EQ(F, 0.75);
    for (const char* bad : {"", " ", "abc", "2451545.0.1", "24515x", "1e5", ".", "-", "nan"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(SplitJulianDateText(bad, J, F));
    }
    // A negative date a hair below a whole day is that day: the fraction
    // stays below 1.
    ASSERT_TRUE(SplitJulianDateText("-." + std::string(80, '0') + "17489", J, F));
    EXPECT_EQ(J, 0);
    EXPECT_EQ(F, 0);
    ASSERT_TRUE(SplitJulianDateText("-7." + std::string(30, '0') + "1", J, F));
    EXPECT_EQ(J, -7);
    EXPECT_EQ(F, 0);
}

TEST(TypedDate, TheWaysAUserWritesADateAndNothingElse) {
    struct Good {
        const char* text;
        int day, month, year;
    };
    for (const Good g : {Good{"24.12.2026", 24, 12, 2026}, Good{"24 12 2026", 24, 12, 2026},
                         Good{"24,12,2026", 24, 12, 2026}, Good{" 1. 1. 2000 ", 1, 1, 2000},
                         Good{"24.12.2026.", 24, 12, 2026}, Good{"1/1/-3000", 1, 1, -3000},
                         Good{"29.2.2024", 29, 2, 2024}, Good{"4.10.1582", 4, 10, 1582},
                         Good{"15.10.1582", 15, 10, 1582}, Good{"29.2.1500", 29, 2, 1500}}) {  // 1500: Julian
        const auto d = ReadTypedDate(g.text, -4000, 8000);
        ASSERT_TRUE(d) << g.text;
        EXPECT_EQ(d->day, g.day) << g.text;
        EXPECT_EQ(d->month, g.month) << g.text;
        EXPECT_EQ(d->year, g.year) << g.text;
    }
    for (const char* bad : {"", "   ", "Weihnachten", "24.12", "24.12.2026.1", "24..12.2026", "24.12.2026x",
                            "31.4.2026", "29.2.2026", "29.2.1900", "10.10.1582", "0.1.2026", "1.0.2026", "1.13.2026",
                            "32.1.2026", "1.1.8001", "1.1.-4001", "1.1.99999999", "1,5.1.2026", "+.1.2026",
                            "24.12.2026 23:30"})
        EXPECT_FALSE(ReadTypedDate(bad, -4000, 8000)) << bad;
}

// Around 0:00 UT the sidereal time runs on by 1.0027 s per second, in every
// zone (at 1:00 MEZ the zone's clock minus the zone used to come out an ulp
// below the hour and put the sidereal time four minutes back).
TEST(TimeQuantities, SiderealTimeRunsSmoothlyThroughMidnightUT) {
    for (int zone = 0; zone <= 2; ++zone) {
        double last = -1;
        for (double second : {-1.0, 0.0, 1.0}) {
            ProgramState s;
            s.Zone = zone;
            const JulianDate jd = CalendarToJulianDate(zone + second / 3600, 7, 12, 2026, zone);
            SetInstant(s, jd.J, jd.F);
            if (last >= 0) {
                EXPECT_NEAR(Mod24(s.tq.LST - last + 12) - 12, 1.0027379 / 3600, 1e-6) << zone << " " << second;
            }
            last = s.tq.LST;
        }
    }
}

TEST(TimeQuantities, SiderealTimeNutationObliquity) {
    ProgramState s;
    // Meeus example 12.a: 1987 April 10, 0h UT: mean sidereal time at
    // Greenwich 13h 10m 46.3668s (IAU 1982); the older polynomial used here
    // agrees to a few hundredths of a second.
    s.Zone = 0;
    ApplyJulianDate(s, 2446895, 0.5);
    s.Longitude = 0;
    UpdateTimeQuantities(s);
    EXPECT_NEAR(s.tq.GST0, 13 + 10.0 / 60 + 46.3668 / 3600, 0.1 * kOneSecondOfTimeHours);
    // Meeus example 22.a (same date): nutation in longitude -3.788", mean
    // obliquity 23 26' 27.407". The short series is good to about 0.5".
    EXPECT_NEAR(s.tq.nutation, -3.788 * kOneArcsecRad, 0.5 * kOneArcsecRad);
    EXPECT_NEAR(s.tq.obliquity, (23 + 26.0 / 60 + 27.407 / 3600) * kPi / 180, 1 * kOneArcsecRad);
    // Apparent sidereal time = mean + nutation x cos(obliquity): 13h 10m 46.1351s.
    EXPECT_NEAR(s.tq.LST, 13 + 10.0 / 60 + 46.1351 / 3600, 0.15 * kOneSecondOfTimeHours);

    // 15 degrees of east longitude add one hour of local time, and the
    // zone clock is converted to UT first.
    s.Zone = 2;
    s.Longitude = 15 * kDegToRad;
    ApplyJulianDate(s, 2446895, 0.5);  // 02:00 MESZ = 0h UT
    UpdateTimeQuantities(s);
    EXPECT_NEAR(s.ClockTime, 2, 1e-12);
    EXPECT_NEAR(s.tq.LMT, 1, 1e-12);
    EXPECT_NEAR(s.tq.LST, 14 + 10.0 / 60 + 46.1351 / 3600, 0.15 * kOneSecondOfTimeHours);
    EXPECT_NEAR(s.tq.deltaT * 86400, 55.4, 0.5);  // 1987: about 55 s (Espenak-Meeus)
}

TEST(Calendar, WeekdayAtZoneMidnightsFollowsTheDate) {
    // Weekday of a Gregorian date by Zeller's congruence (0 = Monday), an
    // independent rule. At 00:00 zone time the fraction lands an ulp away
    // from the midnight threshold; the weekday must still be the date's own.
    auto zeller = [](int d, int m, int y) {
        if (m < 3) {
            m += 12;
            y -= 1;
        }
        const int h = (d + 13 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400) % 7;  // 0 = Saturday
        return (h + 5) % 7;
    };
    for (int zone = 0; zone <= 2; ++zone) {
        for (int year : {1999, 2000, 2026, 2100}) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= 28; day += 3) {
                    SCOPED_TRACE(testing::Message() << day << "." << month << "." << year << " zone " << zone);
                    const JulianDate jd = CalendarToJulianDate(0, day, month, year, zone);
                    ASSERT_EQ(jd.weekday, zeller(day, month, year));
                    const CivilDate c = JulianDateToCalendar(jd.J, jd.F, zone);
                    ASSERT_EQ(c.day, day);
                    ASSERT_EQ(c.weekday, jd.weekday);
                }
            }
        }
    }
}

TEST(Calendar, ZoneMidnightsStartTheirOwnDay) {
    // Midnight of every day of a common year, a leap year and the reform
    // year, in every zone, reads back as that date at 0:00, never as the day
    // before at 24:00 or a day past the month's end.
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int zone = 0; zone <= 2; ++zone) {
        for (int year : {1582, 1999, 2024, 2026}) {
            for (int month = 1; month <= 12; ++month) {
                const int days = monthDays[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
                for (int day = 1; day <= days; ++day) {
                    if (year == 1582 && month == 10 && day >= 5 && day <= 14) continue;
                    SCOPED_TRACE(testing::Message() << day << "." << month << "." << year << " zone " << zone);
                    const JulianDate jd = CalendarToJulianDate(0, day, month, year, zone);
                    const CivilDate c = JulianDateToCalendar(jd.J, jd.F, zone);
                    ASSERT_EQ(c.day, day);
                    ASSERT_EQ(c.month, month);
                    ASSERT_EQ(c.year, year);
                    ASSERT_EQ(c.hours, 0);
                    ASSERT_EQ(c.weekday, jd.weekday);
                }
            }
        }
    }
}

TEST(Calendar, MidnightPastTheMonthsEndCarriesIntoTheNextDay) {
    // A day past the month's end, or 24:00, at midnight is the next month's
    // (or year's) first day at 0:00 in every zone, also across the reform.
    struct Case {
        double hours;
        int day, month, year;
        int wantDay, wantMonth, wantYear;
    };
    const Case cases[] = {
        {0, 32, 12, 2026, 1, 1, 2027},  {0, 31, 2, 2026, 3, 3, 2026},   {0, 29, 2, 2026, 1, 3, 2026},
        {0, 30, 2, 2024, 1, 3, 2024},   {24, 28, 2, 2024, 29, 2, 2024}, {24, 31, 1, 2027, 1, 2, 2027},
        {0, 32, 1, 2027, 1, 2, 2027},   {24, 31, 12, 1999, 1, 1, 2000},
    };
    for (int zone = 0; zone <= 2; ++zone) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << k.hours << "h " << k.day << "." << k.month << "." << k.year << " zone "
                                            << zone);
            const JulianDate jd = CalendarToJulianDate(k.hours, k.day, k.month, k.year, zone);
            const CivilDate c = JulianDateToCalendar(jd.J, jd.F, zone);
            EXPECT_EQ(c.day, k.wantDay);
            EXPECT_EQ(c.month, k.wantMonth);
            EXPECT_EQ(c.year, k.wantYear);
            EXPECT_EQ(c.hours, 0);
        }
        // A day after midnight of 4 October 1582 is midnight of 15 October.
        const JulianDate jd = CalendarToJulianDate(0, 4, 10, 1582, zone);
        const CivilDate c = JulianDateToCalendar(jd.J + 1, jd.F, zone);
        EXPECT_EQ(c.day, 15);
        EXPECT_EQ(c.month, 10);
        EXPECT_EQ(c.hours, 0);
    }
}

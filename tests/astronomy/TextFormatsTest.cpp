// Text formatters. Expected texts are worked by hand from the picture and
// carry rules of each format; the decomposition into units, minutes and
// seconds follows HoursToHms (seconds rounded to four decimals and carried).
#include "astronomy/TextFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace astronomy {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Case {
    double value;
    const char* expected;
};

void CheckTable(const std::function<std::string(double)>& format, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        EXPECT_EQ(format(c.value), c.expected);
    }
}

double Dms(double d, double m, double s) { return d + m / 60 + s / 3600; }

TEST(TextFormatsTest, PictureDigitsRoundingAndLiterals) {
    struct PictureCase {
        const char* picture;
        double value;
        const char* expected;
    };
    // Worked by hand from the picture rules: "0" always written, "#" only when
    // significant, rounding half away from zero on the shortest decimal form.
    const std::vector<PictureCase> cases = {
        {"00", 5, "05"},         {"#0", 5, "5"},         {"##0", 5, "5"},
        {"0#", 5, "05"},         {"##", 0, ""},          {"##0", 0, "0"},
        {"0", 1234, "1234"},     {"##0°", 12, "12°"},    {"##0;;", 7, "7"},
        {"00.0", 5.25, "05.3"},  {"0#.0", 5.25, "05.3"}, {"00.0", 12.35, "12.4"},
        {"0.00", 2.675, "2.68"}, {"0.00", 99.999, "100.00"}, {"#.##", 5.1, "5.1"},
        {"#.##", 5, "5."},       {"0", 2.5, "3"},        {"0", 0.49999999999999994, "0"},
        {"00", -4.6, "-05"},     {"0.0", -0.04, "0.0"},  {"0", 1e-300, "0"},
        {"0.0", kNaN, "0.0"},    {"00", kInf, "00"},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture << " of " << c.value);
        EXPECT_EQ(FormatPicture(c.value, c.picture), c.expected);
    }
}

TEST(TextFormatsTest, FormatFixed) {
    struct FixedCase {
        double x;
        int width, decimals;
        const char* expected;
    };
    const std::vector<FixedCase> cases = {
        {-3.14159, 7, 2, "  -3.14"},  // worked example of the format
        {-0.001, 6, 2, " -0.00"},     // worked example: sign kept, digits zero
        {3.14159, 7, 2, "   3.14"},   {-2.5, 3, 0, " -3"},  // half away from zero
        {9.96, 5, 1, " 10.0"},        {0.47916666666, 9, 7, "0.4791667"},
        {123456.7, 3, 1, "123456.7"},  // too long: not cut
        {5.4, 3, -1, "  5"},           // negative decimals count as 0
        {kNaN, 6, 2, "  0.00"},       {-kInf, 6, 2, "  0.00"},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " width " << c.width << " decimals " << c.decimals);
        EXPECT_EQ(FormatFixed(c.x, c.width, c.decimals), c.expected);
    }
}

TEST(TextFormatsTest, NumberMasksOfTheTables) {
    struct MaskCase {
        const char* mask;
        double value;
        const char* expected;
    };
    // "#" a digit or a blank, "," the decimal comma, rounded half away
    // from zero; what follows the number is copied; wider is not cut.
    const std::vector<MaskCase> cases = {
        {"####,#", 12.25, "  12,3"}, {"####,#", 0, "   0,0"},   {"###,# ", 7.25, "  7,3 "},
        {"###,#", 23.96, " 24,0"},   {"####", 359.5, " 360"},   {"###", -5.4, " -5"},
        {"###,#", 12345.6, "12345,6"},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mask << " " << c.value);
        EXPECT_EQ(FormatNumberMask(c.value, c.mask), c.expected);
    }
}

TEST(TextFormatsTest, ZoneNamesAndOutOfRangeIndex) {
    // Substrings of "UT  MEZ MESZ": start 4 zone + 1, length zone + 2.
    EXPECT_EQ(ZoneName(0), "UT");
    EXPECT_EQ(ZoneName(1), "MEZ");
    EXPECT_EQ(ZoneName(2), "MESZ");
    EXPECT_EQ(ZoneNamePadded(0), "  UT");
    EXPECT_EQ(ZoneNamePadded(1), " MEZ");
    EXPECT_EQ(ZoneNamePadded(2), "MESZ");
    for (int zone : {-1, 3, 100, -2147483647 - 1, 2147483647}) {
        SCOPED_TRACE(zone);
        EXPECT_EQ(ZoneName(zone), "");
        EXPECT_EQ(ZoneNamePadded(zone), "    ");
    }
}

TEST(TextFormatsTest, Dates) {
    // Worked example: 5 December 2026, a Saturday (weekday 5).
    EXPECT_EQ(FormatDateLong(5, 12, 2026, 5, false), " 5. Dez 2026, Sa   ");
    EXPECT_EQ(FormatDateLong(5, 12, 2026, 5, true), " 5.Dez 2026, Sa");
    EXPECT_EQ(FormatDateNumeric(5, 12, 2026), "05.12.2026");
    // By hand: two-digit day, year right-aligned in five places, minus counted.
    EXPECT_EQ(FormatDateLong(31, 1, 1999, 6, false), "31. Jan 1999, So   ");
    EXPECT_EQ(FormatDateLong(1, 3, -44, 0, true), " 1.Mrz  -44, Mo");
    EXPECT_EQ(FormatDateLong(1, 13, 2000, 7, false), " 1.     2000,      ");
    EXPECT_EQ(FormatDateNumeric(1, 1, 800), "01.01. 800");
    EXPECT_EQ(FormatDateNumeric(31, 10, 12345), "31.10.12345");
}

TEST(TextFormatsTest, DurationInYearsAndDays) {
    // d = 365 p, Y = INT(d / 365), remainder in days of a 365-day year; by hand.
    CheckTable(FormatDuration, {
        {164.79, "164 Jahre                         "},  // Y > 100
        {101.2, "101 Jahre                         "},
        {100.5, "100 Jahre,  182.5 Tage     "},          // 1 < Y <= 100
        {11.862, "11 Jahre,  314.6 Tage     "},
        {2, "2 Jahre,    0.0 Tage     "},
        {1.8808, "1 Jahr,  321.5 Tage     "},             // Y = 1
        {0.2408, "  87.9 Tage                       "},  // Y <= 0
        {0, "   0.0 Tage                       "},
        {kNaN, "   0.0 Tage                       "},
    });
}

TEST(TextFormatsTest, AngleDms) {
    CheckTable(FormatAngleDms, {
        {12.5125, "+12° 30' 45\""},
        {5.5, "+ 5° 30' 00\""},
        {-5.5, "- 5° 30' 00\""},
        {-0.5, "- 0° 30' 00\""},          // between -1 and 0 the sign stays
        {0, "  0° 00' 00\""},
        {123.5, "123° 30' 00\""},          // from 100 on without sign
        {-123.5, "123° 30' 00\""},
        {Dms(10, 20, 30.5), "+10° 20' 31\""},
        {12.99999999, "+13° 00' 00\""},    // carried by the four-decimal seconds
        {99.999999, "100° 00' 00\""},      // 59.9964" carries into the degrees
        {Dms(20, 59, 59.6), "+21° 00' 00\""},
        {-Dms(19, 59, 59.9999), "-20° 00' 00\""},
        {Dms(5, 12, 59.5), "+ 5° 13' 00\""},
        {kNaN, "  0° 00' 00\""},
    });
}

TEST(TextFormatsTest, AngleDmsTenthsAndFine) {
    CheckTable(FormatAngleDmsTenths, {
        {12.5125, "+ 12°30'45.0\""},
        {0.0125, "+  0°00'45.0\""},
        {-0.0125, "-  0°00'45.0\""},
        {123.5, "+123°30'00.0\""},
        {0, "   0°00'00.0\""},
        {Dms(0, 0, 12.34), "+  0°00'12.3\""},
        {Dms(19, 59, 59.97), "+ 20°00'00.0\""},
        {-Dms(0, 59, 59.95), "-  1°00'00.0\""},
    });
    CheckTable(FormatAngleDmsFine, {
        {Dms(13, 24, 18.1234), "+13° 24' 18.1234\""},
        {-5.5, "-5° 30' 00.0000\""},
        {-0.25, "-0° 15' 00.0000\""},
        {123.25, "+123° 15' 00.0000\""},
        {0, " 0° 00' 00.0000\""},
        {kInf, " 0° 00' 00.0000\""},
        {Dms(7, 59, 59.99996), "+8° 00' 00.0000\""},
    });
}

TEST(TextFormatsTest, AngleSmallShowsLargestUnit) {
    CheckTable(FormatAngleSmall, {
        {20, "20°"},          {1.5, "1°"},     {-2, "2°"},  {0.5, "30'"},
        {1.0 / 60, "1'"},     {1.0 / 120, "30\""},  // the smallest scale-bar step
        {0.5 / 3600, "00.5\""}, {0, "0\""},   {kNaN, "0\""}, {Dms(0, 0, 59.97), "1'"},
    });
}

TEST(TextFormatsTest, AngleDmRoundsMinutesWithCarry) {
    CheckTable(FormatAngleDm, {
        {9.99999, "+ 10° 00'"},  // worked example: the carried degree
        {12.5125, "+ 12° 31'"},
        {12 + 30.5 / 60, "+ 12° 31'"},  // half a minute rounds up
        {-0.25, "-  0° 15'"},
        {0, "   0° 00'"},
        {-45.5, "- 45° 30'"},
        {123.5, "+123° 30'"},
        {99.995, "+100° 00'"},
        {-179.9999, "-180° 00'"},
    });
    CheckTable(FormatAngleDmCompact, {
        {12.5125, "+12° 31'"},
        {5.5, " +5° 30'"},
        {-5.5, " -5° 30'"},
        {-0.25, " -0° 15'"},
        {0, "  0° 00'"},
        {9.99999, "+10° 00'"},
        {123.5, "123° 30'"},
        {-48.1, "-48° 06'"},
    });
}

TEST(TextFormatsTest, Degrees) {
    CheckTable(FormatDegrees, {
        {123.4, "123° "}, {5.5, "6° "}, {0, "0° "}, {-5.5, "-6° "},
        {-0.4, "0° "},    {359.6, "360° "}, {1234, "1234° "}, {kInf, "0° "},
    });
}

TEST(TextFormatsTest, ClockTime) {
    EXPECT_EQ(FormatClockTime(12.5, 1, false), "12:30:00.0 MEZ     ");
    EXPECT_EQ(FormatClockTime(12.5, 1, true), "12:30:00.0MEZ");
    EXPECT_EQ(FormatClockTime(0, 0, false), "00:00:00.0 UT     ");
    EXPECT_EQ(FormatClockTime(Dms(7, 8, 9.25), 2, true), "07:08:09.3MESZ");
    EXPECT_EQ(FormatClockTime(-1.5, 0, true), "01:30:00.0UT");
    EXPECT_EQ(FormatClockTime(12.5, 5, false), "12:30:00.0      ");
    // The tenths carry; the clock does not wrap into a day it cannot name.
    EXPECT_EQ(FormatClockTime(Dms(10, 59, 59.96), 2, true), "11:00:00.0MESZ");
    EXPECT_EQ(FormatClockTime(Dms(23, 59, 59.96), 2, true), "24:00:00.0MESZ");
    EXPECT_EQ(FormatClockTime(kNaN, 0, true), "00:00:00.0UT");
}

TEST(TextFormatsTest, HmsWithSecondsCarry) {
    CheckTable(FormatHmsTenths, {
        {Dms(5, 34, 12.34), "05h 34m 12.3s"},
        {Dms(5, 34, 12.25), "05h 34m 12.3s"},  // exact tie, away from zero
        {Dms(5, 34, 12.35), "05h 34m 12.4s"},  // 12.35 as HoursToHms rounds it
        {Dms(10, 5, 59.95), "10h 06m 00.0s"},
        {Dms(1, 59, 59.97), "02h 00m 00.0s"},
        {Dms(23, 59, 59.96), "00h 00m 00.0s"},
        {-0.5, "00h 30m 00.0s"},
    });
    CheckTable(FormatHms, {
        {Dms(5, 34, 12), "05h 34m 12s"},  // worked example of the format
        {Dms(5, 34, 12.5), "05h 34m 13s"},   {Dms(5, 34, 59.5), "05h 35m 00s"},
        {Dms(5, 59, 59.6), "06h 00m 00s"},   {Dms(23, 59, 59.5), "00h 00m 00s"},
        {24, "24h 00m 00s"},  // hour 24 only wraps through a carry
        {123.25, "123h 15m 00s"},            {kNaN, "00h 00m 00s"},
    });
}

TEST(TextFormatsTest, HmRoundsMinutes) {
    CheckTable(FormatHm, {
        {23.9999, "00:00"},  // worked example: carried into hour 24, shown as 0
        {5 + 29.5 / 60, "05:30"}, {12 + 59.5 / 60, "13:00"}, {0.5 / 60, "00:01"},
        {0.0083, "00:00"},        {24, "00:00"},  {-0.5, "00:30"},  {kInf, "00:00"},
    });
    CheckTable(FormatHmTenths, {
        {Dms(5, 34, 12), "05h 34.2m "},
        {5.5, "05h 30.0m "},
        {12 + 5.25 / 60, "12h 05.3m "},
        {23 + 59.97 / 60, "24h 00.0m "},  // no wrap of hour 24 in this format
        {0, "00h 00.0m "},
        {-1.5, "01h 30.0m "},
    });
    EXPECT_EQ(FormatHmZone(5.5, 1), "05:30 MEZ");
    EXPECT_EQ(FormatHmZone(23.9999, 2), "00:00 MESZ");
    EXPECT_EQ(FormatHmZone(5.5, 0), "05:30 UT");
    EXPECT_EQ(FormatHmZone(5.5, 9), "05:30 ");
}

}  // namespace
}  // namespace astronomy

// The one number reader and the shortest-text writers that the prompts, the
// settings file, the element files, the catalogues and the command line share.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "astronomy/Constants.h"
#include "astronomy/Numbers.h"

using namespace astronomy;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberReader, ValReadsTheLongestNumberAtTheStart) {
    // BASIC's VAL, case by case: blanks and tabs skipped, one sign, one
    // point, an exponent only with digits; no number reads as 0; too large
    // as an infinity, too small as 0.
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12.5abc", 12.5}, {"  -3", -3},    {"\t7", 7},     {"+4", 4},        {"-.5", -0.5},   {"5.", 5},
        {".", 0},          {"", 0},         {"abc", 0},     {"+-5", 0},       {"- 5", 0},      {"1e", 1},
        {"1e+", 1},        {"2E3", 2000},   {"1.5e-2x", 0.015}, {"5,5", 5},   {"0x10", 0},     {"inf", 0},
        {"nan", 0},        {"1e999", kInf}, {"-1e999", -kInf}, {"1e-999", 0}, {"1e99999999999999999999", kInf},
        {"0.000000000000000000000000000001e330", 1e300},
    };
    for (const Case& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    // A typed answer never reads as an infinity.
    EXPECT_EQ(LeadingNumber("1e999"), 0);
    EXPECT_EQ(LeadingNumber("  42 Grad"), 42);
    // The prefix and its length; no blanks skipped there.
    EXPECT_EQ(ReadNumberPrefix("-1.25e2=").length, 7u);
    EXPECT_EQ(ReadNumberPrefix("-1.25e2=").value, -125);
    EXPECT_EQ(ReadNumberPrefix(" 1").length, 0u);
    EXPECT_EQ(ReadNumberPrefix("1e+x").length, 1u);
    // Single precision reads its own nearest value, not a double's rounded again.
    EXPECT_EQ(ReadFloatPrefix("5.5").value, 5.5f);
    EXPECT_EQ(ReadFloatPrefix("1e39").value, std::numeric_limits<float>::infinity());
}

TEST(NumberReader, FieldsAndExactNumbers) {
    EXPECT_EQ(FieldValue("  24 12 2026 ", 1, ' '), 24);
    EXPECT_EQ(FieldValue("24  12 2026", 2, ' '), 12);
    EXPECT_EQ(FieldValue("24 12", 3, ' '), 0);
    EXPECT_EQ(FieldValue("1/30/15.5", 3, '/'), 15.5);
    for (const char* text : {"5", "-0.5e3", ".5", "+7", "0e-999"})
        EXPECT_TRUE(ParseNumberExactly(text)) << text;
    for (const char* text : {"", " 5", "5 ", "5x", "inf", "nan", "1e999", "1e-999", "--5", "+", "-", "0x1", "1e"})
        EXPECT_FALSE(ParseNumberExactly(text)) << text;
}

TEST(Rounding, IntegersWrapsAndPixels) {
    EXPECT_EQ(RoundToInt(2.5), 3);
    EXPECT_EQ(RoundToInt(-2.5), -3);
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
    EXPECT_EQ(RoundToInt(1e300), INT_MAX);
    EXPECT_EQ(RoundToInt(-kInf), -INT_MAX);
    EXPECT_EQ(Round(-0.5), -1);
    EXPECT_EQ(Round(1.5), 2);
    // Wrapping lands in [0, period) whatever comes in.
    EXPECT_EQ(Reduce(25, 24), 1);
    EXPECT_EQ(Reduce(-1, 24), 23);
    EXPECT_EQ(Reduce(-1e-17, 24), 0);  // would round up to the period itself
    EXPECT_EQ(Reduce(std::nan(""), 24), 0);
    EXPECT_EQ(Reduce(kInf, 360), 0);
    const double huge = Reduce(1e300, 360);
    EXPECT_TRUE(huge >= 0 && huge < 360);
    EXPECT_EQ(TrimBlanks(" \t x y \t"), "x y");
}

TEST(ShortestText, ReadsBackToTheSameValue) {
    EXPECT_EQ(ShortestText(0.1), "0.1");
    EXPECT_EQ(ShortestText(-0.0), "0");
    EXPECT_EQ(ShortestText(std::nan("")), "0");
    EXPECT_EQ(ShortestText(5.5f), "5.5");
    EXPECT_EQ(ShortestText(0.1f), "0.1");
    // Radians written in degrees and hours: a typed value comes back as it
    // was typed, and the radians it stands for come back exactly; radians
    // that no text maps onto exactly come back within two units of the last
    // place.
    EXPECT_EQ(ShortestDegreesText(52.4 * kDegToRad), "52.4");
    EXPECT_EQ(ShortestDegreesText(-73.987 * kDegToRad), "-73.987");
    EXPECT_EQ(ShortestHoursText(2.5302777777777 * 15 * kDegToRad), "2.5302777777777");
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> angle(-2 * kPi, 2 * kPi);
    for (int i = 0; i < 20000; ++i) {
        const double radians = angle(random);
        const double back = Val(ShortestDegreesText(radians)) * kDegToRad;
        EXPECT_LE(std::fabs(back - radians), 2 * std::nextafter(std::fabs(radians), kInf) - 2 * std::fabs(radians));
    }
}

}  // namespace

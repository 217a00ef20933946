// The step of the interval table as typed ("d h m") and as offered again.
#include <gtest/gtest.h>

#include <string>

#include "shell/EphemerisCommands.h"

TEST(IntervalStep, TypedDaysHoursAndMinutes) {
    EXPECT_EQ(shell::ReadIntervalStep("0 1"), 1.0 / 24);
    EXPECT_EQ(shell::ReadIntervalStep(" 0,12 "), 0.5);
    EXPECT_EQ(shell::ReadIntervalStep("2/0/30"), 2 + 30.0 / 1440);
    // A leading "-" turns the whole step round, also a step of hours only.
    EXPECT_EQ(shell::ReadIntervalStep("-1"), -1.0);
    EXPECT_EQ(shell::ReadIntervalStep("-0 6"), -0.25);
    EXPECT_EQ(shell::ReadIntervalStep("0"), 0.0);
    EXPECT_FALSE(shell::ReadIntervalStep("  "));
}

TEST(IntervalStep, OfferedAsTypedAndReadBack) {
    EXPECT_EQ(shell::IntervalStepText(1.0 / 24), "0 1");
    EXPECT_EQ(shell::IntervalStepText(-10.0 / 1440), "-0 0 10");
    EXPECT_EQ(shell::IntervalStepText(0), "0");
    for (double step : {7.0, -2.0, 0.5, 1 + 1.0 / 1440, 1.0 / 96}) {
        SCOPED_TRACE(step);
        const auto back = shell::ReadIntervalStep(shell::IntervalStepText(step));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, step, 1e-9 / 1440);
    }
}

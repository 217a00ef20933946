// The second answer of the track prompt: marker step and label unit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/TrackPrompt.h"

TEST(TrackPrompt, StepAndUnitAnswers) {
    struct Case {
        const char* answer;
        bool read;
        float step;
        const char* unit;
    };
    const Case cases[] = {
        {"7 w", true, 7, "w"},     {"m", true, 0, "m"},        {"  j ", true, 0, "j"},
        {"0.5 t", true, 0.5f, "t"}, {"-3 d", true, -3, "d"},   {"10", true, 10, ""},
        {"7", true, 7, ""},         {"", true, 0, ""},          {"   ", true, 0, ""},
        {"abc", false, 0, ""},      {"x", false, 0, ""},        {"7 x", false, 0, ""},
        {"w 7", false, 0, ""},      {"7 w d", false, 0, ""},    {"1e50 d", false, 0, ""},
        {"nan d", false, 0, ""},    {"7,5 d", false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("answer '") + c.answer + "'");
        const std::optional<shell::TrackStepAnswer> a = shell::ReadTrackStepAnswer(c.answer);
        ASSERT_EQ(a.has_value(), c.read);
        if (!a) continue;
        EXPECT_EQ(a->step, c.step);
        EXPECT_EQ(a->unit, c.unit);
    }
}

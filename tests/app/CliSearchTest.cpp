// Tests of kelmaron-cli search: the JSON contract, the instant found against
// the tool's own positions, the searches that do nothing, the limit of
// searched years and bad input.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "CliRun.h"
#include "JsonLine.h"

namespace {

using namespace cli_run;
using namespace json_line;

const std::vector<std::string> kKeys = {"changed", "j", "f", "day", "month", "year", "clock_time", "zone", "quantity"};
const std::string kLeavingComet = std::string(KELMARON_TEST_DATA) + "/elements/Fortflug.kom";

// The one JSON line of a successful run, with exactly the keys in order.
Object RunJson(const Args& args) {
    const Args all = Cat(args, {"--json"});
    SCOPED_TRACE(Describe(all));
    const RunResult r = RunCli(all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    if (lines.size() != 1) {
        ADD_FAILURE() << r.out;
        return {};
    }
    const auto o = LineReader(lines[0]).Read();
    if (!o) {
        ADD_FAILURE() << "not a JSON object: " << lines[0];
        return {};
    }
    std::vector<std::string> keys;
    for (const auto& [k, v] : *o) keys.push_back(k);
    EXPECT_EQ(keys, kKeys);
    return *o;
}

// "J.F" as the Julian Date option takes it: the day number, then the
// fraction's digits as JSON printed them.
std::string JdText(const Object& o) {
    const std::string f = Get(o, "f").text;
    return Get(o, "j").text + (f == "0" ? ".0" : f.substr(1));
}

// A number of the position command's JSON: the first `key` after the
// opening of `section` ("instant" or "body").
double PositionValue(const Args& args, const std::string& section, const std::string& key) {
    const RunResult r = RunCli(Cat(Cat({"position"}, args), {"--json"}));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::size_t from = r.out.find("\"" + section + "\": {");
    const std::size_t at = r.out.find("\"" + key + "\": ", from);
    if (from == std::string::npos || at == std::string::npos) return std::nan("");
    return std::strtod(r.out.c_str() + at + key.size() + 4, nullptr);
}

}  // namespace

TEST(CliSearch, FindsThePerigeeAndTheRisingThePositionCommandConfirms) {
    struct Case {
        std::string kind, object, key;
        double scale;  // position's value in the search's unit
    };
    const double kDeg = 180 / 3.141592653589793;
    for (const Case& c : {Case{"0", "Mond", "delta", 1}, Case{"1", "Mars", "r", 1}, Case{"2", "Sonne", "altitude", kDeg},
                          Case{"2", "Jupiter", "altitude", kDeg}}) {
        const Args where = {"--object", c.object, "--date", "24.12.2026", "--time", "23:30", "--place", "1"};
        const Object o = RunJson(Cat({"search", "--kind", c.kind}, where));
        if (o.empty()) continue;
        EXPECT_TRUE(Get(o, "changed").truth);
        EXPECT_EQ(Num(o, "zone"), 1);
        EXPECT_EQ(Num(o, "j"), std::floor(Num(o, "j")));
        EXPECT_TRUE(Num(o, "f") >= 0 && Num(o, "f") < 1);
        const Args at = {"--object", c.object, "--jd", JdText(o), "--zone", "MEZ", "--place", "1"};
        const double q = Num(o, "quantity");
        EXPECT_EQ(q, PositionValue(at, "body", c.key) * c.scale) << c.object;
        // The calendar fields belong to the instant.
        EXPECT_EQ(Num(o, "day"), PositionValue(at, "instant", "day"));
        EXPECT_EQ(Num(o, "clock_time"), PositionValue(at, "instant", "clock_time"));
        if (c.kind == "2") {
            EXPECT_GE(q, 0);
        }
    }
    // The text form names the event, the object and the distance.
    const RunResult r = RunCli({"search", "--kind", "0", "--object", "Mond", "--date", "7.12.2026"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Erdnähe: Mond");
    EXPECT_NE(lines[3].find(" km"), std::string::npos) << lines[3];
}

TEST(CliSearch, SearchesWithoutMeaningLeaveTheInstant) {
    for (const Args& a : {Args{"--kind", "1", "--object", "Sonne"}, Args{"--kind", "2", "--object", "Messier"},
                          Args{"--kind", "0", "--object", "beliebig"}}) {
        const Args when = {"--date", "24.12.2026", "--time", "12:00"};
        const Object o = RunJson(Cat(Cat({"search"}, a), when));
        if (o.empty()) continue;
        EXPECT_FALSE(Get(o, "changed").truth);
        EXPECT_EQ(Num(o, "day"), 24);
        EXPECT_EQ(Num(o, "month"), 12);
        // The very instant the position command takes from the same options.
        EXPECT_EQ(Num(o, "j"), PositionValue(when, "instant", "j"));
        EXPECT_EQ(Num(o, "f"), PositionValue(when, "instant", "f"));
        EXPECT_EQ(Num(o, "clock_time"), 12);
    }
}

TEST(CliSearch, HopelessSearchesStopAtTheLimitWithStatusThree) {
    // The comet leaves the Sun for ever towards declination +79 degrees:
    // no perihelion any more, and circumpolar at 50 degrees north.
    for (const std::string kind : {"1", "2"}) {
        for (const Args& limit : {Args{}, Args{"--max-years", "5"}}) {
            const Args args = Cat({"search", "--kind", kind, "--object", "Disk", "--elements", kLeavingComet, "--date",
                                   "7.12.2026", "--lon", "10", "--lat", "50"},
                                  limit);
            SCOPED_TRACE(Describe(args));
            const RunResult r = RunCli(args);
            EXPECT_EQ(r.status, 3);
            EXPECT_EQ(r.out, "");
            const std::vector<std::string> lines = Lines(r.err);
            ASSERT_EQ(lines.size(), 1u) << r.err;
            EXPECT_NE(lines[0].find(limit.empty() ? "1000 Jahren" : "5 Jahren"), std::string::npos) << lines[0];
        }
    }
    // The same comet seen from the equator rises every day.
    const Object o = RunJson({"search", "--kind", "2", "--object", "Disk", "--elements", kLeavingComet, "--date",
                              "7.12.2026", "--lon", "10", "--lat", "0"});
    if (!o.empty()) {
        EXPECT_TRUE(Get(o, "changed").truth);
    }
}

TEST(CliSearch, BadInputIsRefusedWithOneLine) {
    const Args base = {"search", "--object", "Mond", "--date", "7.12.2026"};
    for (const Args& bad : {Args{}, Args{"--kind", "3"}, Args{"--kind", "x"}, Args{"--kind", "1.0"},
                            Args{"--kind", "0", "--max-years", "0"}, Args{"--kind", "0", "--max-years", "-5"},
                            Args{"--kind", "0", "--max-years", "abc"}, Args{"--kind", "0", "--max-years", "1e9"},
                            Args{"--kind", "0", "--frobnicate", "1"}})
        ExpectUsageError(Cat(base, bad));
    ExpectUsageError({"search", "--kind", "0", "--object", "Mond", "--date", "32.13.2026x"});
}

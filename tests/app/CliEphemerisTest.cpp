// kelmaron-cli ephemeris: the rows are the positions of `position` at their
// instants, the text has the window's groups of rows, and bad input leaves
// no output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.h"
#include "JsonLine.h"

namespace {

using namespace cli_run;
using namespace json_line;

const std::vector<std::string> kPlaceKeys = {"ra",        "dec",         "delta", "diameter", "elongation",
                                             "magnitude", "phase_angle", "rise",  "transit",  "set"};
const std::vector<std::string> kInstantKeys = {"day", "month", "year", "weekday", "clock_time"};

std::vector<Object> JsonRows(const Args& args) {
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<Object> rows;
    for (const std::string& line : Lines(r.out)) {
        const auto o = LineReader(line).Read();
        if (!o) {
            ADD_FAILURE() << "not a JSON object: " << line;
            return {};
        }
        rows.push_back(*o);
    }
    return rows;
}

// The "instant" and "body" objects of `position --json`, one a line.
struct PositionJson {
    Object instant, body;
};
PositionJson Position(const Args& args) {
    const RunResult r = RunCli(Cat(Cat({"position"}, args), {"--json"}));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    PositionJson p;
    if (lines.size() < 2) return p;
    auto inner = [](const std::string& line, const std::string& key) {
        const std::size_t from = line.find("\"" + key + "\": {") + key.size() + 4;
        return LineReader(line.substr(from, line.rfind('}') - from + 1)).Read();
    };
    p.instant = inner(lines[0], "instant").value_or(Object{});
    p.body = inner(lines[1], "body").value_or(Object{});
    return p;
}

// The same numbers as `position` prints them, to the last digit.
void ExpectSameValues(const Object& row, const Object& position, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) EXPECT_EQ(Get(row, key).text, Get(position, key).text) << key;
}

// Characters of a UTF-8 line.
std::size_t Characters(const std::string& line) {
    std::size_t n = 0;
    for (unsigned char c : line) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

TEST(CliEphemeris, RowsAreThePositionsAtTheRowInstants) {
    const std::vector<Object> rows =
        JsonRows({"ephemeris", "--from", "5.1.2026", "--from-time", "20:00", "--to", "5.1.2026", "--to-time", "23:00",
                  "--step", "0,1,0", "--object", "Mond", "--place", "Berlin", "--format", "json"});
    ASSERT_EQ(rows.size(), 4u);
    for (const Object& row : rows) {
        // The Julian Date as day number and the fraction's digits.
        const std::string f = Get(row, "f").text;
        ASSERT_EQ(f.rfind("0.", 0), 0u) << f;
        const PositionJson p =
            Position({"--jd", Get(row, "j").text + f.substr(1), "--object", "Mond", "--place", "Berlin"});
        SCOPED_TRACE(Get(row, "j").text + f.substr(1));
        ExpectSameValues(row, p.body, kPlaceKeys);
        ExpectSameValues(row, p.instant, kInstantKeys);
    }
    // One hour apart.
    EXPECT_NEAR(Num(rows[3], "j") + Num(rows[3], "f") - Num(rows[0], "j") - Num(rows[0], "f"), 3.0 / 24, 1e-9);

    // The day ephemeris: each body as `position` computes it, with its
    // azimuth and altitude.
    const std::vector<Object> day =
        JsonRows({"ephemeris", "--day", "--date", "5.1.2026", "--time", "22:00", "--format", "json"});
    ASSERT_EQ(day.size(), 10u);
    for (const auto& [index, object] : {std::pair{4, "Mars"}, std::pair{9, "Disk"}}) {
        SCOPED_TRACE(object);
        const PositionJson p = Position({"--date", "5.1.2026", "--time", "22:00", "--object", object});
        EXPECT_EQ(Get(day[index], "name").text, Get(p.body, "name").text);
        ExpectSameValues(day[index], p.body, Cat(kPlaceKeys, {"azimuth", "altitude"}));
    }
}

TEST(CliEphemeris, TextHasTheWindowsLinesInGroupsOfFiveThenFour) {
    const RunResult r = RunCli({"ephemeris", "--from", "5.1.2026", "--to", "5.1.2026", "--to-time", "11:00",
                                "--step", "0,1,0", "--object", "Mond"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 9 header lines, 12 rows of 78 characters as 5 + 4 + 3 with an empty
    // line after each full group, the closing rule.
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[1], "                               Ephemeride für Mond");
    std::vector<std::size_t> widths;
    for (std::size_t i = 9; i < 23; ++i) widths.push_back(Characters(lines[i]));
    EXPECT_EQ(widths, (std::vector<std::size_t>{78, 78, 78, 78, 78, 0, 78, 78, 78, 78, 0, 78, 78, 78}));
    EXPECT_EQ(lines[23], " " + std::string(78, '-'));
}

TEST(CliEphemeris, BadInputLeavesNoOutput) {
    const Args table = {"ephemeris", "--from", "5.1.2026", "--to", "6.1.2026"};
    for (const Args& args : {
             Cat(table, {"--step", "0,0,0"}),                 // no end: nobody can press Escape
             Cat(table, {"--step", "0,0,0.0001"}),            // more than a million rows
             Cat(table, {"--step", "1,0"}),                   // not days, hours and minutes
             Cat(table, {"--step", "1,0,0", "--format", "xml"}),
             Cat(table, {"--step", "1,0,0", "--date", "1.1.2026"}),
             Args{"ephemeris", "--from", "5.1.2026", "--step", "1,0,0"},
             Cat(table, {"--step", "1,0,0", "--object", "Pluto"}),
             Args{"ephemeris", "--day", "--date", "5.1.2026", "--step", "1,0,0"},
             Args{"ephemeris", "--day", "--date", "5.1.2026", "--object", "Mond"},
             Args{"ephemeris", "--day"},
         })
        ExpectUsageError(args);
}

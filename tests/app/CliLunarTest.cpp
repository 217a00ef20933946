// Tests of kelmaron-cli phase and eclipse: the moon phases and lunar eclipses
// against astronomy-engine's (tests/data/lunar_phases.csv and
// lunar_eclipses.csv), and the rules of the JSON, the text and the diagram.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliRun.h"
#include "JsonLine.h"

namespace {

using namespace cli_run;
using namespace json_line;

constexpr double kPi = 3.141592653589793;
constexpr double kMinute = 1.0 / 1440;  // in days

const std::vector<std::string> kPhaseKeys = {"j", "f", "day", "month", "year", "clock_time", "zone", "weekday"};
const std::vector<std::string> kEclipseKeys = {
    "j", "f", "day", "month", "year", "clock_time", "zone", "max_j", "max_f", "tmax", "kind", "magnitude",
    "contacts", "shadow_ra", "shadow_dec", "moon_ra", "moon_dec", "umbra_radius", "penumbra_radius",
    "moon_radius", "moon_parallax", "sun_radius", "sun_parallax", "theta", "m", "full_moon_j", "full_moon_f"};

double Instant(const Object& o, const std::string& j, const std::string& f) { return Num(o, j) + Num(o, f); }

// Runs the tool with --json: success, nothing on stderr, one object a line
// with exactly the keys, in their order, and of the kinds promised.
std::vector<Object> RunJson(const Args& args0, const std::vector<std::string>& keys) {
    const Args args = Cat(args0, {"--json"});
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<Object> objects;
    if (r.status != 0) return objects;
    EXPECT_EQ(r.out.empty() ? '\0' : r.out.back(), '\n');
    for (const std::string& line : Lines(r.out)) {
        auto o = LineReader(line).Read();
        if (!o) {
            ADD_FAILURE() << "not a JSON object: " << line;
            return {};
        }
        std::vector<std::string> found;
        for (const auto& [k, v] : *o) {
            found.push_back(k);
            const Value::Kind want = k == "kind"       ? Value::String
                                     : k == "contacts" ? Value::Array
                                                       : Value::Number;
            EXPECT_EQ(v.kind, want) << k;
        }
        EXPECT_EQ(found, keys);
        objects.push_back(*o);
    }
    return objects;
}

// The Gregorian date of the day number N (the Julian Date at its noon).
struct Date {
    long long day, month, year;
    bool operator==(const Date&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Date& d) {
        return out << d.day << '.' << d.month << '.' << d.year;
    }
};
Date CivilDate(long long N) {
    const long long f = N + 1401 + (((4 * N + 274277) / 146097) * 3) / 4 - 38;
    const long long e = 4 * f + 3, h = 5 * ((e % 1461) / 4) + 2;
    const long long month = (h / 153 + 2) % 12 + 1;
    return {(h % 153) / 5 + 1, month, e / 1461 - 4716 + (14 - month) / 12};
}
Date ZoneDate(double jd, int zone) { return CivilDate(static_cast<long long>(std::floor(jd + 0.5 + zone / 24.0))); }
Date DateOf(const Object& o) {
    return {std::llround(Num(o, "day")), std::llround(Num(o, "month")), std::llround(Num(o, "year"))};
}
double HoursDiff(double a, double b) { return std::remainder(a - b, 24.0); }
// Hours from a to b on a 24-hour clock, 0..24.
double HoursFromTo(double a, double b) { return std::fmod(b - a + 48, 24.0); }

// The instant as day number and fraction, and the date and clock of the zone
// that belong to it; for the phases the weekday (0 Monday: JD 2451545,
// 1 January 2000, was a Saturday).
void ExpectInstant(const Object& o, int zone, bool weekday) {
    const double J = Num(o, "j"), F = Num(o, "f");
    EXPECT_EQ(J, std::floor(J));
    EXPECT_GE(F, 0.0);
    EXPECT_LT(F, 1.0);
    EXPECT_EQ(Num(o, "zone"), zone);
    const double h = F + 0.5 + zone / 24.0;
    const long long N = static_cast<long long>(J + std::floor(h));
    EXPECT_EQ(DateOf(o), CivilDate(N));
    // The sum J + F and its clock time carry rounding of 1e-8 h.
    EXPECT_NEAR(HoursDiff(Num(o, "clock_time"), (h - std::floor(h)) * 24), 0.0, 1e-6);
    if (weekday) { EXPECT_EQ(Num(o, "weekday"), N % 7); }
}

// The rows of a reference file, split at the commas, without comments and header.
std::vector<std::vector<std::string>> ReadCsv(const std::string& name) {
    std::ifstream in(std::string(KELMARON_TEST_DATA) + "/" + name);
    std::vector<std::vector<std::string>> rows;
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || std::exchange(header, false)) continue;
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) row.push_back(field);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

// ---------------------------------------------------------------------------
// Phases

const char* const kKinds[] = {"0", "0.25", "0.5", "0.75"};

TEST(CliPhase, PhasesOf2026AreTheReferencePhasesOneLunationApart) {
    // The reference lists 13 phases of each kind from 1 January 2026. The
    // new and full moons of the series come out within 1.7 min of them, the
    // quarters within 6.0 min (first quarters early, last quarters late).
    const double start = 2461041.5 - 1.0 / 24;  // 1.1.2026 0:00 MEZ
    const auto rows = ReadCsv("lunar_phases.csv");
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kKinds[kind]);
        std::vector<double> want;
        for (const auto& row : rows)
            if (std::stoi(row[0]) == kind && std::stod(row[1]) > start && std::stod(row[1]) < start + 400)
                want.push_back(std::stod(row[1]));
        ASSERT_EQ(want.size(), 13u);
        const auto got = RunJson({"phase", "--kind", kKinds[kind], "--date", "1.1.2026", "--zone", "MEZ",
                                  "--count", "13"}, kPhaseKeys);
        ASSERT_EQ(got.size(), 13u);
        const double limit = (kind % 2 == 0 ? 2.5 : 7.0) * kMinute;
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            ExpectInstant(got[i], 1, true);
            EXPECT_NEAR(Instant(got[i], "j", "f"), want[i], limit);
            // Lunations last 29.27 to 29.83 days.
            if (i > 0) {
                const double lunation = Instant(got[i], "j", "f") - Instant(got[i - 1], "j", "f");
                EXPECT_GT(lunation, 29.2);
                EXPECT_LT(lunation, 29.9);
            }
        }
    }
}

TEST(CliPhase, TextLineShowsTheInstantOfTheJson) {
    const char* const names[] = {"Neumond", "1. Viertel", "Vollmond", "3. Viertel"};
    const char* const weekdays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    static const std::regex kLine(R"(([^:]+): (\S\S) (\d\d)\.(\d\d)\.(\d{4}) (\d\d):(\d\d):(\d\d\.\d) (\S+))");
    for (int kind = 0; kind < 4; ++kind) {
        const Args args = {"phase", "--kind", kKinds[kind], "--date", "20.3.2026", "--zone", "MESZ", "--count", "4"};
        SCOPED_TRACE(Describe(args));
        const auto json = RunJson(args, kPhaseKeys);
        const RunResult r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), json.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lines[i], m, kLine)) << lines[i];
            EXPECT_EQ(m[1], names[kind]);
            EXPECT_EQ(m[2], weekdays[std::llround(Num(json[i], "weekday")) % 7]);
            EXPECT_EQ((Date{std::stoll(m[3]), std::stoll(m[4]), std::stoll(m[5])}), DateOf(json[i]));
            const double seconds = std::stod(m[6]) * 3600 + std::stod(m[7]) * 60 + std::stod(m[8]);
            EXPECT_NEAR(std::remainder(seconds - Num(json[i], "clock_time") * 3600, 86400), 0.0, 0.05 + 1e-6);
            EXPECT_EQ(m[9], "MESZ");
        }
    }
}

TEST(CliPhase, ZoneShiftsTheClockAndThePlaceChangesNothing) {
    // The same start instant in three zones, and from other places.
    const Args common = {"phase", "--kind", "0.25", "--date", "1.1.2026", "--count", "5"};
    const auto ut = RunJson(Cat(common, {"--time", "0:00", "--zone", "UT"}), kPhaseKeys);
    for (int zone : {1, 2}) {
        const auto other = RunJson(
            Cat(common, {"--time", std::to_string(zone) + ":00", "--zone", zone == 1 ? "MEZ" : "MESZ"}), kPhaseKeys);
        ASSERT_EQ(other.size(), ut.size());
        for (std::size_t i = 0; i < ut.size(); ++i) {
            ExpectInstant(other[i], zone, true);
            EXPECT_EQ(Num(other[i], "j"), Num(ut[i], "j"));
            EXPECT_EQ(Num(other[i], "f"), Num(ut[i], "f"));
            EXPECT_NEAR(HoursDiff(Num(other[i], "clock_time"), Num(ut[i], "clock_time") + zone), 0.0, 1e-9);
        }
    }
    const RunResult here = RunCli(Cat(common, {"--json"}));
    for (const Args& place : {Args{"--place", "5"}, Args{"--lon", "150", "--lat", "-33.9"}})
        EXPECT_EQ(RunCli(Cat(common, Cat(place, {"--json"}))).out, here.out) << Describe(place);
}

TEST(CliPhase, BadInputEndsWithStatusTwoAndOneLine) {
    const Args date = {"phase", "--date", "1.1.2026"};
    for (const Args& more : std::vector<Args>{{"--kind", "0.3"}, {"--kind", "1"}, {}, {"--kind", "0.5", "--count", "0"},
                                              {"--kind", "0.5", "--count", "-3"}, {"--kind", "0.5", "--count", "abc"},
                                              {"--kind", "0.5", "--zone", "XYZ"}, {"--kind", "0.5", "--lon", "9"},
                                              {"--kind", "0.5", "--lon", "9", "--lat", "91"},
                                              {"--kind", "0.5", "--frobnicate", "1"}})
        ExpectUsageError(Cat(date, more));
    ExpectUsageError({"phase", "--kind", "0.5"});  // no instant
    // Outside the years the series serves (there its phases step backwards
    // and skip lunations), and a run that would leave them: nothing printed.
    for (const Args& when : std::vector<Args>{{"--date", "1.1.120000"}, {"--date", "1.1.-60000"},
                                              {"--jd", "99999999"}, {"--date", "1.12.8000", "--count", "3"}})
        ExpectUsageError(Cat({"phase", "--kind", "0"}, when));
}

// ---------------------------------------------------------------------------
// Eclipses

struct ReferenceEclipse {
    std::string kind;
    double peak, semiPartial, semiTotal, magnitude;  // JD UT, minutes, minutes, fraction
};

// The reference's eclipses that reach the umbra, peaking after the instant.
std::vector<ReferenceEclipse> UmbralEclipsesAfter(double jd) {
    std::vector<ReferenceEclipse> out;
    for (const auto& row : ReadCsv("lunar_eclipses.csv"))
        if (row[0] != "penumbral" && std::stod(row[1]) > jd)
            out.push_back({row[0], std::stod(row[1]), std::stod(row[3]), std::stod(row[4]), std::stod(row[5])});
    return out;
}

// Peak and magnitude against the reference, and the rules of the contacts.
void ExpectEclipse(const Object& e, const ReferenceEclipse& ref, int zone) {
    ExpectInstant(e, zone, false);
    // The series of the full moon and the straight path through the shadow
    // put the peak within 8.1 min of the reference's, the magnitude within
    // 0.033 (mostly smaller).
    const double peak = Instant(e, "max_j", "max_f");
    EXPECT_NEAR(peak, ref.peak, 10 * kMinute);
    EXPECT_NEAR(Num(e, "magnitude"), ref.magnitude, 0.04);
    // No eclipse of these years is near enough to magnitude 1 for the two to
    // disagree on totality (nearest: 4.4.2015, 1.0015 against 1.0073).
    EXPECT_EQ(Get(e, "kind").text, ref.kind == "total" ? "total" : "partiell");
    EXPECT_EQ(Get(e, "kind").text == "total", Num(e, "magnitude") >= 1);
    // Its date in the zone: that of the reference's peak, or of the other
    // side of midnight when the opposition in right ascension (measured at
    // most 54 min from the peak) lies there.
    const Date date = DateOf(e);
    EXPECT_TRUE(date == ZoneDate(ref.peak - 1.5 / 24, zone) || date == ZoneDate(ref.peak + 1.5 / 24, zone));
    EXPECT_NEAR(Instant(e, "j", "f"), peak, 1.5 / 24);
    // The full moon examined: at most 45 min from the opposition here.
    EXPECT_NEAR(Instant(e, "full_moon_j", "full_moon_f"), Instant(e, "j", "f"), 0.1);

    const auto& c = Get(e, "contacts").items;
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[0], Num(e, "tmax"));
    EXPECT_NEAR(HoursDiff(Num(e, "tmax"), (Num(e, "max_f") + 0.5 + zone / 24.0) * 24), 0.0, 1e-6);
    const bool total = ref.kind == "total";
    for (std::size_t slot = 1; slot < 7; ++slot) EXPECT_EQ(c[slot].has_value(), slot > 2 || total) << slot;
    for (const auto& h : c)
        if (h) { EXPECT_TRUE(*h >= 0 && *h < 24) << *h; }
    // The order of the contacts and their durations are the search's own
    // (checked in the tests of the eclipse search); here: end after begin.
    for (std::size_t end : {std::size_t{1}, std::size_t{3}, std::size_t{5}})
        if (c[end]) { EXPECT_LT(HoursFromTo(*c[end + 1], *c[end]), 7) << end; }
}

TEST(CliEclipse, EclipsesFrom2000AreTheUmbralEclipsesOfTheReference) {
    // 1.1.2000 0:00 MEZ; the 46 umbral eclipses up to June 2030, none left
    // out, no penumbral one taken.
    const auto ref = UmbralEclipsesAfter(2451544.5 - 1.0 / 24);
    ASSERT_GE(ref.size(), 46u);
    const Args args = {"eclipse", "--from", "1.1.2000", "--count", "46"};
    const auto mez = RunJson(args, kEclipseKeys);
    ASSERT_EQ(mez.size(), 46u);
    for (std::size_t i = 0; i < mez.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectEclipse(mez[i], ref[i], 1);
    }
    // An eclipse is the same from every place; the zone shifts its clock.
    const auto ut = RunJson(Cat(args, {"--zone", "UT"}), kEclipseKeys);
    ASSERT_EQ(ut.size(), mez.size());
    for (std::size_t i = 0; i < ut.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectEclipse(ut[i], ref[i], 0);
        for (const char* key : {"j", "f", "max_j", "max_f", "magnitude", "m", "full_moon_j", "full_moon_f"})
            EXPECT_EQ(Num(ut[i], key), Num(mez[i], key)) << key;
        for (const char* key : {"clock_time", "tmax"})
            EXPECT_NEAR(HoursDiff(Num(mez[i], key), Num(ut[i], key) + 1), 0.0, 1e-9) << key;
    }
    const RunResult here = RunCli(Cat(args, {"--json"}));
    for (const Args& place : {Args{"--lon", "150", "--lat", "-33.9"}, Args{"--place", "5"}, Args{"--place", "15"}})
        EXPECT_EQ(RunCli(Cat(args, Cat(place, {"--json"}))).out, here.out) << Describe(place);
}

TEST(CliEclipse, SearchPassesOverPenumbralEclipses) {
    // From Christmas 2026 the next eclipses are penumbral (2027); the first
    // one found is the first umbral eclipse after them.
    const double from = 2461398.5 - 1.0 / 24;  // 24.12.2026 0:00 MEZ
    const auto ref = UmbralEclipsesAfter(from);
    ASSERT_FALSE(ref.empty());
    int penumbral = 0;
    for (const auto& row : ReadCsv("lunar_eclipses.csv"))
        penumbral += row[0] == "penumbral" && std::stod(row[1]) > from && std::stod(row[1]) < ref[0].peak;
    EXPECT_GE(penumbral, 2);
    const auto got = RunJson({"eclipse", "--from", "24.12.2026"}, kEclipseKeys);
    ASSERT_EQ(got.size(), 1u);
    ExpectEclipse(got[0], ref[0], 1);
    EXPECT_EQ(DateOf(got[0]).year, 2028);
}

TEST(CliEclipse, TextBlockShowsTheEclipseOfTheJson) {
    const Args args = {"eclipse", "--from", "1.1.2000", "--count", "6", "--zone", "MESZ"};  // the 4th partial
    const auto json = RunJson(args, kEclipseKeys);
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 6 * 10 - 1);
    constexpr double kDeg = 180 / kPi;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const Object& e = json[i];
        const std::vector<std::string> block(lines.begin() + static_cast<std::ptrdiff_t>(10 * i),
                                             lines.begin() + static_cast<std::ptrdiff_t>(10 * i + 9));
        SCOPED_TRACE(block[0]);
        if (i > 0) { EXPECT_EQ(lines[10 * i - 1], ""); }
        char date[40];
        const Date d = DateOf(e);
        std::snprintf(date, sizeof date, "%02lld.%02lld.%04lld", d.day, d.month, d.year);
        EXPECT_EQ(block[0], std::string("Finsternis am ") + date);
        EXPECT_EQ(block[1], Get(e, "kind").text == "total" ? "      - total -" : "     - partiell -");
        std::smatch m;
        ASSERT_TRUE(std::regex_match(block[2], m, std::regex(R"(Konjunktion: (\d\d):(\d\d) MESZ)"))) << block[2];
        EXPECT_NEAR(HoursDiff(std::stod(m[1]) + std::stod(m[2]) / 60, Num(e, "clock_time")), 0.0, 0.5 / 60 + 1e-9);
        EXPECT_EQ(block[3], "Schatten:");
        ASSERT_TRUE(std::regex_match(block[4], m, std::regex(R"(  α = (\d\d)h +(\d+\.\d)m *)"))) << block[4];
        EXPECT_NEAR(std::stod(m[1]) * 60 + std::stod(m[2]), Num(e, "shadow_ra") * kDeg * 4, 0.05 + 1e-9);
        ASSERT_TRUE(std::regex_match(block[5], m, std::regex(R"(  δ = ([+-]) *(\d+)° (\d\d)')"))) << block[5];
        EXPECT_NEAR((m[1] == "-" ? -1 : 1) * (std::stod(m[2]) * 60 + std::stod(m[3])),
                    Num(e, "shadow_dec") * kDeg * 60, 0.5 + 1e-9);
        ASSERT_TRUE(std::regex_match(block[6], m, std::regex(R"(  ∅  = +(\d\.\d{3})°)"))) << block[6];
        EXPECT_NEAR(std::stod(m[1]), 2 * Num(e, "umbra_radius") * kDeg, 0.0005 + 1e-9);
        ASSERT_TRUE(std::regex_match(block[7], m, std::regex(R"(  ∅' = +(\d\.\d{3})°)"))) << block[7];
        EXPECT_NEAR(std::stod(m[1]), 2 * Num(e, "penumbra_radius") * kDeg, 0.0005 + 1e-9);
        EXPECT_EQ(block[8], "Größe: " + std::to_string(std::lround(100 * Num(e, "magnitude"))) + "%");
    }
    EXPECT_EQ(Get(json[3], "kind").text, "partiell");
}

TEST(CliEclipse, DiagramIsAnImageOfTheLastEclipseFound) {
    const fs::path dir = fs::temp_directory_path() / ("kelmaron-cli-test-" + std::to_string(getpid()) + "-lunar");
    fs::create_directories(dir);
    const std::string a = (dir / "a.png").string(), b = (dir / "b.png").string(), c = (dir / "c.png").string();
    std::ofstream(a) << "alter Inhalt";
    const Args size = {"--width", "500", "--height", "400"};
    const RunResult two = RunCli(Cat({"eclipse", "--from", "1.1.2000", "--count", "2", "--json", "--diagram", a}, size));
    EXPECT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(Lines(two.out).size(), 2u);  // the results are printed as without the diagram
    EXPECT_EQ(PngSize(ReadFile(a)), std::make_pair(500, 400));
    // The second eclipse of that run, found first from a later date.
    EXPECT_EQ(RunCli(Cat({"eclipse", "--from", "1.7.2000", "--diagram", b}, size)).status, 0);
    EXPECT_EQ(ReadFile(b), ReadFile(a));
    EXPECT_EQ(RunCli({"eclipse", "--from", "1.7.2000", "--diagram", c, "--width", "400", "--height", "320",
                      "--invers"}).status, 0);
    EXPECT_EQ(PngSize(ReadFile(c)), std::make_pair(400, 320));
    EXPECT_NE(ReadFile(c), ReadFile(a));
    // A failing run leaves the file as it was, and no temporary file behind.
    const std::string before = ReadFile(a);
    ExpectUsageError({"eclipse", "--from", "1.13.2026", "--diagram", a});
    ExpectUsageError({"eclipse", "--from", "1.7.2000", "--diagram", a, "--height", "240"});  // below 320
    EXPECT_EQ(ReadFile(a), before);
    for (const auto& entry : fs::directory_iterator(dir)) EXPECT_EQ(entry.path().extension(), ".png") << entry.path();
    ExpectUsageError({"eclipse", "--from", "1.1.2026", "--diagram", (dir / "fehlt" / "a.png").string()});
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
    fs::remove_all(dir);
}

TEST(CliEclipse, BadInputEndsWithStatusTwoAndOneLine) {
    ExpectUsageError({"eclipse"});
    for (const char* date : {"31.2.2026", "1.13.2026", "0.1.2026", "xyz", "", "1.1.9000", "1.1.-4001"})
        ExpectUsageError({"eclipse", "--from", date});
    for (const Args& more : std::vector<Args>{{"--count", "0"}, {"--count", "-3"}, {"--count", "abc"},
                                              {"--zone", "XYZ"}, {"--lon", "9"}, {"--lon", "9", "--lat", "91"},
                                              {"--frobnicate", "1"}, {"--width", "300"}, {"--invers"},
                                              {"--diagram", "bild.jpg"}})
        ExpectUsageError(Cat({"eclipse", "--from", "1.1.2026"}, more));
    // The first and last years of the search are accepted; an eclipse
    // beyond them is an error, and nothing of the eclipses before it is
    // printed.
    for (const char* date : {"1.1.-4000", "1.1.8000"}) EXPECT_EQ(RunCli({"eclipse", "--from", date}).status, 0);
    ExpectUsageError({"eclipse", "--from", "31.12.8000"});
    ExpectUsageError({"eclipse", "--from", "1.1.7990", "--count", "100"});
    // A diagram that cannot be written: nothing printed either.
    const fs::path folder = fs::temp_directory_path() / ("kelmaron-eclipse-" + std::to_string(getpid()) + ".png");
    fs::create_directories(folder);
    ExpectUsageError({"eclipse", "--from", "1.1.2026", "--diagram", folder.string()});
    fs::remove_all(folder);
}

}  // namespace

// Tests of kelmaron-cli as a user runs it: the tool is started as a separate
// process and judged only by its exit status, stdout and stderr.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CliRun.h"

namespace {

using namespace cli_run;

constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kOneArcsecRad = kPi / 180.0 / 3600.0;

// "nan" or "inf" standing as a word of its own (any case), as printf
// writes non-finite numbers.
bool HasNonFiniteWord(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto letter = [&](std::size_t p) { return p < lower.size() && std::isalpha(static_cast<unsigned char>(lower[p])); };
    for (const char* word : {"nan", "inf"})
        for (std::size_t p = lower.find(word); p != std::string::npos; p = lower.find(word, p + 1))
            if (!(p > 0 && letter(p - 1)) && !(letter(p + 3) && lower.compare(p, 8, "infinity") != 0)) return true;
    return false;
}

// ---------------------------------------------------------------------------
// A strict reader for the tool's JSON: one object of objects whose members
// are strings or numbers; keys kept in their order.

struct JsonValue {
    bool isString = false;
    std::string text;  // the decoded string, or the number exactly as printed
    double number = 0;
};
using JsonObject = std::vector<std::pair<std::string, JsonValue>>;
using JsonDocument = std::vector<std::pair<std::string, JsonObject>>;

class FlatJsonReader {
public:
    explicit FlatJsonReader(const std::string& text) : t_(text) {}

    std::optional<JsonDocument> Read(std::string& error) {
        JsonDocument doc;
        const bool ok = Members([&](std::string key) {
            JsonObject object;
            const bool inner = Members([&](std::string k) {
                JsonValue v;
                v.isString = p_ < t_.size() && t_[p_] == '"';
                if (!(v.isString ? ReadString(v.text) : ReadNumber(v))) return false;
                object.emplace_back(std::move(k), std::move(v));
                return true;
            });
            doc.emplace_back(std::move(key), std::move(object));
            return inner;
        });
        Space();
        if (ok && p_ == t_.size()) return doc;
        error = "at offset " + std::to_string(p_);
        return std::nullopt;
    }

private:
    bool Take(char c) { return p_ < t_.size() && t_[p_] == c && ++p_; }
    void Space() {
        while (p_ < t_.size() && t_[p_] != 0 && std::strchr(" \n\r\t", t_[p_])) ++p_;
    }
    // Consumes the text that matches re at the reading position.
    bool Match(const std::regex& re, std::string& text) {
        std::smatch m;
        if (!std::regex_search(t_.cbegin() + static_cast<std::ptrdiff_t>(p_), t_.cend(), m, re,
                               std::regex_constants::match_continuous))
            return false;
        text = m.str();
        p_ += text.size();
        return true;
    }

    // '{' [string ':' value {',' string ':' value}] '}', each value read by f.
    template <class F>
    bool Members(F f) {
        Space();
        if (!Take('{')) return false;
        Space();
        if (Take('}')) return true;
        for (;;) {
            std::string key;
            Space();
            if (!ReadString(key)) return false;
            Space();
            if (!Take(':')) return false;
            Space();
            if (!f(std::move(key))) return false;
            Space();
            if (Take('}')) return true;
            if (!Take(',')) return false;
        }
    }

    bool ReadString(std::string& out) {
        static const std::regex kString(R"("([^"\\\x00-\x1f]|\\["\\/bfnrt]|\\u[0-9a-fA-F]{4})*")");
        std::string raw;
        if (!Match(kString, raw)) return false;
        for (std::size_t i = 1; i + 1 < raw.size(); ++i) {
            if (raw[i] != '\\') {
                out += raw[i];
            } else if (raw[++i] != 'u') {
                out += "\"\\/\b\f\n\r\t"[std::string_view("\"\\/bfnrt").find(raw[i])];
            } else {  // UTF-8 of the code unit
                const unsigned code = static_cast<unsigned>(std::stoul(raw.substr(i + 1, 4), nullptr, 16));
                i += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
                } else {
                    out += {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                            static_cast<char>(0x80 | (code & 0x3F))};
                }
            }
        }
        return true;
    }

    bool ReadNumber(JsonValue& v) {
        static const std::regex kNumber(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?)");
        if (!Match(kNumber, v.text)) return false;
        v.number = std::strtod(v.text.c_str(), nullptr);
        return true;
    }

    const std::string& t_;
    std::size_t p_ = 0;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The members the tool promises, section by section.
const std::vector<std::pair<std::string, std::vector<std::string>>> kContractKeys = {
    {"instant", Words("j f day month year clock_time zone weekday gst0 lst obliquity nutation lmt delta_t")},
    {"body", Words("name index t ra dec hour_angle altitude azimuth ecl_lon ecl_lat r delta light_time_days "
                   "light_time_minutes phase_angle elongation illuminated_fraction limb_angle diameter magnitude "
                   "period ra_rate dec_rate semi_diurnal_arc time_to_transit transit rise set ring_longitude "
                   "ring_tilt")},
    {"sun", Words("lambda beta r ra dec hour_angle altitude azimuth equation_of_time twilight_arc twilight_end "
                  "twilight_begin")},
};

const JsonValue* Find(const JsonDocument& doc, const std::string& section, const std::string& key) {
    for (const auto& [name, object] : doc)
        for (const auto& [k, v] : object)
            if (name == section && k == key) return &v;
    return nullptr;
}

double Num(const JsonDocument& doc, const std::string& section, const std::string& key) {
    const JsonValue* v = Find(doc, section, key);
    if (v != nullptr && !v->isString) return v->number;
    ADD_FAILURE() << "no number " << section << "." << key;
    return std::nan("");
}

std::string Str(const JsonDocument& doc, const std::string& section, const std::string& key) {
    const JsonValue* v = Find(doc, section, key);
    if (v != nullptr && v->isString) return v->text;
    ADD_FAILURE() << "no string " << section << "." << key;
    return {};
}

std::string Print17(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

// Checks the document against the contract: exactly the promised sections
// and members, "name" the only string, every number finite and printed with
// all the digits of its double.
void ExpectContract(const JsonDocument& doc) {
    std::vector<std::string> sections;
    for (const auto& [name, object] : doc) sections.push_back(name);
    EXPECT_EQ(sections, (std::vector<std::string>{"instant", "body", "sun"}));
    for (const auto& [section, keys] : kContractKeys) {
        SCOPED_TRACE(section);
        std::multiset<std::string> found;
        for (const auto& [name, object] : doc)
            for (const auto& [k, v] : object)
                if (name == section) found.insert(k);
        EXPECT_EQ(found, std::multiset<std::string>(keys.begin(), keys.end()));
    }
    for (const auto& [section, object] : doc) {
        for (const auto& [key, v] : object) {
            SCOPED_TRACE(section + "." + key + " = " + v.text);
            EXPECT_EQ(v.isString, section == "body" && key == "name");
            if (v.isString) continue;
            EXPECT_TRUE(std::isfinite(v.number));
            // %.17g (DBL_DECIMAL_DIG) reads back to the same double; a print
            // with fewer digits fails here.
            EXPECT_EQ(Print17(v.number), v.text);
        }
    }
    // Fields that are whole numbers by definition, with their ranges.
    struct Whole {
        const char *section, *key;
        double low, high;
    };
    for (const Whole& w : {Whole{"instant", "zone", 0, 2}, Whole{"instant", "weekday", 0, 6},
                           Whole{"instant", "day", 1, 31}, Whole{"instant", "month", 1, 12},
                           Whole{"instant", "year", -200000, 200000}, Whole{"instant", "j", -1e9, 1e9},
                           Whole{"body", "index", 1, 23}}) {
        SCOPED_TRACE(std::string(w.section) + "." + w.key);
        const JsonValue* v = Find(doc, w.section, w.key);
        if (v == nullptr || v->isString) continue;  // reported above
        EXPECT_EQ(v->text.find_first_of(".eE"), std::string::npos) << v->text;
        EXPECT_EQ(v->number, std::floor(v->number));
        EXPECT_GE(v->number, w.low);
        EXPECT_LE(v->number, w.high);
    }
}

std::optional<JsonDocument> ParseJson(const std::string& text) {
    std::string error;
    auto doc = FlatJsonReader(text).Read(error);
    if (!doc) ADD_FAILURE() << "not valid JSON (" << error << "):\n" << text;
    return doc;
}

// Runs the tool with --json, expects success without messages and returns
// the checked document.
std::optional<JsonDocument> RunJson(const Args& args0) {
    const Args args = Cat(args0, {"--json"});
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_TRUE(r.exited) << "signal " << r.signal;
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    if (r.status != 0) return std::nullopt;
    auto doc = ParseJson(r.out);
    if (doc) ExpectContract(*doc);
    return doc;
}

// Differences of angles (radians) reduced to -pi..pi, of hours to -12..12.
double AngleDiff(double a, double b) { return std::remainder(a - b, 2 * kPi); }
double HoursDiff(double a, double b) { return std::remainder(a - b, 24.0); }

// Element files in a private temporary folder.
struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("kelmaron-cli-test-" + std::to_string(getpid()) + "-dir");
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
    std::string Path(const std::string& name) const { return (path / name).string(); }
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(path / name, std::ios::binary) << content;
        return Path(name);
    }
};

const std::string kExampleComet = std::string(KELMARON_TEST_DATA) + "/elements/Beispiel.kom";

// ---------------------------------------------------------------------------
// The JSON contract for every object

struct ObjectCase {
    Args args;
    std::string name;  // expected body.name
    int index;         // expected body.index
};

std::vector<ObjectCase> AllObjects() {
    // Object indices: 1 Sun, 2 Moon, 3..9 the planets in order of distance,
    // 11 a comet file (".kom"), 12 the Earth and the arbitrary object.
    std::vector<ObjectCase> objects;
    int index = 1;
    for (const char* name : {"Sonne", "Mond", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"})
        objects.push_back({{"--object", name}, name, index++});
    objects.push_back({{"--object", "Erde"}, "Erde", 12});
    // The example comet of the element file format (first line = name).
    objects.push_back({{"--object", "Disk", "--elements", kExampleComet}, "Beispiel", 11});
    // Sirius, J2000 place from the Bright Star Catalogue.
    objects.push_back({{"--object", "beliebig", "--bel-name", "Sirius", "--bel-ra", "6.7524694", "--bel-dec",
                        "-16.7161", "--bel-mag", "-1.46", "--bel-equinox", "2000"},
                       "Sirius",
                       12});
    return objects;
}

TEST(CliJson, EveryObjectAtEveryKindOfPlaceFollowsTheContract) {
    const std::vector<Args> instants = {{"--date", "4.7.2026", "--time", "22:15:30", "--zone", "MESZ"},
                                        {"--jd", "2451545.0", "--zone", "UT"}};
    const std::vector<Args> places = {
        {}, {"--place", "Sydney"},
        {"--lon", "0", "--lat", "90"},  // the poles: the latitude's cosine is 0
        {"--lon", "0", "--lat", "-90"}, {"--lon", "-179.5", "--lat", "66.56"}};
    for (const ObjectCase& object : AllObjects()) {
        for (const Args& instant : instants) {
            for (const Args& place : places) {
                auto doc = RunJson(Cat(Cat(Cat({"position"}, instant), place), object.args));
                if (!doc) continue;
                EXPECT_EQ(Str(*doc, "body", "name"), object.name);
                EXPECT_EQ(Num(*doc, "body", "index"), object.index);
                // Ranges by definition: hours 0..24, right ascension 0..2 pi
                // (reduced with 2 pi rounded to ten decimals), declination and
                // altitude within +-90 degrees, azimuth from south in (-pi, pi].
                for (const char* key : {"gst0", "lst", "lmt"}) {
                    EXPECT_GE(Num(*doc, "instant", key), 0.0) << key;
                    EXPECT_LT(Num(*doc, "instant", key), 24.0) << key;
                }
                for (const char* section : {"body", "sun"}) {
                    SCOPED_TRACE(section);
                    EXPECT_GE(Num(*doc, section, "ra"), 0.0);
                    EXPECT_LT(Num(*doc, section, "ra"), 6.2831853072);
                    EXPECT_LE(std::fabs(Num(*doc, section, "dec")), kPi / 2);
                    EXPECT_LE(std::fabs(Num(*doc, section, "altitude")), kPi / 2);
                    EXPECT_GT(Num(*doc, section, "azimuth"), -kPi);
                    EXPECT_LE(Num(*doc, section, "azimuth"), kPi);
                    EXPECT_GE(Num(*doc, section, "hour_angle"), 0.0);
                    EXPECT_LT(Num(*doc, section, "hour_angle"), 24.0);
                }
                EXPECT_GE(Num(*doc, "body", "illuminated_fraction"), 0.0);
                EXPECT_LE(Num(*doc, "body", "illuminated_fraction"), 1.0);
                // The equation of time stays between about -14.2 min (mid
                // February) and +16.4 min (early November) in every year.
                EXPECT_GE(Num(*doc, "sun", "equation_of_time"), -14.6);
                EXPECT_LE(Num(*doc, "sun", "equation_of_time"), 16.8);
            }
        }
    }
}

TEST(CliJson, ObjectNamesAreWrittenAsValidJsonStrings) {
    // Quotes, backslashes, control characters and UTF-8 letters must come
    // back unchanged through a JSON reader.
    for (const std::string name : {"Stern \"A\"", "C:\\Sterne\\B", "Tab\there", "Größe Ä", "/", "O'Neil", ""}) {
        auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "beliebig", "--bel-name", name});
        if (doc) {
            EXPECT_EQ(Str(*doc, "body", "name"), name);
        }
    }
}

// ---------------------------------------------------------------------------
// The instant

TEST(CliInstant, CalendarDatesGiveTheirJulianDayAndWeekday) {
    // J + F = Julian Date, F counted from noon UT; weekday 0 = Monday.
    // Sources: Meeus, Astronomical Algorithms, ch. 7, where marked.
    struct Case {
        Args args;
        double j, f;
        int weekday;
    };
    const std::vector<Case> cases = {
        {{"--date", "1.1.2000", "--time", "12:00", "--zone", "UT"}, 2451545, 0, 5},  // J2000.0, a Saturday
        // 1.1.2000 23:30 UT (MEZ = UT + 1 h), a Sunday
        {{"--date", "2.1.2000", "--time", "00:30", "--zone", "MEZ"}, 2451545, 23.5 / 24 - 0.5, 6},
        {{"--date", "1.1.1900", "--time", "0:00", "--zone", "UT"}, 2415020, 0.5, 0},  // Meeus: 1900 Jan 0.5, Monday
        {{"--date", "15.10.1582", "--zone", "UT"}, 2299160, 0.5, 4},  // Meeus: first Gregorian day, a Friday
        {{"--date", "4.10.1582", "--zone", "UT"}, 2299159, 0.5, 3},   // Meeus: last Julian day, a Thursday
        {{"--date", "1.1.-4712", "--time", "12:00", "--zone", "UT"}, 0, 0, 0},  // Meeus: JD 0.0, a Monday
        {{"--date", "27.1.333", "--time", "12:00", "--zone", "UT"}, 1842713, 0, 5},  // Meeus ex. 7.b, Saturday
        {{"--date", "4.10.1957", "--time", "19:26:24", "--zone", "UT"}, 2436116, 0.31, 4},  // Meeus ex. 7.a, Friday
    };
    for (const Case& c : cases) {
        auto doc = RunJson(Cat({"position"}, c.args));
        if (!doc) continue;
        EXPECT_EQ(Num(*doc, "instant", "j"), c.j);
        EXPECT_NEAR(Num(*doc, "instant", "f"), c.f, 1e-9);  // 0.1 ms: rounding of the clock time only
        EXPECT_EQ(Num(*doc, "instant", "weekday"), c.weekday);
    }
}

TEST(CliInstant, DatesAreNormalisedLikeTheDateEntry) {
    struct Case {
        const char* date;
        int day, month, year;
    };
    for (const Case& c : {Case{"31.2.2026", 3, 3, 2026},   // February 2026 has 28 days
                          Case{"29.2.2024", 29, 2, 2024},  // a leap year
                          Case{"29.2.2100", 1, 3, 2100},   // no Gregorian leap year
                          Case{"0.1.2026", 31, 12, 2025},  // day 0: last day of the month before
                          Case{"5.13.2026", 5, 1, 2026}}) {  // a month outside 1..12 is taken as January
        auto doc = RunJson({"position", "--date", c.date, "--zone", "UT"});
        if (!doc) continue;
        EXPECT_EQ(Num(*doc, "instant", "day"), c.day);
        EXPECT_EQ(Num(*doc, "instant", "month"), c.month);
        EXPECT_EQ(Num(*doc, "instant", "year"), c.year);
    }
}

TEST(CliInstant, MidnightPastTheMonthsEndIsTheNextDay) {
    // In every zone, 0:00 on a day past the month's end is the first day of
    // the next month at 0:00; the transit is that day's.
    for (const char* zone : {"UT", "MEZ", "MESZ"}) {
        SCOPED_TRACE(zone);
        auto late = RunJson({"position", "--date", "32.12.2026", "--time", "0:00", "--zone", zone});
        auto plain = RunJson({"position", "--date", "1.1.2027", "--time", "0:00", "--zone", zone});
        if (!late || !plain) continue;
        EXPECT_EQ(Num(*late, "instant", "day"), 1);
        EXPECT_EQ(Num(*late, "instant", "month"), 1);
        EXPECT_EQ(Num(*late, "instant", "year"), 2027);
        EXPECT_EQ(Num(*late, "instant", "clock_time"), 0);
        EXPECT_NEAR(Num(*late, "body", "transit"), Num(*plain, "body", "transit"), 1e-9);
    }
    const RunResult text = RunCli({"position", "--date", "32.12.2026", "--time", "0:00"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("2027"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("2026"), std::string::npos) << text.out;
}

TEST(CliInstant, JulianDateReadsBackAsCalendarDateInTheZone) {
    struct Case {
        const char *jd, *zone;
        double j, f;
        int day, month, year;
        double clock;
    };
    const std::vector<Case> cases = {
        {"2451545.0", "UT", 2451545, 0, 1, 1, 2000, 12},       // J2000.0 = 2000 Jan 1, 12h UT
        {"2451545.0", "MEZ", 2451545, 0, 1, 1, 2000, 13},      // MEZ = UT + 1 h
        {"2451544.5", "MESZ", 2451544, 0.5, 1, 1, 2000, 2},    // 0h UT plus MESZ's 2 h
        {"2451545.75", "UT", 2451545, 0.75, 2, 1, 2000, 6},    // next day 6h
        {"2299160.5", "UT", 2299160, 0.5, 15, 10, 1582, 0},    // Meeus ch. 7: first Gregorian day
        {"-0.25", "UT", -1, 0.75, 1, 1, -4712, 6},             // 6 h before JD 0.0 = -4712 Jan 1.5
        {"2436116.31", "UT", 2436116, 0.31, 4, 10, 1957, 19.44},  // Meeus ex. 7.a: 1957 Oct 4.81
    };
    for (const Case& c : cases) {
        auto doc = RunJson({"position", "--jd", c.jd, "--zone", c.zone});
        if (!doc) continue;
        EXPECT_EQ(Num(*doc, "instant", "j"), c.j);
        EXPECT_NEAR(Num(*doc, "instant", "f"), c.f, 1e-15);  // the fraction is read from the digits after "."
        EXPECT_EQ(Num(*doc, "instant", "day"), c.day);
        EXPECT_EQ(Num(*doc, "instant", "month"), c.month);
        EXPECT_EQ(Num(*doc, "instant", "year"), c.year);
        EXPECT_NEAR(Num(*doc, "instant", "clock_time"), c.clock, 1e-9);  // 4 microseconds
    }
    // The fraction is read on its own: as one double near 2.4 million the
    // Julian Date would carry only about 10 decimals.
    auto doc = RunJson({"position", "--jd", "2451545.4791666666666667", "--zone", "UT"});
    if (!doc) return;
    EXPECT_EQ(Num(*doc, "instant", "j"), 2451545);
    EXPECT_EQ(Num(*doc, "instant", "f"), 0.4791666666666667);
}

TEST(CliInstant, DateAndJulianDateOfTheSameInstantGiveTheSameOutput) {
    // Fractions of the day exact in binary, so both ways reach the same (J, F).
    const std::vector<std::pair<Args, Args>> cases = {
        {{"--date", "1.1.2000", "--time", "12:00", "--zone", "UT"}, {"--jd", "2451545.0", "--zone", "UT"}},
        // 19:00 MEZ = 18:00 UT = noon + 0.25 d
        {{"--date", "1.1.2000", "--time", "19:00", "--zone", "MEZ"}, {"--jd", "2451545.25", "--zone", "MEZ"}},
        // 4 July 2026 0h UT = JD 2461225.5 (1 Jan 2026 0h UT = JD 2461041.5, plus 184 days)
        {{"--date", "4.7.2026", "--time", "2:00", "--zone", "MESZ"}, {"--jd", "2461225.5", "--zone", "MESZ"}},
    };
    for (const auto& [byDate, byJd] : cases) {
        for (const char* object : {"Sonne", "Mond", "Saturn"}) {
            const Args a = Cat({"position", "--object", object, "--json"}, byDate);
            const Args b = Cat({"position", "--object", object, "--json"}, byJd);
            SCOPED_TRACE(Describe(a) + "  vs  " + Describe(b));
            const RunResult ra = RunCli(a), rb = RunCli(b);
            EXPECT_EQ(ra.status, 0) << ra.err;
            EXPECT_EQ(rb.status, 0) << rb.err;
            EXPECT_FALSE(ra.out.empty());
            EXPECT_EQ(ra.out, rb.out);
        }
    }
}

TEST(CliInstant, ZonesShiftTheClockButNotTheInstant) {
    // 12:30 UT = 13:30 MEZ = 14:30 MESZ (offsets 0, 1, 2 hours).
    const std::vector<std::pair<const char*, const char*>> clocks = {
        {"UT", "12:30"}, {"MEZ", "13:30"}, {"MESZ", "14:30"}};
    for (const char* object : {"Mond", "Venus"}) {
        std::vector<JsonDocument> docs;
        for (const auto& [zone, time] : clocks) {
            auto doc = RunJson({"position", "--date", "1.7.2026", "--time", time, "--zone", zone, "--object", object});
            if (!doc) return;
            docs.push_back(*doc);
        }
        const JsonDocument& ut = docs[0];
        for (std::size_t z = 0; z < docs.size(); ++z) {
            SCOPED_TRACE(std::string(object) + " in zone " + clocks[z].first);
            const JsonDocument& d = docs[z];
            const double zone = static_cast<double>(z);
            EXPECT_EQ(Num(d, "instant", "zone"), zone);
            EXPECT_NEAR(Num(d, "instant", "clock_time"), 12.5 + zone, 1e-12);
            // (hours - zone) / 24 is the same exact number in all three zones.
            EXPECT_EQ(Num(d, "instant", "j"), Num(ut, "instant", "j"));
            EXPECT_EQ(Num(d, "instant", "f"), Num(ut, "instant", "f"));
            // The clock time read back may differ in its last bit: agreement
            // to rounding (1e-9 h = 4 us, 1e-9 rad = 0.0002").
            for (const char* key : {"gst0", "lst", "lmt"})
                EXPECT_NEAR(HoursDiff(Num(d, "instant", key), Num(ut, "instant", key)), 0.0, 1e-9) << key;
            for (const auto& [section, key] : {std::pair{"body", "ra"}, {"body", "dec"}, {"body", "altitude"},
                                               {"body", "azimuth"}, {"sun", "altitude"}, {"sun", "azimuth"}})
                EXPECT_NEAR(AngleDiff(Num(d, section, key), Num(ut, section, key)), 0.0, 1e-9) << section << key;
            // Transit, rise and set are clock times of the zone; 99: none that day.
            for (const char* key : {"transit", "rise", "set"})
                if (Num(ut, "body", key) != 99) {
                    EXPECT_NEAR(Num(d, "body", key) - zone, Num(ut, "body", key), 1e-9) << key;
                }
        }
    }
}

// ---------------------------------------------------------------------------
// The place

TEST(CliPlace, DefaultAndBuiltInPlacesByNameAndByNumber) {
    // The default place Hannover, 9.798333 E 52.4 N, exactly; a few other
    // built-in places against geography: the poles and the equator exactly,
    // cities to half a degree. Numbers are the menu positions, 1..15.
    struct Place {
        int number;
        const char* name;
        double lon, lat, tolerance;  // degrees, east and north positive
    };
    // An object at the celestial pole of date stands at an altitude equal to
    // the geographic latitude; entered for the equinox of the year it is half
    // a day of precession (0.03") away from the pole of the date.
    const Args base = {"position", "--date",   "1.1.2026", "--time",   "0:00", "--zone",    "UT",
                       "--json",   "--object", "beliebig", "--bel-ra", "0",    "--bel-dec", "90",
                       "--bel-equinox", "9999", "--equinox", "9999"};
    for (const Place& p : {Place{1, "Hannover", 9.79833333333333, 52.4, 0}, Place{4, "Köln", 6.96, 50.94, 0.5},
                           Place{10, "New York", -74.0, 40.7, 0.5}, Place{11, "Sydney", 151.2, -33.87, 0.5},
                           Place{13, "Nordpol", 0, 90, 0}, Place{14, "Äquator", 0, 0, 0},
                           Place{15, "Südpol", 0, -90, 0}}) {
        std::vector<Args> ways = {{"--place", p.name}, {"--place", std::to_string(p.number)}};
        if (p.number == 1) ways.insert(ways.end(), {{}, {"--lon", "9.79833333333333", "--lat", "52.4"}});
        std::string first;
        for (const Args& way : ways) {
            SCOPED_TRACE(Describe(Cat(base, way)));
            const RunResult r = RunCli(Cat(base, way));
            EXPECT_EQ(r.status, 0) << r.err;
            if (first.empty()) first = r.out;
            EXPECT_EQ(r.out, first);
        }
        SCOPED_TRACE(p.name);
        auto doc = ParseJson(first);
        if (!doc) continue;
        ExpectContract(*doc);
        // At 0h UT the local mean time is the longitude in hours, and the local
        // sidereal time exceeds Greenwich's by it plus the equation of the
        // equinoxes (at most 1.2 s).
        const double lonHours = p.lon / 15, tolerance = 1e-12 + p.tolerance / 15;
        EXPECT_NEAR(HoursDiff(Num(*doc, "instant", "lmt"), lonHours), 0.0, tolerance);
        EXPECT_NEAR(HoursDiff(Num(*doc, "instant", "lst") - Num(*doc, "instant", "gst0"), lonHours), 0.0,
                    1.2 / 3600 + tolerance);
        EXPECT_NEAR(Num(*doc, "body", "altitude"), p.lat / kRadToDeg, 0.1 * kOneArcsecRad + p.tolerance / kRadToDeg);
    }
}

// ---------------------------------------------------------------------------
// Positions that must come out whatever the theory's details

TEST(CliPosition, SunDistanceAtPerihelionAndAphelion) {
    // Earth's orbit, J2000 mean elements a = 1.00000011 AU, e = 0.01671022
    // (Standish, JPL "Keplerian elements for approximate positions"):
    // perihelion a (1 - e) = 0.98329 AU, aphelion a (1 + e) = 1.01671 AU.
    // 1e-4 AU covers the swing about the Earth-Moon barycentre (4700 km) and
    // perturbations; a day from the apsis changes the distance by 3e-6 AU.
    for (const auto& [date, distance] : {std::pair{"3.1.2000", 0.98329}, {"4.7.2000", 1.01671}, {"3.1.2026", 0.98329},
                                         {"6.7.2026", 1.01671}, {"1.1.2026", 0.98329}}) {
        SCOPED_TRACE(date);
        auto doc = RunJson({"position", "--date", date, "--zone", "UT", "--object", "Sonne"});
        if (!doc) continue;
        EXPECT_NEAR(Num(*doc, "sun", "r"), distance, 1e-4);
        EXPECT_EQ(Num(*doc, "body", "delta"), Num(*doc, "sun", "r"));  // the Sun as object: the same distance
    }
}

TEST(CliPosition, EquinoxOfDateDiffersFromJ2000ByThePrecession) {
    // Annual precession (Meeus, Astronomical Algorithms, 21.1): m = 3.075 s,
    // n = 1.336 s = 20.04", years counted from JD 2451544.5. 1.5 s and 10"
    // cover the nutation (at most 17" in longitude) and second-order terms.
    for (const char* date : {"1.1.2026", "15.5.2040", "20.9.1980"}) {
        for (const char* object : {"Sonne", "Mars"}) {
            SCOPED_TRACE(std::string(object) + " " + date);
            const Args args = {"position", "--date", date, "--zone", "UT", "--object", object, "--equinox"};
            auto ofDate = RunJson(Cat(args, {"9999"}));
            auto j2000 = RunJson(Cat(args, {"2000"}));
            if (!ofDate || !j2000) continue;
            const double years = (Num(*ofDate, "instant", "j") + Num(*ofDate, "instant", "f") - 2451544.5) / 365.25;
            const double dRa = AngleDiff(Num(*ofDate, "body", "ra"), Num(*j2000, "body", "ra"));
            const double ra = Num(*ofDate, "body", "ra") - dRa / 2;
            const double dec = (Num(*ofDate, "body", "dec") + Num(*j2000, "body", "dec")) / 2;
            EXPECT_NEAR(dRa * 12 / kPi * 3600, (3.075 + 1.336 * std::sin(ra) * std::tan(dec)) * years, 1.5);
            EXPECT_NEAR((Num(*ofDate, "body", "dec") - Num(*j2000, "body", "dec")) / kOneArcsecRad,
                        20.04 * std::cos(ra) * years, 10.0);
            // Altitude and azimuth always belong to the coordinates of date.
            EXPECT_EQ(Num(*ofDate, "body", "altitude"), Num(*j2000, "body", "altitude"));
        }
    }
}

TEST(CliPosition, ArbitraryObjectComesBackAtItsOwnEquinox) {
    // Entered and shown for the same equinox, a fixed object keeps its
    // coordinates up to the round trip of the precession (start epoch noon of
    // 1 January, target the midnight before; the t^2 and T t terms do not
    // reverse): about 2.5" t^2 for t centuries, 0.2" from 2000, 1.5" from 1950.
    struct Case {
        const char *name, *ra, *dec, *mag;  // hours, degrees
    };
    for (const Case& s : {Case{"Sirius", "6.7524694", "-16.7161", "-1.46"}, Case{"Polaris", "2.5303", "89.2641", "1.97"},
                          Case{"Canopus", "6.3992", "-52.6957", "-0.74"}, Case{"Wega", "18.6156", "38.7837", "0.03"}}) {
        for (const auto& [equinox, toleranceArcsec] : {std::pair{"2000", 0.3}, std::pair{"1950", 1.5}}) {
            SCOPED_TRACE(std::string(s.name) + " equinox " + equinox);
            auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "beliebig", "--bel-name", s.name,
                                "--bel-ra", s.ra, "--bel-dec", s.dec, "--bel-mag", s.mag, "--bel-equinox", equinox,
                                "--equinox", equinox});
            if (!doc) continue;
            EXPECT_EQ(Str(*doc, "body", "name"), s.name);
            EXPECT_EQ(Num(*doc, "body", "magnitude"), std::strtod(s.mag, nullptr));
            const double decRad = std::strtod(s.dec, nullptr) / kRadToDeg;
            const double raRad = std::strtod(s.ra, nullptr) * kPi / 12;
            EXPECT_NEAR(AngleDiff(Num(*doc, "body", "ra"), raRad) * std::cos(decRad), 0.0,
                        toleranceArcsec * kOneArcsecRad);
            EXPECT_NEAR(Num(*doc, "body", "dec"), decRad, toleranceArcsec * kOneArcsecRad);
        }
    }
}

TEST(CliPosition, OrbitObjectOfTheExampleCometFile) {
    // Worked example: e = 0.9, q = 1.5 AU, a = q / (1 - e) = 15 AU, P = 15^1.5 years.
    auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "Disk", "--elements", kExampleComet});
    if (!doc) return;
    EXPECT_EQ(Str(*doc, "body", "name"), "Beispiel");
    EXPECT_EQ(Num(*doc, "body", "index"), 11);
    EXPECT_NEAR(Num(*doc, "body", "period"), std::sqrt(15.0 * 15.0 * 15.0), 1e-9);
    // Kepler's equation solved here by Newton: mean motion k / a^1.5 with
    // k = 0.01720209895 rad/day, perihelion JD 2461000.5, at the light-time
    // corrected instant the tool reports (t in centuries from JD 2415020.0).
    // The tool stops at 1e-8 rad, which moves r by at most a e 1e-8 = 1.4e-7 AU.
    const double a = 15, e = 0.9;
    const double M = 0.01720209895 / std::pow(a, 1.5) * (36525 * Num(*doc, "body", "t") + 2415020 - 2461000.5);
    double E = M;
    for (int i = 0; i < 100; ++i) E -= (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
    EXPECT_NEAR(Num(*doc, "body", "r"), a * (1 - e * std::cos(E)), 1.5e-7);
}

TEST(CliPosition, MessierObjectsFromTheBundledCatalogue) {
    // J2000 places (OpenNGC): M42 5h 35m 16.48s -5 23' 22.8", M31 0h 42m
    // 44.35s +41 16' 8.6"; the catalogue holds 1950 places, precessed here.
    struct Case {
        int messier;
        double raHours, decDeg;
        int index;
    };
    for (const Case& c : {Case{42, 5 + 35.0 / 60 + 16.48 / 3600, -(5 + 23.0 / 60 + 22.8 / 3600), 23},
                          Case{31, 0 + 42.0 / 60 + 44.35 / 3600, 41 + 16.0 / 60 + 8.6 / 3600, 22}}) {
        auto doc = RunJson({"position", "--jd", "2451545.0", "--zone", "UT", "--object", "Messier", "--messier",
                            std::to_string(c.messier)});
        if (!doc) return;
        EXPECT_EQ(Str(*doc, "body", "name"), "M " + std::to_string(c.messier));
        EXPECT_EQ(Num(*doc, "body", "index"), c.index);
        EXPECT_NEAR(Num(*doc, "body", "ra"), c.raHours * 15 / kRadToDeg, kOneArcsecRad);
        EXPECT_NEAR(Num(*doc, "body", "dec"), c.decDeg / kRadToDeg, kOneArcsecRad);
        EXPECT_EQ(Num(*doc, "body", "period"), -1);
    }
}

TEST(CliPosition, ElementFileKindFollowsTheFileName) {
    // ".kpl" minor planet 13, ".kom" comet 11 (any case), other endings 12,
    // the name "Pluto" 10 whatever the ending.
    TempFolder tmp;
    struct Case {
        const char *file, *name;
        int index;
    };
    for (const Case& c : {Case{"klein.kpl", "Klein", 13}, Case{"KOMET.KOM", "Komet", 11},
                          Case{"andere.txt", "Andere", 12}, Case{"pluto.txt", "Pluto", 10}}) {
        const std::string path =
            tmp.Write(c.file, std::string(c.name) + "\ne= 0.2\na= 2.5\nknoten= 80\nomega= 120\ni= 10\nT= 2461000.5\n");
        auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "Disk", "--elements", path});
        if (!doc) continue;
        EXPECT_EQ(Str(*doc, "body", "name"), c.name);
        EXPECT_EQ(Num(*doc, "body", "index"), c.index);
        EXPECT_NEAR(Num(*doc, "body", "period"), std::pow(2.5, 1.5), 1e-9);  // Kepler's third law
    }
}

// ---------------------------------------------------------------------------
// Bad input: one case per validation rule

TEST(CliErrors, BadInputEndsWithStatusTwoAndOneLine) {
    TempFolder tmp;
    const std::vector<Args> withDate = {
        // object and place
        {"--object", "Pluto"}, {"--place", "Paris"}, {"--place", "0"}, {"--place", "16"},
        {"--zone", "CET"},
        // geographic coordinates: range, not finite, overflow, decimal comma, one missing, both ways
        {"--lon", "9", "--lat", "-90.0001"}, {"--lon", "361", "--lat", "50"}, {"--lon", "nan", "--lat", "50"},
        {"--lon", "9", "--lat", "-inf"}, {"--lon", "1e999", "--lat", "50"}, {"--lon", "1e-400", "--lat", "50"},
        {"--lon", "+-9", "--lat", "50"}, {"--lon", "9,5", "--lat", "50"},
        {"--lon", "9"}, {"--lat", "50"}, {"--place", "1", "--lon", "9", "--lat", "50"},
        // option syntax: value missing, unknown option, given twice
        {"--object"}, {"--frobnicate", "1"}, {"--object", "Mond", "--object", "Sonne"},
        // element file (missing, a folder) and arbitrary object
        {"--object", "Disk", "--elements", tmp.Path("fehlt.kom")}, {"--object", "Disk", "--elements", tmp.Path("")},
        {"--object", "beliebig", "--bel-dec", "95"}, {"--object", "beliebig", "--bel-dec", "-90.5"},
        {"--object", "beliebig", "--bel-ra", "abc"}, {"--object", "beliebig", "--bel-equinox", "2000.5"},
        {"--equinox", "zwei"},
        // Messier number range and syntax, only with Messier, no catalogue
        {"--object", "Messier", "--messier", "0"}, {"--object", "Messier", "--messier", "110"},
        {"--object", "Messier", "--messier", "x"}, {"--object", "Mond", "--messier", "42"},
        {"--object", "Messier", "--data", tmp.Path("leer")},
        // elements that give no orbit: the check message joins the one line
        {"--object", "Disk", "--elements", tmp.Write("kaputt.kom", "Kaputt\r\ne= 1\r\nq= 0\r\n")},
    };
    for (const Args& more : withDate) ExpectUsageError(Cat({"position", "--date", "1.1.2026"}, more));
    const std::vector<Args> others = {
        // date, time and Julian Date syntax, both ways at once, no instant
        {"position", "--date", "1.2"}, {"position", "--date", "32.x.2026"}, {"position", "--date", "1.1.2000x"},
        {"position", "--date", "1..2000"}, {"position", "--date", "1.1.2000", "--time", "12"},
        {"position", "--date", "1.1.2000", "--time", "12:xx"}, {"position", "--date", "1.1.2000", "--time", "12:00:zz"},
        {"position", "--jd", "abc"}, {"position", "--jd", ""}, {"position", "--jd", "2451545.5x"},
        {"position", "--jd", "2451545", "--date", "1.1.2000"}, {"position"},
        // commands
        {}, {"unbekannt"},
        // utm: number, latitude beyond 84 degrees, longitude range, missing, syntax
        {"utm", "--lon", "abc", "--lat", "50"}, {"utm", "--lon", "9", "--lat", "85"},
        {"utm", "--lon", "181", "--lat", "50"}, {"utm", "--lon", "9"}, {"utm", "--lat", "50"},
        {"utm", "--lon", "9", "--lat"}, {"utm", "--lon", "9", "--lat", "50", "--lon", "10"},
        {"utm", "--lon", "9", "--lat", "50", "--json"},
        // geo: number, ranges of easting and northing, hemisphere, missing, unknown option
        {"geo", "--east", "abc", "--north", "5538630"}, {"geo", "--east", "32500000", "--north", "-1"},
        {"geo", "--east", "32500000", "--north", "10000000"}, {"geo", "--east", "-5", "--north", "5538630"},
        {"geo", "--east", "61000001", "--north", "5538630"},
        {"geo", "--east", "32500000", "--north", "5538630", "--hemisphere", "X"},
        {"geo", "--east", "32500000"}, {"geo", "--north", "5538630"},
        {"geo", "--east", "32500000", "--north", "5538630", "--zone", "32"},
        // render: view, output, sizes, flags, regions, and the position options
        {"render", "--out", tmp.Path("a.png"), "--date", "1.1.2026"},
        {"render", "--view", "mars", "--out", tmp.Path("a.png"), "--date", "1.1.2026"},
        {"render", "--view", "himmel", "--date", "1.1.2026"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.jpg"), "--date", "1.1.2026"},
        {"render", "--view", "himmel", "--out", tmp.Path("fehlt/a.png"), "--date", "1.1.2026"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--width", "100"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--height", "1e9"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--flags", "128"},
        // the scale: a whole number 1..4, the image at most 6000 pixels a side
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale", "0"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale", "5"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale", "1.5"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale", "zwei"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--scale", "4", "--width",
         "1501"},
        {"render", "--view", "aequatorial", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--delta-min", "30",
         "--delta-max", "10"},
        {"render", "--view", "horizont", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--hoehe-max", "95"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--object", "Pluto"},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png")},
        // no position for the object view, no star catalogue for a chart
        {"render", "--view", "objekt", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--object", "Disk",
         "--elements", tmp.Write("kaputt.kpl", "Kaputt\ne=0.5\n")},
        {"render", "--view", "himmel", "--out", tmp.Path("a.png"), "--date", "1.1.2026", "--data", tmp.Path("")},
    };
    for (const Args& args : others) ExpectUsageError(args);
    EXPECT_FALSE(fs::exists(tmp.Path("a.png")));
}

TEST(CliRender, WritesAnImageOfTheAskedSizeAndReplacesAFileWhole) {
    TempFolder tmp;
    const std::string out = tmp.Write("bild.png", "alter Inhalt");
    const RunResult ok = RunCli({"render", "--view", "objekt", "--out", out, "--width", "640", "--height", "480",
                                 "--date", "7.12.2026", "--time", "21:00", "--object", "Mond"});
    ASSERT_TRUE(ok.exited);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.err, "");
    EXPECT_EQ(PngSize(ReadFile(out)), std::make_pair(640, 480));
    // --scale: the same picture with scale x scale image pixels for each.
    for (int scale : {2, 4}) {
        const RunResult scaled =
            RunCli({"render", "--view", "objekt", "--out", out, "--width", "640", "--height", "480", "--scale",
                    std::to_string(scale), "--date", "7.12.2026", "--time", "21:00", "--object", "Mond"});
        EXPECT_EQ(scaled.status, 0) << scaled.err;
        EXPECT_EQ(PngSize(ReadFile(out)), std::make_pair(640 * scale, 480 * scale));
    }
    // A failing run leaves the file as it was.
    const std::string before = ReadFile(out);
    ExpectUsageError({"render", "--view", "objekt", "--out", out, "--date", "7.12.2026", "--object", "Pluto"});
    EXPECT_EQ(ReadFile(out), before);
    for (const auto& entry : fs::directory_iterator(tmp.Path("")))
        EXPECT_EQ(entry.path().extension(), ".png") << entry.path();  // no temporary file left behind
}

TEST(CliErrors, LimitsOfTheValidRangesAreAccepted) {
    for (const Args& more : std::vector<Args>{{"--lon", "9", "--lat", "90"},
                                              {"--lon", "-9", "--lat", "-90.000"},
                                              {"--lon", "360", "--lat", "0"},
                                              {"--place", "15"},  // the last of the 15 built-in places
                                              {"--object", "beliebig", "--bel-dec", "90"},
                                              {"--object", "beliebig", "--bel-dec", "-90"}})
        RunJson(Cat({"position", "--date", "21.6.2026", "--time", "12:00"}, more));
    RunJson({"position", "--jd", "2451545"});  // without fraction
}

// ---------------------------------------------------------------------------
// Messages of the element-file checks

TEST(CliElementMessages, CheckMessagesGoToStderrAndTheComputationGoesOn) {
    // Each check rule once: node, perihelion or inclination 0, a mean anomaly
    // without its epoch, a line without "=" (reported and skipped).
    TempFolder tmp;
    struct Case {
        const char *file, *content, *messageStart, *messageEnd;  // each message one line
    };
    for (const Case& c :
         {Case{"ohneknoten.kpl", "OhneKnoten\ne= 0.2\na= 2.5\nomega= 120\ni= 10\nT= 2461000.5\n",
               "Bahnelemente von OhneKnoten", "überprüfen !"},
          Case{"ohneomega.kom", "OhneOmega\ne= 0.9\nq= 1.5\nknoten= 80\ni= 10\nT= 2461000.5\n",
               "Bahnelemente von OhneOmega", "überprüfen !"},
          Case{"ohnei.kom", "OhneI\ne= 0.9\nq= 1.5\nknoten= 80\nomega= 120\nT= 2461000.5\n", "Bahnelemente von OhneI",
               "überprüfen !"},
          Case{"ohneepoche.kpl", "OhneEpoche\ne= 0.2\na= 2.5\nknoten= 80\nomega= 120\ni= 10\nM= 50\n",
               "Bahnelemente von OhneEpoche", "überprüfen !"},
          Case{"zeile.kpl", "Zeile\ne= 0.2\na= 2.5\nknoten= 80\nkein Wert hier\nomega= 120\ni= 10\nT= 2461000.5\n",
               "Fehler in Datei", "zeile.kpl"}}) {
        const Args args = {"position", "--date", "1.1.2026", "--object", "Disk", "--elements",
                           tmp.Write(c.file, c.content), "--json"};
        SCOPED_TRACE(Describe(args));
        const RunResult r = RunCli(args);
        EXPECT_TRUE(r.exited) << "signal " << r.signal;
        EXPECT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 1u) << r.err;
        EXPECT_TRUE(lines[0].starts_with(c.messageStart)) << lines[0];
        EXPECT_TRUE(lines[0].ends_with(c.messageEnd)) << lines[0];
        if (auto doc = ParseJson(r.out)) ExpectContract(*doc);
    }
}

// ---------------------------------------------------------------------------
// The German text form

TEST(CliText, TextFormShowsEveryObjectWithoutNonFiniteValues) {
    for (const ObjectCase& object : AllObjects()) {
        for (const char* lat : {"52.4", "90", "-90"}) {
            const Args args = Cat({"position", "--date", "1.1.2000", "--time", "12:00", "--zone", "UT", "--lon",
                                   "9.79833333333333", "--lat", lat},
                                  object.args);
            SCOPED_TRACE(Describe(args));
            const RunResult r = RunCli(args);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");
            EXPECT_FALSE(HasNonFiniteWord(r.out)) << r.out;
            const std::vector<std::string> lines = Lines(r.out);
            // J2000.0: 1 January 2000, 12h UT, a Saturday, JD 2451545.0.
            for (const std::string& line :
                 {std::string("Datum:         1.Jan 2000, Sa"), std::string("Jul. Datum:   2451545.00000"),
                  "Objekt:       " + object.name})
                EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << r.out;
        }
    }
}

// ---------------------------------------------------------------------------
// UTM

// Meridian arc of WGS84 from the equator to latitude phi by Simpson's rule
// on M = a (1 - e^2) Int (1 - e^2 sin^2 t)^(-3/2) dt (2000 steps: << 1 mm).
double MeridianArc(double phiDeg) {
    const double a = 6378137.0, f = 1 / 298.257223563, e2 = f * (2 - f);
    const int n = 2000;
    const double h = phiDeg / kRadToDeg / n;
    auto g = [e2](double t) { return std::pow(1 - e2 * std::sin(t) * std::sin(t), -1.5); };
    double sum = g(0) + g(n * h);
    for (int i = 1; i < n; ++i) sum += (i % 2 ? 4 : 2) * g(i * h);
    return a * (1 - e2) * sum * h / 3;
}

double ValueAfter(const std::string& text, const std::string& label) {
    const std::size_t p = text.find(label);
    return p == std::string::npos ? std::nan("") : std::strtod(text.c_str() + p + label.size(), nullptr);
}

// Runs a conversion that must succeed with two lines on stdout.
std::vector<std::string> RunTwoLines(const Args& args) {
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines = Lines(r.out);
    EXPECT_EQ(lines.size(), 2u) << r.out;
    lines.resize(2);
    return lines;
}

std::pair<double, double> RunUtm(double lon, double lat) {  // easting, northing
    const std::vector<std::string> lines = RunTwoLines({"utm", "--lon", Print17(lon), "--lat", Print17(lat)});
    return {ValueAfter(lines[0], "Ostwert:"), ValueAfter(lines[1], "Nordwert:")};
}

// Reads "Länge=  +9° 00' 00.0000"  (9.000000000°)" after its label: the
// decimal degrees in brackets, checked against the sexagesimal form before them.
double GeoLine(const std::string& line, const std::string& label) {
    EXPECT_TRUE(line.starts_with(label)) << line;
    double decimal = std::nan(""), d = 0, m = 0, s = 0;
    const std::size_t open = line.find('(');
    EXPECT_TRUE(open != std::string::npos && std::sscanf(line.c_str() + open, "(%lf", &decimal) == 1) << line;
    EXPECT_EQ(std::sscanf(line.c_str() + label.size(), "%lf° %lf' %lf", &d, &m, &s), 3) << line;
    // Seconds with four decimals: half of 0.0001" plus the nine decimals of
    // the degrees. The sign of "-0°" is kept by the degrees read.
    EXPECT_NEAR(std::copysign(std::fabs(d) + m / 60 + s / 3600, d), decimal, 0.00005 / 3600 + 1e-9) << line;
    return decimal;
}

std::pair<double, double> RunGeo(double east, double north) {  // longitude, latitude
    char e[40], n[40];
    std::snprintf(e, sizeof e, "%.3f", east);
    std::snprintf(n, sizeof n, "%.3f", north);
    const std::vector<std::string> lines = RunTwoLines({"geo", "--east", e, "--north", n});
    return {GeoLine(lines[0], "Länge="), GeoLine(lines[1], "Breite=")};
}

TEST(CliUtm, CentralMeridiansGiveTheScaledMeridianArc) {
    // On a zone's central meridian (6 zone - 183 degrees) the easting is the
    // false easting 500000 m and the northing k0 = 0.9996 times the meridian
    // arc, plus the false northing 10000000 m south of the equator. 1 cm.
    // Published values: 9 E 50 N -> 32 500000, 5538630.70; 9 E 10 S -> 8894587.51.
    struct Case {
        double lon, lat;
        int zone;
        double published;  // northing, 0 when none
    };
    for (const Case& c : {Case{9, 50, 32, 5538630.70}, Case{9, -10, 32, 8894587.51}, Case{-75, 40, 18, 0},
                          Case{15, 70, 33, 0}, Case{177, 83.5, 60, 0}, Case{-177, 20.25, 1, 0}, Case{3, 1, 31, 0},
                          Case{135, -35.5, 53, 0}}) {
        SCOPED_TRACE(std::to_string(c.lon) + " " + std::to_string(c.lat));
        const auto [east, north] = RunUtm(c.lon, c.lat);
        const double arc = 0.9996 * MeridianArc(std::fabs(c.lat));
        EXPECT_NEAR(east, c.zone * 1000000.0 + 500000.0, 0.01);
        EXPECT_NEAR(north, c.lat >= 0 ? arc : 10000000.0 - arc, 0.01);
        if (c.published != 0) {
            EXPECT_NEAR(north, c.published, 0.01);
        }
    }
}

TEST(CliUtm, GeoInvertsUtmWithinAZone) {
    // Northern points across zones, the published 9 E 50 N first. A
    // centimetre on the ground is 9e-8 degrees of latitude.
    for (const auto& [lon, lat] : std::vector<std::pair<double, double>>{
             {9, 50}, {9.5, 50.2}, {13.36666, 52.51666}, {-73.987, 40.62217}, {11.99, 47.0}, {6.01, 0.5},
             {37.938, 55.764229}, {-0.1, 51.48791}, {-120.5, 35.25}, {100.0, 10.0}, {20.0, 80.0}}) {
        SCOPED_TRACE(std::to_string(lon) + " " + std::to_string(lat));
        const auto [east, north] = RunUtm(lon, lat);
        const auto [gLon, gLat] = RunGeo(east, north);
        const double metresPerDegree = 111320.0;
        EXPECT_NEAR((gLat - lat) * metresPerDegree, 0.0, 0.01);
        EXPECT_NEAR((gLon - lon) * metresPerDegree * std::cos(lat / kRadToDeg), 0.0, 0.01);
    }
}

}  // namespace

// Tests of kelmaron-cli as a user runs it: the tool is started as a separate
// process and judged only by its exit status, stdout and stderr.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kOneArcsecRad = kPi / 180.0 / 3600.0;
constexpr double kOneSecondInHours = 1.0 / 3600.0;

// ---------------------------------------------------------------------------
// Running the tool

struct RunResult {
    bool exited = false;  // false: killed by a signal or not started
    int status = -1;      // exit status when exited
    int signal = 0;
    std::string out;
    std::string err;
};

std::string Describe(const std::vector<std::string>& args) {
    std::string text = "kelmaron-cli";
    for (const std::string& a : args)
        text += " '" + a + "'";
    return text;
}

// Starts the tool with exactly these arguments (no shell, so nothing needs
// quoting) and collects both output streams until it ends.
RunResult RunCli(const std::vector<std::string>& args) {
    RunResult result;
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0) return result;
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
        posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<std::string> storage;
    storage.push_back(KELMARON_CLI);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, KELMARON_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        ADD_FAILURE() << "cannot start " << KELMARON_CLI << ": " << std::strerror(spawned);
        return result;
    }

    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool killed = false;
    while (open > 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            killed = true;
            break;
        }
        if (poll(fds, 2, 1000) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& p : fds)
        if (p.fd >= 0) close(p.fd);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (killed) ADD_FAILURE() << Describe(args) << " did not finish within 60 s";
    if (WIFEXITED(wstatus)) {
        result.exited = true;
        result.status = WEXITSTATUS(wstatus);
    } else if (WIFSIGNALED(wstatus)) {
        result.signal = WTERMSIG(wstatus);
    }
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t nl = text.find('\n', from);
        if (nl == std::string::npos) nl = text.size();
        lines.push_back(text.substr(from, nl - from));
        from = nl + 1;
    }
    return lines;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "nan" or "inf" standing as a word of its own (any case), as printf
// writes non-finite numbers.
bool HasNonFiniteWord(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const char* word : {"nan", "inf"}) {
        for (std::size_t p = lower.find(word); p != std::string::npos; p = lower.find(word, p + 1)) {
            const bool before = p > 0 && IsLetter(lower[p - 1]);
            const bool after = p + 3 < lower.size() && IsLetter(lower[p + 3]) && lower.compare(p, 8, "infinity") != 0;
            if (!before && !after) return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// A reader for the tool's JSON: one object of objects whose members are
// strings or numbers. Strict JSON grammar; keys kept in their order.

struct JsonValue {
    bool isString = false;
    std::string text;  // the decoded string, or the number exactly as printed
    double number = 0;
};
using JsonObject = std::vector<std::pair<std::string, JsonValue>>;
using JsonDocument = std::vector<std::pair<std::string, JsonObject>>;

class FlatJsonReader {
public:
    explicit FlatJsonReader(std::string_view text) : t_(text) {}

    std::optional<JsonDocument> Read(std::string& error) {
        JsonDocument doc;
        SkipSpace();
        if (!Take('{')) return Fail(error, "'{' expected");
        SkipSpace();
        if (!Take('}')) {
            for (;;) {
                std::string key;
                JsonObject object;
                SkipSpace();
                if (!ReadString(key)) return Fail(error, "key expected");
                SkipSpace();
                if (!Take(':')) return Fail(error, "':' expected");
                SkipSpace();
                if (!ReadObject(object)) return Fail(error, "inner object expected");
                doc.emplace_back(std::move(key), std::move(object));
                SkipSpace();
                if (Take('}')) break;
                if (!Take(',')) return Fail(error, "',' or '}' expected");
            }
        }
        SkipSpace();
        if (p_ != t_.size()) return Fail(error, "text after the object");
        return doc;
    }

private:
    std::optional<JsonDocument> Fail(std::string& error, const char* what) {
        error = std::string(what) + " at offset " + std::to_string(p_);
        return std::nullopt;
    }
    bool Take(char c) {
        if (p_ < t_.size() && t_[p_] == c) {
            ++p_;
            return true;
        }
        return false;
    }
    void SkipSpace() {
        while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t'))
            ++p_;
    }
    bool Digit() const { return p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9'; }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ReadString(std::string& out) {
        if (!Take('"')) return false;
        while (p_ < t_.size()) {
            const char c = t_[p_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (p_ >= t_.size()) return false;
            const char e = t_[p_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    if (p_ + 4 > t_.size()) return false;
                    unsigned code = 0;
                    for (int i = 0; i < 4; ++i) {
                        const char h = t_[p_++];
                        code <<= 4;
                        if (h >= '0' && h <= '9')
                            code += static_cast<unsigned>(h - '0');
                        else if (h >= 'a' && h <= 'f')
                            code += static_cast<unsigned>(h - 'a' + 10);
                        else if (h >= 'A' && h <= 'F')
                            code += static_cast<unsigned>(h - 'A' + 10);
                        else
                            return false;
                    }
                    AppendUtf8(out, code);
                    break;
                }
                default: return false;
            }
        }
        return false;
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    bool ReadNumber(JsonValue& v) {
        const std::size_t from = p_;
        Take('-');
        if (Take('0')) {
        } else if (Digit()) {
            while (Digit())
                ++p_;
        } else {
            return false;
        }
        if (Take('.')) {
            if (!Digit()) return false;
            while (Digit())
                ++p_;
        }
        if (Take('e') || Take('E')) {
            if (!Take('+')) Take('-');
            if (!Digit()) return false;
            while (Digit())
                ++p_;
        }
        v.isString = false;
        v.text = std::string(t_.substr(from, p_ - from));
        v.number = std::strtod(v.text.c_str(), nullptr);
        return true;
    }

    bool ReadObject(JsonObject& object) {
        if (!Take('{')) return false;
        SkipSpace();
        if (Take('}')) return true;
        for (;;) {
            std::string key;
            JsonValue value;
            SkipSpace();
            if (!ReadString(key)) return false;
            SkipSpace();
            if (!Take(':')) return false;
            SkipSpace();
            if (p_ < t_.size() && t_[p_] == '"') {
                value.isString = true;
                if (!ReadString(value.text)) return false;
            } else if (!ReadNumber(value)) {
                return false;
            }
            object.emplace_back(std::move(key), std::move(value));
            SkipSpace();
            if (Take('}')) return true;
            if (!Take(',')) return false;
        }
    }

    std::string_view t_;
    std::size_t p_ = 0;
};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t from = 0;
    while ((from = text.find_first_not_of(' ', from)) != std::string::npos) {
        const std::size_t to = std::min(text.find(' ', from), text.size());
        words.push_back(text.substr(from, to - from));
        from = to;
    }
    return words;
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
    for (const auto& [name, object] : doc) {
        if (name != section) continue;
        for (const auto& [k, v] : object)
            if (k == key) return &v;
    }
    return nullptr;
}

double Num(const JsonDocument& doc, const std::string& section, const std::string& key) {
    const JsonValue* v = Find(doc, section, key);
    if (v == nullptr || v->isString) {
        ADD_FAILURE() << "no number " << section << "." << key;
        return std::nan("");
    }
    return v->number;
}

std::string Str(const JsonDocument& doc, const std::string& section, const std::string& key) {
    const JsonValue* v = Find(doc, section, key);
    if (v == nullptr || !v->isString) {
        ADD_FAILURE() << "no string " << section << "." << key;
        return {};
    }
    return v->text;
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
    for (const auto& [name, object] : doc)
        sections.push_back(name);
    EXPECT_EQ(sections, (std::vector<std::string>{"instant", "body", "sun"}));
    for (const auto& [section, keys] : kContractKeys) {
        SCOPED_TRACE(section);
        std::vector<std::string> found;
        for (const auto& [name, object] : doc)
            if (name == section)
                for (const auto& [k, v] : object)
                    found.push_back(k);
        EXPECT_EQ(std::multiset<std::string>(found.begin(), found.end()),
                  std::multiset<std::string>(keys.begin(), keys.end()));
    }
    for (const auto& [section, object] : doc) {
        for (const auto& [key, v] : object) {
            SCOPED_TRACE(section + "." + key + " = " + v.text);
            const bool shouldBeString = section == "body" && key == "name";
            EXPECT_EQ(v.isString, shouldBeString);
            if (v.isString) continue;
            EXPECT_TRUE(std::isfinite(v.number));
            // %.17g gives every double a text that reads back to it
            // (17 = DBL_DECIMAL_DIG); a print with fewer digits fails here.
            EXPECT_EQ(Print17(v.number), v.text);
        }
    }
    // Fields that are whole numbers by definition, with their ranges.
    struct Whole {
        const char* section;
        const char* key;
        double low, high;
    };
    for (const Whole& w :
         {Whole{"instant", "zone", 0, 2}, Whole{"instant", "weekday", 0, 6}, Whole{"instant", "day", 1, 31},
          Whole{"instant", "month", 1, 12}, Whole{"instant", "year", -200000, 200000}, Whole{"instant", "j", -1e9, 1e9},
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
std::optional<JsonDocument> RunJson(std::vector<std::string> args) {
    args.push_back("--json");
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

// Difference of two angles in radians, reduced to -pi..pi.
double AngleDiff(double a, double b) {
    return std::remainder(a - b, 2 * kPi);
}
double HoursDiff(double a, double b) {
    return std::remainder(a - b, 24.0);
}

// ---------------------------------------------------------------------------
// Element files in a private temporary folder

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "kelmaron-cli-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Write(const std::string& name, const std::string& content) const {
        const fs::path p = path_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string ExampleCometFile() {
    return std::string(KELMARON_TEST_DATA) + "/elements/Beispiel.kom";
}

// ---------------------------------------------------------------------------
// 1. The JSON contract for every object

struct ObjectCase {
    std::vector<std::string> args;
    std::string name;  // expected body.name
    int index;         // expected body.index
};

std::vector<ObjectCase> AllObjects() {
    // Object indices: 1 Sun, 2 Moon, 3..9 the planets in order of distance,
    // 11 a comet file (".kom"), 12 the Earth and the arbitrary object.
    return {
        {{"--object", "Sonne"}, "Sonne", 1},
        {{"--object", "Mond"}, "Mond", 2},
        {{"--object", "Merkur"}, "Merkur", 3},
        {{"--object", "Venus"}, "Venus", 4},
        {{"--object", "Mars"}, "Mars", 5},
        {{"--object", "Jupiter"}, "Jupiter", 6},
        {{"--object", "Saturn"}, "Saturn", 7},
        {{"--object", "Uranus"}, "Uranus", 8},
        {{"--object", "Neptun"}, "Neptun", 9},
        {{"--object", "Erde"}, "Erde", 12},
        // The example comet of the element file format (first line = name).
        {{"--object", "Disk", "--elements", ExampleCometFile()}, "Beispiel", 11},
        // Sirius, J2000 place from the Bright Star Catalogue.
        {{"--object", "beliebig", "--bel-name", "Sirius", "--bel-ra", "6.7524694", "--bel-dec", "-16.7161", "--bel-mag",
          "-1.46", "--bel-equinox", "2000"},
         "Sirius",
         12},
    };
}

TEST(CliJson, EveryObjectAtEveryKindOfPlaceFollowsTheContract) {
    const std::vector<std::vector<std::string>> instants = {
        {"--date", "4.7.2026", "--time", "22:15:30", "--zone", "MESZ"},
        {"--jd", "2451545.0", "--zone", "UT"},
    };
    const std::vector<std::vector<std::string>> places = {
        {},  // the default place
        {"--place", "Sydney"},
        {"--lon", "0", "--lat", "90"},   // north pole: the latitude's cosine is 0
        {"--lon", "0", "--lat", "-90"},  // south pole
        {"--lon", "-179.5", "--lat", "66.56"},
    };
    for (const ObjectCase& object : AllObjects()) {
        for (const auto& instant : instants) {
            for (const auto& place : places) {
                std::vector<std::string> args = {"position"};
                args.insert(args.end(), instant.begin(), instant.end());
                args.insert(args.end(), place.begin(), place.end());
                args.insert(args.end(), object.args.begin(), object.args.end());
                SCOPED_TRACE(Describe(args));
                auto doc = RunJson(args);
                if (!doc) continue;
                EXPECT_EQ(Str(*doc, "body", "name"), object.name);
                EXPECT_EQ(Num(*doc, "body", "index"), object.index);
                // Ranges by definition of the quantities: hours 0..24, right
                // ascension 0..2 pi (reduced with 2 pi rounded to ten
                // decimals), declination and altitude within +-90 degrees,
                // azimuth from south in (-pi, pi].
                for (const char* key : {"gst0", "lst", "lmt"}) {
                    SCOPED_TRACE(key);
                    EXPECT_GE(Num(*doc, "instant", key), 0.0);
                    EXPECT_LT(Num(*doc, "instant", key), 24.0);
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
    const std::vector<std::string> names = {"Stern \"A\"", "C:\\Sterne\\B", "Tab\there", "Größe Ä", "/", ""};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "beliebig", "--bel-name", name});
        if (!doc) continue;
        EXPECT_EQ(Str(*doc, "body", "name"), name);
    }
}

// ---------------------------------------------------------------------------
// 2. The instant

TEST(CliInstant, CalendarDatesGiveTheirJulianDayAndWeekday) {
    struct Case {
        std::vector<std::string> args;
        double j, f;  // J + F = Julian Date, F counted from noon UT
        int weekday;  // 0 = Monday ... 6 = Sunday
        const char* source;
    };
    const std::vector<Case> cases = {
        {{"--date", "1.1.2000", "--time", "12:00", "--zone", "UT"},
         2451545,
         0,
         5,
         "epoch J2000.0 = JD 2451545.0, a Saturday"},
        {{"--date", "2.1.2000", "--time", "00:30", "--zone", "MEZ"},
         2451545,
         23.5 / 24 - 0.5,
         6,
         "= 1.1.2000 23:30 UT (MEZ = UT + 1 h), a Sunday"},
        {{"--date", "1.1.1900", "--time", "0:00", "--zone", "UT"},
         2415020,
         0.5,
         0,
         "Meeus, Astronomical Algorithms ch. 7: 1900 Jan 0.5 = JD 2415020.0; 1 Jan 1900 was a Monday"},
        {{"--date", "15.10.1582", "--zone", "UT"},
         2299160,
         0.5,
         4,
         "Meeus ch. 7: first Gregorian day 1582 Oct 15.0 = JD 2299160.5, a Friday"},
        {{"--date", "4.10.1582", "--zone", "UT"},
         2299159,
         0.5,
         3,
         "Meeus ch. 7: last Julian-calendar day 1582 Oct 4.0 = JD 2299159.5, a Thursday"},
        {{"--date", "1.1.-4712", "--time", "12:00", "--zone", "UT"},
         0,
         0,
         0,
         "Meeus ch. 7: JD 0.0 = -4712 Jan 1.5; weekday (JD + 1.5) mod 7 = 1 (Sunday = 0), a Monday"},
        {{"--date", "27.1.333", "--time", "12:00", "--zone", "UT"},
         1842713,
         0,
         5,
         "Meeus ch. 7, example 7.b: 333 Jan 27.5 = JD 1842713.0; (JD + 1.5) mod 7 = 6, a Saturday"},
        {{"--date", "4.10.1957", "--time", "19:26:24", "--zone", "UT"},
         2436116,
         0.31,
         4,
         "Meeus ch. 7, example 7.a: 1957 Oct 4.81 = JD 2436116.31, a Friday"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"position"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(Describe(args) + " -- " + c.source);
        auto doc = RunJson(args);
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
        const char* source;
    };
    const std::vector<Case> cases = {
        {"31.2.2026", 3, 3, 2026, "February 2026 has 28 days: day 31 carries 3 days into March"},
        {"29.2.2024", 29, 2, 2024, "2024 is a leap year"},
        {"29.2.2100", 1, 3, 2100, "2100 is no Gregorian leap year"},
        {"0.1.2026", 31, 12, 2025, "day 0 is the last day of the month before"},
        {"5.13.2026", 5, 1, 2026, "the date entry takes a month outside 1..12 as January"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " -- " + c.source);
        auto doc = RunJson({"position", "--date", c.date, "--zone", "UT"});
        if (!doc) continue;
        EXPECT_EQ(Num(*doc, "instant", "day"), c.day);
        EXPECT_EQ(Num(*doc, "instant", "month"), c.month);
        EXPECT_EQ(Num(*doc, "instant", "year"), c.year);
    }
}

TEST(CliInstant, JulianDateReadsBackAsCalendarDateInTheZone) {
    struct Case {
        const char* jd;
        const char* zone;
        double j, f;
        int day, month, year;
        double clock;
        const char* source;
    };
    const std::vector<Case> cases = {
        {"2451545.0", "UT", 2451545, 0, 1, 1, 2000, 12, "J2000.0 = 2000 Jan 1, 12h UT"},
        {"2451545.0", "MEZ", 2451545, 0, 1, 1, 2000, 13, "MEZ = UT + 1 h"},
        {"2451544.5", "MESZ", 2451544, 0.5, 1, 1, 2000, 2, "0h UT plus MESZ's 2 h"},
        {"2451545.75", "UT", 2451545, 0.75, 2, 1, 2000, 6, "three quarters of a day after noon: next day 6h"},
        {"2299160.5", "UT", 2299160, 0.5, 15, 10, 1582, 0, "Meeus ch. 7: first Gregorian day"},
        {"-0.25", "UT", -1, 0.75, 1, 1, -4712, 6, "six hours before JD 0.0 = -4712 Jan 1.5 (Meeus ch. 7)"},
        {"2436116.31", "UT", 2436116, 0.31, 4, 10, 1957, 19.44, "Meeus example 7.a: 1957 Oct 4.81"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.jd) + " " + c.zone + " -- " + c.source);
        auto doc = RunJson({"position", "--jd", c.jd, "--zone", c.zone});
        if (!doc) continue;
        EXPECT_EQ(Num(*doc, "instant", "j"), c.j);
        EXPECT_NEAR(Num(*doc, "instant", "f"), c.f, 1e-15);  // the fraction is read from the digits after "."
        EXPECT_EQ(Num(*doc, "instant", "day"), c.day);
        EXPECT_EQ(Num(*doc, "instant", "month"), c.month);
        EXPECT_EQ(Num(*doc, "instant", "year"), c.year);
        EXPECT_NEAR(Num(*doc, "instant", "clock_time"), c.clock, 1e-9);  // 4 microseconds
    }
}

TEST(CliInstant, JulianDateFractionKeepsAllItsDigits) {
    // The Julian Date is split at its "." and the fraction read on its own:
    // as one double near 2.4 million it would carry only about 10 decimals.
    const char* fraction = "0.4791666666666667";
    auto doc = RunJson({"position", "--jd", "2451545.4791666666666667", "--zone", "UT"});
    if (!doc) return;
    EXPECT_EQ(Num(*doc, "instant", "j"), 2451545);
    EXPECT_EQ(Num(*doc, "instant", "f"), std::strtod(fraction, nullptr));
}

TEST(CliInstant, DateAndJulianDateOfTheSameInstantGiveTheSameOutput) {
    struct Case {
        std::vector<std::string> byDate, byJd;
    };
    // Instants whose fraction of the day is exact in binary, so that both
    // ways reach the very same (J, F).
    const std::vector<Case> cases = {
        {{"--date", "1.1.2000", "--time", "12:00", "--zone", "UT"}, {"--jd", "2451545.0", "--zone", "UT"}},
        // 19:00 MEZ = 18:00 UT = noon + 0.25 d
        {{"--date", "1.1.2000", "--time", "19:00", "--zone", "MEZ"}, {"--jd", "2451545.25", "--zone", "MEZ"}},
        // 4 July 2026 0h UT = JD 2461225.5 (1 Jan 2026 0h UT = JD 2461041.5, plus 184 days)
        {{"--date", "4.7.2026", "--time", "2:00", "--zone", "MESZ"}, {"--jd", "2461225.5", "--zone", "MESZ"}},
    };
    for (const Case& c : cases) {
        for (const char* object : {"Sonne", "Mond", "Saturn"}) {
            std::vector<std::string> a = {"position", "--object", object, "--json"};
            std::vector<std::string> b = a;
            a.insert(a.end(), c.byDate.begin(), c.byDate.end());
            b.insert(b.end(), c.byJd.begin(), c.byJd.end());
            SCOPED_TRACE(Describe(a) + "  vs  " + Describe(b));
            const RunResult ra = RunCli(a);
            const RunResult rb = RunCli(b);
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
        for (std::size_t z = 0; z < docs.size(); ++z) {
            SCOPED_TRACE(std::string(object) + " in zone " + clocks[z].first);
            const JsonDocument& d = docs[z];
            const JsonDocument& ut = docs[0];
            EXPECT_EQ(Num(d, "instant", "zone"), static_cast<double>(z));
            EXPECT_NEAR(Num(d, "instant", "clock_time"), 12.5 + static_cast<double>(z), 1e-12);
            // (hours - zone) / 24 is the same exact number in all three zones.
            EXPECT_EQ(Num(d, "instant", "j"), Num(ut, "instant", "j"));
            EXPECT_EQ(Num(d, "instant", "f"), Num(ut, "instant", "f"));
            // The clock time read back may differ in its last bit, so the
            // quantities of the instant agree to rounding (1e-9 h = 4 us,
            // 1e-9 rad = 0.0002").
            for (const char* key : {"gst0", "lst", "lmt"}) {
                SCOPED_TRACE(key);
                EXPECT_NEAR(HoursDiff(Num(d, "instant", key), Num(ut, "instant", key)), 0.0, 1e-9);
            }
            for (const auto& [section, key] : std::vector<std::pair<const char*, const char*>>{{"body", "ra"},
                                                                                               {"body", "dec"},
                                                                                               {"body", "altitude"},
                                                                                               {"body", "azimuth"},
                                                                                               {"sun", "altitude"},
                                                                                               {"sun", "azimuth"}}) {
                SCOPED_TRACE(std::string(section) + "." + key);
                EXPECT_NEAR(AngleDiff(Num(d, section, key), Num(ut, section, key)), 0.0, 1e-9);
            }
            // Transit, rise and set are clock times of the zone.
            for (const char* key : {"transit", "rise", "set"}) {
                SCOPED_TRACE(key);
                if (Num(ut, "body", key) == 99) continue;  // no rise or set that day
                EXPECT_NEAR(Num(d, "body", key) - static_cast<double>(z), Num(ut, "body", key), 1e-9);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// The place

TEST(CliPlace, DefaultPlaceIsHannover) {
    const std::vector<std::vector<std::string>> ways = {
        {},
        {"--place", "1"},
        {"--place", "Hannover"},
        {"--lon", "9.79833333333333", "--lat", "52.4"},
    };
    std::string first;
    for (const auto& way : ways) {
        std::vector<std::string> args = {"position", "--date", "21.3.2026", "--time", "0:00",
                                         "--zone",   "UT",     "--object",  "Mond",   "--json"};
        args.insert(args.end(), way.begin(), way.end());
        SCOPED_TRACE(Describe(args));
        const RunResult r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        if (first.empty()) first = r.out;
        EXPECT_EQ(r.out, first);
    }
    auto doc = ParseJson(first);
    if (!doc) return;
    // Hannover, 9.798333 degrees east = 0.6532222 h. At 0h UT the local mean
    // time is that longitude, and the local sidereal time exceeds Greenwich's
    // by it plus the equation of the equinoxes (at most 1.2 s).
    const double lonHours = 9.79833333333333 / 15;
    EXPECT_NEAR(Num(*doc, "instant", "lmt"), lonHours, 1e-12);
    EXPECT_NEAR(HoursDiff(Num(*doc, "instant", "lst"), Num(*doc, "instant", "gst0")), lonHours,
                1.2 * kOneSecondInHours);
}

TEST(CliPlace, BuiltInPlacesByNameAndByNumber) {
    struct Place {
        const char* name;
        double lon, lat;  // degrees, east and north positive
    };
    // The program's built-in place list, in menu order.
    const std::vector<Place> places = {
        {"Hannover", 9.79833333333333, 52.4},
        {"Berlin", 13.36666, 52.51666},
        {"Hamburg", 9.96666, 53.55},
        {"Köln", 6.95, 50.93333},
        {"Frankfurt", 8.65, 50.11666},
        {"München", 11.6, 48.15},
        {"London", 0.1, 51.48791},
        {"Rom", 12.49, 41.895538},
        {"Moskau", 37.938, 55.764229},
        {"New York", -73.987, 40.62217},
        {"Sydney", 151.02, -33.88977},
        {"Rio de Janeiro", -43.455, -22.721569},
        {"Nordpol", 0, 90},
        {"Äquator", 0, 0},
        {"Südpol", 0, -90},
    };
    // An object at the celestial pole of date stands at an altitude equal
    // to the geographic latitude. Entered for the equinox of the year, it is
    // half a day of precession (0.03") away from the pole of the date.
    const std::vector<std::string> poleStar = {"--object", "beliebig",      "--bel-ra", "0",         "--bel-dec",
                                               "90",       "--bel-equinox", "9999",     "--equinox", "9999"};
    for (std::size_t n = 1; n <= places.size(); ++n) {
        const Place& p = places[n - 1];
        SCOPED_TRACE(std::to_string(n) + " " + p.name);
        std::vector<std::string> base = {"position", "--date", "1.1.2026", "--time", "0:00", "--zone", "UT", "--json"};
        base.insert(base.end(), poleStar.begin(), poleStar.end());
        std::vector<std::string> byName = base, byNumber = base;
        byName.insert(byName.end(), {"--place", p.name});
        byNumber.insert(byNumber.end(), {"--place", std::to_string(n)});
        const RunResult a = RunCli(byName);
        const RunResult b = RunCli(byNumber);
        EXPECT_EQ(a.status, 0) << a.err;
        EXPECT_EQ(b.status, 0) << b.err;
        EXPECT_EQ(a.out, b.out);
        auto doc = ParseJson(a.out);
        if (!doc) continue;
        ExpectContract(*doc);
        // At 0h UT the local mean time is the longitude in hours.
        EXPECT_NEAR(HoursDiff(Num(*doc, "instant", "lmt"), p.lon / 15), 0.0, 1e-12);
        EXPECT_NEAR(Num(*doc, "body", "altitude"), p.lat / kRadToDeg, 0.1 * kOneArcsecRad);
    }
}

// ---------------------------------------------------------------------------
// Positions that must come out whatever the theory's details

TEST(CliPosition, SunDistanceAtPerihelionAndAphelion) {
    // Earth's orbit, J2000 mean elements a = 1.00000011 AU, e = 0.01671022
    // (Standish, JPL "Keplerian elements for approximate positions"):
    // perihelion a (1 - e) = 0.98329 AU, aphelion a (1 + e) = 1.01671 AU.
    // The tolerance 1e-4 AU (15000 km) covers the Earth's monthly swing
    // about the Earth-Moon barycentre (4700 km) and planetary perturbations;
    // a day away from the apsis changes the distance by only 3e-6 AU.
    struct Case {
        const char* date;
        double distance;
        const char* source;
    };
    const std::vector<Case> cases = {
        {"3.1.2000", 0.98329, "perihelion 2000 Jan 3, 5h UT"}, {"4.7.2000", 1.01671, "aphelion 2000 Jul 4, 0h UT"},
        {"3.1.2026", 0.98329, "perihelion 2026 Jan 3"},        {"6.7.2026", 1.01671, "aphelion 2026 Jul 6"},
        {"1.1.2026", 0.98329, "two days before perihelion"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " -- " + c.source);
        auto doc = RunJson({"position", "--date", c.date, "--zone", "UT", "--object", "Sonne"});
        if (!doc) continue;
        EXPECT_NEAR(Num(*doc, "sun", "r"), c.distance, 1e-4);
        // The Sun as object reports the same distance as its geocentric one.
        EXPECT_EQ(Num(*doc, "body", "delta"), Num(*doc, "sun", "r"));
    }
}

TEST(CliPosition, EquinoxOfDateDiffersFromJ2000ByThePrecession) {
    // Annual precession in right ascension and declination (Meeus,
    // Astronomical Algorithms, formula 21.1): m = 3.075 s, n = 1.336 s = 20.04".
    // The equinox year 2000 is counted from JD 2451544.5 (1 January 2000,
    // 0h UT). Tolerances: 1.5 s of time and 10" cover the nutation that
    // coordinates of date may contain (at most 17" in longitude) and the
    // second-order terms of the formula over a few decades.
    for (const char* date : {"1.1.2026", "15.5.2040", "20.9.1980"}) {
        for (const char* object : {"Sonne", "Mars"}) {
            SCOPED_TRACE(std::string(object) + " " + date);
            auto ofDate =
                RunJson({"position", "--date", date, "--zone", "UT", "--object", object, "--equinox", "9999"});
            auto j2000 = RunJson({"position", "--date", date, "--zone", "UT", "--object", object, "--equinox", "2000"});
            if (!ofDate || !j2000) continue;
            const double jd = Num(*ofDate, "instant", "j") + Num(*ofDate, "instant", "f");
            const double years = (jd - 2451544.5) / 365.25;
            const double ra =
                Num(*ofDate, "body", "ra") - AngleDiff(Num(*ofDate, "body", "ra"), Num(*j2000, "body", "ra")) / 2;
            const double dec = (Num(*ofDate, "body", "dec") + Num(*j2000, "body", "dec")) / 2;
            const double raSeconds = (3.075 + 1.336 * std::sin(ra) * std::tan(dec)) * years;
            const double decArcsec = 20.04 * std::cos(ra) * years;
            EXPECT_NEAR(AngleDiff(Num(*ofDate, "body", "ra"), Num(*j2000, "body", "ra")) * 12 / kPi * 3600, raSeconds,
                        1.5);
            EXPECT_NEAR((Num(*ofDate, "body", "dec") - Num(*j2000, "body", "dec")) / kOneArcsecRad, decArcsec, 10.0);
            // Altitude and azimuth always belong to the coordinates of date.
            EXPECT_EQ(Num(*ofDate, "body", "altitude"), Num(*j2000, "body", "altitude"));
        }
    }
}

TEST(CliPosition, ArbitraryObjectComesBackAtItsOwnEquinox) {
    // Entered for one equinox and shown for the same equinox, a fixed object
    // keeps its coordinates up to what the round trip of the precession
    // leaves: the start epoch is noon of 1 January, the target epoch the
    // midnight before, and the angles' terms in t^2 and T t do not reverse
    // their sign on the way back, about 2.5" t^2 for t centuries: 0.2" over
    // the 26 years from 2000, 1.5" over the 76 from 1950.
    struct Case {
        const char* name;
        double raHours, decDeg, mag;
    };
    const std::vector<Case> stars = {
        {"Sirius", 6.7524694, -16.7161, -1.46},
        {"Polaris", 2.5303, 89.2641, 1.97},
        {"Canopus", 6.3992, -52.6957, -0.74},
        {"Wega", 18.6156, 38.7837, 0.03},
    };
    for (const Case& s : stars) {
        for (const auto& [equinox, toleranceArcsec] : {std::pair{"2000", 0.3}, std::pair{"1950", 1.5}}) {
            SCOPED_TRACE(std::string(s.name) + " equinox " + equinox);
            char ra[32], dec[32], mag[32];
            std::snprintf(ra, sizeof ra, "%.7f", s.raHours);
            std::snprintf(dec, sizeof dec, "%.4f", s.decDeg);
            std::snprintf(mag, sizeof mag, "%.2f", s.mag);
            auto doc =
                RunJson({"position", "--date", "1.1.2026", "--object", "beliebig", "--bel-name", s.name, "--bel-ra", ra,
                         "--bel-dec", dec, "--bel-mag", mag, "--bel-equinox", equinox, "--equinox", equinox});
            if (!doc) continue;
            EXPECT_EQ(Str(*doc, "body", "name"), s.name);
            EXPECT_EQ(Num(*doc, "body", "magnitude"), std::strtod(mag, nullptr));
            const double decRad = s.decDeg / kRadToDeg;
            EXPECT_NEAR(AngleDiff(Num(*doc, "body", "ra"), s.raHours * kPi / 12) * std::cos(decRad), 0.0,
                        toleranceArcsec * kOneArcsecRad);
            EXPECT_NEAR(Num(*doc, "body", "dec"), decRad, toleranceArcsec * kOneArcsecRad);
        }
    }
}

TEST(CliPosition, OrbitObjectOfTheExampleCometFile) {
    // Worked example of the element file format: e = 0.9, q = 1.5 AU, so
    // a = q / (1 - e) = 15 AU and by Kepler's third law P = 15^1.5 = 58.0948 years.
    auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "Disk", "--elements", ExampleCometFile()});
    if (!doc) return;
    EXPECT_EQ(Str(*doc, "body", "name"), "Beispiel");
    EXPECT_EQ(Num(*doc, "body", "index"), 11);
    EXPECT_NEAR(Num(*doc, "body", "period"), std::sqrt(15.0 * 15.0 * 15.0), 1e-9);
    // Heliocentric distance from Kepler's equation, solved here by Newton's
    // method: mean motion k / a^1.5 with the Gaussian constant
    // k = 0.01720209895 rad/day, time since perihelion JD 2461000.5 at the
    // light-time corrected instant the tool reports (t in Julian centuries
    // from JD 2415020.0). The tool stops its own iteration at 1e-8 rad, which
    // moves r by at most a e 1e-8 = 1.4e-7 AU.
    const double a = 15, e = 0.9;
    const double jd = 36525 * Num(*doc, "body", "t") + 2415020;
    const double M = 0.01720209895 / std::pow(a, 1.5) * (jd - 2461000.5);
    double E = M;
    for (int i = 0; i < 100; ++i)
        E -= (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
    EXPECT_NEAR(Num(*doc, "body", "r"), a * (1 - e * std::cos(E)), 1.5e-7);
}

TEST(CliPosition, MessierObjectsFromTheBundledCatalogue) {
    // M42 (NGC 1976) at 5h 35m 16.5s, -5 23' 23" and M31 at 0h 42m 44.3s,
    // +41 16' 08.6" for J2000 (OpenNGC); the bundled catalogue holds their
    // 1950 places, which the program precesses to the equinox asked for.
    struct Case {
        int messier;
        double raHours, decDeg;
        int index;
    };
    constexpr double kArcsec = 3.141592653589793 / 180 / 3600;
    for (const Case& c : {Case{42, 5 + 35.0 / 60 + 16.48 / 3600, -(5 + 23.0 / 60 + 22.8 / 3600), 23},
                          Case{31, 0 + 42.0 / 60 + 44.35 / 3600, 41 + 16.0 / 60 + 8.6 / 3600, 22}}) {
        SCOPED_TRACE(c.messier);
        auto doc = RunJson({"position", "--jd", "2451545.0", "--zone", "UT", "--object", "Messier", "--messier",
                            std::to_string(c.messier)});
        if (!doc) return;
        EXPECT_EQ(Str(*doc, "body", "name"), "M " + std::to_string(c.messier));
        EXPECT_EQ(Num(*doc, "body", "index"), c.index);
        EXPECT_NEAR(Num(*doc, "body", "ra"), c.raHours * 15 * 3.141592653589793 / 180, 1 * kArcsec);
        EXPECT_NEAR(Num(*doc, "body", "dec"), c.decDeg * 3.141592653589793 / 180, 1 * kArcsec);
        EXPECT_EQ(Num(*doc, "body", "period"), -1);
    }
}

TEST(CliPosition, ElementFileKindFollowsTheFileName) {
    TempFolder tmp;
    const std::string orbit = "e= 0.2\na= 2.5\nknoten= 80\nomega= 120\ni= 10\nT= 2461000.5\n";
    struct Case {
        const char* file;
        const char* name;
        int index;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"klein.kpl", "Klein", 13, "'.kpl': minor planet"},
        {"KOMET.KOM", "Komet", 11, "'.KOM': comet, upper case too"},
        {"andere.txt", "Andere", 12, "any other ending"},
        {"pluto.txt", "Pluto", 10, "the name 'Pluto' whatever the ending"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.why);
        const std::string path = tmp.Write(c.file, std::string(c.name) + "\n" + orbit);
        auto doc = RunJson({"position", "--date", "1.1.2026", "--object", "Disk", "--elements", path});
        if (!doc) continue;
        EXPECT_EQ(Str(*doc, "body", "name"), c.name);
        EXPECT_EQ(Num(*doc, "body", "index"), c.index);
        EXPECT_NEAR(Num(*doc, "body", "period"), std::pow(2.5, 1.5), 1e-9);  // Kepler's third law
    }
}

// ---------------------------------------------------------------------------
// 3. Bad input

TEST(CliErrors, BadInputEndsWithStatusTwoAndOneLine) {
    TempFolder tmp;
    const std::vector<std::string> d = {"--date", "1.1.2026"};
    auto pos = [&d](std::vector<std::string> more, bool withDate = true) {
        std::vector<std::string> args = {"position"};
        if (withDate) args.insert(args.end(), d.begin(), d.end());
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<std::vector<std::string>> cases = {
        // object and place
        pos({"--object", "Pluto"}),
        pos({"--object", ""}),
        pos({"--place", "Paris"}),
        pos({"--place", "0"}),
        pos({"--place", "16"}),
        pos({"--place", "-1"}),
        pos({"--place", ""}),
        // date, time, zone, Julian Date
        pos({"--date", "32.x.2026"}, false),
        pos({"--date", "1.2"}, false),
        pos({"--date", "a.b.c"}, false),
        pos({"--date", "1.1.2000x"}, false),
        pos({"--date", ""}, false),
        pos({"--date", "1..2000"}, false),
        pos({"--date", "1.1.2000", "--time", "12"}, false),
        pos({"--date", "1.1.2000", "--time", "12:xx"}, false),
        pos({"--date", "1.1.2000", "--time", "12:00:zz"}, false),
        pos({"--date", "1.1.2000", "--time", ""}, false),
        pos({"--zone", "CET"}),
        pos({"--jd", "abc"}, false),
        pos({"--jd", ""}, false),
        pos({"--jd", "2451545.5x"}, false),
        pos({"--jd", "nan"}, false),
        pos({"--jd", "2451545", "--date", "1.1.2000"}, false),
        pos({}, false),  // no instant at all
        // geographic coordinates
        pos({"--lon", "9", "--lat", "91"}),
        pos({"--lon", "9", "--lat", "-90.0001"}),
        pos({"--lon", "nan", "--lat", "50"}),
        pos({"--lon", "9", "--lat", "nan"}),
        pos({"--lon", "inf", "--lat", "50"}),
        pos({"--lon", "9", "--lat", "-inf"}),
        pos({"--lon", "1e999", "--lat", "50"}),
        pos({"--lon", "9", "--lat", "1e999"}),
        pos({"--lon", "9,5", "--lat", "50"}),
        pos({"--lon", "9"}),
        pos({"--lat", "50"}),
        pos({"--place", "1", "--lon", "9", "--lat", "50"}),
        // option syntax
        pos({"--object"}),
        pos({"--lon", "9", "--lat"}),
        pos({"--frobnicate", "1"}),
        pos({"-object", "Mond"}),
        pos({"Mond"}),
        pos({"--object", "Mond", "--object", "Sonne"}),
        pos({"--json", "--json"}),
        // element file and arbitrary object
        pos({"--object", "Disk", "--elements", tmp.Path("fehlt.kom")}),
        pos({"--object", "Disk", "--elements", tmp.Path("")}),
        pos({"--object", "beliebig", "--bel-dec", "95"}),
        pos({"--object", "beliebig", "--bel-dec", "-90.5"}),
        pos({"--object", "beliebig", "--bel-ra", "abc"}),
        pos({"--object", "beliebig", "--bel-mag", "nan"}),
        pos({"--object", "beliebig", "--bel-equinox", "2000.5"}),
        pos({"--equinox", "zwei"}),
        // Messier objects and the data folder
        pos({"--object", "Messier", "--messier", "0"}),
        pos({"--object", "Messier", "--messier", "110"}),
        pos({"--object", "Messier", "--messier", "x"}),
        pos({"--object", "Mond", "--messier", "42"}),
        pos({"--object", "Messier", "--data", tmp.Path("leer")}),
        // elements that give no orbit: the check message joins the one line
        pos({"--object", "Disk", "--elements", tmp.Write("kaputt.kom", "Kaputt\r\ne= 1\r\nq= 0\r\n")}),
        // commands
        {},
        {"unbekannt"},
        {"Position"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(Describe(args));
        const RunResult r = RunCli(args);
        EXPECT_TRUE(r.exited) << "signal " << r.signal;
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        const std::vector<std::string> lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 1u) << r.err;
        EXPECT_FALSE(lines[0].empty());
        EXPECT_EQ(r.err.back(), '\n');
    }
}

TEST(CliErrors, LimitsOfTheValidRangesAreAccepted) {
    const std::vector<std::vector<std::string>> cases = {
        {"--lon", "9", "--lat", "90"},
        {"--lon", "9", "--lat", "-90"},
        {"--lon", "-9", "--lat", "90.0"},
        {"--lon", "0", "--lat", "-90.000"},
        {"--place", "Nordpol"},
        {"--place", "15"},  // the last of the 15 built-in places
        {"--object", "beliebig", "--bel-dec", "90"},
        {"--object", "beliebig", "--bel-dec", "-90"},
        {"--jd", "2451545"},  // without fraction
    };
    for (const auto& more : cases) {
        std::vector<std::string> args = {"position"};
        if (more[0] != "--jd") args.insert(args.end(), {"--date", "21.6.2026", "--time", "12:00"});
        args.insert(args.end(), more.begin(), more.end());
        SCOPED_TRACE(Describe(args));
        RunJson(args);
    }
}

// ---------------------------------------------------------------------------
// 4. Messages of the element-file checks

TEST(CliElementMessages, CheckMessagesGoToStderrAndTheComputationGoesOn) {
    TempFolder tmp;
    struct Case {
        const char* file;
        std::string content;
        std::string messageStart;  // each message must be one line
        const char* messageEnd;
    };
    const std::vector<Case> cases = {
        {"nur.kpl", "Nur\ne= 0.5\nq= 1.5\n", "Bahnelemente von Nur", "überprüfen !"},
        {"ohneknoten.kpl", "OhneKnoten\ne= 0.2\na= 2.5\nomega= 120\ni= 10\nT= 2461000.5\n",
         "Bahnelemente von OhneKnoten", "überprüfen !"},
        {"ohneomega.kom", "OhneOmega\ne= 0.9\nq= 1.5\nknoten= 80\ni= 10\nT= 2461000.5\n", "Bahnelemente von OhneOmega",
         "überprüfen !"},
        {"ohnei.kom", "OhneI\ne= 0.9\nq= 1.5\nknoten= 80\nomega= 120\nT= 2461000.5\n", "Bahnelemente von OhneI",
         "überprüfen !"},
        // a mean anomaly without its epoch
        {"ohneepoche.kpl", "OhneEpoche\ne= 0.2\na= 2.5\nknoten= 80\nomega= 120\ni= 10\nM= 50\n",
         "Bahnelemente von OhneEpoche", "überprüfen !"},
        // a line without "=" is reported and skipped
        {"zeile.kpl", "Zeile\ne= 0.2\na= 2.5\nknoten= 80\nkein Wert hier\nomega= 120\ni= 10\nT= 2461000.5\n",
         "Fehler in Datei", "zeile.kpl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = tmp.Write(c.file, c.content);
        const std::vector<std::string> args = {"position", "--date",     "1.1.2026", "--object",
                                               "Disk",     "--elements", path,       "--json"};
        const RunResult r = RunCli(args);
        EXPECT_TRUE(r.exited) << "signal " << r.signal;
        EXPECT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 1u) << r.err;
        EXPECT_EQ(lines[0].rfind(c.messageStart, 0), 0u) << lines[0];
        EXPECT_TRUE(lines[0].size() >= std::strlen(c.messageEnd) &&
                    lines[0].compare(lines[0].size() - std::strlen(c.messageEnd), std::string::npos, c.messageEnd) == 0)
            << lines[0];
        auto doc = ParseJson(r.out);
        if (doc) ExpectContract(*doc);
    }
}

// ---------------------------------------------------------------------------
// The German text form

TEST(CliText, TextFormShowsEveryObjectWithoutNonFiniteValues) {
    for (const ObjectCase& object : AllObjects()) {
        for (const char* lat : {"52.4", "90", "-90"}) {
            std::vector<std::string> args = {"position", "--date", "1.1.2000",         "--time", "12:00", "--zone",
                                             "UT",       "--lon",  "9.79833333333333", "--lat",  lat};
            args.insert(args.end(), object.args.begin(), object.args.end());
            SCOPED_TRACE(Describe(args));
            const RunResult r = RunCli(args);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "");
            EXPECT_FALSE(HasNonFiniteWord(r.out)) << r.out;
            const std::vector<std::string> lines = Lines(r.out);
            auto has = [&lines](const std::string& line) {
                for (const std::string& l : lines)
                    if (l == line) return true;
                return false;
            };
            // J2000.0: 1 January 2000, 12h UT, a Saturday, JD 2451545.0.
            EXPECT_TRUE(has("Datum:         1.Jan 2000, Sa")) << r.out;
            EXPECT_TRUE(has("Jul. Datum:   2451545.00000")) << r.out;
            EXPECT_TRUE(has("Objekt:       " + object.name)) << r.out;
        }
    }
}

// ---------------------------------------------------------------------------
// 5. UTM

// Meridian arc of the WGS84 ellipsoid from the equator to latitude phi,
// by Simpson's rule on M = a (1 - e^2) Int (1 - e^2 sin^2 t)^(-3/2) dt
// (far below a millimetre with 2000 steps).
double MeridianArc(double phiDeg) {
    const double a = 6378137.0;
    const double f = 1 / 298.257223563;
    const double e2 = f * (2 - f);
    const double phi = phiDeg / kRadToDeg;
    const int n = 2000;
    const double h = phi / n;
    auto g = [e2](double t) { return std::pow(1 - e2 * std::sin(t) * std::sin(t), -1.5); };
    double sum = g(0) + g(phi);
    for (int i = 1; i < n; ++i)
        sum += (i % 2 ? 4 : 2) * g(i * h);
    return a * (1 - e2) * sum * h / 3;
}

struct Utm {
    double east = std::nan(""), north = std::nan("");
};

double ValueAfter(const std::string& text, const std::string& label) {
    const std::size_t p = text.find(label);
    if (p == std::string::npos) return std::nan("");
    return std::strtod(text.c_str() + p + label.size(), nullptr);
}

Utm RunUtm(double lon, double lat) {
    const std::vector<std::string> args = {"utm", "--lon", Print17(lon), "--lat", Print17(lat)};
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Lines(r.out).size(), 2u) << r.out;
    return {ValueAfter(r.out, "Ostwert:"), ValueAfter(r.out, "Nordwert:")};
}

struct Geo {
    double lon = std::nan(""), lat = std::nan("");
};

// Reads "Länge=  +9° 00' 00.0000"  (9.000000000°)": the decimal degrees in
// brackets, checked against the degrees, minutes and seconds before them.
double GeoLine(const std::string& line) {
    const std::size_t open = line.find('(');
    if (open == std::string::npos) {
        ADD_FAILURE() << "no decimal degrees in " << line;
        return std::nan("");
    }
    const double decimal = std::strtod(line.c_str() + open + 1, nullptr);
    const std::size_t eq = line.find('=');
    const char* p = line.c_str() + eq + 1;
    while (*p == ' ')
        ++p;
    const double sign = *p == '-' ? -1 : 1;
    if (*p == '-' || *p == '+' || *p == ' ') ++p;
    char* end = nullptr;
    const double d = std::strtod(p, &end);
    const double m = std::strtod(end + std::strlen("°"), &end);
    const double s = std::strtod(end + 1, &end);
    // Seconds with four decimals: half of 0.0001" plus the nine decimals of the degrees.
    EXPECT_NEAR(sign * (d + m / 60 + s / 3600), decimal, 0.00005 / 3600 + 1e-9) << line;
    return decimal;
}

Geo RunGeo(double east, double north) {
    char e[40], n[40];
    std::snprintf(e, sizeof e, "%.3f", east);
    std::snprintf(n, sizeof n, "%.3f", north);
    const std::vector<std::string> args = {"geo", "--east", e, "--north", n};
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    if (lines.size() != 2) {
        ADD_FAILURE() << r.out;
        return {};
    }
    EXPECT_EQ(lines[0].rfind("Länge=", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("Breite=", 0), 0u) << lines[1];
    return {GeoLine(lines[0]), GeoLine(lines[1])};
}

TEST(CliUtm, PublishedValueOfNineEastFiftyNorth) {
    // 9 deg E, 50 deg N lies on the central meridian of zone 32:
    // easting 32 500000 m, northing 0.9996 x 5540847.04 m = 5538630.70 m.
    const Utm u = RunUtm(9, 50);
    EXPECT_NEAR(u.east, 32500000.0, 0.01);
    EXPECT_NEAR(u.north, 5538630.70, 0.01);
    const Geo g = RunGeo(u.east, u.north);
    EXPECT_NEAR(g.lon, 9.0, 1e-6);
    EXPECT_NEAR(g.lat, 50.0, 1e-6);
}

TEST(CliUtm, CentralMeridiansGiveTheScaledMeridianArc) {
    // On a zone's central meridian (6 zone - 183 degrees) the easting is the
    // false easting 500000 m and the northing k0 = 0.9996 times the meridian
    // arc, plus the false northing 10000000 m south of the equator.
    // Tolerance 1 cm, the accuracy UTM series are held to.
    struct Case {
        double lon, lat;
        int zone;
    };
    const std::vector<Case> cases = {
        {9, 50, 32},     {9, -10, 32},     {-75, 40, 18}, {15, 70, 33},
        {177, 83.5, 60}, {-177, 20.25, 1}, {3, 1, 31},    {135, -35.5, 53},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lon) + " " + std::to_string(c.lat));
        const Utm u = RunUtm(c.lon, c.lat);
        const double arc = 0.9996 * MeridianArc(std::fabs(c.lat));
        EXPECT_NEAR(u.east, c.zone * 1000000.0 + 500000.0, 0.01);
        EXPECT_NEAR(u.north, c.lat >= 0 ? arc : 10000000.0 - arc, 0.01);
    }
    // Published check value south of the equator: 9 E, 10 S -> 8894587.51 m.
    EXPECT_NEAR(RunUtm(9, -10).north, 8894587.51, 0.01);
}

TEST(CliUtm, GeoInvertsUtmWithinAZone) {
    // Northern hemisphere points across zones (a northing is read as counted
    // from the equator). A centimetre on the ground is 9e-8 degrees of
    // latitude; the round trip must stay within it.
    const std::vector<std::pair<double, double>> points = {
        {9.5, 50.2},         {13.36666, 52.51666}, {-73.987, 40.62217}, {11.99, 47.0}, {6.01, 0.5},
        {37.938, 55.764229}, {-0.1, 51.48791},     {-120.5, 35.25},     {100.0, 10.0}, {20.0, 80.0},
    };
    for (const auto& [lon, lat] : points) {
        SCOPED_TRACE(std::to_string(lon) + " " + std::to_string(lat));
        const Utm u = RunUtm(lon, lat);
        const Geo g = RunGeo(u.east, u.north);
        const double metresPerDegree = 111320.0;
        EXPECT_NEAR((g.lat - lat) * metresPerDegree, 0.0, 0.01);
        EXPECT_NEAR((g.lon - lon) * metresPerDegree * std::cos(lat / kRadToDeg), 0.0, 0.01);
    }
}

TEST(CliUtm, BadValuesEndWithStatusTwoAndOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {"utm", "--lon", "abc", "--lat", "50"},
        {"utm", "--lon", "9", "--lat", "nan"},
        {"utm", "--lon", "inf", "--lat", "50"},
        {"utm", "--lon", "9", "--lat", "1e999"},
        {"utm", "--lon", "9", "--lat", "91"},
        {"utm", "--lon", "9", "--lat", "85"},  // UTM ends at 84 degrees north
        {"utm", "--lon", "181", "--lat", "50"},
        {"utm", "--lon", "9"},
        {"utm", "--lat", "50"},
        {"utm", "--lon", "9", "--lat"},
        {"utm", "--lon", "9", "--lat", "50", "--lon", "10"},
        {"utm", "--lon", "9", "--lat", "50", "--json"},
        {"utm"},
        {"geo", "--east", "abc", "--north", "5538630"},
        {"geo", "--east", "32500000", "--north", "nan"},
        {"geo", "--east", "inf", "--north", "5538630"},
        {"geo", "--east", "32500000", "--north", "-1"},
        {"geo", "--east", "-5", "--north", "5538630"},
        {"geo", "--east", "32500000"},
        {"geo", "--north", "5538630"},
        {"geo", "--east", "32500000", "--north", "5538630", "--zone", "32"},
        {"geo"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(Describe(args));
        const RunResult r = RunCli(args);
        EXPECT_TRUE(r.exited) << "signal " << r.signal;
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        const std::vector<std::string> lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 1u) << r.err;
        EXPECT_FALSE(lines[0].empty());
    }
}

}  // namespace

// Orbit lines of the Minor Planet Center: lines written in the two formats
// with published elements (those of the bundled element files), their
// places against a two-body propagation of the test's own and against the
// same orbit in the program's element format, the packed dates, the choice
// by name, and every kind of malformed line.

#include "astronomy/MpcOrbits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "astronomy/OrbitElements.h"

namespace astronomy {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr double kGauss = 0.01720209895;
constexpr double kArcsec = kDeg / 3600;

// Julian Date of 0h of a Gregorian date from <chrono>'s day count (day 0 =
// 1970-01-01 = JD 2440587.5), independent of the program's calendar.
double JulianDate0h(int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    return sys_days(year{y} / month{m} / day{d}).time_since_epoch().count() + 2440587.5;
}

// The lines of the test files, written into the formats' columns from the
// elements of the bundled files Ceres.kpl, Vesta.kpl, Encke.kom and
// NEOWISE.kom (tests/data/README.md), and the same elements in degrees.
std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
const std::string kMinorPlanetFile = ReadBytes(KELMARON_TEST_DATA "/elements/MPCORB-Auszug.DAT");
const std::string kCometFile = ReadBytes(KELMARON_TEST_DATA "/elements/CometEls-Auszug.txt");
// The line of a file that starts with start, without its line end.
std::string LineOf(const std::string& file, const std::string& start) {
    const std::size_t from = file.find("\n" + start) + 1;
    return file.substr(from, file.find_first_of("\r\n", from) - from);
}
const std::string kCeresLine = LineOf(kMinorPlanetFile, "00001 ");
const std::string kVestaLine = LineOf(kMinorPlanetFile, "00004 ");
const std::string kEnckeLine = kCometFile.substr(0, kCometFile.find('\n'));
const std::string kNeowiseLine = LineOf(kCometFile, "    CK20F030");

struct Comet {
    std::string line, name;
    int year, month;
    double day, q, e, omega, node, i, H;
};
// 2P/Encke: perihelion JD 2460239.4963 = 2023 October 21.9963 TT;
// C/2020 F3: JD 2459034.1789 = 2020 July 3.6789 TT.
const Comet kEncke{kEnckeLine, "2P/Encke", 2023, 10, 21.9963, 0.337456, 0.847971, 187.0986, 334.2307, 11.4366, 11.5};
const Comet kNeowise{kNeowiseLine, "C/2020 F3 (NEOWISE)", 2020, 7, 3.6789, 0.294651, 0.999178, 37.2787, 61.0104,
                     128.9375, 7.5};

// The heliocentric ecliptic place of J2000 by the test's own two-body
// solution: Kepler's equation by bisection, then the rotation into the
// ecliptic by the matrix of node, inclination and argument of perihelion.
struct Place {
    double lon, lat, r;
};
Place TwoBody(double e, double q, double omegaDeg, double nodeDeg, double iDeg, double perihelionJD, double JD) {
    const double a = q / (1 - e);
    const double n = kGauss / std::pow(a, 1.5);
    const double M = std::remainder(n * (JD - perihelionJD), 2 * std::numbers::pi);
    double lo = -std::numbers::pi, hi = std::numbers::pi;  // E - e sin E rises with E
    for (int k = 0; k < 200; ++k) {
        const double mid = (lo + hi) / 2;
        (mid - e * std::sin(mid) < M ? lo : hi) = mid;
    }
    const double E = (lo + hi) / 2;
    const double x = a * (std::cos(E) - e), y = a * std::sqrt(1 - e * e) * std::sin(E);
    const double w = omegaDeg * kDeg, N = nodeDeg * kDeg, i = iDeg * kDeg;
    const double X = (std::cos(w) * std::cos(N) - std::sin(w) * std::sin(N) * std::cos(i)) * x +
                     (-std::sin(w) * std::cos(N) - std::cos(w) * std::sin(N) * std::cos(i)) * y;
    const double Y = (std::cos(w) * std::sin(N) + std::sin(w) * std::cos(N) * std::cos(i)) * x +
                     (-std::sin(w) * std::sin(N) + std::cos(w) * std::cos(N) * std::cos(i)) * y;
    const double Z = std::sin(w) * std::sin(i) * x + std::cos(w) * std::sin(i) * y;
    const double r = std::sqrt(X * X + Y * Y + Z * Z);
    return {std::atan2(Y, X), std::asin(Z / r), r};
}

// The program's place of the orbit at JD, ecliptic and equinox of J2000.
HeliocentricPlace ProgramPlace(const OrbitalElements& el, double JD) {
    return SolveOrbit(PrepareOrbit(el, 0, 1, 1, 2000, 0), (JD - 2415020) / 36525);
}

double AngleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 2 * std::numbers::pi)); }

void ExpectSamePlace(const HeliocentricPlace& h, const Place& p, double tolerance) {
    ASSERT_TRUE(h.ok);
    EXPECT_LT(AngleDiff(h.lon, p.lon), tolerance);
    EXPECT_NEAR(h.lat, p.lat, tolerance);
    EXPECT_NEAR(h.r, p.r, 1e-8 * p.r);
}

const std::vector<double> kInstants = {2451545.0, 2459800.5, 2460310.25, 2461000.5, 2470000.0};

// ---------------------------------------------------------------------------

TEST(MpcPackedDate, DecodesCenturyYearMonthAndDay) {
    EXPECT_EQ(PackedDateJulianDate("K24AH"), JulianDate0h(2024, 10, 17));
    EXPECT_EQ(PackedDateJulianDate("K2289"), JulianDate0h(2022, 8, 9));
    EXPECT_EQ(PackedDateJulianDate("J9611"), JulianDate0h(1996, 1, 1));
    EXPECT_EQ(PackedDateJulianDate("I99CV"), JulianDate0h(1899, 12, 31));
    EXPECT_EQ(PackedDateJulianDate("K242T"), JulianDate0h(2024, 2, 29));  // a leap day
    // Not a date: day 32 (W), month 13 (D), 29 February of a common year,
    // another century letter, small letters, other lengths, a blank.
    for (const char* bad : {"K24AW", "K24D1", "K232T", "L24A1", "k24ah", "K24A", "K24AHH", "K24 H", "K2X11", ""})
        EXPECT_FALSE(PackedDateJulianDate(bad)) << bad;
}

TEST(MpcMinorPlanet, LineBecomesTheOrbitRecordPlacedByMeanAnomalyAndPerihelionTime) {
    ASSERT_EQ(kCeresLine.size(), 202u);
    const std::optional<OrbitalElements> el = ParseMpcMinorPlanetLine(kCeresLine);
    ASSERT_TRUE(el);
    EXPECT_EQ(el->name, "(1) Ceres");
    EXPECT_EQ(el->kind, kKindMinorPlanet);
    EXPECT_EQ(el->equinox, 2000);
    EXPECT_EQ(el->e, 0.0786358);
    EXPECT_EQ(el->a, 2.7666190);
    EXPECT_NEAR(el->q, 2.7666190 * (1 - 0.0786358), 1e-15);
    EXPECT_NEAR(el->M, 334.32717 * kDeg, 1e-15);
    EXPECT_NEAR(el->node, 80.26644 * kDeg, 1e-15);
    EXPECT_EQ(el->t, 2459800.5);
    EXPECT_EQ(el->mag, 3.33);
    // The perihelion time: M / n days before the epoch.
    const double n = kGauss / std::pow(2.7666190, 1.5);
    EXPECT_NEAR(el->T, 2459800.5 - 334.32717 * kDeg / n, 1e-6);

    // Both ways the orbit solution places the body agree with the test's
    // own two-body solution from the perihelion time.
    OrbitalElements byT = *el;
    byT.M = 0;
    for (double JD : kInstants) {
        SCOPED_TRACE(JD);
        const Place p = TwoBody(0.0786358, el->q, 73.53163, 80.26644, 10.58680, el->T, JD);
        ExpectSamePlace(ProgramPlace(*el, JD), p, 5e-9);
        ExpectSamePlace(ProgramPlace(byT, JD), p, 5e-9);
    }
}

TEST(MpcComet, LinesBecomeTheOrbitRecordWithThePerihelionDate) {
    for (const Comet& c : {kEncke, kNeowise}) {
        SCOPED_TRACE(c.name);
        const std::optional<OrbitalElements> el = ParseMpcCometLine(c.line);
        ASSERT_TRUE(el);
        EXPECT_EQ(el->name, c.name);
        EXPECT_EQ(el->kind, kKindComet);
        EXPECT_EQ(el->equinox, 2000);
        EXPECT_EQ(el->q, c.q);
        EXPECT_EQ(el->e, c.e);
        EXPECT_NEAR(el->i, c.i * kDeg, 1e-15);
        EXPECT_EQ(el->mag, c.H);
        const double T = JulianDate0h(c.year, c.month, static_cast<unsigned>(c.day)) + (c.day - std::floor(c.day));
        EXPECT_NEAR(el->T, T, 1e-9);
        ElementNotes notes;
        OrbitalElements done = *el;
        CompleteAndCheckElements(done, notes);
        EXPECT_TRUE(notes.empty());
        for (double JD : kInstants) {
            SCOPED_TRACE(JD);
            ExpectSamePlace(ProgramPlace(done, JD), TwoBody(c.e, c.q, c.omega, c.node, c.i, T, JD), 5e-9);
        }
    }
}

TEST(MpcFile, PlacesEqualThoseOfTheSameOrbitInTheProgramsFormatAndOfTheBundledFiles) {
    // The MPC lines and element files of the program's own format with the
    // same numbers.
    const std::string ceresKpl = "Ceres\ne=0.0786358\na=2.7666190\nknoten=80.26644\nomega=73.53163\n"
                                 "i=10.58680\nM=334.32717\nt=2459800.5\nmag=3.33\n";
    const std::string enckeKom = "2P/Encke\ne=0.847971\nq=0.337456\nknoten=334.2307\nomega=187.0986\n"
                                 "i=11.4366\nT=2460239.4963\nmag=11.5\n";
    ElementNotes notes;
    const OrbitalElements ceres = ReadElementText(kCeresLine + "\n", "x.txt", 1950, "", notes).elements;
    const OrbitalElements encke = ReadElementText(kEnckeLine + "\r\n", "x.txt", 1950, "", notes).elements;
    EXPECT_TRUE(notes.empty());
    const std::pair<OrbitalElements, std::string> cases[] = {{ceres, ceresKpl}, {encke, enckeKom}};
    for (const auto& [mpc, own] : cases) {
        SCOPED_TRACE(mpc.name);
        const OrbitalElements same = ParseElementText(own, "x", 2000, notes);
        for (double JD : kInstants) {
            const HeliocentricPlace a = ProgramPlace(mpc, JD), b = ProgramPlace(same, JD);
            ASSERT_TRUE(a.ok && b.ok);
            EXPECT_LT(AngleDiff(a.lon, b.lon), 1e-10);
            EXPECT_NEAR(a.lat, b.lat, 1e-10);
        }
    }
    // The bundled files with the elements to full precision: the columns'
    // rounding moves the place by far less than an arcsecond.
    const OrbitalElements bundledCeres =
        ParseElementFile(KELMARON_DATA_DIR "/Objekte/Ceres.kpl", "", 2000, notes).elements;
    const OrbitalElements bundledEncke =
        ParseElementFile(KELMARON_DATA_DIR "/Objekte/Encke.kom", "", 2000, notes).elements;
    EXPECT_TRUE(notes.empty());
    for (double JD : {2460000.5, 2460310.25, 2460700.5}) {
        for (const auto& [mpc, bundled] : {std::pair{ceres, bundledCeres}, std::pair{encke, bundledEncke}}) {
            const HeliocentricPlace a = ProgramPlace(mpc, JD), b = ProgramPlace(bundled, JD);
            ASSERT_TRUE(a.ok && b.ok);
            EXPECT_LT(AngleDiff(a.lon, b.lon), 1 * kArcsec) << mpc.name << " " << JD;
            EXPECT_LT(std::fabs(a.lat - b.lat), 1 * kArcsec) << mpc.name << " " << JD;
        }
    }
}

TEST(MpcFile, ReadsTheHeaderOfMpcorbTheObjectLinesAndTheNamesOfEach) {
    // The header ends in a line of dashes; it may hold "=" in its prose.
    const std::string header = "MPCORB\r\nminor planets = 1 line each\r\n" + std::string(202, '-') + "\r\n";
    const std::optional<std::vector<MpcObject>> objects =
        ReadMpcText(header + kCeresLine + "\r\n\r\n" + kVestaLine + "\r\n");
    ASSERT_TRUE(objects);
    ASSERT_EQ(objects->size(), 2u);
    EXPECT_EQ((*objects)[0].name, "(1) Ceres");
    EXPECT_EQ((*objects)[1].packed, "00004");
    EXPECT_TRUE((*objects)[1].elements);

    // A file of comets without a header, a blank line in between.
    const std::optional<std::vector<MpcObject>> comets = ReadMpcText(kEnckeLine + "\n\n" + kNeowiseLine);
    ASSERT_TRUE(comets);
    ASSERT_EQ(comets->size(), 2u);
    EXPECT_EQ((*comets)[1].packed, "CK20F030");
    EXPECT_EQ((*comets)[1].elements->kind, kKindComet);

    // Element files of the program's own (also with a line of dashes) and
    // other text are none.
    EXPECT_FALSE(ReadMpcText("Ceres\r\ne= 0.0786\r\na= 2.77\r\n"));
    EXPECT_FALSE(ReadMpcText("Komet\ne=0.5\nq=1\n" + std::string(40, '-') + "\n"));
    EXPECT_FALSE(ReadMpcText(kCeresLine + "\ne=0.5\n"));
    EXPECT_FALSE(ReadMpcText("Lieber Freund,\nwie geht es dir?\n"));
    EXPECT_FALSE(ReadMpcText(""));
}

TEST(MpcFile, FindsAnObjectByAnyOfItsDesignationsIgnoringCase) {
    const std::vector<MpcObject> objects = *ReadMpcText(kMinorPlanetFile + kCometFile);
    const std::pair<const char*, std::size_t> found[] = {
        {"(1) Ceres", 0}, {"ceres", 0}, {" CERES ", 0}, {"1", 0}, {"(1)", 0}, {"00001", 0}, {"vesta", 1},
        {"4", 1},         {"2p/encke", 2}, {"Encke", 2}, {"2P", 2}, {"0002P", 2}, {"neowise", 3},
        {"C/2020 F3", 3}, {"c/2020 f3 (neowise)", 3}, {"CK20F030", 3}};
    for (const auto& [wanted, index] : found) EXPECT_EQ(FindMpcObject(objects, wanted), index) << wanted;
    // Parts of names and unknown names find nothing.
    for (const char* wanted : {"Cer", "Ceres Vesta", "2", "C/2020", "Pluto", "", "  "})
        EXPECT_FALSE(FindMpcObject(objects, wanted)) << wanted;
}

TEST(MpcFile, ChosenLineIsTheRecordAndItsSavedFileReadsBackTheSame) {
    const std::string& text = kMinorPlanetFile;
    ElementNotes notes;
    const ElementTextRead first = ReadElementText(text, "MPCORB.DAT", 2000, "", notes);
    EXPECT_EQ(first.source, ElementSource::MpcLine);
    EXPECT_EQ(first.elements.name, "(1) Ceres");
    const ElementTextRead vesta = ReadElementText(text, "MPCORB.DAT", 2000, "VESTA", notes);
    EXPECT_EQ(vesta.source, ElementSource::MpcLine);
    EXPECT_EQ(vesta.elements.name, "(4) Vesta");
    EXPECT_TRUE(notes.empty());
    const ElementTextRead none = ReadElementText(text, "MPCORB.DAT", 2000, "Pallas", notes);
    EXPECT_EQ(none.source, ElementSource::MpcNameNotFound);
    EXPECT_TRUE(notes.empty());
    // A header without object lines: the file's error message.
    EXPECT_EQ(ReadElementText("----------------------------------------\n", "leer.txt", 2000, "", notes).source,
              ElementSource::MpcEmpty);
    EXPECT_EQ(notes, (ElementNotes{{ElementIssue::LineWithoutValue, "leer.txt"}}));
    notes.clear();

    for (const auto& [el, file] : {std::pair{vesta.elements, "x.kpl"},
                                   std::pair{ReadElementText(kNeowiseLine, "x", 2000, "", notes).elements, "x.kom"}}) {
        SCOPED_TRACE(el.name);
        const OrbitalElements back = ParseElementText(FormatElementFile(el), file, 1950, notes);
        EXPECT_TRUE(notes.empty());
        EXPECT_EQ(back.name, el.name);
        EXPECT_EQ(back.kind, el.kind);
        for (auto [x, y] : {std::pair{back.e, el.e}, {back.a, el.a}, {back.q, el.q}, {back.node, el.node},
                            {back.omega, el.omega}, {back.i, el.i}, {back.T, el.T}, {back.M, el.M}, {back.t, el.t},
                            {back.mag, el.mag}})
            EXPECT_EQ(x, y);
        EXPECT_EQ(back.equinox, 2000);
    }
}

TEST(MpcFile, MalformedLinesGiveTheCheckMessageAndNoRecord) {
    const std::string &ceres = kCeresLine, &encke = kEnckeLine;
    auto with = [](std::string line, std::size_t column, const std::string& text) {
        line.replace(column - 1, text.size(), text);
        return line;
    };
    struct Case {
        const char* fault;
        std::string line;
        std::string name;
    };
    const Case cases[] = {
        {"short line", ceres.substr(0, 95), "00001"},
        {"columns moved", " " + ceres, "(1) Ceres"},
        {"letter in M", with(ceres, 27, "334.3a717"), "(1) Ceres"},
        {"letter in a", with(ceres, 93, "  2.766619O"), "(1) Ceres"},
        {"blank e", with(ceres, 71, "         "), "(1) Ceres"},
        {"epoch day 32", with(ceres, 21, "K228W"), "(1) Ceres"},
        {"epoch century", with(ceres, 21, "X2289"), "(1) Ceres"},
        {"e = 1 for a minor planet", with(ceres, 71, "1.0000000"), "(1) Ceres"},
        {"negative e", with(ceres, 71, "-.0786358"), "(1) Ceres"},
        {"a = 0", with(ceres, 93, "  0.0000000"), "(1) Ceres"},
        {"inclination over 180", with(ceres, 60, "190.00000"), "(1) Ceres"},
        {"not finite", with(ceres, 27, "    1e999"), "(1) Ceres"},
        {"comet short line", encke.substr(0, 80), "0002P"},
        {"comet month 13", with(encke, 20, "13"), "2P/Encke"},
        {"comet 31 September", with(encke, 15, "2023 09 31.5000"), "2P/Encke"},
        {"comet letter in q", with(encke, 31, " 0.3374S6"), "2P/Encke"},
        {"comet negative e", with(encke, 42, "-0.84797"), "2P/Encke"},
        {"comet q = 0", with(encke, 31, " 0.000000"), "2P/Encke"},
        {"comet epoch", with(encke, 82, "2024XX01"), "2P/Encke"},
        {"comet columns moved", with(encke, 39, "60"), "2P/Encke"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        ElementNotes notes;
        const ElementTextRead r = ReadElementText(c.line + "\n", "x.kpl", 2000, "", notes);
        EXPECT_EQ(r.source, ElementSource::MpcMalformed);
        EXPECT_EQ(notes, (ElementNotes{{ElementIssue::Suspicious, c.name}}));
        EXPECT_EQ(r.elements.e, 0);
        EXPECT_EQ(r.elements.T, 0);
    }
    // In a file of several lines a malformed one spoils only itself.
    ElementNotes notes;
    const std::string text = with(ceres, 27, "334.3a717") + "\n" + kVestaLine + "\n";
    EXPECT_EQ(ReadElementText(text, "x", 2000, "Vesta", notes).source, ElementSource::MpcLine);
    EXPECT_EQ(ReadElementText(text, "x", 2000, "Ceres", notes).source, ElementSource::MpcMalformed);
}

}  // namespace
}  // namespace astronomy

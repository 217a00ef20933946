// Checks of the data files the program ships (data/), read with the
// program's own readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "astronomy/Angles.h"
#include "astronomy/OrbitElements.h"
#include "charts/Catalogue.h"

using namespace charts;
using astronomy::kDegToRad;
using astronomy::kPi;

namespace {

const std::string kData = KELMARON_DATA_DIR;
constexpr double kOneArcminRad = kPi / 180 / 60;
constexpr double kOneArcsecRad = kPi / 180 / 3600;

double Separation(double a1, double d1, double a2, double d2) {
    const double c = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(a1 - a2);
    return std::acos(std::fmin(1.0, std::fmax(-1.0, c)));
}

class StarData : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(files.Open(kData, error)) << error;
    }
    static CatalogueRecord Record(int n) {
        CatalogueRecord r;
        EXPECT_TRUE(files.ReadCatalogueRecord(n, r));
        return r;
    }
    static StarFiles files;
};
StarFiles StarData::files;

}  // namespace

TEST_F(StarData, SizesOrderAndMagnitudes) {
    EXPECT_EQ(files.RecordCount(), kRecordCount);
    double lastRa = -1;
    int brightest = 0;
    double brightestMag = 99;
    for (int n = kStarRecords.first; n <= kStarRecords.last; ++n) {
        const CatalogueRecord r = Record(n);
        ASSERT_GE(r.ra, lastRa) << "record " << n;  // the equatorial chart relies on this order
        lastRa = r.ra;
        ASSERT_GE(r.magnitude, -2.0);
        ASSERT_LE(r.magnitude, 8.2);  // the 45266 brightest stars reach V 8.1
        ASSERT_LE(std::fabs(r.dec), kPi / 2 + 1e-9);
        if (r.magnitude < brightestMag) brightestMag = r.magnitude, brightest = n;
    }
    // Sirius, V -1.46 at 6h 45m 09s, -16 42' 58" (J2000), is the brightest.
    const CatalogueRecord sirius = Record(brightest);
    EXPECT_LT(Separation(sirius.ra, sirius.dec, (6 + 45.15 / 60) * 15 * kDegToRad, -(16 + 43.0 / 60) * kDegToRad),
              2 * kOneArcminRad);
    for (int n = kBrightStarRecords.first; n <= kBrightStarRecords.last; ++n) ASSERT_LE(Record(n).magnitude, 5.1 + 1e-9);  // 0.1 k - 2 rounds
}

TEST_F(StarData, DeepSkyClassesNeverCancelAnObject) {
    // Drawn with XOR, two symbols at one place cancel. Within a class every
    // place must occur an odd number of times (filler records are copies in
    // pairs), and distinct places lie at least 1' apart.
    for (int type = kTypeOpenCluster; type <= kTypeNebulaE; ++type) {
        SCOPED_TRACE(type);
        const RecordRange range = RecordRangeForDeepSkyType(type);
        ASSERT_GT(range.Count(), 0);
        std::map<std::pair<std::int32_t, std::int32_t>, int> seen;
        std::vector<CatalogueRecord> places;
        for (int n = range.first; n <= range.last; ++n) {
            RawStarRecord raw;
            ASSERT_TRUE(files.ReadRaw(n, raw));
            if (seen[{raw.a, raw.d}]++ == 0) places.push_back(Record(n));
        }
        for (const auto& [key, count] : seen) EXPECT_EQ(count % 2, 1);
        for (std::size_t i = 0; i < places.size(); ++i)
            for (std::size_t j = i + 1; j < places.size(); ++j)
                ASSERT_GE(Separation(places[i].ra, places[i].dec, places[j].ra, places[j].dec), kOneArcminRad)
                    << "records of type " << type;
    }
}

TEST_F(StarData, KnownObjectsInTheirClasses) {
    // M31 (galaxy) at 0h 42m 44s +41 16' 09", M42 (nebula) at 5h 35m 17s
    // -5 23' 28", M13 (globular) at 16h 41m 41s +36 27' 37" (J2000).
    struct Known {
        const char* name;
        int type;
        double raHours, decDeg;
    };
    for (const Known& k : {Known{"M31", kTypeGalaxy, 0.712319, 41.2692}, Known{"M42", kTypeNebulaE, 5.588139, -5.3911},
                           Known{"M13", kTypeGlobular, 16.694898, 36.4603}}) {
        SCOPED_TRACE(k.name);
        const RecordRange range = RecordRangeForDeepSkyType(k.type);
        double best = 1e9;
        for (int n = range.first; n <= range.last; ++n) {
            const CatalogueRecord r = Record(n);
            best = std::fmin(best, Separation(r.ra, r.dec, k.raHours * 15 * kDegToRad, k.decDeg * kDegToRad));
        }
        EXPECT_LT(best, 2 * kOneArcminRad);
    }
}

TEST(ConstellationData, FiguresUseCatalogueStars) {
    std::vector<ConstellationFigure> figures;
    std::string error;
    ASSERT_TRUE(ReadConstellationFile(CatalogueFilePath(kData, kConstellationFileName), figures, error)) << error;
    EXPECT_TRUE(error.empty()) << error;
    ASSERT_EQ(figures.size(), 89u);
    int stars = 0;
    bool orion = false;
    for (const ConstellationFigure& f : figures) {
        SCOPED_TRACE(f.label);
        ASSERT_EQ(f.items.back(), kFigureEnd);
        for (int item : f.items) {
            if (item <= 0) continue;
            ++stars;
            ASSERT_TRUE(kStarRecords.Contains(item)) << item;
        }
        if (f.label == "Orion") orion = f.secondText == "Orion";
        EXPECT_GE(f.raHours, 0);
        EXPECT_LT(f.raHours, 24);
        EXPECT_LE(std::fabs(f.decDeg), 90);
    }
    EXPECT_TRUE(orion);
    EXPECT_GT(stars, 600);
}

TEST(MessierData, PlacesComeBackToTheSourceAtTwoThousand) {
    std::vector<astronomy::MessierEntry> messier;
    std::string error;
    ASSERT_TRUE(LoadMessierCatalogue(CatalogueFilePath(kData, kMessierFileName), messier, error)) << error;
    ASSERT_EQ(messier.size(), 109u);
    // J2000 source places written by the generator beside the catalogue.
    std::ifstream csv(std::string(KELMARON_TEST_DATA) + "/messier_j2000.csv");
    ASSERT_TRUE(csv);
    std::string line;
    std::getline(csv, line);
    int rows = 0;
    while (std::getline(csv, line)) {
        int n = 0;
        double ra = 0, dec = 0;
        char comma = 0;
        std::istringstream in(line);
        in >> n >> comma >> ra >> comma >> dec;
        ASSERT_TRUE(in && n >= 1 && n <= 109) << line;
        const astronomy::MessierEntry& m = messier[n - 1];
        const astronomy::Equatorial e = astronomy::Precess(2433282, 0.5, 2000, m.ra, m.dec);
        EXPECT_LT(Separation(e.alpha, e.delta, ra * kDegToRad, dec * kDegToRad), 0.1 * kOneArcsecRad) << "M" << n;
        ++rows;
    }
    EXPECT_EQ(rows, 109);

    EXPECT_EQ(messier[30].constellation, "Andromeda");  // M31
    EXPECT_EQ(messier[41].constellation, "Orion");      // M42
    EXPECT_EQ(DeepSkyTypeFromText(messier[41].type), kTypeNebulaE);
    EXPECT_EQ(messier[41].name, "Orionnebel");
    EXPECT_EQ(messier[44].name, "Plejaden");             // M45
    EXPECT_EQ(DeepSkyTypeFromText(messier[12].type), kTypeGlobular);  // M13
    for (const auto& m : messier) EXPECT_FALSE(m.name.empty());
}

TEST(ElementData, BundledFilesReadWithoutComplaint) {
    struct File {
        const char* name;
        int kind;
    };
    for (const File& f : {File{"Pluto.kpl", astronomy::kKindPluto}, File{"Ceres.kpl", astronomy::kKindMinorPlanet},
                          File{"Pallas.kpl", astronomy::kKindMinorPlanet}, File{"Juno.kpl", astronomy::kKindMinorPlanet},
                          File{"Vesta.kpl", astronomy::kKindMinorPlanet}, File{"Halley.kom", astronomy::kKindComet},
                          File{"Encke.kom", astronomy::kKindComet}, File{"Hale-Bopp.kom", astronomy::kKindComet},
                          File{"NEOWISE.kom", astronomy::kKindComet}}) {
        SCOPED_TRACE(f.name);
        astronomy::ElementNotes messages;
        const astronomy::ElementFileRead read =
            astronomy::ParseElementFile(kData + "/Objekte/" + f.name, kData, 2000, messages);
        EXPECT_TRUE(read.opened);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(read.elements.kind, f.kind);
        EXPECT_EQ(read.elements.equinox, 2000);
    }
}

TEST(HelpData, HighlightsArePairedAndLinesFit) {
    std::ifstream in(kData + "/kelmar.hlp", std::ios::binary);
    ASSERT_TRUE(in);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++lines;
        SCOPED_TRACE(line);
        EXPECT_LE(line.size(), 78u);  // Windows-1252: one byte per character
        int depth = 0;
        for (char c : line) {
            if (c == '<') ++depth;
            if (c == '>') --depth;
            ASSERT_GE(depth, 0);
            ASSERT_LE(depth, 1);
        }
        EXPECT_EQ(depth, 0);
    }
    EXPECT_GT(lines, 100);
}

TEST(HelpData, NamesWhatTheProgramDoesAndItsHelpKey) {
    // The help text sends a user to the views, layers and searches the
    // program has, under their menu names, and names F1 as its key.
    std::ifstream in(kData + "/kelmar.hlp", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const char* present : {"<System>", "<Track>", "<Eingabe Trackl\xE4nge>", "<Sonnenn\xE4he>", "<Erdn\xE4he>",
                                "<Aufgang>", "<Mondfinsternis>", "<F1>"})
        EXPECT_NE(text.find(present), std::string::npos) << present;
}

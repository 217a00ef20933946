// The catalogue readers: star record decoding and encoding, the star files,
// type labels, the Messier catalogue and the constellation figures.

#include "astronomy/Angles.h"
#include "charts/Catalogue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace charts {
namespace {

namespace fs = std::filesystem;

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
// One step of the stored right ascension: 1e-7 of 3pi.
constexpr double kRaStep = 9.424777958e-7;
// One step of the stored declination.
constexpr double kDecStep = 8.72664626e-10;

double AngleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 2 * kPi)); }

// A fresh folder per test, removed afterwards.
struct TempDir {
    fs::path path;
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = fs::temp_directory_path() /
               ("kelmaron-catalogue-" + std::string(info->name()) + "-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

void WriteBytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// ---------------------------------------------------------------------------
// Star records

TEST(StarRecord, Decode) {
    struct Case {
        std::int32_t a, d;
        double factor;
        int k;
        double ra, dec;  // by exact decimal arithmetic from the record rules
    };
    const Case cases[] = {
        // A record of both fields: x = 41.2, k = 41 (2.1 mag), ra = 0.2 * 9.424777958,
        // dec = -1.2e9 * 8.72664626e-10 = -1.0471975512 (-60 degrees).
        {412000000, -1200000000, kRaFactorChart, 41, 1.8849555916, -1.0471975512},
        {412000000, 0, kRaFactorOverlay, 41, 1.8849555922, 0},   // 0.2 * 9.424777961
        {10000000, 1800000000, kRaFactorChart, 1, 0, 1.5707963268},  // whole x: ra 0; the pole
        {1013333333, 1, kRaFactorChart, 101, 3.1415923385, 8.72664626e-10},  // 0.3333333 * 3pi
        // Fraction 0.6666667: 6.2831856194 - 6.2831853072 = 3.122925986e-7, one turn off.
        {6666667, 0, kRaFactorChart, 0, 3.122925986e-7, 0},
        // Fraction 0.9999999 (not written by the encoder): 9.4247770155 - 6.2831853072.
        {119999999, 0, kRaFactorChart, 11, 3.1415917083, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        const CatalogueRecord r = DecodeStarRecord(c.a, c.d, c.factor);
        EXPECT_EQ(r.MagnitudeCode, c.k);
        EXPECT_NEAR(r.magnitude, 0.1 * c.k - 2.0, 1e-12);
        EXPECT_NEAR(r.ra, c.ra, 1e-10);
        EXPECT_NEAR(r.dec, c.dec, 1e-12);
    }
    // x = k exactly must stay k (a k - 1 would turn ra 0 into 3pi - 2pi = pi).
    for (int k = 0; k <= 214; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(DecodeStarRecord(k * 10000000, 0).MagnitudeCode, k);
        EXPECT_EQ(DecodeStarRecord(k * 10000000, 0).ra, 0.0);
    }
}

TEST(StarRecord, Encode) {
    struct Case {
        double ra, decDeg, mag;
        bool ok;
        std::int32_t a, d;  // by hand from A = 1e7 (k + ra / 9.424777958), D = 2e7 deg
    };
    const Case cases[] = {
        {0, 0, -2.0, true, 0, 0},
        {kPi, 90, 8.1, true, 1013333333, 1800000000},  // k = 101, pi/9.424777958 = 0.33333333334
        {0, -90, -1.5, true, 50000000, -1800000000},   // k = 5
        {1.8849555916, -60, 2.1, true, 412000000, -1200000000},
        {0, 0.00000005, 0, true, 200000000, 1},         // D counts 5e-8 degrees
        {-0.1, 0, 0, false, 7, 8},                       // ra below 0
        {2 * kPi, 0, 0, false, 7, 8},                    // a full turn
        {1, 90.5, 0, false, 7, 8},                       // beyond the pole
        {1, 0, -2.2, false, 7, 8},                       // brighter than -2.0
        {1, 0, 300, false, 7, 8},                        // A beyond 32 bits
        {std::nan(""), 0, 0, false, 7, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ra << " " << c.decDeg << " " << c.mag);
        RawStarRecord raw{7, 8};
        EXPECT_EQ(EncodeStarRecord(c.ra, c.decDeg, c.mag, raw), c.ok);
        EXPECT_EQ(raw.a, c.a);
        EXPECT_EQ(raw.d, c.d);
    }
}

TEST(StarRecord, RoundTripsAcrossTheSky) {
    const double ras[] = {0, 1e-9, 1.0, kPi, 2 * kPi - 1e-4, 2 * kPi - 1e-7, 2 * kPi - 1e-12};
    const double decs[] = {-90, -45.123456, 0, 0.0000001, 89.99, 90};
    const double mags[] = {-2.0, -1.5, 0.0, 2.1, 8.1, 15.3};
    for (const double ra : ras)
        for (const double dec : decs)
            for (const double mag : mags) {
                SCOPED_TRACE(testing::Message() << "ra " << ra << " dec " << dec << " mag " << mag);
                RawStarRecord raw;
                ASSERT_TRUE(EncodeStarRecord(ra, dec, mag, raw));
                const CatalogueRecord r = DecodeStarRecord(raw.a, raw.d);
                // Half a step of each field, plus the 2e-11 by which 6.2831853072
                // exceeds 2pi near the wrap and the 4e-11 rad error of the Dec factor.
                EXPECT_LE(AngleDiff(r.ra, ra), kRaStep / 2 + 1e-10);
                EXPECT_GE(r.ra, 0.0);
                EXPECT_LT(r.ra, astronomy::kStoredCircle);
                EXPECT_NEAR(r.dec, dec * kDeg, kDecStep / 2 + 5e-11);
                EXPECT_NEAR(r.magnitude, mag, 1e-9);
            }
}

TEST(StarRecord, LittleEndianRegardlessOfHost) {
    const struct {
        std::int32_t value;
        unsigned char bytes[4];  // two's complement, lowest byte first
    } cases[] = {{0x01020304, {0x04, 0x03, 0x02, 0x01}},
                 {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
                 {-1200000000, {0x00, 0x74, 0x79, 0xB8}}};  // 2^32 - 1.2e9 = 0xB8797400
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        unsigned char out[4] = {};
        StoreLittleEndian(c.value, out);
        EXPECT_TRUE(std::equal(out, out + 4, c.bytes));
        EXPECT_EQ(LoadLittleEndian(c.bytes), c.value);
    }
}

TEST(RecordRanges, TileTheCatalogueWithTheDocumentedCounts) {
    // Counts and type codes from the catalogue's record table.
    const struct {
        RecordRange range;
        int count, type;
    } rows[] = {{kStarRecords, 45266, 0},       {kNebulaERecords, 281, 23},     {kGalaxyRecords, 3057, 22},
                {kGlobularRecords, 122, 20},    {kOpenClusterRecords, 745, 19}, {kPlanetaryRecords, 563, 21},
                {kBrightStarRecords, 1766, 0}};
    int next = 1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.range.first);
        EXPECT_EQ(row.range.first, next);
        EXPECT_EQ(row.range.Count(), row.count);
        next = row.range.last + 1;
        if (row.type == 0) continue;
        EXPECT_EQ(RecordRangeForDeepSkyType(row.type).first, row.range.first);
        EXPECT_EQ(RecordRangeForDeepSkyType(row.type).last, row.range.last);
    }
    EXPECT_EQ(next - 1, kRecordCount);
    EXPECT_EQ(RecordRangeForDeepSkyType(18).Count(), 0);
    EXPECT_EQ(RecordRangeForDeepSkyType(24).Count(), 0);
}

// ---------------------------------------------------------------------------
// Star files

std::string StarFileBytes(const std::vector<std::int32_t>& values) {
    std::string bytes(values.size() * 4, '\0');
    for (std::size_t i = 0; i < values.size(); ++i)
        StoreLittleEndian(values[i], reinterpret_cast<unsigned char*>(bytes.data()) + 4 * i);
    return bytes;
}

// Record n of the first file holds n * 10, of the second -n; record 50 is
// a star with both codes set (412 000 000, -1 200 000 000): 2.1 mag at
// 1.885 rad, -60 degrees.
void WriteStarFiles(const fs::path& dir, int records1, int records2, const std::string& name1 = "sterne1.var",
                    const std::string& name2 = "sterne2.var") {
    std::vector<std::int32_t> a(records1), d(records2);
    for (int n = 1; n <= records1; ++n) a[n - 1] = n == 50 ? 412000000 : n * 10;
    for (int n = 1; n <= records2; ++n) d[n - 1] = n == 50 ? -1200000000 : -n;
    WriteBytes(dir / name1, StarFileBytes(a));
    WriteBytes(dir / name2, StarFileBytes(d));
}

TEST(StarFiles, ReadsRecordsByNumberAndRefusesOthers) {
    TempDir tmp;
    // Upper-case names on disk are found; record 50 holds the star with both codes.
    WriteStarFiles(tmp.path, kRecordCount, kRecordCount, "STERNE1.VAR", "Sterne2.Var");
    StarFiles files;
    std::string error = "old";
    ASSERT_TRUE(files.Open(tmp.path.string(), error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(files.RecordCount(), kRecordCount);
    for (const int n : {1, 45266, 45267, 50035, kRecordCount}) {
        SCOPED_TRACE(n);
        RawStarRecord raw;
        ASSERT_TRUE(files.ReadRaw(n, raw));
        EXPECT_EQ(raw.a, n == 50 ? 412000000 : n * 10);
        EXPECT_EQ(raw.d, n == 50 ? -1200000000 : -n);
    }
    CatalogueRecord r;
    ASSERT_TRUE(files.ReadCatalogueRecord(50, r));
    EXPECT_EQ(r.MagnitudeCode, 41);                // 2.1 mag
    EXPECT_NEAR(r.ra, 1.8849555916, 1e-12);         // 0.2 * 9.424777958
    EXPECT_NEAR(r.dec, -1.0471975512, 1e-12);      // -60 degrees
    for (const int n : {0, -1, kRecordCount + 1}) {
        SCOPED_TRACE(n);
        RawStarRecord raw{5, 6};
        EXPECT_FALSE(files.ReadRaw(n, raw));
        EXPECT_EQ(raw.a, 5);
        EXPECT_FALSE(files.ReadCatalogueRecord(n, r));
    }
    files.Close();
    EXPECT_FALSE(files.IsOpen());
    EXPECT_FALSE(files.ReadCatalogueRecord(1, r));
}

TEST(StarFiles, ShortOrMissingFilesAreReported) {
    const struct {
        const char* what;
        int records1, records2;
        bool write2;
        std::string error;
    } cases[] = {
        {"second file one record short", kRecordCount, kRecordCount - 1, true,
         "Sternkatalog beschädigt: sterne2.var ist zu kurz"},
        {"first file empty", 0, kRecordCount, true, "Sternkatalog beschädigt: sterne1.var ist zu kurz"},
        {"second file missing", kRecordCount, kRecordCount, false, "Sternkatalog nicht lesbar: sterne2.var"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir tmp;
        WriteStarFiles(tmp.path, c.records1, c.records2);
        if (!c.write2) fs::remove(tmp.path / "sterne2.var");
        StarFiles files;
        std::string error;
        EXPECT_FALSE(files.Open(tmp.path.string(), error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(files.IsOpen());
        RawStarRecord raw;
        EXPECT_FALSE(files.ReadRaw(1, raw));
    }
    // Two stray bytes after the last record: no 51801st record is made of them.
    TempDir tmp;
    WriteStarFiles(tmp.path, kRecordCount, kRecordCount);
    std::ofstream(tmp.path / "sterne1.var", std::ios::binary | std::ios::app) << "xy";
    std::ofstream(tmp.path / "sterne2.var", std::ios::binary | std::ios::app) << "xy";
    StarFiles files;
    std::string error;
    ASSERT_TRUE(files.Open(tmp.path.string(), error));
    EXPECT_EQ(files.RecordCount(), kRecordCount);
}

// ---------------------------------------------------------------------------
// Type labels

TEST(DeepSkyType, FromText) {
    // Positions in "OStKStPlNGa E  " and 18 + round((p + 2) / 3), by hand.
    // Empty, "Nebel" and "ost" (case matters) are absent; "N" p = 9: 11/3 = 3.67 -> 4;
    // "t" p = 3: 5/3 = 1.67 -> 2; "St" p = 2: 4/3 = 1.33 -> 1; "Ga " p = 10; "E  " p = 13.
    const std::pair<const char*, int> cases[] = {{"OSt", 19}, {"KSt", 20}, {"PlN", 21}, {"Ga", 22}, {"E", 23},
                                                 {"", 19},    {"Nebel", 19}, {"N", 22}, {"t", 20},  {"St", 19},
                                                 {"Ga ", 22}, {"E  ", 23},   {"ost", 19}};
    for (const auto& [text, code] : cases) EXPECT_EQ(DeepSkyTypeFromText(text), code) << text;
}

// ---------------------------------------------------------------------------
// Messier catalogue

// A catalogue of 109 entries; entries given in `replacements` replace the plain
// line of their number.
std::string MessierText(const std::vector<std::pair<int, std::string>>& replacements = {},
                        const std::string& eol = "\n", int count = kMessierCount) {
    std::string text;
    for (int m = 1; m <= count; ++m) {
        std::string line = "12,30,10,15,9.5,Objekt " + std::to_string(m) + ",Ga,Vir,  ";
        for (const auto& [n, s] : replacements)
            if (n == m) line = s;
        text += line + eol;
    }
    return text;
}

const std::vector<std::pair<int, std::string>> kSampleEntries = {
    {1, "5,31.5,+21,59,8.4,Supernovarest,E,Tau,  Krebsnebel"},
    {2, "21,30.9,-0,49,6.5,Kugelhaufen,KSt,Aqr,  "},
    {3, "13,39.9,0,30,6.4,x,KSt,CVn,  "},
    {4, "16,20.6,+0,30,5.9,x,KSt,Sco,  "},
    {5, " 15 , 16.0 , -5 , 30 , 5.8 ,x,KSt,Ser,  "},
    {109, "11,55.1,53,39,9.8,Balkenspirale,Ga,UMa,Name mit Blanks "},
};

TEST(Messier, ReadsNumbersAndTexts) {
    std::vector<astronomy::MessierEntry> cat;
    std::string error;
    ASSERT_TRUE(ParseMessierCatalogue(MessierText(kSampleEntries), "messier.kat", cat, error)) << error;
    ASSERT_EQ(cat.size(), 109u);
    EXPECT_EQ(error, "");

    struct Case {
        int m;
        double ra, dec;  // (h + min/60) * pi/12 and (deg + sgn*min/60) * pi/180, by hand
        double mag;
    };
    const Case cases[] = {
        {1, (5 + 31.5 / 60) * kPi / 12, (21 + 59.0 / 60) * kPi / 180, 8.4},
        {2, (21 + 30.9 / 60) * kPi / 12, -(49.0 / 60) * kPi / 180, 6.5},  // "-0": minutes negative
        {3, (13 + 39.9 / 60) * kPi / 12, 0.0, 6.4},                       // "0": minutes count nothing
        {4, (16 + 20.6 / 60) * kPi / 12, 0.5 * kPi / 180, 5.9},           // "+0": minutes positive
        {5, (15 + 16.0 / 60) * kPi / 12, -5.5 * kPi / 180, 5.8},          // -5 deg 30 min = -5.5 deg
        {109, (11 + 55.1 / 60) * kPi / 12, (53 + 39.0 / 60) * kPi / 180, 9.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m);
        const astronomy::MessierEntry& e = cat[c.m - 1];
        EXPECT_NEAR(e.ra, c.ra, 1e-15);
        EXPECT_NEAR(e.dec, c.dec, 1e-15);
        EXPECT_DOUBLE_EQ(e.magnitude, c.mag);
    }
    EXPECT_NEAR(cat[4].dec, -0.09599310885968812, 1e-15);  // -5.5 deg in rad, independent value

    EXPECT_EQ(cat[0].description, "Supernovarest");
    EXPECT_EQ(cat[0].type, "E");
    EXPECT_EQ(cat[0].constellation, "Tau");
    EXPECT_EQ(cat[0].name, "  Krebsnebel");
    EXPECT_EQ(cat[1].name, "  ");  // two blanks: no name
    EXPECT_EQ(cat[108].name, "Name mit Blanks ");
    EXPECT_EQ(cat[50].description, "Objekt 51");
}

TEST(Messier, LayoutEncodingAndLineEndsDoNotMatter) {
    std::vector<astronomy::MessierEntry> reference;
    std::string error;
    ASSERT_TRUE(ParseMessierCatalogue(MessierText(kSampleEntries), "messier.kat", reference, error));

    // One field per line (line ends separate fields like commas) with CRLF.
    std::string perField = MessierText(kSampleEntries, "\r\n");
    std::string replaced;
    for (const char c : perField) replaced += c == ',' ? std::string("\r\n") : std::string(1, c);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"CRLF", MessierText(kSampleEntries, "\r\n")},
        {"one field per line", replaced},
        {"no line end at the end", MessierText(kSampleEntries).substr(0, MessierText(kSampleEntries).size() - 1)},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" + MessierText(kSampleEntries)},
        {"trailing empty lines and extra entries", MessierText(kSampleEntries) + "\n\n1,2,3,4,5,a,b,c,d\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<astronomy::MessierEntry> cat;
        ASSERT_TRUE(ParseMessierCatalogue(c.bytes, "messier.kat", cat, error)) << error;
        ASSERT_EQ(cat.size(), reference.size());
        for (std::size_t i = 0; i < cat.size(); ++i) {
            EXPECT_EQ(cat[i].ra, reference[i].ra);
            EXPECT_EQ(cat[i].dec, reference[i].dec);
            EXPECT_EQ(cat[i].description, reference[i].description);
            EXPECT_EQ(cat[i].name, reference[i].name);
        }
    }
}

TEST(Messier, TextFieldsAsWritten) {
    const struct {
        const char* what;
        std::string entry;  // M 109
        bool lastLineEnd;
        std::string description, name;
    } cases[] = {
        {"Windows-1252 becomes UTF-8", "1,0,0,0,0,S\xFC" "d,Ga,UMa,  x", true, "S\xC3\xBC" "d", "  x"},
        {"UTF-8 stays", "1,0,0,0,0,S\xC3\xBC" "d,Ga,UMa,  x", true, "S\xC3\xBC" "d", "  x"},
        {"a comma at the very end closes an empty name", "1,0,0,0,0,d,Ga,UMa,", false, "d", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = MessierText({{109, c.entry}});
        if (!c.lastLineEnd) text.pop_back();
        std::vector<astronomy::MessierEntry> cat;
        std::string error;
        ASSERT_TRUE(ParseMessierCatalogue(text, "messier.kat", cat, error)) << error;
        EXPECT_EQ(cat[108].description, c.description);
        EXPECT_EQ(cat[108].constellation, "UMa");
        EXPECT_EQ(cat[108].name, c.name);
    }
}

TEST(Messier, MalformedInputLeavesTheCatalogueAlone) {
    const std::string fault = "Fehler im Messier-Katalog|messier.kat|M ";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Messier-Katalog unvollständig|messier.kat|nur 0 von 109 Einträgen"},
        {MessierText({}, "\n", 108), "Messier-Katalog unvollständig|messier.kat|nur 108 von 109 Einträgen"},
        {MessierText({{3, "x,30,10,15,9.5,a,Ga,Vir,  "}}), fault + "3: Rektaszension (h) ist keine Zahl: \"x\""},
        {MessierText({{4, "12,3..5,10,15,9.5,a,Ga,Vir,  "}}), fault + "4: Rektaszension (min) ist keine Zahl: \"3..5\""},
        {MessierText({{5, "12,30,,15,9.5,a,Ga,Vir,  "}}), fault + "5: Deklination (Grad) ist keine Zahl: \"\""},
        {MessierText({{6, "12,30,10,15,inf,a,Ga,Vir,  "}}), fault + "6: Helligkeit ist keine Zahl: \"inf\""},
        // A comma inside a text shifts the fields.
        {MessierText({{1, "12,30,10,15,9.5,a, b,Ga,Vir,  "}}), fault + "2: Rektaszension (h) ist keine Zahl: \"  \""},
        {MessierText({{8, "12,30,90,15,9.5,a,Ga,Vir,  "}}), fault + "8: Deklination außerhalb -90 bis +90 Grad"},
        {MessierText({{9, "24,0,10,15,9.5,a,Ga,Vir,  "}}), fault + "9: Rektaszension außerhalb 0 bis 24 h"},
        // Control characters are shown as "?", the byte 0xFF as Windows-1252 "ÿ".
        {std::string("\x00\x01\xFF,\x7F\n", 6), fault + "1: Rektaszension (h) ist keine Zahl: \"??\xC3\xBF\""},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(expected);
        std::vector<astronomy::MessierEntry> cat(3);
        cat[0].name = "unverändert";
        std::string error;
        EXPECT_FALSE(ParseMessierCatalogue(bytes, "messier.kat", cat, error));
        EXPECT_EQ(error, expected);
        ASSERT_EQ(cat.size(), 3u);
        EXPECT_EQ(cat[0].name, "unverändert");
    }
}

TEST(Messier, LoadsFromFileIgnoringCase) {
    TempDir tmp;
    WriteBytes(tmp.path / "Messier.KAT", MessierText(kSampleEntries, "\r\n"));
    std::vector<astronomy::MessierEntry> cat;
    std::string error;
    ASSERT_TRUE(LoadMessierCatalogue((tmp.path / "messier.kat").string(), cat, error)) << error;
    EXPECT_EQ(cat.size(), 109u);
    EXPECT_EQ(cat[0].name, "  Krebsnebel");

    std::vector<astronomy::MessierEntry> untouched(2);
    const std::string missing = (tmp.path / "fehlt.kat").string();
    EXPECT_FALSE(LoadMessierCatalogue(missing, untouched, error));
    EXPECT_EQ(error, "Messier-Katalog nicht lesbar|" + missing);
    EXPECT_EQ(untouched.size(), 2u);
}

// ---------------------------------------------------------------------------
// Constellation figures

TEST(ConstellationFigure, LineFields) {
    const std::vector<int> end{kFigureEnd};
    const struct {
        const char* what;
        std::string line;
        std::vector<int> items;  // records = file numbers + 1
        bool problem;
    } cases[] = {
        // Star 121 to star 6, pen up, a new polyline from star 78, the end mark.
        {"two polylines", "   120     5     0    77    -1", {121, 6, 0, 78, -1}, false},
        {"no end mark", "     1     2", {2, 3, -1}, false},
        {"empty line", "", end, false},
        {"left-aligned fields", "12    7     -1    ", {13, 8, -1}, false},
        {"fields after the end mark", "    -1    12", end, false},
        {"short last field", "    10 3", {11, 4, -1}, false},
        {"not a number", "   abc     5", end, true},
        {"bad field in the middle", "    12   xyz     7", {13, -1}, true},
        {"fraction", "   5.5", end, true},
        {"below -1", "    -2     3", end, true},
        {"beyond the catalogue", "999999", end, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string problem = "old";
        EXPECT_EQ(ParseFigureLine(c.line, problem), c.items);
        EXPECT_EQ(!problem.empty(), c.problem) << problem;
    }
}

std::string FigureEntry(int i, const std::string& eol = "\n") {
    return "Fig" + std::to_string(i) + ",Figur " + std::to_string(i) + "," + std::to_string(i % 24) + ".5," +
           std::to_string(i - 45) + eol + "   120     5     0    77    -1" + eol;
}

std::string ConstellationText(int count, const std::string& eol = "\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += FigureEntry(i, eol);
    return text;
}

TEST(ConstellationFile, ReadsAllFigures) {
    TempDir tmp;
    const std::string path = (tmp.path / "sternbld.dat").string();
    std::vector<ConstellationFigure> figs(1);
    figs[0].label = "alt";
    std::string error;
    EXPECT_FALSE(ReadConstellationFile(path, figs, error));  // no file yet: list unchanged
    EXPECT_EQ(error, "Datei nicht lesbar|" + path);
    ASSERT_EQ(figs.size(), 1u);
    EXPECT_EQ(figs[0].label, "alt");

    for (const std::string eol : {"\n", "\r\n"}) {
        SCOPED_TRACE(eol.size());
        // A leading empty line and entries beyond the 89th are passed over;
        // the name on disk is upper case.
        WriteBytes(tmp.path / "STERNBLD.DAT", "\n" + ConstellationText(89, eol) + "extra,x,1,2\n");
        ASSERT_TRUE(ReadConstellationFile(path, figs, error)) << error;
        EXPECT_EQ(error, "");
        ASSERT_EQ(figs.size(), 89u);
        for (const int i : {1, 45, 89}) {
            SCOPED_TRACE(i);
            const ConstellationFigure& f = figs[i - 1];
            EXPECT_EQ(f.label, "Fig" + std::to_string(i));
            EXPECT_EQ(f.secondText, "Figur " + std::to_string(i));
            EXPECT_EQ(f.raHours, i % 24 + 0.5);
            EXPECT_EQ(f.decDeg, i - 45);
            EXPECT_EQ(f.items, (std::vector<int>{121, 6, 0, 78, -1}));
        }
    }
}

TEST(ConstellationFile, FaultsGiveMessagesAndKeepTheRest) {
    // 88 entries, the 3rd with a bad position and the 5th with a bad figure field.
    std::string text;
    for (int i = 1; i <= 88; ++i) {
        if (i == 3)
            text += "Ori,Orion,x,0\n     1    -1\n";
        else if (i == 5)
            text += "Cyg,Schwan,20.5,40\n     1     2  oops\n";
        else
            text += FigureEntry(i);
    }
    std::vector<ConstellationFigure> figs;
    std::string error;
    EXPECT_FALSE(ParseConstellationFile(text, "sternbld.dat", figs, error));
    EXPECT_EQ(error,
              "Fehler in Datei|sternbld.dat|Sternbild 3 (Ori): Position ist keine Zahl"
              "|Sternbild 5 (Cyg): \"oops\" ist keine Zahl|nur 88 von 89 Sternbildern");
    ASSERT_EQ(figs.size(), 87u);         // the 3rd is left out
    EXPECT_EQ(figs[2].label, "Fig4");    // the 4th follows the 2nd
    EXPECT_EQ(figs[3].label, "Cyg");
    EXPECT_EQ(figs[3].items, (std::vector<int>{2, 3, -1}));
}

}  // namespace
}  // namespace charts

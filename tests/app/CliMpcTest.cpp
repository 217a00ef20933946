// kelmaron-cli with element files of Minor Planet Center lines: the place
// of a line against the bundled element file of the same object, the choice
// by --mpc-name on every command that takes --elements, and one line with
// status 2 for a name that is not in the file or a malformed line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "CliRun.h"

namespace {

using namespace cli_run;

const std::string kMinorPlanets = std::string(KELMARON_TEST_DATA) + "/elements/MPCORB-Auszug.DAT";
const std::string kComets = std::string(KELMARON_TEST_DATA) + "/elements/CometEls-Auszug.txt";
const std::string kObjects = std::string(KELMARON_DATA_DIR) + "/Objekte/";
constexpr double kArcsec = 3.141592653589793 / 180 / 3600;

struct RaDec {
    std::string name;
    double ra = 0, dec = 0;
};

// The body's name, right ascension and declination of a position run.
RaDec Position(const Args& extra) {
    const Args args = Cat({"position", "--date", "15.3.2026", "--time", "21:30", "--object", "Disk", "--json"}, extra);
    SCOPED_TRACE(Describe(args));
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    RaDec p;
    std::smatch m;
    if (std::regex_search(r.out, m, std::regex(R"re("body": \{"name": "([^"]*)".*?"ra": ([^,]+), "dec": ([^,]+),)re"))) {
        p.name = m[1];
        p.ra = std::stod(m[2]);
        p.dec = std::stod(m[3]);
    } else {
        ADD_FAILURE() << r.out;
    }
    return p;
}

struct TempFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kelmaron-mpc-test-" + std::to_string(getpid()) + ".txt");
    explicit TempFile(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    ~TempFile() { std::filesystem::remove(path); }
};

}  // namespace

TEST(CliMpc, LinesGiveThePlaceOfTheBundledElementFilesToAnArcsecond) {
    // The lines hold the bundled elements rounded to their columns.
    struct Case {
        Args mpc;
        std::string bundled, name;
    };
    const Case cases[] = {
        {{"--elements", kMinorPlanets}, "Ceres.kpl", "(1) Ceres"},  // the first line without --mpc-name
        {{"--elements", kMinorPlanets, "--mpc-name", "vesta"}, "Vesta.kpl", "(4) Vesta"},
        {{"--elements", kComets, "--mpc-name", "2P"}, "Encke.kom", "2P/Encke"},
        {{"--elements", kComets, "--mpc-name", "C/2020 F3 (NEOWISE)"}, "NEOWISE.kom", "C/2020 F3 (NEOWISE)"},
    };
    for (const Case& c : cases) {
        const RaDec mpc = Position(c.mpc);
        const RaDec bundled = Position({"--elements", kObjects + c.bundled});
        EXPECT_EQ(mpc.name, c.name);
        EXPECT_LT(std::fabs(std::remainder(mpc.ra - bundled.ra, 2 * 3.141592653589793)) * std::cos(bundled.dec),
                  kArcsec)
            << c.name;
        EXPECT_LT(std::fabs(mpc.dec - bundled.dec), kArcsec) << c.name;
    }
}

TEST(CliMpc, EveryCommandWithAnElementFileTakesTheName) {
    const Args chosen = {"--elements", kComets, "--mpc-name", "neowise"};
    RunResult r = RunCli(Cat({"ephemeris", "--day", "--date", "15.3.2026", "--format", "csv"}, chosen));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("C/2020 F3 (NEOWISE)"), std::string::npos) << r.out;
    r = RunCli(Cat({"ephemeris", "--from", "1.3.2026", "--to", "3.3.2026", "--step", "1,0,0", "--object", "Disk"},
                   chosen));
    EXPECT_EQ(r.status, 0) << r.err;
    // Accepted also where the object is not the orbit object.
    r = RunCli(Cat({"photo", "--asa", "400", "--aperture", "80", "--focal", "500", "--date", "15.3.2026", "--time", "12:00", "--object", "Sonne"}, chosen));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string png = (std::filesystem::temp_directory_path() / ("kelmaron-mpc-" + std::to_string(getpid()) + ".png")).string();
    r = RunCli(Cat({"render", "--view", "objekt", "--out", png, "--date", "15.3.2026", "--object", "Disk"}, chosen));
    EXPECT_EQ(r.status, 0) << r.err;
    std::filesystem::remove(png);
}

TEST(CliMpc, UnknownNameAndMalformedLinesEndWithOneLine) {
    const Args position = {"position", "--date", "15.3.2026", "--object", "Disk"};
    ExpectUsageError(Cat(position, {"--elements", kComets, "--mpc-name", "Halley"}));
    ExpectUsageError(Cat({"ephemeris", "--day", "--date", "15.3.2026"}, {"--elements", kMinorPlanets, "--mpc-name", "Pallas"}));
    // No name, and a name for an element file of the program's own.
    ExpectUsageError(Cat(position, {"--elements", kComets, "--mpc-name", " "}));
    ExpectUsageError(Cat(position, {"--elements", kObjects + "Ceres.kpl", "--mpc-name", "Ceres"}));

    // Ceres with a letter in its mean anomaly: the check message of element
    // files, naming the object.
    std::string lines = cli_run::ReadFile(kMinorPlanets);
    const std::size_t ceres = lines.find("00001 ");
    ASSERT_NE(ceres, std::string::npos);
    lines[ceres + 29] = 'x';
    const TempFile broken(lines);
    for (const Args& name : {Args{}, Args{"--mpc-name", "Ceres"}}) {
        const Args args = Cat(Cat(position, {"--elements", broken.path.string()}), name);
        ExpectUsageError(args);
        EXPECT_NE(RunCli(args).err.find("Bahnelemente von (1) Ceres"), std::string::npos);
    }
    // The other line of that file is whole.
    EXPECT_EQ(RunCli(Cat(position, {"--elements", broken.path.string(), "--mpc-name", "Vesta"})).status, 0);
    // The header without any line.
    const TempFile empty(lines.substr(0, lines.find("00001 ")));
    ExpectUsageError(Cat(position, {"--elements", empty.path.string()}));
}

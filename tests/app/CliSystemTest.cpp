// kelmaron-cli render of the solar-system view and of tracks: the images it
// writes and the arguments it refuses with status 2.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliRun.h"

using namespace cli_run;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("kelmaron-cli-system-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string Path(const std::string& name) const { return (path / name).string(); }
};

const Args kWhen = {"--date", "15.3.2024", "--time", "21:00", "--object", "Mars"};

}  // namespace

TEST(CliSystem, RendersTheViewThePairAndTracks) {
    Folder tmp;
    const std::vector<Args> good = {
        {"--view", "system"},
        {"--view", "system", "--view-lambda", "90", "--view-beta", "90", "--view-rs", "40", "--all-tracks", "1"},
        {"--view", "system", "--stereo", "1", "--all-tracks", "0", "--flags", "127"},
        {"--view", "system", "--stereo", "2", "--track-length", "-400", "--track-step", "-30", "--track-labels", "m",
         "--flags", "127"},
        {"--view", "aequatorial", "--flags", "127", "--alpha-min", "18", "--alpha-max", "24", "--delta-min", "-35",
         "--delta-max", "5", "--track-length", "1200", "--track-step", "100", "--track-labels", "j"},
        {"--view", "himmel", "--flags", "64", "--track-length", "0", "--track-labels", "-"},
    };
    int n = 0;
    for (const Args& more : good) {
        const std::string out = tmp.Path("bild" + std::to_string(++n) + ".png");
        const RunResult r = RunCli(Cat(Cat({"render", "--out", out, "--width", "800", "--height", "600"}, kWhen), more));
        ASSERT_TRUE(r.exited) << Describe(more);
        EXPECT_EQ(r.status, 0) << Describe(more) << r.err;
        EXPECT_EQ(PngSize(ReadFile(out)), std::make_pair(800, 600)) << Describe(more);
    }
}

TEST(CliSystem, RefusesBadViewAndTrackArguments) {
    Folder tmp;
    const std::string out = tmp.Path("a.png");
    const std::vector<Args> bad = {
        {"--view", "system", "--stereo", "3"},          {"--view", "system", "--stereo", "x"},
        {"--view", "system", "--all-tracks", "2"},      {"--view", "system", "--view-beta", "91"},
        {"--view", "system", "--view-rs", "0"},         {"--view", "system", "--view-rs", "nan"},
        {"--view", "system", "--view-lambda", "inf"},   {"--view", "himmel", "--track-length", "abc"},
        {"--view", "himmel", "--track-length", "1e300"}, {"--view", "himmel", "--track-step", "--flags"},
        {"--view", "himmel", "--track-labels", "x"},    {"--view", "himmel", "--track-labels", "tw"},
    };
    for (const Args& more : bad) ExpectUsageError(Cat(Cat({"render", "--out", out}, kWhen), more));
    EXPECT_FALSE(fs::exists(out));
}

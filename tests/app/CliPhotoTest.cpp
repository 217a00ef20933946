// kelmaron-cli photo: its JSON and text, and the cases that end with
// status 2.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CliRun.h"
#include "JsonLine.h"

using namespace cli_run;
using namespace json_line;

namespace {

// The Sun at noon in June, high over place 1.
const Args kSun = {"--date", "21.6.2026", "--time", "13:00", "--object", "Sonne"};
const Args kPhoto = {"photo", "--asa", "100", "--aperture", "100", "--focal", "1000"};

}  // namespace

TEST(CliPhoto, JsonAndTextOfTheSun) {
    const RunResult r = RunCli(Cat(Cat(kPhoto, kSun), {"--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
    const std::optional<Object> o = LineReader(Lines(r.out)[0]).Read();
    ASSERT_TRUE(o) << r.out;
    std::vector<std::string> keys;
    for (const auto& [k, v] : *o) keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"asa", "din", "filter", "extinction", "aperture", "focal", "ratio",
                                              "image_size", "drift", "brightness", "exposure"}));
    EXPECT_EQ(Num(*o, "filter"), 1);  // not given

    const RunResult t = RunCli(Cat(kPhoto, kSun));
    const std::vector<std::string> text = Lines(t.out);
    ASSERT_EQ(text.size(), 12u) << t.out;
    EXPECT_EQ(text[0], "Photographie von Sonne");
    EXPECT_EQ(text[11].substr(0, 21), " Bel.-Zeit:       1 /");  // a fraction of a second
}

TEST(CliPhoto, NoResultEndsWithOneGermanLine) {
    const RunResult night = RunCli(Cat(kPhoto, {"--date", "21.6.2026", "--time", "1:00", "--object", "Sonne"}));
    EXPECT_EQ(night.status, 2);
    EXPECT_EQ(night.out, "");
    EXPECT_EQ(night.err, "Das Objekt steht unter dem Horizont.\n");
    const Args noon = {"--date", "21.6.2026", "--time", "13:00"};
    for (const Args& bad : std::vector<Args>{{"photo", "--focal", "1000", "--ratio", "8"},  // no film speed
                                             {"photo", "--asa", "100", "--focal", "1000", "--ratio", "0"},
                                             Cat(kPhoto, {"--object", "Disk"})})
        ExpectUsageError(Cat(bad, noon));
}

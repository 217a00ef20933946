// The rows of the astrophotography result, character for character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/AstroPhoto.h"

TEST(AstroPhotoLines, TheRowsOfTheResultWindow) {
    astronomy::PhotoResult r;
    r.input = {100, 1, {100, 1000, 10}};
    r.din = 21;
    r.extinction = 1.35;  // rounded half away from zero
    r.imageSize = 9.196;
    r.drift = 0.02236;
    r.exposure = 0.5;
    const std::vector<std::string> want = {
        " Film:           100 ASA / 21 DIN", "",
        " Optik: (D/F)       100 /  1000 mm     1 :  10.0", "",
        " Filter:           x    1.0",
        " Extinktion:       x    1.4", "",
        " Größe auf Chip:        9.20 mm",
        " Bewegung o.Nachf.:     0.02 mm", "",
        " Bel.-Zeit:       " + std::string(8, ' ') + "0.5 sec",  // 11 characters for the number
    };
    EXPECT_EQ(reports::PhotoResultLines(r), want);
    // Below half a second, the reciprocal.
    r.exposure = 0.25;
    EXPECT_EQ(reports::PhotoResultLines(r).back(), " Bel.-Zeit:       1 /    4.0 sec");
}

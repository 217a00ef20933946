// The texts of the solar-system view: header, object panel and buttons, as
// the view point, the stereo arrangement and printing decide.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../reports/RecordingCanvas.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/SystemView.h"
#include "HannoverState.h"

namespace {

using astronomy::ObjectKind;
using testing_canvas::RecordingCanvas;

astronomy::ProgramState March() { return HannoverState(21.0, 15, 3, 2024, astronomy::View::System); }

bool Shows(const RecordingCanvas& c, const std::string& part) {
    return std::any_of(c.texts.begin(), c.texts.end(),
                       [&](const auto& t) { return t.text.find(part) != std::string::npos; });
}

}  // namespace

// The header names the eye's ecliptic longitude 90° - View_lambda, its
// latitude and distance; the Moon as selected object is shown as the Earth
// (at its distance 0 from the Earth, in kilometres).
TEST(SystemViewTexts, HeaderAndPanel) {
    astronomy::ProgramState s = March();
    s.View_lambda = 150, s.View_beta = -20, s.View_rs = 12.5;
    RecordingCanvas c(1301, 901);
    charts::DrawSystemView(c, s, charts::Stereo::Single, ObjectKind::Moon);
    EXPECT_TRUE(Shows(c, "View von: "));
    EXPECT_TRUE(Shows(c, "Länge   300.0°"));
    EXPECT_TRUE(Shows(c, "Breite  -20.0°"));
    EXPECT_TRUE(Shows(c, "Abstand:   12.5 AE"));
    EXPECT_TRUE(Shows(c, "Erde"));
    EXPECT_FALSE(Shows(c, "Mond"));
    EXPECT_TRUE(Shows(c, "0 km"));
    for (const char* button : {"Innen", "Außen", "Alle Spuren", "3D X    3D ||", "x Zoom", "x Mooz"})
        EXPECT_TRUE(Shows(c, button)) << button;
    EXPECT_FALSE(Shows(c, "<--"));

    // The Sun, the origin of the view, has a distance from the Earth but no
    // heliocentric longitude or latitude.
    RecordingCanvas sun(1301, 901);
    charts::DrawSystemView(sun, s, charts::Stereo::Single, ObjectKind::Sun);
    EXPECT_TRUE(Shows(sun, "Sonne"));
    EXPECT_TRUE(Shows(sun, "0.995 AE"));  // 15 March 2024: 0.9946 AU (the Sun's distance of that day)
    EXPECT_FALSE(Shows(sun, "l="));
}

// A stereo pair shows neither header nor panel, only "<--"; on paper there
// are no buttons and no header, but the panel.
TEST(SystemViewTexts, PairAndPaper) {
    astronomy::ProgramState s = March();
    RecordingCanvas pair(1301, 901);
    charts::DrawSystemView(pair, s, charts::Stereo::Crossed, ObjectKind::Mars);
    EXPECT_TRUE(Shows(pair, "<--"));
    for (const char* hidden : {"View von: ", "Mars", "Innen", "Alle Spuren", "x Zoom"})
        EXPECT_FALSE(Shows(pair, hidden)) << hidden;

    s.PrintingFlag = -1;
    RecordingCanvas paper(1301, 901);
    charts::DrawSystemView(paper, s, charts::Stereo::Single, ObjectKind::Mars);
    EXPECT_TRUE(Shows(paper, "Mars"));
    for (const char* hidden : {"View von: ", "Innen", "<--", "x Zoom"}) EXPECT_FALSE(Shows(paper, hidden)) << hidden;
}

// The buttons answer strictly inside their boxes; the pair answers only to
// "<--".
TEST(SystemViewTexts, ButtonBoxes) {
    using charts::SystemButton;
    const int xMax = 1300;
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, 30, 15), SystemButton::Inner);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, 60, 15), SystemButton::None);  // the border
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, 100, 15), SystemButton::Outer);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, xMax - 170, 15), SystemButton::AllTracks);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, xMax - 76, 15), SystemButton::Crossed);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Single, xMax - 25, 15), SystemButton::Parallel);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Parallel, xMax - 76, 15), SystemButton::Back);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Crossed, xMax - 25, 15), SystemButton::Back);
    EXPECT_EQ(charts::SystemButtonAt(xMax, charts::Stereo::Crossed, 30, 15), SystemButton::None);
}

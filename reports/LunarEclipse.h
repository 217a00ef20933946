// A found lunar eclipse as a diagram of the Earth's shadow with the Moon at
// its contacts and at greatest eclipse, and as a block of text: date, kind,
// time of the opposition, the shadow's place and size, the magnitude.
#pragma once

#include <string>
#include <vector>

#include "astronomy/LunarEvents.h"
#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

// The texts of an eclipse, as they are written into the window.
struct EclipseTexts {
    std::string date;         // the opposition's date, "21.01.2000"
    std::string kind;         // "      - total -", "     - partiell -" or "      - Halbschatten -"
    std::string opposition;   // zone time of the opposition, "05:44"
    std::string zone;         // "MEZ"
    std::string alpha;        // the shadow's right ascension, "08h 08.4m "
    std::string delta;        // its declination, "+ 20° 14'"
    std::string umbra;        // the umbra's diameter in degrees, " 1.436"
    std::string penumbra;     // the penumbra's diameter in degrees, " 2.554"
    std::string magnitude;    // per cent, "133"
};
EclipseTexts EclipseTextsOf(const astronomy::EclipseCircumstances& c, int zone);

// The text block as lines of plain text, for the command line.
std::vector<std::string> EclipseTextLines(const EclipseTexts& t);

// Clears the drawing area and draws the shadow, the Moon's path, the Moon at
// the contacts and at greatest eclipse with their times (state's zone), and
// the outlines. Black on white when the state prints or is inverted.
void DrawEclipseDiagram(platform::Canvas& canvas, const astronomy::ProgramState& s,
                        const astronomy::EclipseCircumstances& c);

// The text block at the top left, in the star colour.
void DrawEclipseText(platform::Canvas& canvas, const astronomy::ProgramState& s,
                     const astronomy::EclipseCircumstances& c);

}  // namespace reports

// The parameter panel at the right edge of the window: date, time, Julian
// Date, the place in geographic and UTM coordinates, sidereal time, local
// mean time and equinox. On the rectangular and polar charts it shrinks to
// a date and time stamp in the lower right corner; on the other views it
// draws nothing.
//
// The panel shows the state's instant and time quantities as they are; it
// changes nothing. Renewing the window title is the caller's step.
#pragma once

#include <string>

#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

void DrawParameterPanel(platform::Canvas& canvas, const astronomy::ProgramState& s);

// "J with ####### then the fraction's digits then " UT "", e.g.
// "2451545.5000000 UT ". A fraction that rounds to a whole day is carried
// into the day number.
std::string JulianDateText(double J, double F);

// "Äquinoktium des Tages         " for 9999, else "Äquinoktium: " + year +
// 14 blanks.
std::string EquinoxText(int aequi);

}  // namespace reports

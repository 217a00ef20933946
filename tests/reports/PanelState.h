// A program state laid out for a drawing area of 1301 x 901 pixels, with the
// colours of "Invers" on, for the panel and symbol tests.
#pragma once

#include <cmath>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"

namespace panel_test {

using namespace astronomy;

// ComputeLayout for x_max 1300, y_max 900 gives these fields (the layout's
// own worked example).
inline void LayOut(ProgramState& s) {
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartWidth = 1060;
    s.TextSplitX = 780;
    s.TextSplitHalfX = 390;
    s.ChartCentreX = 530;
    s.ChartCentreY = 450;
    s.ChartRadius = 430;
    s.TextScale = 900.0 / 550;
}

// The colours with "Invers" on: white background, text (80,80,80), values
// black; the body colours of the chart drawing with black for the Moon and
// entry 13.
inline void InversColours(ProgramState& s) {
    s.Invers = 1;
    s.BackgroundColour = 0xFFFFFF;
    s.ForegroundColour = 0x505050;
    s.ContrastColour = 0x000000;
    const std::uint32_t table[] = {0,        0xFFFFFF, 0xFAFA50, 0x000000, 0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                                   0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, 0x000000, 0xFA3CFA};
    for (std::size_t i = 0; i < s.BodyColourTable.size() && i < 15; ++i) s.BodyColourTable[i] = table[i];
}

inline ProgramState PanelState() {
    ProgramState s;
    s.DataFolder = "data";
    ApplyDefaults(s);
    LayOut(s);
    InversColours(s);
    s.ChartMode = astronomy::View::ObjectBody;
    return s;
}

// The state at a zone time and a place given in degrees, with J, F and the
// time quantities of that instant.
inline void SetInstant(ProgramState& s, int day, int month, int year, double hours, int zone, double lonDeg,
                       double latDeg) {
    s.Zone = zone;
    s.Longitude = lonDeg * kDegToRad;
    s.Latitude = latDeg * kDegToRad;
    SetLatitudeTerms(s);
    const JulianDate jd = CalendarToJulianDate(hours, day, month, year, zone);
    ApplyJulianDate(s, jd.J, jd.F);
    UpdateTimeQuantities(s);
}

// Row k of the panel: y = 16 k s, s = 900/550.
inline int Row(double k) { return static_cast<int>(std::lround(16 * k * 900.0 / 550)); }

}  // namespace panel_test

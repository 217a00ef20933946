// The program state the chart benchmarks start from: the bundled data of
// the build tree, the defaults, place 1 of the list (Hannover) at 21:00 MEZ
// on 15 March 2024, a 1300 x 900 picture and the view.
#pragma once

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "astronomy/Views.h"

inline astronomy::ProgramState HannoverState(astronomy::View view) {
    astronomy::ProgramState s;
    s.DataFolder = s.ProgramFolder = KELMARON_PROGRAM_DATA;
    astronomy::ApplyDefaults(s);
    astronomy::SetPlaceFromList(s, 1);
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(21.0, 15, 3, 2024, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    astronomy::UpdateTimeQuantities(s);
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartMode = view;
    return s;
}

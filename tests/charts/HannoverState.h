// A program state for chart tests: place 1 of the list (Hannover), an instant
// of its zone clock, a 1300 x 900 picture and the view.
#pragma once

#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "astronomy/Views.h"

inline astronomy::ProgramState HannoverState(double hours, int day, int month, int year, astronomy::View view) {
    astronomy::ProgramState s;
    astronomy::ApplyDefaults(s);
    astronomy::SetPlaceFromList(s, 1);
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(hours, day, month, year, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    astronomy::UpdateTimeQuantities(s);
    s.x_max = 1300;
    s.y_max = 900;
    s.ChartMode = view;
    return s;
}

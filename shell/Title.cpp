// The window title: place, date, time, zone and object.
#include "shell/Title.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"

namespace shell {

std::string TitleText(const astronomy::ProgramState& s, const std::string& objectTitle) {
    std::string title = "Kelmaron - Ort: ";
    title += s.Ort <= s.OrtAnz && s.Ort >= 1 ? s.Orte[s.Ort].name : std::string("Eingabe");
    char buf[64];
    std::snprintf(buf, sizeof buf, " - Datum: %02d.%02d.", s.Day, s.Month);
    title += buf;
    title += astronomy::FormatFixed(s.Year, 4, 0);
    // Whole seconds, rounded with their carry into minutes and hours.
    const double clock = std::isfinite(s.ClockTime) ? std::clamp(s.ClockTime, 0.0, 48.0) : 0.0;
    const long seconds = std::lround(clock * 3600);
    std::snprintf(buf, sizeof buf, " - Zeit: %02ld:%02ld:%02ld ", seconds / 3600, seconds / 60 % 60, seconds % 60);
    title += buf;
    title += astronomy::ZoneName(s.Zone);
    if (!objectTitle.empty()) title += " - Objekt: " + objectTitle;
    return title;
}

void UpdateTitle(Shell& sh) { sh.win.SetTitle(TitleText(sh.s, sh.ObjectTitle)); }

}  // namespace shell

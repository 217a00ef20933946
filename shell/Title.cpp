// The window title: place, date, time, zone and object.
#include "shell/Title.h"

#include <cstdio>

#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"

namespace shell {

std::string TitleText(const astronomy::ProgramState& s, const std::string& objectTitle) {
    const astronomy::Hms t = astronomy::HoursToHms(s.ClockTime);
    std::string title = "Kelmaron - Ort: ";
    title += s.Ort <= s.OrtAnz && s.Ort >= 1 ? s.Orte[s.Ort].name : std::string("Eingabe");
    char buf[64];
    std::snprintf(buf, sizeof buf, " - Datum: %02d.%02d.", s.Day, s.Month);
    title += buf;
    title += astronomy::FormatFixed(s.Year, 4, 0);
    std::snprintf(buf, sizeof buf, " - Zeit: %02d:%02d:%02d ", t.units, t.minutes,
                  static_cast<int>(astronomy::Int(t.seconds + 0.5)));
    title += buf;
    title += astronomy::ZoneName(s.Zone);
    if (!objectTitle.empty()) title += " - Objekt: " + objectTitle;
    return title;
}

void UpdateTitle(Shell& sh) { sh.win.SetTitle(TitleText(sh.s, sh.ObjectTitle)); }

}  // namespace shell

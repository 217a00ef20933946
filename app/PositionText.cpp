// The readable form of kelmaron-cli position: the values of the object
// panel, one per line, with the program's own angle and time formats.
#include <cmath>
#include <ostream>

#include "app/PositionCommand.h"
#include "astronomy/Angles.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"

namespace cli {

using namespace astronomy;

namespace {

std::string RiseSetText(double t, int zone) {
    if (t == kNoRiseSetMarker) return "--";
    return FormatHm(Mod24(t)) + " " + ZoneName(zone);
}

std::string EquinoxText(int aequi) { return aequi == kEquinoxOfDate ? "des Tages" : std::to_string(aequi); }

}  // namespace

void PrintPositionText(std::ostream& out, const ProgramState& s, const BodyPosition& p, const SunDerived& sun) {
    out << "Datum:        " << FormatDateLong(s.Day, s.Month, s.Year, s.Weekday, true) << "\n";
    out << "Zeit:         " << FormatClockTime(s.ClockTime, s.Zone, true) << "\n";
    out << "Jul. Datum:   " << FormatFixed(s.J + s.F, 0, 5) << "\n";
    out << "Ort:          " << FormatAngleDms(s.Longitude / kDegToRad) << " Länge, "
        << FormatAngleDms(s.Latitude / kDegToRad) << " Breite\n";
    out << "Sternzeit:    " << FormatHms(s.tq.LST) << "\n";
    out << "Objekt:       " << p.name << "\n";
    out << "Äquinoktium:  " << EquinoxText(s.Aequi) << "\n";
    out << "α=            " << FormatHms(p.ra * 12 / kPi) << "\n";
    out << "δ=            " << FormatAngleDms(p.dec / kDegToRad) << "\n";
    out << "t=            " << FormatHms(p.hourAngle) << "\n";
    out << "Az=           " << FormatAngleDm(AzimuthFromNorth(p.azimuth) / kDegToRad) << "\n";
    out << "H =           " << FormatAngleDm(p.altitude / kDegToRad) << "\n";
    out << "Aufgang:      " << RiseSetText(p.rise, s.Zone) << "\n";
    out << "Durchgang:    " << FormatHm(Mod24(p.transit)) << " " << ZoneName(s.Zone) << "\n";
    out << "Untergang:    " << RiseSetText(p.set, s.Zone) << "\n";
    if (p.r != 0) out << "r=            " << FormatFixed(p.r, 0, 6) << " AE\n";
    if (p.delta != 0) {
        if (p.index == 2)
            out << "Δ=            " << FormatFixed(p.delta, 0, 0) << " km\n";
        else
            out << "Δ=            " << FormatFixed(p.delta, 0, 6) << " AE\n";
    }
    if (p.period != kPeriodNone) {
        out << "Helligkeit:   " << FormatFixed(p.magnitude, 0, 2) << " mag\n";
        out << "Phase k:      " << FormatFixed(p.illuminatedFraction, 0, 3) << "\n";
        out << "Elongation:   " << FormatAngleDm(p.elongation / kDegToRad) << "\n";
        out << "∅=            " << FormatAngleDmsTenths(p.diameter) << "\n";
    } else {
        out << "Helligkeit:   " << FormatFixed(p.magnitude, 0, 2) << " mag\n";
    }
    if (p.period > 0)
        out << "Umlaufszeit:  " << FormatDuration(p.period) << "\n";
    else if (p.period == -2)
        out << "Umlaufszeit:  Hyperbolisch\n";
    else if (p.period == -3)
        out << "Umlaufszeit:  Parabolisch\n";
    out << "Sonnenhöhe:   " << FormatAngleDm(sun.altitude / kDegToRad) << "\n";
    out << "Zeitgleichung:" << FormatFixed(sun.equationOfTime, 6, 1) << " min\n";
    if (sun.twilightBegin == 0 && sun.twilightEnd == 0) {
        out << "Dämmerung:    --\n";
    } else {
        out << "Dämmerung Ende: " << FormatHmZone(sun.twilightEnd, s.Zone) << "\n";
        out << "Dämmerung Anf.: " << FormatHmZone(sun.twilightBegin, s.Zone) << "\n";
    }
}

}  // namespace cli

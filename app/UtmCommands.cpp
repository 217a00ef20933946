// kelmaron-cli utm / geo: the UTM conversions of the place entry.
#include <cmath>
#include <cstdio>
#include <ostream>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextFormats.h"
#include "astronomy/Utm.h"

namespace cli {

using namespace astronomy;

namespace {
std::string Fixed(double x, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    return buf;
}

double Required(const Options& o, const std::string& name) {
    auto v = o.number(name);
    if (!v) throw UsageError("Wert fehlt: " + name);
    return *v;
}
}  // namespace

int RunUtm(const std::vector<std::string>& args, std::ostream& out) {
    const Options o(args, {"--lon", "--lat"}, {});
    const double lon = Required(o, "--lon");
    const double lat = Required(o, "--lat");
    if (std::fabs(lat) > 84) throw UsageError("UTM gilt nur für Breiten zwischen -84 und 84 Grad: " + *o.text("--lat"));
    if (std::fabs(lon) > 180) throw UsageError("Länge außerhalb von -180..180 Grad: " + *o.text("--lon"));
    // 180 degrees east is the meridian of 180 degrees west, which starts zone 1.
    const UtmCoordinates u = GeoToUtm((lon == 180 ? -180 : lon) * kDegToRad, lat * kDegToRad);
    out << "Ostwert:  " << Fixed(u.east, 3) << " m\n";
    out << "Nordwert: " << Fixed(u.north, 3) << " m\n";
    return 0;
}

int RunGeo(const std::vector<std::string>& args, std::ostream& out) {
    const Options o(args, {"--east", "--north", "--hemisphere"}, {});
    const double east = Required(o, "--east");
    const double north = Required(o, "--north");
    const std::string hemisphere = o.text("--hemisphere").value_or("N");
    if (hemisphere != "N" && hemisphere != "S") throw UsageError("Halbkugel N oder S erwartet: '" + hemisphere + "'");
    if (east < 0 || east > 61000000) throw UsageError("Ostwert außerhalb des UTM-Bereichs: " + *o.text("--east"));
    if (north < 0 || north >= 10000000) throw UsageError("Nordwert außerhalb von 0..10000000 m: " + *o.text("--north"));
    // Southern northings are counted from 10000000 m at the equator.
    const GeoCoordinates g = UtmToGeo(east, hemisphere == "S" ? north - 10000000 : north);
    if (!std::isfinite(g.longitude) || !std::isfinite(g.latitude))
        throw UsageError("Diese UTM-Koordinaten lassen sich nicht umrechnen");
    out << "Länge=  " << FormatAngleDmsFine(g.longitude / kDegToRad) << "  (" << Fixed(g.longitude / kDegToRad, 9)
        << "°)\n";
    out << "Breite= " << FormatAngleDmsFine(g.latitude / kDegToRad) << "  (" << Fixed(g.latitude / kDegToRad, 9)
        << "°)\n";
    return 0;
}

}  // namespace cli

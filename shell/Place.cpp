// The observing place.
#include "shell/Place.h"

#include <cmath>

#include "astronomy/Utm.h"
#include "shell/Calculators.h"
#include "shell/Prompts.h"

namespace shell {

std::optional<double> PlaceLatitude(double degrees) {
    if (!(std::fabs(degrees) <= 90)) return std::nullopt;
    return degrees * astronomy::kDegToRad;
}

void UpdateUtm(astronomy::ProgramState& s) {
    const astronomy::UtmCoordinates u = astronomy::GeoToUtm(s.Longitude, s.Latitude);
    // The grid has no meaning at the poles; show zeros rather than noise.
    const bool usable =
        std::isfinite(u.east) && std::isfinite(u.north) && std::fabs(s.Latitude) < 89.5 * astronomy::kDegToRad;
    s.UtmEast = usable ? u.east : 0;
    s.UtmNorth = usable ? u.north : 0;
}

void SetPlace(Shell& sh, int n) {
    astronomy::ProgramState& s = sh.s;
    if (n >= 1 && n <= s.OrtAnz) {
        astronomy::SetPlaceFromList(s, n);
        return;
    }
    // Beyond the list: the UTM entry (OrtAnz + 3) or the place prompt edits
    // the current place.
    if (n == s.OrtAnz + 3) {
        if (EnterUtmPlace(sh)) RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    } else {
        PlacePrompt(sh);
    }
    astronomy::SetLatitudeTerms(s);
}

}  // namespace shell

// The observing place: a place of the list, or one typed in.
#pragma once

#include <optional>

#include "shell/Shell.h"

namespace shell {

// Place n of the list; a number beyond the list (a settings file without
// places) edits the current place: the UTM entry for OrtAnz + 3, else the
// place prompt. Then the latitude terms.
void SetPlace(Shell& sh, int n);
// A latitude in degrees as a place may have it, in radians: nothing beyond
// +-90 degrees (also nothing for a value that is no number).
std::optional<double> PlaceLatitude(double degrees);

// UtmEast/UtmNorth of the current place.
void UpdateUtm(astronomy::ProgramState& s);

}  // namespace shell

// The small calculators of the "Rechnen" and "Parameter" menus: linear
// interpolation of a position in time, days between two dates, the place
// from UTM coordinates, and precession between two equinoxes. They run in
// the prompt window and leave the current instant as it is.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Right ascension a1 -> a2 (hours) and declination d1 -> d2 (degrees) at
// the fraction u of the way (u outside 0..1 extrapolates). Right ascension
// goes the short way round and comes back reduced into 0..24.
struct InterpolatedPlace {
    double alpha = 0, delta = 0;
};
InterpolatedPlace InterpolateLinear(double a1, double d1, double a2, double d2, double u);

void InterpolatePosition(Shell& sh);
void DayDifference(Shell& sh);
// Sets the observing place from UTM coordinates typed by the user. Returns
// false when the prompt was cancelled (nothing changes then).
bool EnterUtmPlace(Shell& sh);
void PrecessionDialog(Shell& sh);

}  // namespace shell

// The region prompts of the equatorial, polar and horizon charts.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Each asks for the region of its chart (an empty first answer centres on
// the selected object) and the limiting magnitude, then draws the chart.
// Cancelled, nothing changes and nothing is drawn.
bool EquatorialRegionPrompt(Shell& sh);
// southPolar selects "Südpolar" instead of "Nordpolar".
bool PolarRegionPrompt(Shell& sh, bool southPolar);
bool HorizonRegionPrompt(Shell& sh);

}  // namespace shell

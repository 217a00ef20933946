// The observing place: a place of the list, or one typed in.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Place n of the list, or (beyond the list) the prompts; then the latitude terms.
void SetPlace(Shell& sh, int n);
// UtmEast/UtmNorth of the current place.
void UpdateUtm(astronomy::ProgramState& s);

}  // namespace shell

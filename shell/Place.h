// The observing place: a place of the list, or one typed in.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Place n of the list; a number beyond the list (a settings file without
// places) edits the current place: the UTM entry for OrtAnz + 3, else the
// place prompt. Then the latitude terms.
void SetPlace(Shell& sh, int n);
// UtmEast/UtmNorth of the current place.
void UpdateUtm(astronomy::ProgramState& s);

}  // namespace shell

// "Astrophotographie": exposure time, image size and drift for the selected
// object, with its picture in a film frame.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Asks for film speed, filter factor and two of aperture, focal length and
// focal ratio (the texts typed are offered again next time), computes the
// photograph of the object as last computed and shows it in a result window
// until "Schließen". An empty film speed or a cancelled field ends it
// without a result; an object that has meanwhile set, or values beyond
// any number, are told in a message instead of a result.
void AstroPhotoCalculator(Shell& sh);

}  // namespace shell

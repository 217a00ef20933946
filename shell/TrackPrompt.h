// "Eingabe Tracklänge": the length of the track, its marker step and the
// unit of its date labels.
#pragma once

#include <optional>
#include <string>

#include "shell/Shell.h"

namespace shell {

// The step and label unit typed into the second field of the track prompt:
// a unit letter alone ("m": no markers, monthly labels), or a step followed
// by a unit ("7 w"), or a step alone (no labels), or nothing (no markers,
// no labels). Nothing for an answer that is none of these.
struct TrackStepAnswer {
    float step = 0;
    std::string unit;
};
std::optional<TrackStepAnswer> ReadTrackStepAnswer(const std::string& answer);

// The prompt; a refused answer is asked again, a cancelled prompt changes
// nothing. Afterwards the view is drawn anew.
void EditTrackSettings(Shell& sh);

}  // namespace shell

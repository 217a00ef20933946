// The solar-system view: the Sun, the planets, the selected object and their
// orbits in perspective from a point in space, alone or as a stereo pair,
// with the header, the object panel and the buttons that change the view.
#pragma once

#include <optional>

#include "astronomy/Objects.h"
#include "astronomy/ProgramState.h"
#include "charts/ChartLayout.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// The picture alone, or a stereo pair whose second picture is seen from a
// view longitude 4 degrees higher (for crossed eyes, "3D X") or 3 degrees
// lower (for parallel eyes, "3D ||").
enum class Stereo { Single, Crossed, Parallel };
// The stored code of the arrangement (0, 1, 2) and back; nothing for others.
int StereoCode(Stereo stereo);
std::optional<Stereo> StereoFromCode(long code);

// The button boxes along the top edge: "Innen", "Außen", "Alle Spuren" and
// the two halves of "3D X    3D ||"; a stereo pair shows "<--" over both
// halves instead.
struct SystemButtons {
    PixelRect inner, outer, allTracks, crossed, parallel, back;
};
SystemButtons SystemButtonsFor(int xMax);

enum class SystemButton { None, Inner, Outer, AllTracks, Crossed, Parallel, Back };
// The button a click at (x, y) presses; only "<--" while a pair is shown.
SystemButton SystemButtonAt(int xMax, Stereo stereo, int x, int y);

// The whole view; the Moon as selected object is shown as the Earth, the
// objects at fixed coordinates only by name. Returns the geometry of the
// (first) picture.
ChartGeometry DrawSystemView(platform::Canvas& canvas, const astronomy::ProgramState& s, Stereo stereo,
                             astronomy::ObjectKind selected);

}  // namespace charts

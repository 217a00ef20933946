// The information panel of the object views: place, hour angle, rise,
// transit and set, twilight, the heliocentric and geocentric data of a body
// or the catalogue entry of a Messier object, and the object's picture.
//
// The panel is never cleared as a whole: every text is written at a fixed
// place over the old one (opaque text background), and fields that another
// kind of object may have written are overwritten with blanks.
#pragma once

#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

// The panel's one remembered value: the zone time of the last object picture.
struct PanelMemory {
    bool pictureDrawn = false;
    double lastPictureTime = 0;  // hours of the zone clock
};

// Row k of the panel lies at y = 16 k s.
int PanelRow(double k, double textScale);

// Pixel position of the text cell (column, row) through which the Messier
// and arbitrary-object lines are written: cells of 8 x 16 pixels counted
// from 1, the row multiplied by the text scale and rounded first.
struct CellPosition {
    int x = 0, y = 0;
};
CellPosition TextCell(int column, int row, double textScale);
inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 16;

// What the drawn panel tells the program around it: a body above the
// horizon can be photographed (the astrophotography command is offered).
struct PanelOutcome {
    bool photographable = false;
};

// Draws the panel for the selected object of the kind from its computed
// place. The name box shows the computed object's own name (pos.name). In
// real time (realtimeRunning) the picture is drawn anew only every half
// hour of zone time; memory keeps when it was drawn last.
PanelOutcome DrawObjectInfoPanel(platform::Canvas& canvas, const astronomy::ProgramState& s,
                                 const astronomy::BodyPosition& pos, const astronomy::SunDerived& sun,
                                 astronomy::ObjectKind kind, bool realtimeRunning, PanelMemory& memory);

}  // namespace reports

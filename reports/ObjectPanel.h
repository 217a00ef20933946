// The information panel of the object views: place, hour angle, rise,
// transit and set, twilight, the heliocentric and geocentric data of a body
// or the catalogue entry of a Messier object, and the object's picture.
//
// Every text is written at a fixed place over the old one (opaque text
// background). When the object changes, the panel is cleared first, so
// that no value of the object shown before stays on screen.
#pragma once

#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

// What the panel remembers of its last pass: the zone time of the last
// object picture, and which object the panel shows.
struct PanelMemory {
    bool pictureDrawn = false;
    double lastPictureTime = 0;  // hours of the zone clock
    bool shown = false;          // a panel stands in the window
    astronomy::ObjectKind kind = astronomy::ObjectKind::Sun;
    std::string name;
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

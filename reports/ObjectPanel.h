// The information panel of the object views: place, hour angle, rise,
// transit and set, twilight, the heliocentric and geocentric data of a body
// or the catalogue entry of a Messier object, and the object's picture.
//
// The panel is never cleared as a whole: every text is written at a fixed
// place over the old one (opaque text background), and fields that another
// kind of object may have written are overwritten with blanks.
#pragma once

#include <functional>
#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

// What the panel asks of the program around it.
struct PanelHooks {
    // Sets the state of the menu command whose caption begins with the text
    // (the panel enables "Astropho" with state 3).
    std::function<void(const std::string& captionStart, int state)> setMenuMark;
    // Whether the real-time mode is running.
    std::function<bool()> realtimeRunning;
};

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

// Draws the panel for objectName (the selected object: "Sonne", "Mond", a
// planet, "Disk", "Messier", "beliebig") from the last computed place.
// The name box shows the computed object's own name (pos.name).
void DrawObjectInfoPanel(platform::Canvas& canvas, astronomy::ProgramState& s, const astronomy::BodyPosition& pos,
                         const astronomy::SunDerived& sun, const std::string& objectName, PanelHooks& hooks,
                         PanelMemory& memory);

}  // namespace reports

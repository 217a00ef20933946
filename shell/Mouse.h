// The mouse over the drawing area: the help pages and the about box take a
// click first; over a chart it reads the sky under the pointer, presses the
// zoom and arrow buttons and the legend, pulls the zoom rectangle, centres
// on a right click and feeds the "Koordinaten" readout.
#pragma once

#include "shell/Shell.h"

namespace shell {

// One mouse event: the position, the buttons held after it, and whether it
// pressed a button (false for moves and releases).
void HandleMouse(Shell& sh, int x, int y, int buttons, bool pressed);

// The last chart drawn is the one on the screen, at the window's size, and
// no pass is running.
bool ChartOnScreen(const Shell& sh);
// Takes a drawn zoom rectangle off the picture.
void DropBand(Shell& sh);

}  // namespace shell

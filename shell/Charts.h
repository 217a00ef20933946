// The chart commands of the running program: the region prompts of the
// equatorial, polar and horizon charts, moving, zooming and centring the
// region, the "Koordinaten" readout, and the mouse over a chart (pointer
// readout, navigation buttons, legend clicks, the zoom rectangle and the
// right-click re-centring).
#pragma once

#include "shell/Shell.h"

namespace shell {

// The region prompts. Each asks for the region of its chart (an empty
// first answer centres on the selected object) and the limiting magnitude,
// then draws the chart. Cancelled, nothing changes and nothing is drawn.
// southPolar selects "Südpolar" (ChartMode 7) instead of "Nordpolar" (6).
bool EquatorialRegionPrompt(Shell& sh);
bool PolarRegionPrompt(Shell& sh, bool southPolar);
bool HorizonRegionPrompt(Shell& sh);

enum class PanDirection { North, South, East, West };
// Moves the region by 0.3 of its height; redraws when it changed and
// returns whether it did. Offered on the equatorial, horizon and
// north-polar charts.
bool PanChart(Shell& sh, PanDirection direction);
// factor > 1 narrows the region, < 1 widens it; redraws when redraw is set.
// Returns false where the view offers no zoom.
bool ZoomChart(Shell& sh, double factor, bool redraw = true);
// Centres the region on the selected object, keeping its size.
bool CentreChart(Shell& sh);

// The layer items "Gitter" to "Track" (layer = a DisplayFlags bit, 2..6):
// the layer is drawn once more on the chart on the screen (exclusive-or,
// so it appears or vanishes), then its bit flips. Switching "Messier" off
// (and on the solar-system view "Ekliptik" and "Planeten") redraws the
// view as well. The track has no layer of its own yet: its bit only flips.
void ToggleLayer(Shell& sh, int layer);

// "Koordinaten": opens the click readout on the equatorial, horizon and
// polar charts (see Charts.cpp).
void CoordinateTool(Shell& sh);
// Draws the click readout box again after a redraw of the chart; closes it
// when the view is no chart it can read.
void RedrawCoordinateTool(Shell& sh);

// The mouse over the drawing area once the help and the about box have had
// their turn: readout, buttons, legend, zoom rectangle, re-centring.
void ChartMouse(Shell& sh, int x, int y, int buttons, bool pressed);

}  // namespace shell

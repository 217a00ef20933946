// The commands of the charts: moving, zooming and centring the region, the
// layers, and the "Koordinaten" readout.
#pragma once

#include <string>

#include "charts/Regions.h"
#include "shell/Shell.h"

namespace shell {

// The selected object's place now, for centring a region on it; known is
// false when it has no position (the user is told).
struct ObjectPlace {
    std::string name;
    charts::SkyTarget at;
    bool known = false;
};
ObjectPlace FindObject(Shell& sh);

// Width over height of the chart frame of the window.
double FrameAspect(const astronomy::ProgramState& s);

// The region becomes r (the settings file keeps it).
void StoreRegion(astronomy::ProgramState& s, const charts::ChartRegion& r);

// Moves the region by 0.3 of its height; redraws when it changed and
// returns whether it did. Offered on the equatorial, horizon and
// north-polar charts; on the solar-system view it turns the view point.
bool PanChart(Shell& sh, charts::PanDirection direction);
// factor > 1 narrows the region, < 1 widens it (on the solar-system view:
// brings the view point closer or farther); redraws when redraw is set.
// Returns false where the view offers no zoom.
bool ZoomChart(Shell& sh, double factor, bool redraw = true);
// Centres the region on the selected object, keeping its size.
bool CentreChart(Shell& sh);
// Centres the region on a place of the sky and draws the chart anew.
void CentreChartOn(Shell& sh, const charts::SkyTarget& at);

// The layer items "Gitter" to "Track" (layer = a DisplayFlags bit, 2..6):
// the layer is drawn once more on the chart on the screen (exclusive-or,
// so it appears or vanishes), then its bit flips. Switching "Messier" or
// "Track" off redraws the chart as well; the solar-system view, which
// draws by copying, is drawn anew at every switch.
void ToggleLayer(Shell& sh, int layer);

// Where the pointer reads the sky: the frame of the rectangular charts, the
// drawing area above the legend strip on the others.
bool OverChart(const astronomy::ProgramState& s, int x, int y);

// "Koordinaten": opens the click readout on the equatorial and polar charts.
void CoordinateTool(Shell& sh);
// A left click on the chart while the readout is open.
void CoordinateClick(Shell& sh, int x, int y);
// Closes the readout; the chart is drawn again where it stood.
void CloseCoordinateTool(Shell& sh);
// Draws the click readout box again after a redraw of the chart; closes it
// when the view is no chart it can read.
void RedrawCoordinateTool(Shell& sh);

}  // namespace shell

// The mouse over the drawing area.
//
// The mouse is handled event by event, as the window delivers it: a press,
// the moves while a button is held and the release each arrive as one call,
// and whatever spans several events (the zoom rectangle, a right click, the
// "Koordinaten" readout) is a small state in the Shell. No handler waits for
// the mouse inside a loop, so the window stays live and every other command
// can run in between.
#include "shell/Mouse.h"

#include <algorithm>
#include <cmath>

#include "charts/Layers.h"
#include "charts/Readout.h"
#include "charts/Regions.h"
#include "charts/Style.h"
#include "charts/SystemView.h"
#include "shell/About.h"
#include "shell/ChartCommands.h"
#include "shell/Help.h"
#include "shell/View.h"

namespace shell {

namespace {

using astronomy::ProgramState;
using astronomy::View;
using charts::SkyPoint;

// After a mouse action that changed the view, the next one waits a moment,
// so that one click is not taken for two.
constexpr int kClickPauseMs = 440;
// The zoom rectangle keeps the width-to-height ratio of a chart frame, and
// only a rectangle larger than 12 by 8 pixels is kept for zooming.
constexpr double kBandRatio = 1.40625;
constexpr int kBandMinWidth = 12;
constexpr int kBandMinHeight = 8;

charts::ChartLayout LayoutOf(const ProgramState& s) { return charts::LayoutFor(s.x_max, s.y_max); }

void PointerReadout(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    SkyPoint p;  // no value
    bool crosshair = false;
    if (OverChart(s, x, y)) {
        p = charts::PointToSky(sh.chart, x, y);
        // Inside the frame of a rectangular chart the crosshair shows even
        // where the horizon chart has no sky (above or below its limits).
        crosshair = astronomy::IsRectangularChart(s.ChartMode) || !charts::IsNoValue(p);
    }
    sh.win.SetPointer(crosshair ? platform::PointerShape::Crosshair : platform::PointerShape::Normal);
    const bool values = !charts::IsNoValue(p);
    if (!values && !sh.readoutShown) return;  // the box is empty already
    charts::ShowPointerReadout(sh.canvas(), s, p);
    sh.readoutShown = values;
    sh.win.Update();
}

// ---- the zoom rectangle

void DrawBand(Shell& sh) {
    const Shell::RubberBand& b = sh.band;
    platform::Canvas& c = sh.canvas();
    c.SetRasterOp(charts::OverlayRasterOp(sh.s));
    c.SetPen(platform::ColourFromRgb(sh.s.ContrastColour));  // inverts the pixels under it
    c.SetLineWidth(1);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.Box(b.x1, b.y1, b.x2, b.y2);
    c.SetRasterOp(platform::RasterOp::Copy);
    sh.win.Update();
}

// Moves the drawn rectangle to the new corners (drawn twice, the old one
// vanishes).
void SetBand(Shell& sh, int x1, int y1, int x2, int y2) {
    Shell::RubberBand& b = sh.band;
    if (b.drawn) DrawBand(sh);
    b.x1 = x1, b.y1 = y1, b.x2 = x2, b.y2 = y2;
    b.drawn = x2 > x1 && y2 > y1;
    if (b.drawn) DrawBand(sh);
}

// The rectangle from the anchor towards the pointer, in the frame's ratio
// and inside the frame: an edge that would leave it is pulled back and the
// other side follows. Its left edge stays one pixel inside the frame.
void PullBand(Shell& sh, int x, int y) {
    const charts::PixelRect frame = LayoutOf(sh.s).frame;
    const Shell::RubberBand& b = sh.band;
    const bool leftwards = x < b.anchorX, upwards = y < b.anchorY;
    const double maxWidth = leftwards ? b.anchorX - (frame.left + 1) : frame.right - b.anchorX;
    const double maxHeight = upwards ? b.anchorY - frame.top : frame.bottom - b.anchorY;
    double width = std::clamp(static_cast<double>(std::abs(x - b.anchorX)), 0.0, std::max(maxWidth, 0.0));
    double height = width / kBandRatio;
    if (height > maxHeight) {
        height = std::max(maxHeight, 0.0);
        width = height * kBandRatio;
    }
    const int w = static_cast<int>(std::lround(width)), h = static_cast<int>(std::lround(height));
    const int x1 = leftwards ? b.anchorX - w : b.anchorX, y1 = upwards ? b.anchorY - h : b.anchorY;
    SetBand(sh, x1, y1, x1 + w, y1 + h);
}

void MoveBand(Shell& sh, int x, int y) {
    const charts::PixelRect frame = LayoutOf(sh.s).frame;
    const Shell::RubberBand& b = sh.band;
    const int w = b.x2 - b.x1, h = b.y2 - b.y1;
    const int x1 = std::max(std::min(x - b.grabX, frame.right - w), frame.left + 1);
    const int y1 = std::max(std::min(y - b.grabY, frame.bottom - h), frame.top);
    SetBand(sh, x1, y1, x1 + w, y1 + h);
}

void FinishBand(Shell& sh) {
    Shell::RubberBand& b = sh.band;
    if (b.x2 - b.x1 > kBandMinWidth && b.y2 - b.y1 > kBandMinHeight)
        b.stage = Shell::RubberBand::Stage::Finished;
    else
        DropBand(sh);
}

// The region becomes the sky inside the rectangle, read through the
// geometry of the chart it was drawn on.
void ZoomIntoBand(Shell& sh) {
    const Shell::RubberBand b = sh.band;
    sh.band = Shell::RubberBand{};  // the redraw below replaces the picture it stands on
    const std::optional<charts::ChartRegion> region =
        charts::ZoomedIntoBand(charts::RegionOf(sh.s), sh.chart, b.x1, b.y1, b.x2, b.y2);
    if (!region) return;
    StoreRegion(sh.s, *region);
    RedrawView(sh);
    sh.win.Pause(kClickPauseMs);
}

// True when the rectangle took the event.
bool BandMouse(Shell& sh, int x, int y, int buttons, int down, int up) {
    using Stage = Shell::RubberBand::Stage;
    Shell::RubberBand& b = sh.band;
    switch (b.stage) {
        case Stage::None:
            return false;
        case Stage::Dragging:
            if (buttons & platform::kMouseLeft) PullBand(sh, x, y);
            if (up & platform::kMouseLeft) FinishBand(sh);
            return true;
        case Stage::Moving:
            if (buttons & platform::kMouseLeft) MoveBand(sh, x, y);
            if (up & platform::kMouseLeft) b.stage = Stage::Finished;
            return true;
        case Stage::Finished:
            if (!(down & platform::kMouseLeft)) return false;  // moves keep the readout going
            if (charts::PixelRect{b.x1, b.y1, b.x2, b.y2}.ContainsStrictly(x, y)) {
                b.stage = Stage::Moving;
                b.grabX = x - b.x1;
                b.grabY = y - b.y1;
            } else {
                ZoomIntoBand(sh);
            }
            return true;
    }
    return false;
}

// ---- clicks

// The program's own addition to the right button: a right click (pressed
// and released while no pass runs) centres the region on the sky under the
// pointer and keeps its size; the equatorial, horizon and both polar charts.
void RecentreOnPointer(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    if (!astronomy::IsFramedChart(s.ChartMode) || !OverChart(s, x, y)) return;
    const SkyPoint p = charts::PointToSky(sh.chart, x, y);
    if (charts::IsNoValue(p)) return;
    CentreChartOn(sh, {p.alpha, p.delta, p.altitude, p.azimuth});
    sh.win.Pause(kClickPauseMs);
}

// A left press on a chart: the zoom and arrow buttons, the legend of the
// deep-sky classes, or the start of a zoom rectangle.
void LeftClick(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    const View m = s.ChartMode;
    if (!astronomy::IsFramedChart(m)) return;
    const charts::ChartLayout layout = LayoutOf(s);
    bool acted = false;
    using charts::NavigationButton;
    using charts::PanDirection;
    const NavigationButton button = charts::NavigationButtonAt(layout, x, y);
    if (button == NavigationButton::ZoomOut) {
        acted = ZoomChart(sh, 1 / s.ZoomStep);  // "Mooz"
    } else if (button == NavigationButton::ZoomIn) {
        acted = ZoomChart(sh, s.ZoomStep);  // "Zoom"
    } else if (button == NavigationButton::PanNorth) {
        acted = PanChart(sh, PanDirection::North);
    } else if (button == NavigationButton::PanSouth) {
        acted = PanChart(sh, PanDirection::South);
    } else if (button == NavigationButton::PanEast) {
        acted = PanChart(sh, PanDirection::East);
    } else if (button == NavigationButton::PanWest) {
        acted = PanChart(sh, PanDirection::West);
    } else if (const int type = charts::DeepSkyClassAt(s, x, y); type != 0) {
        charts::ToggleDeepSkyClass(sh.canvas(), s, sh.chart, sh.chartData, type);
        sh.win.Update();
        acted = true;
    } else if (astronomy::IsRectangularChart(m) && layout.bandStartArea.ContainsStrictly(x, y)) {
        sh.band = Shell::RubberBand{};
        sh.band.stage = Shell::RubberBand::Stage::Dragging;
        sh.band.anchorX = x;
        sh.band.anchorY = y;
        return;
    }
    if (acted) sh.win.Pause(kClickPauseMs);
}

void RightPress(Shell& sh) {
    if (sh.band.stage != Shell::RubberBand::Stage::None) {
        DropBand(sh);
    } else if (sh.coordinates.open) {
        CloseCoordinateTool(sh);
    } else {
        sh.rightClickArmed = true;  // acts on the release
    }
}

// A left press on the solar-system view: the buttons along the top edge,
// and in the single picture the zoom and arrow buttons at the left.
void SystemClick(Shell& sh, int x, int y) {
    ProgramState& s = sh.s;
    using charts::SystemButton;
    bool acted = true;
    switch (charts::SystemButtonAt(s.x_max, sh.systemStereo, x, y)) {
        case SystemButton::Inner: s.View_rs = 2.0; break;
        case SystemButton::Outer: s.View_rs = 3.0; break;
        case SystemButton::AllTracks: s.TrackAlle = s.TrackAlle == 1 ? 0 : 1; break;
        case SystemButton::Crossed: sh.systemStereo = charts::Stereo::Crossed; break;
        case SystemButton::Parallel: sh.systemStereo = charts::Stereo::Parallel; break;
        case SystemButton::Back: sh.systemStereo = charts::Stereo::Single; break;
        case SystemButton::None: acted = false; break;
    }
    if (acted) {
        RedrawView(sh);
    } else if (sh.systemStereo == charts::Stereo::Single) {
        using charts::NavigationButton;
        using charts::PanDirection;
        switch (charts::NavigationButtonAt(LayoutOf(s), x, y)) {
            case NavigationButton::ZoomIn: acted = ZoomChart(sh, s.ZoomStep); break;
            case NavigationButton::ZoomOut: acted = ZoomChart(sh, 1 / s.ZoomStep); break;
            case NavigationButton::PanNorth: acted = PanChart(sh, PanDirection::North); break;
            case NavigationButton::PanSouth: acted = PanChart(sh, PanDirection::South); break;
            case NavigationButton::PanEast: acted = PanChart(sh, PanDirection::East); break;
            case NavigationButton::PanWest: acted = PanChart(sh, PanDirection::West); break;
            case NavigationButton::None: break;
        }
    }
    if (acted) sh.win.Pause(kClickPauseMs);
}

void SystemMouse(Shell& sh, int x, int y, int buttons, bool pressed) {
    const int before = sh.mouseButtons;
    sh.mouseButtons = buttons;
    sh.rightClickArmed = false;
    const ProgramState& s = sh.s;
    const bool shown = s.RedrawSuppressed == 0 && s.PrintingFlag == 0 && sh.chart.mode == View::System &&
                       sh.chart.xMax == s.x_max && sh.chart.yMax == s.y_max;
    if (!shown || !pressed) return;
    int down = buttons & ~before;
    if (down == 0) down = buttons;  // a release that never arrived: take the press as new
    if (down & platform::kMouseLeft) SystemClick(sh, x, y);
}

// The mouse over a chart, once the help and the about box have had their turn.
void ChartMouse(Shell& sh, int x, int y, int buttons, bool pressed) {
    const int before = sh.mouseButtons;
    sh.mouseButtons = buttons;
    if (!ChartOnScreen(sh)) {
        sh.rightClickArmed = false;
        if (!sh.drawingChart) sh.win.SetPointer(platform::PointerShape::Normal);
        return;
    }
    int down = pressed ? buttons & ~before : 0;
    if (pressed && down == 0) down = buttons;  // a release that never arrived: take the press as new
    const int up = before & ~buttons;

    if (down & platform::kMouseRight) {
        RightPress(sh);
        return;
    }
    if (up & platform::kMouseRight) {
        if (sh.rightClickArmed) {
            sh.rightClickArmed = false;
            RecentreOnPointer(sh, x, y);
        }
        return;
    }
    if (sh.coordinates.open && (down & platform::kMouseLeft)) {
        CoordinateClick(sh, x, y);
        return;
    }
    if (BandMouse(sh, x, y, buttons, down, up)) return;
    if (down & platform::kMouseLeft) {
        LeftClick(sh, x, y);
        return;
    }
    if (buttons == 0) PointerReadout(sh, x, y);
}

}  // namespace

bool ChartOnScreen(const Shell& sh) {
    const ProgramState& s = sh.s;
    const View m = s.ChartMode;
    return !sh.drawingChart && !sh.help.open && !sh.aboutOpen && s.RedrawSuppressed == 0 && s.PrintingFlag == 0 &&
           astronomy::IsSkyChart(m) && sh.chart.mode == m && sh.chart.xMax == s.x_max && sh.chart.yMax == s.y_max;
}

void DropBand(Shell& sh) {
    if (sh.band.drawn) DrawBand(sh);
    sh.band = Shell::RubberBand{};
}

void HandleMouse(Shell& sh, int x, int y, int buttons, bool pressed) {
    // A pointer far outside the picture is as good as just outside it; the
    // arithmetic of the zoom rectangle and the legend stays in range.
    x = std::clamp(x, -100000, 100000);
    y = std::clamp(y, -100000, 100000);
    const bool press = pressed && buttons != 0;
    // The help pages and the about box take the mouse first; while one of
    // them stands over the chart, the chart sees no click of it.
    if ((press && HelpInput(sh, nullptr, buttons)) || sh.help.open || sh.aboutOpen) {
        if (press && sh.aboutOpen && OnAboutButton(x, y)) CloseAbout(sh);
        sh.mouseButtons = buttons;
        sh.rightClickArmed = false;
        return;
    }
    if (sh.s.ChartMode == View::System)
        SystemMouse(sh, x, y, buttons, pressed);
    else
        ChartMouse(sh, x, y, buttons, pressed);
}

}  // namespace shell

// Redrawing the current view and computing the selected object.
#include "shell/View.h"

#include "charts/ChartDrawing.h"
#include "charts/Regions.h"
#include "charts/SystemView.h"
#include "reports/LunarEclipse.h"
#include "reports/ParameterPanel.h"
#include "shell/ChartCommands.h"
#include "shell/EphemerisCommands.h"
#include "shell/Messages.h"

namespace shell {

using astronomy::View;

astronomy::PositionStatus ComputePosition(Shell& sh, astronomy::ObjectKind kind, bool report) {
    astronomy::ProgramState& s = sh.s;
    MarkCommand(sh.menu, sh.win.menu(), Command::Astrophotography, platform::kItemGreyed);
    sh.photographable = false;
    const astronomy::Target target = astronomy::TargetOf(s, kind);
    const astronomy::PositionResult r = astronomy::ComputePosition(astronomy::ObservationOf(s), target);
    if (r.status != astronomy::PositionStatus::Ok) {
        // The title names the selected object also when it has no place.
        sh.ObjectTitle = kind == astronomy::ObjectKind::Disk      ? s.DiskName
                         : kind == astronomy::ObjectKind::Messier ? "M " + std::to_string(s.Messier)
                                                                  : std::string(astronomy::ObjectName(kind));
        UpdateTitle(sh);
        if (report)
            ShowMessages(sh.win.dialogs(), {PositionMessage(r.status, target, std::string(astronomy::ObjectName(kind)))});
        return r.status;
    }
    sh.pos = r.body;
    sh.sun = r.sun;
    sh.ObjectTitle = sh.pos.name;
    UpdateTitle(sh);
    if (astronomy::IsObjectView(s.ChartMode)) {
        s.ChartMode = astronomy::ObjectViewFor(kind);
        const reports::PanelOutcome outcome =
            reports::DrawObjectInfoPanel(sh.canvas(), s, sh.pos, sh.sun, kind, sh.realtimeRunning, sh.panel);
        sh.photographable = outcome.photographable;
        if (outcome.photographable)
            MarkCommand(sh.menu, sh.win.menu(), Command::Astrophotography, platform::kItemEnabled);
    }
    sh.win.Update();
    return r.status;
}

void ClearWindow(Shell& sh) {
    sh.canvas().Clear(platform::ColourFromRgb(sh.s.BackgroundColour));
    sh.panel = reports::PanelMemory{};  // nothing of the panel stands any more
}

void DrawParameterPanel(Shell& sh) {
    reports::DrawParameterPanel(sh.canvas(), sh.s);
    UpdateTitle(sh);
    sh.win.Update();
}

namespace {

// After a chart is drawn its region stays as the chart's set-up reduced it:
// right ascension into 0..24 (its upper limit into (0, 24]) and azimuth into
// 0..360, so that the commands that move the region and the settings file
// see what the chart shows. (The set-up takes the width of a region from
// its limits as they were stored.)
void KeepReducedRegion(astronomy::ProgramState& s, const charts::ChartGeometry& g) {
    if (g.mode == View::Equatorial) {
        s.Alpha_min = g.alphaMin;
        s.Alpha_max = g.alphaMax;
    } else if (g.mode == View::Horizon) {
        s.Azi_min = g.aziMin;
        s.Azi_max = g.aziMax;
    }
}

// One drawing pass of the chart of the state's view; its geometry stays for
// the mouse and the layer commands. A press of the right button during the
// pass stops the star loop; a button still held from before the pass (the
// click that ended a tool and asked for this redraw) stops it only after it
// was let go and pressed again.
void DrawChartView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    // The catalogue files are loaded once and kept. A failure is told once,
    // not at every redraw, and only in the running program (StartUp fills
    // the command line): a view drawn off screen has nobody to answer a box.
    if (sh.chartData.Ensure(s.DataFolder, s.ProgramFolder)) {
        sh.chartDataError.clear();
    } else if (sh.chartData.error != sh.chartDataError) {
        sh.chartDataError = sh.chartData.error;
        if (!sh.CommandLineArgs.empty() && !sh.chartDataError.empty())
            sh.win.dialogs().MessageBox(sh.chartDataError, " OK ", 1);
    }
    platform::Window& win = sh.win;
    sh.drawingChart = true;
    bool released = (win.MouseButtons() & platform::kMouseRight) == 0;
    sh.chart = charts::DrawChart(sh.canvas(), s, sh.chartData, s.Objekt, [&win, &released] {
        const bool held = (win.MouseButtons() & platform::kMouseRight) != 0;
        if (!held) released = true;
        return held && released;
    });
    sh.drawingChart = false;
    KeepReducedRegion(s, sh.chart);
    sh.chartJ = s.J;
    sh.chartF = s.F;
}

}  // namespace

void RedrawView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    if (s.RedrawSuppressed != 0) return;
    UpdateTitle(sh);
    sh.band = Shell::RubberBand{};  // the new picture has no zoom rectangle
    if (astronomy::IsObjectView(s.ChartMode)) {
        ComputePosition(sh, s.Objekt);
        DrawParameterPanel(sh);
    } else if (s.ChartMode == View::WholeSky) {
        DrawParameterPanel(sh);
        DrawChartView(sh);
    } else if (astronomy::IsFramedChart(s.ChartMode)) {
        // These charts clear the whole picture and write their own date
        // stamp in the legend strip.
        DrawChartView(sh);
        sh.readoutShown = false;
    } else if (s.ChartMode == View::MoonPhases && sh.eclipse) {
        reports::DrawEclipseDiagram(sh.canvas(), s, *sh.eclipse);
        reports::DrawEclipseText(sh.canvas(), s, *sh.eclipse);
    } else if (s.ChartMode == View::DayEphemeris) {
        ListDayEphemeris(sh);
    } else if (s.ChartMode == View::System) {
        sh.chart = charts::DrawSystemView(sh.canvas(), s, sh.systemStereo, s.Objekt);
        sh.chartJ = s.J;
        sh.chartF = s.F;
    }
    RedrawCoordinateTool(sh);  // on a chart again; closed on any other view
    sh.win.Update();
}

}  // namespace shell

// Redrawing the current view and computing the selected object.
#include <cmath>

#include "astronomy/Utm.h"
#include "charts/ChartDrawing.h"
#include "reports/ParameterPanel.h"
#include "shell/Calculators.h"
#include "shell/Charts.h"
#include "shell/Prompts.h"
#include "shell/Shell.h"

namespace shell {

void ShowMessages(Shell& sh, astronomy::MessageList& messages) {
    for (const astronomy::UserMessage& m : messages) sh.win.dialogs().MessageBox(m.text, m.buttons, 1);
    messages.clear();
}

void UpdateUtm(astronomy::ProgramState& s) {
    const astronomy::UtmCoordinates u = astronomy::GeoToUtm(s.Longitude, s.Latitude);
    // The grid has no meaning at the poles; show zeros rather than noise.
    const bool usable = std::isfinite(u.east) && std::isfinite(u.north) && std::fabs(s.Latitude) < 89.5 * astronomy::kDegToRad;
    s.UtmEast = usable ? u.east : 0;
    s.UtmNorth = usable ? u.north : 0;
}

astronomy::PositionStatus ComputeAndShow(Shell& sh, const std::string& name, bool report) {
    SetMenuMark(sh.menu, sh.win.menu(), sh.s, "Astropho", platform::kItemGreyed);
    astronomy::MessageList messages;
    const astronomy::PositionStatus status = astronomy::ComputePosition(sh.s, name, sh.pos, sh.sun, messages);
    if (!report) messages.clear();
    ShowMessages(sh, messages);
    if (status != astronomy::PositionStatus::Ok) {
        if (status == astronomy::PositionStatus::NoPosition && report)
            sh.win.dialogs().MessageBox("Die Position von " + name + "|ist zu diesem Zeitpunkt nicht berechenbar.",
                                        " OK ", 1);
        return status;
    }
    sh.ObjectTitle = sh.pos.name;
    if (sh.s.ChartMode < 4) {
        reports::PanelHooks hooks;
        hooks.setMenuMark = [&sh](const std::string& caption, int state) {
            SetMenuMark(sh.menu, sh.win.menu(), sh.s, caption, state);
        };
        hooks.realtimeRunning = [&sh] { return sh.realtimeRunning; };
        reports::DrawObjectInfoPanel(sh.canvas(), sh.s, sh.pos, sh.sun, name, hooks, sh.panel);
    }
    sh.win.Update();
    return status;
}

void DrawParameterPanel(Shell& sh) {
    reports::DrawParameterPanel(sh.canvas(), sh.s);
    UpdateTitle(sh);
    sh.win.Update();
}

namespace {

bool IsFramedChart(float mode) { return mode == 5.0f || mode == 5.5f || mode == 6.0f || mode == 7.0f; }

// One drawing pass of the chart of the state's mode; its geometry stays for
// the mouse and the layer commands. The right button held stops the star
// loop.
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
    sh.chart = charts::DrawChart(sh.canvas(), s, sh.chartData, s.Objekt,
                                 [&win] { return (win.MouseButtons() & platform::kMouseRight) != 0; });
    sh.drawingChart = false;
    sh.chartJ = s.J;
    sh.chartF = s.F;
}

}  // namespace

void RedrawView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    if (s.RedrawSuppressed != 0) return;
    UpdateTitle(sh);
    sh.band = Shell::RubberBand{};  // the new picture has no zoom rectangle
    if (s.ChartMode < 4) {
        if (!s.Objekt.empty()) ComputeAndShow(sh, s.Objekt);
        DrawParameterPanel(sh);
    } else if (s.ChartMode == 4) {
        DrawParameterPanel(sh);
        DrawChartView(sh);
    } else if (IsFramedChart(s.ChartMode)) {
        // These charts clear the whole picture and write their own date
        // stamp in the legend strip.
        DrawChartView(sh);
        sh.readoutShown = false;
    }  // the day ephemeris and the solar-system view draw themselves once they are part of the program
    RedrawCoordinateTool(sh);  // on a chart again; closed on any other view
    sh.win.Update();
}

void SetPlace(Shell& sh, int n) {
    astronomy::ProgramState& s = sh.s;
    if (n >= 1 && n <= s.OrtAnz) {
        astronomy::SetPlaceFromList(s, n);
        return;
    }
    // Beyond the list: the UTM entry (OrtAnz + 3) or the place prompt edits
    // the current place.
    if (n == s.OrtAnz + 3) {
        if (EnterUtmPlace(sh)) RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    } else {
        PlacePrompt(sh);
    }
    astronomy::SetLatitudeTerms(s);
}

}  // namespace shell

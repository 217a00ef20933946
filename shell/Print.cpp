// Printing the current view, and the page set-up every printout shares.
#include "shell/Print.h"

#include "shell/Layout.h"
#include "shell/View.h"

namespace shell {

bool PrintPage(Shell& sh, const std::string& documentName, bool landscape, const std::function<void()>& draw) {
    astronomy::ProgramState& s = sh.s;
    platform::Printer& printer = sh.win.printer();
    if (!printer.Begin(documentName, landscape)) return false;  // cancelled: no page, nothing changed

    const reports::PanelMemory screenPanel = sh.panel;
    s.PrintingFlag = -1;
    const bool toggled = s.Invers == 0;
    if (toggled) ToggleInvers(sh);  // dark on white

    sh.target = &printer.page();
    sh.target->Clear(platform::ColourFromRgb(s.BackgroundColour));
    s.OutputChannel = 3;
    ComputeLayout(sh);
    draw();

    s.PrintingFlag = 0;
    printer.End();
    sh.target = nullptr;
    if (toggled) ToggleInvers(sh);
    // The window was cleared when the colours changed; otherwise it still
    // shows what it showed.
    sh.panel = toggled ? reports::PanelMemory{} : screenPanel;
    s.OutputChannel = 2;
    ComputeLayout(sh);
    return true;
}

void PrintView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    // Portrait when the drawing area is narrower than it is high.
    const bool landscape = !(s.x_max < s.y_max);
    const bool printed = PrintPage(sh, "Kelmaron", landscape, [&sh, &s] {
        s.ChartLineHeight *= sh.win.printer().Landscape() ? 1.4 : 1.0;
        sh.panel = reports::PanelMemory{};  // the page starts empty
        RedrawView(sh);
    });
    if (printed) RedrawView(sh);
}

}  // namespace shell

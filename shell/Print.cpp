// Printing the current view.
#include "shell/Print.h"

#include "shell/Layout.h"
#include "shell/View.h"

namespace shell {

void PrintView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Printer& printer = sh.win.printer();
    // Portrait when the drawing area is narrower than it is high.
    const bool landscape = !(s.x_max < s.y_max);
    if (!printer.Begin("Kelmaron", landscape)) return;  // cancelled: no page, nothing changed

    const reports::PanelMemory screenPanel = sh.panel;
    s.PrintingFlag = -1;
    const bool toggled = s.Invers == 0;
    if (toggled) ToggleInvers(sh);  // dark on white

    sh.target = &printer.page();
    sh.target->Clear(platform::ColourFromRgb(s.BackgroundColour));
    s.OutputChannel = 3;
    ComputeLayout(sh);
    s.ChartLineHeight *= printer.Landscape() ? 1.4 : 1.0;
    sh.panel = reports::PanelMemory{};  // the page starts empty
    RedrawView(sh);

    s.PrintingFlag = 0;
    printer.End();
    sh.target = nullptr;
    if (toggled) ToggleInvers(sh);
    // The window was cleared when the colours changed; otherwise it still
    // shows what it showed.
    sh.panel = toggled ? reports::PanelMemory{} : screenPanel;
    s.OutputChannel = 2;
    ComputeLayout(sh);
    RedrawView(sh);
}

}  // namespace shell

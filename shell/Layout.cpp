// Layout of the drawing area, the window placement and the colour switch.
#include <algorithm>
#include <cmath>

#include "astronomy/Numbers.h"
#include "shell/Layout.h"
#include "shell/View.h"

namespace shell {

using astronomy::Round;
using platform::ColourFromRgb;

namespace {
constexpr int kReferenceHeight = kSmallestDrawingHeight;
}  // namespace

void FillBodyColours(astronomy::ProgramState& s) {
    s.BodyColourTable = {0,        0xFFFFFF, 0xFAFA50, 0xFFFFFF, 0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                         0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, 0xFFFFFF, 0xFA3CFA};
    if (s.Invers == 1) s.BodyColourTable[3] = s.BodyColourTable[13] = 0x000000;
}

void ReadWindowPlacement(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    const platform::WindowPlacement p = sh.win.Placement();
    s.x_pos = p.x;
    s.y_pos = p.y;
    if (s.PrintingFlag != 0 || p.normalState) {
        s.x_max = p.drawWidth - 1;
        s.y_max = p.drawHeight - 1;
        s.Maximiert = 0;
    } else {
        s.x_max = p.drawWidth - 5;
        s.y_max = p.drawHeight - 10;
        s.Maximiert = -1;
    }
}

void ApplyWindowPlacement(Shell& sh) {
    const astronomy::ProgramState& s = sh.s;
    sh.win.ApplyPlacement(s.x_pos, s.y_pos, s.x_max + 19, s.y_max + 73, s.Maximiert != 0);
}

void ComputeLayout(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    ReadWindowPlacement(sh);
    const bool printing = s.PrintingFlag != 0;
    if (printing) {
        // The page, cut to the window's reference proportions.
        constexpr double aspect = 550.0 / 800.0;
        const platform::Canvas& page = sh.canvas();
        s.x_max = page.Width() - 15;
        s.y_max = page.Height() - 12;
        if (s.x_max * aspect > s.y_max)
            s.x_max = Round(s.y_max / aspect);
        else
            s.y_max = Round(s.x_max * aspect);
    }
    s.ChartWidth = printing ? s.x_max - 200 : s.x_max - 240;
    const int halfWidth = Round(s.x_max / 2.0);
    if (printing) {
        s.TextSplitX = halfWidth;
    } else {
        s.TextSplitX = Round(1.2 * halfWidth);
        if (s.ChartWidth - s.TextSplitX < 250) s.TextSplitX = s.ChartWidth - 250;
    }
    s.TextSplitHalfX = Round(s.TextSplitX / 2.0);
    s.ChartCentreX = Round(s.ChartWidth / 2.0);
    s.ChartCentreY = Round(s.y_max / 2.0);
    s.ChartRadius = std::min(s.ChartCentreY - 20, s.ChartCentreX - 20);
    s.ChartZoom = 1.0;
    s.TextScale = s.y_max / static_cast<double>(kReferenceHeight);
    s.ChartLineHeight = 10;
}

void HandleResize(Shell& sh) {
    ComputeLayout(sh);
    if (!sh.loopRunning) return;
    sh.win.canvas().Clear(ColourFromRgb(sh.s.BackgroundColour));
    RedrawView(sh);
}

void ToggleInvers(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    s.Invers = 1 - s.Invers;
    if (s.Invers == 1) {
        s.BackgroundColour = 0xFFFFFF;
        s.ForegroundColour = 0x505050;
        s.ContrastColour = 0x000000;
        s.BodyColourTable[3] = s.BodyColourTable[13] = 0x000000;
    } else {
        s.BackgroundColour = 0x000000;
        s.ForegroundColour = 0xB4B4B4;
        s.ContrastColour = 0xFFFFFF;
        s.BodyColourTable[3] = s.BodyColourTable[13] = 0xFFFFFF;
    }
    sh.win.dialogs().SetPromptColours(ColourFromRgb(s.BackgroundColour),
                                      ColourFromRgb(s.ForegroundColour));
    sh.win.canvas().Clear(ColourFromRgb(s.BackgroundColour));
    sh.win.Update();
}

}  // namespace shell

// The about box, the quit dialog and the Messier number prompt.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "charts/ObjectSymbols.h"
#include "shell/Charts.h"
#include "shell/Prompts.h"
#include "shell/Settings.h"
#include "shell/Shell.h"

namespace shell {

namespace {
platform::Colour Rgb(std::uint32_t c) { return charts::ColourFromRgb(c); }
}  // namespace

void ShowAbout(Shell& sh, bool atStart) {
    platform::Canvas& c = sh.win.canvas();
    const astronomy::ProgramState& s = sh.s;
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetLineWidth(1);
    c.SetBrush(Rgb(s.BackgroundColour));
    c.SetPen(Rgb(s.ForegroundColour));
    c.FillBox(40, 40, 400, 310);
    c.Box(46, 46, 394, 304);
    c.SetTextBackground(Rgb(s.BackgroundColour), true);
    c.SetPen(Rgb(0x3737E1));
    c.SetFont(platform::FontRole::Heading, 28);
    c.Text(70, 70, "Kelmaron");
    c.SetPen(Rgb(s.ForegroundColour));
    c.SetFont(platform::FontRole::Label);
    c.Text(70, 120, "Astronomie für Sternfreunde");
    c.Text(70, 150, kVersionText);
    c.Text(70, 175, kProgramDate);
    c.Box(56, 227, 165, 300);
    c.Text(90, 255, "OK");
    sh.win.Update();
    if (atStart) {
        if (sh.startupPauses) sh.win.Pause(1000);
        return;
    }
    sh.aboutOpen = true;  // the next key or a click on the box closes it
}

bool CloseAbout(Shell& sh) {
    if (!sh.aboutOpen) return false;
    sh.aboutOpen = false;
    RedrawView(sh);
    return true;
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
        if (press && sh.aboutOpen && x > 56 && x < 165 && y > 227 && y < 300) CloseAbout(sh);
        sh.mouseButtons = buttons;
        sh.rightClickArmed = false;
        return;
    }
    ChartMouse(sh, x, y, buttons, pressed);
}

bool SaveSettings(Shell& sh) {
    ReadWindowPlacement(sh);
    std::string error;
    if (WriteSettings(sh.s, kVersionText, error)) return true;
    sh.win.dialogs().MessageBox(error, " OK ", 1);
    return false;
}

void QuitDialog(Shell& sh, bool fromMenu) {
    sh.s.RedrawSuppressed = -1;
    int answer = sh.win.dialogs().MessageBox(" Programm verlassen ?    ",
                                                   fromMenu ? " OK |mit Speichern" : " OK |mit Speichern|Nein", 1);
    if (answer == 2 && !SaveSettings(sh)) answer = 0;  // not saved: stay
    if (answer == 1 || answer == 2) {
        sh.quit = true;
        return;
    }
    sh.s.RedrawSuppressed = 0;
    RedrawView(sh);
}

void MessierPrompt(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Nummer des Messier-Objektes  ", 235);
    int number = s.Messier;
    while (true) {
        d.PromptPrint(" M ", false);
        std::string text = std::to_string(number);
        if (!d.EditField(text, 4)) {  // closed or cancelled: nothing changes
            d.ClosePromptWindow();
            return;
        }
        if (text.find_first_not_of(' ') != std::string::npos) {
            const double v = std::round(LeadingNumber(text));
            number = std::fabs(v) < 1e9 ? static_cast<int>(v) : 0;
        }
        if (number >= 1 && number <= 109 && number != 40) break;
        d.MessageBox("M " + std::to_string(number) + " nicht bekannt !| ", " Aha ", 1);
        d.PromptClear();
    }
    d.ClosePromptWindow();
    s.Messier = number;
    sh.menu.captions[sh.menu.MessierItem] = "M " + std::to_string(number);
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    if (s.Objekt == "Messier") ComputeAndShow(sh, s.Objekt);
}

}  // namespace shell

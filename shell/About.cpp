// The about box.
#include "shell/About.h"

#include "shell/View.h"

namespace shell {

namespace {

using platform::ColourFromRgb;

// The box's button: a click strictly inside closes a waiting box.
constexpr int kButtonLeft = 56, kButtonTop = 227, kButtonRight = 165, kButtonBottom = 300;

}  // namespace

void ShowAbout(Shell& sh, bool atStart) {
    platform::Canvas& c = sh.win.canvas();
    const astronomy::ProgramState& s = sh.s;
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetLineWidth(1);
    c.SetBrush(ColourFromRgb(s.BackgroundColour));
    c.SetPen(ColourFromRgb(s.ForegroundColour));
    c.FillBox(40, 40, 400, 310);
    c.Box(46, 46, 394, 304);
    c.SetTextBackground(ColourFromRgb(s.BackgroundColour), true);
    c.SetPen(ColourFromRgb(0x3737E1));
    c.SetFont(platform::FontRole::Heading, 28);
    c.Text(70, 70, "Kelmaron");
    c.SetPen(ColourFromRgb(s.ForegroundColour));
    c.SetFont(platform::FontRole::Label);
    c.Text(70, 120, "Astronomie für Sternfreunde");
    c.Text(70, 150, kVersionText);
    c.Text(70, 175, kProgramDate);
    c.Box(kButtonLeft, kButtonTop, kButtonRight, kButtonBottom);
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

bool OnAboutButton(int x, int y) { return x > kButtonLeft && x < kButtonRight && y > kButtonTop && y < kButtonBottom; }

}  // namespace shell

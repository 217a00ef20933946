// The pointer readout box of the charts.
#include "charts/Readout.h"

#include <algorithm>

#include "astronomy/TextFormats.h"
#include "charts/ChartLayout.h"
#include "charts/Style.h"

namespace charts {

namespace {

constexpr double kReadoutPointSize = 8;

}  // namespace

ReadoutTexts FormatReadout(const SkyPoint& p) {
    return {astronomy::FormatHms(p.alpha), astronomy::FormatAngleDm(p.delta), astronomy::FormatDegrees(p.azimuth),
            astronomy::FormatDegrees(p.altitude)};
}

void ShowPointerReadout(platform::Canvas& canvas, const astronomy::ProgramState& s, const SkyPoint& p) {
    const Palette palette = PaletteOf(s);
    const platform::Colour background = palette.background, text = palette.text;
    const PixelRect box = LayoutFor(s.x_max, s.y_max).readoutBox;
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(1);
    // The box is cleared every time: the values are written in a
    // proportional font, so a shorter text would leave parts of the longer
    // one behind.
    canvas.SetPen(background);
    canvas.SetBrush(background);
    canvas.FillBox(box.left, box.top, box.right, box.bottom);
    if (s.PrintingFlag != 0 || IsNoValue(p)) return;

    const ReadoutTexts t = FormatReadout(p);
    canvas.SetTextBackground(background, true);
    canvas.SetPen(text);
    // The small note size: the right ascension should fit between its
    // label and "Az=" 94 pixels further right; where the font draws it
    // wider, the azimuth column moves right after it. Returns where the
    // value ends.
    auto labelled = [&canvas](int x, int y, platform::FontRole role, const std::string& label,
                              const std::string& value) {
        canvas.SetFont(role, kReadoutPointSize);
        canvas.Text(x, y, label);
        const int valueX = x + canvas.TextWidth(label);
        canvas.SetFont(platform::FontRole::Note, kReadoutPointSize);
        canvas.Text(valueX, y, value);
        return valueX + canvas.TextWidth(value);
    };
    const int alphaEnd = labelled(s.x_max - 286, s.y_max - 35, platform::FontRole::Symbol, "\u03b1=", t.alpha);
    const int deltaEnd = labelled(s.x_max - 286, s.y_max - 20, platform::FontRole::Symbol, "\u03b4=", t.delta);
    const int azimuthX = std::max(s.x_max - 192, std::max(alphaEnd, deltaEnd) + canvas.TextWidth("  "));
    labelled(azimuthX, s.y_max - 33, platform::FontRole::Note, "Az=", t.azimuth);
    labelled(azimuthX, s.y_max - 18, platform::FontRole::Note, "Ho=", t.altitude);
}

}  // namespace charts

#include "charts/Readout.h"

#include "astronomy/TextFormats.h"

namespace charts {

namespace {

constexpr double kReadoutPointSize = 8;

platform::Colour Rgb(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

}  // namespace

ReadoutTexts FormatReadout(const SkyPoint& p) {
    return {astronomy::FormatHms(p.alpha), astronomy::FormatAngleDm(p.delta), astronomy::FormatDegrees(p.azimuth),
            astronomy::FormatDegrees(p.altitude)};
}

void ShowPointerReadout(platform::Canvas& canvas, const astronomy::ProgramState& s, const SkyPoint& p) {
    const platform::Colour background = Rgb(s.BackgroundColour);
    const platform::Colour text = Rgb(s.ForegroundColour);
    const int left = s.x_max - kReadoutLeft, top = s.y_max - kReadoutTop;
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(1);
    // The box is cleared every time: the values are written in a
    // proportional font, so a shorter text would leave parts of the longer
    // one behind.
    canvas.SetPen(background);
    canvas.SetBrush(background);
    canvas.FillBox(left, top, s.x_max - kReadoutRight, s.y_max);
    if (s.PrintingFlag != 0 || IsNoValue(p)) return;

    const ReadoutTexts t = FormatReadout(p);
    canvas.SetTextBackground(background, true);
    canvas.SetPen(text);
    // The small note size: the right ascension has to fit between its
    // label and "Az=" 94 pixels further right.
    auto labelled = [&canvas](int x, int y, platform::FontRole role, const std::string& label,
                              const std::string& value) {
        canvas.SetFont(role, kReadoutPointSize);
        canvas.Text(x, y, label);
        const int valueX = x + canvas.TextWidth(label);
        canvas.SetFont(platform::FontRole::Note, kReadoutPointSize);
        canvas.Text(valueX, y, value);
    };
    labelled(s.x_max - 286, s.y_max - 35, platform::FontRole::Symbol, "\u03b1=", t.alpha);
    labelled(s.x_max - 286, s.y_max - 20, platform::FontRole::Symbol, "\u03b4=", t.delta);
    labelled(s.x_max - 192, s.y_max - 33, platform::FontRole::Note, "Az=", t.azimuth);
    labelled(s.x_max - 192, s.y_max - 18, platform::FontRole::Note, "Ho=", t.altitude);
}

}  // namespace charts

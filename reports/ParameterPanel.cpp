// The parameter panel and the date stamp of the charts.
#include "reports/ParameterPanel.h"

#include <algorithm>

#include <cmath>
#include <string>

#include "astronomy/Angles.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "astronomy/Numbers.h"
#include "charts/ChartDrawing.h"
#include "charts/Style.h"

namespace reports {

using astronomy::FormatFixed;
using astronomy::kDegToRad;
using astronomy::Round;
using platform::FontRole;

namespace {

struct Strip {
    platform::Canvas& c;
    const astronomy::ProgramState& s;
    int W;       // ChartWidth, the left edge of the strip
    double ts;   // TextScale
    bool printing;
    platform::Colour background, text, contrast;
};

int Y(const Strip& p, double k) { return Round(k * p.ts); }

void Style(Strip& p, FontRole role, platform::Colour colour, double printSize) {
    p.c.SetFont(role, p.printing ? printSize : 0);
    p.c.SetPen(colour);
}

// Clears the strip unless it is still standing (its heading line is there),
// then outlines it.
void DrawFrame(Strip& p) {
    const platform::Colour frame = charts::FrameColour(p.s);
    const int lineY = Y(p, 20);
    const bool standing = p.c.ReadPixel(p.W + 34, lineY) == frame && p.c.ReadPixel(p.W + 144, lineY) == frame;
    const int bottom = Y(p, 360);
    if (!standing && !p.printing) {
        p.c.SetPen(p.background);
        p.c.SetBrush(p.background);
        p.c.FillBox(p.W, 0, p.s.x_max, bottom);
    }
    p.c.SetPen(p.text);
    p.c.Box(p.W, 0, p.s.x_max, bottom);
}

// A text of the strip that stays inside its frame: on paper, where the
// sizes are given in points, a text too wide for the strip is drawn
// smaller until it fits.
void FittedText(Strip& p, int x, int y, const std::string& text, FontRole role, double printSize) {
    const int room = p.s.x_max - 4 - x;
    if (p.printing) {
        double size = printSize;
        while (size > 5 && p.c.TextWidth(text) > room) {
            size -= 0.5;
            p.c.SetFont(role, size);
        }
    }
    p.c.Text(x, y, text);
    if (p.printing) p.c.SetFont(role, printSize);
}

void DrawHeading(Strip& p) {
    Style(p, FontRole::Heading, p.contrast, 15);
    FittedText(p, p.W + 17, Y(p, 4), "Aktuelle Parameter:", FontRole::Heading, 15);
    p.c.SetPen(charts::FrameColour(p.s));
    if (p.printing) {
        p.c.Line(p.W + 16, Y(p, 20) + 4, p.s.x_max - 25, Y(p, 20) + 4);
    } else {
        p.c.Line(p.W + 16, Y(p, 20), p.s.x_max - 40, Y(p, 20));
    }
}

void DrawFullPanel(platform::Canvas& canvas, const astronomy::ProgramState& s) {
    const charts::Palette palette = charts::PaletteOf(s);
    Strip p{canvas,          s,           s.ChartWidth,    s.TextScale, s.PrintingFlag != 0,
            palette.background, palette.text, palette.contrast};
    DrawFrame(p);
    DrawHeading(p);

    const int W = p.W;
    Style(p, FontRole::Value, p.contrast, 15);
    const auto value = [&p](int x, double k, const std::string& text) {
        FittedText(p, x, Y(p, k), text, FontRole::Value, 15);
    };
    value(W + 8, 50, astronomy::FormatDateLong(s.Day, s.Month, s.Year, s.Weekday, p.printing));
    value(W + 11, 83, astronomy::FormatClockTime(s.ClockTime, s.Zone, p.printing));
    value(W + 11, 120, JulianDateText(s.J, s.F));
    // The coordinates start after the wider of their two labels. On paper
    // labels and coordinates share one size, the largest at which both fit.
    const std::string longitude = astronomy::FormatAngleDmsTenths(s.Longitude / kDegToRad);
    const std::string latitude = astronomy::FormatAngleDmsTenths(s.Latitude / kDegToRad);
    const auto labelsWidth = [&canvas] {
        return std::max(canvas.TextWidth("Länge:"), canvas.TextWidth("Breite:")) + canvas.TextWidth(" ");
    };
    double coordinateSize = 15;
    while (p.printing && coordinateSize > 5 &&
           W + 11 + labelsWidth() + std::max(canvas.TextWidth(longitude), canvas.TextWidth(latitude)) > s.x_max - 4) {
        coordinateSize -= 0.5;
        canvas.SetFont(FontRole::Value, coordinateSize);
    }
    canvas.Text(W + 11, Y(p, 170), "Länge:");
    canvas.Text(W + 11, Y(p, 186), "Breite:");
    const int coordinateX = std::max(W + 69, W + 11 + labelsWidth());
    canvas.Text(coordinateX, Y(p, 170), longitude);
    canvas.Text(coordinateX, Y(p, 186), latitude);
    Style(p, FontRole::Value, p.contrast, 15);
    value(W + 11, 276, astronomy::FormatHmsTenths(s.tq.LST));
    value(W + 11, 313, astronomy::FormatHmsTenths(s.tq.LMT));

    Style(p, FontRole::Label, p.text, 10);
    canvas.Text(W + 8, Y(p, 35), "Datum:");
    canvas.Text(W + 8, Y(p, 68), "Zeit:");
    canvas.Text(W + 8, Y(p, 104), "Julianische Datum:");
    canvas.Text(W + 8, Y(p, 154), "Geogr. Koordinaten:");

    Style(p, FontRole::Note, p.text, 10);
    canvas.Text(W + 11, Y(p, 214), "Ost:     " + FormatFixed(s.UtmEast, 11, 1) + " m");
    canvas.Text(W + 11, Y(p, 226), "Nord:    " + FormatFixed(s.UtmNorth, 11, 1) + " m");

    Style(p, FontRole::Label, p.text, 10);
    canvas.Text(W + 8, Y(p, 261), "wahre Sternzeit:");
    canvas.Text(W + 8, Y(p, 298), "mittlere Ortszeit:");
    canvas.Text(W + 11, Y(p, 336), EquinoxText(s.Aequi));
}

// The date and time stamp of the rectangular and polar charts.
void DrawStamp(platform::Canvas& canvas, const astronomy::ProgramState& s) {
    canvas.SetPen(platform::ColourFromRgb(s.ForegroundColour));
    charts::DrawDateStamp(canvas, s, 0, false);
}

}  // namespace

std::string JulianDateText(double J, double F) {
    std::string fraction = FormatFixed(F, 9, 7);
    if (fraction.rfind("1.", 0) == 0) {  // rounds up to the next day
        J += 1;
        fraction = "0.0000000";
    }
    if (fraction.rfind('0', 0) == 0) fraction.erase(0, 1);
    return FormatFixed(J, 7, 0) + fraction + " UT ";
}

std::string EquinoxText(int aequi) {
    if (aequi == astronomy::kEquinoxOfDate) return "Äquinoktium des Tages         ";
    return "Äquinoktium: " + std::to_string(aequi) + std::string(14, ' ');
}

void DrawParameterPanel(platform::Canvas& canvas, const astronomy::ProgramState& s) {
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetTextBackground(platform::ColourFromRgb(s.BackgroundColour), true);
    if (s.ChartMode <= astronomy::View::WholeSky) {
        DrawFullPanel(canvas, s);
    } else if (astronomy::IsFramedChart(s.ChartMode)) {
        DrawStamp(canvas, s);
    }
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(1);
}

}  // namespace reports

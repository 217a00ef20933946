// The chart commands and the mouse over the charts.
//
// The mouse is handled event by event, as the window delivers it: a press,
// the moves while a button is held and the release each arrive as one call
// of ChartMouse, and whatever spans several events (the zoom rectangle, a
// right click, the "Koordinaten" readout) is a small state in the Shell.
// No handler waits for the mouse inside a loop, so the window stays live
// and every other command can run in between.
#include "shell/Charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "astronomy/TextFormats.h"
#include "charts/Layers.h"
#include "charts/ObjectSymbols.h"
#include "charts/Projection.h"
#include "charts/Readout.h"
#include "shell/Prompts.h"

namespace shell {

namespace {

using astronomy::ProgramState;
using charts::kModeEquatorial;
using charts::kModeHorizon;
using charts::kModeNorthPolar;
using charts::kModeSouthPolar;
using charts::kModeWholeSky;
using charts::SkyPoint;

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;

// The on-screen buttons of the charts: the two zoom boxes at the lower left
// and the four arrows down the left edge about mid-height.
constexpr int kButtonWidth = 58;
constexpr int kButtonHeight = 20;
constexpr int kArrowSize = 15;
// After a mouse action that changed the view, the next one waits a moment,
// so that one click is not taken for two.
constexpr int kClickPauseMs = 440;
// The zoom rectangle keeps the width-to-height ratio of a chart frame, and
// only a rectangle larger than 12 by 8 pixels is kept for zooming.
constexpr double kBandRatio = 1.40625;
constexpr int kBandMinWidth = 12;
constexpr int kBandMinHeight = 8;
constexpr int kBandLeft = 50;
// Typed numbers are kept within this range, so that no later arithmetic
// overflows or loses the reduction into a circle.
constexpr double kLargestTyped = 1e6;
// The polar limits a user can type: beyond these the stereographic radius
// runs away (below -90) or the circles repeat (above 270).
constexpr double kPolarLowest = -90, kPolarHighest = 270;

constexpr const char* kLayerItems = "Sternbild|Namen|Gitter|Ekliptik|Planeten|Messier |Track";

bool IsFramed(float m) {
    return m == kModeEquatorial || m == kModeHorizon || m == kModeNorthPolar || m == kModeSouthPolar;
}
bool IsRectangular(float m) { return m == kModeEquatorial || m == kModeHorizon; }

// v reduced into 0..p; a value too large to reduce gives 0.
double Reduce(double v, double p) {
    const double r = v - p * std::floor(v / p);
    return r >= 0 && r < p ? r : 0;
}

// Strictly inside: a point on the border is outside.
bool Inside(double x, double y, double left, double top, double right, double bottom) {
    return x > left && x < right && y > top && y < bottom;
}

platform::Colour Rgb(std::uint32_t c) { return charts::ColourFromRgb(c); }

void Mark(Shell& sh, const std::string& list, int state) { SetMenuMark(sh.menu, sh.win.menu(), sh.s, list, state); }

// Width over height of the chart frame, (x_max - 87) / (y_max - 81); 1 for
// a window too small to have a frame.
double FrameAspect(const ProgramState& s) {
    const double w = s.x_max - 87, h = s.y_max - 81;
    return w > 0 && h > 0 ? w / h : 1;
}

// ---------------------------------------------------------------------------
// Right-ascension and azimuth windows

double RaCentre(const ProgramState& s) {
    if (s.Alpha_max <= s.Alpha_min) return Reduce((s.Alpha_min + s.Alpha_max + 24) / 2, 24);
    return Reduce((s.Alpha_min + s.Alpha_max) / 2, 24);
}

// The window of the given width about the centre. A window of a whole day
// or more is 0 .. 24 h: the one form of the full circle that the chart
// keeps from one drawing to the next.
void SetRaWindow(ProgramState& s, double centre, double widthHours) {
    if (!(widthHours < 24)) {
        s.Alpha_min = 0;
        s.Alpha_max = 24;
        return;
    }
    s.Alpha_min = Reduce(centre - widthHours / 2, 24);
    s.Alpha_max = Reduce(centre + widthHours / 2, 24);
}

// The right-ascension width that fills the frame at the present
// declination height.
double RaWidthForHeight(const ProgramState& s) { return (s.Delta_max - s.Delta_min) / 15 * FrameAspect(s); }

double AziCentre(const ProgramState& s) {
    if (s.Azi_max <= s.Azi_min) return Reduce((s.Azi_min + s.Azi_max + 360) / 2, 360);
    return Reduce((s.Azi_min + s.Azi_max) / 2, 360);
}

// Equal limits stand for the full circle of azimuth.
void SetAziWindow(ProgramState& s, double centre, double widthDeg) {
    const double w = std::min(widthDeg, 360.0);
    s.Azi_min = Reduce(centre - w / 2, 360);
    s.Azi_max = Reduce(s.Azi_min + w, 360);
}

double AziWidthForHeight(const ProgramState& s) { return (s.Hoehe_max - s.Hoehe_min) * FrameAspect(s); }

std::array<double, 11> RegionOf(const ProgramState& s) {
    return {s.Alpha_min, s.Alpha_max, s.Delta_min, s.Delta_max, s.Pol_min,  s.Pol_max,
            s.Pol_mitte, s.Hoehe_min, s.Hoehe_max, s.Azi_min,   s.Azi_max};
}

// ---------------------------------------------------------------------------
// The place a region is centred on

struct SkyTarget {
    double raHours = 0, decDeg = 0;
    double altDeg = 0, aziDeg = 0;  // azimuth from north through east
};

struct ObjectPlace {
    std::string name;
    SkyTarget at;
    bool known = false;  // the object has a position now
};

// The selected object now, computed apart from the object view's record.
ObjectPlace FindObject(Shell& sh) {
    ProgramState& s = sh.s;
    ObjectPlace o;
    o.name = s.Objekt;
    astronomy::BodyPosition pos;
    astronomy::SunDerived sun;
    astronomy::MessageList messages;
    const float mode = s.ChartMode;
    const astronomy::PositionStatus status = astronomy::ComputePosition(s, s.Objekt, pos, sun, messages);
    s.ChartMode = mode;
    ShowMessages(sh, messages);
    if (status == astronomy::PositionStatus::NoPosition)
        sh.win.dialogs().MessageBox("Die Position von " + s.Objekt + "|ist zu diesem Zeitpunkt nicht berechenbar.",
                                    " OK ", 1);
    if (status != astronomy::PositionStatus::Ok) return o;
    if (!pos.name.empty()) o.name = pos.name;
    o.at = {Reduce(pos.ra * 12 / kPi, 24), pos.dec / kDeg, pos.altitude / kDeg, Reduce(pos.azimuth / kDeg + 180, 360)};
    o.known = true;
    return o;
}

// Centres the region of the present chart on the place, keeping its size.
void CentreRegion(ProgramState& s, const SkyTarget& at) {
    const float m = s.ChartMode;
    if (m == kModeEquatorial) {
        const double half = (s.Delta_max - s.Delta_min) / 2;
        s.Delta_min = at.decDeg - half;
        s.Delta_max = at.decDeg + half;
        SetRaWindow(s, at.raHours, RaWidthForHeight(s));
    } else if (m == kModeHorizon) {
        const double half = (s.Hoehe_max - s.Hoehe_min) / 2;
        s.Hoehe_min = std::max(at.altDeg - half, 0.0);
        s.Hoehe_max = std::clamp(at.altDeg + half, 10.0, 90.0);
        SetAziWindow(s, at.aziDeg, AziWidthForHeight(s));
    } else if (m == kModeNorthPolar || m == kModeSouthPolar) {
        const double half = (s.Pol_max - s.Pol_min) / 2;
        s.Pol_min = at.decDeg - half;
        s.Pol_max = at.decDeg + half;
        s.Pol_mitte = Reduce(at.raHours, 24);
    }
}

// ---------------------------------------------------------------------------
// Prompt fields

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

double TypedNumber(const std::string& text) {
    return std::clamp(FieldValue(text, 1, ' '), -kLargestTyped, kLargestTyped);
}

// A number as a field offers it: at most four decimals, no trailing zeros.
std::string NumberText(double v) {
    if (!std::isfinite(v)) v = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string t = buf;
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

bool Cancelled(platform::Dialogs& d) {
    d.ClosePromptWindow();
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Region prompts

bool EquatorialRegionPrompt(Shell& sh) {
    ProgramState& s = sh.s;
    Mark(sh, std::string(kLayerItems) + "|Koordina", platform::kItemEnabled);
    const ObjectPlace obj = FindObject(sh);
    const SkyTarget at = obj.known ? obj.at : SkyTarget{RaCentre(s), (s.Delta_min + s.Delta_max) / 2};
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow(" Wahl des Ausschnittes ", 235);
    d.PromptPrint("(leere Felder -> " + obj.name + " in Mitte)");
    double low = s.Delta_min, high = s.Delta_max;
    bool centred = false;
    do {
        d.PromptPrint("untere Grenze in Deklination: ", false);
        std::string text = NumberText(low).substr(0, 7);
        if (!d.EditField(text, 10)) return Cancelled(d);
        centred = IsBlank(text);
        if (centred) {
            low = at.decDeg - 10;
            high = at.decDeg + 10;
            if (high > 90) low = 70, high = 90;
            if (low < -90) low = -90, high = -70;
        } else {
            low = TypedNumber(text);
            d.PromptPrint("obere Grenze in Deklination:  ", false);
            text = NumberText(high).substr(0, 7);
            if (!d.EditField(text, 10)) return Cancelled(d);
            if (!IsBlank(text)) high = TypedNumber(text);
        }
        // The limits are kept within 20 degrees beyond the poles; a pair
        // that this leaves without extent is asked for again.
        low = std::max(low, -110.0);
        high = std::min(high, 110.0);
    } while (!(high > low));

    double width = (high - low) / 15 * FrameAspect(s);
    double centre = at.raHours;
    if (!centred) {
        width = std::min(width, 24.0);
        d.PromptPrint("In R.A. können " + astronomy::FormatFixed(width, 5, 2) + " h dargestellt werden.");
        d.PromptPrint("Mittelpunkt in R.A.: ", false);
        std::string text = NumberText(RaCentre(s));
        if (!d.EditField(text, 10)) return Cancelled(d);
        if (!IsBlank(text)) centre = TypedNumber(text);
    }
    if (!LimitingMagnitudePrompt(sh)) return Cancelled(d);
    d.ClosePromptWindow();

    s.Delta_min = low;
    s.Delta_max = high;
    SetRaWindow(s, centre, width);
    s.ChartMode = kModeEquatorial;
    RedrawView(sh);
    Mark(sh, kLayerItems, platform::kItemPlain);
    Mark(sh, "Koordina", platform::kItemEnabled);  // the coordinate tool reads this chart
    return true;
}

bool PolarRegionPrompt(Shell& sh, bool southPolar) {
    ProgramState& s = sh.s;
    const ObjectPlace obj = FindObject(sh);
    const SkyTarget at = obj.known ? obj.at : SkyTarget{s.Pol_mitte, (s.Pol_min + s.Pol_max) / 2};
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow(" Wahl des Ausschnittes ", 235);
    d.PromptPrint("Deklination wird auf volle 5° gerundet !");
    d.PromptPrint("(leere Felder -> " + obj.name + " in Mitte)");
    double low = s.Pol_min, high = s.Pol_max;
    bool centred = false;
    do {
        d.PromptPrint("untere Grenze in °: ", false);
        std::string text = NumberText(low);
        if (!d.EditField(text, 10)) return Cancelled(d);
        centred = IsBlank(text);
        if (centred) {
            low = at.decDeg - 5;
            high = at.decDeg + 5;
            if (high > 90) low = 71, high = 89;
            if (low < -90) low = -89, high = -71;
        } else {
            low = std::clamp(TypedNumber(text), kPolarLowest, kPolarHighest);
            d.PromptPrint("Werte > 90° geben Vollkreise (z.B. 0..180)");
            d.PromptPrint("obere Grenze in °:  ", false);
            text = NumberText(high);
            if (!d.EditField(text, 10)) return Cancelled(d);
            if (!IsBlank(text)) high = std::clamp(TypedNumber(text), kPolarLowest, kPolarHighest);
            if (!(high > low)) high = 180 - low;
        }
        low = 5 * std::floor(low / 5);
        high = 5 * std::ceil(high / 5);
    } while (!(high > low));

    double middle = at.raHours;
    if (!centred) {
        d.PromptPrint("Eingabe wird auf 30 min gerundet !");
        d.PromptPrint("Mittelpunkt in h: ", false);
        std::string text = NumberText(s.Pol_mitte);
        if (!d.EditField(text, 10)) return Cancelled(d);
        if (!IsBlank(text)) middle = TypedNumber(text);
    }
    if (!LimitingMagnitudePrompt(sh)) return Cancelled(d);
    d.ClosePromptWindow();

    s.Pol_min = low;
    s.Pol_max = high;
    s.Pol_mitte = Reduce(std::floor(2 * middle + 0.5) * 0.5, 24);  // the nearest half hour
    s.ChartMode = southPolar ? kModeSouthPolar : kModeNorthPolar;
    RedrawView(sh);
    Mark(sh, "Objekt", platform::kItemPlain);
    Mark(sh, kLayerItems, platform::kItemEnabled);
    Mark(sh, "Koordina", platform::kItemEnabled);  // the coordinate tool reads this chart
    return true;
}

bool HorizonRegionPrompt(Shell& sh) {
    ProgramState& s = sh.s;
    Mark(sh, std::string(kLayerItems) + "|Koordina", platform::kItemEnabled);
    const ObjectPlace obj = FindObject(sh);
    const SkyTarget at = obj.known ? obj.at : SkyTarget{0, 0, (s.Hoehe_min + s.Hoehe_max) / 2, AziCentre(s)};
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("Wahl des Ausschnittes", 235);
    d.PromptPrint("(leere Felder -> " + obj.name + " in Mitte)");
    double low = s.Hoehe_min, high = s.Hoehe_max, centre = AziCentre(s);
    while (true) {
        d.PromptPrint("Karte bis obere Höhe (60°):", false);
        std::string text = astronomy::FormatFixed(high, 7, 2);
        if (!d.EditField(text, 10)) return Cancelled(d);
        if (IsBlank(text)) {
            high = std::max(at.altDeg + 10, 10.0);
            low = 0;
            centre = at.aziDeg;
        } else {
            high = std::fabs(TypedNumber(text));
            d.PromptPrint("Karte bis untere Höhe (0°):", false);
            text = astronomy::FormatFixed(low, 7, 2);
            if (!d.EditField(text, 10)) return Cancelled(d);
            if (!IsBlank(text)) low = std::fabs(TypedNumber(text));
            if (!(high > low)) continue;
            const double width = (high - low) * FrameAspect(s);
            d.PromptPrint("In Azimut können " + astronomy::FormatFixed(width, 5, 1) + "° dargestellt werden.");
            d.PromptPrint("Mittelpunkt für Nordazimut (O=90,S=180,W=270)");
            d.PromptPrint("('Return'=" + obj.name + " in Mitte):", false);
            text = NumberText(centre);
            if (!d.EditField(text, 10)) return Cancelled(d);
            centre = IsBlank(text) ? at.aziDeg : Reduce(TypedNumber(text), 360);
        }
        // The chart shows the sky above the horizon only.
        high = std::min(high, 90.0);
        low = std::max(low, 0.0);
        if (high > low) break;
    }
    if (!LimitingMagnitudePrompt(sh)) return Cancelled(d);
    d.ClosePromptWindow();

    s.Hoehe_min = low;
    s.Hoehe_max = high;
    SetAziWindow(s, centre, AziWidthForHeight(s));
    s.ChartMode = kModeHorizon;
    RedrawView(sh);
    return true;
}

// ---------------------------------------------------------------------------
// Moving, zooming, centring

namespace {

void Shift(double& low, double& high, double by) {
    low += by;
    high += by;
}

bool Sideways(PanDirection d) { return d == PanDirection::East || d == PanDirection::West; }

void PanEquatorial(ProgramState& s, PanDirection direction, double step) {
    double &low = s.Delta_min, &high = s.Delta_max;
    if (direction == PanDirection::North && high < 90) {
        if (high + step <= 90)
            Shift(low, high, step);
        else
            low = 90 - (high - low), high = 90;
    } else if (direction == PanDirection::South && low - step > -90) {
        Shift(low, high, -step);
    } else if (Sideways(direction)) {
        const double hours = (direction == PanDirection::East ? step : -step) / 15;
        s.Alpha_min = Reduce(s.Alpha_min + hours, 24);
        s.Alpha_max = Reduce(s.Alpha_max + hours, 24);
    }
}

void PanHorizon(ProgramState& s, PanDirection direction, double step) {
    double &low = s.Hoehe_min, &high = s.Hoehe_max;
    if (direction == PanDirection::North) {
        if (high + step <= 90)
            Shift(low, high, step);
        else if (high != 90)
            low = 90 - (high - low), high = 90;
    } else if (direction == PanDirection::South) {
        if (low - step >= 0)
            Shift(low, high, -step);
        else if (low != 0)
            high -= low, low = 0;
    } else {
        const double degrees = direction == PanDirection::East ? -step : step;
        s.Azi_min = Reduce(s.Azi_min + degrees, 360);
        s.Azi_max = Reduce(s.Azi_max + degrees, 360);
    }
}

void PanPolar(ProgramState& s, PanDirection direction, double step) {
    if (direction == PanDirection::North) {
        if (s.Pol_max + step < 270) Shift(s.Pol_min, s.Pol_max, step);
    } else if (direction == PanDirection::South) {
        if (s.Pol_min - step > -90) Shift(s.Pol_min, s.Pol_max, -step);
    } else {
        const double hours = (direction == PanDirection::East ? step : -step) / 15;
        s.Pol_mitte = Reduce(std::floor(2 * (s.Pol_mitte + hours) + 0.5) * 0.5, 24);  // whole half hours
    }
}

}  // namespace

bool PanChart(Shell& sh, PanDirection direction) {
    ProgramState& s = sh.s;
    const std::array<double, 11> before = RegionOf(s);
    const float m = s.ChartMode;
    if (m == kModeEquatorial)
        PanEquatorial(s, direction, 0.3 * (s.Delta_max - s.Delta_min));
    else if (m == kModeHorizon)
        PanHorizon(s, direction, 0.3 * (s.Hoehe_max - s.Hoehe_min));
    else if (m == kModeNorthPolar)
        PanPolar(s, direction, 0.3 * (s.Pol_max - s.Pol_min));
    else
        return false;
    if (RegionOf(s) == before) return false;  // a limit was reached: nothing moves
    RedrawView(sh);
    return true;
}

bool ZoomChart(Shell& sh, double factor, bool redraw) {
    ProgramState& s = sh.s;
    if (!(factor > 0) || !std::isfinite(factor)) return false;
    const float m = s.ChartMode;
    if (m == kModeEquatorial) {
        const double c = (s.Delta_max + s.Delta_min) / 2, half = (s.Delta_max - c) / factor;
        s.Delta_max = c + half;
        s.Delta_min = c - half;
        if (s.Delta_max > 90 && s.Delta_min < -90) {  // beyond both poles: the whole sphere
            s.Delta_min = -90;
            s.Delta_max = 90;
            s.Alpha_min = 0;
            s.Alpha_max = 24;
        } else {
            SetRaWindow(s, RaCentre(s), RaWidthForHeight(s));
        }
    } else if (m == kModeHorizon) {
        const double c = (s.Hoehe_max + s.Hoehe_min) / 2, half = (s.Hoehe_max - c) / factor;
        s.Hoehe_max = std::min(c + half, 90.0);
        s.Hoehe_min = std::max(c - half, 0.0);
        SetAziWindow(s, AziCentre(s), AziWidthForHeight(s));
    } else if (m == kModeNorthPolar) {
        const double c = (s.Pol_max + s.Pol_min) / 2, half = (s.Pol_max - c) / factor;
        s.Pol_max = std::min(c + half, 240.0);
        s.Pol_min = std::max(c - half, -60.0);
    } else {
        return false;
    }
    if (redraw) RedrawView(sh);
    return true;
}

bool CentreChart(Shell& sh) {
    const float m = sh.s.ChartMode;
    if (m != kModeEquatorial && m != kModeHorizon && m != kModeNorthPolar) return false;
    const ObjectPlace obj = FindObject(sh);
    if (!obj.known) return false;
    CentreRegion(sh.s, obj.at);
    RedrawView(sh);
    return true;
}

// ---------------------------------------------------------------------------
// The mouse

namespace {

// The last chart drawn is the one on the screen, at the window's size, and
// no pass is running.
bool ChartOnScreen(const Shell& sh) {
    const ProgramState& s = sh.s;
    const float m = s.ChartMode;
    return !sh.drawingChart && !sh.help.open && !sh.aboutOpen && s.RedrawSuppressed == 0 && s.PrintingFlag == 0 &&
           (m == kModeWholeSky || IsFramed(m)) &&
           sh.chart.mode == m && sh.chart.xMax == s.x_max && sh.chart.yMax == s.y_max;
}

// Where the pointer reads the sky: the frame of the rectangular charts, the
// drawing area above the legend strip on the others.
bool OverChart(const ProgramState& s, int x, int y) {
    if (IsRectangular(s.ChartMode)) return Inside(x, y, 49, 24, s.x_max - 37, s.y_max - 56);
    return Inside(x, y, 0, 0, s.x_max, s.y_max - 56);
}

void PointerReadout(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    SkyPoint p;  // no value
    bool crosshair = false;
    if (OverChart(s, x, y)) {
        p = charts::PointToSky(sh.chart, x, y);
        // Inside the frame of a rectangular chart the crosshair shows even
        // where the horizon chart has no sky (above or below its limits).
        crosshair = IsRectangular(s.ChartMode) || !charts::IsNoValue(p);
    }
    sh.win.SetPointer(crosshair ? platform::PointerShape::Crosshair : platform::PointerShape::Normal);
    const bool values = !charts::IsNoValue(p);
    if (!values && !sh.readoutShown) return;  // the box is empty already
    charts::ShowPointerReadout(sh.canvas(), s, p);
    sh.readoutShown = values;
    sh.win.Update();
}

// ---- the zoom rectangle

void DrawBand(Shell& sh) {
    const Shell::RubberBand& b = sh.band;
    platform::Canvas& c = sh.canvas();
    c.SetRasterOp(charts::OverlayRasterOp(sh.s));
    c.SetPen(Rgb(sh.s.ContrastColour));  // inverts the pixels under it
    c.SetLineWidth(1);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.Box(b.x1, b.y1, b.x2, b.y2);
    c.SetRasterOp(platform::RasterOp::Copy);
    sh.win.Update();
}

// Moves the drawn rectangle to the new corners (drawn twice, the old one
// vanishes).
void SetBand(Shell& sh, int x1, int y1, int x2, int y2) {
    Shell::RubberBand& b = sh.band;
    if (b.drawn) DrawBand(sh);
    b.x1 = x1, b.y1 = y1, b.x2 = x2, b.y2 = y2;
    b.drawn = x2 > x1 && y2 > y1;
    if (b.drawn) DrawBand(sh);
}

void DropBand(Shell& sh) {
    if (sh.band.drawn) DrawBand(sh);
    sh.band = Shell::RubberBand{};
}

// The rectangle from the anchor towards the pointer, in the frame's ratio
// and inside the frame: an edge that would leave it is pulled back and the
// other side follows.
void PullBand(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    const Shell::RubberBand& b = sh.band;
    const bool leftwards = x < b.anchorX, upwards = y < b.anchorY;
    const double maxWidth = leftwards ? b.anchorX - kBandLeft : charts::FrameRight(s.x_max) - b.anchorX;
    const double maxHeight = upwards ? b.anchorY - charts::kFrameTop : charts::FrameBottom(s.y_max) - b.anchorY;
    double width = std::clamp(static_cast<double>(std::abs(x - b.anchorX)), 0.0, std::max(maxWidth, 0.0));
    double height = width / kBandRatio;
    if (height > maxHeight) {
        height = std::max(maxHeight, 0.0);
        width = height * kBandRatio;
    }
    const int w = static_cast<int>(std::lround(width)), h = static_cast<int>(std::lround(height));
    const int x1 = leftwards ? b.anchorX - w : b.anchorX, y1 = upwards ? b.anchorY - h : b.anchorY;
    SetBand(sh, x1, y1, x1 + w, y1 + h);
}

void MoveBand(Shell& sh, int x, int y) {
    const ProgramState& s = sh.s;
    const Shell::RubberBand& b = sh.band;
    const int w = b.x2 - b.x1, h = b.y2 - b.y1;
    const int x1 = std::max(std::min(x - b.grabX, charts::FrameRight(s.x_max) - w), kBandLeft);
    const int y1 = std::max(std::min(y - b.grabY, charts::FrameBottom(s.y_max) - h), charts::kFrameTop);
    SetBand(sh, x1, y1, x1 + w, y1 + h);
}

void FinishBand(Shell& sh) {
    Shell::RubberBand& b = sh.band;
    if (b.x2 - b.x1 > kBandMinWidth && b.y2 - b.y1 > kBandMinHeight)
        b.stage = Shell::RubberBand::Stage::Finished;
    else
        DropBand(sh);
}

// The region becomes the sky inside the rectangle, read through the
// geometry of the chart it was drawn on.
void ZoomIntoBand(Shell& sh) {
    ProgramState& s = sh.s;
    const charts::ChartGeometry& g = sh.chart;
    const Shell::RubberBand b = sh.band;
    sh.band = Shell::RubberBand{};  // the redraw below replaces the picture it stands on
    if (!(g.k > 0)) return;
    if (g.mode == kModeEquatorial) {
        s.Alpha_max = Reduce((g.xr - b.x1) / g.k / 15, 24);
        s.Alpha_min = Reduce((g.xr - b.x2) / g.k / 15, 24);
        s.Delta_max = (g.yr - b.y1) / g.k;
        s.Delta_min = (g.yr - b.y2) / g.k;
    } else {
        const double bottom = charts::FrameBottom(g.yMax);
        s.Azi_min = Reduce((b.x1 - charts::kHorizonFrameLeft) / g.k + g.aziMin, 360);
        s.Azi_max = Reduce((b.x2 - charts::kHorizonFrameLeft) / g.k + g.aziMin, 360);
        s.Hoehe_max = std::min(g.altMin - (b.y1 - bottom) / g.k, 90.0);
        s.Hoehe_min = std::max(g.altMin - (b.y2 - bottom) / g.k, 0.0);
    }
    RedrawView(sh);
    sh.win.Pause(kClickPauseMs);
}

// True when the rectangle took the event.
bool BandMouse(Shell& sh, int x, int y, int buttons, int down, int up) {
    using Stage = Shell::RubberBand::Stage;
    Shell::RubberBand& b = sh.band;
    switch (b.stage) {
        case Stage::None:
            return false;
        case Stage::Dragging:
            if (buttons & platform::kMouseLeft) PullBand(sh, x, y);
            if (up & platform::kMouseLeft) FinishBand(sh);
            return true;
        case Stage::Moving:
            if (buttons & platform::kMouseLeft) MoveBand(sh, x, y);
            if (up & platform::kMouseLeft) b.stage = Stage::Finished;
            return true;
        case Stage::Finished:
            if (!(down & platform::kMouseLeft)) return false;  // moves keep the readout going
            if (Inside(x, y, b.x1, b.y1, b.x2, b.y2)) {
                b.stage = Stage::Moving;
                b.grabX = x - b.x1;
                b.grabY = y - b.y1;
            } else {
                ZoomIntoBand(sh);
            }
            return true;
    }
    return false;
}

// ---- the "Koordinaten" readout

double AngularDistance(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    const double d1 = dec1Deg * kDeg, d2 = dec2Deg * kDeg;
    const double sd = std::sin((d2 - d1) / 2), sa = std::sin((ra2Hours - ra1Hours) * 15 * kDeg / 2);
    const double h = sd * sd + std::cos(d1) * std::cos(d2) * sa * sa;
    return 2 * std::asin(std::min(1.0, std::sqrt(h))) / kDeg;
}

void DrawCoordinateBox(Shell& sh) {
    const ProgramState& s = sh.s;
    const Shell::CoordinateReadout& t = sh.coordinates;
    platform::Canvas& c = sh.canvas();
    const platform::Colour background = Rgb(s.BackgroundColour), text = Rgb(s.ForegroundColour);
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetLineWidth(1);
    c.SetLineStyle(platform::LineStyle::Solid);
    c.SetFont(platform::FontRole::Value);
    const int line = c.TextHeight() + 2;
    const int right = c.TextWidth("δ= +90° 00' 00\"") + 24;
    c.SetPen(text);
    c.SetBrush(background);
    c.FillBox(1, 1, right, 8 + 4 * line);
    c.SetTextBackground(background, true);
    c.SetFont(platform::FontRole::Label);
    c.Text(6, 4, "Koordinaten");
    auto row = [&](int n, platform::FontRole labelRole, const std::string& label, const std::string& value) {
        const int y = 4 + (n - 1) * line;
        c.SetFont(labelRole);
        c.Text(6, y, label);
        const int x = 6 + c.TextWidth(label);
        c.SetFont(platform::FontRole::Value);
        c.Text(x, y, value);
    };
    if (t.clicks >= 1) {
        row(2, platform::FontRole::Symbol, "\u03b1=", astronomy::FormatHms(t.alpha));
        row(3, platform::FontRole::Symbol, "\u03b4=", astronomy::FormatAngleDms(t.delta));
    }
    if (t.clicks >= 2) row(4, platform::FontRole::Label, "d=", astronomy::FormatFixed(t.distance, 1, 4) + "°");
    c.SetTextBackground(background, false);
    sh.win.Update();
}

void CoordinateClick(Shell& sh, int x, int y) {
    if (!OverChart(sh.s, x, y)) return;
    const SkyPoint p = charts::PointToSky(sh.chart, x, y);
    if (charts::IsNoValue(p)) return;
    Shell::CoordinateReadout& t = sh.coordinates;
    if (t.clicks >= 1) t.distance = AngularDistance(t.alpha, t.delta, p.alpha, p.delta);
    t.clicks = std::min(t.clicks + 1, 2);
    t.alpha = p.alpha;
    t.delta = p.delta;
    DrawCoordinateBox(sh);
}

void CloseCoordinateTool(Shell& sh) {
    sh.coordinates = Shell::CoordinateReadout{};
    RedrawView(sh);  // the chart again where the box stood
}

// ---- clicks

// The program's own addition to the right button: a right click (pressed
// and released while no pass runs) centres the region on the sky under the
// pointer and keeps its size; the equatorial, horizon and both polar charts.
void RecentreOnPointer(Shell& sh, int x, int y) {
    ProgramState& s = sh.s;
    if (!IsFramed(s.ChartMode) || !OverChart(s, x, y)) return;
    const SkyPoint p = charts::PointToSky(sh.chart, x, y);
    if (charts::IsNoValue(p)) return;
    CentreRegion(s, {p.alpha, p.delta, p.altitude, p.azimuth});
    RedrawView(sh);
    sh.win.Pause(kClickPauseMs);
}

// A left press on a chart: the zoom and arrow buttons, the legend of the
// deep-sky classes, or the start of a zoom rectangle.
void LeftClick(Shell& sh, int x, int y) {
    ProgramState& s = sh.s;
    const float m = s.ChartMode;
    if (!IsFramed(m)) return;
    const double c = s.y_max / 2.0;
    const int bottom = s.y_max;
    bool acted = false;
    if (Inside(x, y, 1, bottom - kButtonHeight - 1, kButtonWidth, bottom))
        acted = ZoomChart(sh, 1 / s.ZoomStep);  // "Mooz"
    else if (Inside(x, y, 1, bottom - 2 * kButtonHeight - 1, kButtonWidth, bottom - kButtonHeight))
        acted = ZoomChart(sh, s.ZoomStep);  // "Zoom"
    else if (Inside(x, y, 1, c - 46, kArrowSize, c - 30))
        acted = PanChart(sh, PanDirection::North);
    else if (Inside(x, y, 1, c - 31, kArrowSize, c - 15))
        acted = PanChart(sh, PanDirection::East);
    else if (Inside(x, y, 1, c - 16, kArrowSize, c))
        acted = PanChart(sh, PanDirection::West);
    else if (Inside(x, y, 1, c - 1, kArrowSize, c + 15))
        acted = PanChart(sh, PanDirection::South);
    else if (const int type = charts::DeepSkyClassAt(s, x, y); type != 0) {
        charts::ToggleDeepSkyClass(sh.canvas(), s, sh.chart, sh.chartData, type);
        sh.win.Update();
        acted = true;
    } else if (IsRectangular(m) && Inside(x, y, 49, 23, s.x_max - 37, s.y_max - 57)) {
        sh.band = Shell::RubberBand{};
        sh.band.stage = Shell::RubberBand::Stage::Dragging;
        sh.band.anchorX = x;
        sh.band.anchorY = y;
        return;
    }
    if (acted) sh.win.Pause(kClickPauseMs);
}

void RightPress(Shell& sh) {
    if (sh.band.stage != Shell::RubberBand::Stage::None) {
        DropBand(sh);
    } else if (sh.coordinates.open) {
        CloseCoordinateTool(sh);
    } else {
        sh.rightClickArmed = true;  // acts on the release
    }
}

}  // namespace

void ChartMouse(Shell& sh, int x, int y, int buttons, bool pressed) {
    const int before = sh.mouseButtons;
    sh.mouseButtons = buttons;
    if (!ChartOnScreen(sh)) {
        sh.rightClickArmed = false;
        if (!sh.drawingChart) sh.win.SetPointer(platform::PointerShape::Normal);
        return;
    }
    int down = pressed ? buttons & ~before : 0;
    if (pressed && down == 0) down = buttons;  // a release that never arrived: take the press as new
    const int up = before & ~buttons;

    if (down & platform::kMouseRight) {
        RightPress(sh);
        return;
    }
    if (up & platform::kMouseRight) {
        if (sh.rightClickArmed) {
            sh.rightClickArmed = false;
            RecentreOnPointer(sh, x, y);
        }
        return;
    }
    if (sh.coordinates.open && (down & platform::kMouseLeft)) {
        CoordinateClick(sh, x, y);
        return;
    }
    if (BandMouse(sh, x, y, buttons, down, up)) return;
    if (down & platform::kMouseLeft) {
        LeftClick(sh, x, y);
        return;
    }
    if (buttons == 0) PointerReadout(sh, x, y);
}

void ToggleLayer(Shell& sh, int layer) {
    ProgramState& s = sh.s;
    const bool chartShown = s.ChartMode == kModeWholeSky || IsFramed(s.ChartMode);
    // Drawn once more, the layer vanishes only from the picture it was drawn
    // on: after the instant has moved (real time) or when the chart is not on
    // the screen, the whole chart is drawn anew.
    const bool sameInstant = sh.chartJ == s.J && sh.chartF == s.F;
    if (chartShown && layer != charts::kLayerTrack && (!ChartOnScreen(sh) || !sameInstant)) {
        s.DisplayFlags ^= 1 << layer;
        RedrawView(sh);
        return;
    }
    if (layer != charts::kLayerTrack && ChartOnScreen(sh)) {
        charts::DrawLayer(sh.canvas(), s, sh.chart, sh.chartData, layer, s.Objekt);
        RedrawCoordinateTool(sh);  // the box stays opaque over the layer
        sh.win.Update();
    }
    s.DisplayFlags ^= 1 << layer;
    if ((s.DisplayFlags & (1 << layer)) != 0) return;
    const bool systemView = s.ChartMode == 12.0f;
    if (layer == charts::kLayerMessier ||
        (systemView && (layer == charts::kLayerEcliptic || layer == charts::kLayerBodies)))
        RedrawView(sh);
}

// "Koordinaten" opens a readout box at the top left of the chart and
// returns at once; from then on every left click on the chart writes its
// right ascension and declination there, and from the second click on the
// angular distance "d=" between the last two clicks, in degrees. The right
// button closes the box and the chart is drawn again where it stood. While
// it is open, left clicks belong to it alone (no buttons, no legend, no
// zoom rectangle); a redraw of the chart draws the box again.
void CoordinateTool(Shell& sh) {
    if (!IsFramed(sh.s.ChartMode) || !ChartOnScreen(sh)) return;
    DropBand(sh);
    sh.coordinates = Shell::CoordinateReadout{};
    sh.coordinates.open = true;
    DrawCoordinateBox(sh);
}

void RedrawCoordinateTool(Shell& sh) {
    if (!sh.coordinates.open || sh.s.PrintingFlag != 0) return;
    if (!IsFramed(sh.s.ChartMode)) {
        sh.coordinates = Shell::CoordinateReadout{};
        return;
    }
    DrawCoordinateBox(sh);
}

}  // namespace shell

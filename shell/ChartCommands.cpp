// The chart commands: moving, zooming and centring the region, the layers
// and the "Koordinaten" readout.
#include "shell/ChartCommands.h"

#include <algorithm>
#include <cmath>

#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "charts/Layers.h"
#include "charts/Projection.h"
#include "charts/Readout.h"
#include "charts/SystemProjection.h"
#include "shell/Messages.h"
#include "shell/Mouse.h"
#include "shell/View.h"

namespace shell {

namespace {

using astronomy::kDegToRad;
using astronomy::ProgramState;
using astronomy::Reduce;
using astronomy::View;
using platform::ColourFromRgb;

double AngularDistance(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    const double d1 = dec1Deg * kDegToRad, d2 = dec2Deg * kDegToRad;
    const double sd = std::sin((d2 - d1) / 2), sa = std::sin((ra2Hours - ra1Hours) * 15 * kDegToRad / 2);
    const double h = sd * sd + std::cos(d1) * std::cos(d2) * sa * sa;
    return 2 * std::asin(std::min(1.0, std::sqrt(h))) / kDegToRad;
}

void DrawCoordinateBox(Shell& sh) {
    const ProgramState& s = sh.s;
    const Shell::CoordinateReadout& t = sh.coordinates;
    platform::Canvas& c = sh.canvas();
    const platform::Colour background = ColourFromRgb(s.BackgroundColour), text = ColourFromRgb(s.ForegroundColour);
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

// The new region stored and the chart drawn anew, when it changed.
bool ApplyRegion(Shell& sh, const std::optional<charts::ChartRegion>& region, bool redraw = true) {
    if (!region) return false;
    StoreRegion(sh.s, *region);
    if (redraw) RedrawView(sh);
    return true;
}

}  // namespace

double FrameAspect(const ProgramState& s) { return charts::LayoutFor(s.x_max, s.y_max).FrameAspect(); }

ObjectPlace FindObject(Shell& sh) {
    const ProgramState& s = sh.s;
    ObjectPlace o;
    o.name = std::string(astronomy::ObjectName(s.Objekt));
    const astronomy::Target target = astronomy::TargetOf(s, s.Objekt);
    const astronomy::PositionResult r = astronomy::ComputePosition(astronomy::ObservationOf(s), target);
    if (r.status != astronomy::PositionStatus::Ok) {
        ShowMessages(sh.win.dialogs(), {PositionMessage(r.status, target, o.name)});
        return o;
    }
    const astronomy::BodyPosition& pos = r.body;
    if (!pos.name.empty()) o.name = pos.name;
    o.at = {Reduce(pos.ra * 12 / astronomy::kPi, 24), pos.dec / kDegToRad, pos.altitude / kDegToRad,
            Reduce(pos.azimuth / kDegToRad + 180, 360)};
    o.known = true;
    return o;
}

void StoreRegion(ProgramState& s, const charts::ChartRegion& r) {
    s.Alpha_min = r.Alpha_min, s.Alpha_max = r.Alpha_max, s.Delta_min = r.Delta_min, s.Delta_max = r.Delta_max;
    s.Pol_min = r.Pol_min, s.Pol_max = r.Pol_max, s.Pol_mitte = r.Pol_mitte;
    s.Hoehe_min = r.Hoehe_min, s.Hoehe_max = r.Hoehe_max, s.Azi_min = r.Azi_min, s.Azi_max = r.Azi_max;
}

namespace {

// The solar-system view seen from the new point, when it moved.
bool MoveViewPoint(Shell& sh, const charts::ViewPoint& next, bool redraw = true) {
    if (next == charts::ViewPointOf(sh.s)) return false;
    sh.s.View_lambda = next.lambda;
    sh.s.View_beta = next.beta;
    sh.s.View_rs = next.rs;
    if (redraw) RedrawView(sh);
    return true;
}

}  // namespace

bool PanChart(Shell& sh, charts::PanDirection direction) {
    if (sh.s.ChartMode == View::System)
        return MoveViewPoint(sh, charts::PannedViewPoint(charts::ViewPointOf(sh.s), direction));
    const charts::ChartRegion before = charts::RegionOf(sh.s);
    const std::optional<charts::ChartRegion> after = charts::Panned(before, sh.s.ChartMode, direction);
    if (!after || *after == before) return false;  // no moving here, or a limit was reached
    return ApplyRegion(sh, after);
}

bool ZoomChart(Shell& sh, double factor, bool redraw) {
    if (sh.s.ChartMode == View::System)
        return MoveViewPoint(sh, charts::ZoomedViewPoint(charts::ViewPointOf(sh.s), factor), redraw);
    return ApplyRegion(sh, charts::Zoomed(charts::RegionOf(sh.s), sh.s.ChartMode, factor, FrameAspect(sh.s)), redraw);
}

bool CentreChart(Shell& sh) {
    const View m = sh.s.ChartMode;
    if (m != View::Equatorial && m != View::Horizon && m != View::NorthPolar) return false;
    const ObjectPlace obj = FindObject(sh);
    if (!obj.known) return false;
    CentreChartOn(sh, obj.at);
    return true;
}

void CentreChartOn(Shell& sh, const charts::SkyTarget& at) {
    ApplyRegion(sh, charts::CentredOn(charts::RegionOf(sh.s), sh.s.ChartMode, at, FrameAspect(sh.s)));
}

void ToggleLayer(Shell& sh, int layer) {
    ProgramState& s = sh.s;
    // The solar-system view draws its layers by copying: it is drawn anew.
    if (s.ChartMode == View::System) {
        s.DisplayFlags ^= 1 << layer;
        RedrawView(sh);
        return;
    }
    const bool chartShown = astronomy::IsSkyChart(s.ChartMode);
    // Drawn once more, the layer vanishes only from the picture it was drawn
    // on: after the instant has moved (real time) or when the chart is not on
    // the screen, the whole chart is drawn anew.
    const bool sameInstant = sh.chartJ == s.J && sh.chartF == s.F;
    if (chartShown && (!ChartOnScreen(sh) || !sameInstant)) {
        s.DisplayFlags ^= 1 << layer;
        RedrawView(sh);
        return;
    }
    if (ChartOnScreen(sh)) {
        charts::DrawLayer(sh.canvas(), s, sh.chart, sh.chartData, layer, s.Objekt);
        RedrawCoordinateTool(sh);  // the box stays opaque over the layer
        sh.win.Update();
    }
    s.DisplayFlags ^= 1 << layer;
    if ((s.DisplayFlags & (1 << layer)) != 0) return;
    if (layer == charts::kLayerMessier || layer == charts::kLayerTrack) RedrawView(sh);
}

bool OverChart(const ProgramState& s, int x, int y) {
    const charts::ChartLayout layout = charts::LayoutFor(s.x_max, s.y_max);
    return (astronomy::IsRectangularChart(s.ChartMode) ? layout.readArea : layout.openReadArea).ContainsStrictly(x, y);
}

// "Koordinaten" opens a readout box at the top left of the chart and
// returns at once; from then on every left click on the chart writes its
// right ascension and declination there, and from the second click on the
// angular distance "d=" between the last two clicks, in degrees. The right
// button closes the box and the chart is drawn again where it stood. While
// it is open, left clicks belong to it alone (no buttons, no legend, no
// zoom rectangle); a redraw of the chart draws the box again.
void CoordinateTool(Shell& sh) {
    if (!astronomy::IsFramedChart(sh.s.ChartMode) || !ChartOnScreen(sh)) return;
    DropBand(sh);
    sh.coordinates = Shell::CoordinateReadout{};
    sh.coordinates.open = true;
    DrawCoordinateBox(sh);
}

void CoordinateClick(Shell& sh, int x, int y) {
    if (!OverChart(sh.s, x, y)) return;
    const charts::SkyPoint p = charts::PointToSky(sh.chart, x, y);
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

void RedrawCoordinateTool(Shell& sh) {
    if (!sh.coordinates.open || sh.s.PrintingFlag != 0) return;
    if (!astronomy::IsFramedChart(sh.s.ChartMode)) {
        sh.coordinates = Shell::CoordinateReadout{};
        return;
    }
    DrawCoordinateBox(sh);
}

}  // namespace shell

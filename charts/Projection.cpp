// The chart set-ups, the projections and the sky under a pixel.
#include "charts/Projection.h"

#include <algorithm>
#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Numbers.h"

namespace charts {

using astronomy::kDegToRad;
using astronomy::kPi;
using astronomy::kTwoPi;
using astronomy::Reduce;
using astronomy::View;

namespace {


// Nearest whole pixel; points far off the chart stay far off without
// overflowing the integer.
int Pixel(double v) {
    if (!std::isfinite(v)) return -1000000;
    return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
}

// Scale from a span of pixels over a span of degrees; 0 when the span is
// empty or reversed.
double Scale(double pixels, double degrees) {
    const double k = pixels / degrees;
    return degrees > 0 && std::isfinite(k) ? k : 0;
}

void CommonSetUp(ChartGeometry& g, const astronomy::ProgramState& s) {
    g.xMax = s.x_max;
    g.yMax = s.y_max;
    g.sinLat = s.SinLat;
    g.cosLat = s.CosLat;
    g.lst = s.tq.LST;
}

}  // namespace

ChartGeometry SetUpWholeSky(const astronomy::ProgramState& s) {
    ChartGeometry g;
    CommonSetUp(g, s);
    g.mode = View::WholeSky;
    g.cx = s.ChartCentreX;
    g.cy = s.ChartCentreY;
    g.radius = s.ChartRadius;
    return g;
}

ChartGeometry SetUpEquatorial(const astronomy::ProgramState& s) {
    ChartGeometry g;
    CommonSetUp(g, s);
    g.mode = View::Equatorial;
    const ChartLayout layout = LayoutFor(s.x_max, s.y_max);
    g.alphaMin = Reduce(s.Alpha_min, 24);
    g.deltaMin = s.Delta_min;
    g.deltaMax = s.Delta_max;
    double w = s.Alpha_max - g.alphaMin;
    if (s.Alpha_max < g.alphaMin) w += 24;
    // The region spans one pixel less than the frame is wide.
    const double ky = Scale(layout.FrameHeight(), g.deltaMax - g.deltaMin);
    const double kx = Scale(layout.FrameWidth() - 1, w * 15);
    g.k = std::max(ky, kx);
    if (g.k <= 0) g.k = Scale(layout.FrameHeight(), 180);  // a region without extent: the whole height
    if (g.k <= 0) g.k = 1;
    g.alphaMax = Reduce(s.Alpha_max, 24);
    if (g.alphaMax == 0) g.alphaMax = 24;
    g.raMinPx = g.alphaMin * 15 * g.k;
    g.raMaxPx = g.alphaMax * 15 * g.k;
    g.decMinPx = g.deltaMin * g.k;
    g.decMaxPx = g.deltaMax * g.k;
    g.xr = g.alphaMin * 15 * g.k + layout.frame.right;
    g.yr = g.deltaMin * g.k + layout.frame.bottom;
    return g;
}

ChartGeometry SetUpHorizon(const astronomy::ProgramState& s) {
    ChartGeometry g;
    CommonSetUp(g, s);
    g.mode = View::Horizon;
    const ChartLayout layout = LayoutFor(s.x_max, s.y_max);
    g.aziMin = Reduce(s.Azi_min, 360);
    g.aziMax = Reduce(s.Azi_max, 360);
    g.frameLeft = layout.horizonFrame.left;
    g.frameBottom = layout.frame.bottom;
    g.altMin = s.Hoehe_min;
    g.altMax = s.Hoehe_max;
    const double ky = Scale(layout.FrameHeight(), g.altMax - g.altMin);
    double span = g.aziMax - g.aziMin;
    if (span <= 0) span += 360;  // a window through north
    const double kx = Scale(layout.FrameWidth() - 1, span);
    g.k = std::max(ky, kx);
    if (g.k <= 0) g.k = 1;
    return g;
}

double PolarRadius(double k, double sign, double delta) {
    if (delta <= kPi / 2) return 90 * k * std::tan((sign * kPi / 2 - delta) / 2);
    return -90 * k * std::tan((delta - kPi / 2) / 2);
}

ChartGeometry SetUpPolar(const astronomy::ProgramState& s) {
    ChartGeometry g;
    CommonSetUp(g, s);
    g.mode = s.ChartMode == View::SouthPolar ? View::SouthPolar : View::NorthPolar;
    g.sign = g.mode == View::NorthPolar ? 1 : -1;
    // The south chart is the north chart of the mirrored sky: declinations
    // change sign, the outer limit is the one farther from the pole, and
    // Pol_mitte points up instead of down. Limits stored as southern
    // declinations (-60 ... -120) are mirrored; limits of the northern form
    // (the default 60 ... 120, shared with the north chart) show the same
    // region about the south pole.
    double outerDeg = s.Pol_min, innerDeg = s.Pol_max;
    if (g.sign < 0) {
        const double mirror = s.Pol_min + s.Pol_max < 0 ? -1 : 1;
        outerDeg = std::min(mirror * s.Pol_min, mirror * s.Pol_max);
        innerDeg = std::max(mirror * s.Pol_min, mirror * s.Pol_max);
    }
    const double outer = PolarRadius(1, 1, outerDeg * kDegToRad);
    const double inner = PolarRadius(1, 1, innerDeg * kDegToRad);
    g.rA = outer;
    g.rB = inner;
    const int cy = s.ChartCentreY;
    g.k = (2.0 * cy - 100) / (outer - inner);
    // A region that holds the pole is a whole disc: in a window taller than
    // wide it fits the width too, with room for the hour labels beside it.
    constexpr double kSideRoom = 50;
    if (inner <= 0 && outer > 0 && s.x_max / 2.0 > kSideRoom)
        g.k = std::min(g.k, (s.x_max / 2.0 - kSideRoom) / outer);
    if (!std::isfinite(g.k) || g.k <= 0) g.k = 1;
    g.x0 = Pixel(s.x_max / 2.0);
    // The outer circle touches y = 2 cy - 75 below the pole (north) or
    // y = 25 above it (south).
    g.y0 = g.sign > 0 ? Pixel(2.0 * cy - 75 - g.rA * g.k) : Pixel(25 + g.rA * g.k);
    g.alpha0 = s.Pol_mitte * kPi / 12;
    g.polMin = outerDeg;
    g.polMax = innerDeg;
    return g;
}

ChartGeometry SetUpChart(const astronomy::ProgramState& s) {
    const View m = s.ChartMode;
    if (m == View::Equatorial) return SetUpEquatorial(s);
    if (m == View::Horizon) return SetUpHorizon(s);
    if (astronomy::IsPolarChart(m)) return SetUpPolar(s);
    return SetUpWholeSky(s);
}

double FirstAngle(const ChartGeometry& g, double rightAscension) {
    if (!std::isfinite(rightAscension)) return rightAscension;  // no place: projected nowhere
    if (g.mode == View::WholeSky || g.mode == View::Horizon) return Reduce(g.lst * kPi / 12 - rightAscension, kTwoPi);
    return rightAscension;
}

ProjectionResult ProjectPoint(const ChartGeometry& g, double first, double second, bool rightButtonHeld) {
    ProjectionResult p;
    const View m = g.mode;
    if (m == View::WholeSky) {
        const astronomy::Horizontal hz = astronomy::EquatorialToHorizontal(first, second, g.sinLat, g.cosLat);
        if (hz.altitude > -20 * kDegToRad) {
            const double r = g.radius * (1 - 2 * hz.altitude / kPi);
            p.x = Pixel(g.cx + r * std::sin(hz.azimuth));
            p.y = Pixel(g.cy + r * std::cos(hz.azimuth));
            p.visible = hz.altitude >= 0;
        }
    } else if (m == View::Horizon) {
        const astronomy::Horizontal hz = astronomy::EquatorialToHorizontal(first, second, g.sinLat, g.cosLat);
        if (hz.altitude > (g.altMin - 20) * kDegToRad) {
            const double h = hz.altitude / kDegToRad;
            double a = Reduce(hz.azimuth / kDegToRad + 180, 360);
            const bool inAltitude = g.altMin < h && h < g.altMax;
            if (g.aziMin < g.aziMax) {
                p.visible = g.aziMin < a && a < g.aziMax && inAltitude;
            } else {
                p.visible = (a < g.aziMax || a > g.aziMin) && inAltitude;
                if (a < g.aziMin) a += 360;
            }
            p.x = Pixel((a - g.aziMin) * g.k + g.frameLeft);
            p.y = Pixel(g.frameBottom - (h - g.altMin) * g.k);
        }
    } else if (m == View::Equatorial) {
        const double a = first * g.k / kDegToRad;
        const double d = second * g.k / kDegToRad;
        const double L = g.raMinPx, U = g.raMaxPx;
        p.x = Pixel(g.xr - a);
        p.y = Pixel(g.yr - d);
        if (L < U) {
            p.visible = L < a && a < U;
            if (a > U) p.code = kSkipPast;
            if (a < L - 15 * g.k) p.code = kSkipBefore;
        } else {
            if (a < (U + L) / 2) p.x = Pixel(g.xr - a - 360 * g.k);
            p.visible = a <= U || a > L;
            if (U < a && a < L - 15 * g.k) p.code = kSkipBefore;
        }
        if (d > g.decMaxPx || d < g.decMinPx) p.visible = false;
    } else if (astronomy::IsPolarChart(m)) {
        // The right-ascension window of the polar charts is the full circle:
        // only the two declination limits decide.
        const double rho = PolarRadius(g.k, 1, g.sign * second);
        const double turn = first - g.alpha0;
        p.x = Pixel(g.x0 - std::sin(turn) * rho);
        p.y = Pixel(g.y0 + g.sign * rho * std::cos(turn));
        p.visible = !(rho > g.rA * g.k) && !(rho < g.rB * g.k);
    }
    if (rightButtonHeld) p.code = kAbortCode;
    p.labelX = p.x - 4;
    p.labelY = p.y + 8;
    return p;
}

namespace {

// Altitude and azimuth (degrees from north) of an equatorial place.
void FillHorizontal(const ChartGeometry& g, double alphaDeg, double deltaDeg, SkyPoint& out) {
    const double H = Reduce(g.lst * 15 * kDegToRad - alphaDeg * kDegToRad, kTwoPi);
    const astronomy::Horizontal hz = astronomy::EquatorialToHorizontal(H, deltaDeg * kDegToRad, g.sinLat, g.cosLat);
    out.altitude = hz.altitude / kDegToRad;
    out.azimuth = Reduce(hz.azimuth / kDegToRad + 180, 360);
}

// Right ascension and declination of a horizontal place (azimuth from north).
void FillEquatorial(const ChartGeometry& g, double azimuthDeg, double altitudeDeg, SkyPoint& out) {
    const astronomy::HourAngleDec hd =
        astronomy::HorizontalToEquatorial((azimuthDeg + 180) * kDegToRad, altitudeDeg * kDegToRad, g.sinLat, g.cosLat);
    out.delta = hd.delta / kDegToRad;
    out.alpha = Reduce(g.lst - hd.hourAngle * 12 / kPi, 24);
}

}  // namespace

SkyPoint PointToSky(const ChartGeometry& g, int x, int y) {
    SkyPoint out;
    const View m = g.mode;
    if (m == View::WholeSky) {
        if (g.radius <= 0) return out;
        const double dx = x - g.cx, dy = y - g.cy;
        const double h = 90 - 90 * std::sqrt(dy * dy + dx * dx) / g.radius;
        if (h < 0) return out;
        double A;
        if (dy == 0)
            A = x <= g.cx ? 90 : 270;
        else
            A = std::atan(dx / dy) / kDegToRad + (dy > 0 ? 180 : 0);
        A = Reduce(A, 360);
        out.azimuth = A;
        out.altitude = h;
        FillEquatorial(g, A, h, out);
    } else if (m == View::Equatorial) {
        const double alphaDeg = (g.xr - x) / g.k;
        const double delta = (g.yr - y) / g.k;
        out.delta = delta;
        FillHorizontal(g, alphaDeg, delta, out);
        out.alpha = Reduce(alphaDeg / 15, 24);
    } else if (m == View::Horizon) {
        const double A = Reduce((x - g.frameLeft) / g.k + g.aziMin, 360);
        const double h = g.altMin - (y - g.frameBottom) / g.k;
        if (h < g.altMin || h > g.altMax) return out;
        out.azimuth = A;
        out.altitude = h;
        FillEquatorial(g, A, h, out);
    } else if (astronomy::IsPolarChart(m)) {
        const double dx = x - g.x0, dy = y - g.y0;
        const double rho = std::sqrt(dy * dy + dx * dx);
        const double mirrored = 90 - 2 * std::atan(rho / (90 * g.k)) / kDegToRad;
        if (mirrored < g.polMin || mirrored > g.polMax) return out;
        const double delta = g.sign * mirrored;
        // The angle about the pole, measured from the direction of Pol_mitte
        // (down on the north chart, up on the south chart).
        const double theta = std::atan2(dx, g.sign * dy) / kDegToRad;
        const double alphaDeg = Reduce(g.alpha0 / kDegToRad - theta, 360);
        out.delta = delta;
        FillHorizontal(g, alphaDeg, delta, out);
        out.alpha = alphaDeg / 15;
    }
    return out;
}

}  // namespace charts

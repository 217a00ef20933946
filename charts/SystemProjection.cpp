// The perspective of the solar-system view and the moves of its view point.
#include "charts/SystemProjection.h"

#include <algorithm>
#include <cmath>

#include "astronomy/Constants.h"
#include "astronomy/Numbers.h"

namespace charts {

using astronomy::kDegToRad;
using astronomy::kPi;
using astronomy::kTwoPi;

namespace {

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y, k * a.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// x towards longitude 0 in the ecliptic, z towards the ecliptic's pole.
Vec Cartesian(double lon, double lat, double r) {
    const double c = std::cos(lat);
    return {r * c * std::cos(lon), r * c * std::sin(lon), r * std::sin(lat)};
}

double Finite(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

}  // namespace

ViewPoint ViewPointOf(const astronomy::StoredSettings& s) {
    const ViewPoint defaults;
    return {Finite(s.View_lambda, defaults.lambda), Finite(s.View_beta, defaults.beta),
            Finite(s.View_rs, defaults.rs)};
}

ChartGeometry SetUpSystem(const astronomy::ProgramState& s, int centreX, int centreY, double viewLambdaDeg) {
    ChartGeometry g;
    g.mode = astronomy::View::System;
    g.xMax = s.x_max;
    g.yMax = s.y_max;
    g.cx = centreX;
    g.cy = centreY;
    const ViewPoint v = ViewPointOf(s);
    g.viewLambda = Finite(viewLambdaDeg, v.lambda);
    g.viewBeta = v.beta;
    g.viewRs = v.rs;
    return g;
}

ProjectionResult ProjectHeliocentric(const ChartGeometry& g, double longitude, double latitude, double r) {
    ProjectionResult p;
    p.x = p.y = -1;
    p.labelX = p.x - 4;
    p.labelY = p.y + 8;
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || !std::isfinite(r)) return p;
    // The view longitude turns the ecliptic so that the eye lies at
    // longitude 0 of the turned frame; places come in a quarter turn back.
    const double lon = astronomy::Reduce(longitude - kPi / 2 + g.viewLambda * kDegToRad, kTwoPi);
    const double beta = g.viewBeta * kDegToRad;
    const Vec P = Cartesian(lon, latitude, r);
    const Vec E = Cartesian(0, beta, g.viewRs);
    const Vec W = Cartesian(0, beta, g.viewRs - kPicturePlaneAU);
    const Vec D = P - E;
    const double ed = Dot(E, D);
    if (!(ed != 0) || !std::isfinite(ed)) return p;  // on the eye's plane
    const double t = (Dot(E, W) - Dot(E, E)) / ed;
    if (!(t >= 0)) return p;  // behind the eye
    const Vec Q = E + t * D - W;
    const double px = kSystemPixelsPerAU * Q.y;
    const double py = kSystemPixelsPerAU * (std::sin(beta) * Q.x - std::cos(beta) * Q.z);
    if (!std::isfinite(px) || !std::isfinite(py)) return p;
    // Rounded down; the rounding noise of a place on the line of sight
    // (a millionth of a pixel) does not move it off the centre.
    constexpr double kNoise = 1e-6;
    const double x = std::floor(px + kNoise) + g.cx, y = std::floor(py + kNoise) + g.cy;
    if (std::fabs(x) > kSystemFarPixels || std::fabs(y) > kSystemFarPixels) return p;
    p.x = static_cast<int>(x);
    p.y = static_cast<int>(y);
    p.labelX = p.x - 4;
    p.labelY = p.y + 8;
    p.visible = true;
    return p;
}

ViewPoint PannedViewPoint(ViewPoint v, PanDirection direction) {
    constexpr double kStep = 10;
    switch (direction) {
        case PanDirection::North:
            if (v.beta < 90) v.beta = std::min(v.beta + kStep, 90.0);
            break;
        case PanDirection::South:
            if (v.beta - kStep > -91) v.beta -= kStep;
            break;
        case PanDirection::East: v.lambda = astronomy::Reduce(v.lambda + kStep, 360); break;
        case PanDirection::West: v.lambda = astronomy::Reduce(v.lambda - kStep, 360); break;
    }
    return v;
}

ViewPoint ZoomedViewPoint(ViewPoint v, double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) return v;
    if (!(v.rs >= 0.3)) v.rs = 0.5;
    const double next = v.rs / factor;
    if (next > 0.2 && next < 260) v.rs = next;
    return v;
}

}  // namespace charts

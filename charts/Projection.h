// Sky positions to chart pixels and back, for the whole-sky disc, the
// equatorial and horizon rectangles and the two polar charts.
#pragma once

#include "astronomy/ProgramState.h"
#include "charts/ChartLayout.h"

namespace charts {

// Codes of a projection. The star loops stop on kAbortCode (the right mouse
// button held); the equatorial star loop adds kSkipBefore / kSkipPast to its
// record number while the right-ascension-sorted list is still far before
// the window or already past it.
inline constexpr int kAbortCode = 50000;
inline constexpr int kSkipBefore = 150;
inline constexpr int kSkipPast = 5000;

struct ProjectionResult {
    int x = 0, y = 0;
    int labelX = 0, labelY = 0;  // where a name is written beside the point
    int code = 0;
    bool visible = false;
};

// What a chart's set-up derives from the region and the window; kept by the
// last drawing pass for the pointer readout.
struct ChartGeometry {
    astronomy::View mode = astronomy::View::WholeSky;
    int xMax = 0, yMax = 0;
    double sinLat = 0, cosLat = 1;
    double lst = 0;  // local sidereal time, hours
    // Whole sky
    int cx = 0, cy = 0, radius = 0;
    // Scale in pixels per degree (equatorial, horizon, polar)
    double k = 1;
    // Equatorial: the region (right ascension reduced into 0..24, the upper
    // limit into (0, 24]), its limits in pixel units and the reference point
    double alphaMin = 0, alphaMax = 0, deltaMin = 0, deltaMax = 0;
    double raMinPx = 0, raMaxPx = 0, decMinPx = 0, decMaxPx = 0;
    double xr = 0, yr = 0;
    // Horizon: the frame's left edge and bottom, and the region in degrees,
    // azimuth from north through east, both limits reduced into 0..360
    int frameLeft = 0, frameBottom = 0;
    double altMin = 0, altMax = 0, aziMin = 0, aziMax = 0;
    // Polar: the sign (+1 north, -1 south), the radii of the two limits at
    // k = 1,
    // the pole's position and the right ascension pointing down (radians)
    double sign = 1, rA = 0, rB = 0, alpha0 = 0;
    int x0 = 0, y0 = 0;
    // The outer and inner limits in degrees, on the south chart those of
    // the mirrored sky (polar)
    double polMin = 0, polMax = 0;
    // Solar-system view: the view point (ecliptic longitude and latitude in
    // degrees, distance from the Sun in AU); the picture is centred on
    // (cx, cy).
    double viewLambda = 0, viewBeta = 0, viewRs = 0;
    // Half the width of the picture's own strip about cx: the two pictures
    // of a stereo pair keep their lines apart. 0: the whole window.
    int pictureHalfWidth = 0;
};

// Set-ups, one per chart. The equatorial one reduces Alpha_min into 0..24
// and Alpha_max into (0, 24], the horizon one both azimuth limits into
// 0..360; the reduced region is part of the geometry.
ChartGeometry SetUpWholeSky(const astronomy::ProgramState& s);
ChartGeometry SetUpEquatorial(const astronomy::ProgramState& s);
ChartGeometry SetUpHorizon(const astronomy::ProgramState& s);
// For the north or the south polar chart (ChartMode).
ChartGeometry SetUpPolar(const astronomy::ProgramState& s);
// The set-up of the state's chart (the whole sky for views that are no
// chart).
ChartGeometry SetUpChart(const astronomy::ProgramState& s);

// Radius of a declination (radians) on a polar chart; limits above 90
// degrees run across the pole and give negative radii.
double PolarRadius(double k, double sign, double delta);

// firstAngle: the hour angle (0..2 pi) on the whole sky and the horizon
// chart, the right ascension on the others; second: the declination.
// Radians. rightButtonHeld gives kAbortCode.
ProjectionResult ProjectPoint(const ChartGeometry& g, double firstAngle, double second, bool rightButtonHeld = false);
// The first angle ProjectPoint expects for a right ascension (radians).
double FirstAngle(const ChartGeometry& g, double rightAscension);

inline constexpr double kNoValue = -99.99;

struct SkyPoint {
    double alpha = kNoValue;     // hours 0..24
    double delta = kNoValue;     // degrees
    double azimuth = kNoValue;   // degrees from north through east
    double altitude = kNoValue;  // degrees
};

// The sky under a pixel of the chart, kNoValue everywhere off the chart.
SkyPoint PointToSky(const ChartGeometry& g, int x, int y);

}  // namespace charts

// The central perspective of the solar-system view: heliocentric ecliptic
// places as seen from a point in space, and how the "Karte" commands move
// and scale that point.
#pragma once

#include "astronomy/ProgramState.h"
#include "charts/Projection.h"
#include "charts/Regions.h"

namespace charts {

// The picture plane lies this far in front of the eye (AU), perpendicular to
// the line from the eye to the Sun, and is drawn at kSystemPixelsPerAU: a
// place d AU from the eye near the line of sight gets 400/d pixels per AU.
inline constexpr double kPicturePlaneAU = 0.001;
inline constexpr double kSystemPixelsPerAU = 400000;
// A place that lands farther out than this from the window's origin is not
// drawn: it lies close to the eye, and a line to it would cross the window.
inline constexpr int kSystemFarPixels = 32000;

// The solar-system view of the state with its picture centred on
// (centreX, centreY) and the view longitude viewLambdaDeg (the stereo pair
// draws its second picture from a slightly turned longitude).
ChartGeometry SetUpSystem(const astronomy::ProgramState& s, int centreX, int centreY, double viewLambdaDeg);

// Heliocentric ecliptic longitude and latitude (radians) and distance from
// the Sun (AU) to the picture. A place behind the eye, on the plane through
// the eye, beyond kSystemFarPixels or not finite is not visible (x = y = -1).
ProjectionResult ProjectHeliocentric(const ChartGeometry& g, double longitude, double latitude, double r);

// The view point as the settings keep it: degrees and AU.
struct ViewPoint {
    double lambda = 180, beta = 30, rs = 4;
    bool operator==(const ViewPoint&) const = default;
};
ViewPoint ViewPointOf(const astronomy::StoredSettings& s);

// North and south turn the view latitude by 10 degrees (north at most to 90,
// south only while the result stays above -91), east and west the view
// longitude by 10 degrees, kept within 0..360. A move a limit stops returns
// the point unchanged.
ViewPoint PannedViewPoint(ViewPoint v, PanDirection direction);
// The distance divided by the factor (> 1 comes closer) when the result
// stays between 0.2 and 260 AU; a distance below 0.3 is first set to 0.5.
ViewPoint ZoomedViewPoint(ViewPoint v, double factor);

}  // namespace charts

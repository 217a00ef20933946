// The regions of the equatorial, horizon and polar charts as numbers:
// centring, moving, zooming and the wrap of right ascension and azimuth.
// Every function returns the new region; the commands store it.
#pragma once

#include <optional>

#include "astronomy/ProgramState.h"
#include "charts/Projection.h"

namespace charts {

// The directions a region moves in (east is to the left on the sky).
enum class PanDirection { North, South, East, West };

// The three regions as the settings file keeps them: right ascension in
// hours, everything else in degrees, azimuth from north through east.
struct ChartRegion {
    double Alpha_min = 0, Alpha_max = 0, Delta_min = 0, Delta_max = 0;
    double Pol_min = 0, Pol_max = 0, Pol_mitte = 0;
    double Hoehe_min = 0, Hoehe_max = 0, Azi_min = 0, Azi_max = 0;
    bool operator==(const ChartRegion&) const = default;
};
ChartRegion RegionOf(const astronomy::StoredSettings& s);

// A place to centre a region on.
struct SkyTarget {
    double raHours = 0, decDeg = 0;
    double altDeg = 0, aziDeg = 0;  // azimuth from north through east
};

// The centre of the right-ascension window (through 0 h when it wraps)
// and of the azimuth window (through north when it wraps).
double RaCentre(const ChartRegion& r);
double AziCentre(const ChartRegion& r);

// The right-ascension window of the given width about the centre; a window
// of a whole day or more is 0 .. 24 h, the one form of the full circle that
// the chart keeps from one drawing to the next.
ChartRegion WithRaWindow(ChartRegion r, double centreHours, double widthHours);
// The azimuth window of the given width about the centre; equal limits
// stand for the full circle.
ChartRegion WithAziWindow(ChartRegion r, double centreDeg, double widthDeg);
// The widths that fill a frame of the given aspect (width over height) at
// the present declination or altitude height.
double RaWidthForHeight(const ChartRegion& r, double aspect);
double AziWidthForHeight(const ChartRegion& r, double aspect);

// The region of the chart centred on the place, keeping its size; nothing
// for a view that is no equatorial, horizon or polar chart.
std::optional<ChartRegion> CentredOn(const ChartRegion& r, astronomy::View view, const SkyTarget& at, double aspect);
// Moved by 0.3 of its height; nothing where the view offers no moving
// (only the equatorial, horizon and north polar charts move). A move that
// a limit stops returns the region unchanged.
std::optional<ChartRegion> Panned(const ChartRegion& r, astronomy::View view, PanDirection direction);
// factor > 1 narrows the region, < 1 widens it; nothing where the view
// offers no zoom or the factor is no positive number.
std::optional<ChartRegion> Zoomed(const ChartRegion& r, astronomy::View view, double factor, double aspect);
// The region becomes the sky inside the rectangle (x1, y1)-(x2, y2) of the
// equatorial or horizon chart drawn with geometry g; nothing for others.
std::optional<ChartRegion> ZoomedIntoBand(const ChartRegion& r, const ChartGeometry& g, int x1, int y1, int x2,
                                          int y2);

}  // namespace charts

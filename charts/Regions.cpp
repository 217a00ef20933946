// Centring, moving and zooming the regions of the charts.
#include "charts/Regions.h"

#include <algorithm>
#include <cmath>

#include "astronomy/Numbers.h"

namespace charts {

using astronomy::Reduce;
using astronomy::View;

namespace {

void Shift(double& low, double& high, double by) {
    low += by;
    high += by;
}

bool Sideways(PanDirection d) { return d == PanDirection::East || d == PanDirection::West; }

ChartRegion PanEquatorial(ChartRegion r, PanDirection direction, double step) {
    double &low = r.Delta_min, &high = r.Delta_max;
    if (direction == PanDirection::North && high < 90) {
        if (high + step <= 90)
            Shift(low, high, step);
        else
            low = 90 - (high - low), high = 90;
    } else if (direction == PanDirection::South && low - step > -90) {
        Shift(low, high, -step);
    } else if (Sideways(direction)) {
        const double hours = (direction == PanDirection::East ? step : -step) / 15;
        r.Alpha_min = Reduce(r.Alpha_min + hours, 24);
        r.Alpha_max = Reduce(r.Alpha_max + hours, 24);
    }
    return r;
}

ChartRegion PanHorizon(ChartRegion r, PanDirection direction, double step) {
    double &low = r.Hoehe_min, &high = r.Hoehe_max;
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
        r.Azi_min = Reduce(r.Azi_min + degrees, 360);
        r.Azi_max = Reduce(r.Azi_max + degrees, 360);
    }
    return r;
}

ChartRegion PanPolar(ChartRegion r, PanDirection direction, double step) {
    if (direction == PanDirection::North) {
        if (r.Pol_max + step < 270) Shift(r.Pol_min, r.Pol_max, step);
    } else if (direction == PanDirection::South) {
        if (r.Pol_min - step > -90) Shift(r.Pol_min, r.Pol_max, -step);
    } else {
        const double hours = (direction == PanDirection::East ? step : -step) / 15;
        r.Pol_mitte = Reduce(std::floor(2 * (r.Pol_mitte + hours) + 0.5) * 0.5, 24);  // whole half hours
    }
    return r;
}

}  // namespace

ChartRegion RegionOf(const astronomy::StoredSettings& s) {
    return {s.Alpha_min, s.Alpha_max, s.Delta_min, s.Delta_max, s.Pol_min,  s.Pol_max,
            s.Pol_mitte, s.Hoehe_min, s.Hoehe_max, s.Azi_min,   s.Azi_max};
}

double RaCentre(const ChartRegion& r) {
    if (r.Alpha_max <= r.Alpha_min) return Reduce((r.Alpha_min + r.Alpha_max + 24) / 2, 24);
    return Reduce((r.Alpha_min + r.Alpha_max) / 2, 24);
}

double AziCentre(const ChartRegion& r) {
    if (r.Azi_max <= r.Azi_min) return Reduce((r.Azi_min + r.Azi_max + 360) / 2, 360);
    return Reduce((r.Azi_min + r.Azi_max) / 2, 360);
}

ChartRegion WithRaWindow(ChartRegion r, double centreHours, double widthHours) {
    if (!(widthHours < 24)) {
        r.Alpha_min = 0;
        r.Alpha_max = 24;
        return r;
    }
    r.Alpha_min = Reduce(centreHours - widthHours / 2, 24);
    r.Alpha_max = Reduce(centreHours + widthHours / 2, 24);
    return r;
}

ChartRegion WithAziWindow(ChartRegion r, double centreDeg, double widthDeg) {
    const double w = std::min(widthDeg, 360.0);
    r.Azi_min = Reduce(centreDeg - w / 2, 360);
    r.Azi_max = Reduce(r.Azi_min + w, 360);
    return r;
}

double RaWidthForHeight(const ChartRegion& r, double aspect) { return (r.Delta_max - r.Delta_min) / 15 * aspect; }

double AziWidthForHeight(const ChartRegion& r, double aspect) { return (r.Hoehe_max - r.Hoehe_min) * aspect; }

std::optional<ChartRegion> CentredOn(const ChartRegion& region, View view, const SkyTarget& at, double aspect) {
    ChartRegion r = region;
    if (view == View::Equatorial) {
        const double half = (r.Delta_max - r.Delta_min) / 2;
        r.Delta_min = at.decDeg - half;
        r.Delta_max = at.decDeg + half;
        return WithRaWindow(r, at.raHours, RaWidthForHeight(r, aspect));
    }
    if (view == View::Horizon) {
        const double half = (r.Hoehe_max - r.Hoehe_min) / 2;
        r.Hoehe_min = std::max(at.altDeg - half, 0.0);
        r.Hoehe_max = std::clamp(at.altDeg + half, 10.0, 90.0);
        return WithAziWindow(r, at.aziDeg, AziWidthForHeight(r, aspect));
    }
    if (astronomy::IsPolarChart(view)) {
        const double half = (r.Pol_max - r.Pol_min) / 2;
        r.Pol_min = at.decDeg - half;
        r.Pol_max = at.decDeg + half;
        r.Pol_mitte = Reduce(at.raHours, 24);
        return r;
    }
    return std::nullopt;
}

std::optional<ChartRegion> Panned(const ChartRegion& r, View view, PanDirection direction) {
    if (view == View::Equatorial) return PanEquatorial(r, direction, 0.3 * (r.Delta_max - r.Delta_min));
    if (view == View::Horizon) return PanHorizon(r, direction, 0.3 * (r.Hoehe_max - r.Hoehe_min));
    if (view == View::NorthPolar) return PanPolar(r, direction, 0.3 * (r.Pol_max - r.Pol_min));
    return std::nullopt;
}

std::optional<ChartRegion> Zoomed(const ChartRegion& region, View view, double factor, double aspect) {
    if (!(factor > 0) || !std::isfinite(factor)) return std::nullopt;
    ChartRegion r = region;
    if (view == View::Equatorial) {
        const double c = (r.Delta_max + r.Delta_min) / 2, half = (r.Delta_max - c) / factor;
        r.Delta_max = c + half;
        r.Delta_min = c - half;
        if (r.Delta_max > 90 && r.Delta_min < -90) {  // beyond both poles: the whole sphere
            r.Delta_min = -90;
            r.Delta_max = 90;
            r.Alpha_min = 0;
            r.Alpha_max = 24;
            return r;
        }
        return WithRaWindow(r, RaCentre(r), RaWidthForHeight(r, aspect));
    }
    if (view == View::Horizon) {
        const double c = (r.Hoehe_max + r.Hoehe_min) / 2, half = (r.Hoehe_max - c) / factor;
        r.Hoehe_max = std::min(c + half, 90.0);
        r.Hoehe_min = std::max(c - half, 0.0);
        return WithAziWindow(r, AziCentre(r), AziWidthForHeight(r, aspect));
    }
    if (view == View::NorthPolar) {
        const double c = (r.Pol_max + r.Pol_min) / 2, half = (r.Pol_max - c) / factor;
        r.Pol_max = std::min(c + half, 240.0);
        r.Pol_min = std::max(c - half, -60.0);
        return r;
    }
    return std::nullopt;
}

std::optional<ChartRegion> ZoomedIntoBand(const ChartRegion& region, const ChartGeometry& g, int x1, int y1, int x2,
                                          int y2) {
    if (!(g.k > 0)) return std::nullopt;
    ChartRegion r = region;
    if (g.mode == View::Equatorial) {
        r.Alpha_max = Reduce((g.xr - x1) / g.k / 15, 24);
        r.Alpha_min = Reduce((g.xr - x2) / g.k / 15, 24);
        r.Delta_max = (g.yr - y1) / g.k;
        r.Delta_min = (g.yr - y2) / g.k;
        return r;
    }
    if (g.mode == View::Horizon) {
        const double bottom = g.frameBottom;
        r.Azi_min = Reduce((x1 - g.frameLeft) / g.k + g.aziMin, 360);
        r.Azi_max = Reduce((x2 - g.frameLeft) / g.k + g.aziMin, 360);
        r.Hoehe_max = std::min(g.altMin - (y1 - bottom) / g.k, 90.0);
        r.Hoehe_min = std::max(g.altMin - (y2 - bottom) / g.k, 0.0);
        return r;
    }
    return std::nullopt;
}

}  // namespace charts

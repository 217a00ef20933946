// Tracks of the selected object on the sky charts and orbits on the
// solar-system view.
#include "charts/Tracks.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "astronomy/Numbers.h"
#include "astronomy/PositionService.h"
#include "astronomy/TimeCalendar.h"
#include "charts/PixelLine.h"
#include "charts/Style.h"
#include "charts/SystemProjection.h"

namespace charts {

using astronomy::ObjectKind;
using astronomy::View;
using platform::Canvas;
using platform::Colour;

namespace {

// A step that jumps further than this across a sky chart runs round the back
// of the sky (the wrap of right ascension or azimuth) and is left out.
constexpr int kTrackJumpPx = 484;
// Half the length of the strokes of a marker cross.
constexpr int kMarkerHalf = 3;
// Where a date label stands from its point.
constexpr int kLabelDx = 5, kLabelDy = 3;

std::string TwoDigits(int v) { return (v < 10 && v >= 0 ? "0" : "") + std::to_string(v); }

struct TrackPoint {
    ProjectionResult at;    // the place on the chart
    ProjectionResult foot;  // solar-system view: below it on the ecliptic plane
    TrackDay day;
};

// Everything the points of one track share.
struct TrackRun {
    const astronomy::ProgramState& s;
    const ChartGeometry& g;
    astronomy::Target target;
    bool system = false;
    bool hourAngle = false;  // whole sky and horizon chart: the hour angle of each instant

    // The point `elapsed` days after the state's instant.
    TrackPoint At(double elapsed) const {
        const double f = s.F + elapsed;
        const double whole = std::floor(f);
        const double J = s.J + whole, F = f - whole;
        astronomy::Observation obs = astronomy::ObservationAt(s, J, F);
        // The star catalogue's equinox, where the chart shows right ascension.
        if (!system && !hourAngle) obs.Aequi = 2000;
        const astronomy::CivilDate c = astronomy::JulianDateToCalendar(J, F, s.Zone);
        TrackPoint p;
        p.day = {c.day, c.month, c.year, c.weekday};
        const astronomy::PositionResult r = astronomy::ComputePosition(obs, target);
        if (r.status != astronomy::PositionStatus::Ok) return p;
        const astronomy::BodyPosition& b = r.body;
        if (system) {
            p.at = ProjectHeliocentric(g, b.eclLon, b.eclLat, b.r);
            p.foot = ProjectHeliocentric(g, b.eclLon, 0, b.r * std::cos(b.eclLat));
        } else if (hourAngle) {
            p.at = ProjectPoint(g, astronomy::Reduce(b.hourAngle * astronomy::kHourToRad, astronomy::kTwoPi), b.dec);
        } else {
            p.at = ProjectPoint(g, b.ra, b.dec);
        }
        return p;
    }
};

}  // namespace

TrackPlan PlanTrack(double length, double step) {
    TrackPlan plan;
    if (!std::isfinite(length) || !std::isfinite(step) || length == 0) {
        plan.points = 0;
        return plan;
    }
    const double span = std::fabs(length);
    double dt = 1;
    if (step != 0 && std::fabs(step) < 1) dt = std::fabs(step);
    // Long tracks take wider steps, whichever way they run.
    if (span > 500) dt = 2;
    if (span > 1000) dt = 4;
    if (step == kOrbitStep) {
        dt = span / kOrbitSteps;
        plan.labels = false;
    }
    double count = std::floor(span / dt + 1e-9);
    if (!(count <= static_cast<double>(kMaxTrackPoints))) {
        count = static_cast<double>(kMaxTrackPoints);
        dt = span / count;
    }
    plan.points = static_cast<long>(count);
    plan.stepDays = length < 0 ? -dt : dt;
    return plan;
}

std::optional<TrackUnit> TrackUnitFromText(std::string_view text) {
    if (text.empty() || text == "-") return TrackUnit::None;
    if (text == "t") return TrackUnit::Day;
    if (text == "w") return TrackUnit::Week;
    if (text == "d") return TrackUnit::TenDays;
    if (text == "m") return TrackUnit::Month;
    if (text == "j") return TrackUnit::Year;
    return std::nullopt;
}

std::string TrackLabel(TrackUnit unit, const TrackDay& previous, const TrackDay& now, int referenceWeekday) {
    const bool newDay = now.day != previous.day || now.month != previous.month || now.year != previous.year;
    const std::string dayMonth = std::to_string(now.day) + "." + std::to_string(now.month) + ".";
    switch (unit) {
        case TrackUnit::None: return "";
        case TrackUnit::Year: return now.year != previous.year ? std::to_string(now.year) : "";
        case TrackUnit::Month:
            return now.month != previous.month || now.year != previous.year
                       ? TwoDigits(now.month) + "." + std::to_string(now.year)
                       : "";
        case TrackUnit::TenDays:
            return newDay && (now.day == 1 || now.day == 10 || now.day == 20)
                       ? std::to_string(now.day) + "." + TwoDigits(now.month) + "."
                       : "";
        // Steps shorter than a day meet the same weekday several times: the
        // label goes to the first point of that day.
        case TrackUnit::Week: return newDay && now.weekday == referenceWeekday ? dayMonth : "";
        case TrackUnit::Day: return newDay ? dayMonth : "";
    }
    return "";
}

bool TrackMarkerDue(double step, double elapsedDays) {
    const double every = std::fabs(step);
    if (step == 0 || step == kOrbitStep || !std::isfinite(every) || !std::isfinite(elapsedDays)) return false;
    const double elapsed = std::fabs(elapsedDays);
    if (every >= 1) {
        const double days = std::floor(elapsed + 1e-6);  // whole days since the start
        return std::fabs(std::remainder(days, every)) < 1e-6;
    }
    const double hundredths = std::round(elapsed * 100), unit = std::round(every * 100);
    return unit > 0 && std::fabs(std::remainder(hundredths, unit)) < 1e-6;
}

Colour TrackColour(const astronomy::ProgramState& s, ObjectKind kind) {
    if (kind == ObjectKind::Earth) return BodyColour(s, 12);
    if (kind == ObjectKind::Disk) return BodyColour(s, 10);
    if (kind <= ObjectKind::Neptune) return BodyColour(s, static_cast<int>(kind) + 1);
    return platform::ColourFromRgb(s.ContrastColour);
}

void DrawTrackOfSettings(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind kind) {
    DrawTrack(canvas, s, g, kind, s.TrackLaenge, s.TrackStep,
              TrackUnitFromText(s.TrackDatum).value_or(TrackUnit::None));
}

void DrawTrack(Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ObjectKind kind,
               double length, double step, TrackUnit unit) {
    const bool system = g.mode == View::System;
    if (!system && !astronomy::IsSkyChart(g.mode)) return;
    // On the solar-system view the Moon stands for the Earth.
    if (system && kind == ObjectKind::Moon) kind = ObjectKind::Earth;
    // The objects at fixed coordinates have no place in space, and the
    // Sun stays in the middle.
    if (system && (astronomy::IsFixedObject(kind) || kind == ObjectKind::Sun)) return;
    const TrackPlan plan = PlanTrack(length, step);
    if (plan.points == 0) return;
    const TrackUnit labelUnit = plan.labels ? unit : TrackUnit::None;

    const TrackRun run{s, g, astronomy::TargetOf(s, kind), system, g.mode == View::WholeSky || g.mode == View::Horizon};
    const Colour colour = TrackColour(s, kind);
    canvas.SetRasterOp(system ? platform::RasterOp::Copy : OverlayRasterOp(s));
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetPen(colour);
    canvas.SetTextBackground(platform::ColourFromRgb(s.BackgroundColour), false);
    canvas.SetFont(platform::FontRole::Label);
    const bool feet = system && kind != ObjectKind::Disk;
    {
        PixelLine line(canvas, s, g, colour, NormalLineWidth(s));
        // A label that would cover the one drawn before it is left out:
        // the points crowd where the object moves slowly.
        std::optional<PixelRect> lastLabel;
        TrackPoint previous = run.At(0);
        const int referenceWeekday = previous.day.weekday;
        for (long i = 1; i <= plan.points; ++i) {
            const double elapsed = static_cast<double>(i) * plan.stepDays;
            const TrackPoint now = run.At(elapsed);
            const ProjectionResult& a = previous.at;
            const ProjectionResult& b = now.at;
            if (b.visible) {
                if (a.visible && (system || std::abs(b.x - a.x) <= kTrackJumpPx)) line.Segment(a.x, a.y, b.x, b.y);
                if (feet && now.foot.visible) line.Segment(b.x, b.y, now.foot.x, now.foot.y);
                const std::string label = TrackLabel(labelUnit, previous.day, now.day, referenceWeekday);
                if (!label.empty()) {
                    const int x = b.x + kLabelDx, y = b.y + kLabelDy;
                    const PixelRect box{x, y, x + canvas.TextWidth(label), y + canvas.TextHeight()};
                    if (!lastLabel || !box.Overlaps(*lastLabel)) {
                        canvas.SetPen(colour);
                        canvas.Text(x, y, label);
                        lastLabel = box;
                    }
                }
                if (TrackMarkerDue(step, elapsed)) {
                    line.Segment(b.x - kMarkerHalf, b.y, b.x + kMarkerHalf, b.y);
                    line.Segment(b.x, b.y - kMarkerHalf, b.x, b.y + kMarkerHalf);
                }
            }
            previous = now;
        }
    }
    canvas.SetRasterOp(platform::RasterOp::Copy);
}

}  // namespace charts

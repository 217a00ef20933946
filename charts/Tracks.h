// The path of an object across a chart over a span of days, with markers at
// a chosen step and date labels where the calendar turns; on the
// solar-system view the orbits of the bodies.
//
// A track is computed for the instants after the state's instant without
// touching the state: every place comes from the position service for its
// own instant, so the instant is exactly as it was afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astronomy/Objects.h"
#include "astronomy/ProgramState.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// More points than this would only smear the line and keep the window
// waiting: a longer track takes fewer, wider steps.
inline constexpr long kMaxTrackPoints = 100000;
// Step -1 is an orbit: 80 equal steps over the length, without labels.
inline constexpr double kOrbitStep = -1;
inline constexpr int kOrbitSteps = 80;

// The steps of a track of `length` days (negative: back in time) with the
// marker step `step`: the step in days (signed like the length), the number
// of points after the start, and whether labels are written. Nothing to
// draw (0 points) for a length of 0 or numbers that are not finite.
struct TrackPlan {
    double stepDays = 1;
    long points = 0;
    bool labels = true;
};
TrackPlan PlanTrack(double length, double step);

// Where the date labels go: at no point, every day ("t"), every week on the
// weekday of the start ("w"), on the 1st, 10th and 20th of a month ("d"),
// every month ("m"), every year ("j").
enum class TrackUnit { None, Day, Week, TenDays, Month, Year };
// The unit of its letter; the empty text and "-" (as the settings file
// writes an empty unit) are None; nothing for any other text.
std::optional<TrackUnit> TrackUnitFromText(std::string_view text);

// The date label of a new point; empty when the point gets none. previous
// is the calendar of the point before, referenceWeekday the weekday of the
// start (0 = Monday).
struct TrackDay {
    int day = 1, month = 1, year = 2000, weekday = 0;
};
std::string TrackLabel(TrackUnit unit, const TrackDay& previous, const TrackDay& now, int referenceWeekday);

// Whether the point `elapsedDays` after the start gets a marker cross for
// the marker step (days; 0 and the orbit step give none; below one day the
// test runs on hundredths of a day).
bool TrackMarkerDue(double step, double elapsedDays);

// Draws the track of the object on the chart of geometry g: exclusive-or
// (not-exclusive-or with "Invers") on the sky charts, so that drawing it a
// second time removes it; by copying on the solar-system view, where every
// point also gets a line down to the ecliptic plane (not the orbit object).
// Nothing on other views.
void DrawTrack(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
               astronomy::ObjectKind kind, double length, double step, TrackUnit unit);
// The track of the state's settings TrackLaenge, TrackStep and TrackDatum
// (a unit the program does not know writes no labels).
void DrawTrackOfSettings(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                         astronomy::ObjectKind kind);

// The drawing colour of an object's track: the body colour of the Sun, the
// Moon, the planets, the orbit object and the Earth, white (black with
// "Invers") for the others.
platform::Colour TrackColour(const astronomy::ProgramState& s, astronomy::ObjectKind kind);

}  // namespace charts

// The overlay layers of the sky charts (constellations and their names, the
// coordinate grid, the ecliptic, the bodies, the Messier objects), the
// marking of an object at its place, and the deep-sky class overlay. All of
// them draw in exclusive-or (not-exclusive-or with "Invers"), so drawing the
// same layer a second time removes it.
#pragma once

#include <optional>
#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "charts/ChartDrawing.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// Bits of DisplayFlags.
inline constexpr int kLayerConstellations = 0;  // "Sternbild"
inline constexpr int kLayerNames = 1;           // "Namen"
inline constexpr int kLayerGrid = 2;            // "Gitter"
inline constexpr int kLayerEcliptic = 3;        // "Ekliptik"
inline constexpr int kLayerBodies = 4;          // "Planeten"
inline constexpr int kLayerMessier = 5;         // "Messier"
inline constexpr int kLayerTrack = 6;           // "Track"

// Every layer whose bit is set, in the order constellations and names,
// grid, ecliptic, bodies, Messier objects and the track of the selected
// object, on the charts 4..7 (nothing on other views). The selected object
// is left out of the bodies and the Messier layer: the chart pass marks it
// after the layers, and a second exclusive-or mark would wipe it out.
// Ends in copy mode.
void DrawOverlayLayers(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                       ChartData& data, std::optional<astronomy::ObjectKind> selected);

// One layer drawn once more, whatever its bit says (the menu commands flip
// the bit themselves). For kLayerConstellations and kLayerNames the
// constellation layer is drawn with the figures when bit 0 is set and the
// names when bit 1 is set.
void DrawLayer(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g, ChartData& data,
               int layer, std::optional<astronomy::ObjectKind> selected);

// Places a computed object on the chart and draws its symbol there.
ProjectionResult MarkObject(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                            const astronomy::BodyPosition& pos);
// Computes the state's object of the kind (position service) and marks it;
// false when it has no position now.
bool MarkNamedObject(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                     astronomy::ObjectKind kind);

// The legend position under a point of the legend strip of the state's
// chart: the class type code 19..23, or 0 for none.
int DeepSkyClassAt(const astronomy::ProgramState& s, int x, int y);
// Draws every catalogue object of the class (type code 19..23) on the chart
// with the class symbol, or removes them when they are shown.
void ToggleDeepSkyClass(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                        ChartData& data, int typeCode);

}  // namespace charts

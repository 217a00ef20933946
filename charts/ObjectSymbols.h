// The marks of the bodies and of the non-stellar classes, the lit disc of a
// body, the object picture of the object view and its compass.
//
// Symbols are overlay drawing: they use exclusive-or (not-exclusive-or with
// "Invers"), so drawing the same symbol a second time removes it. Every
// figure is built so that no pixel is drawn twice within one symbol, which
// would otherwise cancel itself out.
//
// The object picture shows the sky as seen by the eye: north up, east to
// the left. It is drawn by copying, in the label colour.
#pragma once

#include <cstdint>
#include <string>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "charts/Style.h"
#include "platform/Canvas.h"

namespace charts {

// ---------------------------------------------------------------------------
// Object symbols

inline constexpr int kTypeSun = 1;
inline constexpr int kTypeMoon = 2;
inline constexpr int kTypeMercury = 3;
inline constexpr int kTypeSaturn = 7;
inline constexpr int kTypePluto = 10;
inline constexpr int kTypeComet = 11;
inline constexpr int kTypeOther = 12;
inline constexpr int kTypeMinorPlanet = 13;
inline constexpr int kFirstDeepSkyType = 19;
inline constexpr int kLastDeepSkyType = 23;

inline bool IsDeepSkyType(int type) { return type >= kFirstDeepSkyType && type <= kLastDeepSkyType; }

// Where the symbol stands relative to its point.
enum class SymbolPlacement {
    AtPoint,       // object view, polar charts: the figure on the point
    ChartMarker,   // "Himmel", "Äquatorial", "Horizont": the figure 13 right
                   // and 6 up, a filled disc of radius 6 on the point
    SystemMarker,  // "System": as ChartMarker, no Sun figure, smaller discs
                   // drawn by copying
};

inline constexpr int kMarkerOffsetX = 13;   // pixels to the right
inline constexpr int kMarkerOffsetY = -6;   // pixels up

struct SymbolRequest {
    int type = 0;            // 1..13 bodies, 19..23 non-stellar classes
    double size = 1;         // size s of the class symbols, pixels
    double diameterPx = 0;   // apparent diameter in pixels; above 8 the lit disc is drawn
    double illuminatedFraction = 1;
    double limbAngle = 0;    // position angle of the bright limb, radians from north through east
    int messierNumber = 0;   // written beside a class symbol when above 0
    SymbolPlacement placement = SymbolPlacement::AtPoint;
    int skyChartRadius = 0;  // radius of the whole-sky disc; 0 takes ChartRadius
};

// The letter shown for a body type without a figure: the character at that
// position of "SMMVMJSUNP"; empty for a type beyond it.
std::string SymbolLetter(int type);

// Draws the symbol of the request at (x, y) in the overlay raster mode and
// leaves the raster mode so.
void DrawObjectSymbol(platform::Canvas& canvas, const astronomy::ProgramState& s, int x, int y,
                      const SymbolRequest& request);

// ---------------------------------------------------------------------------
// The lit disc

// A disc of the given radius about (cx, cy) whose lit part (fraction k of
// the disc, 0..1) is filled and whose dark limb is an outline; the bright
// limb lies in the position angle limbAngle (radians from north through
// east, north up and east to the left). Uses the current pen, brush and
// raster mode; no pixel is drawn twice.
void DrawPhaseDisc(platform::Canvas& canvas, int cx, int cy, double radius, double k, double limbAngle);

// The screen direction (dx, dy) of a position angle: north is up (-y), east
// is to the left (-x).
struct ScreenDirection {
    double dx = 0, dy = 0;
};
ScreenDirection DirectionOfPositionAngle(double positionAngle);

// ---------------------------------------------------------------------------
// Object picture and compass

// The free field of the object view between the text panel and the
// parameter panel: centred at ((TextSplitX + ChartWidth)/2, 92 s), from
// just below the first text row down to 150 s.
struct PictureBox {
    int cx = 0, cy = 0;
    int halfWidth = 0, halfHeight = 0;
};
PictureBox ObjectViewPictureBox(const astronomy::ProgramState& s);

// Largest picture radius that leaves room for the compass in the box.
double PictureRadiusLimit(const PictureBox& box);

// Picture scale of the object view, pixels per degree of apparent
// diameter: 150 s for the Sun, the Moon and anything of at least 0.1
// degrees, 4000 s (about 1.1 pixels per arcsecond) for the planets, so that
// both fill the box about alike.
double ObjectViewPixelsPerDegree(const astronomy::BodyPosition& pos, double textScale);

// The outer and inner edge of Saturn's bright rings in radii of the globe.
inline constexpr double kRingOuter = 2.27;
inline constexpr double kRingInner = 1.53;

// The picture of the object centred at (cx, cy): a body with its lit phase
// turned by the bright limb and sized by the apparent diameter (at least 2
// pixels, at most maxRadius); Saturn with its rings opened by the ring
// tilt; a non-stellar object as its class symbol; a body without a
// diameter (the arbitrary object, a star) as a star disc sized by its
// magnitude. Drawn by copying in the current pen colour.
void DrawObjectPicture(platform::Canvas& canvas, const astronomy::ProgramState& s,
                       const astronomy::BodyPosition& pos, int cx, int cy, double pixelsPerDegree,
                       double maxRadius);

// Clears the picture box to the background.
void ClearPictureBox(platform::Canvas& canvas, const astronomy::ProgramState& s, const PictureBox& box);

// The compass in the lower left corner of the box: a stroke up to "N" and
// a stroke to the left to "O" (Ost), in the label colour.
void DrawCompass(platform::Canvas& canvas, const astronomy::ProgramState& s, const PictureBox& box);

// Position angle of Saturn's north pole (radians from north through east)
// for the place (ra, dec) in radians.
double SaturnPolePositionAngle(double ra, double dec);

}  // namespace charts

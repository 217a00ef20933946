// A drawing pass of a sky chart: background, frame, ticks and labels, the
// legends, the stars, the overlay layers and the selected object.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "astronomy/ProgramState.h"
#include "charts/Catalogue.h"
#include "charts/Projection.h"
#include "platform/Canvas.h"

namespace charts {

// The catalogue files the passes read, loaded in bulk once and kept: the
// two star files and the constellation figures.
struct ChartData {
    StarFiles stars;
    std::vector<ConstellationFigure> figures;
    std::string folder;  // the data folder they came from
    std::string error;   // German text when a file could not be read
    // The folders the constellation file was last looked for in; it is not
    // looked for again until one of them changes.
    std::string figuresFolders;
    // Loads from the data folder what is not loaded from it yet. False when
    // the star files cannot be read (error says why); a pass then draws
    // without stars.
    bool Ensure(const std::string& dataFolder);
    // The same with the constellation file taken from the program folder,
    // where the program keeps it (from the data folder when it is not
    // there). Star files that could not be read are tried again at the next
    // call; error always describes the last load that went wrong.
    bool Ensure(const std::string& dataFolder, const std::string& programFolder);
};

// True while the right mouse button is held: the star loops stop.
using AbortCheck = std::function<bool()>;

// Star radius in pixels (0: not drawn) from a record's magnitude code: on
// the whole sky by the magnitude alone, on the other charts relative to the
// limiting magnitude, so that the faintest star shown is always a dot.
double StarSizeWholeSky(const astronomy::ProgramState& s, int magnitudeCode);
double StarSizeChart(const astronomy::ProgramState& s, int magnitudeCode);
// A star of that radius at (x, y) in the star colour, by copying.
void DrawStar(platform::Canvas& canvas, const astronomy::ProgramState& s, int x, int y, double size);

// A star of a pass where it lands, with its radius (before the extra
// radius of printing).
struct PlacedStar {
    int x = 0, y = 0;
    double size = 0;
};

// The visible stars of the chart: on the whole sky the bright-star records
// sized by magnitude, elsewhere the full star list sized against the
// limiting magnitude (the equatorial chart skips through it with the
// projection codes). Stops when abort() says the right button is held;
// stars of size 0 are left out.
std::vector<PlacedStar> PlaceStars(const astronomy::ProgramState& s, const ChartGeometry& g, const ChartData& data,
                                   const AbortCheck& abort);
// Paints placed stars in the star colour, by copying; on the rectangular
// charts a disc is cut at the frame so that nothing spills over it.
void PaintStars(platform::Canvas& canvas, const astronomy::ProgramState& s, const ChartGeometry& g,
                const std::vector<PlacedStar>& stars);

// The whole pass of the state's chart (whole sky, equatorial, horizon,
// polar); returns the geometry it used, which the pointer readout and the
// layer commands need afterwards. The selected object is marked last.
ChartGeometry DrawChart(platform::Canvas& canvas, const astronomy::ProgramState& s, ChartData& data,
                        std::optional<astronomy::ObjectKind> selected, const AbortCheck& abort);

// The zoom boxes at the lower left and the four arrow buttons at the left
// edge, by copying.
void DrawNavigationButtons(platform::Canvas& canvas, const astronomy::ProgramState& s);

// The date, the clock time with its zone and, with equinox, "Äqui 2000" in
// the small font at the lower right, inset pixels further left: its texts
// and the box they fill (placing it sets the small font).
struct DateStampPlace {
    std::string date, clock, zone, frame;
    PixelRect box;
    int step = 12;   // from one row to the next
    int zoneX = 30;  // the zone's offset in the clock row
};
DateStampPlace PlaceDateStamp(platform::Canvas& canvas, const astronomy::ProgramState& s, int inset, bool equinox);
void DrawDateStamp(platform::Canvas& canvas, const astronomy::ProgramState& s, int inset, bool equinox);

// "Hs=" and the Sun's altitude at the lower right; nothing while printing.
void ShowSunAltitude(platform::Canvas& canvas, const astronomy::ProgramState& s);

}  // namespace charts

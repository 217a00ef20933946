// The colours and line widths of the drawings: the three colours "Invers"
// switches, the body colours, the highlight and the overlay raster mode.
#pragma once

#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace charts {

// The background, text and contrast (star) colours of the state.
struct Palette {
    platform::Colour background, text, contrast;
};
Palette PaletteOf(const astronomy::ProgramState& s);

// The colour in which the panels draw notes that must stand out (the
// visibility of the object); the same magenta as the default symbol colour.
inline constexpr platform::Colour kHighlightColour{250, 60, 250};
// The constellation lines, and whatever is drawn in their red.
inline constexpr platform::Colour kConstellationColour{255, 80, 80};
// A neutral grey that shows on both backgrounds.
inline constexpr platform::Colour kMidGrey{128, 128, 128};

// The colour of frames around panel fields: the text colour of the state.
platform::Colour FrameColour(const astronomy::ProgramState& s);

// Line widths in pixels: normal 1 (6 when printing), bold 3 (18 when printing).
int NormalLineWidth(const astronomy::ProgramState& s);
int BoldLineWidth(const astronomy::ProgramState& s);

// Exclusive-or, or not-exclusive-or when "Invers" is on.
platform::RasterOp OverlayRasterOp(const astronomy::ProgramState& s);

// The drawing colour of a body type: BodyColourTable entry type + 1 for
// the types below 13, entry 11 (the default symbol colour) for all others.
platform::Colour BodyColour(const astronomy::ProgramState& s, int type);

}  // namespace charts

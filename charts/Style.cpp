// The drawing colours, line widths and overlay mode of the state.
#include "charts/Style.h"

namespace charts {

using platform::ColourFromRgb;

Palette PaletteOf(const astronomy::ProgramState& s) {
    return {ColourFromRgb(s.BackgroundColour), ColourFromRgb(s.ForegroundColour), ColourFromRgb(s.ContrastColour)};
}

platform::Colour FrameColour(const astronomy::ProgramState& s) { return ColourFromRgb(s.ForegroundColour); }

int NormalLineWidth(const astronomy::ProgramState& s) { return s.PrintingFlag != 0 ? 6 : 1; }
int BoldLineWidth(const astronomy::ProgramState& s) { return s.PrintingFlag != 0 ? 18 : 3; }

platform::RasterOp OverlayRasterOp(const astronomy::ProgramState& s) {
    return s.Invers == 1 ? platform::RasterOp::NotXor : platform::RasterOp::Xor;
}

platform::Colour BodyColour(const astronomy::ProgramState& s, int type) {
    std::size_t entry = 11;
    if (type >= 0 && type < 13) entry = static_cast<std::size_t>(type + 1);
    if (entry >= s.BodyColourTable.size()) entry = 11;
    return ColourFromRgb(s.BodyColourTable[entry]);
}

}  // namespace charts

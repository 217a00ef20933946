// The lines and the film frame of the astrophotography result.
#include "reports/AstroPhoto.h"

#include "astronomy/TextFormats.h"
#include "charts/ObjectSymbols.h"

namespace reports {

using astronomy::FormatFixed;

namespace {

// The film: a dark grey sky with the object in the light label colour of
// the dark display, with "Invers" as well (where the label colour is a
// dark grey itself and would vanish on the film).
constexpr std::uint32_t kFilmSky = 0x404040;
constexpr std::uint32_t kFilmPicture = 0xB4B4B4;
// The centre of the picture, in the frame's middle.
constexpr int kPictureX = 168, kPictureY = 275;
// A disc this large covers the whole frame; a larger one would only be cut
// off further.
constexpr double kLargestPictureRadius = 400;

}  // namespace

std::string PhotoResultTitle(const std::string& objectName) { return "Photographie von " + objectName; }

std::vector<std::string> PhotoResultLines(const astronomy::PhotoResult& r) {
    const astronomy::PhotoInput& in = r.input;
    const std::string exposure = r.exposure < 0.5 ? "1 /" + FormatFixed(1 / r.exposure, 7, 1) + " sec"
                                                  : FormatFixed(r.exposure, 11, 1) + " sec";
    return {
        " Film:         " + FormatFixed(in.asa, 5, 0) + " ASA /" + FormatFixed(r.din, 3, 0) + " DIN",
        "",
        " Optik: (D/F)      " + FormatFixed(in.optics.aperture, 4, 0) + " /" + FormatFixed(in.optics.focal, 6, 0) +
            " mm" + "     1 :" + FormatFixed(in.optics.ratio, 6, 1),
        "",
        " Filter:           x" + FormatFixed(in.filter, 7, 1),
        " Extinktion:       x" + FormatFixed(r.extinction, 7, 1),
        "",
        " Größe auf Chip:   " + FormatFixed(r.imageSize, 9, 2) + " mm",
        " Bewegung o.Nachf.:" + FormatFixed(r.drift, 9, 2) + " mm",
        "",
        " Bel.-Zeit:       " + exposure,
    };
}

void DrawFilmFrame(platform::Canvas& canvas, const astronomy::ProgramState& s, const astronomy::BodyPosition& pos,
                   double focalMm, int dx, int dy) {
    const int left = kFrameLeft + dx, top = kFrameTop + dy, right = kFrameRight + dx, bottom = kFrameBottom + dy;
    const platform::Colour background = platform::ColourFromRgb(s.BackgroundColour);
    const platform::Colour sky = platform::ColourFromRgb(kFilmSky);
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineStyle(platform::LineStyle::Solid);
    canvas.SetLineWidth(1);
    canvas.SetPen(sky);
    canvas.SetBrush(sky);
    canvas.FillBox(left + 1, top + 1, right - 1, bottom - 1);

    // The picture in the film's colours; the sky colour also draws the
    // shadow band of Saturn's rings across the globe.
    astronomy::ProgramState film = s;
    film.BackgroundColour = kFilmSky;
    film.ForegroundColour = kFilmPicture;
    charts::DrawObjectPicture(canvas, film, pos, kPictureX + dx, kPictureY + dy,
                              focalMm * kFramePixelsPerDegreePerMm, kLargestPictureRadius);

    // What reaches beyond the frame is cut off: the window's background
    // around it again, then the frame's outline in the label colour.
    const int w = canvas.Width(), h = canvas.Height();
    canvas.SetRasterOp(platform::RasterOp::Copy);
    canvas.SetLineWidth(1);
    canvas.SetPen(background);
    canvas.SetBrush(background);
    if (top > 0) canvas.FillBox(0, 0, w - 1, top - 1);
    if (bottom < h - 1) canvas.FillBox(0, bottom + 1, w - 1, h - 1);
    if (left > 0) canvas.FillBox(0, top, left - 1, bottom);
    if (right < w - 1) canvas.FillBox(right + 1, top, w - 1, bottom);
    canvas.SetPen(platform::ColourFromRgb(s.ForegroundColour));
    canvas.Box(left, top, right, bottom);
}

}  // namespace reports

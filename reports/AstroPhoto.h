// The result of the astrophotography calculator: its lines of text and the
// 15 x 22 mm film frame with the object's picture at the scale of the film.
#pragma once

#include <string>
#include <vector>

#include "astronomy/AstroPhoto.h"
#include "astronomy/ProgramState.h"
#include "platform/Canvas.h"

namespace reports {

// The title of the result window: "Photographie von " and the object's name.
std::string PhotoResultTitle(const std::string& objectName);

// The rows of the result window from row 2 on, empty rows included: film,
// optics, filter, extinction, image size, drift and exposure time (below
// half a second as "1 /" and its reciprocal).
std::vector<std::string> PhotoResultLines(const astronomy::PhotoResult& r);
inline constexpr int kPhotoFirstRow = 2;

// The frame is laid out for text cells of 8 x 16 pixels: its labels
// "Format:" and " 15x22mm" stand at the cell (2, 15) and below it, and the
// frame of 165 x 110 pixels (7.5 pixels a millimetre) to their right.
inline constexpr int kFrameLabelColumn = 2, kFrameLabelRow = 15;
inline constexpr int kFrameLeft = 85, kFrameTop = 220, kFrameRight = 250, kFrameBottom = 330;
// Pixels per degree of apparent diameter for each millimetre of focal length.
inline constexpr double kFramePixelsPerDegreePerMm = 0.13006756756756757;

// Draws the frame and, inside it on a dark grey film, the object's picture
// at the film's scale for the focal length, cut off at the frame. (dx, dy)
// moves the layout onto the window: the label cell's top-left corner
// there, less where cells of 8 x 16 pixels would put it.
void DrawFilmFrame(platform::Canvas& canvas, const astronomy::ProgramState& s, const astronomy::BodyPosition& pos,
                   double focalMm, int dx, int dy);

}  // namespace reports

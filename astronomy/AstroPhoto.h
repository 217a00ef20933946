// Exposure time, image size and drift of a photograph of the selected object
// through given optics on film of a given speed.
#pragma once

#include <array>
#include <optional>

#include "astronomy/Objects.h"
#include "astronomy/PositionService.h"

namespace astronomy {

// Exposure factors of the Moon by phase angle, from new (180°) to full
// (0°): (phase angle in degrees, brightness factor B). The Moon is not
// exposed by the planets' rule from its magnitude and size but by these
// factors, read by linear interpolation. The first pair is there twice so
// that the walk over the table finds new moon in a pair of its own.
struct MoonBrightnessPair {
    double phaseDeg;
    double factor;
};
inline constexpr std::array<MoonBrightnessPair, 18> MoonBrightnessTable{{
    {180, 7}, {180, 7}, {168, 9}, {156, 9}, {144, 10}, {132, 12}, {120, 14}, {108, 15}, {96, 18},
    {84, 22}, {72, 30}, {60, 40}, {48, 60}, {36, 100}, {24, 160}, {12, 180}, {0.1, 200}, {0, 200},
}};

// B of the Moon at the phase angle (degrees; any value is taken into
// 0..180°, the phase being the same on both sides of full moon).
double MoonBrightness(double phaseDeg);

// The film speed of a typed number: a whole number, where 0 (and a
// negative value, no film speed either) means the usual ASA 100.
int FilmSpeed(double typed);
// The filter factor of a typed number: 0, a negative value or none is 1.
double FilterFactor(double typed);

// Aperture D and focal length f in millimetres and focal ratio N (1 : N).
struct Optics {
    double aperture = 0, focal = 0, ratio = 0;
};
// The optics from two or three typed values, each counting only when it is
// a positive number: a missing D is f/N, a missing f is D N, and N is
// always f/D when D and f are both given. Nothing with fewer than two.
std::optional<Optics> CompleteOptics(double aperture, double focal, double ratio);

struct PhotoInput {
    int asa = 100;      // film speed, positive
    double filter = 1;  // filter factor, positive
    Optics optics;      // all three positive
};

enum class PhotoStatus {
    Ok,
    BelowHorizon,  // the object stands at or below the horizon: no air mass
    Unlit,         // no part of the object's disc is lit (not the Moon)
    OutOfRange,    // a value grows beyond any number (the horizon, extreme optics)
};

struct PhotoResult {
    PhotoStatus status = PhotoStatus::Ok;
    PhotoInput input;
    double din = 0;         // film speed in DIN
    double extinction = 0;  // factor E of the air mass
    double imageSize = 0;   // diameter of the image, mm
    double brightness = 0;  // factor B
    double exposure = 0;    // seconds
    double drift = 0;       // mm the image moves during the exposure without tracking
};

// The photograph of the object at its computed place (altitude,
// declination, apparent diameter, magnitude, illuminated fraction, phase
// angle); kind tells the Moon from the rest. Only with status Ok are the
// values set, and then every one of them is finite and the exposure positive.
PhotoResult ComputeAstroPhoto(const PhotoInput& input, const BodyPosition& pos, ObjectKind kind);

}  // namespace astronomy

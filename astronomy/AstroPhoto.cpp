// Exposure time, image size and drift of an astrophotograph.
#include "astronomy/AstroPhoto.h"

#include <cmath>
#include <limits>

#include "astronomy/Constants.h"
#include "astronomy/Numbers.h"

namespace astronomy {

namespace {

// Millimetres of image per degree and millimetre of focal length (a
// rounded pi/180).
constexpr double kImageMmPerDegree = 0.0175;
// The smallest image taken as a disc: a point source spreads over about
// 0.03 mm of film; its angle in arcseconds is this divided by f
// (0.03 mm / 0.0175 mm per degree, times 3600).
constexpr double kSmallestImageMm = 0.03;
constexpr double kSmallestImageArcsecMm = 6171.42;
// B = kSurfaceBrightness / a^2 / k / 2.512^m: the light of the lit part of
// the disc spread over its image.
constexpr double kSurfaceBrightness = 7000;
constexpr double kMagnitudeStep = 2.512;
// The extinction factor per air mass beyond the first.
constexpr double kExtinctionPerAirMass = 1.35;
// Without tracking the image moves f cos(delta) t / 13800 mm in t seconds:
// the sky turns by 15 arcseconds a second, about 1/13800 of a radian.
constexpr double kDriftDivisor = 13800;
constexpr double kLn2 = 0.6931471805599453;

bool Given(double v) { return std::isfinite(v) && v > 0; }

}  // namespace

double MoonBrightness(double phaseDeg) {
    double phi = std::fmod(std::fabs(phaseDeg), 360.0);
    if (phi > 180) phi = 360 - phi;
    if (phi == 180) return MoonBrightnessTable.front().factor;
    for (std::size_t i = 1; i < MoonBrightnessTable.size(); ++i) {
        const MoonBrightnessPair& prev = MoonBrightnessTable[i - 1];
        const MoonBrightnessPair& cur = MoonBrightnessTable[i];
        if (prev.phaseDeg > cur.phaseDeg && prev.phaseDeg >= phi && phi >= cur.phaseDeg)
            return prev.factor + (cur.factor - prev.factor) * (phi - prev.phaseDeg) / (cur.phaseDeg - prev.phaseDeg);
    }
    return std::numeric_limits<double>::quiet_NaN();  // a phase angle that is no number
}

int FilmSpeed(double typed) {
    const int asa = RoundToInt(typed);
    return asa > 0 ? asa : 100;
}

double FilterFactor(double typed) { return Given(typed) ? typed : 1; }

std::optional<Optics> CompleteOptics(double aperture, double focal, double ratio) {
    const bool d = Given(aperture), f = Given(focal), n = Given(ratio);
    if (d + f + n < 2) return std::nullopt;
    Optics o{aperture, focal, ratio};
    if (!d)
        o.aperture = focal / ratio;
    else if (!f)
        o.focal = aperture * ratio;
    else
        o.ratio = focal / aperture;
    return o;
}

PhotoResult ComputeAstroPhoto(const PhotoInput& input, const BodyPosition& pos, ObjectKind kind) {
    PhotoResult r;
    r.input = input;
    const double sinH = std::sin(pos.altitude);
    if (!(sinH > 0)) {
        r.status = PhotoStatus::BelowHorizon;
        return r;
    }
    const bool moon = kind == ObjectKind::Moon;
    const double k = pos.illuminatedFraction;
    if (!moon && !(k > 0)) {
        r.status = PhotoStatus::Unlit;
        return r;
    }
    const double asa = input.asa, F = input.filter;
    const double f = input.optics.focal, N = input.optics.ratio;

    r.din = 3 * std::log(1.28 * asa) / kLn2;
    r.extinction = std::pow(kExtinctionPerAirMass, 1 / sinH - 1);
    r.imageSize = pos.diameter * kImageMmPerDegree * f;
    if (moon) {
        r.brightness = MoonBrightness(pos.phaseAngle / kDegToRad);
    } else {
        const double a = r.imageSize < kSmallestImageMm ? kSmallestImageArcsecMm / f : 3600 * pos.diameter;
        r.brightness = kSurfaceBrightness / a / a / k / std::pow(kMagnitudeStep, pos.magnitude);
    }
    r.exposure = N * N * r.extinction * F / r.brightness / asa;
    r.drift = r.exposure * f * std::cos(pos.dec) / kDriftDivisor;

    const double values[] = {input.filter, input.optics.aperture, input.optics.focal, input.optics.ratio, r.din,
                             r.extinction, r.imageSize, r.brightness, r.exposure, r.drift, 1 / r.exposure};
    bool finite = r.exposure > 0;
    for (double v : values) finite = finite && std::isfinite(v);
    if (!finite) r.status = PhotoStatus::OutOfRange;
    return r;
}

}  // namespace astronomy

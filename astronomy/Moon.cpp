#include "astronomy/Moon.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/ProgramState.h"

namespace astronomy {

namespace {
// A mean argument held as two parts, each reduced on its own, then added
// without a further reduction (keeps precision for the large rates).
double TwoPart(double firstDegrees, double secondDegrees) {
    return Mod2Pi(firstDegrees * kDegToRad) + Mod2Pi(secondDegrees * kDegToRad);
}
double Arcsec(double x) { return x / 3600 * kDegToRad; }
}  // namespace

MoonPlace MoonTheory(double T) {
    using std::cos;
    using std::sin;
    const double Lm = TwoPart(270.434164 + 480960 * T, 307.883142 * T - 0.001133 * T * T);
    const double Mm = TwoPart(296.104608 + 477000 * T, 198.849108 * T + 0.009192 * T * T);
    const double N = TwoPart(259.183275 - 1800 * T, -134.142008 * T + 0.002078 * T * T);
    const double Ls = TwoPart(279.696678 + 36000 * T, 0.768925 * T + 0.000303 * T * T);
    const double Ms = TwoPart(358.475833 + 35640 * T, 359.04975 * T - 0.00015 * T * T);
    const double D = Lm - Ls;
    const double F = Lm - N;

    const double dL = 22640 * sin(Mm) + 769 * sin(2 * Mm) + 36 * sin(3 * Mm) - 125 * sin(D) + 2370 * sin(2 * D) -
                      668 * sin(Ms) - 412 * sin(2 * F) + 212 * sin(2 * D - 2 * Mm) + 4586 * sin(2 * D - Mm) +
                      192 * sin(2 * D + Mm) + 165 * sin(2 * D - Ms) + 206 * sin(2 * D - Mm - Ms) -
                      110 * sin(Mm + Ms) + 148 * sin(Mm - Ms);

    MoonPlace out;
    out.lambda = Mod2Pi(Lm + Arcsec(dL));

    const double pArcsec = 3423 + 187 * cos(Mm) + 10 * cos(2 * Mm) + 34 * cos(2 * D - Mm) + 28 * cos(2 * D) +
                           3 * cos(2 * D + Mm);
    out.parallax = Arcsec(pArcsec);
    out.diameter = 2 * std::asin(0.272493 * sin(out.parallax)) / kDegToRad;
    out.distanceAU = 6378.14 / sin(out.parallax) / 149600000;

    const double S = out.lambda - N + Arcsec(412 * sin(2 * F) + 541 * sin(Ms));
    const double H = 2 * Ls - Lm - N;
    const double sum = 18520 * sin(S) - 526 * sin(H) + 44 * sin(H + Mm) - 31 * sin(H - Mm) - 23 * sin(H + Ms) +
                       11 * sin(H - Ms) - 25 * sin(F - 2 * Mm) + 21 * sin(F - Mm);
    out.beta = Arcsec(sum);
    return out;
}

}  // namespace astronomy

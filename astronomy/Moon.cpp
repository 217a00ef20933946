// The Moon's place from the largest terms of its theory.
#include "astronomy/Moon.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Series.h"

namespace astronomy {

namespace {
// A mean argument held as two parts, each reduced on its own, then added
// without a further reduction (keeps precision for the large rates).
double TwoPart(double firstDegrees, double secondDegrees) {
    return Mod2Pi(firstDegrees * kDegToRad) + Mod2Pi(secondDegrees * kDegToRad);
}
double Arcsec(double x) { return x / 3600 * kDegToRad; }

// The Moon from the largest terms of E. W. Brown's lunar theory in the form
// of the Improved Lunar Ephemeris (1954), rounded to whole arcseconds. The
// longitude and latitude series are the short ones of O. Montenbruck and
// T. Pfleger, "Astronomy on the Personal Computer" (MiniMoon), except that
// longitude keeps 36" sin 3M' and leaves out 55" sin(2F - 2D); the parallax
// takes the same theory's five largest terms. All coefficients in arcseconds.
//
// Multipliers of D, M' (Mm), M (Ms), F, in this order: it is the order in
// which the arguments add up (2D - M' - M).
constexpr SeriesTerm<4> kLongitudeTerms[] = {
    {22640, {0, 1, 0, 0}}, {769, {0, 2, 0, 0}},   {36, {0, 3, 0, 0}},    {-125, {1, 0, 0, 0}},
    {2370, {2, 0, 0, 0}},  {-668, {0, 0, 1, 0}},  {-412, {0, 0, 0, 2}},  {212, {2, -2, 0, 0}},
    {4586, {2, -1, 0, 0}}, {192, {2, 1, 0, 0}},   {165, {2, 0, -1, 0}},  {206, {2, -1, -1, 0}},
    {-110, {0, 1, 1, 0}},  {148, {0, 1, -1, 0}},
};
// Cosine terms added to the mean parallax of 3423".
constexpr SeriesTerm<4> kParallaxTerms[] = {
    {187, {0, 1, 0, 0}}, {10, {0, 2, 0, 0}}, {34, {2, -1, 0, 0}}, {28, {2, 0, 0, 0}}, {3, {2, 1, 0, 0}},
};
// Added to the true longitude less the node, they give the argument S of the
// main latitude term.
constexpr SeriesTerm<4> kLatitudeArgumentTerms[] = {
    {412, {0, 0, 0, 2}},
    {541, {0, 0, 1, 0}},
};
// Latitude, multipliers of S, H = 2 Ls - Lm - N, F, M', M.
constexpr SeriesTerm<5> kLatitudeTerms[] = {
    {18520, {1, 0, 0, 0, 0}}, {-526, {0, 1, 0, 0, 0}}, {44, {0, 1, 0, 1, 0}},   {-31, {0, 1, 0, -1, 0}},
    {-23, {0, 1, 0, 0, 1}},   {11, {0, 1, 0, 0, -1}},  {-25, {0, 0, 1, -2, 0}}, {21, {0, 0, 1, -1, 0}},
};
}  // namespace

MoonPlace MoonTheory(double T) {
    const double Lm = TwoPart(270.434164 + 480960 * T, 307.883142 * T - 0.001133 * T * T);
    const double Mm = TwoPart(296.104608 + 477000 * T, 198.849108 * T + 0.009192 * T * T);
    const double N = TwoPart(259.183275 - 1800 * T, -134.142008 * T + 0.002078 * T * T);
    const double Ls = TwoPart(279.696678 + 36000 * T, 0.768925 * T + 0.000303 * T * T);
    const double Ms = TwoPart(358.475833 + 35640 * T, 359.04975 * T - 0.00015 * T * T);
    const double D = Lm - Ls;
    const double F = Lm - N;

    MoonPlace out;
    out.lambda = Mod2Pi(Lm + Arcsec(AddSineTerms(kEmptySum, kLongitudeTerms, {D, Mm, Ms, F})));

    out.parallax = Arcsec(AddCosineTerms(3423, kParallaxTerms, {D, Mm, Ms, F}));
    out.diameter = 2 * std::asin(0.272493 * std::sin(out.parallax)) / kDegToRad;
    out.distanceAU = 6378.14 / std::sin(out.parallax) / kKmPerAU;

    const double S = out.lambda - N + Arcsec(AddSineTerms(kEmptySum, kLatitudeArgumentTerms, {D, Mm, Ms, F}));
    const double H = 2 * Ls - Lm - N;
    out.beta = Arcsec(AddSineTerms(kEmptySum, kLatitudeTerms, {S, H, F, Mm, Ms}));
    return out;
}

}  // namespace astronomy

#include "astronomy/SunPlanets.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Moon.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/ProgramState.h"

namespace astronomy {

namespace {

double Deg(double degrees) { return degrees * kDegToRad; }
double Sin(double degrees) { return std::sin(degrees * kDegToRad); }
// Degrees to radians, reduced into 0..2 pi.
double Reduced(double degrees) { return Mod2Pi(degrees * kDegToRad); }

double Poly(const double c[4], double T) { return c[0] + c[1] * T + c[2] * T * T + c[3] * T * T * T; }

}  // namespace

SunPlace SunTheory(double T) {
    const double Q = (1.882 - 0.016 * T) * Sin(57.24 + 150.27 * T) + 6.4 * Sin(231.19 + 20.2 * T) +
                     0.266 * Sin(31.8 + 119 * T);
    const double L =
        Reduced(279.6966778 + 36000 * T + (2768.13 * T + 1.089 * T * T + 0.202 * Sin(315.6 + 893.3 * T) + Q) / 3600);
    const double g = Reduced(358.4758333 + 35999 * T + (179.1 * T - 0.54 * T * T + Q) / 3600);

    const double V = Reduced(212.45 + 58517.493 * T);
    const double Ma = Reduced(319.58 + 19139.977 * T);
    const double Ju = Reduced(225.28 + 3034.583 * T + 1300 * Sin(133.775 + 39.804 * T) / 3600);
    const double Sa = Reduced(175.6 + 1221.794 * T);
    const double D = Reduced(350.737486 + 445267.11422 * T);
    const double Mm = Reduced(296.104608 + 477198.84911 * T);
    const double F = Reduced(11.250889 + 483202.02515 * T);

    using std::cos;
    using std::sin;
    // Equation of the centre and perturbations in longitude, arcseconds.
    double dl = (6910.057 - 17.24 * T) * sin(g) + (72.338 - 0.361 * T) * sin(2 * g) + 1.054 * sin(3 * g);
    // Venus
    dl += 0.21 * cos(4 * V - 4 * g + 3.598869);
    dl += 0.144 * cos(4 * V - 5 * g + 3.410373);
    dl += 0.152 * cos(4 * V - 6 * g + 6.000442);
    dl += 0.123 * cos(5 * V - 7 * g + 3.408628);
    dl += 0.154 * cos(5 * V - 8 * g + 6.276204);
    // Mars
    dl += 0.273 * cos(g - Ma + 3.799582);
    dl += 2.043 * cos(2 * g - 2 * Ma + 6.001978);
    dl += 1.77 * cos(g - 2 * Ma + 3.497675);
    dl += 0.129 * cos(3 * g - 3 * Ma + 5.134759);
    dl += 0.425 * cos(2 * g - 3 * Ma + 5.914572);
    dl += 0.5 * cos(3 * g - 4 * Ma + 1.835737);
    dl += 0.585 * cos(2 * g - 4 * Ma + 5.830447);
    dl += 0.204 * cos(3 * g - 5 * Ma + 1.759292);
    dl += 0.154 * cos(4 * g - 6 * Ma + 3.968879);
    dl += 0.101 * cos(3 * g - 6 * Ma + 1.680752);
    dl += 0.106 * cos(4 * g - 7 * Ma + 3.886848);
    // Jupiter
    dl += 0.163 * cos(2 * g - Ju + 3.466224);
    dl += 7.208 * cos(g - Ju + 3.133425);
    dl += 2.6 * cos(4.594003 - Ju);
    dl += 2.731 * cos(2 * g - 2 * Ju + 1.520967);
    dl += 1.61 * cos(g - 2 * Ju + 1.911013);
    dl += 0.164 * cos(3 * g - 3 * Ju + 2.975786);
    dl += 0.556 * cos(2 * g - 3 * Ju + 1.442515);
    dl += 0.21 * cos(g - 3 * Ju + 1.719149);
    // Saturn
    dl += 0.419 * cos(g - Sa + 1.755452);
    dl += 0.32 * cos(4.702964 - Sa);
    dl += 0.108 * cos(2 * g - 2 * Sa + 5.071927);
    dl += 0.112 * cos(g - 2 * Sa + 5.124287);
    // Moon
    dl += 6.454 * sin(D) + 0.177 * sin(D + Mm) - 0.424 * sin(D - Mm) + 0.172 * sin(D - g);

    SunPlace out;
    out.lambda = L + Deg(dl / 3600);
    const double betaArcsec =
        -0.21 * cos(3 * V - 4 * g + 2.64941) - 0.166 * cos(g - 2 * Ju + 4.633849) + 0.576 * sin(F);
    out.beta = Deg(betaArcsec / 3600);

    const double logR0 = (0.00003057 - 0.00000015 * T) + (-0.00727412 + 0.00001814 * T) * cos(g) +
                         (-0.00009138 + 0.00000046 * T) * cos(2 * g) - 0.00000145 * cos(3 * g);
    // Perturbations of log10 R in units of 1e-9.
    double dr = 2359 * cos(V - g + 3.64913);
    dr += 160 * cos(2 * V - g + 1.01927);
    dr += 6842 * cos(2 * V - 2 * g + 1.01784);
    dr += 869 * cos(2 * V - 3 * g + 3.95666);
    dr += 1045 * cos(3 * V - 3 * g + 1.52838);
    dr += 1497 * cos(3 * V - 4 * g + 4.45495);
    dr += 194 * cos(3 * V - 5 * g + 0.86394);
    dr += 376 * cos(4 * V - 4 * g + 2.02947);
    dr += 196 * cos(4 * V - 5 * g + 1.83609);
    dr += 163 * cos(5 * V - 5 * g + 2.53771);
    dr += 141 * cos(5 * V - 7 * g + 1.83958);
    dr += 150 * cos(g - Ma + 2.22879);
    dr += 2057 * cos(2 * g - 2 * Ma + 4.43013);
    dr += 151 * cos(g - 2 * Ma + 5.14872);
    dr += 168 * cos(3 * g - 3 * Ma + 3.55175);
    dr += 215 * cos(2 * g - 3 * Ma + 4.34587);
    dr += 478 * cos(3 * g - 4 * Ma + 0.26477);
    dr += 105 * cos(2 * g - 4 * Ma + 1.15017);
    dr += 107 * cos(4 * g - 5 * Ma + 5.66534);
    dr += 139 * cos(4 * g - 6 * Ma + 2.39634);
    dr += 208 * cos(2 * g - Ju + 1.95477);
    dr += 7067 * cos(g - Ju + 1.56286);
    dr += 244 * cos(5.90968 - Ju);
    dr += 103 * cos(3 * g - 2 * Ju + 6.11738);
    dr += 4026 * cos(2 * g - 2 * Ju + 6.23271);
    dr += 1459 * cos(g - 2 * Ju + 0.33976);
    dr += 281 * cos(3 * g - 3 * Ju + 1.41721);
    dr += 803 * cos(2 * g - 3 * Ju + 6.15333);
    dr += 174 * cos(g - 3 * Ju + 0.1501);
    dr += 113 * cos(2 * g - 4 * Ju + 6.06851);
    dr += 429 * cos(g - Sa + 0.185);
    dr += 162 * cos(2 * g - 2 * Sa + 3.50113);
    dr += 112 * cos(g - 2 * Sa + 3.54476);
    dr += 13360 * cos(D) + 370 * cos(D + Mm) - 1330 * cos(D - Mm) - 140 * cos(D + g) + 360 * cos(D - g);

    out.R = std::pow(10.0, logR0 + dr * 0.000000001);
    return out;
}

// Mean elements: L, a, e, i, w (argument of perihelion), N (node), each
// c0 + c1 T + c2 T^2 + c3 T^3 with T in Julian centuries from JD 2415020.0.
const std::array<PlanetRecord, 7> kPlanetElementTable = {{
    {"Merkur", 3,
     {178.179078, 149474.07078, 0.0003011, 0},
     {0.3870986, 0, 0, 0},
     {0.20561421, 0.00002046, -0.000000030, 0},
     {7.002881, 0.0018608, -0.0000183, 0},
     {28.753753, 0.3702806, 0.0001208, 0},
     {47.145944, 1.1852083, 0.0001739, 0},
     1.666e-7, 3.36, -0.42, 1.815, 1.023},
    {"Venus", 4,
     {342.767053, 58519.21191, 0.0003097, 0},
     {0.7233316, 0, 0, 0},
     {0.00682069, -0.00004774, 0.000000091, 0},
     {3.393631, 0.0010058, -0.0000010, 0},
     {54.384186, 0.5081861, -0.0013864, 0},
     {75.779647, 0.8998500, 0.0004100, 0},
     2.475e-6, 8.34, -4.40, 1.322, 0.4247},
    {"Mars", 5,
     {293.737334, 19141.69551, 0.0003107, 0},
     {1.5236883, 0, 0, 0},
     {0.09331290, 0.000092064, -0.000000077, 0},
     {1.850333, -0.0006750, 0.0000126, 0},
     {285.431761, 1.0697667, 0.0001313, 0.00000414},
     {48.786442, 0.7709917, -0.0000014, -0.00000533},
     3.232e-7, 4.68, -1.52, 1.486, 0},
    {"Jupiter", 6,
     {238.049257, 3036.301986, 0.0003347, -0.00000165},
     {5.202561, 0, 0, 0},
     {0.04833475, 0.000164180, -0.0000004676, -0.0000000017},
     {1.308736, -0.0046961, 0.0000039, 0},
     {273.277558, 0.5994317, 0.00070405, 0.00000508},
     {99.443414, 1.0105300, 0.00035222, -0.00000851},
     9.596e-4, 98.44, -9.40, 0, 0},
    {"Saturn", 7,
     {266.564377, 1223.509884, 0.0003245, -0.0000058},
     {9.554747, 0, 0, 0},
     {0.05589232, -0.00034550, -0.000000728, 0.00000000074},
     {2.492519, -0.0039189, -0.00001549, 0.00000004},
     {338.307800, 1.0852207, 0.00097854, 0.00000992},
     {112.790414, 0.8731951, -0.00015218, -0.00000531},
     2.874e-4, 82.73, -8.88, 0, 0},
    {"Uranus", 8,
     {244.197470, 429.863546, 0.0003160, -0.00000060},
     {19.21814, 0, 0, 0},
     {0.0463444, -0.00002658, 0.000000077, 0},
     {0.772464, 0.0006253, 0.0000395, 0},
     {98.071581, 0.9857650, -0.0010745, -0.00000061},
     {73.477111, 0.4986678, 0.0013117, 0},
     4.394e-5, 35.02, -7.19, 0, 0},
    {"Neptun", 9,
     {84.457994, 219.885914, 0.0003205, -0.00000060},
     {30.10957, 0, 0, 0},
     {0.00899704, 0.000006330, -0.000000002, 0},
     {1.779242, -0.0095436, -0.0000091, 0},
     {276.045975, 0.3256394, 0.00014095, 0.000004113},
     {130.681389, 1.0989350, 0.00024987, -0.000004718},
     5.202e-5, 33.5, -6.87, 0, 0},
}};

const PlanetRecord* FindPlanet(ObjectKind kind) {
    if (!IsPlanet(kind)) return nullptr;
    return &kPlanetElementTable[static_cast<std::size_t>(kind) - static_cast<std::size_t>(ObjectKind::Mercury)];
}

namespace {
// Kepler's equation E - e sin E = M by bisection (the root is unique for
// 0 <= e < 1 and lies within e of M), finished to the last bits.
double BracketedKepler(double M, double e) {
    double lo = M - e, hi = M + e;
    for (int i = 0; i < 200 && hi - lo > 0; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) break;
        if (mid - e * std::sin(mid) - M < 0)
            lo = mid;
        else
            hi = mid;
    }
    return lo + (hi - lo) / 2;
}
}  // namespace

double SolveKepler(double M, double e, bool* nonFinite) {
    double E = M;
    bool converged = false;
    if (nonFinite) *nonFinite = false;
    for (int step = 0;; ++step) {
        const double next = E + (M - E + e * std::sin(E)) / (1 - e * std::cos(E));
        if (!std::isfinite(next) && nonFinite) *nonFinite = true;
        converged = std::fabs(E - next) < 1e-8;
        const bool done = converged || next > 1e10 || step >= 60;
        E = next;
        if (done || !std::isfinite(E)) break;
    }
    // Newton's steps from E = M wander for eccentricities near 1 and can end
    // after the step limit far from any solution (r off by many AU for a
    // long-period comet). Then the equation is solved by bisection instead;
    // every converging case keeps the iteration's own result.
    if (!converged && e >= 0 && e < 1 && std::isfinite(M)) E = BracketedKepler(M, e);
    return E;
}

BodyResult EvaluatePlanet(const PlanetRecord& p, double T) {
    BodyResult out;
    const double L = Mod2Pi(Poly(p.L, T) * kDegToRad);
    const double a = Poly(p.a, T);
    const double e = Poly(p.e, T);
    const double i = Poly(p.i, T) * kDegToRad;
    const double w = Poly(p.w, T) * kDegToRad;
    const double N = Poly(p.N, T) * kDegToRad;
    const double M = Mod2Pi(L - w - N);
    const double E = SolveKepler(M, e);
    const double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    out.radius = a * (1 - e * std::cos(E));
    const double u = w + v;
    const Spherical sp = RectToSpherical(std::cos(u), std::sin(u) * std::cos(i), std::sin(u) * std::sin(i));
    out.lon = Mod2Pi(sp.lon + N);
    out.lat = sp.lat;
    out.period = std::sqrt(a * a * a);
    return out;
}

BodyResult ComputeBody(ObjectKind kind, double T, const PreparedOrbit* orbit) {
    BodyResult out;
    if (kind == ObjectKind::Sun) {
        const SunPlace sun = SunTheory(T);
        out.lon = sun.lambda;
        out.lat = sun.beta;
        out.radius = sun.R;
        return out;
    }
    if (kind == ObjectKind::Moon) {
        const MoonPlace moon = MoonTheory(T);
        out.lon = moon.lambda;
        out.lat = moon.beta;
        out.parallax = moon.parallax;
        out.diameter = moon.diameter;
        out.distanceAU = moon.distanceAU;
        out.period = kMoonPeriodYears;
        return out;
    }
    if (kind == ObjectKind::Disk && orbit) {
        const HeliocentricPlace h = SolveOrbit(*orbit, T);
        out.lon = h.lon;
        out.lat = h.lat;
        out.radius = h.r;
        out.period = h.period;
        out.failed = !h.ok;
        return out;
    }
    if (const PlanetRecord* p = FindPlanet(kind)) return EvaluatePlanet(*p, T);
    out.notFound = true;
    return out;
}

GeocentricResult GeocentricPlanet(ObjectKind kind, const BodyResult& atT, double T, double lambda0, double R,
                                  const BodyPhotometry& ph, const PreparedOrbit* orbit) {
    GeocentricResult out;
    double l = atT.lon, b = atT.lat, r = atT.radius;
    double Delta = std::sqrt(R * R + r * r + 2 * R * r * std::cos(b) * std::cos(l - lambda0));
    double tau = kLightDaysPerAU * Delta;

    // Light time: the body is taken where it was when the light left it.
    const double Tr = T - tau / kDaysPerCentury;
    const BodyResult retarded = ComputeBody(kind, Tr, orbit);
    out.T = Tr;
    out.period = retarded.period;
    if (retarded.failed || retarded.notFound) {
        out.failed = true;
        return out;
    }
    l = retarded.lon;
    b = retarded.lat;
    r = retarded.radius;
    Delta = std::sqrt(R * R + r * r + 2 * R * r * std::cos(b) * std::cos(l - lambda0));
    out.l = l;
    out.b = b;
    out.r = r;

    const double N = r * std::cos(b) * std::sin(l - lambda0);
    const double D = r * std::cos(b) * std::cos(l - lambda0) + R;
    out.lambda = Mod2Pi(lambda0 + std::atan(N / D) + (D < 0 ? kPi : 0));
    out.beta = SafeAsin(r * std::sin(b) / Delta);

    double psi = SafeAcos(std::cos(lambda0 - out.lambda) * std::cos(out.beta));
    if (Mod2Pi(out.lambda - lambda0) > kPi) psi = -psi;
    out.elongation = psi;
    out.delta = Delta;
    out.lightTime = kLightDaysPerAU * Delta;
    const double i = SafeAcos((Delta * Delta + r * r - R * R) / (2 * Delta * r));
    out.phaseAngle = i;

    if (ph.index < 10)
        out.magnitude = ph.m0 + ph.m1 * (i / 1.7453) + ph.m2 * (i * i / 3.046174) + 5 * std::log10(r * Delta);
    else if (ph.index == 11)
        out.magnitude = ph.m0 + 5 * std::log10(Delta) + 10 * std::log10(r);
    else
        out.magnitude = ph.m0 + 5 * std::log10(r * Delta) -
                        2.5 * std::log10(std::exp(-3.33 * std::pow(std::tan(i / 2), 0.63)));
    out.diameter = 2 * ph.s / 3600 / Delta;
    return out;
}

}  // namespace astronomy

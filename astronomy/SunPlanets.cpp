// The Sun's theory, the mean elements of the planets and their geocentric places.
#include "astronomy/SunPlanets.h"

#include <cmath>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/Moon.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/ProgramState.h"
#include "astronomy/Series.h"

namespace astronomy {

namespace {

double Deg(double degrees) { return degrees * kDegToRad; }
double Sin(double degrees) { return std::sin(degrees * kDegToRad); }
// Degrees to radians, reduced into 0..2 pi.
double Reduced(double degrees) { return Mod2Pi(degrees * kDegToRad); }

double Poly(const double c[4], double T) { return c[0] + c[1] * T + c[2] * T * T + c[3] * T * T * T; }

// The Sun after S. Newcomb's theory of the Earth's motion ("Tables of the
// Motion of the Earth on its Axis and Around the Sun", Astronomical Papers
// prepared for the use of the American Ephemeris and Nautical Almanac,
// vol. VI, 1895): the long-period terms of the mean longitude and anomaly,
// the elliptic terms up to 3g, and the periodic perturbations by Venus,
// Mars, Jupiter, Saturn and the Moon of at least 0.1" in longitude and
// latitude and 1e-7 in log10 R, save that in longitude the Venus terms begin
// at 4V - 4g (the seven of lower order, up to 5.5", are not in the series).
// Coefficients in arcseconds, perturbations of log10 R in units of 1e-9.
// Time-dependent coefficients are c0 + cT T in the tables; a zero cT leaves
// c0 as it is.
double Coefficient(double c0, double cT, double T) { return cT == 0 ? c0 : c0 + cT * T; }

// The long-period terms in the mean longitude and mean anomaly,
// (c0 + cT T) sin(a0 + a1 T), the angles in degrees (the mean longitude has
// one more, 0.202" sin(315.6 + 893.3 T), of its own).
struct LongPeriodTerm {
    double c0, cT, a0, a1;
};
constexpr LongPeriodTerm kLongPeriodTerms[] = {
    {1.882, -0.016, 57.24, 150.27},
    {6.4, 0, 231.19, 20.2},
    {0.266, 0, 31.8, 119},
};

// (c0 + cT T) sin k g: the equation of the centre. (c0 + cT T) cos k g: the
// elliptic part of log10 R (in units of 1) after its constant.
struct EllipticTerm {
    double c0, cT;
    int k;
};
constexpr EllipticTerm kEquationOfCentre[] = {{6910.057, -17.24, 1}, {72.338, -0.361, 2}, {1.054, 0, 3}};
constexpr EllipticTerm kEllipticLogR[] = {
    {-0.00727412, 0.00001814, 1}, {-0.00009138, 0.00000046, 2}, {-0.00000145, 0, 3}};

// c cos(j P + i g + phase): P the perturbing planet's mean anomaly, g the
// Sun's; the phase in radians.
enum Perturber { kVenus, kMars, kJupiter, kSaturn };
struct PlanetTerm {
    Perturber planet;
    double coefficient;
    int j, i;
    double phase;
};
constexpr PlanetTerm kLongitudeByPlanets[] = {
    {kVenus, 0.21, 4, -4, 3.598869},     {kVenus, 0.144, 4, -5, 3.410373},    {kVenus, 0.152, 4, -6, 6.000442},
    {kVenus, 0.123, 5, -7, 3.408628},    {kVenus, 0.154, 5, -8, 6.276204},
    {kMars, 0.273, -1, 1, 3.799582},     {kMars, 2.043, -2, 2, 6.001978},     {kMars, 1.77, -2, 1, 3.497675},
    {kMars, 0.129, -3, 3, 5.134759},     {kMars, 0.425, -3, 2, 5.914572},     {kMars, 0.5, -4, 3, 1.835737},
    {kMars, 0.585, -4, 2, 5.830447},     {kMars, 0.204, -5, 3, 1.759292},     {kMars, 0.154, -6, 4, 3.968879},
    {kMars, 0.101, -6, 3, 1.680752},     {kMars, 0.106, -7, 4, 3.886848},
    {kJupiter, 0.163, -1, 2, 3.466224},  {kJupiter, 7.208, -1, 1, 3.133425},  {kJupiter, 2.6, -1, 0, 4.594003},
    {kJupiter, 2.731, -2, 2, 1.520967},  {kJupiter, 1.61, -2, 1, 1.911013},   {kJupiter, 0.164, -3, 3, 2.975786},
    {kJupiter, 0.556, -3, 2, 1.442515},  {kJupiter, 0.21, -3, 1, 1.719149},
    {kSaturn, 0.419, -1, 1, 1.755452},   {kSaturn, 0.32, -1, 0, 4.702964},    {kSaturn, 0.108, -2, 2, 5.071927},
    {kSaturn, 0.112, -2, 1, 5.124287},
};
constexpr PlanetTerm kLatitudeByPlanets[] = {
    {kVenus, -0.21, 3, -4, 2.64941},
    {kJupiter, -0.166, -2, 1, 4.633849},
};
constexpr PlanetTerm kLogRByPlanets[] = {
    {kVenus, 2359, 1, -1, 3.64913},    {kVenus, 160, 2, -1, 1.01927},     {kVenus, 6842, 2, -2, 1.01784},
    {kVenus, 869, 2, -3, 3.95666},     {kVenus, 1045, 3, -3, 1.52838},    {kVenus, 1497, 3, -4, 4.45495},
    {kVenus, 194, 3, -5, 0.86394},     {kVenus, 376, 4, -4, 2.02947},     {kVenus, 196, 4, -5, 1.83609},
    {kVenus, 163, 5, -5, 2.53771},     {kVenus, 141, 5, -7, 1.83958},
    {kMars, 150, -1, 1, 2.22879},      {kMars, 2057, -2, 2, 4.43013},     {kMars, 151, -2, 1, 5.14872},
    {kMars, 168, -3, 3, 3.55175},      {kMars, 215, -3, 2, 4.34587},      {kMars, 478, -4, 3, 0.26477},
    {kMars, 105, -4, 2, 1.15017},      {kMars, 107, -5, 4, 5.66534},      {kMars, 139, -6, 4, 2.39634},
    {kJupiter, 208, -1, 2, 1.95477},   {kJupiter, 7067, -1, 1, 1.56286},  {kJupiter, 244, -1, 0, 5.90968},
    {kJupiter, 103, -2, 3, 6.11738},   {kJupiter, 4026, -2, 2, 6.23271},  {kJupiter, 1459, -2, 1, 0.33976},
    {kJupiter, 281, -3, 3, 1.41721},   {kJupiter, 803, -3, 2, 6.15333},   {kJupiter, 174, -3, 1, 0.1501},
    {kJupiter, 113, -4, 2, 6.06851},
    {kSaturn, 429, -1, 1, 0.185},      {kSaturn, 162, -2, 2, 3.50113},    {kSaturn, 112, -2, 1, 3.54476},
};

// The Moon's terms, multipliers of D, M (the Moon's mean anomaly), F, g.
constexpr SeriesTerm<4> kLongitudeByMoon[] = {
    {6.454, {1, 0, 0, 0}}, {0.177, {1, 1, 0, 0}}, {-0.424, {1, -1, 0, 0}}, {0.172, {1, 0, 0, -1}}};
constexpr SeriesTerm<4> kLatitudeByMoon[] = {{0.576, {0, 0, 1, 0}}};
constexpr SeriesTerm<4> kLogRByMoon[] = {
    {13360, {1, 0, 0, 0}}, {370, {1, 1, 0, 0}}, {-1330, {1, -1, 0, 0}}, {-140, {1, 0, 0, 1}}, {360, {1, 0, 0, -1}}};

double LongPeriodSum(double T) {
    double sum = kEmptySum;
    for (const LongPeriodTerm& t : kLongPeriodTerms) sum += Coefficient(t.c0, t.cT, T) * Sin(t.a0 + t.a1 * T);
    return sum;
}

// sum + each planet term in the table's order; anomalies of Venus, Mars,
// Jupiter, Saturn.
template <std::size_t M>
double AddPlanetTerms(double sum, const PlanetTerm (&terms)[M], const std::array<double, 4>& anomalies, double g) {
    for (const PlanetTerm& t : terms)
        sum += t.coefficient * std::cos(SeriesArgument<2>({t.j, t.i}, {anomalies[t.planet], g}) + t.phase);
    return sum;
}

}  // namespace

SunPlace SunTheory(double T) {
    const double Q = LongPeriodSum(T);
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
    const std::array<double, 4> planets = {V, Ma, Ju, Sa};

    // Longitude in arcseconds: the planets' terms are added one by one, the
    // Moon's as one sum.
    double dl = kEmptySum;
    for (const EllipticTerm& t : kEquationOfCentre) dl += Coefficient(t.c0, t.cT, T) * std::sin(t.k * g);
    dl = AddPlanetTerms(dl, kLongitudeByPlanets, planets, g);
    dl += AddSineTerms(kEmptySum, kLongitudeByMoon, {D, Mm, F, g});

    SunPlace out;
    out.lambda = L + Deg(dl / 3600);
    const double betaArcsec =
        AddSineTerms(AddPlanetTerms(kEmptySum, kLatitudeByPlanets, planets, g), kLatitudeByMoon, {D, Mm, F, g});
    out.beta = Deg(betaArcsec / 3600);

    double logR0 = 0.00003057 - 0.00000015 * T;
    for (const EllipticTerm& t : kEllipticLogR) logR0 += Coefficient(t.c0, t.cT, T) * std::cos(t.k * g);
    double dr = AddPlanetTerms(kEmptySum, kLogRByPlanets, planets, g);
    dr += AddCosineTerms(kEmptySum, kLogRByMoon, {D, Mm, F, g});

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

double SolveKepler(double M, double e) {
    double E = M;
    bool converged = false;
    for (int step = 0;; ++step) {
        const double next = E + (M - E + e * std::sin(E)) / (1 - e * std::cos(E));
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

// Tests of the geographic <-> UTM conversions.

#include "astronomy/Utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "astronomy/ProgramState.h"

namespace astronomy {
namespace {

constexpr double kDeg = kDegToRad;
constexpr double kPrefixUnit = 1000000.0;
constexpr double kFalseNorthing = 10000000.0;

// Ground distance per radian of latitude, rounded down (the meridian radius
// of WGS84 is at least 6335439 m, at the equator), so that a tolerance in
// metres divided by it errs on the strict side.
constexpr double kMetresPerRadian = 6335000.0;

double AngleDifference(double a, double b) { return std::remainder(a - b, 2.0 * kPi); }

// Zone number as written in front of the six-digit easting.
double ZoneOf(const UtmCoordinates& u) { return std::floor(u.east / kPrefixUnit); }

// ---------------------------------------------------------------------------
// Independent computation: the transverse Mercator projection by Krueger's
// series in the third flattening n, to sixth order, after C. F. F. Karney,
// "Transverse Mercator with an accuracy of a few nanometers", J. Geodesy 85
// (2011), eqs. (7)-(11) and (35). It shares nothing with the program's
// Gauss-Krueger power series in l: it maps through the conformal latitude
// and a trigonometric series, and is accurate to about 5 nm within the UTM
// range. WGS84 with its defining inverse flattening 298.257223563.
struct KruegerGrid {
    double east = 0;   // metres from the central meridian, scaled by k0
    double north = 0;  // metres from the equator, scaled by k0, signed
};

KruegerGrid KruegerForward(double phi, double l) {
    const double a = 6378137.0, f = 1.0 / 298.257223563, k0 = 0.9996;
    const double n = f / (2.0 - f), e = std::sqrt(f * (2.0 - f));
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
    const double alpha[6] = {
        n / 2 - 2 * n2 / 3 + 5 * n3 / 16 + 41 * n4 / 180 - 127 * n5 / 288 + 7891 * n6 / 37800,
        13 * n2 / 48 - 3 * n3 / 5 + 557 * n4 / 1440 + 281 * n5 / 630 - 1983433 * n6 / 1935360,
        61 * n3 / 240 - 103 * n4 / 140 + 15061 * n5 / 26880 + 167603 * n6 / 181440,
        49561 * n4 / 161280 - 179 * n5 / 168 + 6601661 * n6 / 7257600,
        34729 * n5 / 80640 - 3418889 * n6 / 1995840,
        212378941 * n6 / 319334400};
    const double rectifyingRadius = a / (1 + n) * (1 + n2 / 4 + n4 / 64 + n6 / 256);

    const double tau = std::tan(phi);
    const double sigma = std::sinh(e * std::atanh(e * tau / std::sqrt(1 + tau * tau)));
    const double tauConformal = tau * std::sqrt(1 + sigma * sigma) - sigma * std::sqrt(1 + tau * tau);
    const double xiP = std::atan2(tauConformal, std::cos(l));
    const double etaP =
        std::asinh(std::sin(l) / std::sqrt(tauConformal * tauConformal + std::cos(l) * std::cos(l)));
    double xi = xiP, eta = etaP;
    for (int j = 1; j <= 6; ++j) {
        xi += alpha[j - 1] * std::sin(2 * j * xiP) * std::cosh(2 * j * etaP);
        eta += alpha[j - 1] * std::cos(2 * j * xiP) * std::sinh(2 * j * etaP);
    }
    return {k0 * rectifyingRadius * eta, k0 * rectifyingRadius * xi};
}

// Northing with the false northing of the southern hemisphere taken off.
double SignedNorth(double north, double latDeg) { return latDeg < 0 ? north - kFalseNorthing : north; }

// Sample latitudes (degrees) of the UTM range, both hemispheres.
const std::vector<double> kSampleLatitudes = {-80.0, -67.25, -45.0, -23.4, -10.0, -0.5, 0.0,
                                               0.7,   12.5,   33.3,  50.0,  61.9,  78.9, 84.0};
// Offsets from the central meridian (degrees), up to the zone borders.
const std::vector<double> kSampleOffsets = {-3.0, -2.2, -1.0, 0.0, 0.3, 1.7, 2.999999};

// ---------------------------------------------------------------------------

TEST(UtmTest, WorkedExamplesBothWays) {
    // Worked examples: 9 deg E is the central meridian of zone 32. The
    // northings are given to the centimetre, so they hold to half a
    // centimetre (plus a micrometre for the arithmetic); read back, 5 mm is
    // at most 0.005 m / 6335000 m = 7.9e-10 rad of latitude.
    struct Case {
        double lonDeg, latDeg, east, north;
    };
    for (const Case& c : {Case{9.0, 50.0, 32500000.0, 5538630.70}, Case{9.0, -10.0, 32500000.0, 8894587.51}}) {
        SCOPED_TRACE(testing::Message() << c.lonDeg << " E, " << c.latDeg << " N");
        const UtmCoordinates u = GeoToUtm(c.lonDeg * kDeg, c.latDeg * kDeg);
        EXPECT_NEAR(u.north, c.north, 0.005 + 1e-6);
        // On the central meridian the easting is the false easting exactly;
        // a micrometre allows for 9 deg not being exact in radians.
        EXPECT_NEAR(u.east, c.east, 1e-6);
        const GeoCoordinates g = UtmToGeo(c.east, SignedNorth(c.north, c.latDeg));
        EXPECT_NEAR(g.longitude, c.lonDeg * kDeg, 1e-15);
        EXPECT_NEAR(g.latitude, c.latDeg * kDeg, 0.005 / kMetresPerRadian);
    }
    // The equator on the central meridian is the origin of the northings.
    EXPECT_EQ(GeoToUtm(9.0 * kDeg, 0.0).north, 0.0);
}

TEST(UtmToGeoTest, EastingWithoutPrefixIsReadInZone30) {
    // An easting below 1000000 has no zone prefix and is read in zone 30:
    // 500000 is the central meridian -3 deg at every northing (worked
    // example). From 1000000 on the easting carries the zone: d500000 is the
    // central meridian of zone d (6 d - 183 deg). On a central meridian the
    // longitude offset is exactly zero.
    const double cases[][3] = {{500000.0, 0.0, -3.0},          {500000.0, 5538630.70, -3.0},
                               {500000.0, -4000000.0, -3.0},   {500000.0, 9000000.0, -3.0},
                               {1500000.0, 5000000.0, -177.0}, {9500000.0, 2000000.0, -129.0},
                               {-500000.0, 1000000.0, -9.0}};  // east, north, central meridian
    for (const auto& [east, north, centralDeg] : cases) {
        SCOPED_TRACE(testing::Message() << "east " << east << " north " << north);
        EXPECT_NEAR(UtmToGeo(east, north).longitude, centralDeg * kDeg, 1e-15);
    }
    // Off the central meridian the longitude stays on the same side of -3 deg.
    EXPECT_LT(UtmToGeo(400000.0, 5000000.0).longitude, -3.0 * kDeg);
    EXPECT_GT(UtmToGeo(600000.0, 5000000.0).longitude, -3.0 * kDeg);
}

TEST(GeoToUtmTest, ZonesFollowTheStandardBoundaries) {
    // UTM zone definition: zone = floor((lon + 180) / 6) + 1, each zone
    // covering [6 zone - 186, 6 zone - 180) deg; a border belongs to the
    // zone east of it.
    struct Case {
        double lonDeg;
        double zone;
    };
    const Case cases[] = {{-180.0, 1}, {-174.0001, 1}, {-174.0, 2}, {-123.1, 10}, {-6.0, 30}, {-0.0001, 30},
                          {0.0, 31},   {5.9999, 31},   {6.0, 32},   {151.2, 56},  {179.9999, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lonDeg << " deg");
        EXPECT_EQ(ZoneOf(GeoToUtm(c.lonDeg * kDeg, 47.0 * kDeg)), c.zone);
    }
}

TEST(GeoToUtmTest, PoleLiesAtTheScaledQuarterMeridian) {
    // Published length of the WGS84 quarter meridian, 10001965.729 m (the
    // standard tables of the meridian arc), scaled by k0: 9997964.943 m. It
    // is given to the millimetre, and the series falls 0.09 mm short at the
    // pole (see MeridianArcAgreesWithKruegerSeries): 0.6 mm. The northing at
    // the pole is the meridian arc alone, whatever the longitude offset.
    for (double offsetDeg : {0.0, -2.5, 1.0}) {
        SCOPED_TRACE(testing::Message() << "offset " << offsetDeg);
        const UtmCoordinates u = GeoToUtm((9.0 + offsetDeg) * kDeg, 90.0 * kDeg);
        EXPECT_NEAR(u.north, 0.9996 * 10001965.729, 0.0006);
    }
}

TEST(UtmTest, MatchesKruegerSeriesWithinTheZone) {
    // Independent computation (KruegerForward above), in both directions.
    // The power series in l stops at l^4 (northing) and l^5 (easting). At a
    // zone border (l = 3 deg) the first omitted northing term,
    // N sin cos^5 (61 - 58 t^2 + t^4) l^6 / 720, reaches 2.45 mm (near 20 deg
    // latitude), the first omitted easting term,
    // N cos^7 (61 - 479 t^2 + 179 t^4 - t^6) l^7 / 5040, 0.08 mm (at the
    // equator); the meridian arc adds at most 0.09 mm (see
    // MeridianArcAgreesWithKruegerSeries). Hence 3 mm and 0.2 mm, both well
    // inside the centimetre that UTM coordinates need within a zone; read
    // back, 3 mm on the ground as an angle of latitude and, east-west,
    // divided by cos(latitude).
    const double groundTolerance = 0.003 / kMetresPerRadian;
    for (double centralDeg : {-75.0, 9.0, 147.0}) {
        const double zone = (centralDeg + 183.0) / 6.0;
        for (double latDeg : kSampleLatitudes) {
            for (double offsetDeg : kSampleOffsets) {
                SCOPED_TRACE(testing::Message() << "central " << centralDeg << " lat " << latDeg
                                                << " offset " << offsetDeg);
                const double lon = (centralDeg + offsetDeg) * kDeg;
                const double lat = latDeg * kDeg;
                const KruegerGrid k = KruegerForward(lat, offsetDeg * kDeg);
                const UtmCoordinates u = GeoToUtm(lon, lat);
                EXPECT_EQ(ZoneOf(u), zone);
                EXPECT_NEAR(u.east - zone * kPrefixUnit - 500000.0, k.east, 0.0002);
                EXPECT_NEAR(SignedNorth(u.north, latDeg), k.north, 0.003);

                // A negative northing is read as southern.
                const GeoCoordinates g = UtmToGeo(zone * kPrefixUnit + 500000.0 + k.east, k.north);
                EXPECT_NEAR(g.latitude, lat, groundTolerance);
                EXPECT_NEAR(AngleDifference(g.longitude, lon), 0.0, groundTolerance / std::cos(lat));
            }
        }
    }
}

TEST(GeoToUtmTest, MeridianArcAndLongitudeTermsAgreeWithKruegerSeries) {
    // On the central meridian the northing is k0 times the meridian arc. Its
    // coefficients stop at e^8; the first omitted term of A,
    // 43659/65536 e^10 a (1 - e^2) phi, is 0.09 mm at the pole (confirmed by
    // numerical integration of the meridian radius), hence 0.1 mm.
    // Within 1 deg of the central meridian the omitted terms of the series in
    // l shrink by 3^6 and 3^7 to 3.4 and 0.04 micrometres. Subtracting the
    // northing on the central meridian removes the meridian arc, so that the
    // eta^2 parts of the retained terms are checked too: 4 and 1 micrometres.
    std::vector<double> latitudes = kSampleLatitudes;
    latitudes.insert(latitudes.end(), {-90.0, 90.0});
    for (double latDeg : latitudes) {
        SCOPED_TRACE(testing::Message() << "lat " << latDeg);
        const double northOnCentral = SignedNorth(GeoToUtm(9.0 * kDeg, latDeg * kDeg).north, latDeg);
        const double kruegerOnCentral = KruegerForward(latDeg * kDeg, 0.0).north;
        EXPECT_NEAR(northOnCentral, kruegerOnCentral, 0.0001);
        if (std::fabs(latDeg) > 84.0) continue;
        for (double offsetDeg : {-1.0, -0.6, 0.25, 1.0}) {
            SCOPED_TRACE(testing::Message() << "offset " << offsetDeg);
            const KruegerGrid k = KruegerForward(latDeg * kDeg, offsetDeg * kDeg);
            const UtmCoordinates u = GeoToUtm((9.0 + offsetDeg) * kDeg, latDeg * kDeg);
            EXPECT_NEAR(u.east - 32500000.0, k.east, 1e-6);
            EXPECT_NEAR(SignedNorth(u.north, latDeg) - northOnCentral, k.north - kruegerOnCentral, 4e-6);
        }
    }
}

TEST(UtmRoundTripTest, GeographicToUtmAndBack) {
    // UtmToGeo solves the forward series itself, so the round trip is exact
    // up to rounding: grid values near 3e7 m carry 4e-9 m of rounding, far
    // below 1e-11 rad (0.06 mm). All 60 zones, the seven-digit eastings of
    // zones 1 to 9 included. Southern northings are passed with the false
    // northing taken off, as the inverse expects.
    for (int zone = 1; zone <= 60; ++zone) {
        for (double latDeg : kSampleLatitudes) {
            for (double offsetDeg : kSampleOffsets) {
                SCOPED_TRACE(testing::Message() << "zone " << zone << " lat " << latDeg << " offset " << offsetDeg);
                const double lon = (6.0 * zone - 183.0 + offsetDeg) * kDeg, lat = latDeg * kDeg;
                const UtmCoordinates u = GeoToUtm(lon, lat);
                const GeoCoordinates g = UtmToGeo(u.east, SignedNorth(u.north, latDeg));
                EXPECT_NEAR(g.latitude, lat, 1e-11);
                EXPECT_NEAR(AngleDifference(g.longitude, lon), 0.0, 1e-11);
            }
        }
    }
}

TEST(UtmRoundTripTest, UtmToGeographicAndBack) {
    // The other direction over grid coordinates that stay inside their zone
    // (30 km east-west reaches 83.7 deg; 200 km up to 45 deg). GeoToUtm gives
    // the zone and, south of the equator, the false northing back; the
    // residual is rounding of values near 3e7 m, far below a micrometre.
    for (int zone = 0; zone <= 60; ++zone) {  // 0: plain eastings, read in zone 30
        for (double north : {-9000000.0, -5000000.0, -1000000.0, -1000.0, 0.0, 1234.5, 1000000.0, 4000000.0,
                             5000000.0, 6000000.0, 9000000.0, 9300000.0}) {
            for (double offset : {-30000.0, -5000.25, 0.0, 12345.678, 29999.0, -200000.0, 200000.0}) {
                if (std::fabs(offset) > 30000.0 && std::fabs(north) > 5000000.0) continue;
                const double east = zone * kPrefixUnit + 500000.0 + offset;
                SCOPED_TRACE(testing::Message() << "east " << east << " north " << north);
                const GeoCoordinates g = UtmToGeo(east, north);
                const UtmCoordinates u = GeoToUtm(g.longitude, g.latitude);
                EXPECT_NEAR(u.east, (zone == 0 ? 30 : zone) * kPrefixUnit + 500000.0 + offset, 1e-6);
                EXPECT_NEAR(u.north, north < 0 ? north + kFalseNorthing : north, 1e-6);
            }
        }
    }
}

TEST(UtmToGeoTest, HemisphereOfTheNorthing) {
    // Northings count from the equator northwards: a southern place is read
    // back from its northing minus the false northing. The band between the
    // pole's northing (9997964.94 m, see PoleLiesAtTheScaledQuarterMeridian)
    // and 10000000 m holds no northern place and is read as the false
    // northing of places within about 2 km south of the equator.
    struct Case {
        double latDeg;
        double subtractFalseNorthing;  // what the caller passes: 0 or 1e7
    };
    // Northern near the pole and the equator; 1.1 km and 2.0 km south
    // (northings 9998894 m and 9998010 m) read as southern without help.
    const Case cases[] = {{89.99, 0.0},   {0.01, 0.0},    {-10.0, kFalseNorthing},
                          {-0.01, 0.0},   {-0.018, 0.0},  {-0.01, kFalseNorthing}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latDeg << " deg, minus " << c.subtractFalseNorthing);
        const UtmCoordinates u = GeoToUtm(10.3 * kDeg, c.latDeg * kDeg);
        const GeoCoordinates g = UtmToGeo(u.east, u.north - c.subtractFalseNorthing);
        // Round trip of the forward series, see GeographicToUtmAndBack.
        EXPECT_NEAR(g.latitude, c.latDeg * kDeg, 1e-11);
        EXPECT_NEAR(g.longitude, 10.3 * kDeg, 1e-11);
    }

    // Read without help, the northing of a southern place further from the
    // equator is a northern one: 10 deg S becomes about 80.2 deg N.
    const UtmCoordinates south = GeoToUtm(9.0 * kDeg, -10.0 * kDeg);
    EXPECT_GT(UtmToGeo(south.east, south.north).latitude, 80.0 * kDeg);

    // The pole itself, and a northing rounded up a few centimetres past it.
    for (double north : {9997964.943, 9997965.0}) {
        SCOPED_TRACE(testing::Message() << "north " << north);
        const GeoCoordinates pole = UtmToGeo(32500000.0, north);
        // 0.06 m beyond the pole is 1e-8 rad.
        EXPECT_NEAR(pole.latitude, kPi / 2.0, 1e-8);
        EXPECT_LE(pole.latitude, kPi / 2.0);
    }
}

TEST(UtmTest, NonFiniteOrImpossibleInputGivesNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double east, north;
        const char* why;
    };
    const Case cases[] = {
        {nan, 5000000.0, "easting NaN"}, {32500000.0, nan, "northing NaN"}, {inf, 5000000.0, "easting infinite"},
        {32500000.0, -inf, "northing infinite"}, {32500000.0, 1e300, "huge northing"},
        {32500000.0, 10000000.0, "northing of 1e7 m: no hemisphere gives it"},
        {32500000.0, -9999000.0, "beyond the south pole"}, {62500000.0, 5000000.0, "zone 62"},
        {1e300, 5000000.0, "huge easting: no zone"}, {-1e300, 5000000.0, "huge negative easting: no zone"},
        // 300 km west of the central meridian and 100 km from the pole: far
        // outside the reach of a series in the longitude offset.
        {32200000.0, 9900000.0, "beyond the series near the pole"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const GeoCoordinates g = UtmToGeo(c.east, c.north);
        EXPECT_TRUE(std::isnan(g.longitude));
        EXPECT_TRUE(std::isnan(g.latitude));
    }
    for (const auto& [lon, lat] : {std::pair{nan, 0.5}, {0.5, nan}, {inf, 0.5}, {0.5, -inf}}) {
        SCOPED_TRACE(testing::Message() << "GeoToUtm " << lon << ", " << lat);
        const UtmCoordinates u = GeoToUtm(lon, lat);
        EXPECT_TRUE(std::isnan(u.east));
        EXPECT_TRUE(std::isnan(u.north));
    }
}

}  // namespace
}  // namespace astronomy

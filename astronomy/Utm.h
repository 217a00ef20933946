// Geographic <-> UTM grid coordinates on the WGS84 ellipsoid.
#pragma once

namespace astronomy {

struct UtmCoordinates {
    double east = 0;   // metres, with the zone number x 1000000 in front
    double north = 0;  // metres; southern hemisphere + 10000000
};

// longitude (east positive) and latitude in radians. The zone is the one the
// longitude lies in, a zone border belonging to the zone east of it.
// Non-finite input gives NaN.
UtmCoordinates GeoToUtm(double longitude, double latitude);

struct GeoCoordinates {
    double longitude = 0;  // radians, east positive
    double latitude = 0;   // radians
};

// An easting without zone prefix (at most 9999999) is taken in zone 30.
// The northing counts from the equator: for a southern place pass the
// northing minus 10000000 (a negative number). Northings between the pole's
// (9997964.94 m) and 10000000 m can only be southern and are read so.
// Coordinates that are no place (non-finite, beyond a pole, no zone 1..61)
// give NaN in both fields.
GeoCoordinates UtmToGeo(double east, double north);

}  // namespace astronomy

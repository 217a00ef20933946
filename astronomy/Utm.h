// Geographic <-> UTM grid coordinates on the WGS84 ellipsoid.
#pragma once

namespace astronomy {

struct UtmCoordinates {
    double east = 0;   // metres, with the zone number x 1000000 in front
    double north = 0;  // metres; southern hemisphere + 10000000
};

// longitude (east positive) and latitude in radians.
UtmCoordinates GeoToUtm(double longitude, double latitude);

struct GeoCoordinates {
    double longitude = 0;  // radians, east positive
    double latitude = 0;   // radians
};

// An easting without zone prefix (at most 9999999) is taken in zone 30.
GeoCoordinates UtmToGeo(double east, double north);

}  // namespace astronomy

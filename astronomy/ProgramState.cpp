// The built-in places, the defaults and the latitude terms of the place.
#include "astronomy/ProgramState.h"

#include <cmath>

namespace astronomy {

const std::array<BuiltInPlace, 15> kBuiltInPlaces = {{
    {"Hannover", 9.79833333333333, 52.4},
    {"Berlin", 13.36666, 52.51666},
    {"Hamburg", 9.96666, 53.55},
    {"Köln", 6.95, 50.93333},
    {"Frankfurt", 8.65, 50.11666},
    {"München", 11.6, 48.15},
    {"London", 0.1, 51.48791},
    {"Rom", 12.49, 41.895538},
    {"Moskau", 37.938, 55.764229},
    {"New York", -73.987, 40.62217},
    {"Sydney", 151.02, -33.88977},
    {"Rio de Janeiro", -43.455, -22.721569},
    {"Nordpol", 0, 90},
    {"Äquator", 0, 0},
    {"Südpol", 0, -90},
}};

PlaceList BuiltInPlaces() {
    PlaceList places{};
    for (int n = 1; n <= kPlacesInMenu; ++n) {
        const BuiltInPlace& b = kBuiltInPlaces[n - 1];
        places[n] = Place{b.name, b.longitudeDeg * kDegToRad, b.latitudeDeg * kDegToRad};
    }
    return places;
}

void ApplyDefaults(ProgramState& s) { static_cast<StoredSettings&>(s) = StoredSettings{}; }

void SetLatitudeTerms(ProgramState& s) {
    s.SinLat = std::sin(s.Latitude);
    s.CosLat = std::cos(s.Latitude);
    if (s.SinLat >= 1) s.SinLat = 1;
    if (s.SinLat <= -1) s.SinLat = -1;
    // At the poles the cosine computes to about 6e-17 rather than 0; the
    // divisions of the rise and twilight formulas need a definite tiny value.
    if (s.CosLat == 0 || std::fabs(s.Latitude) == 90 * kDegToRad) s.CosLat = 1e-30;
    double polar = s.Latitude;
    if (s.Latitude > 89 * kDegToRad)
        polar = s.Latitude - 1 * kDegToRad;
    else if (s.Latitude < -89 * kDegToRad)
        polar = s.Latitude + 1 * kDegToRad;
    s.SinLatPolar = std::sin(polar);
    s.CosLatPolar = std::cos(polar);
}

bool SetPlaceFromList(ProgramState& s, int n) {
    if (n < 1 || n > s.OrtAnz || n > kPlaceSlots) return false;
    s.Longitude = s.Orte[n].longitude;
    s.Latitude = s.Orte[n].latitude;
    s.Ort = n;
    SetLatitudeTerms(s);
    return true;
}

}  // namespace astronomy

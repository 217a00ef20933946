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

void ApplyDefaults(ProgramState& s) {
    s.x_pos = 150;
    s.y_pos = 45;
    s.x_max = 1300;
    s.y_max = 900;
    s.Maximiert = 0;
    s.Zone = 1;
    s.Aequi = 2000;
    s.Objekt = "Sonne";
    s.DiskName = "Pluto";
    s.Pfad = s.DataFolder + "/Objekte/Pluto.kpl";
    s.Messier = 1;
    s.BelName = "Polarstern";
    s.BelAlpha = 2.5302777777777 * 15 * kDegToRad;
    s.BelDelta = 89.260555555 * kDegToRad;
    s.BelMag = 1.97;
    s.BelAequi = 2000;
    s.Ort = 1;
    s.ChartMode = 4;
    s.Grenzmag = 8.0;
    s.Invers = 1;
    s.DisplayFlags = 123;
    s.TrackLaenge = 31;
    s.TrackStep = 0;
    s.TrackDatum = "d";
    s.TrackAlle = 1;
    s.Alpha_min = 1.8;
    s.Alpha_max = 6.2;
    s.Delta_min = 5;
    s.Delta_max = 30;
    s.Pol_max = 120;
    s.Pol_min = 60;
    s.Pol_mitte = 0;
    s.Hoehe_max = 20;
    s.Hoehe_min = 0;
    s.Azi_min = 72.05;
    s.Azi_max = 118.65;
    s.View_lambda = 180;
    s.View_beta = 30;
    s.View_rs = 4;
    s.OrtAnz = 15;
    for (auto& p : s.Orte) p = Place{};
    for (int n = 1; n <= 15; ++n) {
        const BuiltInPlace& b = kBuiltInPlaces[n - 1];
        s.Orte[n] = Place{b.name, b.longitudeDeg * kDegToRad, b.latitudeDeg * kDegToRad};
    }
}

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

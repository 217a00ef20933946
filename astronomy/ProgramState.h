// The one record of everything the program knows between two commands.
// Field names are the settings-file keys where a field is stored there.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astronomy/Constants.h"
#include "astronomy/Objects.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/TimeCalendar.h"
#include "astronomy/Views.h"

namespace astronomy {

struct Place {
    std::string name;
    double longitude = 0;  // radians, east positive
    double latitude = 0;   // radians, north positive
    bool operator==(const Place&) const = default;
};

inline constexpr int kPlaceSlots = 20;
inline constexpr int kPlacesInMenu = 15;
using PlaceList = std::array<Place, kPlaceSlots + 1>;  // slots 1..20 (slot 0 unused)

// The 15 built-in places in slots 1 to 15.
PlaceList BuiltInPlaces();

// One entry of the Messier catalogue as the position service needs it.
struct MessierEntry {
    double ra = 0;         // radians, equinox 1950.0
    double dec = 0;        // radians, equinox 1950.0
    double magnitude = 0;
    std::string type;      // "OSt", "KSt", "PlN", "Ga", "E"
    std::string name;      // common name (may be blank)
    std::string constellation;
    std::string description;
};

// The interval of the ephemeris table: from the start instant to the end
// instant (Julian Date as day number and fraction) in steps of `step` days;
// a negative step lists backwards.
struct IntervalParameters {
    double startJ = 0, startF = 0;
    double endJ = 0, endF = 0;
    double step = 1;
    bool operator==(const IntervalParameters&) const = default;
};

// What the settings file keeps, with the values the program starts from
// when there is no settings file: these initialisers are the program's
// defaults, and nowhere else are they written down.
struct StoredSettings {
    // Window
    int x_pos = 150, y_pos = 45, x_max = 1300, y_max = 900;
    float Maximiert = 0;

    int Zone = 1;  // 0 UT, 1 MEZ, 2 MESZ (= offset from UT in hours)
    int Aequi = 2000;  // equinox of the displayed coordinates; 9999 = equinox of date

    // Places
    PlaceList Orte = BuiltInPlaces();
    int OrtAnz = kPlacesInMenu;
    int Ort = 1;

    // Selected object
    ObjectKind Objekt = ObjectKind::Sun;
    std::string Pfad;  // element file of "Disk"; empty: Objekte/Pluto.kpl of the data folder
    int Messier = 1;
    std::string BelName = "Polarstern";
    double BelAlpha = 2.5302777777777 * 15 * kDegToRad, BelDelta = 89.260555555 * kDegToRad, BelMag = 1.97;
    int BelAequi = 2000;

    // Display
    View ChartMode = View::WholeSky;
    int DisplayFlags = 123;
    double Grenzmag = 8.0;
    int Invers = 1;
    double TrackLaenge = 31;
    float TrackStep = 0;
    std::string TrackDatum = "d";
    int TrackAlle = 1;
    double Alpha_min = 1.8, Alpha_max = 6.2, Delta_min = 5, Delta_max = 30;
    double Pol_min = 60, Pol_max = 120, Pol_mitte = 0;
    double Hoehe_min = 0, Hoehe_max = 20, Azi_min = 72.05, Azi_max = 118.65;
    double View_lambda = 180, View_beta = 30, View_rs = 4;

    bool operator==(const StoredSettings&) const = default;
};

// The one record of everything the program knows between two commands:
// the stored settings and what the running program derives and keeps.
struct ProgramState : StoredSettings {
    // Layout of the drawing area (ComputeLayout)
    float PrintingFlag = 0;
    int ChartWidth = 0, ChartCentreX = 0, ChartCentreY = 0, ChartRadius = 0;
    int TextSplitX = 0, TextSplitHalfX = 0;
    double TextScale = 0;

    // The current instant is J, F; the zone's calendar date, clock time and
    // weekday are derived from it (ApplyJulianDate) and only read elsewhere.
    double J = 0, F = 0;   // Julian Date as day number and fraction from noon
    int Day = 1, Month = 1, Year = 2000;
    double ClockTime = 0;  // hours of the zone clock
    int Weekday = 0;       // 0 = Monday
    double RealtimeBaseJ = 0, RealtimeBaseF = 0, RealtimeBaseSeconds = 0;
    double RealtimeClockOffset = 0;  // seconds: computer clock minus shown clock
    double LastRealtimeDraw = 0;     // hours: ClockTime at the last timed redraw
    TimeQuantities tq;

    // The observing place (a place of the list, or one typed in)
    double Longitude = 0, Latitude = 0;
    double UtmEast = 0, UtmNorth = 0;
    double SinLat = 0, CosLat = 1;
    double SinLatPolar = 0, CosLatPolar = 1;

    // The orbit object "Disk" loaded from Pfad
    std::string DiskName = "Pluto";
    OrbitalElements Elements;

    // Display
    double ZoomStep = 2.0;   // factor of one "Zoom" / "Mooz" step
    double ChartZoom = 1.0;  // zoom of the chart, reset by every new layout
    // The three colours "Invers" switches (0xRRGGBB) and the drawing colours
    // of the bodies, numbered 1 to 14 (entry 0 unused).
    std::uint32_t BackgroundColour = 0xFFFFFF, ForegroundColour = 0x505050, ContrastColour = 0x000000;
    std::array<std::uint32_t, 15> BodyColourTable{};
    int OutputChannel = 2;
    double ChartLineHeight = 10;  // text line height of the chart labels
    float RedrawSuppressed = 0;
    bool TrackDrawing = false;  // raised while a track is drawn
    // The interval last asked for by the ephemeris table; nothing before
    // the first time. Kept while the program runs, not stored.
    std::optional<IntervalParameters> Interval;

    // The astrophotography inputs as last typed (film speed ASA, filter
    // factor, aperture and focal length in mm), offered again next time.
    std::string PhotoAsa, PhotoFilter, PhotoAperture, PhotoFocal;

    // Folders
    std::string ProgramFolder;
    std::string DataFolder;

    // Tables filled at start-up
    std::vector<MessierEntry> MessierCatalogue;  // entry n-1 is M n
};

// The built-in list of observing places (longitude, latitude in degrees).
struct BuiltInPlace {
    const char* name;
    double longitudeDeg;
    double latitudeDeg;
};
extern const std::array<BuiltInPlace, 15> kBuiltInPlaces;

// The stored settings take their defaults; the rest of the state stays.
void ApplyDefaults(ProgramState& s);

// The latitude terms of a place change: SinLat/CosLat (CosLat never 0) and
// the polar-chart variants moved off the pole.
void SetLatitudeTerms(ProgramState& s);

// SetPlace for a place of the list (1 <= n <= OrtAnz): takes its longitude
// and latitude and sets the latitude terms. Returns false (and changes
// nothing) for a number outside the list; the prompts for other numbers
// belong to the shell.
bool SetPlaceFromList(ProgramState& s, int n);

}  // namespace astronomy

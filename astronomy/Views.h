// The views of the main window. The settings file keeps the view as the
// number it has always had there (ViewNumber); inside the program it is a type.
#pragma once

#include <optional>

#include "astronomy/Objects.h"

namespace astronomy {

enum class View {
    None,             // 0: nothing drawn yet (start-up)
    ObjectBody,       // 1: the object view of a body
    ObjectMessier,    // 2: the object view of a Messier object
    ObjectArbitrary,  // 3: the object view of the arbitrary object
    WholeSky,         // 4: "Himmel"
    Equatorial,       // 5: "Äquatorial"
    Horizon,          // 5.5: "Horizont"
    NorthPolar,       // 6: "Nordpolar"
    SouthPolar,       // 7: "Südpolar"
    DayEphemeris,     // 8: "Tagesephemeride"
    MoonPhases,       // 9: moon phases and lunar eclipses
    Astrophoto,       // 10: the astrophotography calculator
    System,           // 12: "System", the solar system from a point in space
    Searching,        // 99: while an event search runs
};

// The stored number of a view, and the view of a stored number: any other
// number below 4 is the object view before its object is known (None);
// nothing for the other numbers that name no view.
float ViewNumber(View view);
std::optional<View> ViewFromNumber(float number);

// The object views, and the state before the first view (which the object
// commands treat as one).
bool IsObjectView(View view);
// The object view that shows an object of the kind.
View ObjectViewFor(ObjectKind kind);
// "Himmel" and the four framed charts.
bool IsSkyChart(View view);
// The charts with a frame and a legend strip: equatorial, horizon and the
// two polar charts.
bool IsFramedChart(View view);
// The rectangular charts: equatorial and horizon.
bool IsRectangularChart(View view);
bool IsPolarChart(View view);

}  // namespace astronomy

// The stored numbers of the views and the groups of views.
#include "astronomy/Views.h"

#include <array>
#include <utility>

namespace astronomy {

namespace {

constexpr std::array<std::pair<View, float>, 14> kViewNumbers = {{
    {View::None, 0.0f},
    {View::ObjectBody, 1.0f},
    {View::ObjectMessier, 2.0f},
    {View::ObjectArbitrary, 3.0f},
    {View::WholeSky, 4.0f},
    {View::Equatorial, 5.0f},
    {View::Horizon, 5.5f},
    {View::NorthPolar, 6.0f},
    {View::SouthPolar, 7.0f},
    {View::DayEphemeris, 8.0f},
    {View::MoonPhases, 9.0f},
    {View::Astrophoto, 10.0f},
    {View::System, 12.0f},
    {View::Searching, 99.0f},
}};

}  // namespace

float ViewNumber(View view) {
    for (const auto& [v, number] : kViewNumbers)
        if (v == view) return number;
    return 0.0f;
}

std::optional<View> ViewFromNumber(float number) {
    for (const auto& [v, n] : kViewNumbers)
        if (n == number) return v;
    // Any other number below the first chart stands for the object view,
    // which the start-up shows for the selected object.
    if (number < 4.0f) return View::None;
    return std::nullopt;
}

bool IsObjectView(View view) { return view <= View::ObjectArbitrary; }

View ObjectViewFor(ObjectKind kind) {
    if (kind == ObjectKind::Messier) return View::ObjectMessier;
    if (kind == ObjectKind::Arbitrary) return View::ObjectArbitrary;
    return View::ObjectBody;
}

bool IsSkyChart(View view) { return view == View::WholeSky || IsFramedChart(view); }

bool IsFramedChart(View view) { return view >= View::Equatorial && view <= View::SouthPolar; }

bool IsRectangularChart(View view) { return view == View::Equatorial || view == View::Horizon; }

bool IsPolarChart(View view) { return view == View::NorthPolar || view == View::SouthPolar; }

}  // namespace astronomy

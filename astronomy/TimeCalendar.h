// Civil date and zone time <-> Julian Date (held as day number J and
// fraction F from noon), the time quantities of an instant, Delta T and the
// sexagesimal split of hours and degrees.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace astronomy {

struct ProgramState;

// Integer parts: Int rounds towards minus infinity, Trunc towards zero.
inline double Int(double x) { return std::floor(x); }
inline double Trunc(double x) { return std::trunc(x); }
inline double Frac(double x) { return x - std::trunc(x); }  // x - Trunc(x)
inline int Sgn(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

struct JulianDate {
    double J = 0;     // integral day number
    double F = 0;     // 0 <= F < 1, from noon UT
    int weekday = 0;  // 0 = Monday ... 6 = Sunday
};

// An instant as day number and fraction: J integral, 0 <= F < 1.
struct Instant {
    double J = 0, F = 0;
    bool operator==(const Instant&) const = default;
};
// The instant J + F with J integral and 0 <= F < 1.
Instant NormaliseInstant(double J, double F);

struct CivilDate {
    double hours = 0;  // zone time of day
    int day = 1, month = 1, year = 2000;
    int weekday = 0;
};

// hours, day, month, year are zone time; zone is the offset from UT in hours.
JulianDate CalendarToJulianDate(double hours, int day, int month, int year, int zone);
CivilDate JulianDateToCalendar(double J, double F, int zone);

// TT - UT in days at the instant (J, F).
double DeltaT(double J, double F);

// Sidereal time, obliquity, nutation, local mean time and Delta T of an
// instant.
struct TimeQuantities {
    double GST0 = 0;       // hours, Greenwich mean sidereal time at 0h UT
    double LST = 0;        // hours, local apparent sidereal time
    double obliquity = 0;  // radians
    double nutation = 0;   // radians, nutation in longitude
    double LMT = 0;        // hours
    double deltaT = 0;     // days
};

// The time quantities of the instant J, F at the longitude (radians, east
// positive).
TimeQuantities TimeQuantitiesAt(double J, double F, double longitude);

// The state's time quantities follow its instant, zone and place.
void UpdateTimeQuantities(ProgramState& s);

// The zone's calendar date, clock time and weekday of the state follow the
// instant J, F (JulianDateToCalendar); the one place that writes them.
void ApplyJulianDate(ProgramState& s, double J, double F);

// The instant becomes J, F: the calendar fields and the time quantities
// follow it. Every command that moves the instant ends so.
void SetInstant(ProgramState& s, double J, double F);

// Splits a typed Julian Date at its first "." into the day number and the
// fraction, as the Julian Date entry does ("2451545.25" -> 2451545, 0.25).
// A negative date is split into a whole day number below it and a positive
// fraction. Returns false for text that is not a number.
bool SplitJulianDateText(const std::string& text, double& J, double& F);

// A calendar date as a user types it: day, month and year as whole numbers
// separated by ".", ",", "/" or blanks ("24.12.2026", "24 12 2026",
// "1,1,-3000"), the year within minYear..maxYear. Nothing for any other text
// or a day the month does not have (31.4., 29.2. of a common year, the days
// 5 to 14 October 1582 the Gregorian reform left out).
struct TypedDate {
    int day = 1, month = 1, year = 2000;
};
std::optional<TypedDate> ReadTypedDate(std::string_view text, int minYear, int maxYear);

// The years the program's calendar serves: from the epoch of the Julian
// Date to the last four-digit year.
inline constexpr int kFirstYear = -4712;
inline constexpr int kLastYear = 9999;
// True when the instant J + F lies within those years (in UT, with a day to
// spare for the zones).
bool InstantInServedYears(double J, double F);

struct Hms {
    int units = 0;
    int minutes = 0;
    double seconds = 0;
    int sign = 0;  // -1, 0, +1
};
Hms HoursToHms(double x);
double HmsToHours(int units, int minutes, double seconds, int sign);

// x - 24 INT(x/24)
inline double Mod24(double x) { return x - 24 * Int(x / 24); }

}  // namespace astronomy

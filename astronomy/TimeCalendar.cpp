// Calendar and Julian Date, the time quantities of an instant, Delta T.
#include "astronomy/TimeCalendar.h"

#include <charconv>
#include <cmath>

#include "astronomy/Constants.h"
#include "astronomy/Numbers.h"
#include "astronomy/ProgramState.h"

namespace astronomy {


// Long division of an integral double by 7 that never returns a negative
// remainder (day numbers before the epoch of the Julian Date are negative).
static int WeekdayOf(double dayNumber) {
    double r = std::fmod(dayNumber, 7.0);
    if (r < 0) r += 7;
    return static_cast<int>(r);
}

JulianDate CalendarToJulianDate(double hours, int day, int month, int year, int zone) {
    JulianDate out;
    const double D = day + (hours - zone) / 24;

    int G = 1;
    if (year < 1582 || (year == 1582 && month < 10) || (year == 1582 && month == 10 && D < 5.0)) G = 0;

    // The fraction is taken as D - INT(D) so that it agrees with J0 = INT(D)
    // also for negative days (day 0, or a large negative hour from a step).
    const double J0 = Int(D);
    double F = (D - Int(D)) - 0.5;

    const double A = -Int(7 * (year + Int((month + 9) / 12.0)) / 4);
    double C = 0;
    if (G == 1) {
        const int S = Sgn(month - 9);
        const double Q = std::fabs(static_cast<double>(month - 9));
        const double B = Int(year + S * Int(Q / 7));
        C = -Int((Int(B / 100) + 1) * 3 / 4);
    }
    double J = Int(275.0 * month / 9) + J0 + G * C + A + 2 * G + 1721027 + 367.0 * year;
    if (F < 0) {
        F = F + 1;
        J = J - 1;
    }
    // k = 1 when the zone date has passed its midnight relative to the noon
    // of J. At a zone midnight exactly, F comes out an ulp below the
    // threshold, which would name the previous weekday; a tolerance of 1e-9
    // day (86 microseconds) keeps the weekday with the date.
    const int k = (0.5 - zone / 24.0 - 1e-9 <= F) ? 1 : 0;
    out.J = J;
    out.F = F;
    out.weekday = WeekdayOf(J + k);
    return out;
}

Instant NormaliseInstant(double J, double F) {
    const double whole = std::floor(J);
    const double f = (J - whole) + F;
    const double carry = std::floor(f);
    Instant out{whole + carry, f - carry};
    if (out.F >= 1) out = {out.J + 1, 0};  // a fraction an ulp below the next day
    return out;
}

CivilDate JulianDateToCalendar(double J, double F, int zone) {
    CivilDate out;
    // The zone's fraction of the day from its midnight, and Z the day number
    // whose noon falls on that zone date.
    double Fp = F + zone / 24.0 + 0.5;
    double Z = J + Int(Fp);
    Fp = Fp - Int(Fp);
    // A zone midnight computed from J, F lands an ulp or so below the next
    // midnight; within 1e-9 day (86 microseconds, the tolerance the weekday
    // of CalendarToJulianDate uses) it is that midnight: the next day at 0:00,
    // never 24:00 or a day past the month's end. Just after it, it is 0:00.
    if (Fp > 1 - 1e-9) {
        Fp = 0;
        Z = Z + 1;
    } else if (Fp < 1e-9) {
        Fp = 0;
    }
    // The Gregorian calendar starts with 15 October 1582, day 2299161.
    const bool gregorian = Z >= 2299161;
    double A = Z;
    if (gregorian) {
        const double alpha = Int(Z / 36524.25 - 51.12264);
        A = Z + 1 + alpha - Int(alpha / 4);
    }
    const double B = A + 1524;
    const double C = Int(B / 365.25 - 0.3343);
    const double D = Int(365.25 * C);
    const double E = Int((B - D) / 30.61);
    const double day = B - D - Int(30.61 * E);
    double month = E - 1;
    if (E > 13.5) month = month - 12;
    double year = C - 4716;
    if (month < 2.5) year = year + 1;

    out.day = static_cast<int>(day);
    out.weekday = WeekdayOf(Z);
    // The clock from the day and its fraction together, in the order of the
    // date formula (the fraction alone can come out an ulp off: 12:00 as
    // 11.999999999999968 hours).
    out.hours = Frac(day + Fp) * 24;
    out.month = static_cast<int>(month);
    out.year = static_cast<int>(year);
    return out;
}

void ApplyJulianDate(ProgramState& s, double J, double F) {
    s.J = J;
    s.F = F;
    const CivilDate c = JulianDateToCalendar(J, F, s.Zone);
    s.ClockTime = c.hours;
    s.Day = c.day;
    s.Month = c.month;
    s.Year = c.year;
    s.Weekday = c.weekday;
}

// Delta T (TT - UT) from the piecewise polynomials of Espenak and Meeus
// (2006), as used for the Five Millennium Canon of eclipses.
static double DeltaTSeconds(double y) {
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 - 1014.41 * u + 33.78311 * std::pow(u, 2) - 5.952053 * std::pow(u, 3) -
               0.1798452 * std::pow(u, 4) + 0.022174192 * std::pow(u, 5) + 0.0090316521 * std::pow(u, 6);
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 - 556.01 * u + 71.23472 * std::pow(u, 2) + 0.319781 * std::pow(u, 3) -
               0.8503463 * std::pow(u, 4) - 0.005050998 * std::pow(u, 5) + 0.0083572073 * std::pow(u, 6);
    }
    if (y < 1700) {
        const double u = y - 1600;
        return 120 - 0.9808 * u - 0.01532 * std::pow(u, 2) + std::pow(u, 3) / 7129;
    }
    if (y < 1800) {
        const double u = y - 1700;
        return 8.83 + 0.1603 * u - 0.0059285 * std::pow(u, 2) + 0.00013336 * std::pow(u, 3) -
               std::pow(u, 4) / 1174000;
    }
    if (y < 1860) {
        const double u = y - 1800;
        return 13.72 - 0.332447 * u + 0.0068612 * std::pow(u, 2) + 0.0041116 * std::pow(u, 3) -
               0.00037436 * std::pow(u, 4) + 0.0000121272 * std::pow(u, 5) - 0.0000001699 * std::pow(u, 6) +
               0.000000000875 * std::pow(u, 7);
    }
    if (y < 1900) {
        const double u = y - 1860;
        return 7.62 + 0.5737 * u - 0.251754 * std::pow(u, 2) + 0.01680668 * std::pow(u, 3) -
               0.0004473624 * std::pow(u, 4) + std::pow(u, 5) / 233174;
    }
    if (y < 1920) {
        const double u = y - 1900;
        return -2.79 + 1.494119 * u - 0.0598939 * std::pow(u, 2) + 0.0061966 * std::pow(u, 3) -
               0.000197 * std::pow(u, 4);
    }
    if (y < 1941) {
        const double u = y - 1920;
        return 21.20 + 0.84493 * u - 0.076100 * std::pow(u, 2) + 0.0020936 * std::pow(u, 3);
    }
    if (y < 1961) {
        const double u = y - 1950;
        return 29.07 + 0.407 * u - std::pow(u, 2) / 233 + std::pow(u, 3) / 2547;
    }
    if (y < 1986) {
        const double u = y - 1975;
        return 45.45 + 1.067 * u - std::pow(u, 2) / 260 - std::pow(u, 3) / 718;
    }
    if (y < 2005) {
        const double u = y - 2000;
        return 63.86 + 0.3345 * u - 0.060374 * std::pow(u, 2) + 0.0017275 * std::pow(u, 3) +
               0.000651814 * std::pow(u, 4) + 0.00002373599 * std::pow(u, 5);
    }
    if (y < 2050) {
        const double u = y - 2000;
        return 62.92 + 0.32217 * u + 0.005589 * std::pow(u, 2);
    }
    const double u = (y - 1820) / 100;
    if (y < 2150) return -20 + 32 * std::pow(u, 2) - 0.5628 * (2150 - y);
    return -20 + 32 * std::pow(u, 2);
}

double DeltaT(double J, double F) {
    const double y = 1900 + (J - kEpochT + F) / kDaysPerYear;
    return DeltaTSeconds(y) / 86400;
}

TimeQuantities TimeQuantitiesAt(double J, double F, double longitude) {
    TimeQuantities q;
    const double N = Int(J + F - 0.5);
    const double T0 = N / kDaysPerCentury - 66.11963039014374;
    q.GST0 = Mod24(6.6460656 + 2400.051262 * T0 + 0.00002581 * T0 * T0);
    // Universal Time of the day N, from the instant itself: the zone's clock
    // minus the zone can come out an ulp below a whole hour and wrap to the
    // end of the day before (at 1:00 MEZ, 0:00 UT, the sidereal time would
    // jump by four minutes).
    const double UT = std::min(std::max((J - N) + F - 0.5, 0.0), 1.0 - 1e-15) * 24;
    const double meanLST = Mod24(q.GST0 + 1.0027379093 * UT + longitude * 12 / kPi);

    const double T = (N - kEpoch2000Midnight) / kDaysPerCentury;
    q.obliquity = (23.439291 - 0.013004 * T) * kDegToRad;

    const double Lm = (218.316 + 481267.881 * T) * kDegToRad;
    const double Mm = (134.963 + 477198.867 * T) * kDegToRad;
    const double Om = (125.045 - 1934.136 * T) * kDegToRad;
    const double Ls = (280.466 + 36000.77 * T) * kDegToRad;
    const double Ms = (357.528 + 35999.05 * T) * kDegToRad;
    const double nutArcsec = -17.2 * std::sin(Om) + 0.206 * std::sin(2 * Om) - 1.319 * std::sin(2 * Ls) +
                             0.143 * std::sin(Ms) - 0.227 * std::sin(2 * Lm) + 0.071 * std::sin(Mm);
    q.nutation = nutArcsec * kPi / 180 / 3600;

    q.LST = Mod24(meanLST + q.nutation * 12 / kPi * std::cos(q.obliquity));
    q.LMT = Mod24(UT + longitude * 12 / kPi);
    q.deltaT = DeltaT(J, F);
    return q;
}

void UpdateTimeQuantities(ProgramState& s) { s.tq = TimeQuantitiesAt(s.J, s.F, s.Longitude); }

void SetInstant(ProgramState& s, double J, double F) {
    ApplyJulianDate(s, J, F);
    UpdateTimeQuantities(s);
}

std::optional<TypedDate> ReadTypedDate(std::string_view text, int minYear, int maxYear) {
    // Three fields of an optional sign and at most six digits.
    long fields[3] = {0, 0, 0};
    int n = 0;
    std::size_t i = 0;
    auto separator = [](char c) { return c == '.' || c == ',' || c == '/' || IsBlank(c); };
    while (i < text.size() && IsBlank(text[i])) ++i;
    while (i < text.size()) {
        if (n == 3) return std::nullopt;
        const bool negative = text[i] == '-';
        if (negative || text[i] == '+') ++i;
        std::size_t digits = 0;
        long value = 0;
        while (i < text.size() && IsDigit(text[i])) {
            if (++digits > 6) return std::nullopt;
            value = 10 * value + (text[i++] - '0');
        }
        if (digits == 0) return std::nullopt;
        fields[n++] = negative ? -value : value;
        // One separator between two fields (a blank may stand beside it);
        // trailing blanks and a trailing "." end the text.
        std::size_t gap = i;
        while (gap < text.size() && separator(text[gap])) ++gap;
        const std::string_view between = text.substr(i, gap - i);
        std::size_t marks = 0;
        for (char c : between) marks += !IsBlank(c);
        if (gap == text.size()) {
            if (marks > 1 || (marks == 1 && between.find('.') == std::string_view::npos)) return std::nullopt;
            break;
        }
        if (between.empty() || marks > 1) return std::nullopt;
        i = gap;
    }
    if (n != 3) return std::nullopt;
    const TypedDate d{static_cast<int>(fields[0]), static_cast<int>(fields[1]), static_cast<int>(fields[2])};
    if (fields[2] < minYear || fields[2] > maxYear || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
        return std::nullopt;
    // A day the month has comes back unchanged from the Julian Date.
    const JulianDate jd = CalendarToJulianDate(12, d.day, d.month, d.year, 0);
    const CivilDate back = JulianDateToCalendar(jd.J, jd.F, 0);
    if (back.day != d.day || back.month != d.month || back.year != d.year) return std::nullopt;
    return d;
}

bool InstantInServedYears(double J, double F) {
    static const double first = CalendarToJulianDate(0, 1, 1, kFirstYear, 0).J;
    static const double last = CalendarToJulianDate(0, 31, 12, kLastYear, 0).J;
    const double whole = J + Int(F);
    return std::isfinite(J) && std::isfinite(F) && whole >= first - 1 && whole <= last + 1;
}

bool SplitJulianDateText(const std::string& text, double& J, double& F) {
    std::size_t b = text.find_first_not_of(' ');
    std::size_t e = text.find_last_not_of(' ');
    if (b == std::string::npos) return false;
    const std::string t = text.substr(b, e - b + 1);
    const bool negative = t[0] == '-';
    const std::size_t digitsFrom = (negative || t[0] == '+') ? 1 : 0;
    const std::size_t dot = t.find('.');
    const std::string whole = t.substr(digitsFrom, dot == std::string::npos ? std::string::npos : dot - digitsFrom);
    const std::string fraction = dot == std::string::npos ? std::string() : t.substr(dot + 1);
    if (whole.empty() && fraction.empty()) return false;
    for (char c : whole + fraction)
        if (c < '0' || c > '9') return false;
    double w = 0, f = 0;
    if (!whole.empty()) {
        auto r = std::from_chars(whole.data(), whole.data() + whole.size(), w);
        if (r.ec != std::errc()) return false;
    }
    if (!fraction.empty()) {
        const std::string f0 = "0." + fraction;
        auto r = std::from_chars(f0.data(), f0.data() + f0.size(), f);
        if (r.ec != std::errc()) return false;
    }
    if (!std::isfinite(w)) return false;
    if (f >= 1) {  // more nines than a double holds: the next day
        w = w + 1;
        f = 0;
    }
    if (negative) {
        w = -w;
        if (f > 0) {
            w = w - 1;
            f = 1 - f;
            if (f >= 1) {  // a fraction too small to leave a whole day below
                w = w + 1;
                f = 0;
            }
        }
    }
    J = w;
    F = f;
    return true;
}

Hms HoursToHms(double x) {
    Hms h;
    if (!std::isfinite(x)) return h;  // nothing sensible to split
    h.sign = Sgn(x);
    x = std::fabs(x);
    double units = Int(x);
    const double r = (x - units) * 60;
    double minutes = Int(r);
    double seconds = (r - minutes) * 60;
    seconds = Int(seconds * 10000 + 0.5) / 10000;
    if (seconds == 60) {
        seconds = 0;
        minutes = minutes + 1;
        if (minutes > 59) {
            minutes = 0;
            units = units + 1;
        }
    }
    // Values beyond the int range cannot be shown as whole units anyway.
    h.units = units < 2147483647.0 ? static_cast<int>(units) : 2147483647;
    h.minutes = static_cast<int>(minutes);
    h.seconds = seconds;
    return h;
}

double HmsToHours(int units, int minutes, double seconds, int sign) {
    return sign * (std::abs(units) + (minutes + seconds / 60) / 60);
}

}  // namespace astronomy

#include "astronomy/TextFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "astronomy/TimeCalendar.h"

namespace astronomy {

namespace {

constexpr std::string_view kDegreeSign = "°";
constexpr char kSecondsSign = '"';

double Finite(double x) { return std::isfinite(x) ? x : 0.0; }

// A non-negative number rounded to a fixed count of decimals, as digit text.
struct RoundedDigits {
    std::string whole;     // no leading zeros; empty when the whole part is 0
    std::string fraction;  // exactly the requested count of digits
};

// Rounds |v| half away from zero. The value is taken in its shortest decimal
// form, the one that reads back as the same double, so that a number which
// was itself rounded to decimals before (the seconds of HoursToHms) rounds
// the way it reads.
RoundedDigits RoundDecimal(double v, int decimals) {
    v = std::fabs(Finite(v));
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(0, ePos)) {
        if (c != '.') mantissa += c;
    }
    int exp10 = 0;
    std::string_view expText = sci.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exp10);

    // Place the point: value = mantissa[0].mantissa[1..] x 10^exp10.
    std::string whole;
    std::string fraction;
    const int n = static_cast<int>(mantissa.size());
    if (exp10 >= 0) {
        whole = mantissa.substr(0, static_cast<std::size_t>(std::min(n, exp10 + 1)));
        whole.append(static_cast<std::size_t>(std::max(0, exp10 + 1 - n)), '0');
        if (n > exp10 + 1) fraction = mantissa.substr(static_cast<std::size_t>(exp10 + 1));
    } else if (-exp10 - 1 <= decimals) {
        fraction = std::string(static_cast<std::size_t>(-exp10 - 1), '0') + mantissa;
    }  // else every digit lies beyond the first dropped place: the result is 0

    const bool roundUp = static_cast<int>(fraction.size()) > decimals &&
                         fraction[static_cast<std::size_t>(decimals)] >= '5';
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    std::string all = whole + fraction;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') {
            all[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++all[static_cast<std::size_t>(i)];
        } else {
            all.insert(all.begin(), '1');
        }
    }
    RoundedDigits r;
    r.fraction = all.substr(all.size() - static_cast<std::size_t>(decimals));
    r.whole = all.substr(0, all.size() - static_cast<std::size_t>(decimals));
    const std::size_t firstNonZero = r.whole.find_first_not_of('0');
    r.whole.erase(0, firstNonZero == std::string::npos ? r.whole.size() : firstNonZero);
    return r;
}

// |v| rounded half away from zero to `decimals`, as a number again.
double RoundHalfAway(double v, int decimals) {
    const RoundedDigits r = RoundDecimal(v, decimals);
    const std::string text = (r.whole.empty() ? "0" : r.whole) + "." + r.fraction + "0";
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    return x;
}

bool IsDigitPlace(char c) { return c == '0' || c == '#'; }

// The value of HoursToHms with the sign as its display character; whole
// units are kept wide enough for the carries the formatters add.
struct Split {
    long long units = 0;
    int minutes = 0;
    double seconds = 0;
    char sign = ' ';
};

Split SplitValue(double value) {
    const Hms h = HoursToHms(Finite(value));
    Split s;
    s.units = h.units;
    s.minutes = h.minutes;
    s.seconds = h.seconds;
    s.sign = "- +"[h.sign + 1];
    return s;
}

std::string Picture(long long whole, std::string_view picture) {
    return FormatPicture(static_cast<double>(whole), picture);
}

std::string Plain(long long whole) { return std::to_string(whole); }

// Degrees with the width rule shared by the angle formats: three places from
// 100 on, else a blank and two places, else two blanks and one place.
std::string DegreesField(long long d) {
    if (d >= 100) return Picture(d, "##0");
    if (d >= 10) return " " + Picture(d, "#0");
    return "  " + Picture(d, "0");
}

// Minutes plus seconds as minutes rounded to `decimals`; a result of 60 is
// returned as 0 with the full hour or degree carried into the units.
double RoundedMinutes(Split& s, int decimals) {
    double minutes = RoundHalfAway(s.minutes + s.seconds / 60, decimals);
    if (minutes == 60) {
        minutes = 0;
        s.units = s.units + 1;
    }
    return minutes;
}

// Seconds rounded to `decimals` with the carries into minutes and whole
// units, so that 59.96" never shows as 60". With `wrapDay`, hour 24 reached
// through the carry becomes 0; a value of 24 or more passed in is shown as
// it is.
void RoundSeconds(Split& s, int decimals, bool wrapDay) {
    s.seconds = RoundHalfAway(s.seconds, decimals);
    if (s.seconds == 60) {
        s.seconds = 0;
        s.minutes = s.minutes + 1;
        if (s.minutes == 60) {
            s.minutes = 0;
            s.units = s.units + 1;
            if (wrapDay && s.units == 24) s.units = 0;
        }
    }
}

}  // namespace

std::string FormatPicture(double value, std::string_view picture) {
    value = Finite(value);
    picture = picture.substr(0, picture.find(';'));
    const std::size_t point = picture.find('.');
    const std::string_view wholePart = picture.substr(0, point);
    const std::string_view fractionPart =
        point == std::string_view::npos ? std::string_view() : picture.substr(point + 1);

    const int wholePlaces = static_cast<int>(std::count_if(wholePart.begin(), wholePart.end(), IsDigitPlace));
    const int decimals =
        static_cast<int>(std::count_if(fractionPart.begin(), fractionPart.end(), IsDigitPlace));
    // Digits from the first "0" on are always written.
    int forcedPlaces = 0;
    for (char c : wholePart) {
        if (c == '0' || (forcedPlaces > 0 && c == '#')) ++forcedPlaces;
    }

    RoundedDigits r = RoundDecimal(value, decimals);
    if (static_cast<int>(r.whole.size()) < forcedPlaces) {
        r.whole.insert(0, static_cast<std::size_t>(forcedPlaces) - r.whole.size(), '0');
    }
    const bool isZero = r.whole.find_first_not_of('0') == std::string::npos &&
                        r.fraction.find_first_not_of('0') == std::string::npos;

    std::string out;
    if (value < 0 && !isZero) out += '-';
    const int wholeLen = static_cast<int>(r.whole.size());
    const int offset = wholePlaces - wholeLen;  // < 0: more digits than places
    // Digit places after the point that are "0" force every digit before them.
    const std::size_t lastZeroPlace = fractionPart.rfind('0');
    const std::size_t lastSignificant = r.fraction.find_last_not_of('0');

    int place = 0;          // index of the current digit place before the point
    std::size_t digit = 0;  // index of the current digit after the point
    bool afterPoint = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (!afterPoint && c == '.') {
            if (wholePlaces == 0) out += r.whole;
            out += '.';
            afterPoint = true;
        } else if (!afterPoint && IsDigitPlace(c)) {
            if (place == 0 && offset < 0) out += r.whole.substr(0, static_cast<std::size_t>(-offset));
            const int idx = place - offset;
            if (idx >= 0 && idx < wholeLen) out += r.whole[static_cast<std::size_t>(idx)];
            ++place;
        } else if (afterPoint && IsDigitPlace(c)) {
            const std::size_t placeInFraction = i - point - 1;
            const bool forced = c == '0' || (lastZeroPlace != std::string_view::npos &&
                                             lastZeroPlace > placeInFraction);
            const bool significant = lastSignificant != std::string::npos && digit <= lastSignificant;
            if (forced || significant) out += r.fraction[digit];
            ++digit;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatFixed(double x, int width, int decimals) {
    x = Finite(x);
    decimals = std::clamp(decimals, 0, 30);
    const std::string picture = decimals == 0 ? std::string("0") : "0." + std::string(static_cast<std::size_t>(decimals), '0');
    const std::string digits = FormatPicture(std::fabs(x), picture);
    std::string prefix;
    if (x < 0) {
        prefix = "-";
        width = width - 1;
    }
    const int n = width - static_cast<int>(digits.size());
    if (n > 0) prefix.insert(0, static_cast<std::size_t>(n), ' ');
    return prefix + digits;
}

std::string FormatNumberMask(double value, std::string_view mask) {
    const std::size_t width = std::min(mask.find_first_not_of("#,"), mask.size());
    const std::size_t comma = mask.substr(0, width).find(',');
    const int decimals = comma == std::string_view::npos ? 0 : static_cast<int>(width - comma - 1);
    std::string text = FormatFixed(value, static_cast<int>(width), decimals);
    std::replace(text.begin(), text.end(), '.', ',');
    return text + std::string(mask.substr(width));
}

std::string ZoneName(int zone) {
    if (zone < 0 || zone > 2) return "";
    return std::string("UT  MEZ MESZ").substr(static_cast<std::size_t>(4 * zone), static_cast<std::size_t>(zone + 2));
}

std::string ZoneNamePadded(int zone) {
    const std::string name = ZoneName(zone);
    return std::string(4 - name.size(), ' ') + name;
}

std::string FormatDateLong(int day, int month, int year, int weekday, bool printed) {
    const std::string monthName =
        month >= 1 && month <= 12
            ? std::string("JanFebMrzAprMaiJunJulAugSepOktNovDez").substr(static_cast<std::size_t>(3 * month - 3), 3)
            : std::string(3, ' ');
    const std::string dayName = WeekdayAbbreviation(weekday);
    // The day in two and the year in five right-aligned positions, in both forms.
    const std::string dayText = FormatFixed(day, 2, 0);
    const std::string yearText = FormatFixed(year, 5, 0);
    if (printed) return dayText + "." + monthName + yearText + ", " + dayName;
    return dayText + ". " + monthName + yearText + ", " + dayName + "   ";
}

std::string WeekdayAbbreviation(int weekday) {
    return weekday >= 0 && weekday <= 6 ? std::string("MoDiMiDoFrSaSo").substr(static_cast<std::size_t>(2 * weekday), 2)
                                        : std::string(2, ' ');
}

std::string FormatDateNumeric(int day, int month, int year) {
    return FormatPicture(day, "00") + "." + FormatPicture(month, "00") + "." + FormatFixed(year, 4, 0);
}

std::string FormatDuration(double years) {
    double d = 365 * Finite(years);
    const double y = Int(d / 365);
    d = d - 365 * y;
    const std::string wholeYears = FormatPicture(y, "0");
    if (y > 100) return wholeYears + " Jahre                         ";
    if (y == 1) return wholeYears + " Jahr, " + FormatFixed(d, 6, 1) + " Tage     ";
    if (y > 1) return wholeYears + " Jahre, " + FormatFixed(d, 6, 1) + " Tage     ";
    return FormatFixed(d, 6, 1) + " Tage                       ";
}

// From 100 degrees on there is no room for the sign character.
std::string FormatAngleDms(double degrees) {
    Split s = SplitValue(degrees);
    RoundSeconds(s, 0, false);
    std::string text;
    if (s.units >= 100) {
        text = Picture(s.units, "##0°");
    } else if (s.units >= 10) {
        text = s.sign + Picture(s.units, "#0") + std::string(kDegreeSign);
    } else {
        text = std::string{s.sign, ' '} + Picture(s.units, "0") + std::string(kDegreeSign);
    }
    return text + " " + Picture(s.minutes, "00") + "' " + FormatPicture(s.seconds, "00") + kSecondsSign;
}

std::string FormatAngleDmsTenths(double degrees) {
    Split s = SplitValue(degrees);
    RoundSeconds(s, 1, false);
    return s.sign + DegreesField(s.units) + std::string(kDegreeSign) + Picture(s.minutes, "00") + "'" +
           FormatPicture(s.seconds, "00.0") + kSecondsSign;
}

std::string FormatAngleDmsFine(double degrees) {
    Split s = SplitValue(degrees);
    RoundSeconds(s, 4, false);
    return s.sign + Picture(s.units, "##0;;") + std::string(kDegreeSign) + " " + Picture(s.minutes, "00") +
           "' " + FormatPicture(s.seconds, "00.0000") + kSecondsSign;
}

std::string FormatAngleSmall(double degrees) {
    Split s = SplitValue(degrees);
    RoundSeconds(s, 1, false);
    if (s.units > 0) return Plain(s.units) + std::string(kDegreeSign);
    if (s.minutes > 0) return Plain(s.minutes) + "'";
    if (s.seconds == std::floor(s.seconds)) return FormatPicture(s.seconds, "0") + kSecondsSign;
    return FormatPicture(s.seconds, "00.0") + kSecondsSign;
}

std::string FormatAngleDm(double degrees) {
    Split s = SplitValue(degrees);
    const double minutes = RoundedMinutes(s, 0);
    return s.sign + DegreesField(s.units) + std::string(kDegreeSign) + " " + FormatPicture(minutes, "00") + "'";
}

std::string FormatAngleDmCompact(double degrees) {
    Split s = SplitValue(degrees);
    const double minutes = RoundedMinutes(s, 0);
    std::string text;
    if (s.units >= 100) {
        text = Picture(s.units, "##0");
    } else if (s.units <= 9) {
        text = std::string{' ', s.sign} + Picture(s.units, "0");
    } else {
        text = s.sign + Picture(s.units, "#0");
    }
    return text + std::string(kDegreeSign) + " " + FormatPicture(minutes, "00") + "'";
}

std::string FormatDegrees(double degrees) { return FormatPicture(degrees, "##0") + std::string(kDegreeSign) + " "; }

// The tenths of a second carry into the minutes and hours; a clock a
// twentieth of a second before midnight shows 24:00:00.0 of its own date.
std::string FormatClockTime(double hours, int zone, bool printed) {
    Split s = SplitValue(hours);
    RoundSeconds(s, 1, false);
    const std::string time =
        Picture(s.units, "00") + ":" + Picture(s.minutes, "00") + ":" + FormatPicture(s.seconds, "00.0");
    if (printed) return time + ZoneName(zone);
    return time + " " + ZoneName(zone) + "     ";
}

std::string FormatHmsTenths(double hours) {
    Split s = SplitValue(hours);
    RoundSeconds(s, 1, true);
    return Picture(s.units, "00") + "h " + Picture(s.minutes, "00") + "m " + FormatPicture(s.seconds, "00.0") + "s";
}

std::string FormatHms(double hours) {
    Split s = SplitValue(hours);
    RoundSeconds(s, 0, true);
    return Picture(s.units, "00") + "h " + Picture(s.minutes, "00") + "m " + FormatPicture(s.seconds, "00") + "s";
}

// Hour 24, carried or passed in, is shown as 00.
std::string FormatHm(double hours) {
    Split s = SplitValue(hours);
    const double minutes = RoundedMinutes(s, 0);
    if (s.units == 24) s.units = 0;
    return Picture(s.units, "00") + ":" + FormatPicture(minutes, "00");
}

// A carry of the minutes into hour 24 is shown as "24h": this format does
// not wrap the hour.
std::string FormatHmTenths(double hours) {
    Split s = SplitValue(hours);
    const double minutes = RoundedMinutes(s, 1);
    return Picture(s.units, "0#") + "h " + FormatPicture(minutes, "0#.0") + "m ";
}

std::string FormatHmZone(double hours, int zone) { return FormatHm(hours) + " " + ZoneName(zone); }

}  // namespace astronomy

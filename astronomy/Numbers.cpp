// Reading numbers the way VAL does, wrapping, rounding and the shortest texts.
#include "astronomy/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "astronomy/Constants.h"

namespace astronomy {

namespace {

// The exponent digits are summed up to this bound; beyond it every mantissa
// has over- or underflowed anyway.
constexpr long kExponentBound = 1000000;

template <typename T>
NumberPrefix<T> ReadPrefix(std::string_view text) {
    NumberPrefix<T> out;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string intDigits, fracDigits;
    while (i < text.size() && IsDigit(text[i])) intDigits += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) fracDigits += text[i++];
    }
    if (intDigits.empty() && fracDigits.empty()) return out;
    std::size_t end = i;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentBound);
            if (negativeExponent) exponent = -exponent;
            end = j;
        }
    }
    out.length = end;
    // The same decimal value in a form every reader accepts.
    const std::string number =
        (intDigits.empty() ? "0" : intDigits) + "." + fracDigits + "0e" + std::to_string(exponent);
    T value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Over- or underflow: the decimal exponent of the leading digit decides.
        const std::string mantissa = intDigits + fracDigits;
        const std::size_t firstNonZero = mantissa.find_first_not_of('0');
        long magnitude = exponent;
        if (firstNonZero != std::string::npos)
            magnitude += static_cast<long>(intDigits.size()) - static_cast<long>(firstNonZero);
        value = magnitude > 0 ? std::numeric_limits<T>::infinity() : T(0);
        out.outOfRange = true;
    } else if (ec != std::errc()) {
        value = 0;
    }
    out.value = negative ? -value : value;
    return out;
}

template <typename T>
std::string Shortest(T x) {
    if (!std::isfinite(x) || x == 0) x = 0;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

double FromDegrees(double degrees) { return degrees * kDegToRad; }
double FromHours(double hours) { return hours * 15 * kDegToRad; }

}  // namespace

int Round(double x) { return static_cast<int>(std::lround(x)); }

int RoundToInt(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::round(x);
    constexpr double kLimit = std::numeric_limits<int>::max();
    if (r >= kLimit) return std::numeric_limits<int>::max();
    if (r <= -kLimit) return -std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

double Reduce(double v, double period) {
    const double r = v - period * std::floor(v / period);
    return r >= 0 && r < period ? r : 0;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

NumberPrefix<double> ReadNumberPrefix(std::string_view text) { return ReadPrefix<double>(text); }
NumberPrefix<float> ReadFloatPrefix(std::string_view text) { return ReadPrefix<float>(text); }

namespace {
std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return text.substr(i);
}
}  // namespace

double Val(std::string_view text) { return ReadNumberPrefix(SkipBlanks(text)).value; }

float ValFloat(std::string_view text) { return ReadFloatPrefix(SkipBlanks(text)).value; }

double LeadingNumber(std::string_view text) {
    const double v = Val(text);
    return std::isfinite(v) ? v : 0;
}

double FieldValue(std::string_view text, int n, char separator) {
    const std::string_view t = TrimBlanks(text);
    int field = 0;
    std::size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && t[i] == separator) ++i;
        if (i >= t.size()) break;
        std::size_t end = t.find(separator, i);
        if (end == std::string_view::npos) end = t.size();
        if (++field == n) return LeadingNumber(t.substr(i, end - i));
        i = end;
    }
    return 0;
}

std::optional<double> ParseNumberExactly(std::string_view text) {
    const NumberPrefix<double> p = ReadNumberPrefix(text);
    if (p.length == 0 || p.length != text.size() || p.outOfRange) return std::nullopt;
    return p.value;
}

std::string ShortestText(double x) { return Shortest(x); }
std::string ShortestText(float x) { return Shortest(x); }

std::string PrintedNumberText(double x) {
    const std::string digits = ShortestText(x);
    return digits.starts_with('-') ? digits : " " + digits;
}

std::string ShortestScaledText(double stored, double unscaled, double (*restore)(double)) {
    if (!std::isfinite(unscaled)) return "0";
    std::string best;
    double up = unscaled, down = unscaled;
    for (int step = 0; step <= 4; ++step) {
        for (const double candidate : {up, down}) {
            for (int precision = 1; precision <= 18; ++precision) {
                char buf[64];
                const auto r = precision == 18 ? std::to_chars(buf, buf + sizeof buf, candidate)
                                               : std::to_chars(buf, buf + sizeof buf, candidate,
                                                               std::chars_format::general, precision);
                const std::string text(buf, r.ptr);
                const double back = Val(text);
                if (std::isfinite(back) && restore(back) == stored && (best.empty() || text.size() < best.size()))
                    best = text;
            }
        }
        if (!best.empty()) return best;
        up = std::nextafter(up, HUGE_VAL);
        down = std::nextafter(down, -HUGE_VAL);
    }
    return ShortestText(unscaled);
}

std::string ShortestDegreesText(double radians) {
    return ShortestScaledText(radians, radians / kDegToRad, FromDegrees);
}

std::string ShortestHoursText(double radians) {
    return ShortestScaledText(radians, radians / 15 / kDegToRad, FromHours);
}

}  // namespace astronomy

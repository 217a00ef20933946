// The orbit object "Disk": element files, completion and checks, the writer,
// the reduction to the equinox of date and the orbit solution.

#include "astronomy/OrbitElements.h"
#include "astronomy/Files.h"
#include "astronomy/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string_view>
#include <system_error>
#include <vector>

#include "astronomy/Angles.h"
#include "astronomy/Constants.h"
#include "astronomy/MpcOrbits.h"
#include "astronomy/Numbers.h"
#include "astronomy/ProgramState.h"
#include "astronomy/SunPlanets.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

namespace fs = std::filesystem;

namespace {

constexpr double kSolarMassKg = 1.98e30;
constexpr double kGaussKSquared = 0.0002959122083;   // the square of kGaussK
constexpr double kBarkerFactor = 0.01824558123;      // 3 k / (2 sqrt 2)
constexpr int kHyperbolicSteps = 61;
constexpr double kHyperbolicTolerance = 1e-7;

// ---------------------------------------------------------------------------
// Numbers in the files.

// A year field from a number: rounded, kept inside the range of an int.
int ToYear(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    if (r >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (r <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// A number as the writer puts it after the "=": as BASIC prints it, the
// shortest digits that read back as the same double (a number that is not
// finite stands as 0; WriteElementFile refuses such records before it gets
// here).
std::string NumberText(double x) { return PrintedNumberText(x); }

// An angle held in radians, written in degrees that read back as exactly
// these radians ("120" stays "120", not 119.99999999999999).
std::string DegreesText(double rad) {
    if (!std::isfinite(rad / kDegToRad)) return NumberText(0);
    return NumberText(Val(ShortestDegreesText(rad)));
}

std::string IntText(int x) { return x < 0 ? std::to_string(x) : " " + std::to_string(x); }

// ---------------------------------------------------------------------------
// Keys.

bool IsEquinoxKey(std::string_view key) {
    // The letter Ä as Windows-1252, as the DOS code page, or as UTF-8.
    for (const std::string_view ae : {"\xC4", "\x8E", "\xC3\x84"}) {
        if (key == ae) return true;
        if (key.size() == ae.size() + 3 && key.starts_with(ae) && key.ends_with("qui")) return true;
    }
    return false;
}

// Stores one "key=value" line; keys not listed are ignored.
void ApplyKey(OrbitalElements& el, std::string_view key, double value) {
    if (key == "e") el.e = value;
    else if (key == "a") el.a = value;
    else if (key == "q") el.q = value;
    else if (key == "knoten" || key == "kn") el.node = value * kDegToRad;
    else if (key == "omega" || key == "om") el.omega = value * kDegToRad;
    else if (key == "i") el.i = value * kDegToRad;
    else if (key == "T") el.T = value;
    else if (key == "M") el.M = value * kDegToRad;
    else if (key == "t") el.t = value;
    else if (key == "d") el.d = value;
    else if (IsEquinoxKey(key)) el.equinox = ToYear(value);
    else if (key == "mag" || key == "m") el.mag = value;
    else if (key == "Masse" || key == "Ma") el.mass = value;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// ---------------------------------------------------------------------------
// Which elements allow a position at all.

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool PositiveFinite(double x) { return x > 0 && std::isfinite(x); }

// False for elements whose orbit formulas would divide by zero, take the root
// of a negative number or overflow: a negative eccentricity, a = 0 (or
// negative) for an ellipse, q = 0 (or negative) for a parabola or hyperbola,
// a mean motion of zero or beyond the range of a double.
bool OrbitIsSolvable(const OrbitalElements& el, double massSolar) {
    if (!Finite({el.e, el.a, el.q, el.node, el.omega, el.i, el.T, el.M, el.t, massSolar})) return false;
    if (!(el.e >= 0)) return false;
    const double k1 = 1 + massSolar;
    if (!(k1 > 0)) return false;
    if (el.e < 1) {
        if (!(el.a > 0)) return false;
        const double a3 = el.a * el.a * el.a;
        return PositiveFinite(a3) && PositiveFinite(std::sqrt(a3 / kGaussKSquared / k1)) &&
               PositiveFinite(kGaussK * std::sqrt(k1 / a3));
    }
    if (!(el.q > 0)) return false;
    const double q3 = el.q * el.q * el.q;
    if (el.e == 1) return PositiveFinite(kBarkerFactor * std::sqrt(k1 / q3));
    const double a = el.q / (1 - el.e);
    if (!(a < 0) || !std::isfinite(a)) return false;
    const double n = kGaussK * std::sqrt(k1 / (a * a * std::fabs(a)));
    return PositiveFinite(n) && std::isfinite(std::sqrt((el.e + 1) / (el.e - 1)));
}

// ---------------------------------------------------------------------------
// Orbit solution.

struct Anomaly {
    double v = 0;       // true anomaly
    double r = 0;       // AU
    double period = 0;  // years or marker
};

Anomaly SolveEllipse(const OrbitalElements& el, double m, double JD) {
    const double a = el.a, e = el.e;
    double M = 0;
    if (el.M == 0)
        M = Mod2Pi((JD - el.T) / std::sqrt(a * a * a / kGaussKSquared / (1 + m)));
    else
        M = el.M + kGaussK * std::sqrt((1 + m) / (a * a * a)) * (JD - el.t);
    const double E = SolveKepler(M, e);
    Anomaly out;
    out.v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    out.r = a * (1 - e * std::cos(E));
    out.period = std::sqrt(a * a * a);
    return out;
}

// Barker's equation, solved in closed form.
Anomaly SolveParabola(const OrbitalElements& el, double m, double JD) {
    const double q = el.q;
    const double W = kBarkerFactor * std::sqrt((1 + m) / (q * q * q)) * (JD - el.T);
    const double root = std::sqrt(W * W + 1);
    const double s = std::pow(W + root, 1.0 / 3) - std::pow(root - W, 1.0 / 3);
    Anomaly out;
    out.v = 2 * std::atan(s);
    out.r = 2 * q / (1 + std::cos(out.v));
    out.period = kPeriodParabolic;
    return out;
}

// Kepler's equation of the hyperbola, e sinh H - H = M, by Newton's method.
Anomaly SolveHyperbola(const OrbitalElements& el, double m, double JD) {
    const double e = el.e;
    const double a = el.q / (1 - e);
    const double n = kGaussK * std::sqrt((1 + m) / (a * a * std::fabs(a)));
    const double M = n * (JD - el.T);
    double H = M > 0 ? std::pow(6 * M, 1.0 / 3) : -std::pow(-6 * M, 1.0 / 3);
    for (int step = 1; step <= kHyperbolicSteps; ++step) {
        const double next = H - (e * std::sinh(H) - H - M) / (e * std::cosh(H) - 1);
        const bool done = std::fabs(H - next) < kHyperbolicTolerance;
        H = next;
        if (done || !std::isfinite(H)) break;
    }
    Anomaly out;
    out.v = 2 * std::atan(std::sqrt((e + 1) / (e - 1)) * std::tanh(H / 2));
    out.r = std::fabs(a) * (e * std::cosh(H) - 1);
    out.period = kPeriodHyperbolic;
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------

int OrbitKindFor(const std::string& path, const std::string& name) {
    if (name == "Pluto") return kKindPluto;
    const std::string_view tail = path.size() >= 3 ? std::string_view(path).substr(path.size() - 3) : "";
    if (tail == "KPL" || tail == "kpl") return kKindMinorPlanet;
    if (tail == "KOM" || tail == "kom") return kKindComet;
    return kKindOther;
}

std::string ExtensionForKind(int kind) {
    static constexpr std::string_view kExtensions = "plakom   kpl";
    if (kind < kKindPluto || kind > kKindMinorPlanet) return "";  // no extension for other kinds
    return std::string(kExtensions.substr(3 * (kind - kKindPluto), 3));
}

void CompleteAndCheckElements(OrbitalElements& el, ElementNotes& notes) {
    if (el.T == 0) el.T = el.t;
    if (el.t == 0) el.t = el.T;
    if (el.M != 0 && el.t == 0) notes.push_back({ElementIssue::EpochMissing, el.name});
    if (el.e != 1 && el.a == 0 && el.q != 0) el.a = el.q / (1 - el.e);
    if (el.a != 0 && el.q == 0) el.q = el.a * (1 - el.e);

    const bool suspicious = el.omega == 0 || el.node == 0 || el.i == 0 || (el.a == 0 && el.e != 1) || el.e == 0;
    // Elements that give no position at all get the same message.
    const bool degenerate =
        !Finite({el.d, el.mag, el.mass}) || !OrbitIsSolvable(el, el.mass / kSolarMassKg);
    if (suspicious || degenerate)
        notes.push_back({ElementIssue::Suspicious, el.name});

    if (el.i == 0) el.i = 1e-12;
    if (el.d < 1) el.d = 0.0001;
}

namespace {

// The program's own format: the name line, then "key=value" lines.
OrbitalElements ParseKeyValueText(const std::string& bytes, const std::string& path, int aequi,
                                  ElementNotes& notes) {
    std::string_view text(bytes);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // byte order mark of UTF-8
    const std::vector<std::string_view> lines = SplitLines(text);

    OrbitalElements el;
    el.equinox = aequi;
    if (!lines.empty()) {
        const std::string_view name = lines.front();
        el.name = IsValidUtf8(name) ? std::string(name) : Cp1252ToUtf8(name);
    }
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (IsBlankLine(line)) continue;  // empty lines are harmless, no message
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            notes.push_back({ElementIssue::LineWithoutValue, path});
            continue;
        }
        ApplyKey(el, line.substr(0, eq), Val(line.substr(eq + 1)));
    }
    CompleteAndCheckElements(el, notes);
    el.kind = OrbitKindFor(path, el.name);
    return el;
}

}  // namespace

ElementTextRead ReadElementText(const std::string& bytes, const std::string& path, int aequi,
                                const std::string& mpcName, ElementNotes& notes) {
    ElementTextRead out;
    if (const std::optional<std::vector<MpcObject>> objects = ReadMpcText(bytes)) {
        if (objects->empty()) {  // a header and nothing after it
            notes.push_back({ElementIssue::LineWithoutValue, path});
            out.source = ElementSource::MpcEmpty;
            return out;
        }
        const std::optional<std::size_t> k = mpcName.empty() ? std::optional<std::size_t>(0) : FindMpcObject(*objects, mpcName);
        if (!k) {
            out.source = ElementSource::MpcNameNotFound;
            return out;
        }
        const std::optional<OrbitalElements> el = MpcObjectElements((*objects)[*k], notes);
        out.source = el ? ElementSource::MpcLine : ElementSource::MpcMalformed;
        if (el) out.elements = *el;
        else out.elements.name = (*objects)[*k].name;
        return out;
    }
    out.elements = ParseKeyValueText(bytes, path, aequi, notes);
    return out;
}

OrbitalElements ParseElementText(const std::string& bytes, const std::string& path, int aequi,
                                 ElementNotes& notes) {
    return ReadElementText(bytes, path, aequi, "", notes).elements;
}

std::string DefaultElementFilePath(const std::string& dataFolder) {
    return (fs::path(dataFolder) / "Objekte" / "Pluto.kpl").string();
}

ElementFileRead ParseElementFile(const std::string& path, const std::string& dataFolder, int aequi,
                                 ElementNotes& notes, const std::string& mpcName) {
    ElementFileRead out;
    out.path = path.empty() ? DefaultElementFilePath(dataFolder) : path;
    const fs::path resolved(ResolvePathCaseInsensitive(out.path));

    std::string bytes;
    out.opened = ReadSmallFile(resolved.string(), bytes, kElementFileLimit);
    // An unreadable file leaves the record empty; the checks still run on it
    // and tell the user.
    ElementTextRead read = ReadElementText(bytes, out.path, aequi, mpcName, notes);
    out.elements = std::move(read.elements);
    out.source = read.source;
    return out;
}

std::string FormatElementFile(const OrbitalElements& el) {
    std::string name = Utf8ToCp1252(el.name);
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    line(name);
    line("e=" + NumberText(el.e));
    if (el.a != 0) line("a=" + NumberText(el.a));
    line("q=" + NumberText(el.q));
    line("knoten=" + DegreesText(el.node));
    line("omega=" + DegreesText(el.omega));
    line("i=" + DegreesText(el.i));
    // The perihelion time places parabolas, hyperbolas and ellipses without
    // a mean anomaly; the mean anomaly and its epoch place the others. Both
    // are written when the record has both, so that the file reads back to
    // the same orbit whichever the solution takes. A perihelion time equal
    // to the epoch is what the reader fills in itself.
    if (el.T != el.t || el.t == 0) line("T=" + NumberText(el.T));
    if (el.t != 0 || el.M != 0) {
        line("M=" + DegreesText(el.M));
        line("t=" + NumberText(el.t));
    }
    if (el.d != 0) line("d=" + NumberText(el.d));
    line("\xC4qui=" + IntText(el.equinox));
    if (el.mag != 0) line("mag=" + NumberText(el.mag));
    if (el.mass != 0) line("Masse=" + NumberText(el.mass));
    return out;
}

ElementWrite WriteElementFile(const std::string& path, const OrbitalElements& el) {
    if (path.empty()) return ElementWrite::NoName;
    const fs::path target(ResolvePathCaseInsensitive(path));
    // The angles are checked in degrees, the unit they are written in.
    if (!Finite({el.e, el.a, el.q, el.node / kDegToRad, el.omega / kDegToRad, el.i / kDegToRad, el.T,
                 el.M / kDegToRad, el.t, el.d, el.mag, el.mass}))
        return ElementWrite::InvalidNumbers;
    const std::string text = FormatElementFile(el);

    // Write beside the target and rename over it: the old file stays whole
    // until the new one is complete.
    fs::path temp = target;
    temp += ".kelmaron-tmp";
    std::error_code ec;
    bool written = false;
    {
        std::ofstream outFile(temp, std::ios::binary | std::ios::trunc);
        if (outFile) {
            outFile.write(text.data(), static_cast<std::streamsize>(text.size()));
            outFile.close();
            written = !outFile.fail();
        }
    }
    if (written) fs::rename(temp, target, ec);
    if (!written || ec) {
        fs::remove(temp, ec);
        return ElementWrite::Failed;
    }
    return ElementWrite::Written;
}

void ReduceElementsToEquinox(OrbitalElements& el, int fromYear, double clockTime, int day, int month,
                             int year, int zone) {
    const double Je = CalendarToJulianDate(zone, 1, 1, fromYear, zone).J;
    const double Te = (Je - kEpoch2000Midnight) / kDaysPerCentury;
    const double Jn = CalendarToJulianDate(clockTime, day, month, year, zone).J;
    const double t = (Jn - Je) / kDaysPerCentury;

    const double PiDeg = 174.87638333 + (3289.48 * Te + 0.61 * (Te * Te)) / 3600 + (-869.81 - 0.5 * Te) * t / 3600;
    const double Pi = PiDeg * kDegToRad;
    const double eta = ((47.003 - 0.067 * Te) * t - 0.033 * (t * t)) * kArcsecToRad;
    const double p = ((5029.097 + 2.222 * Te) * t + 1.111 * (t * t)) * kArcsecToRad;

    const double node = el.node;
    const double i = el.i;
    el.omega = el.omega + eta * std::sin(Pi - node) / std::sin(i);
    el.node = node + p - eta * std::sin(Pi - node) / std::tan(i);
    el.i = i - eta * std::cos(Pi - node);
}

PreparedOrbit PrepareOrbit(const OrbitalElements& el, double clockTime, int day, int month, int year, int zone) {
    PreparedOrbit out;
    out.el = el;
    out.massSolar = el.mass / kSolarMassKg;
    out.s = (el.d / 2) / kKmPerAU / kDegToRad * 3600;
    out.m0 = el.mag;
    const int equinox = (el.equinox == 0 || el.equinox == kEquinoxOfDate) ? year : el.equinox;
    if (equinox != year) ReduceElementsToEquinox(out.el, equinox, clockTime, day, month, year, zone);
    out.el.equinox = year;
    out.name = el.name;
    out.index = el.kind;
    return out;
}

HeliocentricPlace SolveOrbit(const PreparedOrbit& orbit, double T) {
    HeliocentricPlace out;
    const OrbitalElements& el = orbit.el;
    if (!std::isfinite(T) || !OrbitIsSolvable(el, orbit.massSolar)) return out;

    const double JD = kDaysPerCentury * T + kEpochT;
    Anomaly an;
    if (el.e < 1)
        an = SolveEllipse(el, orbit.massSolar, JD);
    else if (el.e == 1)
        an = SolveParabola(el, orbit.massSolar, JD);
    else
        an = SolveHyperbola(el, orbit.massSolar, JD);

    const double u = el.omega + an.v;
    const Spherical sp = RectToSpherical(std::cos(u), std::sin(u) * std::cos(el.i), std::sin(u) * std::sin(el.i));
    const double l = Mod2Pi(sp.lon + el.node);
    // Far from perihelion a parabola or hyperbola can leave the range of a
    // double; such a place is no place.
    if (!Finite({l, sp.lat, an.r, an.period}) || !(an.r > 0)) return out;
    out.lon = l;
    out.lat = sp.lat;
    out.r = an.r;
    out.period = an.period;
    out.ok = true;
    return out;
}

}  // namespace astronomy

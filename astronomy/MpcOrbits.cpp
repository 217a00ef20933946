// Minor Planet Center orbit lines: the fixed columns of the two formats,
// the packed dates and the conversion to the orbit record.

#include "astronomy/MpcOrbits.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "astronomy/Constants.h"
#include "astronomy/Files.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextEncoding.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

namespace {

constexpr std::size_t kFewestNumberColumns = 40;
constexpr int kFewestNumbers = 5;
constexpr std::size_t kFewestHeaderDashes = 20;

// The columns first..last (1-based, inclusive) of a line; the line must
// reach the last one.
std::optional<std::string_view> Columns(std::string_view line, std::size_t first, std::size_t last) {
    if (line.size() < last) return std::nullopt;
    return line.substr(first - 1, last - first + 1);
}

// A number standing alone in its columns; blank columns give blankValue
// when given, else nothing.
std::optional<double> NumberField(std::string_view line, std::size_t first, std::size_t last,
                                  std::optional<double> blankValue = std::nullopt) {
    const std::optional<std::string_view> text = Columns(line, first, last);
    if (!text) return std::nullopt;
    const std::string_view trimmed = TrimBlanks(*text);
    if (trimmed.empty()) return blankValue;
    return ParseNumberExactly(trimmed);
}

// Digits filling their columns (a month "03", a year "1997").
std::optional<int> DigitsField(std::string_view line, std::size_t first, std::size_t last) {
    const std::optional<std::string_view> text = Columns(line, first, last);
    if (!text || !std::all_of(text->begin(), text->end(), IsDigit)) return std::nullopt;
    int value = 0;
    for (const char c : *text) value = 10 * value + (c - '0');
    return value;
}

// The columns that separate the fields are blank: a line whose fields have
// moved shows a digit in one of them.
bool BlankColumns(std::string_view line, std::initializer_list<std::size_t> columns) {
    return std::all_of(columns.begin(), columns.end(),
                       [line](std::size_t c) { return c <= line.size() && line[c - 1] == ' '; });
}

// The text of columns first..last (as far as the line reaches) without the
// blanks around it, as UTF-8 (bytes that are not are read as Windows-1252).
std::string TrimmedColumns(std::string_view line, std::size_t first, std::size_t last) {
    if (line.size() < first) return {};
    const std::string_view text = TrimBlanks(line.substr(first - 1, last - first + 1));
    return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

bool InRange(double x, double low, double high) { return x >= low && x <= high; }

// Julian Date of 0h of a Gregorian calendar date; nothing for a date that
// does not exist (the calendar's way back must give the same date).
std::optional<double> CalendarDate0h(int day, int month, int year) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
    const JulianDate jd = CalendarToJulianDate(0, day, month, year, 0);
    const CivilDate back = JulianDateToCalendar(jd.J, jd.F, 0);
    if (back.day != day || back.month != month || back.year != year) return std::nullopt;
    return jd.J + jd.F;
}

// 0-9 and A-Z of a packed date or number: 0..35; nothing otherwise.
std::optional<int> PackedDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return std::nullopt;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The forms under which an object can be asked for: its readable and packed
// designations; "(1) Ceres" also as "1", "(1)" and "Ceres";
// "C/1995 O1 (Hale-Bopp)" also as "C/1995 O1" and "Hale-Bopp"; "2P/Encke"
// also as "2P" and "Encke".
std::vector<std::string_view> NameForms(const MpcObject& o) {
    const std::string_view name = o.name;
    std::vector<std::string_view> forms = {name, o.packed};
    if (name.starts_with('(')) {
        if (const std::size_t close = name.find(')'); close != std::string_view::npos) {
            forms.push_back(name.substr(0, close + 1));
            forms.push_back(name.substr(1, close - 1));
            forms.push_back(TrimBlanks(name.substr(close + 1)));
        }
    } else if (const std::size_t open = name.find(" ("); open != std::string_view::npos && name.ends_with(')')) {
        forms.push_back(name.substr(0, open));
        forms.push_back(name.substr(open + 2, name.size() - open - 3));
    } else if (const std::size_t slash = name.find('/'); slash != std::string_view::npos) {
        forms.push_back(name.substr(0, slash));
        forms.push_back(name.substr(slash + 1));
    }
    return forms;
}

// A line that reads as a row of numbers in columns: long enough, and five
// or more of its blank-separated words are numbers.
bool LooksLikeOrbitRow(std::string_view line) {
    if (line.size() < kFewestNumberColumns) return false;
    int numbers = 0;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
        if (ParseNumberExactly(line.substr(0, end))) ++numbers;
        line.remove_prefix(end);
    }
    return numbers >= kFewestNumbers;
}

bool IsHeaderEnd(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    return trimmed.size() >= kFewestHeaderDashes && trimmed.find_first_not_of('-') == std::string_view::npos;
}

// "key=value" with a key of one word ("e= 0.5", "knoten=80"); prose such as
// "... minor planets = 1 line each" is none.
bool IsKeyValueLine(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq != std::string_view::npos && eq > 0 && line.substr(0, eq).find_first_of(" \t") == std::string_view::npos;
}


// A comet line has the year of its perihelion in columns 15-18 and a blank
// after it; a minor-planet line has its slope parameter there.
bool IsCometLine(std::string_view line) { return DigitsField(line, 15, 18) && BlankColumns(line, {19}); }

}  // namespace

std::optional<double> PackedDateJulianDate(std::string_view packed) {
    if (packed.size() != 5) return std::nullopt;
    const int century = packed[0] == 'I' ? 18 : packed[0] == 'J' ? 19 : packed[0] == 'K' ? 20 : -1;
    if (century < 0 || !IsDigit(packed[1]) || !IsDigit(packed[2])) return std::nullopt;
    const std::optional<int> month = PackedDigit(packed[3]);
    const std::optional<int> day = PackedDigit(packed[4]);
    if (!month || !day) return std::nullopt;
    const int year = 100 * century + 10 * (packed[1] - '0') + (packed[2] - '0');
    return CalendarDate0h(*day, *month, year);
}

std::optional<OrbitalElements> ParseMpcMinorPlanetLine(std::string_view line) {
    if (line.size() < 103 || !BlankColumns(line, {8, 14, 20, 26, 36, 37, 47, 48, 58, 59, 69, 70, 80, 92}))
        return std::nullopt;
    const std::optional<double> H = NumberField(line, 9, 13, 0.0);
    const std::optional<double> G = NumberField(line, 15, 19, 0.0);
    const std::optional<double> epoch = PackedDateJulianDate(*Columns(line, 21, 25));
    const std::optional<double> M = NumberField(line, 27, 35);
    const std::optional<double> omega = NumberField(line, 38, 46);
    const std::optional<double> node = NumberField(line, 49, 57);
    const std::optional<double> i = NumberField(line, 60, 68);
    const std::optional<double> e = NumberField(line, 71, 79);
    const std::optional<double> n = NumberField(line, 81, 91);
    const std::optional<double> a = NumberField(line, 93, 103);
    if (!H || !G || !epoch || !M || !omega || !node || !i || !e || !n || !a) return std::nullopt;
    if (!InRange(*M, 0, 360) || !InRange(*omega, 0, 360) || !InRange(*node, 0, 360) || !InRange(*i, 0, 180) ||
        !InRange(*e, 0, 1) || *e == 1 || !(*n > 0) || !(*a > 0))
        return std::nullopt;

    OrbitalElements el;
    el.name = TrimmedColumns(line, 167, 194);
    if (el.name.empty()) el.name = TrimmedColumns(line, 1, 7);
    el.kind = kKindMinorPlanet;
    el.equinox = 2000;
    el.e = *e;
    el.a = *a;
    el.q = *a * (1 - *e);
    el.node = *node * kDegToRad;
    el.omega = *omega * kDegToRad;
    el.i = *i * kDegToRad;
    el.M = *M * kDegToRad;
    el.t = *epoch;
    // The perihelion time that places the body where M does, with the mean
    // motion the orbit solution derives from a (the line's n, rounded to
    // eight decimals, differs from it in the last digits): the solution
    // then agrees whichever of M and T it uses.
    const double meanMotion = kGaussK / (*a * std::sqrt(*a));  // radians per day
    el.T = el.t - el.M / meanMotion;
    el.mag = *H;
    if (!std::isfinite(el.q) || !std::isfinite(el.T)) return std::nullopt;
    return el;
}

std::optional<OrbitalElements> ParseMpcCometLine(std::string_view line) {
    if (line.size() < 103 ||
        !BlankColumns(line, {13, 14, 19, 22, 30, 40, 41, 50, 51, 60, 61, 70, 71, 80, 81, 90, 91, 96, 101, 102}))
        return std::nullopt;
    const std::optional<int> year = DigitsField(line, 15, 18);
    const std::optional<int> month = DigitsField(line, 20, 21);
    const std::optional<double> day = NumberField(line, 23, 29);
    const std::optional<double> q = NumberField(line, 31, 39);
    const std::optional<double> e = NumberField(line, 42, 49);
    const std::optional<double> omega = NumberField(line, 52, 59);
    const std::optional<double> node = NumberField(line, 62, 69);
    const std::optional<double> i = NumberField(line, 72, 79);
    const std::optional<double> H = NumberField(line, 92, 95, 0.0);
    const std::optional<double> K = NumberField(line, 97, 100, 0.0);
    if (!year || !month || !day || !q || !e || !omega || !node || !i || !H || !K) return std::nullopt;
    if (!(*q > 0) || !(*e >= 0) || !InRange(*omega, 0, 360) || !InRange(*node, 0, 360) || !InRange(*i, 0, 180))
        return std::nullopt;
    // The perihelion date: the day with its fraction inside the month.
    if (!(*day >= 1 && *day < 32)) return std::nullopt;
    const double wholeDay = std::floor(*day);
    const std::optional<double> perihelionDay = CalendarDate0h(static_cast<int>(wholeDay), *month, *year);
    if (!perihelionDay) return std::nullopt;
    // The epoch of osculation may be blank; when given it is a date.
    if (!TrimmedColumns(line, 82, 89).empty()) {
        const std::optional<int> ey = DigitsField(line, 82, 85);
        const std::optional<int> em = DigitsField(line, 86, 87);
        const std::optional<int> ed = DigitsField(line, 88, 89);
        if (!ey || !em || !ed || !CalendarDate0h(*ed, *em, *ey)) return std::nullopt;
    }

    OrbitalElements el;
    el.name = TrimmedColumns(line, 103, 158);
    if (el.name.empty()) el.name = TrimmedColumns(line, 1, 12);
    el.kind = kKindComet;
    el.equinox = 2000;
    el.e = *e;
    el.q = *q;
    el.node = *node * kDegToRad;
    el.omega = *omega * kDegToRad;
    el.i = *i * kDegToRad;
    el.T = *perihelionDay + (*day - wholeDay);
    el.mag = *H;
    return el;
}

std::optional<std::vector<MpcObject>> ReadMpcText(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // byte order mark of UTF-8
    const std::vector<std::string_view> lines = SplitLines(text);

    std::size_t first = 0;  // the first object line
    const auto header = std::find_if(lines.begin(), lines.end(), IsHeaderEnd);
    if (header != lines.end()) {
        first = static_cast<std::size_t>(header - lines.begin()) + 1;
    } else {
        while (first < lines.size() && TrimBlanks(lines[first]).empty()) ++first;
        if (first == lines.size() || !LooksLikeOrbitRow(lines[first])) return std::nullopt;
    }
    // An element file of the program's own has "key=value" lines after its
    // name line, wherever a line of dashes stands.
    if (lines.size() > 1 && std::any_of(std::next(lines.begin()), lines.end(), IsKeyValueLine))
        return std::nullopt;

    std::vector<MpcObject> objects;
    for (std::size_t k = first; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (TrimBlanks(line).empty()) continue;
        MpcObject o;
        const bool minorPlanet = !IsCometLine(line);
        o.packed = TrimmedColumns(line, 1, minorPlanet ? 7 : 12);
        o.elements = minorPlanet ? ParseMpcMinorPlanetLine(line) : ParseMpcCometLine(line);
        o.name = o.elements ? o.elements->name : TrimmedColumns(line, minorPlanet ? 167 : 103, minorPlanet ? 194 : 158);
        if (o.name.empty()) o.name = o.packed;
        objects.push_back(std::move(o));
    }
    return objects;
}

std::optional<std::size_t> FindMpcObject(const std::vector<MpcObject>& objects, std::string_view wanted) {
    wanted = TrimBlanks(wanted);
    if (wanted.empty()) return std::nullopt;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        const std::vector<std::string_view> forms = NameForms(objects[k]);
        if (std::any_of(forms.begin(), forms.end(), [wanted](std::string_view f) { return SameIgnoringCase(f, wanted); }))
            return k;
    }
    return std::nullopt;
}

std::optional<OrbitalElements> MpcObjectElements(const MpcObject& object, ElementNotes& notes) {
    if (!object.elements) {
        notes.push_back({ElementIssue::Suspicious, object.name});
        return std::nullopt;
    }
    OrbitalElements el = *object.elements;
    CompleteAndCheckElements(el, notes);
    return el;
}

}  // namespace astronomy

// Orbits as the Minor Planet Center distributes them, one line per object:
// the minor-planet format of MPCORB.DAT (after its header, which ends in a
// line of dashes) and the comet format of CometEls.txt. Each line becomes
// the program's orbit record.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astronomy/OrbitElements.h"

namespace astronomy {

// One object line.
struct MpcObject {
    // The readable designation, e.g. "(1) Ceres" or "C/1995 O1 (Hale-Bopp)";
    // the packed one when the line has none.
    std::string name;
    std::string packed;  // the packed designation of the line's first columns
    // The orbit record (kind, J2000 angles in radians, name); nothing for
    // a line that does not hold the format's fields.
    std::optional<OrbitalElements> elements;
};

// The object lines of a text in one of the two formats; nothing when the
// text is in neither (an element file of the program's own, prose). A text
// counts as such lines when no line after the first is a "key=value" line
// and either it has the MPCORB header or its first line reads as a row of
// numbers in columns (at least 40 characters, five or more numbers); each
// non-blank line after the header (or from that first line) is one object,
// well-formed or not.
std::optional<std::vector<MpcObject>> ReadMpcText(std::string_view text);

// One line of either format; nothing for a malformed line: a short line,
// fields out of their columns, letters in a number, a packed date that does
// not decode, an eccentricity outside its range (below 0; for a minor
// planet 1 or more), a distance or mean motion that is not positive,
// angles outside their range, numbers that are not finite.
std::optional<OrbitalElements> ParseMpcMinorPlanetLine(std::string_view line);
std::optional<OrbitalElements> ParseMpcCometLine(std::string_view line);

// Julian Date of 0h TT of a packed date such as "K24AH" (2024 October 17):
// century letter I, J or K (1800, 1900, 2000), two digits of the year, the
// month 1-9, A-C and the day 1-9, A-V; nothing when it does not decode to a
// calendar date.
std::optional<double> PackedDateJulianDate(std::string_view packed);

// The first object whose readable or packed designation, number or name
// equals wanted (blanks around it and the case of letters aside): "Ceres",
// "(1) Ceres", "1", "00001", "Hale-Bopp", "C/1995 O1", "2P", "Encke".
std::optional<std::size_t> FindMpcObject(const std::vector<MpcObject>& objects, std::string_view wanted);

// The orbit record of an object, completed and checked as an element file's
// is; what the checks find is appended to notes. A malformed line adds the
// check message with the object's name and gives nothing.
std::optional<OrbitalElements> MpcObjectElements(const MpcObject& object, ElementNotes& notes);

}  // namespace astronomy

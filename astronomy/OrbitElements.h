// The user's orbit object ("Disk"): its element file, the completion and
// checks after reading, the writer, the reduction to the equinox of the
// current date and the elliptic, parabolic and hyperbolic orbit solution.
#pragma once

#include <string>

#include "astronomy/Files.h"
#include <vector>

namespace astronomy {

// Kinds of orbit object; the kind becomes the object index of the position.
inline constexpr int kKindPluto = 10;
inline constexpr int kKindComet = 11;
inline constexpr int kKindOther = 12;
inline constexpr int kKindMinorPlanet = 13;

// Period markers of the position record.
inline constexpr double kPeriodHyperbolic = -2;
inline constexpr double kPeriodParabolic = -3;

struct OrbitalElements {
    std::string name;
    double e = 0;        // eccentricity
    double a = 0;        // semi-major axis, AU
    double q = 0;        // perihelion distance, AU
    double node = 0;     // longitude of the ascending node, radians
    double omega = 0;    // argument of perihelion, radians
    double i = 0;        // inclination, radians
    double T = 0;        // time of perihelion, Julian Date
    double M = 0;        // mean anomaly at t, radians
    double t = 0;        // epoch of M, Julian Date
    double d = 0;        // diameter, km
    int equinox = 2000;  // equinox year of the angles; 0 or 9999 = of date
    double mag = 0;      // magnitude at 1 AU
    double mass = 0;     // kg
    int kind = kKindOther;
};

// Where the record read from an element file comes from: the file's
// "key=value" lines, or one of its lines in a Minor Planet Center format
// (MpcOrbits.h). For such a file the record stays empty when the chosen
// line is malformed (noted as Suspicious, with the object's name), when no
// line has the wanted name, or when the file has no object line at all
// (noted as LineWithoutValue, with the file).
enum class ElementSource { ElementText, MpcLine, MpcMalformed, MpcNameNotFound, MpcEmpty };

struct ElementFileRead {
    OrbitalElements elements;
    std::string path;      // the path as given (or the default one)
    bool opened = false;   // false when the file could not be opened
    ElementSource source = ElementSource::ElementText;
};

// Kind from the file name's last three letters and the object's name.
int OrbitKindFor(const std::string& path, const std::string& name);

// The extension offered for a kind: "pla", "kom", "   " or "kpl".
std::string ExtensionForKind(int kind);

// What reading and checking an element file finds, for the caller to tell
// the user: a line without "=" in the file `subject`, or elements of the
// object `subject` to be checked (a mean anomaly without its epoch; elements
// that look incomplete or allow no position).
enum class ElementIssue { LineWithoutValue, EpochMissing, Suspicious };
struct ElementNote {
    ElementIssue issue;
    std::string subject;
    bool operator==(const ElementNote&) const = default;
};
using ElementNotes = std::vector<ElementNote>;

// The default element file: Objekte/Pluto.kpl below the data folder.
std::string DefaultElementFilePath(const std::string& dataFolder);

// Reads an element file, completes and checks the record. An empty path
// means the default file. aequi is the equinox setting used when the file has
// no equinox line. What the reading and the checks find is appended to notes.
// A file of Minor Planet Center lines gives the line whose designation or
// name is mpcName (FindMpcObject), or its first line when mpcName is empty.
ElementFileRead ParseElementFile(const std::string& path, const std::string& dataFolder, int aequi,
                                 ElementNotes& notes, const std::string& mpcName = "");

// The same for the bytes of a file already read: path only names the file in
// the notes and gives the kind.
struct ElementTextRead {
    OrbitalElements elements;
    ElementSource source = ElementSource::ElementText;
};
ElementTextRead ReadElementText(const std::string& bytes, const std::string& path, int aequi,
                                const std::string& mpcName, ElementNotes& notes);
OrbitalElements ParseElementText(const std::string& bytes, const std::string& path, int aequi,
                                 ElementNotes& notes);

// Completion and checks of a freshly read record (also used by the entry
// dialog).
void CompleteAndCheckElements(OrbitalElements& el, ElementNotes& notes);

// The file text the writer produces (Windows-1252 bytes, CRLF line ends).
std::string FormatElementFile(const OrbitalElements& el);

// Writes the file through a temporary file in the same folder and a rename,
// so an old file is never lost.
enum class ElementWrite { Written, NoName, InvalidNumbers, Failed };
ElementWrite WriteElementFile(const std::string& path, const OrbitalElements& el);

// Working copy of the elements for one position computation.
struct PreparedOrbit {
    OrbitalElements el;   // reduced to the equinox of the current date
    double massSolar = 0; // mass in solar masses
    double s = 0;         // semi-diameter at 1 AU, arcseconds
    double m0 = 0;        // magnitude coefficient
    std::string name;
    int index = kKindOther;
};

// Reduces node, argument of perihelion and inclination from the equinox of
// fromYear to the date given by clockTime, day, month, year (zone time).
void ReduceElementsToEquinox(OrbitalElements& el, int fromYear, double clockTime, int day, int month,
                             int year, int zone);

PreparedOrbit PrepareOrbit(const OrbitalElements& el, double clockTime, int day, int month, int year,
                           int zone);

struct HeliocentricPlace {
    double lon = 0;     // heliocentric ecliptic longitude, 0..2 pi
    double lat = 0;     // heliocentric ecliptic latitude
    double r = 0;       // AU
    double period = 0;  // years, or kPeriodParabolic / kPeriodHyperbolic
    bool ok = false;    // false: the elements do not allow a position
};

// Orbit solution at T (Julian centuries of TT from JD 2415020.0).
HeliocentricPlace SolveOrbit(const PreparedOrbit& orbit, double T);

}  // namespace astronomy

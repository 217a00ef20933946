// The catalogue files of the sky charts: the two parallel star files
// "sterne1.var"/"sterne2.var", the Messier catalogue "messier.kat" and the
// constellation file "sternbld.dat".
//
// Star files. Two files of fixed 4-byte records, each record one signed
// 32-bit little-endian integer, numbered from 1; record n of both files
// together describes object n. A (first file) holds magnitude code and right
// ascension: x = A * 1e-7, k = INT(x), right ascension = (x - TRUNC(x)) * 3pi
// (3pi written as 9.424777958, reduced into 0 <= ra < 2pi), magnitude =
// 0.1 k - 2. D (second file) holds the declination: D * 8.72664626e-10 rad,
// i.e. D = degrees * 20 000 000. A reading pass loads both files whole
// (51800 records, 207200 bytes each) and releases them at its end.
//
// messier.kat. Plain text, fields separated by commas or line ends; a line
// gives one field more than it has commas (so an empty line is one empty
// field). 109 entries of nine fields each, in the order of the Messier
// numbers:
//   RA hours, RA minutes, Dec degrees, Dec minutes, magnitude,
//   descriptive text, type text, constellation text, name text
// e.g.  "5,31.5,+21,59,8.4,Supernovarest,E,Tau,  Krebsnebel".
// Text fields are taken as they stand (blanks kept, no quoting, so a text
// cannot contain a comma); a name field of two blanks means "no name".
// Number fields may carry blanks around them. The minutes of the declination
// take the sign of the degree field. A degree field of 0 has no sign, so a
// declination between -1 and +1 degree is written with an explicit sign on
// the zero: "-0" makes the minutes count negative, "+0" positive. A plain
// unsigned "0" leaves the minutes out (they count for nothing).
// Content after the 109th entry is ignored.
//
// sternbld.dat. For each of the 89 figures: four comma- or line-separated
// fields (label text, second text, label RA in hours, label Dec in degrees),
// then the next whole line: the figure, a row of 6-character number fields.
// A number n > 0 is a star (catalogue record n + 1), 0 lifts the pen, -1
// ends the figure. Empty lines before a figure's label are skipped.
//
// Text files may have CRLF or LF line ends and be Windows-1252 or UTF-8;
// texts are kept as UTF-8. File names are resolved ignoring the case of
// letters, with "\" read as "/".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astronomy/ProgramState.h"

namespace charts {

// ---------------------------------------------------------------------------
// Star catalogue records

// The factor of the chart passes (3pi to nine decimals) and the one the
// deep-sky class overlay uses.
inline constexpr double kRaFactorChart = 9.424777958;
inline constexpr double kRaFactorOverlay = 9.424777961;
inline constexpr double kDecFactor = 8.72664626e-10;         // radians per unit of D
inline constexpr double kDecUnitsPerDegree = 20000000;       // D per degree
inline constexpr double kRaUnitsPerCode = 10000000;          // A per magnitude code

struct RecordRange {
    int first = 0;
    int last = -1;  // first > last: empty
    int Count() const { return last >= first ? last - first + 1 : 0; }
    bool Contains(int n) const { return n >= first && n <= last; }
};

inline constexpr RecordRange kStarRecords{1, 45266};          // ascending right ascension
inline constexpr RecordRange kNebulaERecords{45267, 45547};   // type 23 "E"
inline constexpr RecordRange kGalaxyRecords{45548, 48604};    // type 22 "Ga"
inline constexpr RecordRange kGlobularRecords{48605, 48726};  // type 20 "KSt"
inline constexpr RecordRange kOpenClusterRecords{48727, 49471};    // type 19 "OSt"
inline constexpr RecordRange kPlanetaryRecords{49472, 50034};      // type 21 "PlN"
inline constexpr RecordRange kBrightStarRecords{50035, 51800};     // to 5 mag, whole-sky chart
inline constexpr int kRecordCount = 51800;
inline constexpr int kRecordBytes = 4;

// Non-stellar object types.
inline constexpr int kTypeOpenCluster = 19;  // "OSt"
inline constexpr int kTypeGlobular = 20;     // "KSt"
inline constexpr int kTypePlanetary = 21;    // "PlN"
inline constexpr int kTypeGalaxy = 22;       // "Ga"
inline constexpr int kTypeNebulaE = 23;      // "E"

// The records of a non-stellar type (19..23); an empty range for any other
// code.
RecordRange RecordRangeForDeepSkyType(int typeCode);

// What a star record decodes to.
struct CatalogueRecord {
    double ra = 0;          // radians, 0 <= ra < 2pi, equinox 2000.0
    double dec = 0;         // radians
    int MagnitudeCode = 0;  // k
    double magnitude = 0;   // 0.1 k - 2.0
};

CatalogueRecord DecodeStarRecord(std::int32_t a, std::int32_t d, double raFactor = kRaFactorChart);

struct RawStarRecord {
    std::int32_t a = 0;  // "sterne1.var"
    std::int32_t d = 0;  // "sterne2.var"
};

// The record for right ascension raRad (0 <= ra < 2pi), declination decDeg
// (-90..90) and magnitude (>= -2.0). False (out unchanged) when a value lies
// outside these ranges, is not finite, or does not fit 32 bits.
bool EncodeStarRecord(double raRad, double decDeg, double magnitude, RawStarRecord& out);

// The 4-byte little-endian form of one integer, and back (any host order).
void StoreLittleEndian(std::int32_t value, unsigned char bytes[4]);
std::int32_t LoadLittleEndian(const unsigned char bytes[4]);

inline constexpr const char* kStarFile1Name = "sterne1.var";
inline constexpr const char* kStarFile2Name = "sterne2.var";
inline constexpr const char* kMessierFileName = "messier.kat";
inline constexpr const char* kConstellationFileName = "sternbld.dat";

// A catalogue file in a folder, its name looked up ignoring case.
std::string CatalogueFilePath(const std::string& folder, const std::string& fileName);

// Both star files for one reading pass. Open loads them, Close (or the
// destructor) releases them. Reading is by record number 1..RecordCount();
// every other number is refused.
class StarFiles {
public:
    // The files "sterne1.var" and "sterne2.var" of the data folder.
    bool Open(const std::string& dataFolder, std::string& error);
    // Two explicitly named files. Both must hold at least kRecordCount
    // records; otherwise nothing is kept, the result is false and error holds
    // the German text for the user.
    bool OpenFiles(const std::string& path1, const std::string& path2, std::string& error);
    void Close();
    bool IsOpen() const { return count_ > 0; }
    int RecordCount() const { return count_; }

    // False for a record outside 1..RecordCount() or when not open.
    bool ReadRaw(int n, RawStarRecord& out) const;
    bool ReadCatalogueRecord(int n, CatalogueRecord& out, double raFactor = kRaFactorChart) const;

private:
    std::string bytes1_, bytes2_;  // the whole files
    int count_ = 0;
};

// ---------------------------------------------------------------------------
// Non-stellar types by their text

// The type code of a label: p = 1-based position of the text in
// "OStKStPlNGa E  " (0 when absent or empty), code = 18 + round((p + 2) / 3).
int DeepSkyTypeFromText(std::string_view text);

// ---------------------------------------------------------------------------
// Messier catalogue

inline constexpr int kMessierCount = 109;

// Reads the catalogue (entry n-1 is M n). On any fault the catalogue is left
// as it was, the result is false and error holds a German message whose
// lines are separated by "|".
bool LoadMessierCatalogue(const std::string& path, std::vector<astronomy::MessierEntry>& out,
                          std::string& error);

// The same for the bytes of a file already read; path only names the file in
// messages.
bool ParseMessierCatalogue(std::string_view bytes, const std::string& path,
                           std::vector<astronomy::MessierEntry>& out, std::string& error);

// ---------------------------------------------------------------------------
// Constellation figures

inline constexpr int kConstellationCount = 89;
inline constexpr int kFigurePenUp = 0;
inline constexpr int kFigureEnd = -1;

// items holds, in file order, the star RECORD numbers (file number + 1, so
// always >= 2), kFigurePenUp for a break, and always ends with exactly one
// kFigureEnd (also when the line ended without it or a field could not be
// read).
struct ConstellationFigure {
    std::string label;
    std::string secondText;
    double raHours = 0;
    double decDeg = 0;
    std::vector<int> items;
};

// The items of one figure line; a field that does not start with a whole
// number of at least -1 ends the figure and sets problem to a short German
// description (else problem is cleared).
std::vector<int> ParseFigureLine(std::string_view line, std::string& problem);

// Reads the file. false and out unchanged when it cannot be read. Otherwise
// out holds every figure that could be read (at most 89) and the result is
// true when the file was without fault; faults (an entry whose label position
// is not a number is skipped, a bad figure field ends that figure, fewer than
// 89 entries) are described in error, lines separated by "|".
bool ReadConstellationFile(const std::string& path, std::vector<ConstellationFigure>& out,
                           std::string& error);
bool ParseConstellationFile(std::string_view bytes, const std::string& path,
                            std::vector<ConstellationFigure>& out, std::string& error);



}  // namespace charts

// Readers of the star, Messier and constellation files.

#include "charts/Catalogue.h"

#include "astronomy/Angles.h"
#include "astronomy/Files.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextEncoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

#include "astronomy/OrbitElements.h"  // ResolvePathCaseInsensitive

namespace charts {

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------------------
// Files and text

// The text catalogues are small; the star files are 207200 bytes each.
constexpr std::size_t kCatalogueFileLimit = 4 << 20;

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return astronomy::ReadSmallFile(path, bytes, kCatalogueFileLimit);
}

std::string FileNameOf(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    return name.empty() ? path : name;
}

using astronomy::IsBlank;
using astronomy::TrimBlanks;

// A number field: optional blanks, optional sign, a decimal number (with
// optional fraction and exponent), optional blanks, nothing else. negative
// tells whether a "-" was written, also for "-0".
bool ParseNumberField(std::string_view field, double& value, bool* negative = nullptr) {
    const std::string_view s = TrimBlanks(field);
    const std::optional<double> v = astronomy::ParseNumberExactly(s);
    if (!v) return false;
    value = *v;
    if (negative) *negative = s.front() == '-';
    return true;
}

// Reads a text as a stream of fields separated by commas or line ends
// (LF, CRLF or a lone CR).
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    bool AtLineStart() const { return pos_ == 0 || text_[pos_ - 1] == '\n' || text_[pos_ - 1] == '\r'; }

    // The next field; false at the end of the text. A comma at the very end
    // still closes one (empty) field after it.
    bool Next(std::string_view& field) {
        if (AtEnd()) {
            if (!afterComma_) return false;
            afterComma_ = false;
            field = {};
            return true;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        field = text_.substr(start, pos_ - start);
        afterComma_ = pos_ < text_.size() && text_[pos_] == ',';
        if (afterComma_)
            ++pos_;
        else
            SkipLineEnd();
        return true;
    }

    // The rest of the current line, without its line end.
    std::string_view RestOfLine() {
        afterComma_ = false;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
        const std::string_view line = text_.substr(start, pos_ - start);
        SkipLineEnd();
        return line;
    }

    // Passes over lines that hold nothing but blanks.
    void SkipBlankLines() {
        while (!AtEnd() && AtLineStart()) {
            std::size_t p = pos_;
            while (p < text_.size() && IsBlank(text_[p])) ++p;
            if (p < text_.size() && !IsLineEnd(text_[p])) return;
            pos_ = p;
            SkipLineEnd();
        }
    }

private:
    static bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
    void SkipLineEnd() {
        if (pos_ >= text_.size()) return;
        if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

}  // namespace

std::string CatalogueFilePath(const std::string& folder, const std::string& fileName) {
    const std::string joined = folder.empty() ? fileName : (fs::path(folder) / fileName).string();
    return astronomy::ResolvePathCaseInsensitive(joined);
}

// ---------------------------------------------------------------------------
// Star records

RecordRange RecordRangeForDeepSkyType(int typeCode) {
    switch (typeCode) {
        case kTypeOpenCluster: return kOpenClusterRecords;
        case kTypeGlobular: return kGlobularRecords;
        case kTypePlanetary: return kPlanetaryRecords;
        case kTypeGalaxy: return kGalaxyRecords;
        case kTypeNebulaE: return kNebulaERecords;
        default: return RecordRange{};
    }
}

CatalogueRecord DecodeStarRecord(std::int32_t a, std::int32_t d, double raFactor) {
    CatalogueRecord r;
    const double x = a * 1e-7;
    const double k = std::floor(x);
    r.MagnitudeCode = static_cast<int>(k);
    double alpha = (x - std::trunc(x)) * raFactor;
    alpha = astronomy::Mod2Pi(alpha);
    r.ra = alpha;
    r.magnitude = 0.1 * k - 2.0;
    r.dec = d * kDecFactor;
    return r;
}

bool EncodeStarRecord(double raRad, double decDeg, double magnitude, RawStarRecord& out) {
    if (!std::isfinite(raRad) || !std::isfinite(decDeg) || !std::isfinite(magnitude)) return false;
    if (raRad < 0 || raRad >= 2 * astronomy::kPi || decDeg < -90 || decDeg > 90) return false;
    const double k = std::round(10 * (magnitude + 2));
    if (k < 0) return false;
    const double a = std::round(kRaUnitsPerCode * (k + raRad / kRaFactorChart));
    const double d = std::round(decDeg * kDecUnitsPerDegree);
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (a > kMax) return false;
    out.a = static_cast<std::int32_t>(a);
    out.d = static_cast<std::int32_t>(d);  // |d| <= 1.8e9 fits
    return true;
}

void StoreLittleEndian(std::int32_t value, unsigned char bytes[4]) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>((u >> (8 * i)) & 0xFF);
}

std::int32_t LoadLittleEndian(const unsigned char bytes[4]) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | bytes[i];
    return static_cast<std::int32_t>(u);  // two's complement (C++20)
}

bool StarFiles::Open(const std::string& dataFolder, std::string& error) {
    return OpenFiles(CatalogueFilePath(dataFolder, kStarFile1Name),
                     CatalogueFilePath(dataFolder, kStarFile2Name), error);
}

bool StarFiles::OpenFiles(const std::string& path1, const std::string& path2, std::string& error) {
    Close();
    std::string bytes1, bytes2;
    for (const auto& [path, bytes] : {std::pair{&path1, &bytes1}, std::pair{&path2, &bytes2}}) {
        if (!ReadWholeFile(*path, *bytes)) {
            error = "Sternkatalog nicht lesbar: " + FileNameOf(*path);
            return false;
        }
        if (bytes->size() < static_cast<std::size_t>(kRecordCount) * kRecordBytes) {
            error = "Sternkatalog beschädigt: " + FileNameOf(*path) + " ist zu kurz";
            return false;
        }
    }
    const std::size_t records = std::min(bytes1.size(), bytes2.size()) / kRecordBytes;
    bytes1_ = std::move(bytes1);
    bytes2_ = std::move(bytes2);
    count_ = static_cast<int>(std::min<std::size_t>(records, std::numeric_limits<int>::max()));
    error.clear();
    return true;
}

void StarFiles::Close() {
    bytes1_.clear();
    bytes1_.shrink_to_fit();
    bytes2_.clear();
    bytes2_.shrink_to_fit();
    count_ = 0;
}

bool StarFiles::ReadRaw(int n, RawStarRecord& out) const {
    if (n < 1 || n > count_) return false;
    const std::size_t offset = static_cast<std::size_t>(n - 1) * kRecordBytes;
    out.a = LoadLittleEndian(reinterpret_cast<const unsigned char*>(bytes1_.data()) + offset);
    out.d = LoadLittleEndian(reinterpret_cast<const unsigned char*>(bytes2_.data()) + offset);
    return true;
}

bool StarFiles::ReadCatalogueRecord(int n, CatalogueRecord& out, double raFactor) const {
    RawStarRecord raw;
    if (!ReadRaw(n, raw)) return false;
    out = DecodeStarRecord(raw.a, raw.d, raFactor);
    return true;
}

// ---------------------------------------------------------------------------
// Type labels

int DeepSkyTypeFromText(std::string_view text) {
    static constexpr std::string_view kCodes = "OStKStPlNGa E  ";
    // An empty text counts as not found (find would report position 0).
    const std::size_t at = text.empty() ? std::string_view::npos : kCodes.find(text);
    const int p = at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
    return 18 + static_cast<int>(std::round((p + 2) / 3.0));
}

// ---------------------------------------------------------------------------
// Messier catalogue

namespace {

constexpr std::array<const char*, 5> kMessierNumberNames = {
    "Rektaszension (h)", "Rektaszension (min)", "Deklination (Grad)", "Deklination (min)", "Helligkeit"};

// A field as it is quoted in a message: control characters become "?".
std::string Quoted(std::string_view field) {
    std::string out = "\"";
    for (const char c : field) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    return out + "\"";
}

std::string MessierError(const std::string& path, int number, const std::string& what) {
    return "Fehler im Messier-Katalog|" + path + "|M " + std::to_string(number) + ": " + what;
}

// SGN of the degree field: -1, 0 or +1. A zero has no sign of its own; a
// "-0" or "+0" written in the file supplies one.
double SignOfDegrees(double deg, std::string_view field, bool minusWritten) {
    if (deg != 0) return deg > 0 ? 1 : -1;
    if (minusWritten) return -1;
    const std::string_view t = TrimBlanks(field);
    return !t.empty() && t.front() == '+' ? 1 : 0;
}

}  // namespace

bool ParseMessierCatalogue(std::string_view bytes, const std::string& path,
                           std::vector<astronomy::MessierEntry>& out, std::string& error) {
    const std::string text = astronomy::FileTextToUtf8(bytes);
    FieldReader reader(text);
    std::vector<astronomy::MessierEntry> entries;
    entries.reserve(kMessierCount);

    for (int number = 1; number <= kMessierCount; ++number) {
        // Nine fields; each number is checked as soon as it is read, so that
        // a file of garbage is reported as such and not as being short.
        std::array<std::string_view, 9> f;
        std::array<double, 5> v{};
        bool degMinus = false;
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (!reader.Next(f[i])) {
                error = "Messier-Katalog unvollständig|" + path + "|nur " + std::to_string(number - 1) +
                        " von " + std::to_string(kMessierCount) + " Einträgen";
                return false;
            }
            if (i < v.size() && !ParseNumberField(f[i], v[i], i == 2 ? &degMinus : nullptr)) {
                error = MessierError(path, number,
                                     std::string(kMessierNumberNames[i]) + " ist keine Zahl: " + Quoted(f[i]));
                return false;
            }
        }
        const double hours = v[0], raMin = v[1], deg = v[2], decMin = v[3];
        if (hours < 0 || hours >= 24 || raMin < 0 || raMin >= 60) {
            error = MessierError(path, number, "Rektaszension außerhalb 0 bis 24 h");
            return false;
        }
        if (deg < -90 || deg > 90 || decMin < 0 || decMin >= 60) {
            error = MessierError(path, number, "Deklination außerhalb -90 bis +90 Grad");
            return false;
        }
        const double decDeg = deg + SignOfDegrees(deg, f[2], degMinus) * decMin / 60;
        if (decDeg < -90 || decDeg > 90) {
            error = MessierError(path, number, "Deklination außerhalb -90 bis +90 Grad");
            return false;
        }
        astronomy::MessierEntry e;
        e.ra = (hours + raMin / 60) * astronomy::kPi / 12;
        e.dec = decDeg * astronomy::kPi / 180;
        e.magnitude = v[4];
        e.description = std::string(f[5]);
        e.type = std::string(f[6]);
        e.constellation = std::string(f[7]);
        e.name = std::string(f[8]);
        entries.push_back(std::move(e));
    }
    out = std::move(entries);
    error.clear();
    return true;
}

bool LoadMessierCatalogue(const std::string& path, std::vector<astronomy::MessierEntry>& out,
                          std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(astronomy::ResolvePathCaseInsensitive(path), bytes)) {
        error = "Messier-Katalog nicht lesbar|" + path;
        return false;
    }
    return ParseMessierCatalogue(bytes, path, out, error);
}

// ---------------------------------------------------------------------------
// Constellation figures

std::vector<int> ParseFigureLine(std::string_view line, std::string& problem) {
    problem.clear();
    std::vector<int> items;
    constexpr std::size_t kFieldWidth = 6;
    std::string_view rest = line;
    while (true) {
        // The number at the start of what is left, leading blanks skipped.
        std::size_t p = 0;
        while (p < rest.size() && IsBlank(rest[p])) ++p;
        if (p == rest.size()) break;  // nothing but blanks: no characters remain to read
        const std::size_t start = p;
        if (rest[p] == '+' || rest[p] == '-') ++p;
        const std::size_t digits = p;
        while (p < rest.size() && rest[p] >= '0' && rest[p] <= '9') ++p;
        const std::size_t intEnd = p;
        bool fraction = false;
        if (p < rest.size() && rest[p] == '.') {
            ++p;
            while (p < rest.size() && rest[p] >= '0' && rest[p] <= '9') fraction |= rest[p++] != '0';
        }
        if (intEnd == digits) {
            problem = Quoted(TrimBlanks(rest.substr(0, kFieldWidth))) + " ist keine Zahl";
            break;
        }
        double value = 0;
        if (!ParseNumberField(rest.substr(start, intEnd - start), value) || fraction || value < -1 ||
            value > kRecordCount - 1) {
            problem = Quoted(rest.substr(start, p - start)) + " ist keine Sternnummer";
            break;
        }
        const int n = static_cast<int>(value);
        if (n == -1) break;
        items.push_back(n == 0 ? kFigurePenUp : n + 1);
        rest.remove_prefix(std::min(kFieldWidth, rest.size()));
    }
    items.push_back(kFigureEnd);
    return items;
}

bool ParseConstellationFile(std::string_view bytes, const std::string& path,
                            std::vector<ConstellationFigure>& out, std::string& error) {
    const std::string text = astronomy::FileTextToUtf8(bytes);
    FieldReader reader(text);
    std::vector<ConstellationFigure> figures;
    std::vector<std::string> problems;
    int entries = 0;

    for (; entries < kConstellationCount; ++entries) {
        reader.SkipBlankLines();
        std::array<std::string_view, 4> f;
        bool complete = true;
        for (auto& field : f) complete = complete && reader.Next(field);
        if (!complete) break;
        const std::string_view line = reader.RestOfLine();
        const std::string where = "Sternbild " + std::to_string(entries + 1) + " (" + std::string(f[0]) + "): ";

        ConstellationFigure fig;
        fig.label = std::string(f[0]);
        fig.secondText = std::string(f[1]);
        if (!ParseNumberField(f[2], fig.raHours) || !ParseNumberField(f[3], fig.decDeg)) {
            problems.push_back(where + "Position ist keine Zahl");
            continue;
        }
        std::string problem;
        fig.items = ParseFigureLine(line, problem);
        if (!problem.empty()) problems.push_back(where + problem);
        figures.push_back(std::move(fig));
    }
    if (entries < kConstellationCount)
        problems.push_back("nur " + std::to_string(entries) + " von " + std::to_string(kConstellationCount) +
                           " Sternbildern");

    out = std::move(figures);
    if (problems.empty()) {
        error.clear();
        return true;
    }
    constexpr std::size_t kShown = 5;
    error = "Fehler in Datei|" + path;
    for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) error += "|" + problems[i];
    if (problems.size() > kShown)
        error += "|und " + std::to_string(problems.size() - kShown) + " weitere Fehler";
    return false;
}

bool ReadConstellationFile(const std::string& path, std::vector<ConstellationFigure>& out,
                           std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(astronomy::ResolvePathCaseInsensitive(path), bytes)) {
        error = "Datei nicht lesbar|" + path;
        return false;
    }
    return ParseConstellationFile(bytes, path, out, error);
}

}  // namespace charts

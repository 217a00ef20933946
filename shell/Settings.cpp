// Writing, reading and importing the settings file.
#include "shell/Settings.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <system_error>
#include <vector>

#include "astronomy/Files.h"
#include "astronomy/Numbers.h"
#include "astronomy/TextEncoding.h"
#include "shell/Place.h"

namespace shell {

using astronomy::kDegToRad;
using astronomy::ProgramState;

namespace {

constexpr std::size_t kSettingsFileLimit = 1 << 20;
constexpr int kMessierCount = 109;
// The stored drawing area, in pixels: from a usable panel to the largest
// screens made.
constexpr int kSmallestWindow = 320;
constexpr int kLargestWindow = 8192;

using astronomy::IsBlank;
using astronomy::IsDigit;
using astronomy::RoundToInt;
using astronomy::ShortestDegreesText;
using astronomy::ShortestHoursText;
using astronomy::ShortestText;
using astronomy::TrimBlanks;

// VAL of a value; nothing for a number too large for the type (the field
// keeps its value then).
template <typename T>
std::optional<T> FiniteValue(T v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

float ToFloat(double x) {
    if (std::isnan(x)) return 0;
    return static_cast<float>(std::clamp(x, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

// ---------------------------------------------------------------- writing

std::string Shortest(int x) { return std::to_string(x); }

// A text value must stay on its line.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string TwoDigits(int n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// ---------------------------------------------------------------- reading

struct DoubleKey {
    const char* key;
    double astronomy::StoredSettings::*field;
};

constexpr std::array<DoubleKey, 17> kDoubleKeys{{
    {"BelMag", &ProgramState::BelMag},
    {"Grenzmag", &ProgramState::Grenzmag},
    {"TrackLaenge", &ProgramState::TrackLaenge},
    {"Alpha_min", &ProgramState::Alpha_min},
    {"Alpha_max", &ProgramState::Alpha_max},
    {"Delta_min", &ProgramState::Delta_min},
    {"Delta_max", &ProgramState::Delta_max},
    {"Pol_max", &ProgramState::Pol_max},
    {"Pol_min", &ProgramState::Pol_min},
    {"Pol_mitte", &ProgramState::Pol_mitte},
    {"Hoehe_max", &ProgramState::Hoehe_max},
    {"Hoehe_min", &ProgramState::Hoehe_min},
    {"Azi_min", &ProgramState::Azi_min},
    {"Azi_max", &ProgramState::Azi_max},
    {"View_lambda", &ProgramState::View_lambda},
    {"View_beta", &ProgramState::View_beta},
    {"View_rs", &ProgramState::View_rs},
}};

struct IntKey {
    const char* key;
    int astronomy::StoredSettings::*field;
};

constexpr std::array<IntKey, 11> kIntKeys{{
    {"x_pos", &ProgramState::x_pos},
    {"y_pos", &ProgramState::y_pos},
    {"x_max", &ProgramState::x_max},
    {"y_max", &ProgramState::y_max},
    {"Aequi", &ProgramState::Aequi},
    {"Ort", &ProgramState::Ort},
    {"BelAequi", &ProgramState::BelAequi},
    {"Invers", &ProgramState::Invers},
    {"Mode", &ProgramState::DisplayFlags},
    {"TrackAlle", &ProgramState::TrackAlle},
    {"Messier", &ProgramState::Messier},
}};

struct FloatKey {
    const char* key;
    float astronomy::StoredSettings::*field;
};

constexpr std::array<FloatKey, 2> kFloatKeys{{
    {"Maximiert", &ProgramState::Maximiert},
    {"TrackStep", &ProgramState::TrackStep},
}};

// Place number of "OrtName07" and the like: the two digits after `prefix`.
int PlaceNumber(std::string_view key, std::string_view prefix) {
    if (key.size() != prefix.size() + 2 || key.substr(0, prefix.size()) != prefix) return 0;
    const char a = key[prefix.size()], b = key[prefix.size() + 1];
    if (!IsDigit(a) || !IsDigit(b)) return 0;
    return (a - '0') * 10 + (b - '0');
}

// One key line; `count` is the place count of the last "OrtAnz" line, -1
// before the first.
void ApplyKeyLine(ProgramState& s, int& count, std::string_view key, std::string_view value) {
    const std::optional<double> number = FiniteValue(astronomy::Val(value));
    for (const DoubleKey& k : kDoubleKeys)
        if (key == k.key) {
            if (number) s.*k.field = *number;
            return;
        }
    for (const IntKey& k : kIntKeys)
        if (key == k.key) {
            if (number) s.*k.field = RoundToInt(*number);
            return;
        }
    for (const FloatKey& k : kFloatKeys)
        if (key == k.key) {
            if (const auto single = FiniteValue(astronomy::ValFloat(value))) s.*k.field = *single;
            return;
        }
    if (key == "Flag") {
        // A number that names no view leaves the view as it is.
        if (const auto single = FiniteValue(astronomy::ValFloat(value)))
            if (const auto view = astronomy::ViewFromNumber(*single)) s.ChartMode = *view;
    } else if (key == "Zone") {
        if (number && *number > -0.5 && *number < 2.5) s.Zone = RoundToInt(*number);
    } else if (key == "Objekt") {
        // A name that is no object of the program leaves the object as it is.
        if (const auto kind = astronomy::ObjectKindFromName(TrimBlanks(value))) s.Objekt = *kind;
    } else if (key == "Pfad") {
        s.Pfad = std::string(TrimBlanks(value));
    } else if (key == "BelName") {
        s.BelName = std::string(TrimBlanks(value));
    } else if (key == "BelAlpha") {
        if (number && std::isfinite(*number * 15 * kDegToRad)) s.BelAlpha = *number * 15 * kDegToRad;
    } else if (key == "BelDelta") {
        if (number) s.BelDelta = *number * kDegToRad;
    } else if (key == "TrackDatum") {
        s.TrackDatum = std::string(value);
    } else if (key == "OrtAnz") {
        count = number ? std::clamp(RoundToInt(*number), 0, astronomy::kPlacesInMenu) : 0;
        s.OrtAnz = count;
    } else if (const int n = PlaceNumber(key, "OrtName"); n >= 1 && n <= count) {
        s.Orte[n].name = std::string(TrimBlanks(value));
    } else if (const int n = PlaceNumber(key, "OrtLaenge"); n >= 1 && n <= count) {
        if (number) s.Orte[n].longitude = *number * kDegToRad;
    } else if (const int n = PlaceNumber(key, "OrtBreite"); n >= 1 && n <= count) {
        // The place prompt's rule: nothing beyond a pole.
        if (const auto latitude = number ? PlaceLatitude(*number) : std::nullopt) s.Orte[n].latitude = *latitude;
    }
}

// Ranges the rest of the program relies on.
void MakeConsistent(ProgramState& s) {
    // A window no screen has, or placed where none is, would overflow the
    // placement's sums or ask for a picture of gigabytes; the window itself
    // is fitted to the screen when it is placed.
    s.x_max = std::clamp(s.x_max, kSmallestWindow, kLargestWindow);
    s.y_max = std::clamp(s.y_max, kSmallestWindow, kLargestWindow);
    s.x_pos = std::clamp(s.x_pos, -kLargestWindow, kLargestWindow);
    s.y_pos = std::clamp(s.y_pos, -kLargestWindow, kLargestWindow);
    s.OrtAnz = std::clamp(s.OrtAnz, 0, astronomy::kPlaceSlots);
    if (s.Zone < 0 || s.Zone > 2) s.Zone = 1;
    if (s.Ort < 1 || s.Ort > s.OrtAnz) s.Ort = 1;
    if (s.Messier < 1 || s.Messier > kMessierCount || s.Messier == 40) s.Messier = 1;
}

// ---------------------------------------------------------------- import

// Values separated by commas or line ends; a value may be quoted.
class SequentialReader {
public:
    explicit SequentialReader(std::string_view text) : text_(text) {}

    bool Next(std::string& value) {
        while (pos_ < text_.size() && (IsBlank(text_[pos_]) || text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
        if (pos_ >= text_.size()) return false;
        std::size_t end;
        if (text_[pos_] == '"') {
            const std::size_t start = ++pos_;
            end = text_.find_first_of("\"\r\n", start);
            if (end == std::string_view::npos) end = text_.size();
            value = std::string(text_.substr(start, end - start));
            pos_ = end < text_.size() && text_[end] == '"' ? end + 1 : end;
            end = text_.find_first_of(",\r\n", pos_);
            if (end == std::string_view::npos) end = text_.size();
        } else {
            end = text_.find_first_of(",\r\n", pos_);
            if (end == std::string_view::npos) end = text_.size();
            value = std::string(TrimBlanks(text_.substr(pos_, end - pos_)));
        }
        pos_ = end < text_.size() && text_[end] == ',' ? end + 1 : end;
        return true;
    }

    // A value that must be wholly a finite number.
    bool NextNumber(double& number) {
        std::string value;
        if (!Next(value)) return false;
        const std::optional<double> parsed = astronomy::ParseNumberExactly(TrimBlanks(value));
        if (!parsed) return false;
        number = *parsed;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

struct Value {
    double number = 0;
    std::string text;
};

// Reads one group; `kinds` holds "n" for a number and "s" for a text per value.
bool ReadGroup(SequentialReader& in, std::string_view kinds, std::vector<Value>& values) {
    values.assign(kinds.size(), Value{});
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const bool ok = kinds[i] == 'n' ? in.NextNumber(values[i].number) : in.Next(values[i].text);
        if (!ok) return false;
    }
    return true;
}

bool ImportPlaces(SequentialReader& in, ProgramState& s) {
    double count = 0;
    if (!in.NextNumber(count) || count > 1000) return false;
    const int n = std::max(RoundToInt(count), 12);
    std::vector<Value> v;
    for (int k = 1; k <= n; ++k) {
        if (!ReadGroup(in, "snn", v)) return false;
        if (k <= astronomy::kPlaceSlots) {
            const std::optional<double> latitude = PlaceLatitude(v[2].number);
            if (latitude) s.Orte[k] = {v[0].text, v[1].number * kDegToRad, *latitude};
        }
    }
    s.OrtAnz = astronomy::kPlacesInMenu;
    return true;
}

void ImportGroups(SequentialReader& in, ProgramState& s) {
    std::vector<Value> v;
    if (ReadGroup(in, "nsnsnnnnnnnnnn", v)) {
        s.Zone = RoundToInt(v[0].number);
        s.Pfad = v[1].text;
        s.Invers = RoundToInt(v[2].number);
        if (const auto kind = astronomy::ObjectKindFromName(v[3].text)) s.Objekt = *kind;
        if (const auto view = astronomy::ViewFromNumber(ToFloat(v[4].number))) s.ChartMode = *view;
        s.Ort = RoundToInt(v[5].number);
        s.TrackLaenge = v[6].number;
        s.TrackStep = ToFloat(v[7].number);
        s.DisplayFlags = RoundToInt(v[8].number);
        s.x_max = RoundToInt(v[9].number - 19);
        s.y_max = RoundToInt(v[10].number - 60);
        s.Messier = RoundToInt(v[11].number);
        s.View_rs = v[12].number;
        s.TrackAlle = RoundToInt(v[13].number);
        if (s.Ort > 12) s.Ort = 1;
    } else {
        s.TrackLaenge = 30, s.TrackStep = 1, s.DisplayFlags = 25, s.x_max = 800, s.y_max = 550;
        s.Messier = 1, s.View_rs = 2, s.Ort = 1, s.TrackAlle = 0;
    }
    if (ReadGroup(in, "snnnn", v)) {
        s.BelName = v[0].text, s.BelAlpha = v[1].number, s.BelDelta = v[2].number;
        s.BelMag = v[3].number, s.BelAequi = RoundToInt(v[4].number);
    } else {
        s.BelName = "Polarstern", s.BelAlpha = 2.530277778, s.BelDelta = 89.2605556;
        s.BelMag = 1.97, s.BelAequi = 2000;
    }
    s.BelAlpha = s.BelAlpha * 15 * kDegToRad;
    s.BelDelta = s.BelDelta * kDegToRad;
    if (ReadGroup(in, "nnnn", v)) {
        s.Pol_min = v[0].number, s.Pol_max = v[1].number, s.Pol_mitte = v[2].number, s.Grenzmag = v[3].number;
    } else {
        s.Pol_min = 0, s.Pol_max = 180, s.Pol_mitte = 0, s.Grenzmag = 6;
    }
    if (ReadGroup(in, "nnnns", v)) {
        s.Alpha_min = v[0].number, s.Alpha_max = v[1].number, s.Delta_min = v[2].number;
        s.Delta_max = v[3].number, s.TrackDatum = v[4].text == "-" ? "" : v[4].text;
    } else {
        s.Alpha_min = -5, s.Alpha_max = 5, s.Delta_min = 20, s.Delta_max = 40, s.TrackDatum = "m";
    }
    if (ReadGroup(in, "nn", v)) {
        s.x_pos = RoundToInt(v[0].number), s.y_pos = std::max(RoundToInt(v[1].number), 5);
    } else {
        s.x_pos = 150, s.y_pos = 100;
    }
    if (ReadGroup(in, "nnnn", v)) {
        s.Hoehe_max = v[0].number, s.Hoehe_min = v[1].number, s.Azi_min = v[2].number, s.Azi_max = v[3].number;
    } else {
        s.Hoehe_max = 60, s.Hoehe_min = 0, s.Azi_min = 160, s.Azi_max = 200;
    }
    s.Aequi = ReadGroup(in, "n", v) ? RoundToInt(v[0].number) : 9999;
    if (ReadGroup(in, "nn", v)) {
        s.View_lambda = v[0].number, s.View_beta = v[1].number;
    } else {
        s.View_lambda = 180, s.View_beta = 90;
    }
}

}  // namespace

std::string SettingsText(const ProgramState& s, const std::string& versionText) {
    std::string out;
    auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    auto key = [&line](std::string_view k, const std::string& value) { line(std::string(k) + "=" + value); };

    std::string disk = s.DiskName;
    if (const auto dash = disk.find('-'); dash != std::string::npos) disk.erase(dash, 1);

    line("[Main]");
    line(TrimBlanks(versionText));
    key("x_pos", Shortest(s.x_pos));
    key("y_pos", Shortest(s.y_pos));
    key("x_max", Shortest(s.x_max));
    key("y_max", Shortest(s.y_max));
    key("Maximiert", ShortestText(s.Maximiert));
    key("Zone", Shortest(s.Zone));
    key("Aequi", Shortest(s.Aequi));
    key("Ort", Shortest(s.Ort));
    line("");
    line("[Objekt]");
    key("Objekt", " " + std::string(astronomy::ObjectName(s.Objekt)));
    key("Disk", OneLine(disk));
    key("Pfad", OneLine(s.Pfad));
    key("Messier", Shortest(s.Messier));
    key("BelName", OneLine(s.BelName));
    key("BelAlpha", ShortestHoursText(s.BelAlpha));
    key("BelDelta", ShortestDegreesText(s.BelDelta));
    key("BelMag", ShortestText(s.BelMag));
    key("BelAequi", Shortest(s.BelAequi));
    line("");
    line("[Darstellen]");
    key("Flag", ShortestText(astronomy::ViewNumber(s.ChartMode)));
    key("Grenzmag", ShortestText(s.Grenzmag));
    key("Invers", Shortest(s.Invers));
    key("Mode", Shortest(s.DisplayFlags));
    key("TrackLaenge", ShortestText(s.TrackLaenge));
    key("TrackStep", ShortestText(s.TrackStep));
    key("TrackDatum", s.TrackDatum.empty() ? "-" : OneLine(s.TrackDatum));
    key("TrackAlle", Shortest(s.TrackAlle));
    key("Alpha_min", ShortestText(s.Alpha_min));
    key("Alpha_max", ShortestText(s.Alpha_max));
    key("Delta_min", ShortestText(s.Delta_min));
    key("Delta_max", ShortestText(s.Delta_max));
    key("Pol_max", ShortestText(s.Pol_max));
    key("Pol_min", ShortestText(s.Pol_min));
    key("Pol_mitte", ShortestText(s.Pol_mitte));
    key("Hoehe_max", ShortestText(s.Hoehe_max));
    key("Hoehe_min", ShortestText(s.Hoehe_min));
    key("Azi_min", ShortestText(s.Azi_min));
    key("Azi_max", ShortestText(s.Azi_max));
    key("View_lambda", ShortestText(s.View_lambda));
    key("View_beta", ShortestText(s.View_beta));
    key("View_rs", ShortestText(s.View_rs));
    line("");
    line("[Orte]");
    const int count = std::clamp(s.OrtAnz, 0, astronomy::kPlaceSlots);
    key("OrtAnz", Shortest(count));
    for (int n = 1; n <= count; ++n) {
        key("OrtName" + TwoDigits(n), OneLine(s.Orte[n].name));
        key("OrtLaenge" + TwoDigits(n), ShortestDegreesText(s.Orte[n].longitude));
        key("OrtBreite" + TwoDigits(n), ShortestDegreesText(s.Orte[n].latitude));
    }
    line("");
    // Windows-1252 as always, when the reader gets the same text back from
    // it. A text with characters it lacks (a folder named in another
    // script) would come back as "?", and one whose Windows-1252 bytes
    // happen to form UTF-8 ("Â¸") would be read as that: such a file is
    // written in UTF-8, which the reader takes as it is.
    const std::string windows = astronomy::Utf8ToCp1252(out);
    return astronomy::FileTextToUtf8(windows) == out ? windows : out;
}

bool WriteSettings(const ProgramState& s, const std::string& versionText, std::string& error) {
    namespace fs = std::filesystem;
    const std::string folder = astronomy::ResolvePathCaseInsensitive(s.DataFolder);
    const std::string path = astronomy::ResolvePathCaseInsensitive(folder + "/Kelmaron.ini");
    auto fail = [&error, &path] {
        error = "Die Einstellungen konnten nicht gespeichert werden.|" + path;
        return false;
    };
    if (s.DataFolder.empty()) return fail();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return fail();

    const std::string temp = folder + "/Kelmaron.ini.tmp" + std::to_string(::getpid());
    const std::string bytes = SettingsText(s, versionText);
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            fs::remove(temp, ec);
            return fail();
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return fail();
    }
    error.clear();
    return true;
}

void ParseSettingsText(ProgramState& s, std::string_view bytes) {
    const std::string text = astronomy::FileTextToUtf8(bytes);
    ProgramState next = s;
    int count = -1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        // CRLF, LF, and the CR CR LF of a file that passed through a tool
        // which doubled the carriage returns.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() <= 2 || line.front() == '[') continue;
        // A carriage return inside a line is a blank, as the writer puts it.
        std::string blanked(line);
        std::replace(blanked.begin(), blanked.end(), '\r', ' ');
        const std::string_view text(blanked);
        const std::size_t p = text.find('=');
        if (p == std::string_view::npos || p == 0) continue;
        ApplyKeyLine(next, count, text.substr(0, p), text.substr(p + 1));
        if (next.TrackDatum == "-") next.TrackDatum.clear();
    }
    MakeConsistent(next);
    s = std::move(next);
}

void ReadSettings(ProgramState& s) {
    astronomy::ApplyDefaults(s);
    std::string bytes;
    const std::string path = astronomy::ResolvePathCaseInsensitive(s.DataFolder + "/Kelmaron.ini");
    if (!astronomy::ReadSmallFile(path, bytes, kSettingsFileLimit)) {
        ImportOldSettings(s);
        return;
    }
    ParseSettingsText(s, bytes);
}

void ImportOldSettings(ProgramState& s) {
    namespace fs = std::filesystem;
    std::string path = astronomy::ResolvePathCaseInsensitive(s.DataFolder + "/Kelmar.ini");
    std::error_code ec;
    if (!fs::exists(path, ec)) path = astronomy::ResolvePathCaseInsensitive(s.DataFolder + "/Kelmar.dat");
    std::string bytes;
    if (!astronomy::ReadSmallFile(path, bytes, kSettingsFileLimit)) return;
    const std::string text = astronomy::FileTextToUtf8(bytes);
    SequentialReader in(text);
    ProgramState next = s;
    if (!ImportPlaces(in, next)) return;
    ImportGroups(in, next);
    MakeConsistent(next);
    s = std::move(next);
}

}  // namespace shell

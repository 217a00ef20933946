// kelmaron-cli position: one object computed exactly as the object view
// computes it, printed as German text or as JSON.
#include "app/PositionCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "app/CliArgs.h"
#include "astronomy/Angles.h"
#include "astronomy/Numbers.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextEncoding.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "shell/Messages.h"

namespace cli {

namespace fs = std::filesystem;
using namespace astronomy;

namespace {

// The folder of the bundled data (messier.kat, Objekte/): next to the
// program in a build tree, share/kelmaron when installed.
std::string DefaultDataFolder(const std::string& programFolder) {
    for (const char* rel : {".", "../share/kelmaron"}) {
        fs::path p = fs::path(programFolder) / rel;
        std::error_code ec;
        if (fs::is_regular_file(p / "messier.kat", ec)) return p.lexically_normal().string();
    }
    return programFolder;
}

void PrintJson(std::ostream& out, const ProgramState& s, const BodyPosition& p, const SunDerived& sun) {
    const TimeQuantities& q = s.tq;
    out << "{\"instant\": {\"j\": " << Num(s.J) << ", \"f\": " << Num(s.F) << ", \"day\": " << s.Day
        << ", \"month\": " << s.Month << ", \"year\": " << s.Year << ", \"clock_time\": " << Num(s.ClockTime)
        << ", \"zone\": " << s.Zone << ", \"weekday\": " << s.Weekday << ", \"gst0\": " << Num(q.GST0)
        << ", \"lst\": " << Num(q.LST) << ", \"obliquity\": " << Num(q.obliquity) << ", \"nutation\": "
        << Num(q.nutation) << ", \"lmt\": " << Num(q.LMT) << ", \"delta_t\": " << Num(q.deltaT) << "},\n";
    out << " \"body\": {\"name\": " << JsonString(p.name) << ", \"index\": " << p.index << ", \"t\": " << Num(p.T)
        << ", \"ra\": " << Num(p.ra) << ", \"dec\": " << Num(p.dec) << ", \"hour_angle\": " << Num(p.hourAngle)
        << ", \"altitude\": " << Num(p.altitude) << ", \"azimuth\": " << Num(p.azimuth)
        << ", \"ecl_lon\": " << Num(p.eclLon) << ", \"ecl_lat\": " << Num(p.eclLat) << ", \"r\": " << Num(p.r)
        << ", \"delta\": " << Num(p.delta) << ", \"light_time_days\": " << Num(p.lightTimeDays)
        << ", \"light_time_minutes\": " << Num(p.lightTimeMinutes) << ", \"phase_angle\": " << Num(p.phaseAngle)
        << ", \"elongation\": " << Num(p.elongation) << ", \"illuminated_fraction\": "
        << Num(p.illuminatedFraction) << ", \"limb_angle\": " << Num(p.limbAngle) << ", \"diameter\": "
        << Num(p.diameter) << ", \"magnitude\": " << Num(p.magnitude) << ", \"period\": " << Num(p.period)
        << ", \"ra_rate\": " << Num(p.raRate) << ", \"dec_rate\": " << Num(p.decRate)
        << ", \"semi_diurnal_arc\": " << Num(p.semiDiurnalArc) << ", \"time_to_transit\": "
        << Num(p.timeToTransit) << ", \"transit\": " << Num(p.transit) << ", \"rise\": " << Num(p.rise)
        << ", \"set\": " << Num(p.set) << ", \"ring_longitude\": " << Num(p.ringLongitude)
        << ", \"ring_tilt\": " << Num(p.ringTilt) << "},\n";
    out << " \"sun\": {\"lambda\": " << Num(sun.lambda) << ", \"beta\": " << Num(sun.beta) << ", \"r\": "
        << Num(sun.R) << ", \"ra\": " << Num(sun.ra) << ", \"dec\": " << Num(sun.dec) << ", \"hour_angle\": "
        << Num(sun.hourAngle) << ", \"altitude\": " << Num(sun.altitude) << ", \"azimuth\": " << Num(sun.azimuth)
        << ", \"equation_of_time\": " << Num(sun.equationOfTime) << ", \"twilight_arc\": " << Num(sun.twilightArc)
        << ", \"twilight_end\": " << Num(sun.twilightEnd) << ", \"twilight_begin\": " << Num(sun.twilightBegin)
        << "}}\n";
}

bool AllFinite(const ProgramState& s, const SunDerived& sun) {
    const TimeQuantities& q = s.tq;
    const double v[] = {s.J, s.F, s.ClockTime, q.GST0, q.LST, q.obliquity, q.nutation, q.LMT, q.deltaT,
                        sun.lambda, sun.beta, sun.R, sun.ra, sun.dec, sun.hourAngle, sun.altitude, sun.azimuth,
                        sun.equationOfTime, sun.twilightArc, sun.twilightEnd, sun.twilightBegin};
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

void ReadDate(const std::string& text, int& day, int& month, int& year) {
    const std::size_t p1 = text.find('.');
    const std::size_t p2 = p1 == std::string::npos ? p1 : text.find('.', p1 + 1);
    if (p2 == std::string::npos) throw UsageError("Ungültiges Datum (T.M.JJJJ erwartet): '" + text + "'");
    auto d = ParseInteger(text.substr(0, p1));
    auto m = ParseInteger(text.substr(p1 + 1, p2 - p1 - 1));
    auto y = ParseInteger(text.substr(p2 + 1));
    if (!d || !m || !y || std::llabs(*d) > 100000 || std::llabs(*m) > 100000 || std::llabs(*y) > 200000)
        throw UsageError("Ungültiges Datum (T.M.JJJJ erwartet): '" + text + "'");
    day = static_cast<int>(*d);
    month = static_cast<int>(*m);
    year = static_cast<int>(*y);
    // As the date entry does: a month outside 1..12 is taken as January.
    if (month < 1 || month > 12) month = 1;
}

double ReadTime(const std::string& text) {
    const std::size_t p1 = text.find(':');
    if (p1 == std::string::npos) throw UsageError("Ungültige Uhrzeit (H:M[:S] erwartet): '" + text + "'");
    const std::size_t p2 = text.find(':', p1 + 1);
    auto h = ParseInteger(text.substr(0, p1));
    auto m = ParseInteger(text.substr(p1 + 1, p2 == std::string::npos ? std::string::npos : p2 - p1 - 1));
    std::optional<double> sec = 0.0;
    if (p2 != std::string::npos) sec = ParseNumber(text.substr(p2 + 1));
    if (!h || !m || !sec || std::llabs(*h) > 100000 || std::llabs(*m) > 100000 || std::fabs(*sec) > 1e6)
        throw UsageError("Ungültige Uhrzeit (H:M[:S] erwartet): '" + text + "'");
    return *h + (*m + *sec / 60) / 60;
}

void ReadElementFile(const Options& o, ProgramState& s, ElementNotes& notes) {
    const std::string path =
        o.text("--elements").value_or(charts::CatalogueFilePath(s.DataFolder, "Objekte/Pluto.kpl"));
    // A Latin-1 terminal's bytes as well.
    const std::string mpcName = FileTextToUtf8(o.text("--mpc-name").value_or(""));
    if (o.has("--mpc-name") && TrimBlanks(mpcName).empty()) throw UsageError("--mpc-name ohne Namen");
    ElementNotes found;
    ElementFileRead read = ParseElementFile(path, s.DataFolder, s.Aequi, found, mpcName);
    if (!read.opened) throw UsageError("Elementdatei nicht lesbar: " + path);
    // A file of Minor Planet Center lines gives one of its lines or nothing.
    switch (read.source) {
        case ElementSource::ElementText:
            if (!mpcName.empty())
                throw UsageError("--mpc-name gilt nur für Bahnen des Minor Planet Center, nicht für " + path);
            break;
        case ElementSource::MpcLine: break;
        case ElementSource::MpcEmpty: throw UsageError("Keine Bahnelemente in Datei: " + path);
        case ElementSource::MpcNameNotFound:
            throw UsageError("Kein Objekt '" + mpcName + "' in der Datei " + path);
        case ElementSource::MpcMalformed:
            throw UsageError(OneLine(shell::ElementNoteMessage(found.front()).text));
    }
    notes.insert(notes.end(), found.begin(), found.end());
    s.Elements = read.elements;
    s.Pfad = read.path;
    s.DiskName = read.elements.name;
}

void ReadObject(const Options& o, ProgramState& s, ElementNotes& notes) {
    const std::string name = o.text("--object").value_or("Sonne");
    const std::optional<ObjectKind> kind = ObjectKindFromName(name);
    if (!kind) throw UsageError("Objekt nicht bekannt: '" + name + "'");
    s.Objekt = *kind;
    if (auto e = o.integer("--equinox")) s.Aequi = *e;
    if (s.Objekt == ObjectKind::Arbitrary) {
        if (auto v = o.text("--bel-name")) s.BelName = FileTextToUtf8(*v);  // a Latin-1 terminal's bytes too
        if (auto v = o.number("--bel-ra")) s.BelAlpha = *v * 15 * kDegToRad;
        if (auto v = o.number("--bel-dec")) {
            if (std::fabs(*v) > 90) throw UsageError("Deklination außerhalb von -90..90 Grad: " + *o.text("--bel-dec"));
            s.BelDelta = *v * kDegToRad;
        }
        if (auto v = o.number("--bel-mag")) s.BelMag = *v;
        if (auto v = o.integer("--bel-equinox")) s.BelAequi = *v;
    }
    if (s.Objekt == ObjectKind::Messier) {
        const int n = o.integer("--messier").value_or(1);
        if (n < 1 || n > 109) throw UsageError("Messier-Nummer außerhalb von 1..109: " + std::to_string(n));
        std::string error;
        std::vector<MessierEntry> catalogue;
        const std::string path = charts::CatalogueFilePath(s.DataFolder, "messier.kat");
        if (!charts::LoadMessierCatalogue(path, catalogue, error)) throw UsageError(OneLine(error));
        s.MessierCatalogue = std::move(catalogue);
        s.Messier = n;
        return;
    }
    if (o.has("--messier")) throw UsageError("--messier gilt nur mit --object Messier");
    if (s.Objekt == ObjectKind::Disk) ReadElementFile(o, s, notes);
}

std::string OneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '|') c = ' ';
    return out;
}

int ReadZone(const Options& o) {
    const std::string z = o.text("--zone").value_or("MEZ");
    if (z == "UT") return 0;
    if (z == "MEZ") return 1;
    if (z == "MESZ") return 2;
    throw UsageError("Unbekannte Zeitzone (UT, MEZ oder MESZ): '" + z + "'");
}

void ReadPlace(const Options& o, ProgramState& s) {
    const bool byCoordinates = o.has("--lon") || o.has("--lat");
    if (byCoordinates && o.has("--place")) throw UsageError("--place und --lon/--lat schließen sich aus");
    if (byCoordinates) {
        if (!o.has("--lon") || !o.has("--lat")) throw UsageError("--lon und --lat müssen beide angegeben werden");
        const double lon = *o.number("--lon");
        const double lat = *o.number("--lat");
        if (std::fabs(lat) > 90) throw UsageError("Breite außerhalb von -90..90 Grad: " + *o.text("--lat"));
        if (std::fabs(lon) > 360) throw UsageError("Länge außerhalb von -360..360 Grad: " + *o.text("--lon"));
        s.Longitude = lon * kDegToRad;
        s.Latitude = lat * kDegToRad;
        SetLatitudeTerms(s);
        return;
    }
    const std::string place = o.text("--place").value_or("1");
    int n = 0;
    if (auto k = ParseInteger(place)) {
        if (*k >= 1 && *k <= s.OrtAnz) n = static_cast<int>(*k);
    } else {
        for (int i = 1; i <= s.OrtAnz; ++i)
            if (s.Orte[i].name == place) n = i;
    }
    if (n == 0 || !SetPlaceFromList(s, n)) throw UsageError("Ort nicht bekannt: '" + place + "'");
}

void ReadInstant(const Options& o, ProgramState& s) {
    s.Zone = ReadZone(o);
    if (o.has("--jd")) {
        if (o.has("--date") || o.has("--time")) throw UsageError("--jd und --date/--time schließen sich aus");
        double J = 0, F = 0;
        const std::string t = *o.text("--jd");
        if (!SplitJulianDateText(t, J, F) || std::fabs(J) > 1e8)
            throw UsageError("Ungültiges Julianisches Datum: '" + t + "'");
        SetInstant(s, J, F);
    } else {
        if (!o.has("--date")) throw UsageError("Zeitpunkt fehlt: --date T.M.JJJJ oder --jd JD angeben");
        int day = 1, month = 1, year = 2000;
        ReadDate(*o.text("--date"), day, month, year);
        const double hours = o.has("--time") ? ReadTime(*o.text("--time")) : 0.0;
        const JulianDate jd = CalendarToJulianDate(hours, day, month, year, s.Zone);
        SetInstant(s, jd.J, jd.F);
    }
}

std::string Num(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

std::string JsonString(const std::string& t) {
    std::string out = "\"";
    for (unsigned char c : t) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const std::vector<std::string>& StateOptionNames() {
    static const std::vector<std::string> names = {
        "--date",     "--time",   "--zone",    "--jd",      "--place",       "--lon",     "--lat",     "--object",
        "--elements", "--mpc-name", "--bel-name", "--bel-ra", "--bel-dec", "--bel-mag", "--bel-equinox", "--equinox", "--messier",
        "--data"};
    return names;
}

void StartState(const Options& o, const std::string& programFolder, ProgramState& s) {
    s.ProgramFolder = programFolder;
    s.DataFolder = o.text("--data").value_or(DefaultDataFolder(programFolder));
    ApplyDefaults(s);
}

void ReadStateOptions(const Options& o, const std::string& programFolder, ProgramState& s, ElementNotes& notes) {
    StartState(o, programFolder, s);
    ReadPlace(o, s);
    ReadObject(o, s, notes);
    ReadInstant(o, s);
}

int RunPosition(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                std::ostream& err) {
    const Options o(args, StateOptionNames(), {"--json"});
    ProgramState s;
    ElementNotes notes;
    ReadStateOptions(o, programFolder, s, notes);
    s.ChartMode = View::ObjectBody;

    const Target target = TargetOf(s, s.Objekt);
    const PositionResult r = ComputePosition(ObservationOf(s), target);
    std::vector<shell::UserMessage> messages = shell::ElementNoteMessages(notes);
    if (r.status == PositionStatus::NoMessier) messages.push_back(shell::PositionMessage(r.status, target, ""));
    const BodyPosition& pos = r.body;
    const SunDerived& sun = r.sun;
    if (r.status != PositionStatus::Ok || !AllFinite(s, sun))
        throw UsageError("Position von '" + std::string(ObjectName(s.Objekt)) +
                         "' ist zu diesem Zeitpunkt nicht berechenbar" +
                         (messages.empty() ? std::string() : " (" + OneLine(messages.front().text) + ")"));
    for (const shell::UserMessage& m : messages) err << OneLine(m.text) << '\n';
    if (o.has("--json"))
        PrintJson(out, s, pos, sun);
    else
        PrintPositionText(out, s, pos, sun);
    return 0;
}

}  // namespace cli

// kelmaron-cli ephemeris: the tables of the "Ephemeride" command and of the
// "Tagesephemeride" view, computed by the window's own code. Everything is
// computed before anything is printed, so that an error leaves no output.
#include "app/EphemerisCommand.h"

#include <cmath>
#include <ostream>
#include <sstream>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "astronomy/Numbers.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "reports/EphemerisTables.h"
#include "shell/Messages.h"

namespace cli {

using astronomy::BodyPosition;
using astronomy::ProgramState;

namespace {

// More rows than this in one table are a mistake, not a wish.
constexpr std::size_t kMostRows = 1000000;

enum class Format { Text, Csv, Json };

const char* const kIntervalOptions[] = {"--from", "--from-time", "--to", "--to-time", "--step"};
const char* const kObjectOptions[] = {"--object",  "--messier",  "--bel-name",   "--bel-ra",
                                      "--bel-dec", "--bel-mag", "--bel-equinox"};

// The columns of one place, in the units of `position --json`.
const char* const kPlaceKeys[] = {"ra",        "dec",         "delta", "diameter", "elongation",
                                  "magnitude", "phase_angle", "rise",  "transit",  "set"};

Format ReadFormat(const Options& o) {
    const std::string f = o.text("--format").value_or("text");
    if (f == "text") return Format::Text;
    if (f == "csv") return Format::Csv;
    if (f == "json") return Format::Json;
    throw UsageError("--format muss text, csv oder json sein: '" + f + "'");
}

// "D,H,M": days, hours and minutes, each a number of either sign.
double ReadStep(const Options& o) {
    const std::string text = o.text("--step").value_or("");
    const std::size_t c1 = text.find(',');
    const std::size_t c2 = c1 == std::string::npos ? c1 : text.find(',', c1 + 1);
    const auto d = ParseNumber(text.substr(0, c1));
    const auto h = c1 == std::string::npos ? std::nullopt : ParseNumber(text.substr(c1 + 1, c2 - c1 - 1));
    const auto m = c2 == std::string::npos ? std::nullopt : ParseNumber(text.substr(c2 + 1));
    if (!d || !h || !m) throw UsageError("--step fehlt oder ist nicht T,S,M (Tage, Stunden, Minuten): '" + text + "'");
    const double step = *d + *h / 24 + *m / 1440;
    if (!std::isfinite(step)) throw UsageError("--step ist zu groß: '" + text + "'");
    // In the window Escape ends such a list; here nobody can.
    if (step == 0) throw UsageError("--step 0 ergibt eine Liste ohne Ende: '" + text + "'");
    return step;
}

// A date option with its time option (default 0:00) in the state's zone.
astronomy::JulianDate ReadDateAndTime(const Options& o, const char* date, const char* time, int zone) {
    const auto text = o.text(date);
    if (!text) throw UsageError(std::string(date) + " T.M.JJJJ fehlt");
    int day = 1, month = 1, year = 2000;
    ReadDate(*text, day, month, year);
    const double hours = o.has(time) ? ReadTime(*o.text(time)) : 0.0;
    return astronomy::CalendarToJulianDate(hours, day, month, year, zone);
}

std::string CsvText(const std::string& t) {
    if (t.find_first_of(",\"\n") == std::string::npos) return t;
    std::string out = "\"";
    for (char c : t) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// The instant as `position --json` gives it: day number and fraction, the
// zone's date, weekday and clock time.
std::vector<std::string> InstantValues(const astronomy::Instant& at, int zone) {
    const astronomy::CivilDate c = astronomy::JulianDateToCalendar(at.J, at.F, zone);
    return {Num(at.J),  Num(at.F), std::to_string(c.day), std::to_string(c.month), std::to_string(c.year),
            std::to_string(c.weekday), Num(c.hours)};
}
const char* const kInstantKeys[] = {"j", "f", "day", "month", "year", "weekday", "clock_time"};

std::vector<std::string> PlaceValues(const BodyPosition& p) {
    return {Num(p.ra),        Num(p.dec),        Num(p.delta), Num(p.diameter), Num(p.elongation),
            Num(p.magnitude), Num(p.phaseAngle), Num(p.rise),  Num(p.transit),  Num(p.set)};
}

// One record as a JSON line or a CSV line.
struct Record {
    std::vector<std::string> keys, values;  // values already written as JSON
    void Add(const std::string& key, const std::string& value) {
        keys.push_back(key);
        values.push_back(value);
    }
};
void PrintRecord(std::ostream& out, const Record& r, Format f) {
    for (std::size_t i = 0; i < r.keys.size(); ++i) {
        if (f == Format::Json)
            out << (i ? ", \"" : "{\"") << r.keys[i] << "\": " << r.values[i];
        else
            out << (i ? "," : "") << r.values[i];
    }
    out << (f == Format::Json ? "}\n" : "\n");
}
void PrintCsvHeader(std::ostream& out, const Record& r) {
    for (std::size_t i = 0; i < r.keys.size(); ++i) out << (i ? "," : "") << r.keys[i];
    out << '\n';
}

void RefuseOptions(const Options& o, const char* const* names, std::size_t count, const std::string& why) {
    for (std::size_t i = 0; i < count; ++i)
        if (o.has(names[i])) throw UsageError(std::string(names[i]) + " " + why);
}

int RunInterval(const Options& o, const std::string& programFolder, Format format, std::ostream& out,
                std::ostream& err) {
    for (const char* name : {"--date", "--time", "--jd"})
        if (o.has(name)) throw UsageError(std::string(name) + " gilt nur mit --day (sonst --from und --to)");
    ProgramState s;
    astronomy::ElementNotes notes;
    StartState(o, programFolder, s);
    ReadPlace(o, s);
    s.Zone = ReadZone(o);
    ReadObject(o, s, notes);
    const astronomy::JulianDate from = ReadDateAndTime(o, "--from", "--from-time", s.Zone);
    const astronomy::JulianDate to = ReadDateAndTime(o, "--to", "--to-time", s.Zone);
    const astronomy::IntervalParameters p{from.J, from.F, to.J, to.F, ReadStep(o)};
    const std::vector<astronomy::Instant> instants = reports::IntervalInstants(p, kMostRows);
    if (instants.size() > kMostRows)
        throw UsageError("Mehr als " + std::to_string(kMostRows) + " Zeilen: größere Schrittweite wählen");

    // The header shows the start's clock time, as the window does.
    astronomy::SetInstant(s, p.startJ, p.startF);
    s.ClockTime = std::round(s.ClockTime * 1e6) / 1e6;
    const astronomy::Target target = astronomy::TargetOf(s, s.Objekt);
    std::ostringstream text;
    int counter = reports::kIntervalHeaderLines;
    for (std::size_t i = 0; i < instants.size(); ++i) {
        const reports::IntervalRow row = reports::ComputeIntervalRow(s, target, instants[i]);
        if (row.place.status != astronomy::PositionStatus::Ok) {
            const shell::UserMessage m =
                shell::PositionMessage(row.place.status, target, std::string(astronomy::ObjectName(s.Objekt)));
            throw UsageError(OneLine(m.text) + " (" +
                             astronomy::FormatDateNumeric(row.shown.day, row.shown.month, row.shown.year) + ")");
        }
        if (format == Format::Text) {
            const int indent = reports::kScreenIndent;
            if (i == 0)
                for (const std::string& line : reports::IntervalHeader(s, row.place.body.name, s.Objekt, indent))
                    text << line << '\n';
            text << reports::IntervalRowText(row, s.Objekt, indent) << '\n';
            if (reports::CountIntervalRow(counter).emptyLine) text << '\n';
            continue;
        }
        Record r;
        const std::vector<std::string> instant = InstantValues(row.at, s.Zone), place = PlaceValues(row.place.body);
        for (std::size_t k = 0; k < instant.size(); ++k) r.Add(kInstantKeys[k], instant[k]);
        for (std::size_t k = 0; k < place.size(); ++k) r.Add(kPlaceKeys[k], place[k]);
        if (format == Format::Csv && i == 0) PrintCsvHeader(text, r);
        PrintRecord(text, r, format);
    }
    if (format == Format::Text) text << reports::TableRule(reports::kScreenIndent) << '\n';
    for (const shell::UserMessage& m : shell::ElementNoteMessages(notes)) err << OneLine(m.text) << '\n';
    out << text.str();
    return 0;
}

int RunDay(const Options& o, const std::string& programFolder, Format format, std::ostream& out, std::ostream& err) {
    RefuseOptions(o, kIntervalOptions, std::size(kIntervalOptions), "gilt nicht mit --day");
    RefuseOptions(o, kObjectOptions, std::size(kObjectOptions), "gilt nicht mit --day: es sind die zehn Körper");
    ProgramState s;
    astronomy::ElementNotes notes;
    StartState(o, programFolder, s);
    ReadPlace(o, s);
    if (auto e = o.integer("--equinox")) s.Aequi = *e;
    ReadElementFile(o, s, notes);
    ReadInstant(o, s);
    const std::vector<reports::DayRow> rows = reports::ComputeDayEphemeris(s);

    std::ostringstream text;
    if (format == Format::Text) {
        for (const reports::TableLine& line : reports::DayEphemerisLines(s, rows, reports::kScreenIndent))
            text << line.text << '\n';
    }
    for (std::size_t i = 0; format != Format::Text && i < rows.size(); ++i) {
        Record r;
        r.Add("name", format == Format::Json ? JsonString(rows[i].name) : CsvText(rows[i].name));
        const std::vector<std::string> instant = InstantValues({s.J, s.F}, s.Zone);
        for (std::size_t k = 0; k < instant.size(); ++k) r.Add(kInstantKeys[k], instant[k]);
        // A body without a place (elements that allow none) has no values.
        const bool placed = rows[i].place.status == astronomy::PositionStatus::Ok;
        const BodyPosition& p = rows[i].place.body;
        const std::string none = format == Format::Json ? "null" : "";
        const std::vector<std::string> place = PlaceValues(p);
        for (std::size_t k = 0; k < place.size(); ++k) r.Add(kPlaceKeys[k], placed ? place[k] : none);
        r.Add("azimuth", placed ? Num(p.azimuth) : none);
        r.Add("altitude", placed ? Num(p.altitude) : none);
        if (format == Format::Csv && i == 0) PrintCsvHeader(text, r);
        PrintRecord(text, r, format);
    }
    for (const shell::UserMessage& m : shell::ElementNoteMessages(notes)) err << OneLine(m.text) << '\n';
    out << text.str();
    return 0;
}

}  // namespace

int RunEphemeris(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                 std::ostream& err) {
    std::vector<std::string> known = StateOptionNames();
    for (const char* name : kIntervalOptions) known.push_back(name);
    known.push_back("--format");
    const Options o(args, known, {"--day"});
    const Format format = ReadFormat(o);
    return o.has("--day") ? RunDay(o, programFolder, format, out, err)
                          : RunInterval(o, programFolder, format, out, err);
}

}  // namespace cli

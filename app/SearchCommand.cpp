// kelmaron-cli search: the next perigee, perihelion or rising of the object,
// searched as the menu items search it, with a limit of searched years in
// place of the Escape key.
#include "app/SearchCommand.h"

#include <cmath>
#include <ostream>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "astronomy/Constants.h"
#include "astronomy/EventSearch.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Messages.h"
#include "shell/SearchCommands.h"

namespace cli {

using namespace astronomy;

namespace {

constexpr double kDefaultMaxYears = 1000;
// A longer search is not a wish but a mistake (a rising searched for ten
// thousand years of half-hour steps takes minutes).
constexpr double kMostMaxYears = 10000;

EventKind ReadEventKind(const Options& o) {
    const std::string text = o.text("--kind").value_or("");
    const std::optional<long long> n = ParseInteger(text);
    const std::optional<EventKind> kind = n && *n >= 0 && *n <= 2 ? EventKindFromNumber(static_cast<int>(*n))
                                                                   : std::nullopt;
    if (!kind) throw UsageError("--kind fehlt oder ist unbekannt (0 Erdnähe, 1 Sonnennähe, 2 Aufgang): '" + text + "'");
    return *kind;
}

double ReadMaxYears(const Options& o) {
    if (!o.has("--max-years")) return kDefaultMaxYears;
    const std::optional<double> y = o.number("--max-years");
    if (!y || !(*y > 0) || *y > kMostMaxYears)
        throw UsageError("--max-years muss eine Zahl über 0 und höchstens " +
                         std::to_string(static_cast<int>(kMostMaxYears)) + " sein: '" + *o.text("--max-years") + "'");
    return *y;
}

std::string QuantityText(EventKind kind, ObjectKind object, double q) {
    if (!std::isfinite(q)) return "-";
    if (kind == EventKind::Rising) return "Höhe: " + FormatFixed(q, 0, 4) + "°";
    const std::string label = kind == EventKind::Perigee ? "Entfernung von der Erde: " : "Entfernung von der Sonne: ";
    if (kind == EventKind::Perigee && object == ObjectKind::Moon) return label + FormatFixed(q, 0, 1) + " km";
    return label + FormatFixed(q, 0, 8) + " AE";
}

}  // namespace

int RunSearch(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
              std::ostream& err) {
    std::vector<std::string> known = StateOptionNames();
    known.insert(known.end(), {"--kind", "--max-years"});
    const Options o(args, known, {"--json"});
    const EventKind kind = ReadEventKind(o);
    const double maxYears = ReadMaxYears(o);
    ProgramState s;
    ElementNotes notes;
    ReadStateOptions(o, programFolder, s, notes);
    s.ChartMode = View::ObjectBody;

    const double startJ = s.J, startF = s.F;
    const double limitDays = maxYears * kDaysPerYear;
    const EventSearchResult r = SearchEvent(s, kind, [&](SearchPhase, double J, double F) {
        return (J - startJ) + (F - startF) > limitDays;
    });
    std::vector<shell::UserMessage> messages = shell::ElementNoteMessages(notes);
    if (r.status != PositionStatus::Ok) {
        const Target target = TargetOf(s, s.Objekt);
        messages.push_back(shell::PositionMessage(r.status, target, std::string(ObjectName(s.Objekt))));
        throw UsageError("Position von '" + std::string(ObjectName(s.Objekt)) +
                         "' ist zu diesem Zeitpunkt nicht berechenbar (" + OneLine(messages.front().text) + ")");
    }
    for (const shell::UserMessage& m : messages) err << OneLine(m.text) << '\n';
    const std::string event(shell::EventName(kind));
    if (r.stopped) {
        const CivilDate c = JulianDateToCalendar(r.J, r.F, s.Zone);
        err << event << " von '" << r.name << "' nicht innerhalb von " << FormatFixed(maxYears, 0, 0)
            << " Jahren gefunden (gesucht bis " << FormatDateNumeric(c.day, c.month, c.year) << ")\n";
        return 3;
    }
    if (r.changed) SetInstant(s, r.J, r.F);

    if (o.has("--json")) {
        out << "{\"changed\": " << (r.changed ? "true" : "false") << ", \"j\": " << Num(s.J) << ", \"f\": " << Num(s.F)
            << ", \"day\": " << s.Day << ", \"month\": " << s.Month << ", \"year\": " << s.Year
            << ", \"clock_time\": " << Num(s.ClockTime) << ", \"zone\": " << s.Zone
            << ", \"quantity\": " << (std::isfinite(r.quantity) ? Num(r.quantity) : std::string("null")) << "}\n";
        return 0;
    }
    if (!r.changed)
        out << event << ": für '" << ObjectName(s.Objekt) << "' nicht gesucht, der Zeitpunkt bleibt\n";
    else
        out << event << ": " << r.name << '\n';
    out << "Datum: " << WeekdayAbbreviation(s.Weekday) << " " << FormatDateNumeric(s.Day, s.Month, s.Year)
        << "  Zeit: " << FormatHmZone(s.ClockTime, s.Zone) << '\n';
    out << "Julianisches Datum: " << FormatFixed(s.J + s.F, 0, 5) << '\n';
    if (r.changed) out << QuantityText(kind, s.Objekt, r.quantity) << '\n';
    return 0;
}

}  // namespace cli

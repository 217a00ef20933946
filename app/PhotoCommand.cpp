// kelmaron-cli photo: exposure time, image size and drift for the object at
// the instant, computed as the "Astrophotographie" command computes them.
#include "app/PhotoCommand.h"

#include <ostream>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "astronomy/AstroPhoto.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "reports/AstroPhoto.h"
#include "shell/Messages.h"

namespace cli {

using namespace astronomy;

namespace {

// The command serves what the menu offers it for: the Sun, the Moon and
// the planets.
bool Photographable(ObjectKind kind) { return kind <= ObjectKind::Neptune; }

PhotoInput ReadPhotoInput(const Options& o) {
    const std::optional<double> asa = o.number("--asa");
    if (!asa) throw UsageError("--asa fehlt (Filmempfindlichkeit in ASA)");
    PhotoInput in;
    in.asa = FilmSpeed(*asa);
    in.filter = FilterFactor(o.number("--filter").value_or(0));
    const std::optional<Optics> optics = CompleteOptics(
        o.number("--aperture").value_or(0), o.number("--focal").value_or(0), o.number("--ratio").value_or(0));
    if (!optics) throw UsageError("Zwei von --aperture, --focal und --ratio müssen größer als 0 sein");
    in.optics = *optics;
    return in;
}

void PrintJson(std::ostream& out, const PhotoResult& r) {
    const PhotoInput& in = r.input;
    out << "{\"asa\": " << in.asa << ", \"din\": " << Num(r.din) << ", \"filter\": " << Num(in.filter)
        << ", \"extinction\": " << Num(r.extinction) << ", \"aperture\": " << Num(in.optics.aperture)
        << ", \"focal\": " << Num(in.optics.focal) << ", \"ratio\": " << Num(in.optics.ratio)
        << ", \"image_size\": " << Num(r.imageSize) << ", \"drift\": " << Num(r.drift)
        << ", \"brightness\": " << Num(r.brightness) << ", \"exposure\": " << Num(r.exposure) << "}\n";
}

}  // namespace

int RunPhoto(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out) {
    std::vector<std::string> known = StateOptionNames();
    known.insert(known.end(), {"--asa", "--filter", "--aperture", "--focal", "--ratio"});
    const Options o(args, known, {"--json"});
    const PhotoInput input = ReadPhotoInput(o);
    ProgramState s;
    ElementNotes notes;  // the orbit object is not photographed: its notes do not matter
    ReadStateOptions(o, programFolder, s, notes);
    if (!Photographable(s.Objekt))
        throw UsageError("Astrophotographie nur für Sonne, Mond und Planeten, nicht für '" +
                         std::string(ObjectName(s.Objekt)) + "'");

    const PositionResult p = ComputePosition(ObservationOf(s), TargetOf(s, s.Objekt));
    if (p.status != PositionStatus::Ok)
        throw UsageError("Position von '" + std::string(ObjectName(s.Objekt)) +
                         "' ist zu diesem Zeitpunkt nicht berechenbar");
    const PhotoResult r = ComputeAstroPhoto(input, p.body, s.Objekt);
    if (r.status != PhotoStatus::Ok) throw UsageError(shell::PhotoMessage(r.status).text);
    if (o.has("--json")) {
        PrintJson(out, r);
        return 0;
    }
    out << reports::PhotoResultTitle(p.body.name) << '\n';
    for (const std::string& line : reports::PhotoResultLines(r)) out << line << '\n';
    return 0;
}

}  // namespace cli

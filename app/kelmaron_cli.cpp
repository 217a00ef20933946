// kelmaron-cli: the program's computations without a window.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/CliArgs.h"
#include "app/EphemerisCommand.h"
#include "app/LunarCommands.h"
#include "app/PhotoCommand.h"
#include "app/PositionCommand.h"
#include "app/RenderCommand.h"
#include "app/SearchCommand.h"

namespace {

const char* kUsage =
    "Aufruf: kelmaron-cli position [--date T.M.JJJJ [--time H:M[:S]] | --jd JD] [--zone UT|MEZ|MESZ]\n"
    "                             [--place NAME|NUMMER | --lon GRAD --lat GRAD]\n"
    "                             [--object Sonne|Mond|Merkur|Venus|Mars|Jupiter|Saturn|Uranus|Neptun|Erde|Disk|Messier|beliebig]\n"
    "                             [--elements DATEI [--mpc-name NAME]] [--messier NUMMER] [--data ORDNER]\n"
    "                             [--equinox JAHR]\n"
    "                             [--bel-name TEXT --bel-ra STUNDEN --bel-dec GRAD --bel-mag MAG --bel-equinox JAHR]\n"
    "                             [--json]\n"
    "       kelmaron-cli utm --lon GRAD --lat GRAD\n"
    "       kelmaron-cli geo --east METER --north METER [--hemisphere N|S]\n"
    "       kelmaron-cli render --view himmel|aequatorial|horizont|nordpolar|suedpolar|objekt|tagesephemeride|system\n"
    "                             --out DATEI.png\n"
    "                             [--width W --height H] [--scale 1..4] [--invers] [--flags N] [--grenzmag MAG]\n"
    "                             [--alpha-min H --alpha-max H --delta-min G --delta-max G]\n"
    "                             [--pol-min G --pol-max G --pol-mitte H]\n"
    "                             [--hoehe-min G --hoehe-max G --azi-min G --azi-max G]\n"
    "                             [--view-lambda GRAD --view-beta GRAD --view-rs AE] [--stereo 0|1|2] [--all-tracks 0|1]\n"
    "                             [--track-length TAGE --track-step TAGE --track-labels t|w|d|m|j|-]\n"
    "                             und die Angaben von Zeitpunkt, Ort und Objekt wie bei position\n"
    "       kelmaron-cli phase --kind 0|0.25|0.5|0.75 [--count N] [--json]\n"
    "                             und die Angaben von Zeitpunkt, Zone und Ort wie bei position\n"
    "       kelmaron-cli eclipse --from T.M.JJJJ [--zone UT|MEZ|MESZ] [--place NAME|NUMMER | --lon GRAD --lat GRAD]\n"
    "                             [--count N] [--json] [--diagram DATEI.png [--width W --height H] [--invers]]\n"
    "       kelmaron-cli photo --asa N [--filter F] [--aperture MM] [--focal MM] [--ratio N] [--json]\n"
    "                             und die Angaben von Zeitpunkt, Ort und Objekt wie bei position\n"
    "       kelmaron-cli ephemeris --from T.M.JJJJ [--from-time H:M] --to T.M.JJJJ [--to-time H:M] --step T,S,M\n"
    "                             [--format text|csv|json]\n"
    "                             und die Angaben von Zone, Ort, Objekt und Äquinoktium wie bei position\n"
    "       kelmaron-cli ephemeris --day [--format text|csv|json]\n"
    "                             und die Angaben von Zeitpunkt, Zone, Ort, Elementdatei und Äquinoktium wie bei position\n"
    "       kelmaron-cli search --kind 0|1|2 [--max-years JAHRE] [--json]\n"
    "                             (0 Erdnähe, 1 Sonnennähe, 2 Aufgang; Exit-Status 3: nicht gefunden)\n"
    "                             und die Angaben von Zeitpunkt, Ort und Objekt wie bei position\n";

// The program's read-only data: next to the executable in a build tree,
// share/kelmaron beside bin/ when installed.
std::string ProgramFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) self = fs::absolute(argv0, ec);
    const fs::path exe = self.parent_path();
    if (fs::is_regular_file(exe / "messier.kat", ec)) return exe.string();
    const fs::path installed = (exe / "../share/kelmaron").lexically_normal();
    if (fs::is_regular_file(installed / "messier.kat", ec)) return installed.string();
    return exe.string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "Befehl fehlt (position, utm, geo, render, phase, eclipse, photo, ephemeris oder search)\n";
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "hilfe") {
        std::cout << kUsage;
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "position") return cli::RunPosition(args, ProgramFolder(argv[0]), std::cout, std::cerr);
        if (command == "utm") return cli::RunUtm(args, std::cout);
        if (command == "geo") return cli::RunGeo(args, std::cout);
        if (command == "render") return cli::RunRender(args, ProgramFolder(argv[0]), std::cerr);
        if (command == "phase") return cli::RunPhase(args, ProgramFolder(argv[0]), std::cout);
        if (command == "eclipse") return cli::RunEclipse(args, ProgramFolder(argv[0]), std::cout);
        if (command == "photo") return cli::RunPhoto(args, ProgramFolder(argv[0]), std::cout);
        if (command == "search") return cli::RunSearch(args, ProgramFolder(argv[0]), std::cout, std::cerr);
        if (command == "ephemeris") return cli::RunEphemeris(args, ProgramFolder(argv[0]), std::cout, std::cerr);
        std::cerr << "Unbekannter Befehl: " << command << " (position, utm, geo, render, phase, eclipse, photo, ephemeris oder search)\n";
        return 2;
    } catch (const cli::UsageError& e) {
        std::cerr << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "Fehler: " << e.what() << '\n';
        return 2;
    }
}

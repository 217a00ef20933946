// kelmaron-cli render: a view drawn by the window's own code into an
// off-screen window of the given size and written as a PNG image.
#include "app/RenderCommand.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include <unistd.h>

#include "app/CliArgs.h"
#include "app/PositionCommand.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "charts/SystemView.h"
#include "charts/Tracks.h"
#include "platform/qt/QtWindow.h"
#include "shell/Offscreen.h"
#include "shell/Messages.h"
#include "shell/Shell.h"
#include "shell/View.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

const std::map<std::string, astronomy::View> kViews = {
    {"himmel", astronomy::View::WholeSky},     {"aequatorial", astronomy::View::Equatorial},
    {"horizont", astronomy::View::Horizon},    {"nordpolar", astronomy::View::NorthPolar},
    {"suedpolar", astronomy::View::SouthPolar}, {"objekt", astronomy::View::ObjectBody},
    {"tagesephemeride", astronomy::View::DayEphemeris}, {"system", astronomy::View::System}};

// A region value: finite and within the given bounds.
void ReadRegion(const Options& o, const char* name, double low, double high, double& field) {
    const auto v = o.number(name);
    if (!v) return;
    if (*v < low || *v > high)
        throw UsageError(std::string(name) + " außerhalb von " + std::to_string(static_cast<int>(low)) + ".." +
                         std::to_string(static_cast<int>(high)) + ": " + *o.text(name));
    field = *v;
}

// The label unit of a track: one of its letters, or "-" for none.
std::string ReadTrackLabels(const Options& o) {
    const std::string unit = o.text("--track-labels").value_or("d");
    if (unit.empty() || !charts::TrackUnitFromText(unit))
        throw UsageError("--track-labels ist t, w, d, m, j oder -: " + unit);
    return unit == "-" ? "" : unit;
}

// The solar-system view's point, arrangement and orbits, and the track of
// every view.
void ReadViewAndTrack(const Options& o, astronomy::ProgramState& s, charts::Stereo& stereo) {
    ReadRegion(o, "--view-lambda", -720, 720, s.View_lambda);
    ReadRegion(o, "--view-beta", -90, 90, s.View_beta);
    ReadRegion(o, "--view-rs", 0.01, 1000, s.View_rs);
    if (auto v = o.integer("--stereo")) {
        const std::optional<charts::Stereo> read = charts::StereoFromCode(*v);
        if (!read) throw UsageError("--stereo ist 0, 1 oder 2: " + *o.text("--stereo"));
        stereo = *read;
    }
    if (auto v = o.integer("--all-tracks")) {
        if (*v != 0 && *v != 1) throw UsageError("--all-tracks ist 0 oder 1: " + *o.text("--all-tracks"));
        s.TrackAlle = *v;
    }
    ReadRegion(o, "--track-length", -1e6, 1e6, s.TrackLaenge);
    double step = s.TrackStep;
    ReadRegion(o, "--track-step", -1e6, 1e6, step);
    s.TrackStep = static_cast<float>(step);
    if (o.has("--track-labels")) s.TrackDatum = ReadTrackLabels(o);
}

// Writes the image next to its destination and renames it over it, so that
// an existing file is never left half written.
bool WritePng(const QImage& image, const std::string& path, std::string& error) {
    const fs::path target(path);
    const fs::path temp = target.parent_path() / (".kelmaron-" + std::to_string(::getpid()) + ".png.tmp");
    if (!image.save(QString::fromStdString(temp.string()), "PNG")) {
        QFile::remove(QString::fromStdString(temp.string()));
        error = "Bild kann nicht geschrieben werden: " + path;
        return false;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        error = "Bild kann nicht geschrieben werden: " + path;
        return false;
    }
    return true;
}

}  // namespace

int ReadRenderSize(const Options& o, const char* name, int fallback) {
    const auto v = o.integer(name);
    if (!v) return fallback;
    if (*v < kMinRenderSize || *v > kMaxRenderSize)
        throw UsageError(std::string(name) + " außerhalb von " + std::to_string(kMinRenderSize) + ".." +
                         std::to_string(kMaxRenderSize) + ": " + *o.text(name));
    return *v;
}

int ReadRenderScale(const Options& o, int width, int height) {
    const auto v = o.integer("--scale");
    if (!v) return 1;
    if (*v < 1 || *v > kMaxRenderScale)
        throw UsageError("--scale ist eine ganze Zahl von 1 bis " + std::to_string(kMaxRenderScale) + ": " +
                         *o.text("--scale"));
    if (std::max(width, height) * *v > kMaxRenderSize)
        throw UsageError("Bild mit --scale " + std::to_string(*v) + " größer als " + std::to_string(kMaxRenderSize) +
                         " Pixel: " + std::to_string(width * *v) + " x " + std::to_string(height * *v));
    return *v;
}

std::string ReadPngPath(const Options& o, const char* name) {
    const std::string out = o.text(name).value_or("");
    if (out.size() < 5 || out.substr(out.size() - 4) != ".png") throw UsageError(std::string(name) + " DATEI.png fehlt");
    std::error_code ec;
    const fs::path parent = fs::absolute(out, ec).parent_path();
    if (ec || !fs::is_directory(parent, ec)) throw UsageError(std::string("Ordner für ") + name + " existiert nicht: " + out);
    return out;
}

void RenderToPng(astronomy::ProgramState& s, int width, int height, int scale, bool invers, const std::string& out,
                 const std::function<void(shell::Shell&)>& draw) {
    // Drawing needs the toolkit, not a display. The toolkit's notes about
    // its environment are no business of the tool's output.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    static int qtArgc = 1;
    static char name[] = "kelmaron-cli";
    static char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);

    platform::qt::QtWindow window(width, height);
    // The picture as on a screen of this ratio, whatever screen there is.
    window.SetPixelRatio(scale);
    shell::Shell sh(s, window);
    sh.startupPauses = false;
    std::string error;
    if (!shell::PrepareOffscreenView(sh, invers, error)) throw UsageError(error);
    draw(sh);
    if (!WritePng(window.Picture().Image(), out, error)) throw UsageError(error);
}

int RunRender(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& err) {
    std::vector<std::string> known = StateOptionNames();
    for (const char* name : {"--view", "--out", "--width", "--height", "--flags", "--alpha-min", "--alpha-max",
                             "--delta-min", "--delta-max", "--pol-min", "--pol-max", "--pol-mitte", "--hoehe-min",
                             "--hoehe-max", "--azi-min", "--azi-max", "--grenzmag", "--view-lambda", "--view-beta",
                             "--view-rs", "--stereo", "--all-tracks", "--track-length", "--track-step",
                             "--track-labels", "--scale"})
        known.push_back(name);
    const Options o(args, known, {"--invers"});

    const std::string view = o.text("--view").value_or("");
    const auto mode = kViews.find(view);
    if (mode == kViews.end())
        throw UsageError(
            "--view fehlt oder ist unbekannt (himmel, aequatorial, horizont, nordpolar, suedpolar, objekt, "
            "tagesephemeride, system)");
    const std::string out = ReadPngPath(o, "--out");
    const int width = ReadRenderSize(o, "--width", kDefaultRenderWidth);
    const int height = ReadRenderSize(o, "--height", kDefaultRenderHeight);
    const int scale = ReadRenderScale(o, width, height);

    astronomy::ProgramState s;
    astronomy::ElementNotes elementNotes;
    ReadStateOptions(o, programFolder, s, elementNotes);
    // The day ephemeris, the bodies of the charts and the orbits of the
    // solar-system view show the orbit object whichever object is chosen.
    if (!astronomy::IsObjectView(mode->second) && s.Objekt != astronomy::ObjectKind::Disk)
        ReadElementFile(o, s, elementNotes);
    const std::vector<shell::UserMessage> notes = shell::ElementNoteMessages(elementNotes);
    if (auto f = o.integer("--flags")) {
        if (*f < 0 || *f > 127) throw UsageError("--flags außerhalb von 0..127: " + *o.text("--flags"));
        s.DisplayFlags = *f;
    }
    ReadRegion(o, "--alpha-min", -48, 48, s.Alpha_min);
    ReadRegion(o, "--alpha-max", -48, 48, s.Alpha_max);
    ReadRegion(o, "--delta-min", -110, 110, s.Delta_min);
    ReadRegion(o, "--delta-max", -110, 110, s.Delta_max);
    ReadRegion(o, "--pol-min", -270, 270, s.Pol_min);
    ReadRegion(o, "--pol-max", -270, 270, s.Pol_max);
    ReadRegion(o, "--pol-mitte", -48, 48, s.Pol_mitte);
    ReadRegion(o, "--hoehe-min", 0, 90, s.Hoehe_min);
    ReadRegion(o, "--hoehe-max", 0, 90, s.Hoehe_max);
    ReadRegion(o, "--azi-min", -720, 720, s.Azi_min);
    ReadRegion(o, "--azi-max", -720, 720, s.Azi_max);
    ReadRegion(o, "--grenzmag", -2, 20, s.Grenzmag);
    charts::Stereo stereo = charts::Stereo::Single;
    ReadViewAndTrack(o, s, stereo);
    if (s.Delta_max <= s.Delta_min) throw UsageError("--delta-max muss größer als --delta-min sein");
    if (s.Hoehe_max <= s.Hoehe_min) throw UsageError("--hoehe-max muss größer als --hoehe-min sein");
    if (s.Pol_max <= s.Pol_min && mode->second == astronomy::View::NorthPolar) throw UsageError("--pol-max muss größer als --pol-min sein");
    if (s.Alpha_max == s.Alpha_min) throw UsageError("--alpha-max und --alpha-min dürfen nicht gleich sein");

    const bool objectView = astronomy::IsObjectView(mode->second);
    RenderToPng(s, width, height, scale, o.has("--invers"), out, [&](shell::Shell& sh) {
        if (objectView) {
            // The object view, as "Objekt" shows it; an object without a
            // place now has no view (the window would say so in a message box).
            const astronomy::PositionResult r =
                astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::TargetOf(s, s.Objekt));
            if (r.status != astronomy::PositionStatus::Ok)
                throw UsageError("Position von '" + std::string(astronomy::ObjectName(s.Objekt)) +
                                 "' ist zu diesem Zeitpunkt nicht berechenbar" +
                                 (notes.empty() ? std::string() : " (" + OneLine(notes.front().text) + ")"));
            s.ChartMode = astronomy::ObjectViewFor(s.Objekt);
            shell::DrawParameterPanel(sh);
        } else {
            s.ChartMode = mode->second;
            sh.systemStereo = stereo;
        }
        shell::RedrawView(sh);
        if (!objectView && mode->second != astronomy::View::System && !sh.chartData.error.empty())
            throw UsageError(OneLine(sh.chartData.error));  // no chart without its star catalogue
    });
    // The check messages of an element file only inform.
    for (const shell::UserMessage& m : notes) err << OneLine(m.text) << '\n';
    return 0;
}

}  // namespace cli

// The start-up sequence: from the empty window to the first drawn view.
#include <cmath>

#include "shell/StartUp.h"

#include "astronomy/OrbitElements.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "shell/About.h"
#include "shell/Commands.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/Offscreen.h"
#include "shell/Place.h"
#include "shell/Settings.h"
#include "shell/Time.h"
#include "shell/View.h"

namespace shell {

using astronomy::View;

namespace {

void ReportMissingFiles(Shell& sh, const std::string& missing) {
    platform::Canvas& c = sh.win.canvas();
    c.SetPen({180, 180, 180});
    c.SetTextBackground({0, 0, 0}, true);
    c.SetFont(platform::FontRole::Label);
    c.Text(10, 10, " Fehlende Dateien:");
    c.Text(10, 30, missing);
    sh.win.Update();
}

// The view the settings file names: "Himmel" as its menu item draws it,
// the other charts and views as they redraw, else the object view.
void FirstView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    const View v = s.ChartMode;
    if (v == View::WholeSky) {
        RunCommand(sh, {Command::ShowWholeSky});
    } else if (v > View::WholeSky && v != View::MoonPhases && v != View::Astrophoto && v != View::Searching) {
        RedrawView(sh);
    } else {
        DrawParameterPanel(sh);
        ComputePosition(sh, s.Objekt);
    }
}

}  // namespace

void LoadElementFile(Shell& sh, const std::string& path) {
    astronomy::ProgramState& s = sh.s;
    astronomy::ElementNotes notes;
    const astronomy::ElementFileRead read = astronomy::ParseElementFile(path, s.DataFolder, s.Aequi, notes);
    s.Elements = read.elements;
    s.Pfad = read.path;
    s.DiskName = read.elements.name;
    ShowMessages(sh.win.dialogs(), ElementNoteMessages(notes));
}

bool PrepareOffscreenView(Shell& sh, bool invers, std::string& error) {
    astronomy::ProgramState& s = sh.s;
    s.PrintingFlag = 0;
    s.RedrawSuppressed = 0;
    ComputeLayout(sh);
    s.Invers = 1;
    ToggleInvers(sh);  // the black background
    if (invers) ToggleInvers(sh);
    FillBodyColours(s);
    std::vector<astronomy::MessierEntry> messier;
    if (!charts::LoadMessierCatalogue(charts::CatalogueFilePath(s.ProgramFolder, charts::kMessierFileName), messier,
                                      error))
        return false;
    s.MessierCatalogue = std::move(messier);
    sh.menu = LoadMenuTable();
    ApplyStateCaptions(sh.menu, s);
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    UpdateUtm(s);
    return true;
}

bool StartUp(Shell& sh, const std::string& programPath, const std::string& commandLine) {
    astronomy::ProgramState& s = sh.s;
    s.PrintingFlag = 0;
    s.RedrawSuppressed = 0;
    sh.win.SetTitle("Kelmaron");
    sh.win.SetMinimumDrawingSize(kSmallestDrawingWidth, kSmallestDrawingHeight);

    s.ChartMode = View::None;
    ComputeLayout(sh);
    s.Invers = 1;
    ToggleInvers(sh);  // black background while starting

    InstallDefaultData(s.ProgramFolder, s.DataFolder);
    const std::string missing = CheckRequiredFiles(s.ProgramFolder, s.DataFolder);
    if (!missing.empty()) {
        ReportMissingFiles(sh, missing);
        return false;
    }
    ShowAbout(sh, true);

    ReadSettings(s);  // the defaults, then the settings file (or an older one)
    ApplyWindowPlacement(sh);
    FillBodyColours(s);

    std::string error;
    std::vector<astronomy::MessierEntry> messier;
    if (charts::LoadMessierCatalogue(charts::CatalogueFilePath(s.ProgramFolder, charts::kMessierFileName), messier,
                                     error))
        s.MessierCatalogue = std::move(messier);
    else
        sh.win.dialogs().MessageBox(error, " OK ", 1);
    LoadElementFile(sh, s.Pfad);

    sh.menu = LoadMenuTable();
    ApplyStateCaptions(sh.menu, s);
    if (s.Invers == 1) {
        s.Invers = 0;
        ToggleInvers(sh);
    }
    FillBodyColours(s);
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);

    // The computer's clock is the first instant; it reads Universal Time,
    // which the chosen zone then shows.
    const platform::ClockReading now = sh.win.Now();
    s.UtmEast = s.UtmNorth = 0;
    s.RealtimeBaseSeconds = now.hour * 3600.0 + now.minute * 60 + now.second;
    sh.realtimeBaseClock = now;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(now.hour + now.minute / 60.0 + now.second / 3600,
                                                                     now.day, now.month, now.year, 0);
    astronomy::SetInstant(s, jd.J, jd.F);
    s.RealtimeBaseJ = s.J;
    s.RealtimeBaseF = s.F;
    SetPlace(sh, s.Ort);
    UpdateUtm(s);
    s.OutputChannel = 2;
    if (sh.startupPauses) sh.win.Pause(989);

    platform::MenuBar& bar = sh.win.menu();
    MarkAction(sh.menu, bar, {Command::Zone, s.Zone}, platform::kItemChecked);
    if (s.Ort >= 1 && s.Ort <= s.OrtAnz) MarkAction(sh.menu, bar, {Command::Place, s.Ort}, platform::kItemChecked);
    MarkAction(sh.menu, bar, ObjectAction(s.Objekt), platform::kItemChecked);
    MarkCommand(sh.menu, bar, Command::Coordinates, platform::kItemGreyed);
    MarkCommand(sh.menu, bar, Command::Astrophotography, platform::kItemGreyed);
    RefreshFlagMarks(sh.menu, bar, s);
    astronomy::UpdateTimeQuantities(s);  // the sidereal time at the place just set

    sh.CommandLineArgs = SplitCommandLine(programPath, commandLine);
    bool loadedFromCommandLine = false;
    for (std::size_t i = 1; i < sh.CommandLineArgs.size() && !loadedFromCommandLine; ++i) {
        if (sh.CommandLineArgs[i].empty()) continue;
        LoadElementFile(sh, sh.CommandLineArgs[i]);
        if (const int item = sh.menu.ItemOf(ObjectAction(astronomy::ObjectKind::Disk)))
            sh.menu.captions[item] = s.DiskName.empty() ? "Disk" : s.DiskName;
        RefreshMenuMarks(sh.menu, bar, s);
        if (s.Objekt == astronomy::ObjectKind::Disk) ComputePosition(sh, s.Objekt);
        loadedFromCommandLine = true;
    }
    if (!loadedFromCommandLine) UpdateTitle(sh);

    FirstView(sh);
    UpdateTitle(sh);
    sh.loopRunning = true;
    return true;
}

}  // namespace shell

// The start-up sequence: from the empty window to the first drawn view.
#include <cmath>

#include "astronomy/OrbitElements.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "shell/Offscreen.h"
#include "shell/Settings.h"
#include "shell/Shell.h"

namespace shell {

namespace {

// Drawing colours of the bodies, numbered by body type + 1.
void FillBodyColours(astronomy::ProgramState& s) {
    s.BodyColourTable = {0,        0xFFFFFF, 0xFAFA50, 0xFFFFFF, 0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                         0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, 0xFFFFFF, 0xFA3CFA};
    if (s.Invers == 1) s.BodyColourTable[3] = s.BodyColourTable[13] = 0x000000;
}

void ReportMissingFiles(Shell& sh, const std::string& missing) {
    platform::Canvas& c = sh.win.canvas();
    c.SetPen({180, 180, 180});
    c.SetTextBackground({0, 0, 0}, true);
    c.SetFont(platform::FontRole::Label);
    c.Text(10, 10, " Fehlende Dateien:");
    c.Text(10, 30, missing);
    sh.win.Update();
}

void LoadElementFile(Shell& sh, const std::string& path) {
    astronomy::ProgramState& s = sh.s;
    astronomy::MessageList messages;
    astronomy::ElementFileRead read = astronomy::ParseElementFile(path, s.DataFolder, s.Aequi, messages);
    s.Elements = read.elements;
    s.Pfad = read.path;
    s.DiskName = read.elements.name;
    ShowMessages(sh, messages);
}

void FirstView(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    if (s.ChartMode == 4) {
        ExecuteMenuCommand(sh, 72);  // "&Himmel"
    } else if (s.ChartMode >= 5 && s.ChartMode != 9 && s.ChartMode != 10 && s.ChartMode != 99) {
        RedrawView(sh);
    } else {
        DrawParameterPanel(sh);
        ComputeAndShow(sh, s.Objekt);
    }
}

}  // namespace

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
    LoadMenuCaptions(sh.menu);
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

    s.ChartMode = 0;
    ComputeLayout(sh);
    s.ChartMode = 0;
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

    LoadMenuCaptions(sh.menu);
    ApplyStateCaptions(sh.menu, s);
    if (s.Invers == 1) {
        s.Invers = 0;
        ToggleInvers(sh);
    }
    FillBodyColours(s);
    RefreshMenuMarks(sh.menu, sh.win.menu(), s);

    const platform::LocalTime now = sh.win.Now();
    s.Day = now.day;
    s.Month = now.month;
    s.Year = now.year;
    s.ClockTime = now.hour + now.minute / 60.0 + now.second / 3600;
    s.Weekday = 0;
    s.UtmEast = s.UtmNorth = s.J = s.F = 0;
    s.RealtimeBaseSeconds = now.hour * 3600.0 + now.minute * 60 + now.second;
    sh.realtimeBaseClock = now;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(s.ClockTime, s.Day, s.Month, s.Year, s.Zone);
    s.J = jd.J;
    s.F = jd.F;
    s.Weekday = jd.weekday;
    s.RealtimeBaseJ = s.J;
    s.RealtimeBaseF = s.F;
    SetPlace(sh, s.Ort);
    UpdateUtm(s);
    s.OutputChannel = 2;
    if (sh.startupPauses) sh.win.Pause(989);

    platform::MenuBar& bar = sh.win.menu();
    SetMenuMark(sh.menu, bar, s, sh.menu.captions[6 + s.Zone], platform::kItemChecked);
    if (s.Ort >= 1 && s.Ort <= s.OrtAnz) SetMenuMark(sh.menu, bar, s, sh.menu.captions[s.Ort + 9], platform::kItemChecked);
    SetMenuMark(sh.menu, bar, s, s.Objekt + "|Objekt", platform::kItemChecked);
    if (s.Objekt == "Disk") SetMenuMark(sh.menu, bar, s, sh.menu.captions[sh.menu.DiskItem], platform::kItemChecked);
    if (s.Objekt == "Messier") SetMenuMark(sh.menu, bar, s, sh.menu.captions[sh.menu.MessierItem], platform::kItemChecked);
    if (s.Objekt == "beliebig")
        SetMenuMark(sh.menu, bar, s, sh.menu.captions[sh.menu.BeliebigItem], platform::kItemChecked);
    SetMenuMark(sh.menu, bar, s, "Koordina|Astropho", platform::kItemGreyed);
    RefreshFlagMarks(sh.menu, bar, s);
    astronomy::UpdateTimeQuantities(s);

    sh.CommandLineArgs = SplitCommandLine(programPath, commandLine);
    bool loadedFromCommandLine = false;
    for (std::size_t i = 1; i < sh.CommandLineArgs.size() && !loadedFromCommandLine; ++i) {
        if (sh.CommandLineArgs[i].empty()) continue;
        LoadElementFile(sh, sh.CommandLineArgs[i]);
        sh.menu.captions[sh.menu.DiskItem] = s.DiskName.empty() ? "Disk" : s.DiskName;
        RefreshMenuMarks(sh.menu, bar, s);
        if (s.Objekt == "Disk") ComputeAndShow(sh, s.Objekt);
        loadedFromCommandLine = true;
    }
    if (!loadedFromCommandLine) UpdateTitle(sh);

    FirstView(sh);
    UpdateTitle(sh);
    sh.loopRunning = true;
    return true;
}

}  // namespace shell

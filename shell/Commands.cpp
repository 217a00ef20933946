// Menu items and keys: each item number runs the command of its menu.
#include <cmath>
#include <string>

#include "astronomy/TimeCalendar.h"
#include "charts/ObjectSymbols.h"
#include "shell/Calculators.h"
#include "shell/Charts.h"
#include "shell/ElementDialogs.h"
#include "shell/Prompts.h"
#include "shell/Shell.h"

namespace shell {

namespace {

// Item numbers within their menus.
constexpr int kObjectFirst = 30, kObjectLast = 39;
constexpr int kObjectView = 68, kHimmel = 72;
constexpr int kEquatorialItem = 69, kNorthPolarItem = 70, kSouthPolarItem = 71, kHorizonItem = 73;
constexpr int kFlagFirst = 77, kFlagLast = 83;
constexpr int kCoordinatesItem = 84;
// "Karte" items by their offset below the menu title.
constexpr int kPanNorth = 1, kPanSouth = 2, kPanEast = 3, kPanWest = 4;
constexpr int kZoomIn = 6, kZoomOut = 7, kCentre = 9;
constexpr int kInvers = 86;
constexpr int kPrintItem = 87;
constexpr int kDayDifferenceItem = 118, kInterpolationItem = 119, kPrecessionItem = 120;
constexpr int kRealtimeItem = 124;
constexpr int kLoadDiskItem = 126, kEditDiskItem = 127, kSaveDiskItem = 128;
constexpr int kHelpItem = 134;
constexpr int kMessierPromptItem = 44;
constexpr int kObjectPromptItem = 45;
constexpr int kNowItem = 101;
constexpr int kSaveSettingsItem = 130;
constexpr int kInfoItem = 133;

std::string JoinCaptions(const MenuTable& m, int from, int to) {
    std::string list;
    for (int n = from; n <= to; ++n) list += (list.empty() ? "" : "|") + m.captions[n];
    return list;
}

void Mark(Shell& sh, const std::string& list, int state) { SetMenuMark(sh.menu, sh.win.menu(), sh.s, list, state); }

void ChooseZone(Shell& sh, int n, const std::string& name) {
    Mark(sh, "UT              0|MEZ             1|MESZ            2", platform::kItemPlain);
    Mark(sh, name, platform::kItemChecked);
    sh.s.Zone = n - 6;
    astronomy::ApplyJulianDate(sh.s, sh.s.J, sh.s.F);  // same instant on the new zone's clock
    astronomy::UpdateTimeQuantities(sh.s);
    RedrawView(sh);
}

void ChoosePlace(Shell& sh, int n, const std::string& name) {
    astronomy::ProgramState& s = sh.s;
    // The place prompt and the UTM entry edit the current place; cancelled,
    // nothing changes.
    const bool prompt = n - 9 > s.OrtAnz;
    if (prompt) {
        const bool utm = n - 9 == s.OrtAnz + 3;
        if (!(utm ? EnterUtmPlace(sh) : PlacePrompt(sh))) return;
        if (utm) RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    }
    Mark(sh, JoinCaptions(sh.menu, 10, s.OrtAnz + 9), platform::kItemPlain);
    Mark(sh, name, platform::kItemChecked);
    if (prompt)
        astronomy::SetLatitudeTerms(s);
    else
        SetPlace(sh, n - 9);
    UpdateUtm(s);
    astronomy::UpdateTimeQuantities(s);
    RedrawView(sh);
    DrawParameterPanel(sh);
    if (!s.Objekt.empty()) ComputeAndShow(sh, s.Objekt);
}

void ChooseObject(Shell& sh, int n, const std::string& name) {
    astronomy::ProgramState& s = sh.s;
    if (s.ChartMode < 4) {
        Mark(sh, "Koordina", platform::kItemGreyed);
        s.ChartMode = 0;
    }
    s.Objekt = ObjectChoiceMarks(sh.menu, sh.win.menu(), s, n, name);
    ComputeAndShow(sh, s.Objekt);
    RedrawView(sh);
}

void ClearWindow(Shell& sh) {
    sh.canvas().Clear(charts::ColourFromRgb(sh.s.BackgroundColour));
}

void DisplayCommand(Shell& sh, int n, int offset) {
    astronomy::ProgramState& s = sh.s;
    if (n == kObjectView) {
        s.ChartMode = s.Objekt == "Messier" ? 2.0f : (s.Objekt == "beliebig" ? 3.0f : 1.0f);
        sh.chartObject = s.Objekt;
        ClearWindow(sh);
        DrawParameterPanel(sh);
        RedrawView(sh);
    } else if (n == kHimmel) {
        RefreshFlagMarks(sh.menu, sh.win.menu(), s);
        Mark(sh, "Koordina", platform::kItemGreyed);
        s.ChartMode = 4;
        ClearWindow(sh);
        RedrawView(sh);
    } else if (n == kEquatorialItem) {
        EquatorialRegionPrompt(sh);
    } else if (n == kNorthPolarItem || n == kSouthPolarItem) {
        PolarRegionPrompt(sh, n == kSouthPolarItem);
    } else if (n == kHorizonItem) {
        HorizonRegionPrompt(sh);
    } else if (n == kFlagFirst || n == kFlagFirst + 1) {  // "Sternbilder", "Namen": the whole chart again
        s.DisplayFlags ^= 1 << (n - kFlagFirst);
        RedrawView(sh);
    } else if (n > kFlagFirst + 1 && n <= kFlagLast) {
        ToggleLayer(sh, n - kFlagFirst);
    } else if (n == kCoordinatesItem) {
        CoordinateTool(sh);
    } else if (n == kInvers) {
        ToggleInvers(sh);
        RedrawView(sh);
    } else if (n == kPrintItem) {
        PrintView(sh);
    }
    if (offset >= 12 && offset <= 16) RefreshFlagMarks(sh.menu, sh.win.menu(), s);
    RefreshModeMarks(sh.menu, sh.win.menu(), s);
}

void MapCommand(Shell& sh, int offset) {
    switch (offset) {
        case kPanNorth: PanChart(sh, PanDirection::North); break;
        case kPanSouth: PanChart(sh, PanDirection::South); break;
        case kPanEast: PanChart(sh, PanDirection::East); break;
        case kPanWest: PanChart(sh, PanDirection::West); break;
        case kZoomIn: ZoomChart(sh, sh.s.ZoomStep); break;
        case kZoomOut: ZoomChart(sh, 1 / sh.s.ZoomStep); break;
        case kCentre: CentreChart(sh); break;
        default: break;
    }
}

}  // namespace

void ExecuteMenuCommand(Shell& sh, int n) {
    const MenuCommand c = BeginMenuCommand(sh.menu, sh.win.menu(), sh.s, n);
    if (!c.valid()) return;
    // A command ends a shown help text or about box: the view comes back
    // first, so that the command works on the picture it belongs to.
    if (sh.help.open) EndHelp(sh);
    if (sh.aboutOpen) CloseAbout(sh);
    const astronomy::ProgramState& s = sh.s;
    const std::string& menu = sh.menu.captions[c.title];
    if (menu == "Parameter") {
        if (n == 1) DatePrompt(sh);
        if (n == 2) TimePrompt(sh);
        if (n == 3) JulianDatePrompt(sh);
        if (n == 4) EquinoxPrompt(sh);
        if (n >= 6 && n <= 8) ChooseZone(sh, n, c.name);
        if (n >= 10 && n <= s.OrtAnz + 12 && sh.menu.captions[n] != "-") ChoosePlace(sh, n, c.name);
    } else if (menu == "Objekt") {
        if ((n >= kObjectFirst && n <= kObjectLast) || n == sh.menu.MessierItem || n == sh.menu.BeliebigItem)
            ChooseObject(sh, n, c.name);
        else if (n == kMessierPromptItem)
            MessierPrompt(sh);
        else if (n == kObjectPromptItem)
            ObjectPrompt(sh);
    } else if (c.title == sh.menu.OffsetItem) {
        if (!sh.menu.captions[n].empty() && sh.menu.captions[n] != "-") StepTime(sh, StepName(sh.menu.captions[n]));
    } else if (n == kNowItem) {
        SetToNow(sh);
    } else if (c.title == sh.menu.DarstellenItem) {
        DisplayCommand(sh, n, c.offset);
    } else if (c.title == sh.menu.KarteItem) {
        MapCommand(sh, c.offset);
    } else if (n == kDayDifferenceItem) {
        DayDifference(sh);
    } else if (n == kInterpolationItem) {
        InterpolatePosition(sh);
    } else if (n == kPrecessionItem) {
        PrecessionDialog(sh);
    } else if (n == kRealtimeItem) {
        ToggleRealtime(sh);
    } else if (n == kLoadDiskItem) {
        LoadElementDialog(sh);
    } else if (n == kEditDiskItem) {
        ElementInputDialog(sh);
    } else if (n == kSaveDiskItem) {
        SaveElementFileDialog(sh);
    } else if (n == kSaveSettingsItem) {
        SaveSettings(sh);
    } else if (n == kInfoItem) {
        ShowAbout(sh, false);
    } else if (n == kHelpItem) {
        ShowHelp(sh);
    } else if (n == sh.menu.QuitItem) {
        QuitDialog(sh, true);
    }
}

void DispatchKey(Shell& sh, const platform::Key& key) {
    if (CloseAbout(sh)) return;
    if (HelpInput(sh, &key, 0)) return;
    for (int item : ItemsForKey(sh.menu, key)) {
        if (sh.quit) return;
        ExecuteMenuCommand(sh, item);
    }
}

}  // namespace shell

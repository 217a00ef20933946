// Running commands: each menu item and each command key runs the command
// its row of the menu table names.
#include "shell/Commands.h"

#include "astronomy/TimeCalendar.h"
#include "charts/ChartLayout.h"
#include "shell/About.h"
#include "shell/AstroPhoto.h"
#include "shell/Calculators.h"
#include "shell/ChartCommands.h"
#include "shell/ElementDialogs.h"
#include "shell/EphemerisCommands.h"
#include "shell/Help.h"
#include "shell/Layout.h"
#include "shell/LunarCommands.h"
#include "shell/Mouse.h"
#include "shell/Place.h"
#include "shell/Print.h"
#include "shell/Prompts.h"
#include "shell/Quit.h"
#include "shell/RegionPrompts.h"
#include "shell/SearchCommands.h"
#include "shell/Time.h"
#include "shell/TrackPrompt.h"
#include "shell/View.h"

namespace shell {

namespace {

using astronomy::ObjectKind;
using astronomy::View;

void Mark(Shell& sh, MenuAction action, int state) { MarkAction(sh.menu, sh.win.menu(), action, state); }

void ChooseZone(Shell& sh, int zone) {
    for (int z = 0; z <= 2; ++z) Mark(sh, {Command::Zone, z}, platform::kItemPlain);
    Mark(sh, {Command::Zone, zone}, platform::kItemChecked);
    sh.s.Zone = zone;
    SetInstant(sh.s, sh.s.J, sh.s.F);  // the same instant on the new zone's clock
    RedrawView(sh);
}

// A place of the list, or the place typed in by the two entries (which edit
// the current place; cancelled, nothing changes).
void ChoosePlace(Shell& sh, MenuAction action) {
    astronomy::ProgramState& s = sh.s;
    const bool typed = action.command != Command::Place;
    if (action.command == Command::Place && (action.arg < 1 || action.arg > s.OrtAnz)) return;  // no such place
    if (action.command == Command::PlaceGeographic && !PlacePrompt(sh)) return;
    if (action.command == Command::PlaceUtm) {
        if (!EnterUtmPlace(sh)) return;
        RefreshMenuMarks(sh.menu, sh.win.menu(), s);
    }
    for (int n = 1; n <= s.OrtAnz; ++n) Mark(sh, {Command::Place, n}, platform::kItemPlain);
    Mark(sh, action, platform::kItemChecked);
    if (typed)
        astronomy::SetLatitudeTerms(s);
    else
        SetPlace(sh, action.arg);
    UpdateUtm(s);
    astronomy::UpdateTimeQuantities(s);
    RedrawView(sh);
    DrawParameterPanel(sh);
    ComputePosition(sh, s.Objekt);
}

void ChooseObject(Shell& sh, ObjectKind kind) {
    astronomy::ProgramState& s = sh.s;
    if (astronomy::IsObjectView(s.ChartMode)) {
        MarkCommand(sh.menu, sh.win.menu(), Command::Coordinates, platform::kItemGreyed);
        s.ChartMode = View::None;  // the object view of the new object
    }
    MarkObjectChoice(sh.menu, sh.win.menu(), kind);
    s.Objekt = kind;
    ComputePosition(sh, s.Objekt);
    RedrawView(sh);
}

// The items of "Darstellen": the views, the layers, "Koordinaten",
// "Invers" and printing; the marks follow the view.
void DisplayCommand(Shell& sh, MenuAction action) {
    astronomy::ProgramState& s = sh.s;
    switch (action.command) {
        case Command::ShowObject:
            s.ChartMode = astronomy::ObjectViewFor(s.Objekt);
            ClearWindow(sh);
            DrawParameterPanel(sh);
            RedrawView(sh);
            break;
        case Command::ShowWholeSky:
            RefreshFlagMarks(sh.menu, sh.win.menu(), s);
            MarkCommand(sh.menu, sh.win.menu(), Command::Coordinates, platform::kItemGreyed);
            s.ChartMode = View::WholeSky;
            ClearWindow(sh);
            RedrawView(sh);
            break;
        case Command::ShowEquatorial: EquatorialRegionPrompt(sh); break;
        case Command::ShowNorthPolar: PolarRegionPrompt(sh, false); break;
        case Command::ShowSouthPolar: PolarRegionPrompt(sh, true); break;
        case Command::ShowHorizon: HorizonRegionPrompt(sh); break;
        case Command::Layer:
            if (action.arg <= 1) {  // "Sternbilder", "Namen": the whole chart again
                s.DisplayFlags ^= 1 << action.arg;
                RedrawView(sh);
            } else {
                ToggleLayer(sh, action.arg);
                RefreshFlagMarks(sh.menu, sh.win.menu(), s);
            }
            break;
        case Command::Coordinates: CoordinateTool(sh); break;
        case Command::Invers:
            ToggleInvers(sh);
            RedrawView(sh);
            break;
        case Command::Print: PrintView(sh); break;
        case Command::ShowDayEphemeris:
            s.ChartMode = View::DayEphemeris;
            RedrawView(sh);
            break;
        case Command::ShowSystem:
            s.ChartMode = View::System;
            sh.systemStereo = charts::Stereo::Single;
            RedrawView(sh);
            break;
        default: break;
    }
    RefreshModeMarks(sh.menu, sh.win.menu(), s);
    // The object view just drawn offers the photograph of its object.
    if (astronomy::IsObjectView(s.ChartMode) && sh.photographable)
        MarkCommand(sh.menu, sh.win.menu(), Command::Astrophotography, platform::kItemEnabled);
}

bool IsDisplayCommand(Command c) {
    switch (c) {
        case Command::ShowObject: case Command::ShowEquatorial: case Command::ShowNorthPolar:
        case Command::ShowSouthPolar: case Command::ShowWholeSky: case Command::ShowHorizon:
        case Command::ShowSystem: case Command::ShowDayEphemeris: case Command::Layer:
        case Command::Coordinates: case Command::Invers: case Command::Print:
            return true;
        default:
            return false;
    }
}

}  // namespace

void RunCommand(Shell& sh, MenuAction action) {
    if (action.command == Command::None) return;
    // A command ends a shown help text or about box: the view comes back
    // first, so that the command works on the picture it belongs to.
    if (sh.help.open) EndHelp(sh);
    if (sh.aboutOpen) CloseAbout(sh);
    if (IsDisplayCommand(action.command)) {
        DisplayCommand(sh, action);
        return;
    }
    switch (action.command) {
        case Command::Date: DatePrompt(sh); break;
        case Command::Time: TimePrompt(sh); break;
        case Command::JulianDate: JulianDatePrompt(sh); break;
        case Command::Equinox: EquinoxPrompt(sh); break;
        case Command::Zone: ChooseZone(sh, action.arg); break;
        case Command::Place:
        case Command::PlaceGeographic:
        case Command::PlaceUtm: ChoosePlace(sh, action); break;
        case Command::SelectObject: ChooseObject(sh, static_cast<ObjectKind>(action.arg)); break;
        case Command::MessierPrompt: MessierPrompt(sh); break;
        case Command::ObjectPrompt: ObjectPrompt(sh); break;
        case Command::Step: StepTime(sh, static_cast<TimeStep>(action.arg)); break;
        case Command::Pan: PanChart(sh, static_cast<charts::PanDirection>(action.arg)); break;
        case Command::ZoomIn: ZoomChart(sh, sh.s.ZoomStep); break;
        case Command::ZoomOut: ZoomChart(sh, 1 / sh.s.ZoomStep); break;
        case Command::Centre: CentreChart(sh); break;
        case Command::Now: SetToNow(sh); break;
        case Command::DayDifference: DayDifference(sh); break;
        case Command::Interpolation: InterpolatePosition(sh); break;
        case Command::Precession: PrecessionDialog(sh); break;
        case Command::Realtime: ToggleRealtime(sh); break;
        case Command::LoadDisk: LoadElementDialog(sh); break;
        case Command::EditDisk: ElementInputDialog(sh); break;
        case Command::SaveDisk: SaveElementFileDialog(sh); break;
        case Command::SaveSettings: SaveSettings(sh); break;
        case Command::Info: ShowAbout(sh, false); break;
        case Command::Help: ShowHelp(sh); break;
        case Command::Quit: QuitDialog(sh, true); break;
        case Command::NewMoon: JumpToPhase(sh, astronomy::LunarPhase::New); break;
        case Command::FirstQuarter: JumpToPhase(sh, astronomy::LunarPhase::FirstQuarter); break;
        case Command::FullMoon: JumpToPhase(sh, astronomy::LunarPhase::Full); break;
        case Command::LastQuarter: JumpToPhase(sh, astronomy::LunarPhase::LastQuarter); break;
        case Command::LunarEclipse: SearchLunarEclipse(sh); break;
        case Command::Perigee: SearchEvent(sh, astronomy::EventKind::Perigee); break;
        case Command::Perihelion: SearchEvent(sh, astronomy::EventKind::Perihelion); break;
        case Command::Rising: SearchEvent(sh, astronomy::EventKind::Rising); break;
        case Command::Ephemeris: ListIntervalEphemeris(sh); break;
        case Command::Astrophotography: AstroPhotoCalculator(sh); break;
        case Command::TrackLength: EditTrackSettings(sh); break;
        default: break;  // titles and separators
    }
}

void ExecuteMenuCommand(Shell& sh, int n) { RunCommand(sh, sh.menu.ActionOf(n)); }

void DispatchKey(Shell& sh, const platform::Key& key) {
    if (CloseAbout(sh)) return;
    if (HelpInput(sh, &key, 0)) return;
    for (const MenuAction& action : ActionsForKey(key)) {
        if (sh.quit) return;
        RunCommand(sh, action);
    }
}

void Connect(Shell& sh, std::function<void()> quitted) {
    platform::Window& w = sh.win;
    auto afterCommand = [&sh, quitted] {
        if (sh.quit && quitted) quitted();
    };
    w.onMenu = [&sh, afterCommand](int n) {
        if (sh.busy.running) return;
        ExecuteMenuCommand(sh, n);
        afterCommand();
    };
    w.onKey = [&sh, afterCommand](const platform::Key& key) {
        if (sh.busy.running) {
            sh.busy.key = key;
            if (key.text == "\x1b") sh.busy.stop = true;
            return;
        }
        DispatchKey(sh, key);
        afterCommand();
    };
    w.onMouse = [&sh](int x, int y, int buttons, bool pressed) {
        if (!sh.busy.running)
            HandleMouse(sh, x, y, buttons, pressed);
        else if (pressed)
            sh.busy.pressed = buttons;
    };
    w.onResize = [&sh] { HandleResize(sh); };
    w.onClose = [&sh] {
        // The answer was given already (the quit command closes the window).
        if (sh.quit) return true;
        if (sh.busy.running) {  // the running command ends first
            sh.busy.stop = true;
            return false;
        }
        QuitDialog(sh, false);
        return sh.quit;
    };
}

}  // namespace shell

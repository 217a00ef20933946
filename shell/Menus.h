// The menu bar: its table of captions and the command each item runs, the
// check and grey marks it shows, and the keys that run commands.
#pragma once

#include <string>
#include <vector>

#include "astronomy/ProgramState.h"
#include "platform/Menu.h"
#include "platform/Window.h"

namespace shell {

// What a menu item or a key does.
enum class Command {
    None,  // titles, separators, the empty captions that close a menu
    // "Parameter"
    Date, Time, JulianDate, Equinox,
    Zone,             // argument: 0 UT, 1 MEZ, 2 MESZ
    Place,            // argument: the place's number in the list
    PlaceGeographic,  // the place typed as longitude and latitude
    PlaceUtm,         // the place typed as UTM coordinates
    // "Objekt"
    SelectObject,  // argument: the astronomy::ObjectKind
    MessierPrompt, ObjectPrompt,
    // "Offset"
    Step,  // argument: the TimeStep
    // "Darstellen"
    ShowObject, ShowEquatorial, ShowNorthPolar, ShowSouthPolar, ShowWholeSky, ShowHorizon, ShowSystem,
    ShowDayEphemeris,
    Layer,  // argument: the bit of DisplayFlags
    Coordinates, Invers, Print,
    // "Karte"
    Pan,  // argument: the charts::PanDirection
    ZoomIn, ZoomOut, Centre,
    // "Springe"
    Now, Perihelion, Perigee, Rising, NewMoon, FirstQuarter, FullMoon, LastQuarter, LunarEclipse,
    // "Rechnen"
    Astrophotography, Ephemeris, DayDifference, Interpolation, Precession,
    // "Extra"
    TrackLength, Realtime, LoadDisk, EditDisk, SaveDisk, SaveSettings,
    // "Kelmar"
    Info, Help, Quit,
};

// The steps of the "Offset" menu: fixed steps forward and back, and the
// free steps that ask for a number.
enum class TimeStep {
    MinuteForward, HourForward, DayForward, WeekForward, MonthForward, YearForward,
    MinuteBack, HourBack, DayBack, WeekBack, MonthBack, YearBack,
    Minutes, Hours, Days, Years,
};

struct MenuAction {
    Command command = Command::None;
    int arg = 0;
    bool operator==(const MenuAction&) const = default;
};

// The caption table and the action of each item. Every menu is its title
// followed by its items and ends with an empty caption; the item numbers are
// the positions in the table.
struct MenuTable {
    std::vector<std::string> captions;
    std::vector<MenuAction> actions;
    int LastMenuItem = 0;  // the empty caption closing the last menu

    // The first item that runs the action, 0 when there is none.
    int ItemOf(MenuAction action) const;
    // What item n runs; no command outside the table.
    MenuAction ActionOf(int n) const;
};

// The built-in table.
MenuTable LoadMenuTable();

// The captions taken from the state: the names of places 1 to OrtAnz (only
// the first 15 fit the menu; empty names keep their caption), the orbit
// object's name, "M <n>" and the arbitrary object's name. An empty DiskName
// or BelName keeps the caption, since an empty caption would end the menu.
void ApplyStateCaptions(MenuTable& m, const astronomy::ProgramState& s);

// Sets the state of the item that runs the action.
void MarkAction(const MenuTable& m, platform::MenuBar& bar, MenuAction action, int state);
void MarkCommand(const MenuTable& m, platform::MenuBar& bar, Command command, int state);
// The item of an object kind, of a view (its "Darstellen" item), of a zone.
MenuAction ObjectAction(astronomy::ObjectKind kind);
MenuAction ViewAction(astronomy::View view);

// Builds the bar anew and sets every mark from the state: the place, the
// zone, the object and the view.
void RefreshMenuMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);
// The item of the current view checked, the other view items plain and
// "Südpolar" greyed, the layer items, and the coordinate tool enabled on the
// charts it reads; the astrophotography item greyed.
void RefreshModeMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);
// The layer items checked for the DisplayFlags bits that are set.
void RefreshFlagMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);
// The chosen object's item checked, every other object item plain.
void MarkObjectChoice(const MenuTable& m, platform::MenuBar& bar, astronomy::ObjectKind kind);

// The actions a key runs, in the order they run; most keys run none.
// Letters are case-sensitive.
std::vector<MenuAction> ActionsForKey(const platform::Key& key);

}  // namespace shell

// The running program: its state, the window it draws into and the steps
// every command ends with (layout, colours, title, redraw).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "charts/ChartDrawing.h"
#include "charts/Projection.h"
#include "platform/Window.h"
#include "reports/ObjectPanel.h"
#include "shell/Menus.h"

namespace shell {

struct Shell {
    astronomy::ProgramState& s;
    platform::Window& win;
    MenuTable menu;
    astronomy::BodyPosition pos;
    astronomy::SunDerived sun;
    reports::PanelMemory panel;
    std::string ObjectTitle;           // object name shown in the window title
    std::string chartObject;           // object to mark in the charts
    std::vector<std::string> CommandLineArgs;  // slot 0: the program's own path
    bool loopRunning = false;          // after start-up: a resize redraws
    bool realtimeRunning = false;
    platform::LocalTime realtimeBaseClock;  // the computer's clock at start-up
    bool quit = false;                 // the quit dialog ended the program
    bool aboutOpen = false;            // the about box waits for a key or a click
    // The pauses of the start-up (the about box's second and the wait before
    // the first view); tests switch them off.
    bool startupPauses = true;

    // The help file while it is paged in the window.
    struct HelpPager {
        bool open = false;
        std::vector<std::string> lines;
        std::size_t next = 0;  // first line of the next page
    } help;
    // The catalogue files of the charts, and the geometry of the last chart
    // drawn (for the pointer readout, the layer commands and the clicks).
    charts::ChartData chartData;
    charts::ChartGeometry chart;
    double chartJ = 0, chartF = 0;  // the instant of that chart
    std::string chartDataError;  // the last error of the catalogue files shown to the user
    bool drawingChart = false;   // a chart pass is running

    // The mouse over the charts (shell/Charts.cpp): the buttons held at the
    // last event, a right click waiting for its release, and whether the
    // pointer readout box shows values.
    int mouseButtons = 0;
    bool rightClickArmed = false;
    bool readoutShown = false;
    // The zoom rectangle of the equatorial and horizon charts: pulled open
    // while the left button is held, then waiting (Finished) until a click
    // outside it zooms into it or the right button drops it; dragged from
    // inside while waiting (Moving).
    struct RubberBand {
        enum class Stage { None, Dragging, Finished, Moving } stage = Stage::None;
        int anchorX = 0, anchorY = 0;      // where the press opened it
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the rectangle on the picture
        bool drawn = false;                // it stands on the picture (drawn inverting)
        int grabX = 0, grabY = 0;          // pointer minus (x1, y1) while it is moved
    } band;
    // "Koordinaten": while open, left clicks on the chart are read out in a
    // small box at the top left; the right button closes it.
    struct CoordinateReadout {
        bool open = false;
        int clicks = 0;
        double alpha = 0, delta = 0;  // the last click: hours, degrees
        double distance = 0;          // degrees between the last two clicks
    } coordinates;
    // Where the views draw: the window, or the printer's page while printing.
    platform::Canvas* target = nullptr;
    platform::Canvas& canvas() { return target ? *target : win.canvas(); }

    Shell(astronomy::ProgramState& state, platform::Window& window) : s(state), win(window) {}
    ~Shell() {
        if (realtimeRunning) win.SetTimer(0, nullptr);
    }
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
};

// Layout of the drawing area (or the printer page while printing).
void ComputeLayout(Shell& sh);
// The window's size changed: new layout; once running, clear and redraw.
void HandleResize(Shell& sh);
// Flips "Invers": colours of the background, text and contrast and the two
// white body colours; clears the window.
void ToggleInvers(Shell& sh);
void ApplyWindowPlacement(Shell& sh);
void ReadWindowPlacement(Shell& sh);

// The five files without which the program does not start; the report
// names of the missing ones, each followed by one blank.
std::string CheckRequiredFiles(const std::string& programFolder, const std::string& dataFolder);

// On the first start the data folder lacks the star files and Objekte/:
// they are copied there from the program's bundled data.
void InstallDefaultData(const std::string& programFolder, const std::string& dataFolder);

// Splits a command line as the program's own start-up does: quoted
// arguments keep their blanks; at most 50 arguments; slot 0 is the
// program's path without surrounding quotes.
std::vector<std::string> SplitCommandLine(const std::string& programPath, const std::string& rest);

// "Kelmaron - Ort: ... - Datum: ... - Zeit: ... - Objekt: ..."
std::string TitleText(astronomy::ProgramState& s, const std::string& objectTitle);
void UpdateTitle(Shell& sh);

// Place n of the list, or (beyond the list) the prompts; then the latitude terms.
void SetPlace(Shell& sh, int n);

// Computes the object and draws its panel (object views) or marker.
// report: a position that cannot be computed is told in a message box
// (not on every tick of the real-time clock).
astronomy::PositionStatus ComputeAndShow(Shell& sh, const std::string& name, bool report = true);
void RedrawView(Shell& sh);
void DrawParameterPanel(Shell& sh);

// The step named by an "Offset" caption: without "&", cut to nine
// characters, trimmed ("1 Woche + &w" -> "1 Woche +").
std::string StepName(const std::string& caption);
void StepTime(Shell& sh, const std::string& name);
// The instant of the computer's clock, in the selected zone.
void SetToNow(Shell& sh);

// Real time: the timer moves the clock every second and keeps the view
// current; a second call stops it.
void ToggleRealtime(Shell& sh);
void RealtimeTimer_Timer(Shell& sh);

// Prints the current view through the system's print dialog.
void PrintView(Shell& sh);
// Pages the help file in the window; a key or a click shows the next page,
// Escape or the right button ends it.
void ShowHelp(Shell& sh);
// Ends a shown help text: the view comes back on a cleared window.
void EndHelp(Shell& sh);
// A key or a click while the help is shown; true when it was used.
bool HelpInput(Shell& sh, const platform::Key* key, int buttons);

// Menu items and keys.
void ExecuteMenuCommand(Shell& sh, int n);
void DispatchKey(Shell& sh, const platform::Key& key);

inline constexpr const char* kVersionText = " Version 6.54";
inline constexpr const char* kProgramDate = "    19. Juli 2020";

void ShowAbout(Shell& sh, bool atStart);
// A key or a click inside the box's button area closes a waiting about box;
// returns true when it did (the key is then used up).
bool CloseAbout(Shell& sh);
// Mouse events of the drawing area: a click strictly inside the about box's
// button area (56, 227)-(165, 300) closes a waiting about box; a click
// shows the next help page; otherwise the mouse works on the chart
// (shell/Charts.h).
void HandleMouse(Shell& sh, int x, int y, int buttons, bool pressed);
void MessierPrompt(Shell& sh);
// Shows each message in a message box and empties the list.
void ShowMessages(Shell& sh, astronomy::MessageList& messages);
// UtmEast/UtmNorth of the current place.
void UpdateUtm(astronomy::ProgramState& s);
// Writes the settings file with the window's placement now; a failure is
// shown in a message box and returns false.
bool SaveSettings(Shell& sh);
// fromMenu: called by the menu item or the key "q" (no "Nein" button).
void QuitDialog(Shell& sh, bool fromMenu);

// The start-up sequence up to the first drawn view. Returns false when the
// program must end (missing files).
bool StartUp(Shell& sh, const std::string& programPath, const std::string& commandLine);

}  // namespace shell

// The running program: its state, the window it draws into, and what the
// commands keep between two events (the last computed object, the chart on
// the screen, the help pages, the mouse). The operations on it are declared
// in the header of their concern (View.h, Commands.h, ChartCommands.h, ...).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "astronomy/LunarEvents.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "charts/ChartDrawing.h"
#include "charts/Projection.h"
#include "charts/SystemView.h"
#include "platform/Window.h"
#include "reports/ObjectPanel.h"
#include "shell/Menus.h"

namespace shell {

struct Shell {
    astronomy::ProgramState& s;
    platform::Window& win;
    MenuTable menu;
    // The selected object as last computed, for the object panel.
    astronomy::BodyPosition pos;
    astronomy::SunDerived sun;
    reports::PanelMemory panel;
    std::string ObjectTitle;           // object name shown in the window title
    bool photographable = false;       // the object view shows an object that can be photographed
    std::vector<std::string> CommandLineArgs;  // slot 0: the program's own path
    bool loopRunning = false;          // after start-up: a resize redraws
    bool realtimeRunning = false;
    platform::ClockReading realtimeBaseClock;  // the computer's clock at start-up
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
    // The solar-system view's picture: single or a stereo pair; "System"
    // starts single, "<--" returns to it.
    charts::Stereo systemStereo = charts::Stereo::Single;

    // The mouse over the charts (Mouse.cpp): the buttons held at the last
    // event, a right click waiting for its release, and whether the pointer
    // readout box shows values.
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
    // The lunar eclipse on the screen while the eclipse command shows one
    // (the view of the moon phases draws it).
    std::optional<astronomy::EclipseCircumstances> eclipse;
    // A command that keeps the window alive while it computes (the eclipse
    // search): menus, keys and clicks run no commands meanwhile; Escape or
    // closing the window asks it to stop.
    struct Busy {
        bool running = false;
        bool stop = false;
        // Meanwhile the last key and the buttons of the last mouse press,
        // for a command that waits for them (WaitKeyOrClick, Busy.h), and
        // whether it waits now.
        std::optional<platform::Key> key;
        int pressed = 0;
        bool waiting = false;
    } busy;
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

}  // namespace shell

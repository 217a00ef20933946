// The main window as the shell drives it, and the services beside it.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/Menu.h"
#include "platform/TextOut.h"

namespace platform {

struct WindowPlacement {
    int x = 0, y = 0;           // top-left corner on the screen
    int drawWidth = 0, drawHeight = 0;  // drawing area
    bool maximised = false;
    bool normalState = true;
};

// A rectangle on the screen: a window's outer frame or a screen's free area.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The window rectangle fitted into the area: no larger than the area (and
// no smaller than the minimum), and moved so that it lies wholly inside.
inline ScreenRect FitIntoArea(const ScreenRect& window, const ScreenRect& area, int minWidth, int minHeight) {
    const auto clamp = [](long long v, long long lo, long long hi) { return v < lo ? lo : (v > hi ? hi : v); };
    ScreenRect out;
    out.width = static_cast<int>(clamp(window.width, minWidth, std::max(minWidth, area.width)));
    out.height = static_cast<int>(clamp(window.height, minHeight, std::max(minHeight, area.height)));
    const long long right = static_cast<long long>(area.x) + area.width - out.width;
    const long long bottom = static_cast<long long>(area.y) + area.height - out.height;
    out.x = static_cast<int>(clamp(window.x, area.x, std::max<long long>(area.x, right)));
    out.y = static_cast<int>(clamp(window.y, area.y, std::max<long long>(area.y, bottom)));
    return out;
}

// Keys as the program reads them: a character (UTF-8) or a special key.
struct Key {
    enum Special { None = 0, PageUp = 33, PageDown = 34, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, F1 = 112 };
    std::string text;      // the typed character, Ctrl+P as "\x10", Ctrl+S as "\x13"
    Special special = None;
};

enum class PointerShape { Normal, Busy, Crosshair };

// Mouse buttons, as bits of a button state.
inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;
inline constexpr int kMouseMiddle = 4;

// A reading of the computer's clock in Universal Time.
struct ClockReading {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0;
    double second = 0;
};

class Window {
public:
    virtual ~Window() = default;

    virtual Canvas& canvas() = 0;
    virtual MenuBar& menu() = 0;
    virtual Dialogs& dialogs() = 0;
    virtual Printer& printer() = 0;
    // The text stream in character cells on the drawing area.
    virtual TextOut& text() = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;
    virtual WindowPlacement Placement() const = 0;
    // Outer size and position, or maximised.
    virtual void ApplyPlacement(int x, int y, int outerWidth, int outerHeight, bool maximised) = 0;
    // The smallest drawing area the user can pull the window to.
    virtual void SetMinimumDrawingSize(int width, int height) = 0;
    // Shows the picture's changes on the screen.
    virtual void Update() = 0;
    virtual void SetPointer(PointerShape shape) = 0;

    // Handlers the shell installs.
    std::function<void(int item)> onMenu;
    std::function<void(const Key&)> onKey;
    std::function<void()> onResize;
    std::function<bool()> onClose;  // true: the window may close
    // The mouse over the drawing area: position, the buttons held after the
    // event (kMouseLeft | ...), and whether the event pressed a button
    // (false for moves and releases).
    std::function<void(int x, int y, int buttons, bool pressed)> onMouse;

    // The buttons held now and the pointer's last position in the drawing
    // area, for loops that watch the mouse between ProcessEvents calls.
    virtual int MouseButtons() const { return 0; }
    virtual std::pair<int, int> MousePosition() const { return {0, 0}; }

    // Services.
    // The computer's clock in Universal Time, whatever zone it is set to.
    virtual ClockReading Now() const = 0;
    // Waits inside the running command: the picture is still painted, keys
    // and clicks stay queued until the pause is over.
    virtual void Pause(int milliseconds) = 0;
    // A repeating timer; interval 0 stops it. It ticks only between
    // commands: a tick that falls in a dialog, a pause or ProcessEvents is
    // dropped.
    virtual void SetTimer(int milliseconds, std::function<void()> tick) = 0;
    // Keeps the window responsive during a long computation.
    virtual void ProcessEvents() = 0;
};

}  // namespace platform
